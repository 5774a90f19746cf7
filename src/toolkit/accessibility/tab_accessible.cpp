#include "toolkit/accessibility/tab_accessible.h"

#include "toolkit/accessibility/accessibility.h"
#include "toolkit/controls/label.h"

#include <QWidget>

namespace tk::a11y {
namespace {

// Any mouse button selects a tab; the handler reads only which tab.
void pressTab(QWidget *w)
{
    if (auto *l = qobject_cast<Label *>(w))
        emit l->MouseDown(Qt::LeftButton);
}

} // namespace

TabAccessible::TabAccessible(QWidget *w) : PressAccessible(w, QAccessible::PageTab, pressTab) {}

QAccessible::State TabAccessible::state() const
{
    QAccessible::State s = PressAccessible::state();
    s.selectable = true;
    s.selected = isTabSelected(widget());
    return s;
}

// Orca 43 says no "selected" for a page tab, only its description.
QString TabAccessible::text(QAccessible::Text t) const
{
    const QString own = PressAccessible::text(t);
    if (t != QAccessible::Description || !isTabSelected(widget()))
        return own;
    return own.isEmpty() ? QStringLiteral("выбрана") : QStringLiteral("выбрана, ") + own;
}

} // namespace tk::a11y
