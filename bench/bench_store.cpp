// The store's basic operations on a database of 100,000 computers: opening and
// keying the file, the highest-key query, and locating a key in a list.
#include "shell/AppPaths.h"
#include "store/DatabaseTemplate.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace
{
constexpr int kRows = 100000;
const QString kPassword = QStringLiteral("benchmark");

struct LargeDatabase
{
    QTemporaryDir dir;
    LargeDatabase()
    {
        qputenv("SPRZETNIK_CONFIG_DIR", dir.filePath(QStringLiteral("config")).toLocal8Bit());
        DatabaseTemplate::create(dir.path(), kPassword, false);
        SqlConnection c;
        c.open(TmyDataBase::databaseFile(dir.path()), kPassword);
        c.exec(QStringLiteral("BEGIN"));
        Statement insert(&c, QStringLiteral("insert"),
                         {QStringLiteral("INSERT INTO komputery (NAZWA,PRODUCENT,NREWID,NRSERYJNY,DATAZAKUPU,NETTO,"
                                         "VAT,BRUTTO,ARCHIWUM) VALUES (:PARAM0,:PARAM1,:PARAM2,:PARAM3,:PARAM4,"
                                         ":PARAM5,:PARAM6,:PARAM7,'N')")});
        for (int i = 1; i <= kRows; ++i) {
            insert.setParam(0, QStringLiteral("Stacja robocza %1").arg(i % 977));
            insert.setParam(1, i % 3 ? QStringLiteral("Dell") : QStringLiteral("Łódzkie Zakłady"));
            insert.setParam(2, QStringLiteral("KOM/%1").arg(i, 6, 10, QLatin1Char('0')));
            insert.setParam(3, QStringLiteral("SN%1").arg(i * 7919));
            insert.setParam(4, QString::number(20200101 + (i % 28)));
            insert.setParam(5, QStringLiteral("2500.00"));
            insert.setParam(6, QStringLiteral("575.00"));
            insert.setParam(7, QStringLiteral("3075.00"));
            insert.execSQL();
        }
        c.exec(QStringLiteral("COMMIT"));
    }
};

LargeDatabase& database()
{
    static LargeDatabase db;
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
        db.reloadList(QStringLiteral("DBFKomputery"));
        benchmark::DoNotOptimize(db.statement(QStringLiteral("DBFKomputery")).recordCount());
    }
    state.counters["rows"] = db.statement(QStringLiteral("DBFKomputery")).recordCount();
}
BENCHMARK(BM_ReloadComputerList)->Unit(benchmark::kMillisecond);

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
