// The server drop-down's "Найти Quorvan в сети" in the running window. The
// search broadcasts, so it runs only inside the network namespace that
// tests/e2e/netns/discover.sh makes (SIM_A and SIM_B name the simulators
// there); elsewhere only the menu itself is checked.

#include "client_fixture.h"

#include "app/server_list.h"
#include "app/server_search.h"
#include "common/ansi.h"
#include "toolkit/controls/combo_box.h"

#include <QLabel>

#include <QFile>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

class TestServerSearch : public QObject {
    Q_OBJECT
private slots:
    void menuOpensFromMouseAndKeys_data();
    void menuOpensFromMouseAndKeys();
    void searchFillsTheDropDown();
};

void TestServerSearch::menuOpensFromMouseAndKeys_data()
{
    QTest::addColumn<int>("key"); // 0: right click
    QTest::addColumn<int>("modifiers");
    QTest::newRow("right click") << 0 << 0;
    QTest::newRow("Menu key") << int(Qt::Key_Menu) << 0;
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
}

void TestServerSearch::menuOpensFromMouseAndKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    ClientFixture c;
    app::ServerSearch &search = c.window().serverSearch();
    QWidget *combo = c.window().servers().comboBox();
    QCOMPARE(search.searchAction()->text(), QStringLiteral("Найти Quorvan в сети"));
    QSignalSpy shown(&search.menu(), &QMenu::aboutToShow);
    if (key == 0) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), combo->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(combo, &event);
    } else {
        QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
        QApplication::sendEvent(combo, &event);
    }
    QCOMPARE(shown.size(), 1);
    search.menu().hide();
}

void TestServerSearch::searchFillsTheDropDown()
{
    const QString a = qEnvironmentVariable("SIM_A");
    const QString b = qEnvironmentVariable("SIM_B");
    if (a.isEmpty() || b.isEmpty())
        QSKIP("broadcasts only inside the namespace of tests/e2e/netns/discover.sh");
    ClientFixture c(QByteArray("[General]\r\nAutoPing=0\r\nClockIP_1=192.168.77.5|") + ansi::encode(u"Дача")
                    + "\r\n");
    auto *combo = c.get<tk::ComboBox>("cmbServer");
    QCOMPARE(combo->count(), 1);
    app::ServerSearch &search = c.window().serverSearch();
    QSignalSpy done(&search, &app::ServerSearch::finished);
    search.searchAction()->trigger();
    QVERIFY(done.wait(10000)); // the window's loop ran meanwhile: nothing blocked
    QCOMPARE(done.first().first().toInt(), 2);
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(1), QStringLiteral("Quorvan ") + a);
    QCOMPARE(combo->itemText(2), QStringLiteral("Quorvan ") + b);
    QCOMPARE(c.get<QLabel>("lblErr")->text(), QStringLiteral("Найдено: 2"));
    QFile cfg(c.cfgFile());
    QVERIFY(cfg.open(QIODevice::ReadOnly));
    const QString text = ansi::decode(cfg.readAll());
    QVERIFY2(text.contains(QStringLiteral("ClockIP_2=%1|Quorvan %1\r\n").arg(a)), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("ClockIP_1=192.168.77.5|Дача\r\n")));
}

QTEST_MAIN(TestServerSearch)
#include "tst_server_search.moc"
