#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QStringList>

// Font measures in millimetres, taken at print resolution so that the layout
// is the same on screen, on paper and in PDF.
class TextMeasurer
{
public:
    TextMeasurer();

    double width(const QFont& font, const QString& text);
    double lineHeight(const QFont& font);
    // Breaks a paragraph (no line breaks inside) into lines not wider than
    // width; a word longer than a line is broken between characters.
    QStringList wrap(const QFont& font, const QString& paragraph, double width);
    // The text cut to width with an ellipsis when it does not fit.
    QString elide(const QFont& font, const QString& text, double width);

private:
    QFontMetricsF& metrics(const QFont& font);

    QImage m_device;
    QHash<QString, QFontMetricsF> m_metrics;
    double m_mmPerPixel;
};
