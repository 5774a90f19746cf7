#include "app/command_line.h"

#include "common/console.h"
#include "common/exit_codes.h"
#include "settings/settings_location.h"

#include <QCommandLineParser>
#include <QFileInfo>

#ifndef DALVIMO_VERSION
#define DALVIMO_VERSION "0"
#endif

namespace app {
namespace {

// Qt's own options, which QApplication takes out of argv itself; the parser
// only has to let them pass.
const char *const kQtValueOptions[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                       "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
                                       "display", "geometry", "style", "stylesheet"};
const char *const kQtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

void addHidden(QCommandLineParser &parser, const char *name, bool takesValue)
{
    QCommandLineOption option(QString::fromLatin1(name));
    if (takesValue)
        option.setValueName(QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
}

// The running program as QCoreApplication::applicationFilePath() would name
// it; there is no application object yet.
QString executablePath(const QStringList &arguments)
{
    const QString self = settings::runningExecutable();
    if (!self.isEmpty())
        return self;
    return arguments.isEmpty() ? QString() : QFileInfo(arguments.constFirst()).absoluteFilePath();
}

Request usageError(const QString &name, const QString &what)
{
    return {false, exit_code::kUsage, {},
            QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(name, what)};
}

} // namespace

QString version()
{
    return QStringLiteral(DALVIMO_VERSION);
}

Request parse(const QStringList &arguments, const QString &settingsFile)
{
    const QString name = arguments.isEmpty() ? QStringLiteral("dalvimo") : QFileInfo(arguments.constFirst()).fileName();
    QCommandLineParser parser;
    // Qt's own options are single words after one dash (-platform, -style).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Remote control for Quorvan, the clock-and-alarm program, over UDP.\n"
                       "Пульт управления часами-будильником Quorvan по UDP.\n\n"
                       "Settings file: %1")
            .arg(settingsFile));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("?"), QStringLiteral("help")},
                                  QStringLiteral("Displays help on commandline options."));
    const QCommandLineOption showVersion({QStringLiteral("v"), QStringLiteral("version")},
                                         QStringLiteral("Displays version information."));
    parser.addOption(help);
    parser.addOption(showVersion);
    for (const char *option : kQtValueOptions)
        addHidden(parser, option, true);
    for (const char *option : kQtFlagOptions)
        addHidden(parser, option, false);

    if (!parser.parse(arguments))
        return usageError(name, parser.errorText());
    if (parser.isSet(help)) {
        // Without an application object Qt cannot name the program itself.
        const QString text = parser.helpText();
        return {false, 0, QStringLiteral("Usage: %1 [options]").arg(name) + text.mid(text.indexOf(u'\n')), {}};
    }
    if (parser.isSet(showVersion))
        return {false, 0, QStringLiteral("%1 %2\n").arg(name, version()), {}};
    if (!parser.positionalArguments().isEmpty())
        return usageError(name, QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst()));
    return {};
}

Request parse(const QStringList &arguments)
{
    return parse(arguments, settings::settingsFilePath(executablePath(arguments)));
}

QStringList arguments(int argc, char **argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list += QString::fromLocal8Bit(argv[i]);
    return list;
}

// UTF-8, as a terminal takes it; wide characters to a Windows console (main's
// term::Utf8Console finds the one it was started from).
int report(const Request &request)
{
    term::write(stdout, request.out.toUtf8());
    term::write(stderr, request.err.toUtf8());
    return request.exitCode;
}

} // namespace app
