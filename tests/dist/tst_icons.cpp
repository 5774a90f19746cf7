// The icons rendered for the desktop are the window icon: the PNG at the
// window icon's size is its very pixels, every size is drawn, and the SVG
// shows the same picture. So is the Windows icon file, size by size.

#include "toolkit/pictures.h"

#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

class TestIcons : public QObject
{
    Q_OBJECT

private slots:
    void everySizeIsDrawn_data();
    void everySizeIsDrawn();
    void windowIconSizeIsTheWindowIcon();
    void svgIsTheSamePicture();
    void windowsIconHoldsEverySize();

private:
    static QString png(int size)
    {
        return QStringLiteral(DALVIMO_TEST_ICON_DIR "/%1x%1/apps/dalvimo.png").arg(size);
    }
};

void TestIcons::everySizeIsDrawn_data()
{
    QTest::addColumn<int>("size");
    for (const QString &s : QStringLiteral(DALVIMO_TEST_ICON_SIZES).split(u','))
        QTest::newRow(qPrintable(s)) << s.toInt();
}

void TestIcons::everySizeIsDrawn()
{
    QFETCH(int, size);
    const QImage image(png(size));
    QCOMPARE(image.size(), QSize(size, size));
    // Corners are clear, the middle (the hands' pivot) is drawn.
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
}

void TestIcons::windowIconSizeIsTheWindowIcon()
{
    const QImage rendered = QImage(png(32)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage window = pictures::clock().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(rendered, window);
}

// The SVG goes through another renderer, so edges differ a little; a
// different drawing differs a lot.
void TestIcons::svgIsTheSamePicture()
{
    QSvgRenderer svg(QStringLiteral(DALVIMO_TEST_ICON_DIR "/scalable/apps/dalvimo.svg"));
    QVERIFY(svg.isValid());
    const int size = 64;
    QImage fromSvg(size, size, QImage::Format_ARGB32_Premultiplied);
    fromSvg.fill(Qt::transparent);
    QPainter p(&fromSvg);
    svg.render(&p);
    p.end();
    const QImage fromPng = QImage(png(size)).convertToFormat(QImage::Format_ARGB32_Premultiplied);

    qint64 difference = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb a = fromSvg.pixel(x, y);
            const QRgb b = fromPng.pixel(x, y);
            difference += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b))
                + qAbs(qAlpha(a) - qAlpha(b));
        }
    }
    const double perChannel = double(difference) / (size * size * 4);
    QVERIFY2(perChannel < 0.5, qPrintable(QString::number(perChannel)));
}

// Read back as Windows reads it: one image per size, in the file's order,
// each the drawing at that size (at 32 pixels the window icon itself).
void TestIcons::windowsIconHoldsEverySize()
{
    QImageReader ico(QStringLiteral(DALVIMO_TEST_ICO_FILE), "ico");
    const QStringList sizes = QStringLiteral(DALVIMO_TEST_ICO_SIZES).split(u',');
    QCOMPARE(ico.imageCount(), sizes.size());
    for (int i = 0; i < sizes.size(); ++i) {
        QVERIFY(ico.jumpToImage(i));
        const QImage image = ico.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const int size = sizes[i].toInt();
        QCOMPARE(image.size(), QSize(size, size));
        if (QFile::exists(png(size)))
            QCOMPARE(image, QImage(png(size)).convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
}

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
