#include "stocktaking/DifferencesReport.h"

#include "renderer/MemoryDataProvider.h"
#include "stocktaking/StocktakingPrint.h"

void DifferencesReport::fill(MemoryDataProvider& data, const StocktakingSession& session,
                             const QList<StocktakingItem>& items, const QString& company)
{
    StocktakingPrint::fillCommon(data, session, items, company);
    QList<QStringList> shortages, surpluses;
    for (const StocktakingItem& item : items) {
        if (item.expected && !item.found) {
            shortages << QStringList{StocktakingPrint::numberOf(item), item.name, item.location, item.person};
        } else if (!item.expected && item.found) {
            surpluses << QStringList{StocktakingPrint::numberOf(item), StocktakingPrint::nameOf(item),
                                     item.location, item.person, StocktakingPrint::scanText(item)};
        }
    }
    const QStringList columns = {QStringLiteral("NREWID"), QStringLiteral("NAZWA"),
                                 QStringLiteral("LOKALIZACJA"), QStringLiteral("OSOBA")};
    data.addSource(QStringLiteral("frDSNiedobory"), columns, shortages);
    data.addSource(QStringLiteral("frDSNadwyzki"), QStringList(columns) << QStringLiteral("SKAN"), surpluses);
    const bool none = shortages.isEmpty() && surpluses.isEmpty();
    data.addSource(QStringLiteral("frDSBrakRoznic"), {QStringLiteral("BRAK")},
                   StocktakingPrint::rowWhen(none));
    data.addSource(QStringLiteral("frDSNiedoboryBrak"), {QStringLiteral("BRAK")},
                   StocktakingPrint::rowWhen(!none && shortages.isEmpty()));
    data.addSource(QStringLiteral("frDSNadwyzkiBrak"), {QStringLiteral("BRAK")},
                   StocktakingPrint::rowWhen(!none && surpluses.isEmpty()));
    const StocktakingCounts counts = StocktakingPrint::countsOf(items);
    data.setVariable(QStringLiteral("NIEDOBORY"), QString::number(counts.missing));
    data.setVariable(QStringLiteral("NADWYZKI"), QString::number(counts.unexpected));
    data.setMainSource(QStringLiteral("frDSNiedobory"));
}

bool DifferencesReport::show(QWidget* parent, const StocktakingSession& session,
                             const QList<StocktakingItem>& items, const QString& company)
{
    return StocktakingPrint::showDocument(templateFile(), &fill, parent, session, items, company);
}

bool DifferencesReport::writePdf(const QString& pdfPath, const StocktakingSession& session,
                                 const QList<StocktakingItem>& items, const QString& company, QString* error,
                                 const QString& templatePath)
{
    return StocktakingPrint::writeDocument(templateFile(), &fill, pdfPath, session, items, company, error,
                                           templatePath);
}
