#include "EditorTest.h"
#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "editors/SubList.h"
#include "editors/TfDodajOprogramowanie.h"
#include "editors/TfKomputery.h"
#include "registers/RecordCommands.h"
#include "shell/AppState.h"
#include "shell/Dialogs.h"
#include "store/TmyDataBase.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

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
        QVERIFY(m_db->connectTo(m_database->dir(), m_database->password()));
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
        QCOMPARE(Dialogs::shown().at(1).text, QStringLiteral("Istnieje już program o podanym numerze ewidencyjnym."));
        QCOMPARE(kept, name);
        QCOMPARE(reopenedOn, QStringLiteral("TSLicProg"));
        QCOMPARE(scalar(QStringLiteral("SELECT NAZWA FROM programy WHERE NREWID='PROG/100'")), name);
        QCOMPARE(scalar(QStringLiteral("SELECT IDFIRMY FROM programy WHERE NREWID='PROG/100'")), QStringLiteral("-1"));
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
        QCOMPARE(refusals, (QStringList{QStringLiteral("Niepoprawny format daty zakupu licencji. Popraw pole."),
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
        QCOMPARE(scalar(QStringLiteral("SELECT ILOSCLIC||WIELOSTAN||ACT FROM r_licprog WHERE IDPROGRAMU=2 AND "
                                       "IDLICENCJI=") +
                        id),
                 QStringLiteral("3NT"));
    }
};

QTEST_MAIN(TestOprogramowanie)
#include "test_oprogramowanie.moc"
