#include "EditorTest.h"
#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "editors/SubList.h"
#include "editors/TfKomputery.h"
#include "editors/TfSprzet.h"
#include "shell/RecordCommands.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace EditorTest;

class TestSprzet : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfKomputery> m_computers;
    std::unique_ptr<RecordCommands> m_commands;
    const QString kList = QStringLiteral("DBFSprzet");
    const QString kRegister = QStringLiteral("sprzet");

    QString scalar(const QString& sql) { return EditorTest::scalar(*m_db, sql); }
    QString item(const char* column, const QString& key)
    {
        return scalar(
            QStringLiteral("SELECT %1 FROM sprzet WHERE IDSPRZETU=%2").arg(QLatin1String(column), key));
    }
    void selectItem(qint64 key) { QVERIFY(m_db->locate(kList, {key})); }
    static int tabOf(QWidget* w, AssetEditor::Tab tab) { return static_cast<TfSprzet*>(w)->indexOf(tab); }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        QVERIFY(m_db->reloadList(kList));
        QVERIFY(m_db->reloadList(QStringLiteral("DBFKomputery")));
        AppState::instance().rights.fill(true);
        Dialogs::startScript();
        m_computers = std::make_unique<TfKomputery>(*m_db);
        m_commands = std::make_unique<RecordCommands>(*m_db, *m_computers);
    }
    void cleanup()
    {
        m_commands.reset();
        m_computers.reset();
        Dialogs::stopScript();
        AppState::instance().rights.fill(false);
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void addRefusesATakenNumberThenOpensTheFullEditor()
    {
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfSprzet"), [&](QWidget* w) {
            auto* tabs = child<QTabWidget>(w, "PageControl1");
            seen << tabs->tabText(tabs->currentIndex()) << child<Lookup>(w, "fKLASYFIKATOR")->currentText()
                 << QString::number(child<Lookup>(w, "fIDKOMPUTERA")->hasChoice())
                 << QString::number(tabs->isTabVisible(tabOf(w, AssetEditor::Zlikwidowany)));
            setText(w, "fNREWID", QStringLiteral("SPRZ/001"));
            setText(w, "fNAZWA", QStringLiteral("Projektor sali"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfSprzet"), [&](QWidget* w) {
            setText(w, "fNREWID", QStringLiteral("SPRZ/NEW"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfSprzet"), [&](QWidget* w) {
            auto* tabs = child<QTabWidget>(w, "PageControl1");
            seen << tabs->tabText(tabs->currentIndex()) << child<QLabel>(w, "labWl1")->text()
                 << QString::number(tabOf(w, AssetEditor::Oprogramowanie))
                 << QString::number(tabOf(w, AssetEditor::Sprzet))
                 << QString::number(tabs->isTabVisible(tabOf(w, AssetEditor::Terminy)));
            setText(w, "wlK1", QStringLiteral("laser"));
            click(w, "SBZapisz");
        });
        QVERIFY(m_commands->add(kRegister));
        QCOMPARE(script.errors(), QStringList());
        QVERIFY(script.done());
        // The first class of KLSPR by name is "Drukarka", whose first property is "Technologia druku".
        QCOMPARE(seen, QStringList({"Szczegóły", "Drukarka", "0", "0", "Właściwości", "Technologia druku",
                                    "-1", "-1", "1"}));
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown()[0].text,
                 QStringLiteral("Istnieje już sprzęt o podanym numerze ewidencyjnym."));
        const QString key = scalar(QStringLiteral("SELECT MAX(IDSPRZETU) FROM sprzet"));
        QCOMPARE(item("NREWID", key), QStringLiteral("SPRZ/NEW"));
        QCOMPARE(item("KLASYFIKATOR", key), QStringLiteral("23"));
        QCOMPARE(item("IDKOMPUTERA", key), QStringLiteral("0"));
        QCOMPARE(item("IDFIRMY", key), QStringLiteral("-1"));
        QCOMPARE(item("ARCHIWUM", key), QStringLiteral("N"));
        // A new item without a location gets -1; the edit that followed saved it again with 0.
        QCOMPARE(item("LOKALIZACJA", key), QStringLiteral("0"));
        const QString props = QStringLiteral(" FROM wlasciwosci WHERE KOMPSPRZET='S' AND IDOBIEKTU=") + key;
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*)") + props), QStringLiteral("14"));
        QCOMPARE(scalar(QStringLiteral("SELECT WARTOSC") + props + QStringLiteral(" AND LP=1")),
                 QStringLiteral("laser"));
    }

    void newItemWithoutLocationIsStoredWithMinusOne()
    {
        ModalScript script;
        script.add(QStringLiteral("TfSprzet"), [&](QWidget* w) {
            setText(w, "fNREWID", QStringLiteral("SPRZ/LOC"));
            setText(w, "fNAZWA", QStringLiteral("UPS"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfSprzet"), [&](QWidget* w) { click(w, "SBAnuluj"); });
        QVERIFY(m_commands->add(kRegister));
        QVERIFY(script.done());
        const QString key = scalar(QStringLiteral("SELECT MAX(IDSPRZETU) FROM sprzet"));
        QCOMPARE(item("LOKALIZACJA", key), QStringLiteral("-1"));
    }

    void copyKeepsTheNumberSoTheFirstSaveIsRefused()
    {
        selectItem(2);
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfSprzet"), [&](QWidget* w) {
            seen << child<QLineEdit>(w, "fNREWID")->text() << child<QLineEdit>(w, "fNAZWA")->text();
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfSprzet"), [&](QWidget* w) { click(w, "SBAnuluj"); });
        const QString before = scalar(QStringLiteral("SELECT COUNT(*) FROM sprzet"));
        QVERIFY(m_commands->copy(kRegister));
        QVERIFY(script.done());
        QCOMPARE(seen, QStringList({"SPRZ/002", "Drukarka księgowości"}));
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown()[0].text,
                 QStringLiteral("Istnieje już sprzęt o podanym numerze ewidencyjnym."));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM sprzet")), before);
    }

    void editRefusesAnotherItemsNumberAndWritesTheComputer()
    {
        selectItem(2);
        ModalScript script;
        script.add(QStringLiteral("TfSprzet"), [&](QWidget* w) {
            setText(w, "fNREWID", QStringLiteral("SPRZ/001"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfSprzet"), [&](QWidget* w) {
            setText(w, "fNREWID", QStringLiteral("SPRZ/002")); // its own number passes
            child<Lookup>(w, "fIDKOMPUTERA")->setKey(3);
            click(w, "SpeedButton7"); // no location
            click(w, "SBZapisz");
        });
        QVERIFY(m_commands->edit(kRegister));
        QVERIFY(script.done());
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown()[0].text,
                 QStringLiteral("Istnieje już Sprzęt o podanym numerze ewidencyjnym."));
        QCOMPARE(item("IDKOMPUTERA", "2"), QStringLiteral("3"));
        QCOMPARE(item("LOKALIZACJA", "2"), QStringLiteral("0"));
        QCOMPARE(m_db->statement(kList).integer(QStringLiteral("IDSPRZETU")), 2);
    }

    void propertyNamesFollowTheChosenClass()
    {
        selectItem(1); // a printer
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfSprzet"), [&](QWidget* w) {
            auto* tabs = child<QTabWidget>(w, "PageControl1");
            tabs->setCurrentIndex(tabOf(w, AssetEditor::Wlasciwosci));
            seen << child<QLabel>(w, "labWl1")->text();
            setText(w, "wlK2", QStringLiteral("A3"));
            tabs->setCurrentIndex(tabOf(w, AssetEditor::Szczegoly));
            child<Lookup>(w, "fKLASYFIKATOR")->setKey(29); // a class never used: no names yet
            tabs->setCurrentIndex(tabOf(w, AssetEditor::Wlasciwosci));
            seen << child<QLabel>(w, "labWl1")->text() << child<QLineEdit>(w, "wlK2")->text();
            tabs->setCurrentIndex(tabOf(w, AssetEditor::Szczegoly));
            child<Lookup>(w, "fKLASYFIKATOR")->setKey(23);
            tabs->setCurrentIndex(tabOf(w, AssetEditor::Wlasciwosci));
            seen << child<QLabel>(w, "labWl1")->text();
            click(w, "SBAnuluj");
        });
        QVERIFY(m_commands->edit(kRegister));
        QVERIFY(script.done());
        QCOMPARE(seen, QStringList({"Technologia druku", "", "A3", "Technologia druku"}));
        QCOMPARE(scalar(QStringLiteral(
                     "SELECT COUNT(*) FROM nazwawlasciwosci WHERE KOMPSPRZET='S' AND IDSLOWNIKA=29")),
                 QStringLiteral("14"));
    }

    void previewIsReadOnlyAndOffersOnlyCurrentComputers()
    {
        m_db->DatabaseMain().exec(QStringLiteral("UPDATE komputery SET ARCHIWUM='T' WHERE IDKOMPUTERA=3"));
        selectItem(1); // attached to computer 3
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfSprzet"), [&](QWidget* w) {
            auto* computer = child<Lookup>(w, "fIDKOMPUTERA");
            bool offered = false;
            for (const LookupSearch::Match& m : computer->offer(QStringLiteral("KOMP/")))
                offered = offered || m.text.contains(QStringLiteral("KOMP/003"));
            seen << QString::number(child<QLineEdit>(w, "fNREWID")->isReadOnly())
                 << QString::number(computer->isEnabled()) << QString::number(computer->hasChoice())
                 << QString::number(offered) << child<QPushButton>(w, "SBAnuluj")->text();
            click(w, "SBAnuluj");
        });
        QVERIFY(m_commands->preview(kRegister));
        QVERIFY(script.done());
        QCOMPARE(seen, QStringList({"1", "0", "0", "0", "&OK"}));
    }

    void saveMessagesSaySprzetu()
    {
        ModalScript script;
        script.add(QStringLiteral("TfSprzet"), [&](QWidget* w) {
            click(w, "SBZapisz");
            setText(w, "fNREWID", QStringLiteral("X/1"));
            click(w, "SBZapisz");
            setText(w, "fNAZWA", QStringLiteral("Biurko"));
            setText(w, "fDATAZAKUPU", date("01-13-2020"));
            click(w, "SBZapisz");
            click(w, "SBAnuluj");
        });
        QVERIFY(m_commands->add(kRegister));
        QVERIFY(script.done());
        QStringList texts;
        for (const auto& s : Dialogs::shown())
            texts << s.text;
        QCOMPARE(texts, QStringList({"Nie wprowadzono numeru ewidencyjnego sprzętu. Popraw pole.",
                                     "Nie wprowadzono nazwy sprzętu. Popraw pole.",
                                     "Niepoprawny format daty zakupu sprzętu. Popraw pole."}));
    }

    void usersOfAnItemAreKeptWithoutLogin()
    {
        selectItem(1); // P002 already uses it
        ModalScript script;
        script.add(QStringLiteral("TfSprzet"), [&](QWidget* w) {
            child<QTabWidget>(w, "PageControl1")->setCurrentIndex(tabOf(w, AssetEditor::Uzytkownicy));
            click(w, "UzytkownicyDodaj");
        });
        script.add(QStringLiteral("TfUzywajacy"), [&](QWidget* w) {
            QVERIFY(!w->findChild<QLineEdit*>(QStringLiteral("fLOGIN")));
            child<Lookup>(w, "fNREW")->setKey(QStringLiteral("P002"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfUzywajacy"), [&](QWidget* w) {
            child<Lookup>(w, "fNREW")->setKey(QStringLiteral("P007"));
            setText(w, "fOPIS", QStringLiteral("zastępca"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfSprzet"), [&](QWidget* w) { click(w, "SBAnuluj"); });
        QVERIFY(m_commands->edit(kRegister));
        QCOMPARE(script.errors(), QStringList());
        QVERIFY(script.done());
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown()[0].text, QStringLiteral("Wskazana osoba jest już przypisana do sprzętu."));
        QCOMPARE(scalar(QStringLiteral("SELECT OPIS FROM r_sprzprac WHERE IDSPRZETU=1 AND NREW='P007'")),
                 QStringLiteral("zastępca"));
    }

    void computerTabListsAndPreviewsItsEquipment()
    {
        m_db->DatabaseMain().exec(QStringLiteral("UPDATE sprzet SET ARCHIWUM='T' WHERE IDSPRZETU=7"));
        QVERIFY(m_db->locate(QStringLiteral("DBFKomputery"), {3}));
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            child<QTabWidget>(w, "PageControl1")->setCurrentIndex(TfKomputery::Sprzet);
            SubList* list = m_computers->subList(TfKomputery::Sprzet);
            seen << QString::number(list->model()->rowCount()) << list->text(QStringLiteral("NREWID"));
            click(w, "SprzetPodglad");
        });
        script.add(QStringLiteral("TfSprzet"), [&](QWidget* w) {
            seen << child<QLineEdit>(w, "fNREWID")->text()
                 << QString::number(child<QLineEdit>(w, "fNAZWA")->isReadOnly());
            click(w, "SBAnuluj");
        });
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) { click(w, "SBAnuluj"); });
        QVERIFY(m_commands->edit(QStringLiteral("komputery")));
        QCOMPARE(script.errors(), QStringList());
        QVERIFY(script.done());
        // Item 7 of computer 3 is liquidated: only item 1 is listed.
        QCOMPARE(seen, QStringList({"1", "SPRZ/001", "SPRZ/001", "1"}));
    }

    void computerTabPrintsTheItem()
    {
        m_db->DatabaseMain().exec(
            QStringLiteral("UPDATE sprzet SET DATAARCH=20240105, PRZYCZYNA='zużyty' WHERE IDSPRZETU=1"));
        m_db->DatabaseMain().exec(QStringLiteral("UPDATE sprzet SET ARCHIWUM='T' WHERE IDSPRZETU=7"));
        QString title, text;
        TfKomputery::Hooks hooks = m_computers->hooks();
        hooks.printRecord = [&](const QString& t, const QString& body) {
            title = t;
            text = body;
        };
        m_computers->setHooks(hooks);
        QVERIFY(m_db->locate(QStringLiteral("DBFKomputery"), {3}));
        ModalScript script;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            child<QTabWidget>(w, "PageControl1")->setCurrentIndex(TfKomputery::Sprzet);
            click(w, "SprzetDrukuj");
            click(w, "SBAnuluj");
        });
        QVERIFY(m_commands->edit(QStringLiteral("komputery")));
        QVERIFY(script.done());
        QCOMPARE(title, QStringLiteral("Sprzęt"));
        const QStringList lines = text.split(QChar(13));
        QCOMPARE(lines.mid(0, 5),
                 QStringList({"Data likwidacji: " + date("05-01-2024"), "Przyczyna likwidacji: zużyty", "",
                              "Numer ewidencyjny: SPRZ/001", "Numer seryjny: BRO223988"}));
        QVERIFY(lines.contains(
            QStringLiteral("Sprzęt przypisany do komputera: Komputer sekretariatu (KOMP/003) Dell")));
        QVERIFY(lines.contains(QStringLiteral("Klasyfikacja: Drukarka")));
        // An empty line, then the 14 properties under the captions of the item's class.
        QCOMPARE(lines.size(), 3 + 18 + 1 + 14);
        QVERIFY(lines[22].startsWith(QStringLiteral("Technologia druku: ")));
    }
};

QTEST_MAIN(TestSprzet)
#include "test_sprzet.moc"
