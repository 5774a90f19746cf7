#include "toolkit/controls/text_setters.h"

#include <QLabel>
#include <QLineEdit>

namespace tk {

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

} // namespace tk
