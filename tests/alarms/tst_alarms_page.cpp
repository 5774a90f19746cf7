// Alarm replies reaching the rows, and the exact texts of every alarm command
// as the server receives them.

#include "user_window.h"

#include "alarms/alarms_page.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/text_box.h"

class TestAlarmsPage : public QObject {
    Q_OBJECT
private slots:
    void reply_data();
    void reply();
    void setActiveBudLeavesLockFalse_data();
    void setActiveBudLeavesLockFalse();
    void commands_data();
    void commands();
};

namespace {

const QString kRow2 = QStringLiteral("reply:Gbd2|2|7:05:00|1|abc|0|0|0|0");

// "row time active ring" of each row that shows more than an unknown alarm.
QStringList rowsOf(UserWindow &w)
{
    QStringList rows;
    for (int i = 1; i <= 4; ++i) {
        const QString time = w.get<tk::Label>(QStringLiteral("lblBudTime"), i)->text();
        const int active = w.get<tk::CheckBox>(QStringLiteral("chkBudActive"), i)->Value();
        const QString ring = w.get<tk::TextBox>(QStringLiteral("txtBudRing"), i)->text();
        if (time != u"?:??" || active || !ring.isEmpty())
            rows << QStringLiteral("%1 %2 %3 %4").arg(i).arg(time).arg(active).arg(ring);
    }
    return rows;
}

// The same of each stored record that is not all zero, seconds included.
QStringList recordsOf(UserWindow &w)
{
    QStringList records;
    for (int i = 1; i <= 4; ++i) {
        const records::BudRec &bud = w.window().alarms().Buds(i);
        if (bud.dTime != QTime(0, 0) || bud.bActive || !bud.sRing.isEmpty())
            records << QStringLiteral("%1 %2 %3 %4").arg(i).arg(bud.dTime.toString(u"H:mm:ss")).arg(int(bud.bActive))
                           .arg(bud.sRing);
    }
    return records;
}

} // namespace

void TestAlarmsPage::reply_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<QString>("result");
    QTest::newRow("one row") << kRow2.mid(6) << QStringList{"2 7:05 1 abc"} << QStringList{"2 7:05:00 1 abc"} << "0k!";
    // Seconds are kept, not shown; the list is abandoned before "0k!".
    QTest::newRow("list stops at a broken line")
        << "Gbd*|1|6:00:00|1|one|0|0|0|0\r\n2|13:45:30|0|two|0|0|0|0\r\n"
           "3|8:00:00|1|three|0|0|0\r\n4|9:00:00|1|four|0|0|0|0" // line 3 has seven fields
        << QStringList{"1 6:00 1 one", "2 13:45 0 two"}
        << QStringList{"1 6:00:00 1 one", "2 13:45:30 0 two", "3 8:00:00 1 three"} << "";
    QTest::newRow("row 7 with the text of alarm 2") << "Gbd7|2|7:05:00|1|abc|0|0|0|0" << QStringList{}
                                                    << QStringList{"2 7:05:00 1 abc"} << "";
}

void TestAlarmsPage::reply()
{
    QFETCH(QString, reply);
    UserWindow w;
    QCOMPARE(w.get<tk::CheckBox>("chkAutoActiveSet")->Value(), 1);
    w.reply(reply);
    QTEST(rowsOf(w), "rows");
    QTEST(recordsOf(w), "records");
    QTEST(w.resultLine(), "result");
    QVERIFY(w.takeSent().isEmpty()); // the ticked boxes did not echo Sbd2|1
    QVERIFY(!w.state().bLockEvents);
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
    UserWindow w;
    if (!status)
        w.reply(kRow2.mid(6));
    w.state().bLockEvents = lockedBefore;
    w.window().alarms().SetActiveBud(2, status);
    QCOMPARE(w.get<tk::CheckBox>("chkBudActive", 2)->Value(), status ? 1 : 0);
    QVERIFY(!w.state().bLockEvents);
    QVERIFY(w.takeSent().isEmpty());
}

void TestAlarmsPage::commands_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("result");

    // "Сохранить" sends what the row's controls show, not the stored record.
    const auto edit = [](int row, const QString &time) {
        const QString label = QStringLiteral("lblBudTime(%1)").arg(row);
        return QStringList{"click:" + label + "@left", "type:" + time, "key:Return"};
    };
    const auto ring = [](int row, const QString &text) {
        return QStringList{QStringLiteral("focus:txtBudRing(%1)").arg(row), "type:" + text};
    };
    QTest::newRow("no ring, no trailing bar")
        << edit(1, "7:05") + QStringList{"click:chkBudActive(1)@left", "click:cmdBudSet(1)"}
        << QStringList{"Sbd1|1", "Sbd1|7:5:0|1"} << QStringList{"1 7:05 1 "} << "";
    QTest::newRow("midnight, unticked") << edit(4, "0:00") + QStringList{"click:cmdBudSet(4)"}
                                        << QStringList{"Sbd4|0:0:0|0"} << QStringList{"4 0:00 0 "} << "";
    QTest::newRow("4-char ring left out") << edit(2, "13:45") + ring(2, "abcd") + QStringList{"click:cmdBudSet(2)"}
                                          << QStringList{"Sbd2|13:45:0|0"} << QStringList{"2 13:45 0 abcd"} << "";
    QTest::newRow("5-char ring sent") << edit(2, "13:45") + ring(2, "abcde") + QStringList{"click:cmdBudSet(2)"}
                                      << QStringList{"Sbd2|13:45:0|0|abcde"} << QStringList{"2 13:45 0 abcde"} << "";
    QTest::newRow("ring with bars unchanged") << edit(3, "23:59") + ring(3, "a|b|c") + QStringList{"click:cmdBudSet(3)"}
                                              << QStringList{"Sbd3|23:59:0|0|a|b|c"}
                                              << QStringList{"3 23:59 0 a|b|c"} << "";
    QTest::newRow("unknown time: told why") << ring(1, "abcde") + QStringList{"click:cmdBudSet(1)"} << QStringList{}
                                            << QStringList{"1 ?:?? 0 abcde"}
                                            << "Сначала задайте время будильника 1";
    QTest::newRow("edited time sent with seconds") << edit(3, "7:5") + QStringList{"click:cmdBudSet(3)"}
                                                   << QStringList{"Sbd3|7:5:0|0"} << QStringList{"3 7:5 0 "} << "";

    // A changed active flag goes out only while "auto" is ticked.
    const QString ticked3 = "reply:Gbd3|3|6:00:00|1||0|0|0|0";
    const QString autoOff = "click:chkAutoActiveSet@left";
    QTest::newRow("auto on, tick") << QStringList{"click:chkBudActive(3)@left"} << QStringList{"Sbd3|1"}
                                   << QStringList{"3 ?:?? 1 "} << "";
    QTest::newRow("auto on, untick") << QStringList{ticked3, "click:chkBudActive(3)@left"} << QStringList{"Sbd3|0"}
                                     << QStringList{"3 6:00 0 "} << "";
    QTest::newRow("auto off, tick") << QStringList{autoOff, "click:chkBudActive(3)@left"} << QStringList{}
                                    << QStringList{"3 ?:?? 1 "} << "";
    QTest::newRow("auto off, untick") << QStringList{ticked3, autoOff, "click:chkBudActive(3)@left"}
                                      << QStringList{} << QStringList{"3 6:00 0 "} << "0k!";

    // Reading one clears its row without an Sbd2|0 from the cleared box, and
    // leaves nothing to store until the answer comes.
    QTest::newRow("read one") << QStringList{kRow2, "reply:Gbd1|1|6:30:00|1|other|0|0|0|0", "click:cmdBudGet(2)",
                                             "click:cmdBudSet(2)"}
                              << QStringList{"Gbd2"} << QStringList{"1 6:30 1 other"}
                              << "Сначала задайте время будильника 2";
    // A double click on a link text is one click; on a button it is two.
    // None of them clears the rows; a command sent clears the result line.
    const QStringList row2{"2 7:05 1 abc"};
    QTest::newRow("Получить все") << QStringList{kRow2, "click:cmdBudAll"} << QStringList{"Gbd*"} << row2 << "";
    QTest::newRow("Заглушить будильник") << QStringList{kRow2, "click:txtBudStop"} << QStringList{"Sbd0"} << row2 << "";
    QTest::newRow("Откл/Вкл. будильников") << QStringList{kRow2, "click:txtBudOtkl"} << QStringList{"Sbd1", "Gbd*"}
                                           << row2 << "";
    QTest::newRow("Заглушить, double") << QStringList{kRow2, "dblclick:txtBudStop"} << QStringList{"Sbd0"} << row2
                                       << "";
    QTest::newRow("Откл/Вкл., double") << QStringList{kRow2, "dblclick:txtBudOtkl"} << QStringList{"Sbd1", "Gbd*"}
                                       << row2 << "";
    QTest::newRow("Получить все, double") << QStringList{kRow2, "dblclick:cmdBudAll"} << QStringList{"Gbd*", "Gbd*"}
                                          << row2 << "";
    // With an invalid address nothing leaves; the local steps happen all the same.
    QTest::newRow("invalid address") << QStringList{kRow2, "focus:txtIp", "type:192.168.1", "click:cmdBudSet(2)",
                                                    "click:chkBudActive(3)@left", "click:cmdBudAll",
                                                    "click:txtBudStop", "click:txtBudOtkl", "click:cmdBudGet(2)"}
                                     << QStringList{} << QStringList{"3 ?:?? 1 "} << "0k!";
}

void TestAlarmsPage::commands()
{
    QFETCH(QStringList, steps);
    UserWindow w;
    QVERIFY(w.isActive());
    QString failed;
    QVERIFY2(w.run(steps, &failed), qPrintable(failed));
    QTEST(w.takeSent(), "sent");
    QTEST(rowsOf(w), "rows");
    QTEST(w.resultLine(), "result");
    // The buttons spring back, whatever they did.
    QCOMPARE(w.get<tk::CheckBox>("cmdBudAll")->Value(), 0);
    for (int i = 1; i <= 4; ++i) {
        QCOMPARE(w.get<tk::CheckBox>("cmdBudGet", i)->Value(), 0);
        QCOMPARE(w.get<tk::CheckBox>("cmdBudSet", i)->Value(), 0);
    }
}

QTEST_MAIN(TestAlarmsPage)
#include "tst_alarms_page.moc"
