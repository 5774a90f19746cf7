// The skin group, the face flags and the two page buttons of the "Скины"
// page, driven through a started-up window: replies go through the
// dispatcher, user actions through the controls, commands are read at the
// UDP peer.

#include "client_fixture.h"

#include "app/tab_strip.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/scroll_bar.h"
#include "toolkit/controls/text_box.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString kExample = QStringLiteral("0|56|53|Classic|0|0|0|0|1|a.xyz|b.xyz|c.xyz");

struct Bar {
    int min, max, value;
    bool operator==(const Bar &) const = default;
};

Bar barOf(const QScrollBar *b) { return {b->minimum(), b->maximum(), b->value()}; }

char *toString(const Bar &b) // for QCOMPARE's failure message
{
    return qstrdup(QByteArray::number(b.min) + '/' + QByteArray::number(b.max) + '/' + QByteArray::number(b.value));
}

} // namespace

class TestFaceSkin : public QObject {
    Q_OBJECT
private slots:
    void skinReplyFillsGroup_data();
    void skinReplyFillsGroup();
    void styleStepperReturnsWithSecondStyle();
    void skinReplyFailsAtItsStep_data();
    void skinReplyFailsAtItsStep();
    void barStepSendsOneSelection_data();
    void barStepSendsOneSelection();
    void flagsReplySetsBoxesSilently();
    void flagsReplyFailsAtItsStep_data();
    void flagsReplyFailsAtItsStep();
    void flagClickSendsItsIndexEitherWay_data();
    void flagClickSendsItsIndexEitherWay();
    void getFaceQueuesAllReads();
    void saveAllSendsOnce();
};

void TestFaceSkin::skinReplyFillsGroup_data()
{
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QString>("lblSkin");
    QTest::addColumn<QString>("txtSkin");
    QTest::addColumn<QString>("lblStyle");
    QTest::addColumn<QString>("txtStyle");
    QTest::addColumn<Bar>("skinBar");
    QTest::addColumn<Bar>("styleBar");
    QTest::addColumn<bool>("styleStepper");

    QTest::newRow("three styles") << kExample << "54/57" << "Classic" << "2/3" << "b" << Bar{0, 58, 54}
                                  << Bar{0, 4, 2} << true;
    QTest::newRow("one style hides the stepper")
        << "0|3|3|Solo|0|0|0|0|0|only.xyz" << "4/4" << "Solo" << "1/1" << "only" << Bar{0, 5, 4} << Bar{0, 2, 1}
        << false;
    // The index is taken as a number, one added, then rounded: 53.5 -> 54.
    QTest::newRow("fractional index") << "0|56|52.5|Classic|0|0|0|0|1|a.xyz|b.xyz|c.xyz"
                                      << "54/57" << "Classic" << "2/3" << "b" << Bar{0, 58, 54} << Bar{0, 4, 2}
                                      << true;
    QTest::newRow("first skin below zero") << "-1|1|-1|Low|7|-8|9|-10|1|ab.xyz|cd.xyz"
                                           << "0/2" << "Low" << "2/2" << "cd" << Bar{-1, 3, 0} << Bar{0, 3, 2}
                                           << true;
}

void TestFaceSkin::skinReplyFillsGroup()
{
    QFETCH(QString, payload);
    ClientFixture c;
    auto *scrlSkin = c.get<tk::HScrollBar>("scrlSkin");
    auto *scrlStyle = c.get<tk::HScrollBar>("scrlStyle");
    QSignalSpy skinChanges(scrlSkin, &tk::HScrollBar::Change);

    c.reply("Gsk?|" + payload);

    QTEST(c.get<QLabel>("lblSkin")->text(), "lblSkin");
    QTEST(c.get<tk::TextBox>("txtSkin")->text(), "txtSkin");
    QTEST(c.get<QLabel>("lblStyle")->text(), "lblStyle");
    QTEST(c.get<tk::TextBox>("txtStyle")->text(), "txtStyle");
    QTEST(barOf(scrlSkin), "skinBar");
    QTEST(barOf(scrlStyle), "styleBar");
    QTEST(!c.get<QLabel>("lblStyle")->isHidden(), "styleStepper");
    QTEST(!scrlStyle->isHidden(), "styleStepper");
    QVERIFY(!c.get<QWidget>("txtStyle")->isHidden());
    QVERIFY(!skinChanges.isEmpty()); // the bar did report its new value...
    QCOMPARE(c.takeSent(), QStringList{}); // ...and nothing went back
    QVERIFY(c.link().queue().items().isEmpty());
    QVERIFY(!c.state().bLockEvents);
}

void TestFaceSkin::styleStepperReturnsWithSecondStyle()
{
    ClientFixture c;
    c.reply(QStringLiteral("Gsk?|0|3|0|Solo|0|0|0|0|0|only.xyz"));
    QVERIFY(c.get<QWidget>("scrlStyle")->isHidden());
    c.reply("Gsk?|" + kExample);
    QVERIFY(!c.get<QWidget>("lblStyle")->isHidden());
    QVERIFY(!c.get<QWidget>("scrlStyle")->isHidden());
}

void TestFaceSkin::skinReplyFailsAtItsStep_data()
{
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QString>("lblSkin");
    QTest::addColumn<QString>("lblStyle");
    QTest::addColumn<QString>("txtSkin");
    QTest::addColumn<QString>("txtStyle");

    // Steps 1 to 4 fail before any control is set.
    QTest::newRow("no description") << "1|9|4" << "54/57" << "2/3" << "Classic" << "b";
    QTest::newRow("six-field description") << "1|9|4|Neo|0|0|0|0|0" << "54/57" << "2/3" << "Classic" << "b";
    QTest::newRow("word in a description integer") << "1|9|4|Neo|0|x|0|0|0|a.xyz" << "54/57" << "2/3" << "Classic"
                                                   << "b";
    QTest::newRow("word in a skin index") << "1|nine|4|Neo|0|0|0|0|0|a.xyz" << "54/57" << "2/3" << "Classic" << "b";
    QTest::newRow("skin index beyond 16 bits") << "0|32767|0|Neo|0|0|0|0|0|a.xyz" << "54/57" << "2/3" << "Classic"
                                               << "b";
    // Step 8: the labels and the skin name are already new.
    QTest::newRow("iStyle past the list") << "1|9|4|Neo|0|0|0|0|2|a.xyz|b.xyz" << "5/10" << "3/2" << "Neo" << "b";
    QTest::newRow("negative iStyle") << "1|9|4|Neo|0|0|0|0|-1|a.xyz|b.xyz" << "5/10" << "0/2" << "Neo" << "b";
    QTest::newRow("style entry under four characters") << "1|9|4|Neo|0|0|0|0|0|abc|defgh" << "5/10" << "1/2"
                                                       << "Neo" << "b";
    // Step 10: the style name is new as well; the bars keep their range, and
    // the single style does not hide the stepper, since step 13 is not reached.
    QTest::newRow("current above the last spare") << "1|9|11|Neo|0|0|0|0|0|a.xyz" << "12/10" << "1/1" << "Neo"
                                                  << "a";
    QTest::newRow("current below the first spare") << "5|9|3|Neo|0|0|0|0|0|a.xyz" << "4/10" << "1/1" << "Neo"
                                                   << "a";
    QTest::newRow("last spare beyond 16 bits") << "0|32766|0|Neo|0|0|0|0|0|a.xyz" << "1/32767" << "1/1" << "Neo"
                                               << "a";
}

void TestFaceSkin::skinReplyFailsAtItsStep()
{
    QFETCH(QString, payload);
    ClientFixture c;
    c.reply("Gsk?|" + kExample);
    c.get<QLabel>("lblErr")->clear();
    c.takeSent();

    c.reply("Gsk?|" + payload);

    QTEST(c.get<QLabel>("lblSkin")->text(), "lblSkin");
    QTEST(c.get<QLabel>("lblStyle")->text(), "lblStyle");
    QTEST(c.get<tk::TextBox>("txtSkin")->text(), "txtSkin");
    QTEST(c.get<tk::TextBox>("txtStyle")->text(), "txtStyle");
    QCOMPARE(barOf(c.get<tk::HScrollBar>("scrlSkin")), (Bar{0, 58, 54}));
    QCOMPARE(barOf(c.get<tk::HScrollBar>("scrlStyle")), (Bar{0, 4, 2}));
    QVERIFY(!c.get<QWidget>("scrlStyle")->isHidden()); // step 13 never ran
    QVERIFY(c.get<QLabel>("lblErr")->text().isEmpty()); // no "0k!" for a failed reply
    QVERIFY(!c.state().bLockEvents);
    QCOMPARE(c.takeSent(), QStringList{});

    // The user can go on at once.
    c.get<tk::HScrollBar>("scrlSkin")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(c.takeSent(), QStringList{"Ssk54"});
}

void TestFaceSkin::barStepSendsOneSelection_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QString>("payload"); // empty: the design-time bar, no reply yet
    QTest::addColumn<bool>("right");
    QTest::addColumn<QString>("firstSent");
    QTest::addColumn<int>("firstValue");
    QTest::addColumn<QString>("secondSent");

    const auto sub = false;
    const auto add = true;
    // Min 0, Max 58.
    QTest::newRow("skin left from 1 wraps to 57") << "scrlSkin" << "0|56|0|A|0|0|0|0|0|a.xyz" << sub << "Ssk56" << 57
                                                  << "Ssk55";
    QTest::newRow("skin right from 57 wraps to 1") << "scrlSkin" << "0|56|56|A|0|0|0|0|0|a.xyz" << add << "Ssk0" << 1
                                                   << "Ssk1";
    QTest::newRow("skin step inside the range") << "scrlSkin" << kExample << sub << "Ssk52" << 53 << "Ssk51";
    QTest::newRow("single skin left") << "scrlSkin" << "0|0|0|A|0|0|0|0|0|a.xyz" << sub << "Ssk0" << 1 << "Ssk0";
    QTest::newRow("single skin right") << "scrlSkin" << "0|0|0|A|0|0|0|0|0|a.xyz" << add << "Ssk0" << 1 << "Ssk0";
    QTest::newRow("skin before any reply") << "scrlSkin" << QString() << add << "Ssk1" << 2 << "Ssk2";
    // Three styles: Min 0, Max 4.
    QTest::newRow("style left from 1 wraps to 3") << "scrlStyle" << "0|9|0|A|0|0|0|0|0|a.xyz|b.xyz|c.xyz" << sub
                                                  << "Sst2" << 3 << "Sst1";
    QTest::newRow("style right from 3 wraps to 1") << "scrlStyle" << "0|9|0|A|0|0|0|0|2|a.xyz|b.xyz|c.xyz" << add
                                                   << "Sst0" << 1 << "Sst1";
    QTest::newRow("single style left") << "scrlStyle" << "0|9|0|A|0|0|0|0|0|a.xyz" << sub << "Sst0" << 1 << "Sst0";
    QTest::newRow("single style right") << "scrlStyle" << "0|9|0|A|0|0|0|0|0|a.xyz" << add << "Sst0" << 1 << "Sst0";
}

void TestFaceSkin::barStepSendsOneSelection()
{
    QFETCH(QString, bar);
    QFETCH(QString, payload);
    QFETCH(bool, right);
    QFETCH(QString, firstSent);
    QFETCH(QString, secondSent);
    ClientFixture c;
    if (!payload.isNull())
        c.reply("Gsk?|" + payload);
    c.takeSent();
    auto *scrl = c.get<tk::HScrollBar>(bar);

    // What the queue held at the moment each datagram left.
    QList<QList<qint16>> queueAtSend;
    connect(c.form().get<QUdpSocket>("ws"), &QUdpSocket::bytesWritten, this,
            [&] { queueAtSend << c.link().queue().items(); });
    const auto step = [&] {
        scrl->triggerAction(right ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub);
    };

    step();
    QCOMPARE(c.takeSent(), QStringList{firstSent}); // exactly one selection per step
    QTEST(scrl->value(), "firstValue");
    QCOMPARE(queueAtSend, (QList<QList<qint16>>{{1}}));
    QCOMPARE(c.link().queue().items(), QList<qint16>{1});

    step();
    QCOMPARE(c.takeSent(), QStringList{secondSent});
    QCOMPARE(queueAtSend, (QList<QList<qint16>>{{1}, {1, 1}}));
    QCOMPARE(c.link().queue().items(), (QList<qint16>{1, 1}));
}

void TestFaceSkin::flagsReplySetsBoxesSilently()
{
    ClientFixture c;
    QSignalSpy clicks(c.get<tk::CheckBox>("chkFace", 1), &tk::CheckBox::Click);
    QSignalSpy transClicks(c.get<tk::CheckBox>("chkTrans"), &tk::CheckBox::Click);

    c.reply(QStringLiteral("Gfa*|1|1|2|0|1|1|extra"));

    for (int i = 0; i < 4; ++i)
        QCOMPARE(c.get<tk::CheckBox>("chkFace", i)->Value(), QList<int>({1, 1, 2, 0}).at(i));
    QCOMPARE(c.get<tk::CheckBox>("chkTrans")->Value(), 1);
    QVERIFY(c.state().bBrightSupported);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(transClicks.count(), 1);
    QCOMPARE(c.takeSent(), QStringList{});
    QVERIFY(!c.state().bLockEvents);
}

void TestFaceSkin::flagsReplyFailsAtItsStep_data()
{
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QList<int>>("faces");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("supported");

    // Before: flags 0, 0, 0, 0, mode 0, brightness supported.
    QTest::newRow("flag value 3") << "1|1|3|1|1|0" << QList<int>{1, 1, 0, 0} << 0 << true;
    QTest::newRow("word as a flag") << "1|x|1|1|1|0" << QList<int>{1, 0, 0, 0} << 0 << true;
    QTest::newRow("negative flag") << "-1|1|1|1|1|0" << QList<int>{0, 0, 0, 0} << 0 << true;
    QTest::newRow("bad mode") << "1|1|1|1|3|0" << QList<int>{1, 1, 1, 1} << 0 << true;
    QTest::newRow("bad support field") << "1|1|1|1|1|maybe" << QList<int>{1, 1, 1, 1} << 1 << true;
    QTest::newRow("support field missing") << "1|1|1|1|1" << QList<int>{1, 1, 1, 1} << 1 << true;
    QTest::newRow("empty payload") << "" << QList<int>{0, 0, 0, 0} << 0 << true;
}

void TestFaceSkin::flagsReplyFailsAtItsStep()
{
    QFETCH(QString, payload);
    QFETCH(QList<int>, faces);
    ClientFixture c;
    c.state().bBrightSupported = true;

    c.reply("Gfa*|" + payload);

    for (int i = 0; i < 4; ++i)
        QCOMPARE(c.get<tk::CheckBox>("chkFace", i)->Value(), faces.at(i));
    QTEST(c.get<tk::CheckBox>("chkTrans")->Value(), "mode");
    QTEST(c.state().bBrightSupported, "supported");
    QVERIFY(!c.state().bLockEvents);
    QCOMPARE(c.takeSent(), QStringList{});

    c.get<tk::CheckBox>("chkFace", 3)->click();
    QCOMPARE(c.takeSent(), QStringList{"Sfa3"});
}

void TestFaceSkin::flagClickSendsItsIndexEitherWay_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < 4; ++i)
        QTest::addRow("chkFace(%d)", i) << i;
}

void TestFaceSkin::flagClickSendsItsIndexEitherWay()
{
    QFETCH(int, index);
    ClientFixture c;
    c.window().tabs().lblTab_MouseDown(0);
    c.window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&c.window()));
    auto *box = c.get<tk::CheckBox>("chkFace", index);
    const QStringList once{"Sfa" + QString::number(index)};

    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    QCOMPARE(box->Value(), 1);
    QCOMPARE(c.takeSent(), once);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    QCOMPARE(box->Value(), 0);
    QCOMPARE(c.takeSent(), once);
    QVERIFY(c.link().queue().items().isEmpty()); // a flag needs no read afterwards
}

void TestFaceSkin::getFaceQueuesAllReads()
{
    ClientFixture c;
    auto *button = c.get<tk::CheckBox>("cmdGetFace");
    button->click();
    QCOMPARE(button->Value(), 0);
    QCOMPARE(c.takeSent(), QStringList{"Gsk?"});
    QCOMPARE(c.link().queue().items(), (QList<qint16>{2, 3, 4, 5}));
}

void TestFaceSkin::saveAllSendsOnce()
{
    ClientFixture c;
    auto *button = c.get<tk::CheckBox>("cmdSaveAll");
    button->click();
    QCOMPARE(button->Value(), 0);
    QCOMPARE(c.takeSent(), QStringList{"Sss1"});
    QVERIFY(c.link().queue().items().isEmpty());
}

QTEST_MAIN(TestFaceSkin)
#include "tst_face_skin.moc"
