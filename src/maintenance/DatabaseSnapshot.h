#pragma once

#include <QString>

#include <functional>

class SqlConnection;
class TmyDataBase;

// Copies of the database in one encrypted file for the archive and the
// backup ring, from the database file or from a server alike.
namespace DatabaseSnapshot {
// Writes a consistent copy of the open database into `file`, keyed with
// `password`. A database file is read under one read lock, so a write of
// another workstation is either wholly in the copy or not at all: under the
// connection's own key its encrypted bytes are copied as they are, under
// another key SQLite's online backup re-encrypts every page. A database on a
// server, which has no file to copy, is read in one read transaction (one
// view of it) into a new file. The copy goes to a temporary name and is
// renamed when complete, so `file` is never half written. Throws DbError
// whose message tells the user why (a lost connection, a full disk), the
// engine's or the system's own text in its detail.
void write(SqlConnection& source, const QString& password, const QString& file);
// Tests: called once the first part of the file's bytes has been copied,
// the read lock still held.
void setCopyHook(std::function<void()> hook);

enum class Check
{
    Ok,
    WrongPassword, // the file is there but the password does not open it
    Inconsistent   // missing, a table of the table list absent, or damaged
};
// Opens `file` with the password, checks that every table of the table list is
// there and, when `full`, that PRAGMA integrity_check answers "ok".
Check check(const QString& file, const QString& password, bool full = true);

// Puts the database file `archiveFile` (made under `archivePassword`) in place
// of the database that `db` has open, under `currentPassword`.
// A database file: the archive is copied beside the live file, re-keyed when
// its password differs, checked to open with the current password and hold
// every table, and renamed over the live file; then `db` reconnects. The
// caller has checked the archive whole (check() with `full`) before.
// A database on a server: the archive is checked whole and opened with its
// own password, then every table of the server is replaced by the archive's
// rows in one transaction of the server, keys kept; then the lists `db`
// holds are closed and their state reset, as after a reconnect.
// A failure at any step before the rename (or the server's commit) leaves
// the live database and the connection exactly as they were. `error` gets
// the Polish text for the user, `detail` the engine's own (for the log).
enum class RestoreFailure
{
    None,
    Copy,  // the archive could not be copied or checked
    Rekey, // the copy could not take the current password
    Swap   // the copy could not replace the live database
};
RestoreFailure restore(TmyDataBase& db, const QString& archiveFile, const QString& archivePassword,
                       const QString& currentPassword, QString* error = nullptr, QString* detail = nullptr);

// What the user is told of a copy or a restore that failed for these reasons.
QString lostDuringArchiveText();
QString diskFullText(const QString& folder);
QString notWrittenText(const QString& folder);
QString lostDuringRestoreText();

// Tests: called with the name of each restore step before it runs; a throw
// there fails that step.
void setRestoreStepHook(std::function<void(const QString& step)> hook);
} // namespace DatabaseSnapshot
