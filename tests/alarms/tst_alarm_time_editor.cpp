// The in-place time editor driven by mouse and keyboard, and the link texts'
// hover effect, which takes the focus away from an open editor.

#include "alarms_window.h"

#include "toolkit/controls/colours.h"

class TestAlarmTimeEditor : public QObject {
    Q_OBJECT
private slots:
    void unknownTimeOpensOrange();
    void validTimeTakenByEnter();
    void colourFollowsText_data();
    void colourFollowsText();
    void sixthCharacterRefused();
    void takenByDoubleClick();
    void discarded_data();
    void discarded();
    void secondEditorClosesFirst();
    void clickOnLabelRestartsEdit();
    void editedTimeSentWithSeconds();
    void linkHover_data();
    void linkHover();
    void oneLinkHotAtATime();
};

namespace {

bool isOpen(AlarmsWindow &w, int i)
{
    return w.editor(i)->isVisible() && w.editor(i)->hasFocus() && !w.getButton(i)->isEnabled()
        && !w.setButton(i)->isEnabled();
}

bool isClosed(AlarmsWindow &w, int i)
{
    return !w.editor(i)->isVisible() && w.getButton(i)->isEnabled() && w.setButton(i)->isEnabled();
}

} // namespace

void TestAlarmTimeEditor::unknownTimeOpensOrange()
{
    AlarmsWindow w;
    QVERIFY(w.isActive());
    w.openEditor(1);
    QVERIFY(isOpen(w, 1));
    QCOMPARE(w.editor(1)->text(), QStringLiteral("?:??"));
    QCOMPARE(tk::backColor(w.editor(1)), AlarmTimeEditor::kTimeInvalid);
    QTest::keyClick(w.editor(1), Qt::Key_Return);
    QVERIFY(isOpen(w, 1));
    QCOMPARE(w.label(1)->text(), QStringLiteral("?:??"));
}

void TestAlarmTimeEditor::validTimeTakenByEnter()
{
    AlarmsWindow w;
    QVERIFY(w.isActive());
    w.openEditor(2);
    QTest::keyClicks(w.editor(2), QStringLiteral("7:30")); // replaces the selected "?:??"
    QCOMPARE(tk::backColor(w.editor(2)), AlarmTimeEditor::kTimeValid);
    QTest::keyClick(w.editor(2), Qt::Key_Enter);
    QCOMPARE(w.label(2)->text(), QStringLiteral("7:30"));
    QVERIFY(isClosed(w, 2));
    QVERIFY(w.setButton(2)->hasFocus()); // the row's next step
    QVERIFY(w.takeSent().isEmpty());
}

void TestAlarmTimeEditor::colourFollowsText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("valid");
    QTest::newRow("H:M") << "7:5" << true;
    QTest::newRow("HH:MM") << "23:59" << true;
    QTest::newRow("hour 24") << "24:00" << false;
    QTest::newRow("minute 60") << "7:60" << false;
    QTest::newRow("no minutes") << "7:" << false;
    QTest::newRow("dot") << "7.30" << false;
}

void TestAlarmTimeEditor::colourFollowsText()
{
    QFETCH(QString, typed);
    QFETCH(bool, valid);
    AlarmsWindow w;
    QVERIFY(w.isActive());
    w.openEditor(3);
    QTest::keyClicks(w.editor(3), typed);
    QCOMPARE(tk::backColor(w.editor(3)), valid ? AlarmTimeEditor::kTimeValid : AlarmTimeEditor::kTimeInvalid);
    QTest::keyClick(w.editor(3), Qt::Key_Return);
    QCOMPARE(w.label(3)->text(), valid ? typed : QStringLiteral("?:??"));
    QCOMPARE(isClosed(w, 3), valid);
}

void TestAlarmTimeEditor::sixthCharacterRefused()
{
    AlarmsWindow w;
    QVERIFY(w.isActive());
    w.openEditor(1);
    QTest::keyClicks(w.editor(1), QStringLiteral("12:305"));
    QCOMPARE(w.editor(1)->text(), QStringLiteral("12:30"));
}

void TestAlarmTimeEditor::takenByDoubleClick()
{
    AlarmsWindow w;
    QVERIFY(w.isActive());
    w.openEditor(4);
    QTest::keyClicks(w.editor(4), QStringLiteral("?"));
    QTest::mouseDClick(w.editor(4), Qt::LeftButton);
    QVERIFY(isOpen(w, 4)); // not a time: stays open

    QTest::keyClick(w.editor(4), Qt::Key_Backspace);
    QTest::keyClicks(w.editor(4), QStringLiteral("6:45"));
    QTest::mouseDClick(w.editor(4), Qt::LeftButton);
    QCOMPARE(w.label(4)->text(), QStringLiteral("6:45"));
    QVERIFY(isClosed(w, 4));
}

void TestAlarmTimeEditor::discarded_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape") << "escape";
    QTest::newRow("click into the ring text") << "ring";
    QTest::newRow("pointer onto a link text") << "link";
}

void TestAlarmTimeEditor::discarded()
{
    QFETCH(QString, how);
    AlarmsWindow w;
    QVERIFY(w.isActive());
    w.reply(QStringLiteral("Gbd1|1|6:00:00|1|ring1|0|0|0|0"));
    w.openEditor(1);
    QCOMPARE(w.editor(1)->text(), QStringLiteral("6:00"));
    QTest::keyClicks(w.editor(1), QStringLiteral("7:30"));
    if (how == QLatin1String("escape"))
        QTest::keyClick(w.editor(1), Qt::Key_Escape);
    else if (how == QLatin1String("ring"))
        w.click(w.ring(1));
    else
        QTest::mouseMove(w.text("txtBudOtkl"));
    QVERIFY(isClosed(w, 1));
    if (how == QLatin1String("escape"))
        QVERIFY(w.label(1)->hasFocus()); // back on the time that stayed
    QCOMPARE(w.label(1)->text(), QStringLiteral("6:00"));
    // Text and colour survive while closed.
    QCOMPARE(w.editor(1)->text(), QStringLiteral("7:30"));
    QCOMPARE(tk::backColor(w.editor(1)), AlarmTimeEditor::kTimeValid);
    QVERIFY(w.takeSent().isEmpty());
}

void TestAlarmTimeEditor::secondEditorClosesFirst()
{
    AlarmsWindow w;
    QVERIFY(w.isActive());
    w.openEditor(1);
    QTest::keyClicks(w.editor(1), QStringLiteral("7:30"));
    w.openEditor(2);
    QVERIFY(isClosed(w, 1));
    QVERIFY(isOpen(w, 2));
    QCOMPARE(w.label(1)->text(), QStringLiteral("?:??"));
}

void TestAlarmTimeEditor::clickOnLabelRestartsEdit()
{
    AlarmsWindow w;
    QVERIFY(w.isActive());
    w.openEditor(1);
    QTest::keyClicks(w.editor(1), QStringLiteral("7:3"));
    w.openEditor(1); // the strip of the label left of the editor
    QVERIFY(isOpen(w, 1));
    QCOMPARE(w.editor(1)->text(), QStringLiteral("?:??"));
    QCOMPARE(tk::backColor(w.editor(1)), AlarmTimeEditor::kTimeInvalid);
}

void TestAlarmTimeEditor::editedTimeSentWithSeconds()
{
    AlarmsWindow w;
    QVERIFY(w.isActive());
    w.openEditor(3);
    QTest::keyClicks(w.editor(3), QStringLiteral("7:5"));
    QTest::keyClick(w.editor(3), Qt::Key_Return);
    QCOMPARE(w.label(3)->text(), QStringLiteral("7:5")); // exactly as typed
    w.click(w.setButton(3));
    QCOMPARE(w.takeSent(), QStringList{"Sbd3|7:5:0|0"});
}

void TestAlarmTimeEditor::linkHover_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("otherLink");
    QTest::newRow("Заглушить будильник") << "txtBudStop" << "txtBudOtkl";
    QTest::newRow("Откл/Вкл. будильников") << "txtBudOtkl" << "txtBudStop";
}

void TestAlarmTimeEditor::linkHover()
{
    QFETCH(QString, link);
    QFETCH(QString, otherLink);
    AlarmsWindow w;
    QVERIFY(w.isActive());
    auto *box = w.get<tk::TextBox>(link);
    auto *exit = w.box("cmdExit");
    w.openEditor(2);
    QTest::keyClicks(w.editor(2), QStringLiteral("8:15"));

    QTest::mouseMove(box, QPoint(5, 5));
    QVERIFY(box->font().underline());
    QVERIFY(exit->hasFocus());
    QVERIFY(isClosed(w, 2));
    QCOMPARE(w.label(2)->text(), QStringLiteral("?:??"));

    // Moves inside leave the focus where the user has put it since.
    w.ring(1)->setFocus();
    QTest::mouseMove(box, QPoint(box->width() - 1, box->height() - 1));
    QVERIFY(w.ring(1)->hasFocus());
    QVERIFY(box->font().underline());

    QTest::mouseMove(w.label(4));
    QVERIFY(!box->font().underline());
    QVERIFY(!w.get<tk::TextBox>(otherLink)->font().underline());
    QCOMPARE(exit->Value(), 0); // focused, never pressed
    QVERIFY(w.window().isVisible());
    QVERIFY(w.takeSent().isEmpty());
}

void TestAlarmTimeEditor::oneLinkHotAtATime()
{
    AlarmsWindow w;
    QVERIFY(w.isActive());
    auto *stop = w.text("txtBudStop");
    auto *otkl = w.text("txtBudOtkl");
    // An enter whose leave never comes, as for a window shown under the pointer.
    const auto enter = [](QWidget *target) {
        const QPointF at(3, 3);
        QEnterEvent event(at, target->mapTo(target->window(), at), target->mapToGlobal(at));
        QCoreApplication::sendEvent(target, &event);
    };
    enter(otkl);
    QVERIFY(otkl->font().underline());
    enter(stop);
    QVERIFY(stop->font().underline());
    QVERIFY(!otkl->font().underline());
}

QTEST_MAIN(TestAlarmTimeEditor)
#include "tst_alarm_time_editor.moc"
