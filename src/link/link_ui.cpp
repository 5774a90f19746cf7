#include "link/link_ui.h"

#include "protocol/protocol.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/form/form.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/log_box.h"
#include "toolkit/controls/shape.h"
#include "toolkit/controls/text_box.h"
#include "toolkit/controls/timer.h"

#include <QPushButton>
#include <QUdpSocket>

namespace {
using K = design::Kind;
using design::kWindow;
} // namespace

void LinkUi::addRows(design::Rows &b)
{
    b.add(K::Timer, "tmr", 0, kWindow, {});
    b.add(K::Socket, "ws", kWindow, {});

    // The debug strip lies beyond the right edge of the window as start-up sizes it.
    b.add(K::LogBox, "txtMsg", kWindow, {9075, 45, 4200, 2340}).spoken("Журнал ответов");
    b.add(K::TextBox, "txtDebug", kWindow, {9075, 2430, 2700, 330}, "Gsk?").withMaxLength(proto::kMaxDatagram)
        .spoken("Команда");
    b.add(K::Button, "cmdDebugSend", kWindow, {11820, 2430, 750, 330}, "Send");
    b.add(K::Button, "cmdSendExit", kWindow, {12615, 2430, 660, 330}, "X");
}

void LinkUi::addResultLine(design::Rows &b)
{
    b.add(K::Label, "lblErr", kWindow, {45, 15, 3450, 255})
        .withTip("Поле отображения результата последней операции").withFore(0x8080FF)
        .withFont({}, 0, true).spoken(tk::Access::Status);
}

LinkUi::LinkUi(tk::Form &form)
{
    // The toolkit holds nothing of the wire: the link makes its socket.
    ws = new QUdpSocket(form.window());
    form.adopt(ws, QStringLiteral("ws"));
    FORM_BIND(form, tmr, 0); // 1: loadNoAnswerTimer
    FORM_BIND(form, txtIp);
    FORM_BIND(form, txtPort);
    FORM_BIND(form, chkAutoping);
    FORM_BIND(form, shpInd);
    FORM_BIND(form, lblErr);
    FORM_BIND(form, txtMsg);
    FORM_BIND(form, txtDebug);
    FORM_BIND(form, cmdDebugSend);
    FORM_BIND(form, cmdSendExit);
}

void LinkUi::loadNoAnswerTimer(tk::Form &form)
{
    tmr.set(1, form.load<tk::Timer>("tmr", 1));
}
