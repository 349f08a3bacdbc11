#pragma once

#include "store/DbError.h"

class SqlConnection;

// A write meant for a row that another workstation deleted meanwhile: an
// update of an edited record that changed no row, or a record added under an
// owner (a computer, an item, a licence ...) that is no longer there. Thrown
// inside the write's transaction, it rolls the whole write back, so nothing
// is stored under the lost key; the guard shows its Polish text.
class RowGone : public DbError
{
public:
    enum class What
    {
        Record, // the edited record itself
        Owner   // the record a new sub-record belongs to
    };
    explicit RowGone(What what = What::Record);

    // Throws when an update of an edited record changed no row.
    static void unlessChanged(int changedRows);
    // Throws when the owner of kind "K" (computer), "S" (equipment), "L"
    // (licence), "B" (BHP item) or "P" (program) with this key is gone; other
    // kinds have no owner row to look for.
    static void unlessOwnerExists(SqlConnection& connection, const QString& kind, qint64 key);

    static QString recordText();
    static QString ownerText();
};
