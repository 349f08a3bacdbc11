#include "renderer/ReportEngine.h"

#include "renderer/ReportDataProvider.h"

#include <utility>

namespace {
constexpr double kEpsilon = 0.001;
constexpr qint64 kMaxRows = 5000000;

// Takes the pages of a first pass only to count them, telling the sink of
// the second pass, which may stop the report.
class PageCounter : public PageSink
{
public:
    explicit PageCounter(PageSink& next) : m_next(next) {}
    bool start(const PageFormat&) override { return true; }
    bool addPage(Page&&) override { return m_next.counted(++count); }
    int count = 0;

private:
    PageSink& m_next;
};

// Keeps every page, for reports laid out into memory.
class ModelPages : public PageSink
{
public:
    explicit ModelPages(PageModel& model) : m_model(model) {}
    bool start(const PageFormat& format) override
    {
        m_model.setFormat(format);
        return true;
    }
    bool addPage(Page&& page) override
    {
        m_model.pages.append(std::move(page));
        return true;
    }

private:
    PageModel& m_model;
};

bool isAtomic(const PageItem& item)
{
    return item.kind == PageItem::Kind::Text || item.kind == PageItem::Kind::Picture;
}

// Cuts a band that is taller than a page at or above cut: text lines and
// pictures stay whole, frames and lines are cut in two.
std::pair<BuiltBand, BuiltBand> splitBand(const BuiltBand& band, double cut)
{
    double at = cut;
    for (bool moved = true; moved;) {
        moved = false;
        for (const PageItem& item : band.items) {
            if (isAtomic(item) && item.rect.top() < at - kEpsilon && item.rect.bottom() > at + kEpsilon) {
                at = item.rect.top();
                moved = true;
            }
        }
    }
    // Nothing fits above the cut: keep the first piece whole, so the band still moves on.
    if (at <= kEpsilon)
        at = cut;
    BuiltBand head, rest;
    head.height = at;
    rest.height = qMax(0.0, band.height - at);
    for (const PageItem& item : band.items) {
        if (isAtomic(item)) {
            if (item.rect.top() < at - kEpsilon) {
                head.items.append(item);
            } else {
                rest.items.append(item);
                rest.items.last().rect.translate(0, -at);
            }
            continue;
        }
        if (item.kind == PageItem::Kind::Frame) {
            if (item.rect.top() < at) {
                PageItem part = item;
                part.rect.setBottom(qMin(item.rect.bottom(), at));
                head.items.append(part);
            }
            if (item.rect.bottom() > at + kEpsilon) {
                PageItem part = item;
                part.rect.setTop(qMax(item.rect.top(), at));
                part.rect.translate(0, -at);
                rest.items.append(part);
            }
            continue;
        }
        // A line: the part above the cut and the part below it.
        QPointF a = item.p1, b = item.p2;
        if (a.y() > b.y())
            std::swap(a, b);
        auto pointAt = [&](double y) {
            if (qAbs(b.y() - a.y()) < kEpsilon)
                return a;
            const double t = (y - a.y()) / (b.y() - a.y());
            return a + (b - a) * t;
        };
        if (a.y() <= at + kEpsilon) {
            PageItem part = item;
            part.p1 = a;
            part.p2 = b.y() > at ? pointAt(at) : b;
            part.rect = QRectF(part.p1, part.p2).normalized();
            head.items.append(part);
        }
        if (b.y() > at + kEpsilon) {
            PageItem part = item;
            part.p1 = (a.y() < at ? pointAt(at) : a) - QPointF(0, at);
            part.p2 = b - QPointF(0, at);
            part.rect = QRectF(part.p1, part.p2).normalized();
            rest.items.append(part);
        }
    }
    return {head, rest};
}
} // namespace

ReportEngine::ReportEngine(const ReportTemplate& report, ReportDataProvider& provider)
    : m_template(report), m_provider(provider),
      m_resources(std::make_shared<PageResources>(PageResources{report.fonts, report.images})),
      m_measurer(report.fonts),
      m_builder(provider, m_measurer, report.page.marginLeft,
                report.page.paperSize().height() - report.page.marginTop - report.page.marginBottom -
                    (report.pageFooter ? report.pageFooter->height : 0) -
                    (report.pageHeader ? report.pageHeader->height : 0))
{
}

ReportEngine::~ReportEngine() = default;

PageFormat ReportEngine::format() const
{
    return {m_template.title, m_template.page.size, m_template.page.landscape, m_template.page.paperSize()};
}

bool ReportEngine::check()
{
    m_error.clear();
    const QString file = QStringLiteral("„") + m_template.fileName() + QStringLiteral("”");
    if (m_template.blocks.empty() && !m_template.titleBand && !m_template.summary && !m_template.pageHeader &&
        !m_template.pageFooter) {
        m_error = QStringLiteral("Szablon raportu %1 nie jest wczytany.").arg(file);
        return false;
    }
    // Every source is checked before anything is asked, so a bad template prints nothing.
    for (const QString& source : m_template.sources()) {
        if (!m_provider.hasSource(source)) {
            m_error =
                QStringLiteral("Szablon raportu %1 używa nieznanego źródła danych „%2”.").arg(file, source);
            return false;
        }
    }
    return true;
}

bool ReportEngine::run(PageSink& sink)
{
    m_cancelled = false;
    if (!check())
        return false;
    m_pageCount = 0;
    if (m_template.usesPageCount) {
        PageCounter counter(sink);
        if (!pass(counter))
            return false;
        m_pageCount = counter.count;
    }
    return pass(sink);
}

bool ReportEngine::run(PageModel& model)
{
    model = PageModel();
    m_cancelled = false;
    if (!check())
        return false;
    PageModel out;
    ModelPages pages(out);
    m_pageCount = 0;
    if (!pass(pages))
        return false;
    // The page count is known now; pages kept in memory take it afterwards.
    for (int p = 0; p < out.pages.size(); ++p)
        resolvePageFields(out.pages[p], p + 1, int(out.pages.size()));
    model = std::move(out);
    return true;
}

bool ReportEngine::pass(PageSink& sink)
{
    m_error.clear();
    m_stopped = false;
    m_active.clear();
    m_sink = &sink;
    m_pageNumber = 0;
    if (!sink.start(format())) {
        m_cancelled = true;
        return false;
    }
    startPage();
    for (std::size_t i = 0; i < m_template.blocks.size() && !m_stopped; ++i) {
        Start start;
        start.opened = i == 0; // the first source was opened with the first page
        runBlock(*m_template.blocks[i], std::move(start));
    }
    if (m_template.summary && !m_stopped)
        place(build(*m_template.summary, 0));
    if (!m_stopped)
        finishPage();
    m_sink = nullptr;
    return !m_stopped;
}

BuiltBand ReportEngine::build(const TemplateBand& band, int rowNumber)
{
    return m_builder.build(band, rowNumber);
}

std::shared_ptr<ReportEngine::PreparedRow> ReportEngine::prepareRow(const DataBlock& block, int rowNumber,
                                                                    bool lookAhead)
{
    auto prepared = std::make_shared<PreparedRow>();
    prepared->row = build(*block.row, rowNumber);
    prepared->need = prepared->row.skip ? 0 : prepared->row.height;
    if (!lookAhead || !block.keepWithDetail || block.details.empty())
        return prepared;
    // The first detail is read now, so the row can go to the next page together with it.
    const DataBlock& detail = *block.details.front();
    m_provider.first(detail.source);
    prepared->detailStart.opened = true;
    if (m_provider.checkEof(detail.source))
        return prepared;
    if (detail.header) {
        prepared->detailStart.header = build(*detail.header, 0);
        if (!prepared->detailStart.header->skip)
            prepared->need += prepared->detailStart.header->height;
    }
    prepared->detailStart.firstRow = prepareRow(detail, 1, false);
    prepared->need += prepared->detailStart.firstRow->need;
    return prepared;
}

bool ReportEngine::runBlock(const DataBlock& block, Start start)
{
    if (!start.opened)
        m_provider.first(block.source);
    if (m_provider.checkEof(block.source) && !block.printIfEmpty)
        return true;

    int rowNumber = 0;
    std::shared_ptr<PreparedRow> pending;
    std::optional<BuiltBand> header = std::move(start.header);
    if (block.header && !header)
        header = build(*block.header, 0);
    if (start.firstRow) {
        pending = std::move(start.firstRow);
        rowNumber = 1;
    } else if (!m_provider.checkEof(block.source)) {
        pending = prepareRow(block, ++rowNumber, true);
    }
    // A header stays with the first row.
    double need = pending ? pending->need : 0;
    if (header && !header->skip)
        need += header->height;
    if (!ensureRoom(need))
        return false;
    if (header && !place(*header))
        return false;
    m_active.append({&block, block.header && block.header->repeat ? header : std::nullopt});

    qint64 rows = 0;
    while (pending) {
        const std::shared_ptr<PreparedRow> current = std::move(pending);
        if (!ensureRoom(current->need) || !place(std::move(current->row)))
            return false;
        for (std::size_t i = 0; i < block.details.size(); ++i) {
            Start detailStart;
            if (i == 0)
                detailStart = std::move(current->detailStart);
            if (!runBlock(*block.details[i], std::move(detailStart)))
                return false;
        }
        if (block.rowFooter && !place(build(*block.rowFooter, rowNumber)))
            return false;
        if (++rows > kMaxRows) {
            m_error = QStringLiteral("Źródło danych „%1” nie kończy się (ponad %2 wierszy).")
                          .arg(block.source)
                          .arg(kMaxRows);
            m_stopped = true;
            return false;
        }
        m_provider.next(block.source);
        if (!m_provider.checkEof(block.source))
            pending = prepareRow(block, ++rowNumber, true);
    }
    m_active.removeLast();
    if (block.footer && !place(build(*block.footer, rowNumber)))
        return false;
    return true;
}

void ReportEngine::startPage()
{
    m_page = Page();
    m_page.resources = m_resources;
    m_page.items.reserve(m_lastItems + m_lastItems / 4);
    const int number = ++m_pageNumber;
    m_provider.beginPage(number);
    m_y = m_template.page.marginTop;
    m_placedOnPage = false;
    const double paperHeight = m_template.page.paperSize().height();
    m_bodyBottom = paperHeight - m_template.page.marginBottom -
                   (m_template.pageFooter ? m_template.pageFooter->height : 0);
    m_bodyTop = m_y;
    if (number == 1) {
        // The first source opens before any band, so whatever it resets holds for the whole report.
        if (!m_template.blocks.empty())
            m_provider.first(m_template.blocks.front()->source);
    }
    // The page footer is filled as its page starts, so that the room it
    // takes is known before the body is laid out.
    m_footer.reset();
    if (m_template.pageFooter && (number > 1 || m_template.pageFooter->onFirstPage)) {
        m_footer = build(*m_template.pageFooter, 0);
        if (m_footer->skip)
            m_footer.reset();
        else
            m_bodyBottom = qMin(m_bodyBottom, paperHeight - m_template.page.marginBottom - m_footer->height);
    }
    if (number == 1 && m_template.titleBand)
        place(build(*m_template.titleBand, 0));
    if (m_template.pageHeader && (number > 1 || m_template.pageHeader->onFirstPage)) {
        BuiltBand header = build(*m_template.pageHeader, 0);
        if (!header.skip) {
            const double height = header.height;
            put(header, m_y);
            m_y += height;
        }
    }
    for (Active& active : m_active) {
        if (active.header && !active.header->skip) {
            BuiltBand header = *active.header;
            put(header, m_y);
            m_y += header.height;
        }
    }
    m_bodyTop = m_y;
    m_placedOnPage = false;
}

bool ReportEngine::finishPage()
{
    if (m_footer) {
        const double paperHeight = m_template.page.paperSize().height();
        put(*m_footer, paperHeight - m_template.page.marginBottom - m_footer->height);
        m_footer.reset();
    }
    resolvePageFields(m_page, m_pageNumber, m_pageCount);
    joinRules(m_page);
    m_lastItems = int(m_page.items.size());
    if (!m_sink->addPage(std::move(m_page))) {
        m_cancelled = true;
        m_stopped = true;
        return false;
    }
    return true;
}

bool ReportEngine::newPage()
{
    if (m_stopped || !finishPage())
        return false;
    startPage();
    return true;
}

bool ReportEngine::ensureRoom(double height)
{
    if (m_stopped)
        return false;
    // Keeping bands together is given up when they would not fit on a whole page anyway.
    if (m_placedOnPage && m_y + height > m_bodyBottom + kEpsilon && height <= m_bodyBottom - m_bodyTop)
        return newPage();
    return true;
}

bool ReportEngine::place(BuiltBand band)
{
    if (m_stopped)
        return false;
    if (band.skip)
        return true;
    for (;;) {
        if (m_y + band.height <= m_bodyBottom + kEpsilon) {
            const double height = band.height;
            put(band, m_y);
            m_y += height;
            m_placedOnPage = true;
            return true;
        }
        if (!m_placedOnPage) {
            // Taller than what is left of an empty page: the part that fits, then the rest.
            auto [head, rest] = splitBand(band, qMax(m_bodyBottom - m_y, 1.0));
            put(head, m_y);
            m_y += head.height;
            band = std::move(rest);
        }
        if (!newPage())
            return false;
    }
}

void ReportEngine::put(BuiltBand& band, double y)
{
    QList<PageItem>& target = m_page.items;
    for (PageItem& item : band.items) {
        item.rect.translate(0, y);
        if (item.kind == PageItem::Kind::Line) {
            item.p1.ry() += y;
            item.p2.ry() += y;
        }
        target.append(std::move(item));
    }
    band.items.clear();
}

// The rules of a page are drawn last, joined where they meet: a table's
// column rule is one line from its header to its last row.
void ReportEngine::joinRules(Page& page)
{
    QList<PageItem>& items = page.items;
    m_rules.clear();
    qsizetype kept = 0;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items.at(i).kind == PageItem::Kind::Line)
            m_rules.append(std::move(items[i]));
        else if (kept++ != i)
            items[kept - 1] = std::move(items[i]);
    }
    items.resize(kept);
    BandBuilder::mergeLines(m_rules);
    items.append(m_rules);
}

void ReportEngine::resolvePageFields(Page& page, int number, int count)
{
    const QString numberText = QString::number(number);
    const QString countText = QString::number(count);
    for (PageItem& item : page.items) {
        if (!item.pageFields)
            continue;
        item.text.replace(kPageNumberMark, numberText);
        if (count > 0) {
            item.text.replace(kPageCountMark, countText);
            item.pageFields = false;
        }
        item.width = m_measurer.width(item.font, item.text);
    }
}
