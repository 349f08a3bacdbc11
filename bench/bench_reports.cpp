// The computers cost statement (fin_komputery) over a large register: the
// data module's walk, the layout, the layout streamed into a PDF file and
// into the preview's spool, and the time to the first page at two sizes,
// against the floor of reloading the computer list itself. Then the whole
// "Zestawienie komputerów" statement, run as its button runs it.
#include "LargeDatabase.h"
#include "renderer/PageSpool.h"
#include "renderer/PdfOutput.h"
#include "renderer/ReportEngine.h"
#include "renderer/ReportTemplate.h"
#include "reports/RaportyTab.h"
#include "reports/TDMRaporty.h"
#include "store/TmyDataBase.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {
const QString kPassword = QStringLiteral("bench");
const QString kList = QStringLiteral("DBFKomputery");

// One generated database for every benchmark of a size.
struct Fixture
{
    QTemporaryDir dir;
    TmyDataBase db;
    std::unique_ptr<TDMRaporty> reports;
    ReportTemplate report;
    int size = 0;
};

Fixture& fixture(int computers)
{
    static std::unique_ptr<Fixture> f;
    if (!f || f->size != computers) {
        f.reset();
        f = std::make_unique<Fixture>();
        qputenv("SPRZETNIK_CONFIG_DIR", f->dir.filePath(QStringLiteral("config")).toLocal8Bit());
        LargeDatabaseSize size;
        size.computers = computers;
        size.equipment = size.employees = size.companies = 100;
        size.deadlines = size.repairs = size.documents = size.attachments = 0;
        makeLargeDatabase(f->dir.path(), kPassword, size);
        f->db.connectTo(f->dir.path(), kPassword);
        // The statement's choices: current computers of every date, by purchase date.
        ListState& s = f->db.listState();
        s.setDateRange(kList, 0, ListState::kNoUpperBound);
        s.setOrderColumn(kList, QStringLiteral("DATAZAKUPU"));
        f->reports = std::make_unique<TDMRaporty>(f->db);
        f->report.load(RaportyTab::templatePath(QStringLiteral("fin_komputery.frf")));
        f->size = computers;
    }
    return *f;
}

// Counts the pages and lets them go; stops after `limit` pages when set.
class PageCounter : public PageSink
{
public:
    explicit PageCounter(int limit = 0) : m_limit(limit) {}
    bool start(const PageFormat&) override { return true; }
    bool addPage(Page&&) override { return ++count != m_limit; }
    int count = 0;

private:
    int m_limit;
};

void layOut(Fixture& f, PageSink& sink)
{
    f.reports->setReport(QStringLiteral("frReport7"));
    ReportEngine engine(f.report, *f.reports);
    engine.run(sink);
}

void pageCounters(benchmark::State& state, int pages)
{
    state.counters["pages"] = pages;
    state.counters["pages/s"] =
        benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The floor: the main window's reload of the same list.
void BM_ListReload(benchmark::State& state)
{
    Fixture& f = fixture(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(f.db.reloadList(kList));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListReload)->Arg(100000)->Unit(benchmark::kMillisecond);

// The data module alone: every row with the variables of the row band.
void BM_ProviderWalk(benchmark::State& state)
{
    Fixture& f = fixture(int(state.range(0)));
    const QStringList names = {
        QStringLiteral("NREWID"),    QStringLiteral("NAZWA"),      QStringLiteral("PRODUCENT"),
        QStringLiteral("LOK"),       QStringLiteral("DATAZAKUPU"), QStringLiteral("DOSTAWCA"),
        QStringLiteral("NRFAKTURY"), QStringLiteral("DATAARCH"),   QStringLiteral("NETTO"),
        QStringLiteral("VAT"),       QStringLiteral("BRUTTO")};
    const QString source = QStringLiteral("frUserDataset7");
    for (auto _ : state) {
        f.reports->setReport(QStringLiteral("frReport7"));
        qint64 chars = 0;
        for (f.reports->first(source); !f.reports->checkEof(source); f.reports->next(source))
            for (const QString& n : names)
                chars += f.reports->getValue(n).size();
        benchmark::DoNotOptimize(chars);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ProviderWalk)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Layout(benchmark::State& state)
{
    Fixture& f = fixture(int(state.range(0)));
    int pages = 0;
    for (auto _ : state) {
        PageCounter counter;
        layOut(f, counter);
        pages = counter.count;
    }
    pageCounters(state, pages);
}
BENCHMARK(BM_Layout)->Arg(100000)->Unit(benchmark::kMillisecond);

// What "Zapisz PDF" of a whole statement costs: every page written as it is laid out.
void BM_LayoutAndPdf(benchmark::State& state)
{
    Fixture& f = fixture(int(state.range(0)));
    const QString path = f.dir.filePath(QStringLiteral("fin_komputery.pdf"));
    int pages = 0;
    for (auto _ : state) {
        PdfOutput out(path);
        layOut(f, out);
        benchmark::DoNotOptimize(out.finish());
        pages = out.pageCount();
    }
    pageCounters(state, pages);
}
BENCHMARK(BM_LayoutAndPdf)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

// What the preview does: every page laid out into its spool.
void BM_LayoutToSpool(benchmark::State& state)
{
    Fixture& f = fixture(int(state.range(0)));
    int pages = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        PageSpool spool;
        layOut(f, spool);
        pages = spool.pageCount();
        bytes = spool.storedBytes();
    }
    pageCounters(state, pages);
    state.counters["spool MB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_LayoutToSpool)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The preview's first page: the statement's rows read and one page laid out.
void BM_FirstPage(benchmark::State& state)
{
    Fixture& f = fixture(int(state.range(0)));
    for (auto _ : state) {
        PageCounter first(1);
        layOut(f, first);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FirstPage)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// "Zestawienie komputerów": its query read by the statement, every page
// streamed into a PDF, or only the first page.
void computersStatement(benchmark::State& state, int pageLimit)
{
    Fixture& f = fixture(int(state.range(0)));
    RaportyTab tab(f.db, *f.reports);
    const QString path = f.dir.filePath(QStringLiteral("komputery.pdf"));
    int pages = 0;
    tab.setRunner([&](const QString& file, TDMRaporty& data) {
        ReportTemplate report;
        report.load(file);
        ReportEngine engine(report, data);
        if (pageLimit > 0) {
            PageCounter first(pageLimit);
            engine.run(first);
            pages = first.count;
            return true;
        }
        PdfOutput out(path);
        engine.run(out);
        pages = out.pageCount();
        return out.finish();
    });
    for (auto _ : state)
        benchmark::DoNotOptimize(tab.run(QStringLiteral("SBZestKomp")));
    pageCounters(state, pages);
}
void BM_ComputersStatementToPdf(benchmark::State& state)
{
    computersStatement(state, 0);
}
BENCHMARK(BM_ComputersStatementToPdf)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_ComputersStatementFirstPage(benchmark::State& state)
{
    computersStatement(state, 1);
}
BENCHMARK(BM_ComputersStatementFirstPage)->Arg(100000)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
