#pragma once

#include "store/Stocktaking.h"

#include <QList>
#include <QString>

class MemoryDataProvider;
class QWidget;

// "Arkusz spisu z natury": the items a session expects, each found or not,
// then the items met outside the list, the counts and the signature lines.
class CountSheetReport
{
public:
    CountSheetReport() = delete;

    static QString templateFile() { return QStringLiteral("arkusz_spisu.frf"); }

    // The sheet's sources: frDSSpis (expected items in the order given),
    // frDSPozaSpisem (found, not expected) and the captions shown only when
    // that group is empty (frDSPozaSpisemBrak), with the common header.
    static void fill(MemoryDataProvider& data, const StocktakingSession& session,
                     const QList<StocktakingItem>& items, const QString& company);

    // Opens the preview (zoom, print, PDF); false when it could not run.
    static bool show(QWidget* parent, const StocktakingSession& session, const QList<StocktakingItem>& items,
                     const QString& company);
    // Writes the sheet as a PDF file; templatePath empty for the program's own.
    static bool writePdf(const QString& pdfPath, const StocktakingSession& session,
                         const QList<StocktakingItem>& items, const QString& company, QString* error,
                         const QString& templatePath = QString());
};
