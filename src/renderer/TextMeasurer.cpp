#include "renderer/TextMeasurer.h"

namespace {
constexpr int kDpi = 1200;
constexpr int kBlock = 256; // characters per block of the advance table
} // namespace

struct TextMeasurer::Font
{
    explicit Font(const QFont& font, QPaintDevice* device) : metrics(font, device) {}
    QFontMetricsF metrics;
    // Advances in millimetres by character, filled a block at a time.
    std::array<std::unique_ptr<float[]>, 0x10000 / kBlock> blocks;
    double lineHeight = 0;
    double ascent = 0;
};

TextMeasurer::TextMeasurer(const QList<QFont>& fonts)
    : m_device(1, 1, QImage::Format_Mono), m_mmPerPixel(25.4 / kDpi)
{
    const int dotsPerMeter = qRound(kDpi / 0.0254);
    m_device.setDotsPerMeterX(dotsPerMeter);
    m_device.setDotsPerMeterY(dotsPerMeter);
    for (const QFont& font : fonts)
        addFont(font);
}

TextMeasurer::~TextMeasurer() = default;

int TextMeasurer::addFont(const QFont& font)
{
    auto f = std::make_unique<Font>(font, &m_device);
    f->lineHeight = f->metrics.lineSpacing() * m_mmPerPixel;
    f->ascent = f->metrics.ascent() * m_mmPerPixel;
    m_fonts.push_back(std::move(f));
    return int(m_fonts.size()) - 1;
}

double TextMeasurer::advance(Font& f, char16_t c)
{
    std::unique_ptr<float[]>& block = f.blocks[c / kBlock];
    if (!block) {
        block = std::make_unique<float[]>(kBlock);
        const char16_t base = char16_t(c - c % kBlock);
        for (int i = 0; i < kBlock; ++i) {
            const QChar ch(char16_t(base + i));
            // Halves of surrogate pairs are measured with their partner.
            block[i] = ch.isSurrogate() ? 0.0f : float(f.metrics.horizontalAdvance(ch) * m_mmPerPixel);
        }
    }
    return block[c % kBlock];
}

double TextMeasurer::width(int font, QStringView text)
{
    Font& f = *m_fonts.at(std::size_t(font));
    double sum = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            sum += f.metrics.horizontalAdvance(text.mid(i, 2).toString()) * m_mmPerPixel;
            ++i;
            continue;
        }
        sum += advance(f, c.unicode());
    }
    return sum;
}

double TextMeasurer::lineHeight(int font)
{
    return m_fonts.at(std::size_t(font))->lineHeight;
}

double TextMeasurer::ascent(int font)
{
    return m_fonts.at(std::size_t(font))->ascent;
}

void TextMeasurer::wrap(int font, QStringView paragraph, double width, QList<Line>& out)
{
    const double whole = this->width(font, paragraph);
    if (paragraph.isEmpty() || whole <= width) {
        out.append({paragraph.toString(), whole});
        return;
    }
    const qsizetype before = out.size();
    const double space = this->width(font, u" ");
    QString line;
    double lineWidth = 0;
    // A word that does not fit on a line of its own is cut between characters.
    auto breakWord = [&](QStringView word, double wordWidth) {
        while (wordWidth > width) {
            qsizetype take = 0;
            double taken = 0;
            while (take < word.size()) {
                const qsizetype step = word.at(take).isHighSurrogate() && take + 1 < word.size() ? 2 : 1;
                const double w = this->width(font, word.mid(take, step));
                if (take > 0 && taken + w > width)
                    break;
                taken += w;
                take += step;
            }
            out.append({word.left(take).toString(), taken});
            word = word.mid(take);
            wordWidth -= taken;
            if (word.isEmpty())
                return;
        }
        line = word.toString();
        lineWidth = wordWidth;
    };
    qsizetype i = 0;
    while (i < paragraph.size()) {
        while (i < paragraph.size() && paragraph.at(i) == QLatin1Char(' '))
            ++i;
        qsizetype end = i;
        while (end < paragraph.size() && paragraph.at(end) != QLatin1Char(' '))
            ++end;
        if (end == i)
            break;
        const QStringView word = paragraph.mid(i, end - i);
        const double wordWidth = this->width(font, word);
        i = end;
        if (line.isEmpty()) {
            breakWord(word, wordWidth);
            continue;
        }
        if (lineWidth + space + wordWidth <= width) {
            line += QLatin1Char(' ');
            line += word;
            lineWidth += space + wordWidth;
            continue;
        }
        out.append({line, lineWidth});
        line.clear();
        lineWidth = 0;
        breakWord(word, wordWidth);
    }
    if (!line.isEmpty() || out.size() == before)
        out.append({line, lineWidth});
}
