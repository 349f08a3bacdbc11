#include "DatabaseRows.h"
#include "TestDatabase.h"
#include "TestServer.h"
#include "TestSupport.h"

#include "maintenance/DatabaseMove.h"
#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/PreparedStatement.h"
#include "store/SchemaUpgrades.h"
#include "store/SqlConnection.h"
#include "store/TableList.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Moving a database from the file to a server and back: the target checked
// and prepared, every row carried over, a target holding data or a folder
// holding a database refused, and a move stopped or failed half way leaving
// the target as it was.
class TestDatabaseMove : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::vector<ServerAddress> m_made;

    ServerAddress missingDatabase(const char* name)
    {
        const ServerAddress address = TestServer::address(
            QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(QCoreApplication::applicationPid()));
        m_made.push_back(address);
        return address;
    }
    static qint64 rowsInAll(SqlConnection& c)
    {
        qint64 n = 0;
        for (const DatabaseCopy::TableRows& t : DatabaseCopy::count(c))
            n += t.rows;
        return n;
    }
    static qint64 integer(SqlConnection& c, const QString& sql)
    {
        PreparedStatement q(c, sql);
        return q.step() ? q.integer(0) : -1;
    }

private slots:
    void init()
    {
        if (!TestServer::available())
            QSKIP("no test cluster was started for this run");
        m_config = std::make_unique<TempConfig>();
    }
    void cleanup()
    {
        DatabaseCopy::setTableHook({});
        for (const ServerAddress& a : m_made)
            TestServer::dropDatabase(a);
        m_made.clear();
        m_config.reset();
    }

    // File -> a new database on the server -> a new file: every row of every
    // table the same, the counts of both sides agreeing at each step, each
    // target marked as a database of the current version.
    void roundTripKeepsEveryRow()
    {
        TestDatabase original(true);
        SqlConnection file;
        original.open(file);
        file.exec(QStringLiteral(
            "INSERT INTO komputery (IDKOMPUTERA, NAZWA, INNE) VALUES (900, 'Zażółć', 'O''Brien');\n"
            "INSERT INTO inwentaryzacje (IDINWENTARYZACJI, KOMISJA) VALUES (3, 'Żaneta Ćwik');\n"
            "INSERT INTO inwentaryzacje_pozycje (IDINWENTARYZACJI, NREWID) VALUES (3, 'K/9')"));

        const ServerAddress address = missingDatabase("przeniesiona");
        DatabaseMove::ServerCheck check = DatabaseMove::checkServer(address);
        QCOMPARE(check.state, DatabaseMove::ServerTarget::Missing);
        DatabaseMove::prepareServer(address, check.state);
        check = DatabaseMove::checkServer(address);
        QCOMPARE(check.state, DatabaseMove::ServerTarget::Ready);

        qint64 lastDone = 0;
        const DatabaseMove::Counts there =
            DatabaseMove::toServer(file, address, [&](const QString&, qint64 done, qint64) {
                lastDone = done;
                return true;
            });
        QCOMPARE(there.differing(), QStringList());
        // The stocktaking tables are counted too.
        QCOMPARE(int(there.source.size()), int(TableList::tables().size() + TableList::addedTables().size()));
        QCOMPARE(there.source.back().rows, qint64(1));
        QCOMPARE(lastDone, rowsInAll(file));
        SqlConnection server;
        server.openServer(address);
        QCOMPARE(DatabaseRows::firstDifference(file, server), QString());
        QCOMPARE(integer(server, QStringLiteral("SELECT count(*) FROM znaczniki_aktualizacji")), qint64(4));

        QTemporaryDir back;
        const DatabaseMove::Counts home = DatabaseMove::toFile(server, back.path(), QStringLiteral("inne1"));
        QCOMPARE(home.differing(), QStringList());
        SqlConnection returned;
        returned.open(DatabaseTemplate::databaseFile(back.path()), QStringLiteral("inne1"));
        QCOMPARE(DatabaseRows::firstDifference(file, returned), QString());
        for (const QString& marker : DatabaseTemplate::upgradeMarkers())
            QVERIFY2(QFile::exists(QDir(back.path()).filePath(marker)), qPrintable(marker));
    }

    // What each kind of server target is, and which ones are refused.
    void serverTargetsChecked()
    {
        // A database of the program with its starting rows: it holds data.
        const ServerAddress used = TestServer::createProgramDatabase(false);
        m_made.push_back(used);
        DatabaseMove::ServerCheck check = DatabaseMove::checkServer(used);
        QCOMPARE(check.state, DatabaseMove::ServerTarget::Refused);
        QVERIFY2(check.message.contains(QStringLiteral("zawiera już dane")), qPrintable(check.message));
        TestDatabase source;
        SqlConnection file;
        source.open(file);
        SqlConnection server;
        server.openServer(used);
        const qint64 before = rowsInAll(server);
        QVERIFY_THROWS_EXCEPTION(DbError, DatabaseMove::toServer(file, used));
        QCOMPARE(rowsInAll(server), before);

        // An empty database gets the program's tables, then takes the move.
        const ServerAddress empty = TestServer::createDatabase();
        m_made.push_back(empty);
        check = DatabaseMove::checkServer(empty);
        QCOMPARE(check.state, DatabaseMove::ServerTarget::NoTables);
        DatabaseMove::prepareServer(empty, check.state);
        QCOMPARE(DatabaseMove::checkServer(empty).state, DatabaseMove::ServerTarget::Ready);
        QCOMPARE(DatabaseMove::toServer(file, empty).differing(), QStringList());

        // Nobody at the address: refused with the reason, in Polish, the server's text apart.
        ServerAddress nowhere = empty;
        nowhere.password = QStringLiteral("zle-haslo");
        nowhere.user = QStringLiteral("nie_ma_takiego");
        check = DatabaseMove::checkServer(nowhere);
        QCOMPARE(check.state, DatabaseMove::ServerTarget::Refused);
        QVERIFY(!check.message.isEmpty());
        QVERIFY(!check.message.contains(QStringLiteral("FATAL")));
    }

    // A folder that holds a database, or a password a database may not have, is refused.
    void fileTargetsChecked()
    {
        TestDatabase source(true);
        SqlConnection file;
        source.open(file);
        QVERIFY(!DatabaseMove::folderProblem(source.dir()).isEmpty());
        const QByteArray before = [&] {
            QFile f(DatabaseTemplate::databaseFile(source.dir()));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        QVERIFY_THROWS_EXCEPTION(DbError, DatabaseMove::toFile(file, source.dir(), QStringLiteral("tajne1")));
        QFile same(DatabaseTemplate::databaseFile(source.dir()));
        QVERIFY(same.open(QIODevice::ReadOnly));
        QCOMPARE(same.readAll(), before);
        QVERIFY(!DatabaseMove::folderProblem(source.dir() + QStringLiteral("/nie-ma")).isEmpty());
        QVERIFY(!DatabaseMove::folderProblem(QString()).isEmpty());

        QTemporaryDir target;
        QCOMPARE(DatabaseMove::folderProblem(target.path()), QString());
        for (const char* bad : {"ab", "abcdefghijklmnop", "hasło1", "z spacją"}) {
            QVERIFY2(!DatabaseTemplate::passwordProblem(QString::fromUtf8(bad)).isEmpty(), bad);
            QVERIFY_THROWS_EXCEPTION(DbError,
                                     DatabaseMove::toFile(file, target.path(), QString::fromUtf8(bad)));
        }
        QCOMPARE(QDir(target.path()).entryList(QDir::Files), QStringList());
        QCOMPARE(DatabaseTemplate::passwordProblem(QStringLiteral("Abc123")), QString());
    }

    // Stopped by the user or failed at a table, in either direction: the
    // server's tables stay empty (and take a move afterwards), the folder
    // gets no file.
    void stoppedOrFailedMoveLeavesTargetAsItWas()
    {
        TestDatabase source(true);
        SqlConnection file;
        source.open(file);
        const ServerAddress address = missingDatabase("przerwana");
        DatabaseMove::prepareServer(address, DatabaseMove::ServerTarget::Missing);

        QVERIFY_THROWS_EXCEPTION(
            DbError, DatabaseMove::toServer(file, address, [](const QString& table, qint64, qint64) {
                return table != QLatin1String("naprawy");
            }));
        SqlConnection server;
        server.openServer(address);
        QCOMPARE(rowsInAll(server), qint64(0));
        DatabaseCopy::setTableHook([](const QString& table) {
            if (table == QLatin1String("historia"))
                throw DbError(QStringLiteral("przerwane w teście"));
        });
        QVERIFY_THROWS_EXCEPTION(DbError, DatabaseMove::toServer(file, address));
        QCOMPARE(rowsInAll(server), qint64(0));
        QCOMPARE(DatabaseMove::checkServer(address).state, DatabaseMove::ServerTarget::Ready);

        QTemporaryDir folder;
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 DatabaseMove::toFile(file, folder.path(), QStringLiteral("tajne1")));
        DatabaseCopy::setTableHook({});
        QVERIFY_THROWS_EXCEPTION(
            DbError, DatabaseMove::toFile(file, folder.path(), QStringLiteral("tajne1"),
                                          [](const QString&, qint64 done, qint64) { return done == 0; }));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());

        // The same target takes the whole move afterwards.
        QCOMPARE(DatabaseMove::toServer(file, address).differing(), QStringList());
        QCOMPARE(DatabaseRows::firstDifference(file, server), QString());
    }

    // The counts of both sides told apart table by table.
    void differingCountsNamed()
    {
        DatabaseMove::Counts counts;
        counts.source = {
            {QStringLiteral("komputery"), 3}, {QStringLiteral("naprawy"), 0}, {QStringLiteral("bhp"), 2}};
        counts.target = {{QStringLiteral("KOMPUTERY"), 3}, {QStringLiteral("naprawy"), 1}};
        QCOMPARE(counts.differing(), (QStringList{QStringLiteral("naprawy"), QStringLiteral("bhp")}));
        counts.target.push_back({QStringLiteral("bhp"), 2});
        counts.target.push_back({QStringLiteral("obca"), 0});
        counts.target[1].rows = 0;
        QCOMPARE(counts.differing(), QStringList{QStringLiteral("obca")});
    }
};

QTEST_GUILESS_MAIN(TestDatabaseMove)
#include "test_databasemove.moc"
