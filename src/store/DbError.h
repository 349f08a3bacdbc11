#pragma once

#include <QString>

#include <stdexcept>

// A failure of the store, carrying the store's own message text.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString& message, int code = 0)
        : std::runtime_error(message.toStdString()), m_message(message), m_code(code)
    {
    }
    QString message() const { return m_message; }
    // The SQLite result code (SQLITE_NOTADB, SQLITE_BUSY, ...), 0 when not from SQLite.
    int sqliteCode() const { return m_code; }

private:
    QString m_message;
    int m_code;
};
