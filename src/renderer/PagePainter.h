#pragma once

#include "renderer/PageModel.h"

class QPainter;
class QPrinter;

// Paints pages of a laid-out report on any paint device: the screen, a
// printer or a PDF file.
namespace PagePainter {
// Paints one page with its top left corner at origin (device pixels),
// pixelsPerMm device pixels to a millimetre.
void paint(QPainter& painter, const Page& page, double pixelsPerMm, QPointF origin = {});

// Writes the whole report as a PDF with its fonts embedded. The file is
// replaced only when the whole document was written.
bool writePdf(const PageModel& model, const QString& path, QString* error);

// Sends the report (the pages the printer's range selects) to a printer
// already set up, for example by a print dialog.
bool print(const PageModel& model, QPrinter& printer, QString* error);

// The page layout of the report for a printer or a PDF: paper, orientation, no margins.
void setUpPrinter(const PageModel& model, QPrinter& printer);
} // namespace PagePainter
