// Data maintenance against its floors, each pair measured in this process one
// after the other (floor first and program first in turn), the medians and
// the median of the pair ratios reported as counters:
// - the archive snapshot of a generated database against a byte copy of the
//   same file (SPRZETNIK_BENCH_ROWS computers, 100,000 by default);
// - the check and the restore of an archive;
// - the employee import (verification and insert of a loaded sheet) of
//   100,000 and 1,000,000 rows against the same rows inserted through the raw
//   store with one prepared statement in one transaction.
#include "LargeDatabase.h"
#include "maintenance/CsvSheet.h"
#include "maintenance/DatabaseSnapshot.h"
#include "maintenance/EmployeeImport.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

namespace {
const QString kPassword = QStringLiteral("benchmark");

struct MaintenanceDatabase
{
    QTemporaryDir dir;
    QTemporaryDir archive;
    QTemporaryDir employees; // a small database the imports go into
    MaintenanceDatabase()
    {
        qputenv("SPRZETNIK_CONFIG_DIR", dir.filePath(QStringLiteral("config")).toLocal8Bit());
        QDir().mkpath(dir.filePath(QStringLiteral("config/debug")));
        const int rows = qEnvironmentVariableIntValue("SPRZETNIK_BENCH_ROWS");
        LargeDatabaseSize size;
        size.computers = rows > 0 ? rows : 100000;
        makeLargeDatabase(dir.path(), kPassword, size);
        LargeDatabaseSize small;
        small.computers = small.equipment = small.deadlines = small.repairs = small.documents = 1000;
        small.attachments = 0;
        makeLargeDatabase(employees.path(), kPassword, small);
    }
    QString live() const { return TmyDataBase::databaseFile(dir.path()); }
    QString archiveFile() const { return QDir(archive.path()).filePath(kDatabaseFileName); }
};

MaintenanceDatabase& database()
{
    static MaintenanceDatabase db;
    return db;
}

struct Times
{
    double wall = 0; // ms
    double cpu = 0;  // ms of this process, kernel time included
};

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

template <typename F> Times timed(F&& work)
{
    const double cpu = cpuMs();
    const auto wall = std::chrono::steady_clock::now();
    work();
    return {std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall).count(),
            cpuMs() - cpu};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Runs `pairs` pairs of floor and program; `prepare` (untimed) runs before
// each of them. Counters: medians of both and of the pair ratios.
template <typename Prepare, typename Floor, typename Program>
void pairs(benchmark::State& state, int pairs, Prepare&& prepare, Floor&& floor, Program&& program)
{
    std::vector<double> floorWall, programWall, ratioWall, floorCpu, programCpu, ratioCpu;
    for (auto _ : state) {
        for (int p = 0; p < pairs; ++p) {
            Times f, g;
            for (int half = 0; half < 2; ++half) {
                prepare();
                if ((p + half) % 2 == 0)
                    f = timed(floor);
                else
                    g = timed(program);
            }
            floorWall.push_back(f.wall);
            programWall.push_back(g.wall);
            ratioWall.push_back(g.wall / f.wall);
            floorCpu.push_back(f.cpu);
            programCpu.push_back(g.cpu);
            ratioCpu.push_back(g.cpu / f.cpu);
        }
    }
    state.counters["floor_ms"] = median(floorWall);
    state.counters["program_ms"] = median(programWall);
    state.counters["ratio"] = median(ratioWall);
    state.counters["floor_cpu_ms"] = median(floorCpu);
    state.counters["program_cpu_ms"] = median(programCpu);
    state.counters["ratio_cpu"] = median(ratioCpu);
    state.counters["pairs"] = double(floorWall.size());
}

// The archive's snapshot (same key: the encrypted file copied under a read
// lock) against a byte copy of the file; both write a new file.
void BM_ArchiveSnapshotVsCopy(benchmark::State& state)
{
    TmyDataBase db;
    db.connectTo(database().dir.path(), kPassword);
    const QString copy = database().archiveFile() + QStringLiteral(".copy");
    const QString snapshot = database().archiveFile();
    pairs(
        state, 9,
        [&] {
            QFile::remove(copy);
            QFile::remove(snapshot);
        },
        [&] {
            if (!QFile::copy(database().live(), copy))
                state.SkipWithError("the file was not copied");
        },
        [&] { DatabaseSnapshot::write(db.DatabaseMain(), kPassword, snapshot); });
    state.counters["MB"] = double(QFileInfo(database().live()).size()) / 1e6;
}
BENCHMARK(BM_ArchiveSnapshotVsCopy)->Unit(benchmark::kMillisecond)->Iterations(1);

// The re-keying snapshot (an archive under another password) against the same copy.
void BM_ArchiveOtherKeyVsCopy(benchmark::State& state)
{
    TmyDataBase db;
    db.connectTo(database().dir.path(), kPassword);
    const QString copy = database().archiveFile() + QStringLiteral(".copy");
    const QString snapshot = database().archiveFile() + QStringLiteral(".other");
    pairs(
        state, 3,
        [&] {
            QFile::remove(copy);
            QFile::remove(snapshot);
        },
        [&] { QFile::copy(database().live(), copy); },
        [&] { DatabaseSnapshot::write(db.DatabaseMain(), QStringLiteral("inne"), snapshot); });
}
BENCHMARK(BM_ArchiveOtherKeyVsCopy)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ArchiveCheck(benchmark::State& state)
{
    TmyDataBase db;
    db.connectTo(database().dir.path(), kPassword);
    DatabaseSnapshot::write(db.DatabaseMain(), kPassword, database().archiveFile());
    for (auto _ : state)
        benchmark::DoNotOptimize(DatabaseSnapshot::check(database().archiveFile(), kPassword));
}
BENCHMARK(BM_ArchiveCheck)->Unit(benchmark::kMillisecond)->Iterations(3);

// Copy beside the live file, check, swap and reopen (same password).
void BM_Restore(benchmark::State& state)
{
    TmyDataBase db;
    db.connectTo(database().dir.path(), kPassword);
    DatabaseSnapshot::write(db.DatabaseMain(), kPassword, database().archiveFile());
    for (auto _ : state)
        DatabaseSnapshot::restore(db, database().archiveFile(), kPassword, kPassword);
}
BENCHMARK(BM_Restore)->Unit(benchmark::kMillisecond)->Iterations(3);

// ---- the employee import

const char* const kDepartments[] = {"Dział handlowy", "Dział kadr", "Logistyka", "Produkcja"};

QByteArray employeesCsv(int rows)
{
    QByteArray out("Numer;Nazwisko;Imie;Miasto;Telefon;Dzial\r\n");
    for (int i = 0; i < rows; ++i)
        out += "IMP-" + QByteArray::number(i) + ";Kowalski-" + QByteArray::number(i % 997) +
               ";\"Jan; Maria\";Kraków;+48 12 345 " + QByteArray::number(i % 1000) + ";" +
               kDepartments[i % 4] + "\r\n";
    return out;
}

// The same rows through the raw store: one statement prepared once, in one
// transaction, the department keys known beforehand.
void floorInsert(sqlite3* db, const CsvSheet& sheet, const QHash<QString, qint64>& departments)
{
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(
        db,
        "INSERT INTO osobowa(NREW,NAZWISKO,IMIE,ADRES,NUMER,KOD,MIASTO,KRAJ,TELEFON,KONTAKT,INNE,"
        "NIP,NRPOKOJU,DZIAL,STANOWISKO) VALUES (?,?,?,'','','',?,'',?,'','','','',?,-1)",
        -1, &insert, nullptr);
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    const int columns[] = {0, 1, 2, 3, 4};
    for (int row = 1; row < sheet.rowCount(); ++row) {
        for (int c = 0; c < 5; ++c) {
            const QByteArray value = sheet.field(row, columns[c]).toUtf8();
            sqlite3_bind_text(insert, c + 1, value.constData(), int(value.size()), SQLITE_TRANSIENT);
        }
        sqlite3_bind_int64(insert, 6, departments.value(sheet.field(row, 5), -1));
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_finalize(insert);
}

void BM_ImportVsRawInsert(benchmark::State& state)
{
    const int rows = int(state.range(0));
    QByteArray bytes = employeesCsv(rows);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CsvSheet sheet;
    sheet.read(buffer, QLatin1Char(';'));
    bytes.clear();
    EmployeeImport::Columns c{};
    c[EmployeeImport::NREW] = 1;
    c[EmployeeImport::NAZWISKO] = 2;
    c[EmployeeImport::IMIE] = 3;
    c[EmployeeImport::MIASTO] = 4;
    c[EmployeeImport::TELEFON] = 5;
    c[EmployeeImport::DZIAL] = 6;
    TmyDataBase db;
    db.connectTo(database().employees.path(), kPassword);
    QHash<QString, qint64> departments;
    Statement& q = db.mySQL();
    q.clear();
    q.add(QStringLiteral("SELECT OPIS, KOD FROM slowniki WHERE IDSLOWNIK='DZIAL'"));
    q.open();
    for (; !q.eof(); q.next())
        departments.insert(q.text(QStringLiteral("OPIS")), q.integer(QStringLiteral("KOD")));
    q.close();
    int imported = 0;
    std::vector<double> verifyMs;
    pairs(
        state, rows >= 1000000 ? 3 : 5,
        [&] { db.DatabaseMain().exec(QStringLiteral("DELETE FROM osobowa WHERE NREW LIKE 'IMP-%'")); },
        [&] { floorInsert(db.DatabaseMain().handle(), sheet, departments); },
        [&] {
            EmployeeImport import(db);
            verifyMs.push_back(timed([&] {
                                   if (!import.verify(sheet, c, true))
                                       state.SkipWithError("the verification failed");
                               }).wall);
            imported = import.import(sheet, true);
        });
    if (imported != rows)
        state.SkipWithError("not every row was imported");
    state.counters["rows"] = rows;
    state.counters["verify_ms"] = median(verifyMs);
}
BENCHMARK(BM_ImportVsRawInsert)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
