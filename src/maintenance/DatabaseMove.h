#pragma once

#include "store/DatabaseCopy.h"
#include "store/ServerAddress.h"

#include <QString>
#include <QStringList>

#include <vector>

class SqlConnection;

// Moving the database a workstation works on into a database on a server or
// into a new database file: the target is checked and prepared first, then
// every row is copied in one transaction on the target, keys kept, and at the
// end both sides are counted table by table. The source is only read.
namespace DatabaseMove {
// A database on a server as a target of a move.
enum class ServerTarget
{
    Ready,    // the program's tables, every one of them empty
    Missing,  // no database of that name: it can be created
    NoTables, // a database without tables: the program's are made in it
    Refused   // holds data, another program's tables, or cannot be reached
};

struct ServerCheck
{
    ServerTarget state = ServerTarget::Refused;
    QString message; // Polish, for the user; for Missing and NoTables the question's start
    QString detail;  // the server's own text, for the log
};

// Looks at the target without writing anything. Never throws.
ServerCheck checkServer(const ServerAddress& address);

// Makes a Missing database and the program's tables (with the upgrade
// markers a new database has) in a Missing or NoTables one, in one
// transaction. Throws DbError with a Polish message.
void prepareServer(const ServerAddress& address, ServerTarget state);

// Why a folder cannot take the moved database file; empty when it can.
QString folderProblem(const QString& folder);

struct Counts
{
    // Rows per table read from the source and found in the target afterwards.
    std::vector<DatabaseCopy::TableRows> source;
    std::vector<DatabaseCopy::TableRows> target;
    // The tables whose two counts differ; empty after a sound move.
    QStringList differing() const;
};

// The moves. `progress` answering false stops the move; the target then
// stays as it was before the copy (DbError thrown, as for any failure: a
// lost connection, a refused target). The server target must have been
// checked Ready or prepared.
Counts toServer(SqlConnection& source, const ServerAddress& target,
                const DatabaseCopy::Progress& progress = {});
// A new file sprzetnik.db in `folder`, keyed with `password`, with the
// upgrade markers of a database at the current version beside it.
Counts toFile(SqlConnection& source, const QString& folder, const QString& password,
              const DatabaseCopy::Progress& progress = {});
} // namespace DatabaseMove
