#include "TestSupport.h"

#include "base/AppPaths.h"
#include "base/Clock.h"
#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/PasswordHash.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TableList.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sqlcipher/sqlite3.h>

namespace {
const QString kPassword = QStringLiteral("Tajne123");
const QDate kToday(2024, 3, 7);

int yyyymmdd(const QDate& d)
{
    return d.year() * 10000 + d.month() * 100 + d.day();
}

QDate fromYyyymmdd(qint64 v)
{
    return QDate(int(v / 10000), int(v / 100 % 100), int(v % 100));
}

QString scalar(SqlConnection& c, const QString& sql)
{
    Statement s(&c, QStringLiteral("q"), {sql});
    s.open();
    return s.isEmpty() ? QString() : s.textAt(0, 0);
}

qint64 count(SqlConnection& c, const QString& sql)
{
    return scalar(c, sql).toLongLong();
}

bool copyTree(const QString& from, const QString& to)
{
    QDir source(from);
    if (!QDir().mkpath(to))
        return false;
    for (const QFileInfo& info : source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = to + QLatin1Char('/') + info.fileName();
        if (info.isDir() ? !copyTree(info.filePath(), target) : !QFile::copy(info.filePath(), target))
            return false;
    }
    return true;
}
} // namespace

class TestSchema : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_work;
    QString m_empty; // folder of a database made from the empty template
    QString m_demo;  // folder of a database made with sample data

    void openEmpty(SqlConnection& c) { c.open(DatabaseTemplate::databaseFile(m_empty), kPassword); }
    void openDemo(SqlConnection& c) { c.open(DatabaseTemplate::databaseFile(m_demo), kPassword); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_work.isValid());
        Clock::setFixed(QDateTime(kToday, QTime(10, 0)));
        m_empty = m_work.path() + QStringLiteral("/empty");
        m_demo = m_work.path() + QStringLiteral("/demo");
        DatabaseTemplate::create(m_empty, kPassword, false);
        DatabaseTemplate::create(m_demo, kPassword, true);
    }
    void cleanupTestCase() { Clock::setFixed({}); }

    void templatesLieBesideTheProgram()
    {
        QCOMPARE(DatabaseTemplate::defaultTemplateDir(), AppPaths::programDir() + QStringLiteral("/data"));
        QVERIFY(
            QFileInfo::exists(DatabaseTemplate::defaultTemplateDir() + QStringLiteral("/empty/schema.sql")));
    }

    void createdFolderHoldsDatabaseAndMarkersOnly()
    {
        QStringList expected = DatabaseTemplate::upgradeMarkers();
        expected << kDatabaseFileName;
        expected.sort();
        QCOMPARE(QDir(m_empty).entryList(QDir::Files, QDir::Name), expected);
    }

    void tablesInCanonicalOrder()
    {
        SqlConnection c;
        openEmpty(c);
        // The table list, then the tables kept beside it.
        QCOMPARE(DatabaseTemplate::tables(c), TableList::tables() + TableList::addedTables());
    }

    void columnCount_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("columns");
        const QList<QPair<const char*, int>> counts = {
            {"firmy", 25},           {"komputery", 21},  {"licencje", 17},  {"naprawy", 13},
            {"nazwawlasciwosci", 4}, {"notatki", 4},     {"osobowa", 15},   {"programy", 9},
            {"r_kompprac", 7},       {"r_lickomp", 4},   {"r_licprog", 5},  {"r_sprzprac", 5},
            {"slowniki", 5},         {"sprzet", 22},     {"terminy", 10},   {"uprawnienia", 2},
            {"userzy", 4},           {"wlasciwosci", 4}, {"historia", 8},   {"zlecenia", 10},
            {"rozliczenia", 12},     {"dokumenty", 10},  {"bhp", 8},        {"r_bhpprac", 6},
            {"zakupbhp", 15},        {"magazyn", 5},     {"zalaczniki", 8}, {"system", 3}};
        QCOMPARE(counts.size(), TableList::files().size());
        for (const auto& [table, columns] : counts)
            QTest::newRow(table) << QString::fromLatin1(table) << columns;
    }
    void columnCount()
    {
        QFETCH(QString, table);
        QFETCH(int, columns);
        SqlConnection c;
        openEmpty(c);
        QCOMPARE(DatabaseTemplate::tableColumns(c, table).size(), columns);
        // The upgrades add a missing table from the same definition.
        const QStringList definition = DatabaseTemplate::tableDefinition(table + QStringLiteral(".db"));
        QVERIFY(definition.first().startsWith(QStringLiteral("CREATE TABLE ") + table + QLatin1Char(' ')));
    }

    void columnNames_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("columns");
        QTest::newRow("firmy")
            << "firmy"
            << "IDFIRMY NAZWA KOD MIASTO ULICA NUMER KRAJ NIP NIPUE REGON BANK ROR TELEFON FAX "
               "EMAIL WWW KKOD KMIASTO KULICA KNUMER KKRAJ KTELEFON KFAX KEMAIL INNE";
        QTest::newRow("komputery")
            << "komputery"
            << "IDKOMPUTERA IDFIRMY NREW NAZWA PRODUCENT NREWID NRSERYJNY STANTECH DATAPROD "
               "DATAZAKUPU NETTO VAT BRUTTO NRFAKTURY NRKPIR LOKALIZACJA INNE KLASYFIKATOR "
               "ARCHIWUM DATAARCH PRZYCZYNA";
        QTest::newRow("sprzet")
            << "sprzet"
            << "IDSPRZETU IDFIRMY NREW NAZWA PRODUCENT NREWID NRSERYJNY STANTECH DATAPROD "
               "DATAZAKUPU NETTO VAT BRUTTO NRFAKTURY NRKPIR LOKALIZACJA INNE KLASYFIKATOR "
               "ARCHIWUM DATAARCH PRZYCZYNA IDKOMPUTERA";
        QTest::newRow("terminy")
            << "terminy"
            << "IDTERMINU IDOBIEKTU CZEGODOTYCZY ACT KLASYFIKATOR DATAOD DATADO SPRODDO OPIS INNE";
        QTest::newRow("rozliczenia")
            << "rozliczenia"
            << "IDROZLICZENIA CZEGODOTYCZY IDOBIEKTU IDFIRMY DATAOD DATADO RODZAJPRAC "
               "NRDOKUMENTU NREW OPIS GODZINY STAWKA";
        QTest::newRow("dokumenty")
            << "dokumenty"
            << "IDDOKUMENTU CZEGODOTYCZY IDOBIEKTU DATADOK TERMIN KLASYFIKATOR NAZWA NUMER INNE ACT";
        QTest::newRow("userzy") << "userzy"
                                << "NAZWA HASLO OPIS SUPERVISOR";
        QTest::newRow("system") << "system"
                                << "TYPE ID NUMBERPARAM";
    }
    void columnNames()
    {
        QFETCH(QString, table);
        QFETCH(QString, columns);
        SqlConnection c;
        openEmpty(c);
        QCOMPARE(DatabaseTemplate::tableColumns(c, table), columns.split(QLatin1Char(' ')));
    }

    void ownCompanyAndAdmin()
    {
        SqlConnection c;
        openEmpty(c);
        QCOMPARE(count(c, QStringLiteral("SELECT count(*) FROM firmy")), 1);
        QCOMPARE(scalar(c, QStringLiteral("SELECT IDFIRMY FROM firmy")), QStringLiteral("1"));
        QCOMPARE(scalar(c, QStringLiteral("SELECT NAZWA||NIP||MIASTO||INNE FROM firmy")), QString());

        Statement admin(&c, QStringLiteral("admin"), {QStringLiteral("SELECT * FROM userzy")});
        admin.open();
        QCOMPARE(admin.recordCount(), 1);
        QCOMPARE(admin.text(QStringLiteral("NAZWA")), QStringLiteral("ADMIN"));
        QCOMPARE(admin.text(QStringLiteral("SUPERVISOR")), QStringLiteral("T"));
        const QByteArray stored = admin.bytes(QStringLiteral("HASLO"));
        QVERIFY(PasswordHash::isHash(stored));
        const QList<QByteArray> parts = stored.split('$');
        QCOMPARE(parts.size(), 5);
        QCOMPARE(parts[2], QByteArray("120000"));
        QCOMPARE(QByteArray::fromBase64(parts[3]).size(), 16);
        QCOMPARE(QByteArray::fromBase64(parts[3]).toBase64(), parts[3]);
        QCOMPARE(QByteArray::fromBase64(parts[4]).size(), 32);
        QVERIFY(PasswordHash::verify(QStringLiteral("kubol"), stored));
        QVERIFY(!PasswordHash::verify(QStringLiteral("Kubol"), stored));
        QCOMPARE(count(c, QStringLiteral("SELECT count(*) FROM uprawnienia")), 0);
    }

    void presetDictionaries()
    {
        SqlConnection c;
        openEmpty(c);
        Statement vat(&c, QStringLiteral("vat"),
                      {QStringLiteral("SELECT OPIS FROM slowniki WHERE IDSLOWNIK='STVAT' ORDER BY KOD")});
        vat.open();
        QStringList rates;
        for (vat.first(); !vat.eof(); vat.next())
            rates << vat.text(QStringLiteral("OPIS"));
        QCOMPARE(rates, (QStringList{"23", "8", "5", "0"}));
        QCOMPARE(count(c, QStringLiteral("SELECT count(DISTINCT IDSLOWNIK) FROM slowniki")), 14);
        QCOMPARE(
            count(c, QStringLiteral("SELECT count(*) FROM slowniki WHERE length(IDSLOWNIK)<>5 OR OPIS=''")),
            0);
    }

    void newRowsGetDocumentedDefaults()
    {
        QTemporaryDir dir;
        DatabaseTemplate::create(dir.path(), kPassword, false);
        SqlConnection c;
        c.open(DatabaseTemplate::databaseFile(dir.path()), kPassword);
        c.exec(QStringLiteral("INSERT INTO komputery (NAZWA) VALUES ('PC')"));
        QCOMPARE(
            scalar(c, QStringLiteral(
                          "SELECT IDFIRMY||'|'||NREW||'|'||ARCHIWUM||'|'||DATAARCH||'|'||PRZYCZYNA||'|'||"
                          "STANTECH||'|'||KLASYFIKATOR FROM komputery")),
            QStringLiteral("-1||N|0||0|0"));
        c.exec(QStringLiteral(
            "INSERT INTO terminy (OPIS) VALUES ('x'); INSERT INTO r_licprog (IDPROGRAMU) VALUES (1)"));
        QCOMPARE(scalar(c, QStringLiteral("SELECT ACT||SPRODDO FROM terminy")), QStringLiteral("TD"));
        QCOMPARE(scalar(c, QStringLiteral("SELECT ACT||WIELOSTAN FROM r_licprog")), QStringLiteral("TN"));

        // Keys are never reused, so the highest key is always the row just inserted.
        c.exec(QStringLiteral(
            "INSERT INTO komputery (NAZWA) VALUES ('B'); DELETE FROM komputery WHERE NAZWA='B';"
            "INSERT INTO komputery (NAZWA) VALUES ('C')"));
        QCOMPARE(scalar(c, QStringLiteral("SELECT MAX(IDKOMPUTERA) FROM komputery")), QStringLiteral("3"));
        c.exec(QStringLiteral("INSERT INTO firmy (NAZWA) VALUES ('Nowa')"));
        QCOMPARE(scalar(c, QStringLiteral("SELECT MAX(IDFIRMY) FROM firmy")), QStringLiteral("2"));
        c.exec(QStringLiteral("INSERT INTO slowniki (IDSLOWNIK,OPIS) VALUES ('STVAT','7')"));
        QCOMPARE(count(c, QStringLiteral("SELECT MAX(KOD) FROM slowniki")),
                 count(c, QStringLiteral("SELECT count(*) FROM slowniki")));
    }

    void demoCounts_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("companies") << "SELECT count(*) FROM firmy WHERE IDFIRMY<>1" << qint64(6);
        QTest::newRow("own company named")
            << "SELECT count(*) FROM firmy WHERE IDFIRMY=1 AND NAZWA<>''" << qint64(1);
        QTest::newRow("employees") << "SELECT count(*) FROM osobowa" << qint64(15);
        QTest::newRow("departments") << "SELECT count(DISTINCT DZIAL) FROM osobowa" << qint64(4);
        QTest::newRow("computers") << "SELECT count(*) FROM komputery" << qint64(25);
        QTest::newRow("equipment") << "SELECT count(*) FROM sprzet" << qint64(30);
        QTest::newRow("programs") << "SELECT count(*) FROM programy" << qint64(10);
        QTest::newRow("licences") << "SELECT count(*) FROM licencje" << qint64(8);
        QTest::newRow("unlimited licences")
            << "SELECT count(DISTINCT IDLICENCJI) FROM r_licprog WHERE WIELOSTAN='T'" << qint64(1);
        QTest::newRow("notes") << "SELECT count(*) FROM notatki" << qint64(2);
        QTest::newRow("users") << "SELECT count(*) FROM userzy" << qint64(2);
        QTest::newRow("property rows") << "SELECT count(*) FROM wlasciwosci" << qint64(14 * 55);
        QTest::newRow("property objects")
            << "SELECT count(*) FROM (SELECT DISTINCT KOMPSPRZET,IDOBIEKTU FROM wlasciwosci)" << qint64(55);
        QTest::newRow("property numbering")
            << "SELECT count(*) FROM (SELECT KOMPSPRZET,IDOBIEKTU FROM wlasciwosci GROUP BY "
               "KOMPSPRZET,IDOBIEKTU "
               "HAVING count(*)<>14 OR count(DISTINCT LP)<>14 OR MIN(LP)<>1 OR MAX(LP)<>14)"
            << qint64(0);
        QTest::newRow("properties of missing objects")
            << "SELECT count(*) FROM wlasciwosci W WHERE (KOMPSPRZET='K' AND IDOBIEKTU NOT IN "
               "(SELECT IDKOMPUTERA FROM komputery)) OR (KOMPSPRZET='S' AND IDOBIEKTU NOT IN (SELECT "
               "IDSPRZETU FROM sprzet))"
            << qint64(0);
        QTest::newRow("liquidated equipment")
            << "SELECT count(*) FROM sprzet WHERE ARCHIWUM='T' AND DATAARCH>0 AND PRZYCZYNA<>''" << qint64(3);
        QTest::newRow("liquidation incomplete")
            << "SELECT count(*) FROM sprzet WHERE (ARCHIWUM='T') <> (DATAARCH>0 AND PRZYCZYNA<>'')"
            << qint64(0);
        QTest::newRow("equipment on missing computers")
            << "SELECT count(*) FROM sprzet WHERE IDKOMPUTERA<>0 AND IDKOMPUTERA NOT IN (SELECT IDKOMPUTERA "
               "FROM komputery)"
            << qint64(0);
        QTest::newRow("store at reminder level")
            << "SELECT count(*) FROM magazyn WHERE ILOSC<=PRZYPOMNIJ" << qint64(2);
        QTest::newRow("unknown employees")
            << "SELECT count(*) FROM (SELECT NREW FROM komputery UNION ALL SELECT NREW FROM sprzet UNION ALL "
               "SELECT NREW FROM r_kompprac UNION ALL SELECT NREW FROM r_sprzprac UNION ALL SELECT NREW FROM "
               "r_bhpprac "
               "UNION ALL SELECT NREW FROM historia UNION ALL SELECT NREW FROM zlecenia UNION ALL "
               "SELECT NREW FROM rozliczenia) X WHERE NREW<>'' AND NREW NOT IN (SELECT NREW FROM osobowa)"
            << qint64(0);
        QTest::newRow("unknown suppliers") << "SELECT count(*) FROM (SELECT IDFIRMY FROM komputery UNION ALL "
                                              "SELECT IDFIRMY FROM sprzet UNION ALL "
                                              "SELECT IDFIRMY FROM licencje UNION ALL SELECT IDFIRMY FROM "
                                              "programy UNION ALL SELECT IDFIRMY FROM naprawy "
                                              "UNION ALL SELECT IDFIRMY FROM zakupbhp) X WHERE IDFIRMY<>-1 "
                                              "AND IDFIRMY NOT IN (SELECT IDFIRMY FROM firmy)"
                                           << qint64(0);
        QTest::newRow("installations beyond licence")
            << "SELECT count(*) FROM r_licprog P WHERE P.WIELOSTAN<>'T' AND P.ILOSCLIC < (SELECT count(*) "
               "FROM r_lickomp "
               "I WHERE I.IDPROGRAMU=P.IDPROGRAMU AND I.IDLICENCJI=P.IDLICENCJI AND I.ACT='T')"
            << qint64(0);
        QTest::newRow("installations of unlinked pairs")
            << "SELECT count(*) FROM r_lickomp I WHERE NOT EXISTS (SELECT 1 FROM r_licprog P WHERE "
               "P.IDPROGRAMU=I.IDPROGRAMU AND P.IDLICENCJI=I.IDLICENCJI)"
            << qint64(0);
        QTest::newRow("dangling dictionary keys")
            << "SELECT count(*) FROM (SELECT STANTECH K FROM komputery UNION ALL SELECT LOKALIZACJA FROM "
               "sprzet UNION ALL "
               "SELECT KLASYFIKATOR FROM terminy UNION ALL SELECT DZIAL FROM osobowa UNION ALL SELECT "
               "STANOWISKO FROM osobowa "
               "UNION ALL SELECT TYPLICENCJI FROM licencje UNION ALL SELECT RODZAJPRAC FROM zlecenia) X "
               "WHERE K<>0 AND K NOT IN (SELECT KOD FROM slowniki)"
            << qint64(0);
        QTest::newRow("ordinary user rights")
            << "SELECT count(*) FROM uprawnienia WHERE NAZWA='JNOWAK' AND UPR BETWEEN 1 AND 29" << qint64(18);
        QTest::newRow("ordinary user not admin")
            << "SELECT count(*) FROM uprawnienia WHERE UPR=0" << qint64(0);
    }
    void demoCounts()
    {
        QFETCH(QString, sql);
        QFETCH(qint64, expected);
        SqlConnection c;
        openDemo(c);
        QCOMPARE(count(c, sql), expected);
    }

    void demoAccountsLogIn()
    {
        SqlConnection c;
        openDemo(c);
        Statement users(&c, QStringLiteral("u"),
                        {QStringLiteral("SELECT NAZWA,HASLO,SUPERVISOR FROM userzy ORDER BY NAZWA")});
        users.open();
        QCOMPARE(users.text(QStringLiteral("NAZWA")), QStringLiteral("ADMIN"));
        QVERIFY(PasswordHash::verify(QStringLiteral("kubol"), users.bytes(QStringLiteral("HASLO"))));
        users.next();
        QCOMPARE(users.text(QStringLiteral("NAZWA")), QStringLiteral("JNOWAK"));
        QCOMPARE(users.text(QStringLiteral("SUPERVISOR")), QStringLiteral("N"));
        QVERIFY(PasswordHash::verify(QStringLiteral("nowak123"), users.bytes(QStringLiteral("HASLO"))));
    }

    void demoDueDatesFollowTheClock()
    {
        SqlConnection c;
        openDemo(c);
        const QString upper = QString::number(yyyymmdd(kToday.addDays(7)));
        const QString now = QString::number(yyyymmdd(kToday));
        const QString window = QStringLiteral(" > ") + now + QStringLiteral(" AND %1 <= ") + upper;
        QVERIFY(count(c, QStringLiteral("SELECT count(*) FROM terminy WHERE ACT='T' AND "
                                        "((SPRODDO='D' AND DATADO") +
                             window.arg(QStringLiteral("DATADO")) +
                             QStringLiteral(") OR (SPRODDO='O' AND DATAOD") +
                             window.arg(QStringLiteral("DATAOD")) + QStringLiteral("))")) >= 3);
        QVERIFY(count(c, QStringLiteral("SELECT count(*) FROM naprawy WHERE ACT='T' AND TERMIN") +
                             window.arg(QStringLiteral("TERMIN"))) >= 2);
        QVERIFY(count(c, QStringLiteral("SELECT count(*) FROM dokumenty WHERE ACT='T' AND TERMIN") +
                             window.arg(QStringLiteral("TERMIN"))) >= 2);
        QVERIFY(count(c, QStringLiteral("SELECT count(*) FROM r_bhpprac WHERE DATADO") +
                             window.arg(QStringLiteral("DATADO"))) >= 1);
        QVERIFY(count(c, QStringLiteral("SELECT count(*) FROM r_bhpprac WHERE DATADO <= ") + now) >= 1);
        QCOMPARE(count(c, QStringLiteral("SELECT count(*) FROM notatki WHERE DATA='07-03-2024'")), 1);

        // The same sample made another day carries the same distances from that day.
        const QDate later = kToday.addDays(400);
        Clock::setFixed(QDateTime(later, QTime(10, 0)));
        QTemporaryDir dir;
        DatabaseTemplate::create(dir.path(), kPassword, true);
        Clock::setFixed(QDateTime(kToday, QTime(10, 0)));
        SqlConnection d;
        d.open(DatabaseTemplate::databaseFile(dir.path()), kPassword);
        Statement before(&c, QStringLiteral("b"),
                         {QStringLiteral("SELECT IDTERMINU, DATAOD, DATADO FROM terminy ORDER BY 1")});
        Statement after(&d, QStringLiteral("a"),
                        {QStringLiteral("SELECT IDTERMINU, DATAOD, DATADO FROM terminy ORDER BY 1")});
        before.open();
        after.open();
        QCOMPARE(after.recordCount(), before.recordCount());
        int shifted = 0;
        for (; !before.eof(); before.next(), after.next()) {
            const QDate b = fromYyyymmdd(before.integer(QStringLiteral("DATADO")));
            const QDate a = fromYyyymmdd(after.integer(QStringLiteral("DATADO")));
            if (a != b) {
                QCOMPARE(b.daysTo(a), kToday.daysTo(later));
                ++shifted;
            }
        }
        QVERIFY(shifted >= 3);
    }

    void substituteDates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plus") << "VALUES ({{D+3}})"
                              << "VALUES (20240310)";
        QTest::newRow("minus over leap day") << "{{D-7}}"
                                             << "20240229";
        QTest::newRow("today") << "{{D}},{{D+0}}"
                               << "20240307,20240307";
        QTest::newRow("year ahead") << "{{D+365}}"
                                    << "20250307";
        QTest::newRow("text form") << "'{{DMY+1}}'"
                                   << "'08-03-2024'";
        QTest::newRow("no tokens") << "SELECT '{x}'"
                                   << "SELECT '{x}'";
    }
    void substituteDates()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(DatabaseTemplate::substituteDates(text, kToday), expected);
    }
    void unknownTokenIsRefused()
    {
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 DatabaseTemplate::substituteDates(QStringLiteral("{{X+1}}"), kToday));
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 DatabaseTemplate::substituteDates(QStringLiteral("{{D*2}}"), kToday));
    }

    void splitKeepsQuotedSemicolons()
    {
        const QStringList parts = DatabaseTemplate::splitStatements(
            QStringLiteral("-- a; comment\nINSERT INTO t VALUES ('a;b', 'it''s');\n/* x; */ SELECT 1;  \n"));
        QCOMPARE(parts, (QStringList{QStringLiteral("INSERT INTO t VALUES ('a;b', 'it''s')"),
                                     QStringLiteral("SELECT 1")}));
    }

    void wrongOrMissingKeyIsRefused_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("wrong") << "Tajne124";
        QTest::newRow("none") << "";
    }
    void wrongOrMissingKeyIsRefused()
    {
        QFETCH(QString, key);
        SqlConnection c;
        try {
            openEmpty(c);
            c.close();
            c.open(DatabaseTemplate::databaseFile(m_empty), key);
            QFAIL("opened with a wrong key");
        } catch (const DbError& e) {
            // Without a key the keying itself is refused; with a wrong one the first read fails.
            if (!key.isEmpty())
                QCOMPARE(e.sqliteCode(), SQLITE_NOTADB);
        }
    }

    void plainShellReadsWithKey()
    {
        const QString shell = QStringLiteral("/usr/bin/sqlcipher");
        if (!QFileInfo::exists(shell))
            QSKIP("the sqlcipher shell is not installed");
        const auto run = [&](const QString& input, int& exitCode) {
            QProcess p;
            p.start(shell, {DatabaseTemplate::databaseFile(m_demo)});
            p.write(input.toUtf8());
            p.closeWriteChannel();
            p.waitForFinished(10000);
            exitCode = p.exitCode();
            return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        };
        int rc = -1;
        QCOMPARE(run(QStringLiteral("PRAGMA key='") + kPassword +
                         QStringLiteral("';\nSELECT count(*) FROM komputery;\n"),
                     rc),
                 QStringLiteral("25"));
        QCOMPARE(rc, 0);
        QCOMPARE(run(QStringLiteral("SELECT count(*) FROM komputery;\n"), rc), QString());
        QVERIFY(rc != 0);
    }

    void existingDatabaseIsKeptUnlessReplaced()
    {
        QTemporaryDir dir;
        DatabaseTemplate::create(dir.path(), kPassword, true);
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 DatabaseTemplate::create(dir.path(), QStringLiteral("Inne99"), false));
        {
            SqlConnection c;
            c.open(DatabaseTemplate::databaseFile(dir.path()), kPassword);
            QCOMPARE(count(c, QStringLiteral("SELECT count(*) FROM komputery")), 25);
        }
        // A stale journal of the replaced file must not be played into the new one.
        QFile journal(DatabaseTemplate::databaseFile(dir.path()) + QStringLiteral("-journal"));
        QVERIFY(journal.open(QIODevice::WriteOnly));
        journal.write(QByteArray(4096, 'x'));
        journal.close();
        DatabaseTemplate::create(dir.path(), QStringLiteral("Inne99"), false, true);
        QVERIFY(!journal.exists());
        SqlConnection c;
        QVERIFY_THROWS_EXCEPTION(DbError, c.open(DatabaseTemplate::databaseFile(dir.path()), kPassword));
        c.open(DatabaseTemplate::databaseFile(dir.path()), QStringLiteral("Inne99"));
        QCOMPARE(count(c, QStringLiteral("SELECT count(*) FROM komputery")), 0);
    }

    void failedCreationLeavesNoFile_data()
    {
        QTest::addColumn<QString>("breakage");
        QTest::newRow("broken data") << "data";
        QTest::newRow("broken schema") << "schema";
        QTest::newRow("missing sample") << "missing";
        QTest::newRow("unknown token") << "token";
    }
    void failedCreationLeavesNoFile()
    {
        QFETCH(QString, breakage);
        QTemporaryDir program;
        const QString templates = program.path() + QStringLiteral("/data");
        QVERIFY(copyTree(DatabaseTemplate::defaultTemplateDir(), templates));
        const auto append = [](const QString& file, const QByteArray& text) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::Append));
            f.write(text);
        };
        bool sample = false;
        if (breakage == QLatin1String("data"))
            append(templates + QStringLiteral("/empty/data.sql"), "\nINSERT INTO brak_tabeli VALUES (1);\n");
        else if (breakage == QLatin1String("schema"))
            append(templates + QStringLiteral("/empty/schema.sql"), "\nCREATE TABLE firmy (X INTEGER);\n");
        else if (breakage == QLatin1String("token"))
            append(templates + QStringLiteral("/demo/data.sql"), "\nSELECT {{JUTRO}};\n");
        else
            QVERIFY(QFile::remove(templates + QStringLiteral("/demo/data.sql")));
        if (breakage == QLatin1String("token") || breakage == QLatin1String("missing"))
            sample = true;

        QTemporaryDir target;
        const QString folder = target.path() + QStringLiteral("/Sprzetnik_DB");
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 DatabaseTemplate::create(folder, kPassword, sample, false, templates));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
        // The unbroken copy works, so the breakage is what failed.
        if (breakage != QLatin1String("missing") && breakage != QLatin1String("token"))
            return;
        DatabaseTemplate::create(folder, kPassword, false, false, templates);
        QVERIFY(QFileInfo::exists(DatabaseTemplate::databaseFile(folder)));
    }

    void unusableFolderLeavesNoFile()
    {
        QTemporaryDir dir;
        QFile blocker(dir.path() + QStringLiteral("/plik"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY_THROWS_EXCEPTION(
            DbError,
            DatabaseTemplate::create(blocker.fileName() + QStringLiteral("/baza"), kPassword, false));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("plik")});
        QVERIFY_THROWS_EXCEPTION(DbError, DatabaseTemplate::create(dir.path(), QString(), false));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("plik")});
    }

    void blobColumnKeepsEveryByte()
    {
        QTemporaryDir dir;
        DatabaseTemplate::create(dir.path(), kPassword, false);
        QByteArray bytes;
        for (int i = 0; i < 256; ++i)
            bytes.append(char(i));
        {
            SqlConnection c;
            c.open(DatabaseTemplate::databaseFile(dir.path()), kPassword);
            Statement insert(
                &c, QStringLiteral("i"),
                {QStringLiteral("INSERT INTO userzy (NAZWA,HASLO,OPIS) VALUES (:PARAM0,:PARAM1,'')")});
            insert.setParam(0, QStringLiteral("TEST"));
            insert.setParamBytes(QStringLiteral("PARAM1"), bytes);
            QCOMPARE(insert.execSQL(), 1);
        }
        SqlConnection c;
        c.open(DatabaseTemplate::databaseFile(dir.path()), kPassword);
        Statement read(&c, QStringLiteral("r"),
                       {QStringLiteral("SELECT HASLO FROM userzy WHERE NAZWA='TEST'")});
        read.open();
        QCOMPARE(read.bytes(QStringLiteral("HASLO")), bytes);
        Statement info(&c, QStringLiteral("t"), {QStringLiteral("PRAGMA table_info(userzy)")});
        info.open();
        while (!info.eof() && info.text(QStringLiteral("name")) != QLatin1String("HASLO"))
            info.next();
        QVERIFY(!info.eof());
        QCOMPARE(info.text(QStringLiteral("type")).toUpper(), QStringLiteral("BLOB"));
    }

    void polishTextWithQuotesRoundTrips()
    {
        QTemporaryDir dir;
        DatabaseTemplate::create(dir.path(), kPassword, false);
        SqlConnection c;
        c.open(DatabaseTemplate::databaseFile(dir.path()), kPassword);
        const QString text = QStringLiteral("Zażółć \"gęślą\" jaźń – O'Brien; ŁĄCKA `x` 100%");
        Statement insert(&c, QStringLiteral("i"),
                         {QStringLiteral("INSERT INTO firmy (NAZWA, INNE) VALUES (:PARAM0, :PARAM1)")});
        insert.setParam(0, text);
        insert.setParam(1, text.toUpper());
        insert.execSQL();
        Statement read(&c, QStringLiteral("r"),
                       {QStringLiteral("SELECT NAZWA, INNE FROM firmy WHERE IDFIRMY<>1")});
        read.open();
        QCOMPARE(read.text(QStringLiteral("NAZWA")), text);
        QCOMPARE(read.text(QStringLiteral("INNE")), text.toUpper());
    }

    void surnamesSortInPolishOrder()
    {
        QTemporaryDir dir;
        DatabaseTemplate::create(dir.path(), kPassword, false);
        SqlConnection c;
        c.open(DatabaseTemplate::databaseFile(dir.path()), kPassword);
        const QStringList names = {QStringLiteral("Łukasik"), QStringLiteral("Mazur"), QStringLiteral("ąb"),
                                   QStringLiteral("Lis"),     QStringLiteral("az"),    QStringLiteral("b"),
                                   QStringLiteral("Lew")};
        int n = 0;
        for (const QString& name : names) {
            Statement insert(&c, QStringLiteral("i"),
                             {QStringLiteral("INSERT INTO osobowa (NREW, NAZWISKO) VALUES (:A, :B)")});
            insert.setParam(QStringLiteral("A"), QString::number(++n));
            insert.setParam(QStringLiteral("B"), name);
            insert.execSQL();
        }
        Statement list(&c, QStringLiteral("l"),
                       {QStringLiteral("SELECT NAZWISKO FROM osobowa ORDER BY NAZWISKO COLLATE PL")});
        list.open();
        QStringList sorted;
        for (; !list.eof(); list.next())
            sorted << list.text(QStringLiteral("NAZWISKO"));
        QCOMPARE(sorted, (QStringList{"az", "ąb", "b", "Lew", "Lis", "Łukasik", "Mazur"}));
    }

    void employeeNumberIsTheKey()
    {
        QTemporaryDir dir;
        DatabaseTemplate::create(dir.path(), kPassword, false);
        SqlConnection c;
        c.open(DatabaseTemplate::databaseFile(dir.path()), kPassword);
        c.exec(QStringLiteral("INSERT INTO osobowa (NREW, NAZWISKO) VALUES ('P1', 'A')"));
        QVERIFY_THROWS_EXCEPTION(
            DbError, c.exec(QStringLiteral("INSERT INTO osobowa (NREW, NAZWISKO) VALUES ('P1', 'B')")));
        // Inventory numbers are checked by the program, not the store.
        c.exec(QStringLiteral(
            "INSERT INTO komputery (NREWID) VALUES ('K1'); INSERT INTO komputery (NREWID) VALUES ('K1')"));
        QCOMPARE(count(c, QStringLiteral("SELECT count(*) FROM komputery")), 2);
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "test_schema.moc"
