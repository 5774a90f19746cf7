#pragma once
// The window's two pictures, drawn in code: the bell of imgBell and the
// clock of imgIco that becomes the window icon.

#include <QPixmap>
#include <QString>

namespace pictures {

QPixmap bell();  // 32 x 32
QPixmap clock(); // 32 x 32

// The picture of the designed image control name; a null pixmap otherwise.
QPixmap forImage(const QString &name);

} // namespace pictures
