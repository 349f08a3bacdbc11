// Each menu and popup item of the main window is enabled exactly when the
// toolbar button or menu item that runs the same command is, on every
// register and for every set of rights; and the popup's bulk deactivation is
// reached by a user with the right to it.

#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "registers/TfMain.h"
#include "reminders/TfHurtowaDeaktywacja.h"
#include "shell/ProgramWindows.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
// The item and its twin, as a user meets them.
const std::pair<const char*, const char*> kTwins[] = {
    {"MPodglad", "SBPodglad"},         {"MDodaj", "SBDodaj"},
    {"MEdytuj", "SBEdytuj"},           {"MKasuj", "SBUsun"},
    {"MKopiuj", "SBKopiuj"},           {"MCSV", "SBCSV"},
    {"MDrukuj", "SBDrukuj"},           {"MSzukaj", "SBSzukaj"},
    {"PPodglad", "SBPodglad"},         {"PDodaj", "SBDodaj"},
    {"PEdytuj", "SBEdytuj"},           {"PUsun", "SBUsun"},
    {"PKopiuj", "SBKopiuj"},           {"PDrukuj", "SBDrukuj"},
    {"Likwiduj1", "Likwiduj2"},        {"PHurtowaDeaktywacja", "MHurtowaDeaktywacja"},
    {"POtworzZalacznik", "SBPodglad"},
};

const char* const kRegisters[] = {"SBStart",      "SBKomputery",    "SBSprzet",      "SBProgramy",
                                  "SBLicencje",   "SBTerminarz",    "SBNaprawy",     "SBDokumenty",
                                  "SBHistoria",   "SBZlecenia",     "SBRozliczenia", "SBMagazyn",
                                  "SBZalaczniki", "SBOdziezSrodki", "SBZakupBhp",    "SBSlowniki",
                                  "SBOsobowa",    "SBFirmy",        "SBRaporty"};

Rights rightsOf(std::initializer_list<int> numbers)
{
    Rights r{};
    for (int n : numbers)
        r[size_t(n)] = true;
    return r;
}
} // namespace

class TestCommandTwins : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<ProgramWindows> m_program;

    TfMain& main() { return m_program->main(); }
    void login(const Rights& rights)
    {
        AppState::instance().currentUser = QStringLiteral("TEST");
        AppState::instance().rights = rights;
        main().applyRights(rights);
    }
    bool enabled(const char* name)
    {
        if (QPushButton* b = main().navigationButton(QLatin1String(name)))
            return b->isEnabled();
        QAction* a = main().action(QLatin1String(name));
        return a && a->isEnabled();
    }
    // Every pair that differs on the page shown, as "page: item on, twin off";
    // a hidden item is not offered (and reads as disabled).
    QStringList mismatches()
    {
        QStringList out;
        for (const auto& [item, twin] : kTwins)
            if (main().action(QLatin1String(item))->isVisible() && enabled(item) != enabled(twin))
                out << main().currentPageName() + QStringLiteral(": ") + QLatin1String(item) +
                           (enabled(item) ? QStringLiteral(" on, ") : QStringLiteral(" off, ")) +
                           QLatin1String(twin) +
                           (enabled(twin) ? QStringLiteral(" on") : QStringLiteral(" off"));
        return out;
    }
    QStringList walkRegisters()
    {
        QStringList out;
        for (const char* name : kRegisters) {
            QPushButton* b = main().navigationButton(QLatin1String(name));
            if (!b->isEnabled())
                continue;
            b->click();
            out << mismatches();
        }
        return out;
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        Dialogs::startScript();
        m_program = std::make_unique<ProgramWindows>();
        QVERIFY(m_database->connect(m_program->db()));
        main().resetFilters();
    }
    void cleanup()
    {
        m_program.reset();
        Dialogs::stopScript();
        AppState::instance().logout();
        m_database.reset();
        m_config.reset();
    }

    void itemsFollowTheirTwins_data()
    {
        QTest::addColumn<Rights>("rights");
        Rights all{};
        all.fill(true);
        QTest::newRow("all") << all;
        QTest::newRow("read only") << rightsOf({1, 3, 5, 7, 9, 12, 16, 18, 20, 22, 24, 26, 28});
        QTest::newRow("write without deadlines, repairs, documents")
            << rightsOf({1, 2, 3, 4, 5, 6, 7, 9, 12, 16, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29});
        QTest::newRow("deadlines only write") << rightsOf({1, 5, 7, 8});
        QTest::newRow("computers only") << rightsOf({1, 2});
    }
    void itemsFollowTheirTwins()
    {
        QFETCH(Rights, rights);
        login(rights);
        QStringList wrong = walkRegisters();
        // Liquidated records: add, copy and liquidate go off together.
        auto* selector = main().findChild<QComboBox*>(QStringLiteral("CBPokazElementy"));
        selector->setCurrentIndex(1);
        wrong << walkRegisters();
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    }

    void bulkDeactivationFromThePopupOfEachAsset_data()
    {
        QTest::addColumn<QString>("enter");
        QTest::addColumn<QString>("series");
        QTest::newRow("komputery") << "SBKomputery"
                                   << "Komputer (";
        QTest::newRow("sprzet") << "SBSprzet"
                                << "Sprzęt (";
        QTest::newRow("licencje") << "SBLicencje"
                                  << "Licencja (";
    }
    void bulkDeactivationFromThePopupOfEachAsset()
    {
        QFETCH(QString, enter);
        QFETCH(QString, series);
        Rights all{};
        all.fill(true);
        login(all);
        main().navigationButton(enter)->click();
        QAction* item = main().action(QStringLiteral("PHurtowaDeaktywacja"));
        QVERIFY(item->isVisible());
        QVERIFY(item->isEnabled());
        QString shown;
        ModalScript script;
        script.add(QStringLiteral("TfHurtowaDeaktywacja"), [&](QWidget* w) {
            shown = static_cast<TfHurtowaDeaktywacja*>(w)->editSeria()->text();
            static_cast<QDialog*>(w)->reject();
        });
        item->trigger();
        QVERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QVERIFY2(shown.startsWith(series), qPrintable(shown));

        // Without any of the deadline, repair and document rights the dialog could
        // tick nothing: the item goes off with the menu's.
        login(rightsOf({1, 2, 3, 4, 5, 6}));
        main().navigationButton(enter)->click();
        QVERIFY(item->isVisible());
        QVERIFY(!item->isEnabled());
        QVERIFY(!main().action(QStringLiteral("MHurtowaDeaktywacja"))->isEnabled());
    }
};

QTEST_MAIN(TestCommandTwins)
#include "test_commandtwins.moc"
