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
    void noFile();
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

    const auto row = [](const char *name, const QByteArray &content, const QByteArray &expected,
                        const QByteArray &section = "General", const QByteArray &key = "AutoPing") {
        QTest::newRow(name) << content << section << key << expected;
    };
    row("crlf", "[General]\r\nAutoPing=0\r\n", "0");
    row("lf", "[General]\nAutoPing=0\n", "0");
    row("no final line ending", "[General]\nAutoPing=0", "0");
    row("stray CR before CR LF", "[General]\r\nAutoPing=0\r\r\n", "0");
    row("names in other case", "[gENERAL]\nAUTOPING=0\n", "0", "general", "autoPing");
    row("blanks around names and value", " \t[ General ] \r\n \tAutoPing \t= \t0 \t\r\n", "0");
    row("blanks around requested names", "[General]\nAutoPing=0\n", "0", " General\t", " AutoPing ");
    row("blanks inside value kept", "[General]\nClockIP_1= 10.0.0.1 | Dev box \n", "10.0.0.1 | Dev box", "General",
        "ClockIP_1");
    row("empty value is not the default", "[General]\nClockIP_2=\n", "", "General", "ClockIP_2");
    row("value holding =", "[General]\nAutoPing=a=b\n", "a=b");
    row("double quotes dropped", "[General]\nAutoPing=\"1\"\n", "1");
    row("single quotes dropped", "[General]\nAutoPing=' a '\n", " a ");
    row("unmatched quote kept", "[General]\nAutoPing=\"1\n", "\"1");
    row("254 characters whole", "[General]\nAutoPing=" + QByteArray(254, 'x') + "\n", QByteArray(254, 'x'));
    row("300 characters cut to 254", "[General]\nAutoPing=" + QByteArray(300, 'y'), QByteArray(254, 'y'));
    row("missing key", "[General]\nFrameSelect=2\n", kDefault);
    row("missing section", "[Other]\nAutoPing=0\n", kDefault);
    row("key of the next section", "[Other]\nAutoPing=0\n[General]\nX=1\n", kDefault);
    row("key before any header", "AutoPing=0\n[General]\n", kDefault);
    row("first duplicate wins", "[General]\nAutoPing=0\nautoping=1\n", "0");
    row("section named twice", "[General]\nA=1\n[Other]\nAutoPing=2\n[general]\nAutoPing=0\n", "0");
    row("line without =", "[General]\nAutoPing\nAutoPing=5\n", "5");
    row("comment line", "[General]\n;AutoPing=9\n", kDefault, "General", ";AutoPing");
    row("empty name", "[General]\n=4\n", kDefault, "General", "");
    row("text after ]", "[General] ; main\nAutoPing=0\n", "0");
    row("header without ]", "[General\nAutoPing=0\n", "0");
    row("header without ] starts its own section", "[General]\nA=1\n[Broken\nAutoPing=0\n", kDefault);
    row("garbage around", raw("\x01\xFF\x80[\x00\xFE=\x7F\r\r\n\xC0\xC1==\n[General]\nAutoPing=0\n\xFF\xFE\x00"), "0");
    row("NUL ends a value", raw("[General]\nAutoPing=7\0junk\n"), "7");
    row("NUL inside a name", raw("[General]\nAuto\0Ping=5\nAutoPing=6\n"), "6");
    row("NUL inside a header", raw("[Gen\0eral]\nAutoPing=5\n[General]\nAutoPing=6\n"), "6");
    row("NUL line", raw("[General]\n\0\0\0\nAutoPing=6\n"), "6");
    row("UTF-8 byte-order mark", "\xEF\xBB\xBF[General]\r\nAutoPing=0\r\n", "0");
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

// No file, a folder in its place, or no name at all: the default, cut as a
// value read from a file would be.
void TestProfileRead::noFile()
{
    const QString none = m_dir.filePath(QStringLiteral("none.cfg"));
    for (const QString &path : {none, m_dir.path(), QString()})
        QCOMPARE(profile::readString("General", "AutoPing", "1", path), QByteArray("1"));
    QVERIFY(!QFile::exists(none));
    QCOMPARE(profile::readString("General", "K", QByteArray(300, 'd'), none), QByteArray(254, 'd'));
    QCOMPARE(profile::readString("General", "K", raw("ab\0cd"), none), QByteArray("ab"));
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
