#pragma once
// What the window tells a screen reader, as a test sees it: every
// accessibility event with the object's name and, for a change of name,
// the name it now has. Qt passes events on only while a screen reader
// listens; the switch for that lives in Qt's platform layer, which is where
// a test without one turns it on.

#include <QAccessible>
#include <QPointer>
#include <QList>
#include <QString>

class AccessibilityEvents {
public:
    struct Event {
        QString object; // objectName
        QAccessible::Event type;
        QString name; // the object's accessible name once the event is sent
        QPointer<const QObject> source;
    };

    AccessibilityEvents();
    ~AccessibilityEvents();
    AccessibilityEvents(const AccessibilityEvents &) = delete;
    AccessibilityEvents &operator=(const AccessibilityEvents &) = delete;

    bool isActive() const { return QAccessible::isActive(); }
    QList<Event> take();
    // "object: name" for each name change of the objects named, in order.
    QStringList takeNameChanges(const QStringList &objects);

private:
    static void record(QAccessibleEvent *event);
    QAccessible::UpdateHandler m_previous;
};
