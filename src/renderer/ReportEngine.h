#pragma once

#include "renderer/BandBuilder.h"
#include "renderer/PageModel.h"
#include "renderer/PageSink.h"
#include "renderer/ReportTemplate.h"
#include "renderer/TextMeasurer.h"

#include <optional>

class ReportDataProvider;

// Lays a report out into pages: walks the record sources of the template,
// fills the bands and breaks pages so that no band is cut where it fits on
// one page, repeating page and column headers. Pages leave one at a time as
// they are finished, so a report of any length can be shown or written.
class ReportEngine
{
public:
    ReportEngine(const ReportTemplate& report, ReportDataProvider& provider);
    ~ReportEngine();
    ReportEngine(const ReportEngine&) = delete;
    ReportEngine& operator=(const ReportEngine&) = delete;

    // Whether the template can run with this provider; asks nothing of it.
    bool check();
    // Lays the report out into sink, page after page. A template that
    // prints the number of pages is laid out twice, first only to count
    // them. False when the report could not run (errorString() says why) or
    // the sink stopped it (cancelled()).
    bool run(PageSink& sink);
    // The whole report into memory, in one pass.
    bool run(PageModel& model);
    QString errorString() const { return m_error; }
    bool cancelled() const { return m_cancelled; }

    PageFormat format() const;

private:
    struct PreparedRow;
    // How a block starts when its first rows were read ahead by its master.
    struct Start
    {
        bool opened = false;
        std::optional<BuiltBand> header;
        std::shared_ptr<PreparedRow> firstRow;
    };
    struct PreparedRow
    {
        BuiltBand row;
        double need = 0;   // the row with its first detail header and row
        Start detailStart; // of the first detail block
    };
    struct Active
    {
        const DataBlock* block = nullptr;
        std::optional<BuiltBand> header;
    };

    bool pass(PageSink& sink);
    bool runBlock(const DataBlock& block, Start start);
    std::shared_ptr<PreparedRow> prepareRow(const DataBlock& block, int rowNumber, bool lookAhead);
    BuiltBand build(const TemplateBand& band, int rowNumber);

    void startPage();
    bool finishPage();
    bool newPage();
    bool place(BuiltBand band);
    bool ensureRoom(double height);
    void put(BuiltBand& band, double y);
    void resolvePageFields(Page& page, int number, int count);
    void joinRules(Page& page);

    const ReportTemplate& m_template;
    ReportDataProvider& m_provider;
    std::shared_ptr<PageResources> m_resources;
    TextMeasurer m_measurer;
    BandBuilder m_builder;
    PageSink* m_sink = nullptr;
    Page m_page;          // the page being laid out
    int m_pageNumber = 0; // from 1
    int m_pageCount = 0;  // known after a counting pass, else 0
    int m_lastItems = 64; // items of the last page, to size the next
    std::optional<BuiltBand> m_footer;
    QList<Active> m_active;
    QList<PageItem> m_rules; // of the page being finished, kept for the next
    double m_y = 0;
    double m_bodyTop = 0;    // below the page header and repeated headers
    double m_bodyBottom = 0; // above the page footer
    bool m_placedOnPage = false;
    bool m_stopped = false;
    bool m_cancelled = false;
    QString m_error;
};
