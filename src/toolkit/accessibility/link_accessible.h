#pragma once
// One of the toolkit's accessible interfaces; internal to the toolkit.

#include "toolkit/accessibility/press_accessible.h"

namespace tk::a11y {

// A link-styled text box: a link that shows whether the pointer is over it.
class LinkAccessible : public PressAccessible {
public:
    explicit LinkAccessible(QWidget *w);
    QAccessible::State state() const override;
};

} // namespace tk::a11y
