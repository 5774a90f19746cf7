#include "toolkit/announcer.h"

#include "toolkit/accessibility.h"

#include <QAccessible>

namespace tk {

Announcer::Announcer(QWidget *window) : QObject(window)
{
    setObjectName(QStringLiteral("tkAnnouncerRing"));
    for (QWidget *&voice : m_voices) {
        voice = new QWidget(window);
        voice->setObjectName(QStringLiteral("tkAnnouncer"));
        voice->hide();
        setAccess(voice, Access::Announcer);
    }
    m_clock.start();
}

Announcer *Announcer::of(QWidget *w)
{
    QWidget *window = w->window();
    if (auto *made = window->findChild<Announcer *>(QString(), Qt::FindDirectChildrenOnly))
        return made;
    return new Announcer(window);
}

bool Announcer::say(const QObject *source, const QString &text)
{
    auto filter = m_repeats.find(source);
    if (filter == m_repeats.end())
        filter = m_repeats.insert(source, RepeatFilter(kRepeatMs));
    if (!filter->admit(text, m_clock.elapsed()))
        return false;
    QWidget *voice = m_voices[m_next];
    m_next = (m_next + 1) % kVoices;
    voice->setAccessibleName(text);
    // Reported as shown though the widget stays hidden: the reader speaks a
    // notification on this event alone.
    QAccessibleEvent shown(voice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    return true;
}

bool announce(QWidget *source, const QString &text)
{
    return source && Announcer::of(source)->say(source, text);
}

} // namespace tk
