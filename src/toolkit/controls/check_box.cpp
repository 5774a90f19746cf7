#include "toolkit/controls/check_box.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace tk {

CheckBox::CheckBox(QWidget *parent) : QCheckBox(parent)
{
    setTristate(true); // Value 2 shows greyed; the user's clicks only toggle 0/1
}

void CheckBox::setValue(int value)
{
    if (value == m_value)
        return;
    m_value = value;
    setCheckState(value == 1 ? Qt::Checked : value == 0 ? Qt::Unchecked : Qt::PartiallyChecked);
    update();
    emit Click();
}

void CheckBox::setGraphical(bool on)
{
    m_graphical = on;
    update();
}

bool CheckBox::takePress()
{
    if (m_value != 1)
        return false;
    setValue(0);
    return true;
}

void CheckBox::nextCheckState()
{
    setValue(m_value == 1 ? 0 : 1);
}

bool CheckBox::hitButton(const QPoint &pos) const
{
    return m_graphical ? rect().contains(pos) : QCheckBox::hitButton(pos);
}

void CheckBox::paintEvent(QPaintEvent *event)
{
    if (!m_graphical) {
        QCheckBox::paintEvent(event);
        return;
    }
    QStylePainter p(this);
    QStyleOptionButton opt;
    opt.initFrom(this);
    opt.text = text();
    opt.state |= (m_value == 1 || isDown()) ? QStyle::State_Sunken : QStyle::State_Raised;
    if (m_value == 1)
        opt.state |= QStyle::State_On;
    p.drawControl(QStyle::CE_PushButton, opt);
}

} // namespace tk
