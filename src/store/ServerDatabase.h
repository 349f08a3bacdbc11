#pragma once

#include "store/ServerAddress.h"

#include <QString>

// A database on a server as the database dialog and the start-up see it
// before the program works on it: can it be reached, does it exist, does it
// hold this program's tables.
namespace ServerDatabase {
enum class State
{
    Ready,       // the program's tables are there
    Unreachable, // no server at the address, or it does not answer
    Refused,     // user or password
    NoDatabase,  // no database of that name on the server
    TlsRefused,  // an encrypted connection is required and the server refuses it
    Empty,       // the database holds no tables: a new one can be made in it
    Foreign,     // tables of another program, or only some of this one's
    Failed       // anything else the server answered
};

struct Probe
{
    State state = State::Failed;
    QString message; // Polish, for the user; empty when Ready
    QString detail;  // the server's own text, for the log
};

// One short connection; never throws.
Probe probe(const ServerAddress& address);

// Whether `name` may name a new database: letters, digits and '_', not
// starting with a digit, at most 63 characters. The name becomes part of a
// statement (a database name cannot be a parameter), so nothing else passes.
bool plainName(const QString& name);

// Creates the empty database `address.database` through the server's
// maintenance database "postgres", as the user of `address`. Throws DbError
// with a Polish message.
void createDatabase(const ServerAddress& address);
} // namespace ServerDatabase
