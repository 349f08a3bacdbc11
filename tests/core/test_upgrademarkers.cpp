#include "TestDatabase.h"
#include "TestServer.h"
#include "TestSupport.h"

#include "base/ErrorLog.h"
#include "store/DatabaseTemplate.h"
#include "store/PreparedStatement.h"
#include "store/SchemaUpgrades.h"
#include "store/SqlConnection.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"

#include <QFile>
#include <QTest>

#include <memory>

// The markers of the first versions' upgrades on either backend: files beside
// the database file, rows of the marker table on a server. A missing marker
// makes its step run and leave it; a marker there keeps the step from running.
class TestUpgradeMarkers : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    QStringList m_boxes;

    void login()
    {
        SchemaUpgrades upgrades(
            *m_db, m_database->dir(), m_database->password(),
            [this](const QString& t, const QString& x) { m_boxes << t + QLatin1Char('|') + x; });
        upgrades.run();
    }
    bool marked(const QString& version)
    {
        SchemaUpgrades upgrades(*m_db, m_database->dir(), m_database->password(), {});
        return upgrades.hasMarker(version);
    }
    void removeMarker(const QString& version)
    {
        if (m_database->onServer())
            m_db->DatabaseMain().exec(
                QStringLiteral("DELETE FROM znaczniki_aktualizacji WHERE wersja = '%1'").arg(version));
        else
            QVERIFY(QFile::remove(SchemaUpgrades::markerPath(m_database->dir(), version)));
    }
    qint64 integer(const QString& sql)
    {
        PreparedStatement q(m_db->DatabaseMain(), sql);
        return q.step() ? q.integer(0) : -1;
    }
    bool hasTable(const QString& table)
    {
        return DatabaseTemplate::tables(m_db->DatabaseMain()).contains(table, Qt::CaseInsensitive);
    }
    // The table the step of 1.0.4 adds to an older database.
    static QString stepTable() { return TableList::tableName(TableList::files().at(25)); }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>();
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        m_boxes.clear();
    }
    void cleanup()
    {
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    // A new database has every marker after its first login, and the login
    // says nothing; on a server they are rows, never files beside it.
    void newDatabaseHasEveryMarker()
    {
        login();
        for (const QString& version : SchemaUpgrades::markedVersions())
            QVERIFY2(marked(version), qPrintable(version));
        QCOMPARE(m_boxes, QStringList());
        if (m_database->onServer()) {
            QCOMPARE(integer(QStringLiteral("SELECT count(*) FROM znaczniki_aktualizacji")), qint64(4));
            for (const QString& version : SchemaUpgrades::markedVersions())
                QVERIFY(!QFile::exists(SchemaUpgrades::markerPath(m_database->dir(), version)));
            // The step of 1.0.5 copies no tables into files beside a server database.
            QVERIFY(
                !QFile::exists(SchemaUpgrades::backupCopyPath(m_database->dir(), QStringLiteral("naprawy"))));
            // Not one of the program's tables: a move or an archive does not carry it.
            QVERIFY(!hasTable(SchemaUpgrades::kMarkerTable));
        }
        // A second login finds them all.
        login();
        QCOMPARE(m_boxes, QStringList());
    }

    // A marker missing: its step runs, finds nothing to add, and leaves the marker.
    void missingMarkerRunsItsStep()
    {
        login();
        for (const QString& version : {QStringLiteral("1.0.3"), QStringLiteral("1.0.5")}) {
            removeMarker(version);
            QVERIFY(!marked(version));
        }
        login();
        QVERIFY(marked(QStringLiteral("1.0.3")));
        QVERIFY(marked(QStringLiteral("1.0.5")));
        QCOMPARE(m_boxes, QStringList());
        if (m_database->onServer())
            QCOMPARE(integer(QStringLiteral("SELECT count(*) FROM znaczniki_aktualizacji")), qint64(4));
    }

    // A marker there: its step does not run, even where it would add a table.
    void presentMarkerKeepsItsStepFromRunning()
    {
        login();
        const QString table = stepTable();
        m_db->DatabaseMain().exec(QStringLiteral("DROP TABLE ") + table);
        QVERIFY(!hasTable(table));
        login();
        QVERIFY(!hasTable(table));
        QCOMPARE(m_boxes, QStringList());
    }

    // A database of a version before stocktaking (its tables dropped; on a
    // server also their key sequences, which it never had) gains them at
    // the next login, on either backend: new keys from 1, the indexes, and
    // on a server the change counter's trigger. The next login is silent.
    void stocktakingTablesAddedAtLogin()
    {
        login();
        SqlConnection& c = m_db->DatabaseMain();
        for (const QString& table : TableList::addedTables()) {
            c.exec(QStringLiteral("DROP TABLE ") + table);
            if (m_database->onServer())
                c.exec(QStringLiteral("DROP SEQUENCE %1_%2_seq")
                           .arg(table, DatabaseTemplate::keyColumn(table).toLower()));
        }
        QVERIFY(!hasTable(QStringLiteral("inwentaryzacje")));
        login();
        QCOMPARE(m_boxes,
                 QStringList({QStringLiteral("Informacja|Baza danych zaktualizowana do wersji 2.7")}));
        for (const QString& table : TableList::addedTables())
            QVERIFY2(hasTable(table), qPrintable(table));

        // Keys given by the database, from 1.
        c.exec(QStringLiteral("INSERT INTO inwentaryzacje (OPISZAKRESU) VALUES ('Magazyn')"));
        c.exec(QStringLiteral("INSERT INTO inwentaryzacje (OPISZAKRESU) VALUES ('Biuro')"));
        QCOMPARE(integer(QStringLiteral("SELECT MIN(IDINWENTARYZACJI) FROM inwentaryzacje")), qint64(1));
        QCOMPARE(integer(QStringLiteral("SELECT MAX(IDINWENTARYZACJI) FROM inwentaryzacje")), qint64(2));
        c.exec(QStringLiteral(
            "INSERT INTO inwentaryzacje_pozycje (IDINWENTARYZACJI, NREWID) VALUES (2, 'K-1')"));
        QCOMPARE(integer(QStringLiteral("SELECT IDPOZYCJI FROM inwentaryzacje_pozycje")), qint64(1));
        // The text columns got their defaults and sort by Polish rules.
        QCOMPARE(integer(QStringLiteral("SELECT count(*) FROM inwentaryzacje WHERE ZAMKNIETA = 'N' "
                                        "AND ZAKRES = 'W'")),
                 qint64(2));
        if (m_database->onServer()) {
            QCOMPARE(integer(QStringLiteral("SELECT count(*) FROM pg_indexes WHERE tablename = "
                                            "'inwentaryzacje_pozycje' AND indexname LIKE '%_sesja'")),
                     qint64(1));
            QCOMPARE(integer(QStringLiteral("SELECT count(*) FROM information_schema.columns WHERE "
                                            "table_name = 'inwentaryzacje' AND collation_name = 'pl'")),
                     qint64(7));
            // Other workstations see the new table's writes as any other's.
            const qint64 counter = integer(QStringLiteral("SELECT licznik FROM zmiany_bazy"));
            c.exec(QStringLiteral("UPDATE inwentaryzacje_pozycje SET ZNALEZIONA = 'T'"));
            QCOMPARE(integer(QStringLiteral("SELECT licznik FROM zmiany_bazy")), counter + 1);
        } else {
            QCOMPARE(integer(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' "
                                            "AND tbl_name = 'inwentaryzacje_pozycje' AND sql IS NOT NULL")),
                     qint64(3));
        }

        m_boxes.clear();
        login();
        QCOMPARE(m_boxes, QStringList());
        QCOMPARE(integer(QStringLiteral("SELECT count(*) FROM inwentaryzacje")), qint64(2));
    }

    // A server database made before the marker table gets it at its next
    // login with every marker: it was made at the current version.
    void serverDatabaseWithoutTheTableGetsIt()
    {
        if (!m_database->onServer())
            QSKIP("the markers of the file are files");
        login();
        m_db->DatabaseMain().exec(QStringLiteral("DROP TABLE znaczniki_aktualizacji"));
        for (const QString& version : SchemaUpgrades::markedVersions())
            QVERIFY(!marked(version));
        login();
        for (const QString& version : SchemaUpgrades::markedVersions())
            QVERIFY2(marked(version), qPrintable(version));
        QCOMPARE(m_boxes, QStringList());
        // Made once: a second call leaves the rows as they are.
        SchemaUpgrades::addMarkerTable(m_db->DatabaseMain());
        QCOMPARE(integer(QStringLiteral("SELECT count(*) FROM znaczniki_aktualizacji")), qint64(4));
    }
};

QTEST_GUILESS_MAIN(TestUpgradeMarkers)
#include "test_upgrademarkers.moc"
