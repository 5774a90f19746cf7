#include "web/pairing.h"

#include <QNetworkInterface>
#include <QTextStream>

#include <qrencode.h>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace web {

QString pairingAddress(const QHostAddress &address, quint16 port, const QString &token)
{
    return QStringLiteral("http://%1:%2/#token=%3").arg(address.toString()).arg(port).arg(token);
}

QList<QHostAddress> reachableAddresses(const QHostAddress &bound)
{
    if (bound != QHostAddress::Any && bound != QHostAddress::AnyIPv4)
        return {bound};
    QList<QHostAddress> lan;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &i : interfaces) {
        if (!i.flags().testFlag(QNetworkInterface::IsUp) || i.flags().testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const auto entries = i.addressEntries();
        for (const QNetworkAddressEntry &e : entries)
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol)
                lan << e.ip();
    }
    if (lan.isEmpty())
        lan << QHostAddress(QHostAddress::LocalHost);
    return lan;
}

QStringList qrLines(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString8bit(utf8.constData(), 0, QR_ECLEVEL_L), &QRcode_free);
    if (!code)
        return {};
    const int n = code->width;
    constexpr int quiet = 2;
    // Light modules are drawn, dark ones left blank: a terminal's dark
    // background then shows the code the right way round.
    auto dark = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= n || y >= n)
            return false;
        return (code->data[y * n + x] & 1) != 0;
    };
    QStringList lines;
    for (int y = -quiet; y < n + quiet; y += 2) {
        QString line;
        for (int x = -quiet; x < n + quiet; ++x) {
            const bool top = !dark(x, y);
            const bool bottom = !dark(x, y + 1);
            line += top && bottom ? u'█' : top ? u'▀' : bottom ? u'▄' : u' ';
        }
        lines << line;
    }
    return lines;
}

void printPairing(QTextStream &out, const QHostAddress &bound, quint16 port, const QString &token)
{
    const auto addresses = reachableAddresses(bound);
    out << "Откройте на телефоне:\n";
    for (const QHostAddress &a : addresses)
        out << "  " << pairingAddress(a, port, token) << '\n';
    if (isatty(fileno(stdout)) != 0)
        for (const QString &line : qrLines(pairingAddress(addresses.first(), port, token)))
            out << line << '\n';
    out.flush();
}

} // namespace web
