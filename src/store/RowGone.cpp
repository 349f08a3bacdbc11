#include "store/RowGone.h"

#include "store/SqlConnection.h"
#include "store/Statement.h"

namespace {
struct OwnerTable
{
    const char* kind;
    const char* table;
    const char* key;
};
const OwnerTable kOwners[] = {
    {"K", "komputery", "IDKOMPUTERA"}, {"S", "sprzet", "IDSPRZETU"},
    {"L", "licencje", "IDLICENCJI"},   {"B", "bhp", "IDBHP"},
    {"P", "programy", "IDPROGRAMU"},
};
} // namespace

RowGone::RowGone(What what) : DbError(what == What::Record ? recordText() : ownerText()) {}

QString RowGone::recordText()
{
    return QStringLiteral(
        "Ta pozycja została w międzyczasie usunięta na innym stanowisku. Zmiany nie zostały "
        "zapisane.");
}

QString RowGone::ownerText()
{
    return QStringLiteral("Pozycja, do której należy ten wpis, została w międzyczasie usunięta na innym "
                          "stanowisku. Wpis nie został zapisany.");
}

void RowGone::unlessChanged(int changedRows)
{
    if (changedRows == 0)
        throw RowGone(What::Record);
}

void RowGone::unlessOwnerExists(SqlConnection& connection, const QString& kind, qint64 key)
{
    for (const OwnerTable& owner : kOwners) {
        if (kind != QLatin1String(owner.kind))
            continue;
        Statement q(&connection, QStringLiteral("owner"),
                    {QStringLiteral("SELECT 1 FROM ") + QLatin1String(owner.table) +
                     QStringLiteral(" WHERE ") + QLatin1String(owner.key) + QStringLiteral(" = ") +
                     QString::number(key)});
        q.open();
        if (q.isEmpty())
            throw RowGone(What::Owner);
        return;
    }
}
