#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPageSize>
#include <QRectF>
#include <QString>

#include <memory>

// One piece of a text object: literal text or a [FIELD].
struct TextSegment
{
    enum class Kind
    {
        Literal,
        Field,
        PageNumber,
        PageCount,
        RowNumber
    };
    Kind kind = Kind::Literal;
    QString text; // literal text or the field name
};

// An object placed on a band. Positions and sizes are millimetres from the
// band's top left corner (x from the left margin); line widths are points.
struct TemplateObject
{
    enum class Kind
    {
        Text,
        Line,
        Frame,
        Picture
    };
    Kind kind = Kind::Text;
    QRectF rect;    // text, frame, picture
    QPointF p1, p2; // line
    QList<TextSegment> segments;
    QFont font;
    int fontIndex = 0; // into the template's fonts
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    bool wrap = true;
    bool stretch = false; // grows with its text and with the band
    QString borders;      // any of "l", "t", "r", "b"
    double lineWidth = 0.5;
    QColor color = Qt::black;
    QColor fill; // invalid: no background
    double padding = 0.5;
    QImage image;
    int imageIndex = 0; // into the template's images
    bool keepAspect = true;
    int line = 0; // line of the template file, for messages
};

struct TemplateBand
{
    enum class Kind
    {
        Title,
        PageHeader,
        PageFooter,
        Summary,
        Header,
        Row,
        RowFooter,
        Footer
    };
    Kind kind = Kind::Row;
    double height = 0;
    bool repeat = true;         // header: repeated at the top of every page
    bool onFirstPage = true;    // page header and footer
    bool skipWhenBlank = false; // not printed when every field of it is empty
    QList<TemplateObject> objects;
};

// A band bound to a record source, with its own header and footer bands and
// further sources nested under it (printed after each of its rows).
struct DataBlock
{
    QString source;
    bool printIfEmpty = true;   // header and footer when the source has no rows
    bool keepWithDetail = true; // a row moves to the next page with its first detail row
    std::unique_ptr<TemplateBand> header, row, rowFooter, footer;
    std::vector<std::unique_ptr<DataBlock>> details;
};

struct PageSetup
{
    QPageSize size = QPageSize(QPageSize::A4);
    bool landscape = false;
    double marginLeft = 15, marginTop = 10, marginRight = 10, marginBottom = 10;
    // Paper in millimetres, turned as the orientation says.
    QSizeF paperSize() const;
};

// A report template read from a text file of the folder "raporty".
class ReportTemplate
{
public:
    ReportTemplate();
    ~ReportTemplate();
    ReportTemplate(const ReportTemplate&) = delete;
    ReportTemplate& operator=(const ReportTemplate&) = delete;

    // Reads a template file; pictures are read from its folder. On failure
    // the template is empty and errorString() names the file and the fault.
    bool load(const QString& path);
    // Reads template text; pictures are read from baseDir.
    bool loadText(const QByteArray& text, const QString& fileName, const QString& baseDir);
    QString errorString() const { return m_error; }
    QString fileName() const { return m_fileName; }

    QString title;
    PageSetup page;
    std::unique_ptr<TemplateBand> titleBand, pageHeader, pageFooter, summary;
    std::vector<std::unique_ptr<DataBlock>> blocks;

    // The fonts and pictures the objects refer to by index.
    QList<QFont> fonts;
    QList<QImage> images;
    // Whether a text asks for the number of pages ([#PAGES]).
    bool usesPageCount = false;

    // Every source named by the template, outer ones first.
    QStringList sources() const;
    // Width of the printable area in millimetres.
    double bodyWidth() const;

private:
    void clear();

    QString m_error;
    QString m_fileName;
};
