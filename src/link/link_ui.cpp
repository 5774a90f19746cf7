#include "link/link_ui.h"

#include "protocol/protocol.h"

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
