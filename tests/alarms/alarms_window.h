#pragma once
// A started-up client shown on screen with the "Будильники" page in front,
// and short ways to reach the alarm rows and to act on them like a user.

#include "client_fixture.h"

#include "alarms/alarms_page.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/text_box.h"

#include <QCursor>
#include <QTest>

class AlarmsWindow : public ClientFixture {
public:
    AlarmsWindow()
    {
        // No enter from wherever an earlier test left the pointer.
        QCursor::setPos(-1000, -1000);
        window().show();
        // Focus only moves inside an active window.
        m_active = QTest::qWaitForWindowActive(&window());
    }

    bool isActive() const { return m_active; }
    AlarmsPage &page() { return window().alarms(); }

    tk::Label *label(int i) { return get<tk::Label>(QStringLiteral("lblBudTime"), i); }
    tk::TextBox *editor(int i) { return get<tk::TextBox>(QStringLiteral("txtBudTime"), i); }
    tk::TextBox *ring(int i) { return get<tk::TextBox>(QStringLiteral("txtBudRing"), i); }
    tk::CheckBox *activeBox(int i) { return get<tk::CheckBox>(QStringLiteral("chkBudActive"), i); }
    tk::CheckBox *getButton(int i) { return get<tk::CheckBox>(QStringLiteral("cmdBudGet"), i); }
    tk::CheckBox *setButton(int i) { return get<tk::CheckBox>(QStringLiteral("cmdBudSet"), i); }
    tk::CheckBox *box(const char *name) { return get<tk::CheckBox>(QString::fromLatin1(name)); }
    tk::TextBox *text(const char *name) { return get<tk::TextBox>(QString::fromLatin1(name)); }
    QString resultLine() { return get<QLabel>(QStringLiteral("lblErr"))->text(); }

    static void click(QWidget *w, QPoint at = {}) { QTest::mouseClick(w, Qt::LeftButton, {}, at); }

    // A check box is ticked by a click on its square, at its left.
    static void clickSquare(QWidget *w) { click(w, QPoint(6, w->height() / 2)); }

    // Opens editor i with a click on its label, beside the editor.
    void openEditor(int i) { click(label(i), QPoint(3, label(i)->height() / 2)); }

private:
    bool m_active = false;
};
