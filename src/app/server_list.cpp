#include "app/server_list.h"

#include "link/link.h"
#include "settings/ini_class.h"
#include "settings/settings_keys.h"
#include "protocol/address.h"
#include "toolkit/form.h"
#include "toolkit/toolkit.h"

ServerList::ServerList(Form &form, FormState &state, Link &link)
    : m_state(state),
      m_link(link),
      m_cmbServer(form.get<tk::ComboBox>("cmbServer")),
      m_txtIp(form.get<tk::TextBox>("txtIp"))
{
    connect(m_cmbServer, &tk::ComboBox::Click, this, &ServerList::cmbServer_Click);
    connect(m_txtIp, &tk::TextBox::Change, this, &ServerList::txtIp_Change);
}

ServerList::Entry ServerList::parseEntry(const QString &value)
{
    const qsizetype bar = value.indexOf(u'|');
    if (bar < 0)
        return {value, value};
    const qsizetype next = value.indexOf(u'|', bar + 1);
    // Anything after a second separator is ignored.
    return {value.left(bar), value.mid(bar + 1, next < 0 ? -1 : next - bar - 1)};
}

void ServerList::Load(const INI_Class &ini, const QString &cfgFile)
{
    for (int n = 1; n <= kMaxEntries; ++n) {
        const QString value = ini.ReadINIKey(settings::kSectionGeneral, settings::clockIPKey(n), cfgFile, QString());
        if (value.isEmpty())
            break; // entries after a gap are never read
        m_servers.append(parseEntry(value));
        m_cmbServer->AddItem(m_servers.back().caption);
    }
}

void ServerList::cmbServer_Click()
{
    const int i = m_cmbServer->ListIndex();
    if (i < 0 || i >= m_servers.size())
        return;
    m_txtIp->setText(m_servers[i].address);
}

void ServerList::txtIp_Change()
{
    const QString text = m_txtIp->text();
    m_state.bIpValid = address::IsValidIp(text);
    tk::setBackColor(m_txtIp, m_state.bIpValid ? kValidBack : kInvalidBack);
    if (m_state.bIpValid && text != m_state.sLastIp) {
        m_state.bInitPending = true;
        m_state.sLastIp = text;
        m_link.SetIndicator(false);
    }
}
