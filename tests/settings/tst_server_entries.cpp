// Servers found on the network added to the window's list: only the new
// ones, after the last entry, every other line kept, and no write at all
// when nothing is new.

#include "settings/ini_class.h"
#include "settings/server_entries.h"
#include "os_files.h"
#include "temp_files.h"

#include <QTemporaryDir>
#include <QTest>

using settings::FoundEntry;

Q_DECLARE_METATYPE(QList<FoundEntry>)

class TestServerEntries : public QObject {
    Q_OBJECT
private slots:
    void addServerEntries_data();
    void addServerEntries();
};

void TestServerEntries::addServerEntries_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QList<FoundEntry>>("found");
    QTest::addColumn<QByteArray>("after"); // empty: the file stays byte for byte
    QTest::addColumn<int>("noRoom");

    const QByteArray two = "; mine\r\n[General]\r\nClockIP_1=10.0.0.2|Kitchen\r\nClockIP_2=10.0.0.3\r\nSelectIPNum=2\r\n"
                           "[Other]\r\nKey=1\r\n";
    QTest::newRow("two new, one known")
        << two << QList<FoundEntry>{{"10.0.0.2", 17777}, {"10.0.0.7", 17777}, {"10.0.0.9", 17778}}
        << QByteArray("; mine\r\n[General]\r\nClockIP_1=10.0.0.2|Kitchen\r\nClockIP_2=10.0.0.3\r\nSelectIPNum=2\r\n"
                      "ClockIP_3=10.0.0.7|Quorvan 10.0.0.7\r\nClockIP_4=10.0.0.9|Quorvan 10.0.0.9|17778\r\n"
                      "[Other]\r\nKey=1\r\n")
        << 0;
    QTest::newRow("known with leading zeros") << QByteArray("[General]\r\nClockIP_1=010.000.000.002\r\n")
                                              << QList<FoundEntry>{{"10.0.0.2", 17777}} << QByteArray() << 0;
    QTest::newRow("nothing found") << two << QList<FoundEntry>{} << QByteArray() << 0;
    QByteArray full = "[General]\r\n";
    for (int n = 1; n <= 9; ++n)
        full += "ClockIP_" + QByteArray::number(n) + "=10.0.1." + QByteArray::number(n) + "\r\n";
    QTest::newRow("list full") << full << QList<FoundEntry>{{"10.0.2.1", 17777}, {"10.0.2.2", 17777}}
                               << QByteArray() << 2;
    QTest::newRow("no file yet") << QByteArray() << QList<FoundEntry>{{"10.0.0.7", 17777}}
                                 << QByteArray("[General]\r\nClockIP_1=10.0.0.7|Quorvan 10.0.0.7\r\n") << 0;
}

void TestServerEntries::addServerEntries()
{
    QFETCH(QByteArray, before);
    QFETCH(QList<FoundEntry>, found);
    QFETCH(QByteArray, after);
    QFETCH(int, noRoom);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("dalvimo.cfg"));
    if (!before.isEmpty())
        QVERIFY(testfiles::writeBytes(file, before));
    const quint64 inode = testfiles::fileId(file);

    const settings::AddedEntries added = settings::addServerEntries(INI_Class(), file, found);
    QCOMPARE(added.noRoom.size(), noRoom);
    if (after.isEmpty()) {
        QVERIFY(added.added.isEmpty());
        QCOMPARE(testfiles::readBytes(file), before);
        QCOMPARE(testfiles::fileId(file), inode); // not even replaced by an equal copy
        return;
    }
    QCOMPARE(testfiles::readBytes(file), after);
}

QTEST_GUILESS_MAIN(TestServerEntries)
#include "tst_server_entries.moc"
