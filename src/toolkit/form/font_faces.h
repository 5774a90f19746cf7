#pragma once
// The faces that stand in for the design's Windows faces (MS Sans Serif,
// Arial, Times New Roman, Verdana) where those are not installed, closest
// first. On Windows the design's own faces are the ones drawn, and none
// stand in.

#include <QString>
#include <QStringList>

namespace tk {

QStringList standInFaces(const QString &designFace);

} // namespace tk
