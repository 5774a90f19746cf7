#pragma once
// The "Скины" page's controls: their rows in the window's design.

#include "toolkit/design_rows.h"

struct FaceUi {
    // framTab(0) and everything on it.
    static void addRows(design::Rows &b);
};
