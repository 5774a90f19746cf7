#pragma once
// The window-level flags of frmMain, shared by the shell, the link and the
// feature pages. Plain data: each subsystem documents who writes what.

#include <QString>

struct FormState {
    // True while the program itself puts values into controls; the Click and
    // Change handlers that would send commands back then do nothing.
    bool bLockEvents = false;
    bool bIpValid = false;     // txtIp holds a valid address; Send sends only then
    bool bInitPending = false; // the next "ping" echo starts the initial fetch
    bool bBrightSupported = false;
    qint16 iFrameSelect = 0;
    QString sLastIp;  // the last valid address taken over from txtIp
    QString sAppPath; // folder of the executable, ending in a separator
    QString sCfgFile; // the settings file: beside the executable, or the user's
};

// Sets bLockEvents for the life of the guard and always leaves it False, on
// every path out of the scope, exceptions included.
class EventLock {
public:
    explicit EventLock(FormState &s) : m_s(s) { m_s.bLockEvents = true; }
    ~EventLock() { m_s.bLockEvents = false; }
    EventLock(const EventLock &) = delete;
    EventLock &operator=(const EventLock &) = delete;

private:
    FormState &m_s;
};
