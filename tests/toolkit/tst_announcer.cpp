// What a screen reader is shown of a burst of announcements from several
// controls: each text once, in order, each on a notification that still
// holds it when the reader gets to it, and nothing before the burst ends.

#include "accessibility_events.h"

#include "toolkit/accessibility/accessibility.h"
#include "toolkit/accessibility/announcer.h"

#include <QTest>

using tk::Announcer;

class TestAnnouncer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { tk::installAccessibility(); }
    void burst_data();
    void burst();
};

void TestAnnouncer::burst_data()
{
    QTest::addColumn<QStringList>("said"); // "source: text", sources a, b
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("two sources") << QStringList{"a: 40", "b: 0k!"} << QStringList{"40", "0k!"};
    QTest::newRow("a repeat is dropped") << QStringList{"b: 0k!", "b: 0k!"} << QStringList{"0k!"};
    QTest::newRow("another source between does not renew a repeat")
        << QStringList{"b: 0k!", "a: Classic, 2 из 7", "b: 0k!"} << QStringList{"0k!", "Classic, 2 из 7"};
    QTest::newRow("the same text from two sources") << QStringList{"a: 0k!", "b: 0k!"} << QStringList{"0k!", "0k!"};
    QTest::newRow("empty texts are not said") << QStringList{"a: ", "b: 5"} << QStringList{"5"};
    QTest::newRow("line breaks are spaces") << QStringList{"a: Err=5 (\r\nBusy\n now)"}
                                            << QStringList{"Err=5 ( Busy now)"};
    QTest::newRow("a datagram's worth is cut")
        << QStringList{"a: " + QString(65000, u'x')}
        << QStringList{QString(Announcer::kMaxChars - 1, u'x') + u'…'};
    QStringList eight, ring;
    for (int i = 1; i <= 8; ++i)
        eight << QStringLiteral("a: %1").arg(i);
    for (int i = 1; i < Announcer::kVoices; ++i)
        ring << QString::number(i);
    ring << QStringLiteral("6. 7. 8");
    QTest::newRow("more than the ring: the last voice says the rest") << eight << ring;
}

void TestAnnouncer::burst()
{
    QFETCH(QStringList, said);
    QFETCH(QStringList, shown);
    QWidget window;
    QWidget a(&window), b(&window);
    AccessibilityEvents events;
    QVERIFY(events.isActive());
    for (const QString &line : said) {
        const QString text = line.mid(3);
        tk::announce(line.startsWith(u'a') ? &a : &b, text);
    }
    const auto isShow = [](const AccessibilityEvents::Event &e) { return e.type == QAccessible::ObjectShow; };
    const auto held = events.take();
    QVERIFY(std::none_of(held.cbegin(), held.cend(), isShow)); // held while the burst goes on
    Announcer::of(&window)->flush();
    QStringList out;
    for (const auto &e : events.take()) {
        if (!isShow(e))
            continue;
        out << e.name;
        // A reader asks for the text when it gets to the event, after the
        // announcements that followed: each must still hold its own.
        QCOMPARE(static_cast<const QWidget *>(e.source.data())->accessibleName(), e.name);
    }
    QCOMPARE(out, shown);
}

QTEST_MAIN(TestAnnouncer)
#include "tst_announcer.moc"
