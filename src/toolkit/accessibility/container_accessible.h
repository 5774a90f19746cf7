#pragma once
// One of the toolkit's accessible interfaces; internal to the toolkit.

#include "toolkit/accessibility/role_accessible.h"

#include <QList>

namespace tk::a11y {

// A container whose children are its child widgets less the decorations,
// in reading order: row by row from the top, each row from the left. (The
// widgets' own order is the drawing order, which says nothing to a reader.)
class ContainerAccessible : public RoleAccessible {
public:
    ContainerAccessible(QWidget *w, QAccessible::Role role) : RoleAccessible(w, role) {}
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    QList<QWidget *> children() const;
};

} // namespace tk::a11y
