// The Polish sort keys kept in the file: their order is the collation's, the
// upgrade adds them to an older file, the program's writes keep them current,
// a plain SQLite shell still reads and writes the file, and a keyed list reads
// its first rows at once while giving the same rows as a whole read.

#include "TestDatabase.h"
#include "TestSupport.h"

#include "store/DbError.h"
#include "store/ListState.h"
#include "store/SchemaUpgrades.h"
#include "store/SortKeys.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "store/WriteTransaction.h"

#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QtTest>

#include <sqlcipher/sqlite3.h>

namespace {
QStringList column(Statement& q, int c = 0)
{
    QStringList out;
    for (int r = 0; r < q.recordCount(); ++r)
        out << (q.isNullAt(r, c) ? QStringLiteral("<NULL>") : q.textAt(r, c));
    return out;
}

QStringList select(SqlConnection& connection, const QString& sql)
{
    Statement q(&connection, QStringLiteral("probe"), {sql});
    q.open();
    return column(q);
}

// Every list row's key (IDKOMPUTERA), in the order the list statement gave.
QStringList keysOf(Statement& q)
{
    return column(q, q.fieldIndex(QStringLiteral("IDKOMPUTERA")));
}
} // namespace

class TestSortKeys : public QObject
{
    Q_OBJECT

private:
    TempConfig m_config;
    std::unique_ptr<TestDatabase> m_database;
    TmyDataBase m_db;
    SqlConnection& connection() { return m_db.DatabaseMain(); }
    void exec(const QString& sql) { connection().exec(sql); }
    void upgrade()
    {
        SchemaUpgrades(m_db, m_database->dir(), m_database->password(), [](const QString&, const QString&) {
        }).updateSortKeys();
    }

private slots:
    void initTestCase();
    void keysOrderAsEngine();
    void upgradeAddsKeys();
    void writesKeepKeys();
    void rowsWrittenElsewhereGetKeys();
    void plainShellUsesFile();
    void keyedListSameRows_data();
    void keyedListSameRows();
    void pagesFollowTheEngineOrder_data();
    void pagesFollowTheEngineOrder();
    void othersSaveBetweenPages();
    void partialReadGivesWholeList();
    void writeFinishesRead();
    void closingStopsRead();
};

void TestSortKeys::initTestCase()
{
    m_database = std::make_unique<TestDatabase>(false);
    QVERIFY(m_db.connectTo(m_database->dir() + QStringLiteral("/"), m_database->password()));
    // More rows than a list reads first, with Polish letters, case pairs,
    // equal inventory numbers, NULL and empty ones, and liquidated records.
    const char* stems[] = {"Ż", "z", "Ą", "a", "ł", "L", "ć", "C", "ź", "e", "Ę", "ó", "O", "ś", "S"};
    exec(QStringLiteral("BEGIN"));
    for (int i = 0; i < 1300; ++i) {
        const QString nrewid =
            i % 97 == 0   ? QStringLiteral("NULL")
            : i % 89 == 0 ? QStringLiteral("''")
                          : QStringLiteral("'%1-%2'").arg(QString::fromUtf8(stems[i % 15])).arg(i % 40);
        exec(QStringLiteral("INSERT INTO komputery (IDKOMPUTERA,NREWID,NAZWA,ARCHIWUM,NREW,IDFIRMY) "
                            "VALUES (%1,%2,'Komputer %3','%4','',1)")
                 .arg(10000 + i)
                 .arg(nrewid)
                 .arg(i)
                 .arg(i % 7 == 0 ? 'T' : 'N'));
    }
    exec(QStringLiteral("COMMIT"));
}

void TestSortKeys::keysOrderAsEngine()
{
    // Every storage class: the keys in byte order give the collation's order.
    SqlConnection& c = connection();
    const QStringList pairs = {"NULL",  "3",     "2.5",   "'b'", "X'00'", "'Ą'", "'a'",
                               "-1",    "''",    "-2.75", "'B'", "X''",   "'ą'", "'Ż'",
                               "'źle'", "'zło'", "1e300", "'ﬀ'", "'a b'", "'ab'"};
    QString values = QStringLiteral("(SELECT 1 AS id, NULL AS v");
    for (int i = 1; i < pairs.size(); ++i)
        values += QStringLiteral(" UNION ALL SELECT %1, %2").arg(i + 1).arg(pairs.at(i));
    values += QLatin1Char(')');
    for (const char* direction : {"ASC", "DESC"}) {
        const QString order = QLatin1String(" ") + QLatin1String(direction) + QStringLiteral(", id");
        const QStringList byKey = select(c, QStringLiteral("SELECT id FROM ") + values +
                                                QStringLiteral(" ORDER BY PLKEY(v)") + order);
        QCOMPARE(byKey.size(), pairs.size());
        QCOMPARE(byKey, select(c, QStringLiteral("SELECT id FROM ") + values +
                                      QStringLiteral(" ORDER BY v COLLATE PL") + order));
    }
    // Never NULL, so a missing key stays told apart from a NULL value.
    QCOMPARE(select(c, QStringLiteral("SELECT PLKEY(NULL) IS NULL")), QStringList{QStringLiteral("0")});
}

void TestSortKeys::upgradeAddsKeys()
{
    SqlConnection& c = connection();
    // A file made by the previous version has neither the columns nor the order.
    QVERIFY(!c.hasSortKeys(QStringLiteral("DBFKomputery")));
    QVERIFY(SortKeys::orderTerm(c, QStringLiteral("DBFKomputery"), QStringLiteral("NREWID")).isEmpty());
    // Employees enough for several steps of the fill, their rowids with gaps.
    exec(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<20000) "
        "INSERT INTO osobowa (NREW,NAZWISKO) SELECT printf('P%05d', i), "
        "CASE i % 4 WHEN 0 THEN 'Żak' WHEN 1 THEN 'zając' WHEN 2 THEN NULL ELSE 'Ćma' END FROM n; "
        "DELETE FROM osobowa WHERE NREW LIKE 'P%' AND rowid % 3 = 0"));
    qint64 rows = 0;
    for (const SortKeys::Keyed& k : SortKeys::keyed())
        rows +=
            select(c, QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(k.table)).first().toLongLong();
    QList<QPair<qint64, qint64>> told;
    {
        SchemaUpgrades upgrades(m_db, m_database->dir(), m_database->password(),
                                [](const QString&, const QString&) {});
        upgrades.setProgress([&](qint64 done, qint64 total) { told.append({done, total}); });
        upgrades.updateSortKeys();
    }
    // Told from nothing to every row, step by step, never backwards.
    QVERIFY(told.size() > 3);
    QCOMPARE(told.first(), qMakePair(qint64(0), rows));
    QCOMPARE(told.last(), qMakePair(rows, rows));
    for (int i = 1; i < told.size(); ++i)
        QVERIFY(told[i].first >= told[i - 1].first && told[i].second == rows);
    QCOMPARE(
        select(c, QStringLiteral("SELECT COUNT(*) FROM osobowa WHERE NAZWISKO_PL IS NOT PLKEY(NAZWISKO)")),
        QStringList{QStringLiteral("0")});
    exec(QStringLiteral("DELETE FROM osobowa WHERE NREW LIKE 'P%'"));
    for (const SortKeys::Keyed& k : SortKeys::keyed()) {
        QVERIFY2(c.hasSortKeys(QLatin1String(k.list)), k.list);
        QCOMPARE(
            select(c, QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type='index' AND name='") +
                          SortKeys::indexName(k) + QLatin1Char('\'')),
            QStringList{QStringLiteral("1")});
    }
    // Every existing row has its key.
    QCOMPARE(select(c, QStringLiteral("SELECT COUNT(*) FROM komputery WHERE NREWID_PL IS NULL")),
             QStringList{QStringLiteral("0")});
    QCOMPARE(SortKeys::orderTerm(c, QStringLiteral("DBFKomputery"), QStringLiteral("nrewid")),
             QStringLiteral("K.NREWID_PL"));
    QCOMPARE(SortKeys::orderTerm(c, QStringLiteral("DBFKomputery"), QStringLiteral("K.NREWID")),
             QStringLiteral("K.NREWID_PL"));
    // Another column, a joined table's column and a list without keys keep the collation.
    QVERIFY(SortKeys::orderTerm(c, QStringLiteral("DBFKomputery"), QStringLiteral("NAZWA")).isEmpty());
    QVERIFY(SortKeys::orderTerm(c, QStringLiteral("DBFKomputery"), QStringLiteral("A.NREWID")).isEmpty());
    QVERIFY(SortKeys::orderTerm(c, QStringLiteral("DBFTerminy"), QStringLiteral("DATAOD")).isEmpty());
    // A second run adds nothing, changes nothing and has nothing to tell.
    told.clear();
    QVERIFY(!SortKeys::addMissing(c, [&](qint64 done, qint64 total) { told.append({done, total}); }));
    QVERIFY(told.isEmpty());
}

void TestSortKeys::writesKeepKeys()
{
    SqlConnection& c = connection();
    const QString stale = QStringLiteral(
        "SELECT COUNT(*) FROM komputery WHERE NREWID_PL IS NOT PLKEY(NREWID) OR NREWID_PL IS NULL");
    exec(QStringLiteral("INSERT INTO komputery (IDKOMPUTERA,NREWID,ARCHIWUM) VALUES (20001,'Łąka','N')"));
    exec(QStringLiteral("UPDATE komputery SET NREWID='ółko' WHERE IDKOMPUTERA=10005"));
    exec(QStringLiteral("UPDATE komputery SET NREWID=NULL WHERE IDKOMPUTERA=10006"));
    QCOMPARE(select(c, stale), QStringList{QStringLiteral("0")});
    // After the file was reopened (another workstation's restore) too.
    const QString file = c.file();
    c.close();
    c.open(file, m_database->password());
    QVERIFY(c.hasSortKeys(QStringLiteral("DBFKomputery")));
    exec(QStringLiteral("UPDATE komputery SET NREWID='Źródło' WHERE IDKOMPUTERA=20001"));
    QCOMPARE(select(c, stale), QStringList{QStringLiteral("0")});
    exec(QStringLiteral("DELETE FROM komputery WHERE IDKOMPUTERA=20001"));
}

void TestSortKeys::rowsWrittenElsewhereGetKeys()
{
    // A connection without our triggers (another program) leaves rows without
    // a key; the next login gives them one.
    {
        SqlConnection other;
        other.open(connection().file(), m_database->password());
        other.exec(QStringLiteral("DROP TRIGGER temp.komputery_NREWID_PL_ins"));
        other.exec(
            QStringLiteral("INSERT INTO komputery (IDKOMPUTERA,NREWID,ARCHIWUM) VALUES (20002,'Ósma','N')"));
    }
    SqlConnection& c = connection();
    QCOMPARE(select(c, QStringLiteral("SELECT NREWID_PL IS NULL FROM komputery WHERE IDKOMPUTERA=20002")),
             QStringList{QStringLiteral("1")});
    upgrade();
    QCOMPARE(
        select(c, QStringLiteral("SELECT NREWID_PL = PLKEY(NREWID) FROM komputery WHERE IDKOMPUTERA=20002")),
        QStringList{QStringLiteral("1")});
    exec(QStringLiteral("DELETE FROM komputery WHERE IDKOMPUTERA=20002"));
}

void TestSortKeys::plainShellUsesFile()
{
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlcipher"));
    if (shell.isEmpty())
        QSKIP("no sqlcipher shell on this machine");
    QProcess p;
    p.start(shell, {connection().file()});
    QVERIFY(p.waitForStarted());
    p.write(QStringLiteral("PRAGMA key='%1';\n"
                           "SELECT COUNT(*) FROM komputery WHERE ARCHIWUM='N' AND NREWID_PL IS NOT NULL;\n"
                           "INSERT INTO komputery (IDKOMPUTERA,NREWID,ARCHIWUM) VALUES (20003,'Ćma','N');\n"
                           "PRAGMA integrity_check;\n")
                .arg(m_database->password())
                .toUtf8());
    p.closeWriteChannel();
    QVERIFY(p.waitForFinished(30000));
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QCOMPARE(p.exitCode(), 0);
    QVERIFY2(p.readAllStandardError().isEmpty(), qPrintable(out));
    QVERIFY2(out.trimmed().endsWith(QLatin1String("ok")), qPrintable(out));
    // The shell's row is there; the next login keys it.
    upgrade();
    QCOMPARE(
        select(connection(),
               QStringLiteral("SELECT NREWID_PL = PLKEY(NREWID) FROM komputery WHERE IDKOMPUTERA=20003")),
        QStringList{QStringLiteral("1")});
    exec(QStringLiteral("DELETE FROM komputery WHERE IDKOMPUTERA=20003"));
}

void TestSortKeys::keyedListSameRows_data()
{
    QTest::addColumn<bool>("ascending");
    QTest::addColumn<bool>("liquidated");
    QTest::newRow("current ascending") << true << false;
    QTest::newRow("current descending") << false << false;
    QTest::newRow("liquidated descending") << false << true;
}

void TestSortKeys::keyedListSameRows()
{
    QFETCH(bool, ascending);
    QFETCH(bool, liquidated);
    const QString list = QStringLiteral("DBFKomputery");
    ListState& state = m_db.listState();
    state.reset(list);
    state.setArchive(liquidated);
    state.setAscending(list, ascending);
    // The whole read with the collation, as without keys.
    Statement reference(&connection(), list, m_db.statement(list).lines());
    state.applyTo(list, reference);
    reference.open();
    QVERIFY(reference.line(ListState::orderLine(list)).contains(QLatin1String("COLLATE PL")));

    QVERIFY(m_db.reloadList(list));
    Statement& q = m_db.statement(list);
    QCOMPARE(q.line(ListState::orderLine(list)), QStringLiteral("K.NREWID_PL"));
    // Only the first rows were read, yet the count is the whole list's.
    const int whole = reference.recordCount();
    QVERIFY(whole > 150);
    if (q.isReading())
        QVERIFY(q.loadedCount() < whole);
    QCOMPARE(q.shownCount(), whole);
    QCOMPARE(keysOf(q), keysOf(reference));
    QVERIFY(!q.isReading());
    state.reset(list);
}

void TestSortKeys::pagesFollowTheEngineOrder_data()
{
    QTest::addColumn<bool>("ascending");
    QTest::addColumn<bool>("keyless");
    QTest::newRow("ascending") << true << false;
    QTest::newRow("descending") << false << false;
    // Rows written by another program since the login have no key yet: the
    // engine puts them first (ascending) or last, and the pages follow it.
    QTest::newRow("ascending, rows without a key") << true << true;
    QTest::newRow("descending, rows without a key") << false << true;
}

void TestSortKeys::pagesFollowTheEngineOrder()
{
    QFETCH(bool, ascending);
    QFETCH(bool, keyless);
    const QString list = QStringLiteral("DBFKomputery");
    ListState& state = m_db.listState();
    state.reset(list);
    state.setAscending(list, ascending);
    if (keyless)
        exec(QStringLiteral("UPDATE komputery SET NREWID_PL=NULL WHERE IDKOMPUTERA % 5 = 0"));
    QVERIFY(m_db.reloadList(list));
    Statement& q = m_db.statement(list);
    QVERIFY(q.readsByPages());
    // Small pages, so one ends inside a run of equal numbers, among the
    // keyless rows and at the border between them and the others.
    int pages = 0;
    while (q.fetchMore(37))
        ++pages;
    QVERIFY(pages > 10);
    // The same text read whole in one go: the engine's own order.
    Statement whole(&connection(), list, q.lines());
    whole.open();
    QCOMPARE(keysOf(q), keysOf(whole));
    upgrade(); // the keys back
    state.reset(list);
}

void TestSortKeys::othersSaveBetweenPages()
{
    const QString list = QStringLiteral("DBFKomputery");
    m_db.listState().reset(list);
    QVERIFY(m_db.reloadList(list));
    Statement& q = m_db.statement(list);
    QVERIFY(q.fetchMore(100));
    QVERIFY(q.readsByPages());
    const int id = q.fieldIndex(QStringLiteral("IDKOMPUTERA"));
    const int read = q.loadedCount();
    const QString moved = q.textAt(10, id);
    Statement before(&connection(), list, q.lines());
    before.open();
    const QString removed = before.textAt(read + 200, id); // not read yet
    QVERIFY(q.isReading());
    QCOMPARE(q.loadedCount(), read);

    // Another workstation saves while the list is still being read. It waits
    // for a lock far shorter than the usual timeout: none is held between pages.
    SqlConnection other;
    other.open(connection().file(), m_database->password());
    sqlite3_busy_timeout(other.handle(), 200);
    exec(QStringLiteral("CREATE TEMP TABLE kept AS SELECT * FROM komputery WHERE IDKOMPUTERA IN (%1,%2)")
             .arg(moved, removed));
    other.exec(QStringLiteral("BEGIN IMMEDIATE;"
                              // a row already shown moves past the rows read
                              "UPDATE komputery SET NREWID='żżż przeniesiony' WHERE IDKOMPUTERA=%1;"
                              "DELETE FROM komputery WHERE IDKOMPUTERA=%2;"
                              "INSERT INTO komputery (IDKOMPUTERA,NREWID,NAZWA,ARCHIWUM) "
                              "VALUES (20100,'żżż nowy','Nowy','N');"
                              "COMMIT")
                   .arg(moved, removed));

    q.fetchAll();
    const QStringList ids = keysOf(q);
    QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), ids.size()); // no row twice
    QCOMPARE(ids.indexOf(moved), 10);                                   // where it was shown
    QVERIFY(ids.contains(QStringLiteral("20100")));
    QVERIFY(!ids.contains(removed));
    // Every other row as the list now stands, in its order.
    Statement now(&connection(), list, q.lines());
    now.open();
    QStringList expected = keysOf(now);
    expected.removeOne(moved);
    QStringList shown = ids;
    shown.removeOne(moved);
    QCOMPARE(shown, expected);
    // A reload shows the moved row in its new place.
    q.close();
    QVERIFY(m_db.reloadList(list));
    QCOMPARE(keysOf(q), keysOf(now));

    exec(QStringLiteral("DELETE FROM komputery WHERE IDKOMPUTERA IN (%1,%2,20100);"
                        "INSERT INTO komputery SELECT * FROM kept; DROP TABLE kept")
             .arg(moved, removed));
}

void TestSortKeys::partialReadGivesWholeList()
{
    Statement q(&connection(), QStringLiteral("partial"),
                {QStringLiteral("SELECT IDKOMPUTERA FROM komputery ORDER BY IDKOMPUTERA")});
    q.setFirstRows(10);
    q.open();
    QVERIFY(q.isReading());
    QCOMPARE(q.loadedCount(), 10);
    // Unknown count: the count reads the rest.
    const QStringList all = select(connection(), q.line(0));
    // A row past those read is read on demand, only so far.
    QCOMPARE(q.textAt(300, 0), all.at(300));
    QVERIFY(q.isReading());
    QVERIFY(q.loadedCount() < all.size());
    // The cursor walks through the whole result.
    int visited = 0;
    for (q.first(); !q.eof(); q.next())
        ++visited;
    QCOMPARE(visited, all.size());
    QVERIFY(!q.isReading());
    QCOMPARE(column(q), all);
    // Reopened: parts again; reorder() sorts every row, not the first ones.
    q.open();
    QVERIFY(q.isReading());
    QVERIFY(q.reorder(0, false, q.lines()));
    QCOMPARE(q.recordCount(), all.size());
    QCOMPARE(q.textAt(0, 0), all.last());
}

void TestSortKeys::writeFinishesRead()
{
    // A read still open when this connection writes would meet the change half
    // way: the write first reads the rest as it was.
    Statement q(&connection(), QStringLiteral("partial"),
                {QStringLiteral("SELECT IDKOMPUTERA, NAZWA FROM komputery WHERE IDKOMPUTERA >= 10000 "
                                "ORDER BY IDKOMPUTERA")});
    q.setFirstRows(5);
    q.open();
    const int before =
        select(connection(), QStringLiteral("SELECT COUNT(*) FROM komputery WHERE IDKOMPUTERA >= 10000"))
            .first()
            .toInt();
    Statement write(&connection(), QStringLiteral("write"),
                    {QStringLiteral("UPDATE komputery SET NAZWA='zmieniony' WHERE IDKOMPUTERA=11200")});
    write.execSQL();
    QVERIFY(!q.isReading());
    QCOMPARE(q.recordCount(), before);
    const int row = q.recordCount() - 100; // 11200 is among the last
    QVERIFY(q.textAt(row, 1) != QLatin1String("zmieniony"));
    // A write transaction the same.
    q.open();
    QVERIFY(q.isReading());
    {
        WriteTransaction t(connection());
        t.commit();
    }
    QVERIFY(!q.isReading());
    QCOMPARE(q.recordCount(), before);
}

void TestSortKeys::closingStopsRead()
{
    SqlConnection c;
    c.open(connection().file(), m_database->password());
    Statement q(&c, QStringLiteral("partial"), {QStringLiteral("SELECT IDKOMPUTERA FROM komputery")});
    q.setFirstRows(3);
    q.open();
    QVERIFY(q.isReading());
    c.close(); // no statement left behind on the closed handle
    QVERIFY(!q.isReading());
    QCOMPARE(q.recordCount(), 3);
    QCOMPARE(q.textAt(5, 0), QString());
}

QTEST_GUILESS_MAIN(TestSortKeys)
#include "test_sortkeys.moc"
