#include "maintenance/CsvSheet.h"

#include <QIODevice>
#include <QStringDecoder>

#include <csv.h>

#include <cstring>

namespace {
const QString kRefused = QStringLiteral("Plik nie jest tekstem w żadnym z obsługiwanych kodowań "
                                        "(UTF-8, UTF-16 ze znacznikiem BOM, Windows-1250): ");

// The 1-based line of the byte at `pos`.
int lineAt(const char* bytes, qsizetype pos)
{
    int line = 1;
    for (qsizetype i = 0; i < pos; ++i)
        if (bytes[i] == '\n')
            ++line;
    return line;
}

bool isControl(uint c)
{
    return c < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

bool isPolishLetter(uint c)
{
    switch (c) {
    case 0x0104:
    case 0x0105:
    case 0x0106:
    case 0x0107:
    case 0x0118:
    case 0x0119:
    case 0x0141:
    case 0x0142:
    case 0x0143:
    case 0x0144:
    case 0x00D3:
    case 0x00F3:
    case 0x015A:
    case 0x015B:
    case 0x0179:
    case 0x017A:
    case 0x017B:
    case 0x017C:
        return true;
    default:
        return false;
    }
}

// One pass over bytes that may be UTF-8: the first NUL, control character
// and invalid sequence, and the first Polish letter written in UTF-8 (which
// tells a file that mixes UTF-8 with another encoding from a Windows-1250 one).
struct Utf8Scan
{
    qsizetype nul = -1;
    qsizetype control = -1;
    qsizetype invalid = -1;
    qsizetype polish = -1;

    Utf8Scan(const char* s, qsizetype n)
    {
        const auto* b = reinterpret_cast<const unsigned char*>(s);
        qsizetype i = 0;
        while (i < n) {
            const uint c = b[i];
            if (c < 0x80) {
                if (c == 0 && nul < 0)
                    nul = i;
                // A Ctrl+Z closing the file (old DOS programs) is no control character.
                else if (c != 0 && isControl(c) && control < 0 && !(c == 0x1A && i == n - 1))
                    control = i;
                ++i;
                continue;
            }
            int length = 0;
            uint cp = 0;
            uint min = 0;
            if (c >= 0xC2 && c <= 0xDF) {
                length = 2;
                cp = c & 0x1F;
                min = 0x80;
            } else if (c >= 0xE0 && c <= 0xEF) {
                length = 3;
                cp = c & 0x0F;
                min = 0x800;
            } else if (c >= 0xF0 && c <= 0xF4) {
                length = 4;
                cp = c & 0x07;
                min = 0x10000;
            }
            bool ok = length > 0 && i + length <= n;
            for (int k = 1; ok && k < length; ++k) {
                const uint next = b[i + k];
                ok = (next & 0xC0) == 0x80;
                cp = (cp << 6) | (next & 0x3F);
            }
            ok = ok && cp >= min && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
            if (!ok) {
                if (invalid < 0)
                    invalid = i;
                ++i;
                continue;
            }
            if (polish < 0 && isPolishLetter(cp))
                polish = i;
            i += length;
        }
    }
};

// Bytes 0x81, 0x83, 0x88, 0x90 and 0x98 stand for no character in Windows-1250.
qsizetype firstUndefinedIn1250(const char* s, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == 0x81 || c == 0x83 || c == 0x88 || c == 0x90 || c == 0x98)
            return i;
    }
    return -1;
}

QString byteText(unsigned char c)
{
    return QStringLiteral("0x") + QString::number(c, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

// Whitespace only: such a line starts no row.
bool blankLine(const char* s, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i)
        if (s[i] != ' ' && s[i] != '\t' && s[i] != '\r' && s[i] != '\n')
            return false;
    return true;
}

// Guards the parser's memory.
class Parser
{
public:
    Parser() { m_ok = csv_init(&m_parser, 0) == 0; }
    ~Parser()
    {
        if (m_ok)
            csv_free(&m_parser);
    }
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;
    csv_parser* get() { return m_ok ? &m_parser : nullptr; }

private:
    csv_parser m_parser{};
    bool m_ok = false;
};

constexpr int kLinesPerReport = 4096;
} // namespace

QString CsvSheet::field(int row, int column) const
{
    const Row& r = m_rows.at(row);
    if (column < 0 || column >= r.count)
        return {};
    const qsizetype index = r.first + column;
    const qsizetype start = index == 0 ? 0 : m_ends.at(index - 1);
    return QString::fromUtf8(m_text.constData() + start, m_ends.at(index) - start);
}

QByteArrayView CsvSheet::fieldUtf8(int row, int column) const
{
    const Row& r = m_rows.at(row);
    if (column < 0 || column >= r.count)
        return {};
    const qsizetype index = r.first + column;
    const qsizetype start = index == 0 ? 0 : m_ends.at(index - 1);
    return QByteArrayView(m_text.constData() + start, m_ends.at(index) - start);
}

QStringList CsvSheet::fields(int row) const
{
    QStringList out;
    for (int c = 0; c < m_rows.at(row).count; ++c)
        out << field(row, c);
    return out;
}

void CsvSheet::clear()
{
    m_text.clear();
    m_ends.clear();
    m_rows.clear();
    m_columns = 0;
    m_error.clear();
    m_errorLine = 0;
    m_cancelled = false;
    m_encoding = Encoding::Unknown;
    m_recordOpen = false;
}

QStringList CsvSheet::splitLine(const QString& line, QChar separator)
{
    CsvSheet sheet;
    if (!sheet.parse(line.toUtf8(), separator, nullptr, 0) || sheet.rowCount() == 0)
        return {};
    return sheet.fields(0);
}

void CsvSheet::fail(const QString& message, int line)
{
    m_error = message;
    m_errorLine = line;
}

bool CsvSheet::read(QIODevice& device, QChar separator, Progress* progress)
{
    clear();
    const qint64 total = std::max<qint64>(device.size(), 0);
    // Reading counts for the first half of the bar, splitting for the second.
    if (progress)
        progress->setRange(2 * total);
    QByteArray bytes;
    bytes.reserve(qsizetype(total));
    constexpr qint64 chunk = 1 << 20;
    while (!device.atEnd()) {
        const QByteArray part = device.read(chunk);
        if (part.isEmpty()) {
            if (!device.atEnd()) {
                fail(device.errorString(), 0);
                return false;
            }
            break;
        }
        bytes += part;
        if (progress) {
            progress->setValue(std::min<qint64>(bytes.size(), total));
            if (progress->cancelled()) {
                m_cancelled = true;
                return false;
            }
        }
    }
    if (!toUtf8(bytes))
        return false;
    return parse(bytes, separator, progress, total);
}

bool CsvSheet::toUtf8(QByteArray& bytes)
{
    const char* s = bytes.constData();
    const qsizetype n = bytes.size();
    if (n >= 2 && ((s[0] == '\xFF' && s[1] == '\xFE') || (s[0] == '\xFE' && s[1] == '\xFF'))) {
        // UTF-16 with its byte-order mark.
        const bool little = s[0] == '\xFF';
        const auto* b = reinterpret_cast<const unsigned char*>(s);
        QString text;
        text.reserve((n - 2) / 2);
        int line = 1;
        for (qsizetype i = 2; i < n; i += 2) {
            if (i + 1 >= n) {
                fail(kRefused + QStringLiteral("wiersz ") + QString::number(line) +
                         QStringLiteral(" kończy się niepełnym znakiem UTF-16."),
                     line);
                return false;
            }
            const char16_t u = little ? char16_t(b[i] | (b[i + 1] << 8)) : char16_t((b[i] << 8) | b[i + 1]);
            if (u == 0 || isControl(u)) {
                fail(kRefused + QStringLiteral("wiersz ") + QString::number(line) +
                         QStringLiteral(" zawiera znak sterujący (kod ") + byteText(uchar(u)) +
                         QStringLiteral(")."),
                     line);
                return false;
            }
            const bool high = QChar::isHighSurrogate(u);
            const bool low = QChar::isLowSurrogate(u);
            const bool pairEnd = low && !text.isEmpty() && text.back().isHighSurrogate();
            const bool pairOpen = !text.isEmpty() && text.back().isHighSurrogate() && !low;
            if ((low && !pairEnd) || pairOpen || (high && i + 2 >= n)) {
                fail(kRefused + QStringLiteral("wiersz ") + QString::number(line) +
                         QStringLiteral(" zawiera niepoprawną sekwencję UTF-16."),
                     line);
                return false;
            }
            if (u == u'\n')
                ++line;
            text.append(QChar(u));
        }
        bytes = text.toUtf8();
        m_encoding = Encoding::Utf16;
        return true;
    }

    const bool bom = n >= 3 && s[0] == '\xEF' && s[1] == '\xBB' && s[2] == '\xBF';
    const Utf8Scan scan(s, n);
    if (scan.nul >= 0) {
        const int line = lineAt(s, scan.nul);
        fail(kRefused + QStringLiteral("wiersz ") + QString::number(line) +
                 QStringLiteral(" zawiera bajt zerowy (NUL), jak plik binarny albo zapisany w UTF-16 bez "
                                "znacznika BOM."),
             line);
        return false;
    }
    if (scan.control >= 0) {
        const int line = lineAt(s, scan.control);
        fail(kRefused + QStringLiteral("wiersz ") + QString::number(line) +
                 QStringLiteral(" zawiera znak sterujący (kod ") +
                 byteText(static_cast<unsigned char>(s[scan.control])) + QStringLiteral(")."),
             line);
        return false;
    }
    if (scan.invalid < 0) {
        if (bom)
            bytes.remove(0, 3);
        m_encoding = Encoding::Utf8;
        return true;
    }
    const int invalidLine = lineAt(s, scan.invalid);
    if (bom) {
        fail(kRefused + QStringLiteral("plik zaczyna się znacznikiem UTF-8, a wiersz ") +
                 QString::number(invalidLine) + QStringLiteral(" zawiera bajty niepoprawne w UTF-8."),
             invalidLine);
        return false;
    }
    if (scan.polish >= 0) {
        const int utf8Line = lineAt(s, scan.polish);
        fail(kRefused + QStringLiteral("wiersz ") + QString::number(invalidLine) +
                 QStringLiteral(" nie jest zapisany w UTF-8, a wiersz ") + QString::number(utf8Line) +
                 QStringLiteral(" jest (plik łączy różne kodowania znaków)."),
             invalidLine);
        return false;
    }
    const qsizetype undefined = firstUndefinedIn1250(s, n);
    if (undefined >= 0) {
        const int line = lineAt(s, undefined);
        fail(kRefused + QStringLiteral("wiersz ") + QString::number(line) + QStringLiteral(" zawiera bajt ") +
                 byteText(static_cast<unsigned char>(s[undefined])) +
                 QStringLiteral(", który nie jest znakiem ani w UTF-8, ani w Windows-1250."),
             line);
        return false;
    }
    QStringDecoder cp1250("windows-1250");
    bytes = QString(cp1250.decode(bytes)).toUtf8();
    m_encoding = Encoding::Windows1250;
    return true;
}

void CsvSheet::fieldDone(void* data, size_t length, void* self)
{
    auto* sheet = static_cast<CsvSheet*>(self);
    if (length)
        sheet->m_text.append(static_cast<const char*>(data), qsizetype(length));
    sheet->m_ends.append(sheet->m_text.size());
}

void CsvSheet::rowDone(int, void* self)
{
    auto* sheet = static_cast<CsvSheet*>(self);
    const qsizetype first = sheet->m_recordFirst;
    const qsizetype start = first == 0 ? 0 : sheet->m_ends.at(first - 1);
    const int count = int(sheet->m_ends.size() - first);
    const int line = sheet->m_recordOpen ? sheet->m_openLine : sheet->m_line;
    sheet->m_recordOpen = false;
    if (blankLine(sheet->m_text.constData() + start, sheet->m_text.size() - start)) {
        // A row of blank fields (";;;") is no row.
        sheet->m_text.truncate(start);
        sheet->m_ends.resize(first);
    } else {
        sheet->m_rows.append(Row{line, count, first});
        sheet->m_columns = std::max(sheet->m_columns, count);
    }
    sheet->m_recordFirst = sheet->m_ends.size();
}

bool CsvSheet::parse(const QByteArray& utf8, QChar separator, Progress* progress, qint64 doneBefore)
{
    if (separator.unicode() == 0 || separator.unicode() >= 0x80 || separator == QLatin1Char('"') ||
        separator == QLatin1Char('\n') || separator == QLatin1Char('\r')) {
        fail(QStringLiteral("Niepoprawny separator kolumn!"), 0);
        return false;
    }
    Parser parser;
    csv_parser* p = parser.get();
    if (!p) {
        fail(QStringLiteral("Brak pamięci na odczyt arkusza."), 0);
        return false;
    }
    csv_set_delim(p, static_cast<unsigned char>(separator.toLatin1()));
    m_text.reserve(utf8.size());
    m_recordFirst = m_ends.size();
    m_recordOpen = false;
    const char* s = utf8.constData();
    const qsizetype n = utf8.size();
    qsizetype at = 0;
    m_line = 0;
    // Fed line by line, so that every row knows the line it starts on.
    while (at < n) {
        const void* nl = std::memchr(s + at, '\n', size_t(n - at));
        const qsizetype end = nl ? static_cast<const char*>(nl) - s + 1 : n;
        ++m_line;
        if (!m_recordOpen && !blankLine(s + at, end - at)) {
            m_recordOpen = true;
            m_openLine = m_line;
        }
        if (csv_parse(p, s + at, size_t(end - at), fieldDone, rowDone, this) != size_t(end - at)) {
            fail(QStringLiteral("Niepoprawny format arkusza .CSV: wiersz ") + QString::number(m_line) +
                     QStringLiteral(" (") + QString::fromLocal8Bit(csv_strerror(csv_error(p))) +
                     QStringLiteral(")."),
                 m_line);
            return false;
        }
        at = end;
        if (progress && m_line % kLinesPerReport == 0) {
            progress->setValue(doneBefore + at);
            if (progress->cancelled()) {
                m_cancelled = true;
                clear();
                m_cancelled = true;
                return false;
            }
        }
    }
    // A quote opened and never closed would swallow the rest of the file:
    // the record is dropped and named.
    csv_set_opts(p, static_cast<unsigned char>(csv_get_opts(p) | CSV_STRICT | CSV_STRICT_FINI));
    const int openLine = m_openLine;
    const bool open = m_recordOpen;
    const qsizetype keepFields = m_recordFirst;
    if (csv_fini(p, fieldDone, rowDone, this) != 0) {
        m_ends.resize(keepFields);
        m_text.truncate(keepFields == 0 ? 0 : m_ends.at(keepFields - 1));
        fail(QStringLiteral("Niepoprawny format arkusza .CSV: cudzysłów otwarty w wierszu ") +
                 QString::number(open ? openLine : m_line) +
                 QStringLiteral(" nie został zamknięty do końca pliku."),
             open ? openLine : m_line);
        return false;
    }
    if (progress)
        progress->setValue(doneBefore + n);
    return true;
}
