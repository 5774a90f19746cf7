#include "toolkit/controls/label.h"

#include "toolkit/controls/colours.h"
#include "toolkit/controls/focus_mark.h"

#include <QMetaObject>
#include <QMouseEvent>

namespace tk {

Label::Label(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void Label::mousePressEvent(QMouseEvent *event)
{
    m_pressed = true;
    emit MouseDown(event->button());
}

void Label::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit Click();
}

// Qt's default would treat the second press as a fresh press and its release
// as a second Click.
void Label::mouseDoubleClickEvent(QMouseEvent *)
{
    m_pressed = false;
    emit DblClick();
}

void Label::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    drawFocusMark(this);
}

// The drawing held to the end of the event loop's turn. Qt has no way to
// take back an update, so the label keeps updates off while it is held and
// decides at the end of the turn whether anything visible changed.
void Label::drawAtEndOfTurn()
{
    // Hidden, nothing is drawn anyway; with updates already off (a container
    // that holds its own drawing) the label must not turn them back on.
    if (m_holding || !isVisible() || testAttribute(Qt::WA_UpdatesDisabled))
        return;
    m_holding = true;
    m_drawnText = text();
    m_drawnFore = foreColor(this);
    // The attribute alone, not setUpdatesEnabled(): that repaints when it
    // turns updates back on.
    setAttribute(Qt::WA_UpdatesDisabled);
    // Posted events run before the window's own low-priority paint request.
    QMetaObject::invokeMethod(this, &Label::endOfTurn, Qt::QueuedConnection);
}

void Label::endOfTurn()
{
    m_holding = false;
    setAttribute(Qt::WA_UpdatesDisabled, false);
    // An empty line looks the same in any colour.
    const bool unchanged = text() == m_drawnText && (text().isEmpty() || foreColor(this) == m_drawnFore);
    if (!unchanged)
        update();
}

} // namespace tk
