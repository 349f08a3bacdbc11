// Deadlines, repairs, documents and history of a computer, managed from the
// tabs of its editor: add, edit, delete, the dialogs' checks, the values they
// write and "Dodaj do historii".

#include "EditorTest.h"
#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Clock.h"
#include "base/Config.h"
#include "base/Dialogs.h"
#include "editors/SubList.h"
#include "editors/TfDokumenty.h"
#include "editors/TfHistoria.h"
#include "editors/TfKomputery.h"
#include "editors/TfNaprawy.h"
#include "editors/TfTerminy.h"
#include "shell/RecordCommands.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"
#include "widgets/AmountFields.h"
#include "widgets/DataGrid.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace EditorTest;

class TestSubRecords : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfKomputery> m_editor;
    std::unique_ptr<RecordCommands> m_commands;

    QString scalar(const QString& sql) { return EditorTest::scalar(*m_db, sql); }
    // The computer's tab as its editor shows it, without showing the editor.
    SubList* tabOf(qint64 computer, TfKomputery::Tab tab)
    {
        m_db->locate(QStringLiteral("DBFKomputery"), {computer});
        m_editor->prepare(QStringLiteral("K"), computer);
        SubList* l = m_editor->subList(tab);
        l->reload();
        return l;
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        QVERIFY(m_db->reloadList(QStringLiteral("DBFKomputery")));
        AppState::instance().rights.fill(true);
        Config::global().reset();
        Dialogs::startScript();
        m_editor = std::make_unique<TfKomputery>(*m_db);
        m_commands = std::make_unique<RecordCommands>(*m_db, *m_editor);
    }
    void cleanup()
    {
        m_commands.reset();
        m_editor.reset();
        Dialogs::stopScript();
        Clock::setFixed({});
        Config::global().reset();
        AppState::instance().rights.fill(false);
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    // The whole route: the computer's editor, its "Terminy" tab, add, edit and delete.
    void deadlineThroughTheComputerEditor()
    {
        m_db->locate(QStringLiteral("DBFKomputery"), {2});
        const QString where = QStringLiteral(" FROM terminy WHERE CZEGODOTYCZY='K' AND IDOBIEKTU=2");
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*)") + where), QStringLiteral("0"));
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            auto* tabs = child<QTabWidget>(w, "PageControl1");
            tabs->setCurrentIndex(TfKomputery::Terminy);
            click(w, "TerminyDodaj");
            SubList* l = m_editor->subList(TfKomputery::Terminy);
            seen << QString::number(l->statement().recordCount()) << l->text(QStringLiteral("OPIS"))
                 << l->text(QStringLiteral("KLASYFIKATOR_O"));
            click(w, "TerminyEdytuj");
            seen << l->text(QStringLiteral("ACT")) << l->text(QStringLiteral("SPRODDO"));
            Dialogs::setNextAnswer(true);
            click(w, "TerminyUsun");
            seen << QString::number(l->statement().recordCount());
            click(w, "SBAnuluj");
        });
        script.add(QStringLiteral("TfTerminy"), [&](QWidget* w) {
            seen << QString::number(child<QCheckBox>(w, "fACT")->isChecked())
                 << child<QComboBox>(w, "fSPRODDO")->currentText()
                 << child<DateField>(w, "fDATAOD")->dateText();
            child<Lookup>(w, "fKLASYFIKATOR")->setKey(37);
            setText(w, "fDATAOD", date("10-05-2024"));
            setText(w, "fDATADO", date("10-05-2024")); // equal dates are accepted
            setText(w, "fOPIS", QStringLiteral("Gwarancja \"extra\"'; DROP TABLE terminy; --"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfTerminy"), [&](QWidget* w) {
            seen << child<QLineEdit>(w, "fOPIS")->text();
            child<QCheckBox>(w, "fACT")->setChecked(false);
            child<QComboBox>(w, "fSPRODDO")->setCurrentIndex(1);
            setText(w, "fDATADO", date("31-12-2024"));
            click(w, "SBZapisz");
        });
        QVERIFY(m_commands->edit(QStringLiteral("komputery")));
        QCOMPARE(script.errors(), QStringList());
        QVERIFY(script.done());
        const QString opis = QStringLiteral("Gwarancja \"extra\"'; DROP TABLE terminy; --");
        QCOMPARE(seen, QStringList({"1", "Datę do", DateField::emptyText(), "1", opis, "Koniec gwarancji",
                                    opis, "N", "O", "0"}));
        QCOMPARE(Dialogs::shown().size(), 1); // the deletion question
        QCOMPARE(Dialogs::shown()[0].text, QStringLiteral("Czy na pewno usunąć zaznaczoną pozycję?"));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*)") + where), QStringLiteral("0"));
    }

    void deadlineWritesItsColumns()
    {
        SubList* l = tabOf(3, TfKomputery::Terminy);
        ModalScript script;
        script.add(QStringLiteral("TfTerminy"), [](QWidget* w) {
            setText(w, "fDATAOD", date("01-02-2024"));
            setText(w, "fDATADO", date("28-02-2025"));
            setText(w, "fINNE", QStringLiteral("Zażółć"));
            click(w, "SBZapisz");
        });
        l->trigger(SubList::Add);
        QVERIFY(script.done());
        const QString key = scalar(QStringLiteral("SELECT MAX(IDTERMINU) FROM terminy"));
        QCOMPARE(l->text(QStringLiteral("IDTERMINU")), key); // the cursor is on the new row
        const QString row = QStringLiteral(" FROM terminy WHERE IDTERMINU=") + key;
        QCOMPARE(scalar(QStringLiteral("SELECT CZEGODOTYCZY||IDOBIEKTU||ACT||SPRODDO") + row),
                 QStringLiteral("K3TD"));
        QCOMPARE(scalar(QStringLiteral("SELECT DATAOD||'/'||DATADO||'/'||KLASYFIKATOR||'/'||INNE") + row),
                 QStringLiteral("20240201/20250228/0/Zażółć"));
    }

    void deadlineChecks_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("message");
        const QString empty = DateField::emptyText();
        QTest::newRow("no date from")
            << empty << date("09-05-2024") << QStringLiteral("Niepoprawny format daty od. Popraw pole.");
        QTest::newRow("no date to") << date("09-05-2024") << empty
                                    << QStringLiteral("Niepoprawny format daty do. Popraw pole.");
        QTest::newRow("bad month") << date("09-13-2024") << date("09-05-2025")
                                   << QStringLiteral("Niepoprawny format daty od. Popraw pole.");
        QTest::newRow("to before from") << date("10-05-2024") << date("09-05-2024")
                                        << QStringLiteral("Data od większa niż data do. Popraw pola.");
        QTest::newRow("equal") << date("10-05-2024") << date("10-05-2024") << QString();
        QTest::newRow("31 February") << date("31-02-2024") << date("01-03-2024") << QString();
    }
    void deadlineChecks()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, message);
        TfTerminy d(*m_db);
        d.prepareNew();
        d.findChild<DateField*>(QStringLiteral("fDATAOD"))->setText(from);
        d.findChild<DateField*>(QStringLiteral("fDATADO"))->setText(to);
        d.SBZapiszClick();
        QCOMPARE(d.saved(), message.isEmpty());
        QCOMPARE(Dialogs::shown().size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(Dialogs::shown()[0].title, QStringLiteral("Uwaga"));
            QCOMPARE(Dialogs::shown()[0].text, message);
        }
    }

    void repairAmountsAndCompany_data()
    {
        QTest::addColumn<bool>("clearCompany");
        QTest::addColumn<QString>("firma");
        QTest::newRow("none chosen") << false << QStringLiteral("-1");
        QTest::newRow("cleared") << true << QStringLiteral("0");
    }
    void repairAmountsAndCompany()
    {
        QFETCH(bool, clearCompany);
        QFETCH(QString, firma);
        SubList* l = tabOf(4, TfKomputery::Naprawy);
        ModalScript script;
        QString netto;
        script.add(QStringLiteral("TfNaprawy"), [&](QWidget* w) {
            netto = child<QLineEdit>(w, "fNETTO")->text();
            if (clearCompany)
                click(w, "SpeedButton8");
            setText(w, "fOPIS", QStringLiteral("Wymiana wentylatora"));
            setText(w, "fNETTO", QStringLiteral("100,50"));
            setText(w, "fVAT", QStringLiteral("23,12"));
            setText(w, "fBRUTTO", QStringLiteral("123,62"));
            setText(w, "fNRFAKTURY", QStringLiteral("FS/1"));
            click(w, "SBZapisz");
        });
        l->trigger(SubList::Add);
        QVERIFY(script.done());
        QCOMPARE(netto, AmountFields::format(0));
        const QString row =
            QStringLiteral(" FROM naprawy WHERE IDNAPRAWY=(SELECT MAX(IDNAPRAWY) FROM naprawy)");
        // An empty due date is 0, which the deadline check never picks up.
        QCOMPARE(
            scalar(QStringLiteral("SELECT TERMIN||'/'||DATANAPRAWY||'/'||ACT||'/'||KOMPSPRZ||IDOBIEKTU") +
                   row),
            QStringLiteral("0/0/T/K4"));
        QCOMPARE(scalar(QStringLiteral("SELECT NETTO||'/'||VAT||'/'||BRUTTO||'/'||NRFAKTURY") + row),
                 QStringLiteral("100.5/23.12/123.62/FS/1"));
        QCOMPARE(scalar(QStringLiteral("SELECT IDFIRMY") + row), firma);
    }

    void repairAmountsMustAddUp()
    {
        TfNaprawy d(*m_db);
        d.reopenLookups();
        d.prepareNew();
        d.findChild<QLineEdit*>(QStringLiteral("fOPIS"))->setText(QStringLiteral("x"));
        // Typed amounts keep each other consistent; set them as an older row would hold them.
        for (auto [name, value] : {std::pair{"fNETTO", "100"}, {"fVAT", "23"}, {"fBRUTTO", "123.01"}}) {
            auto* e = d.findChild<QLineEdit*>(QLatin1String(name));
            const QSignalBlocker block(e);
            e->setText(QLatin1String(value));
        }
        d.SBZapiszClick();
        QVERIFY(!d.saved());
        QCOMPARE(Dialogs::shown().size(), 1);
        d.findChild<QLineEdit*>(QStringLiteral("fOPIS"))->clear();
        d.SBZapiszClick();
        QCOMPARE(Dialogs::shown().last().text, QStringLiteral("Nie wprowadzono opisu naprawy. Popraw pole."));
    }

    void documentKind_data()
    {
        QTest::addColumn<int>("action"); // 0 nothing, 1 cleared, 2 chosen
        QTest::addColumn<QString>("kind");
        QTest::newRow("none chosen") << 0 << QStringLiteral("-1");
        QTest::newRow("cleared") << 1 << QStringLiteral("0");
        QTest::newRow("chosen") << 2 << QStringLiteral("66");
    }
    void documentKind()
    {
        QFETCH(int, action);
        QFETCH(QString, kind);
        SubList* l = tabOf(5, TfKomputery::Dokumenty);
        const QString latest =
            scalar(QStringLiteral("SELECT NUMER FROM dokumenty ORDER BY IDDOKUMENTU DESC LIMIT 1"));
        QVERIFY(!latest.isEmpty());
        ModalScript script;
        QString lastNumber;
        script.add(QStringLiteral("TfDokumenty"), [&](QWidget* w) {
            click(w, "SpeedButton1"); // the number of the latest document
            lastNumber = child<QLineEdit>(w, "fNUMER")->text();
            setText(w, "fNUMER", QStringLiteral("DOK/1"));
            if (action == 1)
                click(w, "SpeedButton2");
            if (action == 2)
                child<Lookup>(w, "fKLASYFIKATOR")->setKey(66);
            click(w, "SBZapisz");
        });
        l->trigger(SubList::Add);
        QVERIFY(script.done());
        QCOMPARE(lastNumber, latest);
        QCOMPARE(scalar(QStringLiteral(
                     "SELECT KLASYFIKATOR||'/'||NUMER||'/'||ACT FROM dokumenty WHERE IDDOKUMENTU="
                     "(SELECT MAX(IDDOKUMENTU) FROM dokumenty)")),
                 kind + QStringLiteral("/DOK/1/T"));
        // The computer's classification list is back on computer classes.
        Statement& classes = m_db->statement(QStringLiteral("DBFKlasyfikator"));
        QVERIFY(classes.isOpen() && !classes.isEmpty());
        QCOMPARE(scalar(QStringLiteral("SELECT IDSLOWNIK FROM slowniki WHERE KOD=") +
                        QString::number(classes.integerAt(0, classes.fieldIndex(QStringLiteral("KOD"))))),
                 QStringLiteral("KLKOM"));
    }

    void documentEditAndDelete()
    {
        SubList* l = tabOf(1, TfKomputery::Dokumenty);
        QVERIFY(l->locate(QStringLiteral("IDDOKUMENTU"), 2));
        ModalScript script;
        QString kind;
        script.add(QStringLiteral("TfDokumenty"), [&](QWidget* w) {
            kind = child<Lookup>(w, "fKLASYFIKATOR")->currentText();
            setText(w, "fTERMIN", date("01-01-2030"));
            child<QCheckBox>(w, "fACT")->setChecked(false);
            click(w, "SBZapisz");
        });
        l->trigger(SubList::Edit);
        QVERIFY(script.done());
        QCOMPARE(kind, QStringLiteral("Faktura"));
        QCOMPARE(l->text(QStringLiteral("IDDOKUMENTU")), QStringLiteral("2"));
        QCOMPARE(scalar(QStringLiteral("SELECT TERMIN||ACT||NUMER FROM dokumenty WHERE IDDOKUMENTU=2")),
                 QStringLiteral("20300101NFV/2022/03/118"));
        Dialogs::setNextAnswer(false);
        l->trigger(SubList::Remove); // answered no
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM dokumenty WHERE IDDOKUMENTU=2")),
                 QStringLiteral("1"));
        Config::global().set(QStringLiteral("pytajPrzedKasowaniem"), false);
        l->trigger(SubList::Remove); // no question asked
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM dokumenty WHERE IDDOKUMENTU=2")),
                 QStringLiteral("0"));
        QCOMPARE(Dialogs::shown().size(), 1);
    }

    void historyFromTheUsersTab_data()
    {
        QTest::addColumn<bool>("withUser");
        QTest::addColumn<QString>("person");
        QTest::newRow("selected user") << true << QStringLiteral("P001");
        QTest::newRow("empty users list") << false << QString();
    }
    void historyFromTheUsersTab()
    {
        QFETCH(bool, withUser);
        QFETCH(QString, person);
        Clock::setFixed(QDateTime(QDate(2024, 6, 14), QTime(9, 0)));
        const qint64 computer = withUser ? 2 : 25;
        if (!withUser) {
            Statement q(&m_db->DatabaseMain(), QString(),
                        {QStringLiteral("DELETE FROM r_kompprac WHERE IDKOMPUTERA=25")});
            q.execSQL();
        }
        SubList* users = tabOf(computer, TfKomputery::Uzytkownicy);
        QCOMPARE(users->isEmpty(), !withUser);
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfHistoria"), [&](QWidget* w) {
            seen << child<DateField>(w, "fDATAOD")->dateText() << child<DateField>(w, "fDATADO")->dateText()
                 << child<Lookup>(w, "fNREW")->key().toString();
            if (!withUser)
                child<Lookup>(w, "fNREW")->setKey(QStringLiteral("P002"));
            setText(w, "fMIEJSCE", QStringLiteral("Pokój 101"));
            click(w, "SBZapisz");
        });
        users->grid()
            ->parentWidget()
            ->findChild<QPushButton*>(QStringLiteral("UzytkownicyHistoria"))
            ->click();
        QVERIFY(script.done());
        QCOMPARE(seen, QStringList({date("14-06-2024"), date("14-06-2024"), person}));
        QCOMPARE(scalar(QStringLiteral(
                     "SELECT KOMPSPRZ||IDOBIEKTU||'/'||DATAOD||'/'||DATADO||'/'||NREW||'/'||MIEJSCE "
                     "FROM historia WHERE IDHISTORII=(SELECT MAX(IDHISTORII) FROM historia)")),
                 QStringLiteral("K%1/20240614/20240614/%2/Pokój 101")
                     .arg(computer)
                     .arg(withUser ? person : QStringLiteral("P002")));
        // The prefill is taken once: the next add starts empty.
        script.add(QStringLiteral("TfHistoria"), [&](QWidget* w) {
            seen << child<DateField>(w, "fDATAOD")->dateText();
            click(w, "SBAnuluj");
        });
        m_editor->subList(TfKomputery::Historia)->trigger(SubList::Add);
        QVERIFY(script.done());
        QCOMPARE(seen.last(), DateField::emptyText());
    }

    void historyChecksAndPreview()
    {
        SubList* l = tabOf(9, TfKomputery::Historia);
        QCOMPARE(l->statement().recordCount(), 2);
        ModalScript script;
        script.add(QStringLiteral("TfHistoria"), [](QWidget* w) {
            child<Lookup>(w, "fNREW")->clearChoice();
            click(w, "SBZapisz");
            setText(w, "fDATAOD", date("01-01-2025"));
            child<Lookup>(w, "fNREW")->setKey(QStringLiteral("P008"));
            click(w, "SBZapisz");
            click(w, "SBAnuluj");
        });
        l->trigger(SubList::Edit);
        QVERIFY(script.done());
        QCOMPARE(Dialogs::shown().size(), 2);
        QCOMPARE(Dialogs::shown()[0].text, QStringLiteral("Nie wskazano osoby."));
        QCOMPARE(Dialogs::shown()[1].text, QStringLiteral("Data od większa niż data do. Popraw pola."));

        // Preview: read-only, and Enter closes without checks.
        bool readOnly = false;
        QString caption;
        script.add(QStringLiteral("TfHistoria"), [&](QWidget* w) {
            readOnly =
                child<QLineEdit>(w, "fMIEJSCE")->isReadOnly() && !child<Lookup>(w, "fNREW")->isEnabled();
            caption = child<QPushButton>(w, "SBAnuluj")->text();
            QTest::keyClick(w, Qt::Key_Return);
        });
        l->trigger(SubList::Preview);
        QVERIFY(script.done());
        QVERIFY(readOnly);
        QCOMPARE(caption, QStringLiteral("&OK"));
        QCOMPARE(Dialogs::shown().size(), 2);
    }

    void previewEditorOpensDialogsReadOnly()
    {
        // A computer in preview: the tab's Edit runs the preview instead.
        SubList* l = tabOf(1, TfKomputery::Terminy);
        m_editor->setPreview(true);
        ModalScript script;
        bool saveShown = true;
        script.add(QStringLiteral("TfTerminy"), [&](QWidget* w) {
            saveShown = child<QPushButton>(w, "SBZapisz")->isVisible();
            click(w, "SBAnuluj");
        });
        QVERIFY(!l->button(SubList::Edit)->isEnabled());
        emit l->grid()->activatedRow(0);
        QVERIFY(script.done());
        QVERIFY(!saveShown);
        m_editor->setPreview(false);
    }

    void printHandsTitleAndLines()
    {
        QString title, text;
        TfKomputery::Hooks hooks;
        hooks.printRecord = [&](const QString& t, const QString& x) {
            title = t;
            text = x;
        };
        m_editor->setHooks(hooks);
        SubList* l = tabOf(1, TfKomputery::Terminy);
        QVERIFY(l->locate(QStringLiteral("IDTERMINU"), 1));
        l->trigger(SubList::Print);
        QCOMPARE(title, QStringLiteral("Termin"));
        const QStringList lines = text.split(QChar(13));
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines[0], QStringLiteral("Czy termin aktywny?: TAK"));
        QCOMPARE(lines[1], QStringLiteral("Rodzaj terminu: Koniec gwarancji"));
        QCOMPARE(lines[6], QStringLiteral("Którą date uwzględnić przy sprawdzaniu terminów?: Datę do"));
    }
};

QTEST_MAIN(TestSubRecords)
#include "test_subrecords.moc"
