// bare-window: the baseline of the start-up benchmark. An empty QWidget of
// the size given, shown; it reports when its first paint is on screen, then
// its resident set size, and ends.

#include "probe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    const qint64 entered = probe::monotonicNs();
    QApplication app(argc, argv);
    const qint64 appMade = probe::monotonicNs();
    const QStringList args = QCoreApplication::arguments();
    const QStringList size = args.value(1, QStringLiteral("538x218")).split(u'x');
    const int settleMs = args.value(2, QStringLiteral("300")).toInt();

    QWidget window;
    window.resize(size.value(0).toInt(), size.value(1).toInt());
    new probe::FirstPaint(&window, [&] {
        probe::report("main_ns", entered);
        probe::report("app_ns", appMade);
        probe::report("built_ns", appMade);
        probe::report("paint_ns", probe::monotonicNs());
        probe::report("paint_cpu_us", probe::cpuUs());
        probe::after(settleMs, &window, [] {
            probe::report("rss_kb", probe::rssKb());
            QCoreApplication::quit();
        });
    });
    window.show();
    return app.exec();
}
