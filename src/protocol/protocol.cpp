#include "protocol/protocol.h"

#include "common/number.h"
#include "protocol/reply_fields.h"

namespace proto {
namespace {

// Numbers the client writes itself: plain decimal, "-" for negatives.
QString dec(int n) { return QString::number(n); }

// The ring text goes on the wire one character per code point (Windows-1251
// has no surrogate pairs), so that is what the length threshold counts.
qsizetype wireLength(const QString &text)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        ++n;
    }
    return n;
}

constexpr qsizetype kMinRingLength = 5; // shorter ring texts are left out

} // namespace

QString readCommand(int id)
{
    switch (id) {
    case SkinQuery: return QStringLiteral("Gsk?");
    case Transparency: return QStringLiteral("GfaT");
    case Brightness: return QStringLiteral("GfaB");
    case FaceFlags: return QStringLiteral("Gfa*");
    case AllAlarms: return QStringLiteral("Gbd*");
    default: return QString();
    }
}

QString ping() { return QStringLiteral("ping"); }

QString alarmGet(int i) { return QStringLiteral("Gbd") + dec(i); }

QString alarmSet(int i, const QString &time, int active, const QString &ring)
{
    QString s = QStringLiteral("Sbd") + dec(i) + u'|' + time + u'|' + dec(active);
    if (ringGoesOut(ring))
        s += u'|' + ring;
    return s;
}

bool ringGoesOut(const QString &ring) { return wireLength(ring) >= kMinRingLength; }

QString alarmActive(int i, int value) { return QStringLiteral("Sbd") + dec(i) + u'|' + dec(value); }

QString alarmStop() { return QStringLiteral("Sbd0"); }

QString alarmToggle() { return QStringLiteral("Sbd1"); }

QString faceFlag(int i) { return QStringLiteral("Sfa") + dec(i); }

QString transparencySet(const QString &level, const QString &min, const QString &max, int mode)
{
    return QStringLiteral("SfaT|") + level + u'|' + min + u'|' + max + u'|' + dec(mode);
}

QString brightnessSet(const QString &level, const QString &min, const QString &max)
{
    return QStringLiteral("SfaB|") + level + u'|' + min + u'|' + max;
}

QString skinSelect(int n) { return QStringLiteral("Ssk") + dec(n); }

QString styleSelect(int n) { return QStringLiteral("Sst") + dec(n); }

QString saveAll() { return QStringLiteral("Sss1"); }

Reply splitReply(const QString &text)
{
    Reply r;
    const qsizetype bar = text.indexOf(u'|');
    if (bar < 0) {
        r.head = text;
    } else {
        r.head = text.left(bar);
        r.payload = text.mid(bar + 1);
    }
    r.word = r.head.left(3);
    r.selector = r.head.mid(3);
    return r;
}

qint16 replyNumber(QStringView selector)
{
    // parseNumber already refuses the empty text: an empty selector is not numeric.
    if (!num::parseNumber(selector))
        return -1;
    const std::optional<qint16> v = num::toInt16(selector);
    if (!v)
        proto::fail("reply number out of range");
    return *v;
}

} // namespace proto
