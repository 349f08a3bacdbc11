#include "DatabaseRows.h"
#include "TestDatabase.h"
#include "TestServer.h"
#include "TestSupport.h"

#include "store/DatabaseCopy.h"
#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/PreparedStatement.h"
#include "store/SqlConnection.h"
#include "store/TableList.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A database copied between the file and the server: every row and key kept,
// a target holding data refused, and a copy that fails or is stopped half way
// leaving the target as it was.
class TestDatabaseCopy : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::vector<ServerAddress> m_made;

    // A new empty database on the cluster holding the program's tables without rows.
    ServerAddress emptyServer(SqlConnection& connection)
    {
        const ServerAddress address = TestServer::createDatabase();
        m_made.push_back(address);
        connection.openServer(address);
        connection.exec(QStringLiteral("BEGIN"));
        DatabaseTemplate::createTables(connection);
        connection.exec(QStringLiteral("COMMIT"));
        return address;
    }
    static qint64 integer(SqlConnection& c, const QString& sql)
    {
        PreparedStatement q(c, sql);
        return q.step() ? q.integer(0) : -1;
    }
    static qint64 rowsInAll(SqlConnection& c)
    {
        qint64 n = 0;
        for (const DatabaseCopy::TableRows& t : DatabaseCopy::count(c))
            n += t.rows;
        return n;
    }
    // Values the sample lacks: NULL beside an empty text, an amount of many
    // digits, bytes with a zero among them, Polish letters, a quote.
    static void addOddRows(SqlConnection& c)
    {
        c.exec(QStringLiteral(
            "INSERT INTO komputery (IDKOMPUTERA, NAZWA, NREW, NETTO, INNE) "
            "VALUES (900, 'Zażółć gęślą jaźń', NULL, 1234.5678901234567, 'O''Brien');\n"
            "INSERT INTO komputery (IDKOMPUTERA, NAZWA, NREW, NETTO) VALUES (901, '', '', -0.1);\n"
            "INSERT INTO userzy (NAZWA, HASLO) VALUES ('BAJTY', x'00ff0041');\n"
            // The highest key given is past every key kept.
            "INSERT INTO komputery (IDKOMPUTERA, NAZWA) VALUES (950, 'usunięty');\n"
            "DELETE FROM komputery WHERE IDKOMPUTERA = 950;\n"
            // Stocktaking, kept beside the table list.
            "INSERT INTO inwentaryzacje (IDINWENTARYZACJI, DATA, KOMISJA, OPISZAKRESU) "
            "VALUES (7, 20261210, 'Łukasz Żak, Ewa O''Neil', NULL);\n"
            "INSERT INTO inwentaryzacje (IDINWENTARYZACJI, ZAMKNIETA) VALUES (40, 'T');\n"
            "DELETE FROM inwentaryzacje WHERE IDINWENTARYZACJI = 40;\n"
            "INSERT INTO inwentaryzacje_pozycje (IDPOZYCJI, IDINWENTARYZACJI, NREWID, NAZWA, SKANY, "
            "CZASSKANU) VALUES (3, 7, 'K/001', 'Drukarka źółta', 2, '2026-12-10 09:15:00');\n"
            "INSERT INTO inwentaryzacje_pozycje (IDPOZYCJI, IDINWENTARYZACJI, NREWID, ZNALEZIONA) "
            "VALUES (5, 7, '', 'T');"));
    }
    static void dropAddedTables(SqlConnection& c)
    {
        for (const QString& table : TableList::addedTables())
            c.exec(QStringLiteral("DROP TABLE ") + table);
    }
    static qint64 rowsOf(const std::vector<DatabaseCopy::TableRows>& rows, const QString& table)
    {
        for (const DatabaseCopy::TableRows& t : rows)
            if (t.table == table)
                return t.rows;
        return -1;
    }

private slots:
    void init()
    {
        if (!TestServer::available() && qstrcmp(QTest::currentTestFunction(), "newFileWholeOrNone") != 0)
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

    // File -> server -> file: every row of every table the same, and each
    // side goes on giving keys past the highest the original ever gave.
    void roundTripKeepsEveryRowAndKey()
    {
        TestDatabase original(true);
        SqlConnection file;
        original.open(file);
        addOddRows(file);

        SqlConnection server;
        emptyServer(server);
        qint64 lastProgress = 0;
        const auto copied = DatabaseCopy::copy(file, server, DatabaseCopy::Target::Empty,
                                               [&](const QString&, qint64 done, qint64 inAll) {
                                                   lastProgress = done;
                                                   return done <= inAll;
                                               });
        // The table list, then the stocktaking tables both sides have.
        QCOMPARE(int(copied.size()), int(TableList::tables().size() + TableList::addedTables().size()));
        QCOMPARE(copied.back().table, TableList::addedTables().last());
        QCOMPARE(rowsOf(copied, QStringLiteral("inwentaryzacje_pozycje")), qint64(2));
        QCOMPARE(lastProgress, rowsInAll(file));
        QCOMPARE(DatabaseRows::firstDifference(file, server), QString());

        QTemporaryDir back;
        const QString backFile = back.filePath(QStringLiteral("sprzetnik.db"));
        DatabaseCopy::toNewFile(server, backFile, QStringLiteral("inne-haslo"));
        QVERIFY(!QFileInfo::exists(backFile + QStringLiteral("-journal")));
        SqlConnection returned;
        returned.open(backFile, QStringLiteral("inne-haslo"));
        QCOMPARE(DatabaseRows::firstDifference(file, returned), QString());

        // Key 950 was given and deleted on the original: neither copy gives it again.
        server.exec(QStringLiteral("INSERT INTO komputery (NAZWA) VALUES ('nowy')"));
        QCOMPARE(integer(server, QStringLiteral("SELECT MAX(IDKOMPUTERA) FROM komputery")), qint64(951));
        returned.exec(QStringLiteral("INSERT INTO komputery (NAZWA) VALUES ('nowy')"));
        QCOMPARE(integer(returned, QStringLiteral("SELECT MAX(IDKOMPUTERA) FROM komputery")), qint64(951));
        // So with stocktaking's keys: 40 was given once.
        server.exec(QStringLiteral("INSERT INTO inwentaryzacje (DATA) VALUES (20261211)"));
        QCOMPARE(integer(server, QStringLiteral("SELECT MAX(IDINWENTARYZACJI) FROM inwentaryzacje")),
                 qint64(41));
        returned.exec(QStringLiteral("INSERT INTO inwentaryzacje_pozycje (NREWID) VALUES ('K/002')"));
        QCOMPARE(integer(returned, QStringLiteral("SELECT MAX(IDPOZYCJI) FROM inwentaryzacje_pozycje")),
                 qint64(6));
    }

    // An archive older than stocktaking restored onto a server (Replace)
    // leaves the server wholly the older database: its stocktaking rows go
    // in the same transaction, their keys are not given again. A source's
    // stocktaking rows into a target without the tables are refused, not lost.
    void addedTablesFollowTheSource()
    {
        TestDatabase older(true);
        SqlConnection file;
        older.open(file);
        dropAddedTables(file);

        const ServerAddress address = TestServer::createProgramDatabase(false);
        m_made.push_back(address);
        SqlConnection server;
        server.openServer(address);
        server.exec(QStringLiteral("INSERT INTO inwentaryzacje (DATA) VALUES (20261201);\n"
                                   "INSERT INTO inwentaryzacje (DATA) VALUES (20261202);\n"
                                   "INSERT INTO inwentaryzacje_pozycje (IDINWENTARYZACJI) VALUES (2)"));
        // Into an empty target only: stocktaking rows alone are data too.
        SqlConnection empty;
        emptyServer(empty);
        empty.exec(QStringLiteral("INSERT INTO inwentaryzacje_pozycje (NREWID) VALUES ('K/1')"));
        try {
            DatabaseCopy::copy(file, empty, DatabaseCopy::Target::Empty);
            QFAIL("a target holding stocktaking rows was written to");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("tabela inwentaryzacje_pozycje")),
                     qPrintable(e.message()));
        }

        // A failure half way keeps them too: one transaction.
        DatabaseCopy::setTableHook([](const QString& table) {
            if (table == QLatin1String("system"))
                throw DbError(QStringLiteral("przerwane w teście"));
        });
        QVERIFY_THROWS_EXCEPTION(DbError, DatabaseCopy::copy(file, server, DatabaseCopy::Target::Replace));
        QCOMPARE(integer(server, QStringLiteral("SELECT count(*) FROM inwentaryzacje")), qint64(2));
        DatabaseCopy::setTableHook({});

        const auto copied = DatabaseCopy::copy(file, server, DatabaseCopy::Target::Replace);
        QCOMPARE(rowsOf(copied, QStringLiteral("inwentaryzacje")), qint64(0));
        QCOMPARE(rowsOf(copied, QStringLiteral("inwentaryzacje_pozycje")), qint64(0));
        QCOMPARE(integer(server, QStringLiteral("SELECT count(*) FROM inwentaryzacje")), qint64(0));
        QCOMPARE(integer(server, QStringLiteral("SELECT count(*) FROM inwentaryzacje_pozycje")), qint64(0));
        // The counts after agree with what the copy answered, table by table.
        const auto counted = DatabaseCopy::count(server);
        QCOMPARE(counted.size(), copied.size());
        for (size_t i = 0; i < counted.size(); ++i) {
            QCOMPARE(counted[i].table, copied[i].table);
            QCOMPARE(counted[i].rows, copied[i].rows);
        }
        server.exec(QStringLiteral("INSERT INTO inwentaryzacje (DATA) VALUES (20261203)"));
        QCOMPARE(integer(server, QStringLiteral("SELECT IDINWENTARYZACJI FROM inwentaryzacje")), qint64(3));

        // The other way: the server's stocktaking rows have nowhere to go in the older file.
        const QStringList before = DatabaseRows::of(file, QStringLiteral("komputery"));
        server.exec(QStringLiteral("UPDATE komputery SET NAZWA = 'na serwerze'"));
        try {
            DatabaseCopy::copy(server, file, DatabaseCopy::Target::Replace);
            QFAIL("stocktaking rows were dropped");
        } catch (const DbError& e) {
            QCOMPARE(e.message(), QStringLiteral("Baza docelowa nie zawiera tabeli inwentaryzacje"));
        }
        QCOMPARE(DatabaseRows::of(file, QStringLiteral("komputery")), before);
        // Without any, the older file takes the rest; the tables it lacks are not counted.
        server.exec(QStringLiteral("DELETE FROM inwentaryzacje"));
        const auto back = DatabaseCopy::copy(server, file, DatabaseCopy::Target::Replace);
        QCOMPARE(int(back.size()), int(TableList::tables().size()));
        QCOMPARE(int(DatabaseCopy::count(file).size()), int(TableList::tables().size()));
        QCOMPARE(DatabaseRows::of(file, QStringLiteral("komputery")),
                 DatabaseRows::of(server, QStringLiteral("komputery")));
    }

    // A target that holds rows is refused, whole; replacing it leaves exactly the source.
    void targetWithDataRefusedOrReplaced()
    {
        TestDatabase source(true);
        SqlConnection file;
        source.open(file);
        const ServerAddress address = TestServer::createProgramDatabase(false);
        m_made.push_back(address);
        SqlConnection server;
        server.openServer(address);
        const qint64 before = rowsInAll(server);
        QVERIFY(before > 0);
        try {
            DatabaseCopy::copy(file, server, DatabaseCopy::Target::Empty);
            QFAIL("a target holding data was written to");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("zawiera już dane")), qPrintable(e.message()));
        }
        QCOMPARE(rowsInAll(server), before);

        DatabaseCopy::copy(file, server, DatabaseCopy::Target::Replace);
        QCOMPARE(DatabaseRows::firstDifference(file, server), QString());
    }

    // Stopped by the user, failed at a table, or the server gone half way:
    // the target is left as it was, in both directions.
    void halfWayLeavesTargetAsItWas()
    {
        TestDatabase source(true);
        SqlConnection file;
        source.open(file);
        SqlConnection server;
        emptyServer(server);

        QVERIFY_THROWS_EXCEPTION(DbError, DatabaseCopy::copy(file, server, DatabaseCopy::Target::Empty,
                                                             [](const QString& table, qint64, qint64) {
                                                                 return table != QLatin1String("naprawy");
                                                             }));
        QCOMPARE(rowsInAll(server), qint64(0));

        DatabaseCopy::setTableHook([](const QString& table) {
            if (table == QLatin1String("historia"))
                throw DbError(QStringLiteral("przerwane w teście"));
        });
        QVERIFY_THROWS_EXCEPTION(DbError, DatabaseCopy::copy(file, server, DatabaseCopy::Target::Empty));
        QCOMPARE(rowsInAll(server), qint64(0));

        // Replacing the file's rows from the server, the server's session ends half way.
        DatabaseCopy::setTableHook({});
        DatabaseCopy::copy(file, server, DatabaseCopy::Target::Empty);
        server.exec(QStringLiteral("UPDATE komputery SET NAZWA = 'na serwerze'"));
        const QStringList fileRows = DatabaseRows::of(file, QStringLiteral("komputery"));
        SqlConnection killer;
        killer.openServer(m_made.back());
        DatabaseCopy::setTableHook([&](const QString& table) {
            if (table == QLatin1String("naprawy"))
                killer.exec(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                                           "WHERE datname = current_database() AND pid <> pg_backend_pid()"));
        });
        QVERIFY_THROWS_EXCEPTION(DbError, DatabaseCopy::copy(server, file, DatabaseCopy::Target::Replace));
        QVERIFY(!file.inTransaction());
        QCOMPARE(DatabaseRows::of(file, QStringLiteral("komputery")), fileRows);

        // And the other way: the server's own session is the one cut.
        DatabaseCopy::setTableHook({});
        SqlConnection again;
        again.openServer(m_made.back());
        const QStringList serverRows = DatabaseRows::of(again, QStringLiteral("komputery"));
        DatabaseCopy::setTableHook([&](const QString& table) {
            if (table == QLatin1String("naprawy"))
                killer.exec(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                                           "WHERE datname = current_database() AND pid <> pg_backend_pid()"));
        });
        QVERIFY_THROWS_EXCEPTION(DbError, DatabaseCopy::copy(file, again, DatabaseCopy::Target::Replace));
        DatabaseCopy::setTableHook({});
        SqlConnection after;
        after.openServer(m_made.back());
        QCOMPARE(DatabaseRows::of(after, QStringLiteral("komputery")), serverRows);
    }

    // A new file is never left half written: a failure removes the temporary
    // and an existing file at the name stays as it was.
    void newFileWholeOrNone()
    {
        TestDatabase source(true);
        SqlConnection file;
        source.open(file);
        QTemporaryDir folder;
        const QString target = folder.filePath(QStringLiteral("sprzetnik.db"));
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("poprzednia kopia");
        old.close();
        DatabaseCopy::setTableHook([](const QString& table) {
            if (table == QLatin1String("dokumenty"))
                throw DbError(QStringLiteral("przerwane w teście"));
        });
        QVERIFY_THROWS_EXCEPTION(DbError, DatabaseCopy::toNewFile(file, target, QStringLiteral("x")));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("sprzetnik.db")});
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("poprzednia kopia"));
    }
};

QTEST_GUILESS_MAIN(TestDatabaseCopy)
#include "test_databasecopy.moc"
