// The computer list on a database server, in pairs against its floor in the
// same process (PairedTiming): the list statement opened and read whole
// through the store, against the same SQL sent through libpq alone with every
// value touched; the list entered as the register enters it (first rows, the
// count beside them) against its first rows through libpq alone, and then
// read on to its end page by page; the in-memory re-sort by "NAZWA" against
// the same list read in that order through libpq alone, and against a plain
// std::sort of the same Polish keys. Needs a server: run with the folder of a
// cluster started by tests/support/test_cluster.sh as the first argument.
// SPRZETNIK_BENCH_ROWS sets the computers (100000 by default);
// SPRZETNIK_BENCH_KEEP leaves the database on the server.
#include "BenchServer.h"
#include "PairedTiming.h"

#include "store/DatabaseTemplate.h"
#include "store/ListState.h"
#include "store/PolishCollation.h"
#include "store/ServerBackend.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/StatementTexts.h"
#include "store/TmyDataBase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <libpq-fe.h>

namespace {
double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Wall time in pairs, floor first: the server's own work is part of both.
void wallPairs(const char* name, int rows, int pairs, const std::function<void()>& floor,
               const std::function<void()>& program)
{
    std::vector<double> floorMs, programMs, ratios;
    for (int i = 0; i <= pairs; ++i) {
        QElapsedTimer t;
        t.start();
        floor();
        const double f = double(t.nsecsElapsed()) / 1e6;
        t.restart();
        program();
        const double p = double(t.nsecsElapsed()) / 1e6;
        if (i == 0)
            continue; // the first turn of each untimed
        floorMs.push_back(f);
        programMs.push_back(p);
        ratios.push_back(p / f);
    }
    std::printf("%-28s %9d rows  floor %9.2f ms  program %9.2f ms  ratio %5.2f (wall, %d pairs; program "
                "%.2f..%.2f ms)\n",
                name, rows, median(floorMs), median(programMs), median(ratios), pairs,
                *std::min_element(programMs.begin(), programMs.end()),
                *std::max_element(programMs.begin(), programMs.end()));
    std::fflush(stdout);
}

// The SQL through libpq alone, every value looked at.
void rawRead(PGconn* raw, const QByteArray& sql)
{
    PGresult* r = PQexecParams(raw, sql.constData(), 0, nullptr, nullptr, nullptr, nullptr, 0);
    qint64 sink = 0;
    const int n = PQntuples(r);
    const int columns = PQnfields(r);
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < columns; ++c)
            sink += PQgetlength(r, i, c);
    PQclear(r);
    if (sink == -1)
        std::printf("-");
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: server_listload <cluster folder>\n");
        return 2;
    }
    const QString cluster = QString::fromLocal8Bit(argv[1]);
    const int rows = BenchServer::rows(100000);
    const ServerAddress admin = BenchServer::admin(cluster);
    ServerAddress address = admin;
    address.database = QStringLiteral("bench_%1").arg(rows);
    {
        SqlConnection c;
        c.openServer(admin);
        c.exec(QStringLiteral("DROP DATABASE IF EXISTS ") + address.database);
        c.exec(QStringLiteral("CREATE DATABASE ") + address.database + QStringLiteral(" TEMPLATE template0"));
    }
    DatabaseTemplate::setDefaultTemplateDir(QCoreApplication::applicationDirPath() + QStringLiteral("/data"));
    DatabaseTemplate::createOnServer(address, false);

    SqlConnection db;
    db.openServer(address);
    db.exec(
        QStringLiteral(
            "INSERT INTO komputery (IDFIRMY,NREW,NAZWA,PRODUCENT,NREWID,NRSERYJNY,DATAZAKUPU,NETTO,ARCHIWUM) "
            "SELECT 1, '', (ARRAY['Żuraw','łódź','Ćwiek','zebra','Śnieżka','Ala','Ęby','ósemka','Łąka',"
            "'czapla'])[1 + g % 10] || ' ' || g, 'Producent ' || (g % 50), 'K/' || g, 'SN' || g, "
            "20200101 + g % 1000, g * 1.5, 'N' FROM generate_series(1, %1) g")
            .arg(rows));

    // As a database in use: its statistics and visibility known to the server.
    db.exec(QStringLiteral("VACUUM ANALYZE komputery"));
    const int pairs = 7;

    ListState state;
    Statement list(&db, QStringLiteral("DBFKomputery"), statementLines(QStringLiteral("DBFKomputery")));
    state.applyTo(QStringLiteral("DBFKomputery"), list);
    const QString text = list.text();

    // The floor: the same text, its parameters none, every value looked at.
    QList<QByteArray> names;
    int end = 0;
    const QByteArray sql = ServerBackend::translate(text.toUtf8(), names, end);
    PGconn* raw = static_cast<ServerBackend*>(db.backend())->connection();
    auto floorRead = [&] { rawRead(raw, sql); };
    auto programRead = [&] {
        list.close();
        list.open();
        list.fetchAll();
    };
    wallPairs("list read whole", rows, pairs, floorRead, programRead);
    printPairs(QStringLiteral("list read whole (CPU)"), rows, timePairs(pairs, floorRead, programRead));
    list.close();

    // The register entered: its first rows and the count beside them, as the
    // list reloads; the floor is the same first rows through libpq alone.
    QTemporaryDir folder;
    TmyDataBase tdb;
    if (!tdb.connectToServer(address, folder.path()))
        return 1;
    const QString name = QStringLiteral("DBFKomputery");
    Statement& q = tdb.statement(name);
    tdb.listState().resetAll();
    auto enter = [&] {
        q.close(); // left and entered again: read afresh
        tdb.reloadList(name);
    };
    enter();
    QList<QByteArray> firstNames;
    const QByteArray firstSql = ServerBackend::translate(q.text().toUtf8(), firstNames, end) + "\nLIMIT " +
                                QByteArray::number(q.loadedCount());
    std::printf("first rows read %d of %d shown, by pages %s, order \"%s %s\"\n", q.loadedCount(),
                q.shownCount(), q.readsByPages() ? "yes" : "no",
                qPrintable(q.line(ListState::orderLine(name))),
                qPrintable(q.line(ListState::directionLine(name))));
    wallPairs(
        "list entered, first rows", rows, pairs, [&] { rawRead(raw, firstSql); }, enter);
    wallPairs("list entered, read to end", rows, 3, floorRead, [&] {
        enter();
        q.fetchAll();
    });
    q.close();

    // Re-sort in memory by NAZWA against std::sort of the same keys.
    list.close();
    list.open();
    list.fetchAll();
    const int nazwa = list.fieldIndex(QStringLiteral("NAZWA"));
    std::vector<std::string> keys;
    for (int r = 0; r < list.recordCount(); ++r) {
        const QByteArray t = list.textAt(r, nazwa).toUtf8();
        keys.push_back(PolishCollation::sortKey(t.constData(), int(t.size())));
    }
    bool ascending = true;
    auto floorSort = [&] {
        std::vector<std::string> copy = keys;
        std::sort(copy.begin(), copy.end());
    };
    auto programSort = [&] {
        ascending = !ascending;
        list.reorder(nazwa, ascending, list.lines());
    };
    printPairs(QStringLiteral("re-sort by NAZWA"), rows, timePairs(7, floorSort, programSort));
    // Against the same list read in that order through libpq alone: what
    // the re-sort saves a workstation.
    Statement byName(&db, QStringLiteral("DBFKomputery"), list.lines());
    state.sortBy(QStringLiteral("DBFKomputery"), QStringLiteral("NAZWA"));
    state.applyTo(QStringLiteral("DBFKomputery"), byName);
    QList<QByteArray> byNameNames;
    const QByteArray byNameSql = ServerBackend::translate(byName.text().toUtf8(), byNameNames, end);
    wallPairs(
        "re-sort by NAZWA vs reread", rows, pairs, [&] { rawRead(raw, byNameSql); }, programSort);

    db.close();
    if (qEnvironmentVariableIsSet("SPRZETNIK_BENCH_KEEP"))
        return 0; // left for a look at the server's plans
    SqlConnection c;
    c.openServer(admin);
    c.exec(QStringLiteral("DROP DATABASE IF EXISTS ") + address.database + QStringLiteral(" WITH (FORCE)"));
    return 0;
}
