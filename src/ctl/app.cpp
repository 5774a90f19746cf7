#include "ctl/app.h"

#include "ctl/cli.h"
#include "ctl/commands.h"
#include "ctl/monitor.h"
#include "ctl/server_choice.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QTextStream>

namespace ctl {
namespace {

void print(QTextStream &out, const Shown &shown, bool json)
{
    if (json)
        out << QJsonDocument(shown.json).toJson(QJsonDocument::Indented);
    else if (!shown.lines.isEmpty())
        out << shown.lines.join(u'\n') << u'\n';
    out.flush();
}

int runMonitor(const Request &r, const Endpoint &server, QTextStream &out, QTextStream &err)
{
    Monitor monitor(server, r.pollMs, r.globals.json, out);
    QString error;
    if (!monitor.start(r.listenPort, &error)) {
        err << "dalvimoctl: " << QStringLiteral("порт не открывается: ") << error << Qt::endl;
        return kExitNoAnswer;
    }
    if (r.globals.verbose)
        err << "dalvimoctl: " << QStringLiteral("слушаю порт %1").arg(monitor.localPort()) << Qt::endl;
    return QCoreApplication::exec();
}

} // namespace

int runProgram(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const Parsed parsed = parseCommandLine(arguments);
    if (parsed.kind == Parsed::Print) {
        out << parsed.output;
        return kExitDone;
    }
    if (parsed.kind == Parsed::Usage) {
        err << "dalvimoctl: " << parsed.error << Qt::endl;
        return kExitUsage;
    }
    const Request &r = parsed.request;

    std::optional<QString> env;
    if (qEnvironmentVariableIsSet("DALVIMO_SERVER"))
        env = qEnvironmentVariable("DALVIMO_SERVER");
    const auto choice = chooseServer(r.globals.server, env, windowSettingsFile());
    if (const auto *why = std::get_if<QString>(&choice)) {
        err << "dalvimoctl: " << *why << QStringLiteral("\nПодробнее: dalvimoctl --help") << Qt::endl;
        return kExitUsage;
    }
    const ServerChoice &server = std::get<ServerChoice>(choice);
    if (r.globals.verbose)
        err << "dalvimoctl: " << server.endpoint.text() << " (" << server.source << ')' << Qt::endl;

    if (r.command == QLatin1String("monitor"))
        return runMonitor(r, server.endpoint, out, err);

    Exchanger ex(server.endpoint, r.globals.policy);
    if (r.globals.verbose)
        ex.setTrace([&err](const QString &line) { err << "dalvimoctl: " << line << Qt::endl; });
    try {
        Shown shown = runCommand(r, ex);
        shown.json.insert(QStringLiteral("server"), server.endpoint.text());
        print(out, shown, r.globals.json);
        for (const QString &note : std::as_const(shown.notes))
            err << "dalvimoctl: " << note << Qt::endl;
        if (shown.stop) {
            err << "dalvimoctl: " << shown.stop->message << Qt::endl;
            return shown.stop->exitCode;
        }
        return kExitDone;
    } catch (const Stop &stop) {
        err << "dalvimoctl: " << stop.message << Qt::endl;
        return stop.exitCode;
    }
}

} // namespace ctl
