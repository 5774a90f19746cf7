#include "app/server_list.h"

#include "app/frm_main_ui.h"
#include "link/link.h"
#include "settings/ini_class.h"
#include "settings/settings_keys.h"
#include "common/address.h"
#include "toolkit/controls/colours.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/controls/text_box.h"
#include "settings/server_entries.h"

namespace app {

ServerList::ServerList(const MainUi &ui, FormState &state, Link &link) : m_state(state), m_link(link), m_ui(ui)
{
    connect(m_ui.cmbServer, &tk::ComboBox::Click, this, &ServerList::cmbServer_Click);
    connect(m_link.ui().txtIp, &tk::TextBox::Change, this, &ServerList::txtIp_Change);
}

ServerList::Entry ServerList::parseEntry(const QString &value)
{
    return settings::parseServerEntry(value);
}

void ServerList::Load(const INI_Class &ini, const QString &cfgFile)
{
    const QList<Entry> entries = settings::readServerEntries(ini, cfgFile);
    for (const Entry &entry : entries)
        m_ui.cmbServer->AddItem(entry.caption);
    m_servers.append(entries);
}

void ServerList::Append(const QList<Entry> &entries)
{
    for (const Entry &entry : entries)
        m_ui.cmbServer->AddItem(entry.caption);
    m_servers.append(entries);
}

void ServerList::cmbServer_Click()
{
    const int i = m_ui.cmbServer->ListIndex();
    if (i < 0 || i >= m_servers.size())
        return;
    m_link.ui().txtIp->setText(m_servers[i].address);
}

void ServerList::txtIp_Change()
{
    const QString text = m_link.ui().txtIp->text();
    m_state.bIpValid = address::IsValidIp(text);
    tk::setBackColor(m_link.ui().txtIp, m_state.bIpValid ? kValidBack : kInvalidBack);
    if (m_state.bIpValid && text != m_state.sLastIp) {
        m_state.bInitPending = true;
        m_state.sLastIp = text;
        m_link.SetIndicator(false);
    }
}

tk::ComboBox *ServerList::comboBox() const
{
    return m_ui.cmbServer;
}

} // namespace app
