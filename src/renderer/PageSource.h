#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPageSize>
#include <QRectF>
#include <QString>

#include <memory>

// The fonts and pictures of one report; page items refer to them by index,
// so that a page stays small and a font is set up once per run, not per text.
struct PageResources
{
    QList<QFont> fonts;
    QList<QImage> images;
};

// One thing drawn on a page. Coordinates are millimetres from the top left
// corner of the paper; line widths are points.
struct PageItem
{
    enum class Kind : quint8
    {
        Text,
        Line,
        Frame,
        Picture
    };
    Kind kind = Kind::Text;
    bool pageFields = false; // text still holds the page count mark
    quint16 font = 0;        // text: index into the resources' fonts
    quint16 image = 0;       // picture: index into the resources' images
    Qt::Alignment align = Qt::AlignLeft;
    QRectF rect;      // text: the box of one line; frame, picture: the box; line: p1 to p2
    QPointF p1, p2;   // line
    QString text;     // one line, no line breaks
    double width = 0; // text: the width of the line as measured, mm
    QColor color = Qt::black;
    QColor fill;          // frame background; invalid: none
    double lineWidth = 0; // frame outline and line; 0: no outline
};

struct Page
{
    QList<PageItem> items;
    std::shared_ptr<const PageResources> resources;

    QFont fontOf(const PageItem& item) const
    {
        return resources ? resources->fonts.value(item.font) : QFont();
    }
    QImage imageOf(const PageItem& item) const
    {
        return resources ? resources->images.value(item.image) : QImage();
    }
};

// The paper of a report and the name it goes by.
struct PageFormat
{
    QString title;
    QPageSize pageSize = QPageSize(QPageSize::A4);
    bool landscape = false;
    QSizeF paperSize; // millimetres, turned as the orientation says
};

// A place where a searched text occurs.
struct TextMatch
{
    int page = 0;
    int item = 0;
    QRectF rect; // millimetres, around the matched characters
};

// Pages to show, print or write, wherever they are kept.
class PageSource
{
public:
    virtual ~PageSource() = default;
    virtual PageFormat format() const = 0;
    virtual int pageCount() const = 0;
    // A copy of one page (its lists are shared, so copying is cheap); an
    // empty page for an index out of range.
    virtual Page page(int index) const = 0;
};
