#include "store/WriteTransaction.h"

#include "store/DbError.h"
#include "store/SqlConnection.h"
#include "store/SqlDialect.h"

#include <atomic>

namespace {
std::atomic<int> g_savepointCounter{0};

// Where the write lock is taken by a statement after BEGIN (the server), a
// lock not had in time leaves a transaction begun: it is ended here, or
// every later statement of the connection would fail.
void begin(SqlConnection& connection)
{
    try {
        connection.exec(connection.dialect().beginWrite);
    } catch (...) {
        if (connection.inTransaction())
            connection.execQuietly("ROLLBACK");
        throw;
    }
}
} // namespace

WriteTransaction::WriteTransaction(SqlConnection& connection) : m_connection(connection)
{
    if (!connection.isOpen())
        throw DbError(QStringLiteral("Brak połączenia z bazą danych"));
    if (!connection.inTransaction()) {
        // A list still reading would meet the rows changed half way.
        connection.finishPendingReads();
        connection.ensureCurrent();
        begin(connection);
        // Looked at under the write lock: a restore renames its file in only
        // while it holds the lock of the old one, so a file still in place
        // now stays in place until the commit.
        if (connection.isReplaced()) {
            connection.exec(QStringLiteral("ROLLBACK"));
            connection.ensureCurrent();
            begin(connection);
        }
    } else {
        m_savepoint = QStringLiteral("sp_%1").arg(++g_savepointCounter);
        connection.exec(QStringLiteral("SAVEPOINT ") + m_savepoint);
    }
    m_active = true;
}

WriteTransaction::~WriteTransaction()
{
    rollback();
}

void WriteTransaction::commit()
{
    if (!m_active)
        throw DbError(QStringLiteral("Transakcja nie jest otwarta"));
    try {
        m_connection.exec(m_savepoint.isEmpty() ? QStringLiteral("COMMIT")
                                                : QStringLiteral("RELEASE ") + m_savepoint);
        m_active = false;
    } catch (...) {
        rollback();
        throw;
    }
}

void WriteTransaction::rollback()
{
    if (!m_active)
        return;
    m_active = false;
    if (!m_connection.isOpen())
        return;
    // Never throws: it runs from the destructor while an error unwinds.
    if (m_savepoint.isEmpty()) {
        if (m_connection.inTransaction())
            m_connection.execQuietly("ROLLBACK");
    } else {
        const QByteArray sql = ("ROLLBACK TO " + m_savepoint + "; RELEASE " + m_savepoint).toUtf8();
        m_connection.execQuietly(sql.constData());
    }
}
