#pragma once
// The server address and port as the user types them. An address is valid
// when its first four dot-separated parts are decimal numbers 0..255 (blanks,
// a sign and leading zeros allowed); later parts are not examined. Only
// plain decimal parts count: exponent or hexadecimal forms are rejected.

#include <QLatin1String>
#include <QString>

#include <optional>

namespace address {

// The server address and port the window starts with, and where the
// command-line program goes when nothing else names a server.
inline constexpr QLatin1String kDefaultIp("127.0.0.1");
inline constexpr QLatin1String kDefaultPort("17777");

bool IsValidIp(const QString &sIp);

// The IPv4 address the check read: the first four parts as decimal numbers
// ("192.168.000.010" is 192.168.0.10, never octal). Empty when not valid.
std::optional<quint32> ipv4Of(const QString &sIp);

// A port text that is a whole number 1..65535; empty otherwise.
std::optional<quint16> portOf(const QString &sPort);

} // namespace address
