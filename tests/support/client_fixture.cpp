#include "client_fixture.h"

#include "common/ansi.h"
#include "toolkit/controls/text_box.h"

#include <QCoreApplication>
#include <QFile>
#include <QNetworkDatagram>

ClientFixture::ClientFixture(const QByteArray &settings, bool loadNow)
{
    m_peer.bind(QHostAddress::LocalHost, 0);
    if (!settings.isNull()) {
        QFile f(cfgFile());
        if (f.open(QIODevice::WriteOnly))
            f.write(settings);
    }
    m_window = std::make_unique<frmMain>(exePath());
    if (loadNow)
        load();
}

void ClientFixture::load()
{
    m_window->Form_Load();
    get<tk::TextBox>("txtPort")->setText(QString::number(m_peer.localPort()));
}

QStringList ClientFixture::takeSent()
{
    QStringList out;
    // Loopback datagrams are queued by the time writeDatagram returns.
    while (m_peer.hasPendingDatagrams())
        out << ansi::decode(m_peer.receiveDatagram().data());
    return out;
}

void ClientFixture::sendToClient(const QByteArray &bytes)
{
    const quint16 port = form().get<QUdpSocket>("ws")->localPort();
    m_peer.writeDatagram(bytes, QHostAddress::LocalHost, port);
}
