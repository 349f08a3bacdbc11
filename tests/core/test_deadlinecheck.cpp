#include "TestDatabase.h"
#include "TestSupport.h"

#include "reminders/BulkDeactivation.h"
#include "reminders/DeadlineCheck.h"
#include "reminders/TipsFile.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"

#include <QBuffer>
#include <QFile>
#include <QTest>

namespace {
const QDate kToday(2024, 5, 15);

qint64 day(int offset)
{
    return DueWindow::toYmd(kToday.addDays(offset));
}

Rights allRights()
{
    Rights r;
    r.fill(true);
    return r;
}
} // namespace

class TestDeadlineCheck : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;

    void exec(const QString& sql)
    {
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(sql);
        q.execSQL();
        q.close();
    }
    QString value(const QString& sql)
    {
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(sql);
        q.open();
        const QString v = q.isEmpty() ? QString() : q.text(q.fieldName(0));
        q.close();
        return v;
    }
    void deadline(const QString& kind, int object, qint64 od, qint64 to, const char* sproddo,
                  const QString& opis, const char* act = "T")
    {
        exec(
            QStringLiteral(
                "INSERT INTO terminy (IDOBIEKTU,CZEGODOTYCZY,ACT,DATAOD,DATADO,SPRODDO,OPIS) VALUES (%1,'%2',"
                "'%3',%4,%5,'%6','%7')")
                .arg(object)
                .arg(kind, QLatin1String(act))
                .arg(od)
                .arg(to)
                .arg(QLatin1String(sproddo), opis));
    }
    QStringList names(const QList<DeadlineEntry>& entries)
    {
        QStringList n;
        for (const DeadlineEntry& e : entries)
            n << e.name;
        return n;
    }
    QList<DeadlineEntry> collect(const DeadlineOptions& options = {}, const Rights& rights = allRights())
    {
        DeadlineCheck check(*m_db);
        return check.collect(options, rights, kToday);
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>();
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        exec(QStringLiteral("INSERT INTO komputery (NAZWA,NREWID) VALUES ('Dell','K-001')"));
        exec(QStringLiteral("INSERT INTO sprzet (NAZWA,NREWID) VALUES ('Drukarka','S-001')"));
        exec(QStringLiteral("INSERT INTO licencje (NREWID) VALUES ('L-001')"));
    }
    void cleanup()
    {
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void dueWindowBounds_data()
    {
        QTest::addColumn<int>("ahead");
        QTest::addColumn<int>("back");
        QTest::addColumn<int>("offset");
        QTest::addColumn<bool>("listed");
        QTest::newRow("seven days ahead") << 7 << 0 << 7 << true;
        QTest::newRow("eight days ahead") << 7 << 0 << 8 << false;
        QTest::newRow("today") << 0 << 0 << 0 << true;
        QTest::newRow("no lower bound: years ago") << 7 << 0 << -2000 << true;
        QTest::newRow("three days back of three") << 7 << 3 << -3 << true;
        QTest::newRow("four days back of three") << 7 << 3 << -4 << false;
    }
    void dueWindowBounds()
    {
        QFETCH(int, ahead);
        QFETCH(int, back);
        QFETCH(int, offset);
        QFETCH(bool, listed);
        deadline(QStringLiteral("K"), 1, day(offset), 0, "O", QStringLiteral("termin"));
        exec(
            QStringLiteral("INSERT INTO naprawy (KOMPSPRZ,IDOBIEKTU,TERMIN,OPIS) VALUES ('K',1,%1,'naprawa')")
                .arg(day(offset)));
        exec(QStringLiteral(
                 "INSERT INTO dokumenty (CZEGODOTYCZY,IDOBIEKTU,TERMIN,NAZWA) VALUES ('S',1,%1,'dok')")
                 .arg(day(offset)));
        exec(QStringLiteral("INSERT INTO bhp (NAZWA,NREWID) VALUES ('Kask','B-1')"));
        exec(QStringLiteral("INSERT INTO r_bhpprac (IDBHP,NREW,DATADO) VALUES (1,'P1',%1)").arg(day(offset)));
        DeadlineOptions o;
        o.dataWsteczna = ahead;
        o.dataWstecznaMin = back;
        QCOMPARE(collect(o).size(), listed ? 4 : 0);
    }

    void eachSourceByItsDateOptionAndRight()
    {
        deadline(QStringLiteral("K"), 1, day(-1), day(30), "O", QStringLiteral("od"));
        deadline(QStringLiteral("K"), 1, day(30), day(-1), "O", QStringLiteral("od-poza"));
        deadline(QStringLiteral("S"), 1, day(-60), day(2), "D", QStringLiteral("do"));
        deadline(QStringLiteral("S"), 1, day(2), day(60), "D", QStringLiteral("do-poza"));
        deadline(QStringLiteral("K"), 1, day(1), day(1), "O", QStringLiteral("nieaktywny"), "N");
        exec(QStringLiteral("INSERT INTO firmy (NAZWA) VALUES ('Serwis Nowak')"));
        const QString company = value(QStringLiteral("SELECT MAX(IDFIRMY) FROM firmy"));
        exec(QStringLiteral("INSERT INTO naprawy (KOMPSPRZ,IDOBIEKTU,IDFIRMY,TERMIN,OPIS) VALUES "
                            "('S',1,%1,%2,'zasilacz')")
                 .arg(company)
                 .arg(day(3)));
        exec(QStringLiteral(
            "INSERT INTO naprawy (KOMPSPRZ,IDOBIEKTU,TERMIN,OPIS) VALUES ('K',1,0,'bez terminu')"));
        exec(QStringLiteral("INSERT INTO dokumenty (CZEGODOTYCZY,IDOBIEKTU,TERMIN,NAZWA,NUMER) VALUES "
                            "('K',1,%1,'Gwarancja','G/1')")
                 .arg(day(0)));
        exec(QStringLiteral("INSERT INTO bhp (NAZWA,NREWID) VALUES ('Rękawice','B-7')"));
        exec(QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO,IMIE) VALUES ('P1','Kowalski','Jan')"));
        exec(QStringLiteral("INSERT INTO r_bhpprac (IDBHP,NREW,DATADO) VALUES (1,'P1',%1)").arg(day(-5)));

        const QList<DeadlineEntry> all = collect();
        QCOMPARE(names(all),
                 (QStringList{QStringLiteral("od"), QStringLiteral("do"), QStringLiteral("zasilacz"),
                              QStringLiteral("Gwarancja"), QStringLiteral("Rękawice")}));
        QCOMPARE(all.at(0).cells(), (QStringList{TmyDataBase::dateText(day(-1)), QStringLiteral("Term."),
                                                 QStringLiteral("Komp. (K-001)"), QStringLiteral("od"),
                                                 QStringLiteral("Rodzaj: ")}));
        QCOMPARE(all.at(1).label, QStringLiteral("Sprzęt (S-001)"));
        QCOMPARE(all.at(2).details, QStringLiteral("Firma: Serwis Nowak"));
        QCOMPARE(all.at(3).details, QStringLiteral("Nr dok.: G/1"));
        QCOMPARE(all.at(4).label, QStringLiteral("BHP (B-7)"));
        QCOMPARE(all.at(4).details, QStringLiteral("Prac.: Kowalski Jan (P1)"));
        QCOMPARE(all.at(4).keyText(), QStringLiteral("NREW=\"P1\" AND IDBHP=1"));

        DeadlineOptions o;
        o.terminy = false;
        QCOMPARE(collect(o).size(), 3);
        o = {};
        o.naprawy = false;
        QVERIFY(!names(collect(o)).contains(QStringLiteral("zasilacz")));
        o = {};
        o.dokumenty = false;
        QVERIFY(!names(collect(o)).contains(QStringLiteral("Gwarancja")));
        o = {};
        o.bhpStan = false;
        QVERIFY(!names(collect(o)).contains(QStringLiteral("Rękawice")));
        // Without the read right of documents they are never listed, whatever the option says.
        Rights r = allRights();
        r[16] = false;
        QVERIFY(!names(collect({}, r)).contains(QStringLiteral("Gwarancja")));
        r = allRights();
        r[7] = false;
        QCOMPARE(collect({}, r).size(), 3);
    }

    void labelsOfMissingAndUnknownObjects()
    {
        deadline(QStringLiteral("K"), 99, day(0), 0, "O", QStringLiteral("usunięty komputer"));
        deadline(QStringLiteral("L"), 1, day(-1), 0, "O", QStringLiteral("licencja"));
        exec(QStringLiteral(
                 "INSERT INTO dokumenty (CZEGODOTYCZY,IDOBIEKTU,TERMIN,NAZWA) VALUES ('L',1,%1,'dok')")
                 .arg(day(0)));
        const QList<DeadlineEntry> all = collect();
        QCOMPARE(all.size(), 3);
        QCOMPARE(all.at(0).label, QStringLiteral("Komp. ()"));
        QCOMPARE(all.at(1).label, QStringLiteral("Lic. (L-001)"));
        // Documents know computers and equipment only: the lookup fails and is reported.
        QCOMPARE(all.at(2).label, QString());
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("[0000081903]")));
    }

    void manyObjectsOfOneKindAreLabelledInOnePass()
    {
        exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i+1 FROM n WHERE i<200) "
                            "INSERT INTO komputery (NAZWA,NREWID) SELECT 'PC','K-'||i FROM n"));
        exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<210) "
                            "INSERT INTO terminy (IDOBIEKTU,CZEGODOTYCZY,ACT,DATAOD,SPRODDO,OPIS) "
                            "SELECT i,'K','T',%1,'O','t'||i FROM n")
                 .arg(day(0)));
        QHash<QString, QString> labels;
        for (const DeadlineEntry& e : collect())
            labels.insert(e.name, e.label);
        QCOMPARE(labels.size(), 210);
        QCOMPARE(labels.value(QStringLiteral("t1")), QStringLiteral("Komp. (K-001)"));
        QCOMPARE(labels.value(QStringLiteral("t150")), QStringLiteral("Komp. (K-150)"));
        QCOMPARE(labels.value(QStringLiteral("t205")), QStringLiteral("Komp. ()"));
    }

    // Labels are read by ranges of keys: a dense run with deleted objects
    // inside it, keys far apart, keys past the last object, and the same
    // objects again from repairs, which take what the deadlines read.
    void labelsOfDenseAndScatteredKeys()
    {
        exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i+1 FROM n WHERE i<3000) "
                            "INSERT INTO komputery (NAZWA,NREWID) SELECT 'PC','K-'||i FROM n"));
        exec(QStringLiteral("DELETE FROM komputery WHERE IDKOMPUTERA IN (50,51,2999)"));
        exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<120) "
                            "INSERT INTO terminy (IDOBIEKTU,CZEGODOTYCZY,ACT,DATAOD,SPRODDO,OPIS) "
                            "SELECT i,'K','T',%1,'O','t'||i FROM n")
                 .arg(day(0)));
        for (int far : {1000, 2000, 2999, 5000})
            deadline(QStringLiteral("K"), far, day(0), 0, "O", QStringLiteral("t%1").arg(far));
        exec(QStringLiteral("INSERT INTO naprawy (TERMIN,KOMPSPRZ,IDOBIEKTU,OPIS,ACT) VALUES "
                            "(%1,'K',2000,'n2000','T'),(%1,'K',7,'n7','T'),(%1,'K',2500,'n2500','T')")
                 .arg(day(0)));
        QHash<QString, QString> labels;
        for (const DeadlineEntry& e : collect())
            labels.insert(e.name, e.label);
        QCOMPARE(labels.size(), 127);
        QCOMPARE(labels.value(QStringLiteral("t1")), QStringLiteral("Komp. (K-001)"));
        QCOMPARE(labels.value(QStringLiteral("t49")), QStringLiteral("Komp. (K-49)"));
        QCOMPARE(labels.value(QStringLiteral("t50")), QStringLiteral("Komp. ()"));
        QCOMPARE(labels.value(QStringLiteral("t51")), QStringLiteral("Komp. ()"));
        QCOMPARE(labels.value(QStringLiteral("t52")), QStringLiteral("Komp. (K-52)"));
        QCOMPARE(labels.value(QStringLiteral("t120")), QStringLiteral("Komp. (K-120)"));
        QCOMPARE(labels.value(QStringLiteral("t1000")), QStringLiteral("Komp. (K-1000)"));
        QCOMPARE(labels.value(QStringLiteral("t2000")), QStringLiteral("Komp. (K-2000)"));
        QCOMPARE(labels.value(QStringLiteral("t2999")), QStringLiteral("Komp. ()"));
        QCOMPARE(labels.value(QStringLiteral("t5000")), QStringLiteral("Komp. ()"));
        QCOMPARE(labels.value(QStringLiteral("n2000")), QStringLiteral("Komp. (K-2000)"));
        QCOMPARE(labels.value(QStringLiteral("n7")), QStringLiteral("Komp. (K-7)"));
        QCOMPARE(labels.value(QStringLiteral("n2500")), QStringLiteral("Komp. (K-2500)"));
    }

    void deactivatedAndDeletedEntriesLeaveTheNextCheck()
    {
        deadline(QStringLiteral("K"), 1, day(0), 0, "O", QStringLiteral("a"));
        deadline(QStringLiteral("K"), 1, day(-1), 0, "O", QStringLiteral("b"));
        exec(QStringLiteral("INSERT INTO bhp (NAZWA,NREWID) VALUES ('Kask','B-1')"));
        exec(QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO,IMIE) VALUES ('P\"1','Adamski','Jan')"));
        exec(QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO,IMIE) VALUES ('P2','Bielski','Jan')"));
        // An employee key with a quote is bound, not spliced.
        exec(QStringLiteral("INSERT INTO r_bhpprac (IDBHP,NREW,DATADO) VALUES (1,'P\"1',%1)").arg(day(0)));
        exec(QStringLiteral("INSERT INTO r_bhpprac (IDBHP,NREW,DATADO) VALUES (1,'P2',%1)").arg(day(0)));
        DeadlineCheck check(*m_db);
        QList<DeadlineEntry> all = check.collect({}, allRights(), kToday);
        QCOMPARE(all.size(), 4);
        QVERIFY(check.deactivate(all.at(0)));
        QVERIFY(!check.deactivate(all.at(2))); // BHP holdings cannot be deactivated
        QVERIFY(check.remove(all.at(1)));
        QVERIFY(check.remove(all.at(2)));
        all = check.collect({}, allRights(), kToday);
        QCOMPARE(all.size(), 1);
        QCOMPARE(all.at(0).nrew, QStringLiteral("P2"));
        QCOMPARE(value(QStringLiteral("SELECT ACT FROM terminy WHERE OPIS='a'")), QStringLiteral("N"));
        QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM terminy")), QStringLiteral("1"));
    }

    void deactivateAllLeavesHoldingsAndRowsWithoutRight()
    {
        deadline(QStringLiteral("K"), 1, day(0), 0, "O", QStringLiteral("termin"));
        exec(
            QStringLiteral("INSERT INTO naprawy (KOMPSPRZ,IDOBIEKTU,TERMIN,OPIS) VALUES ('K',1,%1,'naprawa')")
                .arg(day(0)));
        exec(QStringLiteral(
                 "INSERT INTO dokumenty (CZEGODOTYCZY,IDOBIEKTU,TERMIN,NAZWA) VALUES ('K',1,%1,'dok')")
                 .arg(day(0)));
        exec(QStringLiteral("INSERT INTO bhp (NAZWA,NREWID) VALUES ('Kask','B-1')"));
        exec(QStringLiteral("INSERT INTO r_bhpprac (IDBHP,NREW,DATADO) VALUES (1,'P1',%1)").arg(day(0)));
        DeadlineCheck check(*m_db);
        Rights r = allRights();
        r[17] = false; // may not change documents
        bool ok = false;
        const QList<DeadlineEntry> left = check.deactivateAll(check.collect({}, allRights(), kToday), r, &ok);
        QVERIFY(ok);
        QCOMPARE(names(left), (QStringList{QStringLiteral("dok"), QStringLiteral("Kask")}));
        QCOMPARE(names(check.collect({}, allRights(), kToday)), names(left));
    }

    void deactivateAllIsOneWrite()
    {
        deadline(QStringLiteral("K"), 1, day(0), 0, "O", QStringLiteral("termin"));
        exec(
            QStringLiteral("INSERT INTO naprawy (KOMPSPRZ,IDOBIEKTU,TERMIN,OPIS) VALUES ('K',1,%1,'naprawa')")
                .arg(day(0)));
        m_database->addFailure(m_db->DatabaseMain(), QStringLiteral("stop"),
                               QStringLiteral("BEFORE UPDATE ON naprawy"), QStringLiteral("zablokowane"));
        DeadlineCheck check(*m_db);
        const QList<DeadlineEntry> all = check.collect({}, allRights(), kToday);
        bool ok = true;
        QCOMPARE(check.deactivateAll(all, allRights(), &ok).size(), 2);
        QVERIFY(!ok);
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("[0000172003]")));
        // The deadline deactivated before the failing repair is active again.
        QCOMPARE(value(QStringLiteral("SELECT ACT FROM terminy")), QStringLiteral("T"));
    }

    void textExportOfTwoEntries()
    {
        const QList<QStringList> rows = {
            {QStringLiteral("01-02-2024"), QStringLiteral("Term."), QStringLiteral("Komp. (K-1)"),
             QStringLiteral("Przegląd"), QStringLiteral("Rodzaj: ")},
            {QStringLiteral("02-02-2024"), QStringLiteral("Bhp"), QStringLiteral("BHP (B-1)"),
             QStringLiteral("Kask"), QStringLiteral("Prac.: Żak Ewa (P1)")}};
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(DeadlineCheck::writeText(rows, buffer));
        const QByteArray bytes = buffer.data();
        QVERIFY(bytes.endsWith("\r\n"));
        const QList<QByteArray> lines = bytes.chopped(2).split('\n');
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines.at(0), QByteArray("Termin (dot. Term.): 01-02-2024\r"));
        QCOMPARE(lines.at(4), QByteArray(33, '-') + '\r');
        QCOMPARE(lines.at(8), QByteArray("Szczeg\xf3\xb3y: Prac.: \xaf"
                                         "ak Ewa (P1)\r"));
    }

    void bulkDeactivationForAllAndForOneAsset()
    {
        deadline(QStringLiteral("K"), 1, 20240105, 20240120, "D", QStringLiteral("w okresie"));
        deadline(QStringLiteral("K"), 1, 20240105, 0, "D", QStringLiteral("bez końca"));
        deadline(QStringLiteral("K"), 1, 20240105, 20240301, "D", QStringLiteral("kończy się później"));
        deadline(QStringLiteral("L"), 1, 20240110, 20240110, "D", QStringLiteral("licencja"));
        deadline(QStringLiteral("S"), 1, 20240110, 20240110, "D", QStringLiteral("sprzęt"));
        exec(QStringLiteral(
            "INSERT INTO naprawy (KOMPSPRZ,IDOBIEKTU,TERMIN,OPIS) VALUES ('S',1,20240110,'n-s')"));
        exec(QStringLiteral(
            "INSERT INTO naprawy (KOMPSPRZ,IDOBIEKTU,TERMIN,OPIS) VALUES ('K',1,20240110,'n-k')"));
        exec(QStringLiteral(
            "INSERT INTO dokumenty (CZEGODOTYCZY,IDOBIEKTU,TERMIN,NAZWA) VALUES ('S',1,20240201,'d')"));

        BulkDeactivation one;
        one.from = 20240101;
        one.to = 20240131;
        one.terminy = true;
        one.naprawy = true;
        one.kind = QStringLiteral("S");
        one.key = 1;
        QVERIFY(one.run(*m_db));
        QCOMPARE(value(QStringLiteral("SELECT COUNT(*) || ':' || MIN(OPIS) FROM terminy WHERE ACT='N'")),
                 QStringLiteral("1:sprzęt"));
        QCOMPARE(value(QStringLiteral("SELECT COUNT(*) || ':' || MIN(OPIS) FROM naprawy WHERE ACT='N'")),
                 QStringLiteral("1:n-s"));

        BulkDeactivation all;
        all.from = 20240101;
        all.to = 20240131;
        all.terminy = true;
        all.dokumenty = true;
        QVERIFY(all.run(*m_db));
        QCOMPARE(value(QStringLiteral("SELECT COUNT(*) || ':' || MIN(OPIS) FROM terminy WHERE ACT='T'")),
                 QStringLiteral("1:kończy się później"));
        QCOMPARE(value(QStringLiteral("SELECT ACT FROM dokumenty")), QStringLiteral("T"));
        QCOMPARE(value(QStringLiteral("SELECT ACT FROM naprawy WHERE OPIS='n-k'")), QStringLiteral("T"));
    }

    void bulkDeactivationIsOneWrite()
    {
        deadline(QStringLiteral("K"), 1, 20240105, 20240120, "D", QStringLiteral("t"));
        exec(QStringLiteral(
            "INSERT INTO dokumenty (CZEGODOTYCZY,IDOBIEKTU,TERMIN,NAZWA) VALUES ('K',1,20240110,'d')"));
        m_database->addFailure(m_db->DatabaseMain(), QStringLiteral("stop"),
                               QStringLiteral("BEFORE UPDATE ON dokumenty"), QStringLiteral("zablokowane"));
        BulkDeactivation bulk;
        bulk.from = 20240101;
        bulk.to = 20240131;
        bulk.terminy = bulk.naprawy = bulk.dokumenty = true;
        QVERIFY(!bulk.run(*m_db));
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("[0001091433]")));
        QCOMPARE(value(QStringLiteral("SELECT ACT FROM terminy")), QStringLiteral("T"));
    }

    void tipsFile()
    {
        TipsFile tips;
        tips.load(m_config->path() + QStringLiteral("/brak.dat"));
        QVERIFY(tips.tips().isEmpty());
        QCOMPARE(tips.next(-1), -1);

        QFile file(m_config->path() + QStringLiteral("/porady.dat"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        tips.load(file.fileName());
        QVERIFY(tips.tips().isEmpty());

        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Jedyna porada\r\n");
        file.close();
        tips.load(file.fileName());
        QCOMPARE(tips.tips(), QStringList{QStringLiteral("Jedyna porada")});
        QCOMPARE(tips.next(0), -1);

        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < 310; ++i)
            file.write(QStringLiteral("Porada nr %1 – żółw\n").arg(i).toUtf8());
        file.close();
        tips.load(file.fileName());
        QCOMPARE(tips.tips().size(), TipsFile::kMaxTips);
        QCOMPARE(tips.tips().at(299), QStringLiteral("Porada nr 299 – żółw"));
        // A draw equal to the last tip is drawn again.
        QList<int> draws = {5, 5, 5, 7};
        QCOMPARE(tips.next(5, [&](int) { return draws.takeFirst(); }), 7);
    }

    void installedTipsFileIsCopiedIntoTheConfigurationFolder()
    {
        const QString path = TipsFile::installedPath();
        QCOMPARE(path, m_config->path() + QStringLiteral("/porady.dat"));
        TipsFile tips;
        tips.load(path);
        QVERIFY2(tips.tips().size() >= 30, qPrintable(QString::number(tips.tips().size())));
    }
};

QTEST_GUILESS_MAIN(TestDeadlineCheck)
#include "test_deadlinecheck.moc"
