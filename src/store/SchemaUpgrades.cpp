#include "store/SchemaUpgrades.h"

#include "base/ErrorLog.h"
#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/Guarded.h"
#include "store/SortKeys.h"
#include "store/SqlDialect.h"
#include "store/Statement.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"
#include "store/WriteTransaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString kInfo = QStringLiteral("[9999999999]  ");
// A table or a step that the store itself refused (locked, read-only, full).
constexpr qint64 kStoreFailure = 100011;

QString logCode(qint64 code)
{
    return QLatin1Char('[') + ErrorLog::codeText(code) + QStringLiteral("]  ");
}

void removeQuietly(const QString& path)
{
    if (QFileInfo::exists(path))
        QFile::remove(path);
}
} // namespace

SchemaUpgrades::SchemaUpgrades(TmyDataBase& db, const QString& directory, const QString& password,
                               Notify notify)
    : m_db(db), m_directory(directory), m_password(password), m_notify(std::move(notify))
{
}

QString SchemaUpgrades::markerPath(const QString& directory, const QString& version)
{
    return directory + QStringLiteral("/update") + version;
}

QString SchemaUpgrades::backupCopyPath(const QString& directory, const QString& table)
{
    return directory + QLatin1Char('/') + table + QStringLiteral(".BAK");
}

QStringList SchemaUpgrades::markedVersions()
{
    return {QStringLiteral("1.0.2"), QStringLiteral("1.0.3"), QStringLiteral("1.0.4"),
            QStringLiteral("1.0.5")};
}

void SchemaUpgrades::addMarkerTable(SqlConnection& connection)
{
    WriteTransaction transaction(connection);
    // Looked for under the write lock: two workstations logging in at once
    // make it once.
    if (!DatabaseTemplate::tableColumns(connection, kMarkerTable).isEmpty())
        return;
    connection.exec(QStringLiteral("CREATE TABLE ") + kMarkerTable +
                    QStringLiteral(" (wersja VARCHAR(20) NOT NULL PRIMARY KEY)"));
    Statement insert(
        &connection, QStringLiteral("marker"),
        {QStringLiteral("INSERT INTO ") + kMarkerTable + QStringLiteral(" (wersja) VALUES (:PARAM0)")});
    for (const QString& version : markedVersions()) {
        insert.setParam(0, version);
        insert.execSQL();
    }
    transaction.commit();
}

bool SchemaUpgrades::hasMarker(const QString& version)
{
    SqlConnection& connection = m_db.DatabaseMain();
    if (!connection.dialect().markersInDatabase)
        return QFileInfo::exists(markerPath(m_directory, version));
    try {
        Statement q(&connection, QStringLiteral("marker"),
                    {QStringLiteral("SELECT wersja FROM ") + kMarkerTable +
                     QStringLiteral(" WHERE wersja = :PARAM0")});
        q.setParam(0, version);
        q.open();
        const bool found = !q.isEmpty();
        q.close();
        return found;
    } catch (const DbError& e) {
        // Not known to be done: the step looks for what it adds and adds only what is missing.
        ErrorLog::report(e.message(), true, kStoreFailure);
        return false;
    }
}

bool SchemaUpgrades::writeMarker(const QString& version)
{
    SqlConnection& connection = m_db.DatabaseMain();
    if (!connection.dialect().markersInDatabase) {
        QFile marker(markerPath(m_directory, version));
        if (marker.open(QIODevice::WriteOnly))
            return true;
        ErrorLog::writeLine(kInfo + QStringLiteral("Nie udało się zapisać pliku ") +
                            QDir::toNativeSeparators(marker.fileName()));
        return false;
    }
    try {
        // Under the write lock: another workstation's login may have just written it.
        WriteTransaction transaction(connection);
        Statement present(&connection, QStringLiteral("marker"),
                          {QStringLiteral("SELECT wersja FROM ") + kMarkerTable +
                           QStringLiteral(" WHERE wersja = :PARAM0")});
        present.setParam(0, version);
        present.open();
        const bool there = !present.isEmpty();
        present.close();
        if (!there) {
            Statement insert(&connection, QStringLiteral("marker"),
                             {QStringLiteral("INSERT INTO ") + kMarkerTable +
                              QStringLiteral(" (wersja) VALUES (:PARAM0)")});
            insert.setParam(0, version);
            insert.execSQL();
        }
        transaction.commit();
        return true;
    } catch (const DbError& e) {
        ErrorLog::report(e.message(), true, kStoreFailure);
        return false;
    }
}

void SchemaUpgrades::run()
{
    if (m_db.DatabaseMain().dialect().markersInDatabase) {
        try {
            addMarkerTable(m_db.DatabaseMain());
        } catch (const DbError& e) {
            // Without the table every step looks again; each adds only what is missing.
            ErrorLog::report(e.message(), true, kStoreFailure);
        }
    }
    update102();
    update103();
    update104();
    update105();
    update26();
    update27();
    updateSortKeys();
}

template <typename F> bool SchemaUpgrades::inTransaction(StepState& state, F&& work)
{
    try {
        WriteTransaction transaction(m_db.DatabaseMain());
        work();
        transaction.commit();
        return true;
    } catch (const DbError& e) {
        // Nothing of the step stays: its tables, columns and log lines go together.
        state.failed = true;
        state.added = false;
        state.logLines.clear();
        ErrorLog::report(e.message(), true, kStoreFailure);
        return false;
    }
}

void SchemaUpgrades::addTables(const QList<int>& entries, StepState& state)
{
    QStringList names;
    for (int entry : entries)
        names << TableList::tableName(TableList::files().at(entry - 1));
    addNamedTables(names, state);
}

void SchemaUpgrades::addNamedTables(const QStringList& names, StepState& state)
{
    SqlConnection& connection = m_db.DatabaseMain();
    for (const QString& table : names) {
        const QString file = table + QStringLiteral(".db");
        // Looked for inside the step's write transaction: two workstations
        // logging in at once make the table once.
        if (DatabaseTemplate::tables(connection).contains(table, Qt::CaseInsensitive))
            continue;
        state.added = true;
        try {
            // The table and its indexes, or neither.
            WriteTransaction tableOnly(connection);
            DatabaseTemplate::createTable(connection, table, m_templateDir);
            tableOnly.commit();
        } catch (const DbError& e) {
            m_notify(QStringLiteral("Błąd"), QStringLiteral("Nie udało się stworzyć tabeli ") + file);
            ErrorLog::writeLine(logCode(kStoreFailure) + e.message());
            state.failed = true;
            return;
        }
        // The table lives in the keyed database file: it carries the database password already.
        state.logLines << kInfo + QStringLiteral("Dodano tabelę ") + file + QStringLiteral(" DIR=") +
                              QDir::toNativeSeparators(m_directory);
    }
}

void SchemaUpgrades::writeLog(const StepState& state) const
{
    for (const QString& line : state.logLines)
        ErrorLog::writeLine(line);
}

void SchemaUpgrades::finishStep(const QString& version, const StepState& state)
{
    if (state.failed)
        return; // no marker: the step runs again at the next login
    // The database is up to date all the same when the marker cannot be kept.
    writeMarker(version);
    if (!state.added)
        return;
    ErrorLog::writeLine(kInfo + QStringLiteral("baza danych zaktualizowana do wersji ") + version);
    m_notify(QStringLiteral("Informacja"),
             QStringLiteral("Sprzetnik oraz baza danych zaktualizowana do wersji ") + version);
}

void SchemaUpgrades::tableStep(const QString& version, const QList<int>& entries)
{
    if (hasMarker(version))
        return;
    StepState state;
    if (inTransaction(state, [&] { addTables(entries, state); }))
        writeLog(state);
    finishStep(version, state);
}

void SchemaUpgrades::update102()
{
    tableStep(QStringLiteral("1.0.2"), {19, 20, 21, 22});
}

void SchemaUpgrades::update103()
{
    tableStep(QStringLiteral("1.0.3"), {23, 24, 25});
}

void SchemaUpgrades::update104()
{
    tableStep(QStringLiteral("1.0.4"), {26});
}

bool SchemaUpgrades::makeBackupCopy(const QString& table, qint64 failCode, qint64 doneCode)
{
    const QString target = backupCopyPath(m_directory, table);
    if (QFileInfo::exists(target))
        return true;
    // Built under a temporary name, so a half-written copy is never taken for a whole one.
    const QString temporary = target + QStringLiteral(".new");
    removeQuietly(temporary);
    removeQuietly(temporary + QStringLiteral("-journal"));
    bool ok = false;
    try {
        // A connection of its own: the live one may not create files, and stays untouched.
        SqlConnection copy;
        copy.open(temporary, m_password, true);
        Statement attach(&copy, QStringLiteral("attach"),
                         {QStringLiteral("ATTACH DATABASE :PARAM0 AS zrodlo KEY :PARAM1")});
        attach.setParam(0, m_db.DatabaseMain().file());
        attach.setParam(1, m_password);
        attach.execSQL();
        copy.exec(QStringLiteral("CREATE TABLE ") + table + QStringLiteral(" AS SELECT * FROM zrodlo.") +
                  table);
        copy.exec(QStringLiteral("DETACH DATABASE zrodlo"));
        copy.close();
        ok = QFile::rename(temporary, target);
    } catch (const DbError& e) {
        ErrorLog::writeLine(logCode(kStoreFailure) + e.message());
    }
    if (!ok) {
        removeQuietly(temporary);
        removeQuietly(temporary + QStringLiteral("-journal"));
        const QString text =
            QStringLiteral("Nie udało się stworzyć kopii zbioru ") + table + QStringLiteral(".BAK");
        m_notify(QStringLiteral("Błąd"), text + QLatin1Char('.'));
        ErrorLog::writeLine(logCode(failCode) + text);
        return false;
    }
    ErrorLog::writeLine(logCode(doneCode) + QStringLiteral("plik ") + table +
                        QStringLiteral(".BAK utworzony"));
    return true;
}

bool SchemaUpgrades::addActColumn(const QString& table, qint64 addedCode, qint64 updatedCode,
                                  qint64 errorCode, StepState& state)
{
    if (m_db.columnExists(table + QStringLiteral(".DB"), QStringLiteral("ACT")))
        return true;
    QStringList lines;
    // A savepoint of the step: the column and its values, or neither.
    const bool ok = guardedWrite(m_db.DatabaseMain(), errorCode, [&] {
        Statement& sql = m_db.mySQL();
        sql.clear();
        sql.add(QStringLiteral("ALTER TABLE ") + table);
        // The default keeps rows added later active, as in a new database.
        sql.add(QStringLiteral("ADD ACT CHAR(1) DEFAULT 'T'"));
        sql.execSQL();
        lines << logCode(addedCode) + QStringLiteral("dodano nowe pole ACT w zbiorze ") + table +
                     QStringLiteral(".DB");
        sql.clear();
        sql.add(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ACT='T'"));
        sql.execSQL();
        lines << logCode(updatedCode) + QStringLiteral("zaktualizowano pole ACT w zbiorze ") + table +
                     QStringLiteral(".DB");
    });
    m_db.mySQL().close();
    if (ok)
        state.logLines << lines;
    return ok;
}

void SchemaUpgrades::update105()
{
    const QString version = QStringLiteral("1.0.5");
    if (hasMarker(version))
        return;
    // The copies are separate files: taken before the transaction that changes
    // the tables. A server has no folder beside its database; there the
    // transaction alone keeps the tables whole.
    bool allowed = true;
    if (!m_db.DatabaseMain().dialect().markersInDatabase) {
        allowed = makeBackupCopy(QStringLiteral("naprawy"), 100001, 100002);
        allowed = makeBackupCopy(QStringLiteral("dokumenty"), 100003, 100004) && allowed;
    }

    StepState state;
    bool columnsDone = allowed;
    const bool committed = inTransaction(state, [&] {
        if (columnsDone)
            columnsDone = addActColumn(QStringLiteral("naprawy"), 100005, 100010, 100006, state);
        if (columnsDone)
            columnsDone = addActColumn(QStringLiteral("dokumenty"), 100007, 100009, 100008, state);
        addTables({27}, state);
    });
    if (committed)
        writeLog(state);
    // Without its columns the database is not at 1.0.5 yet: the step is tried again next time.
    if (!columnsDone)
        state.failed = true;
    finishStep(version, state);
}

void SchemaUpgrades::update26()
{
    StepState state;
    if (!inTransaction(state, [&] { addTables({28}, state); }))
        return;
    writeLog(state);
    if (state.failed || !state.added)
        return;
    ErrorLog::writeLine(kInfo + QStringLiteral("baza danych zaktualizowana do wersji 2.6"));
    m_notify(QStringLiteral("Informacja"), QStringLiteral("Baza danych zaktualizowana do wersji 2.6"));
}

void SchemaUpgrades::update27()
{
    StepState state;
    if (!inTransaction(state, [&] { addNamedTables(TableList::addedTables(), state); }))
        return;
    writeLog(state);
    if (state.failed || !state.added)
        return;
    ErrorLog::writeLine(kInfo + QStringLiteral("baza danych zaktualizowana do wersji 2.7"));
    m_notify(QStringLiteral("Informacja"), QStringLiteral("Baza danych zaktualizowana do wersji 2.7"));
}

void SchemaUpgrades::updateSortKeys()
{
    SqlConnection& connection = m_db.DatabaseMain();
    if (!connection.dialect().sortKeyColumns)
        return; // the engine orders by Polish rules itself (the server)
    // No message: the file only gains a column and an index the user never
    // sees; only the progress of filling them, which takes a while.
    StepState state;
    inTransaction(state, [&] { SortKeys::addMissing(connection, m_progress); });
    // Also when nothing was added: the triggers of a column another
    // workstation has just added.
    SortKeys::attach(connection);
}
