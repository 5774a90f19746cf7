// dalvimoctl-bench: what a whole dalvimoctl process costs.
//   bare          a Qt Core program that starts and exits
//   --version     dalvimoctl starting, parsing its command line and exiting
//   alarms        dalvimoctl reading the four alarms from quorvan-sim on
//                 loopback (one datagram each way)
// The three run interleaved, in a rotating order, so a busy moment of the
// machine falls on all of them alike. Wall time from spawn to exit.
// Not a test: it prints figures and exits 0 unless it cannot run.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

struct Case {
    const char *name;
    QStringList argv;
    std::vector<double> ms;
};

// Spawns argv with stdout and stderr on /dev/null and waits; the time in ms,
// or a negative number when it did not exit 0.
double timedRun(const QStringList &argv)
{
    std::vector<QByteArray> bytes;
    for (const QString &a : argv)
        bytes.push_back(a.toLocal8Bit());
    std::vector<char *> args;
    for (QByteArray &b : bytes)
        args.push_back(b.data());
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ms : -1;
}

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[size_t(p * double(v.size() - 1) + 0.5)];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("rounds"), QStringLiteral("Runs of each program."), QStringLiteral("n"),
                      QStringLiteral("200")});
    parser.process(app);
    const int rounds = std::max(1, parser.value(QStringLiteral("rounds")).toInt());

    QProcess sim;
    sim.start(QStringLiteral(SIM_PATH), {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--quiet")});
    if (!sim.waitForReadyRead(10000)) {
        std::fprintf(stderr, "quorvan-sim did not start\n");
        return 1;
    }
    const QString line = QString::fromLocal8Bit(sim.readLine()).trimmed(); // "... listening on UDP host:port"
    const QString server = line.section(u' ', -1);

    unsetenv("DALVIMO_SERVER");
    std::vector<Case> cases{
        {"bare Qt Core", {QStringLiteral(BARE_PATH)}, {}},
        {"dalvimoctl --version", {QStringLiteral(CTL_PATH), QStringLiteral("--version")}, {}},
        {"dalvimoctl alarms", {QStringLiteral(CTL_PATH), QStringLiteral("-s"), server, QStringLiteral("alarms")}, {}},
    };
    for (Case &c : cases)
        timedRun(c.argv); // warm the page cache
    for (int round = 0; round < rounds; ++round) {
        for (size_t k = 0; k < cases.size(); ++k) {
            Case &c = cases[(size_t(round) + k) % cases.size()];
            const double ms = timedRun(c.argv);
            if (ms < 0) {
                std::fprintf(stderr, "%s failed\n", c.name);
                return 1;
            }
            c.ms.push_back(ms);
        }
    }
    sim.kill();
    sim.waitForFinished();

    std::printf("%d interleaved runs each, wall time spawn to exit, ms (server %s)\n", rounds, qPrintable(server));
    std::printf("%-22s %8s %8s %8s\n", "", "min", "median", "max");
    for (const Case &c : cases)
        std::printf("%-22s %8.2f %8.2f %8.2f\n", c.name, percentile(c.ms, 0), percentile(c.ms, 0.5),
                    percentile(c.ms, 1));
    const double bare = percentile(cases[0].ms, 0.5);
    const double version = percentile(cases[1].ms, 0.5);
    const double alarms = percentile(cases[2].ms, 0.5);
    std::printf("medians: --version / bare %.2f, alarms / bare %.2f, alarms / --version %.2f\n", version / bare,
                alarms / bare, alarms / version);
    std::printf("alarms - bare: %.2f ms (aim: under 10 ms)\n", alarms - bare);
    return 0;
}
