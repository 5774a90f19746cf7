#pragma once
// An image control: a picture drawn in code, at the device pixel ratio of
// the screen its window is on, and drawn again when the window moves to a
// screen of another ratio. Each picture is drawn once per ratio for the
// program. To screen readers it is a plain QLabel (no meta-object of its own).

#include <QLabel>

namespace tk {

class PictureLabel : public QLabel {
public:
    using Draw = QPixmap (*)(qreal devicePixelRatio);
    PictureLabel(Draw draw, QWidget *parent);

protected:
    bool event(QEvent *e) override;

private:
    void render();

    Draw m_draw;
    qreal m_ratio = 0; // the ratio it was drawn at; 0: not yet
};

} // namespace tk
