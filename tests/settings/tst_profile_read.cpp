// Reading keys through the profile layer from real files.

#include "settings/profile_file.h"
#include "settings/read_cache.h"
#include "temp_files.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

using testfiles::raw;

const QByteArray kDefault = "DEF";

} // namespace

class TestProfileRead : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void missingOrUnreadableFile();
    void defaultIsCutLikeAValue();
    void hugeFileReadsItsStart();
    void cacheReadsOnceUntilWritten();

private:
    QTemporaryDir m_dir;
};

void TestProfileRead::read_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray s = "General";
    const QByteArray k = "AutoPing";
    QTest::newRow("crlf") << raw("[General]\r\nAutoPing=0\r\n") << s << k << QByteArray("0");
    QTest::newRow("lf") << raw("[General]\nAutoPing=0\n") << s << k << QByteArray("0");
    QTest::newRow("no final line ending") << raw("[General]\nAutoPing=0") << s << k << QByteArray("0");
    QTest::newRow("names in other case") << raw("[gENERAL]\nAUTOPING=0\n") << QByteArray("general")
                                         << QByteArray("autoPing") << QByteArray("0");
    QTest::newRow("blanks around names and value")
        << raw(" \t[ General ] \r\n \tAutoPing \t= \t0 \t\r\n") << s << k << QByteArray("0");
    QTest::newRow("blanks around requested names")
        << raw("[General]\nAutoPing=0\n") << QByteArray(" General\t") << QByteArray(" AutoPing ")
        << QByteArray("0");
    QTest::newRow("blanks inside value kept")
        << raw("[General]\nClockIP_1= 10.0.0.1 | Dev box \n") << s << QByteArray("ClockIP_1")
        << QByteArray("10.0.0.1 | Dev box");
    QTest::newRow("empty value is not the default") << raw("[General]\nClockIP_2=\n") << s
                                                    << QByteArray("ClockIP_2") << QByteArray("");
    QTest::newRow("value holding =") << raw("[General]\nAutoPing=a=b\n") << s << k << QByteArray("a=b");
    QTest::newRow("double quotes dropped") << raw("[General]\nAutoPing=\"1\"\n") << s << k << QByteArray("1");
    QTest::newRow("single quotes dropped") << raw("[General]\nAutoPing=' a '\n") << s << k << QByteArray(" a ");
    QTest::newRow("unmatched quote kept") << raw("[General]\nAutoPing=\"1\n") << s << k << QByteArray("\"1");
    QTest::newRow("254 characters whole") << "[General]\nAutoPing=" + QByteArray(254, 'x') + "\n" << s
                                          << k << QByteArray(254, 'x');
    QTest::newRow("300 characters cut to 254") << "[General]\nAutoPing=" + QByteArray(300, 'y') << s
                                               << k << QByteArray(254, 'y');
    QTest::newRow("missing key") << raw("[General]\nFrameSelect=2\n") << s << k << kDefault;
    QTest::newRow("missing section") << raw("[Other]\nAutoPing=0\n") << s << k << kDefault;
    QTest::newRow("key of the next section") << raw("[Other]\nAutoPing=0\n[General]\nX=1\n") << s << k << kDefault;
    QTest::newRow("key before any header") << raw("AutoPing=0\n[General]\n") << s << k << kDefault;
    QTest::newRow("first duplicate wins") << raw("[General]\nAutoPing=0\nautoping=1\n") << s << k << QByteArray("0");
    QTest::newRow("section named twice") << raw("[General]\nA=1\n[Other]\nAutoPing=2\n[general]\nAutoPing=0\n")
                                         << s << k << QByteArray("0");
    QTest::newRow("line without =") << raw("[General]\nAutoPing\nAutoPing=5\n") << s << k << QByteArray("5");
    QTest::newRow("comment line") << raw("[General]\n;AutoPing=9\n") << s << QByteArray(";AutoPing") << kDefault;
    QTest::newRow("empty name") << raw("[General]\n=4\n") << s << QByteArray("") << kDefault;
    QTest::newRow("text after ]") << raw("[General] ; main\nAutoPing=0\n") << s << k << QByteArray("0");
    QTest::newRow("header without ]") << raw("[General\nAutoPing=0\n") << s << k << QByteArray("0");
    QTest::newRow("header without ] starts its own section")
        << raw("[General]\nA=1\n[Broken\nAutoPing=0\n") << s << k << kDefault;
    QTest::newRow("garbage around")
        << raw("\x01\xFF\x80[\x00\xFE=\x7F\r\r\n\xC0\xC1==\n[General]\nAutoPing=0\n\xFF\xFE\x00") << s << k
        << QByteArray("0");
    QTest::newRow("NUL ends a value") << raw("[General]\nAutoPing=7\0junk\n") << s << k << QByteArray("7");
    QTest::newRow("NUL inside a name") << raw("[General]\nAuto\0Ping=5\nAutoPing=6\n") << s << k << QByteArray("6");
    QTest::newRow("NUL inside a header") << raw("[Gen\0eral]\nAutoPing=5\n[General]\nAutoPing=6\n") << s << k
                                         << QByteArray("6");
    QTest::newRow("NUL line") << raw("[General]\n\0\0\0\nAutoPing=6\n") << s << k << QByteArray("6");
    QTest::newRow("UTF-8 byte-order mark") << raw("\xEF\xBB\xBF[General]\r\nAutoPing=0\r\n") << s << k
                                           << QByteArray("0");
}

void TestProfileRead::read()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, expected);

    QVERIFY(m_dir.isValid());
    const QString path = m_dir.filePath(QStringLiteral("read.cfg"));
    QVERIFY(testfiles::writeBytes(path, content));
    QCOMPARE(profile::readString(section, key, kDefault, path), expected);
}

void TestProfileRead::missingOrUnreadableFile()
{
    QCOMPARE(profile::readString("General", "AutoPing", "1", m_dir.filePath(QStringLiteral("none.cfg"))),
             QByteArray("1"));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("none.cfg"))));
    // A folder in place of the file.
    QCOMPARE(profile::readString("General", "AutoPing", "1", m_dir.path()), QByteArray("1"));
    QCOMPARE(profile::readString("General", "AutoPing", "1", QString()), QByteArray("1"));
}

void TestProfileRead::defaultIsCutLikeAValue()
{
    const QString path = m_dir.filePath(QStringLiteral("none.cfg"));
    QCOMPARE(profile::readString("General", "K", QByteArray(300, 'd'), path), QByteArray(254, 'd'));
    QCOMPARE(profile::readString("General", "K", raw("ab\0cd"), path), QByteArray("ab"));
}

void TestProfileRead::hugeFileReadsItsStart()
{
    QByteArray content = "[General]\r\nAutoPing=0\r\n";
    const QByteArray filler = "; " + QByteArray(1000, '-') + "\r\n";
    while (content.size() <= profile::kMaxFileSize)
        content += filler;
    // The size cap falls after "FrameSelect=12": that line must not be read
    // half, and keys beyond the cap are out of reach.
    content.insert(profile::kMaxFileSize - 16, "\r\nFrameSelect=123456789\r\n");
    content += "AutoActiveSet=0\r\n";

    const QString path = m_dir.filePath(QStringLiteral("huge.cfg"));
    QVERIFY(testfiles::writeBytes(path, content));
    QCOMPARE(profile::readString("General", "AutoPing", "1", path), QByteArray("0"));
    QCOMPARE(profile::readString("General", "FrameSelect", "9", path), QByteArray("9"));
    QCOMPARE(profile::readString("General", "AutoActiveSet", "1", path), QByteArray("1"));
}

// A changed file on disk shows whether a read went to the disk again.
void TestProfileRead::cacheReadsOnceUntilWritten()
{
    const QString path = m_dir.filePath(QStringLiteral("cached.cfg"));
    const QString other = m_dir.filePath(QStringLiteral("other.cfg"));
    QVERIFY(testfiles::writeBytes(path, "[General]\nAutoPing=0\nFrameSelect=2\n"));
    QVERIFY(testfiles::writeBytes(other, "[General]\nAutoPing=0\n"));
    {
        const profile::ReadCache once(path);
        QCOMPARE(profile::readString("General", "AutoPing", "1", path), QByteArray("0"));
        QVERIFY(testfiles::writeBytes(path, "[General]\nAutoPing=7\n"));
        QVERIFY(testfiles::writeBytes(other, "[General]\nAutoPing=7\n"));
        QCOMPARE(profile::readString("General", "FrameSelect", "1", path), QByteArray("2")); // the first reading
        QCOMPARE(profile::readString("General", "AutoPing", "1", other), QByteArray("7"));   // not cached
        // A write through the layer is seen by the next read.
        QVERIFY(profile::writeString("General", "AutoActiveSet", "0", path));
        QCOMPARE(profile::readString("General", "AutoPing", "1", path), QByteArray("7"));
        QCOMPARE(profile::readString("General", "AutoActiveSet", "1", path), QByteArray("0"));
    }
    QVERIFY(testfiles::writeBytes(path, "[General]\nAutoPing=3\n"));
    QCOMPARE(profile::readString("General", "AutoPing", "1", path), QByteArray("3")); // gone with its scope
    const QString none = m_dir.filePath(QStringLiteral("none.cfg"));
    const profile::ReadCache missing(none);
    QCOMPARE(profile::readString("General", "AutoPing", "1", none), QByteArray("1"));
}

QTEST_GUILESS_MAIN(TestProfileRead)
#include "tst_profile_read.moc"
