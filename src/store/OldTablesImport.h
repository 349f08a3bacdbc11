#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

class OldTableConversion;
class OldTableFile;
class SqlConnection;

// Brings a database of the previous version (a folder of table files, a ".MB"
// blob file beside some) over into a new encrypted database made from the
// schema template. The rows keep their keys exactly; text becomes UTF-8 from
// Windows-1250 with trailing blanks trimmed. Tables and columns the old
// version lacked are left out, as in an old database of this program, so the
// upgrades at the first login add them with their messages.
//
// Everything is checked before anything is written (the folder, the lock
// files, every table and its columns, the password), and the new file is
// built under a temporary name in one transaction and renamed at the end: a
// failure of any kind leaves nothing behind. Throws OldTablesError.
class OldTablesImport
{
public:
    // Implemented by the window with a progress dialog; answering false stops
    // the work (and nothing is written).
    class Progress
    {
    public:
        virtual ~Progress() = default;
        virtual bool tableStarted(const QString& file, int number, int count, qint64 rows) = 0;
        virtual bool rowsDone(qint64 rows) = 0;
    };

    struct TableResult
    {
        QString file; // "komputery.db"
        qint64 rows = 0;
        QStringList skipped; // one line per row left out, saying why
    };
    struct Summary
    {
        QString version; // "pierwsza", "1.0.2" ... "2.6"
        QList<TableResult> tables;
        QStringList notes;
        qint64 rows() const;
        qint64 skippedRows() const;
        // The Polish text of the closing message.
        QString text() const;
    };

    OldTablesImport(const QString& sourceDir, const QString& oldPassword, const QString& targetDir,
                    const QString& newPassword);

    void setProgress(Progress* progress) { m_progress = progress; }
    // The folder holding empty/schema.sql; empty means the program's own.
    void setTemplateDir(const QString& dir) { m_templateDir = dir; }
    // Caps the new file at this many pages; tests stand a full disk with it.
    void setPageLimit(int pages) { m_pageLimit = pages; }

    Summary run();

    // The version a set of table names (lower case, "x.db") tells.
    static QString versionOf(const QStringList& tables);
    // Lock files of the previous version in `dir` (and its NetFileDir).
    static QStringList lockFiles(const QString& dir);

private:
    struct Source;

    TableResult convert(SqlConnection& db, OldTableFile& old, const OldTableConversion& conversion,
                        int number, int count);
    // The old folder's copy of a table as a database file of its own; false
    // (with a note) when the copy cannot be read.
    bool backupCopy(const QString& oldFile, const QString& table, const QString& file,
                    const QStringList& definition, int number, int count, QStringList& notes,
                    const QString& folder);
    void writeMarkers(const Source& source, const std::vector<OldTableConversion>& conversions,
                      const QString& folder) const;

    QString m_sourceDir;
    QString m_oldPassword;
    QString m_targetDir;
    QString m_newPassword;
    QString m_templateDir;
    Progress* m_progress = nullptr;
    int m_pageLimit = 0;
};
