#include "toolkit/form/design_rows.h"

namespace design {

Control &Rows::add(Kind kind, const QString &name, int index, const QString &parent, QRect twips,
                   const QString &caption)
{
    Control &c = m_rows.emplace_back();
    c.kind = kind;
    c.name = name;
    c.index = index;
    c.parent = parent;
    c.twips = twips;
    c.caption = caption;
    return c;
}

} // namespace design
