#pragma once
// One of the toolkit's accessible interfaces; internal to the toolkit.

#include <QAccessibleWidget>

namespace tk::a11y {

// A widget with a role of our choosing, named by its accessible name or,
// without one, by the text it shows.
class RoleAccessible : public QAccessibleWidget {
public:
    RoleAccessible(QWidget *w, QAccessible::Role role) : QAccessibleWidget(w, role) {}
    QString text(QAccessible::Text t) const override;
};

} // namespace tk::a11y
