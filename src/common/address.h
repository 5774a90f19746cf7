#pragma once
// The one home of a Quorvan's address: the rules for address and port texts,
// the default server, and the endpoint that commands go to. Below every
// other layer, so that the settings file, the wire, the shared exchanges and
// the programs beside the window all read an address alike.
//
// Two address rules, named apart:
// - the window's rule (IsValidIp, ipv4Of), as the window's design gives it:
//   valid when the first four dot-separated parts are decimal numbers 0..255
//   (blanks, a sign and leading zeros allowed); later parts are not examined,
//   so "10.0.0.1.5" is 10.0.0.1. Only plain decimal parts count: exponent or
//   hexadecimal forms are rejected.
// - the stricter rule for a real address to send to and to keep (exactIpv4Of):
//   the same parts, exactly four of them.
//
// Errors, in this layer: none thrown; a text that is no number or address
// comes back empty (std::optional).

#include <QLatin1String>
#include <QString>

#include <optional>

namespace address {

// The server address and port the window starts with, and where the
// programs beside it go when nothing else names a server.
inline constexpr QLatin1String kDefaultIp("127.0.0.1");
inline constexpr quint16 kDefaultPort = 17777;

// The address and port commands go to.
struct Endpoint {
    quint32 ipv4 = 0;
    quint16 port = 0;

    QString host() const; // "127.0.0.1"
    QString text() const; // "127.0.0.1:17777"

    friend bool operator==(const Endpoint &, const Endpoint &) = default;
};

bool IsValidIp(const QString &sIp);

// The IPv4 address the window's check read: the first four parts as decimal
// numbers ("192.168.000.010" is 192.168.0.10, never octal). Empty when not
// valid.
std::optional<quint32> ipv4Of(const QString &sIp);

// The stricter rule: blanks around the whole text allowed, then exactly four
// parts by the window's rule; nothing for a name or a malformed text.
std::optional<quint32> exactIpv4Of(const QString &text);

// "192.168.0.10".
QString dotted(quint32 ip);

// A port text that is a whole number 1..65535; empty otherwise.
std::optional<quint16> portOf(const QString &sPort);

} // namespace address
