#include "store/PolishCollation.h"

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace {
// Primary weight of a code point: digits first, then the letters of the Polish
// alphabet without regard to case, then everything else by code point.
struct Weight
{
    uint32_t primary;
    uint32_t secondary; // 0 lower case / not a letter, 1 upper case
};

constexpr uint32_t kLetterBase = 0x100;
constexpr uint32_t kOtherBase = 0x1000;

Weight weightOf(char32_t c)
{
    // Letters of the Polish alphabet in order; foreign diacritics fall back to
    // their code point after the alphabet.
    static const char32_t lower[] = {U'a', U'ą', U'b', U'c', U'ć', U'd', U'e', U'ę', U'f', U'g', U'h', U'i',
                                     U'j', U'k', U'l', U'ł', U'm', U'n', U'ń', U'o', U'ó', U'p', U'q', U'r',
                                     U's', U'ś', U't', U'u', U'v', U'w', U'x', U'y', U'z', U'ź', U'ż'};
    static const char32_t upper[] = {U'A', U'Ą', U'B', U'C', U'Ć', U'D', U'E', U'Ę', U'F', U'G', U'H', U'I',
                                     U'J', U'K', U'L', U'Ł', U'M', U'N', U'Ń', U'O', U'Ó', U'P', U'Q', U'R',
                                     U'S', U'Ś', U'T', U'U', U'V', U'W', U'X', U'Y', U'Z', U'Ź', U'Ż'};
    if (c >= U'0' && c <= U'9')
        return {0x80 + uint32_t(c - U'0'), 0};
    if (c < 0x80) {
        if (c >= U'a' && c <= U'z') {
            static const std::array<uint8_t, 26> rank = [] {
                std::array<uint8_t, 26> r{};
                for (uint8_t i = 0; i < 35; ++i)
                    if (lower[i] < 0x80)
                        r[lower[i] - U'a'] = i;
                return r;
            }();
            return {kLetterBase + rank[c - U'a'], 0};
        }
        if (c >= U'A' && c <= U'Z')
            return {weightOf(c + 32).primary, 1};
        return {uint32_t(c), 0}; // blanks and punctuation sort before digits and letters
    }
    for (uint32_t i = 0; i < 35; ++i) {
        if (lower[i] == c)
            return {kLetterBase + i, 0};
        if (upper[i] == c)
            return {kLetterBase + i, 1};
    }
    return {kOtherBase + uint32_t(c), 0};
}

// Decodes one UTF-8 sequence; invalid bytes stand for themselves.
char32_t nextCodePoint(const unsigned char*& p, const unsigned char* end)
{
    const unsigned char c = *p++;
    if (c < 0x80)
        return c;
    int extra = (c >= 0xF0) ? 3 : (c >= 0xE0) ? 2 : (c >= 0xC0) ? 1 : 0;
    if (extra == 0 || end - p < extra)
        return c;
    char32_t cp = c & (0x3F >> extra);
    for (int i = 0; i < extra; ++i)
        cp = (cp << 6) | (*p++ & 0x3F);
    return cp;
}

int collate(void*, int lenA, const void* a, int lenB, const void* b)
{
    return PolishCollation::compareUtf8(static_cast<const char*>(a), lenA, static_cast<const char*>(b), lenB);
}
} // namespace

namespace PolishCollation {
int compareUtf8(const char* a, int lenA, const char* b, int lenB)
{
    const auto* pa = reinterpret_cast<const unsigned char*>(a);
    const auto* pb = reinterpret_cast<const unsigned char*>(b);
    const auto* ea = pa + lenA;
    const auto* eb = pb + lenB;
    int secondary = 0;
    while (pa < ea && pb < eb) {
        const Weight wa = weightOf(nextCodePoint(pa, ea));
        const Weight wb = weightOf(nextCodePoint(pb, eb));
        if (wa.primary != wb.primary)
            return wa.primary < wb.primary ? -1 : 1;
        if (secondary == 0 && wa.secondary != wb.secondary)
            secondary = wa.secondary < wb.secondary ? -1 : 1;
    }
    if (pa < ea)
        return 1;
    if (pb < eb)
        return -1;
    if (secondary != 0)
        return secondary;
    const int common = std::min(lenA, lenB);
    const int raw = std::memcmp(a, b, size_t(common));
    return raw != 0 ? (raw < 0 ? -1 : 1) : (lenA < lenB ? -1 : lenA > lenB ? 1 : 0);
}

std::string sortKey(const char* text, int length)
{
    std::string key;
    appendSortKey(key, text, length);
    return key;
}

void appendSortKey(std::string& key, const char* text, int length)
{
    // Primary weights, a terminator below every weight so a shorter text comes
    // first, the case of each letter, then the bytes themselves. A weight takes
    // two bytes below 0xFF00 (every letter and digit) and 0xFF + three above,
    // which keeps the byte order of the weights and no code a prefix of another.
    thread_local std::string cases; // kept between calls: no allocation per key
    cases.clear();
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    const auto* e = p + length;
    while (p < e) {
        const Weight w = weightOf(nextCodePoint(p, e));
        const uint32_t v = w.primary + 1; // never 0: the terminator is 0 0
        if (v < 0xFF00) {
            key.push_back(char((v >> 8) & 0xFF));
            key.push_back(char(v & 0xFF));
        } else {
            key.push_back(char(0xFF));
            key.push_back(char((v >> 16) & 0xFF));
            key.push_back(char((v >> 8) & 0xFF));
            key.push_back(char(v & 0xFF));
        }
        cases.push_back(char(w.secondary));
    }
    key.append(2, '\0');
    key.append(cases);
    key.append(text, size_t(length));
}

int compare(const QString& a, const QString& b)
{
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    return compareUtf8(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()));
}

bool registerOn(sqlite3* db)
{
    return sqlite3_create_collation(db, "PL", SQLITE_UTF8, nullptr, &collate) == SQLITE_OK;
}
} // namespace PolishCollation
