#pragma once

#include "renderer/PageSource.h"

#include <QList>

#include <functional>

class QPainter;
class QPrinter;

// Paints pages of a laid-out report on any paint device: the screen, a
// printer or a PDF file. One painter serves many pages: the report's fonts
// are set up for the device once.
class PagePainter
{
public:
    // Pages done and pages in all; answers false to stop.
    using Progress = std::function<bool(int done, int total)>;

    // pixelsPerMm device pixels to a millimetre.
    PagePainter(QPainter& painter, double pixelsPerMm);

    // Paints one page with its top left corner at origin (device pixels).
    void paint(const Page& page, QPointF origin = {});
    static void paint(QPainter& painter, const Page& page, double pixelsPerMm, QPointF origin = {});

    // Writes the report as a PDF with its fonts embedded, one page at a
    // time. The file is replaced only when the whole document was written;
    // a stop through progress leaves no file and no error.
    static bool writePdf(const PageSource& pages, const QString& path, QString* error,
                         const Progress& progress = {});

    // Sends the report (the pages the printer's range selects) to a printer
    // already set up, for example by a print dialog.
    static bool print(const PageSource& pages, QPrinter& printer, QString* error,
                      const Progress& progress = {});

    // The page layout of the report for a printer or a PDF: paper, orientation, no margins.
    static void setUpPrinter(const PageSource& pages, QPrinter& printer);

private:
    void useResources(const PageResources* resources);

    QPainter& m_painter;
    double m_scale;
    const PageResources* m_resources = nullptr;
    std::shared_ptr<const PageResources> m_keep; // the resources the fonts below belong to
    QList<QFont> m_fonts;                        // the report's fonts sized for the device
    QList<double> m_ascents;                     // device pixels
};
