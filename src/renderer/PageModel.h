#pragma once

#include "renderer/PageSource.h"

#include <QList>
#include <QString>

// A laid-out report held in memory: the pages and what is on them, ready to
// paint or to inspect. Long reports go to a PageSpool instead.
class PageModel : public PageSource
{
public:
    QString title;
    QPageSize pageSize = QPageSize(QPageSize::A4);
    bool landscape = false;
    QSizeF paperSize; // millimetres, turned as the orientation says
    QList<Page> pages;

    PageFormat format() const override;
    void setFormat(const PageFormat& format);
    int pageCount() const override { return int(pages.size()); }
    Page page(int index) const override { return pages.value(index); }

    // All text lines of a page, top to bottom, left to right.
    QStringList pageLines(int page) const { return linesOf(pages.value(page)); }
    static QStringList linesOf(const Page& page);
    // Every occurrence of text, ignoring case, in reading order.
    QList<TextMatch> find(const QString& text) const;
    // The occurrences on one page; `index` is the page's number from 0.
    static QList<TextMatch> findOnPage(const Page& page, int index, const QString& text);
};
