#include "common/ansi.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace ansi {
namespace {

// Bytes 0x80-0xFF. 0x98 has no character of its own in the code page and
// stands for U+0098, so every byte has exactly one character and back.
constexpr std::array<char16_t, 128> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0: А-Я
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0: а-я
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

using Pair = std::pair<char16_t, unsigned char>; // character, byte

// The table turned around, sorted by character, for a binary search.
constexpr std::array<Pair, 128> kReverse = [] {
    std::array<Pair, 128> r{};
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        r[i] = {kHigh[i], static_cast<unsigned char>(0x80 + i)};
    std::sort(r.begin(), r.end());
    return r;
}();

// Unicode's default-ignorable characters that have no place in the code
// page: they change nothing visible, so they are dropped, not shown as '?'.
// The same set as the converters of the ICU library, which this program
// used before, so settings files and commands keep their bytes.
bool isIgnorable(char32_t c)
{
    static constexpr std::pair<char32_t, char32_t> kRanges[] = {
        {0x034F, 0x034F}, {0x061C, 0x061C}, {0x115F, 0x1160}, {0x17B4, 0x17B5},
        {0x180B, 0x180F}, {0x200B, 0x200F}, {0x202A, 0x202E}, {0x2060, 0x206F},
        {0x3164, 0x3164}, {0xFE00, 0xFE0F}, {0xFEFF, 0xFEFF}, {0xFFA0, 0xFFA0},
        {0xFFF0, 0xFFF8}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF},
    };
    return std::any_of(std::begin(kRanges), std::end(kRanges),
                       [c](const auto &r) { return r.first <= c && c <= r.second; });
}

// The byte of one BMP character, or nothing.
std::optional<char> byteOf(char16_t c)
{
    if (c < 0x80)
        return static_cast<char>(c);
    const auto it = std::lower_bound(kReverse.begin(), kReverse.end(), Pair{c, 0});
    if (it != kReverse.end() && it->first == c)
        return static_cast<char>(it->second);
    return std::nullopt;
}

} // namespace

QString decode(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *to = out.data();
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *to++ = QChar(u < 0x80 ? char16_t(u) : kHigh[u - 0x80]);
    }
    return out;
}

QByteArray encode(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (const auto byte = byteOf(c)) {
            out.append(*byte);
            continue;
        }
        char32_t code = c;
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 == n)
                break; // half a pair at the end: the rest of a character cut off
            if (QChar::isLowSurrogate(text[i + 1].unicode()))
                code = QChar::surrogateToUcs4(c, text[++i].unicode());
        }
        if (!isIgnorable(code))
            out.append('?');
    }
    return out;
}

bool representable(QStringView text)
{
    // Every character has a byte of its own; an ignorable one, dropped by
    // encode(), has none either.
    return std::all_of(text.begin(), text.end(), [](QChar c) { return byteOf(c.unicode()).has_value(); });
}

QString printable(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\r')
            out += QLatin1String("\\r");
        else if (c == u'\n')
            out += QLatin1String("\\n");
        else if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() < 0xa0))
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

} // namespace ansi
