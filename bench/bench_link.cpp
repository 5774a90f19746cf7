// dalvimo-bench: how fast the running client takes replies in.
//   1. The simulator floods a started-up window with realistic replies over
//      loopback; replies handled per second, sender included (one thread).
//   2. The cost of one LogMessage and of one handled reply with a short log
//      and after a very long run: the log is bounded, so both must match.
// Not a test: it prints figures and always exits 0 unless it cannot run.

#include "link/link.h"
#include "link/result_console.h"
#include "app/frm_main.h"
#include "toolkit/controls/log_box.h"
#include "toolkit/controls/text_box.h"

#include "sim_server.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QUdpSocket>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

const QString kAlarmReply = QStringLiteral("Gbd2|2|6:45:00|1|bell.wav|0|0|0|0");

// A started-up window on its own settings file, auto-poll off, shown on
// whatever platform QT_QPA_PLATFORM names (offscreen unless set).
class Client {
public:
    Client()
    {
        QFile cfg(m_dir.filePath(QStringLiteral("dalvimo.cfg")));
        if (cfg.open(QIODevice::WriteOnly))
            cfg.write("[General]\r\nAutoPing=0\r\n");
        cfg.close();
        m_window = std::make_unique<app::frmMain>(m_dir.filePath(QStringLiteral("dalvimo")));
        m_window->Form_Load();
        m_window->show();
    }
    app::frmMain &window() { return *m_window; }
    Link &link() { return m_window->link(); }
    template <class T>
    T *get(const char *name) { return m_window->form().get<T>(QString::fromLatin1(name)); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<app::frmMain> m_window;
};

void floodBenchmark(int replies)
{
    Client client;
    sim::SimOptions options;
    options.port = 0;
    options.quiet = true;
    options.flood = replies;
    sim::SimServer server(options);
    if (QString error; !server.start(&error))
        qFatal("simulator: %s", qPrintable(error));
    client.get<tk::TextBox>("txtPort")->setText(QString::number(server.port()));

    bool finished = false;
    QObject::connect(&server, &sim::SimServer::floodFinished, &server, [&finished] { finished = true; });

    auto *ws = client.get<QUdpSocket>("ws");
    QElapsedTimer clock;
    clock.start();
    client.link().tmr_Timer(0); // the "ping" that starts the flood
    while (!finished || ws->hasPendingDatagrams())
        QCoreApplication::processEvents();
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    const auto logged = qint64(client.link().datagramsReceived());

    std::printf("flood: %d sent by the simulator, %lld handled, %.2f s, %.0f replies/s\n",
                server.sentCount(), logged, seconds, double(logged) / seconds);
}

// Median over five rounds of the mean microseconds per call of what.
template <class F>
double perCall(int count, F what)
{
    constexpr int kRounds = 5;
    QList<double> rounds;
    for (int r = 0; r < kRounds; ++r) {
        const int calls = qMax(1, count / kRounds);
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < calls; ++i)
            what();
        rounds << double(clock.nsecsElapsed()) / 1e3 / calls;
    }
    std::sort(rounds.begin(), rounds.end());
    return rounds.at(kRounds / 2);
}

// Each figure on a fresh window whose log has taken alreadyLogged lines, so
// that the figures of a short log are not taken on a long one.
void logCostBenchmark(int alreadyLogged, int samples)
{
    int held = 0;
    const auto measure = [&](auto what) {
        Client client;
        for (int i = 0; i < alreadyLogged; ++i)
            client.link().LogMessage(kAlarmReply);
        QCoreApplication::processEvents();
        client.get<tk::LogBox>("txtMsg")->Text(); // what waited off screen comes in
        held = client.get<tk::LogBox>("txtMsg")->document()->blockCount();
        return perCall(samples, [&] { what(client); });
    };
    const double log = measure([](Client &c) { c.link().LogMessage(kAlarmReply); });
    const double handled = measure([](Client &c) { c.link().handleText(kAlarmReply); });
    // With the window repainting between datagrams, as in the event loop.
    const double withEvents = measure([](Client &c) {
        c.link().handleText(kAlarmReply);
        QCoreApplication::processEvents();
    });

    std::printf("log with %7d lines logged (%4d held): LogMessage %6.2f us, handled reply %6.2f us, "
                "with events %6.2f us\n",
                alreadyLogged, held, log, handled, withEvents);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Measures how fast the client handles replies."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("replies"), QStringLiteral("Replies in the flood."), QStringLiteral("n"),
                      QStringLiteral("100000")});
    parser.addOption({QStringLiteral("samples"), QStringLiteral("Calls per cost figure."), QStringLiteral("n"),
                      QStringLiteral("2000")});
    parser.addOption({QStringLiteral("lines"), QStringLiteral("Lines logged before each cost figure, comma-separated."),
                      QStringLiteral("n,..."), QStringLiteral("1000,100000")});
    parser.process(app);
    const int replies = parser.value(QStringLiteral("replies")).toInt();
    const int samples = parser.value(QStringLiteral("samples")).toInt();
    if (replies < 0 || samples <= 0)
        parser.showHelp(1);

    std::printf("log bound: %d lines\n", ResultConsole::kLogLines);
    if (replies > 0)
        floodBenchmark(replies);
    for (const QString &lines : parser.value(QStringLiteral("lines")).split(u','))
        logCostBenchmark(lines.toInt(), samples);
    return 0;
}
