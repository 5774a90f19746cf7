#include "ctl/fleet.h"

#include "remote/commands.h"
#include "protocol/address.h"

#include <QThread>

#include <algorithm>
#include <memory>
#include <vector>

namespace ctl {

QList<ServerResult> runFleet(const Request &r, const QList<Endpoint> &servers)
{
    QList<ServerResult> results(servers.size());
    std::vector<std::unique_ptr<QThread>> threads;
    threads.reserve(size_t(servers.size()));
    for (qsizetype i = 0; i < servers.size(); ++i) {
        ServerResult *slot = &results[i];
        slot->server = servers.at(i);
        // Each thread owns its exchange and writes only its own slot; its
        // event loop runs inside the exchange's waits.
        threads.push_back(std::unique_ptr<QThread>(QThread::create([slot, &r] {
            Exchanger ex(slot->server, r.globals.policy);
            try {
                slot->shown = runCommand(r, ex);
                slot->stop = slot->shown.stop;
            } catch (const Stop &stop) {
                slot->stop = stop;
            }
        })));
        threads.back()->start();
    }
    for (const auto &t : threads)
        t->wait();
    return results;
}

int fleetExitCode(const QList<ServerResult> &results)
{
    int code = kExitDone;
    for (const ServerResult &r : results)
        if (r.stop)
            code = std::max(code, r.stop->exitCode);
    return code;
}

QString serverLabel(const Endpoint &server)
{
    return QString::number(server.port) == address::kDefaultPort ? server.address.toString() : server.text();
}

} // namespace ctl
