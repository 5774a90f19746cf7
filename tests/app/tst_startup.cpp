// Start-up and shut-down against real settings files beside a test copy of
// the window.

#include "client_fixture.h"

#include "common/ansi.h"
#include "app/frm_main_ui.h"
#include "app/server_list.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/text_box.h"
#include "toolkit/controls/timer.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QUdpSocket>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QWidget *visiblePage(ClientFixture &c)
{
    for (int i = 0; i < 3; ++i)
        if (auto *page = c.get<QWidget>("framTab", i); page->isVisibleTo(&c.window()))
            return page;
    return nullptr;
}

const design::Control &rowOf(const QString &name)
{
    const auto &rows = app::MainUi::rows();
    return *std::find_if(rows.begin(), rows.end(), [&](const design::Control &r) { return r.name == name; });
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void restoresSettings_data();
    void restoresSettings();
    void writesFourKeysOnClose_data();
    void writesFourKeysOnClose();
    void handWrittenFileChangesOnlyTheWrittenValues();
    void garbageFileStillStarts_data();
    void garbageFileStillStarts();
    void widgetsAreWhatTheirRowsSay();
    void runTimeControls();
    void windowShowsPagesAndExitOnly();
    void firstPingGoesOutBeforeTheWindowShows();
};

void TestStartup::restoresSettings_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<int>("page"); // -1: none visible
    QTest::addColumn<int>("autoPing");
    QTest::addColumn<int>("autoActive");

    QTest::newRow("no file") << QByteArray() << 0 << -1 << "127.0.0.1" << 1 << 1 << 1;
    QTest::newRow("only SelectIPNum=0") << QByteArray("[General]\nSelectIPNum=0\n") << 0 << -1 << "127.0.0.1"
                                        << 1 << 1 << 1;
    QTest::newRow("entry chosen") << QByteArray("[General]\nClockIP_1=10.0.0.5|Кухня\nClockIP_2=10.0.0.6\n"
                                                "SelectIPNum=2\nFrameSelect=0\nAutoPing=0\nAutoActiveSet=0\n")
                                  << 2 << 1 << "10.0.0.6" << 0 << 0 << 0;
    QTest::newRow("gap ends the list") << QByteArray("[General]\nClockIP_1=10.0.0.1\nClockIP_3=10.0.0.3\n")
                                       << 1 << 0 << "10.0.0.1" << 1 << 1 << 1;
    QTest::newRow("empty value ends the list")
        << QByteArray("[General]\nClockIP_1=10.0.0.1\nClockIP_2=\nClockIP_3=10.0.0.3\nSelectIPNum=1\n") << 1 << 0
        << "10.0.0.1" << 1 << 1 << 1;
    QTest::newRow("nine entries, no tenth")
        << QByteArray("[General]\nClockIP_1=1.1.1.1\nClockIP_2=1.1.1.2\nClockIP_3=1.1.1.3\nClockIP_4=1.1.1.4\n"
                      "ClockIP_5=1.1.1.5\nClockIP_6=1.1.1.6\nClockIP_7=1.1.1.7\nClockIP_8=1.1.1.8\n"
                      "ClockIP_9=1.1.1.9\nClockIP_10=1.1.1.10\nSelectIPNum=9\n")
        << 9 << 8 << "1.1.1.9" << 1 << 1 << 1;
    QTest::newRow("names in other letter case") << QByteArray("[general]\nclockip_1 = 10.1.1.1 \nselectipnum=1\n"
                                                              "FRAMESELECT=2\nautoping=0\n")
                                                << 1 << 0 << "10.1.1.1" << 2 << 0 << 1;
    QTest::newRow("FrameSelect names no tab") << QByteArray("[General]\nFrameSelect=7\n") << 0 << -1
                                              << "127.0.0.1" << -1 << 1 << 1;
    QTest::newRow("SelectIPNum beyond the list") << QByteArray("[General]\nClockIP_1=10.0.0.1\nSelectIPNum=5\n")
                                                 << 1 << -1 << "127.0.0.1" << 1 << 1 << 1;
    QTest::newRow("values that are no integers")
        << QByteArray("[General]\nClockIP_1=10.0.0.1\nSelectIPNum=x\nFrameSelect=1.5\nAutoPing=on\n"
                      "AutoActiveSet=99999999999\n")
        << 1 << -1 << "127.0.0.1" << 1 << 1 << 1;
    QTest::newRow("switch values outside the box") << QByteArray("[General]\nAutoPing=7\nAutoActiveSet=2\n") << 0
                                                   << -1 << "127.0.0.1" << 1 << 1 << 2;
}

void TestStartup::restoresSettings()
{
    QFETCH(QByteArray, settings);
    QFETCH(int, entries);
    QFETCH(int, listIndex);
    QFETCH(QString, ip);
    QFETCH(int, page);
    QFETCH(int, autoPing);
    QFETCH(int, autoActive);

    ClientFixture c(settings);
    QCOMPARE(c.window().servers().sServers().size(), qsizetype(entries));
    auto *cmb = c.get<tk::ComboBox>("cmbServer");
    QCOMPARE(cmb->count(), entries);
    QCOMPARE(cmb->ListIndex(), listIndex);
    QCOMPARE(c.get<tk::TextBox>("txtIp")->text(), ip);
    QVERIFY(c.state().bIpValid);
    QVERIFY(c.state().bInitPending); // the first echo will fetch everything
    QCOMPARE(visiblePage(c), page < 0 ? nullptr : c.get<QWidget>("framTab", page));
    QCOMPARE(c.get<tk::CheckBox>("chkAutoping")->Value(), autoPing);
    QCOMPARE(c.get<tk::CheckBox>("chkAutoActiveSet")->Value(), autoActive);
    QCOMPARE(c.get<tk::Timer>("tmr", 0)->Enabled(), autoPing == 1);
    QVERIFY(!c.state().bLockEvents);
    QCOMPARE(c.get<QLabel>("lblSkin")->text(), QString());
    QCOMPARE(c.get<QLabel>("lblStyle")->text(), QStringLiteral("54/57"));
    if (!settings.isNull())
        QCOMPARE(fileBytes(c.cfgFile()), settings); // start-up only reads
    else
        QVERIFY(!QFile::exists(c.cfgFile()));
}

void TestStartup::writesFourKeysOnClose_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("exitButton");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray fresh("[General]\r\nSelectIPNum=0\r\nAutoPing=1\r\nAutoActiveSet=1\r\nFrameSelect=1\r\n");
    QTest::newRow("no file, Выйти") << QByteArray() << true << fresh;
    QTest::newRow("no file, close box") << QByteArray() << false << fresh;
    QTest::newRow("FrameSelect=7 kept") << QByteArray("[General]\r\nFrameSelect=7\r\n") << true
                                        << QByteArray("[General]\r\nFrameSelect=7\r\nSelectIPNum=0\r\n"
                                                      "AutoPing=1\r\nAutoActiveSet=1\r\n");
    QTest::newRow("entry 2 selected") << QByteArray("[General]\nClockIP_1=1.2.3.4\nClockIP_2=5.6.7.8\n"
                                                    "SelectIPNum=2\nAutoPing=0\n")
                                      << false
                                      << QByteArray("[General]\nClockIP_1=1.2.3.4\nClockIP_2=5.6.7.8\n"
                                                    "SelectIPNum=2\nAutoPing=0\nAutoActiveSet=1\nFrameSelect=1\n");
}

void TestStartup::writesFourKeysOnClose()
{
    QFETCH(QByteArray, settings);
    QFETCH(bool, exitButton);
    QFETCH(QByteArray, expected);

    ClientFixture c(settings);
    if (exitButton)
        QTest::mouseClick(c.get<tk::CheckBox>("cmdExit"), Qt::LeftButton);
    else
        c.window().close();
    QCOMPARE(fileBytes(c.cfgFile()), expected);
    QCOMPARE(c.get<tk::CheckBox>("cmdExit")->Value(), 0);
    QCOMPARE(c.get<tk::Timer>("tmr", 0)->Enabled(), false);
    QCOMPARE(c.get<QUdpSocket>("ws")->state(), QAbstractSocket::UnconnectedState);
}

void TestStartup::handWrittenFileChangesOnlyTheWrittenValues()
{
    // The file is Windows-1251 text, as a hand on that system writes it.
    const QByteArray before = ansi::encode(
        u"; Dalvimo\r\n[Other]\r\nAutoPing=9\r\n\r\n[general]\r\n"
        u"clockip_1 = 192.168.1.20|Гостиная\r\nSELECTIPNUM = 1\r\n; switches\r\n"
        u"autoping=1\r\nAutoActiveSet = 0\r\nframeselect=0\r\nExtra=keep me\r\n");
    ClientFixture c(before);
    QCOMPARE(c.get<tk::TextBox>("txtIp")->text(), QStringLiteral("192.168.1.20"));
    QCOMPARE(c.get<tk::ComboBox>("cmbServer")->itemText(0), QStringLiteral("Гостиная"));
    QCOMPARE(c.get<tk::CheckBox>("chkAutoActiveSet")->Value(), 0);
    QTest::mousePress(c.get<tk::Label>("lblTab", 2), Qt::LeftButton);
    c.get<tk::CheckBox>("chkAutoping")->setValue(0);
    c.window().close();

    QByteArray expected = before;
    expected.replace("autoping=1", "autoping=0").replace("frameselect=0", "frameselect=2");
    QCOMPARE(fileBytes(c.cfgFile()), expected);
}

void TestStartup::garbageFileStillStarts_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("frame");     // what start-up could still read
    QTest::addColumn<bool>("rewritten"); // whether shut-down may touch the file
    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 7919) & 0xFF);
    QTest::newRow("binary") << binary << 1 << true;
    QTest::newRow("no equals signs") << QByteArray("[General]\nClockIP_1\nFrameSelect\n") << 1 << true;
    QTest::newRow("header without bracket") << QByteArray("[General\nFrameSelect=2\n") << 2 << true;
    QTest::newRow("duplicate keys: the first counts") << QByteArray("[General]\nFrameSelect=0\nFrameSelect=2\n") << 0
                                                      << true;
    // Too large to read whole: never rewritten, so nothing of it is lost.
    QTest::newRow("huge") << QByteArray(6 * 1024 * 1024, 'x') << 1 << false;
}

void TestStartup::garbageFileStillStarts()
{
    QFETCH(QByteArray, settings);
    QFETCH(int, frame);
    QFETCH(bool, rewritten);
    ClientFixture c(settings);
    QCOMPARE(c.state().iFrameSelect, qint16(frame));
    QVERIFY(!c.state().bLockEvents);
    c.window().close(); // and shutting down does not crash either
    const QByteArray after = fileBytes(c.cfgFile());
    if (rewritten)
        QVERIFY(after.contains("AutoActiveSet=1"));
    else
        QCOMPARE(after, settings);
}

// Before start-up moves anything, each widget is what its row says: its
// place and size in twips at the screen's resolution, text, font, tool-tip,
// length limit, lock and visibility.
void TestStartup::widgetsAreWhatTheirRowsSay()
{
    ClientFixture c(ClientFixture::kQuietSettings, false);
    const double twipsPerPixel = 1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    const auto px = [&](int twips) { return qRound(twips / twipsPerPixel); };
    QStringList faults;
    for (const design::Control &row : app::MainUi::rows()) {
        auto *w = c.get<QWidget>(row.name, row.index);
        if (!w)
            continue; // a timer, the socket
        const auto fault = [&](const char *what) { faults << w->objectName() + QStringLiteral(": ") + what; };
        const QRect &t = row.twips;
        if (w->geometry() != QRect(px(t.x()), px(t.y()), px(t.width()), px(t.height())))
            fault("geometry");
        if (w->isHidden() == row.visible)
            fault("visibility");
        if (w->toolTip() != row.tip)
            fault("tool-tip");
        if ((row.font.points > 0 && w->font().pointSizeF() != row.font.points)
            || (!row.font.family.isEmpty() && w->font().bold() != row.font.bold))
            fault("font");
        if (auto *box = qobject_cast<tk::TextBox *>(w)) {
            if (box->text() != row.caption || box->isReadOnly() != (row.readOnly || row.kind == design::Kind::LinkText)
                || (row.maxLength > 0 && box->maxLength() != row.maxLength))
                fault("text, lock or length");
        } else if (auto *label = qobject_cast<QLabel *>(w); label && !row.picture && label->text() != row.caption) {
            fault("caption");
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

// The time editors 2..4 are copies of the designed one; all four lie on
// their labels, hidden.
void TestStartup::runTimeControls()
{
    ClientFixture c(ClientFixture::kQuietSettings, false);
    QVERIFY(!c.get<tk::TextBox>("txtBudTime", 2));
    QVERIFY(!c.get<tk::Timer>("tmr", 1));
    c.load();
    const design::Control &designed = rowOf(QStringLiteral("txtBudTime"));
    for (int i = 1; i <= 4; ++i) {
        auto *editor = c.get<tk::TextBox>("txtBudTime", i);
        auto *label = c.get<QWidget>("lblBudTime", i);
        QVERIFY(editor);
        QVERIFY(!editor->isVisibleTo(&c.window()));
        QCOMPARE(editor->geometry(), QRect(label->x() + 15, label->y(), 65, label->height()));
        QCOMPARE(editor->font().pointSizeF(), designed.font.points);
        QCOMPARE(editor->maxLength(), designed.maxLength);
        QCOMPARE(editor->text(), designed.caption);
    }
    QVERIFY(!c.get<tk::TextBox>("txtBudTime", 0));
    QVERIFY(!c.get<tk::TextBox>("txtBudTime", 5));
    QCOMPARE(c.get<tk::Timer>("tmr", 0)->Interval(), 2000);
    QCOMPARE(c.get<tk::Timer>("tmr", 1)->Interval(), 3000);
    QVERIFY(!c.get<tk::Timer>("tmr", 1)->Enabled());
    QCOMPARE(c.get<QUdpSocket>("ws")->state(), QAbstractSocket::BoundState);
    QVERIFY(c.get<QUdpSocket>("ws")->localPort() != 0);
}

void TestStartup::windowShowsPagesAndExitOnly()
{
    ClientFixture c;
    auto &w = c.window();
    const QRect page0 = c.get<QWidget>("framTab", 0)->geometry();
    QCOMPARE(w.width(), page0.right() + 1);
    QCOMPARE(w.height(), c.get<QWidget>("cmdExit")->geometry().bottom() + 1);
    for (int i = 1; i < 3; ++i)
        QCOMPARE(c.get<QWidget>("framTab", i)->geometry(), page0);
    for (const char *name : {"txtMsg", "txtDebug", "cmdDebugSend", "cmdSendExit"})
        QVERIFY2(c.get<QWidget>(QString::fromLatin1(name))->x() >= w.width(), name);
    QCOMPARE(w.windowTitle(), QStringLiteral("Dalvimo"));
    QVERIFY(!w.windowIcon().isNull());
}

void TestStartup::firstPingGoesOutBeforeTheWindowShows()
{
    UdpPeer server(QHostAddress(QHostAddress::LocalHost), 17777);
    if (!server.bound())
        QSKIP("port 17777 is in use on this machine");
    ClientFixture c(QByteArray{}); // AutoPing absent: on
    QVERIFY(!c.window().isVisible());
    QCOMPARE(server.take(), QStringList{QStringLiteral("ping")}); // already queued, and only that
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
