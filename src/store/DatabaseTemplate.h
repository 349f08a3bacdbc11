#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class SqlConnection;
struct ServerAddress;

// Makes a new database file from the SQL templates shipped beside the program:
// data/empty/schema.sql (the tables), data/empty/slowniki.sql (the starting
// dictionary entries) and then data/empty/data.sql (own company, ADMIN) or
// data/demo/data.sql (sample data).
class DatabaseTemplate
{
public:
    // Creates dir + "/" + kDatabaseFileName keyed with `password`, in one
    // transaction, built in a temporary file of the same folder and renamed at
    // the end, so a failure leaves no file behind and an existing database is
    // untouched. An existing database is replaced only with `replaceExisting`;
    // the caller asks the user first. Afterwards the upgrade marker files are
    // written (a new database needs none of the upgrades). `templateDir` is the
    // folder holding empty/ and demo/; empty means programDir() + "/data".
    // Throws DbError with a Polish message.
    static void create(const QString& dir, const QString& password, bool withSampleData,
                       bool replaceExisting = false, const QString& templateDir = QString());

    // The same on a database server: the tables, the Polish collation and the
    // change counter made inside the (empty) database at `address`, in one
    // transaction, so a failure leaves nothing behind. A database that already
    // holds tables is refused. Throws DbError with a Polish message.
    static void createOnServer(const ServerAddress& address, bool withSampleData,
                               const QString& templateDir = QString());

    // Makes the program's tables, with no rows, in the open empty database of
    // either kind, inside the caller's transaction when one is open: on a
    // server also the Polish collation, the key function, the row counts and
    // the change counter. Throws DbError.
    static void createTables(SqlConnection& connection, const QString& templateDir = QString());
    // Makes one table of the schema template with its indexes in the open
    // database of either kind, inside the caller's transaction (an older
    // database gaining a table): on a server in the server's types, with its
    // key sequence and the change counter's trigger. Throws DbError.
    static void createTable(SqlConnection& connection, const QString& table,
                            const QString& templateDir = QString());
    // The column of `table` whose keys are given by the database itself
    // (INTEGER PRIMARY KEY AUTOINCREMENT in the template); empty when none.
    static QString keyColumn(const QString& table, const QString& templateDir = QString());
    // Why a password cannot key a new database file; empty when it can: 3 to
    // 15 letters or digits, no Polish letters.
    static QString passwordProblem(const QString& password);
    static QString defaultTemplateDir(); // AppPaths::programDir() + "/data"
    // Tests point the default elsewhere; empty restores the program's folder.
    static void setDefaultTemplateDir(const QString& dir);
    static QString databaseFile(const QString& dir);
    // The marker files of the upgrades that a created database already has.
    static QStringList upgradeMarkers();

    // Replaces {{HASLO:text}} by the salted hash of `text` with a new salt.
    static QString substitutePasswords(const QString& sql);
    // Replaces {{D+N}} / {{D-N}} by the yyyymmdd integer of today +/- N days and
    // {{DMY+N}} by the text dd-mm-yyyy; "D" without a number is today. Throws
    // DbError on any other {{...}} token.
    static QString substituteDates(const QString& sql, const QDate& today);

    // The statements of `script` one by one (comments dropped, ';' inside
    // quotes kept).
    static QStringList splitStatements(const QString& script);
    // The CREATE TABLE statement of `table` and its CREATE INDEX statements,
    // taken from the schema template (used to add a table an older database lacks).
    static QStringList tableDefinition(const QString& table, const QString& templateDir = QString());

    // Table names of a connected database in creation order, without SQLite's own.
    static QStringList tables(SqlConnection& connection);
    // Column names of `table` in declared order; empty when the table is missing.
    static QStringList tableColumns(SqlConnection& connection, const QString& table);

private:
    static QString readTemplate(const QString& path);
};
