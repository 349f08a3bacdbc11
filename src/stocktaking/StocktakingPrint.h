#pragma once

#include "store/Stocktaking.h"

#include <QList>
#include <QString>
#include <QStringList>

class MemoryDataProvider;
class ReportDataProvider;
class QWidget;

// What the two printed documents of a stocktaking share: the header, the
// committee's signature lines, the counts, and the way a document is shown
// or written to a PDF file.
class StocktakingPrint
{
public:
    StocktakingPrint() = delete;

    // raporty/<file> beside the program.
    static QString templatePath(const QString& file);

    // Counted from the items themselves, the way the store counts a session.
    static StocktakingCounts countsOf(const QList<StocktakingItem>& items);

    // The header variables (FIRMA, NUMER, DATASPISU, ZAKRES, STAN, KOMISJA,
    // ODPOWIEDZIALNY), the committee's signature rows (frDSKomisja) and the
    // counts (WSPISIE, STWIERDZONO, NIESTWIERDZONO, POZASPISEM).
    static void fillCommon(MemoryDataProvider& data, const StocktakingSession& session,
                           const QList<StocktakingItem>& items, const QString& company);

    // The committee's names, one a line, blank lines left out.
    static QStringList committeeMembers(const QString& committee);
    // "komputer", "inny sprzęt", "środek BHP"; empty for an unknown code.
    static QString kindText(QChar kind);
    // The inventory number, or what was scanned when no asset has it.
    static QString numberOf(const StocktakingItem& item);
    static QString nameOf(const StocktakingItem& item);
    // Where and when an item was first scanned, on two lines.
    static QString scanText(const StocktakingItem& item);
    // One empty row when `when`, none otherwise: a caption shown only then.
    static QList<QStringList> rowWhen(bool when);

    // Opens the preview; a template that cannot run is reported in "Błąd".
    static bool show(const QString& templatePath, ReportDataProvider& data, QWidget* parent);
    // Writes the document without a window; false with the reason in *error.
    static bool writePdf(const QString& templatePath, ReportDataProvider& data, const QString& pdfPath,
                         QString* error);

    // One document's data from a session: each document's own fill().
    using Fill = void (*)(MemoryDataProvider&, const StocktakingSession&, const QList<StocktakingItem>&,
                          const QString&);
    // The document of `templateFile` filled by `fill`, in the preview or
    // into a PDF file (templatePath empty: the program's own template).
    static bool showDocument(const QString& templateFile, Fill fill, QWidget* parent,
                             const StocktakingSession& session, const QList<StocktakingItem>& items,
                             const QString& company);
    static bool writeDocument(const QString& templateFile, Fill fill, const QString& pdfPath,
                              const StocktakingSession& session, const QList<StocktakingItem>& items,
                              const QString& company, QString* error, const QString& templatePath);
};
