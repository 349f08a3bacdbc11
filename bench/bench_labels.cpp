// Asset labels against their floor, timed in pairs in one process:
//   bench_labels [rows...]   (default 100000)
// "open": what "Podgląd" does before the preview shows: the rows checked for
// the chosen code, the label pages set up and the first page made and painted
// at screen size; the floor is the rows copied and one page of plain text
// boxes painted. "page": one full sheet of labels made and painted at print
// resolution against the same number of text boxes with the same texts.
#include "LargeDatabase.h"
#include "PairedTiming.h"

#include "registers/TfMain.h"
#include "renderer/PagePainter.h"
#include "renderer/ReportPreview.h"
#include "reports/LabelCommands.h"
#include "reports/LabelSheet.h"
#include "store/TmyDataBase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

namespace {
QList<LabelRow> makeRows(int count)
{
    QList<LabelRow> rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i)
        rows.append({QStringLiteral("KOMP/%1").arg(i, 6, 10, QLatin1Char('0')),
                     QStringLiteral("Zestaw komputerowy stanowiska księgowości nr %1").arg(i)});
    return rows;
}

// The floor's page: each label's texts as plain boxes, nothing encoded.
Page textPage(const QList<LabelRow>& rows, const LabelLayout& layout, int page)
{
    static const auto resources = [] {
        auto r = std::make_shared<PageResources>();
        r->fonts = {QFont(QStringLiteral("DejaVu Sans"), 8)};
        return r;
    }();
    Page p;
    p.resources = resources;
    const int first = layout.firstIndexOn(page, 1);
    for (int i = first; i < first + layout.countOn(page, int(rows.size()), 1); ++i) {
        const QRectF r = layout.place(i, 1).rect;
        for (const QString& text : {rows.at(i).number, rows.at(i).name}) {
            PageItem item;
            item.rect =
                QRectF(r.left() + 2, r.top() + 2 + (text == rows.at(i).name ? 4 : 0), r.width() - 4, 4);
            item.text = text;
            p.items.append(item);
        }
    }
    return p;
}

void paintOn(QImage& image, const Page& page, double pxPerMm)
{
    image.fill(Qt::white);
    QPainter painter(&image);
    PagePainter::paint(painter, page, pxPerMm);
}

void run(int count)
{
    const QList<LabelRow> rows = makeRows(count);
    const LabelLayout& layout = LabelLayout::of(LabelLayout::A4_3x8);
    const double screen = 96 / 25.4, print = 300 / 25.4;
    QImage screenPage(int(210 * screen), int(297 * screen), QImage::Format_RGB32);
    QImage printPage(int(210 * print), int(297 * print), QImage::Format_RGB32);

    for (const auto symbology : {BarcodeImage::Symbology::Code128, BarcodeImage::Symbology::Qr}) {
        const QString code =
            symbology == BarcodeImage::Symbology::Qr ? QStringLiteral("QR") : QStringLiteral("C128");
        const PairedFigures open = timePairs(
            7,
            [&] {
                QList<LabelRow> copy = rows;
                copy.detach();
                paintOn(screenPage, textPage(copy, layout, 0), screen);
            },
            [&] {
                QList<LabelRow> copy = rows;
                copy.detach();
                if (!LabelSheet::refusal(copy, symbology).isEmpty())
                    std::abort();
                LabelSheet sheet(std::move(copy), QStringLiteral("Nasza firma Sp. z o.o."), layout,
                                 symbology);
                paintOn(screenPage, sheet.page(0), screen);
            });
        printPairs(QStringLiteral("labels open %1").arg(code), count, open);

        LabelSheet sheet(rows, QStringLiteral("Nasza firma Sp. z o.o."), layout, symbology);
        int page = 0;
        const PairedFigures onePage = timePairs(
            15, [&] { paintOn(printPage, textPage(rows, layout, page % 50), print); },
            [&] { paintOn(printPage, sheet.page(page++ % 50), print); });
        printPairs(QStringLiteral("labels page 300 dpi %1").arg(code), layout.perSheet(), onePage);
    }

    // The preview window itself on the 100,000 rows: made, shown and drawn once.
    QElapsedTimer clock;
    clock.start();
    {
        ReportPreview preview(std::make_unique<LabelSheet>(rows, QStringLiteral("Nasza firma Sp. z o.o."),
                                                           layout, BarcodeImage::Symbology::Qr));
        preview.show();
        preview.grab();
        std::printf("preview shown with %d labels (%d pages): %.1f ms wall\n", count, preview.pageCount(),
                    double(clock.nsecsElapsed()) / 1e6);
    }
}
// "Wszystkie pozycje listy" on the computer list of a database of `count`
// computers, as the command does it: the list's rows taken (the first time
// the rest of a list read in parts is read now), checked, and page 1 made.
void runOnDatabase(int count)
{
    QTemporaryDir dir;
    qputenv("SPRZETNIK_CONFIG_DIR", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    LargeDatabaseSize size;
    size.computers = count;
    size.deadlines = size.repairs = size.documents = size.attachments = 0;
    makeLargeDatabase(dir.filePath(QStringLiteral("baza")), QStringLiteral("benchmark"), size);
    TmyDataBase db;
    db.connectTo(dir.filePath(QStringLiteral("baza")), QStringLiteral("benchmark"));
    TfMain main(nullptr, &db);
    Rights all{};
    all.fill(true);
    main.applyRights(all);
    main.resetFilters();
    main.SBKomputeryClick();
    const double print = 96 / 25.4;
    QImage screenPage(int(210 * print), int(297 * print), QImage::Format_RGB32);
    const auto labels = [&] {
        QList<LabelRow> rows = LabelCommands::rowsOf(db, QStringLiteral("DBFKomputery"), true);
        if (!LabelSheet::refusal(rows, BarcodeImage::Symbology::Qr).isEmpty())
            std::abort();
        LabelSheet sheet(std::move(rows), LabelCommands::ownCompany(db), LabelLayout::of(LabelLayout::A4_3x8),
                         BarcodeImage::Symbology::Qr);
        paintOn(screenPage, sheet.page(0), print);
        return sheet.labelCount();
    };
    QElapsedTimer clock;
    clock.start();
    const int made = labels();
    std::printf("labels of the whole computer list (%d rows), first time: %.1f ms wall\n", made,
                double(clock.nsecsElapsed()) / 1e6);
    std::printf("labels of the whole computer list, rows already read: %.1f ms CPU (median of 7)\n",
                medianCpuMs(7, [&] { labels(); }));
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QByteArray(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {100000};
    for (int count : sizes) {
        run(count);
        runOnDatabase(count);
    }
    return 0;
}
