#include "alarms/alarm_commands.h"

#include "alarms/alarms_page.h"

#include "link/link.h"
#include "protocol/protocol.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/text_box.h"
#include "toolkit/controls/text_setters.h"

namespace alarms {

AlarmCommands::AlarmCommands(AlarmsPage &page, FormState &state, Link &link, QWidget *hoverFocus)
    : m_page(page), m_ui(page.ui()), m_state(state), m_link(link), m_hoverFocus(hoverFocus)
{
    for (int i = 1; i <= records::BudTable::kCount; ++i) {
        connect(m_ui.chkBudActive(i), &tk::CheckBox::Click, this, [this, i] { chkBudActive_Click(i); });
        connect(m_ui.cmdBudGet(i), &tk::CheckBox::Click, this, [this, i] { cmdBudGet_Click(i); });
        connect(m_ui.cmdBudSet(i), &tk::CheckBox::Click, this, [this, i] { cmdBudSet_Click(i); });
    }
    connect(m_ui.cmdBudAll, &tk::CheckBox::Click, this, &AlarmCommands::cmdBudAll_Click);
    for (tk::TextBox *box : {m_ui.txtBudStop, m_ui.txtBudOtkl}) {
        connect(box, &tk::TextBox::MouseEnter, this, [this, box] { TxtLink(box, true); });
        connect(box, &tk::TextBox::MouseLeave, this, [this, box] { TxtLink(box, false); });
    }
    connect(m_ui.txtBudStop, &tk::TextBox::Click, this, &AlarmCommands::txtBudStop_Click);
    connect(m_ui.txtBudOtkl, &tk::TextBox::Click, this, &AlarmCommands::txtBudOtkl_Click);
}

void AlarmCommands::cmdBudGet_Click(int index)
{
    if (!m_ui.cmdBudGet(index)->takePress())
        return;
    // The row shows "unknown" until the answer comes, so a stale value cannot
    // be mistaken for Quorvan's.
    tk::setCaption(m_ui.lblBudTime(index), records::kUnknownTime.toString());
    m_ui.txtBudRing(index)->clear();
    m_page.SetActiveBud(qint16(index), false);
    m_link.Send(proto::alarmGet(index));
}

void AlarmCommands::cmdBudAll_Click()
{
    if (m_ui.cmdBudAll->takePress())
        m_link.CmdSend(proto::AllAlarms);
}

// Built from the row's controls, never from the record: an edited time lives
// only in the caption until it is stored here.
void AlarmCommands::cmdBudSet_Click(int index)
{
    if (!m_ui.cmdBudSet(index)->takePress())
        return;
    const auto time = records::parseTimeText(m_ui.lblBudTime(index)->text());
    if (!time) {
        m_link.console().ShowNotice(QStringLiteral("Сначала задайте время будильника %1").arg(index));
        return;
    }
    m_link.Send(proto::alarmSet(index, records::formatHns(*time), m_ui.chkBudActive(index)->Value(),
                                m_ui.txtBudRing(index)->text()));
}

void AlarmCommands::chkBudActive_Click(int index)
{
    if (m_ui.chkAutoActiveSet->Value() == 0 || m_state.bLockEvents)
        return;
    m_link.Send(proto::alarmActive(index, m_ui.chkBudActive(index)->Value()));
}

void AlarmCommands::txtBudStop_Click()
{
    m_link.Send(proto::alarmStop());
}

void AlarmCommands::txtBudOtkl_Click()
{
    m_link.Send(proto::alarmToggle());
    // Switching changes all four alarms; show what Quorvan now has.
    m_link.CmdSend(proto::AllAlarms);
}

namespace {

// The underline is the link's only state: on while it is "hot". Returns
// whether it changed.
bool setUnderline(tk::TextBox *box, bool on)
{
    QFont f = box->font();
    if (f.underline() == on)
        return false;
    f.setUnderline(on);
    box->setFont(f);
    return true;
}

} // namespace

// The toolkit reports entering and leaving, so moves over the box never reach
// here, and a second enter without a leave changes nothing.
void AlarmCommands::TxtLink(tk::TextBox *box, bool inside)
{
    if (!inside) {
        setUnderline(box, false);
        return;
    }
    // Only one link is hot at a time, even when a leave went astray (a
    // window shown under the pointer gets its enter but may miss the leave).
    for (tk::TextBox *other : {m_ui.txtBudStop, m_ui.txtBudOtkl})
        if (other != box)
            setUnderline(other, false);
    // Takes the focus from an open time editor, which closes it untaken.
    if (setUnderline(box, true))
        m_hoverFocus->setFocus(Qt::OtherFocusReason);
}

} // namespace alarms
