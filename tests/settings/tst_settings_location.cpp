// Where the settings file lies, over real folders: a program folder that
// is or is not the install's, with or without a file beside the executable.

#include "settings/ini_class.h"
#include "settings/settings_keys.h"
#include "settings/settings_location.h"
#include "os_files.h"
#include "temp_files.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestSettingsLocation : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void rule_data();
    void rule();
    void installFolderInOtherLetterCase();
    void driveRootHasOneSeparator();
    void installedWritesOnlyIntoUserFolder();
    void thisBuildsInstallFolder();
    void runningExecutableIsThisProgram();

private:
    QString path(const QString &rel) const { return m_dir->filePath(rel); }
    std::unique_ptr<QTemporaryDir> m_dir;
    bool m_linked = false;
};

// Every case has the same folders: "usr/bin" is the install's program
// folder, "unpacked" some other folder, "link" a symbolic link to usr/bin,
// and "home/.config/dalvimo" (not yet made) the user's folder. Windows has
// no link without rights; its rows are skipped there.
void TestSettingsLocation::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(path(QStringLiteral("usr/bin"))));
    QVERIFY(QDir().mkpath(path(QStringLiteral("unpacked"))));
    m_linked = testfiles::linkFolder(path(QStringLiteral("usr/bin")), path(QStringLiteral("link")));
    QVERIFY(testfiles::writeBytes(path(QStringLiteral("usr/bin/dalvimo")), "exe"));
    QVERIFY(testfiles::writeBytes(path(QStringLiteral("unpacked/dalvimo")), "exe"));
}

void TestSettingsLocation::rule_data()
{
    QTest::addColumn<QString>("exe");         // relative to the temporary folder
    QTest::addColumn<QString>("installDir");  // likewise; empty: none compiled in
    QTest::addColumn<QString>("fileBeside");  // made before the rule is asked; empty: none
    QTest::addColumn<QString>("expected");

    const QString user = QStringLiteral("home/.config/dalvimo/dalvimo.cfg");
    QTest::newRow("copy elsewhere, first start") << "unpacked/dalvimo" << "usr/bin" << "" << "unpacked/dalvimo.cfg";
    QTest::newRow("copy elsewhere with its file") << "unpacked/dalvimo" << "usr/bin" << "unpacked/dalvimo.cfg"
                                                  << "unpacked/dalvimo.cfg";
    QTest::newRow("copy elsewhere, shared file in install folder")
        << "unpacked/dalvimo" << "usr/bin" << "usr/bin/dalvimo.cfg" << "unpacked/dalvimo.cfg";
    QTest::newRow("installed, no file beside") << "usr/bin/dalvimo" << "usr/bin" << "" << user;
    QTest::newRow("installed with a file beside") << "usr/bin/dalvimo" << "usr/bin" << "usr/bin/dalvimo.cfg"
                                                  << "usr/bin/dalvimo.cfg";
    QTest::newRow("installed, run through a link") << "link/dalvimo" << "usr/bin" << "" << user;
    QTest::newRow("install folder named through a link") << "usr/bin/dalvimo" << "link" << "" << user;
    QTest::newRow("install folder with a trailing separator") << "usr/bin/dalvimo" << "usr/bin/" << "" << user;
    QTest::newRow("install folder not cleaned") << "usr/bin/dalvimo" << "usr/./bin/../bin" << "" << user;
    QTest::newRow("no install folder compiled in") << "usr/bin/dalvimo" << "" << "" << "usr/bin/dalvimo.cfg";
    QTest::newRow("another name takes its own file") << "unpacked/Dalvimo.x86" << "usr/bin" << ""
                                                     << "unpacked/Dalvimo.cfg";
    QTest::newRow("Windows program, unpacked") << "unpacked/dalvimo.exe" << "usr/bin" << "" << "unpacked/dalvimo.cfg";
    QTest::newRow("Windows program, installed") << "usr/bin/dalvimo.exe" << "usr/bin" << "" << user;
}

void TestSettingsLocation::rule()
{
    QFETCH(QString, exe);
    QFETCH(QString, installDir);
    QFETCH(QString, fileBeside);
    QFETCH(QString, expected);
    if (!m_linked && (exe.startsWith(u"link/") || installDir == u"link"))
        QSKIP("no folder links on this system");
    if (!fileBeside.isEmpty())
        QVERIFY(testfiles::writeBytes(path(fileBeside), "[General]\n"));

    // In the platform's own separators, as an installer records the folder.
    const QString installPath = installDir.isEmpty() ? QString() : QDir::toNativeSeparators(path(installDir));
    const QString got = settings::settingsFilePath(path(exe), installPath,
                                                   path(QStringLiteral("home/.config/dalvimo")));
    QCOMPARE(got, path(expected));
}

// The installer records its folder in the letter case the user typed; where
// the file system ignores case, that is the same folder.
void TestSettingsLocation::installFolderInOtherLetterCase()
{
    const QString other = path(QStringLiteral("USR/Bin"));
    const bool sameFolder = QFileInfo::exists(other);
    const QString got = settings::settingsFilePath(path(QStringLiteral("usr/bin/dalvimo.exe")),
                                                   QDir::toNativeSeparators(other), path(QStringLiteral("home")));
    QCOMPARE(got, path(sameFolder ? QStringLiteral("home/dalvimo.cfg") : QStringLiteral("usr/bin/dalvimo.cfg")));
}

void TestSettingsLocation::driveRootHasOneSeparator()
{
    const QString root = QDir::rootPath(); // "/", or "C:/"
    QCOMPARE(settings::settingsFilePath(root + QStringLiteral("dalvimo"), {}, {}), root + QStringLiteral("dalvimo.cfg"));
    QCOMPARE(settings::settingsFilePath(root + QStringLiteral("dalvimo"), root, root + QStringLiteral("home/u/")),
             root + QStringLiteral("home/u/dalvimo.cfg"));
}

// As shut-down does it: the folder is made, then the keys are written. The
// program folder gains nothing, whoever runs the program (root included).
void TestSettingsLocation::installedWritesOnlyIntoUserFolder()
{
    const QString bin = path(QStringLiteral("usr/bin"));
    const QString user = path(QStringLiteral("home/.config/dalvimo"));
    const QString file = settings::settingsFilePath(bin + QStringLiteral("/dalvimo"), bin, user);
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("home"))));

    settings::makeSettingsFolder(file);
    INI_Class ini;
    ini.WriteInIKey(settings::kSectionGeneral, settings::kKeyFrameSelect, QStringLiteral("0"), file);

    QCOMPARE(QDir(bin).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("dalvimo")});
    QCOMPARE(testfiles::readBytes(user + QStringLiteral("/dalvimo.cfg")), QByteArray("[General]\r\nFrameSelect=0\r\n"));
    // The next start finds the same file, which holds the change.
    QCOMPARE(settings::settingsFilePath(bin + QStringLiteral("/dalvimo"), bin, user), file);
    QCOMPARE(ini.ReadINIKey(settings::kSectionGeneral, settings::kKeyFrameSelect, file, QStringLiteral("1")),
             QStringLiteral("0"));
}

// This build's own rule knows the installed program's folder (the one it was
// built for, or on Windows the one the installer recorded) and sends the
// program there to the user's folder; any other copy keeps its file beside it.
void TestSettingsLocation::thisBuildsInstallFolder()
{
    QStandardPaths::setTestModeEnabled(true);
    const testfiles::InstalledFolder installed(path(QStringLiteral("usr/bin")));
    if (!installed.isValid())
        QSKIP("Dalvimo is installed for this user");
    const QString bin = installed.path();
    if (QFileInfo::exists(bin + QStringLiteral("/dalvimo.cfg")))
        QSKIP("A settings file lies in the install folder of this machine");
    QCOMPARE(settings::settingsFilePath(bin + QStringLiteral("/dalvimo")), installed.userSettingsFile());
    QCOMPARE(settings::settingsFilePath(path(QStringLiteral("unpacked/dalvimo"))),
             path(QStringLiteral("unpacked/dalvimo.cfg")));
}

// Known before there is an application object, as the window's command line
// needs it: the program itself, however it was started.
void TestSettingsLocation::runningExecutableIsThisProgram()
{
    QCOMPARE(settings::runningExecutable(), QCoreApplication::applicationFilePath());
}

QTEST_GUILESS_MAIN(TestSettingsLocation)
#include "tst_settings_location.moc"
