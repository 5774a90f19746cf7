#pragma once
// A single-line text box. Change follows every change of the text, typed or
// set from code. It reports clicks (a double click is one Click and then
// DblClick, never a second Click), key presses, the loss of the focus and
// the pointer's entering and leaving.

#include <QLineEdit>

namespace tk {

class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent = nullptr);

    // Shown as link-like text: no frame, the form's background, no editing.
    void setLinkStyle(quint32 formBack, quint32 fore);

signals:
    void Change();
    void Click();
    void DblClick();
    void KeyPress(int keyAscii); // 13 Enter, 27 Escape, else the character
    void LostFocus();
    void MouseEnter();
    void MouseLeave();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_doubleClicked = false; // the release that ends a double click is no Click
};

} // namespace tk
