#include "renderer/PageModel.h"

#include "renderer/TextMeasurer.h"

#include <algorithm>

QStringList PageModel::pageLines(int page) const
{
    QStringList lines;
    if (page < 0 || page >= pages.size())
        return lines;
    QList<const PageItem*> texts;
    for (const PageItem& item : pages.at(page).items) {
        if (item.kind == PageItem::Kind::Text)
            texts.append(&item);
    }
    std::stable_sort(texts.begin(), texts.end(), [](const PageItem* a, const PageItem* b) {
        if (qAbs(a->rect.top() - b->rect.top()) > 0.01)
            return a->rect.top() < b->rect.top();
        return a->rect.left() < b->rect.left();
    });
    for (const PageItem* item : texts)
        lines.append(item->text);
    return lines;
}

QList<TextMatch> PageModel::find(const QString& text) const
{
    QList<TextMatch> matches;
    if (text.isEmpty())
        return matches;
    TextMeasurer measurer;
    for (int p = 0; p < pages.size(); ++p) {
        const QList<PageItem>& items = pages.at(p).items;
        QList<int> order;
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
        for (int i : order) {
            const PageItem& item = items.at(i);
            qsizetype from = 0;
            while ((from = item.text.indexOf(text, from, Qt::CaseInsensitive)) >= 0) {
                // Where the line starts inside its box follows its alignment.
                const double whole = measurer.width(item.font, item.text);
                double left = item.rect.left();
                if (item.align & Qt::AlignRight)
                    left = item.rect.right() - whole;
                else if (item.align & Qt::AlignHCenter)
                    left = item.rect.center().x() - whole / 2;
                const double start = measurer.width(item.font, item.text.left(from));
                const double width = measurer.width(item.font, item.text.mid(from, text.size()));
                matches.append({p, i, QRectF(left + start, item.rect.top(), width, item.rect.height())});
                from += text.size();
            }
        }
    }
    return matches;
}
