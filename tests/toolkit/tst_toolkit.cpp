// The toolkit semantics the handlers rely on: Click/Change raised at once
// and only on a real change, the button rule, list boxes, timers, the log.

#include "toolkit/controls/check_box.h"
#include "toolkit/controls/colours.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/log_box.h"
#include "toolkit/controls/scroll_bar.h"
#include "toolkit/controls/text_box.h"
#include "toolkit/controls/timer.h"
#include "support/mouse.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

class TestToolkit : public QObject {
    Q_OBJECT
private slots:
    void checkButtonRule();
    void checkBoxClickOnlyOnChange();
    void comboBox();
    void scrollBarChangeIsReentrant();
    void textBoxEvents();
    void timerTicksWhileEnabled();
    void logLines_data();
    void logLines();
    void logWrapsAtItsWidth();
    void logOffScreenWaitsForView();
    void doubleClickIsOneClick_data();
    void doubleClickIsOneClick();
    void colours();
};

void TestToolkit::checkButtonRule()
{
    tk::CheckBox button;
    button.setGraphical(true);
    button.resize(80, 24);
    int actions = 0;
    QList<int> seen;
    connect(&button, &tk::CheckBox::Click, this, [&] {
        seen << button.Value();
        if (button.takePress())
            ++actions;
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(actions, 1);
    QCOMPARE(seen, (QList<int>{1, 0})); // the reset raises a second, idle Click
    QCOMPARE(button.Value(), 0);
    QTest::keyClick(&button, Qt::Key_Space);
    QCOMPARE(actions, 2);
}

void TestToolkit::checkBoxClickOnlyOnChange()
{
    tk::CheckBox box;
    box.setText(QStringLiteral("Прозрачность"));
    box.resize(120, 20);
    QSignalSpy clicks(&box, &tk::CheckBox::Click);
    box.setValue(0);
    QCOMPARE(clicks.count(), 0);
    box.setValue(1);
    box.setValue(1);
    QCOMPARE(clicks.count(), 1);
    box.setValue(2);
    QCOMPARE(box.checkState(), Qt::PartiallyChecked);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(30, 10));
    QCOMPARE(box.Value(), 1); // the user only ever toggles between 0 and 1
    QCOMPARE(clicks.count(), 3);
}

void TestToolkit::comboBox()
{
    tk::ComboBox cmb;
    QSignalSpy clicks(&cmb, &tk::ComboBox::Click);
    for (const char *level : {"10", "50", "90"})
        cmb.AddItem(QString::fromLatin1(level));
    QCOMPARE(cmb.ListIndex(), -1); // adding items selects nothing
    cmb.setText(QStringLiteral("50"));
    QCOMPARE(cmb.ListIndex(), 1);
    QCOMPARE(clicks.count(), 1);
    cmb.setListIndex(1);
    cmb.setListIndex(7); // no such item
    QCOMPARE(clicks.count(), 1);

    cmb.setText(QStringLiteral("45")); // no such entry: shown, not selected
    QCOMPARE(cmb.ListIndex(), -1);
    QCOMPARE(cmb.Text(), QStringLiteral("45"));
    QCOMPARE(cmb.placeholderText(), QStringLiteral("45"));
    QCOMPARE(clicks.count(), 2);

    QTest::keyClick(&cmb, Qt::Key_End); // the user picks an entry
    QCOMPARE(cmb.Text(), QStringLiteral("90"));
    QCOMPARE(cmb.placeholderText(), QString());
    QCOMPARE(clicks.count(), 3);

    cmb.Clear();
    QCOMPARE(cmb.count(), 0);
    QCOMPARE(cmb.Text(), QString());
    QCOMPARE(clicks.count(), 3);

    cmb.AddItems({QStringLiteral("25"), QStringLiteral("75")}); // all at once: still nothing selected
    QCOMPARE(cmb.count(), 2);
    QCOMPARE(cmb.ListIndex(), -1);
    QCOMPARE(clicks.count(), 3);
}

void TestToolkit::scrollBarChangeIsReentrant()
{
    // Setting the value inside its own Change handler re-enters the handler,
    // which the wrap-around of the skin bars relies on.
    tk::HScrollBar bar;
    bar.setRange(0, 4);
    bar.setValue(1);
    QList<int> seen;
    connect(&bar, &tk::HScrollBar::Change, this, [&] {
        seen << bar.value();
        if (bar.value() == bar.minimum())
            bar.setValue(bar.maximum() - 1);
    });
    bar.triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(seen, (QList<int>{0, 3}));
    QCOMPARE(bar.value(), 3);
}

void TestToolkit::textBoxEvents()
{
    tk::TextBox box;
    QSignalSpy changes(&box, &tk::TextBox::Change);
    QSignalSpy keys(&box, &tk::TextBox::KeyPress);
    box.setText(QStringLiteral("7:30"));
    box.setText(QStringLiteral("7:30"));
    QCOMPARE(changes.count(), 1);
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClick(&box, Qt::Key_Escape);
    QTest::keyClick(&box, 'a');
    QCOMPARE(keys.count(), 3);
    QCOMPARE(keys.at(0).at(0).toInt(), 13);
    QCOMPARE(keys.at(1).at(0).toInt(), 27);
    QCOMPARE(keys.at(2).at(0).toInt(), int('a'));
    QCOMPARE(box.text(), QStringLiteral("7:30a")); // Enter and Escape type nothing
}

void TestToolkit::timerTicksWhileEnabled()
{
    tk::Timer timer;
    QSignalSpy ticks(&timer, &tk::Timer::Tick);
    timer.setInterval(1);
    QVERIFY(!timer.Enabled());
    timer.setEnabled(true);
    QVERIFY(timer.Enabled());
    QVERIFY(ticks.wait(1000));
    timer.setEnabled(false);
    QVERIFY(!timer.Enabled());
}

void TestToolkit::logLines_data()
{
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("flushEach"); // each message in a batch of events of its own
    QTest::addColumn<int>("maxLines");
    QTest::addColumn<int>("maxChars");
    QTest::addColumn<QString>("text");

    const QString x10 = QString(10, u'x');
    const QString y10 = QString(10, u'y');
    const QString z30 = QString(30, u'z');
    const QStringList five{"line 1", "line 2", "line 3", "line 4", "line 5"};
    for (bool each : {false, true}) {
        const char *batch = each ? " (one by one)" : " (one batch)";
        QTest::addRow("newest lines%s", batch) << five << each << 3 << 0 << "line 3\r\nline 4\r\nline 5\r\n";
        // A reply with CR LF inside is two lines.
        QTest::addRow("CR LF inside%s", batch) << QStringList{"line 4", "line 5", "a\r\nb"} << each << 3 << 0
                                               << "line 5\r\na\r\nb\r\n";
        QTest::addRow("CR LF is one character%s", batch) << QStringList{"x", "a\r\nb"} << each << 0 << 6
                                                         << "x\r\na\r\nb\r\n";
        QTest::addRow("nothing%s", batch) << QStringList{} << each << 0 << 0 << "";
        QTest::addRow("empty first%s", batch) << QStringList{""} << each << 0 << 0 << "\r\n";
        QTest::addRow("empty then text%s", batch) << QStringList{"", "a"} << each << 0 << 0 << "\r\na\r\n";
        QTest::addRow("two empty%s", batch) << QStringList{"", ""} << each << 0 << 0 << "\r\n\r\n";
        QTest::addRow("empty between%s", batch) << QStringList{"a", "", "b"} << each << 0 << 0 << "a\r\n\r\nb\r\n";
        // 11 characters a line with its break: 33 do not fit in 30.
        QTest::addRow("characters%s", batch) << QStringList{x10, y10, x10} << each << 0 << 30
                                             << y10 + "\r\n" + x10 + "\r\n";
        QTest::addRow("lines and characters%s", batch) << QStringList{x10, y10, "a", "b"} << each << 3 << 30
                                                       << y10 + "\r\na\r\nb\r\n";
        // The newest line stays whole even where it alone is over the limit.
        QTest::addRow("long line%s", batch) << QStringList{x10, z30} << each << 0 << 20 << z30 + "\r\n";
    }
}

void TestToolkit::logLines()
{
    QFETCH(QStringList, messages);
    QFETCH(bool, flushEach);
    QFETCH(int, maxLines);
    QFETCH(int, maxChars);
    QFETCH(QString, text);
    tk::LogBox log;
    log.setMaximumBlockCount(maxLines);
    log.setMaximumChars(maxChars);
    for (const QString &m : messages) {
        log.appendLine(m);
        if (flushEach)
            QCoreApplication::processEvents();
    }
    QCOMPARE(log.Text(), text);
    QCoreApplication::processEvents(); // nothing left to arrive later
    QCOMPARE(log.Text(), text);
    QCOMPARE(log.textCursor().position(), log.document()->characterCount() - 1); // the end is in view
}

void TestToolkit::logWrapsAtItsWidth()
{
    tk::LogBox log;
    log.resize(200, 120);
    log.show();
    log.appendLine(QString(2000, u'w'));
    log.appendLine(QStringLiteral("Gsk1|a|b"));
    QCoreApplication::processEvents();
    QCOMPARE(log.horizontalScrollBar()->maximum(), 0);
    QVERIFY(!log.horizontalScrollBar()->isVisible());
    QCOMPARE(log.document()->blockCount(), 2); // wrapped, not split
    QVERIFY(log.verticalScrollBar()->maximum() > 0);
}

// Beyond the window's edge, as the debug strip lies, the log lays out
// nothing until a resize brings it into view.
void TestToolkit::logOffScreenWaitsForView()
{
    QWidget window;
    window.resize(200, 100);
    auto *log = new tk::LogBox(&window);
    log->setGeometry(300, 0, 150, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    log->appendLine(QStringLiteral("one"));
    log->appendLine(QStringLiteral("two"));
    QCoreApplication::processEvents();
    QVERIFY(log->document()->isEmpty());

    window.resize(500, 100);
    QTRY_COMPARE(log->document()->blockCount(), 2);
    QCOMPARE(log->Text(), QStringLiteral("one\r\ntwo\r\n"));
    log->appendLine(QStringLiteral("three")); // in view now: no waiting
    QCoreApplication::processEvents();
    QCOMPARE(log->document()->blockCount(), 3);
}

void TestToolkit::doubleClickIsOneClick_data()
{
    QTest::addColumn<bool>("label");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("text box") << false << QStringList{"Click", "DblClick"};
    QTest::newRow("label") << true << QStringList{"MouseDown", "Click", "DblClick"};
}

void TestToolkit::doubleClickIsOneClick()
{
    QFETCH(bool, label);
    QFETCH(QStringList, events);
    QStringList seen;
    const auto record = [&seen](const char *name) { return [&seen, name] { seen << QString::fromLatin1(name); }; };
    std::unique_ptr<QWidget> w;
    if (label) {
        auto *l = new tk::Label;
        connect(l, &tk::Label::MouseDown, this, record("MouseDown"));
        connect(l, &tk::Label::Click, this, record("Click"));
        connect(l, &tk::Label::DblClick, this, record("DblClick"));
        w.reset(l);
    } else {
        auto *t = new tk::TextBox;
        t->setLinkStyle(0xE8A568, 0x0000C0);
        connect(t, &tk::TextBox::Click, this, record("Click"));
        connect(t, &tk::TextBox::DblClick, this, record("DblClick"));
        w.reset(t);
    }
    w->resize(120, 20);
    mouse::doubleClick(w.get());
    QCOMPARE(seen, events);
    seen.clear();
    QTest::mouseClick(w.get(), Qt::LeftButton); // the next single click counts again
    QCOMPARE(seen.count(QStringLiteral("Click")), 1);
}

void TestToolkit::colours()
{
    QCOMPARE(tk::fromBgr(0x222AC7), QColor(0xC7, 0x2A, 0x22)); // red 199, green 42, blue 34
    QCOMPARE(tk::toBgr(QColor(64, 216, 184)), 0x00B8D840u);
    QLabel label;
    tk::setForeColor(&label, 0x80FF80);
    QCOMPARE(tk::foreColor(&label), 0x80FF80u);
    QCOMPARE(label.palette().color(QPalette::WindowText), QColor(0x80, 0xFF, 0x80));
}

QTEST_MAIN(TestToolkit)
#include "tst_toolkit.moc"
