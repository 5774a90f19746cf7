// Choosing a server and typing an address in the running window.

#include "client_fixture.h"

#include "common/ansi.h"
#include "app/server_list.h"
#include "toolkit/controls/colours.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/controls/text_box.h"

#include <QTest>

namespace {
constexpr quint32 kValid = 0xF8B880;
constexpr quint32 kInvalid = 0x0040C0;
constexpr quint32 kRed = 0x222AC7;
constexpr quint32 kGreen = 0x00FF00;
} // namespace

class TestServerList : public QObject {
    Q_OBJECT
private slots:
    void parseEntry_data();
    void parseEntry();
    void typingTakesOverEachNewValidAddress();
    void invalidAndBackTakesNothingOver();
    void choosingAnEntry();
    void entryWithEmptyAddress();
};

void TestServerList::parseEntry_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("caption");
    QTest::newRow("address only") << "10.0.0.1" << "10.0.0.1" << "10.0.0.1";
    QTest::newRow("with caption") << "10.0.0.1|Кухня" << "10.0.0.1" << "Кухня";
    QTest::newRow("ends with separator") << "10.0.0.1|" << "10.0.0.1" << "";
    QTest::newRow("begins with separator") << "|Кухня" << "" << "Кухня";
    QTest::newRow("third field ignored") << "10.0.0.1|Кухня|x|y" << "10.0.0.1" << "Кухня";
}

void TestServerList::parseEntry()
{
    QFETCH(QString, value);
    const auto entry = app::ServerList::parseEntry(value);
    QTEST(entry.address, "address");
    QTEST(entry.caption, "caption");
}

void TestServerList::typingTakesOverEachNewValidAddress()
{
    ClientFixture c;
    auto *ip = c.get<tk::TextBox>("txtIp");
    auto *ind = c.get<QWidget>("shpInd");
    ip->clear();
    QCOMPARE(tk::backColor(ip), kInvalid);
    QVERIFY(!c.state().bIpValid);

    QStringList takenOver;
    const QString typed = QStringLiteral("10.0.0.12");
    for (QChar ch : typed) {
        c.state().bInitPending = false;
        tk::setBackColor(ind, kGreen);
        QTest::keyClick(ip, ch.toLatin1());
        if (c.state().bInitPending) {
            takenOver << ip->text();
            QCOMPARE(tk::backColor(ind), kRed);
        } else {
            QCOMPARE(tk::backColor(ind), kGreen);
        }
        QCOMPARE(tk::backColor(ip), c.state().bIpValid ? kValid : kInvalid);
    }
    QCOMPARE(takenOver, (QStringList{"10.0.0.1", "10.0.0.12"}));
    QCOMPARE(c.state().sLastIp, typed);
}

void TestServerList::invalidAndBackTakesNothingOver()
{
    ClientFixture c;
    auto *ip = c.get<tk::TextBox>("txtIp");
    c.state().bInitPending = false;
    ip->setText(QStringLiteral("127.0.0."));
    QVERIFY(!c.state().bIpValid);
    QCOMPARE(c.state().sLastIp, QStringLiteral("127.0.0.1"));
    ip->setText(QStringLiteral("127.0.0.1"));
    QVERIFY(c.state().bIpValid);
    QVERIFY(!c.state().bInitPending);
}

void TestServerList::choosingAnEntry()
{
    ClientFixture c(ansi::encode(u"[General]\nClockIP_1=127.0.0.1|Здесь\nClockIP_2=10.9.8.7|Там\nSelectIPNum=1\nAutoPing=0\n"));
    auto *cmb = c.get<tk::ComboBox>("cmbServer");
    auto *ip = c.get<tk::TextBox>("txtIp");
    QCOMPARE(cmb->itemText(1), QStringLiteral("Там"));
    c.state().bInitPending = false;

    cmb->setListIndex(0); // same address as shown: nothing happens
    QVERIFY(!c.state().bInitPending);
    cmb->setListIndex(1);
    QCOMPARE(ip->text(), QStringLiteral("10.9.8.7"));
    QVERIFY(c.state().bInitPending);
    QCOMPARE(c.state().sLastIp, QStringLiteral("10.9.8.7"));
    QVERIFY(c.takeSent().isEmpty()); // choosing sends nothing by itself
}

void TestServerList::entryWithEmptyAddress()
{
    ClientFixture c("[General]\nClockIP_1=|Пусто\nSelectIPNum=1\nAutoPing=0\n");
    QCOMPARE(c.get<tk::TextBox>("txtIp")->text(), QString());
    QVERIFY(!c.state().bIpValid);
    QCOMPARE(tk::backColor(c.get<tk::TextBox>("txtIp")), kInvalid);
}

QTEST_MAIN(TestServerList)
#include "tst_server_list.moc"
