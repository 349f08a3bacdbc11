#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPageSize>
#include <QRectF>
#include <QString>

// One thing drawn on a page. Coordinates are millimetres from the top left
// corner of the paper; line widths are points.
struct PageItem
{
    enum class Kind
    {
        Text,
        Line,
        Frame,
        Picture
    };
    Kind kind = Kind::Text;
    QRectF rect;    // text: the box of one line; frame, picture: the box; line: p1 to p2
    QPointF p1, p2; // line
    QString text;   // one line, no line breaks
    QFont font;
    Qt::Alignment align = Qt::AlignLeft;
    QColor color = Qt::black;
    QColor fill;          // frame background; invalid: none
    double lineWidth = 0; // frame outline and line; 0: no outline
    QImage image;
    bool pageFields = false; // text still holds page-number marks
};

struct Page
{
    QList<PageItem> items;
};

// A place where a searched text occurs.
struct TextMatch
{
    int page = 0;
    int item = 0;
    QRectF rect; // millimetres, around the matched characters
};

// A laid-out report: the pages and what is on them, ready to paint or to inspect.
class PageModel
{
public:
    QString title;
    QPageSize pageSize = QPageSize(QPageSize::A4);
    bool landscape = false;
    QSizeF paperSize; // millimetres, turned as the orientation says
    QList<Page> pages;

    int pageCount() const { return int(pages.size()); }
    // All text lines of a page, top to bottom, left to right.
    QStringList pageLines(int page) const;
    // Every occurrence of text, ignoring case, in reading order.
    QList<TextMatch> find(const QString& text) const;
};
