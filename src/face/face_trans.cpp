// Transparency and brightness: level lists, bounds and the transparency or
// dimming mode. Levels and bounds are Quorvan's own text, shown and sent
// exactly as they are, never converted.

#include "face/face_page.h"

#include "link/link.h"
#include "link/protocol.h"
#include "link/reply_fields.h"
#include "shell/toolkit.h"

namespace {

// Whether the box lists exactly the levels from field `from` on. Quorvan
// sends the same list with every reply; rebuilding it would lay out and
// repaint the box for nothing.
bool listsLevels(const tk::ComboBox *box, const reply::Fields &f, qsizetype from)
{
    if (box->count() != f.size() - from)
        return false;
    for (qsizetype i = from; i < f.size(); ++i)
        if (box->itemText(int(i - from)) != f.text(i))
            return false;
    return true;
}

} // namespace

void FacePage::connectTransAndBright()
{
    connect(m_cmbTrans, &tk::ComboBox::Click, this, &FacePage::cmbTrans_Click);
    connect(m_chkTrans, &tk::CheckBox::Click, this, &FacePage::chkTrans_Click);
    connect(m_cmdTransSet, &tk::CheckBox::Click, this, &FacePage::cmdTransSet_Click);
    connect(m_cmbBright, &tk::ComboBox::Click, this, &FacePage::cmbBright_Click);
    connect(m_cmdBrightSet, &tk::CheckBox::Click, this, &FacePage::cmdBrightSet_Click);
}

// A current level that names no entry of the list is still shown, as the
// box's free text: the user sees what Quorvan reported, and the next send
// carries that level rather than some entry it never named.
void FacePage::ApplyTransparencyReply(const QString &payload)
{
    const reply::Fields f(payload);
    const EventLock lock(m_state);
    if (!listsLevels(m_cmbTrans, f, 4)) {
        m_cmbTrans->Clear();
        for (qsizetype i = 4; i < f.size(); ++i)
            m_cmbTrans->AddItem(f.text(i));
    }
    m_cmbTrans->setText(f.text(0));
    tk::setText(m_txtTransMin, f.text(1));
    tk::setText(m_txtTransMax, f.text(2));
    m_chkTrans->setValue(checkBoxValue(f, 3));
}

// Without support the bounds keep their old text, greyed out, and fields 0
// to 2 are not read: Quorvan may leave them empty.
void FacePage::ApplyBrightnessReply(const QString &payload)
{
    const reply::Fields f(payload);
    const EventLock lock(m_state);
    m_state.bBrightSupported = f.boolean(3);
    // The same levels again: nothing to empty and grey out in between (and
    // fields 0 to 2 exist, the list starting after them).
    if (!m_state.bBrightSupported || !listsLevels(m_cmbBright, f, 4)) {
        m_cmbBright->Clear();
        setBrightEnabled(false);
        if (!m_state.bBrightSupported)
            return;
        for (qsizetype i = 4; i < f.size(); ++i)
            m_cmbBright->AddItem(f.text(i));
    }
    m_cmbBright->setText(f.text(0));
    tk::setText(m_txtBrightMin, f.text(1));
    tk::setText(m_txtBrightMax, f.text(2));
    setBrightEnabled(true);
}

void FacePage::setBrightEnabled(bool on)
{
    m_cmbBright->setEnabled(on);
    m_txtBrightMin->setEnabled(on);
    m_txtBrightMax->setEnabled(on);
    m_cmdBrightSet->setEnabled(on);
}

void FacePage::cmbTrans_Click()
{
    if (m_state.bLockEvents)
        return;
    const QString level = m_cmbTrans->Text();
    const QString min = m_txtTransMin->text();
    const QString max = m_txtTransMax->text();
    m_link.Send(proto::transparencySet(level, min, max, m_chkTrans->Value()));
}

// The new mode goes out at once, with the level and bounds shown.
void FacePage::chkTrans_Click()
{
    if (!m_state.bLockEvents)
        cmbTrans_Click();
}

// How edited bounds reach Quorvan: the boxes themselves send nothing.
void FacePage::cmdTransSet_Click()
{
    if (m_cmdTransSet->takePress())
        cmbTrans_Click();
}

void FacePage::cmbBright_Click()
{
    if (m_state.bLockEvents)
        return;
    const QString level = m_cmbBright->Text();
    const QString min = m_txtBrightMin->text();
    const QString max = m_txtBrightMax->text();
    m_link.Send(proto::brightnessSet(level, min, max));
}

void FacePage::cmdBrightSet_Click()
{
    if (m_cmdBrightSet->takePress())
        cmbBright_Click();
}
