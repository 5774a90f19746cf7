#pragma once
// One of the toolkit's accessible interfaces; internal to the toolkit.

#include "toolkit/accessibility/press_accessible.h"

namespace tk::a11y {

// A label that is one tab of the strip.
class TabAccessible : public PressAccessible {
public:
    explicit TabAccessible(QWidget *w);
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
};

} // namespace tk::a11y
