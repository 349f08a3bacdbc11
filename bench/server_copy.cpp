// A generated database moved from the file to a server, in pairs against its
// floor in the same process, wall time: DatabaseCopy::copy into a server
// database with the program's tables (its rows replaced, in one transaction)
// against the same rows read through the file engine alone and loaded by the
// server's own bulk load (COPY ... FROM STDIN) in one transaction, which no
// statement-by-statement copy can beat. Then the way back: the server's rows
// written into a new encrypted file (an archive taken from the server), timed
// alone. Needs a server: run with the folder of a cluster started by
// tests/support/test_cluster.sh as the first argument. SPRZETNIK_BENCH_ROWS
// sets the computers (100000 by default; the other registers in proportion).
#include "BenchServer.h"
#include "LargeDatabase.h"

#include "store/DatabaseCopy.h"
#include "store/DatabaseTemplate.h"
#include "store/SqlConnection.h"
#include "store/TableList.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <libpq-fe.h>
#include <sqlcipher/sqlite3.h>

namespace {
double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void check(PGconn* c, PGresult* r)
{
    const ExecStatusType s = PQresultStatus(r);
    if (s != PGRES_COMMAND_OK && s != PGRES_TUPLES_OK && s != PGRES_COPY_IN) {
        std::fprintf(stderr, "%s\n", PQerrorMessage(c));
        std::exit(1);
    }
    PQclear(r);
}

// One value in COPY's text form.
void appendCopyValue(QByteArray& out, sqlite3_stmt* s, int c)
{
    switch (sqlite3_column_type(s, c)) {
    case SQLITE_NULL:
        out += "\\N";
        return;
    case SQLITE_INTEGER:
        out += QByteArray::number(sqlite3_column_int64(s, c));
        return;
    case SQLITE_FLOAT:
        out += QByteArray::number(sqlite3_column_double(s, c), 'g', 17);
        return;
    case SQLITE_BLOB: {
        const QByteArray bytes(static_cast<const char*>(sqlite3_column_blob(s, c)),
                               sqlite3_column_bytes(s, c));
        out += "\\\\x" + bytes.toHex();
        return;
    }
    default: {
        const char* text = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
        const int n = sqlite3_column_bytes(s, c);
        for (int i = 0; i < n; ++i) {
            const char ch = text[i];
            if (ch == '\\')
                out += "\\\\";
            else if (ch == '\t')
                out += "\\t";
            else if (ch == '\n')
                out += "\\n";
            else if (ch == '\r')
                out += "\\r";
            else
                out += ch;
        }
    }
    }
}

// The floor: every table read through the file engine and loaded by COPY, in one transaction.
void bulkLoad(SqlConnection& file, PGconn* server)
{
    check(server, PQexec(server, "BEGIN"));
    for (const QString& table : TableList::tables()) {
        QStringList columns = DatabaseTemplate::tableColumns(file, table);
        check(server, PQexec(server, ("DELETE FROM " + table).toUtf8().constData()));
        const QByteArray list = columns.join(QStringLiteral(", ")).toUtf8();
        check(server, PQexec(server, "COPY " + table.toUtf8() + " (" + list + ") FROM STDIN"));
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(file.handle(), ("SELECT " + list + " FROM " + table.toUtf8()).constData(), -1, &s,
                           nullptr);
        QByteArray buffer;
        const int width = sqlite3_column_count(s);
        while (sqlite3_step(s) == SQLITE_ROW) {
            for (int c = 0; c < width; ++c) {
                if (c)
                    buffer += '\t';
                appendCopyValue(buffer, s, c);
            }
            buffer += '\n';
            if (buffer.size() > (1 << 20)) {
                PQputCopyData(server, buffer.constData(), int(buffer.size()));
                buffer.clear();
            }
        }
        sqlite3_finalize(s);
        PQputCopyData(server, buffer.constData(), int(buffer.size()));
        PQputCopyEnd(server, nullptr);
        check(server, PQgetResult(server));
    }
    check(server, PQexec(server, "COMMIT"));
}

QByteArray conninfo(const ServerAddress& a)
{
    return QStringLiteral("host=%1 port=%2 dbname=%3 user=%4 password=%5")
        .arg(a.host)
        .arg(a.port)
        .arg(a.database, a.user, a.password)
        .toUtf8();
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: server_copy <cluster folder>\n");
        return 2;
    }
    const QString cluster = QString::fromLocal8Bit(argv[1]);
    const int rows = BenchServer::rows(100000);
    DatabaseTemplate::setDefaultTemplateDir(QCoreApplication::applicationDirPath() + QStringLiteral("/data"));
    const ServerAddress admin = BenchServer::admin(cluster);
    std::vector<ServerAddress> targets;
    for (const char* name : {"bench_move_program", "bench_move_floor"}) {
        ServerAddress a = admin;
        a.database = QString::fromLatin1(name);
        SqlConnection c;
        c.openServer(admin);
        c.exec(QStringLiteral("DROP DATABASE IF EXISTS ") + a.database);
        c.exec(QStringLiteral("CREATE DATABASE ") + a.database + QStringLiteral(" TEMPLATE template0"));
        SqlConnection t;
        t.openServer(a);
        t.exec(QStringLiteral("BEGIN"));
        DatabaseTemplate::createTables(t);
        t.exec(QStringLiteral("COMMIT"));
        targets.push_back(a);
    }

    QTemporaryDir folder;
    LargeDatabaseSize size = everyRegister(rows);
    makeLargeDatabase(folder.path(), QStringLiteral("bench"), size);
    SqlConnection file;
    file.open(DatabaseTemplate::databaseFile(folder.path()), QStringLiteral("bench"));
    qint64 inAll = 0;
    for (const DatabaseCopy::TableRows& t : DatabaseCopy::count(file))
        inAll += t.rows;

    SqlConnection program;
    program.openServer(targets[0]);
    PGconn* floor = PQconnectdb(conninfo(targets[1]).constData());
    const int pairs = 5;
    std::vector<double> floorMs, programMs, ratios;
    for (int i = 0; i <= pairs; ++i) {
        QElapsedTimer t;
        t.start();
        bulkLoad(file, floor);
        const double f = double(t.nsecsElapsed()) / 1e6;
        t.restart();
        DatabaseCopy::copy(file, program, DatabaseCopy::Target::Replace);
        const double p = double(t.nsecsElapsed()) / 1e6;
        if (i == 0)
            continue;
        floorMs.push_back(f);
        programMs.push_back(p);
        ratios.push_back(p / f);
    }
    std::printf(
        "file -> server    %9lld rows  floor (COPY) %9.1f ms  program %9.1f ms  ratio %5.2f (wall, %d "
        "pairs)\n",
        inAll, median(floorMs), median(programMs), median(ratios), pairs);

    std::vector<double> backMs;
    for (int i = 0; i < 3; ++i) {
        const QString back = folder.filePath(QStringLiteral("z-serwera.db"));
        QFile::remove(back);
        QElapsedTimer t;
        t.start();
        DatabaseCopy::toNewFile(program, back, QStringLiteral("bench"));
        backMs.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::printf("server -> new file %9lld rows  %9.1f ms (median of 3)\n", inAll, median(backMs));
    PQfinish(floor);
    return 0;
}
