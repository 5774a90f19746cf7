// Writing keys through the profile layer into real files: what changes,
// what stays byte for byte, and what is refused without harm.

#include "settings/profile_file.h"
#include "os_files.h"
#include "temp_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

using testfiles::raw;

const QByteArray kPlain = "; top\r\n[General]\r\nAutoPing=1\r\n";

} // namespace

class TestProfileWrite : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void write_data();
    void write();
    void refused_data();
    void refused();
    void nowhereToWrite();
    void lockedFolder_data();
    void lockedFolder();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path() const { return m_dir->filePath(QStringLiteral("w.cfg")); }
};

void TestProfileWrite::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestProfileWrite::write_data()
{
    QTest::addColumn<QByteArray>("before"); // null: no file yet
    QTest::addColumn<QByteArray>("value");  // of AutoPing in [General]
    QTest::addColumn<QByteArray>("after");

    const auto row = [](const char *name, const QByteArray &before, const QByteArray &after,
                        const QByteArray &value = "0") { QTest::newRow(name) << before << value << after; };
    row("new file", QByteArray(), "[General]\r\nAutoPing=0\r\n");
    row("empty file", "", "[General]\r\nAutoPing=0\r\n");
    row("only a byte-order mark", "\xEF\xBB\xBF", "\xEF\xBB\xBF[General]\r\nAutoPing=0\r\n");
    row("new section, crlf", "[Other]\r\nB=2\r\n", "[Other]\r\nB=2\r\n[General]\r\nAutoPing=0\r\n");
    row("new section, lf", "[Other]\nB=2\n\n", "[Other]\nB=2\n\n[General]\nAutoPing=0\n");
    row("new section, no final line ending", "[Other]\nB=2", "[Other]\nB=2\n[General]\nAutoPing=0\n");
    row("new key after the last key line", "[General]\r\nA=1\r\nnoise\r\n\r\n; note\r\n[Other]\r\nB=2\r\n",
        "[General]\r\nA=1\r\nAutoPing=0\r\nnoise\r\n\r\n; note\r\n[Other]\r\nB=2\r\n");
    row("new key in a section without keys", "[General]\n\n[Other]\n", "[General]\nAutoPing=0\n\n[Other]\n");
    row("new key, header is the last line", "[General]", "[General]\r\nAutoPing=0\r\n");
    row("new key, key line is the last line", "[General]\nA=1", "[General]\nA=1\nAutoPing=0\n");
    row("new key in the first of two sections", "[General]\nA=1\n[x]\n[GENERAL]\nB=2\n",
        "[General]\nA=1\nAutoPing=0\n[x]\n[GENERAL]\nB=2\n");
    row("replace, crlf",
        "; top\r\n[General]\r\nClockIP_1=10.0.0.5|Dev\r\nAutoPing=1\r\nX=y\r\n\r\n[Other]\r\nAutoPing=7\r\n",
        "; top\r\n[General]\r\nClockIP_1=10.0.0.5|Dev\r\nAutoPing=0\r\nX=y\r\n\r\n[Other]\r\nAutoPing=7\r\n");
    row("replace, lf", "[Other]\nAutoPing=7\n[General]\nAutoPing=1\nX=y",
        "[Other]\nAutoPing=7\n[General]\nAutoPing=0\nX=y");
    row("replace keeps spelling and blanks", "[ general ]\n  autoping =  1  \t\n", "[ general ]\n  autoping =  0\n");
    row("replace a longer value", "[General]\nAutoPing=1\nZ=9\n", "[General]\nAutoPing=-12345\nZ=9\n", "-12345");
    row("replace an empty value", "[General]\r\nAutoPing=\r\n", "[General]\r\nAutoPing=0\r\n");
    row("replace the first duplicate", "[General]\nAutoPing=1\nAutoPing=2\n", "[General]\nAutoPing=0\nAutoPing=2\n");
    row("replace in a section named twice", "[General]\nA=1\n[General]\nAutoPing=1\n",
        "[General]\nA=1\n[General]\nAutoPing=0\n");
    row("replace under a header without ]", "[General\nAutoPing=1\n", "[General\nAutoPing=0\n");
    row("garbage kept", raw("\x01\xFF\0junk\n[General]\nAutoPing=1\0x\n\0\x80tail"),
        raw("\x01\xFF\0junk\n[General]\nAutoPing=0\n\0\x80tail"));
    row("byte-order mark kept", "\xEF\xBB\xBF[General]\r\nAutoPing=1\r\n", "\xEF\xBB\xBF[General]\r\nAutoPing=0\r\n");
    row("same value", kPlain, kPlain, "1");
}

// Every write leaves the one file behind, no temporary file beside it; one
// that changes nothing leaves even the file as it was.
void TestProfileWrite::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, after);

    if (!before.isNull())
        QVERIFY(testfiles::writeBytes(path(), before));
    const quint64 id = testfiles::fileId(path());
    QVERIFY(profile::writeString("General", "AutoPing", value, path()));
    QCOMPARE(testfiles::readBytes(path()), after);
    if (after == before)
        QCOMPARE(testfiles::fileId(path()), id); // not even replaced by an equal copy
    QCOMPARE(profile::readString("General", "AutoPing", "DEF", path()), value);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("w.cfg")});
}

void TestProfileWrite::refused_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");

    const auto row = [](const char *name, const QByteArray &section, const QByteArray &key,
                        const QByteArray &value, const QByteArray &before = kPlain) {
        QTest::newRow(name) << before << section << key << value;
    };
    row("LF in value", "General", "AutoPing", "0\n[Evil]");
    row("CR in value", "General", "AutoPing", "0\rX=1");
    row("NUL in value", "General", "AutoPing", raw("0\0"));
    row("LF in key", "General", "A\nB", "0");
    row("= in key", "General", "A=B", "0");
    row("key like a header", "General", "[A", "0");
    row("key like a comment", "General", ";A", "0");
    row("blank key", "General", " \t", "0");
    row("empty section", "", "AutoPing", "0");
    row("] in section", "Gen]eral", "AutoPing", "0");
    // What cannot be read whole cannot be rewritten without losing data.
    row("file over the size cap", "General", "AutoPing", "0", kPlain + QByteArray(profile::kMaxFileSize, 'z'));
}

void TestProfileWrite::refused()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);

    QVERIFY(testfiles::writeBytes(path(), before));
    QVERIFY(!profile::writeString(section, key, value, path()));
    QCOMPARE(testfiles::readBytes(path()), before);
}

// A folder where the file should be, or a folder missing on the way to it:
// nothing is written and nothing made.
void TestProfileWrite::nowhereToWrite()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("w.cfg")));
    QVERIFY(!profile::writeString("General", "AutoPing", "0", path()));
    QVERIFY(QFileInfo(path()).isDir());
    QVERIFY(!profile::writeString("General", "AutoPing", "0", m_dir->filePath(QStringLiteral("no/such/w.cfg"))));
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("no"))));
}

void TestProfileWrite::lockedFolder_data()
{
    QTest::addColumn<bool>("folderOpen");
    QTest::addColumn<int>("file"); // 0 none, 1 writable, 2 read-only
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("sameFile"); // rewritten in place rather than replaced

    QTest::newRow("open folder, file") << true << 1 << true << false;
    QTest::newRow("open folder, no file") << true << 0 << true << false;
    QTest::newRow("locked folder, writable file") << false << 1 << true << true;
    QTest::newRow("locked folder, no file") << false << 0 << false << false;
    QTest::newRow("locked folder, read-only file") << false << 2 << false << true;
}

// Folder and file permissions as an ordinary user meets them; root, whom
// they do not bind, is checked as "nobody" for the time of the writes.
void TestProfileWrite::lockedFolder()
{
    QFETCH(bool, folderOpen);
    QFETCH(int, file);
    QFETCH(bool, written);
    QFETCH(bool, sameFile);
    if (!folderOpen && !testfiles::canLockFolders())
        QSKIP("QFile::setPermissions cannot lock a folder here");
    using P = QFile::Permission;
    const QString sub = m_dir->filePath(QStringLiteral("folder"));
    const QString cfg = sub + QStringLiteral("/w.cfg");
    QVERIFY(QDir().mkdir(sub));
    QVERIFY(QFile::setPermissions(m_dir->path(), P::ReadOwner | P::WriteOwner | P::ExeOwner | P::ReadOther | P::ExeOther));
    if (file != 0) {
        QVERIFY(testfiles::writeBytes(cfg, kPlain));
        const auto anyoneReads = P::ReadOwner | P::ReadGroup | P::ReadOther;
        QVERIFY(QFile::setPermissions(cfg, file == 1 ? anyoneReads | P::WriteOwner | P::WriteGroup | P::WriteOther
                                                     : anyoneReads));
    }
    const auto folderAccess = P::ReadOwner | P::ExeOwner | P::ReadOther | P::ExeOther;
    QVERIFY(QFile::setPermissions(sub, folderOpen ? folderAccess | P::WriteOwner | P::WriteOther : folderAccess));
    const auto idBefore = testfiles::fileId(cfg);

    bool ok = false;
    {
        const testfiles::AsOrdinaryUser user;
        QVERIFY(user.isOrdinary());
        ok = profile::writeString("General", "AutoPing", "0", cfg);
    }
    QFile::setPermissions(sub, folderAccess | P::WriteOwner);

    QCOMPARE(ok, written);
    QByteArray expected = file ? kPlain : QByteArray();
    if (written)
        expected = file ? QByteArray("; top\r\n[General]\r\nAutoPing=0\r\n") : QByteArray("[General]\r\nAutoPing=0\r\n");
    QCOMPARE(testfiles::readBytes(cfg), expected);
    if (file != 0)
        QCOMPARE(testfiles::fileId(cfg) == idBefore, sameFile);
    QCOMPARE(QDir(sub).entryList(QDir::Files | QDir::Hidden).size(), written || file ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestProfileWrite)
#include "tst_profile_write.moc"
