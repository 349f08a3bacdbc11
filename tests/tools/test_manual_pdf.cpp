// The manual builder: numbering, the checks of the sources, the contents
// pages against the pages the headings land on, and the two manuals the
// build placed beside the program where "Pomoc" and the guides open them.
#include "ManualPdf.h"
#include "ManualSource.h"
#include "base/GuideDialog.h"
#include "base/TinfoDBProblem.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Text of one page (or of the whole file with page 0), through poppler.
QString pdfText(const QString& pdf, int page = 0)
{
    QStringList args{QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
             << QString::number(page);
    args << pdf << QStringLiteral("-");
    QProcess process;
    process.start(QStringLiteral("pdftotext"), args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPages(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return -1;
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    const auto match =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// Words flow differently in extracted text: compare with single spaces.
QString simplified(const QString& text)
{
    return text.simplified();
}

QString filler(int sentences)
{
    QStringList out;
    for (int i = 0; i < sentences; ++i)
        out << QStringLiteral("Zdanie %1 opisuje pole „Nr inwentarzowy” w oknie komputera i jego znaczenie.")
                   .arg(i);
    return out.join(QLatin1Char(' '));
}

QList<QPair<QString, QString>> chaptersOf(const QString& folder)
{
    QList<QPair<QString, QString>> chapters;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.md")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            chapters.append({name, QString::fromUtf8(file.readAll())});
    }
    return chapters;
}
} // namespace

class TestManualPdf : public QObject
{
    Q_OBJECT

private slots:
    void numbersHeadingsAndFigures()
    {
        const ManualSource source = ManualSources::assemble({
            {QStringLiteral("01.md"),
             QStringLiteral(
                 "# Wstęp\n\nTekst \\<brak bazy\\>, `<id>_` i **<<**.\n\n## Pierwsza\n\n### Drobna\n\n"
                 "![„Baza danych”](obrazy/TfWskazBaze.png)\n\n## Druga\n")},
            {QStringLiteral("02.md"), QStringLiteral("# Komputery\r\n\r\n```\n# to nie nagłówek\n```\n\n"
                                                     "## Lista\n\n![„Komputer”](obrazy/TfKomputery.png)\n")},
        });
        QVERIFY2(source.errors.isEmpty(), qPrintable(source.errors.join(QLatin1Char('\n'))));
        QStringList numbered;
        for (const ManualHeading& h : source.headings)
            numbered << h.number + QLatin1Char(' ') + h.title;
        QCOMPARE(numbered, QStringList({QStringLiteral("1. Wstęp"), QStringLiteral("1.1. Pierwsza"),
                                        QStringLiteral("1.1.1. Drobna"), QStringLiteral("1.2. Druga"),
                                        QStringLiteral("2. Komputery"), QStringLiteral("2.1. Lista")}));
        QCOMPARE(source.headings.at(5).chapter, 2);
        // Figures count per chapter; the caption line follows the picture.
        QCOMPARE(source.figures.size(), 2);
        QCOMPARE(ManualSources::figureCaption(source.figures.at(0)),
                 QStringLiteral("Rys. 1.1. „Baza danych”"));
        QCOMPARE(ManualSources::figureCaption(source.figures.at(1)), QStringLiteral("Rys. 2.1. „Komputer”"));
        QVERIFY(source.markdown.contains(QStringLiteral("## 2.1. Lista")));
        QVERIFY(source.markdown.contains(QStringLiteral("*Rys. 2.1. „Komputer”*")));
        QVERIFY(source.markdown.contains(QStringLiteral("# to nie nagłówek")));
        QVERIFY(!source.markdown.contains(QLatin1Char('\r')));
    }

    void refusesBrokenSources_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("where");
        QTest::newRow("no chapter heading")
            << QStringLiteral("Tekst.\n\n## Sekcja\n") << QStringLiteral("r.md:3:");
        QTest::newRow("two chapters") << QStringLiteral("# A\n\n# B\n") << QStringLiteral("r.md:3:");
        QTest::newRow("fourth level") << QStringLiteral("# A\n\n#### B\n") << QStringLiteral("r.md:3:");
        QTest::newRow("picture inside a sentence")
            << QStringLiteral("# A\n\nZobacz ![„X”](obrazy/X.png) tutaj.\n") << QStringLiteral("r.md:3:");
        QTest::newRow("picture without caption")
            << QStringLiteral("# A\n\n![](obrazy/X.png)\n") << QStringLiteral("r.md:3:");
        QTest::newRow("text taken for markup")
            << QStringLiteral("# A\n\nW polu jest <brak bazy> i `<id>_` w kodzie.\n")
            << QStringLiteral("r.md:3:");
        QTest::newRow("blank in a picture's path")
            << QStringLiteral("# A\n\n![„X”](obrazy/Tf X.png)\n") << QStringLiteral("r.md:3:");
        QTest::newRow("open code block") << QStringLiteral("# A\n\n```\nkod\n") << QStringLiteral("r.md:");
    }

    void refusesBrokenSources()
    {
        QFETCH(QString, text);
        QFETCH(QString, where);
        const ManualSource source = ManualSources::assemble({{QStringLiteral("r.md"), text}});
        QVERIFY(!source.errors.isEmpty());
        QVERIFY2(source.errors.first().startsWith(where), qPrintable(source.errors.first()));
        // A manual with faults in its sources is not written at all.
        QTemporaryDir dir;
        ManualPdf pdf;
        QVERIFY(!pdf.write(source, {QStringLiteral("T"), {}, {}, {}, {}, dir.path()}, dir.filePath("m.pdf")));
        QVERIFY(!QFile::exists(dir.filePath("m.pdf")));
    }

    // Every entry of the contents names the page its heading is printed on,
    // chapters start on new pages and the foot counts all pages.
    void contentsPointAtTheirPages()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("obrazy")));
        QImage window(900, 640, QImage::Format_RGB32);
        window.fill(Qt::gray);
        QVERIFY(window.save(dir.filePath(QStringLiteral("obrazy/okno.png"))));
        QList<QPair<QString, QString>> chapters;
        for (int c = 1; c <= 3; ++c) {
            QString text = QStringLiteral("# Rozdział próbny %1\n\n%2\n\n").arg(c).arg(filler(6));
            for (int s = 1; s <= 4; ++s) {
                text += QStringLiteral("## Sekcja %1 w rozdziale %2\n\n%3\n\n")
                            .arg(s)
                            .arg(c)
                            .arg(filler(25 + 9 * s));
                if (s == 2)
                    text += QStringLiteral("![„Okno próbne %1”](obrazy/okno.png)\n\n| Pole | Znaczenie |\n"
                                           "|---|---|\n| Nazwa | nazwa pozycji |\n\n")
                                .arg(c);
            }
            chapters.append({QStringLiteral("0%1.md").arg(c), text});
        }
        const ManualSource source = ManualSources::assemble(chapters);
        QVERIFY(source.errors.isEmpty());
        ManualPdf pdf;
        const QString file = dir.filePath(QStringLiteral("próba.pdf"));
        QVERIFY2(pdf.write(source,
                           {QStringLiteral("Instrukcja próbna"),
                            QStringLiteral("Podtytuł"),
                            QStringLiteral("Nagłówek"),
                            QStringLiteral("Wersja 1"),
                            {},
                            dir.path()},
                           file),
                 qPrintable(pdf.errorString()));
        QCOMPARE(pdfPages(file), pdf.pageCount());
        QVERIFY(pdf.pageCount() > 8);
        QCOMPARE(pdf.contents().size(), 15);
        int previous = 0;
        for (const ManualPage& entry : pdf.contents()) {
            QVERIFY(entry.page >= previous);
            previous = entry.page;
            const QString page = simplified(pdfText(file, entry.page));
            const qsizetype at = page.indexOf(entry.heading);
            QVERIFY2(at >= 0, qPrintable(entry.heading + QStringLiteral(" not on page ") +
                                         QString::number(entry.page)));
            // A heading never closes a page: its text follows it there.
            QString after = page.mid(at + entry.heading.size());
            after.remove(QRegularExpression(QStringLiteral("Strona \\d+ z \\d+")));
            QVERIFY2(after.trimmed().size() > 40,
                     qPrintable(entry.heading + QStringLiteral(" ends its page")));
        }
        // The running head of a section's page names its chapter.
        for (const ManualPage& entry : pdf.contents()) {
            const QString chapter = entry.heading.section(QLatin1Char('.'), 0, 0);
            QVERIFY2(simplified(pdfText(file, entry.page))
                         .contains(QStringLiteral("Nagłówek %1. Rozdział próbny %1").arg(chapter)),
                     qPrintable(entry.heading));
        }
        // A chapter opens its page: nothing of the previous chapter above it.
        const QString second = simplified(pdfText(file, pdf.contents().at(5).page));
        QCOMPARE(pdf.contents().at(5).heading, QStringLiteral("2. Rozdział próbny 2"));
        QVERIFY(!second.contains(QStringLiteral("Sekcja 4 w rozdziale 1")));
        QVERIFY(simplified(pdfText(file, 2)).contains(QStringLiteral("Spis treści")));
        QVERIFY(simplified(pdfText(file, pdf.pageCount()))
                    .contains(QStringLiteral("Strona %1 z %1").arg(pdf.pageCount())));
        QVERIFY(simplified(pdfText(file)).contains(QStringLiteral("Rys. 3.1. „Okno próbne 3”")));
    }

    void missingPictureWritesNothing()
    {
        QTemporaryDir dir;
        const ManualSource source = ManualSources::assemble(
            {{QStringLiteral("01.md"), QStringLiteral("# A\n\n![„Brak”](obrazy/brak.png)\n")}});
        ManualPdf pdf;
        QVERIFY(!pdf.write(source, {QStringLiteral("T"), {}, {}, {}, {}, dir.path()}, dir.filePath("m.pdf")));
        QVERIFY(pdf.errorString().contains(QStringLiteral("obrazy/brak.png")));
        QVERIFY(!QFile::exists(dir.filePath("m.pdf")));
    }

    // The manuals the build made, where the program opens them.
    void builtManualsOpenWhereTheProgramLooks_data()
    {
        QTest::addColumn<QString>("pdf");
        QTest::addColumn<QString>("sources");
        QTest::newRow("manual") << GuideDialog::manualUrl().toLocalFile()
                                << QStringLiteral(SPRZETNIK_SOURCE_DIR "/dokumentacja/zrodla/instrukcja");
        QTest::newRow("rights guide")
            << TinfoDBProblem::manualUrl().toLocalFile()
            << QStringLiteral(SPRZETNIK_SOURCE_DIR "/dokumentacja/zrodla/konfiguracja-uprawnien");
    }

    void builtManualsOpenWhereTheProgramLooks()
    {
        QFETCH(QString, pdf);
        QFETCH(QString, sources);
        QVERIFY2(QFile::exists(pdf), qPrintable(pdf));
        QVERIFY(pdfPages(pdf) > 0);
        const ManualSource source = ManualSources::assemble(chaptersOf(sources));
        QVERIFY(source.errors.isEmpty());
        QVERIFY(!source.headings.isEmpty());
        const QString text = simplified(pdfText(pdf));
        for (const ManualHeading& heading : source.headings)
            if (heading.level == 1)
                QVERIFY2(text.contains(heading.number + QLatin1Char(' ') + simplified(heading.title)),
                         qPrintable(heading.title));
    }
};

QTEST_MAIN(TestManualPdf)
#include "test_manual_pdf.moc"
