#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/AppPaths.h"
#include "base/Dialogs.h"
#include "base/IniFile.h"
#include "renderer/PagePainter.h"
#include "renderer/ReportEngine.h"
#include "renderer/ReportTemplate.h"
#include "reports/RaportyTab.h"
#include "reports/TDMRaporty.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// The protocol pages, the location, employee, BHP and planned-deadline
// statements, from the sample database.
class TestReportPages : public QObject
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
    std::function<void()> m_during;

    bool layOut(const QString& path, TDMRaporty& data)
    {
        m_template = QFileInfo(path).fileName();
        m_model = PageModel();
        if (m_during)
            m_during();
        ReportTemplate report;
        if (!report.load(path))
            return false;
        ReportEngine engine(report, data);
        if (!engine.run(m_model))
            return false;
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

    template <typename T> T* control(const QString& name) const
    {
        T* w = m_tab->findChild<T*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }

    void sql(const QString& text)
    {
        Statement w(&m_db->DatabaseMain(), QString(), {text});
        w.execSQL();
    }

    double number(const QString& text)
    {
        Statement q(&m_db->DatabaseMain(), QString(), {text});
        q.open();
        return q.eof() ? 0 : q.number(q.fieldName(0));
    }

    void newTab()
    {
        m_tab = std::make_unique<RaportyTab>(*m_db, *m_reports);
        m_tab->setRunner([this](const QString& path, TDMRaporty& data) { return layOut(path, data); });
        m_tab->loadProtocolTexts();
        m_tab->resetPages();
        m_tab->viewEntered();
    }

    QString lastMessage() const
    {
        const auto shown = Dialogs::shown();
        return shown.isEmpty() ? QString() : shown.last().text;
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        m_reports = std::make_unique<TDMRaporty>(*m_db);
        m_during = nullptr;
        Dialogs::startScript();
        newTab();
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

    void acceptanceOfAComputer()
    {
        control<QLineEdit>(QStringLiteral("DPNrEwid"))->setText(QStringLiteral("KOMP/001"));
        control<QLineEdit>(QStringLiteral("DPMiejscowosc"))->setText(QStringLiteral("Poznań"));
        QVERIFY(m_tab->run(QStringLiteral("DPDrukuj")));
        QCOMPARE(m_template, QStringLiteral("dp.frf"));
        QCOMPARE(m_model.pageCount(), 1);
        QCOMPARE(m_reports->documentValue(QStringLiteral("dNAZWA")), QStringLiteral("Serwer plików"));
        // The program's decimal comma, as in the editor, whatever the system's language.
        QCOMPARE(m_reports->documentValue(QStringLiteral("dNETTO")), QStringLiteral("14800,00"));
        QCOMPARE(m_reports->documentValue(QStringLiteral("dBRUTTO")), QStringLiteral("18204,00"));
        QCOMPARE(m_reports->documentValue(QStringLiteral("dDATAZAKUPU")), TmyDataBase::dateText(20220301));
        QCOMPARE(m_reports->documentValue(QStringLiteral("NRKPIR")), QStringLiteral("Nr KPiR"));
        QCOMPARE(m_reports->documentValue(QStringLiteral("dMIEJSCOWOSC")),
                 QStringLiteral("Miejscowość: Poznań, "));
        const QString text = allText();
        QVERIFY(text.contains(QStringLiteral("PROTOKÓŁ PRZYJĘCIA NA STAN")));
        QVERIFY(text.contains(QStringLiteral("(pieczęć i dane firmowe)")));
        QVERIFY(text.contains(QStringLiteral("Uwagi: brak.")));
        QVERIFY(text.contains(QStringLiteral("13/2022")));

        // A licence is found by its number and named by its licence number.
        control<QComboBox>(QStringLiteral("DPKompLicSprz"))->setCurrentIndex(1);
        control<QLineEdit>(QStringLiteral("DPNrEwid"))->setText(QStringLiteral("LIC/001"));
        QVERIFY(m_tab->run(QStringLiteral("DPDrukuj")));
        QCOMPARE(m_reports->documentValue(QStringLiteral("dNAZWA")), QStringLiteral("W11P-OEM-2023"));
        QCOMPARE(m_reports->documentValue(QStringLiteral("dRODZAJWYPOSAZENIA")), QStringLiteral("Licencja"));
    }

    void numbersWithQuotesAndUnknownNumbers()
    {
        // Acceptance turns a double quote into a backquote, issue and liquidation into a blank.
        sql(QStringLiteral(
            "UPDATE sprzet SET NREWID='S`1' WHERE IDSPRZETU=(SELECT MIN(IDSPRZETU) FROM sprzet)"));
        control<QComboBox>(QStringLiteral("DPKompLicSprz"))->setCurrentIndex(2);
        QLineEdit* dp = control<QLineEdit>(QStringLiteral("DPNrEwid"));
        dp->setText(QStringLiteral("S\"1"));
        QVERIFY(m_tab->run(QStringLiteral("DPDrukuj")));
        QCOMPARE(dp->text(), QStringLiteral("S`1"));
        QCOMPARE(m_reports->documentValue(QStringLiteral("dRODZAJWYPOSAZENIA")), QStringLiteral("Sprzęt"));

        QLineEdit* pl = control<QLineEdit>(QStringLiteral("PLNrEwid"));
        pl->setText(QStringLiteral("KOMP\"001' OR '1'='1"));
        m_template.clear();
        QVERIFY(!m_tab->run(QStringLiteral("PLDrukuj")));
        QCOMPARE(pl->text(), QStringLiteral("KOMP 001' OR '1'='1"));
        QVERIFY(m_template.isEmpty()); // nothing printed
        QCOMPARE(lastMessage(), QStringLiteral("Nie znaleziono wyposażenia o podanym numerze ewidencyjnym."));
    }

    void liquidationOfALicence()
    {
        control<QComboBox>(QStringLiteral("PLKompLicSprz"))->setCurrentIndex(1);
        control<QLineEdit>(QStringLiteral("PLNrEwid"))->setText(QStringLiteral("LIC/001"));
        QVERIFY(m_tab->run(QStringLiteral("PLDrukuj")));
        QCOMPARE(m_template, QStringLiteral("dl.frf"));
        QCOMPARE(m_reports->documentValue(QStringLiteral("dLOK")),
                 QStringLiteral("Oprogramowanie komputerowe"));
        QVERIFY(m_reports->documentValue(QStringLiteral("dDATAARCH")).isEmpty()); // in use
        QVERIFY(allText().contains(QStringLiteral("PROTOKÓŁ LIKWIDACJI")));
    }

    void issueToAnEmployeeAndToACompany()
    {
        control<QLineEdit>(QStringLiteral("DWNrEwid"))->setText(QStringLiteral("KOMP/002"));
        control<Lookup>(QStringLiteral("DWCBPrac"))->setKey(QStringLiteral("P001"));
        QVERIFY(m_tab->run(QStringLiteral("DWDrukuj")));
        QCOMPARE(m_template, QStringLiteral("dw.frf"));
        QCOMPARE(m_reports->documentValue(QStringLiteral("dNAZWISKO")), QStringLiteral("Andrzej Kowalski"));
        QCOMPARE(m_reports->documentValue(QStringLiteral("dWYDANOTITLE")),
                 QStringLiteral("NREW:\rPracownik:"));
        QVERIFY(m_reports->documentValue(QStringLiteral("dWYDANOVALUE"))
                    .startsWith(QStringLiteral("P001\rAndrzej Kowalski\rdział: ")));
        QVERIFY(allText().contains(QStringLiteral("Laptop zarządu")));

        // A company without NIP prints its EU number.
        sql(QStringLiteral("UPDATE firmy SET NIP='' WHERE IDFIRMY=2"));
        m_tab->viewEntered();
        control<QRadioButton>(QStringLiteral("DWFirma"))->setChecked(true);
        control<Lookup>(QStringLiteral("DWCBFirma"))->setKey(2);
        QVERIFY(m_tab->run(QStringLiteral("DWDrukuj")));
        QCOMPARE(m_reports->documentValue(QStringLiteral("dNIP")), QStringLiteral("PL5213389012"));
        QCOMPARE(m_reports->documentValue(QStringLiteral("dWYDANOTITLE")),
                 QStringLiteral("NIP:\rNazwa firmy:"));
        QVERIFY(m_reports->documentValue(QStringLiteral("dNAZWISKO")).isEmpty());

        // No employees: nothing to issue to.
        sql(QStringLiteral("DELETE FROM osobowa"));
        m_tab->viewEntered();
        control<QRadioButton>(QStringLiteral("DWPrac"))->setChecked(true);
        m_template.clear();
        QVERIFY(!m_tab->run(QStringLiteral("DWDrukuj")));
        QVERIFY(m_template.isEmpty());
        QCOMPARE(lastMessage(), QStringLiteral("Nie wskazano pracownika."));
    }

    void protocolTextsSurviveARestart()
    {
        const QString path = RaportyTab::protocolTextsPath();
        QVERIFY(!QFile::exists(path));
        QCOMPARE(control<QLineEdit>(QStringLiteral("DWMiejscowosc"))->text(), QStringLiteral("Miejscowość"));
        QCOMPARE(control<QLineEdit>(QStringLiteral("PLInfoDodNrDok"))->text(), QStringLiteral("nr"));
        QCOMPARE(control<QPlainTextEdit>(QStringLiteral("PLInfoDodDodatkowe"))->toPlainText(),
                 QStringLiteral(
                     "Niniejszy dokument stanowi potwierdzenie likwidacji niżej wymienionego wyposażenia."));

        QStringList header;
        for (int i = 0; i < 12; ++i) // L10 and L11 stay after L9
            header << QStringLiteral("wiersz %1").arg(i);
        header << QStringLiteral("  wcięty");
        control<QPlainTextEdit>(QStringLiteral("DPNaglowek"))->setPlainText(header.join(QLatin1Char('\n')));
        control<QPlainTextEdit>(QStringLiteral("DWInfoDodDodatkowe"))->clear();
        control<QLineEdit>(QStringLiteral("PLMiejscowosc"))->setText(QStringLiteral("Gniezno"));
        m_tab->saveProtocolTexts();

        const IniFile ini(path);
        QCOMPARE(ini.value(QStringLiteral("SETTINGS"), QStringLiteral("noData")), QStringLiteral("0"));
        QCOMPARE(ini.value(QStringLiteral("DL"), QStringLiteral("miejscowosc")), QStringLiteral("Gniezno"));
        QCOMPARE(ini.keys(QStringLiteral("DPNaglowek")).size(), 13);
        QVERIFY(ini.keys(QStringLiteral("DWStopka")).isEmpty()); // the issue page has no footer

        newTab();
        QCOMPARE(control<QPlainTextEdit>(QStringLiteral("DPNaglowek"))->toPlainText(),
                 header.join(QLatin1Char('\n')));
        QVERIFY(control<QPlainTextEdit>(QStringLiteral("DWInfoDodDodatkowe"))->toPlainText().isEmpty());
        QCOMPARE(control<QLineEdit>(QStringLiteral("PLMiejscowosc"))->text(), QStringLiteral("Gniezno"));
        QCOMPARE(control<QPlainTextEdit>(QStringLiteral("DPStopka"))->toPlainText(),
                 QStringLiteral("Uwagi: brak."));

        // A shorter text leaves no lines of the longer one behind.
        control<QPlainTextEdit>(QStringLiteral("DPNaglowek"))->setPlainText(QStringLiteral("jeden"));
        m_tab->saveProtocolTexts();
        newTab();
        QCOMPARE(control<QPlainTextEdit>(QStringLiteral("DPNaglowek"))->toPlainText(),
                 QStringLiteral("jeden"));
    }

    void licencesOnlyUnderComputers()
    {
        QCheckBox* computers = control<QCheckBox>(QStringLiteral("cbPracKomputery"));
        QCheckBox* licences = control<QCheckBox>(QStringLiteral("cbPracLicencje"));
        QVERIFY(computers->isChecked() && licences->isChecked());
        computers->click();
        QVERIFY(!licences->isChecked());
        licences->click();
        QVERIFY(computers->isChecked() && licences->isChecked());
        computers->setChecked(false);
        control<QCheckBox>(QStringLiteral("cbPracOdpowiada"))->click();
        QVERIFY(computers->isChecked());
    }

    void employeeStatementSumsTheNetValues()
    {
        control<QCheckBox>(QStringLiteral("cbPracSeria1"))->setChecked(true);
        control<Lookup>(QStringLiteral("pracSeria1"))->setKey(QStringLiteral("P001"));
        control<QCheckBox>(QStringLiteral("cbPracOdpowiada"))->setChecked(false);
        const QString computerLine = m_db->statement(QStringLiteral("DBFPracKomp")).line(2);
        QVERIFY(m_tab->run(QStringLiteral("SBPracWyposazenie")));
        QCOMPARE(m_template, QStringLiteral("prac_wyposazenie.frf"));
        // Used computers, their licences and used equipment of one employee,
        // each counted once: the sample's licences are installed on both of
        // the employee's computers.
        const double expected =
            number(QStringLiteral("SELECT SUM(NETTO) FROM komputery WHERE ARCHIWUM='N' AND IDKOMPUTERA IN "
                                  "(SELECT IDKOMPUTERA FROM r_kompprac WHERE NREW='P001')")) +
            number(QStringLiteral("SELECT SUM(NETTO) FROM sprzet WHERE ARCHIWUM='N' AND IDSPRZETU IN "
                                  "(SELECT IDSPRZETU FROM r_sprzprac WHERE NREW='P001')")) +
            number(QStringLiteral(
                "SELECT SUM(NETTO) FROM licencje WHERE IDLICENCJI IN (SELECT O.IDLICENCJI FROM r_kompprac AS "
                "R "
                "JOIN komputery AS K ON R.IDKOMPUTERA=K.IDKOMPUTERA JOIN r_lickomp AS O ON "
                "O.IDKOMPUTERA=K.IDKOMPUTERA WHERE R.NREW='P001' AND K.ARCHIWUM='N' AND O.ACT='T')"));
        const double perComputer = number(QStringLiteral(
            "SELECT SUM(L.NETTO) FROM r_kompprac AS R JOIN komputery AS K ON R.IDKOMPUTERA=K.IDKOMPUTERA "
            "JOIN r_lickomp AS O ON O.IDKOMPUTERA=K.IDKOMPUTERA JOIN licencje AS L ON "
            "L.IDLICENCJI=O.IDLICENCJI "
            "WHERE R.NREW='P001' AND K.ARCHIWUM='N' AND O.ACT='T'"));
        const double onceEach = number(QStringLiteral(
            "SELECT SUM(NETTO) FROM licencje WHERE IDLICENCJI IN (SELECT O.IDLICENCJI FROM r_kompprac AS R "
            "JOIN r_lickomp AS O ON O.IDKOMPUTERA=R.IDKOMPUTERA WHERE R.NREW='P001' AND O.ACT='T')"));
        QVERIFY(perComputer > onceEach); // the case the rule is for is in the sample
        QVERIFY(expected > 0);
        QCOMPARE(m_reports->runningSum(1), expected);
        QVERIFY(
            allText().contains(QStringLiteral("Razem wartość netto: ") + TmyDataBase::amountText(expected)));
        // A licence counted once is still shown under every computer it is on.
        QCOMPARE(allText().count(QStringLiteral("\nW11P-OEM-2023\n")), 2);
        QVERIFY(allText().contains(QStringLiteral("Kowalski Andrzej")));
        QVERIFY(!allText().contains(QStringLiteral("Zielińska")));
        QCOMPARE(m_db->statement(QStringLiteral("DBFPracKomp")).line(2), computerLine);
    }

    void locationStatementForOneLocationAndWithoutLocations()
    {
        Lookup* location = control<Lookup>(QStringLiteral("lokSeria1"));
        QVERIFY(location->count() > 1);
        location->setCurrentIndex(1);
        control<QCheckBox>(QStringLiteral("cbLokSeria1"))->setChecked(true);
        control<QCheckBox>(QStringLiteral("cbLokSprzet"))->setChecked(false);
        QVERIFY(m_tab->run(QStringLiteral("SBLokWyposazenie")));
        const QString text = allText();
        QCOMPARE(text.count(QStringLiteral("Lokalizacja: ")), 1);
        QVERIFY(text.contains(QStringLiteral("Lokalizacja: ") + location->currentText()));
        QVERIFY(!text.contains(QStringLiteral("Inny Sprzęt:")));
        QCOMPARE(location->currentIndex(), 1);

        sql(QStringLiteral("UPDATE komputery SET LOKALIZACJA=0"));
        sql(QStringLiteral("UPDATE sprzet SET LOKALIZACJA=0"));
        sql(QStringLiteral("DELETE FROM slowniki WHERE IDSLOWNIK='LOKAL'"));
        m_tab->viewEntered();
        QVERIFY(!control<QCheckBox>(QStringLiteral("cbLokSeria1"))->isEnabled());
        QVERIFY(!control<QCheckBox>(QStringLiteral("cbLokSeria1"))->isChecked());
        QVERIFY(!control<QCheckBox>(QStringLiteral("dormakCbLokalizacja"))->isEnabled());
        QVERIFY(m_tab->run(QStringLiteral("SBLokWyposazenie")));
        QVERIFY(allText().contains(QStringLiteral("Liczba lokalizacji: 0")));
    }

    void needsListItemsAtTheReminderLevel()
    {
        sql(QStringLiteral("UPDATE bhp SET ILOSC=5, PRZYPOMNIJ=5 WHERE NREWID='BHP/001'"));
        sql(QStringLiteral("UPDATE bhp SET ILOSC=5.01, PRZYPOMNIJ=5 WHERE NREWID='BHP/003'"));
        m_db->listState().setSlot(QStringLiteral("DBFBhp"), 10,
                                  QStringLiteral("AND 1=0")); // a main-window filter
        QVERIFY(m_tab->run(QStringLiteral("SBZapotBhp")));
        QVERIFY(allText().contains(QStringLiteral("BHP/001")));
        QVERIFY(!allText().contains(QStringLiteral("BHP/003")));
        QCOMPARE(m_db->listState().slot(QStringLiteral("DBFBhp"), 10), QStringLiteral("AND 1=0"));
    }

    void holdingsWithoutEndDate()
    {
        sql(QStringLiteral("UPDATE r_bhpprac SET DATAOD=20240101, DATADO=0 WHERE NREW='P014'"));
        sql(QStringLiteral("UPDATE r_bhpprac SET DATAOD=0, DATADO=20240101 WHERE NREW='P015'"));
        m_tab->findChild<DateField*>(QStringLiteral("RapDTOD"))->setYmd(20240101);
        m_tab->findChild<DateField*>(QStringLiteral("RapDTDO"))->setYmd(20240601);
        QVERIFY(m_tab->run(QStringLiteral("SBZestPracBhp")));
        QVERIFY(allText().contains(QStringLiteral("P014")));  // no end date passes any upper limit
        QVERIFY(!allText().contains(QStringLiteral("P015"))); // no start date fails a lower limit
        m_tab->findChild<DateField*>(QStringLiteral("RapDTOD"))->setText(QString());
        QVERIFY(m_tab->run(QStringLiteral("SBZestPracBhp")));
        QVERIFY(allText().contains(QStringLiteral("P015"))); // ... but passes from 0
        // One employee.
        control<QCheckBox>(QStringLiteral("CBZestPracBhpSeria1"))->setChecked(true);
        control<Lookup>(QStringLiteral("ZestPracBhpSeria1"))->setKey(QStringLiteral("P015"));
        QVERIFY(m_tab->run(QStringLiteral("SBZestPracBhp")));
        QVERIFY(!allText().contains(QStringLiteral("P014")));
    }

    void attachmentsOfEveryObjectWithTheFileCheck()
    {
        sql(QStringLiteral(
            "INSERT INTO zalaczniki(IDOBIEKTU,CZEGODOTYCZY,NAZWAZALACZNIKA,NAZWAPLIKU,DATADODANIA,RDZAL,INNE)"
            " VALUES (1,'K','Faktura serwera','brak.pdf',20240101,0,'')"));
        m_db->listState().setObject(QStringLiteral("DBFZalaczniki"), QStringLiteral("S"), 99);
        control<QCheckBox>(QStringLiteral("cbSprawdzCzyZalacznikIstnieje"))->setChecked(true);
        QVERIFY(m_tab->run(QStringLiteral("SBZestZalaczniki")));
        QVERIFY(allText().contains(QStringLiteral("Faktura serwera")));
        QVERIFY(allText().contains(QStringLiteral("#2 katalog z załącznikami nie istnieje")));
        QVERIFY(m_db->listState().slot(QStringLiteral("DBFZalaczniki"), 24).contains(QStringLiteral("99")));
    }

    void plannedDeadlinesAndTheirCsv()
    {
        control<QComboBox>(QStringLiteral("dormakSeria"))->setCurrentIndex(1);
        control<QLineEdit>(QStringLiteral("dormakNazwa"))->setText(QStringLiteral("Serwer\""));
        QString reserved;
        m_during = [&] { reserved = m_db->listState().slot(QStringLiteral("DBFTerminy"), 13); };
        QVERIFY(m_tab->run(QStringLiteral("SBDormak")));
        QCOMPARE(m_template, QStringLiteral("terminy_adv.frf"));
        QCOMPARE(control<QLineEdit>(QStringLiteral("dormakNazwa"))->text(), QStringLiteral("Serwer`"));
        QVERIFY(reserved.contains(QStringLiteral("K.NAZWA LIKE '%Serwer`%'")));
        QVERIFY(m_db->listState().slot(QStringLiteral("DBFTerminy"), 13).isEmpty());

        control<QLineEdit>(QStringLiteral("dormakNazwa"))->setText(QStringLiteral("Serwer"));
        QVERIFY(m_tab->run(QStringLiteral("SBDormak")));
        QVERIFY(allText().contains(QStringLiteral("Komp. (KOMP/001)")));
        QVERIFY(allText().contains(QStringLiteral("odp.: ")));

        const QString file = QDir(m_config->path()).filePath(QStringLiteral("terminy.csv"));
        Dialogs::setNextFileName(file);
        QVERIFY(m_tab->run(QStringLiteral("dormakButtonToCSV")));
        QFile csv(file);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList lines =
            QString::fromLatin1(csv.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QVERIFY(lines.size() >= 2);
        QVERIFY(lines.first().startsWith(QStringLiteral("\"Aktywne?\";\"Data od\";")));
        QVERIFY(lines.at(1).contains(QStringLiteral("\"Komp. (KOMP/001)\"")));
        QCOMPARE(lastMessage(), QStringLiteral("Eksport zakończony poprawnie."));

        // A person box without an employee runs nothing.
        sql(QStringLiteral("DELETE FROM osobowa"));
        m_tab->viewEntered();
        QVERIFY(!control<QCheckBox>(QStringLiteral("dormakCbOsoba"))->isEnabled());
    }

    void additionalReportList()
    {
        QVERIFY(!m_tab->run(QStringLiteral("SBOtworzRaport")));
        QCOMPARE(lastMessage(),
                 QStringLiteral("Brak raportu. Wskaż żądany raport bądź zamów raport u producenta."));
        QFile list(QDir(AppPaths::configDir()).filePath(QStringLiteral("rpdqx1.cfg")));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("TfRaportA,Raport A\nbez przecinka\nTfRaportB,Raport B\n");
        list.close();
        m_tab->viewEntered();
        auto* box = control<QComboBox>(QStringLiteral("CBraportyPrywatne"));
        QCOMPARE(box->count(), 1); // a line without comma ends the list
        QCOMPARE(box->currentText(), QStringLiteral("Raport A"));
        QVERIFY(!m_tab->run(QStringLiteral("SBOtworzRaport")));
        const QString log = m_config->logLines().join(QLatin1Char('\n'));
        QVERIFY2(log.contains(QStringLiteral("121726")), qPrintable(log));
        QVERIFY(log.contains(QStringLiteral("Błąd podczas uruchamiania raportu. Oryginalny komunikat: ")));
        // A report that is not installed is not offered.
        auto* open = control<QPushButton>(QStringLiteral("SBOtworzRaport"));
        QVERIFY(!open->isEnabled());
        QVERIFY(open->toolTip().contains(QStringLiteral("TfRaportA.frf")));

        // Installed beside the lists, it opens over the source its template reads.
        QVERIFY(QDir(AppPaths::configDir()).mkpath(QStringLiteral("raporty")));
        QFile addOn(QDir(AppPaths::configDir()).filePath(QStringLiteral("raporty/TfRaportA.frf")));
        QVERIFY(addOn.open(QIODevice::WriteOnly));
        addOn.write("<report title=\"Raport A\"><band type=\"title\" height=\"8\"><text x=\"0\" y=\"0\" "
                    "width=\"150\" height=\"6\">Pracownicy firmy [FIRMA]</text></band><data "
                    "source=\"frUserDataset6\"><band type=\"row\" height=\"5\"><text x=\"0\" y=\"0\" "
                    "width=\"150\" height=\"5\">[NAZWISKO]</text></band></data></report>");
        addOn.close();
        m_tab->viewEntered();
        QVERIFY(open->isEnabled());
        QVERIFY(m_tab->run(QStringLiteral("SBOtworzRaport")));
        QCOMPARE(m_template, QStringLiteral("TfRaportA.frf"));
        QCOMPARE(m_reports->report(), QStringLiteral("frReport6"));
        QVERIFY(allText().contains(QStringLiteral("Kowalski Andrzej")));
        QVERIFY(allText().contains(QStringLiteral("Pracownicy firmy Wega Serwis")));
        // A template the program cannot read is a failed start, reported and logged.
        QVERIFY(addOn.open(QIODevice::WriteOnly));
        addOn.write("<report><data source=\"frNieznane\"><band type=\"row\" height=\"5\"/></data></report>");
        addOn.close();
        QVERIFY(!m_tab->run(QStringLiteral("SBOtworzRaport")));
        QVERIFY(m_config->logLines().join(QLatin1Char('\n')).contains(QStringLiteral("„frNieznane”")));
    }
};

QTEST_MAIN(TestReportPages)
#include "test_reportpages.moc"
