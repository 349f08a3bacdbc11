#include "store/PreparedStatement.h"

#include "store/DbError.h"
#include "store/SqlConnection.h"

#include <sqlcipher/sqlite3.h>

PreparedStatement::PreparedStatement(SqlConnection& connection, const QString& sql) : m_connection(connection)
{
    if (!connection.isOpen())
        throw DbError(QStringLiteral("Brak połączenia z bazą danych"));
    const QByteArray text = sql.toUtf8();
    const int rc =
        sqlite3_prepare_v2(connection.handle(), text.constData(), int(text.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK)
        connection.fail(rc);
    if (!m_stmt)
        throw DbError(QStringLiteral("Pusta instrukcja SQL"));
}

PreparedStatement::~PreparedStatement()
{
    sqlite3_finalize(m_stmt);
}

void PreparedStatement::startOver()
{
    if (m_running)
        reset();
}

void PreparedStatement::bind(int index, const QString& value)
{
    startOver();
    const QByteArray bytes = value.toUtf8();
    sqlite3_bind_text(m_stmt, index + 1, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
}

void PreparedStatement::bindUtf8(int index, QByteArrayView utf8)
{
    startOver();
    // A null pointer would bind NULL.
    sqlite3_bind_text(m_stmt, index + 1, utf8.isEmpty() ? "" : utf8.data(), int(utf8.size()), SQLITE_STATIC);
}

void PreparedStatement::bind(int index, qint64 value)
{
    startOver();
    sqlite3_bind_int64(m_stmt, index + 1, value);
}

bool PreparedStatement::step()
{
    m_running = true;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    // The message is the step's; resetting afterwards keeps the statement usable.
    try {
        m_connection.fail(rc);
    } catch (...) {
        reset();
        throw;
    }
}

int PreparedStatement::execute()
{
    startOver();
    while (step()) {
    }
    const int changed = sqlite3_changes(m_connection.handle());
    if (!sqlite3_stmt_readonly(m_stmt))
        m_connection.noteWrite();
    reset();
    return changed;
}

void PreparedStatement::reset()
{
    sqlite3_reset(m_stmt);
    m_running = false;
}

QString PreparedStatement::text(int column) const
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column));
}

QByteArrayView PreparedStatement::utf8(int column) const
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return QByteArrayView(data, sqlite3_column_bytes(m_stmt, column));
}

qint64 PreparedStatement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}
