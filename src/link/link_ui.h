#pragma once
// The link's own controls: their rows in the window's design.

#include "toolkit/design_rows.h"

namespace design {
inline constexpr quint32 kIndicatorDown = 0x222AC7; // red: no answer
} // namespace design

struct LinkUi {
    // The poll timer tmr(0), the socket ws and the debug strip (the log
    // txtMsg, the command line txtDebug and its two buttons).
    static void addRows(design::Rows &b);
    // The result line lblErr.
    static void addResultLine(design::Rows &b);
};
