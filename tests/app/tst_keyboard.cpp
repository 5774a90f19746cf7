// The window from the keyboard alone: Tab order, the tab strip's keys, time
// editing, the skin arrows, the link texts and "Выйти", each path compared
// with the mouse path that does the same, and the focus mark.

#include "user_window.h"

#include "app/keyboard.h"

#include <QImage>

namespace {

const QString kSkins = QStringLiteral("reply:Gsk?|0|56|53|Classic|0|0|0|0|1|a.xyz|b.xyz|c.xyz");
const QString kFirstSkin = QStringLiteral("reply:Gsk?|0|56|0|Classic|0|0|0|0|0|a.xyz|b.xyz|c.xyz");

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void tabOrder_data();
    void tabOrder();
    void tabStripKeys_data();
    void tabStripKeys();
    void sameAsMouse_data();
    void sameAsMouse();
    void focusMark_data();
    void focusMark();
    void debugStripReachedOnceShown();
};

void TestKeyboard::tabOrder_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("visits");

    const QStringList server{"chkAutoping", "cmbServer", "txtIp", "txtPort"};
    QStringList alarms{"txtBudOtkl", "txtBudStop", "chkAutoActiveSet", "cmdBudAll"};
    for (int n = 1; n <= 4; ++n)
        for (const char *name : {"lblBudTime", "chkBudActive", "txtBudRing", "cmdBudGet", "cmdBudSet"})
            alarms << QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(n);
    const QStringList face{"cmdGetFace", "cmdSaveAll", "scrlSkin", "txtSkin", "scrlStyle", "txtStyle",
                           "chkTrans", "cmbTrans", "txtTransMin", "txtTransMax", "cmdTransSet", "cmbBright",
                           "txtBrightMin", "txtBrightMax", "cmdBrightSet", "chkFace(0)", "chkFace(1)",
                           "chkFace(2)", "chkFace(3)"};
    const QStringList exit{"cmdExit"};

    QTest::newRow("Скины") << 0 << server + QStringList{"lblTab(0)"} + face + exit;
    QTest::newRow("Будильники") << 1 << server + QStringList{"lblTab(1)"} + alarms + exit;
    QTest::newRow("Надписи") << 2 << server + QStringList{"lblTab(2)"} + exit;
    QTest::newRow("no tab selected") << 7 << server + QStringList{"lblTab(0)"} + exit;
}

// Around the window and back to the start, and backwards the same way.
void TestKeyboard::tabOrder()
{
    QFETCH(int, page);
    QFETCH(QStringList, visits);
    UserWindow w(UserWindow::onPage(page));
    QVERIFY(w.isActive());
    QVERIFY(w.run({"focus:chkAutoping"}));
    QStringList seen{w.focusName()};
    for (int i = 0; i < visits.size(); ++i) {
        QTest::keyClick(w.focus(), Qt::Key_Tab);
        seen << w.focusName();
    }
    QCOMPARE(seen, visits + QStringList{"chkAutoping"});
    QStringList back{w.focusName()};
    for (int i = 0; i < visits.size(); ++i) {
        QTest::keyClick(w.focus(), Qt::Key_Backtab, Qt::ShiftModifier);
        back.prepend(w.focusName());
    }
    QCOMPARE(back, visits + QStringList{"chkAutoping"});
    QVERIFY(w.takeSent().isEmpty());
}

void TestKeyboard::tabStripKeys_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("focusAfter");

    QTest::newRow("Ctrl+Tab from inside a page") << 1 << "txtBudRing(1)" << "Ctrl+Tab" << 2 << "lblTab(2)";
    QTest::newRow("Ctrl+Tab wraps") << 2 << "lblTab(2)" << "Ctrl+Tab" << 0 << "lblTab(0)";
    QTest::newRow("Ctrl+Shift+Tab as Backtab") << 0 << "cmdGetFace" << "Ctrl+Shift+Backtab" << 2 << "lblTab(2)";
    QTest::newRow("Ctrl+Shift+Tab as Tab") << 1 << "lblTab(1)" << "Ctrl+Shift+Tab" << 0 << "lblTab(0)";
    QTest::newRow("Ctrl+1 leaves the server bar") << 1 << "txtIp" << "Ctrl+1" << 0 << "txtIp";
    QTest::newRow("Ctrl+3 leaves Выйти") << 0 << "cmdExit" << "Ctrl+3" << 2 << "cmdExit";
    QTest::newRow("Ctrl+2 on its own tab") << 1 << "lblTab(1)" << "Ctrl+2" << 1 << "lblTab(1)";
    QTest::newRow("Right") << 0 << "lblTab(0)" << "Right" << 1 << "lblTab(1)";
    QTest::newRow("Left stops at the first") << 0 << "lblTab(0)" << "Left" << 0 << "lblTab(0)";
    QTest::newRow("Right stops at the last") << 2 << "lblTab(2)" << "Right" << 2 << "lblTab(2)";
    QTest::newRow("End") << 0 << "lblTab(0)" << "End" << 2 << "lblTab(2)";
    QTest::newRow("Home") << 2 << "lblTab(2)" << "Home" << 0 << "lblTab(0)";
    QTest::newRow("Ctrl+Tab with none selected") << 7 << "txtIp" << "Ctrl+Tab" << 0 << "txtIp";
    QTest::newRow("Ctrl+Shift+Tab with none selected") << 7 << "lblTab(0)" << "Ctrl+Shift+Tab" << 2 << "lblTab(2)";
    QTest::newRow("Right with none selected") << 7 << "lblTab(0)" << "Right" << 1 << "lblTab(1)";
}

void TestKeyboard::tabStripKeys()
{
    QFETCH(int, page);
    QFETCH(QString, focus);
    QFETCH(QString, key);
    QFETCH(int, selected);
    QFETCH(QString, focusAfter);
    UserWindow w(UserWindow::onPage(page));
    QVERIFY(w.isActive());
    QVERIFY(w.run({"focus:" + focus, "key:" + key}));
    QCOMPARE(w.state().iFrameSelect, qint16(selected));
    QCOMPARE(w.focusName(), focusAfter);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(w.get<QWidget>("framTab", i)->isVisible(), i == selected);
        // Tab comes back to the strip at the selected tab only.
        QCOMPARE(w.get<QWidget>("lblTab", i)->focusPolicy(), i == selected ? Qt::TabFocus : Qt::NoFocus);
    }
    QVERIFY(w.takeSent().isEmpty());
}

void TestKeyboard::sameAsMouse_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QStringList>("mouse");
    QTest::addColumn<QStringList>("keys");

    const QByteArray alarms = UserWindow::onPage(1);
    const QByteArray face = UserWindow::onPage(0);
    QTest::newRow("tab by Ctrl+Tab") << alarms << QStringList{"click:lblTab(2)"} << QStringList{"key:Ctrl+Tab"};
    QTest::newRow("tab by Ctrl+1") << alarms << QStringList{"click:lblTab(0)"} << QStringList{"key:Ctrl+1"};
    QTest::newRow("tab by arrow") << face << QStringList{"click:lblTab(1)"}
                                  << QStringList{"focus:lblTab(0)", "key:Right"};
    for (const char *open : {"Return", "Enter", "F2"})
        QTest::newRow(qPrintable(QStringLiteral("time taken and stored, opened by %1").arg(QLatin1String(open))))
            << alarms
            << QStringList{"click:lblBudTime(2)@left", "type:7:30", "key:Return", "click:cmdBudSet(2)"}
            << QStringList{"focus:lblBudTime(2)", "key:" + QLatin1String(open), "type:7:30", "key:Return",
                           "key:Space"};
    QTest::newRow("time dropped by Escape")
        << alarms << QStringList{"click:lblBudTime(3)@left", "type:9:15", "key:Escape", "click:cmdBudSet(3)"}
        << QStringList{"focus:lblBudTime(3)", "key:F2", "type:9:15", "key:Escape", "focus:cmdBudSet(3)", "key:Space"};
    QTest::newRow("invalid time stays open") << alarms << QStringList{"click:lblBudTime(1)@left", "key:Return"}
                                             << QStringList{"focus:lblBudTime(1)", "key:F2", "key:Return"};
    QTest::newRow("skin back") << face << QStringList{kSkins, "click:scrlSkin@left"}
                               << QStringList{kSkins, "focus:scrlSkin", "key:Left"};
    QTest::newRow("skin on") << face << QStringList{kSkins, "click:scrlSkin@right"}
                             << QStringList{kSkins, "focus:scrlSkin", "key:Right"};
    QTest::newRow("skin back from the first wraps") << face << QStringList{kFirstSkin, "click:scrlSkin@left"}
                                                    << QStringList{kFirstSkin, "focus:scrlSkin", "key:Left"};
    QTest::newRow("style on") << face << QStringList{kSkins, "click:scrlStyle@right"}
                              << QStringList{kSkins, "focus:scrlStyle", "key:Right"};
    QTest::newRow("skin arrows do not jump to the ends")
        << face << QStringList{kSkins} << QStringList{kSkins, "focus:scrlSkin", "key:Home", "key:End"};
    QTest::newRow("Заглушить by Enter") << alarms << QStringList{"click:txtBudStop"}
                                        << QStringList{"focus:txtBudStop", "key:Return"};
    QTest::newRow("Откл/Вкл by Space") << alarms << QStringList{"click:txtBudOtkl"}
                                       << QStringList{"focus:txtBudOtkl", "key:Space"};
    QTest::newRow("read one alarm") << alarms << QStringList{"click:cmdBudGet(3)"}
                                    << QStringList{"focus:cmdBudGet(3)", "key:Space"};
    QTest::newRow("Выйти") << face << QStringList{"click:cmdExit"} << QStringList{"focus:cmdExit", "key:Space"};
}

// The same user intent by mouse and by keys: the same datagrams, the same
// window afterwards.
void TestKeyboard::sameAsMouse()
{
    QFETCH(QByteArray, settings);
    QFETCH(QStringList, mouse);
    QFETCH(QStringList, keys);
    QString failed;
    QStringList byMouse;
    {
        UserWindow w(settings);
        QVERIFY(w.isActive());
        QVERIFY2(w.run(mouse, &failed), qPrintable(failed));
        byMouse = w.outcome();
    }
    UserWindow w(settings);
    QVERIFY(w.isActive());
    QVERIFY2(w.run(keys, &failed), qPrintable(failed));
    QCOMPARE(w.outcome(), byMouse);
}

void TestKeyboard::focusMark_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("before"); // the control Tab leaves for it
    QTest::addColumn<QString>("control");

    QTest::newRow("tab") << 1 << "txtPort" << "lblTab(1)";
    QTest::newRow("alarm time") << 1 << "cmdBudAll" << "lblBudTime(1)";
    QTest::newRow("link text") << 1 << "txtBudOtkl" << "txtBudStop";
    QTest::newRow("skin arrows") << 0 << "cmdSaveAll" << "scrlSkin";
}

// A control reached with Tab looks different from itself once Tab has
// left it again.
void TestKeyboard::focusMark()
{
    QFETCH(int, page);
    QFETCH(QString, before);
    QFETCH(QString, control);
    UserWindow w(UserWindow::onPage(page));
    QVERIFY(w.isActive());
    QWidget *target = w.widget(control);
    QVERIFY(w.run({"focus:" + before, "key:Tab"}));
    QCOMPARE(w.focusName(), control);
    const QImage marked = target->grab().toImage();
    QVERIFY(w.run({"key:Tab"}));
    QVERIFY(!target->hasFocus());
    QVERIFY(target->grab().toImage() != marked);
}

void TestKeyboard::debugStripReachedOnceShown()
{
    UserWindow w;
    QVERIFY(w.isActive());
    QVERIFY(w.run({"focus:cmdExit", "key:Tab"}));
    QCOMPARE(w.focusName(), QStringLiteral("chkAutoping")); // past the strip beyond the edge
    w.window().resize(w.widget("cmdSendExit")->geometry().right() + 10, w.window().height());
    QVERIFY(w.run({"focus:cmdExit", "key:Tab"}));
    QCOMPARE(w.focusName(), QStringLiteral("txtMsg"));
    QVERIFY(w.run({"click:txtDebug"}));
    QCOMPARE(w.focusName(), QStringLiteral("txtDebug"));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
