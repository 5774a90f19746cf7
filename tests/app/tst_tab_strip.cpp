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
};

void TestTabStrip::pressSelects_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("tab"); // pressed, or the one FrameSelect names
    QTest::addColumn<Qt::MouseButton>("button"); // NoButton: none pressed
    const QByteArray quiet = ClientFixture::kQuietSettings;
    QTest::newRow("Скины, right button") << quiet << 0 << Qt::RightButton;
    QTest::newRow("Будильники, left button") << quiet << 1 << Qt::LeftButton;
    QTest::newRow("Надписи, middle button") << quiet << 2 << Qt::MiddleButton;
    QTest::newRow("FrameSelect names no tab") << quiet + "FrameSelect=-3\r\n" << -3 << Qt::NoButton;
}

void TestTabStrip::pressSelects()
{
    QFETCH(QByteArray, settings);
    QFETCH(int, tab);
    QFETCH(Qt::MouseButton, button);
    ClientFixture c(settings);
    c.takeSent();
    if (button != Qt::NoButton)
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

QTEST_MAIN(TestTabStrip)
#include "tst_tab_strip.moc"
