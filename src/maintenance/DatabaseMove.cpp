#include "maintenance/DatabaseMove.h"

#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/SchemaUpgrades.h"
#include "store/ServerDatabase.h"
#include "store/SqlConnection.h"
#include "store/TableList.h"
#include "store/WriteTransaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace DatabaseMove {
ServerCheck checkServer(const ServerAddress& address)
{
    ServerCheck check;
    const ServerDatabase::Probe probe = ServerDatabase::probe(address);
    switch (probe.state) {
    case ServerDatabase::State::NoDatabase:
        check.state = ServerTarget::Missing;
        check.message =
            QStringLiteral("Na serwerze %1 nie ma bazy danych %2.").arg(address.host, address.database);
        return check;
    case ServerDatabase::State::Empty:
        check.state = ServerTarget::NoTables;
        check.message = probe.message;
        return check;
    case ServerDatabase::State::Ready:
        break;
    default:
        check.message = probe.message;
        check.detail = probe.detail;
        return check;
    }
    // The program's tables: the rows of the move go only into empty ones, so
    // nothing already kept there is mixed with them or lost.
    try {
        SqlConnection connection;
        connection.openServer(address);
        for (const DatabaseCopy::TableRows& t : DatabaseCopy::count(connection))
            if (t.rows > 0) {
                check.message = QStringLiteral("Baza danych %1 na serwerze zawiera już dane (tabela %2: %3 "
                                               "wierszy). Bazę można przenieść tylko do bazy pustej.")
                                    .arg(address.database, t.table)
                                    .arg(t.rows);
                return check;
            }
        check.state = ServerTarget::Ready;
    } catch (const DbError& e) {
        check.message = e.message();
        check.detail = e.detail().isEmpty() ? e.message() : e.detail();
    }
    return check;
}

void prepareServer(const ServerAddress& address, ServerTarget state)
{
    if (state == ServerTarget::Missing)
        ServerDatabase::createDatabase(address);
    if (state != ServerTarget::Missing && state != ServerTarget::NoTables)
        return;
    SqlConnection connection;
    connection.openServer(address);
    try {
        WriteTransaction transaction(connection);
        DatabaseTemplate::createTables(connection);
        // The moved rows make a database of the current version: no upgrade applies.
        SchemaUpgrades::addMarkerTable(connection);
        transaction.commit();
    } catch (const DbError& e) {
        throw DbError(
            QStringLiteral("Nie udało się przygotować tabel programu w bazie danych %1 na serwerze. ")
                    .arg(address.database) +
                e.message(),
            e.sqliteCode(), e.detail().isEmpty() ? e.message() : e.detail());
    }
}

QString folderProblem(const QString& folder)
{
    if (folder.trimmed().isEmpty())
        return QStringLiteral("Wskaż folder, do którego ma zostać przeniesiona baza danych.");
    const QFileInfo info(folder);
    if (!info.isDir())
        return QStringLiteral("Folder %1 nie istnieje.").arg(QDir::toNativeSeparators(folder));
    if (QFileInfo::exists(DatabaseTemplate::databaseFile(folder)))
        return QStringLiteral("W folderze %1 jest już baza danych (%2). Wskaż inny folder.")
            .arg(QDir::toNativeSeparators(folder), kDatabaseFileName);
    if (!info.isWritable())
        return QStringLiteral("Do folderu %1 nie można zapisywać. Wskaż inny folder.")
            .arg(QDir::toNativeSeparators(folder));
    return {};
}

QStringList Counts::differing() const
{
    QStringList out;
    for (const DatabaseCopy::TableRows& s : source) {
        qint64 found = -1;
        for (const DatabaseCopy::TableRows& t : target)
            if (t.table.compare(s.table, Qt::CaseInsensitive) == 0)
                found = t.rows;
        if (found != s.rows)
            out << s.table;
    }
    for (const DatabaseCopy::TableRows& t : target) {
        bool known = false;
        for (const DatabaseCopy::TableRows& s : source)
            known = known || t.table.compare(s.table, Qt::CaseInsensitive) == 0;
        if (!known)
            out << t.table;
    }
    return out;
}

Counts toServer(SqlConnection& source, const ServerAddress& target, const DatabaseCopy::Progress& progress)
{
    SqlConnection connection;
    connection.openServer(target);
    Counts counts;
    counts.source = DatabaseCopy::copy(source, connection, DatabaseCopy::Target::Empty, progress);
    counts.target = DatabaseCopy::count(connection);
    return counts;
}

Counts toFile(SqlConnection& source, const QString& folder, const QString& password,
              const DatabaseCopy::Progress& progress)
{
    if (const QString problem = folderProblem(folder); !problem.isEmpty())
        throw DbError(problem);
    if (const QString problem = DatabaseTemplate::passwordProblem(password); !problem.isEmpty())
        throw DbError(problem);
    const QString file = DatabaseTemplate::databaseFile(folder);
    Counts counts;
    counts.source = DatabaseCopy::toNewFile(source, file, password, progress);
    // The file holds every table of the current version: the upgrades of
    // older files are marked done, as for a new database.
    for (const QString& marker : DatabaseTemplate::upgradeMarkers()) {
        QFile done(QDir(folder).filePath(marker));
        if (!done.exists() && done.open(QIODevice::WriteOnly))
            done.close();
    }
    SqlConnection connection;
    connection.open(file, password);
    counts.target = DatabaseCopy::count(connection);
    return counts;
}
} // namespace DatabaseMove
