#pragma once
// The in-place time editor of each alarm row: a click on the time opens it
// over the label; Enter or a double click takes a valid time into the label,
// Escape or the loss of focus closes it without taking anything.

#include <QObject>

class QWidget;
namespace tk {
class Form;
} // namespace tk

namespace alarms {

struct AlarmsUi;

class AlarmTimeEditor : public QObject {
    Q_OBJECT
public:
    // Editor background by the validity of its text (0x00BBGGRR).
    static constexpr quint32 kTimeValid = 0x00B8D840;
    static constexpr quint32 kTimeInvalid = 0x0080C0FF;

    // ui is the page's, whose txtBudTime(2..4) CreateEditors fills.
    AlarmTimeEditor(tk::Form &form, AlarmsUi &ui);

    // Start-up: txtBudTime(2..4) as copies of element 1, all four placed over
    // their labels and hidden, and wired to their handlers.
    void CreateEditors();

    void lblBudTime_Click(int index);
    void txtBudTime_Change(int index);
    void txtBudTime_DblClick(int index);
    void txtBudTime_KeyPress(int index, int keyAscii);
    void txtBudTime_LostFocus(int index);
    void EndEditTime(qint16 index); // closes without taking the text
    // The same, the focus (if the editor had it) going to next.
    void closeEditor(qint16 index, QWidget *next);

private:
    void setRowButtonsEnabled(int i, bool on);

    tk::Form &m_form;
    AlarmsUi &m_ui;
};

} // namespace alarms
