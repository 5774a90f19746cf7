#include "face/face_page.h"

#include "face/show_parsed.h"
#include "records/face_record.h"
#include "link/link.h"
#include "protocol/protocol.h"
#include "toolkit/accessibility/announcer.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/scroll_bar.h"
#include "toolkit/controls/text_box.h"

#include <utility>

namespace face {

namespace {

QString positionText(int current, int last)
{
    return QString::number(current) + u'/' + QString::number(last);
}

// "Classic, 1 из 7": what a stepped bar now stands on.
QString spokenPosition(const QString &name, int current, int last)
{
    const QString position = QStringLiteral("%1 из %2").arg(current).arg(last);
    return name.isEmpty() ? position : name + QStringLiteral(", ") + position;
}

// Min, Max, then Value. A value outside the new range fails before the bar
// is touched, so it is never left with a range whose value Qt had to clamp.
void setBar(tk::HScrollBar *bar, int min, int max, int value)
{
    records::checkedPosition(max);
    if (value < min || value > max)
        proto::fail("position outside the bar");
    bar->setMinimum(min);
    bar->setMaximum(max);
    bar->setValue(value);
}

void showName(tk::TextBox *box, const QString &name)
{
    if (box->text() == name)
        return; // shown already, from its beginning
    box->setText(name);
    box->home(false); // a long name shows its beginning
}

} // namespace

FacePage::FacePage(const tk::Form &form, FormState &state, Link &link)
    : m_state(state), m_link(link), m_ui(form), m_levels(m_ui, state, link)
{
    connect(m_ui.cmdGetFace, &tk::CheckBox::Click, this, &FacePage::cmdGetFace_Click);
    connect(m_ui.cmdSaveAll, &tk::CheckBox::Click, this, &FacePage::cmdSaveAll_Click);
    connectSkinAndFlags();
}

void FacePage::connectSkinAndFlags()
{
    connect(m_ui.scrlSkin, &tk::HScrollBar::Change, this, &FacePage::scrlSkin_Change);
    connect(m_ui.scrlStyle, &tk::HScrollBar::Change, this, &FacePage::scrlStyle_Change);
    for (int i = 0; i < FaceUi::kFlags; ++i)
        connect(m_ui.chkFace(i), &tk::CheckBox::Click, this, [this, i] { chkFace_Click(i); });
}

// --- The page buttons ---------------------------------------------------------

void FacePage::cmdGetFace_Click()
{
    if (m_ui.cmdGetFace->takePress())
        m_link.InitGetData(); // the alarms come along: the fetch reads all five
}

void FacePage::cmdSaveAll_Click()
{
    if (m_ui.cmdSaveAll->takePress())
        m_link.Send(proto::saveAll());
}

// --- Skin and style -------------------------------------------------------------

void FacePage::ApplySkinReply(const QString &payload)
{
    const records::SkinGroup g = records::ParseSkinGroupReply(payload);

    m_ui.lblSkin->setText(positionText(g.current, g.last));
    m_ui.lblStyle->setText(positionText(g.styleCurrent, g.styleLast));
    showName(m_ui.txtSkin, g.info.sName);
    showName(m_ui.txtStyle, records::currentStyleName(g.info));

    {
        const EventLock lock(m_state);
        setBar(m_ui.scrlSkin, g.first - 1, g.last + 1, g.current);
        setBar(m_ui.scrlStyle, g.styleFirst - 1, g.styleLast + 1, g.styleCurrent);
    }

    // A single style leaves nothing to step through.
    m_ui.lblStyle->setVisible(g.styleFirst != g.styleLast);
    m_ui.scrlStyle->setVisible(!m_ui.lblStyle->isHidden());

    const tk::HScrollBar *stepped = std::exchange(m_barStepped, nullptr);
    if (stepped == m_ui.scrlSkin)
        tk::announce(m_ui.scrlSkin, spokenPosition(m_ui.txtSkin->text(), g.current, g.last));
    else if (stepped == m_ui.scrlStyle)
        tk::announce(m_ui.scrlStyle, spokenPosition(m_ui.txtStyle->text(), g.styleCurrent, g.styleLast));
}

void FacePage::scrlSkin_Change() { barChanged(m_ui.scrlSkin, proto::skinSelect); }

void FacePage::scrlStyle_Change() { barChanged(m_ui.scrlStyle, proto::styleSelect); }

void FacePage::barChanged(tk::HScrollBar *bar, QString (*select)(int))
{
    if (m_state.bLockEvents)
        return;
    // The new value is reported by a nested Change, which sends. Where the
    // range is too small to wrap, the value stays and nothing is sent.
    if (const auto wrapped = records::wrapTarget(bar->minimum(), bar->maximum(), bar->value())) {
        bar->setValue(*wrapped);
        return;
    }
    // The skin reply that this read fetches refreshes names, labels and the
    // style list; it goes out once Quorvan has answered the selection.
    m_link.QueuePush(proto::SkinQuery);
    m_link.Send(select(bar->value() - 1));
    m_barStepped = bar;
}

// --- Face flags -----------------------------------------------------------------

void FacePage::ApplyFaceFlagsReply(const QString &payload)
{
    const EventLock lock(m_state);
    records::FaceFlagsRecord r;
    showParsed(records::ParseFaceFlagsReply, payload, r, [this, &r] {
        for (int i = 0; i < FaceUi::kFlags; ++i)
            if (r.flags[i])
                m_ui.chkFace(i)->setValue(*r.flags[i]);
        if (r.mode)
            m_ui.chkTrans->setValue(*r.mode);
        if (r.brightSupported)
            m_state.bBrightSupported = *r.brightSupported;
    });
}

void FacePage::chkFace_Click(int Index)
{
    // The command only names the flag: Quorvan switches it, whatever the box shows.
    if (!m_state.bLockEvents)
        m_link.Send(proto::faceFlag(Index));
}

} // namespace face
