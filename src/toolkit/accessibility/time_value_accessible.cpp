#include "toolkit/accessibility/time_value_accessible.h"

#include "toolkit/controls/label.h"

#include <QLabel>
#include <QWidget>

namespace tk::a11y {
namespace {

// A click on a label, as the mouse gives it.
void clickLabel(QWidget *w)
{
    if (auto *l = qobject_cast<Label *>(w))
        emit l->Click();
}

} // namespace

TimeValueAccessible::TimeValueAccessible(QWidget *w) : PressAccessible(w, QAccessible::StaticText, clickLabel) {}

QString TimeValueAccessible::valueText() const
{
    const auto *label = qobject_cast<const QLabel *>(widget());
    return label ? label->text() : QString();
}

QString TimeValueAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return valueText();
    const QString own = PressAccessible::text(t);
    if (t != QAccessible::Name || valueText().isEmpty())
        return own;
    return own + QStringLiteral(", ") + valueText();
}

void *TimeValueAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return PressAccessible::interface_cast(t);
}

} // namespace tk::a11y
