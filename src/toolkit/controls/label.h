#pragma once
// A label that reports the mouse: MouseDown on every press, Click on a
// release over it, and a double click as one Click and then DblClick, never
// a second Click. It shows its text as plain text: what it shows may come
// from the network, and markup in it must never be interpreted.

#include <QLabel>
#include <QString>

namespace tk {

class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget *parent = nullptr);

    // Text and colour changes from now to the end of this turn of the event
    // loop are drawn once, at its end, and not at all if the label then shows
    // what it showed before: a result shown and emptied again by the next
    // send within one handling costs no repaint. What the label holds changes
    // at once; only the drawing waits.
    void drawAtEndOfTurn();

signals:
    void MouseDown(Qt::MouseButton button);
    void Click();
    void DblClick();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void endOfTurn();

    bool m_pressed = false;
    bool m_holding = false;
    QString m_drawnText;
    quint32 m_drawnFore = 0;
};

} // namespace tk
