#include "LargeDatabase.h"
#include "SampleReport.h"
#include "TestDatabase.h"
#include "TestServer.h"
#include "TestSupport.h"
#include "WholePrint.h"

#include "base/AppPaths.h"
#include "base/Config.h"
#include "base/Dialogs.h"
#include "renderer/PdfOutput.h"
#include "reports/RaportyTab.h"
#include "reports/TDMRaporty.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// Every report prints whole: no text cut or lost, none on top of another,
// numbers on one line in their columns; on the sample database and on a
// generated one of 10,000 computers (bench/check_reports does 100,000).
class TestReportWhole : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;

    // Words of a PDF that end in "…" or lie over another word, by pdftotext -bbox.
    static QStringList wordFaults(const QString& pdf)
    {
        QProcess process;
        process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            return {QStringLiteral("%1: pdftotext zawiódł").arg(pdf)};
        static const QRegularExpression page(QStringLiteral("<page "));
        static const QRegularExpression word(QStringLiteral(
            "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">(.*)</word>"));
        QStringList faults;
        QList<QPair<QRectF, QString>> words;
        int pageNumber = 0;
        bool seenWords = false;
        auto checkPage = [&] {
            std::sort(words.begin(), words.end(),
                      [](const auto& a, const auto& b) { return a.first.top() < b.first.top(); });
            for (qsizetype i = 0; i < words.size(); ++i) {
                // Lines of one font touch; a third of the height over another word is a fault.
                const QRectF& a = words.at(i).first;
                for (qsizetype j = i + 1; j < words.size() && words.at(j).first.top() < a.bottom(); ++j) {
                    const QRectF both = a.intersected(words.at(j).first);
                    if (both.width() > 0.5 && both.height() > a.height() / 3)
                        faults << QStringLiteral("%1, strona %2: „%3” na „%4”")
                                      .arg(QFileInfo(pdf).fileName())
                                      .arg(pageNumber)
                                      .arg(words.at(i).second, words.at(j).second);
                }
            }
            words.clear();
        };
        for (const QString& line :
             QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'))) {
            if (page.match(line).hasMatch()) {
                checkPage();
                ++pageNumber;
                continue;
            }
            const QRegularExpressionMatch m = word.match(line);
            if (!m.hasMatch())
                continue;
            const QString text = m.captured(5);
            seenWords = true;
            if (text.endsWith(QChar(0x2026)))
                faults << QStringLiteral("%1, strona %2: ucięte „%3”")
                              .arg(QFileInfo(pdf).fileName())
                              .arg(pageNumber)
                              .arg(text);
            words.append({QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                 QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                          text});
        }
        checkPage();
        if (pageNumber == 0 || !seenWords)
            faults << QStringLiteral("%1: brak tekstu").arg(QFileInfo(pdf).fileName());
        return faults;
    }

    static QStringList catalogueTemplates()
    {
        QStringList files = QDir(RaportyTab::templatePath(QString())).entryList({QStringLiteral("*.frf")});
        // The sample and the record print-out are not run by a statement of the view.
        files.removeAll(QStringLiteral("przyklad.frf"));
        files.removeAll(QStringLiteral("drukuj_pozycje.frf"));
        // The stocktaking documents print from their own window (test_stocktakingreports).
        files.removeAll(QStringLiteral("arkusz_spisu.frf"));
        files.removeAll(QStringLiteral("roznice_spisu.frf"));
        files << QStringLiteral("terminy_adv.frf");
        return files;
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        Dialogs::startScript();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        m_config.reset();
    }

    void numbersFitTheirColumns()
    {
        QStringList paths;
        const QDir folder(RaportyTab::templatePath(QString()));
        for (const QString& file : folder.entryList({QStringLiteral("*.frf")}))
            paths << folder.filePath(file);
        paths << QDir(AppPaths::programDir()).filePath(QStringLiteral("dormak/terminy_adv.frf"));
        QVERIFY(paths.size() >= 30);
        QStringList faults;
        for (const QString& path : paths) {
            ReportTemplate report;
            QVERIFY2(report.load(path), qPrintable(report.errorString()));
            for (const QString& fault : WholePrint::numbersThatDoNotFit(report))
                faults << QFileInfo(path).fileName() + QStringLiteral(", wiersz ") + fault;
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void everyStatementPrintsWhole_data()
    {
        QTest::addColumn<int>("rows"); // 0: the sample database
        QTest::newRow("sample database") << 0;
        QTest::newRow("10000 computers and the rest in proportion") << 10000;
    }
    void everyStatementPrintsWhole()
    {
        QFETCH(int, rows);
        std::unique_ptr<TestDatabase> sample;
        QTemporaryDir generated;
        TmyDataBase db;
        if (rows == 0) {
            sample = std::make_unique<TestDatabase>(true);
            QVERIFY(sample->connect(db));
        } else {
            if (TestServer::backendIsServer())
                QSKIP("the generated large database is a file");
            makeLargeDatabase(generated.path(), QStringLiteral("duza"), everyRegister(rows));
            QVERIFY(db.connectTo(generated.path(), QStringLiteral("duza")));
        }
        QStringList seen;
        int pages = 0;
        const QStringList faults = WholePrint::printEverything(db, &seen, &pages);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        // Every template of the view was printed.
        for (const QString& file : catalogueTemplates())
            QVERIFY2(seen.contains(file), qPrintable(file));
        QVERIFY(pages > (rows == 0 ? 29 : 1000));
    }

    // "Umieszczaj na raportach dane firmy": the own company's name and
    // address on every report, or on none.
    void companyDataOnEveryReportOrOnNone()
    {
        TestDatabase sample(true);
        TmyDataBase db;
        QVERIFY(sample.connect(db));
        for (const bool on : {true, false}) {
            Config::global().set(QStringLiteral("cbRapFirma"), on);
            QStringList seen, without, with;
            int pages = 0;
            WholePrint::printEverything(
                db, &seen, &pages, [&](const QString& file, const WholePrint::PageCheck& check) {
                    const bool shown =
                        check.text.contains(QStringLiteral("Wega Serwis Sp. z o.o.")) &&
                        check.text.contains(QStringLiteral("ul. Głogowska 112, 60-104 Poznań"));
                    (shown ? with : without) << file;
                });
            QVERIFY(seen.size() >= 29);
            if (on)
                QVERIFY2(without.isEmpty(), qPrintable(without.join(QLatin1Char(' '))));
            else
                QVERIFY2(with.isEmpty(), qPrintable(with.join(QLatin1Char(' '))));
        }
    }

    void protocolTextsFlowOverAsManyPagesAsTheyNeed()
    {
        TestDatabase sample(true);
        TmyDataBase db;
        QVERIFY(sample.connect(db));
        TDMRaporty reports(db);
        RaportyTab tab(db, reports);
        tab.loadProtocolTexts();
        tab.viewEntered();
        QStringList body, footer;
        for (int i = 1; i <= 150; ++i)
            body << QStringLiteral("Punkt %1: wyposażenie przekazano wraz z dokumentacją i kluczami.").arg(i);
        for (int i = 1; i <= 40; ++i)
            footer << QStringLiteral("Uwaga %1 do protokołu").arg(i);
        tab.findChild<QLineEdit*>(QStringLiteral("DPNrEwid"))->setText(QStringLiteral("KOMP/001"));
        tab.findChild<QPlainTextEdit*>(QStringLiteral("DPInfoDodDodatkowe"))->setPlainText(body.join('\n'));
        tab.findChild<QPlainTextEdit*>(QStringLiteral("DPStopka"))->setPlainText(footer.join('\n'));
        WholePrint::PageCheck check(QStringLiteral("dp.frf"));
        check.keepText = true;
        tab.setRunner(
            [&](const QString& path, TDMRaporty& data) { return WholePrint::layOut(path, data, check); });
        QVERIFY(tab.run(QStringLiteral("DPDrukuj")));
        QVERIFY2(check.faults.isEmpty(), qPrintable(check.faults.join(QLatin1Char('\n'))));
        QVERIFY(check.pages >= 3);
        // Every line of the body, then the item's data, then every line of the footer, in order.
        auto squeeze = [](QString s) { return s.remove(QRegularExpression(QStringLiteral("\\s"))); };
        const QString printed = squeeze(check.text);
        QStringList expected = body;
        expected << QStringLiteral("Serwer plików") << footer << QStringLiteral("Przyjął na stan");
        qsizetype at = 0;
        for (const QString& line : std::as_const(expected)) {
            at = printed.indexOf(squeeze(line), at);
            QVERIFY2(at >= 0, qPrintable(line));
        }
    }

    void recordPrintoutAndSamplePrintWhole()
    {
        TestDatabase sample(true);
        TmyDataBase db;
        QVERIFY(sample.connect(db));
        TDMRaporty reports(db);
        QVERIFY(reports.setReport(QStringLiteral("frDrukujPozycje")));
        QStringList lines;
        for (int i = 0; i < 200; ++i)
            lines << QStringLiteral("Pole %1: wartość bardzo długa ").arg(i).repeated(3);
        reports.setPrintout(QStringLiteral("Komputer o bardzo długiej nazwie ").repeated(4),
                            lines.join('\r'));
        WholePrint::PageCheck printout(QStringLiteral("drukuj_pozycje.frf"));
        QVERIFY(WholePrint::layOut(RaportyTab::templatePath(QStringLiteral("drukuj_pozycje.frf")), reports,
                                   printout));
        QVERIFY2(printout.faults.isEmpty(), qPrintable(printout.faults.join(QLatin1Char('\n'))));
        QVERIFY(printout.pages >= 2);

        MemoryDataProvider data;
        SampleReport::fill(data, {40, 3, 75, 1});
        WholePrint::PageCheck example(QStringLiteral("przyklad.frf"));
        QVERIFY(WholePrint::layOut(SampleReport::templatePath(), data, example));
        QVERIFY2(example.faults.isEmpty(), qPrintable(example.faults.join(QLatin1Char('\n'))));
    }

    // The same in the PDF files themselves, as poppler reads them: no word
    // cut with "…", no two words on top of each other.
    void everyPdfReadsWhole()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        TestDatabase sample(true);
        TmyDataBase db;
        QVERIFY(sample.connect(db));
        TDMRaporty reports(db);
        RaportyTab tab(db, reports);
        tab.loadProtocolTexts();
        tab.viewEntered();
        for (const char* field : {"DPNrEwid", "DWNrEwid", "PLNrEwid"})
            tab.findChild<QLineEdit*>(QLatin1String(field))->setText(QStringLiteral("KOMP/001"));
        QTemporaryDir dir;
        QStringList faults;
        int files = 0;
        tab.setRunner([&](const QString& path, TDMRaporty& data) {
            ReportTemplate report;
            if (!report.load(path))
                return false;
            const QString pdf = dir.filePath(QFileInfo(path).completeBaseName() + QStringLiteral(".pdf"));
            PdfOutput out(pdf);
            if (!ReportEngine(report, data).run(out) || !out.finish())
                return false;
            ++files;
            faults << wordFaults(pdf);
            return true;
        });
        for (const QString& button : WholePrint::statementButtons())
            QVERIFY2(tab.run(button), qPrintable(button));
        QCOMPARE(files, int(WholePrint::statementButtons().size()));
        QVERIFY2(faults.isEmpty(), qPrintable(faults.mid(0, 20).join(QLatin1Char('\n'))));
    }

    // The check itself finds what it is there for.
    void theCheckSeesCutAndOverlappingTexts()
    {
        auto page = [](std::initializer_list<std::pair<QRectF, QString>> texts) {
            Page p;
            for (const auto& [rect, text] : texts) {
                PageItem item;
                item.rect = rect;
                item.text = text;
                item.width = rect.width() / 2;
                p.items.append(item);
            }
            return p;
        };
        WholePrint::PageCheck check;
        check.start({QString(), QPageSize(QPageSize::A4), false, QSizeF(210, 297)});
        check.addPage(page({{QRectF(10, 10, 50, 4), QStringLiteral("a")},
                            {QRectF(60, 10, 50, 4), QStringLiteral("b")},
                            {QRectF(10, 14, 50, 4), QStringLiteral("c")}}));
        QVERIFY(check.faults.isEmpty());
        check.addPage(page({{QRectF(10, 10, 50, 4), QStringLiteral("Razem: 25104.…")}}));
        check.addPage(page(
            {{QRectF(10, 10, 50, 4), QStringLiteral("a")}, {QRectF(40, 12, 50, 4), QStringLiteral("b")}}));
        QCOMPARE(check.faults.size(), 2);
        QVERIFY(check.faults.at(0).contains(QStringLiteral("strona 2")));
        QVERIFY(check.faults.at(1).contains(QStringLiteral("zachodzą")));
    }
};

QTEST_MAIN(TestReportWhole)
#include "test_reportwhole.moc"
