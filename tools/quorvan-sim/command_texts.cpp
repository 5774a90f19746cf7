#include "command_texts.h"

#include "common/number.h"

#include <QRegularExpression>

namespace sim {

std::optional<QTime> parseAlarmTime(QStringView text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?$"));
    const QRegularExpressionMatch m = pattern.match(text.toString());
    if (!m.hasMatch())
        return std::nullopt;
    const int h = m.captured(1).toInt();
    const int n = m.captured(2).toInt();
    const int s = m.hasCaptured(3) ? m.captured(3).toInt() : 0;
    if (h > 23 || n > 59 || s > 59)
        return std::nullopt;
    return QTime(h, n, s);
}

std::optional<int> parseSelector(QStringView text)
{
    QStringView digits = text.startsWith(u'-') ? text.mid(1) : text;
    if (digits.isEmpty() || digits.size() > 9)
        return std::nullopt;
    for (QChar c : digits)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    return static_cast<int>(*num::parsePlainInteger(text));
}

} // namespace sim
