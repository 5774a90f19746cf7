#pragma once
// frmMain's controls: the window's own rows (the exit button, the
// "Надписи" page, the tab strip, the server bar, the pictures and borders),
// and the whole window's rows in design order, each part's where it lies.

#include "toolkit/design_rows.h"

#include <vector>

namespace design {
inline constexpr auto kCaption = "Dalvimo";
// The designed client size in twips; start-up shrinks it to the pages.
inline constexpr int kDesignWidth = 9270;
inline constexpr int kDesignHeight = 8640;
inline constexpr quint32 kServerFieldBack = 0xF8B880;
inline constexpr quint32 kTabBorder = 0xE0E0E0;
} // namespace design

struct MainUi {
    // Every control of the window; the first row lies on top.
    static const std::vector<design::Control> &rows();
};
