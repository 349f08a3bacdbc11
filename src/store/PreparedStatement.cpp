#include "store/PreparedStatement.h"

#include "store/DbError.h"
#include "store/SqlBackend.h"
#include "store/SqlConnection.h"

PreparedStatement::PreparedStatement(SqlConnection& connection, const QString& sql) : m_connection(connection)
{
    if (!connection.isOpen())
        throw DbError(QStringLiteral("Brak połączenia z bazą danych"));
    m_cursor = connection.backend()->prepare(sql.toUtf8(), nullptr);
    if (!m_cursor)
        throw DbError(QStringLiteral("Pusta instrukcja SQL"));
}

PreparedStatement::~PreparedStatement() = default;

void PreparedStatement::startOver()
{
    if (m_running)
        reset();
}

void PreparedStatement::bind(int index, const QString& value)
{
    startOver();
    m_cursor->bindText(index, value.toUtf8());
}

void PreparedStatement::bindUtf8(int index, QByteArrayView utf8)
{
    startOver();
    m_cursor->bindTextInPlace(index, utf8);
}

void PreparedStatement::bind(int index, qint64 value)
{
    startOver();
    m_cursor->bindInteger(index, value);
}

bool PreparedStatement::step()
{
    m_running = true;
    // The message is the step's; resetting afterwards keeps the statement usable.
    try {
        return m_cursor->step();
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
    const int changed = m_cursor->changes();
    if (!m_cursor->isReadOnly())
        m_connection.noteWrite();
    reset();
    return changed;
}

void PreparedStatement::reset()
{
    m_cursor->reset();
    m_running = false;
}

QString PreparedStatement::text(int column) const
{
    return m_cursor->text(column);
}

QByteArrayView PreparedStatement::utf8(int column) const
{
    return m_cursor->utf8(column);
}

qint64 PreparedStatement::integer(int column) const
{
    return m_cursor->integer(column);
}
