#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/AppPaths.h"
#include "base/Config.h"
#include "base/Dialogs.h"
#include "registers/FilterBar.h"
#include "registers/TfMain.h"
#include "renderer/PagePainter.h"
#include "renderer/ReportEngine.h"
#include "renderer/ReportTemplate.h"
#include "reports/RaportyTab.h"
#include "reports/ReportCommands.h"
#include "reports/TDMRaporty.h"
#include "store/AppState.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"
#include "widgets/DateField.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include <stdexcept>

// The catalogue's statements from the sample database: each lays out without
// a fault, its conditions reach the list state while it runs, and the lists'
// filter state is what it was afterwards, also when a report fails.
class TestReportCatalogue : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TDMRaporty> m_reports;
    std::unique_ptr<RaportyTab> m_tab;
    PageModel m_model;
    QString m_template;
    QString m_fault;
    std::function<void()> m_during; // runs while the report is shown

    // Lays the report out as the preview would; PDFs go to
    // $SPRZETNIK_REPORT_PDF_DIR when it is set, for looking at them.
    bool layOut(const QString& path, TDMRaporty& data)
    {
        m_template = QFileInfo(path).fileName();
        m_model = PageModel();
        if (m_during)
            m_during();
        ReportTemplate report;
        if (!report.load(path)) {
            m_fault = report.errorString();
            return false;
        }
        ReportEngine engine(report, data);
        if (!engine.run(m_model)) {
            m_fault = engine.errorString();
            return false;
        }
        const QString out = qEnvironmentVariable("SPRZETNIK_REPORT_PDF_DIR");
        if (!out.isEmpty())
            PagePainter::writePdf(m_model, QDir(out).filePath(QFileInfo(path).completeBaseName() + ".pdf"),
                                  nullptr);
        return true;
    }

    QString allText() const
    {
        QStringList lines;
        for (int p = 0; p < m_model.pageCount(); ++p)
            lines << m_model.pageLines(p);
        return lines.join(QLatin1Char('\n'));
    }

    std::map<QString, ListState::Entry> allStates() const
    {
        std::map<QString, ListState::Entry> states;
        for (const QString& list : ListState::listNames())
            states[list] = m_db->listState().entry(list);
        return states;
    }

    template <typename T> T* control(const QString& name) const
    {
        T* w = m_tab->findChild<T*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        m_reports = std::make_unique<TDMRaporty>(*m_db);
        m_tab = std::make_unique<RaportyTab>(*m_db, *m_reports);
        m_tab->setRunner([this](const QString& path, TDMRaporty& data) { return layOut(path, data); });
        m_fault.clear();
        m_during = nullptr;
        Dialogs::startScript();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        m_tab.reset();
        m_reports.reset();
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void everyTemplateLoads()
    {
        const QDir dir(RaportyTab::templatePath(QString()));
        const QStringList files = dir.entryList({QStringLiteral("*.frf")}, QDir::Files);
        QVERIFY(files.size() >= 18);
        for (const QString& file : files) {
            ReportTemplate report;
            QVERIFY2(report.load(dir.filePath(file)), qPrintable(report.errorString()));
        }
    }

    void everyStatementRunsAndRestoresTheLists_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected"); // a text the sample data puts on the report
        QTest::newRow("komputery") << "SBZestKomp"
                                   << "komputery.frf"
                                   << "Użytkownicy:";
        QTest::newRow("sprzet") << "SBZestSprz"
                                << "sprzet.frf"
                                << "Zestawienie innego sprzętu";
        QTest::newRow("oprogramowanie") << "SBZestOpr"
                                        << "oprogramowanie.frf"
                                        << "Zainstalowane na komputerach:";
        QTest::newRow("naprawy") << "SBZestNapraw"
                                 << "naprawy.frf"
                                 << "Komp. (";
        QTest::newRow("terminy") << "SBZaplZdarz"
                                 << "terminy.frf"
                                 << "Zaplanowane zdarzenia";
        QTest::newRow("wolnelic") << "SBWolneLic"
                                  << "wolnelic.frf"
                                  << "Wolne licencje";
        QTest::newRow("dokumenty") << "SBZestDok"
                                   << "dokumenty.frf"
                                   << "Zestawienie dokumentów";
        QTest::newRow("historia") << "SBZestHistoria"
                                  << "historia.frf"
                                  << "Historia użytkowania";
        QTest::newRow("zlecenia") << "SBZestZlecenia"
                                  << "zlecenia.frf"
                                  << "Sprzęt (";
        QTest::newRow("rozliczenia") << "SBZestRozliczenia"
                                     << "rozliczenia.frf"
                                     << "Razem:";
        QTest::newRow("osobowa") << "SBZestPrac"
                                 << "osobowa.frf"
                                 << "Zestawienie pracowników";
        QTest::newRow("fin_komputery") << "SBZestFinKomp"
                                       << "fin_komputery.frf"
                                       << "Razem:";
        QTest::newRow("fin_sprzet") << "SBZestFinSprz"
                                    << "fin_sprzet.frf"
                                    << "Razem:";
        QTest::newRow("fin_licencje") << "SBZestFinLic"
                                      << "fin_licencje.frf"
                                      << "Razem:";
        QTest::newRow("fin_naprawy") << "SBZestFinNapr"
                                     << "fin_naprawy.frf"
                                     << "Razem:";
        QTest::newRow("zestawienie") << "RapSpis"
                                     << "zestawienie.frf"
                                     << "Wartość początkowa razem:";
        QTest::newRow("lok_wyposazenie") << "SBLokWyposazenie"
                                         << "lok_wyposazenie.frf"
                                         << "Lokalizacja: ";
        QTest::newRow("prac_wyposazenie") << "SBPracWyposazenie"
                                          << "prac_wyposazenie.frf"
                                          << "Razem wartość netto:";
        QTest::newRow("historiabhp") << "SBZestHistoriaBhp"
                                     << "historiabhp.frf"
                                     << "Środ.BHP (";
        QTest::newRow("bhp") << "SBZestBhp"
                             << "bhp.frf"
                             << "Zestawienie odzieży i środków BHP";
        QTest::newRow("bhpprac") << "SBZestPracBhp"
                                 << "bhpprac.frf"
                                 << "Stan posiadania środków BHP";
        QTest::newRow("zapot_bhp") << "SBZapotBhp"
                                   << "zapot_bhp.frf"
                                   << "Zapotrzebowanie na środki BHP";
        QTest::newRow("zakupbhp") << "SBZestZakupBhp"
                                  << "zakupbhp.frf"
                                  << "Razem:";
        QTest::newRow("magazyn") << "SBMagazyn"
                                 << "magazyn.frf"
                                 << "Stany magazynowe";
        QTest::newRow("zalaczniki") << "SBZestZalaczniki"
                                    << "zalaczniki.frf"
                                    << "Zestawienie załączników";
        QTest::newRow("terminy_adv") << "SBDormak"
                                     << "terminy_adv.frf"
                                     << "Zestawienie planowanych terminów";
    }
    void everyStatementRunsAndRestoresTheLists()
    {
        QFETCH(QString, button);
        QFETCH(QString, file);
        QFETCH(QString, expected);
        m_db->listState().setDateRange(20000101, 20991231); // the main window's filters
        const auto before = allStates();
        QVERIFY2(m_tab->run(button), qPrintable(m_fault));
        QCOMPARE(m_template, file);
        QVERIFY(m_model.pageCount() >= 1);
        QVERIFY2(allText().contains(expected), qPrintable(allText().left(400)));
        QVERIFY(allText().contains(QStringLiteral("Strona 1")));
        QVERIFY(allStates() == before);
        QVERIFY(Dialogs::shown().isEmpty()); // no database error
    }

    void costTotalsMatchTheStore()
    {
        QVERIFY(m_tab->run(QStringLiteral("SBZestFinKomp")));
        Statement sum(&m_db->DatabaseMain(), QString(),
                      {QStringLiteral("SELECT SUM(NETTO) AS S FROM komputery WHERE ARCHIWUM='N'")});
        sum.open();
        QVERIFY(allText().contains(TmyDataBase::amountText(sum.number(QStringLiteral("S")))));
        QCOMPARE(m_reports->runningSum(1), sum.number(QStringLiteral("S")));
    }

    void conditionsWhileRunningAndBackAfterAFailure()
    {
        const QString list = QStringLiteral("DBFNaprawy");
        const auto before = m_db->listState().entry(list);
        control<QComboBox>(QStringLiteral("ZestNaprawSeria1"))->setCurrentIndex(1);
        control<QComboBox>(QStringLiteral("ZestNaprawSeria3"))->setCurrentIndex(2);
        control<QComboBox>(QStringLiteral("ZestNaprawSeria4"))->setCurrentIndex(1);
        control<QLineEdit>(QStringLiteral("ZestNaprawSeria2"))->setText(QStringLiteral("S/0001"));
        ListState::Entry during;
        m_during = [&] {
            during = m_db->listState().entry(list);
            throw std::runtime_error("the report stops half-way");
        };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, m_tab->run(QStringLiteral("SBZestNapraw")));
        QCOMPARE(during.orderColumn, QStringLiteral("DATANAPRAWY"));
        QCOMPARE(during.conditions.value(13),
                 QStringLiteral("AND DATANAPRAWY >= 0 AND DATANAPRAWY <= 99999999"));
        QCOMPARE(during.conditions.value(15), QStringLiteral("AND KOMPSPRZ='S'"));
        QCOMPARE(during.conditions.value(16), QStringLiteral("AND ACT='T'"));
        QCOMPARE(during.conditions.value(12),
                 QStringLiteral(
                     "AND ((KOMPSPRZ='K' AND K.NREWID='S/0001') OR (KOMPSPRZ='S' AND S.NREWID='S/0001'))"));
        QVERIFY(m_db->listState().entry(list) == before);
    }

    void typedNumbersAreQuotedAndCorrected()
    {
        QLineEdit* number = control<QLineEdit>(QStringLiteral("ZestFinKompSeria2"));
        number->setText(QStringLiteral("  12\"A "));
        QVERIFY(m_tab->run(QStringLiteral("SBZestFinKomp")));
        QCOMPARE(number->text(), QStringLiteral("  12`A "));
        // A quote cannot end the literal: no error, and no row matches.
        number->setText(QStringLiteral("x' OR '1'='1"));
        QString condition;
        m_during = [&] { condition = m_db->listState().slot(QStringLiteral("DBFKomputery"), 10); };
        QVERIFY(m_tab->run(QStringLiteral("SBZestFinKomp")));
        QCOMPARE(condition, QStringLiteral("AND K.NREWID='x'' OR ''1''=''1'"));
        QVERIFY(allText().contains(QStringLiteral("Liczba pozycji: 0")));
        QVERIFY(Dialogs::shown().isEmpty());
    }

    void dateRangeLimits()
    {
        QCOMPARE(m_tab->rangeFrom(), 0);
        QCOMPARE(m_tab->rangeTo(), 99999999);
        m_tab->findChild<DateField*>(QStringLiteral("RapDTOD"))->setYmd(20200231);
        QCOMPARE(m_tab->findChild<DateField*>(QStringLiteral("RapDTOD"))->dateText().size(), 10);
        QCOMPARE(m_tab->rangeFrom(), 20200231);
    }

    void archivedComputersByLiquidationOrPurchaseDate()
    {
        control<QComboBox>(QStringLiteral("ZestKompSeria1"))->setCurrentIndex(1);
        QCheckBox* byLiquidation = control<QCheckBox>(QStringLiteral("cbDataLikwidacji"));
        QVERIFY(byLiquidation->isChecked());
        QVERIFY(m_tab->run(QStringLiteral("SBZestKomp")));
        const Statement& q = m_db->statement(QStringLiteral("DBFRapKomp"));
        QCOMPARE(q.line(6), QStringLiteral("AND K.DATAARCH >= 0 AND K.DATAARCH <= 99999999"));
        QCOMPARE(q.line(7), QStringLiteral("AND K.ARCHIWUM='T'"));
        byLiquidation->setChecked(false);
        QVERIFY(m_tab->run(QStringLiteral("SBZestKomp")));
        QCOMPARE(q.line(6), QStringLiteral("AND K.DATAZAKUPU >= 0 AND K.DATAZAKUPU <= 99999999"));
    }

    void historyNeverListsBhp()
    {
        QString kind;
        m_during = [&] { kind = m_db->listState().slot(QStringLiteral("DBFHistoria"), 15); };
        QVERIFY(m_tab->run(QStringLiteral("SBZestHistoria")));
        QCOMPARE(kind, QStringLiteral("AND KOMPSPRZ<>'B'"));
        QVERIFY(!allText().contains(QStringLiteral("Środ.BHP")));
        control<QComboBox>(QStringLiteral("ZestHistoriaSeria3"))->setCurrentIndex(1);
        QVERIFY(m_tab->run(QStringLiteral("SBZestHistoria")));
        QCOMPARE(kind, QStringLiteral("AND KOMPSPRZ='K' AND KOMPSPRZ<>'B'"));
    }

    void deadlinesByNumberSkipBhpItems()
    {
        // A BHP item and a computer with the same number: only the computer's deadline is listed.
        Statement w(
            &m_db->DatabaseMain(), QString(),
            {QStringLiteral("UPDATE bhp SET NREWID='WSP/1' WHERE IDBHP=(SELECT MIN(IDBHP) FROM bhp)")});
        w.execSQL();
        Statement t(
            &m_db->DatabaseMain(), QString(),
            {QStringLiteral("INSERT INTO terminy(IDOBIEKTU,CZEGODOTYCZY,ACT,DATAOD,DATADO,OPIS) SELECT "
                            "MIN(IDBHP),'B','T',20250101,20250102,'termin bhp' FROM bhp")});
        t.execSQL();
        Statement k(
            &m_db->DatabaseMain(), QString(),
            {QStringLiteral("UPDATE komputery SET NREWID='WSP/1' WHERE IDKOMPUTERA=(SELECT IDOBIEKTU FROM "
                            "terminy WHERE CZEGODOTYCZY='K' LIMIT 1)")});
        k.execSQL();
        control<QLineEdit>(QStringLiteral("ZaplZdarzSeria2"))->setText(QStringLiteral("WSP/1"));
        QVERIFY(m_tab->run(QStringLiteral("SBZaplZdarz")));
        QVERIFY(allText().contains(QStringLiteral("Komp. (WSP/1)")));
        QVERIFY(!allText().contains(QStringLiteral("termin bhp")));
    }

    void resetAndViewEntered()
    {
        QComboBox* sort = control<QComboBox>(QStringLiteral("ZestKompSort"));
        sort->setCurrentIndex(3);
        control<QLineEdit>(QStringLiteral("ZestKompSeria2"))->setText(QStringLiteral("K1"));
        control<QLineEdit>(QStringLiteral("kwotaOd"))->setText(QStringLiteral("5"));
        control<QCheckBox>(QStringLiteral("cbKwotaOd"))->setChecked(true);
        m_tab->resetPages();
        QCOMPARE(sort->currentIndex(), 0);
        QVERIFY(control<QLineEdit>(QStringLiteral("ZestKompSeria2"))->text().isEmpty());
        QCOMPARE(control<QLineEdit>(QStringLiteral("kwotaOd"))->text(), QStringLiteral("0"));
        QVERIFY(!control<QCheckBox>(QStringLiteral("cbKwotaOd"))->isChecked());

        Config::global().set(QStringLiteral("cbRapData"), false);
        m_tab->viewEntered();
        QVERIFY(!control<QCheckBox>(QStringLiteral("dataNaRaporcie"))->isChecked());
        QVERIFY(!control<DateField>(QStringLiteral("dataRap"))->isEnabled());
        control<QCheckBox>(QStringLiteral("dataNaRaporcie"))->setChecked(true);
        QVERIFY(control<DateField>(QStringLiteral("dataRap"))->isEnabled());
        QVERIFY(m_tab->run(QStringLiteral("SBZestPrac")));
        QVERIFY(allText().contains(QStringLiteral("Wystawiono ") +
                                   control<DateField>(QStringLiteral("dataRap"))->dateText()));
    }

    void everyControlFitsTheView()
    {
        m_tab->resize(1180, 640);
        m_tab->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_tab.get()));
        QTabWidget* tabs = m_tab->tabs();
        QCOMPARE(tabs->count(), 9);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Ogólne"));
        QCOMPARE(tabs->tabText(8), QStringLiteral("Raporty dodatkowe"));
        const QString out = qEnvironmentVariable("SPRZETNIK_REPORT_PDF_DIR");
        for (int t = 0; t < tabs->count(); ++t) {
            tabs->setCurrentIndex(t);
            QApplication::processEvents();
            for (QPushButton* b : tabs->currentWidget()->findChildren<QPushButton*>())
                QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->text()));
            if (!out.isEmpty())
                m_tab->grab().save(QDir(out).filePath(QStringLiteral("widok%1.png").arg(t + 1)));
        }
        // As wide as the view is in the main window at its first size: every
        // column, "Sortowanie" too, without scrolling sideways.
        m_tab->resize(880, 560);
        for (int t = 0; t < tabs->count(); ++t) {
            tabs->setCurrentIndex(t);
            QApplication::processEvents();
            auto* scroll = qobject_cast<QScrollArea*>(tabs->currentWidget());
            QVERIFY(scroll);
            QVERIFY2(!scroll->horizontalScrollBar()->isVisible(), qPrintable(tabs->tabText(t)));
        }
        QVERIFY(m_tab->width() <= 880);
        // The amount limits show a long amount whole.
        QLineEdit* above = control<QLineEdit>(QStringLiteral("kwotaOd"));
        QVERIFY(above->width() > above->fontMetrics().horizontalAdvance(QStringLiteral("1234567890,99")));
    }

    void typingAnAmountTicksItsBox()
    {
        QLineEdit* below = control<QLineEdit>(QStringLiteral("kwotaDo"));
        below->clear();
        QTest::keyClicks(below, QStringLiteral("1,5"));
        QVERIFY(control<QCheckBox>(QStringLiteral("cbKwotaDo"))->isChecked());
        QVERIFY(m_tab->run(QStringLiteral("RapSpis")));
        QCOMPARE(m_db->statement(QStringLiteral("DBFSpis1")).line(3), QStringLiteral("AND NETTO<=1.50"));
        below->setText(QStringLiteral("abc"));
        QVERIFY(m_tab->run(QStringLiteral("RapSpis")));
        QCOMPARE(below->text(), QStringLiteral("0"));
    }

    void drukujPrintsTheSelectedRow()
    {
        TfMain main(nullptr, m_db.get());
        ReportCommands commands(main, *m_db);
        QString title;
        commands.setRunner([&](const QString& path, TDMRaporty& data) {
            title = data.printoutTitle();
            return layOut(path, data);
        });
        QVERIFY(main.findChild<RaportyTab*>() != nullptr);
        Rights r{};
        r.fill(true);
        AppState::instance().currentUser = QStringLiteral("ADMIN");
        main.applyRights(r);
        main.SBKomputeryClick();
        // Every report page can be chosen from "&Widok" after the rights.
        for (int tab = 0; tab < 9; ++tab)
            QVERIFY(main.action(QStringLiteral("MRaporty") + QString::number(tab))->isEnabled());
        main.runCommand(TfMain::Command::Print);
        QCOMPARE(title, QStringLiteral("Komputer"));
        QCOMPARE(m_template, QStringLiteral("drukuj_pozycje.frf"));
        QVERIFY(allText().contains(QStringLiteral("Numer ewidencyjny: ")));
        // An empty list prints nothing.
        title.clear();
        m_db->listState().setSlot(QStringLiteral("DBFKomputery"), 10, QStringLiteral("AND 1=0"));
        main.reloadList(QStringLiteral("DBFKomputery"));
        main.runCommand(TfMain::Command::Print);
        QVERIFY(title.isEmpty());
        AppState::instance().logout();
    }

    // The report view has a date range of its own: the registers' filter bar
    // ("Data zakupu:") is not shown under it, and comes back with a register.
    void noRegisterFilterBarUnderTheReports()
    {
        TfMain main(nullptr, m_db.get());
        ReportCommands commands(main, *m_db);
        Rights r{};
        r.fill(true);
        AppState::instance().currentUser = QStringLiteral("ADMIN");
        main.applyRights(r);
        main.show();
        main.SBKomputeryClick();
        QVERIFY(main.filterBar()->isVisible());
        main.SBRaportyClick();
        QCOMPARE(main.currentPageName(), QStringLiteral("Raporty"));
        QVERIFY(!main.filterBar()->isVisible());
        main.SBSprzetClick();
        QVERIFY(main.filterBar()->isVisible());
        AppState::instance().logout();
    }
};

QTEST_MAIN(TestReportCatalogue)
#include "test_reportcatalogue.moc"
