// A title click on an unchanged list puts the rows already read in the new
// order: it must be the order the statement's own ORDER BY gives, and any
// change of the data or of the filters must read the list afresh.

#include "TestDatabase.h"
#include "TestSupport.h"

#include "store/ListState.h"
#include "store/PolishCollation.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"

#include <QtTest>

namespace {
// Every field of every row, NULL told apart from an empty text.
QStringList rows(const Statement& q)
{
    QStringList out;
    for (int r = 0; r < q.recordCount(); ++r) {
        QStringList fields;
        for (int c = 0; c < q.fieldCount(); ++c)
            fields << (q.isNullAt(r, c) ? QStringLiteral("<NULL>") : q.textAt(r, c));
        out << fields.join(QLatin1Char('|'));
    }
    return out;
}

// The statement's text run afresh by the engine.
QStringList engineOrder(SqlConnection& connection, const Statement& q)
{
    Statement fresh(&connection, q.name(), q.lines());
    fresh.open();
    return rows(fresh);
}
} // namespace

class TestResort : public QObject
{
    Q_OBJECT

private:
    TempConfig m_config;
    std::unique_ptr<TestDatabase> m_database;
    TmyDataBase m_db;
    void exec(const QString& sql) { m_db.DatabaseMain().exec(sql); }

private slots:
    void initTestCase();
    void sortKeysOrderAsCollation();
    void mixedValues();
    void sameOrderAsStatement_data();
    void sameOrderAsStatement();
    void changesReadAfresh();
    void tiesReadAfresh();
};

void TestResort::initTestCase()
{
    m_database = std::make_unique<TestDatabase>(true);
    QVERIFY(m_database->connect(m_db));
    // Polish letters in every case, empty and missing values, dates and amounts
    // out of order, and equal names (their order then follows the key).
    exec(QStringLiteral(
        "INSERT INTO komputery (IDKOMPUTERA,NREWID,NAZWA,PRODUCENT,DATAZAKUPU,NETTO,BRUTTO,INNE,ARCHIWUM,"
        "KLASYFIKATOR,NREW,IDFIRMY) VALUES "
        "(9001,'Ż-1','Łódź','żubr',20240115,10.5,12.92,'',  'N',0,'',1),"
        "(9002,'z-2','lodz','Zubr',NULL,2,NULL,NULL,'N',0,'',1),"
        "(9003,'Ą-3','Lodz','ąb',19991231,0,0,'x','N',0,'',1),"
        "(9004,'a-4','łza','Ab',0,-3.25,-4,'Ś','N',0,'',1),"
        "(9005,'',   '',    NULL,20240101,100,123,'ś','N',0,'',1),"
        "(9006,NULL, NULL,  '',20240101,2.0,2,'S','N',0,'',1),"
        "(9007,'ć-7','Biuro','ćma',20231010,7,8.61,'c','N',0,'',1),"
        "(9008,'C-8','Biuro','Ćma',20231010,7,8.61,'C','N',0,'',1),"
        "(9009,'ź-9','źdźbło','żaba',20200229,1e3,1230,'Z','N',0,'',1),"
        "(9010,'e-10','Ęła','ęła',20240101,9.99,12.29,'e','N',0,'',1)"));
    exec(QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO,IMIE,NIP) VALUES "
                        "('P1','Łukasz','Ewa',''),('P2','Lukasz','Ola',NULL),('P3','Żak','Jan','1'),('P4','"
                        "zak','Adam','2')"));
    exec(QStringLiteral("INSERT INTO firmy (IDFIRMY,NAZWA,MIASTO,NIP) VALUES "
                        "(901,'Ósemka','Łódź',''),(902,'osemka','lodz',NULL),(903,'Śruba','Śrem','3')"));
    exec(
        QStringLiteral("INSERT INTO terminy (IDTERMINU,IDOBIEKTU,CZEGODOTYCZY,ACT,DATAOD,DATADO,OPIS) VALUES "
                       "(9001,9001,'K','T',20240110,20240210,'Gwarancja'),"
                       "(9002,9002,'K','N',20240301,0,'gwarancja'),"
                       "(9003,9003,'K','T',NULL,NULL,''),(9004,9004,'K','T',20250101,20250201,'Żółw')"));
}

void TestResort::sortKeysOrderAsCollation()
{
    // Case, Polish letters, prefixes, digits, blanks and broken UTF-8 sequences.
    const QList<QByteArray> texts = {"", "a", "A", "ą", "Ą", "b", "ab", "aB", "Ab", "a b", "1", "10", "ł",
                                     "l", "L", "Ł", "ż", "ź", "z", "\xC5", "é", "ó", "o", "Ó", "żaba", "Żaba",
                                     "\xC5\x82"
                                     "a",
                                     // weights past two bytes: a ligature, an emoji
                                     "ﬀ", "aﬀ", "ab\xF0\x9F\x98\x80", "a\xF0\x9F\x98\x80"};
    auto sign = [](int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); };
    for (const QByteArray& a : texts)
        for (const QByteArray& b : texts) {
            const int byCollation =
                PolishCollation::compareUtf8(a.constData(), int(a.size()), b.constData(), int(b.size()));
            const int byKey = PolishCollation::sortKey(a.constData(), int(a.size()))
                                  .compare(PolishCollation::sortKey(b.constData(), int(b.size())));
            QVERIFY2(sign(byCollation) == sign(byKey), (a + " / " + b).constData());
        }
}

void TestResort::mixedValues()
{
    if (m_database->onServer())
        QSKIP("one column holding numbers, texts and blobs at once is the database file's own");
    // Numbers of both kinds, NULL, text by the Polish collation and a blob.
    SqlConnection& c = m_db.DatabaseMain();
    const QStringList lines = {
        QStringLiteral("SELECT * FROM (VALUES (1,NULL),(2,3),(3,2.5),(4,'b'),(5,X'00'),"
                       "(6,'Ą'),(7,'a'),(8,-1),(9,''),(10,3.0),(11,'B'))"),
        QStringLiteral("ORDER BY 2 COLLATE PL"), QStringLiteral("ASC"), QStringLiteral(", 1")};
    for (const char* direction : {"ASC", "DESC"}) {
        Statement q(&c, QStringLiteral("mixed"), lines);
        q.open();
        QStringList wanted = lines;
        wanted[2] = QLatin1String(direction);
        QVERIFY(q.reorder(1, wanted[2] == QLatin1String("ASC"), wanted));
        QVERIFY(q.isReordered());
        QCOMPARE(q.lines(), wanted);
        QCOMPARE(rows(q), engineOrder(c, q));
    }
}

void TestResort::sameOrderAsStatement_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("column");
    const auto add = [](const char* list, const char* columns) {
        for (const QString& c : QString::fromLatin1(columns).split(QLatin1Char(',')))
            QTest::addRow("%s %s", list, qPrintable(c)) << QString::fromLatin1(list) << c;
    };
    const char* assets = "NREWID,NAZWA,PRODUCENT,PRACOWNIK,NRSERYJNY,DATAZAKUPU,NETTO,VAT,BRUTTO,FIRMA,LOK,"
                         "KLASOPIS,INNE,DATAARCH,PRZYCZYNA";
    add("DBFKomputery", assets);
    add("DBFSprzet", assets);
    add("DBFProgramy", "NREWID,NAZWA,WERSJA,NRSERYJNY,PRODUCENT,KLASOPIS,FIRMA,INNE");
    add("DBFLicencje", "NREWID,NRLICENCJI,DATAZAKUPU,NETTO,VAT,BRUTTO,FIRMA,INNE,DATAARCH,PRZYCZYNA");
    add("DBFTerminy", "ACT,DATAOD,DATADO,CZEGODOTYCZY,KLASYFIKATOR_O,OPIS,INNE,OSOBA,LOK");
    add("DBFNaprawy", "ACT,TERMIN,KOMPSPRZ,OPIS,DATANAPRAWY,NETTO,VAT,BRUTTO,INNE");
    add("DBFDokumenty", "ACT,NUMER,DATADOK,CZEGODOTYCZY,NAZWA,TERMIN,OPIS,INNE");
    add("DBFHistoria", "KOMPSPRZ,PRACOWNIK,DATAOD,DATADO,MIEJSCE,INNE");
    add("DBFZlecenia", "CZEGODOTYCZY,NRDOKUMENTU,RODZAJPRACO,DATAOD,DATADO,PRACOWNIK,FIRMA");
    add("DBFRozliczenia",
        "CZEGODOTYCZY,NRDOKUMENTU,RODZAJPRACO,DATAOD,DATADO,GODZINY,STAWKA,WARTOSC,PRACOWNIK,FIRMA");
    add("DBFMagazyn", "CZESC,ILOSC,PRZYPOMNIJ,UWAGI");
    add("DBFZalaczniki", "DATADODANIA,NAZWAZALACZNIKA,CZEGODOTYCZY,RDZAL_O,NAZWAPLIKU,INNE");
    add("DBFBhp", "NAZWA,NREWID,CECHY,ILOSC,PRZYPOMNIJ,KLASOPIS,INNE");
    add("DBFZakupBhp",
        "NREWID,NAZWA,CECHY,PRODUCENT,DATAZAKUPU,NETTO,VAT,BRUTTO,ILOSC,FIRMA,NRFAKTURY,KLASOPIS,INNE");
    add("DBFosobowa", "NREW,NAZWISKO,NIP,DZIAL_O,STANOWISKO_O,NRPOKOJU");
    add("DBFFirmy", "NAZWA,MIASTO,NIP,NIPUE,TELEFON,WWW");
}

void TestResort::sameOrderAsStatement()
{
    QFETCH(QString, list);
    QFETCH(QString, column);
    ListState& state = m_db.listState();
    state.reset(list);
    QVERIFY(m_db.reloadList(list));
    Statement& q = m_db.statement(list);
    // Both directions: the first click on a new title keeps the direction, the second inverts it.
    for (int click = 0; click < 2; ++click) {
        state.sortBy(list, column);
        QVERIFY(m_db.reloadList(list));
        QVERIFY2(q.isReordered(), qPrintable(q.text()));
        Statement reloaded(&m_db.DatabaseMain(), list, q.lines());
        state.applyTo(list, reloaded);
        QCOMPARE(q.lines(), reloaded.lines()); // the text a reload would have run
        QCOMPARE(q.recNo(), 0);
        QCOMPARE(rows(q), engineOrder(m_db.DatabaseMain(), q));
    }
}

void TestResort::changesReadAfresh()
{
    const QString list = QStringLiteral("DBFKomputery");
    ListState& state = m_db.listState();
    Statement& q = m_db.statement(list);
    const int nazwa = [&] {
        state.reset(list);
        m_db.reloadList(list);
        return q.fieldIndex(QStringLiteral("NAZWA"));
    }();
    auto names = [&] {
        QStringList out;
        for (int r = 0; r < q.recordCount(); ++r)
            out << q.textAt(r, nazwa);
        return out;
    };
    state.sortBy(list, QStringLiteral("NAZWA"));
    QVERIFY(m_db.reloadList(list));
    QVERIFY(q.isReordered());

    // A write of this connection.
    exec(QStringLiteral("UPDATE komputery SET NAZWA='Ćwierć' WHERE IDKOMPUTERA=9001"));
    state.sortBy(list, QStringLiteral("NAZWA"));
    QVERIFY(m_db.reloadList(list));
    QVERIFY(!q.isReordered());
    QVERIFY(names().contains(QStringLiteral("Ćwierć")));

    // A commit of another connection to the same file.
    {
        SqlConnection other;
        m_database->open(other);
        other.exec(QStringLiteral("UPDATE komputery SET NAZWA='Ówdzie' WHERE IDKOMPUTERA=9001"));
    }
    state.sortBy(list, QStringLiteral("NAZWA"));
    QVERIFY(m_db.reloadList(list));
    QVERIFY(!q.isReordered());
    QVERIFY(names().contains(QStringLiteral("Ówdzie")));

    // Nothing changed again: in memory once more.
    state.sortBy(list, QStringLiteral("NAZWA"));
    QVERIFY(m_db.reloadList(list));
    QVERIFY(q.isReordered());

    // Another filter.
    state.setArchive(true);
    state.sortBy(list, QStringLiteral("NAZWA"));
    QVERIFY(m_db.reloadList(list));
    QVERIFY(!q.isReordered());
    QVERIFY(!names().contains(QStringLiteral("Ówdzie")));
    state.setArchive(false);
    QVERIFY(m_db.reloadList(list));

    // A statement closed in between (a list left) is read again.
    q.close();
    state.sortBy(list, QStringLiteral("NAZWA"));
    QVERIFY(m_db.reloadList(list));
    QVERIFY(!q.isReordered());
    QVERIFY(q.recordCount() > 0);
}

void TestResort::tiesReadAfresh()
{
    // The users of one computer share its key, the first column: two rows equal
    // in the sort column too are left to the engine.
    const QString list = QStringLiteral("DBFUzytkownicy");
    exec(QStringLiteral("INSERT INTO r_kompprac (IDKOMPUTERA,NREW,OPIS) VALUES "
                        "(9001,'P1','same'),(9001,'P2','same'),(9001,'P3','inna')"));
    ListState& state = m_db.listState();
    state.reset(list);
    state.setOwner(list, 9001);
    QVERIFY(m_db.reloadList(list));
    Statement& q = m_db.statement(list);
    QCOMPARE(q.recordCount(), 3);
    state.sortBy(list, QStringLiteral("OPIS"));
    QVERIFY(m_db.reloadList(list));
    QVERIFY(!q.isReordered());
    QCOMPARE(q.text(QStringLiteral("OPIS")), QStringLiteral("inna"));
    // Distinct values sort in memory.
    state.sortBy(list, QStringLiteral("PRACOWNIK"));
    QVERIFY(m_db.reloadList(list));
    QVERIFY(q.isReordered());
    QCOMPARE(rows(q), engineOrder(m_db.DatabaseMain(), q));
}

QTEST_GUILESS_MAIN(TestResort)
#include "test_resort.moc"
