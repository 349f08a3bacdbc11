// Search and CSV export of the main window's computer list against their
// floor, timed in pairs in one process:
//   bench_listtools [sizes...]   (default 10000 100000)
// The floor is the same rows formatted in memory: every cell's displayed text
// of every row, as the grid shows it, appended to one text. Search looks for
// a text no row holds, so every row is joined and folded; the CSV export
// writes the whole list to a file. The column sums are timed alone.
#include "LargeDatabase.h"
#include "PairedTiming.h"

#include "base/Dialogs.h"
#include "registers/ColumnSums.h"
#include "registers/ListCsvExport.h"
#include "registers/ListSearch.h"
#include "registers/ListTools.h"
#include "registers/TfMain.h"
#include "store/TmyDataBase.h"
#include "widgets/ListModel.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {
const QString kPassword = QStringLiteral("benchmark");
const QString kList = QStringLiteral("DBFKomputery");

struct Fixture
{
    QTemporaryDir dir;
    TmyDataBase db;
    std::unique_ptr<TfMain> main;

    explicit Fixture(int rows)
    {
        qputenv("SPRZETNIK_CONFIG_DIR", dir.filePath(QStringLiteral("config")).toLocal8Bit());
        LargeDatabaseSize size;
        size.computers = rows;
        size.deadlines = size.repairs = size.documents = size.attachments = 0;
        makeLargeDatabase(dir.filePath(QStringLiteral("baza")), kPassword, size);
        db.connectTo(dir.filePath(QStringLiteral("baza")), kPassword);
        main = std::make_unique<TfMain>(nullptr, &db);
        Rights all{};
        all.fill(true);
        main->applyRights(all);
        main->resetFilters();
        main->SBKomputeryClick();
    }
};

// Every displayed text of the list, in memory, row by row in one reused text.
qsizetype formatRows(const ListModel& model)
{
    QString text;
    qsizetype total = 0;
    const int rows = model.rowCount();
    const int columns = model.columnCount();
    for (int r = 0; r < rows; ++r) {
        text.resize(0);
        for (int c = 0; c < columns; ++c)
            text += model.displayText(r, c);
        total += text.size();
    }
    return total;
}

void run(int rows, int pairs)
{
    Fixture f(rows);
    const ListModel& model = *f.main->listModel(kList);
    qsizetype formatted = 0;
    const auto floor = [&] { formatted = formatRows(model); };

    ListSearch& search = f.main->listTools().search();
    bool found = true;
    const PairedFigures searched = timePairs(pairs, floor, [&] {
        search.SBSzukajClick();
        found = search.findNext(QStringLiteral("żaden wiersz tego nie ma"));
    });
    if (found)
        std::fprintf(stderr, "the search found a row it must not find\n");
    printPairs(QStringLiteral("search to the last row"), model.rowCount(), searched);

    const QString name = f.dir.filePath(QStringLiteral("komputery.csv"));
    bool written = false;
    const PairedFigures csv =
        timePairs(pairs, floor, [&] { written = f.main->listTools().csv().exportList(model, name); });
    if (!written)
        std::fprintf(stderr, "the CSV export failed\n");
    printPairs(QStringLiteral("CSV export"), model.rowCount(), csv);
    std::printf("  (%lld characters formatted, %.1f MB written)\n", static_cast<long long>(formatted),
                double(QFile(name).size()) / (1024.0 * 1024.0));

    std::printf("%-28s %9d rows  %9.2f ms\n", "column sums", model.rowCount(),
                medianCpuMs(pairs, [&] { f.main->listTools().sums().SBSumaClick(); }));
    std::fflush(stdout);
}

// The offscreen platform warns on every resize of a shown window and every raise().
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.contains(QLatin1String("propagateSizeHints")) && !message.contains(QLatin1String("raise()")))
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}
} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(quietOffscreen);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Dialogs::startScript();
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QByteArray(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {10000, 100000};
    for (int rows : sizes)
        run(rows, rows >= 500000 ? 3 : 7);
    return 0;
}
