#pragma once
// The window from the keyboard alone: the order in which Tab visits the
// controls (server bar, tabs, page, "Выйти"), the tab strip's keys
// (Ctrl+Tab, Ctrl+Shift+Tab and Ctrl+1..3 anywhere; the arrows, Home and
// End on the strip), Enter or F2 on an alarm time, Enter or Space on a link
// text, the arrow keys on the skin and style arrows. Each key runs what a
// click of the mouse runs, so the keyboard sends nothing of its own, and
// the mouse keeps working as before: the controls made reachable here take
// the focus from Tab only, never from a click.

#include "common/form_state.h"

#include <QObject>
#include <QStringList>

class AlarmsPage;
class Form;
class QWidget;
class TabStrip;
namespace tk {
class HScrollBar;
} // namespace tk

class Keyboard : public QObject {
    Q_OBJECT
public:
    Keyboard(Form &form, FormState &state, TabStrip &tabs, AlarmsPage &alarms);

    // Start-up, once the run-time time editors exist.
    void Prepare();

    // Selects a tab as pressing it with the mouse does; a focus left in the
    // pages or on the strip moves to the tab.
    void selectTab(int index);
    void stepTab(int delta); // wraps around

    // objectNames in the order Tab visits them.
    static QStringList tabOrder();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addShortcuts();
    void tabSelected(qint16 index);
    void updateDebugStripReach();
    bool tabKey(int tab, int key);
    bool barKey(tk::HScrollBar *bar, int key);
    QWidget *tabLabel(int i) const;
    bool focusInPagesOrStrip() const;

    Form &m_form;
    FormState &m_state;
    TabStrip &m_tabs;
    AlarmsPage &m_alarms;
};
