#include "store/SortKeys.h"

#include "store/ListState.h"
#include "store/PolishCollation.h"
#include "store/PreparedStatement.h"
#include "store/SqlConnection.h"
#include "store/SqlDialect.h"

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
// Storage class first, so the keys of a column keep the engine's order of
// classes; the key is never NULL, so NULL marks a row not yet given one.
constexpr char kNull = 0x00;
constexpr char kNumber = 0x10;
constexpr char kText = 0x20;
constexpr char kBlob = 0x30;

void plkey(sqlite3_context* context, int, sqlite3_value** argv)
{
    sqlite3_value* v = argv[0];
    std::string key;
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        key = SortKeys::keyOfNull();
        break;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        key = SortKeys::keyOfNumber(sqlite3_value_double(v));
        break;
    case SQLITE_TEXT:
        key =
            SortKeys::keyOfText(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
        break;
    default:
        key = SortKeys::keyOfBlob(static_cast<const char*>(sqlite3_value_blob(v)), sqlite3_value_bytes(v));
    }
    sqlite3_result_blob(context, key.data(), int(key.size()), SQLITE_TRANSIENT);
}

bool hasColumn(sqlite3* db, const QString& table, const QString& column)
{
    const QByteArray sql = ("SELECT " + column + " FROM " + table + " LIMIT 0").toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr);
    sqlite3_finalize(stmt);
    return rc == SQLITE_OK;
}

bool hasIndex(sqlite3* db, const QString& name)
{
    sqlite3_stmt* stmt = nullptr;
    const char* sql = "SELECT 1 FROM sqlite_master WHERE type='index' AND name=?";
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK)
        return false;
    const QByteArray n = name.toUtf8();
    sqlite3_bind_text(stmt, 1, n.constData(), int(n.size()), SQLITE_TRANSIENT);
    const bool found = sqlite3_step(stmt) == SQLITE_ROW;
    sqlite3_finalize(stmt);
    return found;
}

// One number the query answers; throws DbError.
qint64 scalar(SqlConnection& connection, const QString& sql)
{
    Statement q(&connection, QStringLiteral("SortKeys"), {sql});
    q.open();
    return q.isEmpty() ? 0 : q.integerAt(0, 0);
}

// Gives the rows of `k` their keys: a new column's rows in ranges of rowids,
// one reused statement, so the work can be told as it goes; else the rows
// still without a key at once (few, found through the index).
void fill(SqlConnection& connection, const SortKeys::Keyed& k, bool newColumn,
          const std::function<void(qint64)>& rowsDone)
{
    const QString table = QLatin1String(k.table);
    const QString key = SortKeys::keyColumn(k.column);
    const QString set = QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + key +
                        QStringLiteral("=PLKEY(") + QLatin1String(k.column) + QStringLiteral(") WHERE ");
    if (!newColumn) {
        QString sql = set + key + QStringLiteral(" IS NULL");
        if (*k.archive)
            sql += QStringLiteral(" AND ") + QLatin1String(k.archive) + QStringLiteral(" IN ('N','T')");
        connection.exec(sql);
        rowsDone(sqlite3_changes(connection.handle()));
        return;
    }
    constexpr int kBatch = 8192;
    PreparedStatement upper(connection,
                            QStringLiteral("SELECT rowid FROM ") + table +
                                QStringLiteral(" WHERE rowid > ? ORDER BY rowid LIMIT 1 OFFSET ") +
                                QString::number(kBatch - 1));
    PreparedStatement update(connection, set + QStringLiteral("rowid > ? AND rowid <= ?"));
    qint64 from = scalar(connection, QStringLiteral("SELECT IFNULL(MIN(rowid), 0) - 1 FROM ") + table);
    const qint64 last = scalar(connection, QStringLiteral("SELECT IFNULL(MAX(rowid), 0) FROM ") + table);
    while (from < last) {
        upper.bind(0, from);
        const qint64 to = upper.step() ? upper.integer(0) : last;
        upper.reset();
        update.bind(0, from);
        update.bind(1, to);
        rowsDone(update.execute());
        from = to;
    }
}

const SortKeys::Keyed* keyedList(const QString& list)
{
    for (const SortKeys::Keyed& k : SortKeys::keyed())
        if (list == QLatin1String(k.list))
            return &k;
    return nullptr;
}
} // namespace

namespace SortKeys {
const QList<Keyed>& keyed()
{
    static const QList<Keyed> lists = {
        {"DBFKomputery", "komputery", "NREWID", "ARCHIWUM", "IDKOMPUTERA"},
        {"DBFSprzet", "sprzet", "NREWID", "ARCHIWUM", "IDSPRZETU"},
        {"DBFLicencje", "licencje", "NREWID", "ARCHIWUM", "IDLICENCJI"},
        {"DBFProgramy", "programy", "NAZWA", "", "IDPROGRAMU"},
        {"DBFosobowa", "osobowa", "NAZWISKO", "", "NREW"},
    };
    return lists;
}

QString keyColumn(const char* column)
{
    return QLatin1String(column) + QStringLiteral("_PL");
}

QString indexName(const Keyed& k)
{
    return QLatin1String(k.table) + QLatin1Char('_') + keyColumn(k.column);
}

std::string keyOfNull()
{
    return std::string(1, kNull);
}

std::string keyOfNumber(double value)
{
    // IEEE bits made to sort as unsigned big-endian bytes.
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    bits = (bits & (quint64(1) << 63)) ? ~bits : bits | (quint64(1) << 63);
    std::string key(1, kNumber);
    for (int shift = 56; shift >= 0; shift -= 8)
        key.push_back(char((bits >> shift) & 0xFF));
    return key;
}

std::string keyOfText(const char* text, int length)
{
    std::string key(1, kText);
    PolishCollation::appendSortKey(key, text, length);
    return key;
}

std::string keyOfBlob(const char* data, int length)
{
    std::string key(1, kBlob);
    if (length > 0)
        key.append(data, size_t(length));
    return key;
}

void attach(SqlConnection& connection)
{
    // The server orders by its own Polish collation: no key columns there.
    if (!connection.dialect().sortKeyColumns) {
        connection.setSortKeyedLists({});
        return;
    }
    sqlite3* db = connection.handle();
    QStringList lists;
    if (sqlite3_create_function_v2(db, "PLKEY", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, &plkey,
                                   nullptr, nullptr, nullptr) != SQLITE_OK) {
        connection.setSortKeyedLists({});
        return;
    }
    for (const Keyed& k : keyed()) {
        const QString table = QLatin1String(k.table);
        const QString column = QLatin1String(k.column);
        const QString key = keyColumn(k.column);
        if (!hasColumn(db, table, key) || !hasIndex(db, indexName(k)))
            continue;
        // TEMP: the triggers live in this connection only and the file never
        // names the key function.
        const QString set = QStringLiteral(" BEGIN UPDATE ") + table + QStringLiteral(" SET ") + key +
                            QStringLiteral("=PLKEY(NEW.") + column +
                            QStringLiteral(") WHERE rowid=NEW.rowid; END;");
        const QString sql = QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS ") + table + QLatin1Char('_') +
                            key + QStringLiteral("_ins AFTER INSERT ON main.") + table + set +
                            QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS ") + table + QLatin1Char('_') +
                            key + QStringLiteral("_upd AFTER UPDATE OF ") + column +
                            QStringLiteral(" ON main.") + table + set;
        if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK)
            lists << QLatin1String(k.list);
    }
    connection.setSortKeyedLists(lists);
}

bool addMissing(SqlConnection& connection, const Progress& progress)
{
    if (!connection.dialect().sortKeyColumns)
        return false;
    sqlite3* db = connection.handle();
    struct Work
    {
        const Keyed* k;
        bool newColumn;
        qint64 rows; // rows to be given a key (a new column: every row)
    };
    std::vector<Work> work;
    qint64 total = 0;
    for (const Keyed& k : keyed()) {
        const QString table = QLatin1String(k.table);
        if (!hasColumn(db, table, QLatin1String(k.column)))
            continue; // a table the older upgrades have not made yet
        const QString key = keyColumn(k.column);
        const bool newColumn = !hasColumn(db, table, key);
        // Rows written without our triggers have no key: every row of a new
        // column, else those that any list can show (the archive lists read
        // 'N' or 'T' only, which keeps this a walk of the index).
        QString count = QStringLiteral("SELECT COUNT(*) FROM ") + table;
        if (!newColumn) {
            count += QStringLiteral(" WHERE ") + key + QStringLiteral(" IS NULL");
            if (*k.archive)
                count += QStringLiteral(" AND ") + QLatin1String(k.archive) + QStringLiteral(" IN ('N','T')");
        }
        const qint64 rows = scalar(connection, count);
        work.push_back({&k, newColumn, rows});
        total += rows;
    }
    qint64 done = 0;
    if (progress && total > 0)
        progress(0, total);
    bool added = false;
    for (const Work& w : work) {
        const Keyed& k = *w.k;
        const QString table = QLatin1String(k.table);
        const QString key = keyColumn(k.column);
        if (w.newColumn) {
            connection.exec(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" ADD COLUMN ") + key +
                            QStringLiteral(" BLOB"));
            added = true;
        }
        if (w.rows > 0)
            fill(connection, k, w.newColumn, [&](qint64 rows) {
                done += rows;
                if (progress)
                    progress(std::min(done, total), total);
            });
        if (!hasIndex(db, indexName(k))) {
            // Made after the keys are in: one sort instead of an insert per row.
            // The archive lists filter by equality first, so the index serves
            // both their order and their row count.
            const QString columns = *k.archive ? QLatin1String(k.archive) + QStringLiteral(", ") + key : key;
            connection.exec(QStringLiteral("CREATE INDEX ") + indexName(k) + QStringLiteral(" ON ") + table +
                            QStringLiteral(" (") + columns + QLatin1Char(')'));
            added = true;
        }
        // The row count of an archive list reads this narrow index rather
        // than the keys (a tenth of the pages).
        const QString narrow = table + QLatin1Char('_') + QLatin1String(k.archive);
        if (*k.archive && !hasIndex(db, narrow)) {
            connection.exec(QStringLiteral("CREATE INDEX ") + narrow + QStringLiteral(" ON ") + table +
                            QStringLiteral(" (") + QLatin1String(k.archive) + QLatin1Char(')'));
            added = true;
        }
    }
    return added;
}

QString orderTerm(const SqlConnection& connection, const QString& list, const QString& orderColumn)
{
    const Keyed* k = keyedList(list);
    if (!k || !connection.hasSortKeys(list))
        return {};
    QString column = orderColumn;
    const qsizetype dot = column.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        // Only the base table's own column ("K.NREWID"), never a joined one.
        if (ListState::qualifiedColumn(list, column.mid(dot + 1)).compare(column, Qt::CaseInsensitive) != 0)
            return {};
        column = column.mid(dot + 1);
    }
    if (column.compare(QLatin1String(k->column), Qt::CaseInsensitive) != 0)
        return {};
    return ListState::qualifiedColumn(list, keyColumn(k->column));
}

Statement::Keyset keyset(const SqlConnection& connection, const QString& list, const QString& orderColumn,
                         bool ascending)
{
    Statement::Keyset k;
    const QString term = orderTerm(connection, list, orderColumn);
    const Keyed* keyedOne = keyedList(list);
    if (term.isEmpty() || !keyedOne)
        return k;
    k.keyTerm = term;
    k.idTerm = ListState::qualifiedColumn(list, QLatin1String(keyedOne->id));
    k.keyOfRow = QStringLiteral("SELECT ") + keyColumn(keyedOne->column) + QStringLiteral(" FROM ") +
                 QLatin1String(keyedOne->table) + QStringLiteral(" WHERE ") + QLatin1String(keyedOne->id) +
                 QStringLiteral(" = ?");
    k.ascending = ascending;
    // The page condition joins the list's own ones, just before its order.
    k.conditionLine = ListState::orderLine(list) - 1;
    return k;
}

QString countText(const QString& list, const QStringList& conditions)
{
    const Keyed* k = keyedList(list);
    if (!k)
        return {};
    QString alias = ListState::qualifiedColumn(list, QStringLiteral("X"));
    alias.chop(2);
    QString sql = QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(k->table);
    if (!alias.isEmpty())
        sql += QStringLiteral(" AS ") + alias;
    sql += QStringLiteral(" WHERE 1=1");
    for (const QString& c : conditions)
        if (!c.isEmpty())
            sql += QLatin1Char(' ') + c;
    return sql;
}
} // namespace SortKeys
