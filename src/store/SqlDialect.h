#pragma once

#include <QString>

// What really differs between the database file and the database server; the
// statement texts themselves are one set in portable SQL. Each backend hands
// out one of these and the store asks it instead of asking which one runs.
struct SqlDialect
{
    // Starts the transaction of writes that belong together. It holds the one
    // write lock of the database until the end, so an insert and the read of
    // its new key (MAX) or a count that guards an insert see no other writer.
    QString beginWrite;
    // Starts reads that belong together: one consistent view until the end.
    QString beginRead;
    // Table names in creation order, without the engine's own.
    QString tablesQuery;
    // Column names of table %1 (a plain name checked by the caller) in
    // declared order, in a column "name".
    QString columnsQuery;
    // Whether the lists keep Polish sort key columns (made by a function of
    // this program inside the engine); the server sorts by its own collation.
    bool sortKeyColumns = false;
    // Whether a long list in the order of an indexed key reads its rest in
    // short pages, each continuing after the last row read (Statement::Keyset);
    // otherwise the rest comes from the one read the list opened.
    bool keysetPages = false;
    // Whether a read sends its whole result at once: its first rows and each
    // page then ask for their rows by a LIMIT, or the first rows would wait
    // for the whole list.
    bool pagesByLimit = false;
    // Whether the keyed tables keep their row counts by archive in a table of
    // their own (liczby_wierszy, kept by triggers): a list filtered by its
    // archive alone is then counted without reading its rows.
    bool rowCounts = false;
    // A list's order words: NULL before every value ascending and after them
    // descending, as the file orders it, on both.
    QString ascending;
    QString descending;
    // Where the upgrades of the first versions' databases (1.0.2 to 1.0.5)
    // mark themselves done: files beside the database file (update1.0.2 and
    // so on), or rows of the database's own table znaczniki_aktualizacji on
    // a server, which has no folder beside it. Only the file copies a table
    // into a file (naprawy.BAK) before an upgrade changes its columns.
    bool markersInDatabase = false;
    // How a text is matched against a pattern of what the user typed: the
    // file's GLOB, or the server's regular expressions (~).
    bool regexMatch = false;
    // Put before an ORDER BY term, keeps the engine from walking an index in
    // that order (the file's planner reads a unary + so); empty where none.
    QString noIndexOrder;
    // The last key given in table %1 (key column %2): a copy of a database
    // carries it over, so a key the original gave is not given again.
    QString keyCounter;
    // Sets that counter to %3 (a number, at least the table's highest key).
    QString setKeyCounter;
    // The most values one statement may bind.
    int maxParameters = 999;
    // Reclaims the space of deleted rows of the whole database; run outside
    // any transaction. The server also renews its planner's statistics.
    QString pack;
    // Counts the other workstations connected to this database now; empty
    // where they mark themselves in a presence file beside the database.
    QString othersQuery;

    static const SqlDialect& file();
    static const SqlDialect& server();
};
