#include "ctl/cli.h"

#include "records/alarm_record.h"
#include "common/number.h"
#include "records/face_record.h"
#include "protocol/protocol.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace ctl {
namespace {

struct CommandInfo {
    const char *name;
    const char *args;        // the usage line after the command
    const char *description;
};

const CommandInfo kCommands[] = {
    {"ping", "", "Отвечает ли Quorvan; время ответа."},
    {"status", "", "Скин и стиль, прозрачность, яркость, флаги экрана и будильники — всё, что окно читает при "
                   "подключении."},
    {"alarms", "", "Четыре будильника."},
    {"alarm", "N [set|on|off]",
     "Будильник N (1–4): показать; set — изменить указанные поля (остальные как были), on/off — включить или "
     "выключить."},
    {"silence", "", "Заглушить звонящий будильник."},
    {"alarms-toggle", "", "Откл/Вкл. будильников (режим «Выходные/будни»), затем прочитать будильники."},
    {"skin", "next|prev|NUMBER", "Следующий, предыдущий или скин с номером NUMBER (как в status: 1 — первый); "
                                 "за последним идёт первый."},
    {"style", "next|prev|NUMBER", "То же для стиля текущего скина."},
    {"transparency", "[LEVEL]", "Уровень прозрачности или затемнения, границы и режим; без аргументов — показать."},
    {"brightness", "[LEVEL]", "Уровень яркости и границы; без аргументов — показать."},
    {"flag", "hide|on-top|fix-text|lock on|off",
     "Флаг экрана: Показать/спрятать, Всегда впереди, Фиксировать текст, Блокировать. Команда отправляется, "
     "только если флаг сейчас в другом положении."},
    {"save", "", "Quorvan сохраняет свои настройки."},
    {"send", "TEXT", "Одна команда как есть; ответ печатается как пришёл."},
    {"monitor", "", "Печатать каждую пришедшую датаграмму, пока не прервут (Ctrl+C)."},
};

const CommandInfo *findCommand(const QString &name)
{
    for (const CommandInfo &c : kCommands)
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

QString opt(const char *name) { return QString::fromLatin1(name); }

QList<QCommandLineOption> globalOptions()
{
    return {
        {{opt("s"), opt("server")},
         QStringLiteral("Сервер Quorvan (иначе DALVIMO_SERVER, иначе выбранный в окне, иначе 127.0.0.1:17777)."),
         QStringLiteral("ADDRESS[:PORT]")},
        {opt("json"), QStringLiteral("Вывод в JSON для скриптов.")},
        {opt("timeout"), QStringLiteral("Ожидание ответа на каждую датаграмму, мс (1000)."), QStringLiteral("MS"),
         QStringLiteral("1000")},
        {opt("retries"), QStringLiteral("Повторы чтения без ответа (2)."), QStringLiteral("N"), QStringLiteral("2")},
        {{opt("v"), opt("verbose")}, QStringLiteral("Показывать обмен датаграммами (stderr).")},
    };
}

QList<QCommandLineOption> commandOptions(const QString &command)
{
    if (command == QLatin1String("alarm"))
        return {{opt("time"), QStringLiteral("set: время H:MM или H:MM:SS."), QStringLiteral("H:MM[:SS]")},
                {opt("on"), QStringLiteral("set: включить.")},
                {opt("off"), QStringLiteral("set: выключить.")},
                {opt("ring"), QStringLiteral("set: текст звонка (от 5 символов)."), QStringLiteral("TEXT")}};
    if (command == QLatin1String("transparency") || command == QLatin1String("brightness")) {
        QList<QCommandLineOption> o{{opt("min"), QStringLiteral("Нижняя граница."), QStringLiteral("X")},
                                    {opt("max"), QStringLiteral("Верхняя граница."), QStringLiteral("Y")}};
        if (command == QLatin1String("transparency"))
            o.append({opt("mode"), QStringLiteral("Режим: transparency (прозрачность) или dimming (затемнение)."),
                      QStringLiteral("transparency|dimming")});
        return o;
    }
    if (command == QLatin1String("monitor"))
        return {{opt("poll"), QStringLiteral("Посылать «ping» каждые MS мс (0 — не посылать)."),
                 QStringLiteral("MS"), QStringLiteral("2000")},
                {opt("listen"), QStringLiteral("Слушать этот локальный порт (0 — любой)."), QStringLiteral("PORT"),
                 QStringLiteral("0")}};
    return {};
}

// Thrown inside this file only: the reason for a usage error.
struct Bad {
    QString why;
};

std::optional<qint64> integerIn(const QString &text, qint64 lo, qint64 hi)
{
    const auto v = num::parsePlainInteger(text);
    if (!v || *v < lo || *v > hi)
        return std::nullopt;
    return v;
}

qint64 needInteger(const QString &text, qint64 lo, qint64 hi, const QString &what)
{
    const auto v = integerIn(text, lo, hi);
    if (!v)
        throw Bad{QStringLiteral("%1: «%2» — нужно целое от %3 до %4").arg(what, text).arg(lo).arg(hi)};
    return *v;
}

void needArgs(const QStringList &args, qsizetype lo, qsizetype hi)
{
    if (args.size() < lo)
        throw Bad{QStringLiteral("не хватает аргументов")};
    if (args.size() > hi)
        throw Bad{QStringLiteral("лишний аргумент «%1»").arg(args.at(hi))};
}

bool onOff(const QString &word)
{
    if (word == QLatin1String("on"))
        return true;
    if (word == QLatin1String("off"))
        return false;
    throw Bad{QStringLiteral("«%1»: нужно on или off").arg(word)};
}

void readAlarm(Request &r, const QCommandLineParser &p, const QStringList &args)
{
    needArgs(args, 1, 2);
    r.number = int(needInteger(args.at(0), 1, BudTable::kCount, QStringLiteral("номер будильника")));
    r.action = args.value(1);
    const bool fieldGiven = p.isSet(opt("time")) || p.isSet(opt("on")) || p.isSet(opt("off")) || p.isSet(opt("ring"));
    if (r.action == QLatin1String("on") || r.action == QLatin1String("off"))
        r.on = onOff(r.action);
    else if (!r.action.isEmpty() && r.action != QLatin1String("set"))
        throw Bad{QStringLiteral("«%1»: нужно set, on или off").arg(r.action)};
    if (r.action != QLatin1String("set")) {
        if (fieldGiven)
            throw Bad{QStringLiteral("--time, --on, --off и --ring — только с set")};
        return;
    }
    if (!fieldGiven)
        throw Bad{QStringLiteral("set: укажите --time, --on, --off или --ring")};
    if (p.isSet(opt("on")) && p.isSet(opt("off")))
        throw Bad{QStringLiteral("--on и --off вместе")};
    if (p.isSet(opt("on")) || p.isSet(opt("off")))
        r.on = p.isSet(opt("on"));
    if (p.isSet(opt("time"))) {
        r.time = parseTimeText(p.value(opt("time")));
        if (!r.time)
            throw Bad{QStringLiteral("--time: «%1» — нужно H:MM или H:MM:SS").arg(p.value(opt("time")))};
    }
    if (p.isSet(opt("ring"))) {
        r.ring = p.value(opt("ring"));
        if (!proto::ringGoesOut(*r.ring))
            throw Bad{QStringLiteral("--ring: текст короче 5 символов Quorvan не передаётся")};
    }
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
        r.number = int(needInteger(a, 1, 32767, QStringLiteral("номер")));
    }
}

void readLevel(Request &r, const QCommandLineParser &p, const QStringList &args)
{
    needArgs(args, 0, 1);
    if (!args.isEmpty())
        r.level = args.at(0);
    if (p.isSet(opt("min")))
        r.min = p.value(opt("min"));
    if (p.isSet(opt("max")))
        r.max = p.value(opt("max"));
    if (r.command == QLatin1String("transparency") && p.isSet(opt("mode"))) {
        const QString m = p.value(opt("mode"));
        if (m != QLatin1String("transparency") && m != QLatin1String("dimming"))
            throw Bad{QStringLiteral("--mode: «%1» — нужно transparency или dimming").arg(m)};
        r.mode = m == QLatin1String("transparency") ? 1 : 0;
    }
}

void readArguments(Request &r, const QCommandLineParser &p)
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
            throw Bad{QStringLiteral("«%1»: нужно %2").arg(args.at(0), flagNames().join(QStringLiteral(", ")))};
        r.on = onOff(args.at(1));
    } else if (c == QLatin1String("send")) {
        needArgs(args, 1, 1);
        r.text = args.at(0);
        if (r.text.isEmpty())
            throw Bad{QStringLiteral("пустая команда")};
    } else if (c == QLatin1String("monitor")) {
        needArgs(args, 0, 0);
        r.pollMs = int(needInteger(p.value(opt("poll")), 0, 3600000, QStringLiteral("--poll")));
        r.listenPort = quint16(needInteger(p.value(opt("listen")), 0, 65535, QStringLiteral("--listen")));
    } else {
        needArgs(args, 0, 0);
    }
}

// A global option given after the command wins over one given before it.
Globals readGlobals(const QCommandLineParser &before, const QCommandLineParser &after)
{
    const auto pick = [&](const char *name) -> const QCommandLineParser & {
        return after.isSet(opt(name)) ? after : before;
    };
    Globals g;
    if (pick("server").isSet(opt("server")))
        g.server = pick("server").value(opt("server"));
    g.json = before.isSet(opt("json")) || after.isSet(opt("json"));
    g.verbose = before.isSet(opt("verbose")) || after.isSet(opt("verbose"));
    g.policy.timeoutMs = int(needInteger(pick("timeout").value(opt("timeout")), 1, 600000, QStringLiteral("--timeout")));
    g.policy.retries = int(needInteger(pick("retries").value(opt("retries")), 0, 100, QStringLiteral("--retries")));
    return g;
}

QString generalHelp(QCommandLineParser &p)
{
    QString text = p.helpText();
    text += QStringLiteral("\nКоманды:\n");
    for (const CommandInfo &c : kCommands) {
        QString line = QLatin1String(c.name);
        if (*c.args)
            line += u' ' + QLatin1String(c.args);
        text += QStringLiteral("  ") + line + QStringLiteral("\n      ") + QString::fromUtf8(c.description) + u'\n';
    }
    text += QStringLiteral("\nСправка по команде: dalvimoctl КОМАНДА --help\n");
    return text;
}

Parsed usage(const QString &why, const QString &command)
{
    Parsed r;
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

QStringList flagNames()
{
    return {QStringLiteral("hide"), QStringLiteral("on-top"), QStringLiteral("fix-text"), QStringLiteral("lock")};
}

Parsed parseCommandLine(const QStringList &arguments)
{
    static_assert(face::kFlagCount == 4, "one name per face flag");
    QCommandLineParser before;
    before.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    before.setApplicationDescription(QStringLiteral("Quorvan из командной строки и скриптов."));
    before.addOptions(globalOptions());
    before.addHelpOption();
    // Not addVersionOption(): its -v is --verbose here.
    before.addOption({opt("version"), QStringLiteral("Версия программы.")});
    before.addPositionalArgument(QStringLiteral("COMMAND"), QStringLiteral("Команда (ниже)."),
                                 QStringLiteral("COMMAND [ARGS]"));
    if (!before.parse(arguments))
        return usage(before.errorText(), QString());
    if (before.isSet(opt("version")))
        return print(QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n');

    QStringList rest = before.positionalArguments();
    if (rest.value(0) == QLatin1String("help")) { // "help COMMAND" is "COMMAND --help"
        rest.removeFirst();
        if (rest.isEmpty())
            return print(generalHelp(before));
        rest = {rest.first(), QStringLiteral("--help")};
    }
    if (rest.isEmpty())
        return before.isSet(opt("help")) ? print(generalHelp(before)) : usage(QStringLiteral("не указана команда"), {});
    const CommandInfo *info = findCommand(rest.first());
    if (!info)
        return usage(QStringLiteral("неизвестная команда «%1»").arg(rest.first()), QString());

    Request r;
    r.command = rest.takeFirst();
    QCommandLineParser after;
    after.addOptions(globalOptions());
    after.addOptions(commandOptions(r.command));
    after.addHelpOption();
    after.addPositionalArgument(r.command, QString::fromUtf8(info->description),
                                r.command + u' ' + QString::fromLatin1(info->args));
    if (!after.parse(QStringList{arguments.value(0)} + rest))
        return usage(after.errorText(), r.command);
    if (before.isSet(opt("help")) || after.isSet(opt("help")))
        return print(after.helpText());
    try {
        r.globals = readGlobals(before, after);
        readArguments(r, after);
    } catch (const Bad &bad) {
        return usage(bad.why, r.command);
    }
    Parsed parsed;
    parsed.kind = Parsed::Run;
    parsed.request = r;
    return parsed;
}

} // namespace ctl
