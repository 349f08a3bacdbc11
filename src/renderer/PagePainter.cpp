#include "renderer/PagePainter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <functional>

namespace {
constexpr double kMmPerPoint = 25.4 / 72.0;

QPageLayout layoutOf(const PageModel& model)
{
    return QPageLayout(model.pageSize, model.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void paintPages(QPainter& painter, const PageModel& model, int from, int to, double pixelsPerMm,
                const std::function<bool()>& newPage)
{
    for (int p = from; p <= to; ++p) {
        if (p > from && !newPage())
            return;
        PagePainter::paint(painter, model.pages.at(p), pixelsPerMm);
    }
}
} // namespace

namespace PagePainter {
void paint(QPainter& painter, const Page& page, double pixelsPerMm, QPointF origin)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    auto toDevice = [&](const QRectF& r) {
        return QRectF(origin.x() + r.x() * pixelsPerMm, origin.y() + r.y() * pixelsPerMm,
                      r.width() * pixelsPerMm, r.height() * pixelsPerMm);
    };
    auto pointToDevice = [&](QPointF p) { return origin + p * pixelsPerMm; };
    auto penOf = [&](const PageItem& item) {
        QPen pen(item.color);
        pen.setWidthF(qMax(0.5, item.lineWidth * kMmPerPoint * pixelsPerMm));
        pen.setCapStyle(Qt::SquareCap);
        return pen;
    };
    const int dpi = painter.device() ? painter.device()->logicalDpiY() : 96;
    // A point size that comes out at the layout's size after the device's own conversion.
    const double fontScale = pixelsPerMm * 25.4 / dpi;

    for (const PageItem& item : page.items) {
        switch (item.kind) {
        case PageItem::Kind::Frame:
            if (item.fill.isValid())
                painter.fillRect(toDevice(item.rect), item.fill);
            if (item.lineWidth > 0) {
                painter.setPen(penOf(item));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(toDevice(item.rect));
            }
            break;
        case PageItem::Kind::Line:
            painter.setPen(penOf(item));
            painter.drawLine(pointToDevice(item.p1), pointToDevice(item.p2));
            break;
        case PageItem::Kind::Text: {
            QFont font = item.font;
            font.setPointSizeF(item.font.pointSizeF() * fontScale);
            painter.setFont(font);
            painter.setPen(item.color);
            painter.drawText(toDevice(item.rect),
                             int(item.align | Qt::AlignTop) | Qt::TextSingleLine | Qt::TextDontClip,
                             item.text);
            break;
        }
        case PageItem::Kind::Picture:
            painter.drawImage(toDevice(item.rect), item.image);
            break;
        }
    }
    painter.restore();
}

void setUpPrinter(const PageModel& model, QPrinter& printer)
{
    printer.setFullPage(true);
    printer.setPageLayout(layoutOf(model));
    printer.setDocName(model.title);
}

bool writePdf(const PageModel& model, const QString& path, QString* error)
{
    auto failed = [&](const QString& reason) {
        if (error)
            *error = QStringLiteral("Nie można zapisać pliku PDF „%1”: %2").arg(path, reason);
        return false;
    };
    if (model.pages.isEmpty())
        return failed(QStringLiteral("raport nie ma stron."));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    QPdfWriter writer(&file);
    writer.setResolution(1200);
    writer.setPageLayout(layoutOf(model));
    writer.setTitle(model.title);
    writer.setCreator(QStringLiteral("Sprzetnik"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        file.cancelWriting();
        return failed(QStringLiteral("nie można rozpocząć zapisu."));
    }
    paintPages(painter, model, 0, model.pageCount() - 1, writer.resolution() / 25.4,
               [&] { return writer.newPage(); });
    painter.end();
    if (!file.commit())
        return failed(file.errorString());
    return true;
}

bool print(const PageModel& model, QPrinter& printer, QString* error)
{
    if (model.pages.isEmpty()) {
        if (error)
            *error = QStringLiteral("Raport nie ma stron do wydrukowania.");
        return false;
    }
    printer.setFullPage(true);
    int from = 0, to = model.pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = qBound(0, printer.fromPage() - 1, to);
        to = qBound(from, printer.toPage() > 0 ? printer.toPage() - 1 : to, to);
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error)
            *error =
                QStringLiteral("Nie można rozpocząć wydruku na drukarce „%1”.").arg(printer.printerName());
        return false;
    }
    paintPages(painter, model, from, to, printer.logicalDpiX() / 25.4, [&] { return printer.newPage(); });
    painter.end();
    return true;
}
} // namespace PagePainter
