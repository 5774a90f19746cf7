#include "toolkit/accessibility/link_accessible.h"

#include "toolkit/controls/text_box.h"

#include <QWidget>

namespace tk::a11y {
namespace {

void clickTextBox(QWidget *w)
{
    if (auto *t = qobject_cast<TextBox *>(w))
        emit t->Click();
}

} // namespace

LinkAccessible::LinkAccessible(QWidget *w) : PressAccessible(w, QAccessible::Link, clickTextBox) {}

QAccessible::State LinkAccessible::state() const
{
    QAccessible::State s = PressAccessible::state();
    s.linked = true;
    s.hotTracked = widget()->font().underline(); // the hover mark
    return s;
}

} // namespace tk::a11y
