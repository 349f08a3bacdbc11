#include "store/LicenceSeats.h"

#include "store/DbError.h"
#include "store/Guarded.h"
#include "store/RowGone.h"
#include "store/Statement.h"
#include "store/StatementTexts.h"
#include "store/WriteTransaction.h"

namespace {
Statement named(SqlConnection& connection, const char* name)
{
    const QString n = QLatin1String(name);
    return Statement(&connection, n, statementLines(n));
}

qint64 count(Statement& q)
{
    q.open();
    const qint64 n = q.isEmpty() ? 0 : q.integer(QStringLiteral("ILE"));
    q.close();
    return n;
}
} // namespace

namespace LicenceSeats {

Seats read(SqlConnection& connection, qint64 program, qint64 licence)
{
    Seats s;
    Statement link = named(connection, "DBFLicProgMiejsca");
    link.setLine(1, QString::number(licence));
    link.setLine(3, QString::number(program));
    link.open();
    if (link.isEmpty())
        return s;
    s.found = true;
    s.unlimited = link.text(QStringLiteral("WIELOSTAN")) == QLatin1String("T");
    s.seats = link.integer(QStringLiteral("ILOSCLIC"));
    link.close();
    Statement used = named(connection, "DBFCountLicKomp");
    used.setLine(1, QString::number(licence));
    used.setLine(3, QString::number(program));
    s.used = count(used);
    return s;
}

Outcome install(SqlConnection& connection, qint64 program, qint64 licence, qint64 computer)
{
    Outcome outcome = Outcome::Failed;
    guarded(3101, [&] {
        // The write lock is taken before anything is counted.
        WriteTransaction transaction(connection);
        qint64 already = 0;
        // A failed duplicate test is reported and the installation goes on.
        guarded(3133, [&] {
            Statement q = named(connection, "DBFCountLicKompKomp");
            q.setLine(1, QString::number(licence));
            q.setLine(3, QString::number(program));
            q.setLine(5, QString::number(computer));
            already = count(q);
        });
        if (already > 0) {
            outcome = Outcome::AlreadyInstalled;
            return;
        }
        Seats seats;
        if (!guarded(3114, [&] { seats = read(connection, program, licence); })) {
            outcome = Outcome::CountFailed;
            return;
        }
        if (!seats.found) {
            outcome = Outcome::LinkMissing;
            return;
        }
        if (!seats.unlimited && seats.used == seats.seats) {
            outcome = Outcome::Full;
            return;
        }
        if (!seats.unlimited && seats.used > seats.seats) {
            outcome = Outcome::OverInstalled;
            return;
        }
        // Never installed on a computer another workstation deleted meanwhile.
        RowGone::unlessOwnerExists(connection, QStringLiteral("K"), computer);
        Statement insert = named(connection, "DBFInsertLicKomp");
        insert.setLine(2, QString::number(program));
        insert.setLine(4, QString::number(licence));
        insert.setLine(6, QString::number(computer));
        insert.execSQL();
        transaction.commit();
        outcome = Outcome::Installed;
    });
    return outcome;
}

} // namespace LicenceSeats
