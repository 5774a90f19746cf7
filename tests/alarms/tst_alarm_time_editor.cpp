// The in-place time editor driven by mouse and keyboard, and the link texts'
// hover effect, which takes the focus away from an open editor.

#include "user_window.h"

#include "alarms/alarms_page.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/colours.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/text_box.h"

class TestAlarmTimeEditor : public QObject {
    Q_OBJECT
private slots:
    void edit_data();
    void edit();
    void linkHover_data();
    void linkHover();
    void oneLinkHotAtATime();
};

namespace {

QString label(int row) { return QStringLiteral("lblBudTime(%1)").arg(row); }
QString editor(int row) { return QStringLiteral("txtBudTime(%1)").arg(row); }
QStringList clickTime(int row) { return {"click:" + label(row) + "@left"}; }

// Open: shown with the focus, and the row's buttons wait. Closed: hidden, the
// buttons back.
QString editorState(UserWindow &w, int row)
{
    auto *box = w.get<tk::TextBox>(QStringLiteral("txtBudTime"), row);
    const bool buttons = w.get<QWidget>(QStringLiteral("cmdBudGet"), row)->isEnabled()
        && w.get<QWidget>(QStringLiteral("cmdBudSet"), row)->isEnabled();
    if (box->isVisible() && box->hasFocus() && !buttons)
        return QStringLiteral("open");
    return !box->isVisible() && buttons ? QStringLiteral("closed") : QStringLiteral("half");
}

} // namespace

void TestAlarmTimeEditor::edit_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("text"); // the editor's, kept while closed
    QTest::addColumn<bool>("valid");   // its colour
    QTest::addColumn<QString>("focus"); // empty: not checked

    QTest::newRow("unknown time opens orange, Enter keeps it open")
        << clickTime(1) + QStringList{"key:Return"} << 1 << "?:??" << "open" << "?:??" << false << editor(1);
    // The typing replaces the selected "?:??"; the focus goes on to the row's next step.
    QTest::newRow("valid time taken by Enter") << clickTime(2) + QStringList{"type:7:30", "key:Enter"} << 2 << "7:30"
                                               << "closed" << "7:30" << true << "cmdBudSet(2)";
    const auto typed = [](int row, const QString &text) { return clickTime(row) + QStringList{"type:" + text}; };
    const std::pair<const char *, bool> typings[] = {{"7:5", true},   {"23:59", true}, {"24:00", false},
                                                     {"7:60", false}, {"7:", false},   {"7.30", false}};
    for (const auto &[text, valid] : typings) {
        QTest::addRow("typed %s, Return", text) << typed(3, text) + QStringList{"key:Return"} << 3
                                                << (valid ? text : "?:??") << (valid ? "closed" : "open") << text
                                                << valid << "";
    }
    QTest::newRow("sixth character refused") << typed(1, "12:305") << 1 << "?:??" << "open" << "12:30" << true << "";
    QTest::newRow("double click on no time stays open") << typed(4, "?") + QStringList{"dblclick:" + editor(4)} << 4
                                                        << "?:??" << "open" << "?" << false << "";
    QTest::newRow("time taken by double click")
        << typed(4, "?") + QStringList{"dblclick:" + editor(4), "key:Backspace", "type:6:45", "dblclick:" + editor(4)}
        << 4 << "6:45" << "closed" << "6:45" << true << "";

    // Discarded: the label keeps its time; Escape goes back to it.
    const QString known = "reply:Gbd1|1|6:00:00|1|ring1|0|0|0|0";
    QTest::newRow("opens on the time shown") << QStringList{known} + clickTime(1) << 1 << "6:00" << "open" << "6:00"
                                             << true << editor(1);
    QTest::newRow("discarded by Escape") << QStringList{known} + typed(1, "7:30") + QStringList{"key:Escape"} << 1
                                         << "6:00" << "closed" << "7:30" << true << label(1);
    QTest::newRow("discarded by a click into the ring text")
        << QStringList{known} + typed(1, "7:30") + QStringList{"click:txtBudRing(1)"} << 1 << "6:00" << "closed"
        << "7:30" << true << "txtBudRing(1)";
    QTest::newRow("discarded by the pointer onto a link text")
        << QStringList{known} + typed(1, "7:30") + QStringList{"move:txtBudOtkl"} << 1 << "6:00" << "closed" << "7:30"
        << true << "cmdExit";
    QTest::newRow("a second editor closes the first") << typed(1, "7:30") + clickTime(2) << 1 << "?:??" << "closed"
                                                      << "7:30" << true << editor(2);
    QTest::newRow("a click on the label starts again") << typed(1, "7:3") + clickTime(1) << 1 << "?:??" << "open" << "?:??"
                                                       << false << editor(1);
}

void TestAlarmTimeEditor::edit()
{
    QFETCH(QStringList, steps);
    QFETCH(int, row);
    QFETCH(bool, valid);
    QFETCH(QString, focus);
    UserWindow w;
    QVERIFY(w.isActive());
    QString failed;
    QVERIFY2(w.run(steps, &failed), qPrintable(failed));
    QTEST(w.get<tk::Label>("lblBudTime", row)->text(), "label");
    QTEST(editorState(w, row), "state");
    QTEST(w.get<tk::TextBox>("txtBudTime", row)->text(), "text");
    using alarms::AlarmTimeEditor;
    QCOMPARE(tk::backColor(w.get<QWidget>("txtBudTime", row)),
             valid ? AlarmTimeEditor::kTimeValid : AlarmTimeEditor::kTimeInvalid);
    if (!focus.isEmpty())
        QCOMPARE(w.focusName(), focus);
    QVERIFY(w.takeSent().isEmpty());
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
    UserWindow w;
    QVERIFY(w.isActive());
    auto *box = w.get<tk::TextBox>(link);
    QVERIFY(w.run(clickTime(2) + QStringList{"type:8:15"}));

    QTest::mouseMove(box, QPoint(5, 5));
    QVERIFY(box->font().underline());
    QCOMPARE(w.focusName(), QStringLiteral("cmdExit"));
    QCOMPARE(editorState(w, 2), QStringLiteral("closed"));
    QCOMPARE(w.get<tk::Label>("lblBudTime", 2)->text(), QStringLiteral("?:??"));

    // Moves inside leave the focus where the user has put it since.
    QVERIFY(w.run({"focus:txtBudRing(1)"}));
    QTest::mouseMove(box, QPoint(box->width() - 1, box->height() - 1));
    QCOMPARE(w.focusName(), QStringLiteral("txtBudRing(1)"));
    QVERIFY(box->font().underline());

    QVERIFY(w.run({"move:lblBudTime(4)"}));
    QVERIFY(!box->font().underline());
    QVERIFY(!w.get<tk::TextBox>(otherLink)->font().underline());
    QCOMPARE(w.get<tk::CheckBox>("cmdExit")->Value(), 0); // focused, never pressed
    QVERIFY(w.window().isVisible());
    QVERIFY(w.takeSent().isEmpty());
}

void TestAlarmTimeEditor::oneLinkHotAtATime()
{
    UserWindow w;
    QVERIFY(w.isActive());
    auto *stop = w.get<tk::TextBox>("txtBudStop");
    auto *otkl = w.get<tk::TextBox>("txtBudOtkl");
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
