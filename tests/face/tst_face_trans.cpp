// Transparency and brightness on the "Скины" page, driven through a
// started-up window: replies go through the dispatcher, user actions through
// the controls, commands are read at the UDP peer.

#include "client_fixture.h"

#include "toolkit/controls/check_box.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/controls/text_box.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QStringList itemsOf(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

// Replaces the text of a box as the user would, by typing.
void typeInto(tk::TextBox *box, const QString &text)
{
    box->selectAll();
    QTest::keyClicks(box, text);
}

} // namespace

class TestFaceTrans : public QObject {
    Q_OBJECT
private slots:
    void designTextsGoOutBeforeAnyReply();
    void transparencyReplyFillsLevels_data();
    void transparencyReplyFillsLevels();
    void untickingModeSendsAtOnce();
    void pickingLevelSends();
    void editedBoundsGoOutWithSave();
    void transparencyReplyFailsAtItsStep_data();
    void transparencyReplyFailsAtItsStep();
    void brightnessReplyEnablesOnlyWhenSupported_data();
    void brightnessReplyEnablesOnlyWhenSupported();
    void editedBrightnessBoundGoesOutWithSave();
    void brightnessReplyFailsAtItsStep_data();
    void brightnessReplyFailsAtItsStep();
};

void TestFaceTrans::designTextsGoOutBeforeAnyReply()
{
    ClientFixture c;
    c.get<tk::CheckBox>("cmdTransSet")->click();
    c.get<tk::CheckBox>("cmdBrightSet")->click();
    QCOMPARE(c.takeSent(), (QStringList{"SfaT||0|100|0", "SfaB||0|100"}));
    QCOMPARE(c.get<tk::CheckBox>("cmdTransSet")->Value(), 0);
    QCOMPARE(c.get<tk::CheckBox>("cmdBrightSet")->Value(), 0);
}

void TestFaceTrans::transparencyReplyFillsLevels_data()
{
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<QString>("sentAfterUntick");

    QTest::newRow("level in the list") << "50|10|90|1|10|50|90" << QStringList{"10", "50", "90"} << 1
                                       << "SfaT|50|10|90|0";
    QTest::newRow("no levels offered") << "50|10|90|1" << QStringList{} << -1 << "SfaT|50|10|90|0";
    // The reported level stays what the box shows and what goes out: neither
    // the entry selected before nor the first entry of the new list.
    QTest::newRow("level not in the list") << "75|10|90|1|10|50|90" << QStringList{"10", "50", "90"} << -1
                                           << "SfaT|75|10|90|0";
}

void TestFaceTrans::transparencyReplyFillsLevels()
{
    QFETCH(QString, payload);
    ClientFixture c;
    c.reply(QStringLiteral("GfaT|20|0|100|0|20|40")); // a different level already selected
    auto *cmbTrans = c.get<tk::ComboBox>("cmbTrans");
    auto *chkTrans = c.get<tk::CheckBox>("chkTrans");
    QSignalSpy modeClicks(chkTrans, &tk::CheckBox::Click);

    c.reply("GfaT|" + payload);

    QTEST(itemsOf(cmbTrans), "items");
    QTEST(cmbTrans->ListIndex(), "listIndex");
    QCOMPARE(cmbTrans->Text(), payload.section(u'|', 0, 0));
    QCOMPARE(cmbTrans->currentText(), cmbTrans->ListIndex() >= 0 ? cmbTrans->Text() : QString());
    QCOMPARE(c.get<tk::TextBox>("txtTransMin")->text(), QStringLiteral("10"));
    QCOMPARE(c.get<tk::TextBox>("txtTransMax")->text(), QStringLiteral("90"));
    QCOMPARE(chkTrans->Value(), 1);
    QCOMPARE(modeClicks.count(), 1);
    QCOMPARE(c.takeSent(), QStringList{});
    QVERIFY(!c.state().bLockEvents);

    chkTrans->click();
    QCOMPARE(chkTrans->Value(), 0);
    QTEST(c.takeSent().value(0), "sentAfterUntick");
}

void TestFaceTrans::untickingModeSendsAtOnce()
{
    ClientFixture c;
    c.reply(QStringLiteral("GfaT|50|10|90|1|10|50|90"));
    auto *chkTrans = c.get<tk::CheckBox>("chkTrans");
    chkTrans->click();
    QCOMPARE(c.takeSent(), QStringList{"SfaT|50|10|90|0"});
    chkTrans->click();
    QCOMPARE(c.takeSent(), QStringList{"SfaT|50|10|90|1"});
    QVERIFY(c.link().queue().items().isEmpty()); // the controls already show what was sent
}

void TestFaceTrans::pickingLevelSends()
{
    ClientFixture c;
    c.reply(QStringLiteral("GfaT|50|10|90|1|10|50|90"));
    c.reply(QStringLiteral("GfaB|40|0|100|1|20|40|60"));
    QTest::keyClick(c.get<tk::ComboBox>("cmbTrans"), Qt::Key_Down);
    QTest::keyClick(c.get<tk::ComboBox>("cmbBright"), Qt::Key_Up);
    QCOMPARE(c.takeSent(), (QStringList{"SfaT|90|10|90|1", "SfaB|20|0|100"}));
}

void TestFaceTrans::editedBoundsGoOutWithSave()
{
    ClientFixture c;
    c.reply(QStringLiteral("GfaT|50|10|90|1|10|50|90"));
    typeInto(c.get<tk::TextBox>("txtTransMin"), QStringLiteral("5"));
    typeInto(c.get<tk::TextBox>("txtTransMax"), QStringLiteral("9|5")); // sent as typed, a field more
    QCOMPARE(c.takeSent(), QStringList{});

    auto *save = c.get<tk::CheckBox>("cmdTransSet");
    save->click();
    QCOMPARE(save->Value(), 0);
    QCOMPARE(c.takeSent(), QStringList{"SfaT|50|5|9|5|1"});
}

void TestFaceTrans::transparencyReplyFailsAtItsStep_data()
{
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("max");

    // Before: 20|0|100|0 with the levels 20 and 40. The list is rebuilt and the
    // level shown before a failure; the mode stays 0 in every row.
    QTest::newRow("word as mode") << "50|10|90|x|10|50|90" << QStringList{"10", "50", "90"} << "50" << "10" << "90";
    QTest::newRow("mode 3") << "50|10|90|3|10|50|90" << QStringList{"10", "50", "90"} << "50" << "10" << "90";
    QTest::newRow("mode missing") << "50|10|90" << QStringList{} << "50" << "10" << "90";
    QTest::newRow("bounds missing") << "50" << QStringList{} << "50" << "0" << "100";
    QTest::newRow("empty payload") << "" << QStringList{} << "" << "0" << "100";
}

void TestFaceTrans::transparencyReplyFailsAtItsStep()
{
    QFETCH(QString, payload);
    ClientFixture c;
    c.reply(QStringLiteral("GfaT|20|0|100|0|20|40"));

    c.reply("GfaT|" + payload);

    auto *cmbTrans = c.get<tk::ComboBox>("cmbTrans");
    QTEST(itemsOf(cmbTrans), "items");
    QTEST(cmbTrans->Text(), "level");
    QTEST(c.get<tk::TextBox>("txtTransMin")->text(), "min");
    QTEST(c.get<tk::TextBox>("txtTransMax")->text(), "max");
    QCOMPARE(c.get<tk::CheckBox>("chkTrans")->Value(), 0);
    QVERIFY(!c.state().bLockEvents);
    QCOMPARE(c.takeSent(), QStringList{});

    c.get<tk::CheckBox>("chkTrans")->click();
    QCOMPARE(c.takeSent().size(), 1);
}

void TestFaceTrans::brightnessReplyEnablesOnlyWhenSupported_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("payload");
    QTest::addColumn<bool>("supported");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("max");

    QTest::newRow("supported") << "|||0" << "60|20|80|1|20|60|80" << true << QStringList{"20", "60", "80"} << "60"
                               << "20" << "80";
    QTest::newRow("supported, no levels") << "|||0" << "60|20|80|1" << true << QStringList{} << "60" << "20" << "80";
    // Fields 0 to 2 are not read; the bounds keep the text they had, greyed.
    QTest::newRow("unsupported, empty fields") << "60|20|80|1|20|60|80" << "|||0" << false << QStringList{}
                                               << "" << "20" << "80";
    QTest::newRow("unsupported, levels ignored") << "60|20|80|1|20|60|80" << "5|6|7|0|5|6" << false
                                                 << QStringList{} << "" << "20" << "80";
}

void TestFaceTrans::brightnessReplyEnablesOnlyWhenSupported()
{
    QFETCH(QString, before);
    QFETCH(QString, payload);
    QFETCH(bool, supported);
    ClientFixture c;
    c.reply("GfaB|" + before);
    auto *cmbBright = c.get<tk::ComboBox>("cmbBright");

    c.reply("GfaB|" + payload);

    QCOMPARE(c.state().bBrightSupported, supported);
    for (const char *name : {"cmbBright", "txtBrightMin", "txtBrightMax", "cmdBrightSet"})
        QVERIFY2(c.get<QWidget>(QString::fromLatin1(name))->isEnabled() == supported, name);
    QVERIFY(c.get<QWidget>("cmbTrans")->isEnabled()); // transparency is never disabled
    QTEST(itemsOf(cmbBright), "items");
    QTEST(cmbBright->Text(), "level");
    QTEST(c.get<tk::TextBox>("txtBrightMin")->text(), "min");
    QTEST(c.get<tk::TextBox>("txtBrightMax")->text(), "max");
    QCOMPARE(c.takeSent(), QStringList{});
    QVERIFY(!c.state().bLockEvents);
}

void TestFaceTrans::editedBrightnessBoundGoesOutWithSave()
{
    ClientFixture c;
    c.reply(QStringLiteral("GfaB|60|20|100|1|20|60|80"));
    typeInto(c.get<tk::TextBox>("txtBrightMax"), QStringLiteral("80"));
    QCOMPARE(c.takeSent(), QStringList{});

    auto *save = c.get<tk::CheckBox>("cmdBrightSet");
    save->click();
    QCOMPARE(save->Value(), 0);
    QCOMPARE(c.takeSent(), QStringList{"SfaB|60|20|80"});
}

void TestFaceTrans::brightnessReplyFailsAtItsStep_data()
{
    QTest::addColumn<QString>("payload");
    QTest::addColumn<bool>("supported");
    // Step 3 comes first: nothing changes at all.
    QTest::newRow("support field a word") << "60|20|80|maybe|60" << true;
    QTest::newRow("support field missing") << "60|20|80" << true;
    QTest::newRow("empty payload") << "" << true;
    QTest::newRow("unsupported before, bad field") << "60|20|80|x" << false;
}

void TestFaceTrans::brightnessReplyFailsAtItsStep()
{
    QFETCH(QString, payload);
    QFETCH(bool, supported);
    ClientFixture c;
    c.reply(supported ? QStringLiteral("GfaB|40|0|90|1|40|60") : QStringLiteral("GfaB||||0"));

    c.reply("GfaB|" + payload);

    QCOMPARE(c.state().bBrightSupported, supported);
    QCOMPARE(c.get<QWidget>("cmbBright")->isEnabled(), supported);
    QCOMPARE(c.get<QWidget>("cmdBrightSet")->isEnabled(), supported);
    QCOMPARE(itemsOf(c.get<tk::ComboBox>("cmbBright")), (supported ? QStringList{"40", "60"} : QStringList{}));
    QVERIFY(!c.state().bLockEvents);
    QCOMPARE(c.takeSent(), QStringList{});

    // A disabled "Сохранить" takes no click; the transparency one always does.
    c.get<tk::CheckBox>(supported ? "cmdBrightSet" : "cmdTransSet")->click();
    QCOMPARE(c.takeSent(), (QStringList{supported ? "SfaB|40|0|90" : "SfaT||0|100|0"}));
}

QTEST_MAIN(TestFaceTrans)
#include "tst_face_trans.moc"
