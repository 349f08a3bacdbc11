#include "reports/LabelSheet.h"

#include "renderer/TextMeasurer.h"

#include <algorithm>

namespace {
constexpr double kGap = 0.8; // mm between the parts of a label

QFont labelFont(double points, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    // Measured at print resolution, as the reports' fonts are.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}
} // namespace

// The parts of one label.
struct LabelSheet::Boxes
{
    QRectF barcode;
    QRectF company; // one line
    QRectF number;  // the first line; further lines below it (QR)
    QRectF name;    // the first line
    int numberLines = 1;
    int nameLines = 1;
};

LabelSheet::LabelSheet(QList<LabelRow> rows, const QString& company, const LabelLayout& layout,
                       BarcodeImage::Symbology symbology, int firstPlace)
    : m_rows(std::move(rows)), m_company(company.simplified()), m_layout(layout), m_symbology(symbology),
      m_first(layout.isRoll() ? 1 : layout.firstPlace(firstPlace))
{
    // Smaller labels take smaller print, down to what still reads.
    const double k = std::clamp(layout.label.height() / 37.0, 0.72, 1.1);
    m_padding = layout.label.height() >= 35 ? 3.0 : 2.0;
    auto resources = std::make_shared<PageResources>();
    resources->fonts = {labelFont(6.5 * k, false), labelFont(9.5 * k, true), labelFont(7.5 * k, false)};
    m_measurer = std::make_unique<TextMeasurer>(resources->fonts);
    m_resources = std::move(resources);
}

LabelSheet::~LabelSheet() = default;

QString LabelSheet::refusal(const QList<LabelRow>& rows, BarcodeImage::Symbology symbology)
{
    for (const LabelRow& row : rows) {
        const QString why = BarcodeImage::refusal(symbology, row.number);
        if (!why.isEmpty())
            return why;
    }
    return {};
}

PageFormat LabelSheet::format() const
{
    PageFormat f;
    f.title = QStringLiteral("Etykiety");
    f.pageSize = m_layout.isRoll() ? QPageSize(m_layout.page, QPageSize::Millimeter,
                                               QStringLiteral("Etykieta 62×29 mm"), QPageSize::ExactMatch)
                                   : QPageSize(QPageSize::A4);
    f.landscape = false;
    f.paperSize = m_layout.page;
    return f;
}

int LabelSheet::pageCount() const
{
    return m_layout.pageCount(int(m_rows.size()), m_first);
}

Page LabelSheet::page(int index) const
{
    Page p;
    p.resources = m_resources;
    const int count = m_layout.countOn(index, int(m_rows.size()), m_first);
    const int first = m_layout.firstIndexOn(index, m_first);
    for (int i = first; i < first + count; ++i)
        addLabel(p, placeOf(i).rect, m_rows.at(i));
    return p;
}

LabelSheet::Boxes LabelSheet::boxesOf(const QRectF& label) const
{
    const QRectF inner = label.adjusted(m_padding, m_padding, -m_padding, -m_padding);
    const double companyH = m_measurer->lineHeight(Company);
    const double numberH = m_measurer->lineHeight(Number);
    const double nameH = m_measurer->lineHeight(Name);
    Boxes b;
    if (m_symbology == BarcodeImage::Symbology::Qr) {
        // The square code on the left, the texts beside it.
        const double side = std::min(inner.height(), inner.width() / 2);
        b.barcode = QRectF(inner.topLeft(), QSizeF(side, side));
        const double x = inner.left() + side + kGap;
        const double w = inner.right() - x;
        b.numberLines = inner.height() >= 25 ? 2 : 1;
        b.number = QRectF(x, inner.top(), w, numberH);
        b.company = QRectF(x, inner.bottom() - companyH, w, companyH);
        const double nameTop = inner.top() + b.numberLines * numberH + kGap / 2;
        b.name = QRectF(x, nameTop, w, nameH);
        b.nameLines = std::max(1, int((b.company.top() - kGap / 2 - nameTop) / nameH));
        return b;
    }
    // Company on top, then the bars with the number under them, the name at the foot.
    b.nameLines = label.height() >= 35 ? 2 : 1;
    b.company = QRectF(inner.left(), inner.top(), inner.width(), companyH);
    b.name = QRectF(inner.left(), inner.bottom() - b.nameLines * nameH, inner.width(), nameH);
    b.number = QRectF(inner.left(), b.name.top() - numberH, inner.width(), numberH);
    b.barcode = QRectF(QPointF(inner.left(), b.company.bottom() + kGap),
                       QPointF(inner.right(), b.number.top() - kGap / 3));
    return b;
}

QRectF LabelSheet::barcodeBox(const QRectF& label) const
{
    return boxesOf(label).barcode;
}

void LabelSheet::addLabel(Page& page, const QRectF& label, const LabelRow& row) const
{
    const Boxes b = boxesOf(label);
    BarcodeImage code;
    QString fault;
    if (code.encode(m_symbology, row.number, &fault)) {
        for (const QRectF& bar : code.fitted(b.barcode)) {
            PageItem item;
            item.kind = PageItem::Kind::Frame;
            item.rect = bar;
            item.fill = Qt::black;
            page.items.append(item);
        }
    } else {
        // Refused numbers are stopped before printing; this is for what zint alone refuses.
        const QStringList lines = fit(Name, fault, b.barcode.width(), 3);
        for (int i = 0; i < lines.size(); ++i)
            addText(page, Name, b.barcode.translated(0, i * b.name.height()), lines.at(i), Qt::AlignLeft);
    }
    const bool qr = m_symbology == BarcodeImage::Symbology::Qr;
    const Qt::Alignment align = qr ? Qt::AlignLeft : Qt::AlignHCenter;
    const QStringList number = fit(Number, row.number, b.number.width(), b.numberLines);
    for (int i = 0; i < number.size(); ++i)
        addText(page, Number, b.number.translated(0, i * b.number.height()), number.at(i), align);
    const QStringList name = fit(Name, row.name.simplified(), b.name.width(), b.nameLines);
    for (int i = 0; i < name.size(); ++i)
        addText(page, Name, b.name.translated(0, i * b.name.height()), name.at(i), align);
    addText(page, Company, b.company, elided(Company, m_company, b.company.width()), align);
}

void LabelSheet::addText(Page& page, Font font, const QRectF& box, const QString& text,
                         Qt::Alignment align) const
{
    if (text.isEmpty())
        return;
    PageItem item;
    item.kind = PageItem::Kind::Text;
    item.font = quint16(font);
    item.rect = QRectF(box.left(), box.top(), box.width(), m_measurer->lineHeight(font));
    item.text = text;
    item.width = m_measurer->width(font, text);
    item.align = align;
    page.items.append(item);
}

QStringList LabelSheet::fit(Font font, const QString& text, double width, int lines) const
{
    QList<TextMeasurer::Line> wrapped;
    m_measurer->wrap(font, text, width, wrapped);
    QStringList out;
    for (int i = 0; i < wrapped.size() && i < lines; ++i)
        out << wrapped.at(i).text;
    if (wrapped.size() > lines && !out.isEmpty()) {
        // The rest of the text goes after the last line, cut to what fits.
        QString last = out.last();
        for (int i = lines; i < wrapped.size(); ++i)
            last += QLatin1Char(' ') + wrapped.at(i).text;
        out.last() = elided(font, last, width);
    }
    return out;
}

QString LabelSheet::elided(Font font, const QString& text, double width) const
{
    if (m_measurer->width(font, text) <= width)
        return text;
    const QString ellipsis = QStringLiteral("…");
    const double room = width - m_measurer->width(font, ellipsis);
    double used = 0;
    qsizetype n = 0;
    for (; n < text.size(); ++n) {
        const double w = m_measurer->width(font, QStringView(text).mid(n, 1));
        if (used + w > room)
            break;
        used += w;
    }
    return text.left(n).trimmed() + ellipsis;
}
