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
