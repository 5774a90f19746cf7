#include "remote/exchange.h"

#include "common/ansi.h"
#include "protocol/command_check.h"
#include "protocol/protocol.h"
#include "protocol/reply_fields.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace remote {
namespace {

Outcome noAnswer(const QString &command, const QString &why)
{
    return {Outcome::NoAnswer, QStringLiteral("нет ответа на «%1»%2").arg(ansi::printable(command), why)};
}

} // namespace

bool isRead(const QString &command)
{
    return proto::splitReply(command).word.startsWith(u'G');
}

Verdict judge(const QString &sent, const QString &received)
{
    const proto::Reply r = proto::splitReply(received);
    if (r.word == QLatin1String("Err")) {
        Verdict v;
        try {
            v.code = proto::replyNumber(r.selector);
        } catch (const proto::ReplyFailure &) {
            v.kind = Verdict::Unreadable;
            return v;
        }
        v.description = r.payload;
        if (v.code != 0)
            v.kind = Verdict::Failure;
        else if (sent != proto::ping() && !isRead(sent))
            v.kind = Verdict::Answer;
        return v;
    }
    Verdict v;
    if (sent == proto::ping() ? received == proto::ping() : isRead(sent) && r.head == proto::splitReply(sent).head)
        v.kind = Verdict::Answer;
    return v;
}

std::optional<Outcome> stopFor(const Answer &answer)
{
    switch (answer.verdict.kind) {
    case Verdict::Failure:
        return Outcome{Outcome::QuorvanError, QStringLiteral("Quorvan: ошибка %1 (%2)")
                                           .arg(answer.verdict.code)
                                           .arg(ansi::printable(answer.verdict.description))};
    case Verdict::Unreadable:
        return Outcome{Outcome::Unreadable, QStringLiteral("непонятный ответ: %1").arg(ansi::printable(answer.text))};
    default:
        return std::nullopt;
    }
}

Exchanger::Exchanger(const Endpoint &server, const Policy &policy) : m_server(server), m_policy(policy) {}

void Exchanger::trace(const QString &line) const
{
    if (m_trace)
        m_trace(ansi::printable(line));
}

std::unique_ptr<Channel> Exchanger::openChannel()
{
    auto channel = std::make_unique<Channel>(m_server);
    QString error;
    if (!channel->open(&error))
        throw Outcome{Outcome::NoAnswer, QStringLiteral("сокет не открывается: %1").arg(error)};
    // What is not the server's never reaches the exchange; --verbose tells
    // that it came, not what it said.
    QObject::connect(channel.get(), &Channel::dropped, channel.get(), [this](const QHostAddress &from, quint16 port) {
        trace(QStringLiteral("<- от %1: не сервер, отброшено").arg(from.toString() + u':' + QString::number(port)));
    });
    return channel;
}

void Exchanger::send(Channel &channel, const QString &command)
{
    // The arguments are checked long before; this keeps anything composed
    // from them and from replies from going out cut or with '?' in it.
    if (const auto why = proto::commandFault(command))
        throw Outcome{Outcome::Refused, QStringLiteral("не отправлено: %1").arg(*why)};
    trace(QStringLiteral("-> ") + command);
    if (!channel.send(command))
        trace(QStringLiteral("(не отправлено)")); // counts as lost: the wait decides
}

std::optional<Answer> Exchanger::await(Channel &channel, const QString &sent)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    std::optional<Answer> answer;
    QObject::connect(&channel, &Channel::received, &loop, [&](const QString &text) {
        trace(QStringLiteral("<- ") + text);
        if (answer)
            return; // already answered; the rest of this batch is late
        const Verdict v = judge(sent, text);
        if (v.kind == Verdict::Ignore)
            return;
        answer = Answer{text, v, 0, clock.nsecsElapsed()};
        loop.quit();
    });
    clock.start();
    timer.start(m_policy.timeoutMs);
    loop.exec();
    return answer;
}

Answer Exchanger::attemptRead(const QString &command, bool failureThrows)
{
    const std::unique_ptr<Channel> channel = openChannel();
    const int attempts = 1 + m_policy.retries;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        send(*channel, command);
        if (std::optional<Answer> a = await(*channel, command)) {
            a->attempts = attempt;
            if (a->verdict.kind == Verdict::Unreadable || (failureThrows && a->verdict.kind == Verdict::Failure))
                throw *stopFor(*a);
            return *a;
        }
    }
    throw noAnswer(command, QStringLiteral(" (попыток: %1, по %2 мс)").arg(attempts).arg(m_policy.timeoutMs));
}

Answer Exchanger::read(const QString &command) { return attemptRead(command, true); }

SetResult Exchanger::setAndReadBack(const QString &command, const std::function<void()> &readState,
                                    const std::function<std::optional<bool>()> &tookEffect, bool mayRepeat)
{
    const SetResult result = set(command, {[&]() -> std::optional<bool> {
                                               readState();
                                               return tookEffect();
                                           },
                                           mayRepeat});
    if (result.answered)
        readState();
    return result;
}

SetResult Exchanger::set(const QString &command, const ReadBack &readBack)
{
    SetResult result;
    for (;;) {
        const std::unique_ptr<Channel> channel = openChannel();
        send(*channel, command);
        ++result.sends;
        if (const std::optional<Answer> a = await(*channel, command)) {
            if (const auto stop = stopFor(*a))
                throw *stop;
            return result;
        }
        if (!readBack.tookEffect)
            throw noAnswer(command, QString());

        // The answer may still come while the state is read back; if it
        // does, it settles the matter.
        std::optional<Answer> late;
        QObject::connect(channel.get(), &Channel::received, channel.get(), [&](const QString &text) {
            trace(QStringLiteral("<- ") + text + QStringLiteral(" (поздно)"));
            const Verdict v = judge(command, text);
            if (!late && v.kind != Verdict::Ignore)
                late = Answer{text, v, result.sends, 0};
        });
        std::optional<bool> took;
        try {
            took = readBack.tookEffect();
        } catch (const Outcome &) {
            if (!late)
                throw;
        }
        if (late) {
            if (const auto stop = stopFor(*late))
                throw *stop;
            return result;
        }
        if (took == true) {
            result.answered = false;
            return result;
        }
        if (!took)
            throw noAnswer(command, QStringLiteral("; по прочитанному состоянию не видно, выполнена ли команда"));
        if (!readBack.mayRepeat || result.sends > m_policy.retries)
            throw noAnswer(command, QStringLiteral("; команда не выполнена"));
    }
}

Answer Exchanger::raw(const QString &command)
{
    if (isRead(command) || command == proto::ping())
        return attemptRead(command, false);
    const std::unique_ptr<Channel> channel = openChannel();
    send(*channel, command);
    std::optional<Answer> a = await(*channel, command);
    if (!a)
        throw noAnswer(command, QString());
    a->attempts = 1;
    if (a->verdict.kind == Verdict::Unreadable)
        throw *stopFor(*a);
    return *a;
}

} // namespace remote
