#include "registers/TVXExportToCSV.h"

#include <QIODevice>
#include <QSaveFile>

#include <algorithm>
#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
// The characters of bytes 0x80 to 0xFF of Windows-1250; 0 where the code page
// has none.
// clang-format off
constexpr char16_t kUpperHalf[128] = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};
// clang-format on

// Character -> byte for the upper half, built once.
struct ReverseTable
{
    std::array<unsigned char, 0x2200> bytes{}; // every character of the upper half lies below U+2200

    ReverseTable()
    {
        for (int b = 0; b < 128; ++b)
            if (kUpperHalf[b])
                bytes[kUpperHalf[b]] = static_cast<unsigned char>(0x80 + b);
    }
};

const ReverseTable& reverse()
{
    static const ReverseTable table;
    return table;
}

// Rows of a grid already built.
class GridRows : public TVXExportToCSV::Rows
{
public:
    explicit GridRows(const TVXExportToCSV::Grid& grid) : m_grid(grid) {}
    int count() const override { return int(m_grid.size()); }
    QStringList row(int index) const override { return m_grid.at(index); }

private:
    const TVXExportToCSV::Grid& m_grid;
};

constexpr qsizetype kChunk = 1 << 16;
} // namespace

QString TVXExportToCSV::cellText(QString text)
{
    text.replace(QLatin1Char('`'), QLatin1Char('\''));
    text.replace(QLatin1Char('"'), QLatin1Char('`'));
    return text;
}

void TVXExportToCSV::toCellTexts(Grid& grid)
{
    for (QStringList& row : grid)
        for (QString& cell : row)
            cell = cellText(std::move(cell));
}

QByteArray TVXExportToCSV::encode(QStringView text, int* replaced)
{
    QByteArray out;
    appendEncoded(out, text, replaced);
    return out;
}

namespace {
// Windows-1250 bytes of `n` characters written at `d` (never more bytes than
// characters); answers the number written. With `cells` the quotes become
// what cellText() makes of them.
template <bool cells> qsizetype encodeTo(char* d, const char16_t* s, qsizetype n, int* replaced)
{
    const ReverseTable& table = reverse();
    qsizetype w = 0;
    qsizetype i = 0;
    while (i < n) {
#if defined(__SSE2__)
        // Eight plain ASCII characters at once.
        if (i + 8 <= n) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
            __m128i plain =
                _mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(short(0xFF80))), _mm_setzero_si128());
            if constexpr (cells)
                plain = _mm_andnot_si128(_mm_or_si128(_mm_cmpeq_epi16(v, _mm_set1_epi16('"')),
                                                      _mm_cmpeq_epi16(v, _mm_set1_epi16('`'))),
                                         plain);
            if (_mm_movemask_epi8(plain) == 0xFFFF) {
                _mm_storel_epi64(reinterpret_cast<__m128i*>(d + w), _mm_packus_epi16(v, v));
                i += 8;
                w += 8;
                continue;
            }
        }
#endif
        for (const qsizetype end = std::min(n, i + 8); i < end; ++i) {
            const char16_t u = s[i];
            if (u < 0x80) {
                if constexpr (cells)
                    d[w++] = u == u'`' ? '\'' : u == u'"' ? '`' : char(u);
                else
                    d[w++] = char(u);
                continue;
            }
            const unsigned char b = u < table.bytes.size() ? table.bytes[u] : 0;
            if (b) {
                d[w++] = char(b);
                continue;
            }
            // One "?" per character, also for a pair of surrogates.
            if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(s[i + 1]))
                ++i;
            d[w++] = '?';
            if (replaced)
                ++*replaced;
        }
    }
    return w;
}

template <bool cells> void encodeInto(QByteArray& out, QStringView text, int* replaced)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    out.resize(start + encodeTo<cells>(out.data() + start, text.utf16(), text.size(), replaced));
}

// A row of cells made while written: `"a";"b"` and the line end, in one
// growth of `out`.
void appendRow(QByteArray& out, const QStringList& cells, int* replaced)
{
    qsizetype most = 2;
    for (const QString& cell : cells)
        most += cell.size() + 3;
    const qsizetype start = out.size();
    out.resize(start + most);
    char* d = out.data() + start;
    qsizetype w = 0;
    for (qsizetype c = 0; c < cells.size(); ++c) {
        const QString& cell = cells.at(c);
        d[w++] = '"';
        w += encodeTo<true>(d + w, QStringView(cell).utf16(), cell.size(), replaced);
        d[w++] = '"';
        if (c + 1 < cells.size())
            d[w++] = ';';
    }
    d[w++] = '\r';
    d[w++] = '\n';
    out.resize(start + w);
}
} // namespace

void TVXExportToCSV::appendEncoded(QByteArray& out, QStringView text, int* replaced)
{
    encodeInto<false>(out, text, replaced);
}

bool TVXExportToCSV::write(const Grid& grid, QIODevice& device)
{
    return write(GridRows(grid), device);
}

bool TVXExportToCSV::write(const Grid& grid, const QString& fileName)
{
    return write(GridRows(grid), fileName);
}

bool TVXExportToCSV::write(const Rows& rows, QIODevice& device)
{
    m_error.clear();
    m_cancelled = false;
    m_replaced = 0;
    QByteArray buffer;
    buffer.reserve(kChunk + 4096);
    auto flush = [&] {
        if (device.write(buffer) != buffer.size()) {
            m_error = device.errorString();
            return false;
        }
        buffer.resize(0); // keeps its storage for the next rows
        return true;
    };
    const int total = rows.count();
    QStringList cells;
    for (int r = 0; r < total; ++r) {
        rows.readRow(r, cells);
        if (m_makeCellTexts) {
            appendRow(buffer, cells, &m_replaced);
        } else {
            for (qsizetype c = 0; c < cells.size(); ++c) {
                buffer.append('"');
                if (m_doubledQuotes && cells.at(c).contains(QLatin1Char('"')))
                    appendEncoded(buffer,
                                  QString(cells.at(c)).replace(QStringLiteral("\""), QStringLiteral("\"\"")),
                                  &m_replaced);
                else
                    appendEncoded(buffer, cells.at(c), &m_replaced);
                buffer.append(c + 1 < cells.size() ? "\";" : "\"");
            }
            buffer.append("\r\n");
        }
        if (buffer.size() >= kChunk && !flush())
            return false;
        if (m_progress && !m_progress(r + 1, total)) {
            m_cancelled = true;
            return false;
        }
    }
    return flush();
}

bool TVXExportToCSV::write(const Rows& rows, const QString& fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = file.errorString();
        m_cancelled = false;
        return false;
    }
    if (!write(rows, file)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        m_error = file.errorString();
        return false;
    }
    return true;
}
