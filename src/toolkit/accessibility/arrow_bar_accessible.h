#pragma once
// One of the toolkit's accessible interfaces; internal to the toolkit.

#include "toolkit/accessibility/role_accessible.h"

#include <QAccessibleValueInterface>
#include <QList>

class QScrollBar;

namespace tk::a11y {

// A scroll bar narrowed to its two arrows: a scroll bar with a value, and
// the arrows as two buttons named by the control's parts.
class ArrowBarAccessible : public RoleAccessible, public QAccessibleValueInterface {
public:
    explicit ArrowBarAccessible(QWidget *w);
    ~ArrowBarAccessible() override;

    int childCount() const override { return 2; }
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    void *interface_cast(QAccessible::InterfaceType t) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    QScrollBar *bar() const;

private:
    // Made when first asked for, and known to Qt's cache by these ids.
    mutable QList<QAccessibleInterface *> m_arrows;
    mutable QList<QAccessible::Id> m_arrowIds;
};

} // namespace tk::a11y
