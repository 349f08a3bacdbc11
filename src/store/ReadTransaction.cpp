#include "store/ReadTransaction.h"

#include "store/DbError.h"
#include "store/SqlConnection.h"
#include "store/SqlDialect.h"

ReadTransaction::ReadTransaction(SqlConnection& connection) : m_connection(connection)
{
    if (!connection.isOpen())
        throw DbError(QStringLiteral("Brak połączenia z bazą danych"));
    if (connection.inTransaction())
        return;
    // A file replaced by another workstation is left for the one now in its place.
    connection.ensureCurrent();
    connection.exec(connection.dialect().beginRead);
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
    if (!m_connection.inTransaction())
        return;
    m_connection.execQuietly("COMMIT");
    if (m_connection.inTransaction())
        m_connection.execQuietly("ROLLBACK"); // the lock is never kept
}
