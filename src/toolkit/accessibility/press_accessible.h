#pragma once
// One of the toolkit's accessible interfaces; internal to the toolkit.

#include "toolkit/accessibility/role_accessible.h"

namespace tk::a11y {

// A control whose press action does what a click of the mouse does.
class PressAccessible : public RoleAccessible {
public:
    using Press = void (*)(QWidget *);
    PressAccessible(QWidget *w, QAccessible::Role role, Press press) : RoleAccessible(w, role), m_press(press) {}
    QStringList actionNames() const override;
    void doAction(const QString &name) override;

private:
    Press m_press;
};

} // namespace tk::a11y
