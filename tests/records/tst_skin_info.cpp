// The skin description of the skin reply and the style names shown from it.

#include "records/skin_info.h"
#include "protocol/reply_fields.h"

#include <QTest>

using namespace records;

namespace {

SkinInfo oldInfo()
{
    return {QStringLiteral("Old"), 11, 12, 13, 14, 15, {QStringLiteral("old1.ext")}};
}

// What "Neo|1|2|3|4|0|a.stl|b.stl" writes: every field differs from oldInfo.
SkinInfo newInfo()
{
    return {QStringLiteral("Neo"), 1, 2, 3, 4, 0, {QStringLiteral("a.stl"), QStringLiteral("b.stl")}};
}

// The first `count` fields (sName .. sStyles) from `fresh`, the rest from `old`.
SkinInfo mix(const SkinInfo &fresh, const SkinInfo &old, int count)
{
    SkinInfo r = old;
    if (count > 0) r.sName = fresh.sName;
    if (count > 1) r.iParam1 = fresh.iParam1;
    if (count > 2) r.iParam2 = fresh.iParam2;
    if (count > 3) r.iParam3 = fresh.iParam3;
    if (count > 4) r.iParam4 = fresh.iParam4;
    if (count > 5) r.iStyle = fresh.iStyle;
    if (count > 6) r.sStyles = fresh.sStyles;
    return r;
}

void compareInfo(const SkinInfo &actual, const SkinInfo &expected)
{
    QCOMPARE(actual.sName, expected.sName);
    QCOMPARE(actual.iParam1, expected.iParam1);
    QCOMPARE(actual.iParam2, expected.iParam2);
    QCOMPARE(actual.iParam3, expected.iParam3);
    QCOMPARE(actual.iParam4, expected.iParam4);
    QCOMPARE(actual.iStyle, expected.iStyle);
    QCOMPARE(actual.sStyles, expected.sStyles);
}

} // namespace

class TestSkinInfo : public QObject {
    Q_OBJECT

private slots:
    void parses_data();
    void parses();
    void styleDisplayName_data();
    void styleDisplayName();
};

// Each text read over oldInfo; a failure keeps the fields set before it.
void TestSkinInfo::parses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<SkinInfo>("expected");
    QTest::addColumn<bool>("fails");
    // After "Neo|1|2|3|4|0|a.stl|b.stl" failed past its first `count` fields.
    const auto upTo = [](int count) { return mix(newInfo(), oldInfo(), count); };

    QTest::newRow("seven fields, one style")
        << "Neo|1|2|3|4|0|a.stl" << SkinInfo{"Neo", 1, 2, 3, 4, 0, {"a.stl"}} << false;
    QTest::newRow("three styles, iStyle last")
        << "Часы|0|0|0|0|2|День.stl|Ночь.stl|Сумерки.stl"
        << SkinInfo{"Часы", 0, 0, 0, 0, 2, {"День.stl", "Ночь.stl", "Сумерки.stl"}} << false;
    QTest::newRow("empty name and entries") << "|0|0|0|0|0||" << SkinInfo{"", 0, 0, 0, 0, 0, {"", ""}} << false;
    QTest::newRow("integer limits")
        << "S|-32768|32767| 7 |+8|0|x.stl" << SkinInfo{"S", -32768, 32767, 7, 8, 0, {"x.stl"}} << false;
    // iStyle is taken as sent; whether it names an entry is the display's check.
    QTest::newRow("iStyle -1") << "S|0|0|0|0|-1|x.stl" << SkinInfo{"S", 0, 0, 0, 0, -1, {"x.stl"}} << false;
    QTest::newRow("iStyle beyond") << "S|0|0|0|0|9|x.stl" << SkinInfo{"S", 0, 0, 0, 0, 9, {"x.stl"}} << false;
    QTest::newRow("iStyle half to even") << "S|0|0|0|0|2.5|x.stl" << SkinInfo{"S", 0, 0, 0, 0, 2, {"x.stl"}} << false;

    QTest::newRow("empty text") << "" << upTo(0) << true;
    QTest::newRow("name only") << "Neo" << upTo(1) << true;
    QTest::newRow("word in param1") << "Neo|one|2|3|4|0|a.stl|b.stl" << upTo(1) << true;
    QTest::newRow("word in param3") << "Neo|1|2|three|4|0|a.stl|b.stl" << upTo(3) << true;
    QTest::newRow("param4 out of range") << "Neo|1|2|3|40000|0|a.stl|b.stl" << upTo(4) << true;
    QTest::newRow("word in iStyle") << "Neo|1|2|3|4|first|a.stl|b.stl" << upTo(5) << true;
    QTest::newRow("six fields") << "Neo|1|2|3|4|0" << upTo(6) << true;
}

void TestSkinInfo::parses()
{
    QFETCH(QString, text);
    QFETCH(SkinInfo, expected);
    QFETCH(bool, fails);

    SkinInfo info = oldInfo();
    if (fails)
        QVERIFY_THROWS_EXCEPTION(proto::ReplyFailure, ParseSkinReply(text, info));
    else
        ParseSkinReply(text, info);
    compareInfo(info, expected);
}

void TestSkinInfo::styleDisplayName_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("expected");

    QTest::newRow("name and four") << "Blue.stl" << true << "Blue";
    QTest::newRow("Cyrillic") << "Ночь.skn" << true << "Ночь";
    QTest::newRow("exactly four") << "abcd" << true << "";
    QTest::newRow("three") << "abc" << false << "";
    QTest::newRow("empty") << "" << false << "";
}

void TestSkinInfo::styleDisplayName()
{
    QFETCH(QString, entry);
    QFETCH(bool, ok);
    QFETCH(QString, expected);

    if (!ok) {
        QVERIFY_THROWS_EXCEPTION(proto::ReplyFailure, ::styleDisplayName(entry));
        return;
    }
    QCOMPARE(::styleDisplayName(entry), expected);
}

QTEST_GUILESS_MAIN(TestSkinInfo)
#include "tst_skin_info.moc"
