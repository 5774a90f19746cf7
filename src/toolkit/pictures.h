#pragma once
// The window's two pictures, drawn in code: the bell of imgBell and the
// clock of imgIco, which is the window icon too. Each is drawn for the
// screen's device pixel ratio, so that it stays sharp at 125-200 %.

#include <QIcon>
#include <QPixmap>

class QPainter;

namespace pictures {

// The clock in a box of 32 x 32 units, on any painter: the window icon and
// the icons installed for the desktop (dist/icons) are both drawn by it.
void paintClock(QPainter &p);

// 32 x 32 device-independent pixels, drawn at the given pixel ratio.
QPixmap bell(qreal devicePixelRatio = 1);
QPixmap clock(qreal devicePixelRatio = 1);

// The clock at every size a window or taskbar icon takes, each drawn for it.
QIcon clockIcon();

} // namespace pictures
