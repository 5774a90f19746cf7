#include "toolkit/controls/scroll_bar.h"

#include "toolkit/controls/focus_mark.h"

namespace tk {

HScrollBar::HScrollBar(QWidget *parent) : QScrollBar(Qt::Horizontal, parent)
{
    setSingleStep(1);
    setPageStep(1);
    connect(this, &QScrollBar::valueChanged, this, &HScrollBar::Change);
}

void HScrollBar::paintEvent(QPaintEvent *event)
{
    QScrollBar::paintEvent(event);
    drawFocusMark(this);
}

} // namespace tk
