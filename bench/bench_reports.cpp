// The computers cost statement (fin_komputery) over a large register: the
// data module's walk, the layout, and the layout with the PDF, against the
// floor of reloading the computer list itself.
#include "LargeDatabase.h"
#include "renderer/PagePainter.h"
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

PageModel layOut(Fixture& f)
{
    f.reports->setReport(QStringLiteral("frReport7"));
    PageModel model;
    ReportEngine engine(f.report, *f.reports);
    engine.run(model);
    return model;
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
        pages = layOut(f).pageCount();
        benchmark::DoNotOptimize(pages);
    }
    pageCounters(state, pages);
}
BENCHMARK(BM_Layout)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LayoutAndPdf(benchmark::State& state)
{
    Fixture& f = fixture(int(state.range(0)));
    const QString path = f.dir.filePath(QStringLiteral("fin_komputery.pdf"));
    int pages = 0;
    for (auto _ : state) {
        const PageModel model = layOut(f);
        pages = model.pageCount();
        benchmark::DoNotOptimize(PagePainter::writePdf(model, path, nullptr));
    }
    pageCounters(state, pages);
}
BENCHMARK(BM_LayoutAndPdf)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
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
