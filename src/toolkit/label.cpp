// A label's drawing held to the end of the event loop's turn. Qt has no way
// to take back an update, so the label keeps updates off while it is held
// and decides at the end of the turn whether anything visible changed.

#include "toolkit/toolkit.h"

#include <QMetaObject>

namespace tk {

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
