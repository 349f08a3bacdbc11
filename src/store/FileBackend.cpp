#include "store/FileBackend.h"

#include "store/DbError.h"
#include "store/PolishCollation.h"
#include "store/SqlConnection.h"
#include "store/SqlDialect.h"

#include <sqlcipher/sqlite3.h>

#include <QElapsedTimer>

namespace {
using ResultCells::Cell;
using ResultCells::Kind;

class FileCursor final : public SqlCursor
{
public:
    FileCursor(const FileBackend& backend, sqlite3_stmt* stmt) : m_backend(backend), m_stmt(stmt) {}
    ~FileCursor() override { sqlite3_finalize(m_stmt); }

    int parameterCount() const override { return sqlite3_bind_parameter_count(m_stmt); }
    QString parameterName(int index) const override
    {
        const char* raw = sqlite3_bind_parameter_name(m_stmt, index + 1);
        return raw ? QString::fromUtf8(raw + 1).toUpper() : QString();
    }
    void bindText(int index, const QByteArray& utf8) override
    {
        sqlite3_bind_text(m_stmt, index + 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    void bindBlob(int index, const QByteArray& bytes) override
    {
        sqlite3_bind_blob(m_stmt, index + 1, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    }
    void bindInteger(int index, qint64 value) override { sqlite3_bind_int64(m_stmt, index + 1, value); }
    void bindReal(int index, double value) override { sqlite3_bind_double(m_stmt, index + 1, value); }
    void bindNull(int index) override { sqlite3_bind_null(m_stmt, index + 1); }
    void bindTextInPlace(int index, QByteArrayView utf8) override
    {
        // A null pointer would bind NULL.
        sqlite3_bind_text(m_stmt, index + 1, utf8.isEmpty() ? "" : utf8.data(), int(utf8.size()),
                          SQLITE_STATIC);
    }

    int columnCount() const override { return sqlite3_column_count(m_stmt); }
    QString columnName(int column) const override
    {
        return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
    }

    bool step() override
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc == SQLITE_DONE)
            return false;
        m_backend.fail(rc);
    }
    QString text(int column) const override
    {
        const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        return QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column));
    }
    qint64 integer(int column) const override { return sqlite3_column_int64(m_stmt, column); }
    QByteArrayView utf8(int column) const override
    {
        const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        return QByteArrayView(data, sqlite3_column_bytes(m_stmt, column));
    }

    Read readRows(int limit, ResultCells::Cells& cells, ResultCells::Arena& arena, int& rows,
                  int budgetMs) override
    {
        sqlite3_stmt* stmt = m_stmt;
        const int columns = sqlite3_column_count(stmt);
        QElapsedTimer clock;
        if (budgetMs > 0)
            clock.start();
        int rc = SQLITE_DONE;
        for (int read = 0; read < limit;) {
            rc = sqlite3_step(stmt);
            if (rc != SQLITE_ROW)
                break;
            for (int c = 0; c < columns; ++c) {
                Cell cell{};
                switch (sqlite3_column_type(stmt, c)) {
                case SQLITE_INTEGER:
                    cell.kind = Kind::Integer;
                    cell.i = sqlite3_column_int64(stmt, c);
                    break;
                case SQLITE_FLOAT:
                    cell.kind = Kind::Real;
                    cell.d = sqlite3_column_double(stmt, c);
                    break;
                case SQLITE_NULL:
                    cell.kind = Kind::Null;
                    break;
                default: {
                    // Text and blobs alike: the bytes as stored (a cipher text may hold byte 0).
                    const bool blob = sqlite3_column_type(stmt, c) == SQLITE_BLOB;
                    const void* data = sqlite3_column_blob(stmt, c);
                    const int length = sqlite3_column_bytes(stmt, c);
                    cell.kind = blob ? Kind::Blob : Kind::Text;
                    cell.offset = arena.size();
                    cell.length = quint32(length);
                    if (length > 0)
                        arena.append(static_cast<const char*>(data), size_t(length));
                }
                }
                cells.push_back(cell);
            }
            ++rows;
            ++read;
            if (budgetMs > 0 && read % 64 == 0 && clock.elapsed() >= budgetMs)
                break; // the read ends early on a slow machine, its row read
        }
        if (rc == SQLITE_ROW)
            return Read::More;
        if (rc != SQLITE_DONE) {
            m_error = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(stmt)));
            m_errorCode = rc;
            return Read::Failed;
        }
        return Read::End;
    }
    QString errorMessage() const override { return m_error; }
    int errorCode() const override { return m_errorCode; }

    int changes() const override { return sqlite3_changes(sqlite3_db_handle(m_stmt)); }
    bool isReadOnly() const override { return sqlite3_stmt_readonly(m_stmt) != 0; }
    void reset() override { sqlite3_reset(m_stmt); }

private:
    const FileBackend& m_backend;
    sqlite3_stmt* m_stmt;
    QString m_error;
    int m_errorCode = 0;
};
} // namespace

FileBackend::FileBackend(const QString& file, const QByteArray& key, bool create, qint64 cacheKib)
{
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    const QByteArray path = file.toUtf8();
    int rc = sqlite3_open_v2(path.constData(), &m_db, flags, nullptr);
    try {
        if (rc != SQLITE_OK)
            fail(rc);
        rc = sqlite3_key(m_db, key.constData(), int(key.size()));
        if (rc != SQLITE_OK)
            fail(rc);
        // Set once for the connection's life; nothing else changes it.
        sqlite3_busy_timeout(m_db, SqlConnection::busyTimeoutMs());
        PolishCollation::registerOn(m_db);
        // The first read proves the key: a wrong one shows as SQLITE_NOTADB here.
        exec(QStringLiteral("SELECT count(*) FROM sqlite_master; PRAGMA journal_mode=DELETE;"));
        exec(QStringLiteral("PRAGMA cache_size=-%1").arg(cacheKib));
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

FileBackend::~FileBackend()
{
    sqlite3_close_v2(m_db);
}

const SqlDialect& FileBackend::dialect() const
{
    return SqlDialect::file();
}

void FileBackend::fail(int rc) const
{
    if (m_db && sqlite3_extended_errcode(m_db) == SQLITE_READONLY_DBMOVED)
        throw DbError(SqlConnection::replacedText(), rc);
    const QString message =
        m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
    throw DbError(message, rc);
}

std::unique_ptr<SqlCursor> FileBackend::prepare(const QByteArray& sql, int* tail)
{
    sqlite3_stmt* stmt = nullptr;
    const char* rest = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &stmt, &rest);
    if (rc != SQLITE_OK)
        fail(rc);
    if (tail)
        *tail = rest ? int(rest - sql.constData()) : int(sql.size());
    if (!stmt)
        return nullptr;
    return std::make_unique<FileCursor>(*this, stmt);
}

void FileBackend::exec(const QString& script)
{
    char* error = nullptr;
    const QByteArray text = script.toUtf8();
    const int rc = sqlite3_exec(m_db, text.constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        QString message = error ? QString::fromUtf8(error) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_free(error);
        if (sqlite3_extended_errcode(m_db) == SQLITE_READONLY_DBMOVED)
            message = SqlConnection::replacedText();
        throw DbError(message, rc);
    }
}

void FileBackend::execQuietly(const char* sql) noexcept
{
    sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
}

bool FileBackend::inTransaction() const
{
    return !sqlite3_get_autocommit(m_db);
}

bool FileBackend::changedSinceAsked()
{
    const qint64 changes = sqlite3_total_changes(m_db);
    qint64 dataVersion = -1;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, "PRAGMA data_version", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        dataVersion = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    // An unreadable version counts as a change: the caller then reads afresh.
    const bool changed = changes != m_seenChanges || dataVersion != m_seenDataVersion || dataVersion < 0;
    m_seenChanges = changes;
    m_seenDataVersion = dataVersion;
    return changed;
}

void FileBackend::setBusyTimeout(int ms)
{
    sqlite3_busy_timeout(m_db, ms);
}

void FileBackend::rekey(const QByteArray& key)
{
    const int rc = sqlite3_rekey(m_db, key.constData(), int(key.size()));
    if (rc != SQLITE_OK)
        fail(rc);
}
