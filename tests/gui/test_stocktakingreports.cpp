#include "ModalScript.h"
#include "TestSupport.h"
#include "WholePrint.h"

#include "base/Dialogs.h"
#include "renderer/MemoryDataProvider.h"
#include "renderer/ReportPreview.h"
#include "stocktaking/CountSheetReport.h"
#include "stocktaking/DifferencesReport.h"
#include "stocktaking/StocktakingPrint.h"
#include "store/TmyDataBase.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kCompany = QStringLiteral("Przedsiębiorstwo Źródło Sp. z o.o. NIP 526-000-12-34\r"
                                        "ul. Świętokrzyska 5, 00-001 Łódź");

StocktakingSession session(bool closed)
{
    StocktakingSession s;
    s.id = 7;
    s.date = 20261210;
    s.scope = QLatin1Char('L');
    s.location = 3;
    s.scopeText = QStringLiteral("Lokalizacja: Pokój 12 – księgowość");
    s.committee = QStringLiteral("Anna Żółkiewska\n\n  Jerzy Wąsowicz \nŁucja Ćwik");
    s.closed = closed;
    s.closedDate = closed ? 20261215 : 0;
    return s;
}

StocktakingItem item(const QString& number, const QString& name, bool expected, bool found, QChar kind = 'K')
{
    StocktakingItem i;
    i.kind = kind;
    i.number = number;
    i.name = name;
    i.location = QStringLiteral("Pokój 12");
    i.personKey = QStringLiteral("P1");
    i.person = QStringLiteral("Kowalski Jan");
    i.expected = expected;
    i.found = found;
    if (found) {
        i.scans = 1;
        i.scannedAt = QStringLiteral("2026-12-10 09:15:42");
        i.workstation = QStringLiteral("MAGAZYN-2");
    }
    return i;
}

StocktakingItem unknown(const QString& code)
{
    StocktakingItem i;
    i.code = code;
    i.expected = false;
    i.found = true;
    i.scannedAt = QStringLiteral("2026-12-10 10:01:05");
    i.workstation = QStringLiteral("KSIĘGOWOŚĆ-1");
    return i;
}

// Expected items out of number order (the sheet keeps the order given),
// one found elsewhere, an unknown code, and an item neither expected nor
// found that no document shows.
QList<StocktakingItem> smallSession()
{
    StocktakingItem elsewhere =
        item(QStringLiteral("S/900"), QStringLiteral("Niszczarka Fellowes"), false, true, QLatin1Char('S'));
    elsewhere.location = QStringLiteral("Sekretariat");
    elsewhere.person = QStringLiteral("Nowak Ewa");
    return {item(QStringLiteral("K/003"), QStringLiteral("Laptop Dell – zasilacz"), true, true),
            item(QStringLiteral("K/001"), QStringLiteral("Drukarka laserowa"), true, false),
            item(QStringLiteral("B/042"), QStringLiteral("Gaśnica proszkowa"), true, true, QLatin1Char('B')),
            item(QStringLiteral("K/002"), QStringLiteral("Monitor Iiyama"), true, false),
            elsewhere,
            unknown(QStringLiteral("XZ-77")),
            item(QStringLiteral("S/999"), QStringLiteral("Widmo"), false, false, QLatin1Char('S'))};
}

QList<StocktakingItem> largeSession(int count)
{
    QList<StocktakingItem> items;
    for (int n = 1; n <= count; ++n)
        items << item(QStringLiteral("INW/%1").arg(n, 5, 10, QLatin1Char('0')),
                      QStringLiteral("Krzesło obrotowe nr %1").arg(n), true, n % 10 != 0);
    items << unknown(QStringLiteral("OBCY-1"));
    return items;
}

QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                                QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The line of the text that holds `what`, or empty.
QString lineWith(const QString& text, const QString& what)
{
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (line.contains(what))
            return line;
    return {};
}

bool hasLine(const QString& text, const QString& pattern)
{
    return QRegularExpression(pattern, QRegularExpression::MultilineOption).match(text).hasMatch();
}

// Lays a document out without keeping its pages, looking for texts cut,
// overlapping or off the paper.
QStringList layoutFaults(const QString& file, MemoryDataProvider& data, int* pages)
{
    WholePrint::PageCheck check(file);
    WholePrint::layOut(StocktakingPrint::templatePath(file), data, check);
    *pages = check.pages;
    return check.faults;
}
} // namespace

class TestStocktakingReports : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    QTemporaryDir m_dir;
    bool m_poppler = false;

    QString countSheet(const StocktakingSession& s, const QList<StocktakingItem>& items, const QString& name)
    {
        const QString path = m_dir.filePath(name);
        QString error;
        if (!CountSheetReport::writePdf(path, s, items, kCompany, &error))
            qWarning("%s", qPrintable(error));
        return pdfText(path);
    }
    QString differences(const StocktakingSession& s, const QList<StocktakingItem>& items, const QString& name)
    {
        const QString path = m_dir.filePath(name);
        QString error;
        if (!DifferencesReport::writePdf(path, s, items, kCompany, &error))
            qWarning("%s", qPrintable(error));
        return pdfText(path);
    }

private slots:
    void initTestCase()
    {
        m_config = std::make_unique<TempConfig>();
        m_poppler = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
    }

    void countsFollowTheStore()
    {
        const StocktakingCounts counts = StocktakingPrint::countsOf(smallSession());
        QCOMPARE(counts.expected, 4);
        QCOMPARE(counts.found, 2);
        QCOMPARE(counts.missing, 2);
        // The item neither expected nor found is in none of them.
        QCOMPARE(counts.unexpected, 2);
        const StocktakingCounts none = StocktakingPrint::countsOf({});
        QCOMPARE(none.expected + none.found + none.missing + none.unexpected, 0);
    }

    void countSheetOfAClosedSession()
    {
        if (!m_poppler)
            QSKIP("pdftotext (poppler-utils) is not installed");
        const QString text = countSheet(session(true), smallSession(), QStringLiteral("arkusz.pdf"));
        QVERIFY(!text.isEmpty());
        QVERIFY(text.contains(QStringLiteral("ARKUSZ SPISU Z NATURY")));
        QVERIFY(text.contains(QStringLiteral("Przedsiębiorstwo Źródło Sp. z o.o.")));
        QVERIFY(text.contains(QStringLiteral("ul. Świętokrzyska 5, 00-001 Łódź")));
        QVERIFY(hasLine(text, QStringLiteral("^\\s*nr 7\\s*$")));
        QVERIFY(lineWith(text, QStringLiteral("Data spisu:")).contains(TmyDataBase::dateText(20261210)));
        QVERIFY(text.contains(QStringLiteral("Lokalizacja: Pokój 12 – księgowość")));
        QVERIFY(lineWith(text, QStringLiteral("Stan spisu:"))
                    .contains(QStringLiteral("data zamknięcia: ") + TmyDataBase::dateText(20261215)));
        // The committee one a line, blank lines and spaces dropped.
        QVERIFY(hasLine(text, QStringLiteral("Komisja spisowa:\\s+Anna Żółkiewska\\s*$")));
        QVERIFY(hasLine(text, QStringLiteral("^\\s+Jerzy Wąsowicz\\s*$")));
        QVERIFY(hasLine(text, QStringLiteral("^\\s+Łucja Ćwik\\s*$")));

        for (const char* column : {"Lp.", "Nr inwentarzowy", "Nazwa", "Lokalizacja", "Osoba", "Stwierdzono"})
            QVERIFY2(lineWith(text, QStringLiteral("Nr inwentarzowy")).contains(QLatin1String(column)),
                     column);
        // The rows in the order given, numbered, each found or not.
        const QStringList rows = {QStringLiteral("K/003"), QStringLiteral("K/001"), QStringLiteral("B/042"),
                                  QStringLiteral("K/002")};
        const QStringList found = {QStringLiteral("tak"), QStringLiteral("nie"), QStringLiteral("tak"),
                                   QStringLiteral("nie")};
        qsizetype last = 0;
        for (int r = 0; r < rows.size(); ++r) {
            const qsizetype at = text.indexOf(rows.at(r));
            QVERIFY2(at > last, qPrintable(rows.at(r)));
            last = at;
            QVERIFY2(hasLine(text, QStringLiteral("^\\s*%1\\.\\s+%2 .*Pokój 12\\s+Kowalski Jan\\s+%3\\s*$")
                                       .arg(r + 1)
                                       .arg(QRegularExpression::escape(rows.at(r)), found.at(r))),
                     qPrintable(lineWith(text, rows.at(r))));
        }
        // Then the group of items met outside the list, numbered anew.
        const qsizetype outside = text.indexOf(QStringLiteral("Składniki stwierdzone poza spisem"));
        QVERIFY(outside > last);
        QVERIFY(!text.contains(QStringLiteral("poza spisem: brak")));
        QVERIFY(hasLine(text, QStringLiteral("^\\s*1\\.\\s+S/900\\s+inny sprzęt\\s+Niszczarka Fellowes\\s+"
                                             "Sekretariat\\s+Nowak Ewa\\s+tak\\s*$")));
        QVERIFY(hasLine(text, QStringLiteral("^\\s*2\\.\\s+XZ-77\\s+nieznany numer\\s+tak\\s*$")));
        QVERIFY(text.indexOf(QStringLiteral("XZ-77")) > outside);
        QVERIFY(!text.contains(QStringLiteral("S/999")));

        QVERIFY(text.contains(QStringLiteral("Spis zakończono na pozycji nr 4.")));
        QVERIFY(hasLine(text, QStringLiteral("Pozycji w spisie:\\s+4\\s*$")));
        QVERIFY(hasLine(text, QStringLiteral("^\\s*Stwierdzono:\\s+2\\s*$")));
        QVERIFY(hasLine(text, QStringLiteral("Nie stwierdzono:\\s+2\\s*$")));
        QVERIFY(hasLine(text, QStringLiteral("Poza spisem:\\s+2\\s*$")));

        // A signature line for each member, after the counts, then the person's.
        const qsizetype signatures = text.indexOf(QStringLiteral("Podpisy członków komisji:"));
        QVERIFY(signatures > text.indexOf(QStringLiteral("Poza spisem:")));
        qsizetype previous = signatures;
        for (const QString& member : {QStringLiteral("Anna Żółkiewska"), QStringLiteral("Jerzy Wąsowicz"),
                                      QStringLiteral("Łucja Ćwik")}) {
            const qsizetype at = text.indexOf(member, signatures);
            QVERIFY2(at > previous, qPrintable(member));
            previous = at;
        }
        QCOMPARE(text.count(QStringLiteral("(data i podpis)")), 4);
        QVERIFY(text.indexOf(QStringLiteral("Osoba materialnie odpowiedzialna:")) > previous);
        QVERIFY(text.contains(QStringLiteral("Strona 1 z 1")));
    }

    void countSheetOfAnOpenSessionWithNothingOutside()
    {
        if (!m_poppler)
            QSKIP("pdftotext (poppler-utils) is not installed");
        StocktakingSession s = session(false);
        s.scope = QLatin1Char('O');
        s.person = QStringLiteral("P2");
        s.committee.clear();
        QList<StocktakingItem> items = smallSession().mid(0, 4);
        items[1].personKey = QStringLiteral("P2");
        items[1].person = QStringLiteral("Wójcik Bożena");
        const QString text = countSheet(s, items, QStringLiteral("otwarty.pdf"));
        QVERIFY(lineWith(text, QStringLiteral("Stan spisu:")).contains(QStringLiteral("spis w toku")));
        QVERIFY(!text.contains(QStringLiteral("data zamknięcia")));
        QVERIFY(text.contains(QStringLiteral("Składniki stwierdzone poza spisem: brak.")));
        QVERIFY(hasLine(text, QStringLiteral("Poza spisem:\\s+0\\s*$")));
        QVERIFY(lineWith(text, QStringLiteral("Komisja spisowa:")).contains(QStringLiteral("nie wskazano")));
        // No names: lines to sign by hand all the same.
        QCOMPARE(text.count(QStringLiteral("(data i podpis)")), 4);
        // A session over one person's assets names who answers for them.
        const qsizetype person = text.indexOf(QStringLiteral("Osoba materialnie odpowiedzialna:"));
        QVERIFY(person > 0);
        QVERIFY(text.indexOf(QStringLiteral("Wójcik Bożena"), person) > person);
    }

    void differencesListShortagesAndSurpluses()
    {
        if (!m_poppler)
            QSKIP("pdftotext (poppler-utils) is not installed");
        const QString text = differences(session(true), smallSession(), QStringLiteral("roznice.pdf"));
        QVERIFY(text.contains(QStringLiteral("ZESTAWIENIE RÓŻNIC INWENTARYZACYJNYCH")));
        QVERIFY(text.contains(QStringLiteral("Lokalizacja: Pokój 12 – księgowość")));
        QVERIFY(hasLine(text, QStringLiteral("Komisja spisowa:\\s+Anna Żółkiewska\\s*$")));
        const qsizetype shortages = text.indexOf(QStringLiteral("Niedobory – "));
        const qsizetype surpluses = text.indexOf(QStringLiteral("Nadwyżki – "));
        QVERIFY(shortages > 0);
        QVERIFY(surpluses > shortages);
        // Shortages: the expected items not found, nothing else.
        const QString shortText = text.mid(shortages, surpluses - shortages);
        QVERIFY(hasLine(shortText, QStringLiteral("^\\s*1\\.\\s+K/001\\s+Drukarka laserowa\\s+Pokój 12\\s+"
                                                  "Kowalski Jan\\s*$")));
        QVERIFY(hasLine(shortText, QStringLiteral("^\\s*2\\.\\s+K/002\\s+Monitor Iiyama")));
        for (const char* other : {"K/003", "B/042", "S/900", "XZ-77", "S/999"})
            QVERIFY2(!shortText.contains(QLatin1String(other)), other);
        QVERIFY(hasLine(shortText, QStringLiteral("Razem niedoborów:\\s+2\\s*$")));
        // Surpluses: registered place and person, or an unknown number, and the scan.
        const QString surplusText = text.mid(surpluses);
        QVERIFY(
            hasLine(surplusText, QStringLiteral("^\\s*1\\.\\s+S/900\\s+Niszczarka Fellowes\\s+Sekretariat\\s+"
                                                "Nowak Ewa\\s+MAGAZYN-2\\s*$")));
        QVERIFY(surplusText.contains(TmyDataBase::dateText(20261210) + QStringLiteral(" 09:15:42")));
        QVERIFY(hasLine(surplusText,
                        QStringLiteral("^\\s*2\\.\\s+XZ-77\\s+nieznany numer\\s+KSIĘGOWOŚĆ-1\\s*$")));
        QVERIFY(surplusText.contains(TmyDataBase::dateText(20261210) + QStringLiteral(" 10:01:05")));
        QVERIFY(!surplusText.contains(QStringLiteral("S/999")));
        QVERIFY(hasLine(surplusText, QStringLiteral("Razem nadwyżek:\\s+2\\s*$")));
        QVERIFY(!text.contains(QStringLiteral("Brak różnic.")));
        QVERIFY(!text.contains(QStringLiteral(": brak.")));
        QVERIFY(text.indexOf(QStringLiteral("Podpisy członków komisji:")) > surpluses);
    }

    void differencesOfOneKindOrNone_data()
    {
        QTest::addColumn<bool>("shortage");
        QTest::addColumn<bool>("surplus");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("none") << false << false << QStringList{QStringLiteral("Brak różnic.")}
                              << QStringList{QStringLiteral("Niedobory"), QStringLiteral("Nadwyżki"),
                                             QStringLiteral("Razem")};
        QTest::newRow("shortages only")
            << true << false
            << QStringList{QStringLiteral("Razem niedoborów: 1"), QStringLiteral("Nadwyżki: brak.")}
            << QStringList{QStringLiteral("Brak różnic."), QStringLiteral("Niedobory: brak."),
                           QStringLiteral("Razem nadwyżek")};
        QTest::newRow("surpluses only")
            << false << true
            << QStringList{QStringLiteral("Razem nadwyżek: 1"), QStringLiteral("Niedobory: brak.")}
            << QStringList{QStringLiteral("Brak różnic."), QStringLiteral("Nadwyżki: brak."),
                           QStringLiteral("Razem niedoborów")};
    }
    void differencesOfOneKindOrNone()
    {
        if (!m_poppler)
            QSKIP("pdftotext (poppler-utils) is not installed");
        QFETCH(bool, shortage);
        QFETCH(bool, surplus);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        QList<StocktakingItem> items = {item(QStringLiteral("K/1"), QStringLiteral("Stół"), true, true),
                                        item(QStringLiteral("K/2"), QStringLiteral("Szafa"), true, !shortage),
                                        item(QStringLiteral("K/3"), QStringLiteral("Regał"), false, false)};
        if (surplus)
            items << unknown(QStringLiteral("ŻÓŁW-1"));
        const QString text = differences(session(true), items, QStringLiteral("jedne.pdf"));
        QVERIFY(!text.isEmpty());
        const QString flat = text.simplified();
        for (const QString& what : present)
            QVERIFY2(flat.contains(what), qPrintable(what));
        for (const QString& what : absent)
            QVERIFY2(!flat.contains(what), qPrintable(what));
        QVERIFY(!text.contains(QStringLiteral("K/3")));
    }

    void aLongSessionSpansPagesWhole()
    {
        if (!m_poppler)
            QSKIP("pdftotext (poppler-utils) is not installed");
        const QList<StocktakingItem> items = largeSession(2000);
        const QString text = countSheet(session(true), items, QStringLiteral("dlugi.pdf"));
        const int pages = int(text.count(QLatin1Char('\f')));
        QVERIFY2(pages > 20, qPrintable(QString::number(pages)));
        // Every page numbered out of all, and every page after the first
        // says whose sheet it is and repeats the column headers.
        for (int p = 1; p <= pages; ++p)
            QVERIFY2(text.contains(QStringLiteral("Strona %1 z %2").arg(p).arg(pages)),
                     qPrintable(QString::number(p)));
        QCOMPARE(text.count(QStringLiteral("Arkusz spisu z natury nr 7 z dnia")), pages - 1);
        QVERIFY(text.count(QStringLiteral("Nr inwentarzowy")) >= pages);
        for (const QString& row :
             {QStringLiteral("INW/00001"), QStringLiteral("INW/01000"), QStringLiteral("INW/02000")})
            QVERIFY2(text.contains(row), qPrintable(row));
        QVERIFY(hasLine(text, QStringLiteral("^\\s*2000\\.\\s+INW/02000\\s.*\\snie\\s*$")));
        QVERIFY(hasLine(text, QStringLiteral("^\\s*1999\\.\\s+INW/01999\\s.*\\stak\\s*$")));
        QVERIFY(hasLine(text, QStringLiteral("Pozycji w spisie:\\s+2000\\s*$")));
        QVERIFY(hasLine(text, QStringLiteral("^\\s*Stwierdzono:\\s+1800\\s*$")));
        QVERIFY(hasLine(text, QStringLiteral("Nie stwierdzono:\\s+200\\s*$")));
        QVERIFY(hasLine(text, QStringLiteral("Poza spisem:\\s+1\\s*$")));

        const QString diff = differences(session(true), items, QStringLiteral("dlugie_roznice.pdf"));
        QVERIFY(diff.count(QLatin1Char('\f')) > 3);
        QVERIFY(hasLine(diff, QStringLiteral("Razem niedoborów:\\s+200\\s*$")));
        QVERIFY(hasLine(diff, QStringLiteral("^\\s*200\\.\\s+INW/02000\\s")));
        QVERIFY(!diff.contains(QStringLiteral("INW/01999")));
    }

    void nothingIsCutOrOverlaps_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("small") << 0;
        QTest::newRow("2000 items") << 2000;
    }
    void nothingIsCutOrOverlaps()
    {
        QFETCH(int, size);
        QList<StocktakingItem> items = size ? largeSession(size) : smallSession();
        // Long texts everywhere: they wrap inside their cells.
        items[0].name =
            QStringLiteral("Zestaw komputerowy stacjonarny z monitorem 27 cali, klawiaturą i myszą "
                           "bezprzewodową");
        items[0].location = QStringLiteral("Budynek B, piętro 3, pokój 312 – dział księgowości");
        items[0].person = QStringLiteral("Grzegorzewska-Szczepańska Małgorzata");
        items.last().workstation = QStringLiteral("STANOWISKO-INWENTARYZACYJNE-NR-12");
        for (const QString& file : {CountSheetReport::templateFile(), DifferencesReport::templateFile()}) {
            MemoryDataProvider data;
            if (file == CountSheetReport::templateFile())
                CountSheetReport::fill(data, session(true), items, kCompany);
            else
                DifferencesReport::fill(data, session(true), items, kCompany);
            int pages = 0;
            const QStringList faults = layoutFaults(file, data, &pages);
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
            QVERIFY(pages >= 1);
            ReportTemplate report;
            QVERIFY(report.load(StocktakingPrint::templatePath(file)));
            QCOMPARE(report.page.paperSize(), QSizeF(210, 297));
            const QStringList wide = WholePrint::numbersThatDoNotFit(report);
            QVERIFY2(wide.isEmpty(), qPrintable(wide.join(QLatin1Char('\n'))));
        }
    }

    void aTemplateThatCannotRunIsReported()
    {
        const QString missing = m_dir.filePath(QStringLiteral("brak/arkusz_spisu.frf"));
        const QString pdf = m_dir.filePath(QStringLiteral("nie_powstanie.pdf"));
        QString error;
        QVERIFY(!CountSheetReport::writePdf(pdf, session(true), smallSession(), kCompany, &error, missing));
        QVERIFY2(error.contains(QStringLiteral("arkusz_spisu.frf")), qPrintable(error));
        QVERIFY(!QFile::exists(pdf));

        // A template asking for a source the documents do not have.
        const QString foreign = m_dir.filePath(QStringLiteral("obcy.frf"));
        QFile file(foreign);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<report><data source=\"frDSObcy\"><band type=\"row\" height=\"5\"/></data></report>");
        file.close();
        QVERIFY(!DifferencesReport::writePdf(pdf, session(true), smallSession(), kCompany, &error, foreign));
        QVERIFY2(error.contains(QStringLiteral("frDSObcy")), qPrintable(error));
        QVERIFY(!QFile::exists(pdf));

        // From the window: a message, no preview.
        Dialogs::startScript();
        MemoryDataProvider data;
        CountSheetReport::fill(data, session(true), smallSession(), kCompany);
        QVERIFY(!StocktakingPrint::show(missing, data, nullptr));
        const QList<Dialogs::Shown> shown = Dialogs::shown();
        Dialogs::stopScript();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().title, QStringLiteral("Błąd"));
        QVERIFY(shown.first().text.contains(missing));
    }

    void showOpensThePreview()
    {
        int pages = 0;
        QString title;
        ModalScript script;
        script.add(QStringLiteral("ReportPreview"), [&](QWidget* widget) {
            auto* preview = qobject_cast<ReportPreview*>(widget);
            QVERIFY(preview);
            QTRY_VERIFY(preview->isComplete());
            pages = preview->pageCount();
            title = preview->windowTitle();
            preview->reject();
        });
        QVERIFY(DifferencesReport::show(nullptr, session(true), smallSession(), kCompany));
        QVERIFY2(script.errors().isEmpty(), qPrintable(script.errors().join(QLatin1Char('\n'))));
        QVERIFY(script.done());
        QCOMPARE(pages, 1);
        QVERIFY2(title.contains(QStringLiteral("Zestawienie różnic inwentaryzacyjnych")), qPrintable(title));
    }
};

QTEST_MAIN(TestStocktakingReports)
#include "test_stocktakingreports.moc"
