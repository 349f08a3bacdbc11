// Stored statement texts and the list state: every statement compiles on a
// fresh database, the list statements keep their documented line layout, and
// the filters and sort order written by the list state select and order rows.

#include "TestDatabase.h"
#include "TestSupport.h"

#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/ListState.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/StatementTexts.h"
#include "store/WriteTransaction.h"

#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kPassword = QStringLiteral("test-haslo");

QStringList columnValues(Statement& q, const QString& field)
{
    QStringList values;
    for (q.first(); !q.eof(); q.next())
        values << q.text(field);
    return values;
}
} // namespace

class TestStatements : public QObject
{
    Q_OBJECT

private:
    // A statement with its stored text, the list's state applied and value
    // lines filled with 0.
    Statement prepared(SqlConnection& db, const QString& name, const ListState& state) const;
    QStringList listColumn(const QString& list, const QString& field);
    void insert(const QString& sql) { m_work.exec(sql); }

    TempConfig m_config;
    std::unique_ptr<TestDatabase> m_emptyDatabase;
    std::unique_ptr<TestDatabase> m_demoDatabase;
    std::unique_ptr<TestDatabase> m_workDatabase;
    SqlConnection m_empty;
    SqlConnection m_demo;
    SqlConnection m_work;
    ListState m_state;

private slots:
    void initTestCase();
    void namesAreUnique();
    void everyStatementCompiles_data();
    void everyStatementCompiles();
    void listLayout_data();
    void listLayout();
    void slotRoles_data();
    void slotRoles();
    void everyGridColumnSorts_data();
    void everyGridColumnSorts();
    void listsOpenOnDemo_data();
    void listsOpenOnDemo();
    void polishOrder();
    void keyedReadGivesTheWholeList();
    void dateRangeFilters();
    void archiveAndClassifier();
    void objectAndActiveOnly();
    void ownerConditions();
    void keyLineLookups();
    void sortByRule_data();
    void sortByRule();
    void entryRoundTrip();
    void resetAllRestoresDefaults();
    void computerWrites();
    void deadlineWindow();
};

Statement TestStatements::prepared(SqlConnection& db, const QString& name, const ListState& state) const
{
    const StatementText* text = findStatementText(name);
    Statement q(&db, name, text ? text->lines : QStringList());
    if (text)
        for (int line : text->valueLines)
            q.setLine(line, QStringLiteral("0"));
    state.applyTo(name, q);
    return q;
}

QStringList TestStatements::listColumn(const QString& list, const QString& field)
{
    Statement q = prepared(m_work, list, m_state);
    q.open();
    return columnValues(q, field);
}

void TestStatements::initTestCase()
{
    m_emptyDatabase = std::make_unique<TestDatabase>(false, kPassword);
    m_demoDatabase = std::make_unique<TestDatabase>(true, kPassword);
    m_workDatabase = std::make_unique<TestDatabase>(false, kPassword);
    m_emptyDatabase->open(m_empty);
    m_demoDatabase->open(m_demo);
    m_workDatabase->open(m_work);

    // A small dataset for the filters.
    insert(QStringLiteral("INSERT INTO slowniki (KOD,IDSLOWNIK,OPIS) VALUES (9001,'KLKOM','Serwery')"));
    insert(QStringLiteral(
        "INSERT INTO komputery (IDKOMPUTERA,NREWID,NAZWA,DATAZAKUPU,ARCHIWUM,KLASYFIKATOR,NREW,IDFIRMY) "
        "VALUES "
        "(1,'K-001','Biuro',20240115,'N',0,'E1',1),(2,'K-002','Serwer',20240620,'N',9001,'E2',1),"
        "(3,'K-003','Stary',20230301,'T',0,'',-1)"));
    insert(QStringLiteral(
        "INSERT INTO osobowa (NREW,NAZWISKO,IMIE) VALUES "
        "('E1','Mazur','Jan'),('E2','Łukasz','Ewa'),('E3','Lucyna','Ola'),('E4','Lis','Adam')"));
    insert(
        QStringLiteral("INSERT INTO terminy (IDTERMINU,IDOBIEKTU,CZEGODOTYCZY,ACT,DATAOD,DATADO,OPIS) VALUES "
                       "(1,1,'K','T',20240110,20240210,'Gwarancja'),(2,1,'L','N',20240301,0,'Licencja'),"
                       "(3,2,'K','T',20250101,20250201,'Przegląd')"));
    insert(QStringLiteral(
        "INSERT INTO programy (IDPROGRAMU,NAZWA,WERSJA) VALUES (1,'Edytor','1'),(2,'Arkusz','2')"));
    insert(QStringLiteral("INSERT INTO licencje (IDLICENCJI,NREWID,NRLICENCJI,ARCHIWUM) VALUES "
                          "(1,'L-1','AAA','N'),(2,'L-2','BBB','N')"));
    insert(QStringLiteral("INSERT INTO r_licprog (IDPROGRAMU,IDLICENCJI,ILOSCLIC,WIELOSTAN,ACT) VALUES "
                          "(1,1,5,'N','T'),(2,1,5,'N','N'),(1,2,1,'N','T')"));
    insert(QStringLiteral("INSERT INTO r_lickomp (IDPROGRAMU,IDLICENCJI,IDKOMPUTERA,ACT) VALUES "
                          "(1,1,1,'T'),(1,2,2,'T'),(2,1,2,'T')"));
    insert(QStringLiteral(
        "INSERT INTO r_kompprac (IDKOMPUTERA,NREW,OPIS) VALUES (1,'E1','a'),(2,'E2','b'),(2,'E3','c')"));
}

void TestStatements::namesAreUnique()
{
    QSet<QString> names;
    for (const StatementText& t : allStatementTexts()) {
        QVERIFY2(!names.contains(t.name), qPrintable(t.name));
        names.insert(t.name);
        QVERIFY2(!t.lines.isEmpty(), qPrintable(t.name));
    }
    for (const QString& list : ListState::listNames())
        QVERIFY2(names.contains(list), qPrintable(list));
    QCOMPARE(statementLines(QStringLiteral("DBFNieMa")), QStringList());
}

void TestStatements::everyStatementCompiles_data()
{
    QTest::addColumn<QString>("name");
    for (const StatementText& t : allStatementTexts())
        QTest::newRow(qPrintable(t.name)) << t.name;
}

void TestStatements::everyStatementCompiles()
{
    QFETCH(QString, name);
    Statement q = prepared(m_empty, name, m_state);
    try {
        q.prepareOnly();
    } catch (const DbError& e) {
        QFAIL(qPrintable(e.message() + QStringLiteral("\n") + q.text()));
    }
    // The portable dialect: no file suffix, no double-quoted literals, no '+' joining texts.
    const QString text = q.text();
    QVERIFY2(!text.contains(QStringLiteral(".DB"), Qt::CaseInsensitive), qPrintable(text));
    QVERIFY2(!text.contains(QLatin1Char('"')), qPrintable(text));
    QVERIFY2(!text.contains(QStringLiteral("+'")) && !text.contains(QStringLiteral("'+")), qPrintable(text));
}

void TestStatements::listLayout_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<int>("orderByLine");
    QTest::addColumn<int>("orderLine");
    QTest::addColumn<QString>("defaultOrder");
    QTest::newRow("komputery") << "DBFKomputery" << 17 << 14 << 15 << "NREWID";
    QTest::newRow("sprzet") << "DBFSprzet" << 17 << 14 << 15 << "NREWID";
    QTest::newRow("programy") << "DBFProgramy" << 15 << 11 << 12 << "NAZWA";
    QTest::newRow("licencje") << "DBFLicencje" << 14 << 11 << 12 << "NREWID";
    QTest::newRow("terminy") << "DBFTerminy" << 24 << 18 << 19 << "DATAOD";
    QTest::newRow("naprawy") << "DBFNaprawy" << 23 << 17 << 18 << "TERMIN";
    QTest::newRow("dokumenty") << "DBFDokumenty" << 23 << 17 << 18 << "DATADOK";
    QTest::newRow("historia") << "DBFHistoria" << 23 << 17 << 18 << "DATAOD";
    QTest::newRow("zlecenia") << "DBFZlecenia" << 23 << 17 << 18 << "DATAOD";
    QTest::newRow("rozliczenia") << "DBFRozliczenia" << 23 << 17 << 18 << "DATAOD";
    QTest::newRow("zalaczniki") << "DBFZalaczniki" << 35 << 27 << 30 << "NAZWAZALACZNIKA";
    QTest::newRow("magazyn") << "DBFMagazyn" << 15 << 11 << 12 << "CZESC";
    QTest::newRow("bhp") << "DBFBhp" << 17 << 14 << 15 << "NREWID";
    QTest::newRow("zakupbhp") << "DBFZakupBhp" << 16 << 13 << 14 << "NREWID";
    QTest::newRow("osobowa") << "DBFosobowa" << 11 << 7 << 8 << "NAZWISKO";
    QTest::newRow("firmy") << "DBFFirmy" << 9 << 5 << 6 << "NAZWA";
    QTest::newRow("uzytkownicy") << "DBFUzytkownicy" << 15 << 9 << 10 << "PRACOWNIK";
    QTest::newRow("uzywajacy") << "DBFUzywajacy" << 15 << 9 << 10 << "PRACOWNIK";
    QTest::newRow("posiadajacy") << "DBFPosiadajacy" << 15 << 9 << 10 << "PRACOWNIK";
    QTest::newRow("licprog") << "DBFLicProg" << 15 << 12 << 13 << "NAZWA";
    QTest::newRow("lickomp") << "DBFLicKomp" << 16 << 13 << 14 << "NAZWA";
}

void TestStatements::listLayout()
{
    QFETCH(QString, list);
    QFETCH(int, lineCount);
    QFETCH(int, orderByLine);
    QFETCH(int, orderLine);
    QFETCH(QString, defaultOrder);

    const QStringList lines = statementLines(list);
    QCOMPARE(lines.size(), lineCount);
    QCOMPARE(lines.at(orderByLine).trimmed(), QStringLiteral("ORDER BY"));
    QCOMPARE(ListState::orderLine(list), orderLine);
    QCOMPARE(ListState::directionLine(list), orderLine + 1);
    QVERIFY(lines.at(orderLine).isEmpty());
    QVERIFY(lines.at(orderLine + 1).isEmpty());
    if (orderLine + 2 < lineCount) // the tie line must not overwrite stored text
        QVERIFY(lines.at(orderLine + 2).isEmpty());
    // Every slot lies after the WHERE line, before ORDER BY, and is empty in the stored text.
    const int where = int(std::find_if(lines.begin(), lines.end(),
                                       [](const QString& l) { return l.contains(QStringLiteral("WHERE")); }) -
                          lines.begin());
    for (int slot : ListState::slotLines(list)) {
        QVERIFY2(slot > where && slot < orderByLine, qPrintable(QString::number(slot)));
        QVERIFY(lines.at(slot).isEmpty());
    }

    ListState state;
    QCOMPARE(state.orderColumn(list), defaultOrder);
    QVERIFY(state.ascending(list));
    Statement q(nullptr, list, lines);
    state.applyTo(list, q);
    // Equal values are ordered by the first column, on a line after the direction.
    QCOMPARE(q.lines().size(), std::max(lineCount, orderLine + 3));
    QCOMPARE(q.line(orderLine), defaultOrder + QStringLiteral(" COLLATE PL"));
    QCOMPARE(q.line(orderLine + 1), QStringLiteral("ASC"));
    QCOMPARE(q.line(orderLine + 2), QStringLiteral(", 1"));
    state.setAscending(list, false);
    state.applyTo(list, q);
    QCOMPARE(q.line(orderLine + 1), QStringLiteral("DESC"));
}

void TestStatements::slotRoles_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("role");
    QTest::addColumn<int>("line");
    using R = ListState::Role;
    QTest::newRow("komputery reserved") << "DBFKomputery" << int(R::Reserved) << 10;
    QTest::newRow("komputery date") << "DBFKomputery" << int(R::DateRange) << 11;
    QTest::newRow("komputery archive") << "DBFKomputery" << int(R::Archive) << 12;
    QTest::newRow("komputery classifier") << "DBFKomputery" << int(R::Classifier) << 13;
    QTest::newRow("sprzet owner") << "DBFSprzet" << int(R::Owner) << 11;
    QTest::newRow("licencje archive") << "DBFLicencje" << int(R::Archive) << 10;
    QTest::newRow("licencje classifier") << "DBFLicencje" << int(R::Classifier) << -1;
    QTest::newRow("programy classifier") << "DBFProgramy" << int(R::Classifier) << 10;
    QTest::newRow("bhp classifier") << "DBFBhp" << int(R::Classifier) << 12;
    QTest::newRow("zakupbhp date") << "DBFZakupBhp" << int(R::DateRange) << 9;
    QTest::newRow("terminy active") << "DBFTerminy" << int(R::ActiveOnly) << 17;
    QTest::newRow("terminy key") << "DBFTerminy" << int(R::ObjectKey) << 15;
    QTest::newRow("terminy kind") << "DBFTerminy" << int(R::ObjectKind) << 16;
    QTest::newRow("naprawy active") << "DBFNaprawy" << int(R::ActiveOnly) << 16;
    QTest::newRow("historia active") << "DBFHistoria" << int(R::ActiveOnly) << -1;
    QTest::newRow("zalaczniki date") << "DBFZalaczniki" << int(R::DateRange) << 23;
    QTest::newRow("zalaczniki kind") << "DBFZalaczniki" << int(R::ObjectKind) << 25;
    QTest::newRow("uzytkownicy owner") << "DBFUzytkownicy" << int(R::Owner) << 8;
    QTest::newRow("licprog owner") << "DBFLicProg" << int(R::Owner) << 10;
    QTest::newRow("licprog active") << "DBFLicProg" << int(R::ActiveOnly) << 11;
    QTest::newRow("lickomp owner") << "DBFLicKomp" << int(R::Owner) << 9;
    QTest::newRow("unknown list") << "DBFNieMa" << int(R::DateRange) << -1;
}

void TestStatements::slotRoles()
{
    QFETCH(QString, list);
    QFETCH(int, role);
    QFETCH(int, line);
    QCOMPARE(ListState::line(list, ListState::Role(role)), line);
}

void TestStatements::everyGridColumnSorts_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("column");
    const auto add = [](const char* list, const char* columns) {
        for (const QString& c : QString::fromLatin1(columns).split(QLatin1Char(',')))
            QTest::addRow("%s %s", list, qPrintable(c)) << QString::fromLatin1(list) << c;
    };
    const char* assets =
        "NREWID,NAZWA,PRODUCENT,PRACOWNIK,NRSERYJNY,DATAZAKUPU,NETTO,VAT,BRUTTO,FIRMA,LOK,KLASOPIS,"
        "INNE,DATAARCH,PRZYCZYNA";
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

void TestStatements::everyGridColumnSorts()
{
    QFETCH(QString, list);
    QFETCH(QString, column);
    ListState state;
    state.sortBy(list, column);
    Statement q = prepared(m_demo, list, state);
    try {
        q.open();
    } catch (const DbError& e) {
        QFAIL(qPrintable(e.message() + QStringLiteral("\n") + q.text()));
    }
    QVERIFY(q.hasField(column));
}

void TestStatements::listsOpenOnDemo_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("countQuery");
    QTest::newRow("komputery") << "DBFKomputery"
                               << "IDKOMPUTERA"
                               << "SELECT COUNT(*) AS N FROM komputery WHERE ARCHIWUM='N'";
    QTest::newRow("sprzet") << "DBFSprzet"
                            << "IDSPRZETU"
                            << "SELECT COUNT(*) AS N FROM sprzet WHERE ARCHIWUM='N'";
    QTest::newRow("programy") << "DBFProgramy"
                              << "IDPROGRAMU"
                              << "SELECT COUNT(*) AS N FROM programy";
    QTest::newRow("licencje") << "DBFLicencje"
                              << "IDLICENCJI"
                              << "SELECT COUNT(*) AS N FROM licencje WHERE ARCHIWUM='N'";
    QTest::newRow("terminy") << "DBFTerminy"
                             << "IDTERMINU"
                             << "SELECT COUNT(*) AS N FROM terminy";
    QTest::newRow("naprawy") << "DBFNaprawy"
                             << "IDNAPRAWY"
                             << "SELECT COUNT(*) AS N FROM naprawy";
    QTest::newRow("dokumenty") << "DBFDokumenty"
                               << "IDDOKUMENTU"
                               << "SELECT COUNT(*) AS N FROM dokumenty";
    QTest::newRow("historia") << "DBFHistoria"
                              << "IDHISTORII"
                              << "SELECT COUNT(*) AS N FROM historia";
    QTest::newRow("zlecenia") << "DBFZlecenia"
                              << "IDZLECENIA"
                              << "SELECT COUNT(*) AS N FROM zlecenia";
    QTest::newRow("rozliczenia") << "DBFRozliczenia"
                                 << "IDROZLICZENIA"
                                 << "SELECT COUNT(*) AS N FROM rozliczenia";
    QTest::newRow("zalaczniki") << "DBFZalaczniki"
                                << "IDZALACZNIKA"
                                << "SELECT COUNT(*) AS N FROM zalaczniki";
    QTest::newRow("magazyn") << "DBFMagazyn"
                             << "ID"
                             << "SELECT COUNT(*) AS N FROM magazyn";
    QTest::newRow("bhp") << "DBFBhp"
                         << "IDBHP"
                         << "SELECT COUNT(*) AS N FROM bhp";
    QTest::newRow("zakupbhp") << "DBFZakupBhp"
                              << "IDZAKUPBHP"
                              << "SELECT COUNT(*) AS N FROM zakupbhp";
    QTest::newRow("osobowa") << "DBFosobowa"
                             << "NREW"
                             << "SELECT COUNT(*) AS N FROM osobowa";
    QTest::newRow("firmy") << "DBFFirmy"
                           << "IDFIRMY"
                           << "SELECT COUNT(*) AS N FROM firmy WHERE IDFIRMY<>1";
    QTest::newRow("uzytkownicy") << "DBFUzytkownicy"
                                 << "NREW"
                                 << "SELECT COUNT(*) AS N FROM r_kompprac";
    QTest::newRow("uzywajacy") << "DBFUzywajacy"
                               << "NREW"
                               << "SELECT COUNT(*) AS N FROM r_sprzprac R JOIN osobowa O ON O.NREW=R.NREW";
    QTest::newRow("posiadajacy") << "DBFPosiadajacy"
                                 << "IDBHP"
                                 << "SELECT COUNT(*) AS N FROM r_bhpprac R JOIN osobowa O ON O.NREW=R.NREW";
    QTest::newRow("licprog") << "DBFLicProg"
                             << "IDLICENCJI"
                             << "SELECT COUNT(*) AS N FROM r_licprog";
    QTest::newRow("lickomp") << "DBFLicKomp"
                             << "IDKOMPUTERA"
                             << "SELECT COUNT(*) AS N FROM r_lickomp";
}

// With the default state a list shows every row of its base table once
// (current records only where the list has an archive slot).
void TestStatements::listsOpenOnDemo()
{
    QFETCH(QString, list);
    QFETCH(QString, key);
    QFETCH(QString, countQuery);
    ListState state;
    Statement q = prepared(m_demo, list, state);
    q.open();
    QVERIFY(q.hasField(key));
    Statement count(&m_demo, QString(), {countQuery});
    count.open();
    QCOMPARE(q.recordCount(), int(count.integer(QStringLiteral("N"))));
}

void TestStatements::polishOrder()
{
    m_state.resetAll();
    QCOMPARE(listColumn(QStringLiteral("DBFosobowa"), QStringLiteral("NAZWISKO")),
             QStringList({"Lis", "Lucyna", "Łukasz", "Mazur"}));
    m_state.sortBy(QStringLiteral("DBFosobowa"), QStringLiteral("NAZWISKO"));
    QCOMPARE(listColumn(QStringLiteral("DBFosobowa"), QStringLiteral("NAZWISKO")),
             QStringList({"Mazur", "Łukasz", "Lucyna", "Lis"}));
    // An alias over an expression sorts the same way.
    m_state.resetAll();
    m_state.setOwner(QStringLiteral("DBFUzytkownicy"), 2);
    QCOMPARE(listColumn(QStringLiteral("DBFUzytkownicy"), QStringLiteral("PRACOWNIK")),
             QStringList({"Lucyna Ola", "Łukasz Ewa"}));
    // Lookups carry the collation in their fixed text.
    Statement q(&m_work, QString(), statementLines(QStringLiteral("DBFPracownicy")));
    q.open();
    QCOMPARE(columnValues(q, QStringLiteral("NREW")), QStringList({"E4", "E3", "E2", "E1"}));
}

void TestStatements::keyedReadGivesTheWholeList()
{
    const QStringList lines{QStringLiteral("SELECT NREW, NAZWISKO FROM osobowa"), QStringLiteral("WHERE 1=1"),
                            QStringLiteral("ORDER BY NREW")};
    Statement::Keyset keyset;
    keyset.keyTerm = QStringLiteral("NREW");
    keyset.idTerm = QStringLiteral("NREW");
    keyset.keyOfRow = QStringLiteral("SELECT NREW FROM osobowa WHERE NREW = ?");
    keyset.conditionLine = 2;
    Statement whole(&m_work, QString(), lines);
    whole.open();
    QVERIFY(whole.recordCount() >= 4);
    Statement q(&m_work, QString(), lines);
    q.setKeyset(keyset);
    q.setFirstRows(1);
    q.open();
    QCOMPARE(q.loadedCount(), 1);
    QVERIFY(q.isReading());
    // Pages on both: the server's each sent with a LIMIT of its rows.
    QVERIFY(q.readsByPages());
    int parts = 0;
    while (q.fetchMore(1))
        ++parts;
    QVERIFY(parts >= 2);
    QVERIFY(!q.isReading());
    QCOMPARE(columnValues(q, QStringLiteral("NREW")), columnValues(whole, QStringLiteral("NREW")));
    QCOMPARE(columnValues(q, QStringLiteral("NAZWISKO")), columnValues(whole, QStringLiteral("NAZWISKO")));
}

void TestStatements::dateRangeFilters()
{
    m_state.resetAll();
    const QString komputery = QStringLiteral("DBFKomputery");
    m_state.setDateRange(20240101, 20241231);
    QCOMPARE(m_state.condition(komputery, ListState::Role::DateRange),
             QStringLiteral("AND DATAZAKUPU >= 20240101 AND DATAZAKUPU <= 20241231"));
    QCOMPARE(listColumn(komputery, QStringLiteral("NREWID")), QStringList({"K-001", "K-002"}));
    // No end: everything from the start on.
    m_state.setDateRange(20240201, 0);
    QCOMPARE(listColumn(komputery, QStringLiteral("NREWID")), QStringList({"K-002"}));
    // The range is common to every list; a deadline without end date passes any upper bound.
    m_state.setDateRange(20240101, 20240301);
    QCOMPARE(m_state.condition(QStringLiteral("DBFTerminy"), ListState::Role::DateRange),
             QStringLiteral("AND DATAOD >= 20240101 AND DATADO <= 20240301"));
    QCOMPARE(listColumn(QStringLiteral("DBFTerminy"), QStringLiteral("IDTERMINU")), QStringList({"1", "2"}));
    QCOMPARE(m_state.condition(QStringLiteral("DBFNaprawy"), ListState::Role::DateRange),
             QStringLiteral("AND DATANAPRAWY >= 20240101 AND DATANAPRAWY <= 20240301"));
    QCOMPARE(m_state.condition(QStringLiteral("DBFZalaczniki"), ListState::Role::DateRange),
             QStringLiteral("AND DATADODANIA >= 20240101 AND DATADODANIA <= 20240301"));
    // Both bounds empty: all rows.
    m_state.setDateRange(0, 0);
    QCOMPARE(listColumn(QStringLiteral("DBFTerminy"), QStringLiteral("IDTERMINU")).size(), 3);
}

void TestStatements::archiveAndClassifier()
{
    m_state.resetAll();
    const QString komputery = QStringLiteral("DBFKomputery");
    QCOMPARE(listColumn(komputery, QStringLiteral("NREWID")), QStringList({"K-001", "K-002"}));
    m_state.setArchive(true);
    QCOMPARE(listColumn(komputery, QStringLiteral("NREWID")), QStringList({"K-003"}));
    QCOMPARE(m_state.condition(QStringLiteral("DBFLicencje"), ListState::Role::Archive),
             QStringLiteral("AND ARCHIWUM='T'"));
    QCOMPARE(m_state.condition(QStringLiteral("DBFSprzet"), ListState::Role::Archive),
             QStringLiteral("AND ARCHIWUM='T'"));
    m_state.setArchive(false);
    m_state.setClassifier(komputery, 9001);
    QCOMPARE(listColumn(komputery, QStringLiteral("NREWID")), QStringList({"K-002"}));
    QCOMPARE(listColumn(komputery, QStringLiteral("KLASOPIS")), QStringList({"Serwery"}));
    // Entering a register empties the classifier of computers, equipment and programs, not of BHP.
    m_state.setClassifier(QStringLiteral("DBFBhp"), 5);
    m_state.clearRegisterClassifiers();
    QCOMPARE(m_state.condition(komputery, ListState::Role::Classifier), QString());
    QCOMPARE(m_state.condition(QStringLiteral("DBFBhp"), ListState::Role::Classifier),
             QStringLiteral("AND KLASYFIKATOR=5"));
    // The company name and employee columns resolve through the joins.
    QCOMPARE(listColumn(komputery, QStringLiteral("PRACOWNIK")),
             QStringList({"Mazur Jan (nr.ew. E1)", "Łukasz Ewa (nr.ew. E2)"}));
}

void TestStatements::objectAndActiveOnly()
{
    m_state.resetAll();
    const QString terminy = QStringLiteral("DBFTerminy");
    m_state.setObject(terminy, QStringLiteral("K"), 1);
    QCOMPARE(m_state.condition(terminy, ListState::Role::ObjectKind), QStringLiteral("AND CZEGODOTYCZY='K'"));
    QCOMPARE(listColumn(terminy, QStringLiteral("IDTERMINU")), QStringList({"1"}));
    // The key alone matches objects of every kind with that key.
    m_state.clearCondition(terminy, ListState::Role::ObjectKind);
    QCOMPARE(listColumn(terminy, QStringLiteral("IDTERMINU")), QStringList({"1", "2"}));
    m_state.clearObject(terminy);
    m_state.setActiveOnly(true);
    QCOMPARE(listColumn(terminy, QStringLiteral("IDTERMINU")), QStringList({"1", "3"}));
    QCOMPARE(m_state.condition(QStringLiteral("DBFNaprawy"), ListState::Role::ActiveOnly),
             QStringLiteral("AND ACT='T'"));
    QCOMPARE(m_state.condition(QStringLiteral("DBFDokumenty"), ListState::Role::ActiveOnly),
             QStringLiteral("AND ACT='T'"));
    m_state.setActiveOnly(false);
    QCOMPARE(listColumn(terminy, QStringLiteral("IDTERMINU")).size(), 3);
    // Repairs and history name the kind KOMPSPRZ; a quote in a kind cannot break out of the literal.
    m_state.setObjectKind(QStringLiteral("DBFNaprawy"), QStringLiteral("S"));
    QCOMPARE(m_state.condition(QStringLiteral("DBFNaprawy"), ListState::Role::ObjectKind),
             QStringLiteral("AND KOMPSPRZ='S'"));
    m_state.setObjectKind(terminy, QStringLiteral("K' OR 1=1 --"));
    QCOMPARE(listColumn(terminy, QStringLiteral("IDTERMINU")), QStringList());
    // A role the list does not have is not written.
    m_state.setObjectKind(QStringLiteral("DBFKomputery"), QStringLiteral("K"));
    QCOMPARE(m_state.entry(QStringLiteral("DBFKomputery")),
             ListState().entry(QStringLiteral("DBFKomputery")));
}

void TestStatements::ownerConditions()
{
    m_state.resetAll();
    const QString licProg = QStringLiteral("DBFLicProg");
    m_state.setOwner(licProg, 1);
    QCOMPARE(m_state.condition(licProg, ListState::Role::Owner), QStringLiteral("AND R.IDLICENCJI=1"));
    QCOMPARE(listColumn(licProg, QStringLiteral("NAZWA")), QStringList({"Arkusz", "Edytor"}));
    m_state.setActiveOnly(licProg, true);
    QCOMPARE(listColumn(licProg, QStringLiteral("NAZWA")), QStringList({"Edytor"}));
    m_state.setActiveOnly(licProg, false);
    m_state.setOwner(licProg, 1, QStringLiteral("IDPROGRAMU"));
    QCOMPARE(listColumn(licProg, QStringLiteral("NRLICENCJI")), QStringList({"AAA", "BBB"}));

    const QString licKomp = QStringLiteral("DBFLicKomp");
    m_state.setOwner(licKomp, 2);
    QCOMPARE(m_state.condition(licKomp, ListState::Role::Owner), QStringLiteral("AND O.IDKOMPUTERA=2"));
    QCOMPARE(listColumn(licKomp, QStringLiteral("NAZWA")), QStringList({"Arkusz", "Edytor"}));

    m_state.setOwner(QStringLiteral("DBFUzytkownicy"), 1);
    QCOMPARE(listColumn(QStringLiteral("DBFUzytkownicy"), QStringLiteral("NREW")), QStringList({"E1"}));
    // The owning computer of equipment shares the date-range line.
    m_state.setOwner(QStringLiteral("DBFSprzet"), 7);
    QCOMPARE(m_state.condition(QStringLiteral("DBFSprzet"), ListState::Role::DateRange),
             QStringLiteral("AND IDKOMPUTERA=7"));
    QCOMPARE(ListState::qualifiedColumn(QStringLiteral("DBFKomputery"), QStringLiteral("NREW")),
             QStringLiteral("K.NREW"));
    QCOMPARE(ListState::qualifiedColumn(QStringLiteral("DBFMagazyn"), QStringLiteral("CZESC")),
             QStringLiteral("CZESC"));
    // A report condition on the responsible employee, qualified because osobowa has NREW too.
    m_state.setSlot(QStringLiteral("DBFKomputery"), 10,
                    QStringLiteral("AND ") +
                        ListState::qualifiedColumn(QStringLiteral("DBFKomputery"), QStringLiteral("NREW")) +
                        QStringLiteral("='E2'"));
    QCOMPARE(listColumn(QStringLiteral("DBFKomputery"), QStringLiteral("NREWID")), QStringList({"K-002"}));
}

void TestStatements::keyLineLookups()
{
    Statement programs(&m_work, QString(), statementLines(QStringLiteral("DBFListaProg")));
    programs.setLine(5, QStringLiteral("2"));
    programs.open();
    QCOMPARE(columnValues(programs, QStringLiteral("PROGRAM")), QStringList({"Arkusz 2"}));
    programs.setLine(5, QStringLiteral("-1"));
    programs.open();
    QCOMPARE(columnValues(programs, QStringLiteral("PROGRAM")), QStringList({"Arkusz 2", "Edytor 1"}));

    Statement licences(&m_work, QString(), statementLines(QStringLiteral("DBFListaLic")));
    licences.setLine(5, QStringLiteral("2"));
    licences.open();
    QCOMPARE(columnValues(licences, QStringLiteral("NRLICENCJI")), QStringList({"BBB"}));

    Statement computers(&m_work, QString(), statementLines(QStringLiteral("DBFKompSprzet")));
    computers.open();
    QCOMPARE(columnValues(computers, QStringLiteral("KOMPUTER")),
             QStringList({"Biuro (K-001) ", "Serwer (K-002) "}));
}

void TestStatements::sortByRule_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("column");
    QTest::addColumn<bool>("ascending");
    QTest::newRow("none") << "DBFKomputery" << QStringList() << "NREWID" << true;
    QTest::newRow("default column inverts") << "DBFKomputery" << QStringList({"NREWID"}) << "NREWID" << false;
    QTest::newRow("other column") << "DBFKomputery" << QStringList({"NAZWA"}) << "NAZWA" << true;
    QTest::newRow("twice") << "DBFKomputery" << QStringList({"NAZWA", "NAZWA"}) << "NAZWA" << false;
    QTest::newRow("direction kept") << "DBFKomputery" << QStringList({"NAZWA", "NAZWA", "PRODUCENT"})
                                    << "PRODUCENT" << false;
    QTest::newRow("deadline description") << "DBFTerminy" << QStringList({"OPIS"}) << "T.OPIS" << true;
    QTest::newRow("deadline description twice")
        << "DBFTerminy" << QStringList({"OPIS", "OPIS"}) << "T.OPIS" << false;
    QTest::newRow("other list OPIS") << "DBFNaprawy" << QStringList({"OPIS"}) << "OPIS" << true;
}

void TestStatements::sortByRule()
{
    QFETCH(QString, list);
    QFETCH(QStringList, clicks);
    QFETCH(QString, column);
    QFETCH(bool, ascending);
    ListState state;
    for (const QString& c : clicks)
        state.sortBy(list, c);
    QCOMPARE(state.orderColumn(list), column);
    QCOMPARE(state.ascending(list), ascending);
    // Other lists keep their own order.
    QCOMPARE(state.orderColumn(QStringLiteral("DBFFirmy")), QStringLiteral("NAZWA"));
}

void TestStatements::entryRoundTrip()
{
    // Reports keep a list's state and put it back after filling slots.
    ListState state;
    const QString list = QStringLiteral("DBFKomputery");
    state.setDateRange(20200101, 20201231);
    state.sortBy(list, QStringLiteral("NAZWA"));
    const ListState::Entry saved = state.entry(list);
    state.setSlot(list, 10, QStringLiteral("AND LOKALIZACJA=3"));
    state.setSlot(list, 9, QStringLiteral("AND 1=0")); // not a slot line: ignored
    state.setArchive(true);
    QCOMPARE(state.slot(list, 10), QStringLiteral("AND LOKALIZACJA=3"));
    QCOMPARE(state.slot(list, 9), QString());
    state.setEntry(list, saved);
    QCOMPARE(state.entry(list), saved);
    QCOMPARE(state.condition(list, ListState::Role::Archive), QStringLiteral("AND ARCHIWUM='N'"));
}

void TestStatements::resetAllRestoresDefaults()
{
    ListState state;
    const ListState defaults;
    state.setDateRange(20240101, 20241231);
    state.setArchive(true);
    state.setActiveOnly(true);
    state.setObject(QStringLiteral("DBFHistoria"), QStringLiteral("B"), 4);
    state.setOwner(QStringLiteral("DBFLicKomp"), 3);
    state.sortBy(QStringLiteral("DBFFirmy"), QStringLiteral("NAZWA"));
    state.sortBy(QStringLiteral("DBFTerminy"), QStringLiteral("OPIS"));
    QVERIFY(!(state.entry(QStringLiteral("DBFKomputery")) == defaults.entry(QStringLiteral("DBFKomputery"))));
    state.resetAll();
    for (const QString& list : ListState::listNames()) {
        QCOMPARE(state.entry(list), defaults.entry(list));
        QCOMPARE(state.orderColumn(list), ListState::defaultOrderColumn(list));
        QVERIFY(state.ascending(list));
        for (int line : ListState::slotLines(list)) {
            const QString expected = line == ListState::line(list, ListState::Role::Archive)
                                         ? QStringLiteral("AND ARCHIWUM='N'")
                                         : QString();
            QCOMPARE(state.slot(list, line), expected);
        }
    }
}

// Insert, update and liquidation of a computer with text parameters and value lines.
void TestStatements::computerWrites()
{
    WriteTransaction undone(m_work); // rolled back at the end
    Statement added(&m_work, QString(), statementLines(QStringLiteral("DBFInsertKomputery")));
    const QList<int> values = findStatementText(QStringLiteral("DBFInsertKomputery"))->valueLines;
    const QStringList numbers = {"-1", "3", "20200101", "20200202", "100.5", "23.12", "123.62", "7", "0"};
    QCOMPARE(values.size(), numbers.size());
    for (int i = 0; i < values.size(); ++i)
        added.setLine(values[i], numbers[i]);
    const QStringList texts = {"E1", "Nowy \"laptop\"", "Dell", "K-100", "SN'1", "FV/1", "uwagi", "KPiR 5"};
    for (int i = 0; i < texts.size(); ++i)
        added.setParam(i, texts[i]);
    QCOMPARE(added.execSQL(), 1);

    Statement row(&m_work, QString(), {QStringLiteral("SELECT * FROM komputery WHERE NREWID='K-100'")});
    row.open();
    QCOMPARE(row.recordCount(), 1);
    QCOMPARE(row.text(QStringLiteral("NAZWA")), texts[1]);
    QCOMPARE(row.text(QStringLiteral("NRSERYJNY")), texts[4]);
    QCOMPARE(row.integer(QStringLiteral("DATAZAKUPU")), 20200202);
    QCOMPARE(row.number(QStringLiteral("BRUTTO")), 123.62);
    QCOMPARE(row.text(QStringLiteral("ARCHIWUM")), QStringLiteral("N"));
    const QString key = row.text(QStringLiteral("IDKOMPUTERA"));

    Statement liquidate(&m_work, QString(), statementLines(QStringLiteral("DBFLikwidacjaKomputery")));
    liquidate.setParam(0, QStringLiteral("Zużyty"));
    liquidate.setLine(4, QStringLiteral("20240105"));
    liquidate.setLine(6, key);
    QCOMPARE(liquidate.execSQL(), 1);
    row.open();
    QCOMPARE(row.text(QStringLiteral("ARCHIWUM")), QStringLiteral("T"));
    QCOMPARE(row.text(QStringLiteral("PRZYCZYNA")), QStringLiteral("Zużyty"));
    QCOMPARE(row.integer(QStringLiteral("DATAARCH")), 20240105);
}

void TestStatements::deadlineWindow()
{
    // Deadline 1 is checked by its end date (20240210), deadline 3 by its start date.
    WriteTransaction undone(m_work); // rolled back at the end
    m_work.exec(QStringLiteral("UPDATE terminy SET SPRODDO='O' WHERE IDTERMINU=3"));
    const auto due = [this](const char* name, const char* upper, const char* lower, const char* field) {
        const StatementText* text = findStatementText(QString::fromLatin1(name));
        Statement q(&m_work, text->name, text->lines);
        q.setLine(text->valueLines[0], QString::fromLatin1(upper));
        q.setLine(text->valueLines[1], QString::fromLatin1(lower));
        q.open();
        return columnValues(q, QString::fromLatin1(field));
    };
    QCOMPARE(due("DBFdatyTerminarzDTDO", "20240301", "20240201", "IDTERMINU"), QStringList({"1"}));
    QCOMPARE(due("DBFdatyTerminarzDTDO", "20240301", "20240210", "IDTERMINU"), QStringList());
    QCOMPARE(due("DBFdatyTerminarzDTOD", "20250101", "0", "IDTERMINU"), QStringList({"3"}));
    QCOMPARE(due("DBFdatyTerminarzDTOD", "20250101", "0", "KLASYFIKATOR"), QStringList({""}));
}

QTEST_GUILESS_MAIN(TestStatements)
#include "test_statements.moc"
