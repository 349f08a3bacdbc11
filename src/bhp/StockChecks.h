#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class TmyDataBase;

// The two checks of what runs short: BHP items at or below their reminder
// level, and resources of the store's list at or below theirs. A database
// error is reported and answers what was found before it.
namespace StockChecks {
struct NeedRow
{
    QString ilosc; // "0.00"
    QString nrewid;
    QString nazwa;
    QString cechy;
};

QList<NeedRow> bhpNeeds(TmyDataBase& db);

// The stock check's text: "Niski stan magazynowy następujących części:" and
// one line per resource, or "Niczego nie znaleziono". `found` tells which.
QStringList lowStock(TmyDataBase& db, bool* found);

QString nothingFound();
} // namespace StockChecks
