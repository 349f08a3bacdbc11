// Search, column sums and CSV export of the main window over 100,000
// computers, beside the floor of the same list's own reload.
#include "LargeDatabase.h"

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

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {
const QString kPassword = QStringLiteral("benchmark");
const QString kList = QStringLiteral("DBFKomputery");

struct Fixture
{
    QTemporaryDir dir;
    TmyDataBase db;
    std::unique_ptr<TfMain> main;

    Fixture()
    {
        qputenv("SPRZETNIK_CONFIG_DIR", dir.filePath(QStringLiteral("config")).toLocal8Bit());
        LargeDatabaseSize size;
        size.computers = 100000;
        makeLargeDatabase(dir.filePath(QStringLiteral("baza")), kPassword, size);
        db.connectTo(dir.filePath(QStringLiteral("baza")), kPassword);
        Dialogs::startScript();
        main = std::make_unique<TfMain>(nullptr, &db);
        Rights all{};
        all.fill(true);
        main->applyRights(all);
        main->resetFilters();
        main->SBKomputeryClick();
    }
};

// Freed before the application object, whose windows it holds.
std::unique_ptr<Fixture> g_fixture;

Fixture& fixture()
{
    if (!g_fixture)
        g_fixture = std::make_unique<Fixture>();
    return *g_fixture;
}

void BM_ReloadComputers(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state)
        f.main->reloadList(kList);
    state.counters["rows"] = f.main->listModel(kList)->rowCount();
}
BENCHMARK(BM_ReloadComputers)->Unit(benchmark::kMillisecond)->MinTime(3);

// A text no row holds: every row's displayed texts are joined and folded.
void BM_SearchToLastRow(benchmark::State& state)
{
    Fixture& f = fixture();
    ListSearch& search = f.main->listTools().search();
    for (auto _ : state) {
        search.SBSzukajClick();
        benchmark::DoNotOptimize(search.findNext(QStringLiteral("żaden wiersz tego nie ma")));
    }
    state.counters["rows"] = f.main->listModel(kList)->rowCount();
}
BENCHMARK(BM_SearchToLastRow)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_SumComputers(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state)
        f.main->listTools().sums().SBSumaClick();
}
BENCHMARK(BM_SumComputers)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_CsvComputers(benchmark::State& state)
{
    Fixture& f = fixture();
    const QString name = f.dir.filePath(QStringLiteral("komputery.csv"));
    for (auto _ : state)
        benchmark::DoNotOptimize(f.main->listTools().csv().exportList(*f.main->listModel(kList), name));
    state.counters["MB"] = double(QFile(name).size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_CsvComputers)->Unit(benchmark::kMillisecond)->MinTime(3);

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
    benchmark::Initialize(&argc, argv);
    fixture(); // the database is built before any timing
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_fixture.reset();
    return 0;
}
