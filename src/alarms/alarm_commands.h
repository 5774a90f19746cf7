#pragma once
// The alarm commands: read one or all alarms, store one, send a changed
// active flag, silence the ringing alarm, switch the set alarms off or on;
// and the hover effect of the two link texts.

#include <QObject>

class Link;
class QWidget;
struct FormState;
namespace tk {
class TextBox;
} // namespace tk

namespace alarms {

class AlarmsPage;
struct AlarmsUi;

class AlarmCommands : public QObject {
    Q_OBJECT
public:
    // hoverFocus is the window's control where the links' hover leaves the
    // keyboard focus (its exit button). The page clears a row through its
    // SetActiveBud.
    AlarmCommands(AlarmsPage &page, FormState &state, Link &link, QWidget *hoverFocus);

    void cmdBudGet_Click(int index);
    void cmdBudAll_Click();
    void cmdBudSet_Click(int index);
    void chkBudActive_Click(int index);
    void txtBudStop_Click();
    void txtBudOtkl_Click();

    // The link hover effect: underlined while the pointer is over the box;
    // entering takes the keyboard focus to the window's cmdExit.
    void TxtLink(tk::TextBox *box, bool inside);

private:
    AlarmsPage &m_page;
    const AlarmsUi &m_ui;
    FormState &m_state;
    Link &m_link;
    QWidget *m_hoverFocus;
};

} // namespace alarms
