// What a label draws, and when: changes undone within one turn of the event
// loop are not drawn at all; text set from code on a label that can take the
// focus keeps the label's place in the keyboard order.

#include "toolkit/controls/colours.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/text_setters.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace {

class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget *w) { w->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Qt's text document behind a label, made for a label that holds the focus.
bool hasTextDocument(const QLabel *label)
{
    const auto children = label->findChildren<QObject *>(Qt::FindDirectChildrenOnly);
    return std::any_of(children.begin(), children.end(), [](const QObject *o) {
        return qstrcmp(o->metaObject()->className(), "QWidgetTextControl") == 0;
    });
}

} // namespace

class TestLabel : public QObject {
    Q_OBJECT
private slots:
    void drawnAtEndOfTurn_data();
    void drawnAtEndOfTurn();
    void focusableLabelText_data();
    void focusableLabelText();
};

void TestLabel::drawnAtEndOfTurn_data()
{
    QTest::addColumn<QString>("before");    // drawn before the turn
    QTest::addColumn<QStringList>("texts"); // set one after another within one turn
    QTest::addColumn<quint32>("colour");    // set after the first text; 0: left alone
    QTest::addColumn<int>("paints");

    QTest::newRow("shown and emptied again") << "" << QStringList{"0k!", ""} << 0x80FF80u << 0;
    QTest::newRow("the same text again, another colour") << "" << QStringList{"Err=1", "Err=1"} << 0x80FF80u << 1;
    QTest::newRow("the same text and colour") << "Err=1" << QStringList{"Err=1"} << 0u << 0;
    QTest::newRow("a new text") << "" << QStringList{"0k!"} << 0u << 1;
    QTest::newRow("changed twice, drawn once") << "" << QStringList{"0k!", "Err=2", "Err=3"} << 0u << 1;
}

void TestLabel::drawnAtEndOfTurn()
{
    QFETCH(QString, before);
    QFETCH(QStringList, texts);
    QFETCH(quint32, colour);
    QFETCH(int, paints);

    QWidget window;
    window.resize(200, 50);
    auto *label = new tk::Label(&window);
    label->setGeometry(0, 0, 150, 20);
    tk::setForeColor(label, 0x8080FF);
    label->setText(before);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    settle();

    const PaintCount count(label);
    label->drawAtEndOfTurn();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        label->setText(texts.at(i));
        if (i == 0 && colour != 0)
            tk::setForeColor(label, colour);
    }
    QCOMPARE(label->text(), texts.last()); // what it holds changes at once
    settle();
    QCOMPARE(count.paints, paints);
    QVERIFY(label->updatesEnabled());

    // Drawing is back to normal once the turn has ended.
    label->setText(QStringLiteral("later"));
    settle();
    QCOMPARE(count.paints, paints + 1);
}

void TestLabel::focusableLabelText_data()
{
    QTest::addColumn<Qt::FocusPolicy>("policy");
    QTest::addColumn<bool>("focused");

    QTest::newRow("takes no focus") << Qt::NoFocus << false;
    QTest::newRow("takes the focus, does not hold it") << Qt::TabFocus << false;
    QTest::newRow("holds the focus") << Qt::TabFocus << true;
}

// A screen reader follows the cursor of the document Qt keeps for a focused
// label; a label that does not hold the focus needs none to show its text.
void TestLabel::focusableLabelText()
{
    QFETCH(Qt::FocusPolicy, policy);
    QFETCH(bool, focused);

    QWidget window;
    auto *before = new QLineEdit(&window);
    auto *label = new tk::Label(&window);
    auto *after = new QLineEdit(&window);
    label->setFocusPolicy(policy);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    (focused ? static_cast<QWidget *>(label) : before)->setFocus();
    QCOMPARE(label->hasFocus(), focused);

    tk::setCaption(label, QStringLiteral("7:05"));
    QCOMPARE(label->text(), QStringLiteral("7:05"));
    QCOMPARE(label->focusPolicy(), policy);
    QCOMPARE(label->hasFocus(), focused);
    QCOMPARE(hasTextDocument(label), focused);

    // The keyboard order still runs through the label when it takes the focus.
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), policy == Qt::NoFocus ? static_cast<QWidget *>(after) : label);
}

QTEST_MAIN(TestLabel)
#include "tst_label.moc"
