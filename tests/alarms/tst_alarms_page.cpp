// Alarm replies reaching the rows, and the exact texts of every alarm command
// as the server receives them.

#include "alarms_window.h"
#include "support/mouse.h"

class TestAlarmsPage : public QObject {
    Q_OBJECT
private slots:
    void replyFillsItsRowOnly();
    void listReplyStopsAtBrokenLine();
    void replyForMissingRowStoresRecordOnly();
    void setActiveBudLeavesLockFalse_data();
    void setActiveBudLeavesLockFalse();

    void setCommand_data();
    void setCommand();
    void activeFlag_data();
    void activeFlag();
    void readOneClearsRowSilently();
    void simpleCommands_data();
    void simpleCommands();
    void nothingLeavesWithInvalidAddress();
};

namespace {

const QString kRow2 = QStringLiteral("Gbd2|2|7:05:00|1|abc|0|0|0|0");

void compareRow(AlarmsWindow &w, int i, const QString &time, int active, const QString &ring)
{
    QCOMPARE(w.label(i)->text(), time);
    QCOMPARE(w.activeBox(i)->Value(), active);
    QCOMPARE(w.ring(i)->text(), ring);
}

void compareEmptyRow(AlarmsWindow &w, int i) { compareRow(w, i, QStringLiteral("?:??"), 0, QString()); }

} // namespace

void TestAlarmsPage::replyFillsItsRowOnly()
{
    AlarmsWindow w;
    QCOMPARE(w.box("chkAutoActiveSet")->Value(), 1);
    w.reply(kRow2);
    compareRow(w, 2, QStringLiteral("7:05"), 1, QStringLiteral("abc"));
    for (int i : {1, 3, 4})
        compareEmptyRow(w, i);
    QCOMPARE(w.page().Buds(2).dTime, QTime(7, 5));
    QVERIFY(w.takeSent().isEmpty()); // the ticked box did not echo Sbd2|1
    QVERIFY(!w.state().bLockEvents);
}

void TestAlarmsPage::listReplyStopsAtBrokenLine()
{
    AlarmsWindow w;
    w.reply(QStringLiteral("Gbd*|1|6:00:00|1|one|0|0|0|0\r\n"
                           "2|13:45:30|0|two|0|0|0|0\r\n"
                           "3|8:00:00|1|three|0|0|0\r\n" // seven fields
                           "4|9:00:00|1|four|0|0|0|0"));
    compareRow(w, 1, QStringLiteral("6:00"), 1, QStringLiteral("one"));
    compareRow(w, 2, QStringLiteral("13:45"), 0, QStringLiteral("two"));
    compareEmptyRow(w, 3);
    compareEmptyRow(w, 4);
    QCOMPARE(w.page().Buds(2).dTime, QTime(13, 45, 30)); // seconds kept, not shown
    QCOMPARE(w.page().Buds(3).sRing, QStringLiteral("three"));
    QCOMPARE(w.page().Buds(4).sRing, QString());
    QCOMPARE(w.resultLine(), QString()); // abandoned before "0k!"
    QVERIFY(w.takeSent().isEmpty());
    QVERIFY(!w.state().bLockEvents);
}

void TestAlarmsPage::replyForMissingRowStoresRecordOnly()
{
    AlarmsWindow w;
    w.reply(QStringLiteral("Gbd7|") + kRow2.mid(5)); // row 7, text of alarm 2
    QCOMPARE(w.page().Buds(2).sRing, QStringLiteral("abc"));
    for (int i = 1; i <= 4; ++i)
        compareEmptyRow(w, i);
    QCOMPARE(w.resultLine(), QString()); // a failure, not "0k!"
}

void TestAlarmsPage::setActiveBudLeavesLockFalse_data()
{
    QTest::addColumn<bool>("lockedBefore");
    QTest::addColumn<bool>("status");
    QTest::newRow("unlocked, tick") << false << true;
    QTest::newRow("locked, tick") << true << true;
    QTest::newRow("locked, untick") << true << false;
}

void TestAlarmsPage::setActiveBudLeavesLockFalse()
{
    QFETCH(bool, lockedBefore);
    QFETCH(bool, status);
    AlarmsWindow w;
    if (!status)
        w.reply(kRow2);
    w.state().bLockEvents = lockedBefore;
    w.page().SetActiveBud(2, status);
    QCOMPARE(w.activeBox(2)->Value(), status ? 1 : 0);
    QVERIFY(!w.state().bLockEvents);
    QVERIFY(w.takeSent().isEmpty());
}

void TestAlarmsPage::setCommand_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("ring");
    QTest::addColumn<QStringList>("sent");

    QTest::newRow("no ring, no trailing bar") << 1 << "7:05" << true << "" << QStringList{"Sbd1|7:5:0|1"};
    QTest::newRow("midnight, unticked") << 4 << "0:00" << false << "" << QStringList{"Sbd4|0:0:0|0"};
    QTest::newRow("4-char ring left out") << 2 << "13:45" << true << "abcd" << QStringList{"Sbd2|13:45:0|1"};
    QTest::newRow("5-char ring sent") << 2 << "13:45" << true << "abcde"
                                      << QStringList{"Sbd2|13:45:0|1|abcde"};
    QTest::newRow("ring with bars unchanged") << 3 << "23:59" << false << "a|b|c"
                                              << QStringList{"Sbd3|23:59:0|0|a|b|c"};
    QTest::newRow("unknown time") << 1 << "?:??" << true << "abcde" << QStringList{};
}

void TestAlarmsPage::setCommand()
{
    QFETCH(int, row);
    QFETCH(QString, caption);
    QFETCH(bool, ticked);
    QFETCH(QString, ring);
    QFETCH(QStringList, sent);
    AlarmsWindow w;
    w.label(row)->setText(caption);
    w.page().SetActiveBud(qint16(row), ticked);
    w.ring(row)->setText(ring);

    w.click(w.setButton(row));
    QCOMPARE(w.takeSent(), sent);
    QCOMPARE(w.setButton(row)->Value(), 0);
    if (sent.isEmpty()) // told why, on the result line
        QCOMPARE(w.resultLine(), QStringLiteral("Сначала задайте время будильника %1").arg(row));
    else
        QCOMPARE(w.resultLine(), QString());
}

void TestAlarmsPage::activeFlag_data()
{
    QTest::addColumn<int>("autoActive");
    QTest::addColumn<bool>("tickedBefore");
    QTest::addColumn<QStringList>("sent");
    QTest::newRow("auto on, tick") << 1 << false << QStringList{"Sbd3|1"};
    QTest::newRow("auto on, untick") << 1 << true << QStringList{"Sbd3|0"};
    QTest::newRow("auto off, tick") << 0 << false << QStringList{};
    QTest::newRow("auto off, untick") << 0 << true << QStringList{};
}

void TestAlarmsPage::activeFlag()
{
    QFETCH(int, autoActive);
    QFETCH(bool, tickedBefore);
    QFETCH(QStringList, sent);
    AlarmsWindow w;
    w.page().SetActiveBud(3, tickedBefore);
    w.box("chkAutoActiveSet")->setValue(autoActive);
    QVERIFY(w.takeSent().isEmpty());

    w.clickSquare(w.activeBox(3));
    QCOMPARE(w.activeBox(3)->Value(), tickedBefore ? 0 : 1);
    QCOMPARE(w.takeSent(), sent);
}

void TestAlarmsPage::readOneClearsRowSilently()
{
    AlarmsWindow w;
    w.reply(kRow2);
    w.reply(QStringLiteral("Gbd1|1|6:30:00|1|other|0|0|0|0"));
    w.click(w.getButton(2));
    compareEmptyRow(w, 2);
    compareRow(w, 1, QStringLiteral("6:30"), 1, QStringLiteral("other"));
    QCOMPARE(w.getButton(2)->Value(), 0);
    QCOMPARE(w.takeSent(), QStringList{"Gbd2"}); // no Sbd2|0 from the cleared box

    w.click(w.setButton(2)); // nothing to store until the answer comes
    QVERIFY(w.takeSent().isEmpty());
}

void TestAlarmsPage::simpleCommands_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<QStringList>("sent");
    QTest::newRow("Получить все") << "cmdBudAll" << false << QStringList{"Gbd*"};
    QTest::newRow("Заглушить будильник") << "txtBudStop" << false << QStringList{"Sbd0"};
    QTest::newRow("Откл/Вкл. будильников") << "txtBudOtkl" << false << QStringList{"Sbd1", "Gbd*"};
    // A double click on a link text is one click; on a button it is two.
    QTest::newRow("Заглушить, double") << "txtBudStop" << true << QStringList{"Sbd0"};
    QTest::newRow("Откл/Вкл., double") << "txtBudOtkl" << true << QStringList{"Sbd1", "Gbd*"};
    QTest::newRow("Получить все, double") << "cmdBudAll" << true << QStringList{"Gbd*", "Gbd*"};
}

void TestAlarmsPage::simpleCommands()
{
    QFETCH(QString, control);
    QFETCH(bool, doubleClick);
    QFETCH(QStringList, sent);
    AlarmsWindow w;
    w.reply(kRow2);
    if (doubleClick)
        mouse::doubleClick(w.get<QWidget>(control));
    else
        w.click(w.get<QWidget>(control));
    QCOMPARE(w.takeSent(), sent);
    compareRow(w, 2, QStringLiteral("7:05"), 1, QStringLiteral("abc")); // rows not cleared
    if (auto *button = w.get<tk::CheckBox>(control))
        QCOMPARE(button->Value(), 0);
}

void TestAlarmsPage::nothingLeavesWithInvalidAddress()
{
    AlarmsWindow w;
    w.reply(kRow2);
    w.text("txtIp")->setText(QStringLiteral("192.168.1"));
    QVERIFY(!w.state().bIpValid);

    w.click(w.setButton(2));
    w.clickSquare(w.activeBox(3));
    w.click(w.box("cmdBudAll"));
    w.click(w.text("txtBudStop"));
    w.click(w.text("txtBudOtkl"));
    w.click(w.getButton(2));
    QVERIFY(w.takeSent().isEmpty());
    // The local steps happen all the same.
    QCOMPARE(w.activeBox(3)->Value(), 1);
    compareEmptyRow(w, 2);
    QCOMPARE(w.getButton(2)->Value(), 0);
}

QTEST_MAIN(TestAlarmsPage)
#include "tst_alarms_page.moc"
