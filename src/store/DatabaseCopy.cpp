#include "store/DatabaseCopy.h"

#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/PreparedStatement.h"
#include "store/ReadTransaction.h"
#include "store/ResultCells.h"
#include "store/SqlBackend.h"
#include "store/SqlConnection.h"
#include "store/SqlDialect.h"
#include "store/TableList.h"
#include "store/WriteTransaction.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <memory>

namespace DatabaseCopy {
namespace {
std::function<void(const QString&)> g_tableHook;

// Rows read from the source at a time.
constexpr int kReadRows = 5000;

struct Plan
{
    QString table;
    QString key;         // the column the database gives keys in, or empty
    QStringList columns; // the columns both versions of the table have
    qint64 rows = 0;     // in the source
    // False for a table the target has and the source lacks (an archive
    // older than the table): it gets no rows, and is emptied or checked empty
    // as the others.
    bool fromSource = true;
};

qint64 integerOf(SqlConnection& connection, const QString& sql)
{
    PreparedStatement query(connection, sql);
    return query.step() ? query.integer(0) : 0;
}

QString missingTable(const QString& table, bool inSource)
{
    return (inSource ? QStringLiteral("Baza źródłowa nie zawiera tabeli ")
                     : QStringLiteral("Baza docelowa nie zawiera tabeli ")) +
           table;
}

Plan planOf(SqlConnection& source, const QString& table, const QStringList& from, QStringList to)
{
    for (QString& c : to)
        c = c.toUpper();
    Plan p{table, DatabaseTemplate::keyColumn(table).toUpper(), {}, 0, true};
    for (const QString& c : from)
        if (to.contains(c.toUpper()))
            p.columns << c.toUpper();
    p.rows = integerOf(source, QStringLiteral("SELECT count(*) FROM ") + table);
    return p;
}

std::vector<Plan> plan(SqlConnection& source, SqlConnection& target)
{
    std::vector<Plan> plans;
    for (const QString& table : TableList::tables()) {
        const QStringList from = DatabaseTemplate::tableColumns(source, table);
        if (from.isEmpty())
            throw DbError(missingTable(table, true));
        const QStringList to = DatabaseTemplate::tableColumns(target, table);
        if (to.isEmpty())
            throw DbError(missingTable(table, false));
        plans.push_back(planOf(source, table, from, to));
    }
    // The tables a later version added: a database without them is whole.
    for (const QString& table : TableList::addedTables()) {
        const QStringList from = DatabaseTemplate::tableColumns(source, table);
        const QStringList to = DatabaseTemplate::tableColumns(target, table);
        if (to.isEmpty()) {
            // A target of an older version: its rows would be lost unseen.
            if (!from.isEmpty() && integerOf(source, QStringLiteral("SELECT count(*) FROM ") + table) > 0)
                throw DbError(missingTable(table, false));
            continue;
        }
        if (from.isEmpty()) {
            Plan p;
            p.table = table;
            p.fromSource = false;
            plans.push_back(std::move(p));
            continue;
        }
        plans.push_back(planOf(source, table, from, to));
    }
    return plans;
}

// One INSERT of `rows` rows of the plan's columns.
std::unique_ptr<SqlCursor> insertOf(SqlConnection& target, const Plan& p, int rows)
{
    QString one = QStringLiteral("(?");
    for (qsizetype c = 1; c < p.columns.size(); ++c)
        one += QStringLiteral(", ?");
    one += QLatin1Char(')');
    QString sql = QStringLiteral("INSERT INTO ") + p.table + QStringLiteral(" (") +
                  p.columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES ") + one;
    for (int r = 1; r < rows; ++r)
        sql += QStringLiteral(", ") + one;
    return target.backend()->prepare(sql.toUtf8(), nullptr);
}

void bindCell(SqlCursor& insert, int index, const ResultCells::Cell& cell, const ResultCells::Arena& arena)
{
    using ResultCells::Kind;
    switch (cell.kind) {
    case Kind::Null:
        insert.bindNull(index);
        break;
    case Kind::Integer:
        insert.bindInteger(index, cell.i);
        break;
    case Kind::Real:
        insert.bindReal(index, cell.d);
        break;
    case Kind::Text:
        insert.bindTextInPlace(index, QByteArrayView(arena.data() + cell.offset, qsizetype(cell.length)));
        break;
    case Kind::Blob:
        insert.bindBlob(index, QByteArray(arena.data() + cell.offset, qsizetype(cell.length)));
        break;
    }
}

void runInsert(SqlCursor& insert)
{
    while (insert.step()) {
    }
    insert.reset();
}

[[noreturn]] void stopped()
{
    throw DbError(QStringLiteral("Kopiowanie danych przerwano."));
}

// Reads the table's rows from the source in pages and writes them in batches.
qint64 copyTable(SqlConnection& source, SqlConnection& target, const Plan& p, qint64 copiedBefore,
                 qint64 inAll, const Progress& progress)
{
    const int width = int(p.columns.size());
    const int batch = std::max(1, std::min(kReadRows, target.dialect().maxParameters / width));
    // Pages of whole batches: only the table's last insert is shorter.
    const int page = batch * std::max(1, kReadRows / batch);
    const QString select =
        QStringLiteral("SELECT ") + p.columns.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + p.table;
    // By pages of the key where there is one, so a large table on the
    // server is not held in memory whole; each page continues after the last.
    const bool paged = !p.key.isEmpty() && p.columns.contains(p.key);
    const int keyColumn = paged ? int(p.columns.indexOf(p.key)) : -1;
    std::unique_ptr<SqlCursor> read = source.backend()->prepare(
        (paged ? select + QStringLiteral(" WHERE ") + p.key + QStringLiteral(" > ? ORDER BY ") + p.key +
                     QStringLiteral(" LIMIT ") + QString::number(page)
               : select)
            .toUtf8(),
        nullptr);
    std::unique_ptr<SqlCursor> full = insertOf(target, p, batch);
    std::unique_ptr<SqlCursor> tail;
    int tailRows = 0;

    ResultCells::Cells cells;
    ResultCells::Arena arena;
    qint64 copied = 0;
    // Keys are 32-bit integers on the server.
    qint64 lastKey = std::numeric_limits<qint32>::min();
    for (;;) {
        cells.clear();
        arena.clear();
        int rows = 0;
        if (paged) {
            read->reset();
            read->bindInteger(0, lastKey);
        }
        const SqlCursor::Read state = read->readRows(paged ? page : batch, cells, arena, rows, 0);
        if (state == SqlCursor::Read::Failed)
            throw DbError(read->errorMessage(), read->errorCode());
        for (int first = 0; first < rows; first += batch) {
            const int n = std::min(batch, rows - first);
            SqlCursor* insert = full.get();
            if (n != batch) {
                if (!tail || tailRows != n) {
                    tail = insertOf(target, p, n);
                    tailRows = n;
                }
                insert = tail.get();
            }
            for (int r = 0; r < n; ++r)
                for (int c = 0; c < width; ++c)
                    bindCell(*insert, r * width + c, cells[size_t(first + r) * size_t(width) + size_t(c)],
                             arena);
            runInsert(*insert);
            copied += n;
            if (progress && !progress(p.table, copiedBefore + copied, inAll))
                stopped();
        }
        if (paged && rows > 0)
            lastKey = cells[size_t(rows - 1) * size_t(width) + size_t(keyColumn)].i;
        const bool more = paged ? rows == page : state == SqlCursor::Read::More;
        if (!more)
            break;
    }
    return copied;
}

// The target's key counter of the table: past the source's and past every key copied.
void carryKeyCounter(SqlConnection& source, SqlConnection& target, const Plan& p)
{
    if (p.key.isEmpty())
        return;
    const QString table = p.table.toLower();
    const QString key = p.key.toLower();
    // The texts name the key column or not, as each engine needs.
    const auto named = [&](QString sql) {
        return sql.replace(QLatin1String("%1"), table).replace(QLatin1String("%2"), key);
    };
    const qint64 given = integerOf(source, named(source.dialect().keyCounter));
    const qint64 highest =
        integerOf(target, QStringLiteral("SELECT COALESCE(MAX(%1), 0) FROM %2").arg(key, table));
    const qint64 counter = std::max(given, highest);
    target.exec(named(target.dialect().setKeyCounter).replace(QLatin1String("%3"), QString::number(counter)));
}

} // namespace

std::vector<TableRows> copy(SqlConnection& source, SqlConnection& target, Target mode,
                            const Progress& progress)
{
    if (!source.isOpen() || !target.isOpen())
        throw DbError(QStringLiteral("Brak połączenia z bazą danych"));
    ReadTransaction read(source);
    WriteTransaction write(target);
    const std::vector<Plan> plans = plan(source, target);
    qint64 inAll = 0;
    for (const Plan& p : plans)
        inAll += p.rows;
    for (const Plan& p : plans) {
        if (mode == Target::Replace)
            target.exec(QStringLiteral("DELETE FROM ") + p.table);
        else if (integerOf(target, QStringLiteral("SELECT count(*) FROM ") + p.table) > 0)
            throw DbError(QStringLiteral("Baza docelowa zawiera już dane (tabela ") + p.table +
                          QStringLiteral("). Przenieść można tylko do pustej bazy danych."));
    }
    std::vector<TableRows> result;
    qint64 copied = 0;
    for (const Plan& p : plans) {
        if (!p.fromSource) {
            // Emptied above under Replace: the restored database is wholly
            // the older one. Its key counter stays, so no key is given twice.
            result.push_back({p.table, 0});
            continue;
        }
        if (g_tableHook)
            g_tableHook(p.table);
        const qint64 rows = copyTable(source, target, p, copied, inAll, progress);
        copied += rows;
        carryKeyCounter(source, target, p);
        result.push_back({p.table, rows});
    }
    target.noteWrite();
    write.commit();
    read.end();
    return result;
}

std::vector<TableRows> toNewFile(SqlConnection& source, const QString& file, const QString& password,
                                 const Progress& progress)
{
    if (password.isEmpty())
        throw DbError(QStringLiteral("Nie podano hasła bazy danych."));
    const QString temporary =
        file + QStringLiteral(".kopia-") + QString::number(QRandomGenerator::global()->generate(), 16);
    const auto discard = [&temporary] {
        for (const QString& f : {temporary, temporary + QStringLiteral("-journal")})
            if (QFileInfo::exists(f))
                QFile::remove(f);
    };
    std::vector<TableRows> rows;
    try {
        SqlConnection copyFile;
        copyFile.open(temporary, password, true);
        WriteTransaction write(copyFile);
        DatabaseTemplate::createTables(copyFile);
        rows = copy(source, copyFile, Target::Empty, progress);
        write.commit();
        copyFile.close();
        std::error_code ec;
        std::filesystem::rename(std::filesystem::path(temporary.toStdU16String()),
                                std::filesystem::path(file.toStdU16String()), ec);
        if (ec)
            throw DbError(QStringLiteral("Nie można zapisać pliku ") + file + QStringLiteral(": ") +
                          QString::fromLocal8Bit(ec.message().c_str()));
    } catch (...) {
        discard();
        throw;
    }
    return rows;
}

std::vector<TableRows> count(SqlConnection& connection)
{
    std::vector<TableRows> rows;
    ReadTransaction read(connection);
    QStringList tables = TableList::tables();
    const QStringList present = DatabaseTemplate::tables(connection);
    for (const QString& table : TableList::addedTables())
        if (present.contains(table, Qt::CaseInsensitive))
            tables << table;
    for (const QString& table : tables)
        rows.push_back({table, integerOf(connection, QStringLiteral("SELECT count(*) FROM ") + table)});
    return rows;
}

void setTableHook(std::function<void(const QString&)> hook)
{
    g_tableHook = std::move(hook);
}
} // namespace DatabaseCopy
