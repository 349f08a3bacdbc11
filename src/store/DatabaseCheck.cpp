#include "store/DatabaseCheck.h"

#include "base/ErrorLog.h"
#include "store/PolishCollation.h"
#include "store/SqlConnection.h"
#include "store/TableList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlcipher/sqlite3.h>

#include <bitset>

namespace {
using DatabaseCheck::Problem;
using DatabaseCheck::Result;

Result failure(Problem problem, const QString& step, const QString& message, const QString& reason = {})
{
    return Result{problem, step, message, reason};
}

// A SQLCipher file is indistinguishable from random bytes; text, an office
// document or a plain SQLite file is not. Without the right key this is all
// that tells a foreign file from a wrong password.
QString foreignContent(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = f.read(DatabaseCheck::kPageSize);
    if (head.startsWith(QByteArrayLiteral("SQLite format 3")))
        return QStringLiteral("plik jest niezaszyfrowaną bazą danych innego programu");
    std::bitset<256> seen;
    for (const char c : head)
        seen.set(quint8(c));
    // 1024 random bytes show about 250 different values.
    if (head.size() == DatabaseCheck::kPageSize && seen.count() < 160)
        return QStringLiteral("zawartość pliku nie jest zaszyfrowaną bazą danych");
    return {};
}

// Read failures of an opened file, by the engine's result code.
Result readFailure(int rc, const QString& message, const QString& file, const QString& table)
{
    const QString step = QStringLiteral("9");
    switch (rc & 0xff) {
    case SQLITE_NOTADB: {
        const QString foreign = foreignContent(file);
        if (!foreign.isEmpty())
            return failure(Problem::Damaged, step, message, foreign);
        return failure(Problem::WrongPassword, step, message);
    }
    case SQLITE_CORRUPT:
        return failure(Problem::Damaged, step, message, QStringLiteral("struktura pliku jest uszkodzona"));
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return failure(Problem::Locked, step, message);
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
        // Mostly a journal left by a crash that a read-only file or folder cannot roll back.
        return failure(
            Problem::ReadOnly, step, message,
            QStringLiteral("ostatni zapis nie został dokończony, a do jego wycofania potrzebne jest prawo "
                           "zapisu"));
    case SQLITE_IOERR:
        return failure(Problem::Damaged, step, message, QStringLiteral("błąd odczytu pliku"));
    case SQLITE_ERROR:
        if (message.startsWith(QLatin1String("no such table")))
            return failure(Problem::Damaged, step, message,
                           QStringLiteral("w bazie brakuje tabeli ") + table);
        break;
    default:
        break;
    }
    return failure(Problem::Damaged, step, message, QStringLiteral("plik nie daje się odczytać"));
}

} // namespace

namespace DatabaseCheck {
Result writable(sqlite3* db)
{
    const QString step = QStringLiteral("9");
    if (sqlite3_db_readonly(db, "main") == 1)
        return failure(Problem::ReadOnly, step, QStringLiteral("attempt to write a readonly database"),
                       QStringLiteral("plik bazy danych jest tylko do odczytu"));
    // Another workstation writing now proves the file writable; nobody waits
    // for it here. The connection's own wait comes back on every way out.
    sqlite3_busy_timeout(db, 0);
    const struct RestoreWait
    {
        sqlite3* db;
        ~RestoreWait() { sqlite3_busy_timeout(db, SqlConnection::busyTimeoutMs()); }
    } restoreWait{db};
    int rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED)
        return {};
    if (rc == SQLITE_OK) {
        int version = 0;
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW)
            version = sqlite3_column_int(stmt, 0);
        sqlite3_finalize(stmt);
        const QByteArray sql = "PRAGMA user_version = " + QByteArray::number(version);
        rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
    }
    const QString message = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    switch (rc & 0xff) {
    case SQLITE_OK:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return {};
    case SQLITE_READONLY:
        return failure(Problem::ReadOnly, step, message,
                       QStringLiteral("plik bazy danych jest tylko do odczytu"));
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
        return failure(Problem::ReadOnly, step, message,
                       QStringLiteral("w folderze bazy danych nie można zakładać plików"));
    default:
        return failure(Problem::Damaged, step, message, QStringLiteral("plik nie daje się zapisać"));
    }
}

Result inspect(const QString& file)
{
    const QString step = QStringLiteral("7");
    const QFileInfo info(file);
    if (!info.exists())
        return failure(Problem::Missing, step, QStringLiteral("unable to open database file: ") + file);
    if (info.isDir())
        return failure(Problem::Damaged, step, QStringLiteral("the database file is a folder"),
                       QStringLiteral("w miejscu pliku bazy danych jest folder"));
    if (!info.isReadable())
        return failure(Problem::NoAccess, step, QStringLiteral("access permission denied"));
    const QFileInfo journal(file + QStringLiteral("-journal"));
    if (journal.exists() && journal.size() > 0)
        return {}; // a crash left its journal: the open rolls it back, and the size with it
    const qint64 size = info.size();
    if (size == 0)
        return failure(Problem::Damaged, step, QStringLiteral("the database file is empty"),
                       QStringLiteral("plik jest pusty"));
    if (size < kPageSize)
        return failure(Problem::Damaged, step,
                       QStringLiteral("the database file is shorter than one page: %1 bytes").arg(size),
                       QStringLiteral("plik jest krótszy niż jedna strona bazy danych"));
    if (size % kPageSize != 0)
        return failure(Problem::Damaged, step,
                       QStringLiteral("the database file is not whole pages: %1 bytes").arg(size),
                       QStringLiteral("rozmiar pliku nie jest wielokrotnością strony, plik jest obcięty"));
    return {};
}

Result openTest(const QString& file, const QString& table, const QString& password)
{
    Result inspected = inspect(file);
    if (!inspected.ok())
        return inspected;
    // An empty key would read the file as a plain database; there is nothing to test.
    if (password.isEmpty())
        return failure(Problem::WrongPassword, QStringLiteral("8"), QStringLiteral("no database password"));

    sqlite3* db = nullptr;
    const QByteArray path = file.toUtf8();
    int rc = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString message =
            db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db);
        return failure(Problem::NoAccess, QStringLiteral("7"), message);
    }
    Result result;
    const QByteArray key = password.toUtf8();
    if (sqlite3_key(db, key.constData(), int(key.size())) != SQLITE_OK) {
        result = failure(Problem::WrongPassword, QStringLiteral("8"), QString::fromUtf8(sqlite3_errmsg(db)));
    } else {
        sqlite3_busy_timeout(db, SqlConnection::busyTimeoutMs());
        PolishCollation::registerOn(db);
        const QString tableName = TableList::tableName(table);
        const QByteArray sql = "SELECT * FROM " + tableName.toUtf8() + " LIMIT 1";
        sqlite3_stmt* stmt = nullptr;
        rc = sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr);
        if (rc == SQLITE_OK)
            rc = sqlite3_step(stmt);
        sqlite3_finalize(stmt);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
            const QString message = QString::fromUtf8(sqlite3_errmsg(db));
            result = blockedRollback(file);
            if (result.ok())
                result = readFailure(sqlite3_extended_errcode(db), message, file, tableName);
            else
                result.message = message;
        } else
            result = writable(db);
    }
    sqlite3_close(db);
    if (result.ok())
        result.step = QStringLiteral("11");
    return result;
}

Result blockedRollback(const QString& file)
{
    const QFileInfo journal(file + QStringLiteral("-journal"));
    if (!journal.exists() || journal.size() == 0)
        return {};
    // The roll-back writes the file and removes the journal from the folder.
    const QFileInfo info(file);
    if (info.isWritable() && QFileInfo(info.absolutePath()).isWritable())
        return {};
    return failure(
        Problem::ReadOnly, QStringLiteral("9"),
        QStringLiteral("hot journal cannot be rolled back: ") + journal.absoluteFilePath(),
        QStringLiteral("ostatni zapis nie został dokończony, a do jego wycofania potrzebne jest prawo "
                       "zapisu"));
}

QString logLine(const Result& result)
{
    return QStringLiteral("[0000003104]  Błąd DB connection: ") + result.message + QStringLiteral(" l(") +
           result.step + QLatin1Char(')');
}

QString userText(const Result& result, const QString& file)
{
    const QString name = QDir::toNativeSeparators(file);
    switch (result.problem) {
    case Problem::Damaged:
        return QStringLiteral("Plik bazy danych jest uszkodzony lub nie jest bazą danych programu: ") + name +
               QStringLiteral(" (") + result.reason +
               QStringLiteral("). Wskaż inną bazę danych albo załóż nową; uszkodzony plik pozostaje na dysku "
                              "bez zmian.");
    case Problem::ReadOnly:
        return QStringLiteral("Baza danych jest tylko do odczytu: ") + name + QStringLiteral(" (") +
               result.reason +
               QStringLiteral(
                   "). Program zapisuje w bazie podczas pracy i potrzebuje prawa zapisu do pliku bazy "
                   "danych i do folderu, w którym leży. Zmień uprawnienia albo wskaż inną bazę danych.");
    case Problem::NoAccess:
        return QStringLiteral("Brak uprawnień do odczytu pliku bazy danych: ") + name +
               QStringLiteral(". Sprawdź uprawnienia albo wskaż inną bazę danych.");
    case Problem::Locked:
        return ErrorLog::lockedFilesText();
    case Problem::Missing:
        return QStringLiteral("Nie znaleziono pliku bazy danych: ") + name;
    case Problem::WrongPassword:
        return QStringLiteral("Hasło nie otwiera bazy danych: ") + name;
    case Problem::None:
        break;
    }
    return {};
}
} // namespace DatabaseCheck
