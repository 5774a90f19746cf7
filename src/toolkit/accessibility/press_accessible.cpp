#include "toolkit/accessibility/press_accessible.h"

#include <QWidget>

namespace tk::a11y {

QStringList PressAccessible::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    if (widget()->isEnabled())
        names.prepend(pressAction());
    return names;
}

void PressAccessible::doAction(const QString &name)
{
    if (name != pressAction())
        QAccessibleWidget::doAction(name);
    else if (widget()->isEnabled())
        m_press(widget());
}

} // namespace tk::a11y
