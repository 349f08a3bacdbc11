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
#include <QStandardPaths>
#include <QtTest>

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
    upgrade();
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
    // A second run adds nothing and changes nothing.
    QVERIFY(!SortKeys::addMissing(c));
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
