#pragma once
// One of the toolkit's accessible interfaces; internal to the toolkit.

#include "toolkit/accessibility/role_accessible.h"
#include "toolkit/accessibility/value_text_interface.h"

namespace tk::a11y {

// A drop-down list. Qt names one on Linux by its current item and leaves
// its purpose to a label beside it, which this window does not have; here
// the name says what it chooses and the value what is chosen. Its child is
// the list that drops down.
class ChoiceAccessible : public RoleAccessible, public ValueTextInterface {
public:
    explicit ChoiceAccessible(QWidget *w) : RoleAccessible(w, QAccessible::ComboBox) {}
    QString text(QAccessible::Text t) const override;
    using ValueTextInterface::text;
    void *interface_cast(QAccessible::InterfaceType t) override;
    QAccessible::State state() const override;
    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QStringList actionNames() const override;
    void doAction(const QString &name) override;

protected:
    QString valueText() const override { return text(QAccessible::Value); }
    QRect valueRect() const override { return rect(); }
};

} // namespace tk::a11y
