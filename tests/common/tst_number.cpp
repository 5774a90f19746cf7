// The one number rule, Boolean texts and plain integers, and the 8-bit
// code page of the wire and the settings file.
#include "common/ansi.h"
#include "common/number.h"

#include <QSet>
#include <QTest>

#include <optional>

Q_DECLARE_METATYPE(std::optional<qint16>)
Q_DECLARE_METATYPE(std::optional<bool>)
Q_DECLARE_METATYPE(std::optional<qint64>)

namespace {
constexpr std::optional<qint16> none16;
}

class TstNumber : public QObject {
    Q_OBJECT

private slots:
    void toInt16_data();
    void toInt16();
    void parseNumberExtremes();
    void toBool_data();
    void toBool();
    void parsePlainInteger_data();
    void parsePlainInteger();
    void ansiCyrillicRoundTrip_data();
    void ansiCyrillicRoundTrip();
    void ansiUnmappableBecomesQuestionMark();
    void ansiWithoutPlace_data();
    void ansiWithoutPlace();
    void ansiEveryByteDecodes();
    void ansiEveryByteComesBack();
    void ansiPrintable_data();
    void ansiPrintable();
    void ansiRepresentable_data();
    void ansiRepresentable();
};

void TstNumber::toInt16_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint16>>("expected");

    QTest::newRow("plain") << "42" << std::optional<qint16>(42);
    QTest::newRow("zero") << "0" << std::optional<qint16>(0);
    QTest::newRow("blanks around") << "  7 " << std::optional<qint16>(7);
    QTest::newRow("tabs around") << "\t-3\t" << std::optional<qint16>(-3);
    QTest::newRow("plus sign") << "+9" << std::optional<qint16>(9);
    QTest::newRow("leading zeros") << "007" << std::optional<qint16>(7);
    QTest::newRow("fraction down") << "1.4" << std::optional<qint16>(1);
    QTest::newRow("fraction up") << "1.6" << std::optional<qint16>(2);
    QTest::newRow("half 0.5 to even") << "0.5" << std::optional<qint16>(0);
    QTest::newRow("half 1.5 to even") << "1.5" << std::optional<qint16>(2);
    QTest::newRow("half 2.5 to even") << "2.5" << std::optional<qint16>(2);
    QTest::newRow("half -2.5 to even") << "-2.5" << std::optional<qint16>(-2);
    QTest::newRow("half -0.5 to even") << "-0.5" << std::optional<qint16>(0);
    QTest::newRow("no int digits") << ".5" << std::optional<qint16>(0);
    QTest::newRow("no frac digits") << "5." << std::optional<qint16>(5);
    QTest::newRow("exponent") << "1e3" << std::optional<qint16>(1000);
    QTest::newRow("exponent upper signed") << "1E+2" << std::optional<qint16>(100);
    QTest::newRow("negative exponent") << "25e-1" << std::optional<qint16>(2);
    QTest::newRow("tiny exponent") << "1e-400" << std::optional<qint16>(0);
    QTest::newRow("top") << "32767" << std::optional<qint16>(32767);
    QTest::newRow("top 32767.4") << "32767.4" << std::optional<qint16>(32767);
    QTest::newRow("above 32767.5") << "32767.5" << none16;
    QTest::newRow("above 32768") << "32768" << none16;
    QTest::newRow("bottom") << "-32768" << std::optional<qint16>(-32768);
    QTest::newRow("bottom -32768.5 to even") << "-32768.5" << std::optional<qint16>(-32768);
    QTest::newRow("below -32768.6") << "-32768.6" << none16;
    QTest::newRow("huge exponent") << "1e400" << none16;
    QTest::newRow("huge negative exponent") << "-1e400" << none16;
    QTest::newRow("huge mantissa") << QString(400, u'9') << none16;
    QTest::newRow("empty") << "" << none16;
    QTest::newRow("blanks only") << "   " << none16;
    QTest::newRow("dot") << "." << none16;
    QTest::newRow("sign only") << "-" << none16;
    QTest::newRow("dangling exponent") << "1e" << none16;
    QTest::newRow("exponent sign only") << "1e+" << none16;
    QTest::newRow("exponent alone") << "e5" << none16;
    QTest::newRow("hex") << "0x10" << none16;
    QTest::newRow("decimal comma") << "1,5" << none16;
    QTest::newRow("blank inside") << "5 5" << none16;
    QTest::newRow("blank after sign") << "- 5" << none16;
    QTest::newRow("double sign") << "--5" << none16;
    QTest::newRow("trailing letter") << "12a" << none16;
    QTest::newRow("Cyrillic O for zero") << QString::fromUtf8("1\u041E") << none16;
    QTest::newRow("Cyrillic Ze for three") << QString::fromUtf8("\u0417") << none16;
    QTest::newRow("Arabic-Indic digit") << QString::fromUtf8("\u0663") << none16;
    QTest::newRow("fullwidth digits") << QString::fromUtf8("\uFF11\uFF12") << none16;
    QTest::newRow("no-break space") << QString::fromUtf8("\u00A05") << none16;
    QTest::newRow("infinity word") << "inf" << none16;
    QTest::newRow("nan word") << "nan" << none16;
}

void TstNumber::toInt16()
{
    QFETCH(QString, text);
    QFETCH(std::optional<qint16>, expected);
    QCOMPARE(num::toInt16(text), expected);
}

void TstNumber::parseNumberExtremes()
{
    QCOMPARE(num::parseNumber(u"-1.25e2"), std::optional<double>(-125.0));
    QCOMPARE(num::parseNumber(u"1e400"), std::optional<double>(qInf())); // numeric, just too big
    QCOMPARE(num::parseNumber(u"-1e400"), std::optional<double>(-qInf()));
    QCOMPARE(num::parseNumber(u"1e-400"), std::optional<double>(0.0));
    QVERIFY(!num::parseNumber(u"").has_value());
}

void TstNumber::toBool_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<bool>>("expected");

    QTest::newRow("True") << "True" << std::optional<bool>(true);
    QTest::newRow("lower true") << "true" << std::optional<bool>(true);
    QTest::newRow("upper FALSE") << "FALSE" << std::optional<bool>(false);
    QTest::newRow("blanks False") << " False " << std::optional<bool>(false);
    QTest::newRow("zero") << "0" << std::optional<bool>(false);
    QTest::newRow("zero fraction") << "0.0" << std::optional<bool>(false);
    QTest::newRow("one") << "1" << std::optional<bool>(true);
    QTest::newRow("minus one") << "-1" << std::optional<bool>(true);
    QTest::newRow("fraction") << "0.25" << std::optional<bool>(true);
    QTest::newRow("empty") << "" << std::optional<bool>();
    QTest::newRow("yes") << "yes" << std::optional<bool>();
    QTest::newRow("Tru") << "Tru" << std::optional<bool>();
    QTest::newRow("Cyrillic Da") << QString::fromUtf8("\u0414\u0430") << std::optional<bool>();
}

void TstNumber::toBool()
{
    QFETCH(QString, text);
    QFETCH(std::optional<bool>, expected);
    QCOMPARE(num::toBool(text), expected);
}

void TstNumber::parsePlainInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint64>>("expected");

    QTest::newRow("port") << "17777" << std::optional<qint64>(17777);
    QTest::newRow("blanks") << " 42 " << std::optional<qint64>(42);
    QTest::newRow("negative") << "-5" << std::optional<qint64>(-5);
    QTest::newRow("plus") << "+5" << std::optional<qint64>(5);
    QTest::newRow("leading zeros") << "007" << std::optional<qint64>(7);
    QTest::newRow("many leading zeros") << "00000000000000000001" << std::optional<qint64>(1);
    QTest::newRow("15 digits") << "999999999999999" << std::optional<qint64>(999999999999999);
    QTest::newRow("16 digits") << "1234567890123456" << std::optional<qint64>();
    QTest::newRow("exponent") << "1e3" << std::optional<qint64>();
    QTest::newRow("fraction") << "1.0" << std::optional<qint64>();
    QTest::newRow("empty") << "" << std::optional<qint64>();
    QTest::newRow("sign only") << "-" << std::optional<qint64>();
    QTest::newRow("hex") << "0x10" << std::optional<qint64>();
    QTest::newRow("Arabic-Indic digit") << QString::fromUtf8("\u0663") << std::optional<qint64>();
}

void TstNumber::parsePlainInteger()
{
    QFETCH(QString, text);
    QFETCH(std::optional<qint64>, expected);
    QCOMPARE(num::parsePlainInteger(text), expected);
}

void TstNumber::ansiCyrillicRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("A Ya a ya") << QString::fromUtf8("\u0410\u042F\u0430\u044F")
                               << QByteArray("\xC0\xDF\xE0\xFF");
    QTest::newRow("Yo yo") << QString::fromUtf8("\u0401\u0451") << QByteArray("\xA8\xB8");
    QTest::newRow("mixed with ASCII") << QString::fromUtf8("Sbd1|7:5:0|1|\u0417\u0432\u043E\u043D")
                                      << QByteArray("Sbd1|7:5:0|1|\xC7\xE2\xEE\xED");
    QTest::newRow("ASCII") << "Gsk?" << QByteArray("Gsk?");
}

void TstNumber::ansiCyrillicRoundTrip()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ansi::encode(text), bytes);
    QCOMPARE(ansi::decode(bytes), text);
}

void TstNumber::ansiUnmappableBecomesQuestionMark()
{
    QCOMPARE(ansi::encode(QString::fromUtf8("a\u65E5b")), QByteArray("a?b"));
}

// What the code page cannot carry, in the middle of Cyrillic text ("Ж", 0xC6).
void TstNumber::ansiWithoutPlace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    const auto units = [](std::initializer_list<char16_t> u) {
        QString s(u'\u0416');
        for (char16_t c : u)
            s += QChar(c);
        return s + u'\u0416';
    };
    QTest::newRow("Latin letter with accent") << units({0x00E9}) << QByteArray("\xC6?\xC6");
    QTest::newRow("emoji: one character, one mark") << units({0xD83D, 0xDE00}) << QByteArray("\xC6?\xC6");
    QTest::newRow("heart with its variation selector") << units({0x2764, 0xFE0F}) << QByteArray("\xC6?\xC6");
    QTest::newRow("zero-width joiner and byte-order mark left out") << units({0x200D, 0xFEFF})
                                                                     << QByteArray("\xC6\xC6");
    QTest::newRow("tag character left out") << units({0xDB40, 0xDC01}) << QByteArray("\xC6\xC6");
    QTest::newRow("lone low surrogate") << units({0xDE00}) << QByteArray("\xC6?\xC6");
    QTest::newRow("lone high surrogate before a letter") << units({0xD83D}) << QByteArray("\xC6?\xC6");
    QTest::newRow("half a pair at the end") << QString(u'\u0416') + QChar(char16_t(0xD83D)) << QByteArray("\xC6");
    QTest::newRow("control character kept") << units({0x001A}) << QByteArray("\xC6\x1A\xC6");
    QTest::newRow("euro, numero, per mille") << QString::fromUtf8("\u20AC\u2116\u2030") << QByteArray("\x88\xB9\x89");
    QTest::newRow("Ukrainian and Belarusian letters") << QString::fromUtf8("\u0490\u0491\u0404\u0456\u040E")
                                                      << QByteArray("\xA5\xB4\xAA\xB3\xA1");
}

void TstNumber::ansiWithoutPlace()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ansi::encode(text), bytes);
}

void TstNumber::ansiEveryByteDecodes()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        QCOMPARE(ansi::decode(QByteArrayView(&c, 1)).size(), 1);
        all.append(c);
    }
    QCOMPARE(ansi::decode(all).size(), 256);
}

// Each byte is one character of its own, which goes out as the same byte:
// a setting read and written back keeps its bytes.
void TstNumber::ansiEveryByteComesBack()
{
    QSet<QString> seen;
    for (int b = 0; b < 256; ++b) {
        const QByteArray byte(1, static_cast<char>(b));
        const QString ch = ansi::decode(byte);
        QVERIFY2(!seen.contains(ch), qPrintable(QString::number(b, 16)));
        seen.insert(ch);
        QCOMPARE(ansi::encode(ch), byte);
    }
}

void TstNumber::ansiPrintable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << "Gsk?|Classic" << "Gsk?|Classic";
    QTest::newRow("alarm list") << "Gbd*|1\r\n2" << "Gbd*|1\\r\\n2";
    QTest::newRow("escape and NUL") << QString::fromUtf8("\x1b[2J\0x", 6) << "\\x1b[2J\\x00x";
    QTest::newRow("Cyrillic kept") << "Err3|Нет" << "Err3|Нет";
    QTest::newRow("title and bell") << "\x1b]0;T\x07" << "\\x1b]0;T\\x07";
    QTest::newRow("lone CR") << "ok\rfake" << "ok\\rfake";
    QTest::newRow("DEL") << "a\x7f" << "a\\x7f";
    QTest::newRow("C1 control, as byte 0x98 decodes") << ansi::decode("\x98") << "\\x98";
    QTest::newRow("already printable stays") << "a\\x1b\\r" << "a\\x1b\\r";
}

void TstNumber::ansiRepresentable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("representable");
    QTest::newRow("ASCII") << "Sbd1|7:0:0|1|Wake up" << true;
    QTest::newRow("Cyrillic, №, euro") << "Подъём № 1 €" << true;
    QTest::newRow("emoji") << "Wake 😀 ok" << false;
    QTest::newRow("Greek") << "Ω" << false;
    QTest::newRow("control characters are ASCII") << "a\x01\x1a" << true;
    QTest::newRow("empty") << "" << true;
}

void TstNumber::ansiRepresentable()
{
    QFETCH(QString, text);
    QTEST(ansi::representable(text), "representable");
}

void TstNumber::ansiPrintable()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(ansi::printable(text), shown);
}

QTEST_GUILESS_MAIN(TstNumber)
#include "tst_number.moc"
