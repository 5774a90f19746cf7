#include "toolkit/accessibility/arrow_bar_accessible.h"

#include "toolkit/accessibility/accessibility.h"

#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

namespace tk::a11y {
namespace {

// One arrow of a scroll bar: a button that steps the bar as a click on the
// arrow does.
class ArrowAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ArrowAccessible(QScrollBar *bar, int part) : m_bar(bar), m_part(part) {}

    bool isValid() const override { return !m_bar.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_bar ? m_bar->window()->windowHandle() : nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_bar.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    void setText(QAccessible::Text, const QString &) override {}
    QAccessible::Role role() const override { return QAccessible::Button; }

    QString text(QAccessible::Text t) const override
    {
        const QStringList names = m_bar ? accessibleParts(m_bar) : QStringList();
        return t == QAccessible::Name && m_part < names.size() ? names.at(m_part) : QString();
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.disabled = !m_bar || !m_bar->isEnabled();
        s.invisible = !m_bar || !m_bar->isVisible();
        return s;
    }

    QRect rect() const override
    {
        if (!m_bar || !m_bar->isVisible())
            return {};
        QStyleOptionSlider opt;
        opt.initFrom(m_bar);
        opt.subControls = QStyle::SC_All;
        opt.orientation = m_bar->orientation();
        if (opt.orientation == Qt::Horizontal)
            opt.state |= QStyle::State_Horizontal;
        opt.minimum = m_bar->minimum();
        opt.maximum = m_bar->maximum();
        opt.sliderPosition = m_bar->sliderPosition();
        opt.sliderValue = m_bar->value();
        opt.singleStep = m_bar->singleStep();
        opt.pageStep = m_bar->pageStep();
        opt.upsideDown = m_bar->invertedAppearance();
        const QRect r = m_bar->style()->subControlRect(
            QStyle::CC_ScrollBar, &opt, m_part == 0 ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine,
            m_bar);
        return {m_bar->mapToGlobal(r.topLeft()), r.size()};
    }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

    // The same step a click on the arrow triggers.
    void doAction(const QString &name) override
    {
        if (name == pressAction() && m_bar && m_bar->isEnabled())
            m_bar->triggerAction(m_part == 0 ? QAbstractSlider::SliderSingleStepSub
                                             : QAbstractSlider::SliderSingleStepAdd);
    }

private:
    QPointer<QScrollBar> m_bar;
    int m_part; // 0 the left arrow, 1 the right one
};

} // namespace

ArrowBarAccessible::ArrowBarAccessible(QWidget *w) : RoleAccessible(w, QAccessible::ScrollBar) {}

// The arrows are not widgets, so Qt's cache does not drop them with the
// bar. By id: when the whole cache goes, an arrow may have gone first.
ArrowBarAccessible::~ArrowBarAccessible()
{
    for (QAccessible::Id id : std::as_const(m_arrowIds))
        QAccessible::deleteAccessibleInterface(id);
}

QScrollBar *ArrowBarAccessible::bar() const
{
    return qobject_cast<QScrollBar *>(widget());
}

QAccessibleInterface *ArrowBarAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (m_arrows.isEmpty()) {
        for (int part = 0; part < childCount(); ++part) {
            QAccessibleInterface *arrow = new ArrowAccessible(bar(), part);
            m_arrowIds.append(QAccessible::registerAccessibleInterface(arrow));
            m_arrows.append(arrow);
        }
    }
    return m_arrows.at(index);
}

int ArrowBarAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    return int(m_arrows.indexOf(const_cast<QAccessibleInterface *>(child)));
}

void *ArrowBarAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
    return RoleAccessible::interface_cast(t);
}

QVariant ArrowBarAccessible::currentValue() const { return bar()->value(); }
QVariant ArrowBarAccessible::maximumValue() const { return bar()->maximum(); }
QVariant ArrowBarAccessible::minimumValue() const { return bar()->minimum(); }
QVariant ArrowBarAccessible::minimumStepSize() const { return bar()->singleStep(); }

// Through the bar's own value, so its Change runs as for any other change.
void ArrowBarAccessible::setCurrentValue(const QVariant &value)
{
    bar()->setValue(value.toInt());
}

} // namespace tk::a11y
