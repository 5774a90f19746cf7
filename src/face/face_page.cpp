#include "face/face_page.h"

#include "common/number.h"
#include "face/skin_info.h"
#include "link/link.h"
#include "link/protocol.h"
#include "link/reply_fields.h"
#include "shell/form.h"
#include "shell/toolkit.h"

#include <cmath>

namespace {

// Positions and ranges of the bars are 16-bit numbers, as Quorvan counts.
qint16 checked16(double v)
{
    if (!std::isfinite(v) || v < -32768.0 || v > 32767.0)
        reply::fail("position out of range");
    return static_cast<qint16>(v);
}

// A skin index of the reply as a bar position: the number as written plus
// one, then rounded half to even ("52.5" is position 54, not 53).
qint16 skinPosition(const QString &index)
{
    const auto v = num::parseNumber(index);
    if (!v)
        reply::fail("not a number");
    return checked16(std::nearbyint(*v + 1.0));
}

QString positionText(int current, int last)
{
    return QString::number(current) + u'/' + QString::number(last);
}

// Min, Max, then Value. A value outside the new range fails before the bar
// is touched, so it is never left with a range whose value Qt had to clamp.
void setBar(tk::HScrollBar *bar, int min, int max, int value)
{
    checked16(max);
    if (value < min || value > max)
        reply::fail("position outside the bar");
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

FacePage::FacePage(Form &form, FormState &state, Link &link)
    : m_state(state),
      m_link(link),
      m_cmdGetFace(form.get<tk::CheckBox>("cmdGetFace")),
      m_cmdSaveAll(form.get<tk::CheckBox>("cmdSaveAll")),
      m_txtSkin(form.get<tk::TextBox>("txtSkin")),
      m_lblSkin(form.get<tk::Label>("lblSkin")),
      m_scrlSkin(form.get<tk::HScrollBar>("scrlSkin")),
      m_txtStyle(form.get<tk::TextBox>("txtStyle")),
      m_lblStyle(form.get<tk::Label>("lblStyle")),
      m_scrlStyle(form.get<tk::HScrollBar>("scrlStyle")),
      m_cmbTrans(form.get<tk::ComboBox>("cmbTrans")),
      m_txtTransMin(form.get<tk::TextBox>("txtTransMin")),
      m_txtTransMax(form.get<tk::TextBox>("txtTransMax")),
      m_chkTrans(form.get<tk::CheckBox>("chkTrans")),
      m_cmdTransSet(form.get<tk::CheckBox>("cmdTransSet")),
      m_cmbBright(form.get<tk::ComboBox>("cmbBright")),
      m_txtBrightMin(form.get<tk::TextBox>("txtBrightMin")),
      m_txtBrightMax(form.get<tk::TextBox>("txtBrightMax")),
      m_cmdBrightSet(form.get<tk::CheckBox>("cmdBrightSet"))
{
    for (int i = 0; i < kFlags; ++i)
        m_chkFace[i] = form.get<tk::CheckBox>("chkFace", i);

    connect(m_cmdGetFace, &tk::CheckBox::Click, this, &FacePage::cmdGetFace_Click);
    connect(m_cmdSaveAll, &tk::CheckBox::Click, this, &FacePage::cmdSaveAll_Click);
    connectSkinAndFlags();
    connectTransAndBright();
}

void FacePage::connectSkinAndFlags()
{
    connect(m_scrlSkin, &tk::HScrollBar::Change, this, &FacePage::scrlSkin_Change);
    connect(m_scrlStyle, &tk::HScrollBar::Change, this, &FacePage::scrlStyle_Change);
    for (int i = 0; i < kFlags; ++i)
        connect(m_chkFace[i], &tk::CheckBox::Click, this, [this, i] { chkFace_Click(i); });
}

int FacePage::checkBoxValue(const reply::Fields &f, qsizetype i)
{
    const qint16 v = f.int16(i);
    if (v < 0 || v > 2)
        reply::fail("not a check-box value");
    return v;
}

// --- The page buttons ---------------------------------------------------------

void FacePage::cmdGetFace_Click()
{
    if (m_cmdGetFace->takePress())
        m_link.InitGetData(); // the alarms come along: the fetch reads all five
}

void FacePage::cmdSaveAll_Click()
{
    if (m_cmdSaveAll->takePress())
        m_link.Send(proto::saveAll());
}

// --- Skin and style -------------------------------------------------------------

void FacePage::ApplySkinReply(const QString &payload)
{
    const reply::Fields a(payload, 4);
    const qint16 first = skinPosition(a.text(0));
    const qint16 last = skinPosition(a.text(1));
    const qint16 current = skinPosition(a.text(2));

    SkinInfo info;
    ParseSkinReply(a.text(3), info);
    const int styleFirst = 1;
    const int styleLast = checked16(double(info.sStyles.size()));
    const int styleCurrent = checked16(info.iStyle + 1.0);

    m_lblSkin->setText(positionText(current, last));
    m_lblStyle->setText(positionText(styleCurrent, styleLast));
    showName(m_txtSkin, info.sName);
    if (info.iStyle < 0 || info.iStyle >= info.sStyles.size())
        reply::fail("no such style");
    showName(m_txtStyle, styleDisplayName(info.sStyles.at(info.iStyle)));

    {
        const EventLock lock(m_state);
        setBar(m_scrlSkin, first - 1, last + 1, current);
        setBar(m_scrlStyle, styleFirst - 1, styleLast + 1, styleCurrent);
    }

    // A single style leaves nothing to step through.
    m_lblStyle->setVisible(styleFirst != styleLast);
    m_scrlStyle->setVisible(!m_lblStyle->isHidden());
}

void FacePage::scrlSkin_Change() { barChanged(m_scrlSkin, proto::skinSelect); }

void FacePage::scrlStyle_Change() { barChanged(m_scrlStyle, proto::styleSelect); }

void FacePage::barChanged(tk::HScrollBar *bar, QString (*select)(int))
{
    if (m_state.bLockEvents)
        return;
    // The new value is reported by a nested Change, which sends. Where the
    // range is too small to wrap, the value stays and nothing is sent.
    if (bar->value() == bar->minimum()) {
        bar->setValue(bar->maximum() - 1);
        return;
    }
    if (bar->value() == bar->maximum()) {
        bar->setValue(bar->minimum() + 1);
        return;
    }
    // The skin reply that this read fetches refreshes names, labels and the
    // style list; it goes out once Quorvan has answered the selection.
    m_link.QueuePush(proto::SkinQuery);
    m_link.Send(select(bar->value() - 1));
}

// --- Face flags -----------------------------------------------------------------

void FacePage::ApplyFaceFlagsReply(const QString &payload)
{
    const reply::Fields f(payload);
    const EventLock lock(m_state);
    for (int i = 0; i < kFlags; ++i)
        m_chkFace[i]->setValue(checkBoxValue(f, i));
    m_chkTrans->setValue(checkBoxValue(f, 4));
    m_state.bBrightSupported = f.boolean(5);
}

void FacePage::chkFace_Click(int Index)
{
    // The command only names the flag: Quorvan switches it, whatever the box shows.
    if (!m_state.bLockEvents)
        m_link.Send(proto::faceFlag(Index));
}
