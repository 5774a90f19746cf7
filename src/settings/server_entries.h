#pragma once
// The known servers of the settings file (ClockIP_1..ClockIP_9) and the one
// that SelectIPNum chooses: read the same way by the window's server list
// and by dalvimoctl.

#include <QList>
#include <QString>

#include <optional>

class INI_Class;

namespace settings {

struct ServerEntry {
    QString address;
    QString caption;
};

// An entry's value: address, optionally "|" and a caption; without one the
// address is its own caption. Anything after a second "|" is ignored.
ServerEntry parseServerEntry(const QString &value);

// ClockIP_1.. up to the first empty one: entries after a gap are never read.
QList<ServerEntry> readServerEntries(const INI_Class &ini, const QString &file);

// An integer setting as the program writes it: plain decimal within 16 bits.
// Anything else that a hand may have put there is no value.
std::optional<qint16> readIntSetting(const INI_Class &ini, const QString &file, const QString &key,
                                     const QString &def);

// The entry that SelectIPNum (counted from 1) names; empty when it names none.
std::optional<ServerEntry> selectedServerEntry(const INI_Class &ini, const QString &file);

} // namespace settings
