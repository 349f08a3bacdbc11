#include "maintenance/DatabaseSnapshot.h"

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
    if (!out.open(QIODevice::WriteOnly))
        throw DbError(QStringLiteral("Nie można zapisać pliku ") + file + QStringLiteral(": ") +
                      out.errorString());
    constexpr sqlite3_int64 kChunk = 1 << 20;
    QByteArray buffer(int(std::min(kChunk, std::max<sqlite3_int64>(size, 1))), Qt::Uninitialized);
    for (sqlite3_int64 offset = 0; offset < size;) {
        const int length = int(std::min<sqlite3_int64>(buffer.size(), size - offset));
        if (const int rc = handle->pMethods->xRead(handle, buffer.data(), length, offset); rc != SQLITE_OK)
            throw DbError(QString::fromUtf8(sqlite3_errstr(rc)), rc);
        if (out.write(buffer.constData(), length) != length)
            throw DbError(QStringLiteral("Nie można zapisać pliku ") + file + QStringLiteral(": ") +
                          out.errorString());
        offset += length;
        if (offset == length && g_copyHook)
            g_copyHook();
    }
    // Every byte is in the new file: other workstations may commit again.
    read.end();
    if (!out.commit())
        throw DbError(QStringLiteral("Nie można zapisać pliku ") + file + QStringLiteral(": ") +
                      out.errorString());
    return true;
}
} // namespace

void write(SqlConnection& source, const QString& password, const QString& file)
{
    if (!source.isOpen())
        throw DbError(QStringLiteral("Brak połączenia z bazą danych"));
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

RestoreFailure restore(TmyDataBase& db, const QString& archiveFile, const QString& archivePassword,
                       const QString& currentPassword, QString* error)
{
    const QString directory = db.directory();
    const QString live = TmyDataBase::databaseFile(directory);
    const QString temp = temporaryName(live, ".restore");
    RestoreFailure failure = RestoreFailure::Copy;
    bool locked = false;
    auto failed = [&](const QString& message) {
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
        return failed(dbError ? dbError->message() : QString::fromLocal8Bit(e.what()));
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
