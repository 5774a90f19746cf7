#include "toolkit/accessibility/accessibility.h"

#include "toolkit/accessibility/arrow_bar_accessible.h"
#include "toolkit/accessibility/choice_accessible.h"
#include "toolkit/accessibility/container_accessible.h"
#include "toolkit/accessibility/hidden_accessible.h"
#include "toolkit/accessibility/link_accessible.h"
#include "toolkit/accessibility/platform_announcer.h"
#include "toolkit/accessibility/press_accessible.h"
#include "toolkit/accessibility/tab_accessible.h"
#include "toolkit/accessibility/time_value_accessible.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QScrollBar>

namespace tk {
namespace {

constexpr const char *kAccessProp = "tkAccess";
constexpr const char *kPartsProp = "tkAccessibleParts";
constexpr const char *kSelectedProp = "tkTabSelected";

// What a click of the mouse raises, for each kind that is pressed.
void clickButton(QWidget *w)
{
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        b->click();
}

// The toolkit's accessible interfaces, one per role of Access that Qt gets
// wrong; nullptr leaves the widget to Qt.
QAccessibleInterface *interfaceFor(QWidget *w)
{
    switch (accessOf(w)) {
    case Access::Default:
        return nullptr;
    case Access::Hidden:
        return new a11y::HiddenAccessible(w);
    case Access::Window:
        return new a11y::ContainerAccessible(w, QAccessible::Window);
    case Access::Group:
        return new a11y::ContainerAccessible(w, QAccessible::Grouping);
    case Access::TabList:
        return new a11y::ContainerAccessible(w, QAccessible::PageTabList);
    case Access::Tab:
        return new a11y::TabAccessible(w);
    case Access::Button:
        return new a11y::PressAccessible(w, QAccessible::Button, clickButton);
    case Access::Link:
        return new a11y::LinkAccessible(w);
    case Access::TimeValue:
        return new a11y::TimeValueAccessible(w);
    case Access::ArrowBar:
        return qobject_cast<QScrollBar *>(w) ? new a11y::ArrowBarAccessible(w) : nullptr;
    case Access::Indicator:
    case Access::Status:
        return new a11y::RoleAccessible(w, QAccessible::StatusBar);
    case Access::Choice:
        return qobject_cast<QComboBox *>(w) ? new a11y::ChoiceAccessible(w) : nullptr;
    case Access::Announcer:
        return new a11y::RoleAccessible(w, QAccessible::Notification);
    }
    return nullptr;
}

// Asked once per class of the object, most derived first; the decision is
// the object's own, so it is taken at the first asking.
QAccessibleInterface *factory(const QString &className, QObject *object)
{
    auto *w = qobject_cast<QWidget *>(object);
    if (!w || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    return interfaceFor(w);
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        PlatformAnnouncer::prepare();
        return true;
    }();
    Q_UNUSED(installed);
}

void setAccess(QWidget *w, Access access)
{
    w->setProperty(kAccessProp, int(access));
    // Qt makes a control's interface as soon as the control announces
    // anything (setting its text does), and keeps it: one made before the
    // role was known is dropped, so the next asking gets the right one.
    if (QAccessibleInterface *made = QAccessible::queryAccessibleInterface(w))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

Access accessOf(const QWidget *w)
{
    const QVariant v = w->property(kAccessProp);
    return v.isValid() ? Access(v.toInt()) : Access::Default;
}

void setAccessibleParts(QWidget *w, const QStringList &names)
{
    w->setProperty(kPartsProp, names);
}

QStringList accessibleParts(const QWidget *w)
{
    return w->property(kPartsProp).toStringList();
}

void announceName(QWidget *w, const QString &name)
{
    // Qt announces every assignment, a repeated one too.
    if (w->accessibleName() != name)
        w->setAccessibleName(name);
}

void setTabSelected(QWidget *tab, bool selected)
{
    if (isTabSelected(tab) == selected)
        return;
    tab->setProperty(kSelectedProp, selected);
    QAccessibleEvent event(tab, selected ? QAccessible::SelectionAdd : QAccessible::SelectionRemove);
    QAccessible::updateAccessibility(&event);
}

bool isTabSelected(const QWidget *tab)
{
    return tab->property(kSelectedProp).toBool();
}

} // namespace tk
