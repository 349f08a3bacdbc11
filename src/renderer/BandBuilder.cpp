#include "renderer/BandBuilder.h"

#include "renderer/ReportDataProvider.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace {
constexpr double kEpsilon = 0.001;

bool same(double a, double b)
{
    return std::abs(a - b) < kEpsilon;
}

bool isFrame(const TemplateObject& o)
{
    return o.kind == TemplateObject::Kind::Frame;
}

PageItem lineItem(QPointF p1, QPointF p2, double width, const QColor& color)
{
    PageItem line;
    line.kind = PageItem::Kind::Line;
    line.p1 = p1;
    line.p2 = p2;
    line.rect = QRectF(p1, p2).normalized();
    line.lineWidth = width;
    line.color = color;
    return line;
}

} // namespace

// What a band's objects do to each other when one of them grows, worked out
// once per band of the template.
struct BandBuilder::Plan
{
    std::vector<int> order;                   // by top; a frame before what it holds
    std::vector<std::vector<int>> pushers;    // objects wholly above each object
    std::vector<int> level;                   // the first object with the same top and bottom
    std::vector<std::vector<int>> containers; // frames around each object
    double lowest = 0;                        // the lowest bottom of an object
};

// Joins the borders of neighbouring cells: the same rule drawn twice, and
// pieces of one straight rule, become one line.
void BandBuilder::mergeLines(QList<PageItem>& lines)
{
    if (lines.size() < 2)
        return;
    // Each rule's key is worked out once: direction, the coordinate across
    // it, pen, and where it starts along it.
    struct Key
    {
        int direction; // 0 horizontal, 1 vertical, 2 slanting
        qint64 across;
        double width;
        QRgb color;
        double along;
        qsizetype index;
        bool operator<(const Key& o) const
        {
            return std::tie(direction, across, width, color, along) <
                   std::tie(o.direction, o.across, o.width, o.color, o.along);
        }
    };
    std::vector<Key> keys;
    keys.reserve(std::size_t(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        PageItem& l = lines[i];
        const bool horizontal = same(l.p1.y(), l.p2.y());
        const bool vertical = !horizontal && same(l.p1.x(), l.p2.x());
        // Ends in reading order, so that pieces follow one another.
        if ((horizontal && l.p1.x() > l.p2.x()) || (vertical && l.p1.y() > l.p2.y()))
            std::swap(l.p1, l.p2);
        const int direction = horizontal ? 0 : vertical ? 1 : 2;
        keys.push_back({direction, qint64(std::llround((direction == 0 ? l.p1.y() : l.p1.x()) / kEpsilon)),
                        l.lineWidth, l.color.rgba(), direction == 0 ? l.p1.x() : l.p1.y(), i});
    }
    std::sort(keys.begin(), keys.end());
    QList<PageItem> merged;
    merged.reserve(lines.size());
    const Key* previous = nullptr;
    for (const Key& k : keys) {
        const PageItem& l = lines.at(k.index);
        if (previous && k.direction < 2 && k.direction == previous->direction &&
            k.across == previous->across && k.width == previous->width && k.color == previous->color) {
            PageItem& last = merged.last();
            const double end = k.direction == 0 ? last.p2.x() : last.p2.y();
            if (k.along <= end + kEpsilon) {
                if ((k.direction == 0 ? l.p2.x() : l.p2.y()) > end) {
                    last.p2 = l.p2;
                    last.rect = QRectF(last.p1, last.p2).normalized();
                }
                continue;
            }
        }
        merged.append(l);
        previous = &k;
    }
    lines.swap(merged);
}
BandBuilder::BandBuilder(ReportDataProvider& provider, TextMeasurer& measurer, double left, double maxHeight)
    : m_provider(provider), m_measurer(measurer), m_left(left), m_maxHeight(maxHeight)
{
}

BandBuilder::~BandBuilder() = default;

const BandBuilder::Plan& BandBuilder::planOf(const TemplateBand& band)
{
    std::unique_ptr<Plan>& slot = m_plans[&band];
    if (slot)
        return *slot;
    slot = std::make_unique<Plan>();
    Plan& plan = *slot;
    const QList<TemplateObject>& objects = band.objects;
    const int n = int(objects.size());
    plan.order.resize(std::size_t(n));
    plan.pushers.resize(std::size_t(n));
    plan.level.resize(std::size_t(n));
    plan.containers.resize(std::size_t(n));
    for (int i = 0; i < n; ++i)
        plan.order[std::size_t(i)] = i;
    std::stable_sort(plan.order.begin(), plan.order.end(), [&](int a, int b) {
        const QRectF& ra = objects.at(a).rect;
        const QRectF& rb = objects.at(b).rect;
        if (!same(ra.top(), rb.top()))
            return ra.top() < rb.top();
        return isFrame(objects.at(a)) && !isFrame(objects.at(b));
    });
    for (int b = 0; b < n; ++b) {
        const QRectF& rb = objects.at(b).rect;
        plan.lowest = qMax(plan.lowest, rb.bottom());
        plan.level[std::size_t(b)] = b;
        for (int a = 0; a < n; ++a) {
            if (a == b)
                continue;
            const QRectF& ra = objects.at(a).rect;
            if (ra.bottom() <= rb.top() + kEpsilon && ra.top() < rb.top() - kEpsilon)
                plan.pushers[std::size_t(b)].push_back(a);
            const bool cell = objects.at(b).kind == TemplateObject::Kind::Text || isFrame(objects.at(b));
            const bool cellA = objects.at(a).kind == TemplateObject::Kind::Text || isFrame(objects.at(a));
            if (cell && cellA && a < plan.level[std::size_t(b)] && same(ra.top(), rb.top()) &&
                same(ra.bottom(), rb.bottom()))
                plan.level[std::size_t(b)] = a;
            if (isFrame(objects.at(a)) && objects.at(b).kind != TemplateObject::Kind::Line &&
                ra.adjusted(-kEpsilon, -kEpsilon, kEpsilon, kEpsilon).contains(rb) &&
                !(same(ra.top(), rb.top()) && same(ra.bottom(), rb.bottom())))
                plan.containers[std::size_t(b)].push_back(a);
        }
    }
    return plan;
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

void BandBuilder::layText(const TemplateObject& object, const QString& text, Laid& laid)
{
    laid.lines.clear();
    laid.pageFields = text.contains(kPageNumberMark) || text.contains(kPageCountMark);
    const double inner = qMax(1.0, object.rect.width() - 2 * object.padding);
    laid.lineHeight = m_measurer.lineHeight(object.fontIndex);
    // Most cells hold one short value: it is kept as it is, not copied.
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'))) {
        const double width = m_measurer.width(object.fontIndex, text);
        if (laid.pageFields || width <= inner) {
            laid.lines.append({text, width});
            laid.natural = qMax(object.rect.height(), laid.lineHeight + 2 * object.padding);
            return;
        }
    }
    // Paragraphs end at "\r\n", "\r" or "\n".
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i <= size; ++i) {
        if (i < size && text.at(i) != QLatin1Char('\r') && text.at(i) != QLatin1Char('\n'))
            continue;
        const QStringView paragraph = QStringView(text).mid(start, i - start);
        if (laid.pageFields)
            laid.lines.append({paragraph.toString(), m_measurer.width(object.fontIndex, paragraph)});
        else
            m_measurer.wrap(object.fontIndex, paragraph, inner, laid.lines);
        if (i + 1 < size && text.at(i) == QLatin1Char('\r') && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    laid.natural = qMax(object.rect.height(), laid.lines.size() * laid.lineHeight + 2 * object.padding);
}

void BandBuilder::emitText(const TemplateObject& object, const Laid& laid, const QRectF& box,
                           QList<PageItem>& out)
{
    if (object.fill.isValid()) {
        PageItem background;
        background.kind = PageItem::Kind::Frame;
        background.rect = box;
        background.fill = object.fill;
        out.append(background);
    }
    const double textHeight = laid.lines.size() * laid.lineHeight;
    double top = box.top() + object.padding;
    const double spare = box.height() - 2 * object.padding - textHeight;
    if (spare > 0 && (object.align & Qt::AlignVCenter))
        top += spare / 2;
    else if (spare > 0 && (object.align & Qt::AlignBottom))
        top += spare;
    const double left = box.left() + object.padding;
    const double width = box.width() - 2 * object.padding;
    for (const TextMeasurer::Line& line : laid.lines) {
        if (!line.text.isEmpty()) {
            PageItem item;
            item.kind = PageItem::Kind::Text;
            item.rect = QRectF(left, top, width, laid.lineHeight);
            item.text = line.text;
            item.width = line.width;
            item.font = quint16(object.fontIndex);
            item.align = object.align & Qt::AlignHorizontal_Mask;
            item.color = object.color;
            item.pageFields = laid.pageFields;
            out.append(std::move(item));
        }
        top += laid.lineHeight;
    }
    const QString& b = object.borders;
    if (b.isEmpty())
        return;
    if (b.contains(QLatin1Char('l')))
        m_lines.append(lineItem(box.topLeft(), box.bottomLeft(), object.lineWidth, object.color));
    if (b.contains(QLatin1Char('r')))
        m_lines.append(lineItem(box.topRight(), box.bottomRight(), object.lineWidth, object.color));
    if (b.contains(QLatin1Char('t')))
        m_lines.append(lineItem(box.topLeft(), box.topRight(), object.lineWidth, object.color));
    if (b.contains(QLatin1Char('b')))
        m_lines.append(lineItem(box.bottomLeft(), box.bottomRight(), object.lineWidth, object.color));
}

BuiltBand BandBuilder::build(const TemplateBand& band, int rowNumber)
{
    BuiltBand built;
    bool anyField = false, anyValue = false;
    const QList<TemplateObject>& objects = band.objects;
    const std::size_t n = std::size_t(objects.size());
    if (m_laid.size() < n)
        m_laid.resize(n);

    // Values first, in the order of the objects, each field asked once.
    bool grew = false;
    for (std::size_t i = 0; i < n; ++i) {
        const TemplateObject& object = objects.at(qsizetype(i));
        Laid& laid = m_laid[i];
        laid.shift = 0;
        laid.grow = 0;
        laid.natural = object.rect.height();
        if (object.kind != TemplateObject::Kind::Text)
            continue;
        layText(object, fill(object, rowNumber, anyField, anyValue), laid);
        grew |= laid.natural > object.rect.height() + kEpsilon;
    }
    if (band.skipWhenBlank && anyField && !anyValue) {
        built.skip = true;
        return built;
    }

    double bandGrow = 0;
    if (grew) {
        const Plan& plan = planOf(band);
        // Cells of one level grow together.
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t level = std::size_t(plan.level[i]);
            if (level != i)
                m_laid[level].natural = qMax(m_laid[level].natural, m_laid[i].natural);
        }
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t level = std::size_t(plan.level[i]);
            m_laid[i].grow =
                qMax(m_laid[i].natural, m_laid[level].natural) - objects.at(qsizetype(i)).rect.height();
        }
        // Top to bottom: each object moves down by what grew above it; frames
        // grow with what they hold.
        double lowest = 0;
        for (int b : plan.order) {
            Laid& laid = m_laid[std::size_t(b)];
            for (int a : plan.pushers[std::size_t(b)])
                laid.shift = qMax(laid.shift, m_laid[std::size_t(a)].shift + m_laid[std::size_t(a)].grow);
            for (int frame : plan.containers[std::size_t(b)]) {
                Laid& f = m_laid[std::size_t(frame)];
                f.grow = qMax(f.grow, laid.shift + laid.grow - f.shift);
            }
        }
        for (std::size_t i = 0; i < n; ++i)
            lowest = qMax(lowest, objects.at(qsizetype(i)).rect.bottom() + m_laid[i].shift + m_laid[i].grow);
        bandGrow = qMax(0.0, lowest - plan.lowest);
    }
    built.height = band.height + bandGrow;

    m_lines.clear();
    built.items.reserve(2 * qsizetype(n) + 8);
    for (std::size_t i = 0; i < n; ++i) {
        const TemplateObject& object = objects.at(qsizetype(i));
        const Laid& laid = m_laid[i];
        QRectF box = object.rect.translated(m_left, laid.shift);
        box.setHeight(object.rect.height() + laid.grow);
        // A stretching object reaches as far down as the band grew.
        if (object.stretch)
            box.setHeight(qMax(box.height(), object.rect.height() + bandGrow - laid.shift));

        switch (object.kind) {
        case TemplateObject::Kind::Text:
            emitText(object, laid, box, built.items);
            break;
        case TemplateObject::Kind::Line: {
            QPointF p1 = object.p1 + QPointF(m_left, laid.shift);
            QPointF p2 = object.p2 + QPointF(m_left, laid.shift);
            // An end on the bottom of the band follows the band when it grows.
            if (same(object.p1.y(), band.height))
                p1.setY(band.height + bandGrow);
            if (same(object.p2.y(), band.height))
                p2.setY(band.height + bandGrow);
            m_lines.append(lineItem(p1, p2, object.lineWidth, object.color));
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
            QSizeF size = object.rect.size();
            if (size.height() > m_maxHeight)
                size.setHeight(m_maxHeight);
            if (object.keepAspect && !object.image.isNull())
                size = QSizeF(object.image.size()).scaled(size, Qt::KeepAspectRatio);
            PageItem picture;
            picture.kind = PageItem::Kind::Picture;
            picture.rect = QRectF(box.topLeft(), size);
            picture.image = quint16(object.imageIndex);
            built.items.append(picture);
            break;
        }
        }
    }
    // Rules go on top of the cells' backgrounds; the page joins them up.
    built.items.append(m_lines);
    return built;
}
