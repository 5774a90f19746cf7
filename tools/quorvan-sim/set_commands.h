#pragma once
// The "S" commands of the simulated Quorvan: each is checked in full before
// anything changes, so a rejected command leaves the data exactly as it was.

#include "quorvan_data.h"

#include <QString>
#include <QStringList>

namespace sim {

class SetCommands {
public:
    explicit SetCommands(QuorvanData &d) : m_d(d) {}

    // Each takes the command's head after its word (the selector) and, when
    // the command has fields, the text after the first "|".
    ErrorCode applyAlarmCommand(const QString &selector, const QString &payload, bool hasFields); // "Sbd"
    ErrorCode applyFaceCommand(const QString &selector, const QString &payload, bool hasFields);  // "Sfa"
    ErrorCode selectSkin(const QString &selector);  // "Ssk"
    ErrorCode selectStyle(const QString &selector); // "Sst"
    ErrorCode save();                               // "Sss1"

private:
    ErrorCode applyAlarmSet(int n, const QString &payload);
    ErrorCode toggleWeekendMode();
    ErrorCode applyTransparency(const QStringList &fields);
    ErrorCode applyBrightness(const QStringList &fields);

    QuorvanData &m_d;
};

} // namespace sim
