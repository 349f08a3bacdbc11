#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "registers/TfMain.h"
#include "registers/TfMainUi.h"
#include "registers/ToolbarRules.h"
#include "shell/MainCommands.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

// A command whose feature is not built is disabled, never dead, and a page
// without its feature says that it is coming.
class TestUnbuiltCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfMain> m_main;
    std::unique_ptr<MainCommands> m_commands;

    QPushButton* button(const char* name) { return m_main->navigationButton(QLatin1String(name)); }
    QAction* action(const char* name) { return m_main->action(QLatin1String(name)); }
    void loginWithEveryRight()
    {
        Rights r{};
        r.fill(true);
        AppState::instance().currentUser = QStringLiteral("ADMIN");
        AppState::instance().rights = r;
        m_main->applyRights(r);
    }

private slots:
    void initTestCase() { Dialogs::install(); }
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        m_main = std::make_unique<TfMain>(nullptr, m_db.get());
        m_commands = std::make_unique<MainCommands>(*m_main, *m_db);
        Dialogs::startScript();
        loginWithEveryRight();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        AppState::instance().logout();
        m_commands.reset();
        m_main.reset();
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void menuItemsOfEveryWindowFollowTheRights()
    {
        for (const QString& name : ToolbarRules::notBuiltYet())
            QVERIFY2(!m_main->action(name)->isEnabled(), qPrintable(name));
        // With every right the windows of the menus can be opened.
        for (const char* name :
             {"MUzytkownicy", "MSlowniki", "Notatnik1", "MSprawdzTerminy", "MHurtowaDeaktywacja", "MOpcje",
              "zmianaOdpowiedzialnej", "MPoradaDnia", "MSprawdzBhp", "MSprawdzMagazyn", "MImportPracownikow"})
            QVERIFY2(action(name)->isEnabled(), name);
        // Archives and the administration of the database work on either backend.
        QVERIFY(action("MArchiwizacja")->isEnabled());
        QVERIFY(action("MAdministracjaBaza")->isEnabled());
    }

    void recordCommandsFollowTheRegister_data()
    {
        QTest::addColumn<QString>("enter");
        QTest::addColumn<QStringList>("disabled");
        QTest::addColumn<QStringList>("enabled");
        QTest::newRow("computers") << "SBKomputery" << QStringList{}
                                   << QStringList{"SBDodaj",  "SBEdytuj", "SBPodglad", "SBKopiuj",
                                                  "SBSzukaj", "SBCSV",    "SBDrukuj",  "SBSumy"};
        QTest::newRow("equipment") << "SBSprzet" << QStringList{}
                                   << QStringList{"SBDodaj", "SBEdytuj", "SBPodglad", "SBKopiuj"};
        // Repairs are edited and previewed, not added from the register.
        QTest::newRow("repairs") << "SBNaprawy" << QStringList{"SBDodaj", "SBKopiuj"}
                                 << QStringList{"SBEdytuj", "SBPodglad"};
    }
    void recordCommandsFollowTheRegister()
    {
        QFETCH(QString, enter);
        QFETCH(QStringList, disabled);
        QFETCH(QStringList, enabled);
        m_main->navigationButton(enter)->click();
        for (const QString& name : disabled)
            QVERIFY2(!m_main->navigationButton(name)->isEnabled(), qPrintable(name));
        for (const QString& name : enabled)
            QVERIFY2(m_main->navigationButton(name)->isEnabled(), qPrintable(name));
    }

    void aHandlerSetLaterEnablesItsControls()
    {
        button("SBNaprawy")->click();
        QVERIFY(!button("SBDodaj")->isEnabled());
        button("SBStart")->click();
        // Nothing to search on the start page, whatever the handlers.
        QVERIFY(!button("SBSzukaj")->isEnabled());
        button("SBKomputery")->click();
        int runs = 0;
        m_main->setRecordCommand(TfMain::Command::Sums, [&runs] { ++runs; });
        QVERIFY(button("SBSumy")->isEnabled());
        button("SBSumy")->click();
        QCOMPARE(runs, 1);
    }
};

QTEST_MAIN(TestUnbuiltCommands)
#include "test_unbuiltcommands.moc"
