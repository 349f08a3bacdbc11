#include "TestDatabase.h"
#include "TestSupport.h"

#include "store/LicenceSeats.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "store/WriteTransaction.h"

#include <QTest>

#include <chrono>
#include <thread>

using LicenceSeats::Outcome;
Q_DECLARE_METATYPE(LicenceSeats::Outcome)

// Installing a licensed program on a computer: the free seats of a link, the
// refusals, and two workstations racing for the last seat.
class TestLicenceSeats : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    SqlConnection m_connection;
    static constexpr qint64 kProgram = 1;
    static constexpr qint64 kLicence = 1;

    void exec(SqlConnection& c, const QString& sql) { c.exec(sql); }
    qint64 installations(SqlConnection& c, const char* act = "T")
    {
        Statement q(
            &c, QString(),
            {QStringLiteral("SELECT COUNT(*) AS N FROM r_lickomp WHERE IDPROGRAMU=1 AND IDLICENCJI=1 AND "
                            "ACT='%1'")
                 .arg(QLatin1String(act))});
        q.open();
        return q.integer(QStringLiteral("N"));
    }
    void link(int seats, bool unlimited)
    {
        exec(m_connection,
             QStringLiteral("INSERT INTO r_licprog (IDPROGRAMU,IDLICENCJI,ILOSCLIC,WIELOSTAN,ACT) "
                            "VALUES (1,1,%1,'%2','T')")
                 .arg(seats)
                 .arg(unlimited ? QLatin1Char('T') : QLatin1Char('N')));
    }
    void installedOn(SqlConnection& c, int computer, const char* act = "T")
    {
        exec(c, QStringLiteral(
                    "INSERT INTO r_lickomp (IDPROGRAMU,IDLICENCJI,IDKOMPUTERA,ACT) VALUES (1,1,%1,'%2')")
                    .arg(computer)
                    .arg(QLatin1String(act)));
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>();
        m_database->open(m_connection);
        exec(m_connection, QStringLiteral("INSERT INTO programy (IDPROGRAMU,NAZWA) VALUES (1,'Biuro')"));
        exec(m_connection, QStringLiteral("INSERT INTO licencje (IDLICENCJI,NRLICENCJI) VALUES (1,'L-1')"));
        for (int k = 1; k <= 6; ++k)
            exec(m_connection,
                 QStringLiteral("INSERT INTO komputery (IDKOMPUTERA,NREWID) VALUES (%1,'K%1')").arg(k));
    }
    void cleanup()
    {
        m_connection.close();
        m_database.reset();
        m_config.reset();
    }

    void seatArithmetic_data()
    {
        QTest::addColumn<int>("seats");
        QTest::addColumn<bool>("unlimited");
        QTest::addColumn<int>("installed");
        QTest::addColumn<Outcome>("outcome");
        QTest::newRow("one free") << 3 << false << 2 << Outcome::Installed;
        QTest::newRow("exactly full") << 3 << false << 3 << Outcome::Full;
        QTest::newRow("count lowered below the installations") << 2 << false << 3 << Outcome::OverInstalled;
        QTest::newRow("unlimited, count 0") << 0 << true << 5 << Outcome::Installed;
        QTest::newRow("limited with no seats") << 0 << false << 0 << Outcome::Full;
    }
    void seatArithmetic()
    {
        QFETCH(int, seats);
        QFETCH(bool, unlimited);
        QFETCH(int, installed);
        QFETCH(Outcome, outcome);
        link(seats, unlimited);
        for (int k = 1; k <= installed; ++k)
            installedOn(m_connection, k);
        QCOMPARE(LicenceSeats::install(m_connection, kProgram, kLicence, 6), outcome);
        QCOMPARE(installations(m_connection), qint64(installed + (outcome == Outcome::Installed ? 1 : 0)));
        const LicenceSeats::Seats s = LicenceSeats::read(m_connection, kProgram, kLicence);
        QVERIFY(s.found);
        QCOMPARE(s.unlimited, unlimited);
        QCOMPARE(s.hasFree(), unlimited || s.used < seats);
    }

    void refusalsAndAFreedSeat()
    {
        link(3, false);
        for (int k = 1; k <= 3; ++k)
            QCOMPARE(LicenceSeats::install(m_connection, kProgram, kLicence, k), Outcome::Installed);
        // The same link twice on one computer.
        QCOMPARE(LicenceSeats::install(m_connection, kProgram, kLicence, 2), Outcome::AlreadyInstalled);
        QCOMPARE(LicenceSeats::install(m_connection, kProgram, kLicence, 4), Outcome::Full);
        exec(m_connection, QStringLiteral("DELETE FROM r_lickomp WHERE IDKOMPUTERA=2"));
        QCOMPARE(LicenceSeats::install(m_connection, kProgram, kLicence, 4), Outcome::Installed);
        QCOMPARE(installations(m_connection), qint64(3));
        // Inactive installations take no seat.
        installedOn(m_connection, 5, "N");
        exec(m_connection, QStringLiteral("DELETE FROM r_lickomp WHERE IDKOMPUTERA=1"));
        QCOMPARE(LicenceSeats::install(m_connection, kProgram, kLicence, 6), Outcome::Installed);
        // A link deleted meanwhile installs nothing.
        exec(m_connection, QStringLiteral("DELETE FROM r_licprog"));
        QCOMPARE(LicenceSeats::install(m_connection, kProgram, kLicence, 1), Outcome::LinkMissing);
        QCOMPARE(installations(m_connection), qint64(3));
    }

    void twoWorkstationsCannotBothTakeTheLastSeat()
    {
        link(2, false);
        installedOn(m_connection, 1);
        SqlConnection other;
        m_database->open(other);
        // The other workstation is taking the last seat and has not committed yet.
        auto transaction = std::make_unique<WriteTransaction>(other);
        QCOMPARE(LicenceSeats::install(other, kProgram, kLicence, 2), Outcome::Installed);
        std::thread committer([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            transaction->commit();
        });
        // This one waits for the write lock, then counts the committed seat.
        const Outcome ours = LicenceSeats::install(m_connection, kProgram, kLicence, 3);
        committer.join();
        QCOMPARE(ours, Outcome::Full);
        QCOMPARE(installations(m_connection), qint64(2));
        transaction.reset();
    }
};

QTEST_GUILESS_MAIN(TestLicenceSeats)
#include "test_licenceseats.moc"
