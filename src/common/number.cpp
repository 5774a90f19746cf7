#include "common/number.h"

#include <charconv>
#include <cmath>

namespace num {
namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

QStringView trimBlanks(QStringView s)
{
    while (!s.isEmpty() && isBlank(s.front()))
        s = s.mid(1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    return s;
}

// Length of the run of digits starting at i.
qsizetype digitsAt(QStringView s, qsizetype i)
{
    qsizetype n = 0;
    while (i + n < s.size() && isDigit(s[i + n]))
        ++n;
    return n;
}

} // namespace

std::optional<double> parseNumber(QStringView text)
{
    const QStringView s = trimBlanks(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        negative = s[i++] == u'-';
    const qsizetype mantissaStart = i;
    const qsizetype intDigits = digitsAt(s, i);
    i += intDigits;
    qsizetype fracDigits = 0;
    if (i < s.size() && s[i] == u'.') {
        fracDigits = digitsAt(s, i + 1);
        i += 1 + fracDigits;
    }
    if (intDigits + fracDigits == 0)
        return std::nullopt;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-'))
            ++j;
        const qsizetype expDigits = digitsAt(s, j);
        if (expDigits == 0)
            return std::nullopt;
        i = j + expDigits;
    }
    if (i != s.size())
        return std::nullopt;

    // Validated ASCII; from_chars is locale-independent (the process locale
    // may well use a decimal comma).
    const QByteArray bytes = s.mid(mantissaStart).toLatin1();
    double value = 0;
    const auto [end, ec] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), value);
    if (end != bytes.data() + bytes.size())
        return std::nullopt;
    // Out of range, from_chars leaves value untouched, so it cannot tell 1e400
    // from 1e-400; Qt's C-locale parse gives infinity or 0 for them.
    if (ec == std::errc::result_out_of_range)
        value = std::abs(QString::fromLatin1(bytes).toDouble());
    return negative ? -value : value;
}

std::optional<qint16> toInt16(QStringView text)
{
    const std::optional<double> value = parseNumber(text);
    if (!value)
        return std::nullopt;
    // nearbyint rounds in the default mode, to nearest with ties to even.
    const double rounded = std::nearbyint(*value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

std::optional<bool> toBool(QStringView text)
{
    const QStringView s = trimBlanks(text);
    if (s.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (s.compare(u"false", Qt::CaseInsensitive) == 0)
        return false;
    const std::optional<double> value = parseNumber(s);
    if (!value)
        return std::nullopt;
    return *value != 0.0;
}

std::optional<qint64> parsePlainInteger(QStringView text)
{
    QStringView s = trimBlanks(text);
    bool negative = false;
    if (!s.isEmpty() && (s.front() == u'+' || s.front() == u'-')) {
        negative = s.front() == u'-';
        s = s.mid(1);
    }
    if (s.isEmpty() || digitsAt(s, 0) != s.size())
        return std::nullopt;
    while (s.size() > 1 && s.front() == u'0') // leading zeros are allowed
        s = s.mid(1);
    if (s.size() > 15)
        return std::nullopt; // far beyond any range this is used for
    qint64 value = 0;
    for (QChar c : s)
        value = value * 10 + (c.unicode() - u'0');
    return negative ? -value : value;
}

} // namespace num
