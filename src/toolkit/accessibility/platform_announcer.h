#pragma once
// What the platform needs, beside the ring of hidden notifications, to
// speak an announcement (see Announcer).
//
// On Linux, Qt's AT-SPI bridge turns each notification shown into speech:
// nothing more is needed. Qt 6.4's UI Automation bridge on Windows raises
// nothing for them, so there each text is raised as a UI Automation
// notification, the one event NVDA and Narrator speak whatever has the
// focus.

#include <QString>

#include <memory>

class QWidget;

namespace tk {

class PlatformAnnouncer {
public:
    explicit PlatformAnnouncer(QWidget *window);
    ~PlatformAnnouncer();
    PlatformAnnouncer(const PlatformAnnouncer &) = delete;
    PlatformAnnouncer &operator=(const PlatformAnnouncer &) = delete;

    // Raises text, already filtered and cut, to the platform's readers.
    void say(const QString &text);

    // Before the first control is built (installAccessibility): on Windows,
    // Qt's own notification of a drop-down's new item is left out, as the
    // announcer says a chosen item itself.
    static void prepare();

private:
    struct Native;
    std::unique_ptr<Native> m_native;
};

} // namespace tk
