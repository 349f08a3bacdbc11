#include "store/OldTableConversion.h"

#include "store/DbError.h"
#include "store/OldTableFile.h"
#include "store/OldTablesError.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include <sqlcipher/sqlite3.h>

using Reason = OldTablesError::Reason;

namespace {
constexpr int kProgressEvery = 512;

// The UTF-8 of every Windows-1250 byte, made once.
const std::array<std::string, 256>& utf8Of()
{
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> t;
        for (int b = 0; b < 256; ++b) {
            QStringDecoder decoder("windows-1250");
            const char c = char(b);
            const QString text = decoder(QByteArrayView(&c, 1));
            t[size_t(b)] = text.toStdString();
        }
        return t;
    }();
    return table;
}

// Without trailing blanks (and the zero bytes a memo may end with).
qsizetype trimmedLength(const QByteArray& bytes)
{
    qsizetype n = bytes.size();
    while (n > 0 && (bytes[n - 1] == ' ' || bytes[n - 1] == '\0'))
        --n;
    return n;
}

void appendUtf8(std::string& out, const char* bytes, qsizetype n)
{
    const auto& table = utf8Of();
    out.clear();
    out.reserve(size_t(n) * 2);
    for (qsizetype i = 0; i < n; ++i)
        out += table[quint8(bytes[i])];
}

QString decoded(const QByteArray& bytes)
{
    std::string utf8;
    appendUtf8(utf8, bytes.constData(), trimmedLength(bytes));
    return QString::fromStdString(utf8);
}

[[noreturn]] void doesNotFit(const QString& file, int row, const QString& column, const QString& why)
{
    throw OldTablesError(
        Reason::DoesNotFit,
        QStringLiteral("Wartość w tabeli %1, w wierszu %2, w kolumnie %3 nie mieści się w nowej "
                       "bazie danych: %4. Popraw ją w poprzedniej wersji programu i przenieś dane "
                       "ponownie.")
            .arg(file)
            .arg(row)
            .arg(column, why));
}

struct FinalizeGuard
{
    sqlite3_stmt* statement = nullptr;
    ~FinalizeGuard() { sqlite3_finalize(statement); }
};
} // namespace

bool OldTableConversion::gainsActLater(const QString& table)
{
    return table == QLatin1String("naprawy") || table == QLatin1String("dokumenty");
}

QStringList OldTableConversion::createStatements(const QStringList& definition, bool withAct)
{
    static const QRegularExpression act(QStringLiteral(",\\s*ACT\\s+CHAR\\(1\\)[^,)]*"));
    QStringList statements;
    for (QString statement : definition)
        if (statement.startsWith(QLatin1String("CREATE TABLE"), Qt::CaseInsensitive)) {
            if (!withAct)
                statement.remove(act);
            statements << statement;
        }
    return statements;
}

QStringList OldTableConversion::indexStatements(const QStringList& definition)
{
    QStringList statements;
    for (const QString& statement : definition)
        if (!statement.startsWith(QLatin1String("CREATE TABLE"), Qt::CaseInsensitive))
            statements << statement;
    return statements;
}

QList<OldTableConversion::Column> OldTableConversion::columnsOf(SqlConnection& connection,
                                                                const QString& table)
{
    static const QRegularExpression sized(QStringLiteral("^(?:VAR)?CHAR\\((\\d+)\\)$"),
                                          QRegularExpression::CaseInsensitiveOption);
    Statement info(&connection, QStringLiteral("columns"),
                   {QStringLiteral("PRAGMA table_info(") + table + QLatin1Char(')')});
    info.open();
    QList<Column> columns;
    for (info.first(); !info.eof(); info.next()) {
        Column c;
        c.name = info.text(QStringLiteral("name"));
        const QString type = info.text(QStringLiteral("type")).trimmed().toUpper();
        c.key = info.integer(QStringLiteral("pk")) > 0;
        if (type == QLatin1String("INTEGER")) {
            c.kind = Column::Kind::Integer;
        } else if (type == QLatin1String("REAL")) {
            c.kind = Column::Kind::Real;
        } else if (type == QLatin1String("BLOB")) {
            c.kind = Column::Kind::Bytes;
        } else {
            c.kind = Column::Kind::Text;
            const QRegularExpressionMatch m = sized.match(type);
            c.limit = m.hasMatch() ? m.captured(1).toInt() : 0;
        }
        columns << c;
    }
    return columns;
}

OldTableConversion::OldTableConversion(const QString& file, const QString& table, const OldTableFile& old,
                                       SqlConnection& model)
    : m_file(file), m_table(table)
{
    const QList<Column> columns = columnsOf(model, table);
    for (const Column& column : columns) {
        Plan p;
        p.column = column;
        p.field = old.fieldIndex(column.name);
        if (p.field < 0) {
            if (column.name == QLatin1String("ACT") && gainsActLater(m_table)) {
                m_withAct = false; // added by the upgrade 1.0.5 at the first login
                continue;
            }
            throw OldTablesError(
                Reason::Damaged,
                QStringLiteral(
                    "Tabela %1 nie ma kolumny %2, którą ma ta tabela w każdej wersji programu: plik "
                    "jest uszkodzony albo nie pochodzi z programu Sprzetnik.")
                    .arg(old.fileName(), column.name));
        }
        const OldTableFile::Kind kind = old.fields().at(p.field).kind;
        using K = OldTableFile::Kind;
        bool ok = true;
        switch (column.kind) {
        case Column::Kind::Integer:
            p.how = kind == K::Number                      ? How::IntegerFromNumber
                    : (kind == K::Text || kind == K::Memo) ? How::IntegerFromText
                                                           : How::IntegerFromInteger;
            ok = kind != K::Other;
            break;
        case Column::Kind::Real:
            p.how = (kind == K::Text || kind == K::Memo) ? How::RealFromText : How::RealFromNumber;
            ok = kind == K::Number || kind == K::Integer || kind == K::Text || kind == K::Memo;
            break;
        case Column::Kind::Text:
            p.how = kind == K::Logical                        ? How::TextFromLogical
                    : kind == K::Number                       ? How::TextFromNumber
                    : (kind == K::Integer || kind == K::Date) ? How::TextFromInteger
                                                              : How::TextFromText;
            ok = kind != K::Other;
            break;
        case Column::Kind::Bytes:
            p.how = How::BytesFromText;
            ok = kind == K::Text || kind == K::Memo;
            break;
        }
        if (!ok)
            throw OldTablesError(
                Reason::DoesNotFit,
                QStringLiteral("Kolumna %1 tabeli %2 ma w poprzedniej wersji rodzaj, którego "
                               "nie da się przenieść do nowej bazy danych.")
                    .arg(column.name, old.fileName()));
        // A company reference left empty means no company; the own company is row 1 of firmy itself.
        p.emptyInteger = column.name == QLatin1String("IDFIRMY") && !column.key ? -1 : 0;
        m_plans << p;
    }
    for (const OldTableFile::Field& field : old.fields()) {
        const bool used = std::any_of(columns.begin(), columns.end(), [&](const Column& column) {
            return column.name.compare(field.name, Qt::CaseInsensitive) == 0;
        });
        if (!used)
            m_notes << QStringLiteral("Kolumna %1 tabeli %2 nie ma odpowiednika w nowej bazie danych i nie "
                                      "została przeniesiona.")
                           .arg(field.name, file);
    }
}

OldTableConversion::Result OldTableConversion::run(SqlConnection& db, OldTableFile& old,
                                                   const std::function<void(qint64)>& rowsDone) const
{
    Result result;
    const int rows = old.recordCount();
    if (m_plans.isEmpty())
        return result;

    QStringList names;
    QStringList marks;
    for (const Plan& p : m_plans) {
        names << p.column.name;
        marks << QStringLiteral("?");
    }
    const QByteArray sql =
        (QStringLiteral("INSERT INTO ") + m_table + QStringLiteral(" (") + names.join(QLatin1Char(',')) +
         QStringLiteral(") VALUES (") + marks.join(QLatin1Char(',')) + QLatin1Char(')'))
            .toUtf8();
    FinalizeGuard insert;
    if (const int rc = sqlite3_prepare_v2(db.handle(), sql.constData(), -1, &insert.statement, nullptr);
        rc != SQLITE_OK)
        db.fail(rc);

    const auto plans = m_plans;
    std::vector<std::string> texts(size_t(plans.size()));
    std::vector<QByteArray> raw(size_t(plans.size()));
    for (int r = 0; r < rows; ++r) {
        old.read(r);
        const int row = r + 1;
        for (int k = 0; k < plans.size(); ++k) {
            const Plan& p = plans.at(k);
            sqlite3_stmt* s = insert.statement;
            const int slot = k + 1;
            qint64 integer = 0;
            double number = 0;
            QByteArray& bytes = raw[size_t(k)];
            std::string& text = texts[size_t(k)];
            switch (p.how) {
            case How::IntegerFromInteger:
                sqlite3_bind_int64(s, slot, old.integer(p.field, integer) ? integer : p.emptyInteger);
                break;
            case How::IntegerFromNumber:
                if (!old.number(p.field, number)) {
                    sqlite3_bind_int64(s, slot, p.emptyInteger);
                } else {
                    if (!std::isfinite(number) || number != std::floor(number) ||
                        std::fabs(number) > 2147483647.0)
                        doesNotFit(m_file, row, p.column.name,
                                   QStringLiteral("%1 nie jest liczbą całkowitą").arg(number, 0, 'g', 15));
                    sqlite3_bind_int64(s, slot, qint64(number));
                }
                break;
            case How::IntegerFromText:
            case How::RealFromText: {
                const QString value = old.bytes(p.field, bytes) ? decoded(bytes).trimmed() : QString();
                if (value.isEmpty()) {
                    if (p.how == How::IntegerFromText)
                        sqlite3_bind_int64(s, slot, p.emptyInteger);
                    else
                        sqlite3_bind_double(s, slot, 0.0);
                    break;
                }
                bool ok = false;
                if (p.how == How::IntegerFromText) {
                    integer = value.toLongLong(&ok);
                    if (!ok || integer > 2147483647LL || integer < -2147483648LL)
                        doesNotFit(m_file, row, p.column.name,
                                   QStringLiteral("„%1” nie jest liczbą całkowitą").arg(value));
                    sqlite3_bind_int64(s, slot, integer);
                } else {
                    number = QString(value).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
                    if (!ok)
                        doesNotFit(m_file, row, p.column.name,
                                   QStringLiteral("„%1” nie jest liczbą").arg(value));
                    sqlite3_bind_double(s, slot, number);
                }
                break;
            }
            case How::RealFromNumber:
                sqlite3_bind_double(s, slot, old.number(p.field, number) ? number : 0.0);
                break;
            case How::TextFromText:
            case How::TextFromInteger:
            case How::TextFromLogical:
            case How::TextFromNumber: {
                qsizetype length = 0;
                if (p.how == How::TextFromText) {
                    if (old.bytes(p.field, bytes)) {
                        length = trimmedLength(bytes);
                        appendUtf8(text, bytes.constData(), length);
                    } else {
                        text.clear();
                    }
                } else if (p.how == How::TextFromNumber) {
                    text = old.number(p.field, number) ? QByteArray::number(number, 'g', 15).toStdString()
                                                       : std::string();
                    length = qsizetype(text.size());
                } else if (old.integer(p.field, integer)) {
                    text = p.how == How::TextFromLogical ? std::string(integer ? "T" : "N")
                                                         : std::to_string(integer);
                    length = qsizetype(text.size());
                } else {
                    text.clear();
                }
                // One byte of the old text is one character.
                if (p.column.limit > 0 && length > p.column.limit)
                    doesNotFit(m_file, row, p.column.name,
                               QStringLiteral("tekst ma %1 znaków, a kolumna mieści najwyżej %2")
                                   .arg(length)
                                   .arg(p.column.limit));
                sqlite3_bind_text(s, slot, text.data(), int(text.size()), SQLITE_STATIC);
                break;
            }
            case How::BytesFromText:
                // Kept byte for byte: an older password cipher text is compared as stored.
                if (old.bytes(p.field, bytes)) {
                    while (!bytes.isEmpty() && bytes.endsWith('\0'))
                        bytes.chop(1);
                    sqlite3_bind_blob(s, slot, bytes.constData(), int(bytes.size()), SQLITE_STATIC);
                } else {
                    sqlite3_bind_text(s, slot, "", 0, SQLITE_STATIC);
                }
                break;
            }
        }
        const int rc = sqlite3_step(insert.statement);
        sqlite3_reset(insert.statement);
        if (rc == SQLITE_DONE) {
            ++result.rows;
        } else if ((rc & 0xff) == SQLITE_CONSTRAINT) {
            // A second row under a key already taken cannot be kept: it is left out and listed.
            QStringList keys;
            for (int k = 0; k < plans.size(); ++k)
                if (plans.at(k).column.key) {
                    const std::string& shown = texts[size_t(k)];
                    qint64 v = 0;
                    keys << plans.at(k).column.name + QStringLiteral(" = ") +
                                (plans.at(k).column.kind == Column::Kind::Integer
                                     ? QString::number(old.integer(plans.at(k).field, v) ? v : 0)
                                     : QStringLiteral("„") + QString::fromStdString(shown) +
                                           QStringLiteral("”"));
                }
            result.skipped << QStringLiteral("wiersz %1: powtórzony klucz %2")
                                  .arg(row)
                                  .arg(keys.join(QStringLiteral(", ")));
        } else {
            db.fail(rc);
        }
        if (rowsDone && (row % kProgressEvery == 0 || row == rows))
            rowsDone(row);
    }

    // New keys carry on after the highest the old table ever handed out, deleted rows included.
    const bool counted = std::any_of(plans.begin(), plans.end(), [](const Plan& p) {
        return p.column.key && p.column.kind == Column::Kind::Integer;
    });
    if (counted && old.lastAutoIncrement() > 0)
        setSequence(db, old.lastAutoIncrement());
    return result;
}

void OldTableConversion::setSequence(SqlConnection& db, qint64 last) const
{
    FinalizeGuard sequence;
    const char* text = "INSERT OR REPLACE INTO sqlite_sequence (rowid, name, seq) "
                       "SELECT (SELECT rowid FROM sqlite_sequence WHERE name = ?1), ?1, "
                       "MAX(?2, COALESCE((SELECT seq FROM sqlite_sequence WHERE name = ?1), 0))";
    int rc = sqlite3_prepare_v2(db.handle(), text, -1, &sequence.statement, nullptr);
    const QByteArray table = m_table.toUtf8();
    if (rc == SQLITE_OK) {
        sqlite3_bind_text(sequence.statement, 1, table.constData(), int(table.size()), SQLITE_STATIC);
        sqlite3_bind_int64(sequence.statement, 2, last);
        rc = sqlite3_step(sequence.statement);
    }
    if (rc != SQLITE_DONE)
        db.fail(rc);
}
