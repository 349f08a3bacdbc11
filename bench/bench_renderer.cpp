// Layout and PDF output of a 10,000-row list report, and reading the same
// rows from the store, the floor the layout is compared with.
#include "LargeDatabase.h"
#include "renderer/MemoryDataProvider.h"
#include "renderer/PagePainter.h"
#include "renderer/ReportEngine.h"
#include "renderer/ReportTemplate.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
const char* const kTemplate = R"(<report title="Lista">
  <page size="A4" marginLeft="15" marginTop="10" marginRight="10" marginBottom="10"/>
  <band type="pageHeader" height="8">
    <text x="0" y="0" width="185" height="5" align="right">Strona [#PAGE] z [#PAGES]</text>
  </band>
  <data source="lista">
    <band type="header" height="6">
      <text x="0" y="0" width="30" height="6" bold="true" border="all">Nr ewid.</text>
      <text x="30" y="0" width="100" height="6" bold="true" border="all">Nazwa</text>
      <text x="130" y="0" width="55" height="6" bold="true" border="all" align="right">Netto</text>
    </band>
    <band type="row" height="5">
      <text x="0" y="0" width="30" height="5" border="lrb" stretch="true">[NREWID]</text>
      <text x="30" y="0" width="100" height="5" border="lrb" stretch="true">[NAZWA]</text>
      <text x="130" y="0" width="55" height="5" border="lrb" stretch="true" align="right">[NETTO]</text>
    </band>
    <band type="footer" height="6">
      <text x="130" y="0" width="55" height="6" bold="true" align="right">[SNETTO]</text>
    </band>
  </data>
  <band type="pageFooter" height="5"><text x="0" y="0" width="185" height="5">Strona [STRONA]</text></band>
</report>)";

void fill(MemoryDataProvider& data, int rows)
{
    QList<QStringList> list;
    list.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        list.append({QStringLiteral("K/%1").arg(i, 6, 10, QLatin1Char('0')),
                     QStringLiteral("Zestaw komputerowy ąęłńóśźż nr %1").arg(i),
                     QString::number(1000 + (i % 977) * 3.25, 'f', 2)});
    }
    data.addSource(QStringLiteral("lista"),
                   {QStringLiteral("NREWID"), QStringLiteral("NAZWA"), QStringLiteral("NETTO")}, list);
    data.setMainSource(QStringLiteral("lista"));
    data.addRunningSum(QStringLiteral("NETTO"), QStringLiteral("SNETTO"));
}

PageModel layOut(const ReportTemplate& report, int rows)
{
    MemoryDataProvider data;
    fill(data, rows);
    PageModel model;
    ReportEngine engine(report, data);
    engine.run(model);
    return model;
}

void BM_Layout(benchmark::State& state)
{
    ReportTemplate report;
    report.loadText(kTemplate, QStringLiteral("lista.frf"), QString());
    int pages = 0;
    for (auto _ : state) {
        const PageModel model = layOut(report, int(state.range(0)));
        pages = model.pageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
    state.counters["pages/s"] =
        benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Layout)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_Pdf(benchmark::State& state)
{
    ReportTemplate report;
    report.loadText(kTemplate, QStringLiteral("lista.frf"), QString());
    const PageModel model = layOut(report, int(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lista.pdf"));
    for (auto _ : state) {
        QString error;
        benchmark::DoNotOptimize(PagePainter::writePdf(model, path, &error));
    }
    state.counters["pages"] = model.pageCount();
    state.counters["pages/s"] = benchmark::Counter(double(model.pageCount()) * double(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Pdf)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same three columns of 10,000 computers read from an encrypted database
// into the rows a report source hands out.
void BM_StoreRead(benchmark::State& state)
{
    QTemporaryDir dir;
    qputenv("SPRZETNIK_CONFIG_DIR", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    LargeDatabaseSize size;
    size.computers = int(state.range(0));
    size.equipment = size.employees = size.companies = 10;
    size.deadlines = size.repairs = size.documents = size.attachments = 0;
    makeLargeDatabase(dir.path(), QStringLiteral("bench"), size);
    SqlConnection connection;
    connection.open(TmyDataBase::databaseFile(dir.path()), QStringLiteral("bench"));
    Statement q(&connection, QStringLiteral("lista"),
                {QStringLiteral("SELECT NREWID,NAZWA,NETTO FROM komputery ORDER BY NREWID COLLATE PL")});
    for (auto _ : state) {
        q.open();
        QList<QStringList> rows;
        rows.reserve(q.recordCount());
        for (; !q.eof(); q.next())
            rows.append({q.text(QStringLiteral("NREWID")), q.text(QStringLiteral("NAZWA")),
                         QString::number(q.number(QStringLiteral("NETTO")), 'f', 2)});
        benchmark::DoNotOptimize(rows.size());
    }
}
BENCHMARK(BM_StoreRead)->Arg(10000)->Unit(benchmark::kMillisecond);
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
