#include "records/face_record.h"

#include "common/number.h"
#include "protocol/reply_fields.h"

#include <cmath>

namespace records {
namespace {

// A skin index of the reply as a position: the number as written plus one,
// then rounded half to even ("52.5" is position 54, not 53).
qint16 skinPosition(const QString &index)
{
    const auto v = num::parseNumber(index);
    if (!v)
        proto::fail("not a number");
    return checkedPosition(std::nearbyint(*v + 1.0));
}

} // namespace

int checkBoxValue(const proto::Fields &f, qsizetype i)
{
    const qint16 v = f.int16(i);
    if (v < 0 || v > 2)
        proto::fail("not a check-box value");
    return v;
}

qint16 checkedPosition(double v)
{
    if (!std::isfinite(v) || v < -32768.0 || v > 32767.0)
        proto::fail("position out of range");
    return static_cast<qint16>(v);
}

void ParseTransparencyReply(const QString &payload, TransparencyRecord &r)
{
    const proto::Fields f(payload);
    for (qsizetype i = 4; i < f.size(); ++i)
        r.levels.append(f.text(i));
    r.level = f.text(0);
    r.min = f.text(1);
    r.max = f.text(2);
    r.mode = checkBoxValue(f, 3);
}

void ParseBrightnessReply(const QString &payload, BrightnessRecord &r)
{
    const proto::Fields f(payload);
    r.supported = f.boolean(3);
    if (!*r.supported)
        return;
    for (qsizetype i = 4; i < f.size(); ++i)
        r.levels.append(f.text(i));
    r.level = f.text(0);
    r.min = f.text(1);
    r.max = f.text(2);
}

void ParseFaceFlagsReply(const QString &payload, FaceFlagsRecord &r)
{
    const proto::Fields f(payload);
    for (int i = 0; i < kFlagCount; ++i)
        r.flags[i] = checkBoxValue(f, i);
    r.mode = checkBoxValue(f, 4);
    r.brightSupported = f.boolean(5);
}

SkinGroup ParseSkinGroupReply(const QString &payload)
{
    const proto::Fields a(payload, 4);
    SkinGroup g;
    g.first = skinPosition(a.text(0));
    g.last = skinPosition(a.text(1));
    g.current = skinPosition(a.text(2));
    ParseSkinReply(a.text(3), g.info);
    g.styleLast = checkedPosition(double(g.info.sStyles.size()));
    g.styleCurrent = checkedPosition(g.info.iStyle + 1.0);
    return g;
}

QString currentStyleName(const SkinInfo &info)
{
    if (info.iStyle < 0 || info.iStyle >= info.sStyles.size())
        proto::fail("no such style");
    return styleDisplayName(info.sStyles.at(info.iStyle));
}

std::optional<int> wrapTarget(int min, int max, int value)
{
    if (value == min)
        return max - 1;
    if (value == max)
        return min + 1;
    return std::nullopt;
}

} // namespace records
