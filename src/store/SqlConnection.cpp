#include "store/SqlConnection.h"

#include "store/DbError.h"
#include "store/PolishCollation.h"
#include "store/SortKeys.h"
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
    if (m_db && sqlite3_extended_errcode(m_db) == SQLITE_READONLY_DBMOVED)
        throw DbError(replacedText(), rc);
    const QString message =
        m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
    throw DbError(message, rc);
}

QString SqlConnection::replacedText()
{
    return QStringLiteral("Plik bazy danych został w międzyczasie zastąpiony innym (na przykład odtworzony z "
                          "archiwum na innym stanowisku). Nic nie zostało zapisane; spróbuj ponownie.");
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
        sqlite3_busy_timeout(m_db, busyTimeoutMs());
        PolishCollation::registerOn(m_db);
        // The first read proves the key: a wrong one shows as SQLITE_NOTADB here.
        exec(QStringLiteral("SELECT count(*) FROM sqlite_master; PRAGMA journal_mode=DELETE;"));
        exec(QStringLiteral("PRAGMA cache_size=-%1").arg(cacheKibFor(QFileInfo(file).size())));
        SortKeys::attach(*this);
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

bool SqlConnection::isReplaced() const
{
    if (!m_db || !m_identity.isValid())
        return false;
    // A path that names nothing for a moment is not another file.
    const FileIdentity now = FileIdentity::of(m_file);
    return now.isValid() && !(now == m_identity);
}

bool SqlConnection::ensureCurrent()
{
    // Inside a transaction the file it began on is the one it ends on.
    if (!m_db || !sqlite3_get_autocommit(m_db) || !isReplaced())
        return false;
    SqlConnection fresh;
    fresh.open(m_file, QString::fromUtf8(m_key));
    stopPendingReads(); // their rows are those of the old file
    std::swap(m_db, fresh.m_db);
    std::swap(m_sortKeyed, fresh.m_sortKeyed);
    m_identity = fresh.m_identity;
    ++m_generation;
    m_seenChanges = -1;
    m_seenDataVersion = -1;
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
    if (!m_db)
        return m_generation;
    const qint64 changes = sqlite3_total_changes(m_db);
    qint64 dataVersion = -1;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, "PRAGMA data_version", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        dataVersion = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    // An unreadable version counts as a change: the caller then reads afresh.
    if (changes != m_seenChanges || dataVersion != m_seenDataVersion || dataVersion < 0)
        ++m_generation;
    m_seenChanges = changes;
    m_seenDataVersion = dataVersion;
    return m_generation;
}

void SqlConnection::close()
{
    ++m_generation;
    m_seenChanges = -1;
    m_seenDataVersion = -1;
    stopPendingReads();
    m_sortKeyed.clear();
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
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
    if (!m_db)
        throw DbError(QStringLiteral("Brak połączenia z bazą danych"));
    char* error = nullptr;
    const QByteArray text = sql.toUtf8();
    ++m_generation;
    const int rc = sqlite3_exec(m_db, text.constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        QString message = error ? QString::fromUtf8(error) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_free(error);
        if (sqlite3_extended_errcode(m_db) == SQLITE_READONLY_DBMOVED)
            message = replacedText();
        throw DbError(message, rc);
    }
}

void SqlConnection::rekey(const QString& newKey)
{
    if (!m_db)
        throw DbError(QStringLiteral("Brak połączenia z bazą danych"));
    const QByteArray k = newKey.toUtf8();
    ++m_generation;
    const int rc = sqlite3_rekey(m_db, k.constData(), int(k.size()));
    if (rc != SQLITE_OK)
        fail(rc);
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
