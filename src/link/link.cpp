#include "link/link.h"

#include "common/ansi.h"
#include "protocol/protocol.h"
#include "protocol/address.h"
#include "toolkit/accessibility.h"
#include "toolkit/check_box.h"
#include "toolkit/colours.h"
#include "toolkit/form.h"
#include "toolkit/label.h"
#include "toolkit/shape.h"
#include "toolkit/text_box.h"
#include "toolkit/timer.h"

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QUdpSocket>

Link::Link(Form &form, FormState &state, FeatureReplies &features)
    : m_form(form),
      m_state(state),
      m_console(form),
      m_dispatcher(state, *this, features),
      m_ws(form.get<QUdpSocket>("ws")),
      m_txtIp(form.get<tk::TextBox>("txtIp")),
      m_txtPort(form.get<tk::TextBox>("txtPort")),
      m_txtDebug(form.get<tk::TextBox>("txtDebug")),
      m_chkAutoping(form.get<tk::CheckBox>("chkAutoping")),
      m_shpInd(form.get<tk::Shape>("shpInd")),
      m_poll(form.get<tk::Timer>("tmr", 0))
{
    connect(m_chkAutoping, &tk::CheckBox::Click, this, &Link::chkAutoping_Click);
    connect(form.get<tk::Label>("lblErr"), &tk::Label::Click, this, [this] { m_console.lblErr_Click(); });
    connect(form.get<QPushButton>("cmdDebugSend"), &QPushButton::clicked, this, &Link::cmdDebugSend_Click);
    connect(m_ws, &QUdpSocket::readyRead, this, &Link::ws_DataArrival);
    connect(m_poll, &tk::Timer::Tick, this, [this] { tmr_Timer(0); });
}

void Link::PrepareSocket()
{
    m_ws->bind(QHostAddress::AnyIPv4, 0);
}

void Link::PrepareTimers()
{
    m_poll->setInterval(kPollInterval);
    m_noAnswer = qobject_cast<tk::Timer *>(m_form.load(QStringLiteral("tmr"), 1));
    m_noAnswer->setInterval(kNoAnswerInterval);
    connect(m_noAnswer, &tk::Timer::Tick, this, [this] { tmr_Timer(1); });
}

void Link::Close()
{
    m_poll->setEnabled(false);
    if (m_noAnswer)
        m_noAnswer->setEnabled(false);
    m_ws->close();
}

void Link::Send(const QString &s)
{
    if (!m_state.bIpValid)
        return;
    // Send to the address the check read, part by part in decimal.
    const auto ip = address::ipv4Of(m_txtIp->text());
    const auto port = address::portOf(m_txtPort->text());
    if (!ip)
        return;
    if (!port) {
        m_console.ShowNotice(QStringLiteral("Порт должен быть числом от 1 до 65535"));
        return;
    }
    m_console.Clear();
    m_ws->writeDatagram(ansi::encode(s), QHostAddress(*ip), *port);
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
    tk::setBackColor(m_shpInd, status ? kLinkUp : kLinkDown);
    // Said as well as shown; a screen reader hears only the changes.
    tk::announceName(m_shpInd, status ? QStringLiteral("Quorvan отвечает") : QStringLiteral("Нет ответа"));
}

void Link::RestartNoAnswerTimer()
{
    if (!m_noAnswer)
        return; // before start-up has made it, nothing to restart
    m_noAnswer->setEnabled(false);
    m_noAnswer->setEnabled(true);
}

void Link::chkAutoping_Click()
{
    if (m_state.bLockEvents)
        return;
    if (m_chkAutoping->Value() == 1) {
        m_state.bInitPending = true;
        m_poll->setEnabled(true);
        tmr_Timer(0);
    } else {
        m_poll->setEnabled(false);
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
    while (m_ws->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_ws->receiveDatagram(proto::kMaxDatagram);
        if (!datagram.isValid())
            break; // a socket error, not a datagram
        ++m_received;
        m_dispatcher.handle(ansi::decode(datagram.data()));
    }
}

void Link::cmdDebugSend_Click()
{
    Send(m_txtDebug->text());
}
