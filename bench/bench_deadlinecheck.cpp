// The deadline check on a generated database of 100,000 deadlines, 100,000
// repairs and 20,000 BHP holdings: the collection of every source with its
// object labels, the window's table filled from it, and as the floor the same
// five section queries stepped directly without building any entry.
#include "LargeDatabase.h"
#include "base/Clock.h"
#include "base/Config.h"
#include "reminders/DeadlineCheck.h"
#include "reminders/TfSprawdzenieDat.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlcipher/sqlite3.h>

namespace {
const QString kPassword = QStringLiteral("benchmark");

struct Fixture
{
    QTemporaryDir dir;
    TmyDataBase db;
    Fixture()
    {
        qputenv("SPRZETNIK_CONFIG_DIR", dir.filePath(QStringLiteral("config")).toLocal8Bit());
        LargeDatabaseSize size;
        size.computers = 20000;
        size.equipment = 10000;
        size.deadlines = 100000;
        size.repairs = 100000;
        size.attachments = 0;
        makeLargeDatabase(dir.path(), kPassword, size);
        db.connectTo(dir.path(), kPassword);
        Statement q(
            &db.DatabaseMain(), QString(),
            {QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<200) "
                            "INSERT INTO bhp (NAZWA,NREWID) SELECT 'Środek ochrony '||i,'BHP-'||i FROM n")});
        q.execSQL();
        // One holding per employee, expiring on some day of 2018-2025.
        q.setLines({QStringLiteral(
            "INSERT INTO r_bhpprac (IDBHP,NREW,ILOSC,DATAOD,DATADO) SELECT (rowid % 200)+1,NREW,1,20180101,"
            "20180000+(rowid % 8)*10000+((rowid % 12)+1)*100+(rowid % 28)+1 FROM osobowa")});
        q.execSQL();
        AppState::instance().rights.fill(true);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// Arg 0: the default window (every past date, so most of the database is due);
// arg 30: a month back and seven days ahead around a day in the middle of the data.
DeadlineOptions options(const benchmark::State& state)
{
    DeadlineOptions o;
    o.dataWstecznaMin = int(state.range(0));
    return o;
}
const QDate kToday(2022, 6, 15);

void BM_CollectDeadlines(benchmark::State& state)
{
    Fixture& f = fixture();
    DeadlineCheck check(f.db);
    qsizetype rows = 0;
    for (auto _ : state)
        rows = check.collect(options(state), AppState::instance().rights, kToday).size();
    state.counters["entries"] = double(rows);
}
BENCHMARK(BM_CollectDeadlines)->Arg(0)->Arg(30)->Unit(benchmark::kMillisecond)->MinTime(2);

// The floor: the five statements with their bounds, stepped through every row.
void BM_SectionQueriesStepped(benchmark::State& state)
{
    Fixture& f = fixture();
    const DeadlineOptions o = options(state);
    const QString upper = QString::number(DeadlineCheck::upperBound(kToday, o.dataWsteczna));
    const QString lower = QString::number(DeadlineCheck::lowerBound(kToday, o.dataWstecznaMin));
    QList<QByteArray> texts;
    for (const char* name : {"DBFdatyTerminarzDTOD", "DBFdatyTerminarzDTDO", "DBFdatyNaprawy",
                             "DBFdatyDokumenty", "DBFdatyStanBHP"}) {
        Statement& s = f.db.statement(QLatin1String(name));
        const int first = QByteArray(name).startsWith("DBFdatyTerminarz") ? 7
                          : QByteArray(name) == "DBFdatyStanBHP"          ? 6
                                                                          : 1;
        s.setLine(first, upper);
        s.setLine(first + 2, lower);
        texts << s.text().toUtf8();
    }
    qint64 rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (const QByteArray& sql : texts) {
            sqlite3_stmt* stmt = nullptr;
            sqlite3_prepare_v2(f.db.DatabaseMain().handle(), sql.constData(), -1, &stmt, nullptr);
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                for (int c = 0, n = sqlite3_column_count(stmt); c < n; ++c)
                    benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
                ++rows;
            }
            sqlite3_finalize(stmt);
        }
    }
    state.counters["entries"] = double(rows);
}
BENCHMARK(BM_SectionQueriesStepped)->Arg(0)->Arg(30)->Unit(benchmark::kMillisecond)->MinTime(2);

// What the user waits for after login: the window's table filled.
void BM_FillWindow(benchmark::State& state)
{
    Fixture& f = fixture();
    Clock::setFixed(QDateTime(kToday, QTime(8, 0)));
    Config::global().set(QStringLiteral("dataWstecznaMin"), int(state.range(0)));
    TfSprawdzenieDat window(f.db);
    for (auto _ : state)
        benchmark::DoNotOptimize(window.fillTable());
    state.counters["entries"] = double(window.entries().size());
}
BENCHMARK(BM_FillWindow)->Arg(0)->Arg(30)->Unit(benchmark::kMillisecond)->MinTime(2);
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    fixture();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
