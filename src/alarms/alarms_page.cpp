#include "alarms/alarms_page.h"

#include "toolkit/controls/check_box.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/text_box.h"
#include "toolkit/controls/text_setters.h"

namespace alarms {

AlarmsPage::AlarmsPage(tk::Form &form, FormState &state, Link &link, QWidget *hoverFocus)
    : m_state(state), m_ui(form), m_editor(form, m_ui), m_commands(*this, state, link, hoverFocus)
{
}

void AlarmsPage::ApplyAlarmReply(qint16 index, const QString &sText)
{
    records::ParseAlarmReply(sText, Buds);
    // The text may name another record than the row to show; a row that does
    // not exist fails here, after the record has been stored.
    const records::BudRec &bud = Buds(index);
    tk::setCaption(m_ui.lblBudTime(index), records::formatHnn(bud.dTime));
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

} // namespace alarms
