#include "ctl/app.h"

#include "common/ansi.h"
#include "common/exit_codes.h"
#include "common/output_device.h"
#include "ctl/cli.h"
#include "remote/commands.h"
#include "ctl/discover.h"
#include "ctl/exit_status.h"
#include "ctl/fleet.h"
#include "ctl/monitor.h"
#include "remote/server_choice.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QTextStream>

namespace ctl {

using namespace remote; // the exchanges this program is the command line of
namespace {

// Where the run's words go: stdout for what was read, stderr for messages,
// and with --json one object per line on stdout, a failure's too.
class Output {
public:
    explicit Output(bool json)
        : m_outFile(stdout), m_errFile(stderr), m_out(&m_outFile), m_err(&m_errFile), m_json(json)
    {
    }

    QTextStream &out() { return m_out; }
    bool json() const { return m_json; }

    void shown(const Shown &s)
    {
        if (m_json)
            object(s.json);
        else
            for (const QString &line : s.lines)
                m_out << ansi::printable(line) << u'\n';
        m_out.flush();
        for (const QString &note : s.notes)
            message(note);
    }

    // A failure: its message on stderr and, with --json, as an object
    // (extra holds what the command showed before it failed).
    int failure(const Outcome &stop, QJsonObject extra = {})
    {
        const int code = exitCodeOf(stop.kind);
        message(stop.message);
        if (m_json) {
            extra.insert(QStringLiteral("error"), stop.message.section(u'\n', 0, 0)); // not the hint to --help
            extra.insert(QStringLiteral("status"), code);
            object(extra);
        }
        return code;
    }

    // Every line of stderr says who speaks, and nothing in it reaches the
    // terminal raw.
    void message(const QString &text)
    {
        for (const QString &line : text.split(u'\n'))
            m_err << "dalvimoctl: " << ansi::printable(line) << u'\n';
        m_err.flush();
    }

    void object(const QJsonObject &o)
    {
        m_out << QJsonDocument(o).toJson(QJsonDocument::Compact) << u'\n';
        m_out.flush();
    }

private:
    term::OutputDevice m_outFile; // before the streams on them
    term::OutputDevice m_errFile;
    QTextStream m_out;
    QTextStream m_err;
    bool m_json;
};

int runMonitor(const Options &o, const Endpoint &server, Output &output)
{
    Monitor monitor(server, o.pollMs, o.json, output.out());
    QString error;
    if (!monitor.start(o.listenPort, &error))
        return output.failure({Outcome::NoAnswer, QStringLiteral("порт не открывается: ") + error});
    if (o.verbose)
        output.message(QStringLiteral("слушаю порт %1").arg(monitor.localPort()));
    return QCoreApplication::exec();
}

int runExchange(const Request &r, const Options &o, const ServerChoice &server, Output &output)
{
    Exchanger ex(server.endpoint, o.policy);
    if (o.verbose)
        ex.setTrace([&output](const QString &line) { output.message(line); });
    try {
        Shown shown = runCommand(r, ex);
        shown.json.insert(QStringLiteral("server"), server.endpoint.text());
        if (shown.stop) {
            // What came is shown, then the failure: one object with both.
            if (!o.json)
                output.shown(shown);
            return output.failure(*shown.stop, shown.json);
        }
        output.shown(shown);
        return exit_code::kDone;
    } catch (const Outcome &stop) {
        return output.failure(stop);
    }
}

// What a command showed and how it ended, as a single server's run shows it.
int finish(const Shown &shown, Output &output)
{
    if (shown.stop) {
        if (!shown.json.isEmpty() || !shown.lines.isEmpty()) {
            // What came is shown, then the failure: one object with both.
            if (!output.json())
                output.shown(shown);
            return output.failure(*shown.stop, shown.json);
        }
        return output.failure(*shown.stop);
    }
    output.shown(shown);
    return exit_code::kDone;
}

// Every server's lines after its name; with --json one object per server.
int runMany(const Request &r, const Options &o, const QList<Endpoint> &servers, Output &output)
{
    const QList<ServerResult> results = runFleet(r, o.policy, servers);
    for (const ServerResult &one : results) {
        const QString label = serverLabel(one.server);
        Shown shown = one.shown;
        shown.json.insert(QStringLiteral("server"), one.server.text());
        for (QString &line : shown.lines)
            line = label + QStringLiteral(": ") + line;
        for (QString &note : shown.notes)
            note = label + QStringLiteral(": ") + note;
        if (!one.stop) {
            output.shown(shown);
            continue;
        }
        if (!output.json())
            output.shown(shown);
        const Outcome stop{one.stop->kind, label + QStringLiteral(": ") + one.stop->message};
        output.failure(stop, shown.json);
    }
    return fleetExitCode(results);
}

} // namespace

int runProgram(const QStringList &arguments)
{
    const Parsed parsed = parseCommandLine(arguments);
    Output output(parsed.json);
    if (parsed.kind == Parsed::Print) {
        output.out() << parsed.output;
        return exit_code::kDone;
    }
    if (parsed.kind == Parsed::Usage)
        return output.failure({Outcome::Refused, parsed.error});
    const Request &r = parsed.request;
    const Options &o = parsed.options;
    if (r.command == QLatin1String("discover"))
        return finish(runDiscover(o, windowSettingsFile()), output);

    const std::optional<QString> env = serverFromEnvironment();
    const QString named = o.server.value_or(env.value_or(QString()));
    if (namesMany(named) && r.command != QLatin1String("monitor")) {
        auto list = parseServerList(named, windowSettingsFile());
        if (const auto *none = std::get_if<NoServer>(&list))
            return output.failure({none->kind == NoServer::Unresolved ? Outcome::NoAnswer : Outcome::Refused,
                                   none->reason});
        return runMany(r, o, std::get<QList<Endpoint>>(list), output);
    }
    const auto choice = chooseServer(o.server, env, windowSettingsFile());
    if (const auto *none = std::get_if<NoServer>(&choice)) {
        if (none->kind == NoServer::Unresolved)
            return output.failure({Outcome::NoAnswer, none->reason});
        return output.failure({Outcome::Refused, none->reason + QStringLiteral("\nПодробнее: dalvimoctl --help")});
    }
    const ServerChoice &server = std::get<ServerChoice>(choice);
    if (o.verbose)
        output.message(server.endpoint.text() + QStringLiteral(" (") + server.source + u')');

    if (r.command == QLatin1String("monitor"))
        return runMonitor(o, server.endpoint, output);
    return runExchange(r, o, server, output);
}

} // namespace ctl
