#include "toolkit/accessibility/choice_accessible.h"

#include "toolkit/controls/combo_box.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QWidget>

namespace tk::a11y {

QString ChoiceAccessible::text(QAccessible::Text t) const
{
    // A level outside the list is shown (greyed) though no item is chosen.
    if (t == QAccessible::Value) {
        const auto *box = static_cast<QComboBox *>(widget());
        const auto *own = qobject_cast<const ComboBox *>(box);
        return own ? own->Text() : box->currentText();
    }
    return RoleAccessible::text(t);
}

void *ChoiceAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return RoleAccessible::interface_cast(t);
}

QAccessible::State ChoiceAccessible::state() const
{
    QAccessible::State s = RoleAccessible::state();
    const bool open = static_cast<QComboBox *>(widget())->view()->isVisible();
    s.expandable = true;
    s.expanded = open;
    s.collapsed = !open;
    s.hasPopup = true;
    return s;
}

QAccessibleInterface *ChoiceAccessible::child(int index) const
{
    return index == 0 ? QAccessible::queryAccessibleInterface(static_cast<QComboBox *>(widget())->view()) : nullptr;
}

int ChoiceAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    return child && child->object() == static_cast<QComboBox *>(widget())->view() ? 0 : -1;
}

QStringList ChoiceAccessible::actionNames() const
{
    QStringList names = RoleAccessible::actionNames();
    if (widget()->isEnabled())
        names.prepend(showMenuAction());
    return names;
}

// Opens the list, as a click on the box does; choosing in it is the list's.
void ChoiceAccessible::doAction(const QString &name)
{
    if (name != showMenuAction())
        RoleAccessible::doAction(name);
    else if (widget()->isEnabled())
        static_cast<QComboBox *>(widget())->showPopup();
}

} // namespace tk::a11y
