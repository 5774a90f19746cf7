#include "toolkit/accessibility/container_accessible.h"

#include "toolkit/accessibility/accessibility.h"

#include <QWidget>

#include <algorithm>

namespace tk::a11y {

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

} // namespace tk::a11y
