#pragma once

#include <QString>
#include <QStringList>

class TmyDataBase;

// What "Wyczyść zbiór" of the administration window empties for each entry
// of its list, and the packing of the database.
namespace TableEmptying {
struct Entry
{
    const char* text;      // the entry as listed
    const char* table;     // a table emptied whole, or null
    const char* statement; // a statement run after it, or null
    const char* param;     // :PARAM0 of the statement
};
// The 39 entries in list order.
const std::vector<Entry>& entries();
QStringList texts();

// Runs the entry's action in one transaction; a failure is reported with
// code 300 and nothing of the entry is emptied. False for an unknown text too.
bool empty(TmyDataBase& db, const QString& entryText);

// Reclaims the space of deleted rows of the whole database, on the server
// also renewing its statistics; outside any transaction, so one left open
// fails it. A failure is reported with code 370.
bool packAll(TmyDataBase& db);
} // namespace TableEmptying
