#include "TestDatabase.h"
#include "TestSupport.h"

#include "store/PasswordHash.h"
#include "store/TmyDataBase.h"
#include "users/UserAccounts.h"

#include <QTest>

class TestUsers : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;

    QByteArray storedHash(const QString& name)
    {
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(QStringLiteral("SELECT HASLO FROM userzy WHERE NAZWA=:PARAM0"));
        q.setParam(0, name);
        q.open();
        const QByteArray bytes = q.bytes(QStringLiteral("HASLO"));
        q.close();
        return bytes;
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>();
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
    }
    void cleanup()
    {
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void hashFormat()
    {
        const QByteArray h = PasswordHash::hash(QStringLiteral("kubol"), QByteArray(16, 'x'), 1000);
        QVERIFY(h.startsWith("$pbkdf2-sha256$1000$"));
        QVERIFY(PasswordHash::verify(QStringLiteral("kubol"), h));
        QVERIFY(!PasswordHash::verify(QStringLiteral("Kubol"), h));
        // two hashes of one password differ by their salt
        QVERIFY(PasswordHash::hash(QStringLiteral("a")) != PasswordHash::hash(QStringLiteral("a")));
        QVERIFY(!PasswordHash::verify(QStringLiteral("kubol"), QByteArray("$pbkdf2-sha256$x$y")));
        QVERIFY(!PasswordHash::verify(QString(), QByteArray()));
    }

    void login_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("upper") << "ADMIN"
                               << "kubol" << true;
        QTest::newRow("lower name") << "admin"
                                    << "kubol" << true;
        QTest::newRow("mixed name") << "AdMiN"
                                    << "kubol" << true;
        QTest::newRow("password case") << "ADMIN"
                                       << "KUBOL" << false;
        QTest::newRow("short password") << "ADMIN"
                                        << "ku" << false;
        QTest::newRow("empty name") << ""
                                    << "kubol" << false;
        QTest::newRow("unknown") << "NIKT"
                                 << "kubol" << false;
        QTest::newRow("quote in name") << "AD'MIN"
                                       << "kubol" << false;
    }
    void login()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        UserAccounts accounts(*m_db);
        QString description;
        const auto result = accounts.login(name, password, &description);
        QCOMPARE(result == UserAccounts::LoginResult::LoggedIn, accepted);
        if (accepted)
            QCOMPARE(description, QStringLiteral("Administrator"));
    }

    void olderCipherTextIsReplacedAtFirstLogin()
    {
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(
            QStringLiteral("INSERT INTO userzy (NAZWA,HASLO,OPIS) VALUES ('STARY',:PARAM0,'z dawnej bazy')"));
        q.setParamBytes(QStringLiteral("PARAM0"), PasswordHash::legacyCipherText(QStringLiteral("hasło1")));
        q.execSQL();
        UserAccounts accounts(*m_db);
        QCOMPARE(accounts.login(QStringLiteral("stary"), QStringLiteral("zle"), nullptr),
                 UserAccounts::LoginResult::Refused);
        QVERIFY(!PasswordHash::isHash(storedHash(QStringLiteral("STARY"))));
        QCOMPARE(accounts.login(QStringLiteral("stary"), QStringLiteral("hasło1"), nullptr),
                 UserAccounts::LoginResult::LoggedIn);
        QVERIFY(PasswordHash::isHash(storedHash(QStringLiteral("STARY"))));
        QCOMPARE(accounts.login(QStringLiteral("STARY"), QStringLiteral("hasło1"), nullptr),
                 UserAccounts::LoginResult::LoggedIn);
    }

    void newAccountHoldsRights1To29()
    {
        UserAccounts accounts(*m_db);
        QCOMPARE(accounts.add(QStringLiteral(" jan "), QStringLiteral("abc"), QStringLiteral("Jan Kowalski")),
                 UserAccounts::AddResult::Added);
        QCOMPARE(accounts.add(QStringLiteral("JAN"), QStringLiteral("xyz"), QString()),
                 UserAccounts::AddResult::Exists);
        QSet<int> expected;
        for (int i = 1; i <= 29; ++i)
            expected.insert(i);
        QCOMPARE(accounts.rightsOf(QStringLiteral("JAN")), expected);
        const Rights loaded = m_db->loadRights(QStringLiteral("JAN"));
        QVERIFY(!loaded[0]);
        QVERIFY(loaded[29]);
        QCOMPARE(accounts.login(QStringLiteral("jan"), QStringLiteral("abc"), nullptr),
                 UserAccounts::LoginResult::LoggedIn);

        // read and write are separate rows
        accounts.setRight(QStringLiteral("JAN"), 2, false);
        accounts.setRight(QStringLiteral("JAN"), 5, true); // already held: no second row
        QVERIFY(accounts.rightsOf(QStringLiteral("JAN")).contains(1));
        QVERIFY(!accounts.rightsOf(QStringLiteral("JAN")).contains(2));
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(QStringLiteral("SELECT COUNT(*) AS N FROM uprawnienia WHERE NAZWA='JAN' AND UPR=5"));
        q.open();
        QCOMPARE(q.integer(QStringLiteral("N")), 1);
        q.close();
    }

    void updateKeepsOrChangesPassword()
    {
        UserAccounts accounts(*m_db);
        accounts.add(QStringLiteral("ola"), QStringLiteral("pierwsze"), QStringLiteral("Ola"));
        QVERIFY(accounts.update(QStringLiteral("OLA"), QString(), QStringLiteral("Ola N.")));
        QCOMPARE(accounts.description(QStringLiteral("OLA")), QStringLiteral("Ola N."));
        QCOMPARE(accounts.login(QStringLiteral("ola"), QStringLiteral("pierwsze"), nullptr),
                 UserAccounts::LoginResult::LoggedIn);
        QVERIFY(accounts.update(QStringLiteral("OLA"), QStringLiteral("drugie"), QStringLiteral("Ola N.")));
        QCOMPARE(accounts.login(QStringLiteral("ola"), QStringLiteral("pierwsze"), nullptr),
                 UserAccounts::LoginResult::Refused);
        QCOMPARE(accounts.login(QStringLiteral("ola"), QStringLiteral("drugie"), nullptr),
                 UserAccounts::LoginResult::LoggedIn);
    }

    void removeDeletesRights()
    {
        UserAccounts accounts(*m_db);
        accounts.add(QStringLiteral("EWA"), QStringLiteral("abc"), QString());
        QVERIFY(accounts.remove(QStringLiteral("EWA")));
        QVERIFY(accounts.rightsOf(QStringLiteral("EWA")).isEmpty());
        QVERIFY(!m_db->exists(QStringLiteral("userzy"), QStringLiteral("NAZWA"), QStringLiteral("EWA")));
    }
};

QTEST_GUILESS_MAIN(TestUsers)
#include "test_users.moc"
