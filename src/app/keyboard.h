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

#include <QList>
#include <QObject>

class QWidget;
struct LinkUi;
namespace tk {
class HScrollBar;
} // namespace tk

namespace alarms {
class AlarmsPage;
} // namespace alarms
namespace face {
struct FaceUi;
} // namespace face

namespace app {

class TabStrip;
struct MainUi;

class Keyboard : public QObject {
    Q_OBJECT
public:
    // The controls the keyboard reaches besides the alarms page's: the
    // window's own, the face page's and the link's.
    struct Controls {
        const MainUi &main;
        const face::FaceUi &face;
        const LinkUi &link;
    };

    Keyboard(QWidget *window, FormState &state, TabStrip &tabs, alarms::AlarmsPage &alarms, Controls controls);

    // Start-up, once the run-time time editors exist.
    void Prepare();

    // Selects a tab as pressing it with the mouse does; a focus left in the
    // pages or on the strip moves to the tab.
    void selectTab(int index);
    void stepTab(int delta); // wraps around

    // The controls in the order Tab visits them.
    QList<QWidget *> tabOrder() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addShortcuts();
    void tabSelected(qint16 index);
    void updateDebugStripReach();
    bool tabKey(int tab, int key);
    bool barKey(tk::HScrollBar *bar, int key);
    QWidget *tabLabel(int i) const;
    QList<QWidget *> debugStrip() const;
    bool focusInPagesOrStrip() const;

    QWidget *m_window;
    FormState &m_state;
    TabStrip &m_tabs;
    alarms::AlarmsPage &m_alarms;
    Controls m_controls;
};

} // namespace app
