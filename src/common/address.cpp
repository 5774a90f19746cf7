#include "common/address.h"

#include "common/number.h"

#include <QStringList>

namespace address {

QString Endpoint::host() const { return dotted(ipv4); }

QString Endpoint::text() const { return host() + u':' + QString::number(port); }

std::optional<quint32> ipv4Of(const QString &sIp)
{
    if (sIp.isEmpty())
        return std::nullopt;
    quint32 ip = 0;
    qsizetype from = 0;
    for (int part = 0; part < 4; ++part) {
        if (from > sIp.size())
            return std::nullopt; // fewer than four parts
        qsizetype dot = sIp.indexOf(u'.', from);
        if (dot < 0)
            dot = sIp.size();
        const auto value = num::parsePlainInteger(QStringView(sIp).mid(from, dot - from));
        if (!value || *value < 0 || *value > 255)
            return std::nullopt;
        ip = ip << 8 | quint32(*value);
        from = dot + 1;
    }
    return ip;
}

bool IsValidIp(const QString &sIp)
{
    return ipv4Of(sIp).has_value();
}

std::optional<quint32> exactIpv4Of(const QString &text)
{
    const QString t = text.trimmed();
    if (t.count(u'.') != 3)
        return std::nullopt;
    return ipv4Of(t);
}

QString dotted(quint32 ip)
{
    return QStringLiteral("%1.%2.%3.%4").arg(ip >> 24).arg((ip >> 16) & 0xFF).arg((ip >> 8) & 0xFF).arg(ip & 0xFF);
}

std::optional<quint16> portOf(const QString &sPort)
{
    const auto value = num::parsePlainInteger(sPort);
    if (!value || *value < 1 || *value > 65535)
        return std::nullopt;
    return quint16(*value);
}

} // namespace address
