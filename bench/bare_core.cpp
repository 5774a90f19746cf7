// bare-core: a Qt Core program that starts and exits, nothing more; the floor
// that dalvimoctl's start-up is measured against.

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    return 0;
}
