#include "toolkit/accessibility/platform_announcer.h"

namespace tk {

// Qt's AT-SPI bridge speaks the ring's notifications.
struct PlatformAnnouncer::Native {};

PlatformAnnouncer::PlatformAnnouncer(QWidget *) {}

PlatformAnnouncer::~PlatformAnnouncer() = default;

void PlatformAnnouncer::say(const QString &) {}

void PlatformAnnouncer::prepare() {}

} // namespace tk
