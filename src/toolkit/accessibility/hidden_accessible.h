#pragma once
// One of the toolkit's accessible interfaces; internal to the toolkit.

#include <QAccessibleWidget>

namespace tk::a11y {

// A decoration: no role, no name, never shown; its container leaves it out.
class HiddenAccessible : public QAccessibleWidget {
public:
    explicit HiddenAccessible(QWidget *w) : QAccessibleWidget(w, QAccessible::NoRole) {}
    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = true;
        return s;
    }
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
};

} // namespace tk::a11y
