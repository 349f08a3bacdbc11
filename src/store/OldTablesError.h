#pragma once

#include <QString>

#include <stdexcept>

// Why bringing over the previous version's tables stopped, with the Polish
// text the user is shown. Nothing of the new database stays behind.
class OldTablesError : public std::runtime_error
{
public:
    enum class Reason
    {
        NoTables,      // the folder holds no table files
        Locked,        // the previous version still has the tables open
        WrongPassword, // the password does not open a protected table
        Damaged,       // a table or blob file cannot be read whole
        DoesNotFit,    // a value does not fit its column
        TargetExists,  // the target folder already holds a database
        TargetFailed,  // the new database cannot be written (read-only, disk full, ...)
        Cancelled      // the user stopped it
    };

    OldTablesError(Reason reason, const QString& message, int sqliteCode = 0)
        : std::runtime_error(message.toStdString()), m_reason(reason), m_message(message), m_code(sqliteCode)
    {
    }
    Reason reason() const { return m_reason; }
    QString message() const { return m_message; }
    // The SQLite result code when the store refused a write, else 0.
    int sqliteCode() const { return m_code; }

private:
    Reason m_reason;
    QString m_message;
    int m_code;
};
