#include "TestDatabase.h"
#include "TestServer.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "registers/FindTextDialog.h"
#include "registers/ListSearch.h"
#include "registers/ListTools.h"
#include "registers/TfFiszka.h"
#include "registers/TfMain.h"
#include "registers/TfSumy.h"
#include "shell/Startup.h"
#include "store/AppState.h"
#include "store/DatabaseLocation.h"
#include "store/SchemaUpgrades.h"
#include "store/TmyDataBase.h"
#include "users/TfLogin.h"
#include "widgets/DataGrid.h"
#include "widgets/ListModel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// Search, column sums, CSV export and the Fiszka card of the main window.
class TestListTools : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfMain> m_main;

    void exec(const QString& sql)
    {
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(sql);
        q.execSQL();
    }
    TfSumy& sums() { return m_main->listTools().sumWindow(); }
    ListSearch& search() { return m_main->listTools().search(); }
    int cursor(const char* list) { return m_main->listModel(QLatin1String(list))->currentRow(); }
    QString info() { return Dialogs::shown().isEmpty() ? QString() : Dialogs::shown().last().text; }
    void addComputers()
    {
        exec(QStringLiteral("INSERT INTO komputery (NREWID,NAZWA,NETTO,VAT,BRUTTO) VALUES "
                            "('K/1','Dell Optiplex',100,23,123),('K/2','HP ProDesk',200.5,46.12,246.62),"
                            "('K/3','SERWER ŁÓDŹ ŻERAŃ',0,0,0)"));
        exec(QStringLiteral(
            "INSERT INTO komputery (NREWID,NAZWA,NETTO,ARCHIWUM) VALUES ('K/4','Stary',50,'T')"));
    }
    QString sumValues()
    {
        QStringList v;
        for (int c = 0; c < sums().columns(); ++c)
            v << sums().value(c);
        return v.join(QLatin1Char('|'));
    }

private slots:
    void initTestCase() { Dialogs::install(); }
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(false);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        m_main = std::make_unique<TfMain>(nullptr, m_db.get());
        Rights all{};
        all.fill(true);
        m_main->applyRights(all);
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

    // ---- Sums ----------------------------------------------------------------

    void computerSumsIgnoreTheOrderAndFollowTheArchive_data()
    {
        QTest::addColumn<int>("titleClicks"); // on "Netto": 1 ascending, 2 descending
        QTest::newRow("list order") << 0;
        QTest::newRow("by net value") << 1;
        QTest::newRow("by net value, descending") << 2;
    }
    void computerSumsIgnoreTheOrderAndFollowTheArchive()
    {
        QFETCH(int, titleClicks);
        addComputers();
        m_main->SBKomputeryClick();
        DataGrid* grid = m_main->grid(QStringLiteral("KomputeryGrid"));
        const int netto =
            m_main->listModel(QStringLiteral("DBFKomputery"))->columnOf(QStringLiteral("NETTO"));
        for (int i = 0; i < titleClicks; ++i)
            emit grid->horizontalHeader()->sectionClicked(netto);
        m_main->runCommand(TfMain::Command::Sums);
        QVERIFY(sums().isVisible());
        QVERIFY(!sums().isModal());
        QCOMPARE(sums().windowTitle(), QStringLiteral("Sumy dla tabeli KOMPUTERY"));
        QCOMPARE(sums().columns(), 4);
        QCOMPARE(sums().title(0), QStringLiteral("Ilość rekordów"));
        QCOMPARE(sums().title(3), QStringLiteral("Wartość brutto"));
        QCOMPARE(sumValues(), QStringList({QStringLiteral("3"), TmyDataBase::amountText(300.5),
                                           TmyDataBase::amountText(69.12), TmyDataBase::amountText(369.62)})
                                  .join(QLatin1Char('|')));

        // "Tylko zlikwidowane rekordy": the liquidated computer alone.
        m_main->findChild<QComboBox*>(QStringLiteral("CBPokazElementy"))->setCurrentIndex(1);
        m_main->runCommand(TfMain::Command::Sums);
        QCOMPARE(sums().value(0), QStringLiteral("1"));
        QCOMPARE(sums().value(1), TmyDataBase::amountText(50));
        QCOMPARE(sums().value(2), TmyDataBase::amountText(0)); // an empty sum shows 0.00 too
    }

    void sumsOfTheOtherRegisters()
    {
        exec(QStringLiteral("INSERT INTO rozliczenia (GODZINY,STAWKA,DATAOD) VALUES (2,50.5,20260105),"
                            "(1.5,100,20260110)"));
        exec(
            QStringLiteral("INSERT INTO magazyn (CZESC,ILOSC) VALUES ('Toner',3),('Papier',10),('Kabel',1)"));
        exec(QStringLiteral("INSERT INTO programy (NAZWA) VALUES ('Biuro'),('Antywirus')"));

        m_main->SBRozliczeniaClick();
        m_main->runCommand(TfMain::Command::Sums);
        QCOMPARE(sums().windowTitle(), QStringLiteral("Sumy dla tabeli Rozliczenia"));
        QCOMPARE(sums().title(1), QStringLiteral("Ilość godzin"));
        QCOMPARE(sumValues(), QStringLiteral("2|") + TmyDataBase::amountText(3.5) + QLatin1Char('|') +
                                  TmyDataBase::amountText(251));

        m_main->SBMagazynClick();
        m_main->runCommand(TfMain::Command::Sums);
        QCOMPARE(sums().windowTitle(), QStringLiteral("Sumy dla tabeli MAGAZYN"));
        QCOMPARE(sums().title(0), QStringLiteral("Ilość danych"));
        QCOMPARE(sumValues(), QStringLiteral("3"));

        m_main->SBProgramyClick();
        m_main->runCommand(TfMain::Command::Sums);
        QCOMPARE(sums().windowTitle(), QStringLiteral("Sumy dla tabeli Programy"));
        QCOMPARE(sumValues(), QStringLiteral("2"));

        // A page without a list: the hint and one empty column.
        m_main->SBStartClick();
        m_main->runCommand(TfMain::Command::Sums);
        QCOMPARE(sums().windowTitle(),
                 QStringLiteral("Włącz odpowiednią tabelę i ponownie kliknij \"Przelicz sumy\""));
        QCOMPARE(sums().columns(), 1);
        QCOMPARE(sums().value(0), QString());
    }

    void purchaseSumsFollowTheDateRange()
    {
        exec(QStringLiteral("INSERT INTO zakupbhp (NAZWA,DATAZAKUPU,NETTO,VAT,BRUTTO) VALUES "
                            "('Rękawice',20260110,10,2.3,12.3),('Kaski',20260220,100,23,123)"));
        m_main->SBZakupBhpClick();
        m_main->runCommand(TfMain::Command::Sums);
        QCOMPARE(sums().windowTitle(), QStringLiteral("Sumy dla tabeli Zakup Środków BHP"));
        QCOMPARE(sums().value(0), QStringLiteral("2"));
        m_db->listState().setDateRange(QStringLiteral("DBFZakupBhp"), 20260201, 20260228);
        m_main->runCommand(TfMain::Command::Sums);
        QCOMPARE(sums().value(0), QStringLiteral("1"));
        QCOMPARE(sums().value(3), TmyDataBase::amountText(123));
    }

    void sumErrorIsReportedAndTheTitlesStay()
    {
        m_main->SBNaprawyClick();
        exec(QStringLiteral("DROP TABLE naprawy"));
        m_main->runCommand(TfMain::Command::Sums);
        QCOMPARE(sums().windowTitle(), QStringLiteral("Sumy dla tabeli NAPRAWY"));
        QCOMPARE(sums().title(1), QStringLiteral("Wartość netto"));
        QCOMPARE(sums().value(0), QString());
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("[0000000260]")));
    }

    // ---- Search --------------------------------------------------------------

    void searchFindsADeadlineByItsObjectLabel()
    {
        exec(QStringLiteral("INSERT INTO komputery (NREWID,NAZWA) VALUES ('K/7','Laptop')"));
        exec(QStringLiteral("INSERT INTO sprzet (NREWID,NAZWA) VALUES ('S/1','Drukarka')"));
        exec(QStringLiteral("INSERT INTO terminy (IDOBIEKTU,CZEGODOTYCZY,DATAOD,DATADO,OPIS) VALUES "
                            "(1,'S',20260101,20260101,'Przegląd'),(1,'K',20260201,20260201,'Gwarancja')"));
        m_main->SBTerminarzClick();
        QCOMPARE(m_main->listModel(QStringLiteral("DBFTerminy"))->rowCount(), 2);
        m_main->runCommand(TfMain::Command::Search);
        QVERIFY(search().dialog().isVisible());
        QVERIFY(!search().dialog().isModal());
        QVERIFY(search().firstSearch());
        QVERIFY(search().findNext(QStringLiteral("komp")));
        QCOMPARE(cursor("DBFTerminy"), 1);
        QCOMPARE(m_main->grid(QStringLiteral("terminyGrid"))->currentIndex().row(), 1);
    }

    void searchFoldsPolishLetters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");
        QTest::newRow("łódź finds ŁÓDŹ") << QStringLiteral("łódź") << 2;
        QTest::newRow("ż finds Ż") << QStringLiteral("ż") << 2;
        QTest::newRow("diacritics still count") << QStringLiteral("lodz") << -1;
        QTest::newRow("Serwer łÓdŹ") << QStringLiteral("Serwer łÓdŹ") << 2;
        QTest::newRow("amount as shown") << TmyDataBase::amountText(200.5) << 1;
    }
    void searchFoldsPolishLetters()
    {
        QFETCH(QString, text);
        QFETCH(int, row);
        addComputers();
        m_main->SBKomputeryClick();
        m_main->runCommand(TfMain::Command::Search);
        QCOMPARE(search().findNext(text), row >= 0);
        QCOMPARE(cursor("DBFKomputery"), std::max(row, 0));
    }

    void findNextAfterTheLastMatchStartsOver()
    {
        addComputers();
        m_main->SBKomputeryClick();
        // Through the controls: the button, the dialog's text and "find next".
        m_main->navigationButton(QStringLiteral("SBSzukaj"))->click();
        FindTextDialog& dialog = search().dialog();
        dialog.setFindText(QStringLiteral("k/"));
        auto* next = dialog.findChild<QPushButton*>(QStringLiteral("FindNext"));
        next->click();
        QCOMPARE(cursor("DBFKomputery"), 0); // the first search tests the first row
        next->click();
        QCOMPARE(cursor("DBFKomputery"), 1);
        next->click();
        QCOMPARE(cursor("DBFKomputery"), 2);
        QCOMPARE(Dialogs::shown().size(), 0);
        next->click();
        QCOMPARE(cursor("DBFKomputery"), 0);
        QCOMPARE(info(), QStringLiteral("Podany tekst nie został znaleziony lub dotarto do ostatniej pozycji "
                                        "tabeli. Spróbuj przeszukać listę od początku."));
        QCOMPARE(Dialogs::shown().last().title, QStringLiteral("Informacja"));
        next->click();
        QCOMPARE(cursor("DBFKomputery"), 1);
    }

    void searchOnAnEmptyListDoesNothing()
    {
        m_main->SBNaprawyClick();
        m_main->runCommand(TfMain::Command::Search);
        QVERIFY(!search().findNext(QStringLiteral("x")));
        QCOMPARE(Dialogs::shown().size(), 0);
    }

    // ---- A long list read by pages --------------------------------------------

    void toolsSeeTheWholeListReadByPages()
    {
        if (m_database->onServer())
            QSKIP("the sort key columns and the reading by pages are the database file's");
        // The sort keys, as the login adds them; then more computers than the
        // list reads at first, the last one in the list's order being the one
        // every tool has to reach.
        SchemaUpgrades(*m_db, m_database->dir(), m_database->password(), [](const QString&, const QString&) {
        }).updateSortKeys();
        exec(
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<1500) "
                           "INSERT INTO komputery (NREWID,NAZWA,NETTO,VAT,BRUTTO) "
                           "SELECT printf('K/%04d', i), CASE i WHEN 1500 THEN 'Ostatni' ELSE 'Komputer' END, "
                           "1, 0, 1 FROM n"));
        const QString list = QStringLiteral("DBFKomputery");
        const QVariant lastKey = [&] {
            Statement& q = m_db->mySQL();
            q.clear();
            q.add(QStringLiteral("SELECT IDKOMPUTERA FROM komputery WHERE NREWID='K/1500'"));
            q.open();
            return QVariant(q.integerAt(0, 0));
        }();
        m_main->SBKomputeryClick();
        ListModel* model = m_main->listModel(list);
        Statement& q = model->statement();
        // Entered afresh: only the first rows read, the rest left to pages.
        auto enter = [&] {
            q.close();
            model->reload([&] { return m_db->reloadList(list); });
            QVERIFY(q.readsByPages());
            QVERIFY(q.loadedCount() < 1500);
            QCOMPARE(model->rowCount(), 1500);
        };

        enter();
        m_main->runCommand(TfMain::Command::Search);
        QVERIFY(search().findNext(QStringLiteral("ostatni")));
        QCOMPARE(cursor("DBFKomputery"), 1499);

        enter();
        QVERIFY(m_main->locate(list, lastKey));
        QCOMPARE(cursor("DBFKomputery"), 1499);

        enter();
        m_main->runCommand(TfMain::Command::Sums);
        QCOMPARE(sums().value(0), QStringLiteral("1500"));
        QCOMPARE(sums().value(1), TmyDataBase::amountText(1500));

        enter();
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("komputery.csv"));
        Dialogs::setNextFileName(name);
        m_main->runCommand(TfMain::Command::Csv);
        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 1502); // titles, every row, the empty rest after the last line end
        QVERIFY(lines[1].startsWith(QStringLiteral("\"K/0001\";")));
        QVERIFY(lines[1500].startsWith(QStringLiteral("\"K/1500\";\"Ostatni\"")));
    }

    // ---- CSV -----------------------------------------------------------------

    void csvHoldsTheListAsShown()
    {
        exec(QStringLiteral("INSERT INTO komputery (NREWID,NAZWA,PRODUCENT,NETTO) VALUES "
                            "('K/1','Monitor 24\" `Pro`','Żółw sp. z o.o.',1200.5),('K/2','漢字 €','',0)"));
        m_main->SBKomputeryClick();
        ListModel* model = m_main->listModel(QStringLiteral("DBFKomputery"));
        model->statement().setRecNo(1);
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("komputery.csv"));
        Dialogs::setNextFileName(name);
        m_main->runCommand(TfMain::Command::Csv);

        const QList<Dialogs::Shown> shown = Dialogs::shown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].kind, Dialogs::Kind::SaveFile);
        QCOMPARE(shown[0].title, QStringLiteral("Eksportuj dane do arkusza .CSV"));
        QCOMPARE(shown[0].text, QStringLiteral("komputery.csv"));
        QCOMPARE(shown[1].text, QStringLiteral("Eksport zakończony poprawnie."));
        QCOMPARE(model->currentRow(), 1); // the cursor stays where it was

        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.endsWith("\r\n"));
        const QStringList lines =
            QString(QStringDecoder("windows-1250").decode(bytes)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 4); // titles, two rows, the empty rest after the last line end
        QStringList titles;
        for (int c = 0; c < model->columnCount(); ++c)
            titles << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        QVERIFY(titles.contains(QStringLiteral("VAT"))); // a column without a title gives its field
        QCOMPARE(lines[0], QLatin1Char('"') + titles.join(QStringLiteral("\";\"")) + QLatin1Char('"'));
        QVERIFY(lines[1].startsWith(QStringLiteral("\"K/1\";\"Monitor 24` 'Pro'\";\"Żółw sp. z o.o.\";")));
        QVERIFY(lines[1].contains(QLatin1Char('"') + TmyDataBase::amountText(1200.5) + QLatin1Char('"')));
        QVERIFY(lines[2].startsWith(QStringLiteral("\"K/2\";\"?? €\";")));
    }

    void csvFailureAndCancel()
    {
        m_main->SBFirmyClick();
        Dialogs::setNextFileName(QStringLiteral("/nonexistent-folder/x/firmy.csv"));
        m_main->runCommand(TfMain::Command::Csv);
        QCOMPARE(Dialogs::shown().first().text, QStringLiteral("firmy.csv"));
        QCOMPARE(info(), QStringLiteral("Nie udało się wyeksportować danych."));

        // No file chosen: nothing more is shown.
        const int before = int(Dialogs::shown().size());
        m_main->runCommand(TfMain::Command::Csv);
        QCOMPARE(Dialogs::shown().size(), before + 1);
        QCOMPARE(Dialogs::shown().last().kind, Dialogs::Kind::SaveFile);
    }

    // ---- Fiszka --------------------------------------------------------------

    void fiszkaIsModelessAndClosesWithEscape()
    {
        m_main->show();
        m_main->navigationButton(QStringLiteral("SBFiszka"))->click();
        TfFiszka& fiszka = m_main->listTools().fiszka();
        QVERIFY(fiszka.isVisible());
        QVERIFY(!fiszka.isModal());
        QCOMPARE(fiszka.windowTitle(), QStringLiteral("Fiszka - notatki tymczasowe"));
        fiszka.memo()->setPlainText(QStringLiteral("zadzwonić do serwisu"));
        fiszka.onTop()->setChecked(true);
        QVERIFY(fiszka.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(fiszka.isVisible());
        QTest::keyClick(&fiszka, Qt::Key_Escape);
        QVERIFY(!fiszka.isVisible());
        m_main->runCommand(TfMain::Command::Note);
        QCOMPARE(fiszka.text(), QStringLiteral("zadzwonić do serwisu")); // kept while the program runs
    }

    void fiszkaTextIsResetAtEveryLogin()
    {
        if (TestServer::backendIsServer())
            QSKIP("the start-up reads the database's location, a folder of the database file");
        TestDatabase demo(true);
        DatabaseLocation::global().set(demo.dir(), demo.password());
        QVERIFY(DatabaseLocation::global().store());
        TfMain main;
        TmyDataBase db;
        Startup startup(main, db);
        const auto loginLater = [] {
            QTimer::singleShot(20, [] {
                auto* login = qobject_cast<TfLogin*>(QApplication::activeModalWidget());
                QVERIFY(login);
                login->findChild<QLineEdit*>(QStringLiteral("user"))->setText(QStringLiteral("admin"));
                login->findChild<QLineEdit*>(QStringLiteral("pwd"))->setText(QStringLiteral("kubol"));
                login->OKClick();
            });
        };
        const QString reset =
            QStringLiteral("To jest notatnik, w którym możesz zapisywać informacje tymczasowe.\n"
                           "Zawartość tego notatnika czyszczona jest po zakończeniu pracy.");
        loginLater();
        QVERIFY(startup.runStartupSequence());
        TfFiszka& fiszka = main.listTools().fiszka();
        QCOMPARE(fiszka.text(), reset);
        main.listTools().SBFiszkaClick();
        main.listTools().sumWindow().show();
        fiszka.memo()->setPlainText(QStringLiteral("tymczasowe"));
        loginLater();
        QVERIFY(startup.logout());
        QVERIFY(!fiszka.isVisible()); // logging out hides the tool windows
        QVERIFY(!main.listTools().sumWindow().isVisible());
        QCOMPARE(fiszka.text(), reset);
        AppState::instance().logout();
        DatabaseLocation::global().set(QString(), QString());
    }
};

QTEST_MAIN(TestListTools)
#include "test_listtools.moc"
