#include "mqtt/command_line.h"

#include "common/exit_codes.h"
#include "common/number.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace mqtt {
namespace {

using Option = QCommandLineOption;

Parsed stop(int code, const QString &text) { return {std::nullopt, text, code}; }

Parsed usage(const QString &message)
{
    return stop(exit_code::kUsage, QStringLiteral("dalvimo-mqtt: %1\nПодробнее: dalvimo-mqtt --help\n").arg(message));
}

// A topic level the bridge builds on: no wildcards, no empty levels.
bool plainTopic(const QString &t)
{
    return !t.isEmpty() && !t.contains(u'+') && !t.contains(u'#') && !t.startsWith(u'/') && !t.endsWith(u'/')
           && !t.contains(QStringLiteral("//")) && !t.contains(QChar(0));
}

std::optional<qint64> number(const QCommandLineParser &p, const Option &o, qint64 lo, qint64 hi)
{
    const auto v = num::parsePlainInteger(p.value(o));
    if (!v || *v < lo || *v > hi)
        return std::nullopt;
    return v;
}

} // namespace

Parsed parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Мост между Quorvan и брокером MQTT: Home Assistant сам находит будильники и настройки циферблата."));
    const Option help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Показать эту справку."));
    const Option version(QStringLiteral("version"), QStringLiteral("Показать версию."));
    const Option server({QStringLiteral("s"), QStringLiteral("server")},
                        QStringLiteral("Quorvan: АДРЕС[:ПОРТ], список через запятую или @all (как у dalvimoctl)."),
                        QStringLiteral("АДРЕС"));
    const Option broker(QStringLiteral("broker"), QStringLiteral("Брокер MQTT (localhost)."), QStringLiteral("ХОСТ"));
    const Option brokerPort(QStringLiteral("broker-port"), QStringLiteral("Порт брокера (1883, с TLS 8883)."),
                            QStringLiteral("ПОРТ"));
    const Option user(QStringLiteral("user"), QStringLiteral("Имя для брокера."), QStringLiteral("ИМЯ"));
    const Option password(QStringLiteral("password"),
                          QStringLiteral("Пароль для брокера; виден другим в списке процессов, лучше в файле."),
                          QStringLiteral("ПАРОЛЬ"));
    const Option tls(QStringLiteral("tls"), QStringLiteral("Подключаться по TLS, с сертификатами системы."));
    const Option cafile(QStringLiteral("cafile"), QStringLiteral("Подключаться по TLS, доверяя этому сертификату."),
                        QStringLiteral("ФАЙЛ"));
    const Option config(QStringLiteral("config"),
                        QStringLiteral("Файл брокера с правами 0600 (~/.config/dalvimo/dalvimo-mqtt.conf)."),
                        QStringLiteral("ФАЙЛ"));
    const Option prefix(QStringLiteral("discovery-prefix"), QStringLiteral("Префикс обнаружения (homeassistant)."),
                        QStringLiteral("ПРЕФИКС"), QStringLiteral("homeassistant"));
    const Option topic(QStringLiteral("topic"), QStringLiteral("Начало топиков моста (dalvimo)."),
                       QStringLiteral("ТОПИК"), QStringLiteral("dalvimo"));
    const Option poll(QStringLiteral("poll"), QStringLiteral("Опрашивать Quorvan каждые МС мс (30000)."),
                      QStringLiteral("МС"), QStringLiteral("30000"));
    const Option timeout(QStringLiteral("timeout"), QStringLiteral("Ждать ответа МС мс (1000)."),
                         QStringLiteral("МС"), QStringLiteral("1000"));
    const Option retries(QStringLiteral("retries"), QStringLiteral("Повторов чтения (2)."), QStringLiteral("N"),
                         QStringLiteral("2"));
    const Option remove(QStringLiteral("remove"),
                        QStringLiteral("Убрать с брокера всё, что мост оставил (конфигурации, состояния), и выйти."));
    p.addOptions({help, version, server, broker, brokerPort, user, password, tls, cafile, config, prefix, topic, poll,
                  timeout, retries, remove});
    if (!p.parse(arguments))
        return usage(p.errorText());
    if (p.isSet(help))
        return stop(0, p.helpText()
                           .replace(QStringLiteral("Usage:"), QStringLiteral("Запуск:"))
                           .replace(QStringLiteral("Options:"), QStringLiteral("Параметры:"))
                           .replace(QStringLiteral("[options]"), QStringLiteral("[параметры]")));
    if (p.isSet(version))
        return stop(0, QStringLiteral("dalvimo-mqtt %1\n").arg(QCoreApplication::applicationVersion()));
    if (!p.positionalArguments().isEmpty())
        return usage(QStringLiteral("лишний аргумент «%1»").arg(quoted(p.positionalArguments().first())));

    Settings s;
    // The file first, the command line over it.
    const bool fileNamed = p.isSet(config);
    if (const auto why = readBrokerFile(fileNamed ? p.value(config) : defaultBrokerFile(), fileNamed, s.broker))
        return stop(1, QStringLiteral("dalvimo-mqtt: %1\n").arg(*why));
    if (p.isSet(broker))
        s.broker.host = p.value(broker);
    if (p.isSet(brokerPort)) {
        const auto port = number(p, brokerPort, 1, 65535);
        if (!port)
            return usage(QStringLiteral("--broker-port: нужно число 1…65535"));
        s.broker.port = quint16(*port);
    }
    if (p.isSet(user))
        s.broker.user = p.value(user);
    if (p.isSet(password))
        s.broker.password = p.value(password);
    if (p.isSet(cafile))
        s.broker.cafile = p.value(cafile);
    s.broker.tls = s.broker.tls || p.isSet(tls) || !s.broker.cafile.isEmpty();
    if (s.broker.host.isEmpty())
        return usage(QStringLiteral("--broker: пустое имя"));

    s.bridge.topics.prefix = p.value(prefix);
    s.bridge.topics.base = p.value(topic);
    if (!plainTopic(s.bridge.topics.prefix))
        return usage(QStringLiteral("--discovery-prefix: нужен топик без «+», «#» и пустых уровней"));
    if (!plainTopic(s.bridge.topics.base))
        return usage(QStringLiteral("--topic: нужен топик без «+», «#» и пустых уровней"));
    const auto pollMs = number(p, poll, 100, 24 * 3600 * 1000);
    const auto timeoutMs = number(p, timeout, 1, 600000);
    const auto retryCount = number(p, retries, 0, 100);
    if (!pollMs)
        return usage(QStringLiteral("--poll: нужно число от 100 до 86400000"));
    if (!timeoutMs)
        return usage(QStringLiteral("--timeout: нужно число от 1 до 600000"));
    if (!retryCount)
        return usage(QStringLiteral("--retries: нужно число от 0 до 100"));
    s.bridge.pollMs = int(*pollMs);
    s.bridge.exchanges.timeoutMs = int(*timeoutMs);
    s.bridge.exchanges.retries = int(*retryCount);
    s.bridge.version = QCoreApplication::applicationVersion();
    s.remove = p.isSet(remove);

    std::optional<QString> option;
    if (p.isSet(server))
        option = p.value(server);
    auto chosen = chooseQuorvans(option);
    if (const auto *none = std::get_if<NoQuorvan>(&chosen))
        return none->usage ? usage(none->reason) : stop(2, QStringLiteral("dalvimo-mqtt: %1\n").arg(none->reason));
    s.quorvans = std::get<QList<Quorvan>>(chosen);
    Parsed out;
    out.settings = s;
    return out;
}

} // namespace mqtt
