#include "toolkit/pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace pictures {
namespace {

constexpr int kBox = 32; // the drawings' size, in device-independent pixels

// The painter draws in the box's units whatever the ratio.
QPixmap canvas(qreal devicePixelRatio)
{
    const int side = qRound(kBox * devicePixelRatio);
    QPixmap pm(side, side);
    pm.setDevicePixelRatio(qreal(side) / kBox);
    pm.fill(Qt::transparent);
    return pm;
}

} // namespace

QPixmap bell(qreal devicePixelRatio)
{
    QPixmap pm = canvas(devicePixelRatio);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x80, 0x50, 0x00), 1.2));

    QPainterPath body;
    body.moveTo(6, 24);
    body.cubicTo(9, 21, 9, 17, 9, 13);
    body.cubicTo(9, 7, 12, 4, 16, 4);
    body.cubicTo(20, 4, 23, 7, 23, 13);
    body.cubicTo(23, 17, 23, 21, 26, 24);
    body.closeSubpath();
    QLinearGradient gold(8, 0, 24, 0);
    gold.setColorAt(0, QColor(0xFF, 0xE0, 0x60));
    gold.setColorAt(0.4, QColor(0xFF, 0xF4, 0xB0));
    gold.setColorAt(1, QColor(0xD0, 0x98, 0x10));
    p.setBrush(gold);
    p.drawPath(body);

    p.drawRoundedRect(QRectF(5, 23.5, 22, 3), 1.5, 1.5); // rim
    p.setBrush(QColor(0xB0, 0x70, 0x00));
    p.drawEllipse(QRectF(14, 26, 4, 4)); // clapper
    p.drawEllipse(QRectF(14.5, 1.5, 3, 3)); // ring
    return pm;
}

void paintClock(QPainter &p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x20, 0x30, 0x80), 2));
    p.setBrush(QColor(0xFF, 0xFF, 0xF0));
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setPen(QPen(QColor(0x20, 0x30, 0x80), 1));
    for (int h = 0; h < 12; ++h) {
        p.save();
        p.translate(16, 16);
        p.rotate(h * 30);
        p.drawLine(QPointF(0, -11), QPointF(0, h % 3 == 0 ? -8.5 : -10));
        p.restore();
    }
    p.setPen(QPen(QColor(0x20, 0x30, 0x80), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(16, 8));  // minute hand at twelve
    p.drawLine(QPointF(16, 16), QPointF(21, 18)); // hour hand near four
    p.setPen(QPen(QColor(0xC0, 0x20, 0x20), 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(10, 22)); // alarm hand
    p.restore();
}

QPixmap clock(qreal devicePixelRatio)
{
    QPixmap pm = canvas(devicePixelRatio);
    QPainter p(&pm);
    paintClock(p);
    return pm;
}

// From the small icon at 100 % to the large one at 200 % and beyond.
QIcon clockIcon()
{
    QIcon icon;
    for (const int size : {16, 20, 24, 32, 40, 48, 64, 96, 128, 256}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.scale(qreal(size) / kBox, qreal(size) / kBox);
        paintClock(p);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace pictures
