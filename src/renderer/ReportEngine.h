#pragma once

#include "renderer/BandBuilder.h"
#include "renderer/PageModel.h"
#include "renderer/ReportTemplate.h"
#include "renderer/TextMeasurer.h"

#include <optional>

class ReportDataProvider;

// Lays a report out into pages: walks the record sources of the template,
// fills the bands and breaks pages so that no band is cut where it fits on
// one page, repeating page and column headers.
class ReportEngine
{
public:
    ReportEngine(const ReportTemplate& report, ReportDataProvider& provider);

    // On failure nothing is laid out and errorString() says why.
    bool run(PageModel& model);
    QString errorString() const { return m_error; }

    // A report that would pass this many pages stops with an error.
    static constexpr int kMaxPages = 20000;

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

    bool runBlock(const DataBlock& block, Start start);
    std::shared_ptr<PreparedRow> prepareRow(const DataBlock& block, int rowNumber, bool lookAhead);
    BuiltBand build(const TemplateBand& band, int rowNumber);

    void startPage();
    void finishPage();
    bool newPage();
    bool place(BuiltBand band);
    bool ensureRoom(double height);
    void put(const BuiltBand& band, double y);
    void putItems(const QList<PageItem>& items, double dy);
    void resolvePageFields();

    const ReportTemplate& m_template;
    ReportDataProvider& m_provider;
    TextMeasurer m_measurer;
    BandBuilder m_builder;
    PageModel* m_model = nullptr;
    QList<Active> m_active;
    double m_y = 0;
    double m_bodyTop = 0;    // below the page header and repeated headers
    double m_bodyBottom = 0; // above the page footer
    bool m_placedOnPage = false;
    bool m_stopped = false;
    QString m_error;
};
