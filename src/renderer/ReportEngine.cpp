#include "renderer/ReportEngine.h"

#include "renderer/ReportDataProvider.h"

namespace {
constexpr double kEpsilon = 0.001;
constexpr qint64 kMaxRows = 5000000;

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
      m_builder(provider, m_measurer, report.page.marginLeft,
                report.page.paperSize().height() - report.page.marginTop - report.page.marginBottom -
                    (report.pageFooter ? report.pageFooter->height : 0) -
                    (report.pageHeader ? report.pageHeader->height : 0))
{
}

bool ReportEngine::run(PageModel& model)
{
    m_error.clear();
    m_stopped = false;
    m_active.clear();
    model = PageModel();
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

    PageModel out;
    out.title = m_template.title;
    out.pageSize = m_template.page.size;
    out.landscape = m_template.page.landscape;
    out.paperSize = m_template.page.paperSize();
    m_model = &out;
    m_bodyBottom = out.paperSize.height() - m_template.page.marginBottom -
                   (m_template.pageFooter ? m_template.pageFooter->height : 0);

    startPage();
    for (std::size_t i = 0; i < m_template.blocks.size() && !m_stopped; ++i) {
        Start start;
        start.opened = i == 0; // the first source was opened with the first page
        runBlock(*m_template.blocks[i], std::move(start));
    }
    if (m_template.summary && !m_stopped)
        place(build(*m_template.summary, 0));
    if (m_stopped) {
        m_model = nullptr;
        return false;
    }
    finishPage();
    resolvePageFields();
    m_model = nullptr;
    model = std::move(out);
    return true;
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
        if (!ensureRoom(current->need) || !place(current->row))
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
    m_model->pages.append(Page());
    const int number = int(m_model->pages.size());
    m_provider.beginPage(number);
    m_y = m_template.page.marginTop;
    m_placedOnPage = false;
    if (number == 1) {
        // The first source opens before any band, so whatever it resets holds for the whole report.
        if (!m_template.blocks.empty())
            m_provider.first(m_template.blocks.front()->source);
        if (m_template.titleBand) {
            m_bodyTop = m_y;
            place(build(*m_template.titleBand, 0));
        }
    }
    if (m_template.pageHeader && (number > 1 || m_template.pageHeader->onFirstPage)) {
        const BuiltBand header = build(*m_template.pageHeader, 0);
        if (!header.skip) {
            put(header, m_y);
            m_y += header.height;
        }
    }
    for (const Active& active : m_active) {
        if (active.header && !active.header->skip) {
            put(*active.header, m_y);
            m_y += active.header->height;
        }
    }
    m_bodyTop = m_y;
    m_placedOnPage = false;
}

void ReportEngine::finishPage()
{
    const int number = int(m_model->pages.size());
    if (!m_template.pageFooter || (number == 1 && !m_template.pageFooter->onFirstPage))
        return;
    const BuiltBand footer = build(*m_template.pageFooter, 0);
    if (!footer.skip)
        put(footer,
            m_model->paperSize.height() - m_template.page.marginBottom - m_template.pageFooter->height);
}

bool ReportEngine::newPage()
{
    if (m_model->pages.size() >= kMaxPages) {
        if (!m_stopped)
            m_error = QStringLiteral("Raport przekracza %1 stron.").arg(kMaxPages);
        m_stopped = true;
        return false;
    }
    finishPage();
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
            put(band, m_y);
            m_y += band.height;
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

void ReportEngine::put(const BuiltBand& band, double y)
{
    putItems(band.items, y);
}

void ReportEngine::putItems(const QList<PageItem>& items, double dy)
{
    QList<PageItem>& target = m_model->pages.last().items;
    for (PageItem item : items) {
        item.rect.translate(0, dy);
        item.p1.ry() += dy;
        item.p2.ry() += dy;
        target.append(std::move(item));
    }
}

void ReportEngine::resolvePageFields()
{
    const QString count = QString::number(m_model->pages.size());
    for (int p = 0; p < m_model->pages.size(); ++p) {
        const QString number = QString::number(p + 1);
        for (PageItem& item : m_model->pages[p].items) {
            if (!item.pageFields)
                continue;
            item.text.replace(kPageNumberMark, number).replace(kPageCountMark, count);
            item.pageFields = false;
        }
    }
}
