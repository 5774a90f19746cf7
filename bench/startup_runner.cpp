// dalvimo-startup-bench: runs the client (dalvimo-probe) and a bare Qt
// window of the same size (bare-window) as whole processes, in turns, and
// prints min / median / max of
//   - process start to the first paint on screen, and the CPU time until then;
//   - the resident set size after the initial fetch (the bare window: after
//     its first paint), both against the simulator on loopback;
//   - the five-step initial fetch: "ping" echo to the handled "Gbd*" reply;
//   - CPU time per handled reply while replies arrive at a paced rate.
// Run it on a real display server (Xvfb); bench/run.sh does.

#include "probe.h"
#include "quorvan_state.h"

#include "common/ansi.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QProcess>
#include <QUdpSocket>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

using Figures = QHash<QString, qint64>;

struct Options {
    int runs = 11;
    int rate = 20000;   // replies per second in the flood
    int floodMs = 1000; // how long the flood lasts
    int settleMs = 300;
    QString binDir;
    QString simulator;
};

// The replies of the flood: the same mix of kinds the simulator's own flood sends.
QList<QByteArray> floodReplies()
{
    const sim::QuorvanState state;
    QList<QByteArray> out;
    for (int n = 1; n <= sim::QuorvanState::kAlarmCount; ++n) {
        out << ansi::encode(state.alarmReply(n));
        if (n == 1)
            out << ansi::encode(state.skinReply(QStringLiteral("Gsk?"), state.currentSkin()));
        if (n == 2)
            out << ansi::encode(state.transparencyReply());
        if (n == 3)
            out << ansi::encode(state.faceFlagsReply());
    }
    return out;
}

// The flood's own server: the client hears only the server in its bar, so
// the probe names this socket's port there before the flood.
QUdpSocket &floodServer()
{
    static QUdpSocket out;
    if (out.state() != QAbstractSocket::BoundState)
        out.bind(QHostAddress::LocalHost, 0);
    return out;
}

// Sends rate replies a second for ms, a millisecond's share at a time.
int pace(quint16 port, int rate, int ms)
{
    static const QList<QByteArray> replies = floodReplies();
    QUdpSocket &out = floodServer();
    timespec next{};
    clock_gettime(CLOCK_MONOTONIC, &next);
    int sent = 0;
    for (int tick = 1; tick <= ms; ++tick) {
        const int due = int(qint64(rate) * tick / 1000);
        for (; sent < due; ++sent)
            out.writeDatagram(replies.at(sent % replies.size()), QHostAddress::LocalHost, port);
        next.tv_nsec += 1000000;
        if (next.tv_nsec >= 1000000000) {
            next.tv_nsec -= 1000000000;
            ++next.tv_sec;
        }
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
    }
    return sent;
}

// Runs one probe process to its end; its key=value lines, plus "start_ns".
Figures runProbe(const QString &program, const QStringList &args, const Options &o)
{
    Figures f;
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    f[QStringLiteral("start_ns")] = probe::monotonicNs();
    p.start(program, args);
    if (!p.waitForStarted(10000))
        qFatal("cannot start %s", qPrintable(program));
    while (p.state() != QProcess::NotRunning || p.canReadLine()) {
        if (!p.canReadLine() && !p.waitForReadyRead(30000))
            break;
        while (p.canReadLine()) {
            const QList<QByteArray> kv = p.readLine().trimmed().split('=');
            if (kv.size() != 2)
                continue;
            f[QString::fromLatin1(kv[0])] = kv[1].toLongLong();
            if (kv[0] == "client_port")
                f[QStringLiteral("flood_sent")] = pace(quint16(kv[1].toUInt()), o.rate, o.floodMs);
        }
    }
    if (!p.waitForFinished(30000))
        p.kill();
    return f;
}

struct Stat {
    double min = 0, median = 0, max = 0;
};

Stat stat(QList<double> v)
{
    if (v.isEmpty())
        return {};
    std::sort(v.begin(), v.end());
    const qsizetype n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return {v.front(), median, v.back()};
}

QList<double> column(const QList<Figures> &runs, const std::function<double(const Figures &)> &of)
{
    QList<double> out;
    for (const Figures &f : runs)
        out << of(f);
    return out;
}

void row(const char *what, const char *unit, const Stat &dalvimo, const Stat *bare)
{
    std::printf("| %-34s | %8.2f %8.2f %8.2f |", what, dalvimo.min, dalvimo.median, dalvimo.max);
    if (bare)
        std::printf(" %8.2f %8.2f %8.2f | %5.2fx |", bare->min, bare->median, bare->max,
                    dalvimo.median / bare->median);
    else
        std::printf(" %26s | %6s |", "", "");
    std::printf(" %s\n", unit);
}

quint16 startSimulator(QProcess &sim, const QString &program)
{
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(program, {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--quiet")});
    if (!sim.waitForStarted(10000) || !sim.waitForReadyRead(10000))
        qFatal("cannot start the simulator %s", qPrintable(program));
    const QByteArray line = sim.readLine().trimmed(); // "quorvan-sim listening on UDP 127.0.0.1:port"
    return quint16(line.mid(line.lastIndexOf(':') + 1).toUInt());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Start-up, memory and per-reply cost against a bare window."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("runs"), QStringLiteral("Runs of each program."), QStringLiteral("n"), QStringLiteral("11")},
        {QStringLiteral("rate"), QStringLiteral("Replies per second in the flood."), QStringLiteral("n"),
         QStringLiteral("20000")},
        {QStringLiteral("flood-ms"), QStringLiteral("Length of the flood."), QStringLiteral("ms"),
         QStringLiteral("1000")},
        {QStringLiteral("simulator"), QStringLiteral("The quorvan-sim program."), QStringLiteral("path")},
    });
    parser.process(app);
    Options o;
    o.runs = qMax(1, parser.value(QStringLiteral("runs")).toInt());
    o.rate = qMax(1, parser.value(QStringLiteral("rate")).toInt());
    o.floodMs = qMax(1, parser.value(QStringLiteral("flood-ms")).toInt());
    o.binDir = QCoreApplication::applicationDirPath();
    o.simulator = parser.isSet(QStringLiteral("simulator"))
        ? parser.value(QStringLiteral("simulator"))
        : QDir(o.binDir).filePath(QStringLiteral("../tools/quorvan-sim/quorvan-sim"));

    QProcess sim;
    const quint16 simPort = startSimulator(sim, o.simulator);
    const QString client = QDir(o.binDir).filePath(QStringLiteral("dalvimo-probe"));
    const QString bare = QDir(o.binDir).filePath(QStringLiteral("bare-window"));
    const QStringList clientArgs{QString::number(simPort), QString::number(o.settleMs),
                                 QString::number(floodServer().localPort())};

    // One unmeasured run of each fills the caches (fonts, libraries); the
    // client's tells the size of its window.
    const Figures warm = runProbe(client, clientArgs, o);
    const QString size = QStringLiteral("%1x%2").arg(warm.value(QStringLiteral("width"))).arg(warm.value(QStringLiteral("height")));
    const QStringList bareArgs{size, QString::number(o.settleMs)};
    runProbe(bare, bareArgs, o);

    QList<Figures> clientRuns, bareRuns;
    for (int i = 0; i < o.runs; ++i) {
        // Interleaved, each one first in turn.
        if (i % 2) {
            clientRuns << runProbe(client, clientArgs, o);
            bareRuns << runProbe(bare, bareArgs, o);
        } else {
            bareRuns << runProbe(bare, bareArgs, o);
            clientRuns << runProbe(client, clientArgs, o);
        }
    }
    sim.kill();
    sim.waitForFinished();

    const auto ms = [](const char *to) {
        return [key = QString::fromLatin1(to)](const Figures &f) {
            return double(f.value(key) - f.value(QStringLiteral("start_ns"))) / 1e6;
        };
    };
    const auto scaled = [](const char *key, double by) {
        return [key = QString::fromLatin1(key), by](const Figures &f) { return double(f.value(key)) / by; };
    };

    std::printf("%d interleaved runs each, window %s, flood %d replies/s for %d ms\n", o.runs, qPrintable(size),
                o.rate, o.floodMs);
    std::printf("| %-34s | %-26s | %-26s | ratio  |\n", "figure", "Dalvimo min median max", "bare window min median max");
    std::printf("|%s|%s|%s|%s|\n", QByteArray(36, '-').constData(), QByteArray(28, '-').constData(),
                QByteArray(28, '-').constData(), QByteArray(8, '-').constData());
    Stat d = stat(column(clientRuns, ms("paint_ns")));
    Stat b = stat(column(bareRuns, ms("paint_ns")));
    row("process start to first paint", "ms", d, &b);
    d = stat(column(clientRuns, ms("main_ns")));
    b = stat(column(bareRuns, ms("main_ns")));
    row("  of which until main()", "ms", d, &b);
    d = stat(column(clientRuns, ms("app_ns")));
    b = stat(column(bareRuns, ms("app_ns")));
    row("  until QApplication is made", "ms", d, &b);
    d = stat(column(clientRuns, ms("built_ns")));
    b = stat(column(bareRuns, ms("built_ns")));
    row("  until the window is built", "ms", d, &b);
    d = stat(column(clientRuns, scaled("paint_cpu_us", 1e3)));
    b = stat(column(bareRuns, scaled("paint_cpu_us", 1e3)));
    row("CPU until first paint", "ms", d, &b);
    d = stat(column(clientRuns, scaled("rss_kb", 1024)));
    b = stat(column(bareRuns, scaled("rss_kb", 1024)));
    row("RSS after fetch (bare: painted)", "MB", d, &b);
    row("ping echo to Gbd* handled", "ms", stat(column(clientRuns, scaled("fetch_ns", 1e6))), nullptr);
    row("  CPU of the client in it", "ms", stat(column(clientRuns, scaled("fetch_cpu_us", 1e3))), nullptr);
    row("CPU per reply in the flood", "us", stat(column(clientRuns, scaled("reply_cpu_ns", 1e3))), nullptr);
    row("replies handled of those sent", "%", stat(column(clientRuns, [](const Figures &f) {
            return 100.0 * double(f.value(QStringLiteral("flood_replies")))
                / double(qMax<qint64>(1, f.value(QStringLiteral("flood_sent"))));
        })), nullptr);
    return 0;
}
