// The one number rule, Boolean texts and plain integers.
#include "common/number.h"

#include <QTest>

#include <optional>

namespace {

// A result as the tables write it: the number, or "-" for none.
template <class T>
QString shown(std::optional<T> v)
{
    return v ? QString::number(*v) : QStringLiteral("-");
}

} // namespace

class TstNumber : public QObject {
    Q_OBJECT

private slots:
    void numberTexts_data();
    void numberTexts();
    void parseNumberExtremes();
};

void TstNumber::numberTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("int16");
    QTest::addColumn<QString>("boolean"); // 1 True, 0 False
    QTest::addColumn<QString>("plain");

    QTest::newRow("plain") << "42" << "42" << "1" << "42";
    QTest::newRow("zero") << "0" << "0" << "0" << "0";
    QTest::newRow("minus one") << "-1" << "-1" << "1" << "-1";
    QTest::newRow("blanks around") << "  7 " << "7" << "1" << "7";
    QTest::newRow("tabs around") << "\t-3\t" << "-3" << "1" << "-3";
    QTest::newRow("plus sign") << "+9" << "9" << "1" << "9";
    QTest::newRow("leading zeros") << "007" << "7" << "1" << "7";
    QTest::newRow("many leading zeros") << "00000000000000000001" << "1" << "1" << "1";
    QTest::newRow("15 digits") << "999999999999999" << "-" << "1" << "999999999999999";
    QTest::newRow("16 digits") << "1234567890123456" << "-" << "1" << "-";
    QTest::newRow("fraction down") << "1.4" << "1" << "1" << "-";
    QTest::newRow("fraction up") << "1.6" << "2" << "1" << "-";
    QTest::newRow("zero fraction") << "0.0" << "0" << "0" << "-";
    QTest::newRow("fraction is True") << "0.25" << "0" << "1" << "-";
    QTest::newRow("half 0.5 to even") << "0.5" << "0" << "1" << "-";
    QTest::newRow("half 1.5 to even") << "1.5" << "2" << "1" << "-";
    QTest::newRow("half 2.5 to even") << "2.5" << "2" << "1" << "-";
    QTest::newRow("half -2.5 to even") << "-2.5" << "-2" << "1" << "-";
    QTest::newRow("half -0.5 to even") << "-0.5" << "0" << "1" << "-";
    QTest::newRow("no int digits") << ".5" << "0" << "1" << "-";
    QTest::newRow("no frac digits") << "5." << "5" << "1" << "-";
    QTest::newRow("exponent") << "1e3" << "1000" << "1" << "-";
    QTest::newRow("exponent upper signed") << "1E+2" << "100" << "1" << "-";
    QTest::newRow("negative exponent") << "25e-1" << "2" << "1" << "-";
    QTest::newRow("tiny exponent") << "1e-400" << "0" << "0" << "-";
    QTest::newRow("top") << "32767" << "32767" << "1" << "32767";
    QTest::newRow("top 32767.4") << "32767.4" << "32767" << "1" << "-";
    QTest::newRow("above 32767.5") << "32767.5" << "-" << "1" << "-";
    QTest::newRow("above 32768") << "32768" << "-" << "1" << "32768";
    QTest::newRow("bottom") << "-32768" << "-32768" << "1" << "-32768";
    QTest::newRow("bottom -32768.5 to even") << "-32768.5" << "-32768" << "1" << "-";
    QTest::newRow("below -32768.6") << "-32768.6" << "-" << "1" << "-";
    QTest::newRow("huge exponent") << "1e400" << "-" << "1" << "-";
    QTest::newRow("huge negative exponent") << "-1e400" << "-" << "1" << "-";
    QTest::newRow("huge mantissa") << QString(400, u'9') << "-" << "1" << "-";
    QTest::newRow("True") << "True" << "-" << "1" << "-";
    QTest::newRow("lower true") << "true" << "-" << "1" << "-";
    QTest::newRow("upper FALSE") << "FALSE" << "-" << "0" << "-";
    QTest::newRow("blanks False") << " False " << "-" << "0" << "-";
    QTest::newRow("Tru") << "Tru" << "-" << "-" << "-";
    QTest::newRow("yes") << "yes" << "-" << "-" << "-";
    QTest::newRow("empty") << "" << "-" << "-" << "-";
    QTest::newRow("blanks only") << "   " << "-" << "-" << "-";
    QTest::newRow("dot") << "." << "-" << "-" << "-";
    QTest::newRow("sign only") << "-" << "-" << "-" << "-";
    QTest::newRow("dangling exponent") << "1e" << "-" << "-" << "-";
    QTest::newRow("exponent sign only") << "1e+" << "-" << "-" << "-";
    QTest::newRow("exponent alone") << "e5" << "-" << "-" << "-";
    QTest::newRow("hex") << "0x10" << "-" << "-" << "-";
    QTest::newRow("decimal comma") << "1,5" << "-" << "-" << "-";
    QTest::newRow("blank inside") << "5 5" << "-" << "-" << "-";
    QTest::newRow("blank after sign") << "- 5" << "-" << "-" << "-";
    QTest::newRow("double sign") << "--5" << "-" << "-" << "-";
    QTest::newRow("trailing letter") << "12a" << "-" << "-" << "-";
    QTest::newRow("Cyrillic O for zero") << QString::fromUtf8("1\u041E") << "-" << "-" << "-";
    QTest::newRow("Cyrillic Ze for three") << QString::fromUtf8("\u0417") << "-" << "-" << "-";
    QTest::newRow("Arabic-Indic digit") << QString::fromUtf8("\u0663") << "-" << "-" << "-";
    QTest::newRow("fullwidth digits") << QString::fromUtf8("\uFF11\uFF12") << "-" << "-" << "-";
    QTest::newRow("no-break space") << QString::fromUtf8("\u00A05") << "-" << "-" << "-";
    QTest::newRow("infinity word") << "inf" << "-" << "-" << "-";
    QTest::newRow("nan word") << "nan" << "-" << "-" << "-";
}

void TstNumber::numberTexts()
{
    QFETCH(QString, text);
    QTEST(shown(num::toInt16(text)), "int16");
    QTEST(shown(num::toBool(text)), "boolean");
    QTEST(shown(num::parsePlainInteger(text)), "plain");
}

void TstNumber::parseNumberExtremes()
{
    QCOMPARE(num::parseNumber(u"-1.25e2"), std::optional<double>(-125.0));
    QCOMPARE(num::parseNumber(u"1e400"), std::optional<double>(qInf())); // numeric, just too big
    QCOMPARE(num::parseNumber(u"-1e400"), std::optional<double>(-qInf()));
    QCOMPARE(num::parseNumber(u"1e-400"), std::optional<double>(0.0));
    QVERIFY(!num::parseNumber(u"").has_value());
}

QTEST_GUILESS_MAIN(TstNumber)
#include "tst_number.moc"
