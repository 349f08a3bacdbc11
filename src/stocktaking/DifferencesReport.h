#pragma once

#include "store/Stocktaking.h"

#include <QList>
#include <QString>

class MemoryDataProvider;
class QWidget;

// "Zestawienie różnic inwentaryzacyjnych": shortages (expected, not found)
// and surpluses (found, not expected), each with its count.
class DifferencesReport
{
public:
    DifferencesReport() = delete;

    static QString templateFile() { return QStringLiteral("roznice_spisu.frf"); }

    // The sources frDSNiedobory and frDSNadwyzki, the captions of an empty
    // section (frDSNiedoboryBrak, frDSNadwyzkiBrak, or frDSBrakRoznic when
    // both are), the counts NIEDOBORY and NADWYZKI, and the common header.
    static void fill(MemoryDataProvider& data, const StocktakingSession& session,
                     const QList<StocktakingItem>& items, const QString& company);

    static bool show(QWidget* parent, const StocktakingSession& session, const QList<StocktakingItem>& items,
                     const QString& company);
    // Writes the statement as a PDF file; templatePath empty for the program's own.
    static bool writePdf(const QString& pdfPath, const StocktakingSession& session,
                         const QList<StocktakingItem>& items, const QString& company, QString* error,
                         const QString& templatePath = QString());
};
