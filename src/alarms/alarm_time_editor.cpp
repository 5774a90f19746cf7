#include "alarms/alarm_time_editor.h"

#include "alarms/alarms_ui.h"

#include "toolkit/accessibility/announcer.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/colours.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/text_box.h"
#include "toolkit/controls/text_setters.h"

namespace alarms {

AlarmTimeEditor::AlarmTimeEditor(tk::Form &form, AlarmsUi &ui) : m_form(form), m_ui(ui)
{
    for (int i = 1; i <= records::BudTable::kCount; ++i)
        connect(m_ui.lblBudTime(i), &tk::Label::Click, this, [this, i] { lblBudTime_Click(i); });
}

void AlarmTimeEditor::setRowButtonsEnabled(int i, bool on)
{
    m_ui.cmdBudGet(i)->setEnabled(on);
    m_ui.cmdBudSet(i)->setEnabled(on);
}

// The editors 2..4 do not exist before this; the labels are wired from the
// start.
void AlarmTimeEditor::CreateEditors()
{
    m_ui.loadEditors(m_form);
    for (int i = 1; i <= records::BudTable::kCount; ++i) {
        auto *editor = m_ui.txtBudTime(i);
        const QRect label = m_ui.lblBudTime(i)->geometry();
        editor->setGeometry(label.x() + 15, label.y(), 65, label.height());
        editor->setVisible(false);
        QFont f = editor->font();
        f.setPointSize(16);
        editor->setFont(f);

        connect(editor, &tk::TextBox::Change, this, [this, i] { txtBudTime_Change(i); });
        connect(editor, &tk::TextBox::DblClick, this, [this, i] { txtBudTime_DblClick(i); });
        connect(editor, &tk::TextBox::KeyPress, this, [this, i](int key) { txtBudTime_KeyPress(i, key); });
        connect(editor, &tk::TextBox::LostFocus, this, [this, i] { txtBudTime_LostFocus(i); });
    }
}

void AlarmTimeEditor::lblBudTime_Click(int index)
{
    auto *editor = m_ui.txtBudTime(index);
    if (!editor) // before start-up has made the editors
        return;
    editor->setVisible(true);
    setRowButtonsEnabled(index, false);
    // The focus first: a screen reader that hears the text move before the
    // focus takes the editor as already known and never names it.
    editor->setFocus(Qt::OtherFocusReason);
    editor->setText(m_ui.lblBudTime(index)->text());
    // Selected, so that typing replaces the old time rather than adding to it.
    editor->selectAll();
}

void AlarmTimeEditor::txtBudTime_Change(int index)
{
    auto *editor = m_ui.txtBudTime(index);
    tk::setBackColor(editor, records::parseTimeText(editor->text()) ? kTimeValid : kTimeInvalid);
}

void AlarmTimeEditor::txtBudTime_DblClick(int index)
{
    auto *editor = m_ui.txtBudTime(index);
    const QString text = editor->text();
    if (!records::parseTimeText(text)) {
        // The orange background says why, to the eye only.
        tk::announce(editor, QStringLiteral("Неверное время %1: нужно ч:мм, от 0:00 до 23:59").arg(text));
        return;
    }
    // Exactly as typed: an alarm reply rewrites it as h:nn later.
    tk::setCaption(m_ui.lblBudTime(index), text);
    tk::announce(editor, QStringLiteral("Время будильника %1: %2").arg(index).arg(text));
    EndEditTime(qint16(index));
}

void AlarmTimeEditor::txtBudTime_KeyPress(int index, int keyAscii)
{
    if (keyAscii == 13)
        txtBudTime_DblClick(index);
    else if (keyAscii == 27) // back to the time left unchanged
        closeEditor(qint16(index), m_ui.lblBudTime(index));
}

void AlarmTimeEditor::txtBudTime_LostFocus(int index)
{
    EndEditTime(qint16(index));
}

// Closed while it held the focus (Enter, double click): keep the keyboard in
// the row, on its next step, rather than wherever the focus chain happened
// to lead.
void AlarmTimeEditor::EndEditTime(qint16 index)
{
    closeEditor(index, m_ui.cmdBudSet(index));
}

void AlarmTimeEditor::closeEditor(qint16 index, QWidget *next)
{
    auto *editor = m_ui.txtBudTime(index);
    if (!editor)
        return;
    const bool hadFocus = editor->hasFocus();
    // Hiding the focused editor moves the focus on, which runs this again,
    // nested; that run finds it closed and changes nothing.
    editor->setVisible(false);
    setRowButtonsEnabled(index, true);
    if (hadFocus && next)
        next->setFocus(Qt::OtherFocusReason);
}

} // namespace alarms
