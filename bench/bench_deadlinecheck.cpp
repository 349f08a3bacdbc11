// The deadline check window against its floor, timed in pairs in one process:
//   bench_deadlinecheck [sizes...]   (default 10000 100000)
// For each size N a generated database holds N deadlines, N repairs and one
// BHP holding for each of 20,000 employees. The floor is the five section
// queries with their bounds stepped through every row without building
// anything; the program is the window's table filled (collection with the
// object labels, and the table shown from it), as the user waits for it
// after login. Two windows: the default (every past date, so most of the
// database is due) and a month back around a day in the middle of the data.
#include "LargeDatabase.h"
#include "PairedTiming.h"

#include "base/Clock.h"
#include "base/Config.h"
#include "reminders/DeadlineCheck.h"
#include "reminders/TfSprawdzenieDat.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"

#include <QApplication>
#include <QTemporaryDir>

#include <sqlcipher/sqlite3.h>

#include <cstdio>
#include <memory>

namespace {
const QString kPassword = QStringLiteral("benchmark");
const QDate kToday(2022, 6, 15);

struct Fixture
{
    QTemporaryDir dir;
    TmyDataBase db;
    explicit Fixture(int rows)
    {
        qputenv("SPRZETNIK_CONFIG_DIR", dir.filePath(QStringLiteral("config")).toLocal8Bit());
        LargeDatabaseSize size;
        size.computers = qMax(1000, rows / 5);
        size.equipment = qMax(1000, rows / 10);
        size.deadlines = rows;
        size.repairs = rows;
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

// The five statements with their bounds, prepared and stepped through every
// row, each column read as text.
qint64 stepSections(TmyDataBase& db, const QList<QByteArray>& texts)
{
    qint64 rows = 0;
    for (const QByteArray& sql : texts) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db.DatabaseMain().handle(), sql.constData(), -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0, n = sqlite3_column_count(stmt); c < n; ++c)
                sqlite3_column_text(stmt, c);
            ++rows;
        }
        sqlite3_finalize(stmt);
    }
    return rows;
}

QList<QByteArray> sectionTexts(TmyDataBase& db, const DeadlineOptions& o)
{
    const QString upper = QString::number(DeadlineCheck::upperBound(kToday, o.dataWsteczna));
    const QString lower = QString::number(DeadlineCheck::lowerBound(kToday, o.dataWstecznaMin));
    QList<QByteArray> texts;
    for (const char* name : {"DBFdatyTerminarzDTOD", "DBFdatyTerminarzDTDO", "DBFdatyNaprawy",
                             "DBFdatyDokumenty", "DBFdatyStanBHP"}) {
        Statement& s = db.statement(QLatin1String(name));
        const int first = QByteArray(name).startsWith("DBFdatyTerminarz") ? 7
                          : QByteArray(name) == "DBFdatyStanBHP"          ? 6
                                                                          : 1;
        s.setLine(first, upper);
        s.setLine(first + 2, lower);
        texts << s.text().toUtf8();
    }
    return texts;
}

void run(int rows, int pairs)
{
    Fixture f(rows);
    Clock::setFixed(QDateTime(kToday, QTime(8, 0)));
    for (int daysBack : {0, 30}) {
        DeadlineOptions o;
        o.dataWstecznaMin = daysBack;
        Config::global().set(QStringLiteral("dataWstecznaMin"), daysBack);
        const QList<QByteArray> texts = sectionTexts(f.db, o);
        const QString window = daysBack ? QStringLiteral("month") : QStringLiteral("all past");
        auto window_ = std::make_unique<TfSprawdzenieDat>(f.db);
        qint64 stepped = 0;
        const PairedFigures fill = timePairs(
            pairs, [&] { stepped = stepSections(f.db, texts); }, [&] { window_->fillTable(); });
        printPairs(QStringLiteral("fill window (%1)").arg(window), window_->entries().size(), fill);
        DeadlineCheck check(f.db);
        const PairedFigures collect = timePairs(
            pairs, [&] { stepSections(f.db, texts); },
            [&] { check.collect(o, AppState::instance().rights, kToday); });
        printPairs(QStringLiteral("collect only (%1)").arg(window), stepped, collect);
    }
    Clock::setFixed({});
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QByteArray(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {10000, 100000};
    for (int rows : sizes)
        run(rows, rows >= 500000 ? 3 : 7);
    return 0;
}
