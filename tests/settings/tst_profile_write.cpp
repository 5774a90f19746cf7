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
    void oversizeFileIsLeftAlone();
    void folderInPlaceOfFile();
    void missingFolderIsSilent();
    void lockedFolder_data();
    void lockedFolder();
    void noTemporaryFilesLeft();

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
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("after");

    const QByteArray k = "AutoPing";
    const QByteArray v = "0";
    QTest::newRow("new file") << false << QByteArray() << k << v << raw("[General]\r\nAutoPing=0\r\n");
    QTest::newRow("empty file") << true << QByteArray() << k << v << raw("[General]\r\nAutoPing=0\r\n");
    QTest::newRow("only a byte-order mark") << true << raw("\xEF\xBB\xBF") << k << v
                                            << raw("\xEF\xBB\xBF[General]\r\nAutoPing=0\r\n");
    QTest::newRow("new section, crlf") << true << raw("[Other]\r\nB=2\r\n") << k << v
                                       << raw("[Other]\r\nB=2\r\n[General]\r\nAutoPing=0\r\n");
    QTest::newRow("new section, lf") << true << raw("[Other]\nB=2\n\n") << k << v
                                     << raw("[Other]\nB=2\n\n[General]\nAutoPing=0\n");
    QTest::newRow("new section, no final line ending") << true << raw("[Other]\nB=2") << k << v
                                                       << raw("[Other]\nB=2\n[General]\nAutoPing=0\n");
    QTest::newRow("new key after the last key line")
        << true << raw("[General]\r\nA=1\r\nnoise\r\n\r\n; note\r\n[Other]\r\nB=2\r\n") << k << v
        << raw("[General]\r\nA=1\r\nAutoPing=0\r\nnoise\r\n\r\n; note\r\n[Other]\r\nB=2\r\n");
    QTest::newRow("new key in a section without keys") << true << raw("[General]\n\n[Other]\n") << k << v
                                                       << raw("[General]\nAutoPing=0\n\n[Other]\n");
    QTest::newRow("new key, header is the last line") << true << raw("[General]") << k << v
                                                      << raw("[General]\r\nAutoPing=0\r\n");
    QTest::newRow("new key, key line is the last line") << true << raw("[General]\nA=1") << k << v
                                                        << raw("[General]\nA=1\nAutoPing=0\n");
    QTest::newRow("new key in the first of two sections")
        << true << raw("[General]\nA=1\n[x]\n[GENERAL]\nB=2\n") << k << v
        << raw("[General]\nA=1\nAutoPing=0\n[x]\n[GENERAL]\nB=2\n");
    QTest::newRow("replace, crlf")
        << true << raw("; top\r\n[General]\r\nClockIP_1=10.0.0.5|Dev\r\nAutoPing=1\r\nX=y\r\n\r\n[Other]\r\nAutoPing=7\r\n")
        << k << v
        << raw("; top\r\n[General]\r\nClockIP_1=10.0.0.5|Dev\r\nAutoPing=0\r\nX=y\r\n\r\n[Other]\r\nAutoPing=7\r\n");
    QTest::newRow("replace, lf") << true << raw("[Other]\nAutoPing=7\n[General]\nAutoPing=1\nX=y")
                                 << k << v << raw("[Other]\nAutoPing=7\n[General]\nAutoPing=0\nX=y");
    QTest::newRow("replace keeps spelling and blanks") << true << raw("[ general ]\n  autoping =  1  \t\n")
                                                       << k << v << raw("[ general ]\n  autoping =  0\n");
    QTest::newRow("replace a longer value") << true << raw("[General]\nAutoPing=1\nZ=9\n") << k
                                            << QByteArray("-12345") << raw("[General]\nAutoPing=-12345\nZ=9\n");
    QTest::newRow("replace an empty value") << true << raw("[General]\r\nAutoPing=\r\n") << k << v
                                            << raw("[General]\r\nAutoPing=0\r\n");
    QTest::newRow("replace the first duplicate") << true << raw("[General]\nAutoPing=1\nAutoPing=2\n") << k << v
                                                 << raw("[General]\nAutoPing=0\nAutoPing=2\n");
    QTest::newRow("replace in a section named twice") << true << raw("[General]\nA=1\n[General]\nAutoPing=1\n")
                                                      << k << v << raw("[General]\nA=1\n[General]\nAutoPing=0\n");
    QTest::newRow("replace under a header without ]") << true << raw("[General\nAutoPing=1\n") << k << v
                                                      << raw("[General\nAutoPing=0\n");
    QTest::newRow("garbage kept") << true << raw("\x01\xFF\0junk\n[General]\nAutoPing=1\0x\n\0\x80tail") << k << v
                                  << raw("\x01\xFF\0junk\n[General]\nAutoPing=0\n\0\x80tail");
    QTest::newRow("byte-order mark kept") << true << raw("\xEF\xBB\xBF[General]\r\nAutoPing=1\r\n") << k << v
                                          << raw("\xEF\xBB\xBF[General]\r\nAutoPing=0\r\n");
    QTest::newRow("same value") << true << kPlain << k << QByteArray("1") << kPlain;
}

void TestProfileWrite::write()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, after);

    if (exists)
        QVERIFY(testfiles::writeBytes(path(), before));
    QVERIFY(profile::writeString("General", key, value, path()));
    QCOMPARE(testfiles::readBytes(path()), after);
    QCOMPARE(profile::readString("General", key, "DEF", path()), value);
}

void TestProfileWrite::refused_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");

    QTest::newRow("LF in value") << QByteArray("General") << QByteArray("AutoPing") << raw("0\n[Evil]");
    QTest::newRow("CR in value") << QByteArray("General") << QByteArray("AutoPing") << raw("0\rX=1");
    QTest::newRow("NUL in value") << QByteArray("General") << QByteArray("AutoPing") << raw("0\0");
    QTest::newRow("LF in key") << QByteArray("General") << raw("A\nB") << QByteArray("0");
    QTest::newRow("= in key") << QByteArray("General") << QByteArray("A=B") << QByteArray("0");
    QTest::newRow("key like a header") << QByteArray("General") << QByteArray("[A") << QByteArray("0");
    QTest::newRow("key like a comment") << QByteArray("General") << QByteArray(";A") << QByteArray("0");
    QTest::newRow("blank key") << QByteArray("General") << QByteArray(" \t") << QByteArray("0");
    QTest::newRow("empty section") << QByteArray() << QByteArray("AutoPing") << QByteArray("0");
    QTest::newRow("] in section") << QByteArray("Gen]eral") << QByteArray("AutoPing") << QByteArray("0");
}

void TestProfileWrite::refused()
{
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);

    QVERIFY(testfiles::writeBytes(path(), kPlain));
    QVERIFY(!profile::writeString(section, key, value, path()));
    QCOMPARE(testfiles::readBytes(path()), kPlain);
}

void TestProfileWrite::oversizeFileIsLeftAlone()
{
    QByteArray content = kPlain;
    content += QByteArray(profile::kMaxFileSize, 'z');
    QVERIFY(testfiles::writeBytes(path(), content));
    QVERIFY(!profile::writeString("General", "AutoPing", "0", path()));
    QVERIFY(testfiles::readBytes(path()) == content);
}

void TestProfileWrite::folderInPlaceOfFile()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("w.cfg")));
    QVERIFY(!profile::writeString("General", "AutoPing", "0", path()));
    QVERIFY(QFileInfo(path()).isDir());
}

void TestProfileWrite::missingFolderIsSilent()
{
    const QString p = m_dir->filePath(QStringLiteral("no/such/folder/w.cfg"));
    QVERIFY(!profile::writeString("General", "AutoPing", "0", p));
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

void TestProfileWrite::noTemporaryFilesLeft()
{
    QVERIFY(profile::writeString("General", "AutoPing", "0", path()));
    QVERIFY(profile::writeString("General", "FrameSelect", "2", path()));
    QVERIFY(profile::writeString("General", "AutoPing", "1", path()));
    const QStringList entries = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QCOMPARE(entries, QStringList{QStringLiteral("w.cfg")});
}

QTEST_GUILESS_MAIN(TestProfileWrite)
#include "tst_profile_write.moc"
