#pragma once
// The window's side of the server link: the one way out (Send), the socket
// ws, the poll timer tmr(0) and the no-answer timer tmr(1), the link
// indicator shpInd, the command queue, and the arrival of datagrams, which
// go to the proto::ReplyDispatcher one by one: those of the server in the server
// bar, and no one else's.
//
// Errors, in this layer: nothing thrown; what goes wrong on the wire is
// shown in the result line and the indicator, as the window's design does.

#include "common/form_state.h"
#include "protocol/command_queue.h"
#include "protocol/reply_dispatcher.h"
#include "protocol/reply_source.h"
#include "link/link_ui.h"
#include "link/result_console.h"

#include <QObject>

#include <optional>

namespace tk {
class Form;
} // namespace tk

class Link : public QObject, public proto::LinkHost {
    Q_OBJECT
public:
    static constexpr int kPollInterval = 2000;
    static constexpr int kNoAnswerInterval = 3000;
    static constexpr quint32 kLinkUp = 0x00FF00;
    static constexpr quint32 kLinkDown = LinkUi::kIndicatorDown; // as designed

    Link(tk::Form &form, FormState &state, proto::FeatureReplies &features);

    const LinkUi &ui() const { return m_ui; }

    // Start-up and shut-down steps.
    void PrepareSocket(); // datagrams, bound to a port the system chooses
    void PrepareTimers(); // tmr(0) 2000 ms; tmr(1) created, 3000 ms
    void Close();         // timers stopped, socket closed

    // Every command leaves through here; nothing goes out while the address
    // is not valid.
    void Send(const QString &s);

    void CmdSend(qint32 iCmd);
    void CmdSendNext() override;
    void InitGetData() override;
    bool QueuePush(qint32 id) { return m_queue.QueuePush(id); }
    const proto::CommandQueue &queue() const { return m_queue; }

    void SetIndicator(bool status) override;
    void RestartNoAnswerTimer() override;
    void chkAutoping_Click();
    void tmr_Timer(int index);

    // Every pending datagram, each handled whole; one from anywhere but the
    // server in the server bar is dropped before anything sees it.
    void ws_DataArrival();
    quint64 datagramsReceived() const { return m_received; } // the server's, since start-up
    quint64 datagramsDropped() const { return m_dropped; }   // everyone else's
    void handleText(const QString &text) { m_dispatcher.handle(text); }

    void ErrCode(qint16 iCod, const QString &sDescr) override { m_console.ErrCode(iCod, sDescr); }
    void LogMessage(const QString &sData) override { m_console.LogMessage(sData); }
    ResultConsole &console() { return m_console; }
    void cmdDebugSend_Click();

private:
    // Where commands go now: the address and port of the server bar. Empty
    // while either is not valid.
    std::optional<address::Endpoint> server() const;

    tk::Form &m_form;
    FormState &m_state;
    LinkUi m_ui;
    ResultConsole m_console;
    proto::CommandQueue m_queue;
    proto::ReplyDispatcher m_dispatcher;
    quint64 m_received = 0;
    quint64 m_dropped = 0;
};
