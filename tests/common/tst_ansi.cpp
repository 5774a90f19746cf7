// The 8-bit code page of the wire and the settings file.
#include "common/ansi.h"

#include <QSet>
#include <QTest>

class TstAnsi : public QObject {
    Q_OBJECT

private slots:
    void encode_data();
    void encode();
    void everyByteComesBack();
    void printable_data();
    void printable();
};

// What goes out for a text; "both ways": every character has a place, so the
// bytes decode to the same text. Marks stand in the middle of Cyrillic ("Ж", 0xC6).
void TstAnsi::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("bothWays");
    const auto units = [](std::initializer_list<char16_t> u) {
        QString s(u'\u0416');
        for (char16_t c : u)
            s += QChar(c);
        return s + u'\u0416';
    };
    QTest::newRow("A Ya a ya") << QString::fromUtf8("\u0410\u042F\u0430\u044F") << QByteArray("\xC0\xDF\xE0\xFF")
                               << true;
    QTest::newRow("Yo yo") << QString::fromUtf8("\u0401\u0451") << QByteArray("\xA8\xB8") << true;
    QTest::newRow("mixed with ASCII") << QString::fromUtf8("Sbd1|7:5:0|1|\u0417\u0432\u043E\u043D")
                                      << QByteArray("Sbd1|7:5:0|1|\xC7\xE2\xEE\xED") << true;
    QTest::newRow("ASCII") << "Gsk?" << QByteArray("Gsk?") << true;
    QTest::newRow("empty") << "" << QByteArray() << true;
    QTest::newRow("euro, numero, per mille") << QString::fromUtf8("\u20AC\u2116\u2030") << QByteArray("\x88\xB9\x89")
                                             << true;
    QTest::newRow("Ukrainian and Belarusian letters") << QString::fromUtf8("\u0490\u0491\u0404\u0456\u040E")
                                                      << QByteArray("\xA5\xB4\xAA\xB3\xA1") << true;
    QTest::newRow("control character kept") << units({0x001A}) << QByteArray("\xC6\x1A\xC6") << true;
    QTest::newRow("C1 control U+0080 has no place") << units({0x0080}) << QByteArray("\xC6?\xC6") << false;
    QTest::newRow("Latin letter with accent") << units({0x00E9}) << QByteArray("\xC6?\xC6") << false;
    QTest::newRow("emoji: one character, one mark") << units({0xD83D, 0xDE00}) << QByteArray("\xC6?\xC6") << false;
    QTest::newRow("heart with its variation selector") << units({0x2764, 0xFE0F}) << QByteArray("\xC6?\xC6")
                                                       << false;
    QTest::newRow("zero-width joiner and byte-order mark left out") << units({0x200D, 0xFEFF})
                                                                     << QByteArray("\xC6\xC6") << false;
    QTest::newRow("tag character left out") << units({0xDB40, 0xDC01}) << QByteArray("\xC6\xC6") << false;
    QTest::newRow("lone low surrogate") << units({0xDE00}) << QByteArray("\xC6?\xC6") << false;
    QTest::newRow("lone high surrogate before a letter") << units({0xD83D}) << QByteArray("\xC6?\xC6") << false;
    QTest::newRow("half a pair at the end") << QString(u'\u0416') + QChar(char16_t(0xD83D)) << QByteArray("\xC6")
                                            << false;
}

void TstAnsi::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, bothWays);
    QCOMPARE(ansi::encode(text), bytes);
    QCOMPARE(ansi::representable(text), bothWays);
    if (bothWays)
        QCOMPARE(ansi::decode(bytes), text);
}

// Each byte is one character of its own, which goes out as the same byte:
// a setting read and written back keeps its bytes.
void TstAnsi::everyByteComesBack()
{
    QSet<QString> seen;
    for (int b = 0; b < 256; ++b) {
        const QByteArray byte(1, static_cast<char>(b));
        const QString ch = ansi::decode(byte);
        QVERIFY2(ch.size() == 1 && !seen.contains(ch), qPrintable(QString::number(b, 16)));
        seen.insert(ch);
        QCOMPARE(ansi::encode(ch), byte);
    }
}

void TstAnsi::printable_data()
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
    QTest::newRow("last C0 control") << "a\x1f" << "a\\x1f";
    QTest::newRow("no-break space kept, first after C1") << "a\u00A0b" << "a\u00A0b";
    QTest::newRow("C1 control, as byte 0x98 decodes") << ansi::decode("\x98") << "\\x98";
    QTest::newRow("already printable stays") << "a\\x1b\\r" << "a\\x1b\\r";
}

void TstAnsi::printable()
{
    QFETCH(QString, text);
    QTEST(ansi::printable(text), "shown");
}

QTEST_GUILESS_MAIN(TstAnsi)
#include "tst_ansi.moc"
