#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "registers/TfMain.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"
#include "widgets/ListModel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

// Entering registers by rights, the toolbar rules of each register, the
// command hooks and a list whose query fails.
class TestRegisters : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfMain> m_main;

    int count(const QString& sql)
    {
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(sql);
        q.open();
        const int n = int(q.integer(q.fieldName(0)));
        q.close();
        return n;
    }
    static Rights rightsOf(std::initializer_list<int> numbers)
    {
        Rights r{};
        for (int n : numbers)
            r[size_t(n)] = true;
        return r;
    }
    static Rights allRights()
    {
        Rights r{};
        r.fill(true);
        return r;
    }
    QPushButton* button(const char* name) { return m_main->navigationButton(QLatin1String(name)); }
    QAction* action(const char* name) { return m_main->action(QLatin1String(name)); }
    bool shown(const char* panel)
    {
        QWidget* w = m_main->findChild<QWidget*>(QLatin1String(panel));
        return w && !w->isHidden();
    }
    int rows(const QString& list) { return m_main->listModel(list)->rowCount(); }

private slots:
    void initTestCase() { Dialogs::install(); }
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        m_main = std::make_unique<TfMain>(nullptr, m_db.get());
        // These cases are about rights and pages: every command counts as built.
        for (int c = 0; c <= int(TfMain::Command::Sums); ++c)
            m_main->setRecordCommand(TfMain::Command(c), [] {});
        m_main->resetFilters();
        Dialogs::startScript();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        m_main.reset();
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void entersWithReadRightOnly_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("right");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("countSql");
        const QString current = QStringLiteral(" WHERE ARCHIWUM='N'");
        QTest::newRow("komputery") << "SBKomputery" << 1 << "MKomputery"
                                   << "komputery"
                                   << "DBFKomputery"
                                   << "SELECT COUNT(*) FROM komputery" + current;
        QTest::newRow("programy") << "SBOprogramowanie" << 3 << "MProgramy"
                                  << "oprogramowanie/programy"
                                  << "DBFProgramy"
                                  << "SELECT COUNT(*) FROM programy";
        QTest::newRow("licencje") << "SBLicencje" << 3 << "MLicencje"
                                  << "oprogramowanie/licencje"
                                  << "DBFLicencje"
                                  << "SELECT COUNT(*) FROM licencje" + current;
        QTest::newRow("sprzet") << "SBSprzet" << 5 << "MSprzet"
                                << "sprzet"
                                << "DBFSprzet"
                                << "SELECT COUNT(*) FROM sprzet" + current;
        QTest::newRow("terminarz") << "SBDodatkowe" << 7 << "MTerminarz"
                                   << "Dodatkowe/DodatkoweTerminarz"
                                   << "DBFTerminy"
                                   << "SELECT COUNT(*) FROM terminy";
        QTest::newRow("naprawy") << "SBDodatkowe" << 9 << "MNaprawy"
                                 << "Dodatkowe/DodatkoweNaprawy"
                                 << "DBFNaprawy"
                                 << "SELECT COUNT(*) FROM naprawy";
        QTest::newRow("dokumenty") << "SBDodatkowe" << 16 << "MDokumenty"
                                   << "Dodatkowe/dodatkoweDokumenty"
                                   << "DBFDokumenty"
                                   << "SELECT COUNT(*) FROM dokumenty";
        QTest::newRow("historia") << "SBDodatkowe" << 18 << "MHistoria"
                                  << "Dodatkowe/DodatkoweHistoria"
                                  << "DBFHistoria"
                                  << "SELECT COUNT(*) FROM historia";
        QTest::newRow("zlecenia") << "SBDodatkowe" << 20 << "MZlecenia"
                                  << "Dodatkowe/DodatkoweZlecenia"
                                  << "DBFZlecenia"
                                  << "SELECT COUNT(*) FROM zlecenia";
        QTest::newRow("rozliczenia") << "SBDodatkowe" << 22 << "MRozliczenia"
                                     << "Dodatkowe/DodatkoweRozliczenia"
                                     << "DBFRozliczenia"
                                     << "SELECT COUNT(*) FROM rozliczenia";
        QTest::newRow("magazyn") << "SBDodatkowe" << 26 << "MMagazyn"
                                 << "Dodatkowe/dodatkoweMagazyn"
                                 << "DBFMagazyn"
                                 << "SELECT COUNT(*) FROM magazyn";
        QTest::newRow("zalaczniki") << "SBDodatkowe" << 28 << "MZalaczniki"
                                    << "Dodatkowe/DodatkoweZalaczniki"
                                    << "DBFZalaczniki"
                                    << "SELECT COUNT(*) FROM zalaczniki";
        QTest::newRow("bhp") << "SBBHP" << 24 << "MOdziezSrodki"
                             << "bhp/odziezSrodki"
                             << "DBFBhp"
                             << "SELECT COUNT(*) FROM bhp";
        QTest::newRow("osobowa") << "SBOsobowa" << 12 << "MOsobowa"
                                 << "Slowniki/slOsobowa"
                                 << "DBFosobowa"
                                 << "SELECT COUNT(*) FROM osobowa";
        QTest::newRow("firmy") << "SBFirmy" << 12 << "MFirmy"
                               << "Slowniki/SlFirmy"
                               << "DBFFirmy"
                               << "SELECT COUNT(*) FROM firmy WHERE IDFIRMY<>1";
    }
    void entersWithReadRightOnly()
    {
        QFETCH(QString, button);
        QFETCH(int, right);
        QFETCH(QString, menu);
        QFETCH(QString, page);
        QFETCH(QString, list);
        QFETCH(QString, countSql);

        // Without the right: neither the button nor the menu item enters.
        m_main->applyRights(rightsOf({right == 12 ? 1 : 12}));
        if (right != 12) {
            QVERIFY(!m_main->navigationButton(button)->isEnabled());
            m_main->navigationButton(button)->click();
        }
        QVERIFY(!m_main->action(menu)->isEnabled());
        m_main->action(menu)->trigger();
        QCOMPARE(m_main->currentPageName(), QStringLiteral("start"));

        // With the read right only: the list is shown, nothing can be written.
        m_main->applyRights(rightsOf({right, 12}));
        if (right == 12 && button != QLatin1String("SBSlowniki"))
            this->button("SBSlowniki")->click();
        m_main->navigationButton(button)->click();
        QCOMPARE(m_main->currentPageName(), page);
        QCOMPARE(m_main->currentList(), list);
        const int expected = count(countSql);
        QVERIFY(expected > 0 || list == QLatin1String("DBFZalaczniki")); // the demo has no attachments
        QCOMPARE(rows(list), expected);
        QVERIFY(this->button("SBPodglad")->isEnabled());
        const bool alwaysWritable = right == 12;
        QCOMPARE(this->button("SBEdytuj")->isEnabled(), alwaysWritable);
        QCOMPARE(this->button("SBUsun")->isEnabled(), alwaysWritable);
        QCOMPARE(action("MKasuj")->isEnabled(), alwaysWritable);
        QVERIFY(!action("Likwiduj2")->isEnabled());

        // The menu item enters the same register.
        m_main->SBStartClick();
        m_main->action(menu)->trigger();
        QCOMPARE(m_main->currentPageName(), page);
        QVERIFY(Dialogs::shown().isEmpty());
    }

    void doubleClickEditsOrPreviews()
    {
        QStringList ran;
        m_main->setRecordCommand(TfMain::Command::Edit, [&] { ran << QStringLiteral("edit"); });
        m_main->setRecordCommand(TfMain::Command::Preview, [&] { ran << QStringLiteral("preview"); });
        m_main->applyRights(rightsOf({1}));
        button("SBKomputery")->click();
        DataGrid* grid = m_main->grid(QStringLiteral("KomputeryGrid"));
        QTest::keyClick(grid, Qt::Key_Return);
        m_main->applyRights(rightsOf({1, 2}));
        button("SBKomputery")->click();
        QTest::keyClick(grid, Qt::Key_Enter);
        button("SBEdytuj")->click();
        action("PPodglad")->trigger();
        QCOMPARE(ran, QStringList({"preview", "edit", "edit", "preview"}));
    }

    void toolbarRules_data()
    {
        QTest::addColumn<QString>("enter");
        QTest::addColumn<QString>("dateLabel"); // empty: no date range
        QTest::addColumn<bool>("archive");
        QTest::addColumn<bool>("activeOnly");
        QTest::addColumn<bool>("classifier");
        QTest::addColumn<bool>("addCopy");
        QTest::addColumn<bool>("liquidate");
        QTest::addColumn<bool>("bulkDeactivate");
        QTest::addColumn<bool>("openAttachment");
        QTest::newRow("komputery") << "SBKomputery"
                                   << "Data zakupu:" << true << false << true << true << true << true
                                   << false;
        QTest::newRow("sprzet") << "SBSprzet"
                                << "Data zakupu:" << true << false << true << true << true << true << false;
        QTest::newRow("programy") << "SBProgramy"
                                  << "" << false << false << true << true << false << false << false;
        QTest::newRow("licencje") << "SBLicencje"
                                  << "Data zakupu:" << true << false << false << true << true << true
                                  << false;
        QTest::newRow("terminarz") << "SBTerminarz"
                                   << "Data terminu:" << false << true << false << false << false << false
                                   << false;
        QTest::newRow("zalaczniki") << "SBZalaczniki"
                                    << "Data dodania:" << false << false << false << false << false << false
                                    << true;
        QTest::newRow("naprawy") << "SBNaprawy"
                                 << "Data naprawy:" << false << true << false << false << false << false
                                 << false;
        QTest::newRow("dokumenty") << "SBDokumenty"
                                   << "Data dokum.:" << false << true << false << false << false << false
                                   << false;
        QTest::newRow("historia") << "SBHistoria"
                                  << "Data:" << false << false << false << false << false << false << false;
        QTest::newRow("zlecenia") << "SBZlecenia"
                                  << "Data zlecenia:" << false << false << false << true << false << false
                                  << false;
        QTest::newRow("rozliczenia") << "SBRozliczenia"
                                     << "Data rozliczenia:" << false << false << false << true << false
                                     << false << false;
        QTest::newRow("magazyn") << "SBMagazyn"
                                 << "" << false << false << false << true << false << false << false;
        QTest::newRow("odziez") << "SBOdziezSrodki"
                                << "" << false << false << true << true << false << false << false;
        QTest::newRow("zakupy") << "SBZakupBhp"
                                << "Data zakupu:" << false << false << true << true << false << false
                                << false;
        QTest::newRow("osobowa") << "SBOsobowa"
                                 << "" << false << false << false << true << false << false << false;
        QTest::newRow("firmy") << "SBFirmy"
                               << "" << false << false << false << true << false << false << false;
    }
    void toolbarRules()
    {
        QFETCH(QString, enter);
        QFETCH(QString, dateLabel);
        QFETCH(bool, archive);
        QFETCH(bool, activeOnly);
        QFETCH(bool, classifier);
        QFETCH(bool, addCopy);
        QFETCH(bool, liquidate);
        QFETCH(bool, bulkDeactivate);
        QFETCH(bool, openAttachment);
        m_main->applyRights(allRights());
        m_main->navigationButton(enter)->click();
        QCOMPARE(shown("filtrData"), !dateLabel.isEmpty());
        if (!dateLabel.isEmpty())
            QCOMPARE(m_main->findChild<QLabel*>(QStringLiteral("filtrDataLab"))->text(), dateLabel);
        QCOMPARE(shown("ArchiwumFiltrPanel"), archive);
        QCOMPARE(shown("TylkoAktywneFiltrPanel"), activeOnly);
        QCOMPARE(shown("klasyfikatorFiltr"), classifier);
        QCOMPARE(button("SBDodaj")->isEnabled(), addCopy);
        QCOMPARE(button("SBKopiuj")->isEnabled(), addCopy);
        QCOMPARE(action("MDodaj")->isEnabled(), addCopy);
        QCOMPARE(action("PKopiuj")->isEnabled(), addCopy);
        QVERIFY(button("SBEdytuj")->isEnabled());
        QVERIFY(action("PUsun")->isEnabled());
        QCOMPARE(action("Likwiduj2")->isEnabled(), liquidate);
        QCOMPARE(action("Likwiduj1")->isEnabled(), liquidate);
        QCOMPARE(action("PHurtowaDeaktywacja")->isVisible(), bulkDeactivate);
        QCOMPARE(action("POtworzZalacznik")->isVisible(), openAttachment);
        QVERIFY(button("SBCSV")->isEnabled());
        QVERIFY(action("MSzukaj")->isEnabled());
    }

    void pagesWithoutListSwitchTheToolbarOff_data()
    {
        QTest::addColumn<QString>("enter");
        QTest::addColumn<QString>("page");
        QTest::newRow("start") << "SBStart"
                               << "start";
        QTest::newRow("slowniki") << "SBSlowniki"
                                  << "Slowniki/SlStart";
        QTest::newRow("raporty") << "SBRaporty"
                                 << "Raporty";
        QTest::newRow("wlasciwosci") << "SBWlKomp"
                                     << "Slowniki/SlWlasciwosciKomp";
    }
    void pagesWithoutListSwitchTheToolbarOff()
    {
        QFETCH(QString, enter);
        QFETCH(QString, page);
        m_main->applyRights(allRights());
        button("SBKomputery")->click();
        QVERIFY(button("SBPodglad")->isEnabled());
        QStringList entered;
        connect(m_main.get(), &TfMain::pageEntered, this, [&](const QString& p) { entered << p; });
        m_main->navigationButton(enter)->click();
        QCOMPARE(m_main->currentPageName(), page);
        QCOMPARE(entered, QStringList{page});
        QVERIFY(m_main->currentList().isEmpty());
        for (const char* name : {"SBPodglad", "SBDodaj", "SBEdytuj", "SBDrukuj", "SBSzukaj", "SBCSV"})
            QVERIFY2(!button(name)->isEnabled(), name);
        QVERIFY(!shown("klasyfikatorFiltr"));
        QCOMPARE(shown("filtrData"), page == QLatin1String("Raporty"));
    }

    void slownikiStartLabel()
    {
        m_main->applyRights(allRights());
        button("SBSlowniki")->click();
        auto* label = m_main->findChild<QLabel*>(QStringLiteral("SlStartLabel"));
        QCOMPARE(label->text(), QStringLiteral("Aby edytować słownik kliknij właściwą ikonę po lewo"));
        QVERIFY(label->isVisibleTo(m_main->findChild<QWidget*>(QStringLiteral("SlZakladki"))));
    }

    void liquidatedRecordsCannotBeAddedNorLiquidated()
    {
        m_main->applyRights(allRights());
        button("SBKomputery")->click();
        auto* selector = m_main->findChild<QComboBox*>(QStringLiteral("CBPokazElementy"));
        selector->setCurrentIndex(1);
        QCOMPARE(rows(QStringLiteral("DBFKomputery")),
                 count("SELECT COUNT(*) FROM komputery WHERE ARCHIWUM='T'"));
        QVERIFY(rows(QStringLiteral("DBFKomputery")) > 0);
        QVERIFY(!button("SBDodaj")->isEnabled());
        QVERIFY(!button("SBKopiuj")->isEnabled());
        QVERIFY(!action("Likwiduj2")->isEnabled());
        QVERIFY(button("SBEdytuj")->isEnabled());
        // The choice stays among computers, licences and equipment.
        button("SBLicencje")->click();
        QCOMPARE(rows(QStringLiteral("DBFLicencje")),
                 count("SELECT COUNT(*) FROM licencje WHERE ARCHIWUM='T'"));
        QVERIFY(!action("MDodaj")->isEnabled());
        button("SBSprzet")->click();
        QCOMPARE(rows(QStringLiteral("DBFSprzet")), count("SELECT COUNT(*) FROM sprzet WHERE ARCHIWUM='T'"));
        selector->setCurrentIndex(0);
        QCOMPARE(m_main->currentPageName(), QStringLiteral("sprzet"));
        QCOMPARE(rows(QStringLiteral("DBFSprzet")), count("SELECT COUNT(*) FROM sprzet WHERE ARCHIWUM='N'"));
        QVERIFY(button("SBDodaj")->isEnabled());
    }

    void dodatkoweEntersFirstReadableRegister_data()
    {
        QTest::addColumn<QList<int>>("rights");
        QTest::addColumn<QString>("page"); // empty: the button is disabled
        QTest::newRow("none") << QList<int>{1, 3, 5, 24} << "";
        QTest::newRow("9 and 20") << QList<int>{9, 20} << "Dodatkowe/DodatkoweNaprawy";
        QTest::newRow("28 only") << QList<int>{28} << "Dodatkowe/DodatkoweZalaczniki";
        QTest::newRow("26 and 28") << QList<int>{28, 26} << "Dodatkowe/dodatkoweMagazyn";
        QTest::newRow("all") << QList<int>{7, 9, 16} << "Dodatkowe/DodatkoweTerminarz";
    }
    void dodatkoweEntersFirstReadableRegister()
    {
        QFETCH(QList<int>, rights);
        QFETCH(QString, page);
        Rights r{};
        for (int n : rights)
            r[size_t(n)] = true;
        m_main->applyRights(r);
        QCOMPARE(button("SBDodatkowe")->isEnabled(), !page.isEmpty());
        QCOMPARE(action("MDodatkowe")->isEnabled(), !page.isEmpty());
        button("SBDodatkowe")->click();
        QCOMPARE(m_main->currentPageName(), page.isEmpty() ? QStringLiteral("start") : page);
        if (page.isEmpty())
            return;
        QVERIFY(button("SBDodatkowe")->styleSheet().contains(QStringLiteral("color: white")));
        QVERIFY(button("SBStart")->styleSheet().contains(QStringLiteral("color: black")));
    }

    void enteringAdditionalRegisterClearsObjectConditions()
    {
        m_main->applyRights(allRights());
        // An editor showed the repairs of one computer through the shared list.
        m_db->listState().setObject(QStringLiteral("DBFNaprawy"), QStringLiteral("K"), 6);
        QVERIFY(m_db->reloadList(QStringLiteral("DBFNaprawy")));
        QVERIFY(m_db->statement(QStringLiteral("DBFNaprawy")).recordCount() <
                count("SELECT COUNT(*) FROM naprawy"));
        button("SBNaprawy")->click();
        QCOMPARE(rows(QStringLiteral("DBFNaprawy")), count("SELECT COUNT(*) FROM naprawy"));
    }

    void failingListReportsAndLeavesAnEmptyGrid()
    {
        m_main->applyRights(allRights());
        button("SBNaprawy")->click();
        QVERIFY(rows(QStringLiteral("DBFNaprawy")) > 0);
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(QStringLiteral("DROP TABLE naprawy"));
        q.execSQL();
        button("SBNaprawy")->click();
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown().first().title, QStringLiteral("Błąd bazy danych"));
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("[0000007740]")));
        QCOMPARE(rows(QStringLiteral("DBFNaprawy")), 0);
        QCOMPARE(m_main->currentPageName(), QStringLiteral("Dodatkowe/DodatkoweNaprawy"));
        // The program goes on.
        button("SBKomputery")->click();
        QVERIFY(rows(QStringLiteral("DBFKomputery")) > 0);
    }

    void locateInCurrent()
    {
        m_main->applyRights(allRights());
        button("SBKomputery")->click();
        ListModel* model = m_main->listModel(QStringLiteral("DBFKomputery"));
        const qint64 last = count("SELECT MAX(IDKOMPUTERA) FROM komputery WHERE ARCHIWUM='N'");
        QVERIFY(m_main->locateInCurrent(last));
        QCOMPARE(model->integer(QStringLiteral("IDKOMPUTERA")), last);
        QCOMPARE(m_main->grid(QStringLiteral("KomputeryGrid"))->currentIndex().row(), model->currentRow());
        QVERIFY(!m_main->locateInCurrent(999999));
        QCOMPARE(model->currentRow(), -1);
    }

    void popupMenuItems()
    {
        auto* popup = m_main->findChild<QMenu*>(QStringLiteral("PopupMenu1"));
        QVERIFY(popup);
        QStringList captions;
        for (QAction* a : popup->actions())
            captions << (a->isSeparator() ? QStringLiteral("-")
                                          : a->text() + QLatin1Char('|') + a->shortcut().toString());
        QCOMPARE(captions, QStringList({"Podgląd|Ctrl+O", "Dodaj pozycję|Ins", "Edytuj pozycję|F2",
                                        "Usuń pozycję|Del", "Kopiuj pozycję|Ctrl+C", "Drukuj pozycję|Ctrl+P",
                                        "Drukuj etykiety|", "-", "Hurtowa dezaktywacja terminów|",
                                        "Otwórz załącznik|Ctrl+V", "Likwiduj wybrany element|"}));
    }

    void widokShortcuts()
    {
        const std::pair<const char*, const char*> keys[] = {
            {"MWstep", "Ctrl+F1"},
            {"MKomputery", "Ctrl+F2"},
            {"MProgramy", "Ctrl+F3"},
            {"MLicencje", "Ctrl+F4"},
            {"MSprzet", "Ctrl+F5"},
            {"MTerminarz", "Ctrl+F6"},
            {"MNaprawy", "Ctrl+F7"},
            {"MDokumenty", "Ctrl+F8"},
            {"MHistoria", "Ctrl+F9"},
            {"MZlecenia", "Ctrl+F10"},
            {"MRozliczenia", "Ctrl+F11"},
            {"MMagazyn", "Ctrl+F12"},
            {"MBiblioteka", "Shift+Ctrl+F1"},
            {"MWlKomp", "Shift+Ctrl+F2"},
            {"MWlSprzet", "Shift+Ctrl+F3"},
            {"MDaneFirmy", "Shift+Ctrl+F4"},
            {"MFirmy", "Shift+Ctrl+F5"},
            {"MOsobowa", "Shift+Ctrl+F6"},
        };
        for (const auto& [name, key] : keys)
            QCOMPARE(action(name)->shortcut(), QKeySequence(QLatin1String(key)));
        QCOMPARE(action("MProgramy")->text(), QStringLiteral("Porgramy"));
    }
};

QTEST_MAIN(TestRegisters)
#include "test_registers.moc"
