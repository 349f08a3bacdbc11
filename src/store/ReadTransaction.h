#pragma once

class SqlConnection;

// Reads that belong together under one shared lock of the file: taken on
// construction (a read is made at once), released by end() or when the
// guard leaves scope. While it is held no other workstation's commit reaches
// the file; lookups made under it cost no lock of their own.
// Inside a transaction that is already open the guard does nothing: the
// outer one holds the lock and decides when it ends.
class ReadTransaction
{
public:
    // Throws DbError (busy past the timeout, no connection, not a database).
    explicit ReadTransaction(SqlConnection& connection);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

    void end();
    bool isActive() const { return m_active; }

private:
    SqlConnection& m_connection;
    bool m_active = false;
};
