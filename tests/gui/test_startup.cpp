#include "OlderDatabase.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Clock.h"
#include "base/Config.h"
#include "base/Dialogs.h"
#include "registers/TfMain.h"
#include "shell/ProgramWindows.h"
#include "shell/Startup.h"
#include "store/AppState.h"
#include "store/DatabaseLocation.h"
#include "store/TmyDataBase.h"
#include "users/TfLogin.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {
// Logs in through the dialog once it is shown.
void loginLater(const QString& user, const QString& password)
{
    QTimer::singleShot(20, [user, password] {
        auto* login = qobject_cast<TfLogin*>(QApplication::activeModalWidget());
        if (!login) {
            loginLater(user, password);
            return;
        }
        login->findChild<QLineEdit*>(QStringLiteral("user"))->setText(user);
        login->findChild<QLineEdit*>(QStringLiteral("pwd"))->setText(password);
        login->OKClick();
    });
}

// Answers the login dialog once it is shown, noting whether a main window
// existed behind it by then.
void answerLogin(const QString& user, const QString& password, bool* mainWindowBehind)
{
    QTimer::singleShot(20, [=] {
        auto* login = qobject_cast<TfLogin*>(QApplication::activeModalWidget());
        if (!login) {
            answerLogin(user, password, mainWindowBehind);
            return;
        }
        *mainWindowBehind = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<TfMain*>(w))
                *mainWindowBehind = true;
        if (user.isEmpty()) {
            login->reject();
            return;
        }
        login->findChild<QLineEdit*>(QStringLiteral("user"))->setText(user);
        login->findChild<QLineEdit*>(QStringLiteral("pwd"))->setText(password);
        login->OKClick();
    });
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        Config::global().reset();
        DatabaseLocation::global().set(QString(), QString());
        AppState::instance().logout();
        Dialogs::startScript();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        Clock::setFixed({});
        m_config.reset();
    }

    void closeQuestionFollowsTheOption()
    {
        TfMain main;
        TmyDataBase db;
        Startup startup(main, db);
        Config::global().set(QStringLiteral("pytajPrzedZamknieciem"), false);
        QVERIFY(startup.closeQuery());
        QCOMPARE(Dialogs::shown().size(), 0);
        Config::global().set(QStringLiteral("pytajPrzedZamknieciem"), true);
        Dialogs::setNextAnswer(false);
        QVERIFY(!startup.closeQuery());
        QCOMPARE(Dialogs::shown().last().text, QStringLiteral("Czy zakończyć pracę i zamknąć program?"));
        Dialogs::setNextAnswer(true);
        QVERIFY(startup.closeQuery());
    }

    void startUpLogsInAndLogsOut()
    {
        TestDatabase demo(true);
        DatabaseLocation::global().set(demo.dir(), demo.password());
        QVERIFY(DatabaseLocation::global().store());
        TfMain main;
        TmyDataBase db;
        Startup startup(main, db);
        Clock::setFixed(QDateTime(QDate(2026, 12, 9), QTime(8, 0)));

        loginLater(QStringLiteral("admin"), QStringLiteral("kubol"));
        QVERIFY(startup.runStartupSequence());
        QCOMPARE(AppState::instance().currentUser, QStringLiteral("ADMIN"));
        QVERIFY(AppState::instance().has(0));
        QCOMPARE(main.windowTitle(), QStringLiteral("Sprzetnik 2.8"));
        QCOMPARE(main.statusPanel(0)->text(), TmyDataBase::dateText(20261209));
        QVERIFY(!Config::global().flag(QStringLiteral("cbFirstLog")));
        {
            // Written at once: the next start shows no login hints even if nothing else is saved.
            Config onDisk;
            onDisk.load();
            QVERIFY(!onDisk.flag(QStringLiteral("cbFirstLog")));
        }
        QCOMPARE(main.currentPageName(), QStringLiteral("start"));
        // no scratch-pad file yet: the welcome line
        QCOMPARE(main.scratchPad()->toPlainText(), Startup::defaultScratchPadText());
        QVERIFY(main.action(QStringLiteral("MAdministracja"))->isEnabled());

        // logout and in again as an ordinary user: his rights only
        main.scratchPad()->setPlainText(QStringLiteral("zapisz mnie ąę"));
        loginLater(QStringLiteral("jnowak"), QStringLiteral("nowak123"));
        QVERIFY(startup.logout());
        QCOMPARE(AppState::instance().currentUser, QStringLiteral("JNOWAK"));
        QVERIFY(!AppState::instance().has(0));
        QVERIFY(!main.action(QStringLiteral("MAdministracja"))->isEnabled());
        QCOMPARE(main.scratchPad()->toPlainText(), QStringLiteral("zapisz mnie ąę"));
        QVERIFY(QFile::exists(Startup::scratchPadPath()));
    }

    void theLoginComesBeforeTheMainWindowIsBuilt()
    {
        TestDatabase demo(true);
        DatabaseLocation::global().set(demo.dir(), demo.password());
        QVERIFY(DatabaseLocation::global().store());
        {
            // Refused: the program ends without ever building its windows.
            ProgramWindows program;
            bool behind = true;
            answerLogin(QString(), QString(), &behind);
            QVERIFY(!program.startup().runStartupSequence());
            QVERIFY(!behind);
            QVERIFY(!program.hasMainWindow());
        }
        // Accepted: the window is built behind the login, ready before it is shown,
        // and its close question comes from the start-up.
        ProgramWindows program;
        bool behind = true;
        answerLogin(QStringLiteral("admin"), QStringLiteral("kubol"), &behind);
        QVERIFY(program.startup().runStartupSequence());
        QVERIFY(!behind);
        QVERIFY(program.hasMainWindow());
        TfMain& main = program.main();
        QVERIFY(!main.isVisible());
        QCOMPARE(main.windowTitle(), QStringLiteral("Sprzetnik 2.8"));
        QCOMPARE(main.scratchPad()->toPlainText(), Startup::defaultScratchPadText());
        QCOMPARE(main.currentPageName(), QStringLiteral("start"));
        QVERIFY(main.action(QStringLiteral("MAdministracja"))->isEnabled());
        Config::global().set(QStringLiteral("pytajPrzedZamknieciem"), true);
        Dialogs::setNextAnswer(false);
        main.close();
        QCOMPARE(Dialogs::shown().last().text, QStringLiteral("Czy zakończyć pracę i zamknąć program?"));
    }

    void loginUpgradesAnOlderDatabase()
    {
        OlderDatabase old(QStringLiteral("1.0.1"));
        DatabaseLocation::global().set(old.dir(), old.password());
        QVERIFY(DatabaseLocation::global().store());
        TfMain main;
        TmyDataBase db;
        Startup startup(main, db);
        loginLater(QStringLiteral("admin"), QStringLiteral("kubol"));
        QVERIFY(startup.runStartupSequence());
        QStringList upgrades;
        for (const Dialogs::Shown& shown : Dialogs::shown())
            if (shown.text.contains(QStringLiteral("zaktualizowana do wersji")))
                upgrades << shown.text.section(QLatin1Char(' '), -1);
        QCOMPARE(upgrades,
                 QStringList({QStringLiteral("1.0.2"), QStringLiteral("1.0.3"), QStringLiteral("1.0.4"),
                              QStringLiteral("1.0.5"), QStringLiteral("2.6"), QStringLiteral("2.7")}));
        // The backup parameters of the new system table are usable at once.
        SystemParams params;
        params.intervalDays = 12;
        QVERIFY(db.saveSystemParams(params));
        QCOMPARE(db.loadSystemParams().intervalDays, 12);
    }

    void firstLoginShowsTheListOrderProgress()
    {
        // A file that has never been opened by this version: its first login
        // gives every row of the large lists its sort key and shows how far it is.
        TestDatabase demo(true);
        DatabaseLocation::global().set(demo.dir(), demo.password());
        QVERIFY(DatabaseLocation::global().store());
        TfMain main;
        TmyDataBase db;
        Startup startup(main, db);
        QStringList labels;
        int maximum = 0;
        int value = 0;
        QTimer watch;
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (auto* dialog = main.findChild<QProgressDialog*>(QStringLiteral("ListOrderProgressDialog"))) {
                labels << dialog->labelText();
                maximum = dialog->maximum();
                value = dialog->value();
            }
        });
        watch.start();
        loginLater(QStringLiteral("admin"), QStringLiteral("kubol"));
        QVERIFY(startup.runStartupSequence());
        watch.stop();
        QVERIFY(!labels.isEmpty());
        QVERIFY(labels.first().startsWith(QStringLiteral("Przygotowywanie porządku list…")));
        QVERIFY(maximum > 0);
        QCOMPARE(value, maximum);
        QVERIFY(labels.last().endsWith(QStringLiteral("wiersz %1 z %1").arg(maximum)));
        // Gone once the work is done, and not made at the next login.
        QVERIFY(!main.findChild<QProgressDialog*>(QStringLiteral("ListOrderProgressDialog")));
        labels.clear();
        watch.start();
        loginLater(QStringLiteral("admin"), QStringLiteral("kubol"));
        QVERIFY(startup.logout());
        watch.stop();
        QVERIFY(labels.isEmpty());
    }

    void missingDatabaseShowsTheGuideThenGivesUp()
    {
        TfMain main;
        TmyDataBase db;
        Startup startup(main, db);
        int guides = 0, dialogs = 0;
        startup.setTutorial([&] { ++guides; });
        startup.setDatabaseDialog([&] {
            ++dialogs;
            return false;
        });
        QVERIFY(!startup.runStartupSequence());
        QCOMPARE(guides, 1);
        QCOMPARE(dialogs, 1);
        QCOMPARE(Dialogs::shown().last().text,
                 QStringLiteral(
                     "Nie udało się określić lokalizacji i hasła bazy danych. Program zostanie zamknięty."));
    }

    void wrongStoredPasswordShowsTheProblemDialog()
    {
        TestDatabase database;
        DatabaseLocation::global().set(database.dir(), QStringLiteral("inne"));
        DatabaseLocation::global().store();
        TfMain main;
        TmyDataBase db;
        Startup startup(main, db);
        int guides = 0, dialogs = 0;
        startup.setTutorial([&] { ++guides; });
        startup.setDatabaseDialog([&] {
            ++dialogs;
            // the user types the right password in the database dialog
            DatabaseLocation::global().set(database.dir(), database.password());
            DatabaseLocation::global().store();
            return true;
        });
        // The wrong key is found by the login's "OK", not before the login shows.
        int shownBeforeLogin = -1, dialogsAfterOk = -1;
        bool loginStillOpen = false;
        QString userAfterOk = QStringLiteral("?"), typedAfterOk = QStringLiteral("?");
        QTimer::singleShot(20, [&] {
            auto* login = qobject_cast<TfLogin*>(QApplication::activeModalWidget());
            QVERIFY(login);
            shownBeforeLogin = int(Dialogs::shown().size());
            login->findChild<QLineEdit*>(QStringLiteral("user"))->setText(QStringLiteral("ADMIN"));
            login->findChild<QLineEdit*>(QStringLiteral("pwd"))->setText(QStringLiteral("kubol"));
            login->OKClick();
            dialogsAfterOk = dialogs;
            loginStillOpen = login->isVisible();
            userAfterOk = login->user() + AppState::instance().currentUser;
            typedAfterOk = login->findChild<QLineEdit*>(QStringLiteral("user"))->text();
            // then the login again, on the database the dialog gave
            loginLater(QStringLiteral("ADMIN"), QStringLiteral("kubol"));
        });
        QVERIFY(startup.runStartupSequence());
        QCOMPARE(shownBeforeLogin, 0);
        QCOMPARE(guides, 0);
        QCOMPARE(dialogsAfterOk, 1);
        QVERIFY(loginStillOpen);
        QCOMPARE(userAfterOk, QString()); // nobody logged in with the wrong key
        QCOMPARE(typedAfterOk, QString());
        QCOMPARE(Dialogs::shown().first().kind, Dialogs::Kind::DbProblem);
        // The refusal is told once, as the database problem, not also as an open error.
        for (const Dialogs::Shown& shown : Dialogs::shown())
            QVERIFY2(shown.title != QStringLiteral("Błąd bazy danych"), qPrintable(shown.text));
        QCOMPARE(m_config->logLines().filter(QStringLiteral("[0000003104]")).size(), 1);
        QCOMPARE(AppState::instance().currentUser, QStringLiteral("ADMIN"));
        QCOMPARE(db.directory(), QDir::cleanPath(database.dir()));
    }

    void wrongStoredPasswordNotMendedEndsTheProgramAfterTheLogin()
    {
        TestDatabase database;
        DatabaseLocation::global().set(database.dir(), QStringLiteral("inne"));
        DatabaseLocation::global().store();
        TfMain main;
        TmyDataBase db;
        Startup startup(main, db);
        int dialogs = 0;
        startup.setDatabaseDialog([&] {
            ++dialogs;
            return false;
        });
        loginLater(QStringLiteral("ADMIN"), QStringLiteral("kubol"));
        QVERIFY(!startup.runStartupSequence());
        QCOMPARE(dialogs, 1);
        QCOMPARE(Dialogs::shown().size(), 2);
        QCOMPARE(Dialogs::shown().first().kind, Dialogs::Kind::DbProblem);
        QCOMPARE(Dialogs::shown().last().text,
                 QStringLiteral(
                     "Nie udało się określić lokalizacji i hasła bazy danych. Program zostanie zamknięty."));
        QVERIFY(AppState::instance().currentUser.isEmpty());
    }

    void unknownPasswordIsToldBeforeTheLogin()
    {
        // A location without config.dat: no password to try, known without the key.
        TestDatabase database;
        DatabaseLocation::global().set(database.dir(), database.password());
        QVERIFY(DatabaseLocation::global().store());
        QVERIFY(QFile::remove(DatabaseLocation::passwordFilePath()));
        TfMain main;
        TmyDataBase db;
        Startup startup(main, db);
        int guides = 0, dialogs = 0;
        startup.setTutorial([&] { ++guides; });
        startup.setDatabaseDialog([&] {
            ++dialogs;
            return false;
        });
        // Told before the login: a login shown is refused and noted.
        bool loginShown = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (auto* login = qobject_cast<TfLogin*>(QApplication::activeModalWidget())) {
                loginShown = true;
                login->reject();
            }
        });
        watch.start(20);
        QVERIFY(!startup.runStartupSequence());
        QVERIFY(!loginShown);
        QCOMPARE(guides, 0);
        QCOMPARE(dialogs, 1);
        QVERIFY(DatabaseLocation::global().password().isEmpty());
        QCOMPARE(m_config->logLines().filter(QStringLiteral("[0000101749]")).size(), 1);
        const auto& shown = Dialogs::shown();
        QVERIFY(std::any_of(shown.begin(), shown.end(),
                            [](const Dialogs::Shown& s) { return s.kind == Dialogs::Kind::DbProblem; }));
        QCOMPARE(Dialogs::shown().last().text,
                 QStringLiteral(
                     "Nie udało się określić lokalizacji i hasła bazy danych. Program zostanie zamknięty."));
    }

    void rightsOnTheNavigation()
    {
        TfMain main;
        Rights r{};
        main.applyRights(r);
        QVERIFY(!main.navigationButton(QStringLiteral("SBKomputery"))->isEnabled());
        QVERIFY(!main.navigationButton(QStringLiteral("SBDodatkowe"))->isEnabled());
        QVERIFY(main.navigationButton(QStringLiteral("SBFirmy"))->isEnabled()); // always
        r[9] = r[20] = true;
        main.applyRights(r);
        QVERIFY(main.navigationButton(QStringLiteral("SBDodatkowe"))->isEnabled());
        main.SBDodatkoweClick();
        QCOMPARE(main.currentPageName(), QStringLiteral("Dodatkowe/DodatkoweNaprawy"));
        r[1] = true;
        main.applyRights(r);
        QVERIFY(main.navigationButton(QStringLiteral("SBKomputery"))->isEnabled());
        QVERIFY(main.action(QStringLiteral("MKomputery"))->isEnabled());
    }

    void dueNotes()
    {
        std::array<NoteSlot, 30> notes{};
        notes[0] = {QStringLiteral("16-12-2026"), QStringLiteral("za tydzień"), {}};
        notes[1] = {QStringLiteral("17-12-2026"), QStringLiteral("za 8 dni"), {}};
        notes[2] = {QStringLiteral("06-12-2026"), QStringLiteral("3 dni temu"), {}};
        notes[3] = {QStringLiteral("05-12-2026"), QStringLiteral("4 dni temu"), {}};
        notes[4] = {QStringLiteral("09-12-2026"), QStringLiteral("   "), {}}; // blank text: never shown
        notes[5] = {QStringLiteral("  -  -    "), QStringLiteral("bez daty"), {}};
        const QDate today(2026, 12, 9);
        QCOMPARE(Startup::dueNotes(notes, today, 7, 3), (QList<int>{1, 3}));
        QCOMPARE(Startup::dueNotes(notes, today, 7, 0), (QList<int>{1, 3, 4}));
    }

    void supportMail()
    {
        QVERIFY(Startup::supportMailUrl().startsWith(QStringLiteral("mailto:")));
        QVERIFY(
            Startup::supportMailUrl().contains(QStringLiteral("?subject=Pomoc%20techniczna%20( 2.8)&body=")));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
