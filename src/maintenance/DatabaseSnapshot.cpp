#include "maintenance/DatabaseSnapshot.h"

#include "base/EngineMessages.h"
#include "store/DatabaseCopy.h"
#include "store/DbError.h"
#include "store/ReadTransaction.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

namespace {
std::function<void(const QString&)> g_stepHook;

void step(const QString& name)
{
    if (g_stepHook)
        g_stepHook(name);
}

std::filesystem::path fsPath(const QString& file)
{
    return std::filesystem::path(file.toStdU16String());
}

// Renames over an existing file: one atomic step on one file system.
void replaceFile(const QString& from, const QString& to)
{
    std::error_code ec;
    std::filesystem::rename(fsPath(from), fsPath(to), ec);
    if (ec)
        throw DbError(QStringLiteral("Nie można zastąpić pliku ") + to + QStringLiteral(": ") +
                      QString::fromLocal8Bit(ec.message().c_str()));
}

void removeQuietly(const QString& file)
{
    if (QFileInfo::exists(file))
        QFile::remove(file);
    if (QFileInfo::exists(file + QStringLiteral("-journal")))
        QFile::remove(file + QStringLiteral("-journal"));
}

QString temporaryName(const QString& file, const char* suffix)
{
    return file + QLatin1String(suffix);
}
} // namespace

namespace DatabaseSnapshot {
namespace {
std::function<void()> g_copyHook;

bool diskFull(int error)
{
    return error == ENOSPC || error == EFBIG
#ifdef EDQUOT
           || error == EDQUOT
#endif
        ;
}

// A write of the copy refused: the system's reason kept for the log.
DbError writeFailure(const QString& file, const QString& reason, int error)
{
    return DbError(QStringLiteral("Nie można zapisać pliku ") + QDir::toNativeSeparators(file),
                   diskFull(error) ? SQLITE_FULL : SQLITE_IOERR, reason);
}

// The text the user is shown: the engine's own texts (a code and no Polish
// message over them) in Polish, the program's as they are.
QString userText(const DbError& e)
{
    if (!e.detail().isEmpty() || e.sqliteCode() == 0)
        return e.message();
    const QString polish = EngineMessages::polish(e.message());
    return polish.isEmpty() ? QStringLiteral("Wystąpił błąd bazy danych.") : polish;
}

// Whether a server connection still answers after a failure.
bool answers(SqlConnection& connection)
{
    try {
        connection.exec(QStringLiteral("SELECT 1"));
        return true;
    } catch (const DbError&) {
        return false;
    }
}

QString withDetail(const DbError& e)
{
    return e.detail().isEmpty() ? e.message()
                                : e.message() + QStringLiteral(" (") + e.detail() + QLatin1Char(')');
}

// The failure of a copy as the user is told it; what the engine or the
// system said stays in the detail, for the log.
DbError explained(const DbError& e, SqlConnection& source, const QString& file)
{
    const int code = e.sqliteCode() & 0xff;
    if (source.isServer() && !answers(source))
        return DbError(lostDuringArchiveText(), SQLITE_IOERR, withDetail(e));
    if (code == SQLITE_FULL)
        return DbError(diskFullText(QFileInfo(file).absolutePath()), SQLITE_FULL, withDetail(e));
    // Reading a server that still answers fails as a statement, not as I/O:
    // an I/O error is the new file's.
    if (source.isServer() && code == SQLITE_IOERR)
        return DbError(notWrittenText(QFileInfo(file).absolutePath()), SQLITE_IOERR, withDetail(e));
    if (userText(e) != e.message())
        return DbError(userText(e), e.sqliteCode(), e.message());
    return e;
}

// Pages re-encrypted one by one: the copy under another key.
void writeThroughBackup(SqlConnection& source, const QString& password, const QString& file)
{
    const QString temp = temporaryName(file, ".tmp");
    removeQuietly(temp);
    try {
        SqlConnection target;
        target.open(temp, password, true);
        // The copy is renamed only when complete, so it needs no journal of its own.
        target.exec(QStringLiteral("PRAGMA journal_mode=OFF"));
        sqlite3_backup* backup = sqlite3_backup_init(target.handle(), "main", source.handle(), "main");
        if (!backup)
            target.fail(sqlite3_errcode(target.handle()));
        int rc = SQLITE_OK;
        // One step copies every page under one read lock of the source.
        for (int attempt = 0; attempt < 20; ++attempt) {
            rc = sqlite3_backup_step(backup, -1);
            if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
                break;
            sqlite3_sleep(250);
        }
        const int finish = sqlite3_backup_finish(backup);
        if (rc != SQLITE_DONE && diskFull(sqlite3_system_errno(target.handle())))
            rc = SQLITE_FULL; // a file grown to the limit the system sets is a full disk too
        if (rc != SQLITE_DONE)
            throw DbError(QString::fromUtf8(sqlite3_errstr(rc)), rc);
        if (finish != SQLITE_OK)
            target.fail(finish);
        target.close();
        replaceFile(temp, file);
    } catch (...) {
        removeQuietly(temp);
        throw;
    }
}

QString journalMode(SqlConnection& source)
{
    Statement mode(&source, QStringLiteral("journal"), {QStringLiteral("PRAGMA journal_mode")});
    mode.open();
    return mode.isEmpty() ? QString() : mode.textAt(0, 0).toLower();
}

// The file's bytes as they are, under the key they already carry. They are
// read through the connection's own handle of the file: opening the file a
// second time and closing it would drop the locks the process holds on it.
// Answers false, writing nothing, when the file cannot be copied so (the
// newest commits may then live beside it in a write-ahead log).
bool writeAsBytes(SqlConnection& source, const QString& file)
{
    ReadTransaction read(source);
    if (!read.isActive() || journalMode(source) == QLatin1String("wal"))
        return false;
    sqlite3_file* handle = nullptr;
    if (sqlite3_file_control(source.handle(), "main", SQLITE_FCNTL_FILE_POINTER, &handle) != SQLITE_OK ||
        !handle || !handle->pMethods)
        return false;
    sqlite3_int64 size = 0;
    if (const int rc = handle->pMethods->xFileSize(handle, &size); rc != SQLITE_OK)
        throw DbError(QString::fromUtf8(sqlite3_errstr(rc)), rc);
    // Written beside the target and renamed over it, synced, when complete.
    QSaveFile out(file);
    // Unbuffered: a write that fails says so at once, with the system's reason.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw DbError(QStringLiteral("Nie można zapisać pliku ") + file + QStringLiteral(": ") +
                      out.errorString());
    constexpr sqlite3_int64 kChunk = 1 << 20;
    QByteArray buffer(int(std::min(kChunk, std::max<sqlite3_int64>(size, 1))), Qt::Uninitialized);
    for (sqlite3_int64 offset = 0; offset < size;) {
        const int length = int(std::min<sqlite3_int64>(buffer.size(), size - offset));
        if (const int rc = handle->pMethods->xRead(handle, buffer.data(), length, offset); rc != SQLITE_OK)
            throw DbError(QString::fromUtf8(sqlite3_errstr(rc)), rc);
        errno = 0;
        if (out.write(buffer.constData(), length) != length)
            throw writeFailure(file, out.errorString(), errno);
        offset += length;
        if (offset == length && g_copyHook)
            g_copyHook();
    }
    // Every byte is in the new file: other workstations may commit again.
    read.end();
    errno = 0;
    if (!out.commit())
        throw writeFailure(file, out.errorString(), errno);
    return true;
}
} // namespace

QString lostDuringArchiveText()
{
    return QStringLiteral("Połączenie z serwerem bazy danych zostało przerwane w trakcie tworzenia kopii "
                          "bazy danych. Kopia nie została zapisana.");
}

QString diskFullText(const QString& folder)
{
    return QStringLiteral("Brak miejsca na dysku w folderze %1. Kopia bazy danych nie została zapisana.")
        .arg(QDir::toNativeSeparators(folder));
}

QString notWrittenText(const QString& folder)
{
    return QStringLiteral("Nie można zapisać kopii bazy danych w folderze %1. Sprawdź, czy na dysku jest "
                          "wolne miejsce i czy folder pozwala na zapis.")
        .arg(QDir::toNativeSeparators(folder));
}

QString lostDuringRestoreText()
{
    return QStringLiteral("Połączenie z serwerem bazy danych zostało przerwane w trakcie odtwarzania danych "
                          "z archiwum. Baza danych na serwerze pozostała bez zmian.");
}

namespace {
void writeOnce(SqlConnection& source, const QString& password, const QString& file)
{
    // A database on a server has no file to copy: its rows are read in one
    // read transaction into a new file keyed with the password.
    if (!source.handle()) {
        DatabaseCopy::toNewFile(source, file, password);
        return;
    }
    // Never a copy of a file another workstation has replaced.
    source.ensureCurrent();
    // A copy written over the open file itself would cut the connection off
    // from the file it writes to.
    const QFileInfo target(file);
    const QString targetPath =
        QDir(target.absolutePath()).canonicalPath() + QLatin1Char('/') + target.fileName();
    if (targetPath == QFileInfo(source.file()).canonicalFilePath())
        throw DbError(QStringLiteral("Kopia nie może zastąpić otwartej bazy danych: ") + file);
    // Under the same key the encrypted pages need no decrypting: a copy of
    // the file taken while no commit can land is the snapshot.
    if (source.hasKey(password) && writeAsBytes(source, file))
        return;
    writeThroughBackup(source, password, file);
}
} // namespace

void write(SqlConnection& source, const QString& password, const QString& file)
{
    if (!source.isOpen())
        throw DbError(QStringLiteral("Brak połączenia z bazą danych"));
    try {
        writeOnce(source, password, file);
    } catch (const DbError& e) {
        throw explained(e, source, file);
    }
}

void setCopyHook(std::function<void()> hook)
{
    g_copyHook = std::move(hook);
}

Check check(const QString& file, const QString& password, bool full)
{
    if (!QFileInfo(file).isFile())
        return Check::Inconsistent;
    SqlConnection c;
    try {
        c.open(file, password);
    } catch (const DbError& e) {
        return e.sqliteCode() == SQLITE_NOTADB ? Check::WrongPassword : Check::Inconsistent;
    }
    try {
        Statement tables(&c, QStringLiteral("tables"),
                         {QStringLiteral("SELECT name FROM sqlite_master WHERE type='table'")});
        tables.open();
        QSet<QString> present;
        for (; !tables.eof(); tables.next())
            present.insert(tables.text(QStringLiteral("name")).toLower());
        for (const QString& table : TableList::tables())
            if (!present.contains(table.toLower()))
                return Check::Inconsistent;
        if (!full)
            return Check::Ok;
        Statement integrity(&c, QStringLiteral("integrity"), {QStringLiteral("PRAGMA integrity_check")});
        integrity.open();
        if (integrity.isEmpty() || integrity.textAt(0, 0) != QLatin1String("ok"))
            return Check::Inconsistent;
    } catch (const DbError&) {
        return Check::Inconsistent;
    }
    return Check::Ok;
}

namespace {
// The restore onto a database with no file of its own (a server): the rows
// of every table replaced in one transaction of the target.
RestoreFailure restoreRows(TmyDataBase& db, const QString& archiveFile, const QString& archivePassword,
                           QString* error, QString* detail)
{
    auto failed = [&](RestoreFailure failure, const QString& message, const QString& why) {
        if (error)
            *error = message;
        if (detail)
            *detail = why;
        return failure;
    };
    SqlConnection archive;
    try {
        step(QStringLiteral("check"));
        if (check(archiveFile, archivePassword, true) != Check::Ok)
            return failed(RestoreFailure::Copy, QStringLiteral("Archiwum nie przeszło kontroli spójności"),
                          archiveFile);
        archive.open(archiveFile, archivePassword);
    } catch (const DbError& e) {
        return failed(RestoreFailure::Copy, userText(e), withDetail(e));
    } catch (const std::exception& e) {
        return failed(RestoreFailure::Copy, QString::fromLocal8Bit(e.what()), {});
    }
    SqlConnection& live = db.DatabaseMain();
    try {
        // No list may go on reading the rows being replaced.
        db.closeAll();
        step(QStringLiteral("replace"));
        DatabaseCopy::copy(archive, live, DatabaseCopy::Target::Replace);
    } catch (const std::exception& e) {
        const auto* dbError = dynamic_cast<const DbError*>(&e);
        const QString message = dbError ? userText(*dbError) : QString::fromLocal8Bit(e.what());
        const QString why = dbError ? withDetail(*dbError) : message;
        // The server rolled the transaction back; a connection it cut is
        // opened again, so the workstation goes on with the same database.
        if (!answers(live)) {
            TmyDataBase::ConnectFailure again;
            db.reconnect(&again);
            return failed(RestoreFailure::Swap, lostDuringRestoreText(), why);
        }
        return failed(RestoreFailure::Swap, message, why);
    }
    // What the lists held are the old rows: they are read again as after a reconnect.
    db.closeAll();
    db.listState().resetAll();
    return RestoreFailure::None;
}
} // namespace

RestoreFailure restore(TmyDataBase& db, const QString& archiveFile, const QString& archivePassword,
                       const QString& currentPassword, QString* error, QString* detail)
{
    if (db.isConnected() && !db.DatabaseMain().handle())
        return restoreRows(db, archiveFile, archivePassword, error, detail);
    const QString directory = db.directory();
    const QString live = TmyDataBase::databaseFile(directory);
    const QString temp = temporaryName(live, ".restore");
    RestoreFailure failure = RestoreFailure::Copy;
    bool locked = false;
    auto failed = [&](const QString& message, const QString& why = QString()) {
        removeQuietly(temp);
        if (locked && db.isConnected()) {
            try {
                db.DatabaseMain().exec(QStringLiteral("ROLLBACK"));
            } catch (const DbError&) {
            }
        }
        if (!db.isConnected())
            db.connectTo(directory, currentPassword); // the live file is as it was
        if (error)
            *error = message;
        if (detail)
            *detail = why.isEmpty() ? message : why;
        return failure;
    };
    try {
        removeQuietly(temp);
        step(QStringLiteral("copy"));
        if (!QFile::copy(archiveFile, temp))
            return failed(QStringLiteral("Nie można skopiować pliku ") + archiveFile);
        if (archivePassword != currentPassword) {
            failure = RestoreFailure::Rekey;
            step(QStringLiteral("rekey"));
            SqlConnection copy;
            copy.open(temp, archivePassword);
            copy.rekey(currentPassword);
        }
        failure = RestoreFailure::Copy;
        step(QStringLiteral("check"));
        if (check(temp, currentPassword, false) != Check::Ok)
            return failed(QStringLiteral("Kopia archiwum nie przeszła kontroli spójności"));
        failure = RestoreFailure::Swap;
        // The exclusive lock waits for a write of another workstation to end,
        // so no journal of the old file is left to be played into the new one.
        step(QStringLiteral("lock"));
        db.closeAll();
        db.DatabaseMain().exec(QStringLiteral("BEGIN EXCLUSIVE"));
        locked = true;
        step(QStringLiteral("rename"));
        try {
            replaceFile(temp, live);
        } catch (const DbError&) {
            // Systems that do not rename over an open file: close, then rename.
            db.DatabaseMain().exec(QStringLiteral("ROLLBACK"));
            locked = false;
            db.disconnect();
            replaceFile(temp, live);
        }
    } catch (const std::exception& e) {
        const auto* dbError = dynamic_cast<const DbError*>(&e);
        return dbError ? failed(userText(*dbError), withDetail(*dbError))
                       : failed(QString::fromLocal8Bit(e.what()));
    }
    db.disconnect();
    if (!db.connectTo(directory, currentPassword)) {
        if (error)
            *error = QStringLiteral("Nie można otworzyć odtworzonej bazy danych");
        return RestoreFailure::Swap;
    }
    return RestoreFailure::None;
}

void setRestoreStepHook(std::function<void(const QString&)> hook)
{
    g_stepHook = std::move(hook);
}
} // namespace DatabaseSnapshot
