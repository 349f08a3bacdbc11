// Two workstations on one database folder: two data modules (and, where a
// process must die, a second process) on the same file.
#include "TestDatabase.h"
#include "TestServer.h"
#include "TestSupport.h"

#include "base/ErrorLog.h"
#include "maintenance/DatabaseSnapshot.h"
#include "store/DbError.h"
#include "store/Guarded.h"
#include "store/SqlConnection.h"
#include "store/SqlDialect.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"
#include "store/WorkstationPresence.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <chrono>
#include <future>
#include <thread>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {
int count(TmyDataBase& db, const QString& sql)
{
    Statement q(&db.DatabaseMain(), QStringLiteral("count"), {sql});
    q.open();
    return int(q.integerAt(0, 0));
}

void insertEmployee(TmyDataBase& db, const QString& number)
{
    Statement& q = db.mySQL();
    q.clear();
    q.add(QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO) VALUES (:NREW,'Nowy')"));
    q.setParam(QStringLiteral("NREW"), number);
    q.execSQL();
}
} // namespace

class TestSharedFile : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    QStringList m_shown;

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_shown.clear();
        ErrorLog::setDisplay(
            [this](const QString& title, const QString& text) { m_shown << title + " / " + text; });
    }
    void cleanup()
    {
        ErrorLog::setDisplay({});
        m_config.reset();
    }

    // A workstation that connected while another was writing lost its busy
    // wait for the whole session: its writes were refused at once.
    void connectingDuringAnotherWriteKeepsTheBusyWait()
    {
        TestDatabase d;
        std::promise<void> locked;
        std::thread holder([&] {
            SqlConnection other;
            d.open(other);
            other.exec(other.dialect().beginWrite);
            other.exec(QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO) VALUES ('W-1','Wcześniej')"));
            locked.set_value();
            std::this_thread::sleep_for(std::chrono::seconds(1));
            other.exec(QStringLiteral("COMMIT"));
        });
        locked.get_future().wait();
        TmyDataBase db;
        const bool connected = d.connect(db);
        QElapsedTimer waited;
        waited.start();
        const bool written = connected && guardedWrite(db.DatabaseMain(), 1,
                                                       [&] { insertEmployee(db, QStringLiteral("W-2")); });
        const qint64 ms = waited.elapsed();
        holder.join();
        QVERIFY(connected);
        QVERIFY2(written, qPrintable(m_shown.join('\n')));
        QVERIFY2(ms >= 300, qPrintable(QString::number(ms))); // it waited for the other's commit
        QCOMPARE(count(db, QStringLiteral("SELECT count(*) FROM osobowa WHERE NREW IN ('W-1','W-2')")), 2);
    }

    void workstationsConnectedAreCounted()
    {
        if (TestServer::backendIsServer())
            QSKIP("the marks of workstations are files in the database folder");
        TestDatabase d;
        TmyDataBase a;
        QVERIFY(d.connect(a));
        QCOMPARE(a.otherWorkstations(), 0);
        {
            TmyDataBase b;
            TmyDataBase c;
            QVERIFY(d.connect(b));
            QVERIFY(d.connect(c));
            QCOMPARE(a.otherWorkstations(), 2);
            QCOMPARE(b.otherWorkstations(), 2);
            // Connecting again (a new login) leaves the old mark.
            QVERIFY(d.connect(b));
            QCOMPARE(a.otherWorkstations(), 2);
            b.disconnect();
            QCOMPARE(a.otherWorkstations(), 1);
            QCOMPARE(c.otherWorkstations(), 1);
        }
        QCOMPARE(a.otherWorkstations(), 0);
        // Another database's workstations are not this one's.
        TestDatabase other;
        TmyDataBase elsewhere;
        QVERIFY(other.connect(elsewhere));
        QCOMPARE(a.otherWorkstations(), 0);
        a.disconnect();
        QCOMPARE(a.otherWorkstations(), -1);
    }

    // A program that died leaves no mark behind.
    void workstationOfAnotherProcessCountsUntilItDies()
    {
        if (TestServer::backendIsServer())
            QSKIP("the marks of workstations are files in the database folder");
#ifndef Q_OS_LINUX
        QSKIP("needs fork");
#else
        TestDatabase d;
        TmyDataBase a;
        QVERIFY(d.connect(a));
        int ready[2];
        QCOMPARE(pipe(ready), 0);
        const pid_t child = fork();
        if (child == 0) {
            WorkstationPresence presence;
            const char answer = presence.enter(d.dir()) ? '1' : '0';
            (void)::write(ready[1], &answer, 1);
            pause();
            _exit(0);
        }
        char answer = 0;
        QCOMPARE(::read(ready[0], &answer, 1), ssize_t(1));
        QCOMPARE(answer, '1');
        QCOMPARE(a.otherWorkstations(), 1);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        QCOMPARE(a.otherWorkstations(), 0);
        ::close(ready[0]);
        ::close(ready[1]);
#endif
    }

    // A restored file renamed over the live one: the other workstation kept
    // the deleted file, its lists showed removed rows and its saves failed
    // as "read-only".
    void restoreElsewhereIsFollowedAtTheNextReloadAndWrite()
    {
        if (TestServer::backendIsServer())
            QSKIP("a database file replaced under an open connection");
        TestDatabase d(true);
        TmyDataBase a;
        TmyDataBase b;
        QVERIFY(d.connect(a));
        QVERIFY(d.connect(b));
        int replaced = 0;
        b.setReplacedHandler([&] { ++replaced; });
        const QString list = QStringLiteral("DBFKomputery");
        QVERIFY(b.reloadList(list));
        const int computers = b.statement(list).recordCount();
        QVERIFY(computers > 0);
        QTemporaryDir archiveDir;
        const QString archive = archiveDir.filePath(kDatabaseFileName);
        DatabaseSnapshot::write(a.DatabaseMain(), d.password(), archive);
        a.DatabaseMain().exec(QStringLiteral("DELETE FROM komputery"));
        QVERIFY(b.reloadList(list));
        QCOMPARE(b.statement(list).recordCount(), 0);

        QCOMPARE(DatabaseSnapshot::restore(a, archive, d.password(), d.password()),
                 DatabaseSnapshot::RestoreFailure::None);
        QCOMPARE(a.otherWorkstations(), 1);
        // The order alone changes: the rows are read again all the same.
        b.listState().setAscending(list, !b.listState().ascending(list));
        QVERIFY(b.reloadList(list));
        QCOMPARE(b.statement(list).recordCount(), computers);
        QCOMPARE(replaced, 1);
        QVERIFY(guardedWrite(b.DatabaseMain(), 1, [&] { insertEmployee(b, QStringLiteral("PO-1")); }));
        QCOMPARE(count(a, QStringLiteral("SELECT count(*) FROM osobowa WHERE NREW='PO-1'")), 1);

        // A write that comes first finds the next restore under its write lock.
        DatabaseSnapshot::write(a.DatabaseMain(), d.password(), archive);
        a.DatabaseMain().exec(QStringLiteral("DELETE FROM osobowa"));
        QCOMPARE(DatabaseSnapshot::restore(a, archive, d.password(), d.password()),
                 DatabaseSnapshot::RestoreFailure::None);
        QVERIFY(guardedWrite(b.DatabaseMain(), 1, [&] { insertEmployee(b, QStringLiteral("PO-2")); }));
        QCOMPARE(replaced, 2);
        QCOMPARE(count(a, QStringLiteral("SELECT count(*) FROM osobowa WHERE NREW IN ('PO-1','PO-2')")), 2);
        QVERIFY2(m_shown.isEmpty(), qPrintable(m_shown.join('\n')));
        // The archive made from B's connection is of the file now in place.
        QTemporaryDir copyDir;
        DatabaseSnapshot::write(b.DatabaseMain(), d.password(), copyDir.filePath(kDatabaseFileName));
        TmyDataBase copy;
        QVERIFY(copy.connectTo(copyDir.path(), d.password()));
        QCOMPARE(count(copy, QStringLiteral("SELECT count(*) FROM osobowa WHERE NREW='PO-2'")), 1);
    }

    // What a connection that never looked is told by the engine: the file
    // was replaced, not "read-only".
    void writeIntoAReplacedFileIsNamedForWhatItIs()
    {
        if (TestServer::backendIsServer())
            QSKIP("a database file replaced under an open connection");
        TestDatabase d;
        const QString live = TmyDataBase::databaseFile(d.dir());
        SqlConnection held;
        held.open(live, d.password());
        QVERIFY(!held.isReplaced());
        const QString fresh = live + QStringLiteral(".nowy");
        QVERIFY(QFile::copy(live, fresh));
        QVERIFY(QFile::remove(live));
        QVERIFY(QFile::rename(fresh, live));
        QVERIFY(held.isReplaced());
        try {
            held.exec(QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO) VALUES ('X','X')"));
            QFAIL("a write into the replaced file went through");
        } catch (const DbError& e) {
            QCOMPARE(e.message(), SqlConnection::replacedText());
        }
        QVERIFY(held.ensureCurrent());
        QVERIFY(!held.isReplaced());
        held.exec(QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO) VALUES ('X','X')"));
        SqlConnection check;
        check.open(live, d.password());
        Statement q(&check, QStringLiteral("q"),
                    {QStringLiteral("SELECT count(*) FROM osobowa WHERE NREW='X'")});
        q.open();
        QCOMPARE(q.integerAt(0, 0), 1);
    }
};

QTEST_GUILESS_MAIN(TestSharedFile)
#include "test_sharedfile.moc"
