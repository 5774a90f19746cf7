#pragma once
// The link's own controls: their rows in the window's design; and typed
// handles to the controls the link uses, filled once from the built form
// (the server bar's address, port, auto-poll box and indicator among them).

#include "toolkit/controls/control_array.h"
#include "toolkit/form/design_rows.h"

class QPushButton;
class QUdpSocket;
namespace tk {
class CheckBox;
class Form;
class Label;
class LogBox;
class Shape;
class TextBox;
class Timer;
} // namespace tk

struct LinkUi {
    static constexpr quint32 kIndicatorDown = 0x222AC7; // shpInd red: no answer

    // The poll timer tmr(0), the socket ws and the debug strip (the log
    // txtMsg, the command line txtDebug and its two buttons).
    static void addRows(design::Rows &b);
    // The result line lblErr.
    static void addResultLine(design::Rows &b);

    explicit LinkUi(tk::Form &form);
    // Start-up: the no-answer timer tmr(1), a copy of tmr(0).
    void loadNoAnswerTimer(tk::Form &form);

    QUdpSocket *ws;
    tk::ControlArray<tk::Timer, 0, 1> tmr; // 0 poll, 1 no answer once loaded
    tk::TextBox *txtIp;
    tk::TextBox *txtPort;
    tk::CheckBox *chkAutoping;
    tk::Shape *shpInd;
    tk::Label *lblErr;
    tk::LogBox *txtMsg;
    tk::TextBox *txtDebug;
    QPushButton *cmdDebugSend;
    QPushButton *cmdSendExit;
};
