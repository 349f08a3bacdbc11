#include "EditorTest.h"
#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "editors/SoftwareEditor.h"
#include "editors/SubList.h"
#include "editors/TfDodajOprogramowanie.h"
#include "editors/TfKomputery.h"
#include "registers/TfMain.h"
#include "shell/MainCommands.h"
#include "shell/RecordCommands.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <algorithm>

using namespace EditorTest;

// The program and licence editors from the main window's commands, the links
// between them from both editors, and installing a licence from the computer
// editor until its seats run out.
class TestOprogramowanie : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfKomputery> m_computers;
    std::unique_ptr<RecordCommands> m_commands;

    QString scalar(const QString& sql) { return EditorTest::scalar(*m_db, sql); }
    QString lastMessage() const
    {
        const auto shown = Dialogs::shown();
        return shown.isEmpty() ? QString() : shown.last().text;
    }
    static void openTab(QWidget* editor, const char* page)
    {
        auto* tabs = child<QTabWidget>(editor, "PageControl1");
        tabs->setCurrentWidget(child<QWidget>(editor, page));
    }
    static QString currentTab(QWidget* editor)
    {
        return child<QTabWidget>(editor, "PageControl1")->currentWidget()->objectName();
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        for (const char* list : {"DBFProgramy", "DBFLicencje", "DBFKomputery"})
            QVERIFY(m_db->reloadList(QLatin1String(list)));
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

    void programAddLoopsOnADuplicateNumberThenOpensOnItsLicences()
    {
        const QString name = QStringLiteral("Księgowość „Plus” 'Ż' \"pro\"");
        ModalScript script;
        QString kept, reopenedOn;
        script.add(QStringLiteral("TfProgramy"), [&](QWidget* w) {
            click(w, "SBZapisz"); // no name
            QCOMPARE(lastMessage(), QStringLiteral("Nie wprowadzono nazwy programu. Popraw pole."));
            QVERIFY(w->isVisible());
            setText(w, "fNREWID", QStringLiteral("PROG/001")); // a sample program's number
            setText(w, "fNAZWA", name);
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfProgramy"), [&](QWidget* w) {
            kept = child<QLineEdit>(w, "fNAZWA")->text();
            setText(w, "fNREWID", QStringLiteral("PROG/100"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfProgramy"), [&](QWidget* w) {
            reopenedOn = currentTab(w);
            static_cast<QDialog*>(w)->reject();
        });
        QVERIFY(m_commands->add(QStringLiteral("programy")));
        QVERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QVERIFY(Dialogs::shown().size() >= 2);
        QCOMPARE(Dialogs::shown().at(1).text,
                 QStringLiteral("Istnieje już program o podanym numerze ewidencyjnym."));
        QCOMPARE(kept, name);
        QCOMPARE(reopenedOn, QStringLiteral("TSLicProg"));
        QCOMPARE(scalar(QStringLiteral("SELECT NAZWA FROM programy WHERE NREWID='PROG/100'")), name);
        QCOMPARE(scalar(QStringLiteral("SELECT IDFIRMY FROM programy WHERE NREWID='PROG/100'")),
                 QStringLiteral("-1"));
    }

    void licenceKeepsKeysAndPasswordsAndLinksAProgram()
    {
        const QString key = QStringLiteral("AB'C\"D-ŻÓŁĆ-%_;");
        const QString password = QStringLiteral("p@ss'\"ąę ");
        ModalScript script;
        QStringList refusals;
        QString shownKey, shownPassword;
        int links = -1;
        bool licenceLocked = false;
        script.add(QStringLiteral("TfLicencje"), [&](QWidget* w) {
            setText(w, "fNREWID", QStringLiteral("LIC/100"));
            setText(w, "fNRLICENCJI", QStringLiteral("Ł-2026"));
            setText(w, "fKLUCZ", key);
            setText(w, "fHASLO", password);
            setText(w, "fDATAZAKUPU", date("31-13-2025"));
            click(w, "SBZapisz");
            refusals << lastMessage();
            setText(w, "fDATAZAKUPU", date("31-12-2025"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfLicencje"), [&](QWidget* w) {
            shownKey = child<QLineEdit>(w, "fKLUCZ")->text();
            shownPassword = child<QLineEdit>(w, "fHASLO")->text();
            QCOMPARE(currentTab(w), QStringLiteral("TSLicProg"));
            click(w, "LicProgDodaj");
            links = child<QTableView>(w, "LicProgGrid")->model()->rowCount();
            static_cast<QDialog*>(w)->reject();
        });
        script.add(QStringLiteral("TfLicProg"), [&](QWidget* d) {
            licenceLocked = !child<Lookup>(d, "fLICENCJA")->isEnabled() &&
                            child<Lookup>(d, "fLICENCJA")->currentText() == QStringLiteral("Ł-2026");
            QCOMPARE(child<QLineEdit>(d, "fILOSCLIC")->text(), QStringLiteral("1"));
            for (const char* bad : {"0", "2,5", "-1", "x"}) {
                setText(d, "fILOSCLIC", QLatin1String(bad));
                click(d, "SBZapisz");
                refusals << lastMessage();
            }
            setText(d, "fILOSCLIC", QStringLiteral("3"));
            click(d, "SBZapisz");
            refusals << lastMessage();
            child<Lookup>(d, "fPROGRAM")->setKey(qint64(2));
            click(d, "SBZapisz");
        });
        QVERIFY(m_commands->add(QStringLiteral("licencje")));
        QVERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QCOMPARE(refusals,
                 (QStringList{QStringLiteral("Niepoprawny format daty zakupu licencji. Popraw pole."),
                              QStringLiteral("Niepoprawna ilość licencji. Popraw pole."),
                              QStringLiteral("Niepoprawna ilość licencji. Popraw pole."),
                              QStringLiteral("Niepoprawna ilość licencji. Popraw pole."),
                              QStringLiteral("Niepoprawna ilość licencji. Popraw pole."),
                              QStringLiteral("Nie wskazano oprogramowania. Popraw pole.")}));
        QVERIFY(licenceLocked);
        QCOMPARE(links, 1);
        QCOMPARE(shownKey, key);
        QCOMPARE(shownPassword, password);
        const QString id = scalar(QStringLiteral("SELECT IDLICENCJI FROM licencje WHERE NREWID='LIC/100'"));
        QCOMPARE(scalar(QStringLiteral("SELECT KLUCZ FROM licencje WHERE IDLICENCJI=") + id), key);
        QCOMPARE(scalar(QStringLiteral("SELECT HASLO FROM licencje WHERE IDLICENCJI=") + id), password);
        QCOMPARE(scalar(QStringLiteral("SELECT DATAZAKUPU FROM licencje WHERE IDLICENCJI=") + id),
                 QStringLiteral("20251231"));
        QCOMPARE(
            scalar(QStringLiteral("SELECT ILOSCLIC||WIELOSTAN||ACT FROM r_licprog WHERE IDPROGRAMU=2 AND "
                                  "IDLICENCJI=") +
                   id),
            QStringLiteral("3NT"));
    }

    // "Drukuj" on the licence's program list prints the chosen link as a record sheet.
    void linkListPrintsItsRowAsARecordSheet()
    {
        QString title, text;
        m_commands->context().printRecord = [&](const QString& t, const QString& body) {
            title = t;
            text = body;
        };
        const QString id = scalar(QStringLiteral("SELECT MIN(IDLICENCJI) FROM r_licprog"));
        const QString program = scalar(
            QStringLiteral("SELECT NAZWA FROM programy WHERE IDPROGRAMU=(SELECT IDPROGRAMU FROM r_licprog "
                           "WHERE IDLICENCJI=") +
            id + QStringLiteral(" ORDER BY IDPROGRAMU LIMIT 1)"));
        QVERIFY(!program.isEmpty());
        QVERIFY(m_db->locate(QStringLiteral("DBFLicencje"), {id.toLongLong()}));
        bool enabled = false;
        ModalScript script;
        script.add(QStringLiteral("TfLicencje"), [&](QWidget* w) {
            openTab(w, "TSLicProg");
            enabled = child<QPushButton>(w, "LicProgDrukuj")->isEnabled();
            click(w, "LicProgDrukuj");
            static_cast<QDialog*>(w)->reject();
        });
        QVERIFY(m_commands->edit(QStringLiteral("licencje")));
        QVERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QVERIFY(enabled);
        QCOMPARE(title, QStringLiteral("Licencja na program"));
        QVERIFY2(text.contains(QStringLiteral("Program: ") + program), qPrintable(text));
    }

    void programEditorLinksAnUnlimitedLicence()
    {
        QVERIFY(m_db->locate(QStringLiteral("DBFProgramy"), {qint64(2)}));
        ModalScript script;
        bool programLocked = false, countDisabled = false, ownLicenceOffered = true;
        QString count;
        script.add(QStringLiteral("TfProgramy"), [&](QWidget* w) {
            openTab(w, "TSLicProg");
            click(w, "LicProgDodaj");
            static_cast<QDialog*>(w)->reject();
        });
        script.add(QStringLiteral("TfLicProg"), [&](QWidget* d) {
            auto* licences = child<Lookup>(d, "fLICENCJA");
            programLocked =
                !child<Lookup>(d, "fPROGRAM")->isEnabled() &&
                child<Lookup>(d, "fPROGRAM")->currentText().startsWith(QStringLiteral("Windows Server"));
            QVERIFY(licences->isEnabled());
            QVERIFY(!licences->hasChoice());
            licences->setKey(qint64(2)); // already linked to this program: not offered
            ownLicenceOffered = licences->hasChoice();
            child<QCheckBox>(d, "fWIELOSTAN")->click();
            countDisabled = !child<QLineEdit>(d, "fILOSCLIC")->isEnabled();
            count = child<QLineEdit>(d, "fILOSCLIC")->text();
            click(d, "SBZapisz");
            QCOMPARE(lastMessage(), QStringLiteral("Nie wskazano licencji. Popraw pole."));
            licences->setKey(qint64(7));
            click(d, "SBZapisz");
        });
        QVERIFY(m_commands->edit(QStringLiteral("programy")));
        QVERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QVERIFY(programLocked);
        QVERIFY(!ownLicenceOffered);
        QVERIFY(countDisabled);
        QCOMPARE(count, QStringLiteral("0"));
        QCOMPARE(scalar(QStringLiteral(
                     "SELECT ILOSCLIC||WIELOSTAN FROM r_licprog WHERE IDPROGRAMU=2 AND IDLICENCJI=7")),
                 QStringLiteral("0T"));
    }

    void aLinkOfALiquidatedLicenceCanStillBeEdited()
    {
        m_db->DatabaseMain().exec(
            QStringLiteral("UPDATE licencje SET ARCHIWUM='T',DATAARCH=20250101 WHERE IDLICENCJI=5"));
        QVERIFY(m_db->locate(QStringLiteral("DBFProgramy"), {qint64(6)}));
        ModalScript script;
        QString shown;
        script.add(QStringLiteral("TfProgramy"), [&](QWidget* w) {
            openTab(w, "TSLicProg");
            click(w, "LicProgEdytuj");
            static_cast<QDialog*>(w)->reject();
        });
        script.add(QStringLiteral("TfLicProg"), [&](QWidget* d) {
            shown = child<Lookup>(d, "fLICENCJA")->currentText();
            setText(d, "fILOSCLIC", QStringLiteral("4"));
            click(d, "SBZapisz");
        });
        QVERIFY(m_commands->edit(QStringLiteral("programy")));
        QVERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QCOMPARE(shown, QStringLiteral("KP-2024-0007"));
        QCOMPARE(scalar(QStringLiteral("SELECT ILOSCLIC FROM r_licprog WHERE IDPROGRAMU=6 AND IDLICENCJI=5")),
                 QStringLiteral("4"));
    }

    void editingALinkAndDeletingItWithItsInstallations()
    {
        QVERIFY(m_db->locate(QStringLiteral("DBFLicencje"), {qint64(5)}));
        const QString others = scalar(QStringLiteral("SELECT COUNT(*) FROM r_lickomp WHERE IDLICENCJI<>5"));
        QVERIFY(scalar(QStringLiteral("SELECT COUNT(*) FROM r_lickomp WHERE IDLICENCJI=5")).toInt() > 0);
        ModalScript script;
        script.add(QStringLiteral("TfLicencje"), [&](QWidget* w) {
            openTab(w, "TSLicProg");
            QCOMPARE(child<QTableView>(w, "LicProgGrid")->model()->rowCount(), 1);
            click(w, "LicProgEdytuj");
            QCOMPARE(scalar(QStringLiteral("SELECT ILOSCLIC FROM r_licprog WHERE IDLICENCJI=5")),
                     QStringLiteral("2"));
            Dialogs::setNextAnswer(true);
            click(w, "LicProgUsun");
            QCOMPARE(child<QTableView>(w, "LicProgGrid")->model()->rowCount(), 0);
            static_cast<QDialog*>(w)->reject();
        });
        script.add(QStringLiteral("TfLicProg"), [&](QWidget* d) {
            QVERIFY(!child<Lookup>(d, "fLICENCJA")->isEnabled());
            QVERIFY(!child<Lookup>(d, "fPROGRAM")->isEnabled());
            QCOMPARE(child<QLineEdit>(d, "fILOSCLIC")->text(), QStringLiteral("3"));
            setText(d, "fILOSCLIC", QStringLiteral("2"));
            click(d, "SBZapisz");
        });
        QVERIFY(m_commands->edit(QStringLiteral("licencje")));
        QVERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QCOMPARE(Dialogs::shown().last().text, QStringLiteral("Czy napewno usunąć zaznaczoną pozycję?"));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM r_licprog WHERE IDLICENCJI=5")),
                 QStringLiteral("0"));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM r_lickomp WHERE IDLICENCJI=5")),
                 QStringLiteral("0"));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM r_lickomp WHERE IDLICENCJI<>5")), others);
    }

    void installingFromTheComputerEditorUntilTheLicenceIsFull()
    {
        // Licence 5 covers program 6 on 3 computers, 2 of them taken; licence 7 is unlimited.
        m_db->DatabaseMain().exec(QStringLiteral("DELETE FROM r_lickomp WHERE IDLICENCJI=5"));
        m_db->DatabaseMain().exec(
            QStringLiteral("INSERT INTO r_lickomp (IDPROGRAMU,IDLICENCJI,IDKOMPUTERA,ACT) "
                           "VALUES (6,5,4,'T'),(6,5,5,'T')"));
        QStringList seats;
        int rowsAdded = 0;
        const auto pick = [&](qint64 program, qint64 licence) {
            return [&, program, licence](QWidget* d) {
                auto* dialog = static_cast<TfDodajOprogramowanie*>(d);
                dialog->choose(program, licence);
                seats << dialog->freeSeatsText();
                click(d, "SBDodaj");
            };
        };
        const auto close = [](QWidget* d) { static_cast<QDialog*>(d)->reject(); };
        const auto installTwice = [&](QWidget* w) {
            openTab(w, "TSLicKomp");
            const int before = child<QTableView>(w, "LicKompGrid")->model()->rowCount();
            click(w, "OprogramowanieDodaj");
            click(w, "OprogramowanieDodaj");
            rowsAdded = child<QTableView>(w, "LicKompGrid")->model()->rowCount() - before;
            close(w);
        };

        // Computer 1 takes the last seat; the same link twice is refused.
        QVERIFY(m_db->locate(QStringLiteral("DBFKomputery"), {qint64(1)}));
        {
            ModalScript script;
            script.add(QStringLiteral("TfKomputery"), installTwice);
            script.add(QStringLiteral("TfDodajOprogramowanie"), pick(6, 5));
            script.add(QStringLiteral("TfDodajOprogramowanie"), pick(6, 5));
            script.add(QStringLiteral("TfDodajOprogramowanie"), close);
            QVERIFY(m_commands->edit(QStringLiteral("komputery")));
            QVERIFY(script.done());
            QVERIFY2(script.errors().isEmpty(), qPrintable(script.errors().join(QLatin1Char(';'))));
        }
        QCOMPARE(rowsAdded, 1);
        QCOMPARE(lastMessage(), QStringLiteral("Wskazane oprogramowanie już istnieje."));

        // Computer 2 finds the licence full and takes the unlimited one instead.
        QVERIFY(m_db->locate(QStringLiteral("DBFKomputery"), {qint64(2)}));
        {
            ModalScript script;
            script.add(QStringLiteral("TfKomputery"), installTwice);
            script.add(QStringLiteral("TfDodajOprogramowanie"), pick(6, 5));
            script.add(QStringLiteral("TfDodajOprogramowanie"), pick(8, 7));
            script.add(QStringLiteral("TfDodajOprogramowanie"), close);
            QVERIFY(m_commands->edit(QStringLiteral("komputery")));
            QVERIFY(script.done());
            QVERIFY2(script.errors().isEmpty(), qPrintable(script.errors().join(QLatin1Char(';'))));
        }
        QCOMPARE(rowsAdded, 1);
        const auto shown = Dialogs::shown();
        QVERIFY(std::any_of(shown.begin(), shown.end(), [](const Dialogs::Shown& s) {
            return s.text ==
                   QStringLiteral("Wskazane oprogramowanie zostało już zainstalowane na maksymalnej ilości "
                                  "komputerów. Nie ma więcej wolnych licencji na wskazane oprogramowanie.");
        }));
        QCOMPARE(seats.size(), 4);
        QCOMPARE(seats.at(0), QStringLiteral("Wolne licencje: 1 z 3 (zainstalowano 2)"));
        QCOMPARE(seats.at(2), QStringLiteral("Wolne licencje: 0 z 3 (zainstalowano 3)"));
        QVERIFY(seats.at(3).startsWith(QStringLiteral("Wolne licencje: bez ograniczeń")));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM r_lickomp WHERE IDLICENCJI=5 AND IDPROGRAMU=6")),
                 QStringLiteral("3"));
        QCOMPARE(
            scalar(QStringLiteral("SELECT COUNT(*) FROM r_lickomp WHERE IDKOMPUTERA=2 AND IDLICENCJI=7 AND "
                                  "IDPROGRAMU=8")),
            QStringLiteral("1"));
    }

    void anEmptyInstallationListStaysOpen()
    {
        m_db->DatabaseMain().exec(QStringLiteral("DELETE FROM r_licprog"));
        QVERIFY(m_db->locate(QStringLiteral("DBFKomputery"), {qint64(1)}));
        ModalScript script;
        bool stayed = false;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            openTab(w, "TSLicKomp");
            click(w, "OprogramowanieDodaj");
            static_cast<QDialog*>(w)->reject();
        });
        script.add(QStringLiteral("TfDodajOprogramowanie"), [&](QWidget* d) {
            click(d, "SBDodaj");
            stayed = d->isVisible() && lastMessage() == QStringLiteral("Brak oprogramowania.");
            static_cast<QDialog*>(d)->reject();
        });
        QVERIFY(m_commands->edit(QStringLiteral("komputery")));
        QVERIFY(script.done());
        QVERIFY(stayed);
    }

    void previewIsReadOnlyAndWritesNothing()
    {
        QVERIFY(m_db->locate(QStringLiteral("DBFLicencje"), {qint64(1)}));
        const QString before = scalar(QStringLiteral("SELECT COUNT(*) FROM r_licprog"));
        ModalScript script;
        bool readOnly = false, linkPreviewReadOnly = false;
        script.add(QStringLiteral("TfLicencje"), [&](QWidget* w) {
            openTab(w, "TSLicProg");
            readOnly = child<QLineEdit>(w, "fNRLICENCJI")->isReadOnly() &&
                       child<QLineEdit>(w, "fKLUCZ")->isReadOnly() &&
                       !child<Lookup>(w, "fIDFIRMY")->isEnabled() &&
                       child<QPushButton>(w, "SBAnuluj")->text() == QStringLiteral("&OK") &&
                       child<QPushButton>(w, "SBZapisz")->isHidden() &&
                       !child<QPushButton>(w, "LicProgDodaj")->isEnabled() &&
                       !child<QPushButton>(w, "LicProgUsun")->isEnabled() &&
                       child<QPushButton>(w, "LicProgPodglad")->isVisible();
            click(w, "LicProgDodaj"); // disabled: nothing opens
            click(w, "LicProgPodglad");
            static_cast<QDialog*>(w)->reject();
        });
        script.add(QStringLiteral("TfLicProg"), [&](QWidget* d) {
            linkPreviewReadOnly = child<QLineEdit>(d, "fILOSCLIC")->isReadOnly() &&
                                  !child<QCheckBox>(d, "fWIELOSTAN")->isEnabled() &&
                                  child<QPushButton>(d, "SBAnuluj")->text() == QStringLiteral("&OK");
            static_cast<QDialog*>(d)->reject();
        });
        QVERIFY(m_commands->preview(QStringLiteral("licencje")));
        QVERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QVERIFY(readOnly);
        QVERIFY(linkPreviewReadOnly);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM r_licprog")), before);
        // Editable again afterwards.
        ModalScript again;
        bool editable = false;
        again.add(QStringLiteral("TfLicencje"), [&](QWidget* w) {
            editable = !child<QLineEdit>(w, "fNRLICENCJI")->isReadOnly() &&
                       child<QPushButton>(w, "SBAnuluj")->text() == QStringLiteral("&Anuluj");
            static_cast<QDialog*>(w)->reject();
        });
        QVERIFY(m_commands->edit(QStringLiteral("licencje")));
        QVERIFY(again.done());
        QVERIFY(editable);
    }

    void mainWindowCommandsReachBothEditors_data()
    {
        QTest::addColumn<bool>("write");
        QTest::newRow("read and write") << true;
        QTest::newRow("read only") << false;
    }
    void mainWindowCommandsReachBothEditors()
    {
        QFETCH(bool, write);
        TfMain main;
        MainCommands commands(main, *m_db);
        Rights r{};
        r[3] = true;
        r[4] = write;
        AppState::instance().rights = r;
        main.applyRights(r);
        QStringList opened;
        ModalScript script;
        const auto note = [&](QWidget* w) {
            opened << w->objectName() + (static_cast<SoftwareEditor*>(w)->isPreview()
                                             ? QStringLiteral(" podgląd")
                                             : QString());
            static_cast<QDialog*>(w)->reject();
        };
        script.add(QStringLiteral("TfProgramy"), note);
        script.add(QStringLiteral("TfLicencje"), note);
        main.SBProgramyClick();
        QTest::keyClick(main.grid(QStringLiteral("programyGrid")), Qt::Key_Return);
        main.SBLicencjeClick();
        QTest::keyClick(main.grid(QStringLiteral("LicencjeGrid")), Qt::Key_Return);
        QTRY_VERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        const QString mode = write ? QString() : QStringLiteral(" podgląd");
        QCOMPARE(opened,
                 (QStringList{QStringLiteral("TfProgramy") + mode, QStringLiteral("TfLicencje") + mode}));
    }
};

QTEST_MAIN(TestOprogramowanie)
#include "test_oprogramowanie.moc"
