// The pieces of dalvimo-web that need no network: the request reader's
// bounds, fed as a socket delivers (in pieces), and the token file.

#include "web/http_request.h"
#include "web/pairing.h"
#include "web/token_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
    const QString first = store.obtain(false, &error);
    QVERIFY2(first.size() >= 43, qPrintable(error));
    QVERIFY(ownerOnly(file));
    QCOMPARE(store.obtain(false, &error), first); // kept across starts
    const QString renewed = store.obtain(true, &error);
    QVERIFY(renewed != first); // --new-token revokes
    QCOMPARE(store.obtain(false, &error), renewed);
    QVERIFY(ownerOnly(file));

    // A file that holds no token is replaced by a fresh one.
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<script>\n");
    f.close();
    const QString fresh = store.obtain(false, &error);
    QVERIFY(fresh != renewed && fresh.size() >= 43);
    QVERIFY(web::TokenStore::make() != web::TokenStore::make());
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
