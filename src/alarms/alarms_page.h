#pragma once
// The "Будильники" page: the four alarm rows, their in-place time editors
// and the alarm commands. The alarm rows' wiring and replies live in
// alarms_page.cpp, the time editor in alarm_time_editor.cpp, the commands
// and the link texts in alarm_commands.cpp; the page's controls (their rows
// in the design and the typed handles, m_ui) in alarms_ui.cpp.

#include "alarms/alarms_ui.h"
#include "common/form_state.h"
#include "records/alarm_record.h"

#include <QObject>

class Form;
class Link;
class QWidget;

class AlarmsPage : public QObject {
    Q_OBJECT
public:
    // Editor background by the validity of its text (0x00BBGGRR).
    static constexpr quint32 kTimeValid = 0x00B8D840;
    static constexpr quint32 kTimeInvalid = 0x0080C0FF;

    // hoverFocus is the window's control where the links' hover leaves the
    // keyboard focus (its exit button), bound by the window's own handles.
    AlarmsPage(Form &form, FormState &state, Link &link, QWidget *hoverFocus);

    const AlarmsUi &ui() const { return m_ui; }

    // Start-up: txtBudTime(2..4) as copies of element 1, all four placed over
    // their labels and hidden, and wired to their handlers.
    void CreateEditors();

    // Parses the alarm text into the record it names, then shows Buds(index)
    // in row index. Throws proto::ReplyFailure on any failure, also for a row
    // that does not exist (after the text has been stored).
    void ApplyAlarmReply(qint16 index, const QString &sText);

    // Puts status into chkBudActive(index) without sending anything; leaves
    // bLockEvents False.
    void SetActiveBud(qint16 index, bool status);

    // The time editor.
    void lblBudTime_Click(int index);
    void txtBudTime_Change(int index);
    void txtBudTime_DblClick(int index);
    void txtBudTime_KeyPress(int index, int keyAscii);
    void txtBudTime_LostFocus(int index);
    void EndEditTime(qint16 index); // closes without taking the text
    // The same, the focus (if the editor had it) going to next.
    void closeEditor(qint16 index, QWidget *next);

    // The alarm commands.
    void cmdBudGet_Click(int index);
    void cmdBudAll_Click();
    void cmdBudSet_Click(int index);
    void chkBudActive_Click(int index);
    void txtBudStop_Click();
    void txtBudOtkl_Click();

    // The link hover effect: underlined while the pointer is over the box;
    // entering takes the keyboard focus to the window's cmdExit.
    void TxtLink(tk::TextBox *box, bool inside);

    BudTable Buds;

private:
    void connectRows();
    void connectCommands();
    void setRowButtonsEnabled(int i, bool on);

    Form &m_form;
    FormState &m_state;
    Link &m_link;
    AlarmsUi m_ui;
    QWidget *m_hoverFocus;
};
