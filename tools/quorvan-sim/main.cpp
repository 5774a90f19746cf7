// quorvan-sim: plays Quorvan's side of the UDP text protocol so that the
// client can be tried and tested without the real clock program.

#include "sim_server.h"

#include "common/console.h"
#include "common/number.h"
#include "common/output_device.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Enough for a benchmark with a hundred clocks, few enough that a typo in a
// range does not open sockets by the thousand.
constexpr qsizetype kMaxQuorvans = 1024;

struct ParseResult {
    sim::SimOptions options;
    QList<QHostAddress> binds; // one Quorvan per address, all on the same port
    QString error; // empty when the command line was fine
};

// A plain decimal integer within [lo, hi], or nothing.
std::optional<qint64> integerOption(const QCommandLineParser &parser, const QString &name,
                                    qint64 lo, qint64 hi)
{
    const std::optional<qint64> v = num::parsePlainInteger(parser.value(name));
    if (!v || *v < lo || *v > hi)
        return std::nullopt;
    return v;
}

ParseResult readOptions(const QCommandLineParser &parser)
{
    ParseResult r;
    sim::SimOptions &o = r.options;
    const auto bad = [&r](const QString &what) {
        r.error = QStringLiteral("invalid value for --%1").arg(what);
        return r;
    };

    const auto port = integerOption(parser, QStringLiteral("port"), 0, 65535);
    if (!port)
        return bad(QStringLiteral("port"));
    o.port = static_cast<quint16>(*port);

    const QStringList bindTexts = parser.isSet(QStringLiteral("bind"))
        ? parser.values(QStringLiteral("bind"))
        : QStringList{QStringLiteral("127.0.0.1")};
    for (const QString &text : bindTexts) {
        const std::optional<QList<QHostAddress>> range = sim::bindAddresses(text, kMaxQuorvans - r.binds.size());
        if (!range)
            return bad(QStringLiteral("bind"));
        r.binds += *range;
    }
    o.bindAddress = r.binds.first();

    const std::optional<double> drop = num::parseNumber(parser.value(QStringLiteral("drop")));
    if (!drop || *drop < 0 || *drop > 100)
        return bad(QStringLiteral("drop"));
    o.dropPercent = *drop;

    if (parser.isSet(QStringLiteral("seed"))) {
        const auto seed = integerOption(parser, QStringLiteral("seed"), 0, 0xFFFFFFFFLL);
        if (!seed)
            return bad(QStringLiteral("seed"));
        o.seed = static_cast<quint32>(*seed);
    }

    const auto delay = integerOption(parser, QStringLiteral("delay"), 0, 600000);
    if (!delay)
        return bad(QStringLiteral("delay"));
    o.delayMs = static_cast<int>(*delay);

    const auto flood = integerOption(parser, QStringLiteral("flood"), 0, 100000000);
    if (!flood)
        return bad(QStringLiteral("flood"));
    o.flood = static_cast<int>(*flood);

    o.brightnessSupported = !parser.isSet(QStringLiteral("no-brightness"));
    o.quiet = parser.isSet(QStringLiteral("quiet"));
    return r;
}

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Plays the clock program Quorvan's side of the UDP text protocol."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("port"), QStringLiteral("UDP port to listen on (0: any free one)."),
         QStringLiteral("port"), QStringLiteral("17777")},
        {QStringLiteral("bind"),
         QStringLiteral("Address to listen on; 0.0.0.0 also hears broadcast pings. Repeat it, or give "
                        "a range FIRST-LAST of IPv4 addresses, to play one Quorvan per address."),
         QStringLiteral("address"), QStringLiteral("127.0.0.1")},
        {QStringLiteral("drop"), QStringLiteral("Ignore this share of incoming datagrams."),
         QStringLiteral("percent"), QStringLiteral("0")},
        {QStringLiteral("seed"), QStringLiteral("Seed that makes --drop repeatable."),
         QStringLiteral("number")},
        {QStringLiteral("delay"), QStringLiteral("Wait this long before each answer."),
         QStringLiteral("ms"), QStringLiteral("0")},
        {QStringLiteral("no-brightness"), QStringLiteral("Act as a Quorvan without brightness.")},
        {QStringLiteral("quiet"), QStringLiteral("Do not log each datagram.")},
        {QStringLiteral("flood"),
         QStringLiteral("Send each new client this many replies at once (benchmarks)."),
         QStringLiteral("count"), QStringLiteral("0")},
    });
}

} // namespace

int main(int argc, char *argv[])
{
    const term::Utf8Console console;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvan-sim"));

    QCommandLineParser parser;
    addOptions(parser);
    parser.process(app); // handles --help and unknown options itself

    term::OutputDevice errFile(stderr);
    QTextStream err(&errFile);
    const ParseResult parsed = readOptions(parser);
    if (!parsed.error.isEmpty()) {
        err << "quorvan-sim: " << parsed.error << Qt::endl;
        return 2;
    }

    // Each Quorvan has a state of its own, as separate clocks would.
    std::vector<std::unique_ptr<sim::SimServer>> servers;
    term::OutputDevice outFile(stdout);
    QTextStream out(&outFile);
    for (const QHostAddress &address : parsed.binds) {
        sim::SimOptions options = parsed.options;
        options.bindAddress = address;
        auto server = std::make_unique<sim::SimServer>(options);
        QString error;
        if (!server->start(&error)) {
            err << "quorvan-sim: cannot listen on " << sim::endpointText(address, options.port) << ": "
                << error << Qt::endl;
            return 1;
        }
        out << "quorvan-sim listening on UDP " << sim::endpointText(server->address(), server->port())
            << Qt::endl;
        servers.push_back(std::move(server));
    }
    return app.exec();
}
