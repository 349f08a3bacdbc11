#include "renderer/BandBuilder.h"

#include "renderer/ReportDataProvider.h"
#include "renderer/TextMeasurer.h"

#include <QRegularExpression>

#include <cmath>

namespace {
constexpr double kEpsilon = 0.001;

struct TextLayout
{
    QStringList lines;
    double lineHeight = 0;
    double height = 0; // the object's height after stretching
    bool pageFields = false;
};

void addLine(QList<PageItem>& items, QPointF p1, QPointF p2, double width, const QColor& color)
{
    PageItem line;
    line.kind = PageItem::Kind::Line;
    line.p1 = p1;
    line.p2 = p2;
    line.rect = QRectF(p1, p2).normalized();
    line.lineWidth = width;
    line.color = color;
    items.append(line);
}
} // namespace

BandBuilder::BandBuilder(ReportDataProvider& provider, TextMeasurer& measurer, double left, double maxHeight)
    : m_provider(provider), m_measurer(measurer), m_left(left), m_maxHeight(maxHeight)
{
}

QString BandBuilder::fill(const TemplateObject& object, int rowNumber, bool& anyField, bool& anyValue)
{
    QString text;
    for (const TextSegment& segment : object.segments) {
        switch (segment.kind) {
        case TextSegment::Kind::Literal:
            text += segment.text;
            break;
        case TextSegment::Kind::Field: {
            const QString value = m_provider.getValue(segment.text);
            anyField = true;
            anyValue = anyValue || !value.isEmpty();
            text += value;
            break;
        }
        case TextSegment::Kind::PageNumber:
            text += kPageNumberMark;
            break;
        case TextSegment::Kind::PageCount:
            text += kPageCountMark;
            break;
        case TextSegment::Kind::RowNumber:
            text += QString::number(rowNumber);
            break;
        }
    }
    return text;
}

BuiltBand BandBuilder::build(const TemplateBand& band, int rowNumber)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    BuiltBand built;
    bool anyField = false, anyValue = false;

    // Values first, in the order of the objects, each field asked once.
    QList<TextLayout> layouts(band.objects.size());
    double height = band.height;
    for (qsizetype i = 0; i < band.objects.size(); ++i) {
        const TemplateObject& object = band.objects.at(i);
        TextLayout& layout = layouts[i];
        layout.height = object.rect.height();
        if (object.kind != TemplateObject::Kind::Text)
            continue;
        const QString text = fill(object, rowNumber, anyField, anyValue);
        layout.pageFields = text.contains(kPageNumberMark) || text.contains(kPageCountMark);
        const double inner = qMax(1.0, object.rect.width() - 2 * object.padding);
        const QStringList paragraphs = text.split(lineBreak);
        for (const QString& paragraph : paragraphs) {
            if (layout.pageFields)
                layout.lines.append(paragraph);
            else if (object.wrap)
                layout.lines.append(m_measurer.wrap(object.font, paragraph, inner));
            else
                layout.lines.append(m_measurer.elide(object.font, paragraph, inner));
        }
        layout.lineHeight = m_measurer.lineHeight(object.font);
        const double needed = layout.lines.size() * layout.lineHeight + 2 * object.padding;
        if (object.stretch) {
            layout.height = qMax(object.rect.height(), needed);
            height = qMax(height, object.rect.y() + layout.height);
        } else {
            const double room = object.rect.height() - 2 * object.padding;
            const auto fits = qMax<qsizetype>(1, qsizetype(std::floor(room / layout.lineHeight + kEpsilon)));
            if (layout.lines.size() > fits) {
                // The last line shown tells that the text goes on.
                layout.lines = layout.lines.mid(0, fits);
                QString& last = layout.lines.last();
                last = m_measurer.elide(object.font, last + QChar(0x2026), inner);
            }
        }
    }
    if (band.skipWhenBlank && anyField && !anyValue) {
        built.skip = true;
        return built;
    }
    built.height = height;
    const double grow = height - band.height;

    for (qsizetype i = 0; i < band.objects.size(); ++i) {
        const TemplateObject& object = band.objects.at(i);
        const TextLayout& layout = layouts.at(i);
        QRectF box = object.rect.translated(m_left, 0);
        if (object.stretch)
            box.setHeight(qMax(layout.height, object.rect.height() + grow));

        switch (object.kind) {
        case TemplateObject::Kind::Text: {
            if (object.fill.isValid()) {
                PageItem background;
                background.kind = PageItem::Kind::Frame;
                background.rect = box;
                background.fill = object.fill;
                built.items.append(background);
            }
            const double textHeight = layout.lines.size() * layout.lineHeight;
            double top = box.top() + object.padding;
            const double spare = box.height() - 2 * object.padding - textHeight;
            if (spare > 0 && (object.align & Qt::AlignVCenter))
                top += spare / 2;
            else if (spare > 0 && (object.align & Qt::AlignBottom))
                top += spare;
            for (const QString& line : layout.lines) {
                if (!line.isEmpty()) {
                    PageItem item;
                    item.kind = PageItem::Kind::Text;
                    item.rect = QRectF(box.left() + object.padding, top, box.width() - 2 * object.padding,
                                       layout.lineHeight);
                    item.text = line;
                    item.font = object.font;
                    item.align = object.align & Qt::AlignHorizontal_Mask;
                    item.color = object.color;
                    item.pageFields = layout.pageFields;
                    built.items.append(item);
                }
                top += layout.lineHeight;
            }
            const QString& b = object.borders;
            if (b.contains(QLatin1Char('l')))
                addLine(built.items, box.topLeft(), box.bottomLeft(), object.lineWidth, object.color);
            if (b.contains(QLatin1Char('r')))
                addLine(built.items, box.topRight(), box.bottomRight(), object.lineWidth, object.color);
            if (b.contains(QLatin1Char('t')))
                addLine(built.items, box.topLeft(), box.topRight(), object.lineWidth, object.color);
            if (b.contains(QLatin1Char('b')))
                addLine(built.items, box.bottomLeft(), box.bottomRight(), object.lineWidth, object.color);
            break;
        }
        case TemplateObject::Kind::Line: {
            QPointF p1 = object.p1 + QPointF(m_left, 0);
            QPointF p2 = object.p2 + QPointF(m_left, 0);
            // A line that reaches the bottom of its band follows the band when it grows.
            if (std::abs(p1.y() - band.height) < kEpsilon)
                p1.ry() += grow;
            if (std::abs(p2.y() - band.height) < kEpsilon)
                p2.ry() += grow;
            addLine(built.items, p1, p2, object.lineWidth, object.color);
            break;
        }
        case TemplateObject::Kind::Frame: {
            PageItem frame;
            frame.kind = PageItem::Kind::Frame;
            frame.rect = box;
            frame.fill = object.fill;
            frame.lineWidth = object.lineWidth;
            frame.color = object.color;
            built.items.append(frame);
            break;
        }
        case TemplateObject::Kind::Picture: {
            QSizeF size = box.size();
            if (size.height() > m_maxHeight)
                size.setHeight(m_maxHeight);
            if (object.keepAspect && !object.image.isNull())
                size = QSizeF(object.image.size()).scaled(size, Qt::KeepAspectRatio);
            PageItem picture;
            picture.kind = PageItem::Kind::Picture;
            picture.rect = QRectF(box.topLeft(), size);
            picture.image = object.image;
            built.items.append(picture);
            break;
        }
        }
    }
    return built;
}
