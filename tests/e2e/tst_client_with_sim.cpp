// The whole client against the simulator over real UDP on 127.0.0.1: the
// initial fetch fills both pages, and the user's changes reach the
// simulator's state and come back. Waits are for conditions only.

#include "client_fixture.h"

#include "toolkit/controls/check_box.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/scroll_bar.h"
#include "toolkit/controls/text_box.h"
#include "support/sim_fixture.h"

#include <QTest>

namespace {

// A client with auto-poll on, pointed at a simulator on a free port.
struct Session {
    SimFixture server;
    ClientFixture client;

    Session()
    {
        client.get<tk::TextBox>("txtPort")->setText(QString::number(server.port()));
        QTest::mouseClick(client.get<tk::CheckBox>("chkAutoping"), Qt::LeftButton); // polls at once
    }
    sim::QuorvanState &quorvan() { return server.state(); }
    template <class T>
    T *get(const QString &name, int index = -1) { return client.get<T>(name, index); }
    QString text(const QString &name, int index = -1)
    {
        QObject *o = client.form().find(name, index);
        if (auto *l = qobject_cast<QLabel *>(o))
            return l->text();
        if (auto *e = qobject_cast<QLineEdit *>(o))
            return e->text();
        return qobject_cast<tk::ComboBox *>(o)->Text();
    }
};

} // namespace

class TestClientWithSim : public QObject {
    Q_OBJECT
private slots:
    void fetchFillsBothPages();
    void editedAlarmIsStoredAndReadBack();
    void faceChangesReachTheSimulator();
};

void TestClientWithSim::fetchFillsBothPages()
{
    Session s;
    QTRY_COMPARE(s.text("lblBudTime", 4), QStringLiteral("22:00")); // the last read of the fetch
    QCOMPARE(s.text("lblBudTime", 1), QStringLiteral("7:05"));
    QCOMPARE(s.text("txtBudRing", 1), QStringLiteral("Подъём!"));
    QCOMPARE(s.get<tk::CheckBox>("chkBudActive", 2)->Value(), 0);
    QCOMPARE(s.text("lblBudTime", 3), QStringLiteral("13:45"));

    QCOMPARE(s.text("lblSkin"), QStringLiteral("1/7"));
    QCOMPARE(s.text("txtSkin"), QStringLiteral("Classic"));
    QCOMPARE(s.text("lblStyle"), QStringLiteral("2/3"));
    QCOMPARE(s.text("txtStyle"), QStringLiteral("Night"));
    QCOMPARE(s.text("cmbTrans"), QStringLiteral("80"));
    QCOMPARE(s.text("cmbBright"), QStringLiteral("75"));
    QVERIFY(s.get<QWidget>("cmbBright")->isEnabled());
    QCOMPARE(s.get<tk::CheckBox>("chkFace", 1)->Value(), 1);
    QCOMPARE(s.client.link().queue().iCmdQueueCount(), qint16(0));
}

void TestClientWithSim::editedAlarmIsStoredAndReadBack()
{
    Session s;
    QTRY_COMPARE(s.text("lblBudTime", 4), QStringLiteral("22:00"));
    s.client.window().show();
    QVERIFY(QTest::qWaitForWindowActive(&s.client.window()));

    QTest::mouseClick(s.get<tk::Label>("lblBudTime", 2), Qt::LeftButton);
    auto *editor = s.get<tk::TextBox>("txtBudTime", 2);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("6:4"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(s.text("lblBudTime", 2), QStringLiteral("6:4"));
    s.get<tk::TextBox>("txtBudRing", 2)->setText(QStringLiteral("Будильник"));
    QTest::mouseClick(s.get<tk::CheckBox>("cmdBudSet", 2), Qt::LeftButton);
    QTRY_COMPARE(s.quorvan().alarm(2).time, QTime(6, 4));
    QCOMPARE(s.quorvan().alarm(2).ring, QStringLiteral("Будильник"));

    QTest::mouseClick(s.get<tk::CheckBox>("cmdBudGet", 2), Qt::LeftButton);
    QCOMPARE(s.text("lblBudTime", 2), QStringLiteral("?:??"));
    QTRY_COMPARE(s.text("lblBudTime", 2), QStringLiteral("6:04"));
    QCOMPARE(s.text("txtBudRing", 2), QStringLiteral("Будильник"));
}

void TestClientWithSim::faceChangesReachTheSimulator()
{
    Session s;
    QTRY_COMPARE(s.text("lblBudTime", 4), QStringLiteral("22:00"));

    // Stepping left from the first skin wraps to the last, and the page
    // follows the simulator's answer.
    s.get<tk::HScrollBar>("scrlSkin")->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QTRY_COMPARE(s.text("lblSkin"), QStringLiteral("7/7"));
    QCOMPARE(s.quorvan().currentSkin(), 6);
    QCOMPARE(s.text("txtSkin"), QStringLiteral("Digital LCD"));
    QVERIFY(!s.get<QWidget>("scrlStyle")->isVisibleTo(&s.client.window())); // one style only
    s.get<tk::HScrollBar>("scrlSkin")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QTRY_COMPARE(s.text("lblSkin"), QStringLiteral("1/7"));
    QCOMPARE(s.quorvan().currentSkin(), 0);

    const int before = s.quorvan().faceFlag(2);
    QTest::mouseClick(s.get<tk::CheckBox>("chkFace", 2), Qt::LeftButton, {}, QPoint(8, 8));
    QTRY_COMPARE(s.quorvan().faceFlag(2), 1 - before);

    auto *trans = s.get<tk::ComboBox>("cmbTrans");
    trans->setCurrentIndex(trans->findText(QStringLiteral("50")));
    emit trans->activated(trans->currentIndex()); // as a pick from the list
    QTRY_COMPARE(s.quorvan().transparency().level, QStringLiteral("50"));
    QTest::mouseClick(s.get<tk::CheckBox>("chkTrans"), Qt::LeftButton, {}, QPoint(8, 8));
    QTRY_COMPARE(s.quorvan().transparencyMode(), 0);
}

QTEST_MAIN(TestClientWithSim)
#include "tst_client_with_sim.moc"
