#include "toolkit/form/font_faces.h"

namespace tk {

// Windows has the design's faces; where one is missing, its own font
// mapper picks the closest, as for the program the design comes from.
QStringList standInFaces(const QString &)
{
    return {};
}

} // namespace tk
