#pragma once
// dalvimoctl monitor: every datagram that reaches its socket, from whoever
// sent it (that is what it is for), one line each with its sender, until
// the process is interrupted; optionally a "ping" every so often, as the
// window's auto-poll sends, so that Quorvan has something to answer.

#include "remote/channel.h"

#include <QObject>
#include <QTextStream>
#include <QTimer>

namespace ctl {

class Monitor : public QObject {
    Q_OBJECT
public:
    Monitor(const remote::Endpoint &server, int pollMs, bool json, QTextStream &out);

    // Binds the local port (0: any); false, with the reason in error.
    bool start(quint16 localPort, QString *error);
    quint16 localPort() const { return m_channel.localPort(); }

private:
    void show(const QString &text, const QHostAddress &from, quint16 port);

    remote::Channel m_channel;
    QTimer m_poll;
    bool m_json;
    QTextStream &m_out;
};

} // namespace ctl
