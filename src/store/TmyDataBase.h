#pragma once

#include "store/DatabaseTarget.h"
#include "store/ListState.h"
#include "store/LookupSearch.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/WorkstationPresence.h"

#include <QString>
#include <QVariantList>

#include <array>
#include <functional>
#include <map>
#include <memory>

// One note of the notepad (30 slots, kept in table notatki).
struct NoteSlot
{
    QString data;     // up to 10 characters, dd-mm-yyyy
    QString opis;     // up to 255 characters
    QString reserved; // up to 10 characters
};

// The backup parameters kept in table system (TYPE 1, ID 1..7).
struct SystemParams
{
    int lastBackupDate = 20000101; // 1: yyyymmdd of the last automatic backup
    int lastSlot = 0;              // 2: ring slot written last, 0 before the first
    int intervalDays = 30;         // 3
    int slotsKept = 3;             // 4
    bool adminsOnly = true;        // 5: only users holding right 0 trigger it
    bool askFirst = true;          // 6: ask before, confirm after
    bool enabled = true;           // 7
};

using Rights = std::array<bool, 101>;

// The single data module: the one connection, the general-purpose statement
// mySQL, the named statements and the operations every screen uses. Every
// operation catches store errors itself, reports them with its code and
// answers a default; it never opens a window.
class TmyDataBase
{
public:
    TmyDataBase();
    ~TmyDataBase();
    TmyDataBase(const TmyDataBase&) = delete;
    TmyDataBase& operator=(const TmyDataBase&) = delete;

    // The module created at start-up; set by the constructor, cleared by the destructor.
    static TmyDataBase* instance();

    SqlConnection& DatabaseMain() { return m_connection; }
    const QString& directory() const { return m_directory; }
    bool isConnected() const { return m_connection.isOpen(); }

    // The general-purpose statement for texts built at run time.
    Statement& mySQL() { return m_mySQL; }
    // A named statement with its stored text (created on first use).
    Statement& statement(const QString& name);
    // Names of every registered statement.
    static QStringList statementNames();

    // 1. Close every named statement and mySQL.
    void closeAll();
    // 2. Connect to the database file in `directory` with the password
    //    (code 566 when the file cannot be opened or cannot be written, 48 for
    //    anything else).
    //    While connected the workstation is marked present in the directory.
    bool connectTo(const QString& directory, const QString& password);
    // The same, for a caller that first finds out why the file was refused:
    // the failure is handed back (message and code) instead of reported.
    struct ConnectFailure
    {
        QString message;
        int code = 0;
    };
    bool connectTo(const QString& directory, const QString& password, ConnectFailure* failure);
    // 2a. The same for a database on a server; `directory` is the folder the
    //     files beside the database (attachments, markers) are kept in.
    //     Workstations on a server are not counted by a presence file.
    bool connectToServer(const ServerAddress& address, const QString& directory);
    bool connectToServer(const ServerAddress& address, const QString& directory, ConnectFailure* failure);
    // 2b. Either of the two, as the target says.
    bool connectTo(const DatabaseTarget& target, ConnectFailure* failure);
    void disconnect();

    // Other workstations connected to this database now; -1 when that cannot
    // be told (not connected, the presence file could not be used, the
    // server did not answer).
    int otherWorkstations();
    // Called when the connection found its file replaced by another (a
    // restore on another workstation) and opened the new one; the lists
    // still show the old file's rows until they are reloaded.
    void setReplacedHandler(std::function<void()> handler) { m_replaced = std::move(handler); }
    // Called when the connection to the database server is found lost, in
    // the middle of the operation that found it (which fails and is reported).
    void setConnectionLostHandler(std::function<void()> handler) { m_lost = std::move(handler); }
    // Connects again to the database last connected to; the lists are closed.
    bool reconnect(ConnectFailure* failure);
    // Where the last connection went ("host:port/database" or the file).
    QString connectedTo() const
    {
        return m_lastTarget.server ? m_lastTarget.server->display() : m_lastTarget.directory;
    }
    // What the user is told then.
    static QString restoredElsewhereText();
    // 4. True when a row with column = value exists; true on any failure too,
    //    which is reported (code 2204), so nothing duplicate is written and the
    //    caller, seeing lastCheckFailed(), shows no duplicate message.
    bool exists(const QString& table, const QString& column, const QString& value);
    bool lastCheckFailed() const { return m_checkFailed; }
    // 5. True when the column can be selected from the table (no report).
    bool columnExists(const QString& table, const QString& column);
    // 6. MAX(column) of the table; -1 and code 801 on failure, 0 when empty.
    qint64 maxKey(const QString& table, const QString& column);
    // 7. The value column of the row with the highest key; empty when none (code 12031539).
    QString lastValue(const QString& keyColumn, const QString& valueColumn, const QString& table);
    // 8. Moves the list's cursor to the row whose key field(s) equal `keys`;
    //    past the end when absent. Answers whether it was found.
    bool locate(const QString& list, const QVariantList& keys);
    // The filter and sort state of every list, reset to the defaults on connect.
    ListState& listState() { return m_lists; }
    // 9. Writes the list's state into its statement and reopens it; a failure
    //    is reported with the list's reload code and leaves the list closed.
    //    DBFLicKomp takes the computer key (line 9).
    bool reloadList(const QString& list, qint64 computerKey = -1);
    static qint64 reloadCode(const QString& list);
    // 10. Reopen a lookup list; the classifier lists take the dictionary code.
    bool reopenLookup(const QString& name, const QString& dictionaryCode = {});
    // The key argument of the two "without this ..." lookups (line 5).
    bool reopenLookupFor(const QString& name, qint64 key);
    // 10a. The lookups over large registers (LookupSearch::of) are searched,
    //      never read whole: a failure is reported with the list's code and
    //      answers no rows.
    QList<LookupSearch::Match> searchLookup(const QString& name, const QString& typed, int limit);
    bool lookupText(const QString& name, const QVariant& key, QString* text);
    // 11. The 14 property rows of a new computer or equipment item.
    bool createPropertyRows(const QString& kind, qint64 id);
    // 12. Property names of a kind and classifier; created once when missing.
    bool openPropertyNames(const QString& kind, qint64 classifier);
    // 13. Property values of an object; creates the 14 empty rows when missing.
    bool openPropertyValues(const QString& kind, qint64 id);
    // 14. The notepad.
    std::array<NoteSlot, 30> loadNotes();
    bool saveNotes(const std::array<NoteSlot, 30>& notes);
    // 15. Rights of a user: all for ADMIN, else the rows of uprawnienia.
    Rights loadRights(const QString& user);
    // 16, 17. Backup parameters.
    SystemParams loadSystemParams();
    bool saveSystemParams(const SystemParams& params);
    // 18. "Komp. (" + KNREWID + ")" and the like for the current row of a list.
    static QString objectLabel(const QString& kind, const Statement& row);
    static QString repairObjectLabel(const QString& kind, const Statement& row);
    // 19. Display conversions.
    static QString dateText(qint64 yyyymmdd);
    // Amounts as the program shows them everywhere (Numbers::amountText).
    static QString amountText(double value);
    static QChar dateSeparator();
    // 20. Deletes the stored files of an object's attachments when `enabled`.
    bool deleteAttachmentFiles(const QString& kind, qint64 id, bool enabled, const QString& folder);
    // 21. The old engine's lock file; SQLite locks the file itself.
    static void removeLockFile(const QString& directory);
    // 22. Opens the database in `directory` read-write with the password (a
    //     journal left by a crash is rolled back) and reads the table; logs
    //     code 3104 with the step reached on failure. DatabaseCheck tells why.
    bool tableOpenTest(const QString& directory, const QString& tableFile, const QString& password);
    // 23. Re-keys the database file (code 220).
    bool setTablePassword(const QString& directory, const QString& tableFile, const QString& newPassword,
                          const QString& currentPassword);
    // 24. Reclaims the space of deleted rows (code 370).
    bool packTable(const QString& directory, const QString& tableFile, const QString& password);
    // 25. The old engine's configuration; nothing to read or write here.
    static QString engineConfig(const QString& pathAndName);
    static void setEngineConfig(const QString& pathAndName, const QString& value);
    // 26. The store's version text.
    static QString engineVersion();

    // The database file in a directory.
    static QString databaseFile(const QString& directory);

private:
    // Rows a keyed list reads before it is shown; the rest follow.
    static constexpr int kFirstRows = 500;
    // The list's whole row count by its base table, read beside the first rows.
    int countRows(const QString& list, const Statement& q);

    SqlConnection m_connection;
    WorkstationPresence m_presence;
    std::function<void()> m_replaced;
    std::function<void()> m_lost;
    DatabaseTarget m_lastTarget;
    ListState m_lists;
    QString m_directory;
    Statement m_mySQL;
    bool m_checkFailed = false;
    std::map<QString, std::unique_ptr<Statement>> m_statements;
};
