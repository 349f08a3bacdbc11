#pragma once

#include <QString>

#include <functional>
#include <vector>

class SqlConnection;

// Copies the rows of every table of the table list from one open database
// into another of either kind, keys kept: an archive taken from a server, an
// archive restored onto it, a database moved between the file and a server.
// The tables kept beside the list (TableList::addedTables) are copied where
// both sides have them; one only the target has is treated as an empty one
// of the source (emptied under Replace, so a restored older archive leaves
// none of the replaced rows); one only the source has is passed over while it
// is empty, and refused when it holds rows, which the target could not keep.
namespace DatabaseCopy {
struct TableRows
{
    QString table;
    qint64 rows = 0;
};

// Called after every batch of rows written; answering false stops the copy
// and the target is rolled back.
using Progress = std::function<bool(const QString& table, qint64 rowsCopied, qint64 rowsInAll)>;

enum class Target
{
    Empty,  // the target's tables must hold no rows; one that does is refused
    Replace // every row of the target is deleted first
};

// Reads the source in one read transaction (one consistent view of it, while
// other workstations go on writing) and writes the target in one write
// transaction, so a failure, a stop or a lost connection leaves the target
// as it was. A table copies the columns both of its versions have. The
// target's key counters end past the source's, so a key the source ever gave
// is not given again. Answers the rows copied per table in table-list order,
// then the added tables the target has.
// Throws DbError with a Polish message (the engine's text in its detail).
std::vector<TableRows> copy(SqlConnection& source, SqlConnection& target, Target mode,
                            const Progress& progress = {});

// Writes the source into a new database file keyed with `password`: the
// program's empty tables, then copy(). Built under a temporary name beside
// `file` and renamed over it when complete, so `file` is never half written.
// Throws DbError.
std::vector<TableRows> toNewFile(SqlConnection& source, const QString& file, const QString& password,
                                 const Progress& progress = {});

// The rows of every table of the table list, then of the added tables the
// database has. Throws DbError.
std::vector<TableRows> count(SqlConnection& connection);

// Tests: called with the table's name before its rows are written, inside
// the target's transaction; a throw there fails the copy.
void setTableHook(std::function<void(const QString& table)> hook);
} // namespace DatabaseCopy
