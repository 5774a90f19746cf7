// The tab strip: looks of selected and unselected tabs, press to select.

#include "client_fixture.h"

#include "app/tab_strip.h"
#include "toolkit/controls/colours.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/shape.h"

#include <QTest>

class TestTabStrip : public QObject {
    Q_OBJECT
private slots:
    void pressSelects_data();
    void pressSelects();
    void indexOutsideSelectsNothing();
};

void TestTabStrip::pressSelects_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("Скины, right button") << 0 << Qt::RightButton;
    QTest::newRow("Будильники, left button") << 1 << Qt::LeftButton;
    QTest::newRow("Надписи, middle button") << 2 << Qt::MiddleButton;
}

void TestTabStrip::pressSelects()
{
    QFETCH(int, tab);
    QFETCH(Qt::MouseButton, button);
    ClientFixture c;
    c.takeSent();
    QTest::mousePress(c.get<tk::Label>("lblTab", tab), button);
    QCOMPARE(c.state().iFrameSelect, qint16(tab));
    for (int i = 0; i < 3; ++i) {
        const bool selected = i == tab;
        auto *caption = c.get<tk::Label>("lblTab", i);
        auto *outline = c.get<tk::Shape>("shpTab", i);
        QCOMPARE(tk::foreColor(caption), selected ? 0xC03030u : 0xB08040u);
        QCOMPARE(caption->font().bold(), selected);
        QCOMPARE(tk::backColor(outline), selected ? 0xE8A568u : 0xF8B578u);
        QCOMPARE(outline->BorderWidth(), selected ? 2 : 1);
        QCOMPARE(c.get<QWidget>("framTab", i)->isVisibleTo(&c.window()), selected);
    }
    QVERIFY(c.takeSent().isEmpty()); // switching tabs sends nothing
}

void TestTabStrip::indexOutsideSelectsNothing()
{
    ClientFixture c("[General]\nFrameSelect=-3\nAutoPing=0\n");
    QCOMPARE(c.state().iFrameSelect, qint16(-3));
    for (int i = 0; i < 3; ++i) {
        QVERIFY(!c.get<QWidget>("framTab", i)->isVisibleTo(&c.window()));
        QVERIFY(!c.get<tk::Label>("lblTab", i)->font().bold());
    }
}

QTEST_MAIN(TestTabStrip)
#include "tst_tab_strip.moc"
