#include "records/skin_info.h"

#include "protocol/reply_fields.h"

namespace records {

void ParseSkinReply(const QString &sText, SkinInfo &info)
{
    const proto::Fields p(sText);
    info.sName = p.text(0);
    info.iParam1 = p.int16(1);
    info.iParam2 = p.int16(2);
    info.iParam3 = p.int16(3);
    info.iParam4 = p.int16(4);
    info.iStyle = p.int16(5);
    if (p.size() < 7)
        proto::fail("a skin without styles"); // sStyles keeps what it had

    QStringList styles;
    styles.reserve(p.size() - 6);
    for (qsizetype i = 6; i < p.size(); ++i)
        styles.append(p.text(i));
    info.sStyles = std::move(styles);
}

QString styleDisplayName(const QString &entry)
{
    if (entry.size() < 4)
        proto::fail("style entry too short");
    return entry.left(entry.size() - 4);
}

} // namespace records
