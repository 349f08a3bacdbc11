#include "renderer/TextMeasurer.h"

namespace {
constexpr int kDpi = 1200;
}

TextMeasurer::TextMeasurer() : m_device(1, 1, QImage::Format_Mono), m_mmPerPixel(25.4 / kDpi)
{
    const int dotsPerMeter = qRound(kDpi / 0.0254);
    m_device.setDotsPerMeterX(dotsPerMeter);
    m_device.setDotsPerMeterY(dotsPerMeter);
}

QFontMetricsF& TextMeasurer::metrics(const QFont& font)
{
    const QString key = font.key();
    auto it = m_metrics.find(key);
    if (it == m_metrics.end())
        it = m_metrics.insert(key, QFontMetricsF(font, &m_device));
    return it.value();
}

double TextMeasurer::width(const QFont& font, const QString& text)
{
    return metrics(font).horizontalAdvance(text) * m_mmPerPixel;
}

double TextMeasurer::lineHeight(const QFont& font)
{
    return metrics(font).lineSpacing() * m_mmPerPixel;
}

QStringList TextMeasurer::wrap(const QFont& font, const QString& paragraph, double width)
{
    if (paragraph.isEmpty() || this->width(font, paragraph) <= width)
        return {paragraph};
    QStringList lines;
    QString line;
    // A word that does not fit on a line of its own is cut between characters.
    auto breakWord = [&](QString word) {
        while (!word.isEmpty()) {
            qsizetype take = 1;
            while (take < word.size() && this->width(font, word.left(take + 1)) <= width)
                ++take;
            if (take == word.size()) {
                line = word;
                return;
            }
            lines.append(word.left(take));
            word = word.mid(take);
        }
    };
    const QStringList words = paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        if (line.isEmpty()) {
            breakWord(word);
            continue;
        }
        const QString candidate = line + QLatin1Char(' ') + word;
        if (this->width(font, candidate) <= width) {
            line = candidate;
            continue;
        }
        lines.append(line);
        line.clear();
        breakWord(word);
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines.append(line);
    return lines;
}

QString TextMeasurer::elide(const QFont& font, const QString& text, double width)
{
    if (this->width(font, text) <= width)
        return text;
    return metrics(font).elidedText(text, Qt::ElideRight, width / m_mmPerPixel);
}
