// Bringing a database of the previous version over: 100,000 computers with
// two deadlines each, their 14 property rows and their links to employees and
// licences, protected with a password. The floor is reading the same files
// with pxlib alone (every record, every field); the goal is an import within
// 1.5 times the floor.
#include "OldTablesFixture.h"

#include "store/OldTablesImport.h"
#include "store/TableList.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

extern "C" {
#include <paradox.h>
}

namespace {
const QString kPassword = QStringLiteral("Haslo77");
constexpr int kComputers = 100000;
double g_floorSeconds = 0;

using OldTablesFixture::Value;
using Kind = OldTableWriter::Kind;

// A plausible value for a column that the generator does not set itself.
Value filler(const OldTableWriter::Column& c, int i)
{
    switch (c.kind) {
    case Kind::Alpha:
    case Kind::Memo:
        if (c.length == 1)
            return QStringLiteral("N");
        return (c.name + QStringLiteral(" %1 – Łódź, „Śródmieście”").arg(i)).left(c.length);
    case Kind::Number:
    case Kind::Currency:
        return 1999.99 + i % 100;
    case Kind::Logical:
        return qint64(i % 2);
    default:
        return qint64(i % 1000);
    }
}

// Writes one table of `rows` rows; `set` fills the values the generator cares about.
template <typename Set> qint64 writeTable(const QString& dir, const QString& table, qint64 rows, Set set)
{
    const QList<OldTableWriter::Column> columns = OldTablesFixture::columnsOf(table, false);
    OldTableWriter writer(dir + QLatin1Char('/') + table + QStringLiteral(".DB"), columns, kPassword, rows);
    QList<Value> values;
    for (qint64 r = 0; r < rows; ++r) {
        values.clear();
        for (const auto& c : columns)
            values << filler(c, int(r));
        set(columns, values, r);
        writer.append(values);
    }
    writer.close();
    return rows;
}

void put(const QList<OldTableWriter::Column>& columns, QList<Value>& values, const char* name, const Value& v)
{
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).name == QLatin1String(name))
            values[i] = v;
}

// The folder is made once and kept beside the benchmark (writing it takes minutes).
QString oldDatabase()
{
    const QString dir =
        QCoreApplication::applicationDirPath() + QStringLiteral("/bench-data/oldtables-%1").arg(kComputers);
    if (QFile::exists(dir + QStringLiteral("/complete")))
        return dir;
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    const QStringList big = {QStringLiteral("komputery"), QStringLiteral("terminy"),
                             QStringLiteral("wlasciwosci"), QStringLiteral("r_kompprac"),
                             QStringLiteral("r_lickomp")};
    for (OldTablesFixture::Table t : OldTablesFixture::tables(QStringLiteral("1.0.1"), kPassword))
        if (!big.contains(t.name)) {
            t.file = t.name + QStringLiteral(".DB");
            OldTablesFixture::writeTable(dir, t);
        }
    writeTable(dir, QStringLiteral("komputery"), kComputers, [](const auto& c, QList<Value>& v, qint64 r) {
        put(c, v, "IDKOMPUTERA", r + 1);
        put(c, v, "NREWID", QStringLiteral("KOMP/%1").arg(r + 1, 6, 10, QLatin1Char('0')));
        put(c, v, "DATAZAKUPU", qint64(20150101 + r % 28));
    });
    writeTable(dir, QStringLiteral("terminy"), 2 * kComputers, [](const auto& c, QList<Value>& v, qint64 r) {
        put(c, v, "IDTERMINU", r + 1);
        put(c, v, "IDOBIEKTU", r / 2 + 1);
        put(c, v, "CZEGODOTYCZY", QStringLiteral("K"));
        put(c, v, "ACT", QStringLiteral("T"));
        put(c, v, "DATADO", qint64(20250101 + r % 28));
    });
    writeTable(dir, QStringLiteral("wlasciwosci"), 14 * kComputers,
               [](const auto& c, QList<Value>& v, qint64 r) {
                   put(c, v, "KOMPSPRZET", QStringLiteral("K"));
                   put(c, v, "IDOBIEKTU", r / 14 + 1);
                   put(c, v, "LP", r % 14 + 1);
               });
    writeTable(dir, QStringLiteral("r_kompprac"), kComputers, [](const auto& c, QList<Value>& v, qint64 r) {
        put(c, v, "IDKOMPUTERA", r + 1);
        put(c, v, "NREW", QStringLiteral("P%1").arg(r % 500 + 1, 4, 10, QLatin1Char('0')));
    });
    writeTable(dir, QStringLiteral("r_lickomp"), kComputers, [](const auto& c, QList<Value>& v, qint64 r) {
        put(c, v, "IDKOMPUTERA", r + 1);
        put(c, v, "IDLICENCJI", r % 40 + 1);
    });
    QFile done(dir + QStringLiteral("/complete"));
    done.open(QIODevice::WriteOnly);
    return dir;
}

// Reads every record and every field of every table file with pxlib alone.
qint64 readWithLibrary(const QString& dir)
{
    qint64 rows = 0;
    for (const QString& name : QDir(dir).entryList({QStringLiteral("*.DB")}, QDir::Files)) {
        FILE* file = std::fopen(QFile::encodeName(dir + QLatin1Char('/') + name).constData(), "rb");
        pxdoc_t* doc = PX_new();
        if (PX_open_fp(doc, file) < 0)
            throw std::runtime_error("pxlib cannot open the table");
        std::vector<char> record(size_t(PX_get_recordsize(doc)));
        const int fields = PX_get_num_fields(doc);
        for (int r = 0; r < PX_get_num_records(doc); ++r) {
            PX_get_record(doc, r, record.data());
            int offset = 0;
            for (int f = 0; f < fields; ++f) {
                const pxfield_t* field = PX_get_field(doc, f);
                char* data = record.data() + offset;
                switch (field->px_ftype) {
                case pxfAlpha: {
                    char* text = nullptr;
                    if (PX_get_data_alpha(doc, data, field->px_flen, &text) > 0)
                        doc->free(doc, text);
                    break;
                }
                case pxfShort: {
                    short v = 0;
                    PX_get_data_short(doc, data, field->px_flen, &v);
                    break;
                }
                case pxfNumber:
                case pxfCurrency: {
                    double v = 0;
                    PX_get_data_double(doc, data, field->px_flen, &v);
                    break;
                }
                default: {
                    long v = 0;
                    PX_get_data_long(doc, data, field->px_flen, &v);
                    break;
                }
                }
                offset += field->px_flen;
            }
            ++rows;
        }
        PX_close(doc);
        PX_delete(doc);
        std::fclose(file);
    }
    return rows;
}

void BM_ReadWithLibrary(benchmark::State& state)
{
    const QString dir = oldDatabase();
    qint64 rows = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        rows += readWithLibrary(dir);
    g_floorSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                     double(state.iterations());
    state.counters["rows"] = double(rows) / double(state.iterations());
    state.counters["rows/s"] = benchmark::Counter(double(rows), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReadWithLibrary)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();

void BM_BringOver(benchmark::State& state)
{
    const QString dir = oldDatabase();
    QTemporaryDir target;
    qint64 rows = 0;
    double seconds = 0;
    for (auto _ : state) {
        const QString folder = target.filePath(QStringLiteral("Sprzetnik_DB"));
        const auto start = std::chrono::steady_clock::now();
        rows += OldTablesImport(dir, kPassword, folder, kPassword).run().rows();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.PauseTiming();
        QDir(folder).removeRecursively();
        state.ResumeTiming();
    }
    seconds /= double(state.iterations());
    state.counters["rows"] = double(rows) / double(state.iterations());
    state.counters["rows/s"] = benchmark::Counter(double(rows), benchmark::Counter::kIsRate);
    if (g_floorSeconds > 0)
        state.counters["x floor"] = seconds / g_floorSeconds;
}
BENCHMARK(BM_BringOver)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
