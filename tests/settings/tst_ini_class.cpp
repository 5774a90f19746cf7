// INI_Class over real files: Windows-1251 on disk, and the defaults read
// where there is no file. What the window writes on closing is tst_startup's.

#include "settings/ini_class.h"
#include "settings/settings_keys.h"
#include "temp_files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace settings;

class TestIniClass : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void startupReadsDefaultsWithoutFile();
    void cyrillicRead_data();
    void cyrillicRead();
    void cyrillicRoundTrip_data();
    void cyrillicRoundTrip();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString cfg() const { return m_dir->filePath(QStringLiteral("Dalvimo.cfg")); }
    INI_Class m_ini;
};

void TestIniClass::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestIniClass::startupReadsDefaultsWithoutFile()
{
    QCOMPARE(m_ini.ReadINIKey(kSectionGeneral, clockIPKey(1), cfg(), kDefaultClockIP), QString());
    QCOMPARE(m_ini.ReadINIKey(kSectionGeneral, kKeyFrameSelect, cfg(), kDefaultFrameSelect), QStringLiteral("1"));
    QCOMPARE(m_ini.ReadINIKey(kSectionGeneral, kKeyAutoPing, cfg(), kDefaultAutoPing), QStringLiteral("1"));
    QVERIFY(!QFile::exists(cfg()));
}

void TestIniClass::cyrillicRead_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("value") << QByteArray("[General]\r\nClockIP_1=10.0.0.2|\xC3\xEE\xF1\xF2\xE8\xED\xE0\xFF\r\n")
                           << QStringLiteral("General") << QStringLiteral("ClockIP_1")
                           << QStringLiteral("10.0.0.2|Гостиная");
    QTest::newRow("names in other case")
        << QByteArray("[\xCE\xC1\xD9\xC8\xC5]\r\n\xEA\xEB\xFE\xF7=\xB8\xEB\xEA\xE0\r\n")
        << QStringLiteral("общие") << QStringLiteral("КЛЮЧ") << QStringLiteral("ёлка");
    QTest::newRow("yo in names") << QByteArray("[\xA8]\r\nK=1\r\n") << QStringLiteral("ё") << QStringLiteral("k")
                                 << QStringLiteral("1");
    QTest::newRow("300 Cyrillic letters cut to 254")
        << QByteArray("[General]\r\nK=") + QByteArray(300, '\xDF') << QStringLiteral("General")
        << QStringLiteral("K") << QString(254, QChar(u'Я'));
}

void TestIniClass::cyrillicRead()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    QVERIFY(testfiles::writeBytes(cfg(), content));
    QCOMPARE(m_ini.ReadINIKey(section, key, cfg(), QStringLiteral("DEF")), expected);
}

void TestIniClass::cyrillicRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("onDisk");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("word") << QStringLiteral("Кухня") << QByteArray("\xCA\xF3\xF5\xED\xFF")
                          << QStringLiteral("Кухня");
    QTest::newRow("mixed") << QStringLiteral("10.0.0.2|Ёлка №1") << QByteArray("10.0.0.2|\xA8\xEB\xEA\xE0 \xB9\x31")
                           << QStringLiteral("10.0.0.2|Ёлка №1");
    QTest::newRow("outside the code page") << QStringLiteral("a\u4E2Db") << QByteArray("a?b") << QStringLiteral("a?b");
}

void TestIniClass::cyrillicRoundTrip()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, onDisk);
    QFETCH(QString, readBack);

    m_ini.WriteInIKey(QStringLiteral("Серверы"), QStringLiteral("Имя"), value, cfg());
    QCOMPARE(testfiles::readBytes(cfg()),
             QByteArray("[\xD1\xE5\xF0\xE2\xE5\xF0\xFB]\r\n\xC8\xEC\xFF=") + onDisk + "\r\n");
    QCOMPARE(m_ini.ReadINIKey(QStringLiteral("серверы"), QStringLiteral("ИМЯ"), cfg(), QString()), readBack);
}

QTEST_GUILESS_MAIN(TestIniClass)
#include "tst_ini_class.moc"
