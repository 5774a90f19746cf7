// dalvimo-probe: the client as main.cpp starts it, with a stopwatch. It
// reports when the first paint is on screen, then points the server bar at
// the simulator and switches auto-poll on (the initial fetch), reports the
// time (and its own CPU time) from the "ping" echo to the handled "Gbd*"
// reply and the resident set size, then points the server bar at the
// runner's flood port and reports its own UDP port; the runner floods that
// port with replies at a fixed rate, and the probe reports the CPU time per
// handled reply once the flood has stopped.
//
//   dalvimo-probe <simulator port> [settle ms] [flood port]

#include "probe.h"

#include "link/link.h"
#include "app/frm_main.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/text_box.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QUdpSocket>

namespace {

// The five reads of the fetch, after the "ping" echo.
constexpr quint64 kFetchReplies = 6;
constexpr int kQuietChecks = 6; // of 50 ms without a datagram: the flood is over

// A settings file as a user would have one: two servers, auto-poll off so
// that the probe decides where the first "ping" goes.
constexpr auto kSettings = "[General]\r\nClockIP_1=127.0.0.1|Этот компьютер\r\n"
                           "ClockIP_2=127.0.0.2|Кухня\r\nSelectIPNum=1\r\nAutoPing=0\r\n"
                           "AutoActiveSet=1\r\nFrameSelect=1\r\n";

class Probe : public QObject {
public:
    Probe(app::frmMain &window, quint16 simPort, int settleMs, quint16 floodPort)
        : m_window(window), m_link(window.link()), m_simPort(simPort), m_settleMs(settleMs), m_floodPort(floodPort)
    {
        // Watch each datagram batch from both sides of the client's handler.
        m_ws = window.form().get<QUdpSocket>(QStringLiteral("ws"));
        QObject::disconnect(m_ws, &QUdpSocket::readyRead, &m_link, &Link::ws_DataArrival);
        connect(m_ws, &QUdpSocket::readyRead, this, &Probe::beforeHandling);
        connect(m_ws, &QUdpSocket::readyRead, &m_link, &Link::ws_DataArrival);
        connect(m_ws, &QUdpSocket::readyRead, this, &Probe::afterHandling);
        m_quiet.setInterval(50);
        connect(&m_quiet, &QTimer::timeout, this, &Probe::checkQuiet);
    }

    void startFetch()
    {
        m_window.form().get<tk::TextBox>(QStringLiteral("txtPort"))->setText(QString::number(m_simPort));
        m_window.form().get<tk::CheckBox>(QStringLiteral("chkAutoping"))->setValue(1);
    }

private:
    void beforeHandling()
    {
        if (m_link.datagramsReceived() == 0 && m_fetchStart == 0) {
            m_fetchStart = probe::monotonicNs();
            m_fetchStartCpu = probe::cpuUs();
        }
        if (m_flooding && m_floodStartCpu == 0) {
            m_floodStartCpu = probe::cpuUs();
            m_floodStartNs = probe::monotonicNs();
            m_floodFirst = m_link.datagramsReceived();
            m_quiet.start();
        }
    }

    void afterHandling()
    {
        if (m_fetchEnd == 0 && m_link.datagramsReceived() >= kFetchReplies) {
            m_fetchEnd = probe::monotonicNs();
            probe::report("fetch_ns", m_fetchEnd - m_fetchStart);
            probe::report("fetch_cpu_us", probe::cpuUs() - m_fetchStartCpu);
            probe::after(m_settleMs, this, [this] {
                probe::report("rss_kb", probe::rssKb());
                m_flooding = true;
                // The client hears only the server in its bar: the flood's.
                m_window.form().get<tk::TextBox>(QStringLiteral("txtPort"))->setText(QString::number(m_floodPort));
                probe::report("client_port", m_ws->localPort());
            });
        }
        if (m_floodStartCpu != 0)
            m_floodLastNs = probe::monotonicNs();
    }

    void checkQuiet()
    {
        const quint64 seen = m_link.datagramsReceived();
        m_quietChecks = seen == m_lastSeen ? m_quietChecks + 1 : 0;
        m_lastSeen = seen;
        if (m_quietChecks < kQuietChecks)
            return;
        m_quiet.stop();
        const qint64 replies = qint64(seen - m_floodFirst);
        probe::report("flood_replies", replies);
        probe::report("flood_ns", m_floodLastNs - m_floodStartNs);
        if (replies > 0)
            probe::report("reply_cpu_ns", (probe::cpuUs() - m_floodStartCpu) * 1000 / replies);
        QCoreApplication::quit();
    }

    app::frmMain &m_window;
    Link &m_link;
    QUdpSocket *m_ws = nullptr;
    quint16 m_simPort;
    int m_settleMs;
    quint16 m_floodPort;
    qint64 m_fetchStart = 0;
    qint64 m_fetchEnd = 0;
    qint64 m_fetchStartCpu = 0;
    bool m_flooding = false;
    qint64 m_floodStartCpu = 0;
    qint64 m_floodStartNs = 0;
    qint64 m_floodLastNs = 0;
    quint64 m_floodFirst = 0;
    quint64 m_lastSeen = 0;
    int m_quietChecks = 0;
    QTimer m_quiet;
};

} // namespace

int main(int argc, char **argv)
{
    const qint64 entered = probe::monotonicNs();
    QTemporaryDir dir;
    QFile cfg(dir.filePath(QStringLiteral("dalvimo.cfg")));
    if (!cfg.open(QIODevice::WriteOnly) || cfg.write(kSettings) < 0)
        return 1;
    cfg.close();

    // From here on as main.cpp.
    QApplication app(argc, argv);
    const qint64 appMade = probe::monotonicNs();
    const QStringList args = QCoreApplication::arguments();
    const auto simPort = quint16(args.value(1).toUInt());
    const int settleMs = args.value(2, QStringLiteral("300")).toInt();
    const auto floodPort = quint16(args.value(3).toUInt());
    app::frmMain window(dir.filePath(QStringLiteral("dalvimo")));
    window.Form_Load();
    const qint64 built = probe::monotonicNs();

    Probe watch(window, simPort, settleMs, floodPort);
    new probe::FirstPaint(&window, [&] {
        probe::report("main_ns", entered);
        probe::report("app_ns", appMade);
        probe::report("built_ns", built);
        probe::report("paint_ns", probe::monotonicNs());
        probe::report("paint_cpu_us", probe::cpuUs());
        probe::report("width", window.width());
        probe::report("height", window.height());
        if (simPort != 0)
            watch.startFetch();
        else
            probe::after(settleMs, &window, [] {
                probe::report("rss_kb", probe::rssKb());
                QCoreApplication::quit();
            });
    });
    window.show();
    return app.exec();
}
