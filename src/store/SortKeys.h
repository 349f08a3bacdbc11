#pragma once

#include "store/Statement.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>

class SqlConnection;
struct sqlite3;

// Polish order kept in the file as plain bytes: beside the default order
// column of each large register a key column ("NREWID_PL") whose byte order is
// the order of `ORDER BY NREWID COLLATE PL`, and an index over it. A list in
// that order then reads its first rows from the index at once instead of
// sorting the whole table first. The file holds only a plain column and a
// plain index, so any SQLite tool still opens, reads and writes it.
//
// The keys are kept current by triggers this program creates in each of its
// connections (TEMP, so the file never names our key function); rows written
// by anything else get their key at the next login.
namespace SortKeys {
struct Keyed
{
    const char* list;    // list statement
    const char* table;   // its base table
    const char* column;  // the order column that has a key
    const char* archive; // a column every list filters by equality first ("" none)
    const char* id;      // the unique column the list's first result column holds
};
const QList<Keyed>& keyed();

QString keyColumn(const char* column);
QString indexName(const Keyed& k);

// The key of one value: NULL, numbers, text and blobs in the engine's order of
// storage classes, text by PolishCollation::sortKey.
std::string keyOfNull();
std::string keyOfNumber(double value);
std::string keyOfText(const char* text, int length);
std::string keyOfBlob(const char* data, int length);

// Registers the key function and creates the TEMP triggers of every keyed
// table whose key column exists; remembers them on the connection.
void attach(SqlConnection& connection);
// Told how far adding the keys has come: rows given a key of those to give.
// The first call comes before any work, only when there is some.
using Progress = std::function<void(qint64 done, qint64 total)>;
// Adds what is missing (key column, filled keys, index) to every keyed table
// and gives a key to rows that lack one. Run inside one write transaction.
// Answers whether anything had to be added.
bool addMissing(SqlConnection& connection, const Progress& progress = {});

// What a new database on the server gets for the keyed lists: an index each
// in the order the list reads (its archive first, NULL first, the id breaking
// ties), so the first rows and each page come from the index, not from
// sorting the whole table; and their row counts by archive, kept by triggers
// (SqlDialect::rowCounts), so a list is counted without reading it all.
QString serverListScript();

// The ORDER BY term for `orderColumn` of `list` when that list's keys are kept
// on this connection ("K.NREWID_PL"); empty otherwise.
QString orderTerm(const SqlConnection& connection, const QString& list, const QString& orderColumn);
// How a keyed list in that order reads its rest by pages (Statement::Keyset);
// an empty keyTerm for any other list or order.
Statement::Keyset keyset(const SqlConnection& connection, const QString& list, const QString& orderColumn,
                         bool ascending);
// "SELECT COUNT(*) FROM <table> WHERE 1=1 <conditions>" for a keyed list: the
// list's row count without its joins (they are all to-one lookups); the count
// kept beside the table where there is one and the list is filtered by its
// archive alone. Empty for a list without keys.
QString countText(const SqlConnection& connection, const QString& list, const QStringList& conditions);
} // namespace SortKeys
