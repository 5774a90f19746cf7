#include "app/command_line.h"
#include "app/frm_main.h"
#include "common/console.h"
#include "common/stop_signals.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Before QApplication: --version and a wrong option need no display.
    const app::Request request = app::parse(app::arguments(argc, argv));
    if (!request.startWindow) {
        const term::Utf8Console console;
        return app::report(request);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationVersion(app::version());
    app::frmMain window;
    // Before start-up, so that a request to stop that comes while it runs
    // waits for the event loop rather than killing the program unsaved.
    StopSignals stops;
    QObject::connect(&stops, &StopSignals::requested, &window, &QWidget::close);
    // The session's end reaches the program as a request to quit (which may
    // leave the window unclosed); commitDataRequest would come for a mere
    // checkpoint too, when the window must stay. Shut-down runs only once.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, &app::frmMain::Form_Unload);
    window.Form_Load();
    window.show();
    return app.exec();
}
