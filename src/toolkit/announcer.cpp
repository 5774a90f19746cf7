#include "toolkit/announcer.h"

#include "toolkit/accessibility.h"

#include <QAccessible>

namespace tk {

Announcer::Announcer(QWidget *window) : QWidget(window)
{
    setObjectName(QStringLiteral("tkAnnouncer"));
    hide();
    setAccess(this, Access::Announcer);
    m_clock.start();
}

Announcer *Announcer::of(QWidget *w)
{
    QWidget *window = w->window();
    if (auto *made = window->findChild<Announcer *>(QString(), Qt::FindDirectChildrenOnly))
        return made;
    return new Announcer(window);
}

bool Announcer::say(const QString &text)
{
    if (!m_repeats.admit(text, m_clock.elapsed()))
        return false;
    setAccessibleName(text);
    // Reported as shown though the widget stays hidden: the reader speaks a
    // notification on this event alone.
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    return true;
}

bool announce(QWidget *inWindow, const QString &text)
{
    return inWindow && Announcer::of(inWindow)->say(text);
}

} // namespace tk
