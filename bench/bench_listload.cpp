// Entering a large list and sorting it, each run in pairs against its floor in
// the same process, the two taken in turn so a drift of the machine hits both:
//  - first rows: the computer list reloaded, its model reset and the grid
//    painted, against the same SQL's first row read through the raw store;
//  - the rest: every remaining row read after the first ones, against the
//    same SQL read whole through the raw store;
//  - the rest by pages (once): the longest page, and the saves of a second
//    connection made meanwhile;
//  - re-sort: a title click on "NAZWA" (in memory), against a plain std::sort
//    of the same Polish keys.
// Also, once each: the list read the old way (every row sorted by the
// collation before the first is shown) and the upgrade that adds the keys.
// SPRZETNIK_BENCH_ROWS sets the computers (100000 by default); SPRZETNIK_BENCH_PAIRS
// the pairs of each figure (15).
#include "LargeDatabase.h"

#include "store/DbError.h"
#include "store/ListState.h"
#include "store/PolishCollation.h"
#include "store/SchemaUpgrades.h"
#include "store/SortKeys.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"
#include "widgets/ListModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
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
    // Adding the keys: the login's step, against the same columns, keys and
    // indexes added by three plain statements per table (one UPDATE giving
    // every row its key) on a copy of the same file.
    const QString copy = dir.filePath(QStringLiteral("kopia.db"));
    QFile::copy(db.DatabaseMain().file(), copy);
    qint64 reported = 0;
    const double upgrade = ms([&] {
        SchemaUpgrades upgrades(db, base, kPassword, [](const QString&, const QString&) {});
        upgrades.setProgress([&](qint64 done, qint64) { reported = done; });
        upgrades.updateSortKeys();
    });
    const double plain = ms([&] {
        SqlConnection c;
        c.open(copy, kPassword);
        c.exec(QStringLiteral("BEGIN IMMEDIATE"));
        for (const SortKeys::Keyed& k : SortKeys::keyed()) {
            const QString table = QLatin1String(k.table);
            const QString key = SortKeys::keyColumn(k.column);
            c.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 BLOB; UPDATE %1 SET %2=PLKEY(%3); "
                                  "CREATE INDEX %4 ON %1 (%5%2)")
                       .arg(table, key, QLatin1String(k.column), SortKeys::indexName(k),
                            *k.archive ? QLatin1String(k.archive) + QStringLiteral(", ") : QString()));
            if (*k.archive)
                c.exec(QStringLiteral("CREATE INDEX %1_%2 ON %1 (%2)").arg(table, QLatin1String(k.archive)));
        }
        c.exec(QStringLiteral("COMMIT"));
    });
    std::printf("%-22s program %10.2f ms  plain statements %10.2f ms  ratio %.2f (once each; %lld rows "
                "told)\n",
                "adding the keys", upgrade, plain, plain > 0 ? upgrade / plain : 0.0, reported);
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

    // The rest read by pages: the longest a page holds its read (read alone),
    // then again with another workstation (a second connection on a thread of
    // its own) saving every 50 ms meanwhile: how long its saves wait, and
    // whether any fails.
    auto byPages = [&](double& longest) {
        enter();
        int pages = 0;
        bool more = true;
        while (more) {
            longest = std::max(longest, ms([&] { more = q.fetchMore(Statement::kPageRows); }));
            ++pages;
        }
        return pages;
    };
    {
        double longest = 0;
        int pages = 0;
        const double alone = ms([&] { pages = byPages(longest); });
        std::printf("%-22s %d pages in %.0f ms, longest page %.2f ms; rows %d\n", "the rest by pages", pages,
                    alone, longest, q.recordCount());
        std::atomic<bool> stop{false};
        std::vector<double> waits;
        int failed = 0;
        const QString file = db.DatabaseMain().file();
        std::thread writer([&] {
            SqlConnection other;
            other.open(file, kPassword);
            while (!stop) {
                try {
                    waits.push_back(ms([&] {
                        other.exec(QStringLiteral("UPDATE komputery SET INNE='zapis' WHERE IDKOMPUTERA=1"));
                    }));
                } catch (const DbError&) {
                    ++failed;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        });
        double longestBusy = 0;
        const double busy = ms([&] { pages = byPages(longestBusy); });
        stop = true;
        writer.join();
        std::printf("%-22s %d pages in %.0f ms, longest page %.2f ms (waits for the saves included); saves "
                    "meanwhile %zu, longest %.2f ms, failed %d; rows %d\n",
                    "  while others save", pages, busy, longestBusy, waits.size(),
                    waits.empty() ? 0.0 : *std::max_element(waits.begin(), waits.end()), failed,
                    q.recordCount());
        std::fflush(stdout);
    }

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
