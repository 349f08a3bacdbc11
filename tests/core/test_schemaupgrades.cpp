#include "OlderDatabase.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/ErrorLog.h"
#include "store/DatabaseTemplate.h"
#include "store/SchemaUpgrades.h"
#include "store/SortKeys.h"
#include "store/SqlConnection.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QStringList kVersions = {QStringLiteral("1.0.2"), QStringLiteral("1.0.3"), QStringLiteral("1.0.4"),
                               QStringLiteral("1.0.5")};

// One login's upgrades on `dir`, with the boxes they showed.
struct Login
{
    QStringList boxes; // "title|text"
    QStringList reports;

    void run(const QString& dir, const QString& password, const QString& templateDir = {})
    {
        TmyDataBase db;
        QVERIFY(db.connectTo(dir, password));
        ErrorLog::setDisplay(
            [this](const QString& t, const QString& x) { reports << t + QLatin1Char('|') + x; });
        SchemaUpgrades upgrades(db, dir, password, [this](const QString& t, const QString& x) {
            boxes << t + QLatin1Char('|') + x;
        });
        upgrades.setTemplateDir(templateDir);
        upgrades.run();
        ErrorLog::setDisplay({});
    }
};

QStringList tables(const QString& dir, const QString& password)
{
    SqlConnection c;
    c.open(DatabaseTemplate::databaseFile(dir), password);
    return DatabaseTemplate::tables(c);
}

QStringList columns(const QString& dir, const QString& password, const QString& table)
{
    SqlConnection c;
    c.open(DatabaseTemplate::databaseFile(dir), password);
    return DatabaseTemplate::tableColumns(c, table);
}

// The indexes the file's own statements made (not the engine's automatic ones).
QStringList indexes(const QString& dir, const QString& password)
{
    SqlConnection c;
    c.open(DatabaseTemplate::databaseFile(dir), password);
    Statement q(&c, QStringLiteral("q"),
                {QStringLiteral("SELECT tbl_name || '.' || name FROM sqlite_master WHERE type='index' "
                                "AND sql IS NOT NULL ORDER BY 1")});
    q.open();
    QStringList names;
    for (int r = 0; r < q.recordCount(); ++r)
        names << q.textAt(r, 0);
    return names;
}

QStringList markers(const QString& dir)
{
    QStringList present;
    for (const QString& v : kVersions)
        if (QFile::exists(SchemaUpgrades::markerPath(dir, v)))
            present << v;
    return present;
}

void exec(const QString& dir, const QString& password, const QString& sql)
{
    SqlConnection c;
    c.open(DatabaseTemplate::databaseFile(dir), password);
    c.exec(sql);
}

QString scalar(const QString& file, const QString& password, const QString& sql)
{
    SqlConnection c;
    c.open(file, password);
    Statement q(&c, QStringLiteral("q"), {sql});
    q.open();
    return q.textAt(0, 0);
}

// A copy of the schema template without the CREATE TABLE of `table`, in `dir`/empty.
void templateWithout(const QString& dir, const QString& table)
{
    QDir(dir).mkpath(QStringLiteral("empty"));
    QFile full(DatabaseTemplate::defaultTemplateDir() + QStringLiteral("/empty/schema.sql"));
    QVERIFY(full.open(QIODevice::ReadOnly));
    QString schema = QString::fromUtf8(full.readAll());
    const qsizetype before = schema.size();
    schema.remove(QRegularExpression(QStringLiteral("CREATE TABLE %1 \\([^;]*;").arg(table)));
    QVERIFY(schema.size() < before);
    QFile partial(dir + QStringLiteral("/empty/schema.sql"));
    QVERIFY(partial.open(QIODevice::WriteOnly));
    partial.write(schema.toUtf8());
}

QStringList codes(const QStringList& logLines)
{
    static const QRegularExpression code(QStringLiteral("\\[(\\d{10})\\]  (.*)$"));
    QStringList result;
    for (const QString& line : logLines) {
        const auto m = code.match(line);
        if (m.hasMatch())
            result << m.captured(1) + QLatin1Char(' ') + m.captured(2);
    }
    return result;
}
} // namespace

class TestSchemaUpgrades : public QObject
{
    Q_OBJECT

private slots:
    void currentDatabasePassesSilently()
    {
        TempConfig config;
        TestDatabase db;
        Login login;
        login.run(db.dir(), db.password());
        QCOMPARE(login.boxes, QStringList());
        QCOMPARE(config.logLines(), QStringList());
        QVERIFY(!QFile::exists(SchemaUpgrades::backupCopyPath(db.dir(), QStringLiteral("naprawy"))));
        QCOMPARE(markers(db.dir()), kVersions);
    }

    void tablesWithoutMarkersGetThemSilently()
    {
        TempConfig config;
        TestDatabase db;
        for (const QString& m : DatabaseTemplate::upgradeMarkers())
            QVERIFY(QFile::remove(db.dir() + QLatin1Char('/') + m));
        Login login;
        login.run(db.dir(), db.password());
        QCOMPARE(login.boxes, QStringList());
        QCOMPARE(markers(db.dir()), kVersions);
        // Only the two copies of step 1.0.5, whose files were missing.
        QCOMPARE(codes(config.logLines()),
                 QStringList({QStringLiteral("0000100002 plik naprawy.BAK utworzony"),
                              QStringLiteral("0000100004 plik dokumenty.BAK utworzony")}));
        QVERIFY(QFile::exists(SchemaUpgrades::backupCopyPath(db.dir(), QStringLiteral("dokumenty"))));
    }

    void firstVersionIsBroughtUpToDate()
    {
        TempConfig config;
        OlderDatabase old(QStringLiteral("1.0.1"));
        QCOMPARE(tables(old.dir(), old.password()).size(), 18);
        exec(old.dir(), old.password(),
             QStringLiteral("INSERT INTO naprawy (OPIS) VALUES ('dysk'); INSERT INTO naprawy (OPIS) VALUES "
                            "('zasilacz')"));

        Login login;
        login.run(old.dir(), old.password());
        QCOMPARE(login.boxes,
                 QStringList(
                     {QStringLiteral("Informacja|Sprzetnik oraz baza danych zaktualizowana do wersji 1.0.2"),
                      QStringLiteral("Informacja|Sprzetnik oraz baza danych zaktualizowana do wersji 1.0.3"),
                      QStringLiteral("Informacja|Sprzetnik oraz baza danych zaktualizowana do wersji 1.0.4"),
                      QStringLiteral("Informacja|Sprzetnik oraz baza danych zaktualizowana do wersji 1.0.5"),
                      QStringLiteral("Informacja|Baza danych zaktualizowana do wersji 2.6"),
                      QStringLiteral("Informacja|Baza danych zaktualizowana do wersji 2.7")}));
        QCOMPARE(login.reports, QStringList());
        QCOMPARE(markers(old.dir()), kVersions);
        QCOMPARE(scalar(DatabaseTemplate::databaseFile(old.dir()), old.password(),
                        QStringLiteral("SELECT COUNT(*) FROM naprawy WHERE ACT='T'")),
                 QStringLiteral("2"));

        // Indistinguishable from a new database after its first login (which
        // gives it the lists' sort keys): the same tables with the same columns.
        TestDatabase fresh;
        Login first;
        first.run(fresh.dir(), fresh.password());
        const QStringList upgraded = tables(old.dir(), old.password());
        const QStringList all = TableList::tables() + TableList::addedTables();
        QCOMPARE(QSet<QString>(upgraded.begin(), upgraded.end()), QSet<QString>(all.begin(), all.end()));
        for (const QString& t : all)
            QCOMPARE(columns(old.dir(), old.password(), t), columns(fresh.dir(), fresh.password(), t));
        // Both with the sort keys (so the comparison above is not one of two
        // files that both lack them) and the same indexes.
        for (const SortKeys::Keyed& k : SortKeys::keyed())
            QVERIFY2(columns(old.dir(), old.password(), QLatin1String(k.table))
                         .contains(SortKeys::keyColumn(k.column), Qt::CaseInsensitive),
                     k.table);
        QCOMPARE(indexes(old.dir(), old.password()), indexes(fresh.dir(), fresh.password()));

        // The copy of naprawy holds its rows, under the database password.
        QCOMPARE(scalar(SchemaUpgrades::backupCopyPath(old.dir(), QStringLiteral("naprawy")), old.password(),
                        QStringLiteral("SELECT COUNT(*) FROM naprawy")),
                 QStringLiteral("2"));
        QVERIFY(QFile::exists(SchemaUpgrades::backupCopyPath(old.dir(), QStringLiteral("dokumenty"))));

        const QStringList log = codes(config.logLines());
        QCOMPARE(
            log.filter(QRegularExpression(QStringLiteral("^9999999999 Dodano tabelę \\w+\\.db DIR="))).size(),
            12);
        for (const char* line :
             {"0000100002 plik naprawy.BAK utworzony", "0000100005 dodano nowe pole ACT w zbiorze naprawy.DB",
              "0000100010 zaktualizowano pole ACT w zbiorze naprawy.DB",
              "9999999999 baza danych zaktualizowana do wersji 1.0.5",
              "9999999999 baza danych zaktualizowana do wersji 2.6",
              "9999999999 baza danych zaktualizowana do wersji 2.7"})
            QVERIFY2(log.contains(QString::fromUtf8(line)), line);
        // dokumenty came from its current statement in 1.0.2: its column was there already.
        QVERIFY(!log.contains(QStringLiteral("0000100007 dodano nowe pole ACT w zbiorze dokumenty.DB")));

        // The next login finds nothing to do.
        const int lines = config.logLines().size();
        Login again;
        again.run(old.dir(), old.password());
        QCOMPARE(again.boxes, QStringList());
        QCOMPARE(config.logLines().size(), lines);
    }

    void everyOlderVersion_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("boxes");
        // Every older version also gains the stocktaking tables (2.7).
        QTest::newRow("1.0.2") << QStringLiteral("1.0.2") << 5;
        QTest::newRow("1.0.3") << QStringLiteral("1.0.3") << 4;
        QTest::newRow("1.0.4") << QStringLiteral("1.0.4") << 3;
        QTest::newRow("1.0.5") << QStringLiteral("1.0.5") << 2;
    }

    void everyOlderVersion()
    {
        QFETCH(QString, version);
        QFETCH(int, boxes);
        TempConfig config;
        OlderDatabase old(version);
        QCOMPARE(tables(old.dir(), old.password()).size(), OlderDatabase::tableCount(version));
        const bool hadAct = columns(old.dir(), old.password(), QStringLiteral("dokumenty")).contains("ACT");
        QCOMPARE(hadAct, version == QLatin1String("1.0.5"));
        exec(old.dir(), old.password(), QStringLiteral("INSERT INTO dokumenty (NAZWA) VALUES ('faktura')"));

        Login login;
        login.run(old.dir(), old.password());
        QCOMPARE(login.boxes.size(), boxes);
        QCOMPARE(tables(old.dir(), old.password()).size(),
                 TableList::tables().size() + TableList::addedTables().size());
        QCOMPARE(markers(old.dir()), kVersions);
        QCOMPARE(scalar(DatabaseTemplate::databaseFile(old.dir()), old.password(),
                        QStringLiteral("SELECT ACT FROM dokumenty")),
                 QStringLiteral("T"));
    }

    void missingDefinitionStopsTheStepUntilNextLogin()
    {
        TempConfig config;
        OlderDatabase old(QStringLiteral("1.0.1"));
        // A schema text that lacks zlecenia (table 20).
        QTemporaryDir templates;
        templateWithout(templates.path(), QStringLiteral("zlecenia"));

        Login first;
        first.run(old.dir(), old.password(), templates.path());
        QCOMPARE(first.boxes.first(), QStringLiteral("Błąd|Nie udało się stworzyć tabeli zlecenia.db"));
        QVERIFY(!first.boxes.contains(
            QStringLiteral("Informacja|Sprzetnik oraz baza danych zaktualizowana do wersji 1.0.2")));
        QStringList present = tables(old.dir(), old.password());
        QVERIFY(present.contains(QStringLiteral("historia")));
        QVERIFY(!present.contains(QStringLiteral("zlecenia")));
        QVERIFY(!present.contains(QStringLiteral("rozliczenia")));
        QVERIFY(!markers(old.dir()).contains(QStringLiteral("1.0.2")));
        // The later steps went on.
        QVERIFY(present.contains(QStringLiteral("system")));

        const int before = config.logLines().size();
        Login second;
        second.run(old.dir(), old.password());
        QCOMPARE(second.boxes, QStringList({QStringLiteral(
                                   "Informacja|Sprzetnik oraz baza danych zaktualizowana do wersji 1.0.2")}));
        const QStringList log = codes(config.logLines().mid(before));
        QVERIFY(!log.join(QLatin1Char('\n')).contains(QStringLiteral("historia.db")));
        QVERIFY(log.join(QLatin1Char('\n')).contains(QStringLiteral("Dodano tabelę zlecenia.db")));
        QCOMPARE(markers(old.dir()), kVersions);
    }

    // A database of 2.6 (every table of the list, every marker) gains the
    // stocktaking tables with their indexes and one notice; they are looked
    // for at every login, so the next one is silent.
    void stocktakingTablesAddedToA26Database()
    {
        TempConfig config;
        TestDatabase db;
        for (const QString& table : TableList::addedTables())
            exec(db.dir(), db.password(), QStringLiteral("DROP TABLE ") + table);
        QVERIFY(!indexes(db.dir(), db.password()).join(QLatin1Char(' ')).contains(QStringLiteral("inwent")));

        Login login;
        login.run(db.dir(), db.password());
        QCOMPARE(login.boxes,
                 QStringList({QStringLiteral("Informacja|Baza danych zaktualizowana do wersji 2.7")}));
        QCOMPARE(login.reports, QStringList());
        for (const QString& table : TableList::addedTables())
            QVERIFY2(tables(db.dir(), db.password()).contains(table), qPrintable(table));
        QVERIFY(indexes(db.dir(), db.password())
                    .contains(QStringLiteral("inwentaryzacje_pozycje.inwentaryzacje_pozycje_SESJA")));
        QVERIFY(indexes(db.dir(), db.password())
                    .contains(QStringLiteral("inwentaryzacje_pozycje.inwentaryzacje_pozycje_ZMIANA")));
        const QStringList log = codes(config.logLines());
        QCOMPARE(log.size(), 3);
        QVERIFY(log.at(0).startsWith(QStringLiteral("9999999999 Dodano tabelę inwentaryzacje.db DIR=")));
        QVERIFY(
            log.at(1).startsWith(QStringLiteral("9999999999 Dodano tabelę inwentaryzacje_pozycje.db DIR=")));
        QCOMPARE(log.at(2), QStringLiteral("9999999999 baza danych zaktualizowana do wersji 2.7"));
        // New keys start at 1 in the new table.
        exec(db.dir(), db.password(),
             QStringLiteral("INSERT INTO inwentaryzacje (DATA) VALUES (20261210); "
                            "INSERT INTO inwentaryzacje (DATA) VALUES (20261211)"));
        QCOMPARE(scalar(DatabaseTemplate::databaseFile(db.dir()), db.password(),
                        QStringLiteral("SELECT group_concat(IDINWENTARYZACJI) FROM inwentaryzacje")),
                 QStringLiteral("1,2"));

        Login again;
        again.run(db.dir(), db.password());
        QCOMPARE(again.boxes, QStringList());
        QCOMPARE(codes(config.logLines()).size(), 3);
        QCOMPARE(scalar(DatabaseTemplate::databaseFile(db.dir()), db.password(),
                        QStringLiteral("SELECT COUNT(*) FROM inwentaryzacje")),
                 QStringLiteral("2"));
    }

    // The second table failing: the first stays made, no notice; the next
    // login adds only the second and tells of 2.7 then.
    void stocktakingTableFailingIsTriedAgain()
    {
        TempConfig config;
        TestDatabase db;
        for (const QString& table : TableList::addedTables())
            exec(db.dir(), db.password(), QStringLiteral("DROP TABLE ") + table);
        QTemporaryDir templates;
        templateWithout(templates.path(), QStringLiteral("inwentaryzacje_pozycje"));

        Login first;
        first.run(db.dir(), db.password(), templates.path());
        QCOMPARE(
            first.boxes,
            QStringList({QStringLiteral("Błąd|Nie udało się stworzyć tabeli inwentaryzacje_pozycje.db")}));
        QVERIFY(tables(db.dir(), db.password()).contains(QStringLiteral("inwentaryzacje")));
        QVERIFY(!tables(db.dir(), db.password()).contains(QStringLiteral("inwentaryzacje_pozycje")));

        const int before = config.logLines().size();
        Login second;
        second.run(db.dir(), db.password());
        QCOMPARE(second.boxes,
                 QStringList({QStringLiteral("Informacja|Baza danych zaktualizowana do wersji 2.7")}));
        const QString log = codes(config.logLines().mid(before)).join(QLatin1Char('\n'));
        QVERIFY(log.contains(QStringLiteral("Dodano tabelę inwentaryzacje_pozycje.db")));
        QVERIFY(!log.contains(QStringLiteral("Dodano tabelę inwentaryzacje.db")));
        QVERIFY(tables(db.dir(), db.password()).contains(QStringLiteral("inwentaryzacje_pozycje")));
    }

    void failedColumnChangeLeavesNoHalfColumn()
    {
        TempConfig config;
        OlderDatabase old(QStringLiteral("1.0.4"));
        exec(old.dir(), old.password(), QStringLiteral("INSERT INTO naprawy (OPIS) VALUES ('dysk')"));
        // The update after the new column fails.
        exec(old.dir(), old.password(),
             QStringLiteral("CREATE TRIGGER stop BEFORE UPDATE ON naprawy BEGIN SELECT RAISE(ABORT, "
                            "'zablokowane'); END"));

        Login first;
        first.run(old.dir(), old.password());
        QCOMPARE(first.reports.size(), 1);
        QCOMPARE(codes(config.logLines()).filter(QRegularExpression(QStringLiteral("^0000100006 "))).size(),
                 1);
        QVERIFY(
            !columns(old.dir(), old.password(), QStringLiteral("naprawy")).contains(QStringLiteral("ACT")));
        // The changes are not allowed any more: dokumenty is left for the next login too.
        QVERIFY(
            !columns(old.dir(), old.password(), QStringLiteral("dokumenty")).contains(QStringLiteral("ACT")));
        QVERIFY(tables(old.dir(), old.password()).contains(QStringLiteral("zalaczniki")));
        QVERIFY(!markers(old.dir()).contains(QStringLiteral("1.0.5")));

        exec(old.dir(), old.password(), QStringLiteral("DROP TRIGGER stop"));
        Login second;
        second.run(old.dir(), old.password());
        QCOMPARE(second.reports, QStringList());
        QCOMPARE(scalar(DatabaseTemplate::databaseFile(old.dir()), old.password(),
                        QStringLiteral("SELECT ACT FROM naprawy")),
                 QStringLiteral("T"));
        QVERIFY(
            columns(old.dir(), old.password(), QStringLiteral("dokumenty")).contains(QStringLiteral("ACT")));
        QCOMPARE(markers(old.dir()), kVersions);
    }
};

QTEST_GUILESS_MAIN(TestSchemaUpgrades)
#include "test_schemaupgrades.moc"
