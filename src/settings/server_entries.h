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

// A server found on the network, to be offered by the window.
struct FoundEntry {
    QString address; // dotted IPv4
    quint16 port = 0;
};

struct AddedEntries {
    QList<ServerEntry> added;   // written, in order
    QList<FoundEntry> noRoom;   // new, but every ClockIP_ key is taken
};

// Appends each found server that no entry names yet (compared by the
// window's address rule) as ClockIP_n = "ADDRESS|Quorvan ADDRESS", with
// "|PORT" after it when the port is not the default one (the window reads
// no further than the caption). Key by key through ini, so every other line
// of the file stays; nothing is written when nothing is new.
AddedEntries addServerEntries(const INI_Class &ini, const QString &file, const QList<FoundEntry> &found);

} // namespace settings
