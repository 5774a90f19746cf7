#pragma once
// The "Будильники" page's controls: their rows in the window's design.

#include "toolkit/design_rows.h"

namespace design {
inline constexpr quint32 kEditorBack = 0x0080C0FF; // an alarm's time editor
} // namespace design

struct AlarmsUi {
    // framTab(1) and everything on it.
    static void addRows(design::Rows &b);
};
