#pragma once

#include <QtGlobal>

class SqlConnection;

// Installing a licensed program on a computer. The duplicate test, the count
// of the link's seats and the insert run in one write transaction, so two
// workstations cannot both take the last free seat of a licence.
namespace LicenceSeats {
enum class Outcome
{
    Installed,
    AlreadyInstalled, // this link is on this computer already
    Full,             // every seat is taken
    OverInstalled,    // more installations than seats (the count was lowered)
    LinkMissing,      // the link was deleted meanwhile
    CountFailed,      // the seats could not be counted (reported with 3114)
    Failed            // the insert failed (reported with 3101)
};

// Seats of one link: `seats` is ILOSCLIC, `used` the active installations.
struct Seats
{
    bool found = false;
    bool unlimited = false;
    qint64 seats = 0;
    qint64 used = 0;
    // One more computer fits.
    bool hasFree() const { return unlimited || used < seats; }
};

// Throws DbError.
Seats read(SqlConnection& connection, qint64 program, qint64 licence);
Outcome install(SqlConnection& connection, qint64 program, qint64 licence, qint64 computer);
} // namespace LicenceSeats
