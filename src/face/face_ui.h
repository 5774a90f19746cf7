#pragma once
// The "Скины" page's controls: their rows in the window's design, and typed
// handles to them, filled once from the built form.

#include "toolkit/controls/control_array.h"
#include "toolkit/form/design_rows.h"

namespace tk {
class CheckBox;
class ComboBox;
class Form;
class HScrollBar;
class Label;
class TextBox;
} // namespace tk

namespace face {

struct FaceUi {
    static constexpr int kFlags = 4; // chkFace(0) .. chkFace(3)

    // framTab(0) and everything on it.
    static void addRows(design::Rows &b);

    explicit FaceUi(const tk::Form &form);

    tk::CheckBox *cmdGetFace;
    tk::CheckBox *cmdSaveAll;

    tk::TextBox *txtSkin;
    tk::Label *lblSkin;
    tk::HScrollBar *scrlSkin;
    tk::TextBox *txtStyle;
    tk::Label *lblStyle;
    tk::HScrollBar *scrlStyle;

    tk::ComboBox *cmbTrans;
    tk::TextBox *txtTransMin;
    tk::TextBox *txtTransMax;
    tk::CheckBox *chkTrans;
    tk::CheckBox *cmdTransSet;
    tk::ComboBox *cmbBright;
    tk::TextBox *txtBrightMin;
    tk::TextBox *txtBrightMax;
    tk::CheckBox *cmdBrightSet;

    tk::ControlArray<tk::CheckBox, 0, kFlags - 1> chkFace;
};

} // namespace face
