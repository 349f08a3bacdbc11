#pragma once

#include "store/SqlBackend.h"

// The encrypted database file: one keyed SQLCipher connection.
class FileBackend final : public SqlBackend
{
public:
    // Opens and keys the file and reads from it once, so a wrong key or a file
    // that is not a database fails here. Throws DbError.
    FileBackend(const QString& file, const QByteArray& key, bool create, qint64 cacheKib);
    ~FileBackend() override;
    FileBackend(const FileBackend&) = delete;
    FileBackend& operator=(const FileBackend&) = delete;

    const SqlDialect& dialect() const override;
    std::unique_ptr<SqlCursor> prepare(const QByteArray& sql, int* tail) override;
    void exec(const QString& script) override;
    void execQuietly(const char* sql) noexcept override;
    bool inTransaction() const override;
    bool changedSinceAsked() override;
    void rekey(const QByteArray& key) override;
    void setBusyTimeout(int ms) override;
    [[noreturn]] void fail(int rc) const override;
    sqlite3* fileHandle() const override { return m_db; }

private:
    sqlite3* m_db = nullptr;
    qint64 m_seenChanges = -1;
    qint64 m_seenDataVersion = -1;
};
