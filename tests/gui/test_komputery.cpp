#include "EditorTest.h"
#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "editors/SubList.h"
#include "editors/TfKomputery.h"
#include "shell/RecordCommands.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace EditorTest;

class TestKomputery : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfKomputery> m_editor;
    std::unique_ptr<RecordCommands> m_commands;
    const QString kList = QStringLiteral("DBFKomputery");

    QString scalar(const QString& sql) { return EditorTest::scalar(*m_db, sql); }
    void selectComputer(qint64 key) { QVERIFY(m_db->locate(kList, {key})); }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        QVERIFY(m_db->reloadList(kList));
        AppState::instance().rights.fill(true);
        Dialogs::startScript();
        m_editor = std::make_unique<TfKomputery>(*m_db);
        m_commands = std::make_unique<RecordCommands>(*m_db, *m_editor);
    }
    void cleanup()
    {
        m_commands.reset();
        m_editor.reset();
        Dialogs::stopScript();
        AppState::instance().rights.fill(false);
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void addDuplicateFixSaveThenFullEditor()
    {
        const QString before = scalar(QStringLiteral("SELECT COUNT(*) FROM komputery"));
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            auto* tabs = child<QTabWidget>(w, "PageControl1");
            seen << QString::number(tabs->currentIndex())
                 << QString::number(tabs->isTabVisible(TfKomputery::Wlasciwosci))
                 << child<QLineEdit>(w, "fNETTO")->text() << child<DateField>(w, "fDATAPROD")->dateText();
            setText(w, "fNREWID", QStringLiteral("KOMP/001")); // taken by a sample computer
            setText(w, "fNAZWA", QStringLiteral("Nowy \"laptop\"'); DROP TABLE komputery; --"));
            setText(w, "fDATAPROD", date("31-02-2020"));
            setText(w, "fNETTO", QStringLiteral("1234,56"));
            setText(w, "fVAT", QStringLiteral("0"));
            setText(w, "fBRUTTO", QStringLiteral("1234.56"));
            child<Lookup>(w, "fNREW")->setKey(QStringLiteral("P005"));
            child<Lookup>(w, "fSTANTECH")->setCurrentIndex(0);
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            seen << child<QLineEdit>(w, "fNREWID")->text(); // the entries are kept
            setText(w, "fNREWID", QStringLiteral("KOMP/NEW"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            auto* tabs = child<QTabWidget>(w, "PageControl1");
            seen << QString::number(tabs->currentIndex())
                 << QString::number(tabs->isTabVisible(TfKomputery::Terminy))
                 << child<QLabel>(w, "labWl1")->text() << child<QLineEdit>(w, "wlK1")->text();
            setText(w, "wlK1", QStringLiteral("i7 \"16\""));
            click(w, "SBZapisz");
        });
        QVERIFY(m_commands->add(QStringLiteral("komputery")));
        QCOMPARE(script.errors(), QStringList());
        QVERIFY(script.done());
        QCOMPARE(seen,
                 QStringList({QString::number(TfKomputery::Szczegoly), "0", "0,00", DateField::emptyText(),
                              "KOMP/001", QString::number(TfKomputery::Wlasciwosci), "1", "Procesor", ""}));
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown()[0].title, QStringLiteral("Uwaga"));
        QCOMPARE(Dialogs::shown()[0].text,
                 QStringLiteral("Istnieje już komputer o podanym numerze ewidencyjnym."));

        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM komputery")).toInt(), before.toInt() + 1);
        const QString key = scalar(QStringLiteral("SELECT MAX(IDKOMPUTERA) FROM komputery"));
        const QString where = QStringLiteral(" FROM komputery WHERE IDKOMPUTERA=") + key;
        QCOMPARE(scalar(QStringLiteral("SELECT NREWID") + where), QStringLiteral("KOMP/NEW"));
        QCOMPARE(scalar(QStringLiteral("SELECT NAZWA") + where),
                 QStringLiteral("Nowy \"laptop\"'); DROP TABLE komputery; --"));
        QCOMPARE(scalar(QStringLiteral("SELECT DATAPROD") + where), QStringLiteral("20200231"));
        QCOMPARE(scalar(QStringLiteral("SELECT DATAZAKUPU") + where), QStringLiteral("0"));
        QCOMPARE(scalar(QStringLiteral("SELECT NETTO") + where), QStringLiteral("1234.56"));
        QCOMPARE(scalar(QStringLiteral("SELECT BRUTTO") + where), QStringLiteral("1234.56"));
        QCOMPARE(scalar(QStringLiteral("SELECT IDFIRMY") + where), QStringLiteral("-1"));
        QCOMPARE(scalar(QStringLiteral("SELECT NREW") + where), QStringLiteral("P005"));
        QCOMPARE(scalar(QStringLiteral("SELECT LOKALIZACJA") + where), QStringLiteral("0"));
        QVERIFY(scalar(QStringLiteral("SELECT STANTECH") + where).toInt() > 0);
        QCOMPARE(scalar(QStringLiteral("SELECT ARCHIWUM") + where), QStringLiteral("N"));
        // Property rows created once, the first value saved by the edit that followed.
        const QString props = QStringLiteral(" FROM wlasciwosci WHERE KOMPSPRZET='K' AND IDOBIEKTU=") + key;
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*)") + props), QStringLiteral("14"));
        QCOMPARE(scalar(QStringLiteral("SELECT WARTOSC") + props + QStringLiteral(" AND LP=1")),
                 QStringLiteral("i7 \"16\""));
        // The list's cursor is on the new computer.
        QCOMPARE(QString::number(m_db->statement(kList).integer(QStringLiteral("IDKOMPUTERA"))), key);
    }

    void cancelledAddWritesNothing()
    {
        const QString before = scalar(QStringLiteral("SELECT COUNT(*) FROM komputery"));
        ModalScript script;
        script.add(QStringLiteral("TfKomputery"), [](QWidget* w) {
            setText(w, "fNREWID", QStringLiteral("X1"));
            setText(w, "fNAZWA", QStringLiteral("X"));
            click(w, "SBAnuluj");
        });
        m_commands->add(QStringLiteral("komputery"));
        QVERIFY(script.done());
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM komputery")), before);
    }

    void copyStartsWithTheSelectedNumber()
    {
        selectComputer(3);
        const QString before = scalar(QStringLiteral("SELECT COUNT(*) FROM komputery"));
        ModalScript script;
        QString number, name;
        bool propertiesShown = true;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            number = child<QLineEdit>(w, "fNREWID")->text();
            name = child<QLineEdit>(w, "fNAZWA")->text();
            propertiesShown = child<QTabWidget>(w, "PageControl1")->isTabVisible(TfKomputery::Wlasciwosci);
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfKomputery"), [](QWidget* w) { click(w, "SBAnuluj"); });
        QVERIFY(m_commands->copy(QStringLiteral("komputery")));
        QVERIFY(script.done());
        QCOMPARE(number, QStringLiteral("KOMP/003"));
        QCOMPARE(name, QStringLiteral("Komputer sekretariatu"));
        QVERIFY(!propertiesShown);
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown()[0].text,
                 QStringLiteral("Istnieje już komputer o podanym numerze ewidencyjnym."));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM komputery")), before);
    }

    void editWithAnUnchangedNumber()
    {
        selectComputer(2);
        ModalScript script;
        QString netto;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            netto = child<QLineEdit>(w, "fNETTO")->text();
            setText(w, "fNAZWA", QStringLiteral("Laptop prezesa"));
            setText(w, "wlK2", QStringLiteral("32 GB"));
            click(w, "SBZapisz");
        });
        QVERIFY(m_commands->edit(QStringLiteral("komputery")));
        QVERIFY(script.done());
        QCOMPARE(netto, QStringLiteral("7400,00")); // the program's decimal comma, whatever the system
        QCOMPARE(Dialogs::shown().size(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT NAZWA FROM komputery WHERE IDKOMPUTERA=2")),
                 QStringLiteral("Laptop prezesa"));
        QCOMPARE(scalar(QStringLiteral("SELECT NREWID FROM komputery WHERE IDKOMPUTERA=2")),
                 QStringLiteral("KOMP/002"));
        QCOMPARE(scalar(QStringLiteral(
                     "SELECT WARTOSC FROM wlasciwosci WHERE KOMPSPRZET='K' AND IDOBIEKTU=2 AND LP=2")),
                 QStringLiteral("32 GB"));
        QCOMPARE(m_db->statement(kList).integer(QStringLiteral("IDKOMPUTERA")), 2);

        // Another computer's number is refused, then the edit is cancelled.
        selectComputer(2);
        ModalScript again;
        again.add(QStringLiteral("TfKomputery"), [](QWidget* w) {
            setText(w, "fNREWID", QStringLiteral("KOMP/001"));
            click(w, "SBZapisz");
        });
        again.add(QStringLiteral("TfKomputery"), [](QWidget* w) { click(w, "SBAnuluj"); });
        m_commands->edit(QStringLiteral("komputery"));
        QVERIFY(again.done());
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT NREWID FROM komputery WHERE IDKOMPUTERA=2")),
                 QStringLiteral("KOMP/002"));
    }

    void previewIsReadOnly()
    {
        selectComputer(1);
        const QString before =
            scalar(QStringLiteral("SELECT NAZWA||NREWID||NETTO FROM komputery WHERE IDKOMPUTERA=1"));
        ModalScript script;
        QStringList state;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            state << QString::number(child<QLineEdit>(w, "fNREWID")->isReadOnly())
                  << QString::number(child<QLineEdit>(w, "fNETTO")->isReadOnly())
                  << QString::number(child<Lookup>(w, "fSTANTECH")->isEnabled())
                  << QString::number(child<QPushButton>(w, "SBZapisz")->isVisible())
                  << child<QPushButton>(w, "SBAnuluj")->text() << child<QPushButton>(w, "SBAnuluj")->toolTip()
                  << QString::number(child<QToolButton>(w, "goToSlownik1")->isVisible());
            auto* tabs = child<QTabWidget>(w, "PageControl1");
            tabs->setCurrentIndex(TfKomputery::Uzytkownicy);
            state << QString::number(child<QPushButton>(w, "UzytkownicyPodglad")->isVisible())
                  << QString::number(child<QPushButton>(w, "UzytkownicyDrukuj")->isVisible())
                  << QString::number(child<QPushButton>(w, "UzytkownicyDodaj")->isEnabled());
            setText(w, "fNAZWA", QStringLiteral("zmiana"));
            QTest::keyClick(child<QLineEdit>(w, "fNETTO"), Qt::Key_Return); // Enter does not save a preview
            click(w, "SBAnuluj");
        });
        QVERIFY(m_commands->preview(QStringLiteral("komputery")));
        QVERIFY(script.done());
        QCOMPARE(state, QStringList({"1", "1", "0", "0", "&OK", "Zamknij", "0", "1", "1", "0"}));
        QVERIFY(!m_editor->saved());
        QCOMPARE(scalar(QStringLiteral("SELECT NAZWA||NREWID||NETTO FROM komputery WHERE IDKOMPUTERA=1")),
                 before);
        // Switched back afterwards.
        QVERIFY(!m_editor->findChild<QLineEdit*>(QStringLiteral("fNREWID"))->isReadOnly());
        QCOMPARE(m_editor->findChild<QPushButton*>(QStringLiteral("SBAnuluj"))->text(),
                 QStringLiteral("&Anuluj"));
    }

    void saveChecksInOrder_data()
    {
        QTest::addColumn<QString>("nrewid");
        QTest::addColumn<QString>("nazwa");
        QTest::addColumn<QString>("prod");
        QTest::addColumn<QString>("zakup");
        QTest::addColumn<QString>("brutto");
        QTest::addColumn<QString>("message"); // empty: saved
        QTest::newRow("no number") << " "
                                   << ""
                                   << ""
                                   << ""
                                   << "0"
                                   << "Nie wprowadzono numeru ewidencyjnego komputera. Popraw pole.";
        QTest::newRow("no name") << "K1"
                                 << "  "
                                 << "32-01-2020"
                                 << ""
                                 << "0"
                                 << "Nie wprowadzono nazwy komputera. Popraw pole.";
        QTest::newRow("day 32") << "K1"
                                << "A"
                                << "32-01-2020"
                                << ""
                                << "0"
                                << "Niepoprawny format daty produkcji. Popraw pole.";
        QTest::newRow("year 999") << "K1"
                                  << "A"
                                  << "01-01-0999"
                                  << ""
                                  << "0"
                                  << "Niepoprawny format daty produkcji. Popraw pole.";
        QTest::newRow("half a date") << "K1"
                                     << "A"
                                     << "12-1"
                                     << ""
                                     << "0"
                                     << "Niepoprawny format daty produkcji. Popraw pole.";
        QTest::newRow("month 13") << "K1"
                                  << "A"
                                  << ""
                                  << "01-13-2020"
                                  << "0"
                                  << "Niepoprawny format daty zakupu komputera. Popraw pole.";
        QTest::newRow("amounts off") << "K1"
                                     << "A"
                                     << ""
                                     << ""
                                     << "0.01"
                                     << "Wprowadzone kwoty nie zgadzają się. Popraw pola.";
        QTest::newRow("31 February passes") << "K1"
                                            << "A"
                                            << "31-02-2020"
                                            << "29-02-2021"
                                            << "0"
                                            << "";
    }
    void saveChecksInOrder()
    {
        QFETCH(QString, nrewid);
        QFETCH(QString, nazwa);
        QFETCH(QString, prod);
        QFETCH(QString, zakup);
        QFETCH(QString, brutto);
        QFETCH(QString, message);
        m_editor->reopenLookups();
        m_editor->prepareNew();
        m_editor->setText(QStringLiteral("NREWID"), nrewid);
        m_editor->setText(QStringLiteral("NAZWA"), nazwa);
        m_editor->setText(QStringLiteral("DATAPROD"), date(prod.toLatin1().constData()));
        m_editor->setText(QStringLiteral("DATAZAKUPU"), date(zakup.toLatin1().constData()));
        {
            auto* gross = m_editor->findChild<QLineEdit*>(QStringLiteral("fBRUTTO"));
            const QSignalBlocker block(gross);
            gross->setText(brutto);
        }
        m_editor->SBZapiszClick();
        QCOMPARE(m_editor->saved(), message.isEmpty());
        QCOMPARE(Dialogs::shown().size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(Dialogs::shown()[0].text, message);
        else
            QCOMPARE(m_editor->date(QStringLiteral("DATAPROD")), 20200231);
    }

    void usersAreAddedEditedAndRemoved()
    {
        selectComputer(4);
        const QString users = QStringLiteral("SELECT COUNT(*) FROM r_kompprac WHERE IDKOMPUTERA=4");
        const int before = scalar(users).toInt();
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            child<QTabWidget>(w, "PageControl1")->setCurrentIndex(TfKomputery::Uzytkownicy);
            SubList* list = m_editor->subList(TfKomputery::Uzytkownicy);
            seen << QString::number(list->model()->rowCount());
            click(w, "UzytkownicyDodaj"); // added
            click(w, "UzytkownicyDodaj"); // the same person again: refused, then cancelled
            seen << QString::number(list->model()->rowCount()) << list->text(QStringLiteral("NREW"));
            click(w, "UzytkownicyEdytuj");
            seen << list->text(QStringLiteral("LOGIN"));
            Dialogs::setNextAnswer(true);
            click(w, "UzytkownicyUsun");
            seen << QString::number(list->model()->rowCount());
            click(w, "SBAnuluj");
        });
        script.add(QStringLiteral("TfUzytkownicy"), [](QWidget* w) {
            child<Lookup>(w, "fNREW")->setKey(QStringLiteral("P007"));
            setText(w, "fLOGIN", QStringLiteral("jan'; --"));
            setText(w, "fHASLO", QStringLiteral("tajne\"1"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfUzytkownicy"), [](QWidget* w) {
            click(w, "SBZapisz"); // nobody chosen yet
            child<Lookup>(w, "fNREW")->setKey(QStringLiteral("P007"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfUzytkownicy"), [](QWidget* w) { click(w, "SBAnuluj"); });
        script.add(QStringLiteral("TfUzytkownicy"), [&](QWidget* w) {
            seen << QString::number(child<Lookup>(w, "fNREW")->isEnabled())
                 << child<QLineEdit>(w, "fLOGIN")->text();
            setText(w, "fLOGIN", QStringLiteral("jnowak"));
            click(w, "SBZapisz");
        });
        m_commands->edit(QStringLiteral("komputery"));
        QCOMPARE(script.errors(), QStringList());
        QVERIFY(script.done());
        const QList<Dialogs::Shown> shown = Dialogs::shown();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[0].text,
                 QStringLiteral("Nie wskazano pracownika użytkującego komputer. Popraw pole."));
        QCOMPARE(shown[1].text, QStringLiteral("Wskazana osoba jest już przypisana do komputera."));
        QCOMPARE(shown[2].text, QStringLiteral("Czy na pewno usunąć zaznaczoną pozycję?"));
        QCOMPARE(seen, QStringList({QString::number(before), QString::number(before + 1), "P007", "0",
                                    "jan'; --", "jnowak", QString::number(before)}));
        QCOMPARE(scalar(users).toInt(), before);
    }

    // Each row picks a computer that has rows of the tab's kind.
    void listTabsShowTheComputersRows_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("owner");
        QTest::addColumn<QString>("count");
        QTest::newRow("users") << int(TfKomputery::Uzytkownicy) << "SELECT MIN(IDKOMPUTERA) FROM r_kompprac"
                               << "SELECT COUNT(*) FROM r_kompprac WHERE IDKOMPUTERA=%1";
        QTest::newRow("licences") << int(TfKomputery::Oprogramowanie)
                                  << "SELECT MIN(IDKOMPUTERA) FROM r_lickomp"
                                  << "SELECT COUNT(*) FROM r_lickomp WHERE IDKOMPUTERA=%1";
        QTest::newRow("equipment") << int(TfKomputery::Sprzet)
                                   << "SELECT MAX(IDKOMPUTERA) FROM sprzet WHERE ARCHIWUM='N'"
                                   << "SELECT COUNT(*) FROM sprzet WHERE IDKOMPUTERA=%1 AND ARCHIWUM='N'";
        QTest::newRow("deadlines") << int(TfKomputery::Terminy)
                                   << "SELECT MIN(IDOBIEKTU) FROM terminy WHERE CZEGODOTYCZY='K'"
                                   << "SELECT COUNT(*) FROM terminy WHERE IDOBIEKTU=%1 AND CZEGODOTYCZY='K'";
        QTest::newRow("repairs") << int(TfKomputery::Naprawy)
                                 << "SELECT MIN(IDOBIEKTU) FROM naprawy WHERE KOMPSPRZ='K'"
                                 << "SELECT COUNT(*) FROM naprawy WHERE IDOBIEKTU=%1 AND KOMPSPRZ='K'";
        QTest::newRow("documents")
            << int(TfKomputery::Dokumenty) << "SELECT MIN(IDOBIEKTU) FROM dokumenty WHERE CZEGODOTYCZY='K'"
            << "SELECT COUNT(*) FROM dokumenty WHERE IDOBIEKTU=%1 AND CZEGODOTYCZY='K'";
        QTest::newRow("history") << int(TfKomputery::Historia)
                                 << "SELECT MIN(IDOBIEKTU) FROM historia WHERE KOMPSPRZ='K'"
                                 << "SELECT COUNT(*) FROM historia WHERE IDOBIEKTU=%1 AND KOMPSPRZ='K'";
        QTest::newRow("attachments")
            << int(TfKomputery::Zalaczniki) << "SELECT MIN(IDOBIEKTU) FROM zalaczniki WHERE CZEGODOTYCZY='K'"
            << "SELECT COUNT(*) FROM zalaczniki WHERE IDOBIEKTU=%1 AND CZEGODOTYCZY='K'";
    }
    void listTabsShowTheComputersRows()
    {
        QFETCH(int, tab);
        QFETCH(QString, owner);
        QFETCH(QString, count);
        // The sample has no attachments of computers: two are added, one of another kind.
        m_db->DatabaseMain().exec(QStringLiteral(
            "INSERT INTO zalaczniki "
            "(IDOBIEKTU,CZEGODOTYCZY,NAZWAZALACZNIKA,RDZAL,DATADODANIA,NAZWAPLIKU,INNE) "
            "VALUES (3,'K','Faktura',0,20240101,'f.pdf',''),(3,'S','Inny',0,20240101,'g.pdf','')"));
        const qint64 key = scalar(owner).toLongLong();
        const int expected = scalar(count.arg(key)).toInt();
        QVERIFY(expected > 0);
        selectComputer(key);
        const ListState::Entry mainDeadlines = m_db->listState().entry(QStringLiteral("DBFTerminy"));
        ModalScript script;
        int rows = -1;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            child<QTabWidget>(w, "PageControl1")->setCurrentIndex(tab);
            rows = m_editor->subList(TfKomputery::Tab(tab))->model()->rowCount();
            click(w, "SBAnuluj");
        });
        m_commands->edit(QStringLiteral("komputery"));
        QVERIFY(script.done());
        QCOMPARE(rows, expected);
        // The register lists of the main window keep their own conditions.
        QVERIFY(m_db->listState().entry(QStringLiteral("DBFTerminy")) == mainDeadlines);
    }

    void rightsDecideTabsAndButtons()
    {
        AppState::instance().rights.fill(false);
        for (int r : {1, 2, 7})
            AppState::instance().rights[size_t(r)] = true;
        selectComputer(1);
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            auto* tabs = child<QTabWidget>(w, "PageControl1");
            seen << QString::number(child<QToolButton>(w, "goToSlownik1")->isVisibleTo(w))
                 << QString::number(tabs->isTabVisible(TfKomputery::Terminy))
                 << QString::number(child<QPushButton>(w, "TerminyDodaj")->isEnabled())
                 << QString::number(tabs->isTabVisible(TfKomputery::Naprawy))
                 << QString::number(tabs->isTabVisible(TfKomputery::Uzytkownicy));
            click(w, "SBAnuluj");
        });
        m_commands->edit(QStringLiteral("komputery"));
        QVERIFY(script.done());
        QCOMPARE(seen, QStringList({"0", "1", "0", "0", "1"}));

        AppState::instance().rights[12] = true;
        AppState::instance().rights[8] = true;
        ModalScript again;
        again.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            seen << QString::number(child<QToolButton>(w, "goToSlownik1")->isVisibleTo(w))
                 << QString::number(child<QPushButton>(w, "TerminyDodaj")->isEnabled());
            click(w, "SBAnuluj");
        });
        m_commands->edit(QStringLiteral("komputery"));
        QCOMPARE(seen.mid(5), QStringList({"1", "1"}));
    }

    void lastNumberAndClearingButtons()
    {
        m_editor->reopenLookups();
        m_editor->prepareNew();
        m_editor->SpeedButton4Click();
        QCOMPARE(m_editor->text(QStringLiteral("NREWID")),
                 scalar(QStringLiteral("SELECT NREWID FROM komputery ORDER BY IDKOMPUTERA DESC LIMIT 1")));
        selectComputer(1);
        m_editor->fillFromRow(m_db->statement(kList));
        QVERIFY(m_editor->key(QStringLiteral("IDFIRMY")).isValid());
        m_editor->findChild<QToolButton*>(QStringLiteral("SpeedButton8"))->click();
        QVERIFY(!m_editor->key(QStringLiteral("IDFIRMY")).isValid());
        m_editor->findChild<QToolButton*>(QStringLiteral("SpeedButton7"))->click();
        QVERIFY(!m_editor->findChild<Lookup*>(QStringLiteral("fLOKALIZACJA"))->hasChoice());
    }

    void liquidatedComputerOpensOnItsTab()
    {
        m_db->DatabaseMain().exec(QStringLiteral(
            "UPDATE komputery SET ARCHIWUM='T',DATAARCH=20240105,PRZYCZYNA='Zalany' WHERE IDKOMPUTERA=5"));
        m_db->listState().setArchive(true);
        QVERIFY(m_db->reloadList(kList));
        selectComputer(5);
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            auto* tabs = child<QTabWidget>(w, "PageControl1");
            seen << QString::number(tabs->currentIndex()) << child<DateField>(w, "fDATAARCH")->dateText()
                 << child<QLineEdit>(w, "fPRZYCZYNA")->text();
            click(w, "SBAnuluj");
        });
        m_commands->preview(QStringLiteral("komputery"));
        QVERIFY(script.done());
        QCOMPARE(seen,
                 QStringList({QString::number(TfKomputery::Zlikwidowany), date("05-01-2024"), "Zalany"}));
    }
};

QTEST_MAIN(TestKomputery)
#include "test_komputery.moc"
