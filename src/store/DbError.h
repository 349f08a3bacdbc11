#pragma once

#include <QString>

#include <stdexcept>

// A failure of the store, carrying the store's own message text.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString& message, int code = 0, const QString& detail = QString())
        : std::runtime_error(message.toStdString()), m_message(message), m_code(code), m_detail(detail)
    {
    }
    QString message() const { return m_message; }
    // The engine's own text behind a message that was already put in Polish
    // (for the error log only); empty when the message is the engine's.
    QString detail() const { return m_detail; }
    // The SQLite result code (SQLITE_NOTADB, SQLITE_BUSY, ...), 0 when not from SQLite.
    int sqliteCode() const { return m_code; }

private:
    QString m_message;
    int m_code;
    QString m_detail;
};
