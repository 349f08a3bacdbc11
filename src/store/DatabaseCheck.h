#pragma once

#include <QString>

struct sqlite3;

// The database test: whether the file opens with the password, and when it
// does not, what the file shows of the cause, so the user is told the right
// thing (a wrong password, a damaged or foreign file, missing rights, a
// read-only file or folder, a file locked by another program).
namespace DatabaseCheck {
enum class Problem
{
    None,
    Missing,
    WrongPassword,
    Damaged,
    NoAccess,
    ReadOnly,
    Locked
};

struct Result
{
    Problem problem = Problem::None;
    // The step of the open test reached (1 ... 11); a wrong password fails at 9.
    QString step;
    // For the log: the engine's message or the file's state.
    QString message;
    // For the user: why the file is damaged or read-only (Polish).
    QString reason;
    bool ok() const { return problem == Problem::None; }
};

// SQLCipher's page: a whole database file is a whole number of them.
inline constexpr qint64 kPageSize = 1024;

// What the file shows before it is opened: a folder in its place, no bytes,
// less than one page or a size that is not whole pages (a cut file). A file
// with a hot journal beside it is left to the roll-back.
Result inspect(const QString& file);
// Opens the file read-write with the password (so a journal left by a crash
// is rolled back), reads `table` and takes the write lock once to prove that
// the file and its folder can be written. Never throws.
Result openTest(const QString& file, const QString& table, const QString& password);
// Takes the write lock of an open connection and rewrites page 1 unchanged,
// then rolls back: a read-only file, or a folder where the journal cannot be
// made, fails here. Another workstation holding the lock counts as writable.
Result writable(sqlite3* db);
// A journal left by a crash that the folder's or the file's rights keep from
// being rolled back: a read-only problem with the data intact, not damage.
// Answers a ReadOnly result then, else an ok one.
Result blockedRollback(const QString& file);
// The log line of a failed test: "[0000003104]  Błąd DB connection: ... l(step)".
QString logLine(const Result& result);
// The Polish message shown for a problem other than a wrong password.
QString userText(const Result& result, const QString& file);
} // namespace DatabaseCheck
