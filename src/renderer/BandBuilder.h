#pragma once

#include "renderer/PageModel.h"
#include "renderer/ReportTemplate.h"

class ReportDataProvider;
class TextMeasurer;

// A band with its values filled in and its text laid out, not yet placed on a
// page: x is measured from the paper's left edge, y from the band's top.
struct BuiltBand
{
    double height = 0;
    QList<PageItem> items;
    bool skip = false; // every field was empty and the band asked to be left out
};

// Marks that stand for the page number and the page count until the last page is known.
inline constexpr QChar kPageNumberMark = QChar(0xE000);
inline constexpr QChar kPageCountMark = QChar(0xE001);

// Fills one band: asks the provider for each [FIELD] once, breaks text into
// lines, grows stretching objects and the band with them.
class BandBuilder
{
public:
    BandBuilder(ReportDataProvider& provider, TextMeasurer& measurer, double left, double maxHeight);

    BuiltBand build(const TemplateBand& band, int rowNumber);

private:
    QString fill(const TemplateObject& object, int rowNumber, bool& anyField, bool& anyValue);

    ReportDataProvider& m_provider;
    TextMeasurer& m_measurer;
    double m_left;      // the left margin
    double m_maxHeight; // the height of a page's body; pictures are kept smaller
};
