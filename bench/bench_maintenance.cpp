// Data maintenance on a generated database of 100,000 computers: an archive
// snapshot and a restore against the floor of a plain file copy, the check of
// an archive, and the verification and import of 20,000 employees from CSV.
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

namespace {
const QString kPassword = QStringLiteral("benchmark");

struct MaintenanceDatabase
{
    QTemporaryDir dir;
    QTemporaryDir archive;
    MaintenanceDatabase()
    {
        qputenv("SPRZETNIK_CONFIG_DIR", dir.filePath(QStringLiteral("config")).toLocal8Bit());
        QDir().mkpath(dir.filePath(QStringLiteral("config/debug")));
        LargeDatabaseSize size;
        size.computers = 100000;
        makeLargeDatabase(dir.path(), kPassword, size);
    }
    QString live() const { return TmyDataBase::databaseFile(dir.path()); }
    QString archiveFile() const { return QDir(archive.path()).filePath(kDatabaseFileName); }
};

MaintenanceDatabase& database()
{
    static MaintenanceDatabase db;
    return db;
}

void BM_PlainFileCopy(benchmark::State& state)
{
    const QString target = database().archiveFile() + QStringLiteral(".copy");
    for (auto _ : state) {
        QFile::remove(target);
        QFile::copy(database().live(), target);
    }
    state.counters["MB"] = double(QFileInfo(database().live()).size()) / 1e6;
}
BENCHMARK(BM_PlainFileCopy)->Unit(benchmark::kMillisecond);

void BM_ArchiveSnapshot(benchmark::State& state)
{
    TmyDataBase db;
    db.connectTo(database().dir.path(), kPassword);
    for (auto _ : state)
        DatabaseSnapshot::write(db.DatabaseMain(), kPassword, database().archiveFile());
}
BENCHMARK(BM_ArchiveSnapshot)->Unit(benchmark::kMillisecond);

void BM_ArchiveCheck(benchmark::State& state)
{
    TmyDataBase db;
    db.connectTo(database().dir.path(), kPassword);
    DatabaseSnapshot::write(db.DatabaseMain(), kPassword, database().archiveFile());
    for (auto _ : state)
        benchmark::DoNotOptimize(DatabaseSnapshot::check(database().archiveFile(), kPassword));
}
BENCHMARK(BM_ArchiveCheck)->Unit(benchmark::kMillisecond);

// Copy beside the live file, check, swap and reopen (same password).
void BM_Restore(benchmark::State& state)
{
    TmyDataBase db;
    db.connectTo(database().dir.path(), kPassword);
    DatabaseSnapshot::write(db.DatabaseMain(), kPassword, database().archiveFile());
    for (auto _ : state)
        DatabaseSnapshot::restore(db, database().archiveFile(), kPassword, kPassword);
}
BENCHMARK(BM_Restore)->Unit(benchmark::kMillisecond);

// The same with an archive made under another password (the copy is re-keyed).
void BM_RestoreOtherPassword(benchmark::State& state)
{
    TmyDataBase db;
    db.connectTo(database().dir.path(), kPassword);
    const QString other = database().archiveFile() + QStringLiteral(".other");
    DatabaseSnapshot::write(db.DatabaseMain(), QStringLiteral("inne"), other);
    for (auto _ : state)
        DatabaseSnapshot::restore(db, other, QStringLiteral("inne"), kPassword);
}
BENCHMARK(BM_RestoreOtherPassword)->Unit(benchmark::kMillisecond)->Iterations(3);

QByteArray employeesCsv(int rows)
{
    QByteArray out("Numer;Nazwisko;Imie;Miasto;Telefon\r\n");
    for (int i = 0; i < rows; ++i)
        out += "IMP-" + QByteArray::number(i) + ";Kowalski-" + QByteArray::number(i % 997) +
               ";\"Jan; Maria\";Kraków;+48 12 345 " + QByteArray::number(i % 1000) + "\r\n";
    return out;
}

void BM_ImportEmployees(benchmark::State& state)
{
    const int rows = int(state.range(0));
    QByteArray bytes = employeesCsv(rows);
    EmployeeImport::Columns c{};
    c[EmployeeImport::NREW] = 1;
    c[EmployeeImport::NAZWISKO] = 2;
    c[EmployeeImport::IMIE] = 3;
    c[EmployeeImport::MIASTO] = 4;
    c[EmployeeImport::TELEFON] = 5;
    for (auto _ : state) {
        state.PauseTiming();
        TmyDataBase db;
        db.connectTo(database().dir.path(), kPassword);
        db.DatabaseMain().exec(QStringLiteral("DELETE FROM osobowa WHERE NREW LIKE 'IMP-%'"));
        state.ResumeTiming();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CsvSheet sheet;
        sheet.read(buffer, QLatin1Char(';'));
        EmployeeImport import(db);
        import.verify(sheet, c, true);
        if (import.import(sheet, true) != rows)
            state.SkipWithError("not every row was imported");
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_ImportEmployees)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
