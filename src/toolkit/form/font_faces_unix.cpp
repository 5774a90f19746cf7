#include "toolkit/form/font_faces.h"

namespace tk {

// Metric-compatible faces first (Liberation, Croscore), then DejaVu.
QStringList standInFaces(const QString &designFace)
{
    if (designFace == u"MS Sans Serif")
        return {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                QStringLiteral("Arial"), QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")};
    if (designFace == u"Arial")
        return {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")};
    if (designFace == u"Times New Roman")
        return {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos"), QStringLiteral("DejaVu Serif")};
    if (designFace == u"Verdana")
        return {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")};
    return {};
}

} // namespace tk
