// dalvimo-web: Quorvan's remote in a phone's browser. Serves one page and a
// JSON API on the home network for the Quorvan that dalvimoctl would choose.

#include "common/address.h"
#include "common/exit_codes.h"
#include "common/stop_signals.h"
#include "remote/server_choice.h"
#include "web/pairing.h"
#include "web/revocation.h"
#include "web/token_store.h"
#include "web/web_server.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace {

int usage(const QString &message)
{
    QTextStream(stderr) << "dalvimo-web: " << message << "\nПодробнее: dalvimo-web --help\n";
    return exit_code::kUsage;
}

// The token file as the server reads it at each request; the journal
// hears when it is refused, when it is taken again, and when the token
// changed, so that the old one no longer counts.
web::TokenSource watched(const web::TokenStore &store)
{
    return [&store, last = QByteArray(), refused = QString()]() mutable {
        QString why;
        const QByteArray token = store.current(&why);
        QTextStream err(stderr);
        if (why != refused && !why.isEmpty())
            err << "dalvimo-web: ключ сопряжения (" << store.file() << "): " << why << "; запросы API отклоняются\n";
        else if (why != refused)
            err << "dalvimo-web: ключ сопряжения (" << store.file() << ") снова в порядке\n";
        else if (!token.isEmpty() && !last.isEmpty() && token != last)
            err << "dalvimo-web: новый ключ сопряжения из " << store.file() << "; прежний больше не действует\n";
        refused = why;
        if (!token.isEmpty())
            last = token;
        return token;
    };
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // From the start: a stop that comes while it starts waits for the event
    // loop, which then ends serving cleanly, with status 0.
    StopSignals stops;
    QObject::connect(&stops, &StopSignals::requested, &app, [] { QCoreApplication::quit(); });
    QCoreApplication::setApplicationName(QStringLiteral("dalvimo-web"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DALVIMO_VERSION));

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Веб-пульт Quorvan для телефона в домашней сети."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Показать эту справку."));
    const QCommandLineOption server({QStringLiteral("s"), QStringLiteral("server")},
                                    QStringLiteral("Quorvan: АДРЕС[:ПОРТ] (как у dalvimoctl)."), QStringLiteral("АДРЕС"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Порт страницы (8180)."),
                                  QStringLiteral("ПОРТ"), QStringLiteral("8180"));
    const QCommandLineOption bind(QStringLiteral("bind"), QStringLiteral("Адрес, на котором слушать (все)."),
                                  QStringLiteral("АДРЕС"));
    const QCommandLineOption newToken(QStringLiteral("new-token"),
                                      QStringLiteral("Сделать новый ключ сопряжения; старый перестаёт действовать."));
    const QCommandLineOption tokenFile(QStringLiteral("token-file"),
                                       QStringLiteral("Файл ключа (по умолчанию рядом с настройками)."),
                                       QStringLiteral("ФАЙЛ"));
    p.addOptions({help, server, port, bind, newToken, tokenFile});
    if (!p.parse(QCoreApplication::arguments()))
        return usage(p.errorText());
    if (p.isSet(help)) {
        QTextStream(stdout) << p.helpText().replace(QStringLiteral("Usage:"), QStringLiteral("Запуск:"))
                                   .replace(QStringLiteral("Options:"), QStringLiteral("Параметры:"))
                                   .replace(QStringLiteral("[options]"), QStringLiteral("[параметры]"));
        return 0;
    }
    const std::optional<quint16> pagePort = address::portOf(p.value(port));
    if (!pagePort)
        return usage(QStringLiteral("--port: нужно число 1…65535"));
    QHostAddress bindAddress(QHostAddress::AnyIPv4);
    if (p.isSet(bind) && !bindAddress.setAddress(p.value(bind)))
        return usage(QStringLiteral("--bind: не адрес"));

    std::optional<QString> option;
    if (p.isSet(server))
        option = p.value(server);
    const std::optional<QString> env = remote::serverFromEnvironment();
    const auto choice = remote::chooseServer(option, env, remote::windowSettingsFile());
    if (const auto *none = std::get_if<remote::NoServer>(&choice))
        return none->kind == remote::NoServer::Unresolved ? (QTextStream(stderr) << "dalvimo-web: " << none->reason << '\n', exit_code::kNoAnswer)
                                                       : usage(none->reason);
    const remote::ServerChoice &chosen = std::get<remote::ServerChoice>(choice);

    web::TokenStore store(p.isSet(tokenFile) ? p.value(tokenFile) : web::TokenStore::defaultFile());
    web::WebServer web(chosen.endpoint, remote::Policy{}, watched(store));
    QString error;
    // The port first: while another process holds it, --new-token is for
    // the server there, and the file stays as it is unless that server
    // takes the new token.
    if (!web.listen(bindAddress, *pagePort, &error)) {
        if (p.isSet(newToken) && web.listenError() == QAbstractSocket::AddressInUseError)
            return web::revokeInRunning(store, bindAddress, *pagePort);
        QTextStream(stderr) << "dalvimo-web: порт " << *pagePort << ": " << error << '\n';
        return 2;
    }
    const QString token = p.isSet(newToken) ? store.renew(&error) : store.obtain(&error);
    if (token.isEmpty()) {
        QTextStream(stderr) << "dalvimo-web: ключ сопряжения (" << store.file() << "): " << error << '\n';
        return 1;
    }
    QTextStream out(stdout);
    out << "Quorvan: " << chosen.endpoint.text() << " (" << chosen.source << ")\n";
    web::printPairing(out, bindAddress, web.port(), token);
    return QCoreApplication::exec();
}
