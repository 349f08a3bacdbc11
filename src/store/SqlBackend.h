#pragma once

#include "store/ResultCells.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct SqlDialect;
struct sqlite3;

// One compiled statement of a backend and its run: parameters bound by
// 0-based index, rows stepped one by one or read in batches into a
// statement's cells.
class SqlCursor
{
public:
    virtual ~SqlCursor() = default;

    virtual int parameterCount() const = 0;
    // The upper-case name without ':' of a named parameter; empty for '?'.
    virtual QString parameterName(int index) const = 0;
    virtual void bindText(int index, const QByteArray& utf8) = 0;
    virtual void bindBlob(int index, const QByteArray& bytes) = 0;
    virtual void bindInteger(int index, qint64 value) = 0;
    virtual void bindReal(int index, double value) = 0;
    virtual void bindNull(int index) = 0;
    // UTF-8 text that stays valid until the run ends (the next bind, reset()
    // or the cursor's end); the backend may use it where it stands.
    virtual void bindTextInPlace(int index, QByteArrayView utf8) = 0;

    virtual int columnCount() const = 0;
    virtual QString columnName(int column) const = 0;

    // The next row; false at the end. Throws DbError.
    virtual bool step() = 0;
    // Columns of the row step() stands on.
    virtual QString text(int column) const = 0;
    virtual qint64 integer(int column) const = 0;
    // The UTF-8 bytes of a column, read in place (valid until the next step).
    virtual QByteArrayView utf8(int column) const = 0;

    enum class Read
    {
        More, // `limit` rows read; rows may remain
        End,
        Failed // see errorMessage(); the rows read before stay
    };
    // Appends up to `limit` rows, columnCount() cells each; text and blobs go
    // to `arena`. `rows` grows by the number read. With `budgetMs` > 0 the read
    // may also stop (More) once it has taken that long, a row read at least.
    virtual Read readRows(int limit, ResultCells::Cells& cells, ResultCells::Arena& arena, int& rows,
                          int budgetMs) = 0;
    virtual QString errorMessage() const = 0;
    virtual int errorCode() const = 0;

    // Rows changed by the last run, and whether the statement writes.
    virtual int changes() const = 0;
    virtual bool isReadOnly() const = 0;
    // Ends the run; bound values stay.
    virtual void reset() = 0;
};

// One open database of either kind, below SqlConnection.
class SqlBackend
{
public:
    virtual ~SqlBackend() = default;

    virtual const SqlDialect& dialect() const = 0;
    // Compiles the first statement of `sql`; `tail` (when given) gets the byte
    // offset just past it. Null when only blanks and comments are left.
    // Throws DbError.
    virtual std::unique_ptr<SqlCursor> prepare(const QByteArray& sql, int* tail) = 0;
    // Runs a script of one or more statements. Throws DbError.
    virtual void exec(const QString& script) = 0;
    // Runs `sql` and ignores its outcome (a rollback while an error unwinds).
    virtual void execQuietly(const char* sql) noexcept = 0;
    virtual bool inTransaction() const = 0;
    // Whether anything may have changed since it was last asked: this
    // connection's writes or another's commit. The first call answers true.
    virtual bool changedSinceAsked() = 0;
    virtual void rekey(const QByteArray& key) = 0;
    // How long a statement waits for another connection's lock before it
    // fails as busy.
    virtual void setBusyTimeout(int ms) = 0;
    // Throws DbError built from the backend's last error.
    [[noreturn]] virtual void fail(int rc) const = 0;
    // Called once when the connection to a server is found lost (the
    // statement that found it still fails); a file never calls it.
    virtual void setLostHandler(std::function<void()> handler) { (void)handler; }
    // The engine's own handle of a database file; null on the server.
    virtual sqlite3* fileHandle() const { return nullptr; }
};
