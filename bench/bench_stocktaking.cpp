// Stocktaking on a generated database, in pairs against floors in one
// process (PairedTiming):
//   bench_stocktaking [computers]   (default 100000; equipment a fifth)
// - opening a session of everything active (the expected items copied from
//   the registers) and removing it, against the bare INSERT … SELECT of the
//   same rows and their DELETE;
// - reading the session's items for the window against stepping through
//   the same rows of the items table without its joins;
// - a scan (looked up, marked, the session's counter moved, its own write
//   transaction) against the bare indexed UPDATE of one item in a transaction
//   of its own, 200 codes each turn;
// - codes no asset has, against looking one up in the computers' index.
#include "LargeDatabase.h"
#include "PairedTiming.h"

#include "store/DatabaseTemplate.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/Stocktaking.h"
#include "store/TableList.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>

namespace {
const QString kPassword = QStringLiteral("benchmark");

qint64 countOf(SqlConnection& c, const QString& sql)
{
    Statement q(&c, QString(), {sql});
    q.open();
    return q.integerAt(0, 0);
}

StocktakingSession everything()
{
    StocktakingSession s;
    s.date = 20261210;
    s.scope = QLatin1Char('W');
    s.scopeText = QStringLiteral("Wszystkie aktywne składniki");
    s.committee = QStringLiteral("Anna Nowak");
    return s;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int computers = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;
    DatabaseTemplate::setDefaultTemplateDir(QCoreApplication::applicationDirPath() + QStringLiteral("/data"));
    QTemporaryDir dir;
    qputenv("SPRZETNIK_CONFIG_DIR", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    LargeDatabaseSize size;
    size.computers = computers;
    size.equipment = computers / 5;
    makeLargeDatabase(dir.path(), kPassword, size);
    SqlConnection c;
    c.open(dir.path() + QLatin1Char('/') + kDatabaseFileName, kPassword);
    Stocktaking store(c);

    // Opening: every active computer and piece of equipment (BHP none here).
    const PairedFigures open = timePairs(
        5,
        [&] {
            c.exec(QStringLiteral("BEGIN IMMEDIATE"));
            c.exec(QStringLiteral("INSERT INTO inwentaryzacje (DATA) VALUES (20261210)"));
            for (const char* table : {"komputery", "sprzet"})
                c.exec(QStringLiteral("INSERT INTO inwentaryzacje_pozycje (IDINWENTARYZACJI, KOMPSPRZ, "
                                      "IDOBIEKTU, NREWID, NAZWA, LOKALIZACJA, NREW, OCZEKIWANA, ZNALEZIONA) "
                                      "SELECT 0, 'K', 1, NREWID, NAZWA, LOKALIZACJA, NREW, 'T', 'N' FROM ") +
                       QLatin1String(table) + QStringLiteral(" WHERE ARCHIWUM = 'N'"));
            c.exec(QStringLiteral("COMMIT"));
            c.exec(QStringLiteral("BEGIN IMMEDIATE"));
            c.exec(QStringLiteral("DELETE FROM inwentaryzacje_pozycje WHERE IDINWENTARYZACJI = 0"));
            c.exec(QStringLiteral(
                "DELETE FROM inwentaryzacje WHERE IDINWENTARYZACJI = (SELECT MAX(IDINWENTARYZACJI) "
                "FROM inwentaryzacje)"));
            c.exec(QStringLiteral("COMMIT"));
        },
        [&] {
            StocktakingSession s = everything();
            store.open(s);
            store.remove(s.id);
        });
    StocktakingSession session = everything();
    store.open(session);
    const qint64 items = countOf(c, QStringLiteral("SELECT COUNT(*) FROM inwentaryzacje_pozycje"));
    printPairs(QStringLiteral("session opened"), items, open);

    const PairedFigures read = timePairs(
        5,
        [&] {
            Statement q(&c, QString(),
                        {QStringLiteral("SELECT * FROM inwentaryzacje_pozycje WHERE IDINWENTARYZACJI = ") +
                         QString::number(session.id)});
            q.open();
            qint64 n = 0;
            for (q.first(); !q.eof(); q.next())
                n += q.text(QStringLiteral("NREWID")).size();
            if (n == 0)
                std::puts("no rows");
        },
        [&] {
            if (store.items(session.id).isEmpty())
                std::puts("no rows");
        });
    printPairs(QStringLiteral("items read"), items, read);

    // Numbers to scan: spread over the whole session.
    QStringList codes;
    {
        Statement q(&c, QString(),
                    {QStringLiteral("SELECT NREWID FROM inwentaryzacje_pozycje WHERE IDINWENTARYZACJI = ") +
                     QString::number(session.id) + QStringLiteral(" ORDER BY IDPOZYCJI")});
        q.open();
        const int step = qMax(1, int(items / 4000));
        for (int row = 0; row < q.recordCount(); row += step)
            codes << q.textAt(row, 0);
    }
    int next = 0;
    auto batch = [&] {
        QStringList some;
        for (int i = 0; i < 200; ++i)
            some << codes.at((next + i) % codes.size());
        next += 200;
        return some;
    };
    const PairedFigures scan = timePairs(
        7,
        [&] {
            for (const QString& code : batch()) {
                c.exec(QStringLiteral("BEGIN IMMEDIATE"));
                Statement u(&c, QString(),
                            {QStringLiteral("UPDATE inwentaryzacje_pozycje SET SKANY = SKANY + 1 WHERE "
                                            "IDINWENTARYZACJI = ") +
                             QString::number(session.id) + QStringLiteral(" AND NREWID = :PARAM0")});
                u.setParam(0, code);
                u.execSQL();
                c.exec(QStringLiteral("COMMIT"));
            }
        },
        [&] {
            for (const QString& code : batch())
                store.scan(session.id, code, QStringLiteral("bench"));
        });
    printPairs(QStringLiteral("200 scans"), items, scan);

    // Codes no asset has: the session and the three registers are searched
    // again regardless of case before the code is listed as unknown.
    int unknown = 0;
    const PairedFigures strangers = timePairs(
        5,
        [&] {
            for (int i = 0; i < 20; ++i) {
                Statement q(&c, QString(),
                            {QStringLiteral("SELECT COUNT(*) FROM komputery WHERE NREWID = :PARAM0")});
                q.setParam(0, QStringLiteral("OBCY-%1").arg(unknown + i));
                q.open();
            }
        },
        [&] {
            for (int i = 0; i < 20; ++i)
                store.scan(session.id, QStringLiteral("OBCY-%1").arg(unknown++), QStringLiteral("bench"));
        });
    printPairs(QStringLiteral("20 unknown codes"), items, strangers);
    return 0;
}
