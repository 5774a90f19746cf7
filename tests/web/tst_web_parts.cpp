// The pieces of dalvimo-web that need no network: the request reader's
// bounds, fed as a socket delivers (in pieces), the token file, the
// request budget.

#include "web/connection_table.h"
#include "web/http_request.h"
#include "web/pairing.h"
#include "web/request_budget.h"
#include "web/token_store.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using web::RequestReader;

namespace {

// Owner-only: read and write for the user, nothing for group or others.
bool ownerOnly(const QString &file)
{
    const QFileDevice::Permissions p = QFile::permissions(file);
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    return (p & others) == 0 && p.testFlag(QFileDevice::ReadOwner) && p.testFlag(QFileDevice::WriteOwner);
}

} // namespace

class TestWebParts : public QObject {
    Q_OBJECT
private slots:
    void reader_data();
    void reader();
    void token();
    void refusedTokenFile_data();
    void refusedTokenFile();
    void budget_data();
    void budget();
    void pairing();
};

void TestWebParts::reader_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<int>("state");
    QTest::addColumn<QByteArray>("body");

    const QByteArray head = "POST /api/silence?x=1 HTTP/1.1\r\nHost: a\r\n";
    const auto row = [](const char *name, const QByteArray &raw, RequestReader::State state,
                        const QByteArray &body = {}) {
        QTest::newRow(name) << raw << int(state) << body;
    };
    row("no body", "GET / HTTP/1.1\r\nHost: a\r\n\r\n", RequestReader::Complete);
    row("body", head + "Content-Length: 2\r\n\r\n{}", RequestReader::Complete, "{}");
    row("body still coming", head + "Content-Length: 3\r\n\r\n{}", RequestReader::Incomplete);
    row("head still coming", head, RequestReader::Incomplete);
    row("declared too long", head + "Content-Length: 4097\r\n\r\n", RequestReader::TooLarge);
    row("huge length", head + "Content-Length: 99999999999999999999\r\n\r\n", RequestReader::TooLarge);
    row("endless head", "GET / HTTP/1.1\r\nX: " + QByteArray(9000, 'a'), RequestReader::TooLarge);
    row("negative length", head + "Content-Length: -1\r\n\r\n", RequestReader::Malformed);
    row("two lengths", head + "Content-Length: 0\r\ncontent-length: 5\r\n\r\n", RequestReader::Malformed);
    row("chunked", head + "Transfer-Encoding: chunked\r\n\r\n", RequestReader::Malformed);
    row("second request behind", head + "Content-Length: 0\r\n\r\nGET / HTTP/1.1\r\n\r\n", RequestReader::Complete);
    row("not HTTP", "HELLO\r\n\r\n", RequestReader::Malformed);
    row("absolute target", "GET http://x/ HTTP/1.1\r\n\r\n", RequestReader::Malformed);
    // What another reader on the way could take apart otherwise.
    row("blank before a colon", head + "Content-Length : 2\r\n\r\n{}", RequestReader::Malformed);
    row("folded line", head + "X-A: 1\r\n  continued\r\n\r\n", RequestReader::Malformed);
    row("bare CR in a value", head + "X-A: 1\rContent-Length: 2\r\n\r\n{}", RequestReader::Malformed);
    row("HTTP/2 preface", "PRI * HTTP/2.0\r\n\r\nSM\r\n\r\n", RequestReader::Malformed);
    row("tab in the target", "GET /a\tb HTTP/1.1\r\n\r\n", RequestReader::Malformed);
}

void TestWebParts::reader()
{
    QFETCH(QByteArray, raw);
    QFETCH(int, state);
    QFETCH(QByteArray, body);
    // Whole, and a byte at a time: the outcome is the same.
    RequestReader whole;
    QCOMPARE(int(whole.feed(raw)), state);
    RequestReader bytes;
    for (const char c : raw)
        bytes.feed(QByteArray(1, c));
    QCOMPARE(int(bytes.state()), state);
    if (state == RequestReader::Complete) {
        QCOMPARE(whole.request().body, body);
        QCOMPARE(bytes.request().body, body);
        QVERIFY(!whole.request().path.contains('?'));
    }
}

void TestWebParts::token()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sub/dalvimo-web.token"));
    web::TokenStore store(file);
    QString error;
    const QString first = store.obtain(&error);
    QVERIFY2(first.size() == 43, qPrintable(error));
    QVERIFY(ownerOnly(file));
    QCOMPARE(store.obtain(&error), first); // kept across starts
    QCOMPARE(store.current(&error), first.toLatin1());
    const QString renewed = store.renew(&error);
    QVERIFY(renewed.size() == 43 && renewed != first); // --new-token revokes
    QCOMPARE(store.current(&error), renewed.toLatin1());
    QVERIFY(ownerOnly(file));
    QVERIFY(store.restore(&error)); // a revocation that did not take puts the old token back
    QCOMPARE(store.obtain(&error), first);
    QVERIFY(ownerOnly(file));
    QCOMPARE(QDir(dir.filePath(QStringLiteral("sub"))).entryList(QDir::Files), QStringList{"dalvimo-web.token"});
    QVERIFY(web::TokenStore::make() != web::TokenStore::make());
}

// A token file that is not this program's own is refused with the reason
// and left as it is; --new-token replaces only a regular file.
void TestWebParts::refusedTokenFile_data()
{
    QTest::addColumn<QString>("kind");       // what stands in the file's place
    QTest::addColumn<QByteArray>("content"); // a file's, or the link's target's
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("why"); // a part of the message

    const QByteArray good = web::TokenStore::make().toLatin1() + '\n';
    QTest::newRow("0644") << "file" << good << 0644 << "chmod 600";
    QTest::newRow("0666") << "file" << good << 0666 << "права 0666";
    QTest::newRow("link to another file") << "link" << good << 0644 << "символическая ссылка";
    QTest::newRow("FIFO") << "fifo" << QByteArray() << 0 << "канал";
    QTest::newRow("directory") << "dir" << QByteArray() << 0 << "каталог";
    QTest::newRow("device") << "device" << QByteArray() << 0 << "устройство";
    QTest::newRow("another user's") << "foreign" << good << 0600 << "другому пользователю";
    QTest::newRow("32 a") << "file" << QByteArray(32, 'a') << 0600 << "не ключ";
    QTest::newRow("bad alphabet") << "file" << QByteArray(43, '*') << 0600 << "не ключ";
    QTest::newRow("empty") << "file" << QByteArray() << 0600 << "пуст";
}

void TestWebParts::refusedTokenFile()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, content);
    QFETCH(int, mode);
    QFETCH(QString, why);

    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("other"));
    // /dev/null, as root, was once replaced by a regular file.
    const QString file = kind == u"device" ? QStringLiteral("/dev/null") : dir.filePath(QStringLiteral("token"));
    if (kind == u"file" || kind == u"link" || kind == u"foreign") {
        QFile f(kind == u"link" ? target : file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
        f.close();
        QCOMPARE(::chmod(QFile::encodeName(f.fileName()).constData(), mode_t(mode)), 0);
    }
    if (kind == u"foreign" && ::chown(QFile::encodeName(file).constData(), 65534, 65534) != 0)
        QSKIP("giving a file to another user needs root");
    if (kind == u"link")
        QVERIFY(QFile::link(target, file));
    if (kind == u"fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    if (kind == u"dir")
        QVERIFY(QDir().mkdir(file));
    struct stat before = {};
    QCOMPARE(::lstat(QFile::encodeName(file).constData(), &before), 0);

    web::TokenStore store(file);
    QString error;
    QVERIFY(store.obtain(&error).isEmpty() && store.current(&error).isEmpty());
    QVERIFY2(error.contains(why), qPrintable(error));
    QCOMPARE(store.renew(&error).isEmpty(), kind != u"file");
    struct stat after = {};
    QCOMPARE(::lstat(QFile::encodeName(file).constData(), &after), 0);
    if (kind == u"file") {
        QVERIFY(ownerOnly(file));
    } else {
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mode, before.st_mode);
    }
    if (kind == u"link") { // never written through the link
        QFile t(target);
        QVERIFY(t.open(QIODevice::ReadOnly));
        QCOMPARE(t.readAll(), content);
        QVERIFY(QFile::permissions(target).testFlag(QFileDevice::ReadOther));
    }
}

// Times in ms; "+" marks a request that may go ahead, "-" one refused.
void TestWebParts::budget_data()
{
    QTest::addColumn<int>("tracked"); // clients the table keeps
    QTest::addColumn<QStringList>("requests"); // "CLIENT@MS"
    QTest::addColumn<QString>("outcome");

    QTest::newRow("two a minute") << 8 << QStringList{"a@0", "a@10", "a@20", "b@30", "a@59999", "a@60000", "a@60001"}
                                  << "++-+-+-";
    // Newcomers beyond the table's size never free a spent budget.
    QStringList flood{"a@0", "a@1", "a@2"};
    for (int i = 0; i < 20; ++i)
        flood << QStringLiteral("n%1@%2").arg(i).arg(10 + i);
    flood << "a@100" << "n0@101" << "n0@102" << "n0@103";
    QTest::newRow("many newcomers") << 8 << flood << "++-" + QString(20, u'+') + "-++-";
    // Nor do clients whose window has passed take room from those in it.
    QTest::newRow("passed windows make room")
        << 2 << QStringList{"a@0", "a@1", "b@50000", "c@60001", "b@60002", "b@60003"} << "+++++-";
}

void TestWebParts::budget()
{
    QFETCH(int, tracked);
    QFETCH(QStringList, requests);
    QFETCH(QString, outcome);
    web::RequestBudget budget(2, 60000, tracked);
    QString got;
    for (const QString &r : requests)
        got += budget.take(r.section(u'@', 0, 0).toLatin1(), r.section(u'@', 1).toLongLong()) ? u'+' : u'-';
    QCOMPARE(got, outcome);
    QVERIFY(budget.clients() <= tracked);

    // One client is one address, whichever kind of socket saw it.
    using web::ConnectionTable;
    QCOMPARE(ConnectionTable::clientKey(QHostAddress(QStringLiteral("192.0.2.7"))),
             ConnectionTable::clientKey(QHostAddress(QStringLiteral("::ffff:192.0.2.7"))));
    QVERIFY(ConnectionTable::clientKey(QHostAddress(QStringLiteral("2001:db8::1")))
            != ConnectionTable::clientKey(QHostAddress(QStringLiteral("2001:db8::2"))));
}

void TestWebParts::pairing()
{
    const QString address = web::pairingAddress(QHostAddress(QStringLiteral("127.0.0.1")), 8180, QStringLiteral("abc"));
    QCOMPARE(address, QStringLiteral("http://127.0.0.1:8180/#token=abc"));
    const QStringList qr = web::qrLines(address);
    QVERIFY(qr.size() > 10);
    for (const QString &line : qr)
        QCOMPARE(line.size(), qr.first().size()); // square, each line as wide as the code
    QCOMPARE(web::reachableAddresses(QHostAddress(QStringLiteral("127.0.0.5"))),
             QList<QHostAddress>{QHostAddress(QStringLiteral("127.0.0.5"))});
}

QTEST_GUILESS_MAIN(TestWebParts)
#include "tst_web_parts.moc"
