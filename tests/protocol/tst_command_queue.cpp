// The queue of read commands: order, removal by position, refusals.
#include "protocol/command_queue.h"

#include <QTest>

Q_DECLARE_METATYPE(QList<qint16>)

class TstCommandQueue : public QObject {
    Q_OBJECT

private slots:
    void remove_data();
    void remove();
    void refusedIds();
    void limit();
};

void TstCommandQueue::remove_data()
{
    QTest::addColumn<QList<qint16>>("before");
    QTest::addColumn<int>("pos");
    QTest::addColumn<QList<qint16>>("after");

    using L = QList<qint16>;
    QTest::newRow("empty") << L{} << 1 << L{};
    QTest::newRow("empty, position 0") << L{} << 0 << L{};
    QTest::newRow("only entry") << L{3} << 1 << L{};
    QTest::newRow("first") << L{1, 2, 3} << 1 << L{2, 3};
    QTest::newRow("middle") << L{1, 2, 3} << 2 << L{1, 3};
    QTest::newRow("last") << L{1, 2, 3} << 3 << L{1, 2};
    QTest::newRow("duplicates") << L{5, 5, 1} << 1 << L{5, 1};
    QTest::newRow("position 0") << L{1, 2, 3} << 0 << L{1, 2, 3};
    QTest::newRow("negative position") << L{1, 2, 3} << -1 << L{1, 2, 3};
    QTest::newRow("past the end") << L{1, 2, 3} << 4 << L{1, 2, 3};
}

void TstCommandQueue::remove()
{
    QFETCH(QList<qint16>, before);
    QFETCH(int, pos);
    QFETCH(QList<qint16>, after);

    proto::CommandQueue q;
    for (qint16 id : before)
        QVERIFY(q.QueuePush(id));
    q.QueueRemove(static_cast<qint16>(pos));
    QCOMPARE(q.items(), after);
    QCOMPARE(q.iCmdQueueCount(), after.size());
}

void TstCommandQueue::refusedIds()
{
    // Only the five read commands can be queued; 65537 must not slip in as 1.
    proto::CommandQueue q;
    for (qint32 id : {0, 6, -1, 65537})
        QVERIFY(!q.QueuePush(id));
    QCOMPARE(q.iCmdQueueCount(), 0);
}

void TstCommandQueue::limit()
{
    proto::CommandQueue q;
    for (qsizetype i = 0; i < proto::CommandQueue::kLimit; ++i)
        QVERIFY(q.QueuePush(1 + i % 5));
    QCOMPARE(q.iCmdQueueCount(), qint16(32767));
    const qint16 last = q.at(32767);

    QVERIFY(!q.QueuePush(2));
    QCOMPARE(q.iCmdQueueCount(), qint16(32767));
    QCOMPARE(q.at(32767), last);

    q.QueueRemove(1);
    QCOMPARE(q.iCmdQueueCount(), qint16(32766));
    QVERIFY(q.QueuePush(4));
    QCOMPARE(q.at(32767), qint16(4));
}

QTEST_GUILESS_MAIN(TstCommandQueue)
#include "tst_command_queue.moc"
