#include "renderer/PageView.h"

#include "renderer/PagePainter.h"

#include <QPainter>

PageView::PageView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageView::setPages(const PageSource* pages)
{
    m_pages = pages;
    m_page = 0;
    m_matches.clear();
    m_current = -1;
    refresh();
}

void PageView::refresh()
{
    const QSizeF paper = m_pages ? m_pages->format().paperSize : QSizeF();
    m_paper = paper.isEmpty() ? QSizeF(210, 297) : paper;
    updateGeometry();
    resize(sizeHint());
    update();
}

void PageView::setPage(int page)
{
    m_page = page;
    update();
}

void PageView::setZoom(double zoom)
{
    m_zoom = qBound(0.1, zoom, 8.0);
    updateGeometry();
    resize(sizeHint());
    update();
}

double PageView::pixelsPerMmAtFullSize() const
{
    return logicalDpiX() / 25.4;
}

void PageView::setMatches(const QList<TextMatch>& matches, int current)
{
    m_matches = matches;
    m_current = current;
    update();
}

QRect PageView::matchRect(const TextMatch& match) const
{
    const double scale = pixelsPerMmAtFullSize() * m_zoom;
    return QRectF(kGap + match.rect.x() * scale, kGap + match.rect.y() * scale, match.rect.width() * scale,
                  match.rect.height() * scale)
        .toAlignedRect();
}

QSize PageView::sizeHint() const
{
    const QSizeF paper = m_paper;
    const double scale = pixelsPerMmAtFullSize() * m_zoom;
    return QSize(int(paper.width() * scale) + 2 * kGap, int(paper.height() * scale) + 2 * kGap);
}

void PageView::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    if (!m_pages || m_page < 0 || m_page >= m_pages->pageCount())
        return;
    const double scale = pixelsPerMmAtFullSize() * m_zoom;
    const QRectF paper(kGap, kGap, m_paper.width() * scale, m_paper.height() * scale);
    painter.fillRect(paper.translated(3, 3), QColor(0, 0, 0, 80));
    painter.fillRect(paper, Qt::white);
    PagePainter::paint(painter, m_pages->page(m_page), scale, paper.topLeft());
    for (int i = 0; i < m_matches.size(); ++i) {
        const TextMatch& match = m_matches.at(i);
        if (match.page != m_page)
            continue;
        const QColor colour = i == m_current ? QColor(255, 140, 0, 110) : QColor(255, 230, 0, 110);
        painter.fillRect(matchRect(match), colour);
    }
}
