#include "SampleReport.h"

#include "renderer/PagePainter.h"
#include "renderer/ReportEngine.h"
#include "renderer/ReportTemplate.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}
} // namespace

class TestReportPdf : public QObject
{
    Q_OBJECT

private:
    PageModel m_model;

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        ReportTemplate report;
        QVERIFY2(report.load(SampleReport::templatePath()), qPrintable(report.errorString()));
        MemoryDataProvider data;
        SampleReport::fill(data, {30, 50, 20});
        ReportEngine engine(report, data);
        QVERIFY(engine.run(m_model));
        QVERIFY(m_model.pageCount() >= 3);
    }

    void pdfHoldsCopyablePolishTextWithEmbeddedFonts()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("raport.pdf"));
        QString error;
        QVERIFY2(PagePainter::writePdf(m_model, path, &error), qPrintable(error));
        const QString text =
            run(QStringLiteral("pdftotext"),
                {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
        QCOMPARE(text.count(QLatin1Char('\f')), m_model.pageCount());
        QVERIFY(text.contains(QStringLiteral("Wyposażenie wg lokalizacji")));
        QVERIFY(text.contains(SampleReport::kCompany));
        QVERIFY(text.contains(QStringLiteral("Pokój 2 – piętro ł")));
        QVERIFY(text.contains(QStringLiteral("Zaakceptował")));
        QVERIFY(text.contains(QStringLiteral("Strona 2 z %1").arg(m_model.pageCount())));

        const QString fonts = run(QStringLiteral("pdffonts"), {path});
        if (!fonts.isEmpty()) {
            QVERIFY(fonts.contains(QStringLiteral("DejaVuSans")));
            // Columns: name type encoding emb sub uni object ID.
            const QStringList rows = fonts.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
            QVERIFY(!rows.isEmpty());
            for (const QString& row : rows) {
                const QStringList columns = row.split(QLatin1Char(' '), Qt::SkipEmptyParts);
                QVERIFY2(columns.size() >= 6 && columns.at(columns.size() - 5) == QLatin1String("yes"),
                         qPrintable(row));
            }
        }
    }

    void unwritablePathIsReportedAndLeavesNoFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("brak/katalogu/raport.pdf"));
        QString error;
        QVERIFY(!PagePainter::writePdf(m_model, path, &error));
        QVERIFY(error.contains(path));
        QVERIFY(!QFile::exists(path));
    }

    void printerGetsTheChosenPages()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("wydruk.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        PagePainter::setUpPrinter(m_model, printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 3);
        QString error;
        QVERIFY2(PagePainter::print(m_model, printer, &error), qPrintable(error));
        const QString text =
            run(QStringLiteral("pdftotext"),
                {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
        QCOMPARE(text.count(QLatin1Char('\f')), 2);
        QVERIFY(text.contains(QStringLiteral("Strona 2 z %1").arg(m_model.pageCount())));
        QVERIFY(text.contains(QStringLiteral("Strona 3 z %1").arg(m_model.pageCount())));
        QVERIFY(!text.contains(QStringLiteral("Strona 1 z")));
    }
};

QTEST_MAIN(TestReportPdf)
#include "test_reportpdf.moc"
