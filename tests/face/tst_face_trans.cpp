// Transparency, brightness and the two page buttons of the "Скины" page,
// driven through a started-up window: replies go through the dispatcher, user
// actions through the controls, commands are read at the UDP peer.

#include "user_window.h"

#include "toolkit/controls/check_box.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/controls/text_box.h"

#include <QSignalSpy>

namespace {

QStringList itemsOf(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

} // namespace

class TestFaceTrans : public QObject {
    Q_OBJECT
private slots:
    void userActions_data();
    void userActions();
    void transparencyReply_data();
    void transparencyReply();
    void brightnessReply_data();
    void brightnessReply();
};

// What the user's clicks, keys and typing send. The bounds' boxes send
// nothing themselves: edited bounds go out with "Сохранить", as typed.
void TestFaceTrans::userActions_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<QList<qint16>>("queued"); // the reads that follow

    const QString trans = "reply:GfaT|50|10|90|1|10|50|90";
    QTest::newRow("design texts before any reply") << QStringList{"click:cmdTransSet", "click:cmdBrightSet"}
                                                   << QStringList{"SfaT||0|100|0", "SfaB||0|100"} << QList<qint16>{};
    // The controls already show what was sent: nothing is read afterwards,
    // but after "Получить" every group is.
    QTest::newRow("Получить") << QStringList{"click:cmdGetFace"} << QStringList{"Gsk?"} << QList<qint16>{2, 3, 4, 5};
    QTest::newRow("Сохранить всё") << QStringList{"click:cmdSaveAll"} << QStringList{"Sss1"} << QList<qint16>{};
    QTest::newRow("mode sent at once, either way") << QStringList{trans, "click:chkTrans@left", "click:chkTrans@left"}
                                                   << QStringList{"SfaT|50|10|90|0", "SfaT|50|10|90|1"} << QList<qint16>{};
    QTest::newRow("picking a level") << QStringList{trans, "reply:GfaB|40|0|100|1|20|40|60", "focus:cmbTrans",
                                                    "key:Down", "focus:cmbBright", "key:Up"}
                                     << QStringList{"SfaT|90|10|90|1", "SfaB|20|0|100"} << QList<qint16>{};
    QTest::newRow("edited transparency bounds")
        << QStringList{trans, "focus:txtTransMin", "type:5", "focus:txtTransMax", "type:9|5", "click:cmdTransSet"}
        << QStringList{"SfaT|50|5|9|5|1"} << QList<qint16>{};
    QTest::newRow("edited brightness bound") << QStringList{"reply:GfaB|60|20|100|1|20|60|80", "focus:txtBrightMax", "type:80", "click:cmdBrightSet"}
                                             << QStringList{"SfaB|60|20|80"} << QList<qint16>{};
}

void TestFaceTrans::userActions()
{
    QFETCH(QStringList, steps);
    UserWindow w(UserWindow::onPage(0));
    QVERIFY(w.isActive());
    QString failed;
    QVERIFY2(w.run(steps, &failed), qPrintable(failed));
    QTEST(w.takeSent(), "sent");
    QTEST(w.link().queue().items(), "queued");
    for (const char *button : {"cmdGetFace", "cmdSaveAll", "cmdTransSet", "cmdBrightSet"})
        QVERIFY2(w.get<tk::CheckBox>(QString::fromLatin1(button))->Value() == 0, button);
}

void TestFaceTrans::transparencyReply_data()
{
    QTest::addColumn<QString>("payload");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("shown"); // level|min|max|mode

    // Before: 20|0|100|0 with the levels 20 and 40.
    QTest::newRow("level in the list") << "50|10|90|1|10|50|90" << QStringList{"10", "50", "90"} << "50|10|90|1";
    QTest::newRow("no levels offered") << "50|10|90|1" << QStringList{} << "50|10|90|1";
    // The reported level stays what the box shows and what goes out: neither
    // the entry selected before nor the first entry of the new list.
    QTest::newRow("level not in the list") << "75|10|90|1|10|50|90" << QStringList{"10", "50", "90"} << "75|10|90|1";
    // The list is rebuilt and the level shown before a failure; the mode stays.
    QTest::newRow("word as mode") << "50|10|90|x|10|50|90" << QStringList{"10", "50", "90"} << "50|10|90|0";
    QTest::newRow("mode 3") << "50|10|90|3|10|50|90" << QStringList{"10", "50", "90"} << "50|10|90|0";
    QTest::newRow("mode missing") << "50|10|90" << QStringList{} << "50|10|90|0";
    QTest::newRow("bounds missing") << "50" << QStringList{} << "50|0|100|0";
    QTest::newRow("empty payload") << "" << QStringList{} << "|0|100|0";
}

void TestFaceTrans::transparencyReply()
{
    QFETCH(QString, payload);
    QFETCH(QStringList, items);
    QFETCH(QString, shown);
    const QStringList field = shown.split(u'|');
    ClientFixture c;
    c.reply(QStringLiteral("GfaT|20|0|100|0|20|40")); // a different level already selected
    auto *cmbTrans = c.get<tk::ComboBox>("cmbTrans");
    auto *chkTrans = c.get<tk::CheckBox>("chkTrans");
    QSignalSpy modeClicks(chkTrans, &tk::CheckBox::Click);

    c.reply("GfaT|" + payload);

    QCOMPARE(itemsOf(cmbTrans), items);
    QCOMPARE(cmbTrans->ListIndex(), items.indexOf(field[0]));
    QCOMPARE(cmbTrans->currentText(), cmbTrans->ListIndex() >= 0 ? field[0] : QString());
    const QStringList showing{cmbTrans->Text(), c.get<tk::TextBox>("txtTransMin")->text(),
                              c.get<tk::TextBox>("txtTransMax")->text(), QString::number(chkTrans->Value())};
    QCOMPARE(showing.join(u'|'), shown);
    QCOMPARE(modeClicks.count(), chkTrans->Value());
    QCOMPARE(c.takeSent(), QStringList{});
    QVERIFY(!c.state().bLockEvents);

    // A click on the mode sends what is shown, with the other mode.
    const int mode = chkTrans->Value();
    chkTrans->click();
    QCOMPARE(chkTrans->Value(), 1 - mode);
    QCOMPARE(c.takeSent(), QStringList{"SfaT|" + field.mid(0, 3).join(u'|') + u'|' + QString::number(1 - mode)});
}

void TestFaceTrans::brightnessReply_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("payload");
    QTest::addColumn<bool>("supported");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("shown"); // level|min|max

    QTest::newRow("supported") << "|||0" << "60|20|80|1|20|60|80" << true << QStringList{"20", "60", "80"}
                               << "60|20|80";
    QTest::newRow("supported, no levels") << "|||0" << "60|20|80|1" << true << QStringList{} << "60|20|80";
    // Fields 0 to 2 are not read; the bounds keep the text they had, greyed.
    QTest::newRow("unsupported, empty fields") << "60|20|80|1|20|60|80" << "|||0" << false << QStringList{}
                                               << "|20|80";
    QTest::newRow("unsupported, levels ignored") << "60|20|80|1|20|60|80" << "5|6|7|0|5|6" << false
                                                 << QStringList{} << "|20|80";
    // Step 3 comes first: nothing changes at all.
    const QString supported = "40|0|90|1|40|60";
    QTest::newRow("support field a word") << supported << "60|20|80|maybe|60" << true << QStringList{"40", "60"}
                                          << "40|0|90";
    QTest::newRow("support field missing") << supported << "60|20|80" << true << QStringList{"40", "60"} << "40|0|90";
    QTest::newRow("empty payload") << supported << "" << true << QStringList{"40", "60"} << "40|0|90";
    QTest::newRow("unsupported before, bad field") << "|||0" << "60|20|80|x" << false << QStringList{} << "|0|100";
}

void TestFaceTrans::brightnessReply()
{
    QFETCH(QString, before);
    QFETCH(QString, payload);
    QFETCH(bool, supported);
    QFETCH(QString, shown);
    ClientFixture c;
    c.reply("GfaB|" + before);

    c.reply("GfaB|" + payload);

    QCOMPARE(c.state().bBrightSupported, supported);
    for (const char *name : {"cmbBright", "txtBrightMin", "txtBrightMax", "cmdBrightSet"})
        QVERIFY2(c.get<QWidget>(QString::fromLatin1(name))->isEnabled() == supported, name);
    QVERIFY(c.get<QWidget>("cmbTrans")->isEnabled()); // transparency is never disabled
    QTEST(itemsOf(c.get<tk::ComboBox>("cmbBright")), "items");
    const QStringList showing{c.get<tk::ComboBox>("cmbBright")->Text(), c.get<tk::TextBox>("txtBrightMin")->text(),
                              c.get<tk::TextBox>("txtBrightMax")->text()};
    QCOMPARE(showing.join(u'|'), shown);
    QCOMPARE(c.takeSent(), QStringList{});
    QVERIFY(!c.state().bLockEvents);

    // A disabled "Сохранить" takes no click; the transparency one always does.
    c.get<tk::CheckBox>("cmdBrightSet")->click();
    c.get<tk::CheckBox>("cmdTransSet")->click();
    QStringList sent{"SfaT||0|100|0"};
    if (supported)
        sent.prepend("SfaB|" + shown);
    QCOMPARE(c.takeSent(), sent);
}

QTEST_MAIN(TestFaceTrans)
#include "tst_face_trans.moc"
