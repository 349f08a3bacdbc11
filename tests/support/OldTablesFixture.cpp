#include "OldTablesFixture.h"

#include "store/DatabaseTemplate.h"
#include "store/PasswordHash.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TableList.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

namespace OldTablesFixture {
namespace {
using Kind = OldTableWriter::Kind;

const QStringList kTexts = {
    QStringLiteral("Zażółć gęślą jaźń „cudzysłów” i \"podwójny\"   "),
    QStringLiteral("ŁÓDŹ, ul. Żeromskiego 7/9 'apostrof'; średnik"),
    QString(), // the row of empty values
    QStringLiteral("  wiodące odstępy zostają, końcowe nie   "),
};
// Keys with gaps: the new database must keep them, not number the rows anew.
const QList<qint64> kKeys = {1, 2, 4, 7};
constexpr qint64 kDeletedKey = 9;
constexpr int kEmptyRow = 2;

int tableCount(const QString& version)
{
    static const QHash<QString, int> counts = {{QStringLiteral("1.0.1"), 18}, {QStringLiteral("1.0.2"), 22},
                                               {QStringLiteral("1.0.3"), 25}, {QStringLiteral("1.0.4"), 26},
                                               {QStringLiteral("1.0.5"), 27}, {QStringLiteral("2.6"), 28}};
    return counts.value(version);
}

QString diskName(const QString& table, const QString& suffix)
{
    // The old files come in any letter case.
    return table.left(1).toUpper() + table.mid(1) + suffix;
}

Value textValue(const Column& c, int row)
{
    if (row == kEmptyRow)
        return {};
    const QString text = c.name + QStringLiteral(": ") + kTexts.value(row, kTexts.first());
    if (c.kind == Kind::Memo) {
        if (row == 1)
            return QStringLiteral("krótko"); // fits in the record itself
        // Longer than the part kept in the record, within the column's 254 characters.
        return text.repeated(8).left(row == 0 ? 200 : 254);
    }
    return text.left(c.length);
}

Value valueOf(const QString& table, const Column& c, int row)
{
    const QString& n = c.name;
    const auto pick = [row](const QList<Value>& values) { return values.value(row, values.first()); };
    if (c.kind == Kind::AutoInc)
        return row < kKeys.size() ? kKeys.at(row) : kDeletedKey;
    if (table == QLatin1String("osobowa") && n == QLatin1String("NREW"))
        return row < kKeys.size() ? QStringLiteral("P%1").arg(row + 1, 4, 10, QLatin1Char('0'))
                                  : QStringLiteral("P0099");
    if (table == QLatin1String("userzy")) {
        if (n == QLatin1String("NAZWA"))
            return pick({QStringLiteral("ADMIN"), QStringLiteral("JAN"), QStringLiteral("PUSTY"),
                         QStringLiteral("ŁUKASZ")});
        if (n == QLatin1String("HASLO"))
            return pick({legacyPassword(QStringLiteral("kubol")), legacyPassword(QStringLiteral("jan123")),
                         Value(), legacyPassword(QStringLiteral("zażółć1"))});
        if (n == QLatin1String("SUPERVISOR"))
            return pick({QStringLiteral("T"), QStringLiteral("N"), Value(), QStringLiteral("N")});
    }
    if (row == kEmptyRow && n != QLatin1String("IDNOTATKI"))
        return {};
    if (c.kind == Kind::Alpha || c.kind == Kind::Memo) {
        if (n == QLatin1String("NREW"))
            return pick({QStringLiteral("P0001"), QStringLiteral("P0002"), Value(), QStringLiteral("P0004")});
        if (n == QLatin1String("IDSLOWNIK"))
            return pick({QStringLiteral("STANT"), QStringLiteral("LOKAL"), Value(), QStringLiteral("RDZAL")});
        if (n == QLatin1String("ARCHIWUM"))
            return pick({QStringLiteral("N"), QStringLiteral("N"), Value(), QStringLiteral("T")});
        if (n == QLatin1String("ACT"))
            return pick({QStringLiteral("T"), QStringLiteral("T"), Value(), QStringLiteral("N")});
        if (n == QLatin1String("KOMPSPRZ") || n == QLatin1String("KOMPSPRZET"))
            return pick({QStringLiteral("K"), QStringLiteral("S"), Value(), QStringLiteral("K")});
        if (n == QLatin1String("CZEGODOTYCZY"))
            return table == QLatin1String("zlecenia") || table == QLatin1String("rozliczenia")
                       ? Value(QStringLiteral("S"))
                       : pick({QStringLiteral("K"), QStringLiteral("S"), Value(), QStringLiteral("L")});
        if (n == QLatin1String("SPRODDO"))
            return pick({QStringLiteral("D"), QStringLiteral("O"), Value(), QStringLiteral("D")});
        if (n == QLatin1String("NAZWA") && table == QLatin1String("uprawnienia"))
            return QStringLiteral("JAN");
        if (n == QLatin1String("DATA"))
            return QStringLiteral("15-01-2024");
        if (c.length == 1)
            return pick({QStringLiteral("T"), QStringLiteral("N"), Value(), QStringLiteral("T")});
        return textValue(c, row);
    }
    if (c.kind == Kind::Number || c.kind == Kind::Currency)
        return pick({12.5, 0.25, Value(), 1000000.75});
    if (c.kind == Kind::Logical)
        return pick({qint64(1), qint64(0), Value(), qint64(1)});
    if (c.kind == Kind::Date || n.startsWith(QLatin1String("DATA")) || n == QLatin1String("TERMIN"))
        return pick({qint64(20240115), qint64(19991231), Value(), qint64(20000101)});
    if (n == QLatin1String("IDFIRMY"))
        return pick({qint64(2), qint64(4), Value(), qint64(-1)});
    if (n.startsWith(QLatin1String("ID")) && n != QLatin1String("ID") && n != QLatin1String("IDNOTATKI"))
        return pick({qint64(1), qint64(2), Value(), qint64(4)});
    if (n == QLatin1String("NUMBERPARAM"))
        return pick({qint64(20240101), qint64(3), Value(), qint64(30)});
    if (n == QLatin1String("UPR"))
        return pick({qint64(1), qint64(2), Value(), qint64(29)});
    if (n == QLatin1String("LP") || n == QLatin1String("ID") || n == QLatin1String("IDNOTATKI"))
        return qint64(row + 1);
    return pick({qint64(1), qint64(5), Value(), qint64(100)});
}

Table makeTable(const QString& name, const QString& password, bool withAct)
{
    Table t;
    t.name = name;
    t.file = diskName(name, QStringLiteral(".DB"));
    t.columns = columnsOf(name, withAct);
    // The own company's table keeps its long notes in the blob file, which
    // the library writes only for a table without protection.
    t.password = name == QLatin1String("firmy") ? QString() : password;
    const bool memo =
        std::any_of(t.columns.begin(), t.columns.end(), [](const Column& c) { return c.kind == Kind::Memo; });
    // The library's writer cannot delete a record of a table with memo fields.
    const int rows = memo ? kKeys.size() : kKeys.size() + 1;
    for (int row = 0; row < rows; ++row) {
        Row r;
        r.deleted = row == kKeys.size();
        for (const Column& c : t.columns) {
            Value v = valueOf(name, c, row);
            if (r.deleted && c.kind == Kind::Alpha && c.length > 10)
                v = QStringLiteral("USUNIĘTY");
            r.values << v;
        }
        t.rows << r;
    }
    const bool counted = std::any_of(t.columns.begin(), t.columns.end(),
                                     [](const Column& c) { return c.kind == Kind::AutoInc; });
    t.lastAutoIncrement = counted ? (memo ? kKeys.last() : kDeletedKey) : 0;
    return t;
}
} // namespace

QStringList versions()
{
    return {QStringLiteral("1.0.1"), QStringLiteral("1.0.2"), QStringLiteral("1.0.3"),
            QStringLiteral("1.0.4"), QStringLiteral("1.0.5"), QStringLiteral("2.6")};
}

QByteArray legacyPassword(const QString& password)
{
    return PasswordHash::legacyCipherText(password);
}

QList<Column> columnsOf(const QString& table, bool withAct)
{
    static const QRegularExpression sized(QStringLiteral("CHAR\\((\\d+)\\)"));
    SqlConnection model;
    model.open(QStringLiteral(":memory:"), QStringLiteral("model"), true);
    for (const QString& statement : DatabaseTemplate::tableDefinition(table))
        if (statement.startsWith(QLatin1String("CREATE TABLE")))
            model.exec(statement);
    Statement info(&model, QStringLiteral("info"),
                   {QStringLiteral("PRAGMA table_info(") + table + QLatin1Char(')')});
    info.open();
    QList<Column> columns;
    for (info.first(); !info.eof(); info.next()) {
        Column c;
        c.name = info.text(QStringLiteral("name"));
        const QString type = info.text(QStringLiteral("type"));
        if (!withAct && c.name == QLatin1String("ACT") &&
            (table == QLatin1String("naprawy") || table == QLatin1String("dokumenty")))
            continue;
        if (type == QLatin1String("INTEGER"))
            c.kind = info.integer(QStringLiteral("pk")) > 0 ? Kind::AutoInc : Kind::Long;
        else if (type == QLatin1String("REAL"))
            c.kind = Kind::Number;
        else if (type == QLatin1String("BLOB"))
            c.kind = Kind::Alpha, c.length = 40;
        else
            c.kind = Kind::Alpha, c.length = sized.match(type).captured(1).toInt();
        // Field kinds the old files may hold besides the plain ones.
        const QString key = table + QLatin1Char('.') + c.name;
        if (key == QLatin1String("firmy.NAZWA"))
            c.length = 255;
        else if (key == QLatin1String("firmy.INNE"))
            c.kind = Kind::Memo, c.length = 20;
        else if (key == QLatin1String("wlasciwosci.LP") || key == QLatin1String("r_licprog.ILOSCLIC"))
            c.kind = Kind::Short;
        else if (key == QLatin1String("r_licprog.WIELOSTAN"))
            c.kind = Kind::Logical;
        else if (key == QLatin1String("naprawy.NETTO"))
            c.kind = Kind::Currency;
        else if (key == QLatin1String("terminy.DATAOD"))
            c.kind = Kind::Date;
        columns << c;
    }
    // The field order of a file is its own: the new columns are found by name.
    if (table == QLatin1String("sprzet"))
        std::reverse(columns.begin(), columns.end());
    return columns;
}

QList<Table> tables(const QString& version, const QString& password)
{
    const bool withAct = version == QLatin1String("1.0.5") || version == QLatin1String("2.6");
    QList<Table> result;
    const QStringList files = TableList::files();
    for (int i = 0; i < tableCount(version); ++i)
        result << makeTable(TableList::tableName(files.at(i)), password, withAct);
    return result;
}

void writeTable(const QString& dir, const Table& table)
{
    OldTableWriter writer(dir + QLatin1Char('/') + table.file, table.columns, table.password);
    QList<int> deleted;
    for (int i = 0; i < table.rows.size(); ++i) {
        writer.append(table.rows.at(i).values);
        if (table.rows.at(i).deleted)
            deleted.prepend(i);
    }
    for (int i : deleted)
        writer.remove(i);
    if (table.lastAutoIncrement > 0)
        writer.setLastAutoIncrement(table.lastAutoIncrement);
    writer.close();
}

void write(const QString& dir, const QList<Table>& tables, const QString& version)
{
    QDir().mkpath(dir);
    for (const Table& t : tables)
        writeTable(dir, t);
    const int count = tableCount(version);
    const QStringList markers = DatabaseTemplate::upgradeMarkers();
    // update1.0.2 .. update1.0.5 as far as the version got.
    const QList<int> reached = {22, 25, 26, 27};
    for (int i = 0; i < markers.size(); ++i)
        if (count >= reached.at(i)) {
            QFile marker(dir + QLatin1Char('/') + markers.at(i));
            marker.open(QIODevice::WriteOnly);
        }
    if (count >= 27) {
        // The upgrade 1.0.5 copied both tables as they were before their new column.
        for (const QString& name : {QStringLiteral("naprawy"), QStringLiteral("dokumenty")}) {
            Table copy = makeTable(name, tables.at(1).password, false);
            copy.file = name + QStringLiteral(".BAK");
            writeTable(dir, copy);
        }
    }
    // The engine's network-control folder keeps a file that is no lock.
    QDir().mkpath(dir + QStringLiteral("/NetFileDir"));
    QFile net(dir + QStringLiteral("/NetFileDir/PDOXUSRS.NET"));
    net.open(QIODevice::WriteOnly);
}
} // namespace OldTablesFixture
