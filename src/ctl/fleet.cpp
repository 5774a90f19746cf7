#include "ctl/fleet.h"

#include "common/exit_codes.h"
#include "ctl/exit_status.h"
#include "remote/commands.h"
#include "common/address.h"

#include <QThread>

#include <algorithm>
#include <memory>
#include <vector>

namespace ctl {

using namespace remote; // the exchanges this program is the command line of

QList<ServerResult> runFleet(const Request &r, const Policy &policy, const QList<Endpoint> &servers)
{
    QList<ServerResult> results(servers.size());
    std::vector<std::unique_ptr<QThread>> threads;
    threads.reserve(size_t(servers.size()));
    for (qsizetype i = 0; i < servers.size(); ++i) {
        ServerResult *slot = &results[i];
        slot->server = servers.at(i);
        // Each thread owns its exchange and writes only its own slot; its
        // event loop runs inside the exchange's waits.
        threads.push_back(std::unique_ptr<QThread>(QThread::create([slot, &r, &policy] {
            Exchanger ex(slot->server, policy);
            try {
                slot->shown = runCommand(r, ex);
                slot->stop = slot->shown.stop;
            } catch (const Outcome &stop) {
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
    int code = exit_code::kDone;
    for (const ServerResult &r : results)
        if (r.stop)
            code = std::max(code, exitCodeOf(r.stop->kind));
    return code;
}

QString serverLabel(const Endpoint &server)
{
    return server.port == address::kDefaultPort ? server.host() : server.text();
}

} // namespace ctl
