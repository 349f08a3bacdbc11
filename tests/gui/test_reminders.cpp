// The deadline window, bulk deactivation, the notes editor, due notes and the
// tip of the day, driven from the main window's menus and popup.

#include "EditorTest.h"
#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/AppPaths.h"
#include "base/Clock.h"
#include "base/Config.h"
#include "base/Dialogs.h"
#include "base/IniFile.h"
#include "registers/TfMain.h"
#include "reminders/Reminders.h"
#include "reminders/TfHurtowaDeaktywacja.h"
#include "reminders/TfNotatki.h"
#include "reminders/TfPoradaDnia.h"
#include "reminders/TfShowNotatka.h"
#include "reminders/TfSprawdzenieDat.h"
#include "shell/Startup.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"
#include "widgets/DateField.h"
#include "widgets/ListModel.h"
#include "widgets/TVXGridStorage.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace EditorTest;

namespace {
const QDateTime kNow(QDate(2024, 5, 15), QTime(9, 0));

QStringList shownTexts()
{
    QStringList texts;
    for (const Dialogs::Shown& s : Dialogs::shown())
        texts << s.text;
    return texts;
}
} // namespace

class TestReminders : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfMain> m_main;
    std::unique_ptr<Reminders> m_reminders;
    std::array<NoteSlot, 30> m_notes{};

    QString scalar(const QString& sql) { return EditorTest::scalar(*m_db, sql); }
    void exec(const QString& sql)
    {
        Statement q(&m_db->DatabaseMain(), QString(), {sql});
        q.execSQL();
    }
    void loginWith(std::initializer_list<int> rights)
    {
        Rights r{};
        for (int n : rights)
            r[size_t(n)] = true;
        AppState::instance().currentUser = QStringLiteral("TEST");
        AppState::instance().rights = r;
        m_main->applyRights(r);
    }
    void loginAll()
    {
        Rights r;
        r.fill(true);
        AppState::instance().currentUser = QStringLiteral("ADMIN");
        AppState::instance().rights = r;
        m_main->applyRights(r);
    }
    TfSprawdzenieDat& window() { return m_reminders->deadlineWindow(); }
    QString cell(int row, int column)
    {
        return window().table()->model()->index(row, column).data().toString().trimmed();
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>();
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        Config::global().reset();
        Clock::setFixed(kNow);
        Dialogs::startScript();
        m_notes = {};
        m_main = std::make_unique<TfMain>(nullptr, m_db.get());
        m_reminders = std::make_unique<Reminders>(*m_main, *m_db, m_notes);
        exec(QStringLiteral("INSERT INTO komputery (NAZWA,NREWID) VALUES ('Dell','K-001')"));
        exec(QStringLiteral("INSERT INTO licencje (NREWID) VALUES ('L-001')"));
    }
    void cleanup()
    {
        m_reminders.reset();
        m_main.reset();
        Dialogs::stopScript();
        Clock::setFixed({});
        Config::global().reset();
        AppState::instance().logout();
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void nothingDue()
    {
        loginAll();
        // After login nothing is shown.
        m_reminders->deadlineCheckAfterLogin();
        QVERIFY(!window().isVisible());
        QAction* menu = m_main->action(QStringLiteral("MSprawdzTerminy"));
        QVERIFY(menu->isEnabled());
        menu->trigger();
        QVERIFY(window().isVisible());
        QVERIFY(!window().isModal());
        QCOMPARE(window().table()->model()->rowCount(), 1);
        QCOMPARE(cell(0, 3), QStringLiteral("Niczego nie znaleziono"));
        window().table()->selectRow(0);
        for (const char* b : {"SBUsun", "SBDezaktywuj", "SBDezaktywujWszystko"})
            click(&window(), b);
        QVERIFY(Dialogs::shown().isEmpty());
        click(&window(), "SBOk");
        QVERIFY(!window().isVisible());
    }

    void deadlineTableKeepsItsWidths()
    {
        window().table()->setColumnWidth(3, 321);
        m_main->restoreGridLayouts();
        QVERIFY(m_main->gridStorage()->isRegistered(window().table()));
        QVERIFY(m_main->gridStorage()->SaveWidths());
        // Stored where the configuration file has always kept it.
        QCOMPARE(IniFile(AppPaths::configFile(QStringLiteral("sprzetnik.ini")))
                     .value(QStringLiteral("GRID"), QStringLiteral("SPRDATSGTabela"))
                     .section(QLatin1Char(','), 3, 3),
                 QStringLiteral("321"));
        window().table()->setColumnWidth(3, 50);
        m_main->gridStorage()->LoadWidths(window().table());
        QCOMPARE(window().table()->columnWidth(3), 321);
    }

    void menuItemsFollowRights()
    {
        loginWith({13});
        QVERIFY(m_main->action(QStringLiteral("Notatnik1"))->isEnabled());
        QVERIFY(!m_main->action(QStringLiteral("MSprawdzTerminy"))->isEnabled());
        QVERIFY(!m_main->action(QStringLiteral("MHurtowaDeaktywacja"))->isEnabled());
        QVERIFY(m_main->action(QStringLiteral("MPoradaDnia"))->isEnabled());
        loginWith({15, 10});
        QVERIFY(m_main->action(QStringLiteral("MSprawdzTerminy"))->isEnabled());
        QVERIFY(m_main->action(QStringLiteral("MHurtowaDeaktywacja"))->isEnabled());
    }

    void afterLoginDeleteDeactivateAndRights()
    {
        exec(QStringLiteral("INSERT INTO terminy (IDOBIEKTU,CZEGODOTYCZY,DATAOD,SPRODDO,OPIS) VALUES "
                            "(1,'K',20240515,'O','Przegląd')"));
        exec(QStringLiteral("INSERT INTO terminy (IDOBIEKTU,CZEGODOTYCZY,DATAOD,SPRODDO,OPIS) VALUES "
                            "(1,'K',20240514,'O','Gwarancja')"));
        exec(QStringLiteral(
            "INSERT INTO naprawy (KOMPSPRZ,IDOBIEKTU,TERMIN,OPIS) VALUES ('K',1,20240513,'Dysk')"));
        loginWith({7, 9, 15, 10}); // may change repairs, not deadlines
        ModalScript script;
        script.add(QStringLiteral("TfSprawdzenieDat"), [this](QWidget* w) {
            QCOMPARE(window().table()->model()->rowCount(), 3);
            QCOMPARE(cell(0, 2), QStringLiteral("Komp. (K-001)"));
            QCOMPARE(cell(0, 0), TmyDataBase::dateText(20240515));
            window().table()->selectRow(0);
            click(w, "SBDezaktywuj");
            QCOMPARE(shownTexts().last(), QStringLiteral("Brak uprawnień do wykonania wskazanej operacji."));
            window().table()->selectRow(2);
            Dialogs::setNextAnswer(true);
            click(w, "SBUsun");
            QCOMPARE(window().table()->model()->rowCount(), 2);
            QCOMPARE(shownTexts().last(), QStringLiteral("Czy na pewno usunąć zaznaczoną pozycję?"));
            click(w, "SBOk");
        });
        m_reminders->deadlineCheckAfterLogin();
        QVERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM naprawy")), QStringLiteral("0"));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM terminy WHERE ACT='T'")), QStringLiteral("2"));
    }

    void deactivateOneAndAllWithoutQuestion()
    {
        exec(QStringLiteral("INSERT INTO terminy (IDOBIEKTU,CZEGODOTYCZY,DATAOD,SPRODDO,OPIS) VALUES "
                            "(1,'K',20240515,'O','Przegląd')"));
        exec(QStringLiteral("INSERT INTO terminy (IDOBIEKTU,CZEGODOTYCZY,DATAOD,SPRODDO,OPIS) VALUES "
                            "(1,'L',20240514,'O','Odnowienie')"));
        exec(QStringLiteral("INSERT INTO bhp (NAZWA,NREWID) VALUES ('Kask','B-1')"));
        exec(QStringLiteral("INSERT INTO r_bhpprac (IDBHP,NREW,DATADO) VALUES (1,'P1',20240510)"));
        Config::global().set(QStringLiteral("pytajPrzedKasowaniem"), false);
        loginAll();
        m_main->action(QStringLiteral("MSprawdzTerminy"))->trigger();
        QCOMPARE(window().table()->model()->rowCount(), 3);
        window().table()->selectRow(0);
        click(&window(), "SBDezaktywuj"); // no question with the option off
        QCOMPARE(window().table()->model()->rowCount(), 2);
        window().table()->selectRow(1);
        click(&window(), "SBDezaktywuj");
        QCOMPARE(
            shownTexts().last(),
            QStringLiteral("Funkcja deaktywacji nie dotyczy pozycji typu BHP (stan posiadania środka BHP)."));
        // "Dezakt. wszystko" always asks.
        Dialogs::setNextAnswer(true);
        click(&window(), "SBDezaktywujWszystko");
        QCOMPARE(shownTexts().last(), QStringLiteral("Czy na pewno deaktywować wszystkie terminy?"));
        QCOMPARE(window().table()->model()->rowCount(), 1);
        QCOMPARE(cell(0, 1), QStringLiteral("Bhp"));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM terminy WHERE ACT='T'")), QStringLiteral("0"));
        // The next check lists only the holding.
        QVERIFY(window().fillTable());
        QCOMPARE(window().entries().size(), 1);
        window().hide();
    }

    // The table as the user sees it: the fixed columns coloured and centred,
    // the text columns one space in, the key hidden; a removed row is taken by
    // the next one, and the last removed brings back "Niczego nie znaleziono".
    void tableLooksAndShrinksAsRowsGo()
    {
        exec(QStringLiteral("INSERT INTO terminy (IDOBIEKTU,CZEGODOTYCZY,DATAOD,SPRODDO,OPIS) VALUES "
                            "(1,'K',20240515,'O','Przegląd')"));
        exec(QStringLiteral("INSERT INTO terminy (IDOBIEKTU,CZEGODOTYCZY,DATAOD,SPRODDO,OPIS) VALUES "
                            "(1,'L',20240514,'O','Odnowienie')"));
        exec(QStringLiteral("INSERT INTO bhp (NAZWA,NREWID) VALUES ('Kask','B-1')"));
        exec(QStringLiteral("INSERT INTO r_bhpprac (IDBHP,NREW,DATADO) VALUES (1,'P\"1',20240510)"));
        Config::global().set(QStringLiteral("pytajPrzedKasowaniem"), false);
        loginAll();
        m_main->action(QStringLiteral("MSprawdzTerminy"))->trigger();
        QTableView* table = window().table();
        QAbstractItemModel* model = table->model();
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->columnCount(), 6);
        const QStringList titles = {QStringLiteral("data"),      QString(),
                                    QStringLiteral("nr ewid."),  QStringLiteral("Nazwa / opis"),
                                    QStringLiteral("Szczegóły"), QString()};
        for (int c = 0; c < 6; ++c)
            QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), titles.at(c));
        QVERIFY(table->isColumnHidden(5));
        for (int c = 0; c < 5; ++c)
            QVERIFY(!table->isColumnHidden(c));

        const QColor fixed = window().palette().color(QPalette::Button);
        const QModelIndex date = model->index(0, 0);
        QCOMPARE(date.data().toString(), TmyDataBase::dateText(20240515));
        QCOMPARE(date.data(Qt::BackgroundRole).value<QBrush>().color(), fixed.darker(160));
        QCOMPARE(date.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::white));
        QCOMPARE(date.data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::Alignment(Qt::AlignCenter));
        const QModelIndex kind = model->index(0, 1);
        QCOMPARE(kind.data().toString(), QStringLiteral("Term."));
        QCOMPARE(kind.data(Qt::BackgroundRole).value<QBrush>().color(), fixed.darker(100));
        QCOMPARE(kind.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::black));
        QCOMPARE(model->index(0, 3).data().toString(), QStringLiteral(" Przegląd"));
        QVERIFY(!model->index(0, 3).data(Qt::BackgroundRole).isValid());
        QCOMPARE(model->index(1, 2).data().toString(), QStringLiteral(" Lic. (L-001)"));
        QCOMPARE(model->index(2, 4).data().toString(), QStringLiteral(" Prac.: "));
        // The hidden key: the number, or the holding's condition.
        QCOMPARE(model->index(0, 5).data().toString().trimmed(),
                 scalar(QStringLiteral("SELECT IDTERMINU FROM terminy "
                                       "WHERE OPIS='Przegląd'")));
        QCOMPARE(model->index(2, 5).data().toString().trimmed(), QStringLiteral("NREW=\"P\"1\" AND IDBHP=1"));
        QCOMPARE(window().shownRows().at(1),
                 (QStringList{TmyDataBase::dateText(20240514), QStringLiteral("Term."),
                              QStringLiteral("Lic. (L-001)"), QStringLiteral("Odnowienie"),
                              QStringLiteral("Rodzaj: ")}));

        // The first row goes: the next takes its place and stays selected.
        table->selectRow(0);
        click(&window(), "SBUsun");
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(table->currentIndex().row(), 0);
        QCOMPARE(cell(0, 3), QStringLiteral("Odnowienie"));
        QCOMPARE(table->selectionModel()->selectedRows().size(), 1);
        // The last row goes: the one before is selected.
        table->selectRow(1);
        click(&window(), "SBUsun");
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(table->currentIndex().row(), 0);
        QCOMPARE(cell(0, 3), QStringLiteral("Odnowienie"));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM r_bhpprac")), QStringLiteral("0"));
        click(&window(), "SBUsun");
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(cell(0, 3), QStringLiteral("Niczego nie znaleziono"));
        QCOMPARE(cell(0, 0), QString());
        QCOMPARE(cell(0, 5), QString());
        QVERIFY(window().entries().isEmpty());
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM terminy")), QStringLiteral("0"));
        // A table with nothing in it has nothing to delete or deactivate.
        table->selectRow(0);
        const qsizetype before = Dialogs::shown().size();
        click(&window(), "SBUsun");
        click(&window(), "SBDezaktywujWszystko");
        QCOMPARE(Dialogs::shown().size(), before);
        window().hide();
    }

    void exportsToCsvAndText()
    {
        exec(QStringLiteral("INSERT INTO terminy (IDOBIEKTU,CZEGODOTYCZY,DATAOD,SPRODDO,OPIS) VALUES "
                            "(1,'K',20240515,'O','Przegląd \"roczny\"')"));
        loginAll();
        m_main->action(QStringLiteral("MSprawdzTerminy"))->trigger();
        const QString csv = m_config->path() + QStringLiteral("/zaplanowane_zdarzenia.csv");
        Dialogs::setNextFileName(csv);
        click(&window(), "SBCSV");
        QCOMPARE(shownTexts().last(), QStringLiteral("Eksport zakończony poprawnie."));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        file.close();
        QCOMPARE(lines.at(0),
                 QByteArray("\"data\";\"\";\"nr ewid.\";\"Nazwa / opis\";\"Szczeg\xf3\xb3y\"\r"));
        QVERIFY(lines.at(1).contains("\"Przegl\xb9"
                                     "d `roczny`\""));

        const QString txt = m_config->path() + QStringLiteral("/zaplanowane_zdarzenia.txt");
        Dialogs::setNextFileName(txt);
        click(&window(), "SBTXT");
        QCOMPARE(shownTexts().last(), QStringLiteral("Eksport zakończony poprawnie."));
        QFile text(txt);
        QVERIFY(text.open(QIODevice::ReadOnly));
        QCOMPARE(text.readAll().count("\r\n"), 5);
        // A folder that does not exist cannot take the file.
        Dialogs::setNextFileName(m_config->path() + QStringLiteral("/brak/plik.txt"));
        click(&window(), "SBTXT");
        QCOMPARE(shownTexts().last(), QStringLiteral("Nie udało się wyeksportować danych."));
        window().hide();
    }

    void bulkDialogChecksItsFields()
    {
        exec(QStringLiteral("INSERT INTO terminy (IDOBIEKTU,CZEGODOTYCZY,DATAOD,DATADO,SPRODDO,OPIS) VALUES "
                            "(1,'K',20240105,20240106,'D','Przegląd')"));
        loginWith({8, 17, 15});
        ModalScript script;
        script.add(QStringLiteral("TfHurtowaDeaktywacja"), [](QWidget* w) {
            auto* dialog = static_cast<TfHurtowaDeaktywacja*>(w);
            QCOMPARE(dialog->editSeria()->text(),
                     QStringLiteral("Wszystkie: Komputery, Inny Sprzęt, Licencje"));
            QVERIFY(!dialog->cbNaprawy()->isEnabled()); // no right 10
            click(w, "SBWykonaj");
            QCOMPARE(shownTexts().last(), QStringLiteral("Niepoprawny format daty od. Popraw pole."));
            dialog->termDataOd()->setYmd(20240110);
            click(w, "SBWykonaj");
            QCOMPARE(shownTexts().last(), QStringLiteral("Niepoprawny format daty do. Popraw pole."));
            dialog->termDataDo()->setYmd(20240101);
            click(w, "SBWykonaj");
            QCOMPARE(shownTexts().last(), QStringLiteral("Data od większa niż data do. Popraw pola."));
            dialog->termDataOd()->setYmd(20240101);
            dialog->termDataDo()->setYmd(20240131);
            dialog->cbNaprawy()->setChecked(true); // disabled: does not count
            click(w, "SBWykonaj");
            QCOMPARE(shownTexts().last(),
                     QStringLiteral("Nie wskazano tabel, dla których należy zdeaktywować terminy."));
            dialog->cbTerminy()->setChecked(true);
            Dialogs::setNextAnswer(false);
            click(w, "SBWykonaj");
            QCOMPARE(shownTexts().last(), QStringLiteral("Czy na pewno zdeaktywować wskazane terminy?"));
        });
        m_main->action(QStringLiteral("MHurtowaDeaktywacja"))->trigger();
        QVERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QCOMPARE(scalar(QStringLiteral("SELECT ACT FROM terminy")), QStringLiteral("T"));
        // The dates and boxes stay for the next opening.
        QCOMPARE(m_reminders->bulkWindow().termDataOd()->ymd(), 20240101);
        QVERIFY(m_reminders->bulkWindow().cbTerminy()->isChecked());
    }

    void bulkFromThePopupOfALicence()
    {
        exec(QStringLiteral("INSERT INTO terminy (IDOBIEKTU,CZEGODOTYCZY,DATAOD,DATADO,SPRODDO,OPIS) VALUES "
                            "(1,'L',20240105,20240106,'D','licencja')"));
        exec(QStringLiteral("INSERT INTO terminy (IDOBIEKTU,CZEGODOTYCZY,DATAOD,DATADO,SPRODDO,OPIS) VALUES "
                            "(1,'K',20240105,20240106,'D','komputer')"));
        loginAll();
        m_main->SBLicencjeClick();
        QVERIFY(m_main->action(QStringLiteral("PHurtowaDeaktywacja"))->isVisible());
        QVERIFY(m_db->locate(QStringLiteral("DBFLicencje"), {1}));
        ModalScript script;
        script.add(QStringLiteral("TfHurtowaDeaktywacja"), [](QWidget* w) {
            auto* dialog = static_cast<TfHurtowaDeaktywacja*>(w);
            QCOMPARE(dialog->editSeria()->text(), QStringLiteral("Licencja (L-001)"));
            QVERIFY(dialog->cbTerminy()->isVisible());
            QVERIFY(!dialog->cbNaprawy()->isVisible());
            QVERIFY(!dialog->cbDokumenty()->isVisible());
            dialog->termDataOd()->setYmd(20240101);
            dialog->termDataDo()->setYmd(20240131);
            dialog->cbTerminy()->setChecked(true);
            dialog->cbNaprawy()->setChecked(true);
            Dialogs::setNextAnswer(true);
            click(w, "SBWykonaj");
        });
        m_main->action(QStringLiteral("PHurtowaDeaktywacja"))->trigger(); // as the popup does
        QVERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) || ':' || MIN(OPIS) FROM terminy WHERE ACT='N'")),
                 QStringLiteral("1:licencja"));
    }

    void bulkFromTheMenuReloadsTheDeadlineList()
    {
        exec(QStringLiteral("INSERT INTO terminy (IDOBIEKTU,CZEGODOTYCZY,DATAOD,DATADO,SPRODDO,OPIS) VALUES "
                            "(1,'K',20240105,20240106,'D','komputer')"));
        loginAll();
        m_main->SBTerminarzClick();
        QCOMPARE(m_main->currentList(), QStringLiteral("DBFTerminy"));
        ModalScript script;
        script.add(QStringLiteral("TfHurtowaDeaktywacja"), [](QWidget* w) {
            auto* dialog = static_cast<TfHurtowaDeaktywacja*>(w);
            dialog->termDataOd()->setYmd(20240101);
            dialog->termDataDo()->setYmd(20240131);
            dialog->cbTerminy()->setChecked(true);
            Dialogs::setNextAnswer(true);
            click(w, "SBWykonaj");
        });
        m_main->action(QStringLiteral("MHurtowaDeaktywacja"))->trigger();
        QVERIFY(script.done());
        ListModel* model = m_main->listModel(QStringLiteral("DBFTerminy"));
        QCOMPARE(model->statement().recordCount(), 1);
        model->statement().first();
        QCOMPARE(model->statement().text(QStringLiteral("ACT")), QStringLiteral("N"));
    }

    void notesEditor()
    {
        m_notes[0] = {date("20-05-2024"), QStringLiteral("Pierwsza"), QStringLiteral("r1")};
        loginAll();
        ModalScript script;
        script.add(QStringLiteral("TfNotatki"), [](QWidget* w) {
            auto* editor = static_cast<TfNotatki*>(w);
            QCOMPARE(editor->current(), 1);
            QCOMPARE(child<QLineEdit>(w, "ilosc_n")->text(), QStringLiteral("1"));
            QCOMPARE(editor->notatka()->toPlainText(), QStringLiteral("Pierwsza"));
            click(w, "SBPoprzednia"); // 1 wraps to 30
            QCOMPARE(editor->current(), 30);
            editor->notatka()->setPlainText(QStringLiteral("Zamów \"tonery\""));
            editor->termin()->setDateText(date("32-13-2024")); // not a date
            click(w, "SBNastepna");                            // 30 wraps to 1
            QCOMPARE(editor->current(), 1);
            editor->notatka()->clear(); // an emptied note loses its date too
            click(w, "SBNastepna");
            QCOMPARE(editor->current(), 2);
            editor->notatka()->setPlainText(QStringLiteral("Druga \"nota\""));
            editor->termin()->setDateText(date("16-05-2024"));
            editor->notatka()->setPlainText(QString(300, QLatin1Char('x')));
            QCOMPARE(editor->notatka()->toPlainText().size(), TfNotatki::kMaxText);
            editor->notatka()->setPlainText(QStringLiteral("Druga \"nota\""));
            click(w, "SBOk"); // closing stores the note as well
        });
        m_main->action(QStringLiteral("Notatnik1"))->trigger();
        QVERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QCOMPARE(m_notes[29].opis, QStringLiteral("Zamów `tonery`"));
        QCOMPARE(m_notes[29].data, DateField::emptyText());
        QCOMPARE(m_notes[0].opis, QString());
        QCOMPARE(m_notes[0].data, QString());
        QCOMPARE(m_notes[0].reserved, QStringLiteral("r1"));
        QCOMPARE(m_notes[1].opis, QStringLiteral("Druga `nota`"));
        // Saved to the database after the editor closed.
        const auto stored = m_db->loadNotes();
        QCOMPARE(stored[1].opis, QStringLiteral("Druga `nota`"));
        QCOMPARE(stored[1].data, date("16-05-2024"));
        QCOMPARE(stored[29].data, DateField::emptyText());
    }

    void clearingANoteAsks()
    {
        m_notes[0] = {date("20-05-2024"), QStringLiteral("Pierwsza"), {}};
        ModalScript script;
        script.add(QStringLiteral("TfNotatki"), [](QWidget* w) {
            click(w, "SBWyczysc"); // answered no
            QCOMPARE(static_cast<TfNotatki*>(w)->notatka()->toPlainText(), QStringLiteral("Pierwsza"));
            Dialogs::setNextAnswer(true);
            click(w, "SBWyczysc");
            QCOMPARE(shownTexts().last(), QStringLiteral("Czy usunąć bieżącą notatkę?"));
            QVERIFY(static_cast<TfNotatki*>(w)->termin()->isEmptyDate());
            static_cast<QDialog*>(w)->reject(); // Escape stores the note too
        });
        m_reminders->Notatnik1Click();
        QVERIFY(script.done());
        QCOMPARE(m_notes[0].opis, QString());
        QCOMPARE(m_db->loadNotes()[0].opis, QString());
    }

    void dueNoteDeletedFromItsWindow()
    {
        m_notes[2] = {date("15-05-2024"), QStringLiteral("Dziś: przegląd gaśnic"), {}};
        m_notes[3] = {date("16-05-2024"), QStringLiteral("Jutro"), {}};
        QVERIFY(m_db->saveNotes(m_notes));
        // With no days ahead only today's note is due.
        QCOMPARE(Startup::dueNotes(m_notes, Clock::today(), 0, 0), QList<int>{3});
        ModalScript script;
        script.add(QStringLiteral("TfShowNotatka"), [](QWidget* w) {
            QCOMPARE(child<QPlainTextEdit>(w, "notatka")->toPlainText(),
                     QStringLiteral("Dziś: przegląd gaśnic"));
            QVERIFY(child<QPlainTextEdit>(w, "notatka")->isReadOnly());
            Dialogs::setNextAnswer(true);
            click(w, "SBUsun");
        });
        m_reminders->showDueNote(3);
        QVERIFY(script.done());
        QCOMPARE(shownTexts().last(), QStringLiteral("Czy usunąć notatkę?"));
        QCOMPARE(m_notes[2].opis, QString());
        QCOMPARE(m_db->loadNotes()[2].opis, QString());
        QCOMPARE(m_db->loadNotes()[3].opis, QStringLiteral("Jutro"));
    }

    void tipOfTheDay()
    {
        TipsFile& tips = m_reminders->tips();
        tips.setTips({QStringLiteral("Jedyna porada")});
        ModalScript script;
        script.add(QStringLiteral("TfPoradaDnia"), [](QWidget* w) {
            auto* label = child<QLabel>(w, "porada");
            QCOMPARE(label->text(), QStringLiteral("Jedyna porada"));
            QVERIFY(!child<QCheckBox>(w, "niePokazuj")->isChecked());
            click(w, "SBNastepna");
            QCOMPARE(label->text(), QStringLiteral("Jedyna porada"));
            child<QCheckBox>(w, "niePokazuj")->setChecked(true);
            click(w, "SBOk");
        });
        m_reminders->tipAfterLogin();
        QVERIFY(script.done());
        QVERIFY(!Config::global().flag(QStringLiteral("pokazujPoradeDnia")));

        // From the menu it is shown all the same, with the box ticked; no tips at all is said so.
        tips.setTips({});
        script.add(QStringLiteral("TfPoradaDnia"), [](QWidget* w) {
            QVERIFY(child<QCheckBox>(w, "niePokazuj")->isChecked());
            QCOMPARE(child<QLabel>(w, "porada")->text(), TfPoradaDnia::noTipsText());
            child<QCheckBox>(w, "niePokazuj")->setChecked(false);
            click(w, "SBOk");
        });
        m_main->action(QStringLiteral("MPoradaDnia"))->trigger();
        QVERIFY(script.done());
        QVERIFY(Config::global().flag(QStringLiteral("pokazujPoradeDnia")));

        tips.setTips({QStringLiteral("A"), QStringLiteral("B")});
        script.add(QStringLiteral("TfPoradaDnia"), [](QWidget* w) {
            auto* label = child<QLabel>(w, "porada");
            const QString first = label->text();
            click(w, "SBNastepna");
            QVERIFY(label->text() != first);
            click(w, "SBOk");
        });
        m_reminders->Poradadnia1Click();
        QVERIFY(script.done());
    }
};

QTEST_MAIN(TestReminders)
#include "test_reminders.moc"
