#include "renderer/PageModel.h"

#include "renderer/TextMeasurer.h"

#include <algorithm>

namespace {
// The text items of a page in reading order: top to bottom, left to right.
QList<int> readingOrder(const Page& page)
{
    QList<int> order;
    const QList<PageItem>& items = page.items;
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).kind == PageItem::Kind::Text)
            order.append(i);
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const QRectF& ra = items.at(a).rect;
        const QRectF& rb = items.at(b).rect;
        if (qAbs(ra.top() - rb.top()) > 0.01)
            return ra.top() < rb.top();
        return ra.left() < rb.left();
    });
    return order;
}
} // namespace

PageFormat PageModel::format() const
{
    return {title, pageSize, landscape, paperSize};
}

void PageModel::setFormat(const PageFormat& format)
{
    title = format.title;
    pageSize = format.pageSize;
    landscape = format.landscape;
    paperSize = format.paperSize;
}

QStringList PageModel::linesOf(const Page& page)
{
    QStringList lines;
    for (int i : readingOrder(page))
        lines.append(page.items.at(i).text);
    return lines;
}

QList<TextMatch> PageModel::find(const QString& text) const
{
    QList<TextMatch> matches;
    for (int p = 0; p < pages.size(); ++p)
        matches.append(findOnPage(pages.at(p), p, text));
    return matches;
}

QList<TextMatch> PageModel::findOnPage(const Page& page, int index, const QString& text)
{
    QList<TextMatch> matches;
    if (text.isEmpty() || !page.resources)
        return matches;
    std::unique_ptr<TextMeasurer> measurer;
    for (int i : readingOrder(page)) {
        const PageItem& item = page.items.at(i);
        qsizetype from = item.text.indexOf(text, 0, Qt::CaseInsensitive);
        if (from < 0)
            continue;
        if (!measurer)
            measurer = std::make_unique<TextMeasurer>(page.resources->fonts);
        // Where the line starts inside its box follows its alignment.
        double left = item.rect.left();
        if (item.align & Qt::AlignRight)
            left = item.rect.right() - item.width;
        else if (item.align & Qt::AlignHCenter)
            left = item.rect.center().x() - item.width / 2;
        for (; from >= 0; from = item.text.indexOf(text, from + text.size(), Qt::CaseInsensitive)) {
            const double start = measurer->width(item.font, QStringView(item.text).left(from));
            const double width = measurer->width(item.font, QStringView(item.text).mid(from, text.size()));
            matches.append({index, i, QRectF(left + start, item.rect.top(), width, item.rect.height())});
        }
    }
    return matches;
}
