#include "alarms/alarms_page.h"

#include "link/link.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/text_box.h"
#include "toolkit/controls/text_setters.h"

AlarmsPage::AlarmsPage(Form &form, FormState &state, Link &link, QWidget *hoverFocus)
    : m_form(form), m_state(state), m_link(link), m_ui(form), m_hoverFocus(hoverFocus)
{
    connectRows();
    connectCommands();
}

void AlarmsPage::ApplyAlarmReply(qint16 index, const QString &sText)
{
    ParseAlarmReply(sText, Buds);
    // The text may name another record than the row to show; a row that does
    // not exist fails here, after the record has been stored.
    const BudRec &bud = Buds(index);
    tk::setCaption(m_ui.lblBudTime(index), formatHnn(bud.dTime));
    SetActiveBud(index, bud.bActive);
    tk::setText(m_ui.txtBudRing(index), bud.sRing);
}

void AlarmsPage::SetActiveBud(qint16 index, bool status)
{
    // The box's Click runs nested in setValue and must not send the value
    // back to Quorvan.
    const EventLock lock(m_state);
    if (auto *box = m_ui.chkBudActive(index))
        box->setValue(status ? 1 : 0);
}

void AlarmsPage::setRowButtonsEnabled(int i, bool on)
{
    m_ui.cmdBudGet(i)->setEnabled(on);
    m_ui.cmdBudSet(i)->setEnabled(on);
}

// Everything of the rows that exists from the design on; the editors 2..4
// are wired in CreateEditors.
void AlarmsPage::connectRows()
{
    for (int i = 1; i <= BudTable::kCount; ++i) {
        connect(m_ui.lblBudTime(i), &tk::Label::Click, this, [this, i] { lblBudTime_Click(i); });
        connect(m_ui.chkBudActive(i), &tk::CheckBox::Click, this, [this, i] { chkBudActive_Click(i); });
        connect(m_ui.cmdBudGet(i), &tk::CheckBox::Click, this, [this, i] { cmdBudGet_Click(i); });
        connect(m_ui.cmdBudSet(i), &tk::CheckBox::Click, this, [this, i] { cmdBudSet_Click(i); });
    }
}
