#pragma once
// The description of the current skin as the skin reply carries it, and the
// names of its styles as the user sees them.

#include <QString>
#include <QStringList>

namespace records {

// Lives only while one skin reply is applied. iParam1..iParam4 are Quorvan's
// own business: converted, never used. iStyle counts from 0 into sStyles.
struct SkinInfo {
    QString sName;
    qint16 iParam1 = 0;
    qint16 iParam2 = 0;
    qint16 iParam3 = 0;
    qint16 iParam4 = 0;
    qint16 iStyle = 0;
    QStringList sStyles;
};

// name|param1|param2|param3|param4|style|entry[|entry...]: at least one style
// entry, taken unchanged. Fills info in that order and throws
// proto::ReplyFailure at the first field that is missing or does not convert;
// the fields set before it keep their new values. iStyle is not checked
// against sStyles here: that is for whoever shows the style.
void ParseSkinReply(const QString &sText, SkinInfo &info);

// A style entry as shown to the user: without its last four characters,
// which Quorvan keeps for itself. Exactly four characters give the empty
// name; fewer throw proto::ReplyFailure.
QString styleDisplayName(const QString &entry);

} // namespace records
