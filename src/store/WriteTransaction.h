#pragma once

#include <QString>

class SqlConnection;

// Writes that belong together: BEGIN IMMEDIATE on construction (the write
// lock is taken at once, so another workstation cannot slip in between an
// insert and the read of its new key), COMMIT by commit(), ROLLBACK when the
// guard leaves scope uncommitted (an exception or an early return).
//
// Inside a transaction that is already open (a command calling an operation
// that guards itself) the guard is a savepoint of the outer one, so a failure
// undoes only its own part and the outer guard still decides.
class WriteTransaction
{
public:
    // Throws DbError when the write lock cannot be taken (busy, read-only).
    explicit WriteTransaction(SqlConnection& connection);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    // Throws DbError; the transaction is rolled back when the commit fails.
    void commit();
    void rollback();
    bool isActive() const { return m_active; }
    bool isNested() const { return !m_savepoint.isEmpty(); }

private:
    SqlConnection& m_connection;
    QString m_savepoint;
    bool m_active = false;
};
