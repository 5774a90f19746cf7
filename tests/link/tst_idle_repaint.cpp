// What the poll and no-answer ticks draw: with a silent peer, nothing; and
// what a read answered in the middle of the initial reads draws. The ticks
// are called directly, never waited for; paint events on the window and
// every control in it are counted by an event filter.

#include "client_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

namespace {

// Counts the paint events of one window's widgets, by widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *window) : m_window(window) { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }

    int total() const { return m_total; }
    int of(const QWidget *w) const { return m_byWidget.value(w); }
    QStringList painted() const
    {
        QStringList names;
        for (auto it = m_byWidget.begin(); it != m_byWidget.end(); ++it)
            names << it.key()->objectName();
        return names;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto *w = static_cast<QWidget *>(watched);
            if (w == m_window || m_window->isAncestorOf(w)) {
                ++m_total;
                ++m_byWidget[w];
            }
        }
        return false;
    }

private:
    QWidget *m_window;
    int m_total = 0;
    QHash<const QWidget *, int> m_byWidget;
};

// Delivers what the ticks posted (update requests among them) and paints.
void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

} // namespace

class TestIdleRepaint : public QObject {
    Q_OBJECT
private slots:
    void ticks_data();
    void ticks();
    void resultEmptiedByNextRead();
};

void TestIdleRepaint::ticks_data()
{
    QTest::addColumn<QString>("before");   // reply handled before the ticks; empty: none
    QTest::addColumn<int>("pollTicks");
    QTest::addColumn<int>("silenceTicks"); // of the no-answer timer
    QTest::addColumn<QString>("repainted"); // the control that must repaint; empty: none at all

    QTest::newRow("silent peer: polls") << QString() << 5 << 0 << QString();
    QTest::newRow("silent peer: polls and no-answer ticks") << QString() << 5 << 4 << QString();
    QTest::newRow("a shown result is cleared by the first poll") << QStringLiteral("Gfa*|0|0|0|0|1|1") << 5 << 0
                                                                  << QStringLiteral("lblErr");
    QTest::newRow("the green indicator turns red once") << QStringLiteral("ping") << 0 << 4
                                                        << QStringLiteral("shpInd");
}

void TestIdleRepaint::ticks()
{
    QFETCH(QString, before);
    QFETCH(int, pollTicks);
    QFETCH(int, silenceTicks);
    QFETCH(QString, repainted);

    ClientFixture c;
    c.window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&c.window()));
    if (!before.isEmpty())
        c.reply(before);
    settle();
    c.takeSent();

    const PaintCounter paints(&c.window());
    for (int i = 0; i < pollTicks; ++i) {
        c.link().tmr_Timer(0);
        settle();
    }
    for (int i = 0; i < silenceTicks; ++i) {
        c.link().tmr_Timer(1);
        settle();
    }

    QCOMPARE(c.takeSent(), QStringList(pollTicks, QStringLiteral("ping"))); // the polls did go out
    if (repainted.isEmpty()) {
        QVERIFY2(paints.total() == 0, qPrintable(paints.painted().join(u' ')));
    } else {
        // A real change is drawn, once; nothing else is.
        const auto *changed = c.get<QWidget>(repainted);
        QVERIFY2(paints.of(changed) == 1, qPrintable(paints.painted().join(u' ')));
        QVERIFY(!paints.painted().contains(QStringLiteral("txtMsg")));
    }
}

// "0k!" for an answer, and the next read's send empties the line again in
// the same handling: the line looks as it did, so it is not drawn.
void TestIdleRepaint::resultEmptiedByNextRead()
{
    ClientFixture c;
    c.window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&c.window()));
    c.link().InitGetData();
    settle();
    QCOMPARE(c.takeSent().value(0), QStringLiteral("Gsk?"));

    const PaintCounter paints(&c.window());
    c.reply(QStringLiteral("Gfa*|0|0|0|0|1|1"));
    settle();
    QCOMPARE(c.takeSent(), QStringList{QStringLiteral("GfaT")});
    const auto *line = c.get<QLabel>("lblErr");
    QCOMPARE(line->text(), QString());
    QVERIFY2(paints.of(line) == 0, qPrintable(paints.painted().join(u' ')));
}

QTEST_MAIN(TestIdleRepaint)
#include "tst_idle_repaint.moc"
