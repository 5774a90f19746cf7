#include "link/link.h"

#include "common/ansi.h"
#include "protocol/protocol.h"
#include "common/address.h"
#include "toolkit/accessibility/accessibility.h"
#include "toolkit/accessibility/announcer.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/colours.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/shape.h"
#include "toolkit/controls/text_box.h"
#include "toolkit/controls/timer.h"

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QUdpSocket>

Link::Link(tk::Form &form, FormState &state, proto::FeatureReplies &features)
    : m_form(form),
      m_state(state),
      m_ui(form),
      m_console(m_ui.lblErr, m_ui.txtMsg),
      m_dispatcher(state, *this, features)
{
    connect(m_ui.chkAutoping, &tk::CheckBox::Click, this, &Link::chkAutoping_Click);
    connect(m_ui.lblErr, &tk::Label::Click, this, [this] { m_console.lblErr_Click(); });
    connect(m_ui.cmdDebugSend, &QPushButton::clicked, this, &Link::cmdDebugSend_Click);
    connect(m_ui.ws, &QUdpSocket::readyRead, this, &Link::ws_DataArrival);
    connect(m_ui.tmr(0), &tk::Timer::Tick, this, [this] { tmr_Timer(0); });
}

void Link::PrepareSocket()
{
    m_ui.ws->bind(QHostAddress::AnyIPv4, 0);
}

void Link::PrepareTimers()
{
    m_ui.tmr(0)->setInterval(kPollInterval);
    m_ui.loadNoAnswerTimer(m_form);
    m_ui.tmr(1)->setInterval(kNoAnswerInterval);
    connect(m_ui.tmr(1), &tk::Timer::Tick, this, [this] { tmr_Timer(1); });
}

void Link::Close()
{
    m_ui.tmr(0)->setEnabled(false);
    if (tk::Timer *noAnswer = m_ui.tmr(1))
        noAnswer->setEnabled(false);
    m_ui.ws->close();
}

std::optional<address::Endpoint> Link::server() const
{
    if (!m_state.bIpValid)
        return std::nullopt;
    // The address the check read, part by part in decimal.
    const auto ip = address::ipv4Of(m_ui.txtIp->text());
    const auto port = address::portOf(m_ui.txtPort->text());
    if (!ip || !port)
        return std::nullopt;
    return address::Endpoint{*ip, *port};
}

void Link::Send(const QString &s)
{
    if (!m_state.bIpValid || !address::IsValidIp(m_ui.txtIp->text()))
        return;
    const auto to = server();
    if (!to) {
        m_console.ShowNotice(QStringLiteral("Порт должен быть числом от 1 до 65535"));
        return;
    }
    m_console.Clear();
    m_ui.ws->writeDatagram(ansi::encode(s), QHostAddress(to->ipv4), to->port);
}

void Link::CmdSend(qint32 iCmd)
{
    const QString command = proto::readCommand(iCmd);
    if (!command.isEmpty())
        Send(command);
}

void Link::CmdSendNext()
{
    if (m_queue.iCmdQueueCount() < 1)
        return;
    const qint16 id = m_queue.at(1);
    m_queue.QueueRemove(1); // out of the queue before it is sent, sent or not
    CmdSend(id);
}

void Link::InitGetData()
{
    for (qint32 id = proto::SkinQuery; id <= proto::AllAlarms; ++id)
        m_queue.QueuePush(id);
    CmdSendNext();
}

void Link::SetIndicator(bool status)
{
    tk::setBackColor(m_ui.shpInd, status ? kLinkUp : kLinkDown);
    // Said as well as shown; a screen reader hears only the changes.
    const QString said = status ? QStringLiteral("Quorvan отвечает") : QStringLiteral("Нет ответа");
    if (m_ui.shpInd->accessibleName() != said)
        tk::announce(m_ui.shpInd, said);
    tk::announceName(m_ui.shpInd, said);
}

void Link::RestartNoAnswerTimer()
{
    tk::Timer *noAnswer = m_ui.tmr(1);
    if (!noAnswer)
        return; // before start-up has made it, nothing to restart
    noAnswer->setEnabled(false);
    noAnswer->setEnabled(true);
}

void Link::chkAutoping_Click()
{
    if (m_state.bLockEvents)
        return;
    if (m_ui.chkAutoping->Value() == 1) {
        m_state.bInitPending = true;
        m_ui.tmr(0)->setEnabled(true);
        tmr_Timer(0);
    } else {
        m_ui.tmr(0)->setEnabled(false);
    }
}

void Link::tmr_Timer(int index)
{
    if (index == 0) {
        if (m_queue.iCmdQueueCount() == 0)
            Send(proto::ping());
        else
            CmdSendNext();
    } else if (index == 1) {
        SetIndicator(false);
    }
}

void Link::ws_DataArrival()
{
    // Qt signals readyRead once for all that is waiting, so read everything.
    // A datagram is never larger than the largest one UDP carries; reading
    // up to that size spares asking the kernel for each one's size first.
    // The server as the bar names it now: after a change of address, a late
    // reply of the old server is no reply of the new one. Handling a reply
    // never changes the bar.
    const auto from = server();
    while (m_ui.ws->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_ui.ws->receiveDatagram(proto::kMaxDatagram);
        if (!datagram.isValid())
            break; // a socket error, not a datagram
        if (!from || !proto::fromServer(datagram.senderAddress(), quint16(datagram.senderPort()), *from)) {
            ++m_dropped;
            continue;
        }
        ++m_received;
        m_dispatcher.handle(ansi::decode(datagram.data()));
    }
}

void Link::cmdDebugSend_Click()
{
    Send(m_ui.txtDebug->text());
}
