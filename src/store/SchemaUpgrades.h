#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class SqlConnection;
class TmyDataBase;

// Brings a database made by an older version up to date, right after login:
// steps 1.0.2, 1.0.3, 1.0.4, 1.0.5, 2.6 and 2.7, each adding only what is
// missing.
// Steps 1.0.2 to 1.0.5 leave a marker and do nothing once it is there: a file
// in the database directory, or on a server (no folder beside the database)
// a row of the database's table znaczniki_aktualizacji. Steps 2.6 and 2.7
// look for their tables at every login.
//
// Each step runs in one write transaction and its marker is written only
// after the commit, so an interrupted step leaves no half-made table or
// column and simply runs again at the next login.
class SchemaUpgrades
{
public:
    // Shows an information box (title, text); the store opens no window itself.
    using Notify = std::function<void(const QString& title, const QString& text)>;

    SchemaUpgrades(TmyDataBase& db, const QString& directory, const QString& password, Notify notify);

    // How far adding the sort keys has come (done, total rows); the window
    // shows it, as adding them to a large file takes a while.
    using Progress = std::function<void(qint64 done, qint64 total)>;
    void setProgress(Progress progress) { m_progress = std::move(progress); }

    // The folder holding empty/schema.sql; empty means the program's own.
    void setTemplateDir(const QString& dir) { m_templateDir = dir; }

    // The six steps in their order, then the sort keys.
    void run();
    void update102();
    void update103();
    void update104();
    void update105();
    void update26();
    // The tables kept beside the table list (stocktaking), on either backend.
    void update27();
    // The Polish sort keys of the large lists (SortKeys), at every login.
    void updateSortKeys();

    static QString markerPath(const QString& directory, const QString& version);
    // Whether the step of `version` ("1.0.2") is marked done, in the file
    // beside the database or the row of the marker table.
    bool hasMarker(const QString& version);

    // The table of the markers kept in a database.
    static inline const QString kMarkerTable = QStringLiteral("znaczniki_aktualizacji");
    // The versions of the steps that leave a marker, in order.
    static QStringList markedVersions();
    // Where the markers are kept in the database (a server's): makes their
    // table, holding the marker of every step, unless it is there. A database
    // without it was made at the current version (a server database of the
    // versions before the table, or one just made): none of the steps applies
    // to it. In one write transaction; throws DbError.
    static void addMarkerTable(SqlConnection& connection);
    // "naprawy.BAK", "dokumenty.BAK": the rows of the table before its new column.
    static QString backupCopyPath(const QString& directory, const QString& table);

private:
    struct StepState
    {
        bool failed = false;
        bool added = false;
        QStringList logLines; // written once the step has been committed
    };

    // Adds the missing tables of the canonical list entries (1-based) in order;
    // the first failure ends the loop. Runs inside the step's transaction.
    void addTables(const QList<int>& entries, StepState& state);
    void addNamedTables(const QStringList& tables, StepState& state);
    // Runs `work` in one transaction; false (reported) when it cannot be committed.
    template <typename F> bool inTransaction(StepState& state, F&& work);
    void writeLog(const StepState& state) const;
    void finishStep(const QString& version, const StepState& state);
    // False (logged) when the marker could not be kept; the step then only
    // looks again at the next login.
    bool writeMarker(const QString& version);
    void tableStep(const QString& version, const QList<int>& entries);
    bool makeBackupCopy(const QString& table, qint64 failCode, qint64 doneCode);
    bool addActColumn(const QString& table, qint64 addedCode, qint64 updatedCode, qint64 errorCode,
                      StepState& state);

    TmyDataBase& m_db;
    QString m_directory;
    QString m_password;
    Notify m_notify;
    Progress m_progress;
    QString m_templateDir;
};
