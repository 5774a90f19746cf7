#include "face/face_levels.h"

#include "common/form_state.h"
#include "face/face_ui.h"
#include "face/show_parsed.h"
#include "link/link.h"
#include "records/face_record.h"
#include "protocol/protocol.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/controls/text_box.h"
#include "toolkit/controls/text_setters.h"

namespace face {

namespace {

// Whether the box lists exactly these levels. Quorvan sends the same list
// with every reply; rebuilding it would lay out and repaint the box for
// nothing.
bool listsLevels(const tk::ComboBox *box, const QStringList &levels)
{
    if (box->count() != levels.size())
        return false;
    for (int i = 0; i < box->count(); ++i)
        if (box->itemText(i) != levels.at(i))
            return false;
    return true;
}

} // namespace

FaceLevels::FaceLevels(const FaceUi &ui, FormState &state, Link &link) : m_ui(ui), m_state(state), m_link(link)
{
    connect(m_ui.cmbTrans, &tk::ComboBox::Click, this, &FaceLevels::cmbTrans_Click);
    connect(m_ui.chkTrans, &tk::CheckBox::Click, this, &FaceLevels::chkTrans_Click);
    connect(m_ui.cmdTransSet, &tk::CheckBox::Click, this, &FaceLevels::cmdTransSet_Click);
    connect(m_ui.cmbBright, &tk::ComboBox::Click, this, &FaceLevels::cmbBright_Click);
    connect(m_ui.cmdBrightSet, &tk::CheckBox::Click, this, &FaceLevels::cmdBrightSet_Click);
}

// A current level that names no entry of the list is still shown, as the
// box's free text: the user sees what Quorvan reported, and the next send
// carries that level rather than some entry it never named.
void FaceLevels::ApplyTransparencyReply(const QString &payload)
{
    const EventLock lock(m_state);
    records::TransparencyRecord r;
    showParsed(records::ParseTransparencyReply, payload, r, [this, &r] {
        if (!listsLevels(m_ui.cmbTrans, r.levels)) {
            m_ui.cmbTrans->Clear();
            m_ui.cmbTrans->AddItems(r.levels);
        }
        if (r.level)
            m_ui.cmbTrans->setText(*r.level);
        if (r.min)
            tk::setText(m_ui.txtTransMin, *r.min);
        if (r.max)
            tk::setText(m_ui.txtTransMax, *r.max);
        if (r.mode)
            m_ui.chkTrans->setValue(*r.mode);
    });
}

// Without support the bounds keep their old text, greyed out, and fields 0
// to 2 are not read: Quorvan may leave them empty.
void FaceLevels::ApplyBrightnessReply(const QString &payload)
{
    const EventLock lock(m_state);
    records::BrightnessRecord r;
    showParsed(records::ParseBrightnessReply, payload, r, [this, &r] {
        if (!r.supported)
            return; // broke before anything was read: nothing changes
        m_state.bBrightSupported = *r.supported;
        // The same levels again: nothing to empty and grey out in between.
        if (!m_state.bBrightSupported || !listsLevels(m_ui.cmbBright, r.levels)) {
            m_ui.cmbBright->Clear();
            setBrightEnabled(false);
            if (!m_state.bBrightSupported)
                return;
            m_ui.cmbBright->AddItems(r.levels);
        }
        m_ui.cmbBright->setText(r.level);
        tk::setText(m_ui.txtBrightMin, r.min);
        tk::setText(m_ui.txtBrightMax, r.max);
        setBrightEnabled(true);
    });
}

void FaceLevels::setBrightEnabled(bool on)
{
    m_ui.cmbBright->setEnabled(on);
    m_ui.txtBrightMin->setEnabled(on);
    m_ui.txtBrightMax->setEnabled(on);
    m_ui.cmdBrightSet->setEnabled(on);
}

void FaceLevels::cmbTrans_Click()
{
    if (m_state.bLockEvents)
        return;
    const QString level = m_ui.cmbTrans->Text();
    const QString min = m_ui.txtTransMin->text();
    const QString max = m_ui.txtTransMax->text();
    m_link.Send(proto::transparencySet(level, min, max, m_ui.chkTrans->Value()));
}

// The new mode goes out at once, with the level and bounds shown.
void FaceLevels::chkTrans_Click()
{
    if (!m_state.bLockEvents)
        cmbTrans_Click();
}

// How edited bounds reach Quorvan: the boxes themselves send nothing.
void FaceLevels::cmdTransSet_Click()
{
    if (m_ui.cmdTransSet->takePress())
        cmbTrans_Click();
}

void FaceLevels::cmbBright_Click()
{
    if (m_state.bLockEvents)
        return;
    const QString level = m_ui.cmbBright->Text();
    const QString min = m_ui.txtBrightMin->text();
    const QString max = m_ui.txtBrightMax->text();
    m_link.Send(proto::brightnessSet(level, min, max));
}

void FaceLevels::cmdBrightSet_Click()
{
    if (m_ui.cmdBrightSet->takePress())
        cmbBright_Click();
}

} // namespace face
