#include "toolkit/form/window_design.h"

namespace design {

QString objectName(const QString &name, int index)
{
    // Built for every lookup of a control, so without the cost of arg().
    return index < 0 ? name : name + u'(' + QString::number(index) + u')';
}

tk::Access accessOf(const Control &row)
{
    using K = Kind;
    if (row.access != tk::Access::Default)
        return row.access;
    switch (row.kind) {
    case K::CheckButton:
        return tk::Access::Button;
    case K::LinkText:
        return tk::Access::Link;
    case K::ComboBox:
        return tk::Access::Choice;
    case K::Frame:
    case K::PictureBox:
        return tk::Access::Group;
    case K::Shape:
    case K::RoundedShape:
    case K::Circle:
    case K::Image:
        return tk::Access::Hidden;
    default:
        return tk::Access::Default;
    }
}

} // namespace design
