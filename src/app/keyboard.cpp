#include "app/keyboard.h"

#include "alarms/alarms_page.h"
#include "alarms/alarms_ui.h"
#include "app/frm_main_ui.h"
#include "app/tab_strip.h"
#include "face/face_ui.h"
#include "link/link_ui.h"
#include "records/alarm_record.h"
#include "toolkit/accessibility/announcer.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/log_box.h"
#include "toolkit/controls/scroll_bar.h"
#include "toolkit/controls/text_box.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>

namespace app {

namespace {

constexpr const char *kDesignedFocus = "tkDesignedFocus";

} // namespace

Keyboard::Keyboard(QWidget *window, FormState &state, TabStrip &tabs, alarms::AlarmsPage &alarms, Controls controls)
    : m_window(window), m_state(state), m_tabs(tabs), m_alarms(alarms), m_controls(controls)
{
    connect(&m_tabs, &TabStrip::Selected, this, &Keyboard::tabSelected);
    for (int i = 0; i < TabStrip::kTabs; ++i)
        tabLabel(i)->installEventFilter(this);
    addShortcuts();
}

QList<QWidget *> Keyboard::tabOrder() const
{
    const MainUi &main = m_controls.main;
    const face::FaceUi &face = m_controls.face;
    const alarms::AlarmsUi &alarms = m_alarms.ui();
    const LinkUi &link = m_controls.link;
    QList<QWidget *> order{link.chkAutoping, main.cmbServer, link.txtIp, link.txtPort};
    for (int i = 0; i < TabStrip::kTabs; ++i)
        order << main.lblTab(i);
    // "Скины", group by group, each row left to right
    order << face.cmdGetFace << face.cmdSaveAll << face.scrlSkin << face.txtSkin << face.scrlStyle << face.txtStyle
          << face.chkTrans << face.cmbTrans << face.txtTransMin << face.txtTransMax << face.cmdTransSet
          << face.cmbBright << face.txtBrightMin << face.txtBrightMax << face.cmdBrightSet;
    for (int i = 0; i < face::FaceUi::kFlags; ++i)
        order << face.chkFace(i);
    // "Будильники"
    order << alarms.txtBudOtkl << alarms.txtBudStop << alarms.chkAutoActiveSet << alarms.cmdBudAll;
    for (int n = 1; n <= records::BudTable::kCount; ++n)
        order << alarms.lblBudTime(n) << alarms.txtBudTime(n) << alarms.chkBudActive(n) << alarms.txtBudRing(n)
              << alarms.cmdBudGet(n) << alarms.cmdBudSet(n);
    order << main.cmdExit;
    return order + debugStrip();
}

QList<QWidget *> Keyboard::debugStrip() const
{
    const LinkUi &link = m_controls.link;
    return {link.txtMsg, link.txtDebug, link.cmdDebugSend, link.cmdSendExit};
}

void Keyboard::Prepare()
{
    for (int i = 1; i <= records::BudTable::kCount; ++i) {
        QWidget *time = m_alarms.ui().lblBudTime(i);
        time->setFocusPolicy(Qt::TabFocus);
        time->installEventFilter(this);
    }
    for (QWidget *bar : {m_controls.face.scrlSkin, m_controls.face.scrlStyle}) {
        bar->setFocusPolicy(Qt::TabFocus);
        bar->installEventFilter(this);
    }
    // Qt leaves a control that takes no focus out of the order it is
    // given, so all three tabs take it while the order is laid.
    for (int i = 0; i < TabStrip::kTabs; ++i)
        tabLabel(i)->setFocusPolicy(Qt::TabFocus);
    QWidget *previous = nullptr;
    for (QWidget *w : tabOrder()) {
        if (!w)
            continue; // an element that start-up has not added
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
    tabSelected(m_state.iFrameSelect);
    // Enter or Space on a link does what its click does, by the same event.
    for (tk::TextBox *link : {m_alarms.ui().txtBudOtkl, m_alarms.ui().txtBudStop}) {
        connect(link, &tk::TextBox::KeyPress, this, [link](int key) {
            if (key == 13 || key == ' ')
                emit link->Click();
        });
    }
    for (QWidget *w : debugStrip())
        w->setProperty(kDesignedFocus, int(w->focusPolicy()));
    m_window->installEventFilter(this);
    updateDebugStripReach();
}

void Keyboard::addShortcuts()
{
    const auto add = [this](QKeyCombination keys, auto action) {
        auto *shortcut = new QShortcut(QKeySequence(keys), m_window);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    add(Qt::CTRL | Qt::Key_Tab, [this] { stepTab(1); });
    // Shift+Tab reaches the window as Backtab from the keyboard, as Tab
    // with Shift from anything that makes up key events.
    add(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, [this] { stepTab(-1); });
    add(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, [this] { stepTab(-1); });
    for (int i = 0; i < TabStrip::kTabs; ++i)
        add(Qt::CTRL | Qt::Key(Qt::Key_1 + i), [this, i] { selectTab(i); });
}

QWidget *Keyboard::tabLabel(int i) const
{
    return m_controls.main.lblTab(i);
}

bool Keyboard::focusInPagesOrStrip() const
{
    const QWidget *focus = QApplication::focusWidget();
    if (!focus)
        return true;
    for (int i = 0; i < TabStrip::kTabs; ++i)
        if (focus == tabLabel(i) || m_controls.main.framTab(i)->isAncestorOf(focus))
            return true;
    return false;
}

void Keyboard::selectTab(int index)
{
    // A focus inside the page that is about to hide would wander off on
    // its own; the tab it was left for is where the user is.
    const bool follow = focusInPagesOrStrip();
    m_tabs.lblTab_MouseDown(qint16(index));
    const int shown = index >= 0 && index < TabStrip::kTabs ? index : 0;
    if (follow)
        tabLabel(shown)->setFocus(Qt::ShortcutFocusReason);
    else // the focus stays where it is, so a screen reader would say nothing
        tk::announce(tabLabel(shown), m_controls.main.lblTab(shown)->text());
}

void Keyboard::stepTab(int delta)
{
    const int current = m_state.iFrameSelect;
    const bool valid = current >= 0 && current < TabStrip::kTabs;
    if (!valid)
        selectTab(delta > 0 ? 0 : TabStrip::kTabs - 1);
    else
        selectTab((current + delta + TabStrip::kTabs) % TabStrip::kTabs);
}

// Tab reaches the strip at its selected tab only (the first one while none
// is selected); a focus on the strip stays with the selection.
void Keyboard::tabSelected(qint16 index)
{
    const int reachable = index >= 0 && index < TabStrip::kTabs ? index : 0;
    bool stripHadFocus = false;
    for (int i = 0; i < TabStrip::kTabs; ++i) {
        QWidget *label = tabLabel(i);
        stripHadFocus = stripHadFocus || label->hasFocus();
        label->setFocusPolicy(i == reachable ? Qt::TabFocus : Qt::NoFocus);
    }
    if (stripHadFocus)
        tabLabel(reachable)->setFocus(Qt::ShortcutFocusReason);
}

bool Keyboard::tabKey(int tab, int key)
{
    switch (key) {
    case Qt::Key_Left:
        selectTab(qMax(tab - 1, 0));
        return true;
    case Qt::Key_Right:
        selectTab(qMin(tab + 1, TabStrip::kTabs - 1));
        return true;
    case Qt::Key_Home:
        selectTab(0);
        return true;
    case Qt::Key_End:
        selectTab(TabStrip::kTabs - 1);
        return true;
    default:
        return false;
    }
}

bool Keyboard::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::Resize)
            updateDebugStripReach();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false; // with Ctrl and the like, a shortcut's
    for (int i = 0; i < TabStrip::kTabs; ++i)
        if (watched == tabLabel(i))
            return tabKey(i, key->key());
    for (int i = 1; i <= records::BudTable::kCount; ++i) {
        if (watched != m_alarms.ui().lblBudTime(i))
            continue;
        const bool edit = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_F2;
        if (edit)
            m_alarms.timeEditor().lblBudTime_Click(i);
        return edit;
    }
    if (auto *bar = qobject_cast<tk::HScrollBar *>(watched))
        return barKey(bar, key->key());
    return false;
}

// The arrow keys step the skin and style bars as a click on the arrow on
// their side does (Qt turns a scroll bar's keys the other way round); the
// keys that would jump further do nothing, as no click jumps.
bool Keyboard::barKey(tk::HScrollBar *bar, int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

// The debug strip lies beyond the window's edge until the user widens it;
// until then Tab passes it by, and a click still reaches it.
void Keyboard::updateDebugStripReach()
{
    const QRect shown = m_window->rect();
    for (QWidget *w : debugStrip()) {
        const QVariant designed = w->property(kDesignedFocus);
        if (!designed.isValid())
            continue;
        const int policy = designed.toInt();
        w->setFocusPolicy(Qt::FocusPolicy(shown.intersects(w->geometry()) ? policy : policy & ~Qt::TabFocus));
    }
}

} // namespace app
