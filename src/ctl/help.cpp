#include "ctl/help.h"

#include "common/address.h"

namespace ctl {
namespace {

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
    {"skin", "next|prev|НОМЕР", "Следующий, предыдущий или скин с номером НОМЕР (как в status: 1 — первый); "
                                "за последним идёт первый."},
    {"style", "next|prev|НОМЕР", "То же для стиля текущего скина."},
    {"transparency", "[УРОВЕНЬ]", "Уровень прозрачности или затемнения (целое от 0 до 100), границы и режим; без "
                                  "аргументов — показать."},
    {"brightness", "[УРОВЕНЬ]", "Уровень яркости (целое от 0 до 100) и границы; без аргументов — показать."},
    {"flag", "hide|on-top|fix-text|lock on|off",
     "Флаг экрана: Показать/спрятать, Всегда впереди, Фиксировать текст, Блокировать. Команда отправляется, "
     "только если флаг сейчас в другом положении."},
    {"save", "", "Quorvan сохраняет свои настройки."},
    {"send", "ТЕКСТ", "Одна команда как есть (до 65 507 символов Windows-1251); ответ печатается, управляющие "
                      "символы — как \\xNN."},
    {"monitor", "", "Печатать каждую пришедшую датаграмму с её отправителем, от кого бы она ни пришла, пока не "
                    "прервут (Ctrl+C)."},
    {"discover", "", "Найти Quorvan в сети: «ping» широковещательно на порт Quorvan; каждый ответивший — адрес, "
                     "порт, время ответа и подпись из списка серверов окна. Выход 0, если нашёлся хотя бы один, "
                     "иначе 2."},
    {"help", "[КОМАНДА]", "Эта справка или справка по команде."},
};

QString text(const char *utf8) { return QString::fromUtf8(utf8); }

constexpr qsizetype kWidth = 79;
constexpr qsizetype kColumn = 28; // where descriptions start

// The words of text wrapped at kWidth: the first line goes on from column,
// the others start at indent.
QString wrapped(const QString &words, qsizetype column, qsizetype indent)
{
    QString out;
    bool first = true;
    for (const QString &word : words.split(u' ', Qt::SkipEmptyParts)) {
        if (!first && column + 1 + word.size() > kWidth) {
            out += u'\n' + QString(indent, u' ');
            column = indent;
        } else if (!first) {
            out += u' ';
            ++column;
        }
        out += word;
        column += word.size();
        first = false;
    }
    return out;
}

QString optionLines(const QList<OptionInfo> &options)
{
    QString out;
    for (const OptionInfo &o : options) {
        QStringList names;
        for (const QString &n : o.names)
            names << dashed(n);
        QString head = QStringLiteral("  ") + names.join(QStringLiteral(", "));
        if (!o.valueName.isEmpty())
            head += u' ' + o.valueName;
        if (head.size() + 2 > kColumn) {
            out += head + u'\n' + QString(kColumn, u' ');
        } else {
            out += head + QString(kColumn - head.size(), u' ');
        }
        out += wrapped(o.description, kColumn, kColumn) + u'\n';
    }
    return out;
}

QString usageOf(const CommandInfo &c)
{
    QString line = QStringLiteral("dalvimoctl [ПАРАМЕТРЫ] ") + text(c.name);
    if (*c.args)
        line += u' ' + text(c.args);
    return line;
}

} // namespace

QString dashed(const QString &name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

const CommandInfo *findCommand(const QString &name)
{
    for (const CommandInfo &c : kCommands)
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

QList<OptionInfo> globalOptions()
{
    return {
        {{"s", "server"},
         QStringLiteral("АДРЕС[:ПОРТ]"),
         QStringLiteral("Сервер Quorvan: IPv4-адрес или имя, порт 17777 (иначе DALVIMO_SERVER, иначе выбранный в "
                        "окне, иначе 127.0.0.1:17777). Ответы принимаются только от него. Несколько через запятую "
                        "или @all (все серверы из списка окна): команда идёт всем сразу, каждая строка вывода "
                        "начинается с сервера."),
         {}},
        {{"json"}, {}, QStringLiteral("Вывод в JSON для скриптов: один объект в строке, и при ошибке тоже."), {}},
        {{"timeout"}, QStringLiteral("МС"), QStringLiteral("Ожидание ответа на каждую датаграмму, мс (1000)."),
         QStringLiteral("1000")},
        {{"retries"}, QStringLiteral("N"), QStringLiteral("Повторы чтения без ответа (2)."), QStringLiteral("2")},
        {{"v", "verbose"}, {}, QStringLiteral("Показывать обмен датаграммами (stderr)."), {}},
        {{"h", "help"}, {}, QStringLiteral("Эта справка; после команды — справка по команде."), {}},
        {{"version"}, {}, QStringLiteral("Версия программы."), {}},
    };
}

QList<OptionInfo> commandOptions(const QString &command)
{
    if (command == QLatin1String("alarm"))
        return {{{"time"}, QStringLiteral("Ч:ММ[:СС]"), QStringLiteral("set: время."), {}},
                {{"on"}, {}, QStringLiteral("set: включить."), {}},
                {{"off"}, {}, QStringLiteral("set: выключить."), {}},
                {{"ring"}, QStringLiteral("ТЕКСТ"),
                 QStringLiteral("set: текст звонка, от 5 символов Windows-1251, без «|» и переводов строки."), {}}};
    if (command == QLatin1String("transparency") || command == QLatin1String("brightness")) {
        QList<OptionInfo> o{{{"min"}, QStringLiteral("X"), QStringLiteral("Нижняя граница, целое от 0 до 100."), {}},
                            {{"max"}, QStringLiteral("Y"), QStringLiteral("Верхняя граница, целое от 0 до 100."), {}}};
        if (command == QLatin1String("transparency"))
            o.append({{"mode"}, QStringLiteral("transparency|dimming"),
                      QStringLiteral("Режим: transparency (прозрачность) или dimming (затемнение)."), {}});
        return o;
    }
    if (command == QLatin1String("monitor"))
        return {{{"poll"}, QStringLiteral("МС"), QStringLiteral("Посылать «ping» серверу каждые МС мс (0 — не посылать)."),
                 QStringLiteral("2000")},
                {{"listen"}, QStringLiteral("ПОРТ"), QStringLiteral("Слушать этот локальный порт (0 — любой)."),
                 QStringLiteral("0")}};
    if (command == QLatin1String("discover"))
        return {{{"port"}, QStringLiteral("ПОРТ"), QStringLiteral("Порт Quorvan (17777)."),
                 QString::number(address::kDefaultPort)},
                {{"save"}, {}, QStringLiteral("Добавить найденные серверы, которых нет в списке окна, в его файл "
                                               "настроек."), {}}};
    return {};
}

QString generalHelp()
{
    QString out = QStringLiteral("Использование: dalvimoctl [ПАРАМЕТРЫ] КОМАНДА [АРГУМЕНТЫ]\n"
                                 "Quorvan из командной строки и скриптов.\n\n"
                                 "Параметры (до или после команды):\n");
    out += optionLines(globalOptions());
    out += QStringLiteral("\nКоманды:\n");
    for (const CommandInfo &c : kCommands) {
        QString line = QStringLiteral("  ") + text(c.name);
        if (*c.args)
            line += u' ' + text(c.args);
        out += line + QStringLiteral("\n      ") + wrapped(text(c.description), 6, 6) + u'\n';
    }
    out += u'\n'
        + wrapped(QStringLiteral("Коды выхода: 0 — выполнено, 1 — Quorvan ответил ошибкой, 2 — нет ответа или "
                                 "сервер не найден, 3 — ответ не разобрать, 64 — ошибка в командной строке "
                                 "(ничего не отправлено)."),
                  0, 0)
        + u'\n';
    out += QStringLiteral("Справка по команде: dalvimoctl КОМАНДА --help\n");
    return out;
}

QString commandHelp(const CommandInfo &command)
{
    QString out = QStringLiteral("Использование: ") + usageOf(command) + u'\n'
        + wrapped(text(command.description), 0, 0) + u'\n';
    const QList<OptionInfo> own = commandOptions(QString::fromLatin1(command.name));
    if (!own.isEmpty())
        out += QStringLiteral("\nПараметры команды:\n") + optionLines(own);
    out += QStringLiteral("\nОбщие параметры: dalvimoctl --help\n");
    return out;
}

} // namespace ctl
