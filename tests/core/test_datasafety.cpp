#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Config.h"
#include "base/ErrorLog.h"
#include "store/DatabaseCheck.h"
#include "store/DatabaseLocation.h"
#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/PasswordHash.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"
#include "users/UserAccounts.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sqlcipher/sqlite3.h>

#include <csignal>

#ifdef Q_OS_LINUX
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {
QString scalar(SqlConnection& c, const QString& sql)
{
    Statement q(&c, QStringLiteral("t"), {sql});
    q.open();
    return q.eof() ? QString() : q.text(q.fieldNames().value(0));
}

QString scalar(TmyDataBase& db, const QString& sql)
{
    return scalar(db.DatabaseMain(), sql);
}

void resize(const QString& file, qint64 size)
{
    QFile f(file);
    QVERIFY(f.resize(size));
}

void write(const QString& file, const QByteArray& bytes)
{
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// File modes bind root only through another identity: while this lives the
// process works as "nobody" (the saved set-user-ID keeps the way back).
class OrdinaryUser
{
public:
    OrdinaryUser()
    {
#ifdef Q_OS_LINUX
        if (geteuid() == 0)
            m_dropped = setresgid(65534, 65534, 0) == 0 && setresuid(65534, 65534, 0) == 0;
#endif
    }
    ~OrdinaryUser()
    {
#ifdef Q_OS_LINUX
        if (m_dropped) {
            (void)setresuid(0, 0, 0);
            (void)setresgid(0, 0, 0);
        }
#endif
    }
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;

private:
    bool m_dropped = false;
};

#ifdef Q_OS_LINUX
// A writer killed in the middle of a transaction whose changed pages already
// reached the file: the journal beside it is hot. Answers the first row as it
// was before the killed update (empty when the kill went wrong).
QString leaveHotJournal(const QString& file, const QString& password)
{
    QString before;
    {
        SqlConnection c;
        c.open(file, password);
        c.exec(QStringLiteral(
            "CREATE TABLE zapas (a BLOB); WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL "
            "SELECT x+1 FROM n WHERE x<2000) INSERT INTO zapas SELECT randomblob(100) FROM n;"));
        before = scalar(c, QStringLiteral("SELECT hex(a) FROM zapas ORDER BY rowid LIMIT 1"));
    }
    const QByteArray path = file.toUtf8();
    const QByteArray key = password.toUtf8();
    const pid_t child = fork();
    if (child == 0) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_key(db, key.constData(), int(key.size()));
        // A small cache spills changed pages into the file before the end.
        sqlite3_exec(db, "PRAGMA cache_size=5; BEGIN; UPDATE zapas SET a = randomblob(100);", nullptr,
                     nullptr, nullptr);
        raise(SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
    const bool hot = WIFSIGNALED(status) && QFileInfo(file + QStringLiteral("-journal")).size() > 0;
    return hot ? before : QString();
}
#endif

void openToEveryone(const QString& path)
{
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                    QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                                    QFile::WriteOther | QFile::ExeOther);
}
} // namespace

class TestDataSafety : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    QStringList m_shown;

    QString file(const TestDatabase& d) const { return TmyDataBase::databaseFile(d.dir()); }
    DatabaseLocation::TestResult test(const QString& dir, const QString& password, DatabaseLocation* location)
    {
        location->set(dir, password);
        return location->test(true);
    }

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

    // A kill in the middle of a write leaves a hot journal. The database test
    // used to open read-only, could not roll it back and blamed the password.
    void hotJournalIsRolledBackByTheTest()
    {
#ifndef Q_OS_LINUX
        QSKIP("needs fork");
#else
        TestDatabase d;
        const QString before = leaveHotJournal(file(d), d.password());
        QVERIFY(!before.isEmpty());
        const QByteArray path = file(d).toUtf8();
        const QByteArray key = d.password().toUtf8();
        const QString journal = file(d) + QStringLiteral("-journal");
        QVERIFY(QFileInfo(journal).size() > 0);

        // What the old read-only test met.
        sqlite3* ro = nullptr;
        sqlite3_open_v2(path.constData(), &ro, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_key(ro, key.constData(), int(key.size()));
        QCOMPARE(sqlite3_exec(ro, "SELECT * FROM firmy", nullptr, nullptr, nullptr) & 0xff, SQLITE_READONLY);
        sqlite3_close(ro);

        DatabaseLocation location;
        QCOMPARE(test(d.dir(), d.password(), &location), DatabaseLocation::Ok);
        QVERIFY(!QFileInfo::exists(journal));
        SqlConnection c;
        c.open(file(d), d.password());
        QCOMPARE(scalar(c, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        QCOMPARE(scalar(c, QStringLiteral("SELECT hex(a) FROM zapas ORDER BY rowid LIMIT 1")), before);
        QCOMPARE(scalar(c, QStringLiteral("SELECT count(*) FROM userzy WHERE NAZWA='ADMIN'")),
                 QStringLiteral("1"));
        QVERIFY(m_config->logLines().isEmpty());
#endif
    }

    void damagedFilesAreToldApart_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("reason");
        QTest::newRow("zero length") << "zero" << int(DatabaseLocation::Damaged) << "plik jest pusty";
        QTest::newRow("cut at 1 KB") << "1k" << int(DatabaseLocation::Damaged)
                                     << "struktura pliku jest uszkodzona";
        QTest::newRow("cut in half") << "half" << int(DatabaseLocation::Damaged)
                                     << "struktura pliku jest uszkodzona";
        QTest::newRow("shorter than a page")
            << "500" << int(DatabaseLocation::Damaged) << "plik jest krótszy niż jedna strona bazy danych";
        QTest::newRow("not whole pages")
            << "odd" << int(DatabaseLocation::Damaged)
            << "rozmiar pliku nie jest wielokrotnością strony, plik jest obcięty";
        QTest::newRow("a text file") << "text" << int(DatabaseLocation::Damaged)
                                     << "zawartość pliku nie jest zaszyfrowaną bazą danych";
        QTest::newRow("a plain SQLite file") << "plain" << int(DatabaseLocation::Damaged)
                                             << "plik jest niezaszyfrowaną bazą danych innego programu";
        QTest::newRow("a folder named sprzetnik.db")
            << "folder" << int(DatabaseLocation::Damaged) << "w miejscu pliku bazy danych jest folder";
        QTest::newRow("wrong password") << "password" << int(DatabaseLocation::WrongPassword) << "";
        QTest::newRow("whole") << "none" << int(DatabaseLocation::Ok) << "";
    }
    void damagedFilesAreToldApart()
    {
        QFETCH(QString, damage);
        QFETCH(int, expected);
        QFETCH(QString, reason);
        TestDatabase d;
        const QString f = file(d);
        QString password = d.password();
        const qint64 size = QFileInfo(f).size();
        QVERIFY(size > 4 * DatabaseCheck::kPageSize);
        if (damage == QLatin1String("zero"))
            resize(f, 0);
        else if (damage == QLatin1String("1k"))
            resize(f, 1024);
        else if (damage == QLatin1String("half"))
            resize(f, size / 2 / 1024 * 1024);
        else if (damage == QLatin1String("500"))
            resize(f, 500);
        else if (damage == QLatin1String("odd"))
            resize(f, size - 100);
        else if (damage == QLatin1String("text"))
            write(f, QByteArray("To jest zwykły plik tekstowy, nie baza danych.\n").repeated(64).left(3072));
        else if (damage == QLatin1String("plain")) {
            QFile::remove(f);
            sqlite3* plain = nullptr; // no key: a plain file
            sqlite3_open_v2(f.toUtf8().constData(), &plain, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr);
            sqlite3_exec(plain, "CREATE TABLE firmy (IDFIRMY INTEGER)", nullptr, nullptr, nullptr);
            sqlite3_close(plain);
        } else if (damage == QLatin1String("folder")) {
            QFile::remove(f);
            QVERIFY(QDir().mkpath(f));
        } else if (damage == QLatin1String("password"))
            password = QStringLiteral("inne1");

        DatabaseLocation location;
        QCOMPARE(int(test(d.dir(), password, &location)), expected);
        QCOMPARE(location.lastCheck().reason, reason);
        if (expected == DatabaseLocation::Damaged) {
            QCOMPARE(
                location.problemText(),
                QStringLiteral("Plik bazy danych jest uszkodzony lub nie jest bazą danych programu: ") +
                    QDir::toNativeSeparators(f) + QStringLiteral(" (") + reason +
                    QStringLiteral("). Wskaż inną bazę danych albo załóż nową; uszkodzony plik pozostaje na "
                                   "dysku bez zmian."));
        }
        // One log line per failed test, however often the same failure is met again.
        QCOMPARE(location.test(true), DatabaseLocation::TestResult(expected));
        const QStringList log = m_config->logLines();
        QCOMPARE(log.size(), expected == DatabaseLocation::Ok ? 0 : 1);
        if (expected == DatabaseLocation::WrongPassword)
            QVERIFY2(log.first().endsWith(QStringLiteral("Błąd DB connection: file is encrypted or is not a "
                                                         "database l(9)")),
                     qPrintable(log.first()));
        QVERIFY(m_shown.isEmpty()); // the caller decides what to show
    }

    void readOnlyFileOrFolder_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::newRow("file") << false;
        QTest::newRow("folder") << true;
    }
    // A read-only database let the user in, and every write then failed with
    // the engine's English text.
    void readOnlyFileOrFolder()
    {
        QFETCH(bool, folder);
        TestDatabase d;
        openToEveryone(d.dir());
        openToEveryone(m_config->path());
        openToEveryone(m_config->path() + QStringLiteral("/debug"));
        openToEveryone(file(d));
        const QString target = folder ? d.dir() : file(d);
        const auto readOnly =
            QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther |
            (folder ? QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther : QFile::Permissions());
        QVERIFY(QFile::setPermissions(target, readOnly));

        DatabaseLocation location;
        DatabaseLocation::TestResult result;
        bool connected = true;
        {
            OrdinaryUser user;
            result = test(d.dir(), d.password(), &location);
            TmyDataBase db;
            connected = d.connect(db);
        }
        openToEveryone(d.dir());
        QCOMPARE(result, DatabaseLocation::ReadOnly);
        QVERIFY2(location.problemText().startsWith(QStringLiteral("Baza danych jest tylko do odczytu: ") +
                                                   QDir::toNativeSeparators(file(d)) + QStringLiteral(" (")),
                 qPrintable(location.problemText()));
        QCOMPARE(location.lastCheck().reason,
                 folder ? QStringLiteral("w folderze bazy danych nie można zakładać plików")
                        : QStringLiteral("plik bazy danych jest tylko do odczytu"));
        // The connection refuses it once, in Polish; the engine's text is in the log only.
        QVERIFY(!connected);
        QCOMPARE(m_shown.size(), 1);
        QVERIFY2(m_shown.first().contains(QStringLiteral("Baza danych jest tylko do odczytu")),
                 qPrintable(m_shown.first()));
        QVERIFY(!m_shown.first().contains(QLatin1String("readonly")));
        const QStringList log = m_config->logLines();
        QVERIFY2(log.last().contains(QStringLiteral("[0000000566]  attempt to write a readonly database")),
                 qPrintable(log.join('\n')));
    }

    // After a crash, a hot journal that a read-only folder keeps from being
    // rolled back was reported as a damaged file; the data is whole and the
    // folder's rights are the cause.
    void hotJournalInReadOnlyFolderIsReadOnly_data()
    {
        QTest::addColumn<bool>("fileToo");
        QTest::newRow("folder") << false;
        QTest::newRow("folder and file") << true;
    }
    void hotJournalInReadOnlyFolderIsReadOnly()
    {
#ifndef Q_OS_LINUX
        QSKIP("needs fork");
#else
        QFETCH(bool, fileToo);
        TestDatabase d;
        const QString before = leaveHotJournal(file(d), d.password());
        QVERIFY(!before.isEmpty());
        const QString journal = file(d) + QStringLiteral("-journal");
        openToEveryone(m_config->path());
        openToEveryone(m_config->path() + QStringLiteral("/debug"));
        openToEveryone(file(d));
        openToEveryone(journal);
        if (fileToo)
            QVERIFY(QFile::setPermissions(file(d), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        QVERIFY(QFile::setPermissions(d.dir(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther |
                                                   QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther));
        DatabaseLocation location;
        DatabaseLocation::TestResult result;
        bool connected = true;
        {
            OrdinaryUser user;
            result = test(d.dir(), d.password(), &location);
            TmyDataBase db;
            connected = d.connect(db);
        }
        openToEveryone(d.dir());
        openToEveryone(file(d));
        QCOMPARE(result, DatabaseLocation::ReadOnly);
        QCOMPARE(
            location.lastCheck().reason,
            QStringLiteral("ostatni zapis nie został dokończony, a do jego wycofania potrzebne jest prawo "
                           "zapisu"));
        QVERIFY2(location.problemText().startsWith(QStringLiteral("Baza danych jest tylko do odczytu: ")),
                 qPrintable(location.problemText()));
        QVERIFY(!connected);
        QCOMPARE(m_shown.size(), 1);
        QVERIFY2(m_shown.first().contains(QStringLiteral("Baza danych jest tylko do odczytu")),
                 qPrintable(m_shown.first()));
        // With the rights back the crash is rolled back and nothing was lost.
        QCOMPARE(location.test(true), DatabaseLocation::Ok);
        QVERIFY(!QFileInfo::exists(journal));
        SqlConnection c;
        c.open(file(d), d.password());
        QCOMPARE(scalar(c, QStringLiteral("SELECT hex(a) FROM zapas ORDER BY rowid LIMIT 1")), before);
#endif
    }

    void unreadableFileIsNoAccess()
    {
        TestDatabase d;
        openToEveryone(d.dir());
        QVERIFY(QFile::setPermissions(file(d), QFile::Permissions()));
        DatabaseLocation location;
        DatabaseLocation::TestResult result;
        {
            OrdinaryUser user;
            result = test(d.dir(), d.password(), &location);
        }
        QCOMPARE(result, DatabaseLocation::NoAccess);
        QCOMPARE(location.problemText(),
                 QStringLiteral("Brak uprawnień do odczytu pliku bazy danych: ") +
                     QDir::toNativeSeparators(file(d)) +
                     QStringLiteral(". Sprawdź uprawnienia albo wskaż inną bazę danych."));
    }

    // A missing or short config.dat logged "not an error l(8)" at every test
    // and showed the system's English text.
    void missingPasswordFileIsLoggedOnceInPolish_data()
    {
        QTest::addColumn<int>("size"); // -1: no file
        QTest::newRow("missing") << -1;
        QTest::newRow("short") << 100;
    }
    void missingPasswordFileIsLoggedOnceInPolish()
    {
        QFETCH(int, size);
        TestDatabase d;
        Config::setDatabaseLocation(d.dir());
        if (size >= 0)
            write(DatabaseLocation::passwordFilePath(),
                  DatabaseLocation::passwordRecord(d.password()).left(size));
        DatabaseLocation location;
        location.load();
        for (int i = 0; i < 4; ++i)
            QCOMPARE(location.test(true), DatabaseLocation::WrongPassword);
        QCOMPARE(m_shown.size(), 1);
        const QString name = QDir::toNativeSeparators(DatabaseLocation::passwordFilePath());
        QCOMPARE(m_shown.first(),
                 QStringLiteral("Błąd bazy danych / Wystąpił nieoczekiwany błąd. Orginalny komunikat: ") +
                     (size < 0 ? QStringLiteral("Brak pliku z hasłem bazy danych: ") + name
                               : QStringLiteral("Plik z hasłem bazy danych jest uszkodzony (za "
                                                "krótki): ") +
                                     name));
        const QStringList log = m_config->logLines();
        QCOMPARE(log.size(), 2);
        QVERIFY(log[0].contains(QLatin1String("[0000101749]")));
        QVERIFY2(
            log[1].endsWith(QStringLiteral("[0000003104]  Błąd DB connection: no database password l(8)")),
            qPrintable(log[1]));
        QVERIFY(!log.join(' ').contains(QLatin1String("not an error")));
    }

    // The existence check swallowed a locked database and answered "taken".
    void lockedDatabaseDuringTheExistenceCheck()
    {
        TestDatabase d;
        TmyDataBase db;
        QVERIFY(d.connect(db));
        sqlite3_busy_timeout(db.DatabaseMain().handle(), 50);
        SqlConnection other;
        other.open(file(d), d.password());
        other.exec(QStringLiteral("BEGIN EXCLUSIVE"));

        QVERIFY(db.exists(QStringLiteral("komputery"), QStringLiteral("NREWID"), QStringLiteral("K/1")));
        QVERIFY(db.lastCheckFailed());
        QCOMPARE(m_shown, QStringList{QStringLiteral("Błąd bazy danych / ") + ErrorLog::lockedFilesText()});
        QVERIFY(m_config->logLines().last().endsWith(QLatin1String("[0000002204]  database is locked")));

        m_shown.clear();
        UserAccounts accounts(db);
        QCOMPARE(accounts.add(QStringLiteral("nowy"), QStringLiteral("abc123"), QString()),
                 UserAccounts::AddResult::Failed);
        QCOMPARE(m_shown, QStringList{QStringLiteral("Błąd bazy danych / ") + ErrorLog::lockedFilesText()});

        other.exec(QStringLiteral("COMMIT"));
        m_shown.clear();
        QVERIFY(!db.exists(QStringLiteral("komputery"), QStringLiteral("NREWID"), QStringLiteral("K/1")));
        QVERIFY(!db.lastCheckFailed());
        QCOMPARE(accounts.add(QStringLiteral("nowy"), QStringLiteral("abc123"), QString()),
                 UserAccounts::AddResult::Added);
        QCOMPARE(accounts.add(QStringLiteral("NOWY"), QStringLiteral("abc123"), QString()),
                 UserAccounts::AddResult::Exists);
        QVERIFY(m_shown.isEmpty());
    }

    // A failure in the middle of a multi-row write leaves what was there.
    void failedWritesRollBack_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("write");
        QTest::addColumn<QString>("count");
        QTest::addColumn<qint64>("code");
        QTest::newRow("notes") << "BEFORE INSERT ON notatki WHEN NEW.IDNOTATKI=15"
                               << "notes"
                               << "SELECT count(*) || '/' || group_concat(OPIS, '|') FROM notatki"
                               << qint64(22);
        QTest::newRow("system parameters")
            << "BEFORE INSERT ON system WHEN NEW.ID=4"
            << "params"
            << "SELECT count(*) || '/' || group_concat(NUMBERPARAM) FROM system" << qint64(241022);
        QTest::newRow("property rows") << "BEFORE INSERT ON wlasciwosci WHEN NEW.LP=8"
                                       << "properties"
                                       << "SELECT count(*) FROM wlasciwosci" << qint64(0);
        QTest::newRow("property names") << "BEFORE INSERT ON nazwawlasciwosci WHEN NEW.LP=8"
                                        << "names"
                                        << "SELECT count(*) FROM nazwawlasciwosci" << qint64(2311);
        QTest::newRow("account and rights") << "BEFORE INSERT ON uprawnienia WHEN CAST(NEW.UPR AS INTEGER)=15"
                                            << "account"
                                            << "SELECT (SELECT count(*) FROM userzy) || '/' || "
                                               "(SELECT count(*) FROM uprawnienia)"
                                            << qint64(203);
        QTest::newRow("account removal") << "BEFORE DELETE ON uprawnienia"
                                         << "remove"
                                         << "SELECT (SELECT count(*) FROM userzy) || '/' || "
                                            "(SELECT count(*) FROM uprawnienia)"
                                         << qint64(205);
    }
    void failedWritesRollBack()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, write);
        QFETCH(QString, count);
        QFETCH(qint64, code);
        TestDatabase d(true);
        TmyDataBase db;
        QVERIFY(d.connect(db));
        UserAccounts accounts(db);
        if (write == QLatin1String("remove"))
            QCOMPARE(accounts.add(QStringLiteral("USUN"), QStringLiteral("abc123"), QString()),
                     UserAccounts::AddResult::Added);
        if (write == QLatin1String("params"))
            QVERIFY(db.saveSystemParams(SystemParams{}));
        const QString before = scalar(db, count);
        db.DatabaseMain().exec(QStringLiteral("CREATE TEMP TRIGGER blad ") + trigger +
                               QStringLiteral(" BEGIN SELECT RAISE(ABORT, 'test'); END"));
        bool ok = true;
        if (write == QLatin1String("notes")) {
            std::array<NoteSlot, 30> notes{};
            notes[0].opis = QStringLiteral("nowa");
            ok = db.saveNotes(notes);
        } else if (write == QLatin1String("params")) {
            SystemParams p;
            p.intervalDays = 99;
            ok = db.saveSystemParams(p);
        } else if (write == QLatin1String("properties")) {
            ok = db.createPropertyRows(QStringLiteral("K"),
                                       1); // an existing computer: the rows, not the owner, fail
        } else if (write == QLatin1String("names")) {
            ok = db.openPropertyNames(QStringLiteral("S"), 777);
        } else if (write == QLatin1String("account")) {
            ok = accounts.add(QStringLiteral("NOWY"), QStringLiteral("abc123"), QString()) ==
                 UserAccounts::AddResult::Added;
        } else {
            ok = accounts.remove(QStringLiteral("USUN"));
        }
        QVERIFY(!ok);
        QCOMPARE(scalar(db, count), before);
        QCOMPARE(scalar(db, QStringLiteral("SELECT 1")), QStringLiteral("1")); // no transaction is left open
        QVERIFY(sqlite3_get_autocommit(db.DatabaseMain().handle()));
        const QStringList log = m_config->logLines();
        if (code == 0)
            QVERIFY(log.isEmpty()); // the caller reports
        else
            QVERIFY2(log.last().endsWith(QStringLiteral("[") + ErrorLog::codeText(code) +
                                         QStringLiteral("]  test")),
                     qPrintable(log.join('\n')));
    }

    void rightsPageBoxIsReportedWhenItFails()
    {
        TestDatabase d;
        TmyDataBase db;
        QVERIFY(d.connect(db));
        UserAccounts accounts(db);
        QCOMPARE(accounts.add(QStringLiteral("JAN"), QStringLiteral("abc123"), QString()),
                 UserAccounts::AddResult::Added);
        QVERIFY(accounts.setRight(QStringLiteral("JAN"), 0, true));
        QVERIFY(accounts.setRight(QStringLiteral("JAN"), 0, true)); // once only
        QCOMPARE(scalar(db, QStringLiteral("SELECT count(*) FROM uprawnienia WHERE NAZWA='JAN' AND UPR='0'")),
                 QStringLiteral("1"));
        db.DatabaseMain().exec(QStringLiteral(
            "CREATE TEMP TRIGGER blad BEFORE DELETE ON uprawnienia BEGIN SELECT RAISE(ABORT, 'test'); END"));
        QVERIFY(!accounts.setRight(QStringLiteral("JAN"), 0, false));
        QVERIFY(accounts.rightsOf(QStringLiteral("JAN")).contains(0));
        QVERIFY(m_config->logLines().last().endsWith(QLatin1String("[0000000210]  test")));
        QCOMPARE(m_shown.size(), 1);
    }

    void newDatabaseHasAnAdminSaltOfItsOwn()
    {
        TestDatabase first;
        TestDatabase second(true);
        QStringList hashes;
        for (const TestDatabase* d : {&first, &second}) {
            SqlConnection c;
            c.open(file(*d), d->password());
            hashes << scalar(c, QStringLiteral("SELECT HASLO FROM userzy WHERE NAZWA='ADMIN'"));
            QVERIFY(PasswordHash::verify(QStringLiteral("kubol"), hashes.last().toLatin1()));
            QVERIFY(PasswordHash::isHash(hashes.last().toLatin1()));
        }
        QVERIFY(hashes[0] != hashes[1]);
        QVERIFY(!DatabaseTemplate::substitutePasswords(QStringLiteral("'{{HASLO:kubol}}'"))
                     .contains(QLatin1String("kubol")));
    }

    void engineTextsAreShownInPolish_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("shown");
        QTest::newRow("read-only")
            << "attempt to write a readonly database"
            << "Baza danych jest tylko do odczytu: nie można w niej nic zapisać. Program "
               "potrzebuje prawa zapisu do pliku bazy danych i do folderu, w którym leży.";
        QTest::newRow("malformed") << "database disk image is malformed"
                                   << "Plik bazy danych jest uszkodzony.";
        QTest::newRow("no table")
            << "no such table: komputery"
            << "W bazie danych brakuje tabeli lub kolumny, której program potrzebuje. Baza "
               "może pochodzić z innej wersji programu.";
        QTest::newRow("constraint")
            << "UNIQUE constraint failed: userzy.NAZWA"
            << "Zapis narusza reguły bazy danych (na przykład powtarza wartość, która musi "
               "być jedyna).";
        QTest::newRow("other engine text") << "SQL logic error or missing database"
                                           << "Wystąpił błąd bazy danych.";
        QTest::newRow("own Polish text") << "Nie można usunąć pliku /x"
                                         << "Nie można usunąć pliku /x";
    }
    void engineTextsAreShownInPolish()
    {
        QFETCH(QString, engine);
        QFETCH(QString, shown);
        ErrorLog::report(engine, true, 77);
        QCOMPARE(m_shown,
                 QStringList{QStringLiteral("Błąd bazy danych / Wystąpił nieoczekiwany błąd. Orginalny "
                                            "komunikat: ") +
                             shown});
        QVERIFY(m_config->logLines().last().endsWith(QStringLiteral("[0000000077]  ") + engine));
    }
};

QTEST_GUILESS_MAIN(TestDataSafety)
#include "test_datasafety.moc"
