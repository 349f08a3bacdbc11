// Moving a database and packing it, in pairs against their floors in the
// same process (PairedTiming): the move of a generated database file to a
// server (target checked empty, rows copied, both sides counted) against the
// bare copy of the same rows into a prepared server database; the packing of
// the administration window (statements closed, the backend's statement on
// the live connection) against VACUUM on a connection of its own. Needs a
// server: run with the folder of a cluster started by
// tests/support/test_cluster.sh as the first argument. SPRZETNIK_BENCH_ROWS
// sets the computers (20000 by default; the other registers in proportion).
#include "BenchServer.h"
#include "LargeDatabase.h"
#include "PairedTiming.h"

#include "maintenance/DatabaseMove.h"
#include "maintenance/TableEmptying.h"
#include "store/DatabaseCopy.h"
#include "store/DatabaseTemplate.h"
#include "store/SqlConnection.h"
#include "store/TmyDataBase.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {
void recreate(const ServerAddress& admin, const ServerAddress& address)
{
    SqlConnection c;
    c.openServer(admin);
    c.exec(QStringLiteral("DROP DATABASE IF EXISTS ") + address.database + QStringLiteral(" WITH (FORCE)"));
    c.exec(QStringLiteral("CREATE DATABASE ") + address.database + QStringLiteral(" TEMPLATE template0"));
}

void deleteEveryRow(SqlConnection& c)
{
    c.exec(QStringLiteral("BEGIN"));
    for (const DatabaseCopy::TableRows& t : DatabaseCopy::count(c))
        c.exec(QStringLiteral("DELETE FROM ") + t.table);
    c.exec(QStringLiteral("COMMIT"));
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: server_move <cluster folder>\n");
        return 2;
    }
    const QString cluster = QString::fromLocal8Bit(argv[1]);
    const int rows = BenchServer::rows(20000);
    const ServerAddress admin = BenchServer::admin(cluster);
    DatabaseTemplate::setDefaultTemplateDir(QCoreApplication::applicationDirPath() + QStringLiteral("/data"));

    QTemporaryDir folder;
    LargeDatabaseSize size;
    size.computers = rows;
    size.equipment = rows / 5;
    size.employees = rows / 5;
    size.companies = rows / 50;
    size.deadlines = rows;
    size.repairs = rows / 5;
    size.documents = rows / 5;
    size.attachments = rows / 10;
    makeLargeDatabase(folder.path(), QStringLiteral("tajne1"), size);
    SqlConnection file;
    file.open(DatabaseTemplate::databaseFile(folder.path()), QStringLiteral("tajne1"));
    qint64 all = 0;
    for (const DatabaseCopy::TableRows& t : DatabaseCopy::count(file))
        all += t.rows;

    ServerAddress floorTarget = admin;
    floorTarget.database = QStringLiteral("bench_move_floor");
    ServerAddress moveTarget = admin;
    moveTarget.database = QStringLiteral("bench_move");
    for (const ServerAddress& a : {floorTarget, moveTarget}) {
        recreate(admin, a);
        DatabaseMove::prepareServer(a, DatabaseMove::ServerTarget::NoTables);
    }
    SqlConnection floorConnection;
    floorConnection.openServer(floorTarget);
    SqlConnection moveConnection;
    moveConnection.openServer(moveTarget);
    // Both sides start from a target with no rows: the floor's Replace deletes
    // them inside its copy, the move's target is emptied before it.
    const PairedFigures move = timePairs(
        5, [&] { DatabaseCopy::copy(file, floorConnection, DatabaseCopy::Target::Replace); },
        [&] {
            deleteEveryRow(moveConnection);
            if (DatabaseMove::checkServer(moveTarget).state != DatabaseMove::ServerTarget::Ready)
                std::fprintf(stderr, "target not ready\n");
            DatabaseMove::toServer(file, moveTarget);
        });
    printPairs(QStringLiteral("move to server vs copy"), all, move);
    floorConnection.close();
    moveConnection.close();

    TmyDataBase db;
    if (!db.connectTo(folder.path(), QStringLiteral("tajne1")))
        return 1;
    const PairedFigures pack = timePairs(
        5,
        [&] {
            SqlConnection own;
            own.open(DatabaseTemplate::databaseFile(folder.path()), QStringLiteral("tajne1"));
            own.exec(QStringLiteral("VACUUM"));
        },
        [&] { TableEmptying::packAll(db); });
    printPairs(QStringLiteral("pack file vs VACUUM"), all, pack);
    db.disconnect();

    SqlConnection c;
    c.openServer(admin);
    for (const ServerAddress& a : {floorTarget, moveTarget})
        c.exec(QStringLiteral("DROP DATABASE IF EXISTS ") + a.database + QStringLiteral(" WITH (FORCE)"));
    return 0;
}
