#pragma once
// The server drop-down's context menu (right click, the Menu key,
// Shift+F10) with its one item, "Найти Quorvan в сети": "ping" as a
// broadcast, without blocking the window; the servers that answer and that
// the list lacks are added to the drop-down and to the settings file, and
// the result line says how many answered.

#include "protocol/discovery.h"

#include <QMenu>
#include <QObject>
#include <QString>

class ResultConsole;

namespace app {

class ServerList;

class ServerSearch : public QObject {
    Q_OBJECT
public:
    static constexpr int kTimeoutMs = 1000;

    // cfgFile is read when a search ends: the window learns it at load.
    ServerSearch(ServerList &servers, ResultConsole &console, const QString &cfgFile);

    QMenu &menu() { return m_menu; }
    QAction *searchAction() const { return m_search; }
    // Starts a search unless one runs; the port is the Quorvan port.
    void start(quint16 port);

signals:
    void finished(int found);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showMenu(const QPoint &global);
    void searchDone();

    ServerList &m_servers;
    ResultConsole &m_console;
    const QString &m_cfgFile;
    QMenu m_menu;
    QAction *m_search;
    proto::Discovery m_discovery;
};

} // namespace app
