// A database on a server as the user reaches it: the database dialog's
// server page (a new database made in an empty one, a missing one created,
// refusals told in Polish), the address kept with its password enciphered,
// the login on it, and a connection lost in the middle of the work.
#include "TestServer.h"
#include "TestSupport.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "base/IniFile.h"
#include "maintenance/BackupRing.h"
#include "maintenance/DatabaseSnapshot.h"
#include "shell/ConnectionLostNotice.h"
#include "shell/TfWskazBaze.h"
#include "store/DatabaseLocation.h"
#include "store/DatabaseTemplate.h"
#include "store/SchemaUpgrades.h"
#include "store/ServerDatabase.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"
#include "users/TfLogin.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

namespace {
template <typename T> T* child(QWidget* parent, const char* name)
{
    T* widget = parent->findChild<T*>(QLatin1String(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

QStringList shownTexts()
{
    QStringList texts;
    for (const Dialogs::Shown& shown : Dialogs::shown())
        texts.append(shown.title + QStringLiteral(" / ") + shown.text);
    return texts;
}

// The dialog on its server page with the address typed in.
void fillServerPage(TfWskazBaze& dialog, const ServerAddress& address, bool sample = false)
{
    dialog.show();
    child<QRadioButton>(&dialog, "rbSerwer")->setChecked(true);
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    QCOMPARE(dialog.currentPage(), int(TfWskazBaze::ServerPage));
    QCOMPARE(child<QPushButton>(&dialog, "dalej")->text(), QStringLiteral("&Połącz >>"));
    QVERIFY(!child<QPushButton>(&dialog, "dalej")->isEnabled()); // nothing typed yet
    child<QLineEdit>(&dialog, "SerwerAdres")->setText(address.host);
    child<QSpinBox>(&dialog, "SerwerPort")->setValue(address.port);
    child<QLineEdit>(&dialog, "SerwerBaza")->setText(address.database);
    child<QLineEdit>(&dialog, "SerwerUzytkownik")->setText(address.user);
    child<QLineEdit>(&dialog, "SerwerHaslo")->setText(address.password);
    child<QCheckBox>(&dialog, "cbSerwerTLS")->setChecked(address.requireTls);
    child<QCheckBox>(&dialog, "cbDEMOSerwer")->setChecked(sample);
    QVERIFY(child<QPushButton>(&dialog, "dalej")->isEnabled());
}

qint64 count(const ServerAddress& address, const QString& table)
{
    SqlConnection connection;
    connection.openServer(address);
    Statement q(&connection, QStringLiteral("count"), {QStringLiteral("SELECT COUNT(*) AS N FROM ") + table});
    q.open();
    return q.integer(QStringLiteral("N"));
}

bool loginAsAdmin(TmyDataBase& db, const DatabaseTarget& target)
{
    TfLogin login(db);
    login.setDatabase(target);
    login.prepare();
    login.show();
    child<QLineEdit>(&login, "user")->setText(QStringLiteral("ADMIN"));
    child<QLineEdit>(&login, "pwd")->setText(QStringLiteral("kubol"));
    login.OKClick();
    return login.result() == QDialog::Accepted && login.user() == QLatin1String("ADMIN");
}
} // namespace

class TestServerConnection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Dialogs::install(); }
    void init();
    void cleanup();
    void tablesMadeInEmptyDatabaseThenLogin();
    void missingDatabaseCreatedWhenAsked();
    void missingDatabaseLeftWhenAnsweredNo();
    void refusalsToldInPolish_data();
    void refusalsToldInPolish();
    void startupTestOfServer();
    void serverAddressKeptEnciphered();
    void lostConnectionRetried();
    void lostConnectionChoosesAgain();

private:
    std::unique_ptr<TempConfig> m_config;
    QList<ServerAddress> m_made;
};

void TestServerConnection::init()
{
    if (!TestServer::available())
        QSKIP("no test database server in this run");
    m_config = std::make_unique<TempConfig>();
    DatabaseLocation::global().set({}, {});
    Dialogs::startScript();
}

void TestServerConnection::cleanup()
{
    Dialogs::stopScript();
    DatabaseLocation::global().set({}, {});
    for (const ServerAddress& address : std::as_const(m_made))
        TestServer::dropDatabase(address);
    m_made.clear();
    m_config.reset();
}

void TestServerConnection::tablesMadeInEmptyDatabaseThenLogin()
{
    const ServerAddress address = TestServer::createDatabase();
    m_made << address;
    TfWskazBaze dialog;
    fillServerPage(dialog, address, true);
    Dialogs::setNextAnswer(true);
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);

    const QStringList shown = shownTexts();
    QCOMPARE(shown.size(), 2);
    QVERIFY2(shown[0].startsWith(QStringLiteral("Pytanie / Baza danych ") + address.database +
                                 QStringLiteral(" na serwerze jest pusta")),
             qPrintable(shown[0]));
    QVERIFY2(shown[1].startsWith(
                 QStringLiteral("Informacja / Zakładanie nowej bazy i przykładowych danych zakończyło się "
                                "sukcesem.")),
             qPrintable(shown[1]));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(count(address, QStringLiteral("komputery")) > 0);

    DatabaseLocation& location = DatabaseLocation::global();
    QVERIFY(location.onServer());
    QCOMPARE(location.test(true), DatabaseLocation::Ok);
    const DatabaseTarget target = location.target();
    QVERIFY(target.onServer());
    QCOMPARE(target.server->database, address.database);

    TmyDataBase db;
    QVERIFY(loginAsAdmin(db, target));
    // The upgrades at login find a database made at the current version:
    // nothing to do, nothing to say, no copies of tables beside it.
    QStringList told;
    SchemaUpgrades upgrades(db, target.directory, {},
                            [&](const QString& title, const QString& text) { told << title + text; });
    upgrades.run();
    QCOMPARE(told, QStringList());
    // The automatic backup after login copies the server's rows into the
    // folder beside the database, keyed with the remembered database
    // password. With none remembered, it asks for one, typed twice, and
    // remembers it; given none, the backup stays owed.
    SystemParams due = db.loadSystemParams();
    due.lastBackupDate = 20000101;
    due.askFirst = false;
    QVERIFY(db.saveSystemParams(due));
    QCOMPARE(DatabaseLocation::global().password(), QString());
    const qsizetype before = shownTexts().size();
    BackupRing::automaticBackupCheck(db, {}, true);
    QCOMPARE(db.loadSystemParams().lastBackupDate, 20000101);
    for (const char* typed : {"ab", "tajne1", "tajne2", "tajne1", "tajne1"})
        Dialogs::setNextText(QString::fromLatin1(typed));
    BackupRing::automaticBackupCheck(db, {}, true);
    const QStringList asked = shownTexts().mid(before);
    QVERIFY2(asked.contains(QStringLiteral("Informacja / Hasło zbyt krótkie (minimum 3 znaki).")),
             qPrintable(asked.join(QLatin1Char('\n'))));
    QVERIFY(asked.contains(QStringLiteral("Informacja / Podane hasła nie są zgodne.")));
    QVERIFY(Dialogs::shown().last().password);
    QCOMPARE(DatabaseLocation::global().password(), QStringLiteral("tajne1"));
    const QString backup = QDir(BackupRing::folder(target.directory, 1)).filePath(kDatabaseFileName);
    QCOMPARE(DatabaseSnapshot::check(backup, QStringLiteral("tajne1")), DatabaseSnapshot::Check::Ok);
    QVERIFY(db.loadSystemParams().lastBackupDate > 20000101);
    DatabaseLocation::global().load();
    QCOMPARE(DatabaseLocation::global().password(), QStringLiteral("tajne1"));
    QVERIFY(!QFile::exists(SchemaUpgrades::backupCopyPath(target.directory, QStringLiteral("naprawy"))));
    QVERIFY(db.reloadList(QStringLiteral("DBFKomputery")));
    QVERIFY(db.statement(QStringLiteral("DBFKomputery")).recordCount() > 0);

    // The dialog again: the server is the current database.
    TfWskazBaze again;
    again.show();
    QCOMPARE(child<QLineEdit>(&again, "lokalizacja2")->text(), address.display());
    QVERIFY(child<QPushButton>(&again, "logowanie")->isEnabled());
}

void TestServerConnection::missingDatabaseCreatedWhenAsked()
{
    ServerAddress address =
        TestServer::address(QStringLiteral("nowa_%1").arg(QCoreApplication::applicationPid()));
    m_made << address;
    TestServer::dropDatabase(address);
    TfWskazBaze dialog;
    fillServerPage(dialog, address, false);
    Dialogs::setNextAnswer(true);
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);

    const QStringList shown = shownTexts();
    QCOMPARE(shown.size(), 2);
    QVERIFY2(shown[0].contains(QStringLiteral("nie ma bazy danych ") + address.database),
             qPrintable(shown[0]));
    QVERIFY2(shown[1].startsWith(QStringLiteral("Informacja / Zakładanie nowej bazy danych zakończyło się")),
             qPrintable(shown[1]));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(ServerDatabase::probe(address).state, ServerDatabase::State::Ready);
    QCOMPARE(count(address, QStringLiteral("komputery")), 0);
    QCOMPARE(count(address, QStringLiteral("userzy")), 1);
}

void TestServerConnection::missingDatabaseLeftWhenAnsweredNo()
{
    const ServerAddress address =
        TestServer::address(QStringLiteral("brak_%1").arg(QCoreApplication::applicationPid()));
    TfWskazBaze dialog;
    fillServerPage(dialog, address);
    Dialogs::setNextAnswer(false);
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    QCOMPARE(dialog.currentPage(), int(TfWskazBaze::ServerPage));
    QVERIFY(dialog.isVisible());
    QCOMPARE(ServerDatabase::probe(address).state, ServerDatabase::State::NoDatabase);
    QVERIFY(!DatabaseLocation::global().onServer());
    // A name that could not be written into a statement is refused before the server sees it.
    QVERIFY(!ServerDatabase::plainName(QStringLiteral("x; DROP DATABASE postgres")));
    QVERIFY(!ServerDatabase::plainName(QStringLiteral("9baza")));
    QVERIFY(!ServerDatabase::plainName(QStringLiteral("bazała")));
    QVERIFY(ServerDatabase::plainName(QStringLiteral("sprzetnik_2026")));
}

void TestServerConnection::refusalsToldInPolish_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("expected");
    QTest::newRow("wrong password") << "password"
                                    << "odrzucił użytkownika lub hasło";
    QTest::newRow("nobody listens") << "port"
                                    << "Nie można połączyć się z serwerem bazy danych";
    QTest::newRow("another program's tables") << "foreign"
                                              << "nie jest bazą tego programu";
    QTest::newRow("TLS refused") << "tls"
                                 << "nie zgodził się na połączenie szyfrowane";
}

void TestServerConnection::refusalsToldInPolish()
{
    QFETCH(QString, fault);
    QFETCH(QString, expected);
    ServerAddress address = TestServer::createDatabase();
    m_made << address;
    if (fault == QLatin1String("password"))
        address.password += QStringLiteral("x");
    else if (fault == QLatin1String("port"))
        address.port = 1; // nobody listens there
    else if (fault == QLatin1String("tls"))
        address.requireTls = true; // the test server has no certificate
    else {
        SqlConnection other;
        other.openServer(address);
        other.exec(QStringLiteral("CREATE TABLE faktury (id INTEGER PRIMARY KEY, kwota NUMERIC)"));
    }
    TfWskazBaze dialog;
    fillServerPage(dialog, address, true);
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);

    const QStringList shown = shownTexts();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].startsWith(QStringLiteral("Błąd bazy danych / ")) && shown[0].contains(expected),
             qPrintable(shown[0]));
    // The client library's English stays in the log.
    for (const char* english : {"FATAL", "password authentication", "Connection refused", "SSL", "server"})
        QVERIFY2(!shown[0].contains(QLatin1String(english)), qPrintable(shown[0]));
    QCOMPARE(dialog.currentPage(), int(TfWskazBaze::ServerPage));
    QVERIFY(dialog.isVisible());
    QVERIFY(!DatabaseLocation::global().onServer());
    if (fault == QLatin1String("foreign")) {
        // Nothing was made beside the other program's table.
        SqlConnection check;
        check.openServer(TestServer::address(address.database));
        QCOMPARE(DatabaseTemplate::tables(check), QStringList{QStringLiteral("faktury")});
    }
}

void TestServerConnection::startupTestOfServer()
{
    const ServerAddress address = TestServer::createDatabase();
    m_made << address;
    DatabaseLocation& location = DatabaseLocation::global();
    location.setServer(address);
    // Empty: as no database, so the start-up opens the database dialog.
    QCOMPARE(location.test(true), DatabaseLocation::NoDatabase);
    QVERIFY(location.problemText().contains(QStringLiteral("jest pusta")));

    DatabaseTemplate::createOnServer(address, false);
    QCOMPARE(location.testWithoutKey(), DatabaseLocation::Ok);
    QCOMPARE(location.target().directory, DatabaseLocation::serverFolder());

    ServerAddress wrong = address;
    wrong.password = QStringLiteral("zle");
    location.setServer(wrong);
    QCOMPARE(location.test(true), DatabaseLocation::WrongPassword);
    QVERIFY(location.problemText().contains(QStringLiteral("odrzucił")));
    // One log line for the same failure found twice.
    const qsizetype lines = m_config->logLines().size();
    QCOMPARE(location.test(true), DatabaseLocation::WrongPassword);
    QCOMPARE(m_config->logLines().size(), lines);
    QVERIFY(!m_config->logLines().isEmpty());
    QVERIFY2(m_config->logLines().last().contains(QLatin1String("password authentication failed")),
             qPrintable(m_config->logLines().join(QLatin1Char('\n'))));

    TmyDataBase db;
    TfLogin login(db);
    login.setDatabase(location.target());
    login.prepare();
    child<QLineEdit>(&login, "user")->setText(QStringLiteral("ADMIN"));
    child<QLineEdit>(&login, "pwd")->setText(QStringLiteral("kubol"));
    login.OKClick();
    QVERIFY(!db.isConnected());
    QVERIFY(!shownTexts().isEmpty());
    QVERIFY(shownTexts().last().contains(QStringLiteral("odrzucił użytkownika lub hasło")));
}

void TestServerConnection::serverAddressKeptEnciphered()
{
    ServerAddress address = TestServer::address(QStringLiteral("biuro"));
    address.host = QStringLiteral("serwer.firma.local");
    address.port = 5433;
    address.user = QStringLiteral("kadry");
    address.password = QStringLiteral("Zażółć9gęślą");
    address.requireTls = true;
    DatabaseLocation& location = DatabaseLocation::global();
    location.set(QStringLiteral("/srv/baza"), QStringLiteral("plik123"));
    location.setServer(address);
    QVERIFY(location.store());

    const QString ini = QString::fromUtf8([] {
        QFile f(Config::filePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }());
    QVERIFY(ini.contains(QStringLiteral("serwerAdres=serwer.firma.local")));
    QVERIFY(!ini.contains(address.password));
    QFile record(DatabaseLocation::serverPasswordFilePath());
    QVERIFY(record.open(QIODevice::ReadOnly));
    const QByteArray bytes = record.readAll();
    QCOMPARE(bytes.size(), DatabaseLocation::kPasswordFileSize);
    QVERIFY(!bytes.contains(address.password.toUtf8()));
    QVERIFY(!bytes.contains("Za"));

    location.set({}, {});
    location.load();
    QVERIFY(location.onServer());
    QCOMPARE(location.server().host, address.host);
    QCOMPARE(location.server().port, 5433);
    QCOMPARE(location.server().database, QStringLiteral("biuro"));
    QCOMPARE(location.server().user, QStringLiteral("kadry"));
    QCOMPARE(location.server().password, address.password);
    QVERIFY(location.server().requireTls);
    // The folder and its password stay for a return to the file.
    QCOMPARE(location.location(), QStringLiteral("/srv/baza"));
    QCOMPARE(location.password(), QStringLiteral("plik123"));

    location.set(QStringLiteral("/srv/baza"), QStringLiteral("plik123"));
    QVERIFY(location.store());
    location.load();
    QVERIFY(!location.onServer());
    QVERIFY(!location.target().onServer());
}

namespace {
// Ends the data module's session on the server from another connection.
void killSession(const ServerAddress& address, TmyDataBase& db)
{
    Statement& pid = db.mySQL();
    pid.clear();
    pid.add(QStringLiteral("SELECT pg_backend_pid() AS PID"));
    pid.open();
    const qint64 backend = pid.integer(QStringLiteral("PID"));
    pid.close();
    SqlConnection admin;
    admin.openServer(address);
    Statement kill(&admin, QStringLiteral("kill"), {QStringLiteral("SELECT pg_terminate_backend(:P)")});
    kill.setParam(QStringLiteral("P"), QString::number(backend));
    kill.open();
}
} // namespace

void TestServerConnection::lostConnectionRetried()
{
    const ServerAddress address = TestServer::createDatabase();
    m_made << address;
    DatabaseTemplate::createOnServer(address, true);
    TmyDataBase db;
    DatabaseTarget target{DatabaseLocation::serverFolder(), {}, address};
    TmyDataBase::ConnectFailure failure;
    QVERIFY(db.connectTo(target, &failure));
    int chosen = 0;
    ConnectionLostNotice notice(db, [&] { ++chosen; });
    const qint64 before = db.maxKey(QStringLiteral("komputery"), QStringLiteral("IDKOMPUTERA"));
    QVERIFY(before > 0);

    killSession(address, db);
    QCOMPARE(db.maxKey(QStringLiteral("komputery"), QStringLiteral("IDKOMPUTERA")), qint64(-1));
    // Told once the failed operation is over, not in its middle.
    const QStringList atFailure = shownTexts();
    QVERIFY2(atFailure.last().contains(QStringLiteral("Połączenie z serwerem bazy danych zostało przerwane")),
             qPrintable(atFailure.last()));
    Dialogs::setNextAnswer(true);
    QTRY_COMPARE(shownTexts().size(), atFailure.size() + 2);
    const QStringList shown = shownTexts();
    QCOMPARE(shown[atFailure.size()],
             QStringLiteral("Błąd bazy danych / ") + ConnectionLostNotice::lostText(address.display()));
    QVERIFY(shown.last().startsWith(QStringLiteral("Informacja / Połączenie z serwerem bazy danych zostało "
                                                   "przywrócone.")));
    QCOMPARE(chosen, 0);
    QCOMPARE(db.maxKey(QStringLiteral("komputery"), QStringLiteral("IDKOMPUTERA")), before);
}

void TestServerConnection::lostConnectionChoosesAgain()
{
    const ServerAddress address = TestServer::createDatabase();
    m_made << address;
    DatabaseTemplate::createOnServer(address, false);
    TmyDataBase db;
    TmyDataBase::ConnectFailure failure;
    QVERIFY(db.connectTo(DatabaseTarget{DatabaseLocation::serverFolder(), {}, address}, &failure));
    int chosen = 0;
    ConnectionLostNotice notice(db, [&] { ++chosen; });
    const qint64 notes = count(address, QStringLiteral("notatki"));
    killSession(address, db);
    // A write in progress: the server rolls it back, nothing is half written.
    QVERIFY(!db.saveNotes({}));
    Dialogs::setNextAnswer(false);
    QTRY_COMPARE(chosen, 1);
    QVERIFY(db.reconnect(&failure));
    QCOMPARE(count(address, QStringLiteral("notatki")), notes);
}

QTEST_MAIN(TestServerConnection)
#include "test_serverconnection.moc"
