#include "TestDatabase.h"
#include "TestSupport.h"

#include "registers/MainCommands.h"
#include "registers/TfMain.h"
#include "registers/TfMainUi.h"
#include "registers/ToolbarRules.h"
#include "shell/AppState.h"
#include "shell/Dialogs.h"
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
        QVERIFY(m_db->connectTo(m_database->dir(), m_database->password()));
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

    void menuItemsOfUnbuiltWindowsStayDisabledWithEveryRight()
    {
        for (const QString& name : ToolbarRules::notBuiltYet())
            QVERIFY2(!m_main->action(name)->isEnabled(), qPrintable(name));
        // Built ones follow the rights as before.
        QVERIFY(action("MUzytkownicy")->isEnabled());
        QVERIFY(action("MSlowniki")->isEnabled());
    }

    void recordCommandsWithoutHandlerAreDisabled_data()
    {
        QTest::addColumn<QString>("enter");
        QTest::addColumn<QStringList>("disabled");
        QTest::addColumn<QStringList>("enabled");
        QTest::newRow("computers") << "SBKomputery" << QStringList{"SBSzukaj", "SBCSV",  "SBDrukuj",
                                                                   "SBFiszka", "SBSumy", "SBUsun"}
                                   << QStringList{"SBDodaj", "SBEdytuj", "SBPodglad", "SBKopiuj"};
        // No editor for equipment yet: nothing of the toolbar works there.
        QTest::newRow("equipment") << "SBSprzet"
                                   << QStringList{"SBDodaj", "SBEdytuj", "SBPodglad", "SBKopiuj", "SBUsun"}
                                   << QStringList{};
        // Repairs are edited and previewed, not added from the register.
        QTest::newRow("repairs") << "SBNaprawy" << QStringList{"SBDodaj", "SBKopiuj", "SBUsun"}
                                 << QStringList{"SBEdytuj", "SBPodglad"};
    }
    void recordCommandsWithoutHandlerAreDisabled()
    {
        QFETCH(QString, enter);
        QFETCH(QStringList, disabled);
        QFETCH(QStringList, enabled);
        m_main->navigationButton(enter)->click();
        for (const QString& name : disabled)
            QVERIFY2(!m_main->navigationButton(name)->isEnabled(), qPrintable(name));
        for (const QString& name : enabled)
            QVERIFY2(m_main->navigationButton(name)->isEnabled(), qPrintable(name));
        for (const char* name : {"MSzukaj", "MCSV", "MDrukuj", "PDrukuj", "MKasuj", "PUsun", "Likwiduj1"})
            QVERIFY2(!action(name)->isEnabled(), name);
    }

    void aHandlerSetLaterEnablesItsControls()
    {
        button("SBKomputery")->click();
        QVERIFY(!button("SBSumy")->isEnabled());
        int runs = 0;
        m_main->setRecordCommand(TfMain::Command::Sums, [&runs] { ++runs; });
        QVERIFY(button("SBSumy")->isEnabled());
        button("SBSumy")->click();
        QCOMPARE(runs, 1);
        // Still bound by the page: nothing to sum on the start page.
        button("SBStart")->click();
        QVERIFY(!button("SBSzukaj")->isEnabled());
    }

    void pagesOfUnbuiltFeaturesSaySo_data()
    {
        QTest::addColumn<QString>("enter");
        QTest::addColumn<QString>("label");
        QTest::newRow("computer properties") << "SBWlKomp"
                                             << "SlWlasciwosciKompWkrotce";
        QTest::newRow("equipment properties") << "SBWlSprzet"
                                              << "slWlasciwosciSprzetWkrotce";
        QTest::newRow("reports") << "SBRaporty"
                                 << "RaportyWkrotce";
    }
    void pagesOfUnbuiltFeaturesSaySo()
    {
        QFETCH(QString, enter);
        QFETCH(QString, label);
        m_main->show();
        m_main->navigationButton(enter)->click();
        auto* text = m_main->findChild<QLabel*>(label);
        QVERIFY(text);
        QCOMPARE(text->text(), TfMainUi::comingText());
        QVERIFY(text->isVisible());
    }
};

QTEST_MAIN(TestUnbuiltCommands)
#include "test_unbuiltcommands.moc"
