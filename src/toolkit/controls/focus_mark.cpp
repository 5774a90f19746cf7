#include "toolkit/controls/focus_mark.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWidget>

namespace tk {

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

} // namespace tk
