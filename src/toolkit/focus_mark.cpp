// The mark that shows which control holds the keyboard focus, for the
// controls whose own drawing shows none: labels that take the focus (tabs,
// alarm times), the arrow-only scroll bars and the frameless link texts.
// The style draws it only once the keyboard has moved the focus in the
// window, so a user of the mouse sees the window as before.

#include "toolkit/toolkit.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace tk {
namespace {

void drawFocusMark(QWidget *w)
{
    if (!w->hasFocus())
        return;
    QPainter p(w);
    QStyleOptionFocusRect opt;
    opt.initFrom(w);
    opt.backgroundColor = w->palette().color(QPalette::Window);
    w->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &p, w);
}

} // namespace

void Label::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    drawFocusMark(this);
}

void TextBox::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (!hasFrame()) // a framed box shows its focus in its frame
        drawFocusMark(this);
}

void HScrollBar::paintEvent(QPaintEvent *event)
{
    QScrollBar::paintEvent(event);
    drawFocusMark(this);
}

} // namespace tk
