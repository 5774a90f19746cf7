#include "app/frm_main.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    frmMain window;
    window.Form_Load();
    window.show();
    return app.exec();
}
