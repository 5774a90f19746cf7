// dalvimo-web's API through a real socket on loopback, against the
// simulator: what each request sends to Quorvan (nothing, unless the token
// is right, the Origin is the page's own and the request is within its
// bounds) and what it answers; a paired phone served whatever another host
// does without the token; datagrams with Quorvan's source that answer
// nothing this exchange asked, or came another way, not taken.

#include "http_exchange.h"
#include "support/sim_fixture.h"
#include "support/udp_peer.h"
#include "web/web_server.h"

#include <QTest>

#include <list>

namespace {

const QString kToken = QStringLiteral("t0k3n-for-the-tests-only-abcdefghijklmnop");

QByteArray authorized(const QByteArray &method, const QByteArray &path, quint16 port)
{
    return request(method, path, port, "Authorization: Bearer " + kToken.toLatin1() + "\r\n", {});
}

struct Rig {
    SimFixture sim;
    std::unique_ptr<web::WebServer> server;

    explicit Rig(const web::Limits &limits = {}, int simDelayMs = 0) : sim([simDelayMs](auto &o) { o.delayMs = simDelayMs; })
    {
        remote::Policy policy;
        policy.timeoutMs = 2000;
        server = std::make_unique<web::WebServer>(sim.endpoint(), policy, [] { return kToken.toLatin1(); }, limits);
        QString error;
        if (!server->listen(QHostAddress::LocalHost, 0, &error))
            qFatal("listen: %s", qPrintable(error));
    }
    quint16 port() const { return server->port(); }
};

} // namespace

class TestWebApi : public QObject {
    Q_OBJECT
private slots:
    void requests_data();
    void requests();
    void rateIsBounded_data();
    void rateIsBounded();
    void noLockOutWithoutTheToken_data();
    void noLockOutWithoutTheToken();
    void forgedRepliesAreNotTaken_data();
    void forgedRepliesAreNotTaken();
    void pageNeedsNoToken();
};

void TestWebApi::requests_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("headers"); // besides Host; "AUTH" stands for the right token
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("wire"); // what the simulator got, in order

    const auto row = [](const char *name, const QByteArray &request, const QByteArray &headers,
                        const QByteArray &body, int status, const QStringList &wire = {}) {
        QTest::newRow(name) << request.split(' ').at(0) << request.split(' ').at(1) << headers << body << status
                            << wire;
    };
    const QByteArray auth = "AUTH";
    const QByteArray bearer = "Authorization: Bearer " + kToken.toLatin1() + "\r\n";
    const QByteArray alarm = R"({"time":"7:05:09","on":true,"ring":"Подъём!"})";
    // Without the token nothing reaches Quorvan, whatever else is right.
    row("no token, status", "GET /api/status", {}, {}, 401);
    row("no token, silence", "POST /api/silence", {}, {}, 401);
    row("no token, alarm set", "POST /api/alarm/2", {}, alarm, 401);
    row("wrong token", "POST /api/silence", QByteArray(bearer).replace("nop\r", "noq\r"), {}, 401);
    row("token as a cookie", "POST /api/silence", "Cookie: token=" + kToken.toLatin1() + "\r\n", {}, 401);
    // With it: the window's own texts, and its reads before and after.
    row("status", "GET /api/status", auth, {}, 200, {"Gsk?", "GfaT", "GfaB", "Gfa*", "Gbd*"});
    row("silence", "POST /api/silence", auth, {}, 200, {"Sbd0"});
    row("alarm set", "POST /api/alarm/2", auth, alarm, 200, {"Gbd2", "Sbd2|7:5:9|1|Подъём!", "Gbd2"});
    row("alarm switch off", "POST /api/alarm/1", auth, R"({"on":false})", 200,
        {"Gbd1", "Sbd1|7:5:0|0|Подъём!", "Gbd1"});
    row("bearer in lower case", "POST /api/silence", QByteArray(bearer).replace("Bearer", "bearer"), {}, 200, {"Sbd0"});
    row("BEARER", "POST /api/silence", QByteArray(bearer).replace("Bearer ", "BEARER  "), {}, 200, {"Sbd0"});
    row("same origin", "POST /api/silence", "AUTHOrigin: http://127.0.0.1:PORT\r\n", {}, 200, {"Sbd0"});
    // Refused before anything is sent.
    row("foreign origin", "POST /api/silence", "AUTHOrigin: http://127.0.0.2:8180\r\n", {}, 403);
    row("change by GET", "GET /api/silence", auth, {}, 405);
    row("oversized body", "POST /api/silence", auth, QByteArray(5000, 'x'), 413);
    row("oversized head", "GET /api/status", "AUTHX-Pad: " + QByteArray(9000, 'p') + "\r\n", {}, 413);
    row("chunked body", "POST /api/silence", "AUTHTransfer-Encoding: chunked\r\n", {}, 400);
    row("ring with a bar", "POST /api/alarm/2", auth, R"({"ring":"ab|cd|ef"})", 400);
    row("hour 25", "POST /api/alarm/2", auth, R"({"time":"25:00"})", 400);
    row("ring with a tab", "POST /api/alarm/2", auth, R"({"ring":"Подъём\tвставай"})", 400);
    row("index with a plus", "GET /api/alarm/+1", auth, {}, 400);
    row("index with a zero", "POST /api/alarm/01", auth, R"({"on":true})", 400);
    row("blank before a colon", "POST /api/silence", QByteArray(bearer).replace(":", " :"), {}, 400);
    row("alarm 5", "POST /api/alarm/5", auth, R"({"on":true})", 400);
    row("level as text", "POST /api/brightness", auth, R"({"level":"abc"})", 400);
    row("body not an object", "POST /api/flag/lock", auth, "[true]", 400);
    row("unknown", "GET /api/nothing", auth, {}, 404);
    row("path too deep", "POST /api/silence/a/b", auth, {}, 404);
}

void TestWebApi::requests()
{
    QFETCH(QByteArray, method);
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, headers);
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(QStringList, wire);

    Rig rig;
    headers.replace("AUTH", "Authorization: Bearer " + kToken.toLatin1() + "\r\n");
    headers.replace("PORT", QByteArray::number(rig.port()));
    const HttpReply reply = exchange(rig.port(), request(method, path, rig.port(), headers, body));
    QCOMPARE(reply.status, status);
    QCOMPARE(rig.sim.heard, wire);
    if (status == 200) {
        QCOMPARE(reply.json.value(QStringLiteral("server")).toString(), rig.sim.text());
    } else {
        // Failures in dalvimoctl's form.
        QVERIFY(reply.json.contains(QStringLiteral("error")));
        QVERIFY(reply.json.value(QStringLiteral("status")).isDouble());
    }
}

// The budget per client holds, a request refused for it sends nothing, and
// a crowd of other clients, more than the budgets kept, never frees it.
void TestWebApi::rateIsBounded_data()
{
    QTest::addColumn<int>("others"); // clients with one request each, between the first's requests

    QTest::newRow("one client") << 0;
    QTest::newRow("1,100 addresses then the first") << 1100;
}

void TestWebApi::rateIsBounded()
{
    QFETCH(int, others);
    web::Limits limits;
    limits.requestsPerWindow = 3;
    Rig rig(limits);
    const QByteArray silence = authorized("POST", "/api/silence", rig.port());
    for (int i = 0; i < 3; ++i)
        QCOMPARE(exchange(rig.port(), silence).status, 200);
    QCOMPARE(exchange(rig.port(), silence).status, 429);
    const QByteArray guess = request("GET", "/api/status", rig.port(), "Authorization: Bearer guess\r\n", {});
    for (int i = 0; i < others; ++i) {
        const QHostAddress other(QStringLiteral("127.0.%1.%2").arg(4 + i / 250).arg(1 + i % 250));
        QCOMPARE(exchange(rig.port(), guess, other).status, 401);
    }
    QCOMPARE(exchange(rig.port(), silence).status, 429);
    QCOMPARE(rig.sim.heard, QStringList(3, QStringLiteral("Sbd0")));
}

// Another host without the token holds idle connections, or keeps opening
// new ones, each with half a request head; the paired phone (127.0.0.2) is
// served every time. The other host keeps its newest few, within its share
// and the table's size; a connection with a whole request (the phone's,
// while Quorvan has yet to answer) is never the one to give way; the idle
// ones are closed once their head time is up.
void TestWebApi::noLockOutWithoutTheToken_data()
{
    QTest::addColumn<int>("addresses"); // the other host's, from 127.0.1.1 on
    QTest::addColumn<int>("held");      // its connections, spread over its addresses
    QTest::addColumn<int>("rounds");    // each opens held more and gives up the oldest held
    QTest::addColumn<int>("headMs");
    QTest::addColumn<bool>("phoneWaits"); // they come while the phone's request waits for Quorvan
    QTest::addColumn<int>("open");        // of the other host's newest, left open

    QTest::newRow("40 idle connections from one address") << 1 << 40 << 1 << 60000 << false << 6;
    QTest::newRow("the table full from 33 addresses") << 33 << 33 << 1 << 60000 << false << 31;
    QTest::newRow("the table full while the phone waits") << 32 << 32 << 1 << 60000 << true << 31;
    QTest::newRow("churn from one address") << 1 << 8 << 20 << 60000 << false << 6;
    QTest::newRow("idle ones closed after their head time") << 1 << 4 << 1 << 300 << false << 0;
}

void TestWebApi::noLockOutWithoutTheToken()
{
    QFETCH(int, addresses);
    QFETCH(int, held);
    QFETCH(int, rounds);
    QFETCH(int, headMs);
    QFETCH(bool, phoneWaits);
    QFETCH(int, open);
    web::Limits limits;
    limits.headMs = headMs;
    limits.idleMs = 60000;
    Rig rig(limits, phoneWaits ? 300 : 0);
    std::list<QTcpSocket> idle;
    const auto hold = [&] {
        for (int i = 0; i < held; ++i) {
            QTcpSocket &s = idle.emplace_back();
            s.bind(QHostAddress(QStringLiteral("127.0.1.%1").arg(1 + i % addresses)), 0);
            s.connectToHost(QHostAddress::LocalHost, rig.port());
            QVERIFY(s.waitForConnected(5000));
            s.write("GET / HTTP/1.1\r\n");
        }
        while (int(idle.size()) > held)
            idle.pop_front();
    };
    if (phoneWaits) // Quorvan has the phone's command: its request is whole
        QObject::connect(&rig.sim, &sim::SimServer::datagramReceived, &rig.sim, hold);
    const QHostAddress phone(QStringLiteral("127.0.0.2"));
    for (int round = 0; round < rounds; ++round) {
        if (!phoneWaits)
            hold();
        QCOMPARE(exchange(rig.port(), authorized("GET", "/api/ping", rig.port()), phone).status, 200);
    }
    auto s = idle.begin();
    for (int i = 0; i < int(idle.size()) - open; ++i, ++s)
        QTRY_COMPARE_WITH_TIMEOUT(s->state(), QAbstractSocket::UnconnectedState, 10000);
    for (; s != idle.end(); ++s)
        QCOMPARE(s->state(), QAbstractSocket::ConnectedState);
    QCOMPARE(rig.sim.heard, QStringList(rounds, QStringLiteral("ping")));
}

// Before Quorvan answers GET /api/alarm/1, a datagram with its source
// reaches the exchange's port: the same bytes a forger elsewhere would
// send, here from Quorvan's own socket (no raw socket, no root). Sent to
// another local address, from another port, or answering another command,
// none is taken; the real answer is, and without it there is none.
void TestWebApi::forgedRepliesAreNotTaken_data()
{
    QTest::addColumn<QString>("to");    // the destination address; the port is the exchange's
    QTest::addColumn<bool>("samePort"); // from Quorvan's port, or another of its address
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("status"); // 504: Quorvan's own answer never comes

    const QByteArray alarm1 = "Gbd1|1|6:30:00|1|Fake ring|0|0|0|0";
    const QByteArray alarm2 = "Gbd2|2|6:30:00|1|Fake ring|0|0|0|0";
    QTest::newRow("to another local address") << "127.0.0.3" << true << alarm1 << 200;
    QTest::newRow("from another port") << "127.0.0.1" << false << alarm1 << 200;
    QTest::newRow("answering another command") << "127.0.0.1" << true << alarm2 << 200;
    QTest::newRow("only forgeries: no answer") << "127.0.0.1" << true << alarm2 << 504;
}

void TestWebApi::forgedRepliesAreNotTaken()
{
    QFETCH(QString, to);
    QFETCH(bool, samePort);
    QFETCH(QByteArray, reply);
    QFETCH(int, status);
    UdpPeer quorvan;
    UdpPeer otherPort;
    quorvan.first = [&](const QNetworkDatagram &d) {
        (samePort ? quorvan : otherPort).send(reply, QHostAddress(to), quint16(d.senderPort()));
    };
    if (status == 200)
        quorvan.script = UdpPeer::always("Gbd1|1|7:05:00|1|Real ring|0|0|0|0");
    web::WebServer server({QHostAddress(QHostAddress::LocalHost).toIPv4Address(), quorvan.port()},
                          remote::Policy{300, 1}, [] { return kToken.toLatin1(); });
    QString error;
    QVERIFY2(server.listen(QHostAddress::LocalHost, 0, &error), qPrintable(error));
    const HttpReply r = exchange(server.port(), authorized("GET", "/api/alarm/1", server.port()));
    QTEST(r.status, "status");
    if (status == 200)
        QCOMPARE(r.json.value(QStringLiteral("alarm")).toObject().value(QStringLiteral("ring")).toString(),
                 QStringLiteral("Real ring"));
}

// The page itself holds no secret; it shows Quorvan's texts as text only.
void TestWebApi::pageNeedsNoToken()
{
    Rig rig;
    const HttpReply reply = exchange(rig.port(), request("GET", "/", rig.port(), {}, {}));
    QCOMPARE(reply.status, 200);
    const QString page = QString::fromUtf8(reply.body);
    QVERIFY(page.contains(QStringLiteral("Заглушить будильник")));
    QVERIFY(!page.contains(QStringLiteral("innerHTML")));
    QVERIFY(!page.contains(QStringLiteral("http://")) && !page.contains(QStringLiteral("https://")));
    // Its script is a file of its own: the policy runs no inline script.
    QVERIFY(reply.head.contains("script-src 'self';"));
    QVERIFY(!page.contains(QStringLiteral("<script>")));
    const HttpReply script = exchange(rig.port(), request("GET", "/app.js", rig.port(), {}, {}));
    QCOMPARE(script.status, 200);
    QVERIFY(script.body.contains("Bearer ") && !script.body.contains("innerHTML"));
    QVERIFY(rig.sim.heard.isEmpty());
}

QTEST_GUILESS_MAIN(TestWebApi)
#include "tst_web_api.moc"
