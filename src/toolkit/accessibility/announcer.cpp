#include "toolkit/accessibility/announcer.h"

#include "toolkit/accessibility/accessibility.h"

#include <QAccessible>

#include <algorithm>
#include <utility>

namespace tk {

Announcer::Announcer(QWidget *window) : QObject(window), m_platform(window)
{
    setObjectName(QStringLiteral("tkAnnouncerRing"));
    for (QWidget *&voice : m_voices) {
        voice = new QWidget(window);
        voice->setObjectName(QStringLiteral("tkAnnouncer"));
        voice->hide();
        setAccess(voice, Access::Announcer);
    }
    m_quiet.setSingleShot(true);
    connect(&m_quiet, &QTimer::timeout, this, &Announcer::flush);
    m_clock.start();
}

Announcer *Announcer::of(QWidget *w)
{
    QWidget *window = w->window();
    if (auto *made = window->findChild<Announcer *>(QString(), Qt::FindDirectChildrenOnly))
        return made;
    return new Announcer(window);
}

bool Announcer::say(const QObject *source, const QString &shown)
{
    QString text = shown.simplified();
    if (text.size() > kMaxChars)
        text = text.left(kMaxChars - 1) + u'…';
    const qint64 now = m_clock.elapsed();
    auto filter = m_repeats.find(source);
    if (filter == m_repeats.end())
        filter = m_repeats.insert(source, RepeatFilter(kRepeatMs));
    const bool news = filter->admit(text, now);
    if (news) {
        if (m_held.isEmpty())
            m_heldSince = now;
        m_held << text;
    }
    // A repeat is still a sign that the burst goes on.
    if (!m_held.isEmpty())
        m_quiet.start(int(std::clamp<qint64>(m_heldSince + kHoldMs - now, 0, kQuietMs)));
    return news;
}

void Announcer::flush()
{
    m_quiet.stop();
    QStringList texts = std::exchange(m_held, {});
    // More than the ring holds at once: the last voice says the rest.
    if (texts.size() > kVoices) {
        const QString rest = texts.mid(kVoices - 1).join(QStringLiteral(". "));
        texts.resize(kVoices - 1);
        texts << rest;
    }
    for (const QString &text : texts)
        show(text);
}

void Announcer::show(const QString &text)
{
    QWidget *voice = m_voices[m_next];
    m_next = (m_next + 1) % kVoices;
    voice->setAccessibleName(text);
    // Reported as shown though the widget stays hidden: the reader speaks a
    // notification on this event alone.
    QAccessibleEvent shown(voice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    m_platform.say(text);
}

bool announce(QWidget *source, const QString &text)
{
    return source && Announcer::of(source)->say(source, text);
}

} // namespace tk
