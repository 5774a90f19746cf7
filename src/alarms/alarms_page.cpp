#include "alarms/alarms_page.h"

#include "link/link.h"
#include "toolkit/check_box.h"
#include "toolkit/form.h"
#include "toolkit/label.h"
#include "toolkit/text_box.h"
#include "toolkit/text_setters.h"

AlarmsPage::AlarmsPage(Form &form, FormState &state, Link &link)
    : m_form(form), m_state(state), m_link(link)
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
    tk::setCaption(lblBudTime(index), formatHnn(bud.dTime));
    SetActiveBud(index, bud.bActive);
    tk::setText(txtBudRing(index), bud.sRing);
}

void AlarmsPage::SetActiveBud(qint16 index, bool status)
{
    // The box's Click runs nested in setValue and must not send the value
    // back to Quorvan.
    const EventLock lock(m_state);
    if (auto *box = chkBudActive(index))
        box->setValue(status ? 1 : 0);
}

tk::Label *AlarmsPage::lblBudTime(int i) const { return m_form.get<tk::Label>(QStringLiteral("lblBudTime"), i); }
tk::TextBox *AlarmsPage::txtBudTime(int i) const { return textBox("txtBudTime", i); }
tk::TextBox *AlarmsPage::txtBudRing(int i) const { return textBox("txtBudRing", i); }
tk::CheckBox *AlarmsPage::chkBudActive(int i) const { return checkBox("chkBudActive", i); }
tk::CheckBox *AlarmsPage::cmdBudGet(int i) const { return checkBox("cmdBudGet", i); }
tk::CheckBox *AlarmsPage::cmdBudSet(int i) const { return checkBox("cmdBudSet", i); }

tk::CheckBox *AlarmsPage::checkBox(const char *name, int index) const
{
    return m_form.get<tk::CheckBox>(QString::fromLatin1(name), index);
}

tk::TextBox *AlarmsPage::textBox(const char *name, int index) const
{
    return m_form.get<tk::TextBox>(QString::fromLatin1(name), index);
}

void AlarmsPage::setRowButtonsEnabled(int i, bool on)
{
    cmdBudGet(i)->setEnabled(on);
    cmdBudSet(i)->setEnabled(on);
}

// Everything of the rows that exists from the design on; the editors 2..4
// are wired in CreateEditors.
void AlarmsPage::connectRows()
{
    for (int i = 1; i <= BudTable::kCount; ++i) {
        connect(lblBudTime(i), &tk::Label::Click, this, [this, i] { lblBudTime_Click(i); });
        connect(chkBudActive(i), &tk::CheckBox::Click, this, [this, i] { chkBudActive_Click(i); });
        connect(cmdBudGet(i), &tk::CheckBox::Click, this, [this, i] { cmdBudGet_Click(i); });
        connect(cmdBudSet(i), &tk::CheckBox::Click, this, [this, i] { cmdBudSet_Click(i); });
    }
}
