#pragma once
// The list of known server addresses (ClockIP_1..9 of the settings file),
// the choice of an entry in cmbServer, and the address field txtIp: checked
// on every change, coloured by the result, and a new valid address taken
// over (indicator reset, fresh fetch at the next "ping" echo).

#include "common/form_state.h"
#include "settings/server_entries.h"
#include "settings/settings_keys.h"

#include <QList>
#include <QObject>
#include <QString>

class INI_Class;
class Link;
namespace tk {
class ComboBox;
}

namespace app {

struct MainUi;

class ServerList : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxEntries = settings::kClockIPLast;
    static constexpr quint32 kValidBack = 0xF8B880;
    static constexpr quint32 kInvalidBack = 0x0040C0;

    using Entry = settings::ServerEntry;

    ServerList(const MainUi &ui, FormState &state, Link &link);

    // Reads ClockIP_1.. up to the first empty one; fills sServers and cmbServer.
    void Load(const INI_Class &ini, const QString &cfgFile);
    const QList<Entry> &sServers() const { return m_servers; }
    // Entries added to the file while the window runs (a network search).
    void Append(const QList<Entry> &entries);
    tk::ComboBox *comboBox() const;

    // An entry's value: address, optionally "|" and a caption.
    static Entry parseEntry(const QString &value);

    void cmbServer_Click();
    void txtIp_Change();

private:
    FormState &m_state;
    Link &m_link;
    const MainUi &m_ui;
    QList<Entry> m_servers; // entry n at position n - 1
};

} // namespace app
