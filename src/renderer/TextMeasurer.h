#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QList>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

// Font measures in millimetres, taken at print resolution so that the layout
// is the same on screen, on paper and in PDF. Report fonts are set without
// kerning and shaping, so a line is as wide as its characters' advances
// summed; those are kept per font, which makes measuring a table lookup.
class TextMeasurer
{
public:
    // One line of a broken paragraph and its width.
    struct Line
    {
        QString text;
        double width = 0;
    };

    explicit TextMeasurer(const QList<QFont>& fonts = {});
    ~TextMeasurer();
    TextMeasurer(const TextMeasurer&) = delete;
    TextMeasurer& operator=(const TextMeasurer&) = delete;

    // Fonts are referred to by the index they were given in.
    int addFont(const QFont& font);
    int fontCount() const { return int(m_fonts.size()); }

    double width(int font, QStringView text);
    double lineHeight(int font);
    double ascent(int font);
    // Breaks a paragraph (no line breaks inside) into lines not wider than
    // width, between words; a word longer than a line is broken between
    // characters. Nothing is left out. Appends the lines to `out`.
    void wrap(int font, QStringView paragraph, double width, QList<Line>& out);

private:
    struct Font;
    double advance(Font& f, char16_t c);

    QImage m_device;
    std::vector<std::unique_ptr<Font>> m_fonts;
    double m_mmPerPixel;
};
