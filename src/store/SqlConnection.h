#pragma once

#include "store/FileIdentity.h"
#include "store/ServerAddress.h"
#include "store/SqlBackend.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

struct sqlite3;
struct SqlDialect;

class Statement;

// One open database: a keyed SQLCipher file (rollback journal, so a database
// on a network share works, a busy timeout, and the Polish collation "PL") or
// a database on a server. Statements and transactions run through it alike;
// what differs between the two is in its dialect().
class SqlConnection
{
public:
    SqlConnection() = default;
    ~SqlConnection();
    SqlConnection(const SqlConnection&) = delete;
    SqlConnection& operator=(const SqlConnection&) = delete;

    // Opens and keys the file and reads from it once, so a wrong key or a file
    // that is not a database fails here. Throws DbError. `create` allows a new file.
    void open(const QString& file, const QString& key, bool create = false);
    // Logs in to a database on a server. Throws DbError with a Polish message.
    void openServer(const ServerAddress& address);
    void close();
    bool isOpen() const { return m_backend != nullptr; }
    bool isServer() const { return m_server; }
    const SqlDialect& dialect() const;
    SqlBackend* backend() const { return m_backend.get(); }
    bool inTransaction() const;

    // Whether another file now stands at the connection's path: one renamed
    // over it, as a restore on another workstation does. The connection still
    // holds the old one, which nobody else sees any more.
    bool isReplaced() const;
    // Run before every read and write outside a transaction: when the file
    // was replaced, opens the one now at the path with the same key and calls
    // the replaced handler. Answers whether it reopened. Throws DbError when
    // the new file does not open; the old one stays open then (the engine
    // refuses writes to it) and the next call tries again.
    bool ensureCurrent();
    void setReplacedHandler(std::function<void()> handler) { m_replaced = std::move(handler); }
    // Called when the connection to a server is found lost.
    void setLostHandler(std::function<void()> handler) { m_lost = std::move(handler); }
    QString file() const { return m_file; }
    // Whether the file was opened with this key (a copy of its bytes opens with it too).
    bool hasKey(const QString& key) const { return m_backend && m_key == key.toUtf8(); }
    // The engine's handle of a database file; null on a server.
    sqlite3* handle() const;

    // Runs a script of one or more statements. Throws DbError.
    void exec(const QString& sql);
    // Runs `sql` and ignores the outcome (a rollback while an error unwinds).
    void execQuietly(const char* sql) noexcept;
    void rekey(const QString& newKey);
    void vacuum() { exec(QStringLiteral("VACUUM")); }

    // A number that grows whenever the database may have changed since it was
    // last asked: a write of this connection (rows changed or a script run) or
    // a commit of another connection (the engine's data version).
    quint64 changeStamp();
    void noteWrite() { ++m_generation; }

    // Throws DbError built from the connection's last error; a write refused
    // because the file was replaced gets a Polish text saying so.
    [[noreturn]] void fail(int rc) const;

    static QString version(); // "SQLite x.y.z / SQLCipher a.b.c"
    static int busyTimeoutMs() { return 5000; }
    // Another wait for locks than busyTimeoutMs() (tests of two workstations).
    void setBusyTimeout(int ms);
    static QString replacedText();

    // The lists whose Polish sort keys this connection keeps (SortKeys::attach).
    void setSortKeyedLists(const QStringList& lists) { m_sortKeyed = lists; }
    bool hasSortKeys(const QString& list) const { return m_sortKeyed.contains(list); }

    // Statements still reading their rows. A read left open would see this
    // connection's own writes half way, so every write first finishes them,
    // and closing the connection ends them where they are.
    void addPendingRead(Statement* statement);
    void removePendingRead(Statement* statement);
    void finishPendingReads();
    void stopPendingReads();

    // Page cache in KiB for a database file of `fileBytes`.
    static qint64 cacheKibFor(qint64 fileBytes);

private:
    void openOnce(const QString& file, const QByteArray& key, bool create);

    std::unique_ptr<SqlBackend> m_backend;
    bool m_server = false;
    QByteArray m_key;
    FileIdentity m_identity;
    std::function<void()> m_replaced;
    std::function<void()> m_lost;
    quint64 m_generation = 0;
    QString m_file;
    QStringList m_sortKeyed;
    std::vector<Statement*> m_pendingReads;
};
