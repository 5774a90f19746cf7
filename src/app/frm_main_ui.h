#pragma once
// frmMain's controls: the window's own rows (the exit button, the
// "Надписи" page, the tab strip, the server bar, the pictures and borders),
// the whole window's rows in design order, each part's where it lies; and
// typed handles to the controls the window's own code uses, filled once
// from the built form.

#include "toolkit/controls/control_array.h"
#include "toolkit/form/design_rows.h"

#include <vector>

class QLabel;
class QWidget;
namespace tk {
class CheckBox;
class ComboBox;
class Form;
class Label;
class Shape;
class TextBox;
} // namespace tk

namespace app {

struct MainUi {
    static constexpr auto kCaption = "Dalvimo";
    // The designed client size in twips; start-up shrinks it to the pages.
    static constexpr int kDesignWidth = 9270;
    static constexpr int kDesignHeight = 8640;
    static constexpr quint32 kServerFieldBack = 0xF8B880;
    static constexpr quint32 kTabBorder = 0xE0E0E0;

    static constexpr int kTabs = 3;

    // Every control of the window; the first row lies on top.
    static const std::vector<design::Control> &rows();

    explicit MainUi(const tk::Form &form);

    tk::CheckBox *cmdExit;
    QLabel *imgIco;
    // The server bar: the list is the window's; the address, the port and
    // auto-ping are the link's own (LinkUi).
    tk::ComboBox *cmbServer;
    // The tab strip and the pages it selects.
    tk::ControlArray<tk::Label, 0, kTabs - 1> lblTab;
    tk::ControlArray<tk::Shape, 0, kTabs - 1> shpTab;
    tk::ControlArray<QWidget, 0, kTabs - 1> framTab;
};

} // namespace app
