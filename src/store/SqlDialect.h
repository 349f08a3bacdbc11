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
    // How a text is matched against a pattern of what the user typed: the
    // file's GLOB, or the server's regular expressions (~).
    bool regexMatch = false;
    // Put before an ORDER BY term, keeps the engine from walking an index in
    // that order (the file's planner reads a unary + so); empty where none.
    QString noIndexOrder;

    static const SqlDialect& file();
    static const SqlDialect& server();
};
