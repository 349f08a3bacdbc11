#include "TestDatabase.h"
#include "TestServer.h"
#include "TestSupport.h"

#include "base/EngineMessages.h"
#include "base/ErrorLog.h"
#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/Guarded.h"
#include "store/LicenceSeats.h"
#include "store/NewKey.h"
#include "store/PreparedStatement.h"
#include "store/SchemaUpgrades.h"
#include "store/ServerBackend.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "store/WriteTransaction.h"

#include <QTest>

#include <set>
#include <thread>

// The store on whichever backend the run chose (the file, or the server when
// SPRZETNIK_TEST_BACKEND is "server"): several workstations at once, change
// detection, and the order of lists compared across the two backends.
class TestServerStore : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    SqlConnection m_connection;

    static QStringList column(SqlConnection& c, const QString& sql)
    {
        Statement q(&c, QStringLiteral("column"), {sql});
        q.open();
        QStringList values;
        for (q.first(); !q.eof(); q.next())
            values << q.text(q.fieldName(0));
        return values;
    }
    // The values of one column of every row a statement has read.
    static QStringList values(const Statement& q, const QString& field)
    {
        const int c = q.fieldIndex(field);
        QStringList all;
        for (int row = 0; row < q.recordCount(); ++row)
            all << (q.isNullAt(row, c) ? QStringLiteral("NULL") : q.textAt(row, c));
        return all;
    }
    // More computers than a list reads first: Polish letters, case pairs,
    // equal inventory numbers, NULL and empty ones, liquidated records.
    static void insertComputers(SqlConnection& c)
    {
        const char* stems[] = {"Ż", "z", "Ą", "a", "ł", "L", "ć", "C", "ź", "e", "Ę", "ó", "O", "ś", "S"};
        QStringList rows;
        for (int i = 0; i < 1300; ++i) {
            const QString nrewid =
                i % 97 == 0   ? QStringLiteral("NULL")
                : i % 89 == 0 ? QStringLiteral("''")
                              : QStringLiteral("'%1-%2'").arg(QString::fromUtf8(stems[i % 15])).arg(i % 40);
            rows << QStringLiteral("(%1,%2,'Komputer %3','%4','',1)")
                        .arg(10000 + i)
                        .arg(nrewid)
                        .arg(i)
                        .arg(i % 7 == 0 ? 'T' : 'N');
        }
        c.exec(
            QStringLiteral("INSERT INTO komputery (IDKOMPUTERA,NREWID,NAZWA,ARCHIWUM,NREW,IDFIRMY) VALUES ") +
            rows.join(QLatin1Char(',')));
    }
    // The login's step that gives the lists their Polish keys where the
    // engine needs them (the file).
    static void login(TmyDataBase& db, const TestDatabase& database)
    {
        SchemaUpgrades(db, database.dir(), database.password(), [](const QString&, const QString&) {
        }).updateSortKeys();
    }
    // The computer list entered and read to its end in short pages; answers
    // the computers' keys in the order shown.
    static QStringList readByPages(TmyDataBase& db, bool ascending)
    {
        const QString list = QStringLiteral("DBFKomputery");
        db.listState().reset(list);
        db.listState().setAscending(list, ascending);
        if (!db.reloadList(list))
            return {QStringLiteral("reload failed")};
        Statement& q = db.statement(list);
        if (!q.readsByPages())
            return {QStringLiteral("not by pages")};
        const int counted = q.shownCount(); // before the rest is read
        int pages = 0;
        while (q.fetchMore(37))
            ++pages;
        if (pages < 10)
            return {QStringLiteral("%1 pages").arg(pages)};
        if (counted != q.recordCount())
            return {QStringLiteral("counted %1 of %2").arg(counted).arg(q.recordCount())};
        return values(q, QStringLiteral("IDKOMPUTERA"));
    }
    static void insertFirma(SqlConnection& c, const QString& name)
    {
        Statement q(&c, QStringLiteral("firma"),
                    {QStringLiteral("INSERT INTO firmy (NAZWA) VALUES (:PARAM0)")});
        q.setParam(0, name);
        q.execSQL();
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>();
        m_database->open(m_connection);
    }
    void cleanup()
    {
        m_connection.close();
        m_database.reset();
        m_config.reset();
    }

    void statementsSentToTheServer_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("names");
        QTest::addColumn<QString>("rest");
        QTest::newRow("named, repeated") << "SELECT * FROM a WHERE X=:PARAM0 OR Y=:param0 OR Z=:PARAM1"
                                         << "SELECT * FROM a WHERE X=$1 OR Y=$1 OR Z=$2"
                                         << "PARAM0,PARAM1"
                                         << "";
        QTest::newRow("quotes keep their text") << "SELECT ':PARAM0', \"a:b\", 'it''s ; :X' FROM t WHERE Q=?"
                                                << "SELECT ':PARAM0', \"a:b\", 'it''s ; :X' FROM t WHERE Q=$1"
                                                << ""
                                                << "";
        QTest::newRow("a cast is no parameter") << "SELECT 1::text, :A"
                                                << "SELECT 1::text, $1"
                                                << "A"
                                                << "";
        QTest::newRow("second statement left") << "DELETE FROM a; DELETE FROM b"
                                               << "DELETE FROM a"
                                               << ""
                                               << " DELETE FROM b";
        QTest::newRow("comments go") << "SELECT 1 -- :X ;\n/* :Y */ FROM t"
                                     << "SELECT 1  \n  FROM t"
                                     << ""
                                     << "";
        QTest::newRow("collation clause goes")
            << "SELECT A FROM t ORDER BY NAZWA COLLATE PL,NREWID collate  pl DESC, PLX"
            << "SELECT A FROM t ORDER BY NAZWA NULLS FIRST,NREWID DESC NULLS LAST, PLX NULLS FIRST"
            << ""
            << "";
        QTest::newRow("another collation stays")
            << "ORDER BY A COLLATE PLX, 'COLLATE PL'"
            << "ORDER BY A COLLATE PLX NULLS FIRST, 'COLLATE PL' NULLS FIRST"
            << ""
            << "";
        // NULL comes first going up and last going down, as on the file.
        QTest::newRow("null order in a subquery and around its limit")
            << "SELECT * FROM (SELECT * FROM t ORDER BY coalesce(A, B) ASC LIMIT 5) ORDER BY X\nDESC, 2"
            << "SELECT * FROM (SELECT * FROM t ORDER BY coalesce(A, B) ASC NULLS FIRST LIMIT 5) "
               "ORDER BY X\nDESC NULLS LAST, 2 NULLS FIRST"
            << ""
            << "";
        QTest::newRow("a null order given stays")
            << "SELECT A FROM t ORDER BY A DESC NULLS FIRST, descr"
            << "SELECT A FROM t ORDER BY A DESC NULLS FIRST, descr NULLS FIRST"
            << ""
            << "";
    }
    void statementsSentToTheServer()
    {
        QFETCH(QString, sql);
        QFETCH(QString, sent);
        QFETCH(QString, names);
        QFETCH(QString, rest);
        QList<QByteArray> found;
        int end = 0;
        const QByteArray text = sql.toUtf8();
        QCOMPARE(QString::fromUtf8(ServerBackend::translate(text, found, end)), sent);
        QStringList given;
        for (const QByteArray& n : found)
            given << QString::fromUtf8(n);
        QCOMPARE(given.join(QLatin1Char(',')), names); // a '?' has no name
        QCOMPARE(QString::fromUtf8(text.mid(end)), rest);
    }

    void keysAreNeverReusedAndPassKeysGivenByHand()
    {
        insertFirma(m_connection, QStringLiteral("Pierwsza"));
        const qint64 first =
            column(m_connection, QStringLiteral("SELECT MAX(IDFIRMY) FROM firmy")).value(0).toLongLong();
        // A row written with its key given, as the templates and imports do.
        m_connection.exec(
            QStringLiteral("INSERT INTO firmy (IDFIRMY, NAZWA) VALUES (%1, 'Podana')").arg(first + 10));
        insertFirma(m_connection, QStringLiteral("Po podanej"));
        QCOMPARE(column(m_connection, QStringLiteral("SELECT IDFIRMY FROM firmy WHERE NAZWA='Po podanej'")),
                 QStringList{QString::number(first + 11)});
        // The highest row deleted: its key is not given again.
        m_connection.exec(QStringLiteral("DELETE FROM firmy WHERE IDFIRMY=%1").arg(first + 11));
        insertFirma(m_connection, QStringLiteral("Następna"));
        QCOMPARE(column(m_connection, QStringLiteral("SELECT IDFIRMY FROM firmy WHERE NAZWA='Następna'")),
                 QStringList{QString::number(first + 12)});
    }

    void keysOfWorkstationsInsertingAtOnceAreEachTheirOwn()
    {
        constexpr int kWorkstations = 4;
        constexpr int kEach = 15;
        std::vector<std::vector<std::pair<qint64, QString>>> taken(kWorkstations);
        std::vector<std::thread> threads;
        for (int w = 0; w < kWorkstations; ++w)
            threads.emplace_back([&, w] {
                SqlConnection c;
                m_database->open(c);
                for (int i = 0; i < kEach; ++i) {
                    const QString name = QStringLiteral("Stanowisko %1 firma %2").arg(w).arg(i);
                    const qint64 key = insertReturningKey(
                        c, QStringLiteral("firmy"), QStringLiteral("IDFIRMY"), [&] { insertFirma(c, name); });
                    taken[size_t(w)].emplace_back(key, name);
                }
            });
        for (std::thread& t : threads)
            t.join();
        std::set<qint64> keys;
        for (const auto& mine : taken)
            for (const auto& [key, name] : mine) {
                keys.insert(key);
                // The key read back names the row this workstation wrote.
                QCOMPARE(
                    column(m_connection, QStringLiteral("SELECT NAZWA FROM firmy WHERE IDFIRMY=%1").arg(key)),
                    QStringList{name});
            }
        QCOMPARE(int(keys.size()), kWorkstations * kEach);
    }

    void aWriteIsSeenByAnotherWorkstationOnlyOnceCommitted()
    {
        SqlConnection other;
        m_database->open(other);
        const quint64 before = other.changeStamp();
        QCOMPARE(other.changeStamp(), before); // nothing happened
        {
            WriteTransaction t(m_connection);
            insertFirma(m_connection, QStringLiteral("W toku"));
            QCOMPARE(other.changeStamp(), before);
            t.commit();
        }
        QVERIFY(other.changeStamp() > before);
    }

    void installingOnAComputerAnotherWorkstationDeletedLeavesNothing()
    {
        m_connection.exec(QStringLiteral("INSERT INTO programy (IDPROGRAMU,NAZWA) VALUES (1,'Biuro')"));
        m_connection.exec(QStringLiteral("INSERT INTO licencje (IDLICENCJI,NRLICENCJI) VALUES (1,'L-1')"));
        m_connection.exec(QStringLiteral("INSERT INTO komputery (IDKOMPUTERA,NREWID) VALUES (7,'K7')"));
        m_connection.exec(QStringLiteral(
            "INSERT INTO r_licprog (IDPROGRAMU,IDLICENCJI,ILOSCLIC,WIELOSTAN,ACT) VALUES (1,1,5,'N','T')"));
        SqlConnection other;
        m_database->open(other);
        other.exec(QStringLiteral("DELETE FROM komputery WHERE IDKOMPUTERA=7"));
        QCOMPARE(LicenceSeats::install(m_connection, 1, 1, 7), LicenceSeats::Outcome::Failed);
        QCOMPARE(column(other, QStringLiteral("SELECT COUNT(*) AS N FROM r_lickomp")),
                 QStringList{QStringLiteral("0")});
    }

    void listsAreInTheSamePolishOrderOnBothBackends()
    {
        if (!TestServer::available())
            QSKIP("the test database server was not started");
        // Both backends, whichever this run is on.
        if (m_database->onServer()) {
            qputenv("SPRZETNIK_TEST_BACKEND", "file");
            TestDatabase local(false);
            qputenv("SPRZETNIK_TEST_BACKEND", "server");
            SqlConnection onFile;
            local.open(onFile);
            compareOrder(onFile, m_connection);
        } else {
            qputenv("SPRZETNIK_TEST_BACKEND", "server");
            TestDatabase server(false);
            qunsetenv("SPRZETNIK_TEST_BACKEND");
            SqlConnection onServer;
            server.open(onServer);
            compareOrder(m_connection, onServer);
        }
    }

    void listPagesAreInTheSameOrderOnBothBackends_data()
    {
        QTest::addColumn<bool>("ascending");
        QTest::newRow("ascending") << true;
        QTest::newRow("descending") << false;
    }
    void listPagesAreInTheSameOrderOnBothBackends()
    {
        QFETCH(bool, ascending);
        if (!TestServer::available())
            QSKIP("the test database server was not started");
        const char* backend = m_database->onServer() ? "server" : "file";
        qputenv("SPRZETNIK_TEST_BACKEND", "file");
        TestDatabase onFile(false);
        qputenv("SPRZETNIK_TEST_BACKEND", "server");
        TestDatabase onServer(false);
        qputenv("SPRZETNIK_TEST_BACKEND", backend);
        TmyDataBase file;
        TmyDataBase server;
        QVERIFY(onFile.connect(file));
        QVERIFY(onServer.connect(server));
        insertComputers(file.DatabaseMain());
        insertComputers(server.DatabaseMain());
        login(file, onFile);
        login(server, onServer);

        const QStringList shownFile = readByPages(file, ascending);
        const QStringList shownServer = readByPages(server, ascending);
        QCOMPARE(shownServer, shownFile);
        // Each the list's whole order on its own backend, every current row once.
        Statement& q = server.statement(QStringLiteral("DBFKomputery"));
        Statement whole(&server.DatabaseMain(), QStringLiteral("whole"), q.lines());
        whole.open();
        QCOMPARE(values(whole, QStringLiteral("IDKOMPUTERA")), shownServer);
        QCOMPARE(shownServer.size(), 1300 - 1300 / 7 - 1);
        // NULL before the empty text before any other ascending; the other way
        // round descending, the equal numbers by key.
        const QStringList nrewid = values(q, QStringLiteral("NREWID"));
        const int lastNull = int(nrewid.lastIndexOf(QStringLiteral("NULL")));
        const int firstEmpty = int(nrewid.indexOf(QString()));
        QVERIFY(lastNull >= 0 && firstEmpty >= 0);
        if (ascending) {
            QCOMPARE(nrewid.first(), QStringLiteral("NULL"));
            QVERIFY(lastNull < firstEmpty);
            QCOMPARE(nrewid.last(), QStringLiteral("Ż-5"));
        } else {
            QCOMPARE(nrewid.last(), QStringLiteral("NULL"));
            QVERIFY(int(nrewid.lastIndexOf(QString())) < int(nrewid.indexOf(QStringLiteral("NULL"))));
            QCOMPARE(nrewid.first(), QStringLiteral("Ż-5"));
        }
        const int az = int(nrewid.indexOf(QStringLiteral("a-3")));
        QCOMPARE(nrewid.mid(az, 3), QStringList(3, QStringLiteral("a-3")));
        const QStringList ids = shownServer.mid(az, 3);
        QVERIFY(ids.at(0).toInt() < ids.at(1).toInt() && ids.at(1).toInt() < ids.at(2).toInt());
    }

    void anotherWorkstationSavesBetweenPages()
    {
        TmyDataBase db;
        QVERIFY(m_database->connect(db));
        insertComputers(db.DatabaseMain());
        login(db, *m_database);
        const QString list = QStringLiteral("DBFKomputery");
        db.listState().reset(list);
        QVERIFY(db.reloadList(list));
        Statement& q = db.statement(list);
        QVERIFY(q.fetchMore(100));
        QVERIFY(q.readsByPages());
        const int id = q.fieldIndex(QStringLiteral("IDKOMPUTERA"));
        const int read = q.loadedCount();
        const QString moved = q.textAt(10, id);
        Statement before(&db.DatabaseMain(), list, q.lines());
        before.open();
        const QString removed = before.textAt(read + 200, id); // not read yet
        QCOMPARE(q.loadedCount(), read);

        // Another workstation saves while the list is still being read: no
        // lock is held between pages, so it does not wait.
        TmyDataBase otherDb;
        QVERIFY(m_database->connect(otherDb));
        login(otherDb, *m_database);
        SqlConnection& other = otherDb.DatabaseMain();
        other.setBusyTimeout(200);
        {
            WriteTransaction t(other);
            // a row already shown moves past the rows read
            other.exec(QStringLiteral("UPDATE komputery SET NREWID='żżż przeniesiony' WHERE IDKOMPUTERA=%1")
                           .arg(moved));
            other.exec(QStringLiteral("DELETE FROM komputery WHERE IDKOMPUTERA=%1").arg(removed));
            other.exec(QStringLiteral("INSERT INTO komputery (IDKOMPUTERA,NREWID,NAZWA,ARCHIWUM) "
                                      "VALUES (20100,'żżż nowy','Nowy','N')"));
            t.commit();
        }

        q.fetchAll();
        const QStringList ids = values(q, QStringLiteral("IDKOMPUTERA"));
        QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), ids.size()); // no row twice
        QCOMPARE(ids.indexOf(moved), 10);                                   // where it was shown
        QVERIFY(ids.contains(QStringLiteral("20100")));
        QVERIFY(!ids.contains(removed));
        // Every other row as the list now stands, in its order.
        Statement now(&db.DatabaseMain(), list, q.lines());
        now.open();
        QStringList expected = values(now, QStringLiteral("IDKOMPUTERA"));
        QCOMPARE(expected.last(), moved);
        expected.removeOne(moved);
        QStringList shown = ids;
        shown.removeOne(moved);
        QCOMPARE(shown, expected);

        // Counted before its rows are read, after the other's writes too:
        // a row liquidated there and whole statements of rows.
        other.exec(QStringLiteral("UPDATE komputery SET ARCHIWUM='T' WHERE IDKOMPUTERA=%1").arg(moved));
        other.exec(
            QStringLiteral("DELETE FROM komputery WHERE IDKOMPUTERA >= 11000 AND IDKOMPUTERA < 11100"));
        q.close();
        QVERIFY(db.reloadList(list));
        QVERIFY(q.isReading());
        const int counted = q.shownCount();
        QCOMPARE(QString::number(counted),
                 column(db.DatabaseMain(),
                        QStringLiteral("SELECT COUNT(*) AS N FROM komputery WHERE ARCHIWUM='N'"))
                     .value(0));
        q.fetchAll();
        QCOMPARE(q.recordCount(), counted);
        db.listState().setArchive(true);
        QVERIFY(db.reloadList(list));
        const int liquidated = q.shownCount();
        q.fetchAll();
        QCOMPARE(q.recordCount(), liquidated);
        QVERIFY(values(q, QStringLiteral("IDKOMPUTERA")).contains(moved));
        db.listState().setArchive(false);
    }

    void serverFaultsArePolishAndLeaveNothingHalfWritten()
    {
        if (!m_database->onServer())
            QSKIP("the database server backend only");
        const ServerAddress good = m_database->address();
        auto loginMessage = [](const ServerAddress& a) {
            SqlConnection c;
            try {
                c.openServer(a);
            } catch (const DbError& e) {
                // The library's English text is kept for the log only.
                if (e.detail().isEmpty())
                    return QStringLiteral("(no detail) ") + e.message();
                return e.message();
            }
            return QString();
        };
        ServerAddress wrongPassword = good;
        wrongPassword.password += QStringLiteral("x");
        QVERIFY2(loginMessage(wrongPassword).contains(QStringLiteral("odrzucił użytkownika lub hasło")),
                 qPrintable(loginMessage(wrongPassword)));
        ServerAddress missing = good;
        missing.database = QStringLiteral("nie_ma_takiej_bazy");
        QVERIFY(loginMessage(missing).contains(QStringLiteral("nie ma bazy danych")));
        ServerAddress closedPort = good;
        closedPort.port = 1;
        QVERIFY(loginMessage(closedPort).startsWith(QStringLiteral("Nie można połączyć się z serwerem")));

        // A statement that runs past the limit is stopped by the server.
        ServerAddress impatient = good;
        impatient.statementTimeoutMs = 100;
        SqlConnection slow;
        slow.openServer(impatient);
        try {
            column(slow, QStringLiteral("SELECT pg_sleep(2)"));
            QFAIL("the statement was not stopped");
        } catch (const DbError& e) {
            QVERIFY2(EngineMessages::forUser(e.message())
                         .startsWith(QStringLiteral("Polecenie bazy danych trwało zbyt długo")),
                     qPrintable(e.message()));
        }

        // The connection is cut in the middle of a write: the server takes
        // the write back and the program gets an error, not a success.
        const QString pid = column(m_connection, QStringLiteral("SELECT pg_backend_pid()")).value(0);
        bool failed = false;
        try {
            WriteTransaction t(m_connection);
            insertFirma(m_connection, QStringLiteral("Przerwana"));
            SqlConnection admin;
            admin.openServer(TestServer::address(QStringLiteral("postgres")));
            admin.exec(QStringLiteral("SELECT pg_terminate_backend(") + pid + QLatin1Char(')'));
            insertFirma(m_connection, QStringLiteral("Przerwana 2"));
            t.commit();
        } catch (const DbError& e) {
            failed = true;
            QVERIFY2(EngineMessages::forUser(e.message())
                         .startsWith(QStringLiteral("Połączenie z serwerem bazy danych zostało przerwane")),
                     qPrintable(e.message()));
        }
        QVERIFY(failed);
        SqlConnection other;
        m_database->open(other);
        QCOMPARE(column(other, QStringLiteral("SELECT NAZWA FROM firmy WHERE NAZWA LIKE 'Przerwana%'")),
                 QStringList());
    }

    // Statements compiled once and run in turn, with other work between
    // their runs (an import's lookups): each runs its own text every time.
    void preparedStatementsRunInTurn()
    {
        insertFirma(m_connection, QStringLiteral("Alfa"));
        PreparedStatement byName(m_connection,
                                 QStringLiteral("SELECT count(*) FROM firmy WHERE NAZWA = :PARAM0"));
        PreparedStatement byTwo(
            m_connection,
            QStringLiteral("SELECT count(*) FROM firmy WHERE NAZWA = :PARAM0 OR NAZWA = :PARAM1"));
        for (int round = 0; round < 3; ++round) {
            byTwo.bind(0, QStringLiteral("Alfa"));
            byTwo.bind(1, QStringLiteral("Beta"));
            QVERIFY(byTwo.step());
            QCOMPARE(byTwo.integer(0), round == 0 ? 1 : 2);
            byTwo.reset();
            byName.bind(0, QStringLiteral("Alfa"));
            QVERIFY(byName.step());
            QCOMPARE(byName.integer(0), 1);
            byName.reset();
            if (round == 0)
                insertFirma(m_connection, QStringLiteral("Beta")); // a statement of its own between runs
            else
                m_connection.exec(QStringLiteral("UPDATE firmy SET NIP = NIP WHERE NAZWA = 'Alfa'"));
        }
    }

    // A login the server refuses, through the data module: the user is told
    // in Polish, the log keeps the library's own words with the code.
    void refusedLoginIsShownInPolishAndLoggedWithTheLibrarysText()
    {
        if (!m_database->onServer())
            QSKIP("the database server backend only");
        QStringList shown;
        ErrorLog::setDisplay(
            [&](const QString& title, const QString& text) { shown << title + " / " + text; });
        ServerAddress wrong = m_database->address();
        wrong.password += QStringLiteral("x");
        TmyDataBase db;
        QVERIFY(!db.connectToServer(wrong, m_database->dir()));
        ErrorLog::setDisplay({});
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(QStringLiteral("odrzucił użytkownika lub hasło")), qPrintable(shown[0]));
        QVERIFY2(!shown[0].contains(QLatin1String("authentication")), qPrintable(shown[0]));
        const QString line = m_config->logLines().join(QLatin1Char('\n'));
        QVERIFY2(line.contains(QStringLiteral("[0000000566]")), qPrintable(line));
        QVERIFY2(line.contains(QLatin1String("password authentication failed")), qPrintable(line));
    }

    // A database of the server with none of the program's tables, or with
    // tables of another program, is refused with a Polish text, and nothing
    // is created in it.
    void emptyOrForeignServerDatabaseIsRefusedAndLeftAsItWas_data()
    {
        QTest::addColumn<QString>("tables");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << ""
                               << "nie zawiera tabel programu";
        QTest::newRow("another program's") << "CREATE TABLE faktury (id integer, kwota numeric)"
                                           << "nie jest bazą danych tego programu";
        QTest::newRow("one table short") << "*"
                                         << "brak tabel: zlecenia";
    }
    void emptyOrForeignServerDatabaseIsRefusedAndLeftAsItWas()
    {
        if (!m_database->onServer())
            QSKIP("the database server backend only");
        QFETCH(QString, tables);
        QFETCH(QString, expected);
        ServerAddress address = m_database->address();
        std::unique_ptr<TestDatabase> scratch;
        if (tables == QLatin1String("*")) {
            m_connection.exec(QStringLiteral("DROP TABLE zlecenia"));
        } else {
            address = TestServer::createDatabase();
            SqlConnection setUp;
            setUp.openServer(address);
            if (!tables.isEmpty())
                setUp.exec(tables);
        }
        SqlConnection look;
        look.openServer(address);
        const QStringList before = DatabaseTemplate::tables(look);
        QStringList shown;
        ErrorLog::setDisplay([&](const QString&, const QString& text) { shown << text; });
        TmyDataBase db;
        const bool connected = db.connectToServer(address, m_database->dir());
        ErrorLog::setDisplay({});
        QVERIFY(!connected);
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(expected), qPrintable(shown[0]));
        QCOMPARE(DatabaseTemplate::tables(look), before);
        look.close();
        if (address.database != m_database->address().database)
            TestServer::dropDatabase(address);
    }

    // A write that the server cuts off (its session ended by the server's
    // administrator) through the program's guard: false, a Polish text, the
    // code and the server's own words in the log, and nothing of it stored.
    void guardedWriteCutByTheServerIsReportedAndLeavesNothing()
    {
        if (!m_database->onServer())
            QSKIP("the database server backend only");
        QStringList shown;
        ErrorLog::setDisplay([&](const QString&, const QString& text) { shown << text; });
        const QString pid = column(m_connection, QStringLiteral("SELECT pg_backend_pid()")).value(0);
        const bool written = guardedWrite(m_connection, 4242, [&] {
            insertFirma(m_connection, QStringLiteral("Przerwana"));
            SqlConnection admin;
            admin.openServer(TestServer::address(QStringLiteral("postgres")));
            admin.exec(QStringLiteral("SELECT pg_terminate_backend(") + pid + QLatin1Char(')'));
            insertFirma(m_connection, QStringLiteral("Przerwana 2"));
        });
        ErrorLog::setDisplay({});
        QVERIFY(!written);
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(QStringLiteral("Połączenie z serwerem bazy danych zostało przerwane")),
                 qPrintable(shown[0]));
        const QString line = m_config->logLines().join(QLatin1Char('\n'));
        QVERIFY2(line.contains(QStringLiteral("[0000004242]")), qPrintable(line));
        QVERIFY2(line.contains(QLatin1String("SQLSTATE 57P01")) ||
                     line.contains(QLatin1String("SQLSTATE 08006")),
                 qPrintable(line));
        SqlConnection other;
        m_database->open(other);
        QCOMPARE(column(other, QStringLiteral("SELECT NAZWA FROM firmy WHERE NAZWA LIKE 'Przerwana%'")),
                 QStringList());
    }

private:
    void compareOrder(SqlConnection& a, SqlConnection& b)
    {
        const QStringList names = {
            QStringLiteral("Żak"),      QStringLiteral("zając"),    QStringLiteral("Zając"),
            QStringLiteral("Źrebiec"),  QStringLiteral("Łukasz"),   QStringLiteral("lis"),
            QStringLiteral("Lis"),      QStringLiteral("łoś"),      QStringLiteral("Ćma"),
            QStringLiteral("cebula"),   QStringLiteral("Czapla"),   QStringLiteral("ćwierć"),
            QStringLiteral("Ąbel"),     QStringLiteral("ABC"),      QStringLiteral("abc"),
            QStringLiteral("Ewa"),      QStringLiteral("Ęga"),      QStringLiteral("Nowak"),
            QStringLiteral("Ńowak"),    QStringLiteral("Olek"),     QStringLiteral("Ósemka"),
            QStringLiteral("Sowa"),     QStringLiteral("Śliwa"),    QStringLiteral("szafa"),
            QStringLiteral("Kowalski"), QStringLiteral("Kowalska"), QStringLiteral("Kowal"),
            QStringLiteral("Kożuch"),
        };
        for (SqlConnection* c : {&a, &b})
            for (const QString& n : names) {
                Statement q(c, QStringLiteral("osoba"),
                            {QStringLiteral(
                                "INSERT INTO osobowa (NREW, NAZWISKO, IMIE) VALUES (:PARAM0, :PARAM1, '')")});
                q.setParam(0, QStringLiteral("T") + QString::number(names.indexOf(n)));
                q.setParam(1, n);
                q.execSQL();
            }
        const QString sql =
            QStringLiteral("SELECT NAZWISKO FROM osobowa WHERE NREW LIKE 'T%' ORDER BY NAZWISKO COLLATE PL");
        const QStringList onA = column(a, sql);
        QCOMPARE(onA.size(), names.size());
        QCOMPARE(column(b, sql), onA);
        QCOMPARE(onA.first(), QStringLiteral("abc"));
        QCOMPARE(onA.last(), QStringLiteral("Żak"));
    }
};

QTEST_GUILESS_MAIN(TestServerStore)
#include "test_serverstore.moc"
