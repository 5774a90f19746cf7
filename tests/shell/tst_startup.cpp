// Start-up and shut-down against real settings files beside a test copy of
// the window.

#include "client_fixture.h"

#include "settings/ini_class.h"
#include "shell/toolkit.h"

#include <QFile>
#include <QTest>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void defaultsWithoutSettingsFile();
};

void TestStartup::defaultsWithoutSettingsFile()
{
    ClientFixture c(QByteArray{}); // no file at all
    QCOMPARE(c.state().sCfgFile, c.cfgFile());
    QCOMPARE(c.get<tk::CheckBox>("chkAutoping")->Value(), 1);
    QCOMPARE(c.get<tk::CheckBox>("chkAutoActiveSet")->Value(), 1);
    QCOMPARE(c.state().iFrameSelect, qint16(1));
    QVERIFY(c.get<QWidget>("framTab", 1)->isVisibleTo(&c.window()));
    QVERIFY(!c.get<QWidget>("framTab", 0)->isVisibleTo(&c.window()));
    QCOMPARE(c.get<tk::ComboBox>("cmbServer")->ListIndex(), -1);
    QVERIFY(c.state().bIpValid);
    QVERIFY(!QFile::exists(c.cfgFile())); // start-up never creates it
    for (int i = 1; i <= 4; ++i)
        QVERIFY(c.get<tk::TextBox>("txtBudTime", i));

    c.window().close();
    QFile f(c.cfgFile());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("[General]\r\nSelectIPNum=0\r\nAutoPing=1\r\nAutoActiveSet=1\r\nFrameSelect=1\r\n"));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
