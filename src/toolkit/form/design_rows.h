#pragma once
// The rows of a form in the making: each part of the window adds those of
// its own controls, in design order.

#include "toolkit/form/window_design.h"

#include <vector>

namespace design {

class Rows {
public:
    Control &add(Kind kind, const QString &name, int index, const QString &parent, QRect twips,
                 const QString &caption = {});
    Control &add(Kind kind, const QString &name, const QString &parent, QRect twips, const QString &caption = {})
    {
        return add(kind, name, -1, parent, twips, caption);
    }

    std::vector<Control> take() { return std::move(m_rows); }

private:
    std::vector<Control> m_rows;
};

} // namespace design
