#include "app/server_search.h"

#include "app/server_list.h"
#include "link/result_console.h"
#include "common/address.h"
#include "settings/ini_class.h"
#include "settings/server_entries.h"
#include "toolkit/controls/combo_box.h"

#include <QKeyEvent>

namespace app {

ServerSearch::ServerSearch(ServerList &servers, ResultConsole &console, const QString &cfgFile)
    : m_servers(servers), m_console(console), m_cfgFile(cfgFile)
{
    m_search = m_menu.addAction(QStringLiteral("Найти Quorvan в сети"));
    m_menu.setAccessibleName(QStringLiteral("Меню списка серверов"));
    connect(m_search, &QAction::triggered, this,
            [this] { start(address::kDefaultPort); });
    connect(&m_discovery, &proto::Discovery::finished, this, &ServerSearch::searchDone);

    QWidget *combo = m_servers.comboBox();
    combo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(combo, &QWidget::customContextMenuRequested, this,
            [this, combo](const QPoint &at) { showMenu(combo->mapToGlobal(at)); });
    combo->installEventFilter(this); // Shift+F10, which Qt leaves to the program
}

bool ServerSearch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool shiftF10 = key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
        if (shiftF10 || key->key() == Qt::Key_Menu) {
            auto *w = static_cast<QWidget *>(watched);
            showMenu(w->mapToGlobal(QPoint(0, w->height())));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void ServerSearch::showMenu(const QPoint &global)
{
    m_search->setEnabled(!m_discovery.running());
    m_menu.popup(global);
}

void ServerSearch::start(quint16 port)
{
    if (m_discovery.running())
        return;
    QString error;
    if (!m_discovery.start(proto::broadcastTargets(), port, kTimeoutMs, &error)) {
        m_console.ShowOutcome(QStringLiteral("Поиск не начать: ") + error, false);
        emit finished(0);
    }
}

void ServerSearch::searchDone()
{
    const QList<proto::FoundServer> found = m_discovery.found();
    QList<settings::FoundEntry> entries;
    for (const proto::FoundServer &f : found)
        entries.append({f.address.toString(), f.port});
    const settings::AddedEntries added = settings::addServerEntries(INI_Class(), m_cfgFile, entries);
    m_servers.Append(added.added);
    m_console.ShowOutcome(found.isEmpty() ? QStringLiteral("Ни один Quorvan не ответил")
                                          : QStringLiteral("Найдено: %1").arg(found.size()),
                          !found.isEmpty());
    emit finished(int(found.size()));
}

} // namespace app
