#pragma once
// What a phone needs to pair: the address with the token in its fragment
// (a fragment never goes over the network; the page reads it and keeps the
// token), and that address as a QR code drawn with block characters.

#include <QHostAddress>
#include <QString>
#include <QStringList>

class QTextStream;

namespace web {

// "http://ADDRESS:PORT/#token=TOKEN"
QString pairingAddress(const QHostAddress &address, quint16 port, const QString &token);

// The addresses a phone may reach the server on: the bound one, or, bound
// to all, every IPv4 address of the interfaces that are up, the LAN's first;
// loopback when there is nothing else.
QList<QHostAddress> reachableAddresses(const QHostAddress &bound);

// "Откройте на телефоне:" and the pairing address of each reachable
// address; when standard output is a terminal, the first one's QR code.
void printPairing(QTextStream &out, const QHostAddress &bound, quint16 port, const QString &token);

// The text as a QR code in lines of "█", "▀", "▄" and spaces, two rows of
// modules a line, with the quiet zone; empty when it cannot be encoded.
QStringList qrLines(const QString &text);

} // namespace web
