#pragma once

#include "renderer/PageSource.h"
#include "renderer/ReportTemplate.h"
#include "renderer/TextMeasurer.h"

#include <memory>
#include <unordered_map>
#include <vector>

class ReportDataProvider;

// A band with its values filled in and its text laid out, not yet placed on a
// page: x is measured from the paper's left edge, y from the band's top.
struct BuiltBand
{
    double height = 0;
    QList<PageItem> items;
    bool skip = false; // every field was empty and the band asked to be left out
};

// Marks that stand for the page number and the page count until they are known.
inline constexpr QChar kPageNumberMark = QChar(0xE000);
inline constexpr QChar kPageCountMark = QChar(0xE001);

// Fills one band: asks the provider for each [FIELD] once and breaks every
// text into lines. Nothing is cut: a text that needs more room than its box
// makes the box taller, the cells level with it (same top and bottom) follow,
// whatever lies below moves down, frames around it grow, and so does the band.
class BandBuilder
{
public:
    BandBuilder(ReportDataProvider& provider, TextMeasurer& measurer, double left, double maxHeight);
    ~BandBuilder();

    BuiltBand build(const TemplateBand& band, int rowNumber);

    // Joins rules: the same rule drawn twice, and pieces of one straight
    // rule (the borders of cells above one another), become one line.
    static void mergeLines(QList<PageItem>& lines);

private:
    struct Plan;
    struct Laid
    {
        QList<TextMeasurer::Line> lines;
        double lineHeight = 0;
        double natural = 0; // the object's height with all its text
        double shift = 0;   // how far it moved down
        double grow = 0;    // how much taller it became
        bool pageFields = false;
    };

    const Plan& planOf(const TemplateBand& band);
    QString fill(const TemplateObject& object, int rowNumber, bool& anyField, bool& anyValue);
    void layText(const TemplateObject& object, const QString& text, Laid& laid);
    void emitText(const TemplateObject& object, const Laid& laid, const QRectF& box, QList<PageItem>& out);

    ReportDataProvider& m_provider;
    TextMeasurer& m_measurer;
    double m_left;      // the left margin
    double m_maxHeight; // the height of a page's body; pictures are kept smaller
    std::unordered_map<const TemplateBand*, std::unique_ptr<Plan>> m_plans;
    std::vector<Laid> m_laid; // per object, reused from band to band
    QList<PageItem> m_lines;  // borders and lines of the band being built
};
