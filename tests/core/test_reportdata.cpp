#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Config.h"
#include "reports/RecordPrintout.h"
#include "reports/TDMRaporty.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"

#include <QTest>

// The report data module over a small fixed database: the values of the
// variables, the running sums, the walking rules of the sources and the
// record print-out lines.
class TestReportData : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TDMRaporty> m_rap;

    void exec(const QString& sql)
    {
        Statement q(&m_db->DatabaseMain(), QString(), {sql});
        q.execSQL();
    }
    // The values of `names` for every row of the report's main source.
    QList<QStringList> walk(const QString& source, const QStringList& names)
    {
        QList<QStringList> rows;
        m_rap->beginPage(1);
        for (m_rap->first(source); !m_rap->checkEof(source); m_rap->next(source)) {
            QStringList row;
            for (const QString& n : names)
                row << m_rap->getValue(n);
            rows << row;
        }
        return rows;
    }
    static QString d(const char* ddmmyyyy)
    {
        return QString::fromLatin1(ddmmyyyy).replace(QLatin1Char('-'), TmyDataBase::dateSeparator());
    }
    static QString a(const char* amount)
    {
        return TmyDataBase::amountText(QString::fromLatin1(amount).toDouble());
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(false);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        m_rap = std::make_unique<TDMRaporty>(*m_db);
        exec(QStringLiteral("UPDATE firmy SET NAZWA='Firma Testowa', NIP='111-22-33-444' WHERE IDFIRMY=1"));
        exec(QStringLiteral("INSERT INTO firmy(NAZWA,NIP) VALUES ('Dostawca SA','555')"));
    }
    void cleanup()
    {
        m_rap.reset();
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void emptyQuerySumsZero()
    {
        QVERIFY(m_rap->setReport(QStringLiteral("frReport7")));
        QVERIFY(walk(QStringLiteral("frUserDataset7"), {QStringLiteral("NETTO")}).isEmpty());
        QCOMPARE(m_rap->getValue(QStringLiteral("SNETTO")), a("0"));
        QCOMPARE(m_rap->getValue(QStringLiteral("SBRUTTO")), a("0"));
    }

    void computerCostsAndCommonVariables()
    {
        exec(QStringLiteral(
            "INSERT INTO komputery(NREWID,NAZWA,IDFIRMY,DATAZAKUPU,NETTO,VAT,BRUTTO,ARCHIWUM,DATAARCH) "
            "VALUES ('K1','Serwer',2,20240315,1000.5,230.12,1230.62,'N',0),"
            "('K2','Laptop',-1,20230101,200,46,246,'T',20250630),"
            "('K3','Stary',-1,0,0,0,0,'T',0)"));
        m_db->listState().clearCondition(QStringLiteral("DBFKomputery"), ListState::Role::Archive);
        QVERIFY(m_rap->setReport(QStringLiteral("frReport7")));
        m_rap->choices().issueDateOn = true;
        m_rap->choices().issueDate = d("01-07-2025");
        const QList<QStringList> rows =
            walk(QStringLiteral("frUserDataset7"),
                 {QStringLiteral("NREWID"), QStringLiteral("DOSTAWCA"), QStringLiteral("DATAZAKUPU"),
                  QStringLiteral("DATAARCH"), QStringLiteral("ARCHIWUM"), QStringLiteral("NETTO"),
                  QStringLiteral("BRUTTO"), QStringLiteral("FIRMA")});
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0], QStringList({"K1", "Dostawca SA (555)", d("15-03-2024"), "", "", a("1000.5"),
                                       a("1230.62"), "Firma Testowa NIP:111-22-33-444"}));
        QCOMPARE(rows[1][3], QStringLiteral("Data likwid.:\r") + d("30-06-2025"));
        QCOMPARE(rows[1][4], QStringLiteral("Archiwum / komputery zlikwidowane"));
        QCOMPARE(rows[2][3], QString()); // liquidated without a date
        QCOMPARE(rows[2][2], QString());
        QCOMPARE(m_rap->getValue(QStringLiteral("SNETTO")), a("1200.5"));
        QCOMPARE(m_rap->getValue(QStringLiteral("SVAT")), a("0")); // VAT never asked
        QCOMPARE(m_rap->getValue(QStringLiteral("SBRUTTO")), a("1476.62"));
        QCOMPARE(m_rap->getValue(QStringLiteral("WYSTAWIONO")),
                 QStringLiteral("Wystawiono ") + d("01-07-2025"));
        QCOMPARE(m_rap->getValue(QStringLiteral("WYSTAWIL")),
                 QStringLiteral("_____________________\rWystawił"));
        Config::global().set(QStringLiteral("cbRapZaakceptowal"), false);
        QCOMPARE(m_rap->getValue(QStringLiteral("ZAAKCEPTOWAL")), QString());
        QCOMPARE(m_rap->getValue(QStringLiteral("NIEZNANA")), QString());
        QCOMPARE(m_rap->getValue(QStringLiteral("STRONA")), QStringLiteral("1"));
        m_rap->beginPage(2);
        QCOMPARE(m_rap->getValue(QStringLiteral("STRONA")), QStringLiteral("2"));
        // A new run starts the counter and the sums again.
        m_rap->first(QStringLiteral("frUserDataset7"));
        QCOMPARE(m_rap->getValue(QStringLiteral("STRONA")), QStringLiteral("1"));
        QCOMPARE(m_rap->getValue(QStringLiteral("SNETTO")), a("0"));
    }

    void ownCompanyNameAndAddressOrNothing_data()
    {
        QTest::addColumn<QString>("street");
        QTest::addColumn<QString>("town");
        QTest::addColumn<QString>("expected");
        QTest::newRow("without address") << ""
                                         << ""
                                         << "Firma Testowa NIP:111-22-33-444";
        QTest::newRow("street and town") << "ul. Długa"
                                         << "Poznań"
                                         << "Firma Testowa NIP:111-22-33-444\rul. Długa 7, 60-001 Poznań";
        QTest::newRow("town only") << ""
                                   << "Poznań"
                                   << "Firma Testowa NIP:111-22-33-444\r60-001 Poznań";
    }
    void ownCompanyNameAndAddressOrNothing()
    {
        QFETCH(QString, street);
        QFETCH(QString, town);
        QFETCH(QString, expected);
        Statement q(&m_db->DatabaseMain(), QString(),
                    {QStringLiteral("UPDATE firmy SET ULICA=:PARAM0,NUMER=:PARAM1,KOD=:PARAM2,MIASTO=:PARAM3 "
                                    "WHERE IDFIRMY=1")});
        q.setParam(0, street);
        q.setParam(1, street.isEmpty() ? QString() : QStringLiteral("7"));
        q.setParam(2, town.isEmpty() ? QString() : QStringLiteral("60-001"));
        q.setParam(3, town);
        q.execSQL();
        // The supplier's FIRMA of the orders list does not replace the own company either.
        for (const char* report : {"frReport7", "frReport13"}) {
            QVERIFY(m_rap->setReport(QLatin1String(report)));
            QCOMPARE(m_rap->getValue(QStringLiteral("FIRMA_WLASNA")), expected);
        }
        QVERIFY(m_rap->setReport(QStringLiteral("frReport7")));
        QCOMPARE(m_rap->getValue(QStringLiteral("FIRMA")), expected);
        // "Umieszczaj na raportach dane firmy" off: no report prints them.
        Config::global().set(QStringLiteral("cbRapFirma"), false);
        QCOMPARE(m_rap->getValue(QStringLiteral("FIRMA")), QString());
        QCOMPARE(m_rap->getValue(QStringLiteral("FIRMA_WLASNA")), QString());
        Config::global().set(QStringLiteral("cbRapFirma"), true);
        QCOMPARE(m_rap->getValue(QStringLiteral("FIRMA")), expected);
    }

    void licencePrograms_data()
    {
        QTest::addColumn<int>("programs");
        QTest::addColumn<QString>("expected");
        QTest::newRow("three") << 3 << "P1 1\rP2 2\rP3 3";
        QTest::newRow("four") << 4 << "P1 1\rP2 2\rP3 3 ... (i więcej)";
    }
    void licencePrograms()
    {
        QFETCH(int, programs);
        QFETCH(QString, expected);
        exec(QStringLiteral("INSERT INTO licencje(NREWID,NRLICENCJI,ARCHIWUM) VALUES ('L1','ABC','N')"));
        for (int i = 1; i <= programs; ++i) {
            exec(QStringLiteral("INSERT INTO programy(NAZWA,WERSJA) VALUES ('P%1','%1')").arg(i));
            exec(QStringLiteral("INSERT INTO r_licprog(IDLICENCJI,IDPROGRAMU,ACT) VALUES (1,%1,'T')").arg(i));
        }
        QVERIFY(m_rap->setReport(QStringLiteral("frReport9")));
        const QList<QStringList> rows = walk(QStringLiteral("frUserDataset9"), {QStringLiteral("PROGRAM")});
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0][0], expected);
    }

    void freeLicences()
    {
        exec(QStringLiteral(
            "INSERT INTO licencje(NREWID,NRLICENCJI) VALUES ('L1','PELNA'),('L2','CZESC'),('L3','WIELE')"));
        exec(QStringLiteral("INSERT INTO programy(NAZWA,WERSJA) VALUES ('A','1'),('B','1'),('C','1')"));
        exec(QStringLiteral("INSERT INTO r_licprog(IDLICENCJI,IDPROGRAMU,ILOSCLIC,WIELOSTAN,ACT) VALUES "
                            "(1,1,2,'N','T'),(2,2,3,'N','T'),(3,3,0,'T','T')"));
        exec(QStringLiteral("INSERT INTO r_lickomp(IDLICENCJI,IDPROGRAMU,IDKOMPUTERA,ACT) VALUES "
                            "(1,1,1,'T'),(1,1,2,'T'),(2,2,1,'T'),(2,2,2,'N'),(3,3,1,'T')"));
        Statement& q = m_db->statement(QStringLiteral("DBFWolneLic"));
        q.open();
        QVERIFY(m_rap->setReport(QStringLiteral("frReportLic")));
        const QList<QStringList> rows = walk(QStringLiteral("frUserDatasetLic"),
                                             {QStringLiteral("NRLICENCJI"), QStringLiteral("ILOSCLIC")});
        QCOMPARE(rows, QList<QStringList>({{"CZESC", "2"}, {"WIELE", "Wielostanowiskowa"}}));
    }

    void computerDetailsWithAndWithoutProperties()
    {
        exec(QStringLiteral("INSERT INTO komputery(NREWID,NAZWA,ARCHIWUM,DATAARCH,PRZYCZYNA) VALUES "
                            "('K1','Bez','N',0,''),('K2','Z','T',20250102,'awaria')"));
        exec(QStringLiteral(
            "INSERT INTO nazwawlasciwosci(KOMPSPRZET,IDSLOWNIKA,LP,NAZWA) VALUES ('K',0,1,'Procesor'),"
            "('K',0,2,'RAM')"));
        exec(QStringLiteral("INSERT INTO wlasciwosci(KOMPSPRZET,IDOBIEKTU,LP,WARTOSC) VALUES "
                            "('K',2,1,'i5'),('K',2,2,'8 GB')"));
        exec(QStringLiteral("INSERT INTO r_kompprac(IDKOMPUTERA,NREW) VALUES (2,'P1')"));
        exec(QStringLiteral("INSERT INTO osobowa(NREW,NAZWISKO,IMIE) VALUES ('P1','Nowak','Jan')"));
        Statement& q = m_db->statement(QStringLiteral("DBFRapKomp"));
        q.open();
        QVERIFY(m_rap->setReport(QStringLiteral("frRKompDetails")));
        const QString main = QStringLiteral("frDSKompDetails");
        m_rap->beginPage(1);
        m_rap->first(main);
        QCOMPARE(m_rap->getValue(QStringLiteral("NREWID")), QStringLiteral("K1"));
        QCOMPARE(m_rap->getValue(QStringLiteral("DATAARCH")), QString());
        m_rap->first(QStringLiteral("frDSKompWl"));
        QVERIFY(!m_rap->checkEof(QStringLiteral("frDSKompWl"))); // exactly one row
        QCOMPARE(m_rap->getValue(QStringLiteral("NAZ_WL01")), QStringLiteral("Procesor"));
        QCOMPARE(m_rap->getValue(QStringLiteral("WL01")), QString()); // no property rows of its own
        QCOMPARE(m_rap->getValue(QStringLiteral("WL14")), QString());
        m_rap->next(QStringLiteral("frDSKompWl"));
        QVERIFY(m_rap->checkEof(QStringLiteral("frDSKompWl")));
        m_rap->first(QStringLiteral("frDSKompUzyt"));
        QVERIFY(m_rap->checkEof(QStringLiteral("frDSKompUzyt")));

        m_rap->next(main);
        QCOMPARE(m_rap->getValue(QStringLiteral("DATAARCH")), QStringLiteral("Data likwidacji: ") +
                                                                  d("02-01-2025") +
                                                                  QStringLiteral(" Przyczyna: awaria"));
        m_rap->first(QStringLiteral("frDSKompWl"));
        QCOMPARE(m_rap->getValue(QStringLiteral("WL02")), QStringLiteral("8 GB"));
        m_rap->first(QStringLiteral("frDSKompUzyt"));
        QCOMPARE(m_rap->getValue(QStringLiteral("UNAZWISKO")), QStringLiteral("Nowak Jan"));
        m_rap->next(main);
        QVERIFY(m_rap->checkEof(main));
        // A detail of a master past its end is empty.
        m_rap->first(QStringLiteral("frDSKompUzyt"));
        QVERIFY(m_rap->checkEof(QStringLiteral("frDSKompUzyt")));
    }

    void registerNumbersBothParts()
    {
        exec(QStringLiteral(
            "INSERT INTO komputery(NREWID,NAZWA,NETTO,BRUTTO,ARCHIWUM) VALUES ('A1','x',10,12.3,'N'),"
            "('A2','y',5,6.15,'N')"));
        exec(QStringLiteral("INSERT INTO sprzet(NREWID,NAZWA,ARCHIWUM,DATAARCH,PRZYCZYNA) VALUES "
                            "('S1','z','T',20240101,'zużyty')"));
        m_db->statement(QStringLiteral("DBFSpis1")).open();
        m_db->statement(QStringLiteral("DBFSpis2")).open();
        QVERIFY(m_rap->setReport(QStringLiteral("frReport12")));
        m_rap->choices().grossValue = true;
        QCOMPARE(walk(QStringLiteral("frUserDataset12"), {QStringLiteral("LP"), QStringLiteral("WART")}),
                 QList<QStringList>({{"1.", a("12.3")}, {"2.", a("6.15")}}));
        QCOMPARE(m_rap->getValue(QStringLiteral("SWART")), a("18.45"));
        QCOMPARE(m_rap->getValue(QStringLiteral("SLP")), QStringLiteral("2"));
        QList<QStringList> arch;
        for (m_rap->first(QStringLiteral("frUserDataset12Arch"));
             !m_rap->checkEof(QStringLiteral("frUserDataset12Arch"));
             m_rap->next(QStringLiteral("frUserDataset12Arch")))
            arch << QStringList{
                m_rap->getValue(QStringLiteral("ALP")), m_rap->getValue(QStringLiteral("ANREWID")),
                m_rap->getValue(QStringLiteral("ADATAARCH")), m_rap->getValue(QStringLiteral("APRZYCZYNA"))};
        QCOMPARE(arch, QList<QStringList>({{"1.", "S1", d("01-01-2024"), "zużyty"}}));
        QCOMPARE(m_rap->getValue(QStringLiteral("ASLP")), QStringLiteral("1"));
    }

    void locationsAndEmployees()
    {
        exec(QStringLiteral("DELETE FROM slowniki WHERE IDSLOWNIK='LOKAL'"));
        exec(QStringLiteral("INSERT INTO slowniki(IDSLOWNIK,OPIS) VALUES ('LOKAL','Magazyn')"));
        const QString kod = QString::number(m_db->maxKey(QStringLiteral("slowniki"), QStringLiteral("KOD")));
        exec(QStringLiteral("INSERT INTO osobowa(NREW,NAZWISKO,IMIE) VALUES ('P1','Nowak','Jan')"));
        exec(QStringLiteral("INSERT INTO komputery(NREWID,NAZWA,NETTO,LOKALIZACJA,NREW,ARCHIWUM) VALUES "
                            "('K1','PC',100,%1,'P1','N')")
                 .arg(kod));
        exec(QStringLiteral("INSERT INTO sprzet(NREWID,NAZWA,NETTO,LOKALIZACJA,ARCHIWUM) VALUES "
                            "('S1','Drukarka',50,%1,'N')")
                 .arg(kod));
        exec(QStringLiteral("INSERT INTO r_kompprac(IDKOMPUTERA,NREW) VALUES (1,'P1')"));
        exec(QStringLiteral("INSERT INTO licencje(NREWID,NRLICENCJI,NETTO) VALUES ('L1','NR',30)"));
        exec(QStringLiteral("INSERT INTO programy(NAZWA,WERSJA) VALUES ('Biuro','1')"));
        exec(QStringLiteral("INSERT INTO r_licprog(IDLICENCJI,IDPROGRAMU) VALUES (1,1)"));
        exec(QStringLiteral("INSERT INTO r_lickomp(IDLICENCJI,IDPROGRAMU,IDKOMPUTERA) VALUES (1,1,1)"));

        QVERIFY(m_rap->setReport(QStringLiteral("frReport10")));
        m_rap->choices().equipment = false;
        m_rap->first(QStringLiteral("frUserDataset10"));
        QCOMPARE(m_rap->getValue(QStringLiteral("OPIS")), QStringLiteral("Magazyn"));
        QCOMPARE(m_rap->getValue(QStringLiteral("KOMPUTERY")), QStringLiteral("Komputery:"));
        QCOMPARE(m_rap->getValue(QStringLiteral("SPRZET")), QString());
        m_rap->first(QStringLiteral("frUserDatasetKomp"));
        QCOMPARE(m_rap->getValue(QStringLiteral("NREWID")), QStringLiteral("K1"));
        m_rap->first(QStringLiteral("frUserDatasetSprz"));
        QVERIFY(m_rap->checkEof(QStringLiteral("frUserDatasetSprz"))); // its box is not ticked

        QVERIFY(m_rap->setReport(QStringLiteral("frReport11")));
        m_rap->choices() = TDMRaporty::Choices();
        m_rap->first(QStringLiteral("frUserDataset11"));
        QCOMPARE(m_rap->getValue(QStringLiteral("NAZWISKO")), QStringLiteral("Nowak Jan"));
        m_rap->first(QStringLiteral("frUserDatasetPracKomp"));
        QCOMPARE(m_rap->getValue(QStringLiteral("NREWID")), QStringLiteral("K1"));
        QCOMPARE(m_rap->getValue(QStringLiteral("KNETTO")), a("100"));
        m_rap->first(QStringLiteral("frUserKompLic"));
        QCOMPARE(m_rap->getValue(QStringLiteral("LNAZWA")), QStringLiteral("Biuro"));
        QCOMPARE(m_rap->getValue(QStringLiteral("LNETTO")), a("30"));
        m_rap->first(QStringLiteral("frUserDatasetUKomp"));
        QCOMPARE(m_rap->getValue(QStringLiteral("UNREWID")), QStringLiteral("K1"));
        QCOMPARE(m_rap->getValue(QStringLiteral("SUMANETTO")), a("130"));
        m_rap->choices().responsible = false;
        m_rap->first(QStringLiteral("frUserDatasetUKomp"));
        QVERIFY(m_rap->checkEof(QStringLiteral("frUserDatasetUKomp")));
        QCOMPARE(m_rap->getValue(QStringLiteral("KOMPUTERY")), QStringLiteral("Komputer:"));
        QCOMPARE(m_rap->getValue(QStringLiteral("LICENCJE")), QStringLiteral("Oprogramowanie - licencje:"));

        exec(QStringLiteral(
            "INSERT INTO terminy(IDOBIEKTU,CZEGODOTYCZY,ACT,DATAOD,DATADO) VALUES (1,'K','T',20250101,0),"
            "(1,'B','T',20250102,0)"));
        QVERIFY(m_rap->setReport(QStringLiteral("frDormak")));
        const QList<QStringList> rows =
            walk(QStringLiteral("frDSDormak"), {QStringLiteral("OSOBA"), QStringLiteral("LOKALIZACJA")});
        QCOMPARE(rows, QList<QStringList>({{"odp.: Jan Nowak (P1)", "lok.: Magazyn"}, {"", ""}}));
    }

    void everyRegisterPrintsItsRow_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("firstLabel");
        const char* const rows[][3] = {{"DBFKomputery", "Komputer", "Numer ewidencyjny: "},
                                       {"DBFSprzet", "Sprzęt", "Numer ewidencyjny: "},
                                       {"DBFLicencje", "Licencja", "Numer licencji: "},
                                       {"DBFProgramy", "Oprogramowanie", "Numer ewidencyjny: "},
                                       {"DBFZakupBhp", "Zakup BHP", "Nazwa: "},
                                       {"DBFBhp", "Środek BHP", "Nazwa: "},
                                       {"DBFDokumenty", "Dokument", "Czy termin aktywny?: "},
                                       {"DBFRozliczenia", "Rozliczenie", "Zlecenie na sprzęt: "},
                                       {"DBFZlecenia", "Zlecenie", "Zlecenie na sprzęt: "},
                                       {"DBFHistoria", "Historia", "Osoba: "},
                                       {"DBFZalaczniki", "Załacznik", "Data dodania: "},
                                       {"DBFTerminy", "Termin", "Czy termin aktywny?: "},
                                       {"DBFNaprawy", "Naprawa", "Czy termin aktywny?: "},
                                       {"DBFMagazyn", "Magazyn", "Nazwa zasobu: "},
                                       {"DBFosobowa", "Pracownik", "Numer ewidencyjny: "},
                                       {"DBFFirmy", "Firma", "Nazwa firmy: "}};
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString::fromUtf8(r[0]) << QString::fromUtf8(r[1])
                                << QString::fromUtf8(r[2]);
    }
    void everyRegisterPrintsItsRow()
    {
        QFETCH(QString, list);
        QFETCH(QString, title);
        QFETCH(QString, firstLabel);
        TestDatabase sample(true);
        TmyDataBase db;
        QVERIFY(sample.connect(db));
        // The sample has no attachments.
        Statement(&db.DatabaseMain(), QString(),
                  {QStringLiteral(
                      "INSERT INTO zalaczniki(IDOBIEKTU,CZEGODOTYCZY,NAZWAZALACZNIKA,NAZWAPLIKU,DATADODANIA) "
                      "VALUES (1,'K','Faktura','f1.pdf',20240101)")})
            .execSQL();
        QVERIFY(db.reloadList(list));
        const RecordPrintout p = RecordPrintout::forList(db, list);
        QCOMPARE(p.title, title);
        QVERIFY2(p.lines.value(0).startsWith(firstLabel), qPrintable(p.lines.value(0)));
        // Every line is a label with its value; lookups show their texts.
        for (const QString& line : p.lines)
            QVERIFY(line.isEmpty() || line.contains(QStringLiteral(": ")) || line.endsWith(QLatin1Char(':')));
        QVERIFY(!p.body().contains(QLatin1Char('\n')));
    }

    void unknownSourceAndPrintoutTexts()
    {
        QVERIFY(!m_rap->setReport(QStringLiteral("frNieMa")));
        QVERIFY(m_rap->setReport(QStringLiteral("frDrukujPozycje")));
        QVERIFY(!m_rap->hasSource(QStringLiteral("frUserDataset7")));
        m_rap->setPrintout(QStringLiteral("Komputer"), QStringLiteral("a: 1\rb: 2"));
        QCOMPARE(m_rap->getValue(QStringLiteral("TEMAT")), QStringLiteral("Komputer"));
        QCOMPARE(m_rap->getValue(QStringLiteral("TRESC")), QStringLiteral("a: 1\rb: 2"));
        QCOMPARE(TDMRaporty::reportTitle(QStringLiteral("frDrukujPozycje")),
                 QStringLiteral("Wydruk z programu Sprzetnik"));
        QCOMPARE(TDMRaporty::reportTitle(QStringLiteral("frReport7")), QStringLiteral("Raport"));
    }

    void printoutLines()
    {
        exec(QStringLiteral(
            "INSERT INTO komputery(NREWID,NAZWA,NETTO,ARCHIWUM,DATAARCH) VALUES ('K1','PC',99.9,'N',0)"));
        exec(QStringLiteral("INSERT INTO licencje(NREWID,NRLICENCJI,ARCHIWUM,DATAARCH,PRZYCZYNA) VALUES "
                            "('L1','NR-1','T',20240510,'wygasła')"));
        const QString komputery = QStringLiteral("DBFKomputery");
        QVERIFY(m_db->reloadList(komputery));
        RecordPrintout p = RecordPrintout::forList(*m_db, komputery);
        QCOMPARE(p.title, QStringLiteral("Komputer"));
        QCOMPARE(p.lines.first(), QStringLiteral("Numer ewidencyjny: K1"));
        QVERIFY(p.lines.contains(QStringLiteral("Wartość netto: ") + a("99.9")));
        QCOMPARE(p.lines.size(), 17 + 1 + 14);
        QCOMPARE(p.lines.mid(18), QStringList(14, QStringLiteral(": ")));
        QCOMPARE(p.body().count(QChar(13)), p.lines.size() - 1);

        const QString licencje = QStringLiteral("DBFLicencje");
        m_db->listState().clearCondition(licencje, ListState::Role::Archive);
        QVERIFY(m_db->reloadList(licencje));
        p = RecordPrintout::forList(*m_db, licencje);
        QCOMPARE(p.title, QStringLiteral("Licencja"));
        QCOMPARE(p.lines.mid(0, 3), QStringList({QStringLiteral("Data likwidacji: ") + d("10-05-2024"),
                                                 QStringLiteral("Przyczyna likwidacji: wygasła"),
                                                 QStringLiteral("Numer licencji: NR-1")}));

        // An empty list prints nothing.
        m_db->listState().setArchive(true);
        QVERIFY(m_db->reloadList(komputery));
        QVERIFY(RecordPrintout::forList(*m_db, komputery).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestReportData)
#include "test_reportdata.moc"
