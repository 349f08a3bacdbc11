// The main window's registers over a large database: entering the computer
// register (reload and model ready), sorting it by "Nazwa", entering it again
// after another register, locating its last key, entering the deadline
// register, each beside the floor of the same SQL run directly through the
// store reading every row, and the memory the visited registers hold.
// SPRZETNIK_BENCH_ROWS sets the computers and deadlines (100000 by default).
#include "LargeDatabase.h"

#include "base/Dialogs.h"
#include "registers/TfMain.h"
#include "store/SqlConnection.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"
#include "widgets/ListModel.h"

#include <QApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlcipher/sqlite3.h>

#include <cstdio>
#include <unistd.h>

namespace {
const QString kPassword = QStringLiteral("benchmark");

double residentMegabytes()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

struct Fixture
{
    QTemporaryDir dir;
    TmyDataBase db;
    std::unique_ptr<TfMain> main;
    double baseMegabytes = 0; // resident before any register was entered

    Fixture()
    {
        qputenv("SPRZETNIK_CONFIG_DIR", dir.filePath(QStringLiteral("config")).toLocal8Bit());
        const int rows = qEnvironmentVariableIntValue("SPRZETNIK_BENCH_ROWS");
        LargeDatabaseSize size;
        size.computers = rows > 0 ? rows : 100000;
        size.employees = 20000;
        size.companies = 2000;
        size.deadlines = size.computers;
        makeLargeDatabase(dir.filePath(QStringLiteral("baza")), kPassword, size);
        db.connectTo(dir.filePath(QStringLiteral("baza")), kPassword);
        Dialogs::startScript();
        main = std::make_unique<TfMain>(nullptr, &db);
        Rights all{};
        all.fill(true);
        main->applyRights(all);
        main->resetFilters();
        main->resize(1200, 800);
        main->show();
        QApplication::processEvents();
        baseMegabytes = residentMegabytes();
    }
};

// Made and destroyed by main(): its window must go before the application does.
std::unique_ptr<Fixture> g_fixture;

Fixture& fixture()
{
    return *g_fixture;
}

// The list's present SQL text run straight through the connection, every
// column of every row read.
int floorRead(const QString& list)
{
    Fixture& f = fixture();
    Statement& s = f.db.statement(list);
    f.db.listState().applyTo(list, s);
    const QByteArray sql = s.text().toUtf8();
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(f.db.DatabaseMain().handle(), sql.constData(), int(sql.size()), &stmt, nullptr);
    const int columns = sqlite3_column_count(stmt);
    int rows = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_INTEGER:
                benchmark::DoNotOptimize(sqlite3_column_int64(stmt, c));
                break;
            case SQLITE_FLOAT:
                benchmark::DoNotOptimize(sqlite3_column_double(stmt, c));
                break;
            case SQLITE_NULL:
                break;
            default:
                benchmark::DoNotOptimize(sqlite3_column_blob(stmt, c));
                benchmark::DoNotOptimize(sqlite3_column_bytes(stmt, c));
            }
        }
        ++rows;
    }
    sqlite3_finalize(stmt);
    return rows;
}

void setOrder(const QString& list, const QString& column, bool ascending)
{
    fixture().db.listState().setOrderColumn(list, column);
    fixture().db.listState().setAscending(list, ascending);
}

void BM_EnterComputers(benchmark::State& state)
{
    Fixture& f = fixture();
    setOrder(QStringLiteral("DBFKomputery"), QStringLiteral("NREWID"), true);
    for (auto _ : state) {
        state.PauseTiming();
        f.main->SBStartClick();
        QApplication::processEvents();
        state.ResumeTiming();
        f.main->SBKomputeryClick();
        QApplication::processEvents(); // the grid painted
    }
    state.counters["rows"] = f.main->listModel(QStringLiteral("DBFKomputery"))->rowCount();
    state.counters["rss_MB"] = residentMegabytes();
}
BENCHMARK(BM_EnterComputers)->Unit(benchmark::kMillisecond)->MinTime(3);

// The same entry with the store's former 2 MB page cache, for the ratio.
void BM_EnterComputersCache2MB(benchmark::State& state)
{
    Fixture& f = fixture();
    setOrder(QStringLiteral("DBFKomputery"), QStringLiteral("NREWID"), true);
    f.db.DatabaseMain().exec(QStringLiteral("PRAGMA cache_size=-2000"));
    for (auto _ : state) {
        state.PauseTiming();
        f.main->SBStartClick();
        QApplication::processEvents();
        state.ResumeTiming();
        f.main->SBKomputeryClick();
        QApplication::processEvents();
    }
    const qint64 kib = SqlConnection::cacheKibFor(QFileInfo(f.db.DatabaseMain().file()).size());
    f.db.DatabaseMain().exec(QStringLiteral("PRAGMA cache_size=-%1").arg(kib));
    state.counters["cache_KiB_after"] = double(kib);
}
BENCHMARK(BM_EnterComputersCache2MB)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_FloorComputers(benchmark::State& state)
{
    setOrder(QStringLiteral("DBFKomputery"), QStringLiteral("NREWID"), true);
    int rows = 0;
    for (auto _ : state)
        rows = floorRead(QStringLiteral("DBFKomputery"));
    state.counters["rows"] = rows;
}
BENCHMARK(BM_FloorComputers)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_SortComputersByNazwa(benchmark::State& state)
{
    Fixture& f = fixture();
    f.main->SBKomputeryClick();
    DataGrid* grid = f.main->grid(QStringLiteral("KomputeryGrid"));
    for (auto _ : state) {
        // Same title each time: ascending and descending in turn.
        f.main->KomputeryGridTitleClick(grid, 1);
        QApplication::processEvents();
    }
    state.counters["rows"] = f.main->listModel(QStringLiteral("DBFKomputery"))->rowCount();
}
BENCHMARK(BM_SortComputersByNazwa)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_FloorComputersByNazwa(benchmark::State& state)
{
    bool ascending = true;
    for (auto _ : state) {
        setOrder(QStringLiteral("DBFKomputery"), QStringLiteral("NAZWA"), ascending);
        ascending = !ascending;
        benchmark::DoNotOptimize(floorRead(QStringLiteral("DBFKomputery")));
    }
}
BENCHMARK(BM_FloorComputersByNazwa)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_ReenterComputers(benchmark::State& state)
{
    Fixture& f = fixture();
    setOrder(QStringLiteral("DBFKomputery"), QStringLiteral("NREWID"), true);
    f.main->SBKomputeryClick();
    for (auto _ : state) {
        state.PauseTiming();
        f.main->SBTerminarzClick(); // the computers are left, their rows freed
        QApplication::processEvents();
        state.ResumeTiming();
        f.main->SBKomputeryClick();
        QApplication::processEvents();
    }
    state.counters["rows"] = f.main->listModel(QStringLiteral("DBFKomputery"))->rowCount();
}
BENCHMARK(BM_ReenterComputers)->Unit(benchmark::kMillisecond)->MinTime(3);

// Resident memory above the start with one register shown, and after three
// were visited (computers, deadlines, equipment, then computers again).
void BM_MemoryRegisters(benchmark::State& state)
{
    Fixture& f = fixture();
    double one = 0, three = 0;
    for (auto _ : state) {
        f.main->SBStartClick();
        f.main->SBKomputeryClick();
        QApplication::processEvents();
        one = residentMegabytes() - f.baseMegabytes;
        f.main->SBTerminarzClick();
        QApplication::processEvents();
        f.main->SBSprzetClick();
        QApplication::processEvents();
        f.main->SBKomputeryClick();
        QApplication::processEvents();
        three = residentMegabytes() - f.baseMegabytes;
    }
    state.counters["one_MB"] = one;
    state.counters["three_MB"] = three;
    state.counters["base_MB"] = f.baseMegabytes;
}
BENCHMARK(BM_MemoryRegisters)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_LocateLastComputer(benchmark::State& state)
{
    Fixture& f = fixture();
    setOrder(QStringLiteral("DBFKomputery"), QStringLiteral("NREWID"), true);
    f.main->SBKomputeryClick();
    Statement& list = f.db.statement(QStringLiteral("DBFKomputery"));
    const qint64 last =
        list.integerAt(list.recordCount() - 1, list.fieldIndex(QStringLiteral("IDKOMPUTERA")));
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.main->locateInCurrent(last));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_LocateLastComputer)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_EnterDeadlines(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        f.main->SBStartClick();
        QApplication::processEvents();
        state.ResumeTiming();
        f.main->SBTerminarzClick();
        QApplication::processEvents();
    }
    state.counters["rows"] = f.main->listModel(QStringLiteral("DBFTerminy"))->rowCount();
    state.counters["rss_MB"] = residentMegabytes();
}
BENCHMARK(BM_EnterDeadlines)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_FloorDeadlines(benchmark::State& state)
{
    int rows = 0;
    for (auto _ : state)
        rows = floorRead(QStringLiteral("DBFTerminy"));
    state.counters["rows"] = rows;
}
BENCHMARK(BM_FloorDeadlines)->Unit(benchmark::kMillisecond)->MinTime(3);

// The offscreen platform warns on every resize of a shown window.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.contains(QLatin1String("propagateSizeHints")))
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
    g_fixture = std::make_unique<Fixture>(); // the database is built before any timing
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_fixture.reset();
    return 0;
}
