#include "store/ReadTransaction.h"

#include "store/DbError.h"
#include "store/SqlConnection.h"

#include <sqlcipher/sqlite3.h>

ReadTransaction::ReadTransaction(SqlConnection& connection) : m_connection(connection)
{
    if (!connection.isOpen())
        throw DbError(QStringLiteral("Brak połączenia z bazą danych"));
    if (!sqlite3_get_autocommit(connection.handle()))
        return;
    // A file replaced by another workstation is left for the one now in its place.
    connection.ensureCurrent();
    // A deferred BEGIN takes no lock until the first read: read at once.
    connection.exec(QStringLiteral("BEGIN; SELECT count(*) FROM sqlite_master"));
    m_active = true;
}

ReadTransaction::~ReadTransaction()
{
    end();
}

void ReadTransaction::end()
{
    if (!m_active)
        return;
    m_active = false;
    // Never throws: nothing was written, and it runs while an error unwinds.
    sqlite3* db = m_connection.handle();
    if (db && !sqlite3_get_autocommit(db) &&
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr); // the lock is never kept
}
