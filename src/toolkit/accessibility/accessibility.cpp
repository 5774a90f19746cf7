#include "toolkit/accessibility/accessibility.h"

#include "toolkit/accessibility/accessible_widgets.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/controls/label.h"
#include "toolkit/accessibility/platform_announcer.h"
#include "toolkit/controls/text_box.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>

namespace tk {
namespace {

constexpr const char *kAccessProp = "tkAccess";
constexpr const char *kPartsProp = "tkAccessibleParts";
constexpr const char *kSelectedProp = "tkTabSelected";

// Asked once per class of the object, most derived first; the decision is
// the object's own, so it is taken at the first asking.
QAccessibleInterface *factory(const QString &className, QObject *object)
{
    auto *w = qobject_cast<QWidget *>(object);
    if (!w || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    return a11y::interfaceFor(w);
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

namespace a11y {
namespace {

QString shownText(const QWidget *w)
{
    if (auto *l = qobject_cast<const QLabel *>(w))
        return l->text();
    if (auto *b = qobject_cast<const QAbstractButton *>(w))
        return QString(b->text()).remove(u'&');
    if (auto *e = qobject_cast<const QLineEdit *>(w))
        return e->text();
    if (auto *g = qobject_cast<const QGroupBox *>(w))
        return g->title().trimmed();
    return {};
}

// What a click of the mouse raises, for each kind that is pressed.
void clickButton(QWidget *w)
{
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        b->click();
}

void clickTextBox(QWidget *w)
{
    if (auto *t = qobject_cast<TextBox *>(w))
        emit t->Click();
}

// Any mouse button selects a tab; the handler reads only which tab.
void pressTab(QWidget *w)
{
    if (auto *l = qobject_cast<Label *>(w))
        emit l->MouseDown(Qt::LeftButton);
}

} // namespace

void clickLabel(QWidget *w)
{
    if (auto *l = qobject_cast<Label *>(w))
        emit l->Click();
}

QString RoleAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || widget()->isWindow())
        return QAccessibleWidget::text(t);
    const QString name = widget()->accessibleName();
    return name.isEmpty() ? shownText(widget()) : name;
}

QList<QWidget *> ContainerAccessible::children() const
{
    QList<QWidget *> out;
    for (QObject *o : widget()->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (w && !w->isWindow() && accessOf(w) != Access::Hidden)
            out.append(w);
    }
    const auto byTopThenLeft = [](const QWidget *a, const QWidget *b) {
        return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    };
    const auto byLeft = [](const QWidget *a, const QWidget *b) { return a->x() < b->x(); };
    // The announcer has no place on the screen: read last, after the controls.
    const auto controlsEnd =
        std::stable_partition(out.begin(), out.end(), [](const QWidget *w) { return accessOf(w) != Access::Announcer; });
    std::stable_sort(out.begin(), controlsEnd, byTopThenLeft);
    // A row: the topmost widget left and those that start in its upper half.
    for (auto row = out.begin(); row != controlsEnd;) {
        const int limit = (*row)->y() + (*row)->height() / 2;
        const auto end = std::find_if(row + 1, controlsEnd, [limit](const QWidget *w) { return w->y() >= limit; });
        std::stable_sort(row, end, byLeft);
        row = end;
    }
    return out;
}

int ContainerAccessible::childCount() const
{
    return int(children().size());
}

QAccessibleInterface *ContainerAccessible::child(int index) const
{
    const QList<QWidget *> list = children();
    return index >= 0 && index < list.size() ? QAccessible::queryAccessibleInterface(list.at(index)) : nullptr;
}

int ContainerAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    return int(children().indexOf(qobject_cast<QWidget *>(child->object())));
}

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

LinkAccessible::LinkAccessible(QWidget *w) : PressAccessible(w, QAccessible::Link, clickTextBox) {}

QAccessible::State LinkAccessible::state() const
{
    QAccessible::State s = PressAccessible::state();
    s.linked = true;
    s.hotTracked = widget()->font().underline(); // the hover mark
    return s;
}

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

QAccessible::State HiddenAccessible::state() const
{
    QAccessible::State s;
    s.invisible = true;
    return s;
}

QAccessibleInterface *interfaceFor(QWidget *w)
{
    switch (accessOf(w)) {
    case Access::Default:
        return nullptr;
    case Access::Hidden:
        return new HiddenAccessible(w);
    case Access::Window:
        return new ContainerAccessible(w, QAccessible::Window);
    case Access::Group:
        return new ContainerAccessible(w, QAccessible::Grouping);
    case Access::TabList:
        return new ContainerAccessible(w, QAccessible::PageTabList);
    case Access::Tab:
        return new TabAccessible(w);
    case Access::Button:
        return new PressAccessible(w, QAccessible::Button, clickButton);
    case Access::Link:
        return new LinkAccessible(w);
    case Access::TimeValue:
        return new TimeValueAccessible(w);
    case Access::ArrowBar:
        return qobject_cast<QScrollBar *>(w) ? new ArrowBarAccessible(w) : nullptr;
    case Access::Indicator:
    case Access::Status:
        return new RoleAccessible(w, QAccessible::StatusBar);
    case Access::Choice:
        return qobject_cast<QComboBox *>(w) ? new ChoiceAccessible(w) : nullptr;
    case Access::Announcer:
        return new RoleAccessible(w, QAccessible::Notification);
    }
    return nullptr;
}

} // namespace a11y
} // namespace tk
