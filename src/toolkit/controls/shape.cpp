#include "toolkit/controls/shape.h"

#include "toolkit/controls/colours.h"

#include <QPainter>

namespace tk {

Shape::Shape(Form form, QWidget *parent) : QWidget(parent), m_form(form)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setBorderWidth(int px)
{
    m_borderWidth = px;
    update();
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(fromBgr(foreColor(this)));
    pen.setWidth(m_borderWidth);
    p.setPen(m_borderWidth > 0 ? pen : QPen(Qt::NoPen));
    // A shape without a BackColor is an outline only.
    p.setBrush(hasBackColor(this) ? QBrush(fromBgr(backColor(this))) : QBrush());
    const qreal half = m_borderWidth / 2.0;
    const QRectF r = QRectF(rect()).adjusted(half, half, -half, -half);
    switch (m_form) {
    case Form::Rectangle:
        p.drawRect(r);
        break;
    case Form::RoundedRectangle:
        p.drawRoundedRect(r, 6, 6);
        break;
    case Form::Circle: {
        const qreal d = qMin(r.width(), r.height());
        p.drawEllipse(QRectF(r.center().x() - d / 2, r.center().y() - d / 2, d, d));
        break;
    }
    }
}

} // namespace tk
