#pragma once
// The "Будильники" page: the four alarm rows, their in-place time editors
// (AlarmTimeEditor) and the alarm commands (AlarmCommands), which the page
// owns; the page itself keeps the records and shows the alarm replies. The
// page's controls (their rows in the design and the typed handles, m_ui)
// are in alarms_ui.cpp.
// Errors, in this layer: as the link's, shown, never thrown; a reply that
// does not convert throws proto::ReplyFailure back to the dispatcher.

#include "alarms/alarm_commands.h"
#include "alarms/alarm_time_editor.h"
#include "alarms/alarms_ui.h"
#include "common/form_state.h"
#include "records/alarm_record.h"

#include <QObject>

class Link;
class QWidget;
namespace tk {
class Form;
} // namespace tk

namespace alarms {

class AlarmsPage : public QObject {
    Q_OBJECT
public:
    // hoverFocus is the window's control where the links' hover leaves the
    // keyboard focus (its exit button), bound by the window's own handles.
    AlarmsPage(tk::Form &form, FormState &state, Link &link, QWidget *hoverFocus);

    const AlarmsUi &ui() const { return m_ui; }
    AlarmTimeEditor &timeEditor() { return m_editor; }
    AlarmCommands &commands() { return m_commands; }

    // Parses the alarm text into the record it names, then shows Buds(index)
    // in row index. Throws proto::ReplyFailure on any failure, also for a row
    // that does not exist (after the text has been stored).
    void ApplyAlarmReply(qint16 index, const QString &sText);

    // Puts status into chkBudActive(index) without sending anything; leaves
    // bLockEvents False.
    void SetActiveBud(qint16 index, bool status);

    records::BudTable Buds;

private:
    FormState &m_state;
    AlarmsUi m_ui;
    AlarmTimeEditor m_editor;
    AlarmCommands m_commands;
};

} // namespace alarms
