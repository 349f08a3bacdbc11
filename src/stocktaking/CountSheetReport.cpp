#include "stocktaking/CountSheetReport.h"

#include "renderer/MemoryDataProvider.h"
#include "stocktaking/StocktakingPrint.h"

void CountSheetReport::fill(MemoryDataProvider& data, const StocktakingSession& session,
                            const QList<StocktakingItem>& items, const QString& company)
{
    StocktakingPrint::fillCommon(data, session, items, company);
    QList<QStringList> listed, outside;
    for (const StocktakingItem& item : items) {
        if (item.expected) {
            listed << QStringList{StocktakingPrint::numberOf(item), item.name, item.location, item.person,
                                  item.found ? QStringLiteral("tak") : QStringLiteral("nie")};
        } else if (item.found) {
            outside << QStringList{StocktakingPrint::numberOf(item),
                                   StocktakingPrint::kindText(item.kind),
                                   StocktakingPrint::nameOf(item),
                                   item.location,
                                   item.person,
                                   QStringLiteral("tak")};
        }
    }
    data.addSource(QStringLiteral("frDSSpis"),
                   {QStringLiteral("NREWID"), QStringLiteral("NAZWA"), QStringLiteral("LOKALIZACJA"),
                    QStringLiteral("OSOBA"), QStringLiteral("STWIERDZONO_POZ")},
                   listed);
    data.addSource(QStringLiteral("frDSPozaSpisem"),
                   {QStringLiteral("NREWID"), QStringLiteral("RODZAJ"), QStringLiteral("NAZWA"),
                    QStringLiteral("LOKALIZACJA"), QStringLiteral("OSOBA"),
                    QStringLiteral("STWIERDZONO_POZ")},
                   outside);
    data.addSource(QStringLiteral("frDSPozaSpisemBrak"), {QStringLiteral("BRAK")},
                   StocktakingPrint::rowWhen(outside.isEmpty()));
    data.addSource(QStringLiteral("frDSPodsumowanie"), {QStringLiteral("PODSUMOWANIE")},
                   StocktakingPrint::rowWhen(true));
    data.setMainSource(QStringLiteral("frDSSpis"));
}

bool CountSheetReport::show(QWidget* parent, const StocktakingSession& session,
                            const QList<StocktakingItem>& items, const QString& company)
{
    return StocktakingPrint::showDocument(templateFile(), &fill, parent, session, items, company);
}

bool CountSheetReport::writePdf(const QString& pdfPath, const StocktakingSession& session,
                                const QList<StocktakingItem>& items, const QString& company, QString* error,
                                const QString& templatePath)
{
    return StocktakingPrint::writeDocument(templateFile(), &fill, pdfPath, session, items, company, error,
                                           templatePath);
}
