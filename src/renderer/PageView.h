#pragma once

#include "renderer/PageSource.h"

#include <QWidget>

// Shows one page of a laid-out report at a zoom, with the matches of a
// search marked. Only the page shown is fetched from its source.
class PageView : public QWidget
{
    Q_OBJECT

public:
    explicit PageView(QWidget* parent = nullptr);

    // The pages shown; they stay owned by the caller.
    void setPages(const PageSource* pages);
    // The paper changed or pages were added.
    void refresh();
    void setPage(int page);
    int page() const { return m_page; }
    // 1.0 shows the paper at its real size.
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }
    // Millimetres of paper to device pixels at zoom 1.
    double pixelsPerMmAtFullSize() const;
    void setMatches(const QList<TextMatch>& matches, int current);
    // Where a match lies in the widget, for scrolling to it.
    QRect matchRect(const TextMatch& match) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr int kGap = 12; // around the paper

    const PageSource* m_pages = nullptr;
    QSizeF m_paper{210, 297};
    int m_page = 0;
    double m_zoom = 1.0;
    QList<TextMatch> m_matches;
    int m_current = -1;
};
