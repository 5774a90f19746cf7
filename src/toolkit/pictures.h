#pragma once
// The window's two pictures, drawn in code: the bell of imgBell and the
// clock of imgIco that becomes the window icon.

#include <QPixmap>

class QPainter;

namespace pictures {

// The clock in a box of 32 x 32 units, on any painter: the window icon and
// the icons installed for the desktop (dist/icons) are both drawn by it.
void paintClock(QPainter &p);

QPixmap bell();  // 32 x 32
QPixmap clock(); // 32 x 32

} // namespace pictures
