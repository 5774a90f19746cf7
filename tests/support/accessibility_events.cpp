#include "accessibility_events.h"

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

QList<AccessibilityEvents::Event> &recorded()
{
    static QList<AccessibilityEvents::Event> events;
    return events;
}

void setActive(bool on)
{
    if (QPlatformIntegration *platform = QGuiApplicationPrivate::platformIntegration())
        if (QPlatformAccessibility *accessibility = platform->accessibility())
            accessibility->setActive(on);
}

} // namespace

AccessibilityEvents::AccessibilityEvents() : m_previous(QAccessible::installUpdateHandler(record))
{
    setActive(true);
    recorded().clear();
}

AccessibilityEvents::~AccessibilityEvents()
{
    setActive(false);
    QAccessible::installUpdateHandler(m_previous);
    recorded().clear();
}

void AccessibilityEvents::record(QAccessibleEvent *event)
{
    QAccessibleInterface *iface = event->accessibleInterface();
    const QObject *object = event->object();
    recorded().append({object ? object->objectName() : QString(), event->type(),
                       iface ? iface->text(QAccessible::Name) : QString(), object});
}

QList<AccessibilityEvents::Event> AccessibilityEvents::take()
{
    return std::exchange(recorded(), {});
}

QStringList AccessibilityEvents::takeNameChanges(const QStringList &objects)
{
    QStringList out;
    for (const Event &e : take())
        if (e.type == QAccessible::NameChanged && objects.contains(e.object))
            out << e.object + QStringLiteral(": ") + e.name;
    return out;
}
