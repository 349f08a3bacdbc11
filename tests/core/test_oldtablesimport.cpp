#include "OldTablesFixture.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/ErrorLog.h"
#include "store/DatabaseTemplate.h"
#include "store/OldTablesError.h"
#include "store/OldTablesImport.h"
#include "store/SchemaUpgrades.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"
#include "users/UserAccounts.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sqlcipher/sqlite3.h>
#include <unistd.h>

using namespace OldTablesFixture;
using Kind = OldTableWriter::Kind;
using Reason = OldTablesError::Reason;

namespace {
const QString kOld = QStringLiteral("Haslo77");
const QString kNew = QStringLiteral("Nowe123");

QString rtrimmed(QString s)
{
    while (s.endsWith(QLatin1Char(' ')))
        s.chop(1);
    return s;
}

// What the new database keeps for a value of the old file, shown as text.
QString expected(const Column& old, const QString& type, bool key, const Value& v)
{
    if (type == QLatin1String("INTEGER")) {
        if (std::holds_alternative<std::monostate>(v))
            return old.name == QLatin1String("IDFIRMY") && !key ? QStringLiteral("-1") : QStringLiteral("0");
        return QString::number(std::get<qint64>(v));
    }
    if (type == QLatin1String("REAL")) {
        if (std::holds_alternative<std::monostate>(v))
            return QStringLiteral("0");
        return QString::number(
            std::holds_alternative<double>(v) ? std::get<double>(v) : double(std::get<qint64>(v)), 'g', 17);
    }
    if (type == QLatin1String("BLOB"))
        return QString::fromLatin1(std::holds_alternative<QByteArray>(v) ? std::get<QByteArray>(v).toHex()
                                                                         : "");
    if (std::holds_alternative<std::monostate>(v))
        return {};
    if (old.kind == Kind::Logical)
        return std::get<qint64>(v) ? QStringLiteral("T") : QStringLiteral("N");
    return rtrimmed(std::get<QString>(v).left(old.kind == Kind::Memo ? 100000 : old.length));
}

QString shown(const Statement& q, int row, int column, const QString& type)
{
    if (type == QLatin1String("INTEGER"))
        return QString::number(q.integerAt(row, column));
    if (type == QLatin1String("REAL"))
        return QString::number(q.numberAt(row, column), 'g', 17);
    if (type == QLatin1String("BLOB"))
        return QString::fromLatin1(q.bytesAt(row, column).toHex());
    return q.textAt(row, column);
}

// Compares every live row of every old table with the new database, row by row.
void compareRows(const QString& dir, const QList<Table>& tables)
{
    SqlConnection c;
    c.open(DatabaseTemplate::databaseFile(dir), kNew);
    for (const Table& t : tables) {
        Statement info(&c, QStringLiteral("info"),
                       {QStringLiteral("PRAGMA table_info(") + t.name + QLatin1Char(')')});
        info.open();
        QHash<QString, QPair<QString, bool>> types;
        for (info.first(); !info.eof(); info.next())
            types.insert(info.text(QStringLiteral("name")),
                         {info.text(QStringLiteral("type")), info.integer(QStringLiteral("pk")) > 0});
        Statement q(&c, QStringLiteral("rows"),
                    {QStringLiteral("SELECT * FROM ") + t.name + QStringLiteral(" ORDER BY rowid")});
        q.open();
        int row = 0;
        for (const Row& r : t.rows) {
            if (r.deleted)
                continue;
            QVERIFY2(row < q.recordCount(), qPrintable(t.name));
            for (int k = 0; k < t.columns.size(); ++k) {
                const Column& old = t.columns.at(k);
                const auto [type, key] = types.value(old.name);
                const QString kind = type.section(QLatin1Char('('), 0, 0);
                const QString actual = shown(q, row, q.fieldIndex(old.name), kind);
                const QString wanted = expected(old, kind, key, r.values.at(k));
                QVERIFY2(actual == wanted, qPrintable(QStringLiteral("%1.%2, row %3: %4 instead of %5")
                                                          .arg(t.name, old.name)
                                                          .arg(row + 1)
                                                          .arg(actual, wanted)));
            }
            ++row;
        }
        QCOMPARE(q.recordCount(), row);
    }
}

QStringList tablesOf(const QString& dir, const QString& password)
{
    SqlConnection c;
    c.open(DatabaseTemplate::databaseFile(dir), password);
    return DatabaseTemplate::tables(c);
}

QStringList entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

class StopAtFirstRows : public OldTablesImport::Progress
{
public:
    bool tableStarted(const QString&, int, int, qint64) override { return true; }
    bool rowsDone(qint64) override { return false; }
};
} // namespace

class TestOldTablesImport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyVersionConverts_data();
    void everyVersionConverts();
    void faultsLeaveNothingBehind_data();
    void faultsLeaveNothingBehind();
    void rowsUnderTakenKeysAreListed();
    void existingDatabaseStaysUntouched();

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString oldDir() const { return m_dir->filePath(QStringLiteral("stara")); }
    QString newDir() const { return m_dir->filePath(QStringLiteral("nowa/Sprzetnik_DB")); }
};

void TestOldTablesImport::init()
{
    m_config = std::make_unique<TempConfig>();
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestOldTablesImport::cleanup()
{
    m_dir.reset();
    m_config.reset();
}

void TestOldTablesImport::everyVersionConverts_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("told"); // the version the summary names
    QTest::addColumn<QStringList>("upgrades");
    const QStringList all = {QStringLiteral("1.0.2"), QStringLiteral("1.0.3"), QStringLiteral("1.0.4"),
                             QStringLiteral("1.0.5"), QStringLiteral("2.6")};
    QTest::newRow("first") << "1.0.1"
                           << "pierwsza" << all;
    QTest::newRow("1.0.2") << "1.0.2"
                           << "1.0.2" << all.mid(1);
    QTest::newRow("1.0.3") << "1.0.3"
                           << "1.0.3" << all.mid(2);
    QTest::newRow("1.0.4") << "1.0.4"
                           << "1.0.4" << all.mid(3);
    QTest::newRow("1.0.5") << "1.0.5"
                           << "1.0.5" << all.mid(4);
    QTest::newRow("2.6") << "2.6"
                         << "2.6" << QStringList();
}

void TestOldTablesImport::everyVersionConverts()
{
    QFETCH(QString, version);
    QFETCH(QString, told);
    QFETCH(QStringList, upgrades);
    const QList<Table> tables = OldTablesFixture::tables(version, kOld);
    OldTablesFixture::write(oldDir(), tables, version);

    OldTablesImport import(oldDir(), kOld, newDir(), kNew);
    const OldTablesImport::Summary summary = import.run();
    QVERIFY2(summary.notes.isEmpty(), qPrintable(summary.notes.join('\n')));
    QCOMPARE(summary.version, told);
    QCOMPARE(summary.tables.size(), tables.size());
    QCOMPARE(summary.skippedRows(), qint64(0));
    QCOMPARE(summary.rows(), qint64(tables.size()) * 4);
    QVERIFY(summary.text().contains(QStringLiteral("komputery.db: 4")));

    // Only the tables the version had, ACT only where it had it, and its markers.
    QStringList names;
    for (const Table& t : tables)
        names << t.name;
    QCOMPARE(tablesOf(newDir(), kNew).filter(QRegularExpression(QStringLiteral("^(?!sqlite_)"))), names);
    compareRows(newDir(), tables);
    for (const QString& marker : DatabaseTemplate::upgradeMarkers())
        QCOMPARE(QFile::exists(newDir() + QLatin1Char('/') + marker),
                 QFile::exists(oldDir() + QLatin1Char('/') + marker));
    const bool withBackups = upgrades.size() <= 1;
    for (const QString& table : {QStringLiteral("naprawy"), QStringLiteral("dokumenty")}) {
        const QString copy = SchemaUpgrades::backupCopyPath(newDir(), table);
        QCOMPARE(QFile::exists(copy), withBackups);
        if (withBackups) {
            SqlConnection c;
            c.open(copy, kNew);
            Statement q(&c, QStringLiteral("q"), {QStringLiteral("SELECT * FROM ") + table});
            q.open();
            QCOMPARE(q.recordCount(), 4);
            QVERIFY(!q.hasField(QStringLiteral("ACT")));
        }
    }

    // The first login: the accounts of the old version, then the upgrades with their messages.
    TmyDataBase db;
    QVERIFY(db.connectTo(newDir(), kNew));
    UserAccounts accounts(db);
    QCOMPARE(accounts.login(QStringLiteral("ADMIN"), QStringLiteral("kubol")),
             UserAccounts::LoginResult::LoggedIn);
    QCOMPARE(accounts.login(QStringLiteral("JAN"), QStringLiteral("zle")),
             UserAccounts::LoginResult::Refused);
    QCOMPARE(accounts.login(QStringLiteral("ŁUKASZ"), QStringLiteral("zażółć1")),
             UserAccounts::LoginResult::LoggedIn);
    QStringList boxes;
    SchemaUpgrades steps(db, newDir(), kNew, [&](const QString&, const QString& text) { boxes << text; });
    steps.run();
    QStringList expectedBoxes;
    for (const QString& v : upgrades)
        expectedBoxes << (v == QLatin1String("2.6")
                              ? QStringLiteral("Baza danych zaktualizowana do wersji 2.6")
                              : QStringLiteral("Sprzetnik oraz baza danych zaktualizowana do wersji ") + v);
    // The previous version had no stocktaking: every one gains its tables.
    expectedBoxes << QStringLiteral("Baza danych zaktualizowana do wersji 2.7");
    QCOMPARE(boxes, expectedBoxes);
    QCOMPARE(DatabaseTemplate::tables(db.DatabaseMain())
                 .filter(QRegularExpression(QStringLiteral("^(?!sqlite_)"))),
             TableList::tables() + TableList::addedTables());
    QVERIFY(db.columnExists(QStringLiteral("naprawy.DB"), QStringLiteral("ACT")));

    // The registers show the old rows with their keys and Polish text.
    QVERIFY(db.reloadList(QStringLiteral("DBFKomputery")));
    Statement& computers = db.statement(QStringLiteral("DBFKomputery"));
    QList<qint64> keys;
    for (computers.first(); !computers.eof(); computers.next())
        keys << computers.integer(QStringLiteral("IDKOMPUTERA"));
    std::sort(keys.begin(), keys.end());
    QCOMPARE(keys, (QList<qint64>{1, 2})); // 4 has no ARCHIWUM flag, 7 is liquidated
    QVERIFY(db.locate(QStringLiteral("DBFKomputery"), {1}));
    QCOMPARE(computers.text(QStringLiteral("NAZWA")),
             rtrimmed(QStringLiteral("NAZWA: Zażółć gęślą jaźń „cudzysłów” i \"podwójny\"   ")));
    for (const auto& [list, rows] :
         {std::pair{QStringLiteral("DBFosobowa"), 4}, std::pair{QStringLiteral("DBFProgramy"), 4},
          std::pair{QStringLiteral("DBFFirmy"), 3}}) { // without the own company
        QVERIFY2(db.reloadList(list), qPrintable(list));
        QVERIFY2(db.statement(list).recordCount() == rows, qPrintable(list));
    }

    // A new row takes a key after the highest the old table handed out, the deleted one's included.
    db.DatabaseMain().exec(QStringLiteral("INSERT INTO komputery (NAZWA) VALUES ('nowy')"));
    QCOMPARE(db.maxKey(QStringLiteral("komputery"), QStringLiteral("IDKOMPUTERA")), qint64(10));
}

void TestOldTablesImport::faultsLeaveNothingBehind_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("reason");
    QTest::addColumn<QString>("named"); // what the message must name
    QTest::newRow("wrong password") << "password" << int(Reason::WrongPassword) << "Komputery.DB";
    QTest::newRow("truncated table") << "truncated" << int(Reason::Damaged) << "Terminy.DB";
    QTest::newRow("table cut at a block") << "block" << int(Reason::Damaged) << "Terminy.DB";
    QTest::newRow("header overwritten") << "header" << int(Reason::Damaged) << "Osobowa.DB";
    QTest::newRow("truncated blob file") << "blob" << int(Reason::Damaged) << "Firmy.MB";
    QTest::newRow("blob block missing") << "blobBlock" << int(Reason::Damaged) << "Firmy.DB";
    QTest::newRow("blob file missing") << "noBlob" << int(Reason::Damaged) << "Firmy.DB";
    QTest::newRow("table missing") << "noTable" << int(Reason::Damaged) << "notatki.db";
    QTest::newRow("no tables") << "empty" << int(Reason::NoTables) << "stara";
    QTest::newRow("lock file") << "lock" << int(Reason::Locked) << "PARADOX.LCK";
    QTest::newRow("lock in NetFileDir") << "netLock" << int(Reason::Locked) << "PDOXUSRS.LCK";
    QTest::newRow("value too long") << "long" << int(Reason::DoesNotFit)
                                    << "firmy.db, w wierszu 2, w kolumnie NAZWA";
    QTest::newRow("not a number") << "number" << int(Reason::DoesNotFit) << "wierszu 1, w kolumnie LP";
    QTest::newRow("disk full") << "full" << int(Reason::TargetFailed) << "zabrakło miejsca";
    QTest::newRow("read-only folder") << "readOnly" << int(Reason::TargetFailed) << "nowa";
    QTest::newRow("cancelled") << "cancel" << int(Reason::Cancelled) << "przerwano";
}

void TestOldTablesImport::faultsLeaveNothingBehind()
{
    QFETCH(QString, fault);
    QFETCH(int, reason);
    QFETCH(QString, named);
    QList<Table> tables = OldTablesFixture::tables(QStringLiteral("1.0.2"), kOld);
    if (fault == QLatin1String("long"))
        std::get<QString>(tables[0].rows[1].values[1]) = QString(255, QChar(0x17B)); // "Ż" x 255
    if (fault == QLatin1String("number")) {
        // A text field where the new column wants a number.
        Table& names = tables[4];
        QCOMPARE(names.name, QStringLiteral("nazwawlasciwosci"));
        const int lp = 2;
        QCOMPARE(names.columns[lp].name, QStringLiteral("LP"));
        names.columns[lp] = {QStringLiteral("LP"), Kind::Alpha, 5};
        for (Row& r : names.rows)
            r.values[lp] = QStringLiteral("pięć");
    }
    OldTablesFixture::write(oldDir(), tables, QStringLiteral("1.0.2"));
    const auto cut = [&](const QString& file, qint64 bytes) {
        QFile f(oldDir() + QLatin1Char('/') + file);
        QVERIFY(f.resize(f.size() - bytes));
    };
    const auto touch = [&](const QString& path) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    };
    QString password = kOld;
    OldTablesImport::Progress* progress = nullptr;
    StopAtFirstRows stop;
    int pageLimit = 0;
    if (fault == QLatin1String("password"))
        password = QStringLiteral("haslo77");
    else if (fault == QLatin1String("truncated"))
        cut(QStringLiteral("Terminy.DB"), 100);
    else if (fault == QLatin1String("block"))
        cut(QStringLiteral("Terminy.DB"), 2048);
    else if (fault == QLatin1String("header")) {
        QFile f(oldDir() + QStringLiteral("/Osobowa.DB"));
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(0x20);
        f.write(QByteArray(0x400, '\xff'));
    } else if (fault == QLatin1String("blob"))
        cut(QStringLiteral("Firmy.MB"), 100);
    else if (fault == QLatin1String("blobBlock"))
        cut(QStringLiteral("Firmy.MB"), 4096);
    else if (fault == QLatin1String("noBlob"))
        QVERIFY(QFile::remove(oldDir() + QStringLiteral("/Firmy.MB")));
    else if (fault == QLatin1String("noTable"))
        QVERIFY(QFile::remove(oldDir() + QStringLiteral("/Notatki.DB")));
    else if (fault == QLatin1String("empty")) {
        for (const QString& f : entries(oldDir()))
            if (!QFile::remove(oldDir() + QLatin1Char('/') + f))
                QDir(oldDir() + QLatin1Char('/') + f).removeRecursively();
    } else if (fault == QLatin1String("lock"))
        touch(oldDir() + QStringLiteral("/PARADOX.LCK"));
    else if (fault == QLatin1String("netLock"))
        touch(oldDir() + QStringLiteral("/NetFileDir/PDOXUSRS.LCK"));
    else if (fault == QLatin1String("full"))
        pageLimit = 30;
    else if (fault == QLatin1String("cancel"))
        progress = &stop;
    else if (fault == QLatin1String("readOnly")) {
        if (geteuid() == 0)
            QSKIP("permissions do not bind the superuser");
        QDir().mkpath(m_dir->filePath(QStringLiteral("nowa")));
        QFile::setPermissions(m_dir->filePath(QStringLiteral("nowa")), QFile::ReadOwner | QFile::ExeOwner);
    }

    const QStringList before = entries(m_dir->path());
    const QStringList beforeInside = entries(m_dir->filePath(QStringLiteral("nowa")));
    OldTablesImport import(oldDir(), password, newDir(), kNew);
    import.setProgress(progress);
    import.setPageLimit(pageLimit);
    try {
        import.run();
        QFAIL("the import went through");
    } catch (const OldTablesError& e) {
        QCOMPARE(int(e.reason()), reason);
        QVERIFY2(e.message().contains(named), qPrintable(e.message()));
        if (fault == QLatin1String("full"))
            QCOMPARE(e.sqliteCode() & 0xff, SQLITE_FULL);
    }
    QCOMPARE(entries(m_dir->path()), before);
    QCOMPARE(entries(m_dir->filePath(QStringLiteral("nowa"))), beforeInside);
    QFile::setPermissions(m_dir->filePath(QStringLiteral("nowa")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestOldTablesImport::rowsUnderTakenKeysAreListed()
{
    QList<Table> tables = OldTablesFixture::tables(QStringLiteral("1.0.1"), kOld);
    Table& employees = tables[6];
    QCOMPARE(employees.name, QStringLiteral("osobowa"));
    employees.rows[1].values[0] = QStringLiteral("P0001");
    OldTablesFixture::write(oldDir(), tables, QStringLiteral("1.0.1"));

    const OldTablesImport::Summary summary = OldTablesImport(oldDir(), kOld, newDir(), kNew).run();
    QCOMPARE(summary.skippedRows(), qint64(1));
    QCOMPARE(summary.tables.at(6).rows, qint64(3));
    QVERIFY2(summary.text().contains(QStringLiteral("osobowa.db, wiersz 2: powtórzony klucz NREW = „P0001”")),
             qPrintable(summary.text()));
}

void TestOldTablesImport::existingDatabaseStaysUntouched()
{
    TestDatabase existing(true, QStringLiteral("stare1"));
    OldTablesFixture::write(oldDir(), OldTablesFixture::tables(QStringLiteral("1.0.1"), kOld),
                            QStringLiteral("1.0.1"));
    const QStringList before = entries(existing.dir());
    QFile file(DatabaseTemplate::databaseFile(existing.dir()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    try {
        OldTablesImport(oldDir(), kOld, existing.dir(), kNew).run();
        QFAIL("the import went through");
    } catch (const OldTablesError& e) {
        QCOMPARE(e.reason(), Reason::TargetExists);
    }
    QCOMPARE(entries(existing.dir()), before);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    // Nor is the old folder itself a place for the new database.
    try {
        OldTablesImport(oldDir(), kOld, oldDir(), kNew).run();
        QFAIL("the import went through");
    } catch (const OldTablesError& e) {
        QCOMPARE(e.reason(), Reason::TargetExists);
    }
}

QTEST_GUILESS_MAIN(TestOldTablesImport)
#include "test_oldtablesimport.moc"
