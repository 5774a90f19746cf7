// The skin group and the face flags of the "Скины" page, driven through a
// started-up window: replies go through the dispatcher, user actions through
// the controls, commands are read at the UDP peer.

#include "user_window.h"

#include "toolkit/controls/check_box.h"
#include "toolkit/controls/scroll_bar.h"
#include "toolkit/controls/text_box.h"

#include <QLabel>
#include <QSignalSpy>

namespace {

const QString kExample = QStringLiteral("0|56|53|Classic|0|0|0|0|1|a.xyz|b.xyz|c.xyz");
const QString kExampleShown = QStringLiteral("54/57 Classic 2/3 b");
const QString kExampleBars = QStringLiteral("0/58/54 0/4/2");

// The skin's position and name, then the style's.
QString shownOf(ClientFixture &c)
{
    return QStringList{c.get<QLabel>("lblSkin")->text(), c.get<tk::TextBox>("txtSkin")->text(),
                       c.get<QLabel>("lblStyle")->text(), c.get<tk::TextBox>("txtStyle")->text()}
        .join(u' ');
}

// "min/max/value" of the skin bar, then of the style bar.
QString barsOf(ClientFixture &c)
{
    QStringList bars;
    for (const char *name : {"scrlSkin", "scrlStyle"}) {
        const auto *b = c.get<tk::HScrollBar>(QString::fromLatin1(name));
        bars << QStringLiteral("%1/%2/%3").arg(b->minimum()).arg(b->maximum()).arg(b->value());
    }
    return bars.join(u' ');
}

} // namespace

class TestFaceSkin : public QObject {
    Q_OBJECT
private slots:
    void skinReply_data();
    void skinReply();
    void barStepSendsOneSelection_data();
    void barStepSendsOneSelection();
    void flagsReply_data();
    void flagsReply();
    void flagClickSendsItsIndexEitherWay_data();
    void flagClickSendsItsIndexEitherWay();
};

void TestFaceSkin::skinReply_data()
{
    QTest::addColumn<QString>("before"); // empty: no reply before
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("bars");
    QTest::addColumn<bool>("styleStepper");
    QTest::addColumn<bool>("taken");

    const QString solo = QStringLiteral("0|3|3|Solo|0|0|0|0|0|only.xyz");
    QTest::newRow("three styles") << "" << kExample << kExampleShown << kExampleBars << true << true;
    QTest::newRow("one style hides the stepper") << "" << solo << "4/4 Solo 1/1 only" << "0/5/4 0/2/1" << false << true;
    QTest::newRow("the stepper returns with a second style") << solo << kExample << kExampleShown << kExampleBars
                                                             << true << true;
    // The index is taken as a number, one added, then rounded: 53.5 -> 54.
    QTest::newRow("fractional index") << "" << "0|56|52.5|Classic|0|0|0|0|1|a.xyz|b.xyz|c.xyz" << kExampleShown
                                      << kExampleBars << true << true;
    QTest::newRow("first skin below zero") << "" << "-1|1|-1|Low|7|-8|9|-10|1|ab.xyz|cd.xyz" << "0/2 Low 2/2 cd"
                                           << "-1/3/0 0/3/2" << true << true;

    // Steps 1 to 4 fail before any control is set.
    const auto failed = [](const char *name, const char *payload, const QString &shown) {
        QTest::newRow(name) << kExample << payload << shown << kExampleBars << true << false;
    };
    failed("no description", "1|9|4", kExampleShown);
    failed("six-field description", "1|9|4|Neo|0|0|0|0|0", kExampleShown);
    failed("word in a description integer", "1|9|4|Neo|0|x|0|0|0|a.xyz", kExampleShown);
    failed("word in a skin index", "1|nine|4|Neo|0|0|0|0|0|a.xyz", kExampleShown);
    failed("skin index beyond 16 bits", "0|32767|0|Neo|0|0|0|0|0|a.xyz", kExampleShown);
    // Step 8: the labels and the skin name are already new.
    failed("iStyle past the list", "1|9|4|Neo|0|0|0|0|2|a.xyz|b.xyz", "5/10 Neo 3/2 b");
    failed("negative iStyle", "1|9|4|Neo|0|0|0|0|-1|a.xyz|b.xyz", "5/10 Neo 0/2 b");
    failed("style entry under four characters", "1|9|4|Neo|0|0|0|0|0|abc|defgh", "5/10 Neo 1/2 b");
    // Step 10: the style name is new as well; the bars keep their range, and
    // the single style does not hide the stepper, since step 13 is not reached.
    failed("current above the last spare", "1|9|11|Neo|0|0|0|0|0|a.xyz", "12/10 Neo 1/1 a");
    failed("current below the first spare", "5|9|3|Neo|0|0|0|0|0|a.xyz", "4/10 Neo 1/1 a");
    failed("last spare beyond 16 bits", "0|32766|0|Neo|0|0|0|0|0|a.xyz", "1/32767 Neo 1/1 a");
}

void TestFaceSkin::skinReply()
{
    QFETCH(QString, before);
    QFETCH(QString, payload);
    QFETCH(bool, taken);
    ClientFixture c;
    if (!before.isEmpty())
        c.reply("Gsk?|" + before);
    c.get<QLabel>("lblErr")->clear();
    auto *scrlSkin = c.get<tk::HScrollBar>("scrlSkin");
    QSignalSpy skinChanges(scrlSkin, &tk::HScrollBar::Change);

    c.reply("Gsk?|" + payload);

    QTEST(shownOf(c), "shown");
    QTEST(barsOf(c), "bars");
    QTEST(!c.get<QWidget>("lblStyle")->isHidden(), "styleStepper");
    QTEST(!c.get<QWidget>("scrlStyle")->isHidden(), "styleStepper");
    QVERIFY(!c.get<QWidget>("txtStyle")->isHidden());
    QCOMPARE(!skinChanges.isEmpty(), taken); // the bar did report its new value...
    QCOMPARE(c.takeSent(), QStringList{}); // ...and nothing went back
    QVERIFY(c.link().queue().items().isEmpty());
    QVERIFY(!c.state().bLockEvents);
    QCOMPARE(c.get<QLabel>("lblErr")->text(), taken ? QStringLiteral("0k!") : QString());
    if (!taken) { // the user can go on at once
        scrlSkin->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(c.takeSent(), QStringList{"Ssk54"});
    }
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

void TestFaceSkin::flagsReply_data()
{
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QList<int>>("faces");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("supported");

    // Before: flags 0, 0, 0, 0, mode 0, brightness supported.
    QTest::newRow("all fields, one more ignored") << "1|1|2|0|1|0|extra" << QList<int>{1, 1, 2, 0} << 1 << false;
    // A broken field ends the reply at its step.
    QTest::newRow("flag value 3") << "1|1|3|1|1|0" << QList<int>{1, 1, 0, 0} << 0 << true;
    QTest::newRow("word as a flag") << "1|x|1|1|1|0" << QList<int>{1, 0, 0, 0} << 0 << true;
    QTest::newRow("negative flag") << "-1|1|1|1|1|0" << QList<int>{0, 0, 0, 0} << 0 << true;
    QTest::newRow("bad mode") << "1|1|1|1|3|0" << QList<int>{1, 1, 1, 1} << 0 << true;
    QTest::newRow("bad support field") << "1|1|1|1|1|maybe" << QList<int>{1, 1, 1, 1} << 1 << true;
    QTest::newRow("support field missing") << "1|1|1|1|1" << QList<int>{1, 1, 1, 1} << 1 << true;
    QTest::newRow("empty payload") << "" << QList<int>{0, 0, 0, 0} << 0 << true;
}

// The boxes are set as they would be by a click, each raising its Click
// once, without a word back to Quorvan.
void TestFaceSkin::flagsReply()
{
    QFETCH(QString, payload);
    QFETCH(QList<int>, faces);
    QFETCH(int, mode);
    ClientFixture c;
    c.state().bBrightSupported = true;
    QSignalSpy clicks(c.get<tk::CheckBox>("chkFace", 1), &tk::CheckBox::Click);
    QSignalSpy modeClicks(c.get<tk::CheckBox>("chkTrans"), &tk::CheckBox::Click);

    c.reply("Gfa*|" + payload);

    for (int i = 0; i < 4; ++i)
        QCOMPARE(c.get<tk::CheckBox>("chkFace", i)->Value(), faces.at(i));
    QCOMPARE(c.get<tk::CheckBox>("chkTrans")->Value(), mode);
    QTEST(c.state().bBrightSupported, "supported");
    QCOMPARE(clicks.count(), faces.at(1) ? 1 : 0);
    QCOMPARE(modeClicks.count(), mode ? 1 : 0);
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
    UserWindow w(UserWindow::onPage(0));
    const QString click = QStringLiteral("click:chkFace(%1)@left").arg(index);
    const QStringList once{"Sfa" + QString::number(index)};
    for (int value : {1, 0}) {
        QVERIFY(w.run({click}));
        QCOMPARE(w.get<tk::CheckBox>("chkFace", index)->Value(), value);
        QCOMPARE(w.takeSent(), once);
    }
    QVERIFY(w.link().queue().items().isEmpty()); // a flag needs no read afterwards
}

QTEST_MAIN(TestFaceSkin)
#include "tst_face_skin.moc"
