#pragma once

#include "maintenance/ArchiveDescription.h"

#include <QString>

#include <functional>

class SqlConnection;

// Creates an archive in a folder: the snapshot of the database, copies of the
// attachment files and the description "archiwum.bak". Everything is written
// into a work folder inside the target first; only when all of it is whole
// are the pieces moved into place, the description last. From the moment the
// old description is moved aside until the new one arrives the folder holds
// no archive, so a kill or a failure at any point leaves the previous archive
// or none, never a mix of two.
class ArchiveBuilder
{
public:
    enum class Failure
    {
        None,
        Database,    // the snapshot could not be written
        Attachments, // an attachment file could not be copied
        Description, // "archiwum.bak" could not be written
        Placing      // the pieces could not be moved into place
    };
    static inline const QString kWorkFolder = QStringLiteral(".sprzetnik-archiwum.nowe");
    static inline const QString kOldFolder = QStringLiteral(".sprzetnik-archiwum.stare");
    static inline const QString kAttachmentsFolder = QStringLiteral("zalaczniki");

    ArchiveBuilder(SqlConnection& source, const QString& password) : m_source(source), m_password(password) {}

    // `attachments`: the folder whose files are archived, empty for none.
    Failure build(const QString& folder, const QString& attachments, const ArchiveDescription& description);
    // Why the last build failed: the text for the user (Polish, or the
    // engine's, which the error reporter puts in Polish) and, for the log,
    // what the engine or the system said behind it.
    QString error() const { return m_error; }
    QString detail() const { return m_detail; }

    // Tests: called with the name of each step before it runs; a throw there
    // fails that step, a kill there is a kill half-way.
    static void setStepHook(std::function<void(const QString& step)> hook);

private:
    Failure fail(Failure failure, const QString& error, const QString& detail = QString());
    // Moves the built pieces into `folder`; throws DbError after putting
    // back what it had moved.
    void place(const QString& folder);

    SqlConnection& m_source;
    QString m_password;
    QString m_error;
    QString m_detail;
    QString m_work;
    QString m_old;
    QString m_attachments;
};
