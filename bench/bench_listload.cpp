// Entering a large list and sorting it, each run in pairs against its floor in
// the same process, the two taken in turn so a drift of the machine hits both:
//  - first rows: the computer list reloaded, its model reset and the grid
//    painted, against the same SQL's first row read through the raw store;
//  - the rest: every remaining row read after the first ones, against the
//    same SQL read whole through the raw store;
//  - re-sort: a title click on "NAZWA" (in memory), against a plain std::sort
//    of the same Polish keys.
// Also, once each: the list read the old way (every row sorted by the
// collation before the first is shown) and the upgrade that adds the keys.
// SPRZETNIK_BENCH_ROWS sets the computers (100000 by default); SPRZETNIK_BENCH_PAIRS
// the pairs of each figure (15).
#include "LargeDatabase.h"

#include "store/ListState.h"
#include "store/PolishCollation.h"
#include "store/SchemaUpgrades.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"
#include "widgets/ListModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {
const QString kPassword = QStringLiteral("benchmark");
const QString kList = QStringLiteral("DBFKomputery");

double ms(const std::function<void()>& work)
{
    QElapsedTimer t;
    t.start();
    work();
    return double(t.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

// Program and floor in turn; medians of each and of the ratio pair by pair.
void paired(const char* name, int pairs, const std::function<void()>& program,
            const std::function<void()>& floor)
{
    std::vector<double> a, b, ratio;
    for (int i = 0; i < pairs; ++i) {
        const double x = ms(program);
        const double y = ms(floor);
        a.push_back(x);
        b.push_back(y);
        ratio.push_back(y > 0 ? x / y : 0);
    }
    std::printf("%-22s program %10.2f ms  floor %10.3f ms  ratio %8.2f  (median of %d pairs; program min "
                "%.2f max %.2f)\n",
                name, median(a), median(b), median(ratio), pairs, *std::min_element(a.begin(), a.end()),
                *std::max_element(a.begin(), a.end()));
    std::fflush(stdout);
}

// The statement's present text through the raw store: `limit` rows (0 all), every column read.
int rawRead(sqlite3* db, const QString& text, int limit)
{
    const QByteArray sql = text.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr);
    const int columns = sqlite3_column_count(stmt);
    int rows = 0;
    qint64 sink = 0;
    while ((limit == 0 || rows < limit) && sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c)
            sink += sqlite3_column_type(stmt, c) == SQLITE_INTEGER ? sqlite3_column_int64(stmt, c)
                                                                   : sqlite3_column_bytes(stmt, c);
        ++rows;
    }
    sqlite3_finalize(stmt);
    return sink == -1 ? -1 : rows; // the values used, so none is skipped
}

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
    const int rows = qEnvironmentVariableIntValue("SPRZETNIK_BENCH_ROWS") > 0
                         ? qEnvironmentVariableIntValue("SPRZETNIK_BENCH_ROWS")
                         : 100000;
    const int pairs = qEnvironmentVariableIntValue("SPRZETNIK_BENCH_PAIRS") > 0
                          ? qEnvironmentVariableIntValue("SPRZETNIK_BENCH_PAIRS")
                          : 15;
    QTemporaryDir dir;
    qputenv("SPRZETNIK_CONFIG_DIR", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    LargeDatabaseSize size;
    size.computers = rows;
    size.deadlines = 1000;
    const QString base = dir.filePath(QStringLiteral("baza"));
    std::printf("generating %d computers...\n", rows);
    std::fflush(stdout);
    makeLargeDatabase(base, kPassword, size);
    TmyDataBase db;
    if (!db.connectTo(base, kPassword))
        return 1;
    sqlite3* raw = db.DatabaseMain().handle();
    Statement& q = db.statement(kList);
    db.listState().resetAll();

    ListModel model(q, {{QStringLiteral("NREWID"), QString()},
                        {QStringLiteral("NAZWA"), QString()},
                        {QStringLiteral("PRODUCENT"), QString()},
                        {QStringLiteral("NRSERYJNY"), QString()},
                        {QStringLiteral("DATAZAKUPU"), {}, 64, ColumnFormat::Date},
                        {QStringLiteral("NETTO"), {}, 64, ColumnFormat::Amount}});
    DataGrid grid;
    grid.setListModel(&model);
    grid.resize(1000, 700);
    grid.show();
    QApplication::processEvents();
    auto enter = [&] {
        q.close(); // left and entered again: read afresh
        model.reload([&] { return db.reloadList(kList); });
        grid.viewport()->repaint(); // the first rows painted
    };

    // Before the keys: every row read and sorted by the collation.
    const double old = ms(enter);
    const double oldAgain = ms(enter);
    std::printf("%-22s %10.2f ms, again %.2f ms (%d rows)\n", "without keys", old, oldAgain, q.recordCount());
    q.close();
    const double upgrade = ms(
        [&] { SchemaUpgrades(db, base, kPassword, [](const QString&, const QString&) {}).updateSortKeys(); });
    std::printf("%-22s %10.2f ms (once)\n", "adding the keys", upgrade);
    std::fflush(stdout);

    enter();
    const QString keyed = q.text();
    std::printf("first rows read %d of %d shown, order line \"%s\"\n", q.loadedCount(), model.rowCount(),
                qPrintable(q.line(ListState::orderLine(kList))));
    paired("first rows", pairs, enter, [&] { rawRead(raw, keyed, 1); });
    paired(
        "the rest", std::max(3, pairs / 3),
        [&] {
            enter();
            q.fetchAll();
        },
        [&] { rawRead(raw, keyed, 0); });

    // Re-sort by NAZWA with every row in memory, ascending and descending in turn.
    enter();
    q.fetchAll();
    const int nazwa = q.fieldIndex(QStringLiteral("NAZWA"));
    std::vector<std::string> keys;
    keys.reserve(size_t(q.recordCount()));
    for (int r = 0; r < q.recordCount(); ++r) {
        const QByteArray text = q.bytesAt(r, nazwa);
        keys.push_back(PolishCollation::sortKey(text.constData(), int(text.size())));
    }
    std::vector<std::string_view> scratch;
    bool ok = true;
    paired(
        "re-sort NAZWA", std::max(3, pairs / 3),
        [&] {
            db.listState().sortBy(kList, QStringLiteral("NAZWA"));
            model.reload([&] { return db.reloadList(kList); });
            ok = ok && q.isReordered();
        },
        [&] {
            scratch.assign(keys.begin(), keys.end()); // views: the keys themselves are not copied
            std::sort(scratch.begin(), scratch.end());
        });
    if (!ok)
        std::printf("warning: the re-sort read the list again instead of sorting in memory\n");
    return 0;
}
