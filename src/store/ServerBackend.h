#pragma once

#include "store/ServerAddress.h"
#include "store/SqlBackend.h"

#include <QList>

struct pg_conn;
struct pg_result;

// A database on a PostgreSQL server, over libpq. Statements are sent with
// their parameters apart from the text ($1, $2, ... in place of :NAME), so
// nothing a user typed is ever part of SQL; the results come back whole.
class ServerBackend final : public SqlBackend
{
public:
    // Logs in and checks that the database holds this program's tables.
    // Throws DbError with a Polish message (the server's own text goes to the log).
    explicit ServerBackend(const ServerAddress& address);
    ~ServerBackend() override;
    ServerBackend(const ServerBackend&) = delete;
    ServerBackend& operator=(const ServerBackend&) = delete;

    const SqlDialect& dialect() const override;
    std::unique_ptr<SqlCursor> prepare(const QByteArray& sql, int* tail) override;
    void exec(const QString& script) override;
    void execQuietly(const char* sql) noexcept override;
    bool inTransaction() const override;
    bool changedSinceAsked() override;
    void rekey(const QByteArray& key) override;
    void setBusyTimeout(int ms) override;
    [[noreturn]] void fail(int rc) const override;
    void setLostHandler(std::function<void()> handler) override { m_lost = std::move(handler); }

    // Why a login failed, told from the client library's text.
    enum class LoginProblem
    {
        Unreachable,
        Refused, // user or password
        NoDatabase,
        TlsRefused
    };
    static LoginProblem loginProblem(const QString& detail);

    pg_conn* connection() const { return m_conn; }
    // Throws DbError for a result that is not a success; frees it then.
    void check(pg_result* result) const;
    // How often the unnamed statement of the session was replaced.
    quint64 unnamedGeneration() const { return m_unnamed; }
    void noteUnnamedPrepared() { ++m_unnamed; }

    // The first statement of `sql` with :NAME and ? replaced by $1, $2, ...:
    // `names` gets each parameter's name (empty for ?), `end` the offset just
    // past the statement and its ';'. Quotes and comments are passed over.
    static QByteArray translate(const QByteArray& sql, QList<QByteArray>& names, int& end);
    // The script that makes the server side of a new database: the Polish
    // collation, the change counter and its triggers on every table. Runs
    // after the tables were created.
    static QString changeCounterScript(const QStringList& tables);
    // The counter's trigger on one table made after the others.
    static QString changeCounterTrigger(const QString& table);
    // The function that gives new keys (run before the tables are made).
    static QString keyFunctionScript();
    // A template's CREATE TABLE in the server's types.
    static QString serverSchema(const QString& statement);

private:
    pg_conn* m_conn = nullptr;
    qint64 m_seenCounter = -1;
    bool m_hasCounter = false;
    quint64 m_unnamed = 0;
    std::function<void()> m_lost;
    mutable bool m_lostTold = false;
};
