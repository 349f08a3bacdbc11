// The store's basic operations on a generated database of 100,000 computers: opening and
// keying the file, the highest-key query, and locating a key in a list.
#include "LargeDatabase.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
constexpr int kRows = 100000;
const QString kPassword = QStringLiteral("benchmark");

struct StoreDatabase
{
    QTemporaryDir dir;
    StoreDatabase()
    {
        qputenv("SPRZETNIK_CONFIG_DIR", dir.filePath(QStringLiteral("config")).toLocal8Bit());
        LargeDatabaseSize size;
        size.computers = kRows;
        makeLargeDatabase(dir.path(), kPassword, size);
    }
};

StoreDatabase& database()
{
    static StoreDatabase db;
    return db;
}

void BM_OpenKeyFirstRead(benchmark::State& state)
{
    const QString file = TmyDataBase::databaseFile(database().dir.path());
    for (auto _ : state) {
        SqlConnection c;
        c.open(file, kPassword);
        Statement q(&c, QStringLiteral("probe"), {QStringLiteral("SELECT * FROM firmy WHERE IDFIRMY = 1")});
        q.open();
        benchmark::DoNotOptimize(q.recordCount());
    }
}
BENCHMARK(BM_OpenKeyFirstRead)->Unit(benchmark::kMillisecond);

void BM_HighestKey(benchmark::State& state)
{
    TmyDataBase db;
    db.connectTo(database().dir.path(), kPassword);
    for (auto _ : state)
        benchmark::DoNotOptimize(db.maxKey(QStringLiteral("KOMPUTERY"), QStringLiteral("IDKOMPUTERA")));
}
BENCHMARK(BM_HighestKey)->Unit(benchmark::kMicrosecond);

void BM_ReloadComputerList(benchmark::State& state)
{
    TmyDataBase db;
    db.connectTo(database().dir.path(), kPassword);
    for (auto _ : state) {
        db.statement(QStringLiteral("DBFKomputery")).close(); // read afresh, not re-sorted in memory
        db.reloadList(QStringLiteral("DBFKomputery"));
        benchmark::DoNotOptimize(db.statement(QStringLiteral("DBFKomputery")).recordCount());
    }
    state.counters["rows"] = db.statement(QStringLiteral("DBFKomputery")).recordCount();
    state.counters["cache_KiB"] = double(
        SqlConnection::cacheKibFor(QFileInfo(TmyDataBase::databaseFile(database().dir.path())).size()));
}
BENCHMARK(BM_ReloadComputerList)->Unit(benchmark::kMillisecond);

// The same read on a fresh connection with a page cache of `range(0)` KiB:
// the first read (cold) and a second one (warm), as entering a register twice.
void BM_ReadWithCache(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        TmyDataBase db;
        db.connectTo(database().dir.path(), kPassword);
        db.DatabaseMain().exec(QStringLiteral("PRAGMA cache_size=-%1").arg(state.range(0)));
        state.ResumeTiming();
        for (int pass = 0; pass < 2; ++pass) {
            db.statement(QStringLiteral("DBFKomputery")).close();
            db.reloadList(QStringLiteral("DBFKomputery"));
        }
    }
}
BENCHMARK(BM_ReadWithCache)
    ->Unit(benchmark::kMillisecond)
    ->Arg(2 * 1024)
    ->Arg(16 * 1024)
    ->Arg(48 * 1024)
    ->Arg(64 * 1024)
    ->Arg(256 * 1024);

void BM_LocateLastKey(benchmark::State& state)
{
    TmyDataBase db;
    db.connectTo(database().dir.path(), kPassword);
    db.reloadList(QStringLiteral("DBFKomputery"));
    Statement& list = db.statement(QStringLiteral("DBFKomputery"));
    list.setRecNo(list.recordCount() - 1);
    const qint64 last = list.integer(QStringLiteral("IDKOMPUTERA"));
    for (auto _ : state)
        benchmark::DoNotOptimize(db.locate(QStringLiteral("DBFKomputery"), {last}));
}
BENCHMARK(BM_LocateLastKey)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
