#include "client_fixture.h"

#include "toolkit/controls/text_box.h"

#include <QCoreApplication>
#include <QFile>

ClientFixture::ClientFixture(const QByteArray &settings, bool loadNow)
{
    if (!settings.isNull()) {
        QFile f(cfgFile());
        if (f.open(QIODevice::WriteOnly))
            f.write(settings);
    }
    m_window = std::make_unique<app::frmMain>(exePath());
    if (loadNow)
        load();
}

void ClientFixture::load()
{
    m_window->Form_Load();
    get<tk::TextBox>("txtPort")->setText(QString::number(m_peer.port()));
}

QStringList ClientFixture::takeSent()
{
    return m_peer.take();
}

void ClientFixture::sendToClient(const QByteArray &bytes)
{
    const quint16 port = form().get<QUdpSocket>("ws")->localPort();
    m_peer.send(bytes, port);
}
