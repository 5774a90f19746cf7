#include "app/command_line.h"
#include "app/frm_main.h"
#include "common/console.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Before QApplication: --version and a wrong option need no display.
    const cli::Request request = cli::parse(cli::arguments(argc, argv));
    if (!request.startWindow) {
        const term::Utf8Console console;
        return cli::report(request);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationVersion(cli::version());
    frmMain window;
    window.Form_Load();
    window.show();
    return app.exec();
}
