#include "toolkit/toolkit.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <utility>

namespace tk {
namespace {
constexpr const char *kBackProp = "BackColor";
constexpr const char *kForeProp = "ForeColor";

// The same colour again changes nothing on screen, so it costs no palette
// change and no repaint (the indicator is set on every reply and tick).
bool hasColour(const QWidget *w, const char *prop, quint32 bgr)
{
    const QVariant v = w->property(prop);
    return v.isValid() && v.toUInt() == bgr;
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
    if (hasColour(w, kBackProp, bgr))
        return;
    w->setProperty(kBackProp, bgr);
    QPalette p = w->palette();
    const QColor c = fromBgr(bgr);
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        p.setColor(role, c);
    w->setPalette(p);
    // A shape fills its figure, not its rectangle; every other control fills
    // its whole area.
    w->setAutoFillBackground(!qobject_cast<Shape *>(w));
    w->update();
}

void setForeColor(QWidget *w, quint32 bgr)
{
    if (hasColour(w, kForeProp, bgr))
        return;
    w->setProperty(kForeProp, bgr);
    QPalette p = w->palette();
    const QColor c = fromBgr(bgr);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(role, c);
    w->setPalette(p);
    w->update();
}

void setText(QLineEdit *box, const QString &text)
{
    if (box->text() != text)
        box->setText(text);
}

void setCaption(QLabel *label, const QString &text)
{
    if (label->text() == text)
        return;
    // Qt gives a label that can take the focus a whole text document, so that
    // a screen reader can follow a text cursor in it; the label makes that
    // document itself when it gets the focus. Text set while it does not hold
    // the focus is laid out as any other label's, not through a document.
    const Qt::FocusPolicy policy = label->focusPolicy();
    const bool plain = policy != Qt::NoFocus && !label->hasFocus();
    if (plain)
        label->setFocusPolicy(Qt::NoFocus);
    label->setText(text);
    if (plain)
        label->setFocusPolicy(policy);
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

// --- CheckBox ---------------------------------------------------------------

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

// --- Label ------------------------------------------------------------------

Label::Label(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void Label::mousePressEvent(QMouseEvent *event)
{
    m_pressed = true;
    emit MouseDown(event->button());
}

void Label::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit Click();
}

// Qt's default would treat the second press as a fresh press and its release
// as a second Click.
void Label::mouseDoubleClickEvent(QMouseEvent *)
{
    m_pressed = false;
    emit DblClick();
}

// --- TextBox ----------------------------------------------------------------

TextBox::TextBox(QWidget *parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &TextBox::Change);
}

void TextBox::setLinkStyle(quint32 formBack, quint32 fore)
{
    setFrame(false);
    setReadOnly(true);
    setCursor(Qt::PointingHandCursor);
    setBackColor(this, formBack);
    setForeColor(this, fore);
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit KeyPress(13);
        event->accept();
        return;
    case Qt::Key_Escape:
        emit KeyPress(27);
        event->accept();
        return;
    default:
        if (!event->text().isEmpty())
            emit KeyPress(event->text().front().unicode());
        QLineEdit::keyPressEvent(event);
    }
}

void TextBox::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    const bool endsDoubleClick = std::exchange(m_doubleClicked, false);
    if (!endsDoubleClick && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

void TextBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    m_doubleClicked = true;
    emit DblClick();
}

void TextBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Switching to another application or opening a popup is no loss of focus
    // within the window.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit LostFocus();
}

void TextBox::enterEvent(QEnterEvent *event)
{
    QLineEdit::enterEvent(event);
    emit MouseEnter();
}

void TextBox::leaveEvent(QEvent *event)
{
    QLineEdit::leaveEvent(event);
    emit MouseLeave();
}

// --- ComboBox ---------------------------------------------------------------

ComboBox::ComboBox(QWidget *parent) : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, [this](int) {
        showFreeText(QString());
        emit Click();
    });
}

void ComboBox::showFreeText(const QString &text)
{
    m_freeText = text;
    // Qt selects the first item when the placeholder is cleared with nothing
    // selected; the selection stays what it was.
    const int keep = currentIndex();
    const QSignalBlocker block(this);
    setPlaceholderText(text);
    setCurrentIndex(keep);
}

void ComboBox::setListIndex(int index)
{
    if (index < -1 || index >= count() || index == currentIndex())
        return;
    setCurrentIndex(index);
    showFreeText(QString());
    emit Click();
}

QString ComboBox::Text() const
{
    return currentIndex() >= 0 ? currentText() : m_freeText;
}

void ComboBox::setText(const QString &text)
{
    const int i = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i >= 0) {
        setListIndex(i);
        return;
    }
    const int before = currentIndex();
    setCurrentIndex(-1);
    showFreeText(text);
    if (before != -1)
        emit Click();
}

void ComboBox::AddItem(const QString &item)
{
    // Qt selects the first item added to an empty list; a list box does not.
    const int keep = currentIndex();
    const QSignalBlocker block(this);
    addItem(item);
    setCurrentIndex(keep);
}

void ComboBox::AddItems(const QStringList &items)
{
    const int keep = currentIndex();
    const QSignalBlocker block(this);
    addItems(items);
    setCurrentIndex(keep);
}

void ComboBox::Clear()
{
    const QSignalBlocker block(this);
    clear();
    showFreeText(QString());
}

// --- HScrollBar -------------------------------------------------------------

HScrollBar::HScrollBar(QWidget *parent) : QScrollBar(Qt::Horizontal, parent)
{
    setSingleStep(1);
    setPageStep(1);
    connect(this, &QScrollBar::valueChanged, this, &HScrollBar::Change);
}

// --- Timer ------------------------------------------------------------------

Timer::Timer(QObject *parent) : QObject(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &Timer::Tick);
}

void Timer::setInterval(int ms)
{
    m_timer.setInterval(ms);
    if (m_enabled)
        m_timer.start();
}

void Timer::setEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    if (on && m_timer.interval() > 0)
        m_timer.start();
    else
        m_timer.stop();
}

} // namespace tk
