#include "toolkit/controls/text_box.h"

#include "toolkit/controls/colours.h"
#include "toolkit/controls/focus_mark.h"

#include <QKeyEvent>

#include <utility>

namespace tk {

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

void TextBox::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (!hasFrame()) // a framed box shows its focus in its frame
        drawFocusMark(this);
}

} // namespace tk
