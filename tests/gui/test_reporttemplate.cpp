#include "renderer/MemoryDataProvider.h"
#include "renderer/ReportEngine.h"
#include "renderer/ReportPreview.h"
#include "renderer/ReportTemplate.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kPage = QStringLiteral("<page size=\"A5\" orientation=\"landscape\"/>");

QString inReport(const QString& body)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<report title=\"Próba\">\n") + kPage +
           QStringLiteral("\n") + body + QStringLiteral("\n</report>\n");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

class TestReportTemplate : public QObject
{
    Q_OBJECT

private slots:
    void faultsNameTheFileAndTheFault_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fault");
        const QString band = QStringLiteral("<band type=\"title\" height=\"10\">%1</band>");
        QTest::newRow("not xml") << QStringLiteral("to nie jest szablon") << QStringLiteral("wiersz 1");
        QTest::newRow("unclosed element")
            << inReport(QStringLiteral("<band type=\"title\" height=\"10\">")) << QStringLiteral("wiersz");
        QTest::newRow("wrong root") << QStringLiteral("<raport/>") << QStringLiteral("<report>");
        QTest::newRow("empty report") << inReport(QString()) << QStringLiteral("żadnej sekcji");
        QTest::newRow("unknown element")
            << inReport(QStringLiteral("<tabela/>")) << QStringLiteral("<tabela>");
        QTest::newRow("unknown attribute")
            << inReport(band.arg(
                   QStringLiteral("<text x=\"0\" y=\"0\" width=\"9\" height=\"5\" kolor=\"red\">a</text>")))
            << QStringLiteral("„kolor”");
        QTest::newRow("bad number") << inReport(band.arg(QStringLiteral(
                                           "<text x=\"zero\" y=\"0\" width=\"9\" height=\"5\">a</text>")))
                                    << QStringLiteral("„zero”");
        QTest::newRow("missing size")
            << inReport(band.arg(QStringLiteral("<text x=\"0\" y=\"0\" width=\"9\">a</text>")))
            << QStringLiteral("„height”");
        QTest::newRow("unclosed field")
            << inReport(
                   band.arg(QStringLiteral("<text x=\"0\" y=\"0\" width=\"9\" height=\"5\">a [NAZWA</text>")))
            << QStringLiteral("niezamknięte pole");
        QTest::newRow("unknown built-in field")
            << inReport(
                   band.arg(QStringLiteral("<text x=\"0\" y=\"0\" width=\"9\" height=\"5\">[#DATA]</text>")))
            << QStringLiteral("„#DATA”");
        QTest::newRow("unknown band type")
            << inReport(QStringLiteral("<band type=\"detal\" height=\"5\"/>")) << QStringLiteral("„detal”");
        QTest::newRow("band twice") << inReport(band.arg(QString()) + band.arg(QString()))
                                    << QStringLiteral("dwa razy");
        QTest::newRow("data without row")
            << inReport(QStringLiteral("<data source=\"S\"><band type=\"header\" height=\"5\"/></data>"))
            << QStringLiteral("type=\"row\"");
        QTest::newRow("data without source")
            << inReport(QStringLiteral("<data><band type=\"row\" height=\"5\"/></data>"))
            << QStringLiteral("source");
        QTest::newRow("bad flag") << inReport(band.arg(QStringLiteral(
                                         "<text x=\"0\" y=\"0\" width=\"9\" height=\"5\" stretch=\"tak\"/>")))
                                  << QStringLiteral("„tak”");
        QTest::newRow("bad page size")
            << QStringLiteral("<report><page size=\"A9\"/></report>") << QStringLiteral("„a9”");
        QTest::newRow("margins too wide")
            << QStringLiteral("<report><page size=\"A5\" marginLeft=\"80\" marginRight=\"80\"/></report>")
            << QStringLiteral("marginesy");
        QTest::newRow("missing picture")
            << inReport(band.arg(
                   QStringLiteral("<picture x=\"0\" y=\"0\" width=\"20\" height=\"10\" file=\"logo.png\"/>")))
            << QStringLiteral("„logo.png”");
        QTest::newRow("picture that is not a picture")
            << inReport(band.arg(
                   QStringLiteral("<picture x=\"0\" y=\"0\" width=\"20\" height=\"10\" file=\"zly.jpg\"/>")))
            << QStringLiteral("„zly.jpg”");
    }
    void faultsNameTheFileAndTheFault()
    {
        QFETCH(QString, text);
        QFETCH(QString, fault);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("zly.jpg")), "not a jpeg"));
        const QString path = dir.filePath(QStringLiteral("zepsuty.frf"));
        QVERIFY(writeFile(path, text.toUtf8()));
        ReportTemplate report;
        QVERIFY(!report.load(path));
        QVERIFY2(report.errorString().contains(path), qPrintable(report.errorString()));
        QVERIFY2(report.errorString().contains(fault), qPrintable(report.errorString()));
        // Nothing of a failed template is left to print.
        QVERIFY(report.sources().isEmpty());
        QVERIFY(!report.titleBand);
        MemoryDataProvider data;
        PageModel model;
        ReportEngine engine(report, data);
        QVERIFY(!engine.run(model));
        QCOMPARE(model.pageCount(), 0);
    }

    void missingTemplateIsReportedWithoutAWindow()
    {
        const QString path = QDir::tempPath() + QStringLiteral("/brak-takiego-szablonu.frf");
        MemoryDataProvider data;
        QString error;
        QVERIFY(!ReportPreview::showReport(path, data, nullptr, &error));
        QVERIFY(error.contains(path));
        QVERIFY(error.startsWith(QStringLiteral("Nie można otworzyć szablonu raportu")));
        QVERIFY(!QApplication::activeModalWidget());
    }

    void unknownSourceStopsBeforeAnythingIsAsked()
    {
        ReportTemplate report;
        QVERIFY(report.loadText(
            inReport(QStringLiteral("<band type=\"title\" height=\"5\"><text x=\"0\" y=\"0\" width=\"9\" "
                                    "height=\"5\">[A]</text></band><data source=\"S\"><band type=\"row\" "
                                    "height=\"5\"/><data source=\"Nieznane\"><band type=\"row\" "
                                    "height=\"5\"/></data></data>"))
                .toUtf8(),
            QStringLiteral("a.frf"), QDir::tempPath()));
        QCOMPARE(report.sources(), (QStringList{QStringLiteral("S"), QStringLiteral("Nieznane")}));
        MemoryDataProvider data;
        data.addSource(QStringLiteral("S"), {QStringLiteral("A")}, {{QStringLiteral("1")}});
        data.setRecordAsked(true);
        PageModel model;
        ReportEngine engine(report, data);
        QVERIFY(!engine.run(model));
        QVERIFY(engine.errorString().contains(QStringLiteral("„Nieznane”")));
        QVERIFY(engine.errorString().contains(QStringLiteral("a.frf")));
        QVERIFY(data.askedNames().isEmpty());
        QCOMPARE(data.pagesBegun(), 0);
    }

    void picturesAndPageSetup_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("png") << QStringLiteral("logo.png") << QByteArray("PNG");
        QTest::newRow("jpeg") << QStringLiteral("logo.jpg") << QByteArray("JPEG");
    }
    void picturesAndPageSetup()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, format);
        QTemporaryDir dir;
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(QColor(200, 30, 30));
        QVERIFY(image.save(dir.filePath(file), format.constData()));
        const QString path = dir.filePath(QStringLiteral("obrazek.frf"));
        QVERIFY(writeFile(
            path, inReport(QStringLiteral("<band type=\"title\" height=\"30\"><picture x=\"5\" y=\"2\" "
                                          "width=\"40\" height=\"40\" file=\"%1\"/></band>")
                               .arg(file))
                      .toUtf8()));
        ReportTemplate report;
        QVERIFY2(report.load(path), qPrintable(report.errorString()));
        QCOMPARE(report.title, QStringLiteral("Próba"));
        MemoryDataProvider data;
        PageModel model;
        ReportEngine engine(report, data);
        QVERIFY(engine.run(model));
        // A5 turned to landscape, default margins.
        QCOMPARE(qRound(model.paperSize.width()), 210);
        QCOMPARE(qRound(model.paperSize.height()), 148);
        QCOMPARE(model.pageCount(), 1);
        const PageItem& picture = model.pages.at(0).items.at(0);
        QCOMPARE(picture.kind, PageItem::Kind::Picture);
        QCOMPARE(model.pages.at(0).imageOf(picture).size(), QSize(200, 100));
        // Kept in proportion inside its box, the band stays as high as declared.
        QCOMPARE(picture.rect, QRectF(15 + 5, 10 + 2, 40, 20));
    }
};

QTEST_MAIN(TestReportTemplate)
#include "test_reporttemplate.moc"
