#include "renderer/PagePainter.h"

#include "renderer/HeapForPdf.h"
#include "renderer/PdfOutput.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>

namespace {
constexpr double kMmPerPoint = 25.4 / 72.0;
} // namespace

PagePainter::PagePainter(QPainter& painter, double pixelsPerMm) : m_painter(painter), m_scale(pixelsPerMm) {}

void PagePainter::useResources(const PageResources* resources)
{
    if (resources == m_resources)
        return;
    m_resources = resources;
    m_fonts.clear();
    m_ascents.clear();
    if (!resources)
        return;
    const int dpi = m_painter.device() ? m_painter.device()->logicalDpiY() : 96;
    // A point size that comes out at the layout's size after the device's own conversion.
    const double fontScale = m_scale * 25.4 / dpi;
    for (QFont font : resources->fonts) {
        font.setPointSizeF(font.pointSizeF() * fontScale);
        m_ascents.append(QFontMetricsF(font, m_painter.device()).ascent());
        m_fonts.append(font);
    }
}

void PagePainter::paint(QPainter& painter, const Page& page, double pixelsPerMm, QPointF origin)
{
    PagePainter(painter, pixelsPerMm).paint(page, origin);
}

void PagePainter::paint(const Page& page, QPointF origin)
{
    if (page.resources.get() != m_resources)
        m_keep = page.resources;
    useResources(page.resources.get());
    QPainter& painter = m_painter;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const double scale = m_scale;
    auto toDevice = [&](const QRectF& r) {
        return QRectF(origin.x() + r.x() * scale, origin.y() + r.y() * scale, r.width() * scale,
                      r.height() * scale);
    };
    auto penOf = [&](const PageItem& item) {
        QPen pen(item.color);
        pen.setWidthF(qMax(0.5, item.lineWidth * kMmPerPoint * scale));
        pen.setCapStyle(Qt::SquareCap);
        return pen;
    };
    int font = -1;
    QColor textColor;
    bool textPen = false;
    const QList<PageItem>& items = page.items;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const PageItem& item = items.at(i);
        switch (item.kind) {
        case PageItem::Kind::Frame:
            if (item.fill.isValid())
                painter.fillRect(toDevice(item.rect), item.fill);
            if (item.lineWidth > 0) {
                painter.setPen(penOf(item));
                textPen = false;
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(toDevice(item.rect));
            }
            break;
        case PageItem::Kind::Line: {
            // Rules of one pen in a row are stroked as one path.
            QPainterPath path;
            qsizetype j = i;
            for (; j < items.size(); ++j) {
                const PageItem& l = items.at(j);
                if (l.kind != PageItem::Kind::Line || l.color != item.color || l.lineWidth != item.lineWidth)
                    break;
                path.moveTo(origin + l.p1 * scale);
                path.lineTo(origin + l.p2 * scale);
            }
            painter.strokePath(path, penOf(item));
            i = j - 1;
            break;
        }
        case PageItem::Kind::Text: {
            if (item.font != font && item.font < m_fonts.size()) {
                font = item.font;
                painter.setFont(m_fonts.at(font));
            }
            if (!textPen || item.color != textColor) {
                painter.setPen(item.color);
                textColor = item.color;
                textPen = true;
            }
            double x = item.rect.left();
            if (item.align & Qt::AlignRight)
                x = item.rect.right() - item.width;
            else if (item.align & Qt::AlignHCenter)
                x = item.rect.center().x() - item.width / 2;
            const double ascent = font >= 0 ? m_ascents.at(font) : 0;
            painter.drawText(QPointF(origin.x() + x * scale, origin.y() + item.rect.top() * scale + ascent),
                             item.text);
            break;
        }
        case PageItem::Kind::Picture:
            painter.drawImage(toDevice(item.rect), page.imageOf(item));
            break;
        }
    }
    painter.restore();
}

void PagePainter::setUpPrinter(const PageSource& pages, QPrinter& printer)
{
    const PageFormat format = pages.format();
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(format.pageSize,
                                      format.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    printer.setDocName(format.title);
}

bool PagePainter::writePdf(const PageSource& pages, const QString& path, QString* error,
                           const Progress& progress)
{
    PdfOutput out(path);
    const int count = pages.pageCount();
    bool ok = count > 0 && out.start(pages.format());
    for (int p = 0; ok && p < count; ++p) {
        ok = out.addPage(pages.page(p));
        if (ok && progress && !progress(p + 1, count)) {
            out.cancel();
            return false;
        }
    }
    if (ok)
        ok = out.finish();
    if (!ok && error)
        *error =
            count > 0 ? out.errorString() : PdfOutput::failure(path, QStringLiteral("raport nie ma stron."));
    return ok;
}

bool PagePainter::print(const PageSource& pages, QPrinter& printer, QString* error, const Progress& progress)
{
    const int count = pages.pageCount();
    if (count == 0) {
        if (error)
            *error = QStringLiteral("Raport nie ma stron do wydrukowania.");
        return false;
    }
    printer.setFullPage(true);
    int from = 0, to = count - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = qBound(0, printer.fromPage() - 1, to);
        to = qBound(from, printer.toPage() > 0 ? printer.toPage() - 1 : to, to);
    }
    const HeapForPdf heap;
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error)
            *error =
                QStringLiteral("Nie można rozpocząć wydruku na drukarce „%1”.").arg(printer.printerName());
        return false;
    }
    PagePainter pagePainter(painter, printer.logicalDpiX() / 25.4);
    for (int p = from; p <= to; ++p) {
        if (p > from && !printer.newPage())
            break;
        pagePainter.paint(pages.page(p));
        if (progress && !progress(p - from + 1, to - from + 1)) {
            printer.abort();
            painter.end();
            return false;
        }
    }
    painter.end();
    return true;
}
