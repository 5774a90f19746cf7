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
    QTest::newRow("no body") << QByteArray("GET / HTTP/1.1\r\nHost: a\r\n\r\n") << int(RequestReader::Complete)
                             << QByteArray();
    QTest::newRow("body") << QByteArray(head + "Content-Length: 2\r\n\r\n{}") << int(RequestReader::Complete)
                          << QByteArray("{}");
    QTest::newRow("body still coming") << QByteArray(head + "Content-Length: 3\r\n\r\n{}")
                                       << int(RequestReader::Incomplete) << QByteArray();
    QTest::newRow("head still coming") << QByteArray(head) << int(RequestReader::Incomplete) << QByteArray();
    QTest::newRow("declared too long") << QByteArray(head + "Content-Length: 4097\r\n\r\n")
                                       << int(RequestReader::TooLarge) << QByteArray();
    QTest::newRow("huge length") << QByteArray(head + "Content-Length: 99999999999999999999\r\n\r\n")
                                 << int(RequestReader::TooLarge) << QByteArray();
    QTest::newRow("endless head") << QByteArray("GET / HTTP/1.1\r\nX: " + QByteArray(9000, 'a'))
                                  << int(RequestReader::TooLarge) << QByteArray();
    QTest::newRow("negative length") << QByteArray(head + "Content-Length: -1\r\n\r\n")
                                     << int(RequestReader::Malformed) << QByteArray();
    QTest::newRow("two lengths") << QByteArray(head + "Content-Length: 0\r\ncontent-length: 5\r\n\r\n")
                                 << int(RequestReader::Malformed) << QByteArray();
    QTest::newRow("chunked") << QByteArray(head + "Transfer-Encoding: chunked\r\n\r\n")
                             << int(RequestReader::Malformed) << QByteArray();
    QTest::newRow("second request behind") << QByteArray(head + "Content-Length: 0\r\n\r\nGET / HTTP/1.1\r\n\r\n")
                                           << int(RequestReader::Complete) << QByteArray();
    QTest::newRow("not HTTP") << QByteArray("HELLO\r\n\r\n") << int(RequestReader::Malformed) << QByteArray();
    QTest::newRow("absolute target") << QByteArray("GET http://x/ HTTP/1.1\r\n\r\n")
                                     << int(RequestReader::Malformed) << QByteArray();
    // What another reader on the way could take apart otherwise.
    QTest::newRow("blank before a colon") << QByteArray(head + "Content-Length : 2\r\n\r\n{}")
                                          << int(RequestReader::Malformed) << QByteArray();
    QTest::newRow("folded line") << QByteArray(head + "X-A: 1\r\n  continued\r\n\r\n")
                                 << int(RequestReader::Malformed) << QByteArray();
    QTest::newRow("bare CR in a value") << QByteArray(head + "X-A: 1\rContent-Length: 2\r\n\r\n{}")
                                        << int(RequestReader::Malformed) << QByteArray();
    QTest::newRow("HTTP/2 preface") << QByteArray("PRI * HTTP/2.0\r\n\r\nSM\r\n\r\n")
                                    << int(RequestReader::Malformed) << QByteArray();
    QTest::newRow("tab in the target") << QByteArray("GET /a\tb HTTP/1.1\r\n\r\n") << int(RequestReader::Malformed)
                                       << QByteArray();
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
// and left as it is; --new-token replaces it only when it is a regular file.
void TestWebParts::refusedTokenFile_data()
{
    QTest::addColumn<QByteArray>("content"); // of the file, or of the link's target
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("kind"); // "file", "link", "fifo", "dir" or "device"
    QTest::addColumn<QString>("why");  // a part of the message
    QTest::addColumn<bool>("renewable");

    const QByteArray good = web::TokenStore::make().toLatin1() + '\n';
    QTest::newRow("0644") << good << 0644 << "file" << "chmod 600" << true;
    QTest::newRow("0666") << good << 0666 << "file" << "права 0666" << true;
    QTest::newRow("link to another file") << good << 0644 << "link" << "символическая ссылка" << false;
    QTest::newRow("FIFO") << QByteArray() << 0600 << "fifo" << "канал" << false;
    QTest::newRow("directory") << QByteArray() << 0700 << "dir" << "каталог" << false;
    QTest::newRow("device") << QByteArray() << 0666 << "device" << "устройство" << false;
    QTest::newRow("32 a") << QByteArray(32, 'a') << 0600 << "file" << "не ключ" << true;
    QTest::newRow("bad alphabet") << QByteArray(43, '*') << 0600 << "file" << "не ключ" << true;
    QTest::newRow("empty") << QByteArray() << 0600 << "file" << "пуст" << true;
}

void TestWebParts::refusedTokenFile()
{
    QFETCH(QByteArray, content);
    QFETCH(int, mode);
    QFETCH(QString, kind);
    QFETCH(QString, why);
    QFETCH(bool, renewable);

    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("dalvimo-web.token"));
    const QString target = dir.filePath(QStringLiteral("other"));
    const QByteArray path = QFile::encodeName(file);
    QFile f(kind == QLatin1String("link") ? target : file);
    if (kind == QLatin1String("file") || kind == QLatin1String("link")) {
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
        f.close();
        QCOMPARE(::chmod(QFile::encodeName(f.fileName()).constData(), mode_t(mode)), 0);
        if (kind == QLatin1String("link"))
            QVERIFY(QFile::link(target, file));
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(path.constData(), mode_t(mode)), 0);
    } else if (kind == QLatin1String("dir")) {
        QVERIFY(QDir().mkdir(file));
    } else {
        file = QStringLiteral("/dev/null"); // as root, once replaced by a regular file
    }
    struct stat before = {};
    QCOMPARE(::lstat(QFile::encodeName(file).constData(), &before), 0);

    web::TokenStore store(file);
    QString error;
    QVERIFY(store.obtain(&error).isEmpty());
    QVERIFY2(error.contains(why), qPrintable(error));
    if (kind == QLatin1String("file"))
        QVERIFY2(error.contains(QLatin1String("--new-token")) || error.contains(file), qPrintable(error));
    QVERIFY(store.current(&error).isEmpty());

    const QString renewed = store.renew(&error);
    QCOMPARE(!renewed.isEmpty(), renewable);
    struct stat after = {};
    QCOMPARE(::lstat(QFile::encodeName(file).constData(), &after), 0);
    if (renewable) {
        QVERIFY(ownerOnly(file));
        QCOMPARE(store.obtain(&error), renewed);
    } else {
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mode, before.st_mode);
    }
    if (kind == QLatin1String("link")) {
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), content); // the target is never written through the link
        QCOMPARE(int(QFile::permissions(target) & QFileDevice::ReadOther), int(QFileDevice::ReadOther));
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
