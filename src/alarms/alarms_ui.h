#pragma once
// The "Будильники" page's controls: their rows in the window's design, and
// typed handles to them, filled once from the built form.

#include "records/alarm_record.h"
#include "toolkit/controls/control_array.h"
#include "toolkit/form/design_rows.h"

namespace tk {
class CheckBox;
class Form;
class Label;
class TextBox;
} // namespace tk

namespace alarms {

struct AlarmsUi {
    static constexpr quint32 kEditorBack = 0x0080C0FF; // an alarm's time editor

    // framTab(1) and everything on it.
    static void addRows(design::Rows &b);

    explicit AlarmsUi(const tk::Form &form);
    // Start-up: txtBudTime(2..4), copies of element 1.
    void loadEditors(tk::Form &form);

    template <class T>
    using PerAlarm = tk::ControlArray<T, 1, records::BudTable::kCount>;

    tk::TextBox *txtBudOtkl;
    tk::TextBox *txtBudStop;
    tk::CheckBox *chkAutoActiveSet;
    tk::CheckBox *cmdBudAll;
    PerAlarm<tk::Label> lblBudTime;
    PerAlarm<tk::TextBox> txtBudTime; // 1 as designed, 2..4 once loaded
    PerAlarm<tk::CheckBox> chkBudActive;
    PerAlarm<tk::TextBox> txtBudRing;
    PerAlarm<tk::CheckBox> cmdBudGet;
    PerAlarm<tk::CheckBox> cmdBudSet;
};

} // namespace alarms
