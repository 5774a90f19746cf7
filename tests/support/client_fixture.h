#pragma once
// A real window on a settings file in a temporary folder, started up, and a
// UDP peer on 127.0.0.1 that plays the server: what the client sends is read
// from the peer's socket; replies are handed to the client's dispatcher, or
// sent over the wire with sendToClient().

#include "link/link.h"
#include "toolkit/form/form.h"
#include "app/frm_main.h"

#include "udp_peer.h"

#include <QTemporaryDir>

#include <memory>

class ClientFixture {
public:
    // Auto-poll off by default, so nothing is sent unless a test asks.
    static constexpr auto kQuietSettings = "[General]\r\nAutoPing=0\r\n";

    explicit ClientFixture(const QByteArray &settings = kQuietSettings, bool load = true);

    app::frmMain &window() { return *m_window; }
    tk::Form &form() { return m_window->form(); }
    FormState &state() { return m_window->state(); }
    Link &link() { return m_window->link(); }
    QString cfgFile() const { return m_dir.filePath(QStringLiteral("dalvimo.cfg")); }
    QString exePath() const { return m_dir.filePath(QStringLiteral("dalvimo")); }
    quint16 peerPort() const { return m_peer.port(); }
    UdpPeer &peer() { return m_peer; }

    template <class T>
    T *get(const QString &name, int index = -1)
    {
        return form().get<T>(name, index);
    }

    void load();             // Form_Load, then point txtPort at the peer
    QStringList takeSent();  // every datagram the peer got since the last call, in order
    void reply(const QString &text) { link().handleText(text); }
    void sendToClient(const QByteArray &bytes); // a real datagram to the client's socket

private:
    QTemporaryDir m_dir;
    UdpPeer m_peer;
    std::unique_ptr<app::frmMain> m_window;
};
