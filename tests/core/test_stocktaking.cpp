#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Clock.h"
#include "store/DbError.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/Stocktaking.h"

#include <QTest>

#include <chrono>
#include <thread>

Q_DECLARE_METATYPE(ScanResult::Outcome)

// Stocktaking sessions in the database: what a scope expects, what each scan
// does, closing with the move of assets found elsewhere, and two
// workstations scanning one session.
class TestStocktaking : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    SqlConnection m_connection;
    // Locations of the sample: two rooms.
    static constexpr int kRoom12 = 901;
    static constexpr int kStore = 902;

    QStringList column(SqlConnection& c, const QString& sql)
    {
        Statement q(&c, QString(), {sql});
        q.open();
        QStringList values;
        for (q.first(); !q.eof(); q.next())
            values << q.textAt(q.recNo(), 0);
        return values;
    }
    QString value(const QString& sql) { return column(m_connection, sql).value(0); }

    StocktakingSession openSession(QChar scope, int location = 0, const QString& person = {}, QChar kind = {})
    {
        StocktakingSession s;
        s.date = 20261210;
        s.scope = scope;
        s.location = location;
        s.person = person;
        s.registerKind = kind;
        s.scopeText = QStringLiteral("Lokalizacja: Pokój 12");
        s.committee = QStringLiteral("Anna Żółć\nJan Kowalski");
        s.createdBy = QStringLiteral("ADMIN");
        Stocktaking(m_connection).open(s);
        return s;
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>();
        m_database->open(m_connection);
        Clock::setFixed(QDateTime(QDate(2026, 12, 10), QTime(9, 30, 0)));
        const QStringList rows = {
            QStringLiteral("INSERT INTO slowniki (KOD,IDSLOWNIK,OPIS) VALUES (%1,'LOKAL','Pokój 12')")
                .arg(kRoom12),
            QStringLiteral("INSERT INTO slowniki (KOD,IDSLOWNIK,OPIS) VALUES (%1,'LOKAL','Magazyn')")
                .arg(kStore),
            QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO,IMIE) VALUES ('P1','Nowak','Ewa')"),
            QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO,IMIE) VALUES ('P2','Zając','Łukasz')"),
            // In room 12: two computers and a printer; one liquidated computer.
            QStringLiteral("INSERT INTO komputery (IDKOMPUTERA,NREWID,NAZWA,LOKALIZACJA,NREW,ARCHIWUM) "
                           "VALUES (1,'KOM-001','Dell Optiplex',%1,'P1','N')")
                .arg(kRoom12),
            QStringLiteral("INSERT INTO komputery (IDKOMPUTERA,NREWID,NAZWA,LOKALIZACJA,NREW,ARCHIWUM) "
                           "VALUES (2,'KOM-002','Lenovo T14',%1,'P2','N')")
                .arg(kRoom12),
            QStringLiteral("INSERT INTO komputery (IDKOMPUTERA,NREWID,NAZWA,LOKALIZACJA,NREW,ARCHIWUM) "
                           "VALUES (3,'KOM-003','Stary serwer',%1,'P1','T')")
                .arg(kRoom12),
            QStringLiteral("INSERT INTO sprzet (IDSPRZETU,NREWID,NAZWA,LOKALIZACJA,NREW,ARCHIWUM) "
                           "VALUES (1,'SPR-001','Drukarka HP',%1,'P1','N')")
                .arg(kRoom12),
            // In the store: a computer, and a number both registers use.
            QStringLiteral("INSERT INTO komputery (IDKOMPUTERA,NREWID,NAZWA,LOKALIZACJA,NREW,ARCHIWUM) "
                           "VALUES (4,'KOM-004','Monitor zapasowy',%1,'P2','N')")
                .arg(kStore),
            QStringLiteral("INSERT INTO komputery (IDKOMPUTERA,NREWID,NAZWA,LOKALIZACJA,NREW,ARCHIWUM) "
                           "VALUES (5,'X/7','Laptop X',%1,'','N')")
                .arg(kStore),
            QStringLiteral("INSERT INTO sprzet (IDSPRZETU,NREWID,NAZWA,LOKALIZACJA,NREW,ARCHIWUM) "
                           "VALUES (2,'X/7','Projektor X',%1,'','N')")
                .arg(kStore),
            QStringLiteral("INSERT INTO bhp (IDBHP,NREWID,NAZWA) VALUES (1,'BHP-1','Kask ochronny')"),
            QStringLiteral("INSERT INTO r_bhpprac (IDBHP,NREW,ILOSC) VALUES (1,'P2',1)"),
        };
        for (const QString& sql : rows)
            m_connection.exec(sql);
    }
    void cleanup()
    {
        Clock::setFixed(QDateTime());
        m_connection.close();
        m_database.reset();
        m_config.reset();
    }

    void scopesListWhatTheRegisterSays_data()
    {
        QTest::addColumn<QChar>("scope");
        QTest::addColumn<int>("location");
        QTest::addColumn<QString>("person");
        QTest::addColumn<QChar>("kind");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("a location: its active computers and equipment")
            << QChar('L') << int(kRoom12) << QString() << QChar()
            << QStringList{QStringLiteral("KOM-001"), QStringLiteral("KOM-002"), QStringLiteral("SPR-001")};
        QTest::newRow("a person: what he answers for and the BHP he holds")
            << QChar('O') << 0 << QStringLiteral("P2") << QChar()
            << QStringList{QStringLiteral("BHP-1"), QStringLiteral("KOM-002"), QStringLiteral("KOM-004")};
        QTest::newRow("a register") << QChar('R') << 0 << QString() << QChar('S')
                                    << QStringList{QStringLiteral("SPR-001"), QStringLiteral("X/7")};
        QTest::newRow("everything active, liquidated left out")
            << QChar('W') << 0 << QString() << QChar()
            << QStringList{QStringLiteral("BHP-1"),   QStringLiteral("KOM-001"), QStringLiteral("KOM-002"),
                           QStringLiteral("KOM-004"), QStringLiteral("SPR-001"), QStringLiteral("X/7"),
                           QStringLiteral("X/7")};
    }
    void scopesListWhatTheRegisterSays()
    {
        QFETCH(QChar, scope);
        QFETCH(int, location);
        QFETCH(QString, person);
        QFETCH(QChar, kind);
        QFETCH(QStringList, numbers);
        const StocktakingSession s = openSession(scope, location, person, kind);
        Stocktaking store(m_connection);
        QStringList listed;
        for (const StocktakingItem& item : store.items(s.id)) {
            QVERIFY(item.expected);
            QVERIFY(!item.found);
            listed << item.number;
        }
        listed.sort();
        QCOMPARE(listed, numbers);
        const StocktakingCounts c = store.counts(s.id);
        QCOMPARE(c.expected, int(numbers.size()));
        QCOMPARE(c.missing, int(numbers.size()));
        QCOMPARE(c.found + c.unexpected, 0);
        const StocktakingSession back = store.session(s.id);
        QCOMPARE(back.committee, QStringLiteral("Anna Żółć\nJan Kowalski"));
        QCOMPARE(back.scope, scope);
        QVERIFY(!back.closed);
    }

    void eachScanSaysWhatItFound_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<ScanResult::Outcome>("outcome");
        QTest::addColumn<QString>("number");
        QTest::newRow("expected") << QStringLiteral("KOM-001") << ScanResult::Found
                                  << QStringLiteral("KOM-001");
        QTest::newRow("blanks around, other case")
            << QStringLiteral("  kom-002 ") << ScanResult::Found << QStringLiteral("KOM-002");
        QTest::newRow("registered elsewhere")
            << QStringLiteral("KOM-004") << ScanResult::Elsewhere << QStringLiteral("KOM-004");
        QTest::newRow("liquidated, in the room")
            << QStringLiteral("KOM-003") << ScanResult::Elsewhere << QStringLiteral("KOM-003");
        QTest::newRow("no such number")
            << QStringLiteral("ZZ-999") << ScanResult::Unknown << QStringLiteral("ZZ-999");
        QTest::newRow("two registers") << QStringLiteral("X/7") << ScanResult::Ambiguous << QString();
        QTest::newRow("empty") << QString() << ScanResult::Invalid << QString();
        QTest::newRow("only blanks") << QStringLiteral("   ") << ScanResult::Invalid << QString();
        QTest::newRow("a control character") << QStringLiteral("KOM\x1d"
                                                               "001")
                                             << ScanResult::Invalid << QString();
        QTest::newRow("longer than any number")
            << QString(51, QLatin1Char('A')) << ScanResult::Invalid << QString();
    }
    void eachScanSaysWhatItFound()
    {
        QFETCH(QString, code);
        QFETCH(ScanResult::Outcome, outcome);
        QFETCH(QString, number);
        const StocktakingSession s = openSession('L', kRoom12);
        Stocktaking store(m_connection);
        const StocktakingCounts before = store.counts(s.id);
        const ScanResult r = store.scan(s.id, code, QStringLiteral("biuro-1"));
        QCOMPARE(r.outcome, outcome);
        const StocktakingCounts after = store.counts(s.id);
        switch (outcome) {
        case ScanResult::Found:
            QCOMPARE(r.item.number, number);
            QVERIFY(r.item.found);
            QCOMPARE(r.item.workstation, QStringLiteral("biuro-1"));
            QCOMPARE(r.item.scannedAt, QStringLiteral("2026-12-10 09:30:00"));
            QCOMPARE(after.found, before.found + 1);
            QCOMPARE(after.missing, before.missing - 1);
            break;
        case ScanResult::Elsewhere:
            QCOMPARE(r.item.number, number);
            QVERIFY(!r.item.expected);
            // Listed apart with where the register has it.
            QCOMPARE(r.item.location, number == QLatin1String("KOM-004") ? QStringLiteral("Magazyn")
                                                                         : QStringLiteral("Pokój 12"));
            QCOMPARE(r.item.person, number == QLatin1String("KOM-004") ? QStringLiteral("Zając Łukasz")
                                                                       : QStringLiteral("Nowak Ewa"));
            QCOMPARE(after.unexpected, 1);
            break;
        case ScanResult::Unknown:
            QCOMPARE(r.item.code, number);
            QVERIFY(r.item.kind.isNull());
            QCOMPARE(after.unexpected, 1);
            break;
        case ScanResult::Ambiguous:
            QCOMPARE(r.candidates.size(), 2);
            QCOMPARE(r.candidates.at(0).kind, QChar('K'));
            QCOMPARE(r.candidates.at(1).kind, QChar('S'));
            // Nothing written until the user chooses.
            QCOMPARE(after.unexpected, 0);
            break;
        default:
            QCOMPARE(after.found, before.found);
            QCOMPARE(after.unexpected, 0);
            break;
        }
        QCOMPARE(after.expected, before.expected);
    }

    void aCodeScannedAgainCountsOnce()
    {
        const StocktakingSession s = openSession('L', kRoom12);
        Stocktaking store(m_connection);
        for (const char* code : {"KOM-001", "ZZ-9", "KOM-004"}) {
            const ScanResult first = store.scan(s.id, QLatin1String(code), QStringLiteral("a"));
            QVERIFY(first.outcome != ScanResult::Repeated);
            for (int again = 2; again <= 3; ++again) {
                const ScanResult r = store.scan(s.id, QLatin1String(code), QStringLiteral("b"));
                QCOMPARE(r.outcome, ScanResult::Repeated);
                QCOMPARE(r.item.scans, again);
                // The first scan's time and station stay.
                QCOMPARE(r.item.workstation, QStringLiteral("a"));
            }
        }
        const StocktakingCounts c = store.counts(s.id);
        QCOMPARE(c.found, 1);
        QCOMPARE(c.unexpected, 2);
        QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM inwentaryzacje_pozycje WHERE IDINWENTARYZACJI=%1")
                           .arg(s.id)),
                 QStringLiteral("5"));
    }

    void aChoiceAmongRegistersStandsForLaterScans()
    {
        const StocktakingSession s = openSession('L', kRoom12);
        Stocktaking store(m_connection);
        const ScanResult asked = store.scan(s.id, QStringLiteral("X/7"), QStringLiteral("a"));
        QCOMPARE(asked.outcome, ScanResult::Ambiguous);
        const ScanResult chosen = store.choose(s.id, asked.candidates.at(1), asked.code, QStringLiteral("a"));
        QCOMPARE(chosen.outcome, ScanResult::Elsewhere);
        QCOMPARE(chosen.item.kind, QChar('S'));
        QCOMPARE(chosen.item.name, QStringLiteral("Projektor X"));
        QCOMPARE(store.scan(s.id, QStringLiteral("X/7"), QStringLiteral("a")).outcome, ScanResult::Repeated);
        QCOMPARE(store.counts(s.id).unexpected, 1);

        // Both expected in one session: the choice marks the one chosen.
        const StocktakingSession all = openSession('R', 0, {}, 'S');
        m_connection.exec(QStringLiteral("UPDATE sprzet SET NREWID='KOM-001' WHERE IDSPRZETU=1"));
        const StocktakingSession everything = openSession('W');
        const ScanResult both = store.scan(everything.id, QStringLiteral("KOM-001"), QStringLiteral("a"));
        QCOMPARE(both.outcome, ScanResult::Ambiguous);
        QVERIFY(both.candidates.at(0).id != 0);
        const ScanResult marked =
            store.choose(everything.id, both.candidates.at(0), both.code, QStringLiteral("a"));
        QCOMPARE(marked.outcome, ScanResult::Found);
        QCOMPARE(store.counts(everything.id).found, 1);
        // Another workstation choosing from the same, older read: a repeat,
        // the first scan's station kept.
        SqlConnection other;
        m_database->open(other);
        const ScanResult late =
            Stocktaking(other).choose(everything.id, both.candidates.at(0), both.code, QStringLiteral("b"));
        QCOMPARE(late.outcome, ScanResult::Repeated);
        QCOMPARE(late.item.workstation, QStringLiteral("a"));
        QCOMPARE(late.item.scans, 2);
        QCOMPARE(store.counts(all.id).found, 0);
    }

    void closingEndsScanningAndMovesWhatWasFoundElsewhere()
    {
        const StocktakingSession s = openSession('L', kRoom12);
        Stocktaking store(m_connection);
        store.scan(s.id, QStringLiteral("KOM-001"), QStringLiteral("a"));
        store.scan(s.id, QStringLiteral("KOM-004"), QStringLiteral("a"));
        store.scan(s.id, QStringLiteral("ZZ-9"), QStringLiteral("a"));
        QCOMPARE(store.close(s.id, 20261211, true), 1);
        QCOMPARE(value(QStringLiteral("SELECT LOKALIZACJA FROM komputery WHERE IDKOMPUTERA=4")),
                 QString::number(kRoom12));
        const QStringList history = column(
            m_connection, QStringLiteral("SELECT KOMPSPRZ || '|' || DATAOD || '|' || MIEJSCE || '|' || INNE "
                                         "FROM historia WHERE IDOBIEKTU=4"));
        QCOMPARE(history,
                 QStringList{
                     QStringLiteral(
                         "K|20261211|Pokój 12|Przeniesiono przy inwentaryzacji nr %1 (poprzednio: Magazyn)")
                         .arg(s.id)});
        const StocktakingSession closed = store.session(s.id);
        QVERIFY(closed.closed);
        QCOMPARE(closed.closedDate, 20261211);
        QCOMPARE(store.scan(s.id, QStringLiteral("KOM-002"), QStringLiteral("a")).outcome,
                 ScanResult::Closed);
        QVERIFY_THROWS_EXCEPTION(DbError, store.close(s.id, 20261211, false));
        bool movedShown = false;
        for (const StocktakingItem& item : store.items(s.id))
            movedShown = movedShown || (item.number == QLatin1String("KOM-004") && item.moved);
        QVERIFY(movedShown);
    }

    void aFailedMoveLeavesTheSessionOpenAndNothingMoved()
    {
        const StocktakingSession s = openSession('L', kRoom12);
        Stocktaking store(m_connection);
        store.scan(s.id, QStringLiteral("KOM-004"), QStringLiteral("a"));
        m_connection.exec(QStringLiteral("UPDATE sprzet SET NREWID='S-9' WHERE IDSPRZETU=2"));
        store.scan(s.id, QStringLiteral("S-9"), QStringLiteral("a"));
        m_database->addFailure(m_connection, QStringLiteral("no_history"),
                               QStringLiteral("BEFORE INSERT ON historia"), QStringLiteral("dysk pełny"),
                               QStringLiteral("NEW.KOMPSPRZ = 'S'"));
        QVERIFY_THROWS_EXCEPTION(DbError, store.close(s.id, 20261211, true));
        m_database->removeFailure(m_connection, QStringLiteral("no_history"), QStringLiteral("historia"));
        QCOMPARE(value(QStringLiteral("SELECT LOKALIZACJA FROM komputery WHERE IDKOMPUTERA=4")),
                 QString::number(kStore));
        QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM historia")), QStringLiteral("0"));
        QVERIFY(!store.session(s.id).closed);
    }

    void anotherWorkstationReadsOnlyWhatChanged()
    {
        const StocktakingSession s = openSession('L', kRoom12);
        SqlConnection other;
        m_database->open(other);
        Stocktaking mine(m_connection);
        Stocktaking theirs(other);
        qint64 seen = 0;
        QCOMPARE(theirs.changedItems(s.id, 0, &seen).size(), 0);
        mine.scan(s.id, QStringLiteral("KOM-002"), QStringLiteral("a"));
        mine.scan(s.id, QStringLiteral("ZZ-1"), QStringLiteral("a"));
        qint64 now = 0;
        const QList<StocktakingItem> changed = theirs.changedItems(s.id, seen, &now);
        QCOMPARE(changed.size(), 2);
        QCOMPARE(now, seen + 2);
        QCOMPARE(theirs.changedItems(s.id, now, &now).size(), 0);
        mine.scan(s.id, QStringLiteral("KOM-002"), QStringLiteral("a"));
        QCOMPARE(theirs.changedItems(s.id, now, &now).value(0).scans, 2);
    }

    void twoWorkstationsScanningOneSessionAtOnce()
    {
        // 120 computers in one room; each station scans all of them and a
        // few unknown codes, in opposite orders, at the same time, each
        // twice as fast as a scanner reads.
        constexpr int kCount = 120;
        m_connection.exec(QStringLiteral("BEGIN"));
        for (int i = 0; i < kCount; ++i)
            m_connection.exec(QStringLiteral("INSERT INTO komputery (NREWID,NAZWA,LOKALIZACJA,ARCHIWUM) "
                                             "VALUES ('R-%1','Komputer %1',%2,'N')")
                                  .arg(i, 4, 10, QLatin1Char('0'))
                                  .arg(kStore));
        m_connection.exec(QStringLiteral("COMMIT"));
        const StocktakingSession s = openSession('L', kStore);
        QStringList codes;
        for (int i = 0; i < kCount; ++i)
            codes << QStringLiteral("R-%1").arg(i, 4, 10, QLatin1Char('0'));
        codes << QStringLiteral("OBCY-1") << QStringLiteral("OBCY-2");
        std::atomic<int> failures = 0;
        SqlConnection first;
        SqlConnection second;
        m_database->open(first);
        m_database->open(second);
        auto station = [&](SqlConnection* c, const QString& name, bool reversed) {
            Stocktaking store(*c);
            for (int i = 0; i < codes.size(); ++i) {
                const QString& code = codes.at(reversed ? codes.size() - 1 - i : i);
                try {
                    store.scan(s.id, code, name);
                } catch (const DbError& e) {
                    qWarning("%s: %s", qPrintable(code), qPrintable(e.message()));
                    ++failures;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(25));
            }
        };
        std::thread a(station, &first, QStringLiteral("stanowisko A"), false);
        std::thread b(station, &second, QStringLiteral("stanowisko B"), true);
        a.join();
        b.join();
        QCOMPARE(int(failures), 0);
        Stocktaking store(m_connection);
        const StocktakingCounts c = store.counts(s.id);
        // The store's own three assets were not scanned.
        QCOMPARE(c.expected, kCount + 3);
        QCOMPARE(c.found, kCount);
        QCOMPARE(c.missing, 3);
        QCOMPARE(c.unexpected, 2);
        // Every code was scanned twice and counted once.
        QCOMPARE(
            value(QStringLiteral("SELECT SUM(SKANY) FROM inwentaryzacje_pozycje WHERE IDINWENTARYZACJI=%1")
                      .arg(s.id)),
            QString::number(2 * (kCount + 2)));
        const QStringList stations = column(
            m_connection, QStringLiteral("SELECT DISTINCT STANOWISKO FROM inwentaryzacje_pozycje WHERE "
                                         "IDINWENTARYZACJI=%1 AND STANOWISKO <> '' ORDER BY 1")
                              .arg(s.id));
        QCOMPARE(stations, (QStringList{QStringLiteral("stanowisko A"), QStringLiteral("stanowisko B")}));
    }

    void removingASessionTakesItsItems()
    {
        const StocktakingSession s = openSession('L', kRoom12);
        const StocktakingSession kept = openSession('W');
        Stocktaking store(m_connection);
        store.remove(s.id);
        QCOMPARE(store.sessions().size(), 1);
        QCOMPARE(store.sessions().first().id, kept.id);
        QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM inwentaryzacje_pozycje WHERE IDINWENTARYZACJI=%1")
                           .arg(s.id)),
                 QStringLiteral("0"));
        QVERIFY_THROWS_EXCEPTION(DbError, store.session(s.id));
    }
};

QTEST_GUILESS_MAIN(TestStocktaking)
#include "test_stocktaking.moc"
