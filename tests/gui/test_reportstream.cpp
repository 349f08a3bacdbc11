#include "SampleReport.h"

#include "renderer/PagePainter.h"
#include "renderer/PageSpool.h"
#include "renderer/PdfOutput.h"
#include "renderer/ReportEngine.h"
#include "renderer/ReportTemplate.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Takes pages until it has `limit` of them, then asks the report to stop.
class StopAfter : public PageSink
{
public:
    explicit StopAfter(int limit) : m_limit(limit) {}
    bool start(const PageFormat&) override { return true; }
    bool addPage(Page&&) override { return ++pages < m_limit; }
    int pages = 0;

private:
    int m_limit;
};
} // namespace

// Reports leave the layout page by page: into the preview's spool, straight
// into a PDF file, or nowhere when the user stops them.
class TestReportStream : public QObject
{
    Q_OBJECT

private:
    ReportTemplate m_sample;
    bool m_pdftotext = false;

private slots:
    void initTestCase()
    {
        QVERIFY2(m_sample.load(SampleReport::templatePath()), qPrintable(m_sample.errorString()));
        m_pdftotext = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
    }

    void spoolGivesBackEveryPageAsLaidOut()
    {
        MemoryDataProvider a, b;
        SampleReport::fill(a, {900, 3, 1200});
        SampleReport::fill(b, {900, 3, 1200});
        PageModel model;
        QVERIFY(ReportEngine(m_sample, a).run(model));
        PageSpool spool;
        QVERIFY(ReportEngine(m_sample, b).run(spool));
        QCOMPARE(spool.pageCount(), model.pageCount());
        QVERIFY(spool.pageCount() > 40);
        QCOMPARE(spool.format().paperSize, model.paperSize);
        QCOMPARE(spool.format().title, model.title);
        // From the last page back to the first: most are read from the file again.
        for (int p = spool.pageCount() - 1; p >= 0; --p) {
            const Page read = spool.page(p);
            const Page& laid = model.pages.at(p);
            QCOMPARE(read.items.size(), laid.items.size());
            QVERIFY(read.resources);
            for (qsizetype i = 0; i < laid.items.size(); ++i) {
                const PageItem& x = read.items.at(i);
                const PageItem& y = laid.items.at(i);
                QCOMPARE(x.kind, y.kind);
                QCOMPARE(x.text, y.text);
                QCOMPARE(x.font, y.font);
                QCOMPARE(x.align, y.align);
                QCOMPARE(x.color, y.color);
                QCOMPARE(x.fill.isValid(), y.fill.isValid());
                QVERIFY(qAbs(x.rect.top() - y.rect.top()) < 0.001 &&
                        qAbs(x.rect.left() - y.rect.left()) < 0.001);
                QVERIFY(qAbs(x.rect.width() - y.rect.width()) < 0.001);
                QVERIFY(qAbs(x.p2.y() - y.p2.y()) < 0.001 && qAbs(x.width - y.width) < 0.001);
            }
        }
        QVERIFY(spool.page(spool.pageCount()).items.isEmpty());
    }

    void pagesGoStraightIntoAPdf()
    {
        if (!m_pdftotext)
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir dir;
        MemoryDataProvider a, b;
        SampleReport::fill(a, {60, 90});
        SampleReport::fill(b, {60, 90});
        PageModel model;
        QVERIFY(ReportEngine(m_sample, a).run(model));
        QVERIFY(PagePainter::writePdf(model, dir.filePath(QStringLiteral("model.pdf")), nullptr));
        // The sample prints "Strona n z m": the streamed run counts its pages first.
        PdfOutput out(dir.filePath(QStringLiteral("stream.pdf")));
        QVERIFY(ReportEngine(m_sample, b).run(out));
        QVERIFY(out.finish());
        QCOMPARE(out.pageCount(), model.pageCount());
        const QString streamed = pdfText(dir.filePath(QStringLiteral("stream.pdf")));
        QCOMPARE(streamed, pdfText(dir.filePath(QStringLiteral("model.pdf"))));
        QVERIFY(streamed.contains(QStringLiteral("Strona 2 z %1").arg(model.pageCount())));
    }

    void noLigaturesInThePdf()
    {
        if (!m_pdftotext)
            QSKIP("pdftotext (poppler-utils) is not installed");
        ReportTemplate report;
        QVERIFY(
            report.loadText("<report><band type=\"title\" height=\"30\"><text x=\"0\" y=\"0\" width=\"150\" "
                            "height=\"6\">Klasyfikacja firmy</text><text x=\"0\" y=\"8\" width=\"150\" "
                            "height=\"6\" bold=\"true\">efficient fluffy official</text><text x=\"0\" "
                            "y=\"16\" width=\"150\" height=\"6\" font=\"DejaVu Sans Condensed\">Certyfikat "
                            "filii</text></band></report>",
                            QStringLiteral("fi.frf"), QString()));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("fi.pdf"));
        MemoryDataProvider data;
        PdfOutput out(path);
        QVERIFY(ReportEngine(report, data).run(out));
        QVERIFY(out.finish());
        const QString text = pdfText(path);
        for (const char* word :
             {"Klasyfikacja", "firmy", "efficient", "fluffy", "official", "Certyfikat", "filii"})
            QVERIFY2(text.contains(QLatin1String(word)), qPrintable(text));
        for (char16_t ligature = 0xFB00; ligature <= 0xFB06; ++ligature)
            QVERIFY(!text.contains(QChar(ligature)));
    }

    void aStoppedReportWritesNothingMore()
    {
        MemoryDataProvider data;
        SampleReport::fill(data, {3000});
        data.setRecordAsked(true);
        StopAfter sink(3);
        ReportTemplate report;
        // Without [#PAGES], so the layout runs once.
        QVERIFY(report.loadText(
            "<report><data source=\"frUserDataset10\"><band type=\"row\" height=\"5\"/>"
            "<data source=\"frUserDatasetKomp\"><band type=\"row\" height=\"5\"><text x=\"0\" "
            "y=\"0\" width=\"50\" height=\"5\">[NREWID]</text></band></data></data></report>",
            QStringLiteral("lista.frf"), QString()));
        ReportEngine engine(report, data);
        QVERIFY(!engine.run(sink));
        QVERIFY(engine.cancelled());
        QVERIFY(engine.errorString().isEmpty());
        QCOMPARE(sink.pages, 3);
        QCOMPARE(data.pagesBegun(), 3);
        QVERIFY(data.askedNames().count(QStringLiteral("NREWID")) < 200);
    }

    void aStoppedSaveLeavesNoFile()
    {
        MemoryDataProvider data;
        SampleReport::fill(data, {400});
        PageModel model;
        QVERIFY(ReportEngine(m_sample, data).run(model));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("przerwany.pdf"));
        QString error;
        int seen = 0;
        QVERIFY(!PagePainter::writePdf(model, path, &error, [&](int done, int total) {
            seen = done;
            return done < total / 2;
        }));
        QVERIFY(error.isEmpty());
        QCOMPARE(seen, model.pageCount() / 2);
        QVERIFY(!QFile::exists(path));
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }
};

QTEST_MAIN(TestReportStream)
#include "test_reportstream.moc"
