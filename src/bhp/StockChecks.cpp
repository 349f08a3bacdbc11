#include "bhp/StockChecks.h"

#include "store/Guarded.h"
#include "store/TmyDataBase.h"

namespace StockChecks {
QString nothingFound()
{
    return QStringLiteral("Niczego nie znaleziono");
}

QList<NeedRow> bhpNeeds(TmyDataBase& db)
{
    QList<NeedRow> rows;
    Statement& q = db.statement(QStringLiteral("DBFSprawdzBhp"));
    guarded(162110, [&] {
        q.close();
        q.open();
        for (q.first(); !q.eof(); q.next())
            rows.append({TmyDataBase::amountText(q.number(QStringLiteral("ILOSC"))),
                         q.text(QStringLiteral("NREWID")), q.text(QStringLiteral("NAZWA")),
                         q.text(QStringLiteral("CECHY"))});
    });
    q.close();
    return rows;
}

QStringList lowStock(TmyDataBase& db, bool* found)
{
    QStringList lines;
    // The resource list of the main window, re-read with its current filter.
    const QString list = QStringLiteral("DBFMagazyn");
    guarded(151923, [&] {
        if (!db.reloadList(list))
            return;
        Statement& q = db.statement(list);
        for (q.first(); !q.eof(); q.next()) {
            const double ilosc = q.number(QStringLiteral("ILOSC"));
            if (ilosc > q.number(QStringLiteral("PRZYPOMNIJ")))
                continue;
            if (lines.isEmpty())
                lines << QStringLiteral("Niski stan magazynowy następujących części:");
            lines << q.text(QStringLiteral("CZESC")) + QStringLiteral(" (Ilość = ") +
                         TmyDataBase::amountText(ilosc) + QLatin1Char(')');
        }
        q.first();
    });
    *found = !lines.isEmpty();
    if (lines.isEmpty())
        lines << nothingFound();
    return lines;
}
} // namespace StockChecks
