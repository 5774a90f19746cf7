#include "toolkit/controls/colours.h"

#include "toolkit/controls/shape.h"

#include <QPalette>
#include <QVariant>
#include <QWidget>

#include <initializer_list>

namespace tk {
namespace {

constexpr const char *kBackProp = "BackColor";
constexpr const char *kForeProp = "ForeColor";

// Paints the roles of the palette in the colour and keeps the number in
// the property; false when the control has that colour already.
bool setColour(QWidget *w, const char *prop, std::initializer_list<QPalette::ColorRole> roles, quint32 bgr)
{
    const QVariant v = w->property(prop);
    if (v.isValid() && v.toUInt() == bgr)
        return false;
    w->setProperty(prop, bgr);
    QPalette p = w->palette();
    const QColor c = fromBgr(bgr);
    for (QPalette::ColorRole role : roles)
        p.setColor(role, c);
    w->setPalette(p);
    w->update();
    return true;
}

} // namespace

QColor fromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

quint32 toBgr(const QColor &c)
{
    return quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16;
}

void setBackColor(QWidget *w, quint32 bgr)
{
    // A shape fills its figure, not its rectangle; every other control fills
    // its whole area.
    if (setColour(w, kBackProp, {QPalette::Window, QPalette::Base, QPalette::Button}, bgr))
        w->setAutoFillBackground(!qobject_cast<Shape *>(w));
}

void setForeColor(QWidget *w, quint32 bgr)
{
    setColour(w, kForeProp, {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}, bgr);
}

bool hasBackColor(const QWidget *w)
{
    return w->property(kBackProp).isValid();
}

quint32 backColor(const QWidget *w)
{
    const QVariant v = w->property(kBackProp);
    return v.isValid() ? v.toUInt() : toBgr(w->palette().color(QPalette::Window));
}

quint32 foreColor(const QWidget *w)
{
    const QVariant v = w->property(kForeProp);
    return v.isValid() ? v.toUInt() : toBgr(w->palette().color(QPalette::WindowText));
}

} // namespace tk
