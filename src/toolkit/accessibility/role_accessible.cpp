#include "toolkit/accessibility/role_accessible.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace tk::a11y {
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

} // namespace

QString RoleAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || widget()->isWindow())
        return QAccessibleWidget::text(t);
    const QString name = widget()->accessibleName();
    return name.isEmpty() ? shownText(widget()) : name;
}

} // namespace tk::a11y
