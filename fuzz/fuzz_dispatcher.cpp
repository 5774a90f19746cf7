// libFuzzer target: every input is one datagram's bytes, decoded as the
// socket decodes them and handed to the running window's reply dispatcher.
// One window lives for the whole run, as in the real client, so the queue
// and the log carry over from one input to the next.

#include "common/ansi.h"
#include "link/link.h"
#include "app/frm_main.h"
#include "toolkit/controls/text_box.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QUdpSocket>

#include <cstddef>
#include <cstdint>

namespace {

struct Client {
    QTemporaryDir dir;
    QUdpSocket sink; // where the client's commands go; never answers
    app::frmMain *window = nullptr;
};

Client *client = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv); // lives as long as the process

    client = new Client;
    QFile cfg(client->dir.filePath(QStringLiteral("dalvimo.cfg")));
    if (!cfg.open(QIODevice::WriteOnly) || cfg.write("[General]\r\nAutoPing=0\r\n") < 0)
        qFatal("cannot write the settings file");
    cfg.close();
    client->sink.bind(QHostAddress::LocalHost, 0);

    client->window = new app::frmMain(client->dir.filePath(QStringLiteral("dalvimo")));
    client->window->Form_Load();
    client->window->form().get<tk::TextBox>("txtPort")->setText(QString::number(client->sink.localPort()));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    // As after a new address: a "ping" echo starts a fetch, so the queue
    // fills and drains all through the run.
    client->window->state().bInitPending = true;
    client->window->link().handleText(ansi::decode(bytes));
    // The event loop turns after each datagram, as in the client: the log
    // takes its pending lines.
    QCoreApplication::processEvents();
    // Keep the sink's buffer from filling; what was sent does not matter.
    while (client->sink.hasPendingDatagrams())
        client->sink.readDatagram(nullptr, 0);
    return 0;
}
