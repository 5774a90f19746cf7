#pragma once
// One of the toolkit's accessible interfaces; internal to the toolkit.

#include "toolkit/accessibility/press_accessible.h"
#include "toolkit/accessibility/value_text_interface.h"

namespace tk::a11y {

// A named label whose text is its value (an alarm time): the value is also
// readable as text, which is how AT-SPI passes it on; pressing edits it. A
// screen reader reads a label by its name alone, so the name carries the
// value too ("Время будильника 1, 8:15").
class TimeValueAccessible : public PressAccessible, public ValueTextInterface {
public:
    explicit TimeValueAccessible(QWidget *w);
    QString text(QAccessible::Text t) const override;
    using ValueTextInterface::text;
    void *interface_cast(QAccessible::InterfaceType t) override;

protected:
    QString valueText() const override;
    QRect valueRect() const override { return rect(); }
};

} // namespace tk::a11y
