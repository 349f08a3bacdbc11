#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Clock.h"
#include "base/Config.h"
#include "base/Dialogs.h"
#include "reports/AdditionalPage.h"
#include "reports/BhpPage.h"
#include "reports/EmployeesPage.h"
#include "reports/FinancialPage.h"
#include "reports/GeneralPage.h"
#include "reports/LocationsPage.h"
#include "reports/ProtocolPage.h"
#include "reports/RaportyTab.h"
#include "reports/ReportPanel.h"
#include "reports/TDMRaporty.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DateField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <vector>

// The pages of the "Raporty" view and the panel under them: each page runs
// its own statements and no other's, a button click runs its statement, the
// choices of one page and the panel reach the reports of every page, and
// the view's reset and entry reach every page.
class TestReportView : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TDMRaporty> m_reports;
    QStringList m_shown; // the templates shown, by file name

    template <typename T> static T* control(const QWidget* w, const QString& name)
    {
        T* c = w->findChild<T*>(name);
        if (!c)
            qFatal("no control %s", qPrintable(name));
        return c;
    }

    std::unique_ptr<RaportyTab> view()
    {
        auto tab = std::make_unique<RaportyTab>(*m_db, *m_reports);
        tab->setRunner([this](const QString& path, TDMRaporty&) {
            m_shown << QFileInfo(path).fileName();
            return true;
        });
        tab->loadProtocolTexts();
        tab->viewEntered();
        return tab;
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        m_reports = std::make_unique<TDMRaporty>(*m_db);
        m_shown.clear();
        Dialogs::startScript();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        m_reports.reset();
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void eachPageRunsOnlyItsOwnButtons()
    {
        ReportPanel panel;
        QStringList reports;
        const ReportPage::Context context{*m_db, *m_reports, panel,
                                          [&](const QString& report, const QString&, bool) {
                                              reports << report;
                                              return true;
                                          }};
        std::vector<std::unique_ptr<ReportPage>> pages;
        pages.push_back(std::make_unique<GeneralPage>(context));
        pages.push_back(std::make_unique<FinancialPage>(context));
        for (ProtocolPage::Kind kind :
             {ProtocolPage::Acceptance, ProtocolPage::Issue, ProtocolPage::Liquidation})
            pages.push_back(std::make_unique<ProtocolPage>(context, kind));
        pages.push_back(std::make_unique<LocationsPage>(context));
        pages.push_back(std::make_unique<EmployeesPage>(context));
        pages.push_back(std::make_unique<BhpPage>(context));
        pages.push_back(std::make_unique<AdditionalPage>(context));
        int buttons = 0;
        for (const auto& page : pages) {
            for (const QPushButton* b : page->findChildren<QPushButton*>()) {
                if (b->objectName() == QLatin1String("SBOfertaRaportow"))
                    continue; // opens the web page, runs no statement
                ++buttons;
                for (const auto& other : pages)
                    if (other != page)
                        QVERIFY2(!other->run(b->objectName()), qPrintable(b->objectName()));
            }
            QVERIFY(!page->run(QStringLiteral("SBNieMaTakiego")));
        }
        QCOMPARE(buttons, 31);
        QVERIFY(reports.isEmpty());
        QVERIFY(Dialogs::shown().isEmpty());
    }

    void aClickRunsItsStatement_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("file");
        const char* rows[][2] = {{"SBZestKomp", "komputery.frf"},
                                 {"SBZestOpr", "oprogramowanie.frf"},
                                 {"SBZestNapraw", "naprawy.frf"},
                                 {"SBZaplZdarz", "terminy.frf"},
                                 {"SBWolneLic", "wolnelic.frf"},
                                 {"SBZestRozliczenia", "rozliczenia.frf"},
                                 {"SBZestFinLic", "fin_licencje.frf"},
                                 {"SBZestFinNapr", "fin_naprawy.frf"},
                                 {"RapSpis", "zestawienie.frf"},
                                 {"SBLokWyposazenie", "lok_wyposazenie.frf"},
                                 {"SBPracWyposazenie", "prac_wyposazenie.frf"},
                                 {"SBZapotBhp", "zapot_bhp.frf"},
                                 {"SBMagazyn", "magazyn.frf"},
                                 {"SBZestZalaczniki", "zalaczniki.frf"},
                                 {"SBDormak", "terminy_adv.frf"}};
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1]);
    }
    void aClickRunsItsStatement()
    {
        QFETCH(QString, button);
        QFETCH(QString, file);
        const auto tab = view();
        control<QPushButton>(tab.get(), button)->click();
        QCOMPARE(m_shown, QStringList{file});
    }

    void aProtocolClickPrintsItsDocument()
    {
        const auto tab = view();
        control<QLineEdit>(tab.get(), QStringLiteral("PLNrEwid"))->setText(QStringLiteral("KOMP/001"));
        control<QPushButton>(tab.get(), QStringLiteral("PLDrukuj"))->click();
        QCOMPARE(m_shown, QStringList{QStringLiteral("dl.frf")});
        QCOMPARE(m_reports->documentValue(QStringLiteral("dDATADOKUMENTU")),
                 control<DateField>(tab.get(), QStringLiteral("dataRap"))->dateText());
        // Another page's number is not read.
        control<QPushButton>(tab.get(), QStringLiteral("DPDrukuj"))->click();
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(Dialogs::shown().last().text,
                 QStringLiteral("Nie znaleziono wyposażenia o podanym numerze ewidencyjnym."));
    }

    void choicesOfOnePageReachEveryReport()
    {
        const auto tab = view();
        TDMRaporty::Choices seen;
        tab->setRunner([&](const QString&, TDMRaporty& data) {
            seen = data.choices();
            return true;
        });
        control<QCheckBox>(tab.get(), QStringLiteral("ZestOprSeria3"))->setChecked(true);
        control<QComboBox>(tab.get(), QStringLiteral("cbWartPocz"))->setCurrentIndex(1);
        control<QCheckBox>(tab.get(), QStringLiteral("dataNaRaporcie"))->setChecked(true);
        control<DateField>(tab.get(), QStringLiteral("dataRap"))->setYmd(20240506);
        QVERIFY(tab->run(QStringLiteral("SBZestBhp")));
        QVERIFY(seen.showPasswords);
        QVERIFY(seen.grossValue);
        QVERIFY(seen.issueDateOn);
        QCOMPARE(seen.issueDate, control<DateField>(tab.get(), QStringLiteral("dataRap"))->dateText());
        QVERIFY(seen.issueDate.startsWith(QStringLiteral("06")));
        QVERIFY(!seen.attachmentCheck);

        control<QCheckBox>(tab.get(), QStringLiteral("cbSprawdzCzyZalacznikIstnieje"))->setChecked(true);
        QVERIFY(tab->run(QStringLiteral("SBZestZalaczniki")));
        QVERIFY(seen.attachmentCheck);

        control<QCheckBox>(tab.get(), QStringLiteral("ZestOprSeria3"))->setChecked(false);
        control<QComboBox>(tab.get(), QStringLiteral("cbWartPocz"))->setCurrentIndex(0);
        control<QCheckBox>(tab.get(), QStringLiteral("dataNaRaporcie"))->setChecked(false);
        QVERIFY(tab->run(QStringLiteral("SBMagazyn")));
        QVERIFY(!seen.showPasswords);
        QVERIFY(!seen.grossValue);
        QVERIFY(!seen.issueDateOn);
        QVERIFY(!seen.attachmentCheck); // only the attachments statement checks files
    }

    void panelRangeIssueDateAndDateColumn()
    {
        ReportPanel panel;
        DateField* from = control<DateField>(&panel, QStringLiteral("RapDTOD"));
        DateField* to = control<DateField>(&panel, QStringLiteral("RapDTDO"));
        from->setYmd(20240101);
        to->setYmd(20240601);
        QCOMPARE(panel.rangeFrom(), 20240101);
        QCOMPARE(panel.rangeTo(), 20240601);
        to->setYmd(20241301); // month 13
        QCOMPARE(panel.rangeTo(), 99999999);
        from->clearDate();
        QCOMPARE(panel.rangeFrom(), 0);

        QCOMPARE(panel.dateColumn(false), QStringLiteral("DATAZAKUPU"));
        QCOMPARE(panel.dateColumn(true), QStringLiteral("DATAARCH"));
        control<QCheckBox>(&panel, QStringLiteral("cbDataLikwidacji"))->setChecked(false);
        QCOMPARE(panel.dateColumn(true), QStringLiteral("DATAZAKUPU"));

        Clock::setFixed(QDateTime(QDate(2025, 3, 7), QTime(12, 0)));
        Config::global().set(QStringLiteral("cbRapData"), true);
        panel.viewEntered();
        Clock::setFixed(QDateTime());
        QVERIFY(panel.issueDateOn());
        DateField* issue = control<DateField>(&panel, QStringLiteral("dataRap"));
        QCOMPARE(issue->date(), QDate(2025, 3, 7));
        QCOMPARE(panel.issueDateText(), issue->dateText());
        QVERIFY(issue->isEnabled());
        control<QCheckBox>(&panel, QStringLiteral("dataNaRaporcie"))->setChecked(false);
        QVERIFY(!issue->isEnabled());
        QVERIFY(!control<CalendarPicker>(&panel, QStringLiteral("DTPDataRap"))->isEnabled());
        QVERIFY(control<CalendarPicker>(&panel, QStringLiteral("DTPRapDTOD"))->isEnabled());
    }

    void resetAndEntryReachEveryPage()
    {
        const auto tab = view();
        const auto combo = [&](const char* name) {
            return control<QComboBox>(tab.get(), QLatin1String(name));
        };
        const auto box = [&](const char* name) { return control<QCheckBox>(tab.get(), QLatin1String(name)); };
        const auto field = [&](const char* name) {
            return control<QLineEdit>(tab.get(), QLatin1String(name));
        };
        combo("DPKompLicSprz")->setCurrentIndex(2);
        combo("DWKompSprz")->setCurrentIndex(1);
        combo("lokSeria2")->setCurrentIndex(1);
        combo("ZestZakupBhpSort")->setCurrentIndex(3);
        combo("dormakSeria")->setCurrentIndex(4);
        field("ZestHistoriaBhpSeria2")->setText(QStringLiteral("BHP/1"));
        field("dormakNazwa")->setText(QStringLiteral("Serwer"));
        field("kwotaDo")->setText(QStringLiteral("12"));
        box("cbKwotaDo")->setChecked(true);
        box("ZestOprSeria3")->setChecked(true);
        box("cbLokSprzet")->setChecked(false);
        box("cbPracOdpowiada")->setChecked(false);
        tab->resetPages();
        for (const char* name :
             {"DPKompLicSprz", "DWKompSprz", "lokSeria2", "ZestZakupBhpSort", "dormakSeria"})
            QVERIFY2(combo(name)->currentIndex() == 0, name);
        QVERIFY(field("ZestHistoriaBhpSeria2")->text().isEmpty());
        QVERIFY(field("dormakNazwa")->text().isEmpty());
        QCOMPARE(field("kwotaDo")->text(), QStringLiteral("0"));
        QVERIFY(!box("cbKwotaDo")->isChecked());
        QVERIFY(!box("ZestOprSeria3")->isChecked());
        QVERIFY(box("cbLokSprzet")->isChecked());
        QVERIFY(box("cbPracOdpowiada")->isChecked());

        // With no employees the boxes asking for one are off on every page;
        // the location boxes stay.
        Statement w(&m_db->DatabaseMain(), QString(), {QStringLiteral("DELETE FROM osobowa")});
        w.execSQL();
        box("cbPracSeria1")->setChecked(true);
        box("dormakCbOsoba")->setChecked(true);
        tab->viewEntered();
        for (const char* name : {"cbPracSeria1", "dormakCbOsoba"}) {
            QVERIFY2(!box(name)->isEnabled(), name);
            QVERIFY2(!box(name)->isChecked(), name);
        }
        QVERIFY(box("cbLokSeria1")->isEnabled());
        QVERIFY(box("dormakCbLokalizacja")->isEnabled());
        QCOMPARE(control<QComboBox>(tab.get(), QStringLiteral("ZestPracBhpSeria1"))->currentIndex(), -1);
    }
};

QTEST_MAIN(TestReportView)
#include "test_reportview.moc"
