// What of a stream of announcements reaches the listener: repeats within the
// window once, anything else every time.
#include "common/repeat_filter.h"

#include <QTest>

class TstRepeatFilter : public QObject {
    Q_OBJECT

private slots:
    void admit_data();
    void admit();
};

void TstRepeatFilter::admit_data()
{
    // "text@ms" in order; the ones let through, in order. Window 1500 ms.
    QTest::addColumn<QStringList>("stream");
    QTest::addColumn<QStringList>("heard");
    QTest::newRow("start-up burst") << QStringList{"0k!@0", "0k!@20", "0k!@90", "0k!@170"} << QStringList{"0k!@0"};
    QTest::newRow("the same after the window") << QStringList{"0k!@0", "0k!@1500"} << QStringList{"0k!@0", "0k!@1500"};
    QTest::newRow("just inside the window") << QStringList{"0k!@0", "0k!@1499"} << QStringList{"0k!@0"};
    QTest::newRow("a steady stream, once per window")
        << QStringList{"0k!@0", "0k!@1000", "0k!@1600", "0k!@2000"} << QStringList{"0k!@0", "0k!@1600"};
    QTest::newRow("another text in between is news")
        << QStringList{"0k!@0", "Err=5 (Busy)@10", "0k!@20"} << QStringList{"0k!@0", "Err=5 (Busy)@10", "0k!@20"};
    QTest::newRow("empty is never said") << QStringList{"@0", "0k!@1", "@2", "0k!@3"} << QStringList{"0k!@1"};
    QTest::newRow("indicator flips") << QStringList{"Нет ответа@0", "Quorvan отвечает@100", "Нет ответа@200"}
                                     << QStringList{"Нет ответа@0", "Quorvan отвечает@100", "Нет ответа@200"};
}

void TstRepeatFilter::admit()
{
    QFETCH(QStringList, stream);
    QFETCH(QStringList, heard);
    RepeatFilter filter(1500);
    QStringList out;
    for (const QString &item : stream) {
        const qsizetype at = item.lastIndexOf(u'@');
        if (filter.admit(item.left(at), item.mid(at + 1).toLongLong()))
            out << item;
    }
    QCOMPARE(out, heard);
}

QTEST_MAIN(TstRepeatFilter)
#include "tst_repeat_filter.moc"
