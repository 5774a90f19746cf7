#include "ctl/cli.h"

#include "remote/arguments.h"
#include "ctl/help.h"
#include "remote/report.h"
#include "records/alarm_record.h"
#include "records/face_record.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace ctl {

using namespace remote; // the exchanges this program is the command line of
namespace {

QString opt(const char *name) { return QString::fromLatin1(name); }

QList<QCommandLineOption> parserOptions(const QList<OptionInfo> &infos)
{
    QList<QCommandLineOption> options;
    for (const OptionInfo &o : infos) {
        QCommandLineOption option(o.names, o.description, o.valueName, o.defaultValue);
        options.append(option);
    }
    return options;
}

void needArgs(const QStringList &args, qsizetype lo, qsizetype hi)
{
    if (args.size() < lo)
        throw BadArgument{QStringLiteral("не хватает аргументов")};
    if (args.size() > hi)
        throw BadArgument{QStringLiteral("лишний аргумент «%1»").arg(quotedArgument(args.at(hi)))};
}

bool onOff(const QString &word)
{
    if (word == QLatin1String("on"))
        return true;
    if (word == QLatin1String("off"))
        return false;
    throw BadArgument{QStringLiteral("«%1»: нужно on или off").arg(quotedArgument(word))};
}

void readAlarm(Request &r, const QCommandLineParser &p, const QStringList &args)
{
    needArgs(args, 1, 2);
    r.number = int(integerArgument(QStringLiteral("номер будильника"), args.at(0), 1, records::BudTable::kCount));
    r.action = args.value(1);
    const bool fieldGiven = p.isSet(opt("time")) || p.isSet(opt("on")) || p.isSet(opt("off")) || p.isSet(opt("ring"));
    if (r.action == QLatin1String("on") || r.action == QLatin1String("off"))
        r.on = onOff(r.action);
    else if (!r.action.isEmpty() && r.action != QLatin1String("set"))
        throw BadArgument{QStringLiteral("«%1»: нужно set, on или off").arg(quotedArgument(r.action))};
    if (r.action != QLatin1String("set")) {
        if (fieldGiven)
            throw BadArgument{QStringLiteral("--time, --on, --off и --ring — только с set")};
        return;
    }
    if (!fieldGiven)
        throw BadArgument{QStringLiteral("set: укажите --time, --on, --off или --ring")};
    if (p.isSet(opt("on")) && p.isSet(opt("off")))
        throw BadArgument{QStringLiteral("--on и --off вместе")};
    if (p.isSet(opt("on")) || p.isSet(opt("off")))
        r.on = p.isSet(opt("on"));
    if (p.isSet(opt("time")))
        r.time = timeArgument(QStringLiteral("--time"), p.value(opt("time")));
    if (p.isSet(opt("ring")))
        r.ring = ringArgument(QStringLiteral("--ring"), p.value(opt("ring")));
}

void readStep(Request &r, const QStringList &args)
{
    needArgs(args, 1, 1);
    const QString &a = args.at(0);
    if (a == QLatin1String("next")) {
        r.step = Step::Next;
    } else if (a == QLatin1String("prev")) {
        r.step = Step::Prev;
    } else {
        r.step = Step::Number;
        // The command carries the index, the position less one, as a 16-bit number.
        r.number = int(integerArgument(QStringLiteral("НОМЕР"), a, 1, 32767));
    }
}

void readLevel(Request &r, const QCommandLineParser &p, const QStringList &args)
{
    needArgs(args, 0, 1);
    if (!args.isEmpty())
        r.level = levelArgument(QStringLiteral("УРОВЕНЬ"), args.at(0));
    if (p.isSet(opt("min")))
        r.min = levelArgument(QStringLiteral("--min"), p.value(opt("min")));
    if (p.isSet(opt("max")))
        r.max = levelArgument(QStringLiteral("--max"), p.value(opt("max")));
    if (r.min && r.max)
        boundsArguments(QStringLiteral("--min"), *r.min, QStringLiteral("--max"), *r.max);
    if (r.command == QLatin1String("transparency") && p.isSet(opt("mode"))) {
        const QString m = p.value(opt("mode"));
        if (m != QLatin1String("transparency") && m != QLatin1String("dimming"))
            throw BadArgument{
                QStringLiteral("--mode: «%1» — нужно transparency или dimming").arg(quotedArgument(m))};
        r.mode = m == QLatin1String("transparency") ? 1 : 0;
    }
}

void readArguments(Request &r, Options &o, const QCommandLineParser &p)
{
    const QStringList args = p.positionalArguments();
    const QString &c = r.command;
    if (c == QLatin1String("alarm")) {
        readAlarm(r, p, args);
    } else if (c == QLatin1String("skin") || c == QLatin1String("style")) {
        readStep(r, args);
    } else if (c == QLatin1String("transparency") || c == QLatin1String("brightness")) {
        readLevel(r, p, args);
    } else if (c == QLatin1String("flag")) {
        needArgs(args, 2, 2);
        r.flag = int(flagNames().indexOf(args.at(0)));
        if (r.flag < 0)
            throw BadArgument{QStringLiteral("«%1»: нужно %2")
                                  .arg(quotedArgument(args.at(0)), flagNames().join(QStringLiteral(", ")))};
        r.on = onOff(args.at(1));
    } else if (c == QLatin1String("send")) {
        needArgs(args, 1, 1);
        r.text = commandArgument(QStringLiteral("ТЕКСТ"), args.at(0));
    } else if (c == QLatin1String("monitor")) {
        needArgs(args, 0, 0);
        o.pollMs = int(integerArgument(QStringLiteral("--poll"), p.value(opt("poll")), 0, 3600000));
        o.listenPort = quint16(integerArgument(QStringLiteral("--listen"), p.value(opt("listen")), 0, 65535));
    } else if (c == QLatin1String("discover")) {
        needArgs(args, 0, 0);
        o.discoverPort = quint16(integerArgument(QStringLiteral("--port"), p.value(opt("port")), 1, 65535));
        o.save = p.isSet(opt("save"));
    } else {
        needArgs(args, 0, 0);
    }
}

// A global option given after the command wins over one given before it.
Options readGlobals(const QCommandLineParser &before, const QCommandLineParser &after)
{
    const auto pick = [&](const char *name) -> const QCommandLineParser & {
        return after.isSet(opt(name)) ? after : before;
    };
    Options g;
    if (pick("server").isSet(opt("server")))
        g.server = pick("server").value(opt("server"));
    g.json = before.isSet(opt("json")) || after.isSet(opt("json"));
    g.verbose = before.isSet(opt("verbose")) || after.isSet(opt("verbose"));
    g.policy.timeoutMs = int(integerArgument(QStringLiteral("--timeout"), pick("timeout").value(opt("timeout")), 1, 600000));
    g.policy.retries = int(integerArgument(QStringLiteral("--retries"), pick("retries").value(opt("retries")), 0, 100));
    return g;
}

// Qt's parser words its errors in English; the cases it knows, in Russian.
QString parserError(const QCommandLineParser &p)
{
    const QStringList unknown = p.unknownOptionNames();
    if (!unknown.isEmpty())
        return QStringLiteral("неизвестный параметр «%1»").arg(quotedArgument(dashed(unknown.first())));
    const QString english = p.errorText();
    const qsizetype open = english.indexOf(u'\'');
    const qsizetype close = english.lastIndexOf(u'\'');
    const QString name = open >= 0 && close > open ? quotedArgument(english.mid(open + 1, close - open - 1)) : QString();
    if (english.startsWith(QLatin1String("Missing value")))
        return QStringLiteral("«%1»: нужно значение").arg(name);
    if (english.startsWith(QLatin1String("Unexpected value")))
        return QStringLiteral("«%1»: значение не нужно").arg(name);
    return QStringLiteral("ошибка в параметрах");
}

Parsed usage(const QString &why, const QString &command, bool json)
{
    Parsed r;
    r.json = json;
    r.error = why + QStringLiteral("\nПодробнее: dalvimoctl %1--help")
                        .arg(command.isEmpty() ? QString() : command + u' ');
    return r;
}

Parsed print(const QString &text)
{
    Parsed r;
    r.kind = Parsed::Print;
    r.output = text;
    return r;
}

} // namespace

Parsed parseCommandLine(const QStringList &arguments)
{
    static_assert(records::kFlagCount == 4, "one name per face flag");
    // Before the parsers have said whether --json holds, a usage error
    // answers in the form the command line asks for.
    const bool jsonAsked = arguments.contains(QStringLiteral("--json"));
    QCommandLineParser before;
    before.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    before.addOptions(parserOptions(globalOptions()));
    if (!before.parse(arguments))
        return usage(parserError(before), QString(), jsonAsked);
    if (before.isSet(opt("version")))
        return print(QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n');

    QStringList rest = before.positionalArguments();
    if (rest.value(0) == QLatin1String("help")) { // "help COMMAND" is "COMMAND --help"
        rest.removeFirst();
        if (rest.isEmpty() || rest.first() == QLatin1String("help"))
            return print(generalHelp());
        rest = {rest.first(), QStringLiteral("--help")};
    }
    if (rest.isEmpty())
        return before.isSet(opt("help")) ? print(generalHelp())
                                         : usage(QStringLiteral("не указана команда"), {}, jsonAsked);
    const CommandInfo *info = findCommand(rest.first());
    if (!info || rest.first() == QLatin1String("help"))
        return usage(QStringLiteral("неизвестная команда «%1»").arg(quotedArgument(rest.first())), QString(), jsonAsked);

    Request r;
    Options options;
    r.command = rest.takeFirst();
    QCommandLineParser after;
    after.addOptions(parserOptions(globalOptions()));
    after.addOptions(parserOptions(commandOptions(r.command)));
    if (!after.parse(QStringList{arguments.value(0)} + rest))
        return usage(parserError(after), r.command, jsonAsked);
    if (before.isSet(opt("help")) || after.isSet(opt("help")))
        return print(commandHelp(*info));
    try {
        options = readGlobals(before, after);
        readArguments(r, options, after);
    } catch (const BadArgument &bad) {
        return usage(bad.message, r.command, jsonAsked);
    }
    Parsed parsed;
    parsed.kind = Parsed::Run;
    parsed.json = options.json;
    parsed.request = r;
    parsed.options = options;
    return parsed;
}

} // namespace ctl
