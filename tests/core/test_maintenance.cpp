#include "DatabaseRows.h"
#include "TestDatabase.h"
#include "TestServer.h"
#include "TestSupport.h"

#include "maintenance/ArchiveBuilder.h"
#include "maintenance/ArchiveDescription.h"
#include "maintenance/CsvSheet.h"
#include "maintenance/DatabaseSnapshot.h"
#include "maintenance/EmployeeImport.h"
#include "maintenance/TableEmptying.h"
#include "store/DatabaseCopy.h"
#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/SchemaUpgrades.h"
#include "store/SqlConnection.h"
#include "store/SqlDialect.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTest>

#include <sqlcipher/sqlite3.h>

#ifdef Q_OS_LINUX
#include <csignal>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {
int count(TmyDataBase& db, const QString& sql)
{
    Statement& q = db.mySQL();
    q.clear();
    q.add(sql);
    q.open();
    const int n = int(q.integerAt(0, 0));
    q.close();
    return n;
}

void exec(TmyDataBase& db, const QString& sql)
{
    db.DatabaseMain().exec(sql);
}

QMap<QString, int> snapshotCounts(TmyDataBase& db)
{
    QMap<QString, int> c;
    for (const QString& t : TableList::tables())
        c[t] = count(db, QStringLiteral("SELECT COUNT(*) FROM ") + t);
    for (const char* kind : {"K", "S"}) {
        c[QStringLiteral("wlasciwosci/") + QLatin1String(kind)] =
            count(db, QStringLiteral("SELECT COUNT(*) FROM wlasciwosci WHERE KOMPSPRZET='%1'")
                          .arg(QLatin1String(kind)));
        c[QStringLiteral("nazwawlasciwosci/") + QLatin1String(kind)] =
            count(db, QStringLiteral("SELECT COUNT(*) FROM nazwawlasciwosci WHERE KOMPSPRZET='%1'")
                          .arg(QLatin1String(kind)));
    }
    Statement& q = db.mySQL();
    q.clear();
    q.add(QStringLiteral("SELECT IDSLOWNIK, COUNT(*) AS N FROM slowniki GROUP BY IDSLOWNIK"));
    q.open();
    for (; !q.eof(); q.next())
        c[QStringLiteral("slowniki/") + q.text(QStringLiteral("IDSLOWNIK"))] =
            int(q.integer(QStringLiteral("N")));
    q.close();
    c[QStringLiteral("firmy/own")] = count(db, QStringLiteral("SELECT COUNT(*) FROM firmy WHERE IDFIRMY=1"));
    c[QStringLiteral("firmy/ownNamed")] =
        count(db, QStringLiteral("SELECT COUNT(*) FROM firmy WHERE IDFIRMY=1 AND NAZWA<>''"));
    return c;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<brak>");
}

// The files a folder holds, hidden ones too.
QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Ends every other session of the connection's database on the server.
void cutOtherSessions(SqlConnection& killer)
{
    killer.exec(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                               "WHERE datname = current_database() AND pid <> pg_backend_pid()"));
}

// A number a query of `connection` answers.
int countIn(SqlConnection& connection, const QString& sql)
{
    Statement q(&connection, QStringLiteral("q"), {sql});
    q.open();
    return int(q.integerAt(0, 0));
}

QString emptyMask()
{
    const QChar s = TmyDataBase::dateSeparator();
    return QStringLiteral("  %1  %1    ").arg(s);
}

QByteArray csvBytes(const QString& text, const char* encoding, bool bom = false)
{
    QStringEncoder e(encoding);
    QByteArray b = e.encode(text);
    return bom ? QByteArray("\xEF\xBB\xBF") + b : b;
}

// A sheet read from `text` as a UTF-8 file separated by ';'.
bool loadSheet(CsvSheet& sheet, const QString& text)
{
    QByteArray bytes = csvBytes(text, "UTF-8");
    QBuffer buffer(&bytes);
    return buffer.open(QIODevice::ReadOnly) && sheet.read(buffer, QLatin1Char(';'));
}
} // namespace

class TestMaintenance : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;

    bool onServer() const { return m_database->onServer(); }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
    }
    void cleanup()
    {
        DatabaseSnapshot::setRestoreStepHook({});
        DatabaseSnapshot::setCopyHook({});
        DatabaseCopy::setTableHook({});
        ArchiveBuilder::setStepHook({});
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    // ---- archiwum.bak
    void descriptionRecordRoundTripsAndIsCut()
    {
        QTemporaryDir dir;
        ArchiveDescription d{QStringLiteral("Kopia przed zamknięciem roku – źółć ") +
                                 QString(100, QLatin1Char('x')),
                             QStringLiteral("31-02-2020")};
        const QByteArray r = d.record();
        QCOMPARE(r.size(), 112);
        QCOMPARE(int(quint8(r[0])), 100);
        QCOMPARE(int(quint8(r[101])), 10);
        QVERIFY(d.write(dir.path()));
        QCOMPARE(QFileInfo(dir.filePath(QStringLiteral("archiwum.bak"))).size(), 112);
        const ArchiveDescription back = ArchiveDescription::read(dir.path());
        QCOMPARE(back.name, d.name.left(100));
        QVERIFY(back.name.contains(QStringLiteral("źółć")));
        QCOMPARE(back.date, QStringLiteral("31-02-2020"));

        // Empty texts are allowed; the empty date reads as the mask.
        ArchiveDescription empty;
        QVERIFY(empty.write(dir.path()));
        QCOMPARE(ArchiveDescription::read(dir.path()).name, QString());
        QCOMPARE(ArchiveDescription::read(dir.path()).date, emptyMask());
    }
    void truncatedOrForeignDescriptionReadsEmpty_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray valid = ArchiveDescription{QStringLiteral("Nazwa"), QStringLiteral("01-01-2024")}.record();
        QTest::newRow("truncated") << valid.left(60);
        QTest::newRow("longer") << valid + QByteArray("trailing");
        QByteArray badName = valid;
        badName[0] = char(101);
        QTest::newRow("name length over 100") << badName;
        QByteArray badDate = valid;
        badDate[101] = char(11);
        QTest::newRow("date length over 10") << badDate;
        QTest::newRow("empty file") << QByteArray();
    }
    void truncatedOrForeignDescriptionReadsEmpty()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("archiwum.bak")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        QVERIFY(ArchiveDescription::existsIn(dir.path()));
        const ArchiveDescription d = ArchiveDescription::read(dir.path());
        QCOMPARE(d.name, QString());
        QCOMPARE(d.date, emptyMask());
    }

    // ---- snapshots and restore
    void snapshotIsConsistentWhileAnotherConnectionWrites()
    {
        const int before = count(*m_db, QStringLiteral("SELECT COUNT(*) FROM komputery"));
        SqlConnection other;
        m_database->open(other);
        other.exec(other.dialect().beginWrite);
        other.exec(QStringLiteral("DELETE FROM komputery; INSERT INTO komputery (NREWID) VALUES ('W-TOKU')"));
        QTemporaryDir dir;
        const QString file = dir.filePath(kDatabaseFileName);
        DatabaseSnapshot::write(m_db->DatabaseMain(), m_database->password(), file);
        other.exec(QStringLiteral("COMMIT"));
        QCOMPARE(entries(dir.path()), QStringList{kDatabaseFileName}); // no temporary left
        QCOMPARE(DatabaseSnapshot::check(file, m_database->password()), DatabaseSnapshot::Check::Ok);
        TmyDataBase copy;
        QVERIFY(copy.connectTo(dir.path(), m_database->password()));
        QCOMPARE(count(copy, QStringLiteral("SELECT COUNT(*) FROM komputery")), before);
        QCOMPARE(count(copy, QStringLiteral("SELECT COUNT(*) FROM komputery WHERE NREWID='W-TOKU'")), 0);
    }
    // Another workstation (a process of its own) changes every row while the
    // file is being copied: its commit must wait for the copy, and the copy
    // must hold the rows as they were before it.
    void snapshotHoldsAnotherWorkstationsCommitUntilCopied()
    {
#ifndef Q_OS_LINUX
        QSKIP("needs fork");
#else
        if (onServer())
            QSKIP("the file's own bytes copied under its read lock; a server's copy is one view of it: "
                  "serverSnapshotIsOneViewWhileAnotherWorkstationCommits");
        // Rows spread over more than the first part copied.
        exec(*m_db,
             QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<12000) "
                            "INSERT INTO osobowa (NREW,NAZWISKO,INNE) SELECT 'B-'||i,'Stary',"
                            "printf('%.240c', 'x') FROM n"));
        const QString live = TmyDataBase::databaseFile(m_database->dir());
        QVERIFY(QFileInfo(live).size() > 3 * 1024 * 1024);
        int go[2], said[2];
        QVERIFY(pipe(go) == 0 && pipe(said) == 0);
        const pid_t child = fork();
        if (child == 0) {
            char c = 0;
            if (read(go[0], &c, 1) != 1)
                _exit(3);
            try {
                SqlConnection other;
                other.open(live, m_database->password());
                other.exec(QStringLiteral("BEGIN IMMEDIATE; UPDATE osobowa SET NAZWISKO='Nowy', "
                                          "INNE=printf('%.240c', 'y') WHERE NREW LIKE 'B-%'"));
                c = 'b'; // changed, not committed
                if (write(said[1], &c, 1) != 1)
                    _exit(4);
                other.exec(QStringLiteral("COMMIT"));
                c = 'c';
                if (write(said[1], &c, 1) != 1)
                    _exit(4);
            } catch (const DbError&) {
                _exit(5);
            }
            _exit(0);
        }
        auto heard = [&](int timeoutMs) {
            pollfd p{said[0], POLLIN, 0};
            char c = 0;
            return poll(&p, 1, timeoutMs) == 1 && read(said[0], &c, 1) == 1 ? c : '\0';
        };
        char duringCopy[2] = {0, 0};
        DatabaseSnapshot::setCopyHook([&] {
            const char c = 'g';
            QVERIFY(write(go[1], &c, 1) == 1);
            duringCopy[0] = heard(4000);
            duringCopy[1] = heard(600); // a commit that does not wait for the copy lands here
        });
        QTemporaryDir dir;
        const QString file = dir.filePath(kDatabaseFileName);
        DatabaseSnapshot::write(m_db->DatabaseMain(), m_database->password(), file);
        int status = 0;
        waitpid(child, &status, 0);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(duringCopy[0], 'b');
        QCOMPARE(duringCopy[1], '\0');
        QCOMPARE(heard(0), 'c'); // committed once the copy was done
        QCOMPARE(DatabaseSnapshot::check(file, m_database->password()), DatabaseSnapshot::Check::Ok);
        TmyDataBase copy;
        QVERIFY(copy.connectTo(dir.path(), m_database->password()));
        QCOMPARE(count(copy, QStringLiteral("SELECT COUNT(*) FROM osobowa WHERE NAZWISKO='Stary'")), 12000);
        QCOMPARE(count(copy, QStringLiteral("SELECT COUNT(*) FROM osobowa WHERE NAZWISKO='Nowy'")), 0);
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa WHERE NAZWISKO='Nowy'")), 12000);
#endif
    }
    // Under the connection's key the copy is the file's own bytes; under
    // another key it opens with that key only.
    void snapshotOpensWithTheKeyItWasWrittenUnder()
    {
        QTemporaryDir dir;
        const QString same = dir.filePath(QStringLiteral("same.db"));
        const QString other = dir.filePath(QStringLiteral("other.db"));
        DatabaseSnapshot::write(m_db->DatabaseMain(), m_database->password(), same);
        DatabaseSnapshot::write(m_db->DatabaseMain(), QStringLiteral("inne hasło"), other);
        if (!onServer())
            QCOMPARE(readFile(same), readFile(TmyDataBase::databaseFile(m_database->dir())));
        QCOMPARE(DatabaseSnapshot::check(same, m_database->password()), DatabaseSnapshot::Check::Ok);
        QCOMPARE(DatabaseSnapshot::check(other, QStringLiteral("inne hasło")), DatabaseSnapshot::Check::Ok);
        QCOMPARE(DatabaseSnapshot::check(other, m_database->password()),
                 DatabaseSnapshot::Check::WrongPassword);
        QVERIFY(!m_db->DatabaseMain().inTransaction()); // no lock left behind
        // The copy replaces an older one whole.
        exec(*m_db, QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO) VALUES ('X-2','Później')"));
        DatabaseSnapshot::write(m_db->DatabaseMain(), m_database->password(), same);
        if (!onServer())
            QCOMPARE(readFile(same), readFile(TmyDataBase::databaseFile(m_database->dir())));
        {
            SqlConnection copy;
            copy.open(same, m_database->password());
            QCOMPARE(DatabaseRows::firstDifference(copy, m_db->DatabaseMain()), QString());
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }
    // A file another program switched to a write-ahead log keeps its newest
    // commits beside it until a checkpoint: the copy must hold them.
    void snapshotOfAWriteAheadLogHoldsItsNewestCommits()
    {
        if (onServer())
            QSKIP("a write-ahead log beside the database file: the file's own");
        SqlConnection other;
        other.open(TmyDataBase::databaseFile(m_database->dir()), m_database->password());
        other.exec(QStringLiteral("PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0"));
        other.exec(QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO) VALUES ('W-1','W dzienniku')"));
        QVERIFY(QFileInfo(TmyDataBase::databaseFile(m_database->dir()) + QStringLiteral("-wal")).size() > 0);
        QTemporaryDir dir;
        const QString file = dir.filePath(kDatabaseFileName);
        DatabaseSnapshot::write(m_db->DatabaseMain(), m_database->password(), file);
        QCOMPARE(DatabaseSnapshot::check(file, m_database->password()), DatabaseSnapshot::Check::Ok);
        TmyDataBase copy;
        QVERIFY(copy.connectTo(dir.path(), m_database->password()));
        QCOMPARE(count(copy, QStringLiteral("SELECT COUNT(*) FROM osobowa WHERE NREW='W-1'")), 1);
    }
    void snapshotNeverReplacesTheOpenFile()
    {
        if (onServer())
            QSKIP("a database on a server has no open file a copy could land on");
        const QString live = TmyDataBase::databaseFile(m_database->dir());
        QVERIFY_THROWS_EXCEPTION(
            DbError, DatabaseSnapshot::write(m_db->DatabaseMain(), m_database->password(),
                                             m_database->dir() + QStringLiteral("/./") + kDatabaseFileName));
        exec(*m_db, QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO) VALUES ('X-1','Nadal')"));
        TmyDataBase again;
        QVERIFY(m_database->connect(again));
        QCOMPARE(count(again, QStringLiteral("SELECT COUNT(*) FROM osobowa WHERE NREW='X-1'")), 1);
        QVERIFY(QFileInfo::exists(live));
    }
    void checkTellsPasswordFromDamage()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(kDatabaseFileName);
        DatabaseSnapshot::write(m_db->DatabaseMain(), m_database->password(), file);
        QCOMPARE(DatabaseSnapshot::check(file, QStringLiteral("inne")),
                 DatabaseSnapshot::Check::WrongPassword);
        QCOMPARE(DatabaseSnapshot::check(dir.filePath(QStringLiteral("brak.db")), m_database->password()),
                 DatabaseSnapshot::Check::Inconsistent);
        {
            SqlConnection c;
            c.open(file, m_database->password());
            c.exec(QStringLiteral("DROP TABLE magazyn"));
        }
        QCOMPARE(DatabaseSnapshot::check(file, m_database->password()),
                 DatabaseSnapshot::Check::Inconsistent);
        // A damaged page in the middle of the file.
        DatabaseSnapshot::write(m_db->DatabaseMain(), m_database->password(), file);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(f.size() / 2);
        f.write(QByteArray(4096, '\x5a'));
        f.close();
        QVERIFY(DatabaseSnapshot::check(file, m_database->password()) != DatabaseSnapshot::Check::Ok);
    }
    void restoreBringsBackTheArchivedData()
    {
        QTemporaryDir dir;
        const QString archive = dir.filePath(kDatabaseFileName);
        const int computers = count(*m_db, QStringLiteral("SELECT COUNT(*) FROM komputery"));
        DatabaseSnapshot::write(m_db->DatabaseMain(), m_database->password(), archive);
        exec(*m_db, QStringLiteral("DELETE FROM komputery"));
        QCOMPARE(DatabaseSnapshot::restore(*m_db, archive, m_database->password(), m_database->password()),
                 DatabaseSnapshot::RestoreFailure::None);
        QVERIFY(m_db->isConnected());
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM komputery")), computers);
        QVERIFY(
            !QFileInfo::exists(TmyDataBase::databaseFile(m_database->dir()) + QStringLiteral(".restore")));
    }
    // An archive made before stocktaking is whole. Restored, the database is
    // wholly the older one: on the file it lacks the stocktaking tables
    // until the next login's upgrade adds them; on a server its stocktaking
    // rows are gone with the rest, and the tables stay.
    void restoreOfAnArchiveBeforeStocktaking()
    {
        QTemporaryDir dir;
        const QString archive = dir.filePath(kDatabaseFileName);
        DatabaseSnapshot::write(m_db->DatabaseMain(), m_database->password(), archive);
        {
            SqlConnection c;
            c.open(archive, m_database->password());
            for (const QString& table : TableList::addedTables())
                c.exec(QStringLiteral("DROP TABLE ") + table);
        }
        QCOMPARE(DatabaseSnapshot::check(archive, m_database->password()), DatabaseSnapshot::Check::Ok);
        exec(*m_db, QStringLiteral("INSERT INTO inwentaryzacje (DATA) VALUES (20261210)"));
        exec(*m_db, QStringLiteral("INSERT INTO inwentaryzacje_pozycje (IDINWENTARYZACJI) VALUES (1)"));

        QCOMPARE(DatabaseSnapshot::restore(*m_db, archive, m_database->password(), m_database->password()),
                 DatabaseSnapshot::RestoreFailure::None);
        QVERIFY(m_db->isConnected());
        const QStringList present = DatabaseTemplate::tables(m_db->DatabaseMain());
        if (onServer()) {
            QVERIFY(present.contains(QStringLiteral("inwentaryzacje")));
            QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM inwentaryzacje")), 0);
            QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM inwentaryzacje_pozycje")), 0);
        } else {
            QVERIFY(!present.contains(QStringLiteral("inwentaryzacje")));
        }

        QStringList boxes;
        SchemaUpgrades upgrades(*m_db, m_database->dir(), m_database->password(),
                                [&boxes](const QString&, const QString& text) { boxes << text; });
        upgrades.run();
        QCOMPARE(boxes, onServer()
                            ? QStringList()
                            : QStringList({QStringLiteral("Baza danych zaktualizowana do wersji 2.7")}));
        exec(*m_db, QStringLiteral("INSERT INTO inwentaryzacje (DATA) VALUES (20261211)"));
        // On a server the key given before the restore is not given again.
        QCOMPARE(count(*m_db, QStringLiteral("SELECT MAX(IDINWENTARYZACJI) FROM inwentaryzacje")),
                 onServer() ? 2 : 1);
    }
    void restoreUnderAnotherPasswordTakesTheCurrentOne()
    {
        // An archive of another database, made under its own password.
        TestDatabase foreign(false, QStringLiteral("obce-haslo"));
        TmyDataBase other;
        QVERIFY(foreign.connect(other));
        exec(other, QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO) VALUES ('Z-1','Zieliński')"));
        QTemporaryDir dir;
        const QString archive = dir.filePath(kDatabaseFileName);
        DatabaseSnapshot::write(other.DatabaseMain(), foreign.password(), archive);

        QCOMPARE(DatabaseSnapshot::restore(*m_db, archive, foreign.password(), m_database->password()),
                 DatabaseSnapshot::RestoreFailure::None);
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa")), 1);
        if (!onServer()) // a server's database has no key of its own
            QCOMPARE(
                DatabaseSnapshot::check(TmyDataBase::databaseFile(m_database->dir()), m_database->password()),
                DatabaseSnapshot::Check::Ok);
        // The archive itself keeps its password.
        QCOMPARE(DatabaseSnapshot::check(archive, foreign.password()), DatabaseSnapshot::Check::Ok);
    }
    void restoreFailingAtAnyStepLeavesTheDatabaseAsItWas_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("failure");
        if (TestServer::backendIsServer()) {
            // The archive checked, then every table replaced in one transaction.
            QTest::newRow("check") << QStringLiteral("check") << int(DatabaseSnapshot::RestoreFailure::Copy);
            QTest::newRow("replace") << QStringLiteral("replace")
                                     << int(DatabaseSnapshot::RestoreFailure::Swap);
            return;
        }
        for (const char* s : {"copy", "check", "lock"})
            QTest::newRow(s) << QString::fromLatin1(s) << int(DatabaseSnapshot::RestoreFailure::Copy);
        QTest::newRow("rekey") << QStringLiteral("rekey") << int(DatabaseSnapshot::RestoreFailure::Rekey);
        QTest::newRow("rename") << QStringLiteral("rename") << int(DatabaseSnapshot::RestoreFailure::Swap);
    }
    void restoreFailingAtAnyStepLeavesTheDatabaseAsItWas()
    {
        QFETCH(QString, step);
        QFETCH(int, failure);
        TestDatabase foreign(false, QStringLiteral("obce-haslo"));
        TmyDataBase other;
        QVERIFY(foreign.connect(other));
        QTemporaryDir dir;
        const QString archive = dir.filePath(kDatabaseFileName);
        DatabaseSnapshot::write(other.DatabaseMain(), foreign.password(), archive);

        const int employees = count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa"));
        QVERIFY(employees > 0);
        // What the live database holds before: its file's bytes, or on a server a copy of its rows.
        QTemporaryDir beforeDir;
        const QString before = beforeDir.filePath(kDatabaseFileName);
        DatabaseSnapshot::write(m_db->DatabaseMain(), m_database->password(), before);
        const QString live = TmyDataBase::databaseFile(m_database->dir());
        const QByteArray bytesBefore = onServer() ? QByteArray() : readFile(live);
        DatabaseSnapshot::setRestoreStepHook([step](const QString& s) {
            if (s == step)
                throw DbError(QStringLiteral("disk I/O error"));
        });
        QString error;
        const auto result =
            DatabaseSnapshot::restore(*m_db, archive, foreign.password(), m_database->password(), &error);
        QCOMPARE(int(result),
                 failure == int(DatabaseSnapshot::RestoreFailure::Copy) && step == QLatin1String("lock")
                     ? int(DatabaseSnapshot::RestoreFailure::Swap)
                     : failure);
        QVERIFY(error.contains(QStringLiteral("disk I/O error")));
        QVERIFY(m_db->isConnected());
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa")), employees);
        if (!onServer()) {
            QCOMPARE(readFile(live), bytesBefore);
            QVERIFY(!QFileInfo::exists(live + QStringLiteral(".restore")));
        }
        {
            SqlConnection copy;
            copy.open(before, m_database->password());
            QCOMPARE(DatabaseRows::firstDifference(copy, m_db->DatabaseMain()), QString());
        }
        // The connection still writes.
        exec(*m_db, QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO) VALUES ('PO-1','Po')"));
    }

    // ---- a database on a server: its copies and the restore onto it
    // Another workstation commits while the rows are being copied: the copy
    // holds the database as it was when the copy began.
    void serverSnapshotIsOneViewWhileAnotherWorkstationCommits()
    {
        if (!onServer())
            QSKIP(
                "the copy of a server's rows; the file's: snapshotHoldsAnotherWorkstationsCommitUntilCopied");
        const int computers = count(*m_db, QStringLiteral("SELECT COUNT(*) FROM komputery"));
        QVERIFY(computers > 0);
        SqlConnection other;
        m_database->open(other);
        int tables = 0;
        DatabaseCopy::setTableHook([&](const QString&) {
            if (++tables == 1)
                other.exec(QStringLiteral("UPDATE komputery SET NAZWA='Zmieniona'; "
                                          "INSERT INTO osobowa (NREW,NAZWISKO) VALUES ('W-TOKU','W toku')"));
        });
        QTemporaryDir dir;
        const QString file = dir.filePath(kDatabaseFileName);
        DatabaseSnapshot::write(m_db->DatabaseMain(), m_database->password(), file);
        QVERIFY(tables > 1);
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM komputery WHERE NAZWA='Zmieniona'")),
                 computers);
        SqlConnection copy;
        copy.open(file, m_database->password());
        QCOMPARE(countIn(copy, QStringLiteral("SELECT COUNT(*) FROM komputery")), computers);
        QCOMPARE(countIn(copy, QStringLiteral("SELECT COUNT(*) FROM komputery WHERE NAZWA='Zmieniona'")), 0);
        QCOMPARE(countIn(copy, QStringLiteral("SELECT COUNT(*) FROM osobowa WHERE NREW='W-TOKU'")), 0);
        QCOMPARE(entries(dir.path()), QStringList{kDatabaseFileName});
    }
    // An archive of a database file, made as the archive window makes it,
    // restored onto the server: the same rows in every table, the same lists.
    void archiveOfTheFileRestoresOntoTheServer()
    {
        if (!onServer())
            QSKIP("restores onto a database on the server: the test's run against the server");
        const QString filePassword = QStringLiteral("hasło pliku");
        QTemporaryDir fileDir;
        DatabaseTemplate::create(fileDir.path(), filePassword, true);
        TmyDataBase fileDb;
        QVERIFY(fileDb.connectTo(fileDir.path(), filePassword));
        exec(fileDb,
             QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO,IMIE) VALUES ('P-1','Źdźbło','Łucja')"));
        exec(fileDb, QStringLiteral("UPDATE komputery SET NAZWA='Z pliku' WHERE IDKOMPUTERA IN "
                                    "(SELECT MIN(IDKOMPUTERA) FROM komputery)"));
        QTemporaryDir archive;
        ArchiveBuilder builder(fileDb.DatabaseMain(), filePassword);
        QCOMPARE(builder.build(archive.path(), QString(), {QStringLiteral("z pliku"), QString()}),
                 ArchiveBuilder::Failure::None);
        // The server holds rows of its own before.
        exec(*m_db, QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO) VALUES ('S-1','Tylko na serwerze')"));
        exec(*m_db, QStringLiteral("DELETE FROM historia"));
        QVERIFY(m_db->reloadList(QStringLiteral("DBFKomputery")));

        const QString file = QDir(archive.path()).filePath(kDatabaseFileName);
        QString error;
        QCOMPARE(DatabaseSnapshot::restore(*m_db, file, filePassword, m_database->password(), &error),
                 DatabaseSnapshot::RestoreFailure::None);
        QCOMPARE(error, QString());
        SqlConnection archived;
        archived.open(file, filePassword);
        QCOMPARE(DatabaseRows::firstDifference(archived, m_db->DatabaseMain()), QString());
        const auto inArchive = DatabaseCopy::count(archived);
        const auto onTheServer = DatabaseCopy::count(m_db->DatabaseMain());
        QCOMPARE(onTheServer.size(), inArchive.size());
        for (size_t i = 0; i < inArchive.size(); ++i)
            QCOMPARE(onTheServer[i].rows, inArchive[i].rows);
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa WHERE NREW='S-1'")), 0);
        // The lists the registers show: the restore closed the old ones.
        QVERIFY(!m_db->statement(QStringLiteral("DBFKomputery")).isOpen());
        for (const char* list : {"DBFKomputery", "DBFosobowa"}) {
            const QString name = QLatin1String(list);
            QVERIFY(fileDb.reloadList(name) && m_db->reloadList(name));
            Statement& there = fileDb.statement(name);
            Statement& here = m_db->statement(name);
            QVERIFY(here.recordCount() > 0);
            QCOMPARE(here.recordCount(), there.recordCount());
            QStringList a, b;
            for (int row = 0; row < std::min(5, here.recordCount()); ++row)
                for (int c = 0; c < 4; ++c) {
                    a << there.textAt(row, c);
                    b << here.textAt(row, c);
                }
            QCOMPARE(b, a);
        }
        // Keys go on past the restored ones.
        exec(*m_db, QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO) VALUES ('S-2','Po odtworzeniu')"));
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa")),
                 countIn(archived, QStringLiteral("SELECT COUNT(*) FROM osobowa")) + 1);
    }
    // The restore fails half way through the tables, by a failure or by the
    // server ending the session: the server's database is exactly as it was.
    void restoreCutHalfWayLeavesTheServerAsItWas_data()
    {
        QTest::addColumn<bool>("sessionEnded");
        QTest::newRow("failure") << false;
        QTest::newRow("session ended") << true;
    }
    void restoreCutHalfWayLeavesTheServerAsItWas()
    {
        if (!onServer())
            QSKIP("the server's transaction; the file's restore: "
                  "restoreFailingAtAnyStepLeavesTheDatabaseAsItWas");
        QFETCH(bool, sessionEnded);
        TestDatabase foreign(false, QStringLiteral("obce-haslo"));
        TmyDataBase other;
        QVERIFY(foreign.connect(other));
        exec(other, QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO) VALUES ('Z-1','Zieliński')"));
        QTemporaryDir dir;
        const QString archive = dir.filePath(kDatabaseFileName);
        DatabaseSnapshot::write(other.DatabaseMain(), foreign.password(), archive);
        const QString before = dir.filePath(QStringLiteral("przed.db"));
        DatabaseSnapshot::write(m_db->DatabaseMain(), m_database->password(), before);
        const int employees = count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa"));

        SqlConnection killer;
        m_database->open(killer);
        QStringList reached;
        DatabaseCopy::setTableHook([&](const QString& table) {
            reached << table;
            if (table != QLatin1String("naprawy"))
                return;
            if (sessionEnded)
                cutOtherSessions(killer);
            else
                throw DbError(QStringLiteral("przerwane w teście"));
        });
        QString error, detail;
        QCOMPARE(DatabaseSnapshot::restore(*m_db, archive, foreign.password(), m_database->password(), &error,
                                           &detail),
                 DatabaseSnapshot::RestoreFailure::Swap);
        DatabaseCopy::setTableHook({});
        QVERIFY2(reached.size() > 1, qPrintable(reached.join(QLatin1Char(','))));
        QCOMPARE(error, sessionEnded ? DatabaseSnapshot::lostDuringRestoreText()
                                     : QStringLiteral("przerwane w teście"));
        QVERIFY(!detail.isEmpty());
        // Seen by a new session: every row as it was.
        SqlConnection after;
        m_database->open(after);
        SqlConnection copy;
        copy.open(before, m_database->password());
        QCOMPARE(DatabaseRows::firstDifference(copy, after), QString());
        // The data module goes on, connected again when its session was ended.
        QVERIFY(m_db->isConnected());
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa")), employees);
        exec(*m_db, QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO) VALUES ('PO-1','Po')"));
    }
    // The server ends the session while an archive is written: no file is
    // left half written, the previous archive stays whole, and the user is
    // told why.
    void archiveCutHalfWayLeavesNoFile()
    {
        if (!onServer())
            QSKIP("a session of the server ended while its rows are copied");
        QTemporaryDir folder;
        ArchiveBuilder builder(m_db->DatabaseMain(), m_database->password());
        QCOMPARE(builder.build(folder.path(), QString(), {QStringLiteral("pierwsze"), QString()}),
                 ArchiveBuilder::Failure::None);
        const QStringList whole = entries(folder.path());

        SqlConnection killer;
        m_database->open(killer);
        DatabaseCopy::setTableHook([&](const QString& table) {
            if (table == QLatin1String("naprawy"))
                cutOtherSessions(killer);
        });
        QCOMPARE(builder.build(folder.path(), QString(), {QStringLiteral("drugie"), QString()}),
                 ArchiveBuilder::Failure::Database);
        QCOMPARE(builder.error(), DatabaseSnapshot::lostDuringArchiveText());
        QVERIFY(!builder.detail().isEmpty());
        QCOMPARE(entries(folder.path()), whole);
        QCOMPARE(ArchiveDescription::read(folder.path()).name, QStringLiteral("pierwsze"));
        QCOMPARE(
            DatabaseSnapshot::check(QDir(folder.path()).filePath(kDatabaseFileName), m_database->password()),
            DatabaseSnapshot::Check::Ok);

        // Written straight into a folder: nothing left there.
        QVERIFY(m_database->connect(*m_db));
        QTemporaryDir bare;
        try {
            DatabaseSnapshot::write(m_db->DatabaseMain(), m_database->password(),
                                    bare.filePath(kDatabaseFileName));
            QFAIL("the copy went on without its session");
        } catch (const DbError& e) {
            QCOMPARE(e.message(), DatabaseSnapshot::lostDuringArchiveText());
        }
        QCOMPARE(entries(bare.path()), QStringList());
    }
    // The archive folder's disk fills up (the system's limit of a file's
    // size, in a process of its own): the user is told so and no file is left.
    void diskFullAtTheArchiveFolderLeavesNoFile_data()
    {
        QTest::addColumn<QString>("password");
        QTest::newRow("the database's key") << QStringLiteral("tajne1");
        QTest::newRow("another key") << QStringLiteral("inne hasło");
    }
    void diskFullAtTheArchiveFolderLeavesNoFile()
    {
#ifndef Q_OS_LINUX
        QSKIP("needs fork and setrlimit");
#else
        QFETCH(QString, password);
        QCOMPARE(m_database->password(), QStringLiteral("tajne1"));
        QTemporaryDir dir;
        int said[2];
        QVERIFY(pipe(said) == 0);
        const pid_t child = fork();
        if (child == 0) {
            close(said[0]);
            TmyDataBase db;
            if (!m_database->connect(db))
                _exit(3);
            signal(SIGXFSZ, SIG_IGN);
            // A disk fills at any byte, not at the end of a page.
            const rlimit limit{30000, 30000};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                _exit(4);
            try {
                DatabaseSnapshot::write(db.DatabaseMain(), password, dir.filePath(kDatabaseFileName));
            } catch (const DbError& e) {
                const QByteArray text = (e.message() + QLatin1Char('\n') + e.detail()).toUtf8();
                _exit(write(said[1], text.constData(), size_t(text.size())) == text.size() ? 0 : 6);
            }
            _exit(5); // written whole under the limit
        }
        close(said[1]);
        QByteArray text;
        char buffer[512];
        for (ssize_t n; (n = read(said[0], buffer, sizeof buffer)) > 0;)
            text.append(buffer, n);
        close(said[0]);
        int status = 0;
        waitpid(child, &status, 0);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        const QStringList told = QString::fromUtf8(text).split(QLatin1Char('\n'));
        // The file's own copy hears the system's reason; the new file a
        // server's rows go into says only that a write failed, and the text
        // names the disk's free space among the causes.
        QCOMPARE(told.first(), onServer() ? DatabaseSnapshot::notWrittenText(dir.path())
                                          : DatabaseSnapshot::diskFullText(dir.path()));
        QVERIFY2(told.size() == 2 && !told.last().isEmpty(), qPrintable(told.join(QLatin1Char('|'))));
        QCOMPARE(entries(dir.path()), QStringList());
#endif
    }

    // ---- archives
    // Replacing an archive copied the attachments in place and wrote the
    // description last: a failure or a kill half-way left a mix the restore
    // panel offered, and a description that failed was announced as created.
    void archiveFailingAtAnyStepLeavesThePreviousOne_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("failure");
        QTest::newRow("database") << "database" << int(ArchiveBuilder::Failure::Database);
        QTest::newRow("attachments") << "attachments" << int(ArchiveBuilder::Failure::Attachments);
        QTest::newRow("description") << "description" << int(ArchiveBuilder::Failure::Description);
        for (const char* s : {"old description", "old attachments", "old database", "new database",
                              "new attachments", "new description"})
            QTest::newRow(s) << QString::fromLatin1(s) << int(ArchiveBuilder::Failure::Placing);
    }
    void archiveFailingAtAnyStepLeavesThePreviousOne()
    {
        QFETCH(QString, step);
        QFETCH(int, failure);
        QTemporaryDir attachments;
        QTemporaryDir folder;
        writeFile(attachments.filePath(QStringLiteral("umowa.pdf")), "pierwsza");
        ArchiveBuilder builder(m_db->DatabaseMain(), m_database->password());
        QCOMPARE(builder.build(folder.path(), attachments.path(), {QStringLiteral("pierwsze"), QString()}),
                 ArchiveBuilder::Failure::None);
        writeFile(attachments.filePath(QStringLiteral("umowa.pdf")), "druga");
        writeFile(attachments.filePath(QStringLiteral("aneks.pdf")), "nowy");
        exec(*m_db, QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO) VALUES ('DRUGIE','Drugie')"));

        ArchiveBuilder::setStepHook([step](const QString& s) {
            if (s == step)
                throw DbError(QStringLiteral("disk I/O error"));
        });
        QCOMPARE(int(builder.build(folder.path(), attachments.path(), {QStringLiteral("drugie"), QString()})),
                 failure);
        QCOMPARE(builder.error(), QStringLiteral("disk I/O error"));
        // The first archive, whole.
        const QDir archive(folder.path());
        QCOMPARE(ArchiveDescription::read(folder.path()).name, QStringLiteral("pierwsze"));
        QCOMPARE(readFile(archive.filePath(QStringLiteral("zalaczniki/umowa.pdf"))), QByteArray("pierwsza"));
        QVERIFY(!QFileInfo::exists(archive.filePath(QStringLiteral("zalaczniki/aneks.pdf"))));
        const QString file = archive.filePath(kDatabaseFileName);
        QCOMPARE(DatabaseSnapshot::check(file, m_database->password()), DatabaseSnapshot::Check::Ok);
        // Read apart from any data module, which would mark its presence in the folder.
        auto archivedEmployees = [&](const QString& path) {
            SqlConnection c;
            c.open(path, m_database->password());
            Statement q(&c, QStringLiteral("q"),
                        {QStringLiteral("SELECT COUNT(*) FROM osobowa WHERE NREW='DRUGIE'")});
            q.open();
            return int(q.integerAt(0, 0));
        };
        QCOMPARE(archivedEmployees(file), 0);
        QCOMPARE(archive.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({QStringLiteral("archiwum.bak"), QStringLiteral("sprzetnik.db"),
                              QStringLiteral("zalaczniki")}));

        // Once nothing fails the second replaces the first, whole.
        ArchiveBuilder::setStepHook({});
        QCOMPARE(builder.build(folder.path(), attachments.path(), {QStringLiteral("drugie"), QString()}),
                 ArchiveBuilder::Failure::None);
        QCOMPARE(ArchiveDescription::read(folder.path()).name, QStringLiteral("drugie"));
        QCOMPARE(readFile(archive.filePath(QStringLiteral("zalaczniki/umowa.pdf"))), QByteArray("druga"));
        QCOMPARE(readFile(archive.filePath(QStringLiteral("zalaczniki/aneks.pdf"))), QByteArray("nowy"));
        QCOMPARE(archivedEmployees(file), 1);
        QCOMPARE(archive.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 3);
    }
    // Only the replaced archive's own copies go: the attachments folder itself,
    // or a "zalaczniki" of no archive, is never removed.
    void archiveNeverRemovesAttachmentsItDoesNotOwn()
    {
        QTemporaryDir parent;
        const QDir folder(parent.path());
        QVERIFY(folder.mkpath(QStringLiteral("zalaczniki")));
        const QString attachments = folder.filePath(QStringLiteral("zalaczniki"));
        writeFile(QDir(attachments).filePath(QStringLiteral("umowa.pdf")), "oryginał");
        ArchiveBuilder builder(m_db->DatabaseMain(), m_database->password());
        for (const char* name : {"pierwsze", "drugie"})
            QCOMPARE(builder.build(parent.path(), attachments, {QLatin1String(name), QString()}),
                     ArchiveBuilder::Failure::None);
        QCOMPARE(readFile(QDir(attachments).filePath(QStringLiteral("umowa.pdf"))), QByteArray("oryginał"));
        QCOMPARE(ArchiveDescription::read(parent.path()).name, QStringLiteral("drugie"));

        // Left by an archive deleted earlier: kept, and the new copies join it.
        QTemporaryDir other;
        QVERIFY(QDir(other.path()).mkpath(QStringLiteral("zalaczniki")));
        writeFile(QDir(other.path()).filePath(QStringLiteral("zalaczniki/stary.pdf")), "stary");
        QCOMPARE(builder.build(other.path(), attachments, {}), ArchiveBuilder::Failure::None);
        QCOMPARE(readFile(QDir(other.path()).filePath(QStringLiteral("zalaczniki/stary.pdf"))),
                 QByteArray("stary"));
        QCOMPARE(readFile(QDir(other.path()).filePath(QStringLiteral("zalaczniki/umowa.pdf"))),
                 QByteArray("oryginał"));
        // Never over the open database.
        if (!onServer()) {
            QCOMPARE(builder.build(m_database->dir(), QString(), {}), ArchiveBuilder::Failure::Database);
            QVERIFY(!ArchiveDescription::existsIn(m_database->dir()));
        }
    }
    // A kill half-way, at each step of the replacement: one whole archive or none.
    void archiveKilledAtAnyStepLeavesOneWholeArchiveOrNone_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<bool>("previousKept");
        for (const char* s : {"database", "attachments", "description", "old description"})
            QTest::newRow(s) << QString::fromLatin1(s) << true;
        for (const char* s :
             {"old attachments", "old database", "new database", "new attachments", "new description"})
            QTest::newRow(s) << QString::fromLatin1(s) << false;
    }
    void archiveKilledAtAnyStepLeavesOneWholeArchiveOrNone()
    {
#ifndef Q_OS_LINUX
        QSKIP("needs fork");
#else
        QFETCH(QString, step);
        QFETCH(bool, previousKept);
        QTemporaryDir attachments;
        QTemporaryDir folder;
        writeFile(attachments.filePath(QStringLiteral("umowa.pdf")), "pierwsza");
        ArchiveBuilder first(m_db->DatabaseMain(), m_database->password());
        QCOMPARE(first.build(folder.path(), attachments.path(), {QStringLiteral("pierwsze"), QString()}),
                 ArchiveBuilder::Failure::None);
        writeFile(attachments.filePath(QStringLiteral("umowa.pdf")), "druga");
        const pid_t child = fork();
        if (child == 0) {
            // A connection of its own: one is never carried across a fork.
            TmyDataBase db;
            if (!m_database->connect(db))
                _exit(3);
            ArchiveBuilder::setStepHook([step](const QString& s) {
                if (s == step)
                    raise(SIGKILL);
            });
            ArchiveBuilder(db.DatabaseMain(), m_database->password())
                .build(folder.path(), attachments.path(), {QStringLiteral("drugie"), QString()});
            _exit(4); // the step was never reached
        }
        int status = 0;
        waitpid(child, &status, 0);
        QVERIFY(WIFSIGNALED(status));
        const QDir archive(folder.path());
        QCOMPARE(ArchiveDescription::existsIn(folder.path()), previousKept);
        if (previousKept) {
            QCOMPARE(ArchiveDescription::read(folder.path()).name, QStringLiteral("pierwsze"));
            QCOMPARE(readFile(archive.filePath(QStringLiteral("zalaczniki/umowa.pdf"))),
                     QByteArray("pierwsza"));
            QCOMPARE(DatabaseSnapshot::check(archive.filePath(kDatabaseFileName), m_database->password()),
                     DatabaseSnapshot::Check::Ok);
        }
        // The next archive clears what the killed one left.
        QCOMPARE(first.build(folder.path(), attachments.path(), {QStringLiteral("trzecie"), QString()}),
                 ArchiveBuilder::Failure::None);
        QCOMPARE(readFile(archive.filePath(QStringLiteral("zalaczniki/umowa.pdf"))), QByteArray("druga"));
        QCOMPARE(archive.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({QStringLiteral("archiwum.bak"), QStringLiteral("sprzetnik.db"),
                              QStringLiteral("zalaczniki")}));
#endif
    }
    // Writers killed at random times while replacing an archive, by the kill
    // harness (its own program: it forks and kills), on a small case.
    void archiveKilledAtRandomLeavesOneWholeArchiveOrNone()
    {
#ifndef Q_OS_LINUX
        QSKIP("the harness needs fork");
#else
        if (onServer())
            QSKIP("the harness writes archives of a database file of its own; the run on the file covers it");
        const QString harness = QCoreApplication::applicationDirPath() + QStringLiteral("/crash_harness");
        QVERIFY2(QFileInfo::exists(harness), qPrintable(harness));
        QProcess p;
        p.start(harness, {QStringLiteral("--workload"), QStringLiteral("archives"), QStringLiteral("--kills"),
                          QStringLiteral("6")});
        QVERIFY(p.waitForFinished(100000));
        const QString output = QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, qPrintable(output));
        QVERIFY2(output.contains(QStringLiteral("whole or absent 6/6")), qPrintable(output));
#endif
    }

    // ---- emptying
    void eachEntryEmptiesExactlyWhatItNames_data()
    {
        QTest::addColumn<QString>("entry");
        for (const QString& e : TableEmptying::texts())
            QTest::newRow(e.toUtf8().constData()) << e;
    }
    void eachEntryEmptiesExactlyWhatItNames()
    {
        QFETCH(QString, entry);
        QCOMPARE(TableEmptying::texts().size(), 39);
        // Every table holds rows, so a wrong target shows.
        for (const QString& t : TableList::tables())
            if (count(*m_db, QStringLiteral("SELECT COUNT(*) FROM ") + t) == 0 &&
                t != QLatin1String("osobowa"))
                exec(*m_db, QStringLiteral("INSERT INTO ") + t + QStringLiteral(" DEFAULT VALUES"));
        const QMap<QString, int> before = snapshotCounts(*m_db);
        QVERIFY(TableEmptying::empty(*m_db, entry));
        const QMap<QString, int> after = snapshotCounts(*m_db);

        QMap<QString, int> expected = before;
        const TableEmptying::Entry* e = nullptr;
        for (const auto& x : TableEmptying::entries())
            if (entry == QString::fromUtf8(x.text))
                e = &x;
        QVERIFY(e);
        if (e->table) {
            QVERIFY(before.value(QLatin1String(e->table)) > 0);
            expected[QLatin1String(e->table)] = 0;
        }
        const QString st = e->statement ? QLatin1String(e->statement) : QString();
        const QString param = e->param ? QLatin1String(e->param) : QString();
        if (st == QLatin1String("emptyWlasciwosci")) {
            QVERIFY(before.value(QStringLiteral("wlasciwosci/") + param) > 0);
            expected[QStringLiteral("wlasciwosci/") + param] = 0;
            expected[QStringLiteral("wlasciwosci")] -= before.value(QStringLiteral("wlasciwosci/") + param);
        } else if (st == QLatin1String("emptyNazwaWlasciwosci")) {
            QVERIFY(before.value(QStringLiteral("nazwawlasciwosci/") + param) > 0);
            expected[QStringLiteral("nazwawlasciwosci/") + param] = 0;
            expected[QStringLiteral("nazwawlasciwosci")] -=
                before.value(QStringLiteral("nazwawlasciwosci/") + param);
        } else if (st == QLatin1String("emptySlownik")) {
            QVERIFY(before.value(QStringLiteral("slowniki/") + param) > 0);
            expected.remove(QStringLiteral("slowniki/") + param);
            expected[QStringLiteral("slowniki")] -= before.value(QStringLiteral("slowniki/") + param);
        } else if (st == QLatin1String("emptyFirmy")) {
            expected[QStringLiteral("firmy")] = 1;
        } else if (st == QLatin1String("emptyFirma")) {
            expected[QStringLiteral("firmy/ownNamed")] = 0;
        }
        QCOMPARE(after, expected);
    }
    void emptyingIsOneTransaction()
    {
        const int computers = count(*m_db, QStringLiteral("SELECT COUNT(*) FROM komputery"));
        m_database->addFailure(m_db->DatabaseMain(), QStringLiteral("nie_usuwaj"),
                               QStringLiteral("BEFORE DELETE ON wlasciwosci"), QStringLiteral("zablokowane"));
        QVERIFY(!TableEmptying::empty(*m_db, QStringLiteral("Komputery")));
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM komputery")), computers);
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("[0000000300]  ")));
        QVERIFY(!TableEmptying::empty(*m_db, QStringLiteral("Nie ma takiej pozycji")));
    }
    void packingReclaimsSpace()
    {
        if (onServer())
            QSKIP("the size of the database file: a server keeps its own files");
        exec(*m_db, QStringLiteral("DELETE FROM wlasciwosci"));
        const qint64 before = QFileInfo(TmyDataBase::databaseFile(m_database->dir())).size();
        QVERIFY(TableEmptying::packAll(*m_db));
        QVERIFY(QFileInfo(TmyDataBase::databaseFile(m_database->dir())).size() < before);
        // The database cannot be packed inside a transaction.
        exec(*m_db, QStringLiteral("BEGIN"));
        QVERIFY(!TableEmptying::packAll(*m_db));
        exec(*m_db, QStringLiteral("ROLLBACK"));
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("[0000000370]  ")));
    }

    // ---- CSV
    void splitLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("plain") << QStringLiteral("123;Kowalski;Jan")
                               << QStringList{QStringLiteral("123"), QStringLiteral("Kowalski"),
                                              QStringLiteral("Jan")};
        QTest::newRow("quoted with separator")
            << QStringLiteral("\"Nowak; Jan\";\"456\"")
            << QStringList{QStringLiteral("Nowak; Jan"), QStringLiteral("456")};
        QTest::newRow("doubled quote") << QStringLiteral("\"Firma \"\"Alfa\";1")
                                       << QStringList{QStringLiteral("Firma \"Alfa"), QStringLiteral("1")};
        QTest::newRow("empty fields")
            << QStringLiteral(";;x") << QStringList{QString(), QString(), QStringLiteral("x")};
        QTest::newRow("single") << QStringLiteral("Sam") << QStringList{QStringLiteral("Sam")};
    }
    void splitLine()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QCOMPARE(CsvSheet::splitLine(line, QLatin1Char(';')), fields);
    }
    void readsBothEncodingsAndSkipsBlankLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = QStringLiteral("Nr;Nazwisko;Imię\r\n\r\n1;Żółkiewski;Łucja\r\n   \n2;Ślązak\n");
        QTest::newRow("utf-8") << csvBytes(text, "UTF-8");
        QTest::newRow("utf-8 bom") << csvBytes(text, "UTF-8", true);
        QTest::newRow("windows-1250") << csvBytes(text, "windows-1250");
    }
    void readsBothEncodingsAndSkipsBlankLines()
    {
        QFETCH(QByteArray, bytes);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        CsvSheet sheet;
        QVERIFY(sheet.read(buffer, QLatin1Char(';')));
        QCOMPARE(sheet.rowCount(), 3);
        QCOMPARE(sheet.columnCount(), 3);
        QCOMPARE(sheet.field(0, 2), QStringLiteral("Imię"));
        QCOMPARE(sheet.field(1, 1), QStringLiteral("Żółkiewski"));
        QCOMPARE(sheet.line(1), 3);
        QCOMPARE(sheet.line(2), 5);
        QCOMPARE(sheet.fieldCount(2), 2); // too few columns
    }

    // ---- import
    void verificationMarksEachFaultWithItsRemark()
    {
        const QString dzial = QStringLiteral("Księgowość");
        exec(*m_db, QStringLiteral("INSERT INTO slowniki (IDSLOWNIK,OPIS) VALUES ('DZIAL','Księgowość')"));
        exec(*m_db, QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO) VALUES ('E-1','Stary')"));
        CsvSheet sheet;
        QVERIFY(loadSheet(sheet, QStringLiteral("Nr;Nazwisko;Imię;Dział\n"
                                                "N-1;Nowak;Jan;Księgowość\n"
                                                "E-1;Istniejący;Adam;\n"
                                                "N-2;Zły;Dział;Kosmos\n"
                                                "N-1;Powtórzony;Numer;\n"
                                                ";Bez;Numeru;\n"
                                                "N-3;Krótki\n"
                                                "N-4;\"Kowal; \"\"Junior\"\"\";Piotr;\n"
                                                "N-5; ;Bez nazwiska;\n")));
        EmployeeImport import(*m_db);
        EmployeeImport::Columns c{};
        c[EmployeeImport::NREW] = 1;
        c[EmployeeImport::NAZWISKO] = 2;
        c[EmployeeImport::IMIE] = 3;
        c[EmployeeImport::DZIAL] = 4;
        QVERIFY(!import.verify(sheet, c, true));
        const auto& r = import.results();
        QCOMPARE(r.at(0).status, QString()); // the header line is skipped
        QCOMPARE(r.at(1).status, QStringLiteral("Ok"));
        QVERIFY(r.at(1).dzial > 0);
        QCOMPARE(r.at(2).remarks, QStringLiteral("Pracownik o podanym numerze ewidencyjnym już istnieje"));
        QCOMPARE(r.at(3).remarks, QStringLiteral("Brak wskazanego działu w słownikach"));
        QVERIFY(r.at(4).remarks.contains(QStringLiteral("wiersz 2")));
        QCOMPARE(r.at(5).remarks, QStringLiteral("Brak numeru ewidencyjnego"));
        QCOMPARE(r.at(6).status, QStringLiteral("Ok")); // a short row: the optional cells are empty
        QCOMPARE(r.at(7).status, QStringLiteral("Ok"));
        QCOMPARE(r.at(8).remarks, QStringLiteral("Brak nazwiska")); // required as in the editor
        QCOMPARE(import.failedLines(sheet), (QList<int>{3, 4, 5, 6, 9}));

        c[EmployeeImport::NAZWISKO] = 0;
        QVERIFY(!import.verify(sheet, c, true));
        QCOMPARE(import.results().at(1).remarks, QStringLiteral("Brak nazwiska"));
        c[EmployeeImport::NAZWISKO] = 2;
        QVERIFY(!import.verify(sheet, c, true));

        const int before = count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa"));
        QCOMPARE(import.import(sheet, true), 3);
        QVERIFY(!import.importFailed());
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa")), before + 3);
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(QStringLiteral("SELECT NAZWISKO, IMIE, DZIAL, STANOWISKO FROM osobowa WHERE NREW='N-4'"));
        q.open();
        QCOMPARE(q.text(QStringLiteral("NAZWISKO")), QStringLiteral("Kowal; \"Junior\""));
        QCOMPARE(q.integer(QStringLiteral("STANOWISKO")), -1);
        q.close();
    }
    // Cells are trimmed of white space at either end, ASCII or wider (no-break,
    // em and ideographic spaces), the letters inside kept: a number that
    // differs only by such space is the same number, and a cell of space
    // alone is stored empty, not NULL.
    void verificationTrimsWhiteSpaceBeyondAscii()
    {
        CsvSheet sheet;
        QVERIFY(loadSheet(sheet, QStringLiteral("W-1\u00A0;  Łąka\u3000;Ola ;\n"
                                                "\u2003W-1;Inna;;\n"
                                                "W-2 ;Żuraw\u00A0ą;\u00A0;Wrocław\u2026\n")));
        EmployeeImport import(*m_db);
        EmployeeImport::Columns c{};
        c[EmployeeImport::NREW] = 1;
        c[EmployeeImport::NAZWISKO] = 2;
        c[EmployeeImport::IMIE] = 3;
        c[EmployeeImport::MIASTO] = 4;
        QVERIFY(!import.verify(sheet, c, false));
        QCOMPARE(import.results().at(0).status, QStringLiteral("Ok"));
        QCOMPARE(import.results().at(1).remarks,
                 QStringLiteral("Numer ewidencyjny powtórzony w arkuszu (wiersz 1)"));
        QCOMPARE(import.results().at(2).status, QStringLiteral("Ok"));
        QCOMPARE(import.import(sheet, false), 2);
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa WHERE NREW='W-1' AND "
                                             "NAZWISKO='Łąka' AND IMIE='Ola' AND MIASTO=''")),
                 1);
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa WHERE NREW='W-2' AND NAZWISKO="
                                             "'Żuraw\u00A0ą' AND IMIE='' AND MIASTO='Wrocław\u2026'")),
                 1);
    }

    // Every chosen column lands in its own field, the two dictionaries kept
    // apart even where they hold the same text; the read lock of the
    // verification is gone when it ends.
    void importPutsEachColumnInItsField()
    {
        exec(*m_db, QStringLiteral("INSERT INTO slowniki (IDSLOWNIK,OPIS) VALUES ('DZIAL','Kadry'), "
                                   "('STANO','Kadry'), ('STANO','Księgowa')"));
        QStringList header, row;
        for (int f = 0; f < EmployeeImport::FieldCount; ++f) {
            header << QStringLiteral("k%1").arg(f + 1);
            row << QStringLiteral("w%1").arg(f + 1);
        }
        row[EmployeeImport::DZIAL] = QStringLiteral("Kadry");
        row[EmployeeImport::STANOWISKO] = QStringLiteral("Kadry");
        QStringList second = row;
        second[EmployeeImport::NREW] = QStringLiteral("w1b");
        second[EmployeeImport::STANOWISKO] = QStringLiteral("Księgowa");
        CsvSheet sheet;
        QVERIFY(loadSheet(sheet, header.join(QLatin1Char(';')) + QLatin1Char('\n') +
                                     row.join(QLatin1Char(';')) + QLatin1Char('\n') +
                                     second.join(QLatin1Char(';')) + QLatin1Char('\n')));
        EmployeeImport import(*m_db);
        EmployeeImport::Columns c{};
        for (int f = 0; f < EmployeeImport::FieldCount; ++f)
            c[size_t(f)] = f + 1;
        QVERIFY(import.verify(sheet, c, true));
        QVERIFY(!m_db->DatabaseMain().inTransaction());
        {
            SqlConnection other; // another workstation saves at once
            m_database->open(other);
            QElapsedTimer saving;
            saving.start();
            other.exec(QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO) VALUES ('O-1','Obok')"));
            QVERIFY(saving.elapsed() < SqlConnection::busyTimeoutMs() / 2);
        }
        QCOMPARE(import.import(sheet, true), 2);
        const auto key = [&](const char* dictionary, const char* text) {
            return qint64(
                count(*m_db, QStringLiteral("SELECT KOD FROM slowniki WHERE IDSLOWNIK='%1' AND OPIS='%2'")
                                 .arg(QLatin1String(dictionary), QString::fromUtf8(text))));
        };
        const qint64 kadry = key("DZIAL", "Kadry"), kadryStano = key("STANO", "Kadry"),
                     ksiegowa = key("STANO", "Księgowa");
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(QStringLiteral(
            "SELECT NREW,IMIE,NAZWISKO,ADRES,NUMER,MIASTO,KOD,KRAJ,TELEFON,KONTAKT,INNE,NIP,"
            "DZIAL,STANOWISKO,NRPOKOJU FROM osobowa WHERE NREW IN ('w1','w1b') ORDER BY NREW"));
        q.open();
        QCOMPARE(q.recordCount(), 2);
        for (int f = 0; f < EmployeeImport::FieldCount; ++f) {
            if (f == EmployeeImport::DZIAL || f == EmployeeImport::STANOWISKO)
                continue;
            QCOMPARE(q.textAt(0, f), row.at(f));
        }
        QVERIFY(kadry != kadryStano);
        QCOMPARE(q.integerAt(0, EmployeeImport::DZIAL), kadry);
        QCOMPARE(q.integerAt(0, EmployeeImport::STANOWISKO), kadryStano);
        QCOMPARE(q.integerAt(1, EmployeeImport::DZIAL), kadry);
        QCOMPARE(q.integerAt(1, EmployeeImport::STANOWISKO), ksiegowa);
        q.close();
    }
    void importWritesAllRowsOrNone()
    {
        CsvSheet sheet;
        QVERIFY(loadSheet(sheet, QStringLiteral("A-1;Pierwszy\nA-2;Drugi\nA-3;Trzeci\n")));
        EmployeeImport import(*m_db);
        EmployeeImport::Columns c{};
        c[EmployeeImport::NREW] = 1;
        c[EmployeeImport::NAZWISKO] = 2;
        QVERIFY(import.verify(sheet, c, false));
        // Another workstation adds the third number after the verification.
        exec(*m_db, QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO) VALUES ('A-3','Obcy')"));
        const int before = count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa"));
        QCOMPARE(import.import(sheet, false), 0);
        QVERIFY(import.importFailed());
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa")), before);
        QCOMPARE(import.results().at(2).status, QStringLiteral("Błędy"));
        QVERIFY(import.results().at(2).remarks.startsWith(QStringLiteral("Błąd bazy danych ")));
        QCOMPARE(import.failedLines(sheet), QList<int>{3});
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("[0000000802]  ")));
        // The rows inserted before the failure were rolled back with it, and say so.
        for (int i : {0, 1}) {
            QCOMPARE(import.results().at(i).status, QStringLiteral("Nie"));
            QCOMPARE(import.results().at(i).remarks,
                     QStringLiteral("Nie zaimportowano: import wycofany po błędzie w wierszu 3 pliku"));
        }
        // A second attempt leaves the failed row out and imports the others.
        QCOMPARE(import.import(sheet, false), 2);
        QVERIFY(!import.importFailed());
        QCOMPARE(import.results().at(0).status, QStringLiteral("Ok"));
        QCOMPARE(import.results().at(0).remarks, QString());
        QCOMPARE(import.results().at(2).status, QStringLiteral("Błędy"));
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa")), before + 2);
    }
};

QTEST_GUILESS_MAIN(TestMaintenance)
#include "test_maintenance.moc"
