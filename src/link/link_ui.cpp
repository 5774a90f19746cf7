#include "link/link_ui.h"

#include "protocol/protocol.h"
#include "toolkit/check_box.h"
#include "toolkit/form.h"
#include "toolkit/label.h"
#include "toolkit/log_box.h"
#include "toolkit/shape.h"
#include "toolkit/text_box.h"
#include "toolkit/timer.h"

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

LinkUi::LinkUi(const Form &form)
{
    form.bind(ws, "ws");
    form.bind(tmr, "tmr", 0); // 1: loadNoAnswerTimer
    form.bind(txtIp, "txtIp");
    form.bind(txtPort, "txtPort");
    form.bind(chkAutoping, "chkAutoping");
    form.bind(shpInd, "shpInd");
    form.bind(lblErr, "lblErr");
    form.bind(txtMsg, "txtMsg");
    form.bind(txtDebug, "txtDebug");
    form.bind(cmdDebugSend, "cmdDebugSend");
    form.bind(cmdSendExit, "cmdSendExit");
}

void LinkUi::loadNoAnswerTimer(Form &form)
{
    tmr.set(1, form.load<tk::Timer>("tmr", 1));
}
