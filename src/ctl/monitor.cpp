#include "ctl/monitor.h"

#include "common/ansi.h"
#include "protocol/protocol.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>

namespace ctl {

using namespace remote; // the exchanges this program is the command line of

Monitor::Monitor(const Endpoint &server, int pollMs, bool json, QTextStream &out)
    : m_channel(server, Channel::Everyone), m_json(json), m_out(out)
{
    connect(&m_channel, &Channel::received, this, &Monitor::show);
    m_poll.setInterval(pollMs);
    connect(&m_poll, &QTimer::timeout, this, [this] { m_channel.send(proto::ping()); });
}

bool Monitor::start(quint16 localPort, QString *error)
{
    if (!m_channel.openOn(localPort, error))
        return false;
    if (m_poll.interval() > 0) {
        m_channel.send(proto::ping());
        m_poll.start();
    }
    return true;
}

// One line per datagram, flushed at once, so a pipe sees it as it comes.
void Monitor::show(const QString &text, const QHostAddress &from, quint16 port)
{
    const QDateTime now = QDateTime::currentDateTime();
    const QString sender = from.toString() + u':' + QString::number(port);
    if (m_json) {
        const QJsonObject o{{QStringLiteral("time"), now.toString(Qt::ISODateWithMs)},
                            {QStringLiteral("from"), sender},
                            {QStringLiteral("text"), text}};
        m_out << QJsonDocument(o).toJson(QJsonDocument::Compact) << Qt::endl;
        return;
    }
    m_out << now.toString(QStringLiteral("HH:mm:ss.zzz")) << u' ' << sender << u' ' << ansi::printable(text)
          << Qt::endl;
}

} // namespace ctl
