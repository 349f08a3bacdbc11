#include "EditorTest.h"
#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "editors/TfBiblioteka.h"
#include "editors/TfFirma.h"
#include "editors/TfOsobowa.h"
#include "registers/CompanyCommands.h"
#include "registers/EmployeeCommands.h"
#include "registers/TfMain.h"
#include "shell/MainCommands.h"
#include "shell/RecordCommands.h"
#include "store/AppState.h"
#include "store/DbError.h"
#include "store/SqlConnection.h"
#include "store/TmyDataBase.h"
#include "widgets/ListModel.h"
#include "widgets/Lookup.h"

#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <sqlcipher/sqlite3.h>

#include <cstring>

using namespace EditorTest;

// The employee and company registers from the main window: add, copy, edit
// and preview with their cards, "Nasza firma", the lookups of other editors,
// failed writes and an insert racing another workstation.
class TestEmployeesCompanies : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfMain> m_main;
    std::unique_ptr<MainCommands> m_commands;

    QString scalar(const QString& sql) { return EditorTest::scalar(*m_db, sql); }
    void exec(const QString& sql)
    {
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(sql);
        q.execSQL();
    }
    void press(const char* button) { m_main->navigationButton(QLatin1String(button))->click(); }
    const Statement& list(const char* name) { return m_db->statement(QLatin1String(name)); }
    bool logHas(qint64 code)
    {
        const QString tag = QStringLiteral("[") + QString::number(code).rightJustified(10, QLatin1Char('0')) +
                            QStringLiteral("]");
        for (const QString& line : m_config->logLines())
            if (line.contains(tag))
                return true;
        return false;
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        Config::global().reset();
        Dialogs::startScript();
        m_main = std::make_unique<TfMain>(nullptr, m_db.get());
        m_commands = std::make_unique<MainCommands>(*m_main, *m_db);
        Rights r{};
        for (int n : {1, 2, 12})
            r[size_t(n)] = true;
        AppState::instance().currentUser = QStringLiteral("TEST");
        AppState::instance().rights = r;
        m_main->applyRights(r);
    }
    void cleanup()
    {
        m_commands.reset();
        m_main.reset();
        Dialogs::stopScript();
        AppState::instance().logout();
        Config::global().reset();
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void addEmployeeKeepsTextsAndIsOfferedElsewhere()
    {
        m_main->SBOsobowaClick();
        const int rows = m_main->listModel(QStringLiteral("DBFosobowa"))->rowCount();
        const QString surname = QStringLiteral("O'Brien \"Junior\"; DROP TABLE osobowa; --");
        bool numberFirst = false;
        ModalScript script;
        script.add(QStringLiteral("TfOsobowa"), [&](QWidget* w) {
            auto* nrew = child<QLineEdit>(w, "fNREW");
            numberFirst = nrew->isEnabled() && w->focusWidget() == nrew && nrew->text().isEmpty() &&
                          child<QLineEdit>(w, "fNAZWISKO")->text().isEmpty() &&
                          !child<Lookup>(w, "fDZIAL")->hasChoice();
            setText(w, "fNREW", QStringLiteral("  P100 "));
            setText(w, "fNAZWISKO", surname);
            setText(w, "fIMIE", QStringLiteral("Zażółć"));
            setText(w, "fKONTAKT", QString(300, QLatin1Char('k')));
            auto* dzial = child<Lookup>(w, "fDZIAL");
            dzial->setKey(44);
            // Enter in a list that is not dropped down saves.
            dzial->setFocus();
            QTest::keyClick(dzial, Qt::Key_Return);
        });
        press("SBDodaj");
        QTRY_VERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QVERIFY(numberFirst);
        QCOMPARE(Dialogs::shown().size(), 0);
        const QString where = QStringLiteral(" FROM osobowa WHERE NREW='P100'");
        QCOMPARE(scalar(QStringLiteral("SELECT NAZWISKO") + where), surname);
        QCOMPARE(scalar(QStringLiteral("SELECT IMIE") + where), QStringLiteral("Zażółć"));
        QCOMPARE(scalar(QStringLiteral("SELECT DZIAL") + where), QStringLiteral("44"));
        QCOMPARE(scalar(QStringLiteral("SELECT STANOWISKO") + where), QStringLiteral("0"));
        QCOMPARE(scalar(QStringLiteral("SELECT LENGTH(KONTAKT)") + where), QStringLiteral("254"));
        QCOMPARE(list("DBFosobowa").text(QStringLiteral("NREW")), QStringLiteral("P100"));
        QCOMPARE(m_main->listModel(QStringLiteral("DBFosobowa"))->rowCount(), rows + 1);

        // The computer editor's employee list offers the new employee.
        m_main->SBKomputeryClick();
        bool offered = false;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            auto* person = child<Lookup>(w, "fNREW");
            person->setKey(QStringLiteral("P100"));
            offered = person->hasChoice();
            static_cast<QDialog*>(w)->reject();
        });
        press("SBDodaj");
        QTRY_VERIFY(script.done());
        QVERIFY(offered);
    }

    void copyRefusesTheSameNumberAndKeepsTheInput()
    {
        m_main->SBOsobowaClick();
        QVERIFY(m_db->locate(QStringLiteral("DBFosobowa"), {QStringLiteral("P005")}));
        QStringList seen;
        ModalScript script;
        script.add(QStringLiteral("TfOsobowa"), [&](QWidget* w) {
            seen << child<QLineEdit>(w, "fNREW")->text() << child<QLineEdit>(w, "fNAZWISKO")->text()
                 << child<Lookup>(w, "fDZIAL")->key().toString();
            setText(w, "fIMIE", QStringLiteral("Karolina"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfOsobowa"), [&](QWidget* w) {
            seen << child<QLineEdit>(w, "fNREW")->text() << child<QLineEdit>(w, "fIMIE")->text();
            setText(w, "fNREW", QStringLiteral("P016"));
            click(w, "SBZapisz");
        });
        press("SBKopiuj");
        QTRY_VERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QCOMPARE(seen, QStringList({"P005", "Lis", "42", "P005", "Karolina"}));
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown()[0].title, QStringLiteral("Uwaga"));
        QCOMPARE(Dialogs::shown()[0].text,
                 QStringLiteral("Istnieje już osoba o podanym numerze ewidencyjnym."));
        const QString where = QStringLiteral(" FROM osobowa WHERE NREW='P016'");
        QCOMPARE(scalar(QStringLiteral("SELECT NAZWISKO||'/'||IMIE||'/'||DZIAL||'/'||INNE") + where),
                 QStringLiteral("Lis/Karolina/42/Umowa na zastępstwo"));
        QCOMPARE(scalar(QStringLiteral("SELECT IMIE FROM osobowa WHERE NREW='P005'")),
                 QStringLiteral("Katarzyna"));
        QCOMPARE(list("DBFosobowa").text(QStringLiteral("NREW")), QStringLiteral("P016"));
    }

    void editKeepsTheNumberUnlessTheOptionAllows()
    {
        m_main->SBOsobowaClick();
        QVERIFY(m_db->locate(QStringLiteral("DBFosobowa"), {QStringLiteral("P005")}));
        bool locked = false;
        ModalScript script;
        script.add(QStringLiteral("TfOsobowa"), [&](QWidget* w) {
            locked =
                !child<QLineEdit>(w, "fNREW")->isEnabled() && w->focusWidget() == child<QLineEdit>(w, "fNIP");
            setText(w, "fNAZWISKO", QStringLiteral("Lis-Nowak"));
            click(w, "SBZapisz");
        });
        press("SBEdytuj");
        QTRY_VERIFY(script.done());
        QVERIFY(locked);
        QCOMPARE(Dialogs::shown().size(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT NAZWISKO FROM osobowa WHERE NREW='P005'")),
                 QStringLiteral("Lis-Nowak"));
        QCOMPARE(list("DBFosobowa").text(QStringLiteral("NREW")), QStringLiteral("P005"));

        // With the option on the number changes; a taken number is refused
        // with the register's message, and references keep the old number.
        Config::global().set(QStringLiteral("cbAllowChangeOsobowaNREW"), true);
        const QString refs = QStringLiteral("SELECT (SELECT COUNT(*) FROM komputery WHERE NREW='P005')+"
                                            "(SELECT COUNT(*) FROM sprzet WHERE NREW='P005')+"
                                            "(SELECT COUNT(*) FROM r_kompprac WHERE NREW='P005')");
        const QString before = scalar(refs);
        QVERIFY(before.toInt() > 0);
        script.add(QStringLiteral("TfOsobowa"), [&](QWidget* w) {
            QVERIFY(child<QLineEdit>(w, "fNREW")->isEnabled());
            setText(w, "fNREW", QStringLiteral("P001"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfOsobowa"), [&](QWidget* w) {
            setText(w, "fNREW", QStringLiteral("P099"));
            click(w, "SBZapisz");
        });
        press("SBEdytuj");
        QTRY_VERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown()[0].text,
                 QStringLiteral("Istnieje już osoba o podanym numerze ewidencyjnym."));
        QCOMPARE(scalar(QStringLiteral("SELECT NAZWISKO FROM osobowa WHERE NREW='P099'")),
                 QStringLiteral("Lis-Nowak"));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM osobowa WHERE NREW='P005'")),
                 QStringLiteral("0"));
        QCOMPARE(scalar(QStringLiteral("SELECT NAZWISKO FROM osobowa WHERE NREW='P001'")),
                 QStringLiteral("Kowalski"));
        QCOMPARE(scalar(refs), before);
        QCOMPARE(list("DBFosobowa").text(QStringLiteral("NREW")), QStringLiteral("P099"));
    }

    void dictionaryShortcutsRereadTheLists_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("lookup");
        QTest::addColumn<QString>("dictionary");
        QTest::addColumn<int>("index");
        QTest::newRow("departments") << "goToSlownik1"
                                     << "fDZIAL"
                                     << "DZIAL" << 7;
        QTest::newRow("positions") << "goToSlownik2"
                                   << "fSTANOWISKO"
                                   << "STANO" << 8;
    }
    void dictionaryShortcutsRereadTheLists()
    {
        QFETCH(QString, button);
        QFETCH(QString, lookup);
        QFETCH(QString, dictionary);
        QFETCH(int, index);
        m_main->SBOsobowaClick();
        int shownIndex = -1;
        bool listed = false;
        ModalScript script;
        script.add(QStringLiteral("TfOsobowa"), [&](QWidget* w) {
            QVERIFY(child<QToolButton>(w, button.toLatin1().constData())->isVisible());
            click(w, button.toLatin1().constData());
            auto* list = child<Lookup>(w, lookup.toLatin1().constData());
            list->setKey(9100);
            listed = list->hasChoice();
            static_cast<QDialog*>(w)->reject();
        });
        script.add(QStringLiteral("TfBiblioteka"), [&](QWidget* w) {
            shownIndex = static_cast<TfBiblioteka*>(w)->dictionary();
            // An entry added while the dictionary editor is open.
            exec(QStringLiteral("INSERT INTO slowniki (KOD,IDSLOWNIK,OPIS) VALUES (9100,'") + dictionary +
                 QStringLiteral("','Nowy wpis')"));
            static_cast<QDialog*>(w)->reject();
        });
        press("SBDodaj");
        QTRY_VERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QCOMPARE(shownIndex, index);
        QVERIFY(listed);
    }

    void everyFieldIsStoredAndShownUnchanged_data()
    {
        QTest::addColumn<QString>("card");
        QTest::newRow("employee") << "TfOsobowa";
        QTest::newRow("company") << "TfFirma";
    }
    void everyFieldIsStoredAndShownUnchanged()
    {
        QFETCH(QString, card);
        const bool employee = card == QLatin1String("TfOsobowa");
        employee ? m_main->SBOsobowaClick() : m_main->SBFirmyClick();
        // Each field its own hostile text, cut at the field's width.
        QMap<QString, QString> typed;
        ModalScript script;
        script.add(card, [&](QWidget* w) {
            for (QLineEdit* e : w->findChildren<QLineEdit*>()) {
                if (!e->objectName().startsWith(QLatin1Char('f')))
                    continue;
                const QString column = e->objectName().mid(1);
                e->setText(column + QStringLiteral("'\"ż\"; DELETE FROM osobowa; --") +
                           QString(300, QLatin1Char('x')));
                typed.insert(column, e->text());
            }
            click(w, "SBZapisz");
        });
        press("SBDodaj");
        QTRY_VERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QCOMPARE(typed.size(), employee ? 13 : 24);
        // The new row: the only surname starting with its column's name, or the highest key.
        const QString where =
            employee ? QStringLiteral(" FROM osobowa WHERE NAZWISKO LIKE 'NAZWISKO%'")
                     : QStringLiteral(" FROM firmy WHERE IDFIRMY=(SELECT MAX(IDFIRMY) FROM firmy)");
        for (auto it = typed.cbegin(); it != typed.cend(); ++it)
            QCOMPARE(scalar(QStringLiteral("SELECT ") + it.key() + where), it.value());
        QVERIFY(scalar(QStringLiteral("SELECT COUNT(*) FROM osobowa")).toInt() > 1);
        // The edit card shows the row as stored.
        QMap<QString, QString> shown;
        script.add(card, [&](QWidget* w) {
            for (auto it = typed.cbegin(); it != typed.cend(); ++it)
                shown.insert(
                    it.key(),
                    child<QLineEdit>(w, (QLatin1Char('f') + it.key()).toLatin1().constData())->text());
            static_cast<QDialog*>(w)->reject();
        });
        press("SBEdytuj");
        QTRY_VERIFY(script.done());
        QCOMPARE(shown, typed);
    }

    void cardsRefuseMissingTexts_data()
    {
        QTest::addColumn<QString>("card");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("message");
        QTest::newRow("employee number") << "TfOsobowa"
                                         << "fNREW"
                                         << "Nie wprowadzono numeru ewidencyjnego. Popraw pole.";
        QTest::newRow("surname") << "TfOsobowa"
                                 << "fNAZWISKO"
                                 << "Nie wprowadzono nazwiska. Popraw pole.";
        QTest::newRow("company name") << "TfFirma"
                                      << "fNAZWA"
                                      << "Nie wprowadzono nazwy firmy. Popraw pole.";
    }
    void cardsRefuseMissingTexts()
    {
        QFETCH(QString, card);
        QFETCH(QString, field);
        QFETCH(QString, message);
        const bool employee = card == QLatin1String("TfOsobowa");
        employee ? m_main->SBOsobowaClick() : m_main->SBFirmyClick();
        const QString table = employee ? QStringLiteral("osobowa") : QStringLiteral("firmy");
        const QString before = scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table);
        bool stayed = false;
        QWidget* focus = nullptr;
        ModalScript script;
        script.add(card, [&](QWidget* w) {
            if (employee) {
                setText(w, "fNREW", QStringLiteral("P200"));
                setText(w, "fNAZWISKO", QStringLiteral("Nowy"));
            }
            child<QLineEdit>(w, field.toLatin1().constData())->setText(QStringLiteral("   "));
            click(w, "SBZapisz");
            stayed = w->isVisible();
            focus = w->focusWidget();
            static_cast<QDialog*>(w)->reject();
        });
        press("SBDodaj");
        QTRY_VERIFY(script.done());
        QVERIFY(stayed);
        QCOMPARE(focus ? focus->objectName() : QString(), field);
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown()[0].title, QStringLiteral("Uwaga"));
        QCOMPARE(Dialogs::shown()[0].text, message);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table), before);
    }

    void previewIsReadOnly_data()
    {
        QTest::addColumn<QString>("card");
        QTest::newRow("employee") << "TfOsobowa";
        QTest::newRow("company") << "TfFirma";
    }
    void previewIsReadOnly()
    {
        QFETCH(QString, card);
        const bool employee = card == QLatin1String("TfOsobowa");
        employee ? m_main->SBOsobowaClick() : m_main->SBFirmyClick();
        const char* text = employee ? "fNAZWISKO" : "fNAZWA";
        QStringList seen;
        ModalScript script;
        script.add(card, [&](QWidget* w) {
            auto* anuluj = child<QPushButton>(w, "SBAnuluj");
            seen << QString::number(child<QLineEdit>(w, text)->isReadOnly())
                 << child<QLineEdit>(w, text)->text()
                 << QString::number(child<QPushButton>(w, "SBZapisz")->isHidden()) << anuluj->text()
                 << anuluj->toolTip();
            if (employee)
                seen << QString::number(child<Lookup>(w, "fDZIAL")->isEnabled());
            anuluj->click();
        });
        press("SBPodglad");
        QTRY_VERIFY(script.done());
        QStringList expected = {"1", list(employee ? "DBFosobowa" : "DBFFirmy").text(QLatin1String(text + 1)),
                                "1", "&OK", "Zamknij"};
        if (employee)
            expected << "0";
        QCOMPARE(seen, expected);
        // The card is editable again for the next command.
        RegisterCommands* r = m_commands->records().commandsOf(employee ? QStringLiteral("slOsobowa")
                                                                        : QStringLiteral("SlFirmy"));
        EditorDialog& editor = employee
                                   ? static_cast<EditorDialog&>(static_cast<EmployeeCommands*>(r)->editor())
                                   : static_cast<EditorDialog&>(static_cast<CompanyCommands*>(r)->editor());
        QVERIFY(!editor.isReadOnly());
        QCOMPARE(editor.anulujButton()->text(), QStringLiteral("&Anuluj"));
        QVERIFY(!editor.findChild<QLineEdit*>(QLatin1String(text))->isReadOnly());
    }

    void addCopyAndEditCompanies()
    {
        m_main->SBFirmyClick();
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM firmy")).toInt() - 1,
                 m_main->listModel(QStringLiteral("DBFFirmy"))->rowCount());
        const QString name = QStringLiteral("Nowa 'Firma'; DROP TABLE firmy; --");
        bool startsEmpty = false;
        ModalScript script;
        script.add(QStringLiteral("TfFirma"), [&](QWidget* w) {
            auto* nazwa = child<QLineEdit>(w, "fNAZWA");
            startsEmpty = nazwa->text().isEmpty() && child<QLineEdit>(w, "fKMIASTO")->text().isEmpty() &&
                          w->focusWidget() == nazwa;
            setText(w, "fNAZWA", name);
            setText(w, "fKMIASTO", QStringLiteral("Łódź"));
            setText(w, "fREGON", QStringLiteral("1234567890123"));
            // Enter in a text field saves.
            auto* city = child<QLineEdit>(w, "fKMIASTO");
            city->setFocus();
            QTest::keyClick(city, Qt::Key_Return);
        });
        press("SBDodaj");
        QTRY_VERIFY(script.done());
        QVERIFY(startsEmpty);
        const qint64 key = scalar(QStringLiteral("SELECT MAX(IDFIRMY) FROM firmy")).toLongLong();
        const QString where = QStringLiteral(" FROM firmy WHERE IDFIRMY=") + QString::number(key);
        QCOMPARE(scalar(QStringLiteral("SELECT NAZWA") + where), name);
        QCOMPARE(scalar(QStringLiteral("SELECT KMIASTO||'/'||REGON||'/'||NIP") + where),
                 QStringLiteral("Łódź/123456789/"));
        QCOMPARE(list("DBFFirmy").integer(QStringLiteral("IDFIRMY")), key);

        // Copy: the same name is refused and the card comes back with the input.
        QVERIFY(m_db->locate(QStringLiteral("DBFFirmy"), {2}));
        QStringList seen;
        script.add(QStringLiteral("TfFirma"), [&](QWidget* w) {
            seen << child<QLineEdit>(w, "fNAZWA")->text();
            setText(w, "fTELEFON", QStringLiteral("22 000 00 00"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfFirma"), [&](QWidget* w) {
            seen << child<QLineEdit>(w, "fTELEFON")->text();
            setText(w, "fNAZWA", QStringLiteral("Infomax Serwis"));
            click(w, "SBZapisz");
        });
        press("SBKopiuj");
        QTRY_VERIFY(script.done());
        QCOMPARE(seen, QStringList({"Infomax Sp. z o.o.", "22 000 00 00"}));
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown()[0].text, QStringLiteral("Istnieje już firma o podanej nazwie."));
        const qint64 copy = list("DBFFirmy").integer(QStringLiteral("IDFIRMY"));
        QVERIFY(copy > key);
        QCOMPARE(scalar(QStringLiteral("SELECT NAZWA||'/'||NIP||'/'||TELEFON FROM firmy WHERE IDFIRMY=") +
                        QString::number(copy)),
                 QStringLiteral("Infomax Serwis/521-338-90-12/22 000 00 00"));

        // Edit: an unchanged name is accepted, another company's name is not.
        QVERIFY(m_db->locate(QStringLiteral("DBFFirmy"), {3}));
        script.add(QStringLiteral("TfFirma"), [&](QWidget* w) {
            setText(w, "fWWW", QStringLiteral("www.bajt.pl"));
            click(w, "SBZapisz");
        });
        press("SBEdytuj");
        QTRY_VERIFY(script.done());
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT WWW FROM firmy WHERE IDFIRMY=3")),
                 QStringLiteral("www.bajt.pl"));
        QCOMPARE(list("DBFFirmy").integer(QStringLiteral("IDFIRMY")), 3);
        script.add(QStringLiteral("TfFirma"), [&](QWidget* w) {
            setText(w, "fNAZWA", QStringLiteral("Softpol Sp. z o.o."));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfFirma"), [&](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
        press("SBEdytuj");
        QTRY_VERIFY(script.done());
        QCOMPARE(Dialogs::shown().size(), 2);
        QCOMPARE(scalar(QStringLiteral("SELECT NAZWA FROM firmy WHERE IDFIRMY=3")),
                 QStringLiteral("Serwis Komputerowy Bajt s.c."));

        // The supplier list of the computer editor offers the new company and our own.
        m_main->SBKomputeryClick();
        bool offered = false;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            auto* supplier = child<Lookup>(w, "fIDFIRMY");
            supplier->setKey(key);
            offered = supplier->hasChoice();
            supplier->setKey(1);
            offered = offered && supplier->hasChoice();
            static_cast<QDialog*>(w)->reject();
        });
        press("SBDodaj");
        QTRY_VERIFY(script.done());
        QVERIFY(offered);
    }

    void naszaFirmaEditsTheOwnCompany()
    {
        const QString other = scalar(QStringLiteral("SELECT NAZWA FROM firmy WHERE IDFIRMY=2"));
        // Every sample value fits its field, so saving the card cuts nothing.
        const QString account = scalar(QStringLiteral("SELECT ROR FROM firmy WHERE IDFIRMY=1"));
        QVERIFY(!account.isEmpty());
        // The card held another company last: "Nasza firma" still shows row 1.
        m_main->SBFirmyClick();
        QVERIFY(m_db->locate(QStringLiteral("DBFFirmy"), {2}));
        ModalScript script;
        script.add(QStringLiteral("TfFirma"), [](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
        press("SBPodglad");
        QTRY_VERIFY(script.done());

        QStringList seen;
        script.add(QStringLiteral("TfFirma"), [&](QWidget* w) {
            auto* nazwa = child<QLineEdit>(w, "fNAZWA");
            seen << nazwa->text() << nazwa->selectedText() << child<QLineEdit>(w, "fREGON")->text()
                 << QString::number(nazwa->isReadOnly());
            setText(w, "fNAZWA", QStringLiteral("Wega Serwis \"Nowa\""));
            setText(w, "fINNE", QString());
            click(w, "SBZapisz");
        });
        press("SBDaneFirmy");
        QTRY_VERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QCOMPARE(seen, QStringList({"Wega Serwis Sp. z o.o.", "Wega Serwis Sp. z o.o.", "301274655", "0"}));
        QCOMPARE(scalar(QStringLiteral("SELECT NAZWA||'/'||INNE||'/'||NIP FROM firmy WHERE IDFIRMY=1")),
                 QStringLiteral("Wega Serwis \"Nowa\"//779-214-58-36"));
        QCOMPARE(scalar(QStringLiteral("SELECT NAZWA FROM firmy WHERE IDFIRMY=2")), other);
        QCOMPARE(scalar(QStringLiteral("SELECT ROR FROM firmy WHERE IDFIRMY=1")), account);
        QCOMPARE(m_main->currentPageName(), QStringLiteral("Slowniki/SlStart"));

        // Cancelled: nothing written.
        script.add(QStringLiteral("TfFirma"), [&](QWidget* w) {
            setText(w, "fNAZWA", QStringLiteral("Porzucona"));
            static_cast<QDialog*>(w)->reject();
        });
        press("SBDaneFirmy");
        QTRY_VERIFY(script.done());
        QCOMPARE(scalar(QStringLiteral("SELECT NAZWA FROM firmy WHERE IDFIRMY=1")),
                 QStringLiteral("Wega Serwis \"Nowa\""));
        QCOMPARE(Dialogs::shown().size(), 0);
    }

    void naszaFirmaWithoutItsRowShowsNoCard()
    {
        exec(QStringLiteral("DELETE FROM firmy WHERE IDFIRMY=1"));
        ModalScript script;
        press("SBDaneFirmy");
        QTest::qWait(50);
        QVERIFY(script.errors().isEmpty());
        QVERIFY(logHas(2002));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM firmy WHERE IDFIRMY=1")), QStringLiteral("0"));
        QCOMPARE(m_main->currentPageName(), QStringLiteral("Slowniki/SlStart"));
    }

    void failedWritesAreReportedAndTheListStays_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<qint64>("code");
        QTest::newRow("employee insert") << "slOsobowa"
                                         << "SBDodaj"
                                         << "BEFORE INSERT ON osobowa" << qint64(9);
        QTest::newRow("employee update") << "slOsobowa"
                                         << "SBEdytuj"
                                         << "BEFORE UPDATE ON osobowa" << qint64(15);
        QTest::newRow("company insert") << "SlFirmy"
                                        << "SBDodaj"
                                        << "BEFORE INSERT ON firmy" << qint64(2010);
        QTest::newRow("company update") << "SlFirmy"
                                        << "SBEdytuj"
                                        << "BEFORE UPDATE ON firmy" << qint64(2015);
        QTest::newRow("own company") << "SlDaneFirmy"
                                     << "SBDaneFirmy"
                                     << "BEFORE UPDATE ON firmy" << qint64(2003);
    }
    void failedWritesAreReportedAndTheListStays()
    {
        QFETCH(QString, page);
        QFETCH(QString, button);
        QFETCH(QString, trigger);
        QFETCH(qint64, code);
        m_database->addFailure(m_db->DatabaseMain(), QStringLiteral("blokada"), trigger,
                               QStringLiteral("zapis zablokowany"));
        const bool employee = page == QLatin1String("slOsobowa");
        const QString listName = employee ? QStringLiteral("DBFosobowa") : QStringLiteral("DBFFirmy");
        employee ? m_main->SBOsobowaClick() : m_main->SBFirmyClick();
        const int rows = m_main->listModel(listName)->rowCount();
        const QString table = employee ? QStringLiteral("osobowa") : QStringLiteral("firmy");
        const QString dump = employee ? QStringLiteral("SELECT NREW||NAZWISKO FROM osobowa ORDER BY NREW")
                                      : QStringLiteral("SELECT NAZWA FROM firmy ORDER BY IDFIRMY");
        const QString before = EditorTest::joined(*m_db, dump);
        ModalScript script;
        script.add(employee ? QStringLiteral("TfOsobowa") : QStringLiteral("TfFirma"), [&](QWidget* w) {
            if (employee)
                setText(w, "fNREW", QStringLiteral("P300"));
            setText(w, employee ? "fNAZWISKO" : "fNAZWA", QStringLiteral("Nie zapisze się"));
            click(w, "SBZapisz");
        });
        press(button.toLatin1().constData());
        QTRY_VERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QVERIFY(logHas(code));
        QCOMPARE(EditorTest::joined(*m_db, dump), before);
        QVERIFY(!table.isEmpty());
        if (page != QLatin1String("SlDaneFirmy")) {
            QVERIFY(list(listName.toLatin1().constData()).isOpen());
            QCOMPARE(m_main->listModel(listName)->rowCount(), rows);
        }
    }

    void companyInsertTakesItsOwnKeyWhileAnotherWorkstationInserts()
    {
        if (m_database->onServer())
            QSKIP("the race is timed by the file engine's statement trace; on the server the store's "
                  "own tests race two connections");
        SqlConnection other;
        m_database->open(other);
        sqlite3_busy_timeout(other.handle(), 0);
        struct Race
        {
            SqlConnection* other;
            bool tried = false;
            int code = SQLITE_OK;
        } race{&other};
        // The other workstation tries to insert between our insert and the
        // read of the new key: as the key query starts.
        sqlite3_trace_v2(
            m_db->DatabaseMain().handle(), SQLITE_TRACE_STMT,
            [](unsigned, void* data, void*, void* sql) {
                auto* r = static_cast<Race*>(data);
                if (r->tried || !strstr(static_cast<const char*>(sql), "MAX(IDFIRMY)"))
                    return 0;
                r->tried = true;
                try {
                    r->other->exec(QStringLiteral("INSERT INTO firmy (NAZWA) VALUES ('Cudza')"));
                } catch (const DbError& e) {
                    r->code = e.sqliteCode();
                }
                return 0;
            },
            &race);
        m_main->SBFirmyClick();
        ModalScript script;
        script.add(QStringLiteral("TfFirma"), [](QWidget* w) {
            setText(w, "fNAZWA", QStringLiteral("Nasza nowa"));
            click(w, "SBZapisz");
        });
        press("SBDodaj");
        QTRY_VERIFY(script.done());
        sqlite3_trace_v2(m_db->DatabaseMain().handle(), 0, nullptr, nullptr);
        QVERIFY(race.tried);
        QCOMPARE(race.code, SQLITE_BUSY);
        QCOMPARE(list("DBFFirmy").text(QStringLiteral("NAZWA")), QStringLiteral("Nasza nowa"));
        const qint64 ours = list("DBFFirmy").integer(QStringLiteral("IDFIRMY"));
        QCOMPARE(scalar(QStringLiteral("SELECT MAX(IDFIRMY) FROM firmy")).toLongLong(), ours);
        // Once committed the other workstation inserts and gets a later key.
        other.exec(QStringLiteral("INSERT INTO firmy (NAZWA) VALUES ('Cudza')"));
        QVERIFY(scalar(QStringLiteral("SELECT MAX(IDFIRMY) FROM firmy")).toLongLong() > ours);
    }
};

QTEST_MAIN(TestEmployeesCompanies)
#include "test_employeescompanies.moc"
