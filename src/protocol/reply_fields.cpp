#include "protocol/reply_fields.h"

#include "common/number.h"

namespace proto {

qint16 needInt16(QStringView text)
{
    const auto v = num::toInt16(text);
    if (!v)
        fail("not a 16-bit integer");
    return *v;
}

bool needBool(QStringView text)
{
    const auto v = num::toBool(text);
    if (!v)
        fail("not a Boolean");
    return *v;
}

Fields::Fields(const QString &text, qsizetype maxParts)
{
    if (text.isEmpty())
        return; // an empty payload has no fields at all, not one empty one
    qsizetype from = 0;
    while (maxParts <= 0 || m_parts.size() < maxParts - 1) {
        const qsizetype bar = text.indexOf(u'|', from);
        if (bar < 0)
            break;
        m_parts.append(text.mid(from, bar - from));
        from = bar + 1;
    }
    m_parts.append(text.mid(from));
}

const QString &Fields::text(qsizetype i) const
{
    if (i < 0 || i >= m_parts.size())
        fail("missing field");
    return m_parts[i];
}

QList<QString> splitAlarmList(const QString &payload)
{
    QList<QString> lines;
    if (payload.isEmpty())
        return lines;
    qsizetype from = 0;
    while (lines.size() < kAlarmListLines - 1) {
        const qsizetype crlf = payload.indexOf(QLatin1String("\r\n"), from);
        if (crlf < 0)
            break;
        lines.append(payload.mid(from, crlf - from));
        from = crlf + 2;
    }
    lines.append(payload.mid(from));
    return lines;
}

} // namespace proto
