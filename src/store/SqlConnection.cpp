#include "store/SqlConnection.h"

#include "store/DbError.h"
#include "store/FileBackend.h"
#include "store/ServerBackend.h"
#include "store/SortKeys.h"
#include "store/SqlDialect.h"
#include "store/Statement.h"

#include <QFileInfo>

#include <algorithm>

#include <sqlcipher/sqlite3.h>

SqlConnection::~SqlConnection()
{
    close();
}

void SqlConnection::fail(int rc) const
{
    if (m_backend)
        m_backend->fail(rc);
    throw DbError(QString::fromUtf8(sqlite3_errstr(rc)), rc);
}

QString SqlConnection::replacedText()
{
    return QStringLiteral("Plik bazy danych został w międzyczasie zastąpiony innym (na przykład odtworzony z "
                          "archiwum na innym stanowisku). Nic nie zostało zapisane; spróbuj ponownie.");
}

const SqlDialect& SqlConnection::dialect() const
{
    return m_backend ? m_backend->dialect() : SqlDialect::file();
}

sqlite3* SqlConnection::handle() const
{
    return m_backend ? m_backend->fileHandle() : nullptr;
}

bool SqlConnection::inTransaction() const
{
    return m_backend && m_backend->inTransaction();
}

void SqlConnection::open(const QString& file, const QString& key, bool create)
{
    close();
    if (!create && !QFileInfo::exists(file))
        throw DbError(QStringLiteral("unable to open database file: ") + file, SQLITE_CANTOPEN);
    const QByteArray k = key.toUtf8();
    // The identity is taken on both sides of the open: a file renamed over
    // the path in between would otherwise pass for the one held open.
    for (int attempt = 0;; ++attempt) {
        const FileIdentity before = FileIdentity::of(file);
        openOnce(file, k, create);
        m_identity = FileIdentity::of(file);
        if (!before.isValid() || m_identity == before || attempt == 2)
            break;
        close();
    }
    m_file = file;
    m_key = k;
}

void SqlConnection::openOnce(const QString& file, const QByteArray& key, bool create)
{
    m_backend = std::make_unique<FileBackend>(file, key, create, cacheKibFor(QFileInfo(file).size()));
    m_server = false;
    try {
        SortKeys::attach(*this);
    } catch (...) {
        m_backend.reset();
        throw;
    }
}

void SqlConnection::openServer(const ServerAddress& address)
{
    close();
    m_backend = std::make_unique<ServerBackend>(address);
    m_backend->setLostHandler([this] {
        if (m_lost)
            m_lost();
    });
    m_server = true;
    m_file = address.display();
    m_key = address.password.toUtf8();
}

bool SqlConnection::isReplaced() const
{
    if (!m_backend || !m_identity.isValid())
        return false;
    // A path that names nothing for a moment is not another file.
    const FileIdentity now = FileIdentity::of(m_file);
    return now.isValid() && !(now == m_identity);
}

bool SqlConnection::ensureCurrent()
{
    // Inside a transaction the file it began on is the one it ends on.
    if (!m_backend || m_backend->inTransaction() || !isReplaced())
        return false;
    SqlConnection fresh;
    fresh.open(m_file, QString::fromUtf8(m_key));
    stopPendingReads(); // their rows are those of the old file
    std::swap(m_backend, fresh.m_backend);
    std::swap(m_sortKeyed, fresh.m_sortKeyed);
    m_identity = fresh.m_identity;
    ++m_generation;
    if (m_replaced)
        m_replaced();
    return true; // `fresh` closes the old file
}

qint64 SqlConnection::cacheKibFor(qint64 fileBytes)
{
    // The whole file when it is small, so a list read again costs no page
    // decryption; a large file gets a fixed share, the lists' rows being kept in
    // memory as well.
    constexpr qint64 kFloorKib = 2 * 1024;
    constexpr qint64 kCeilingKib = 64 * 1024;
    return std::clamp(fileBytes / 1024 + 1024, kFloorKib, kCeilingKib);
}

quint64 SqlConnection::changeStamp()
{
    if (m_backend && m_backend->changedSinceAsked())
        ++m_generation;
    return m_generation;
}

void SqlConnection::close()
{
    ++m_generation;
    stopPendingReads();
    m_sortKeyed.clear();
    m_backend.reset();
    m_server = false;
    m_file.clear();
    m_key.clear();
    m_identity = {};
}

void SqlConnection::addPendingRead(Statement* statement)
{
    if (std::find(m_pendingReads.begin(), m_pendingReads.end(), statement) == m_pendingReads.end())
        m_pendingReads.push_back(statement);
}

void SqlConnection::removePendingRead(Statement* statement)
{
    std::erase(m_pendingReads, statement);
}

void SqlConnection::finishPendingReads()
{
    // Each one leaves the list as it finishes.
    while (!m_pendingReads.empty())
        m_pendingReads.back()->fetchAll();
}

void SqlConnection::stopPendingReads()
{
    while (!m_pendingReads.empty())
        m_pendingReads.back()->stopReading();
}

void SqlConnection::exec(const QString& sql)
{
    if (!m_backend)
        throw DbError(QStringLiteral("Brak połączenia z bazą danych"));
    ++m_generation;
    m_backend->exec(sql);
}

void SqlConnection::setBusyTimeout(int ms)
{
    if (m_backend)
        m_backend->setBusyTimeout(ms);
}

void SqlConnection::execQuietly(const char* sql) noexcept
{
    if (m_backend)
        m_backend->execQuietly(sql);
}

void SqlConnection::rekey(const QString& newKey)
{
    if (!m_backend)
        throw DbError(QStringLiteral("Brak połączenia z bazą danych"));
    const QByteArray k = newKey.toUtf8();
    ++m_generation;
    m_backend->rekey(k);
    m_key = k;
}

QString SqlConnection::version()
{
    QString text = QStringLiteral("SQLite ") + QString::fromUtf8(sqlite3_libversion());
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA cipher_version", -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW)
            text += QStringLiteral(" / SQLCipher ") +
                    QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return text;
}
