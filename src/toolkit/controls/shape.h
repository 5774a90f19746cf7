#pragma once
// A shape that ignores the mouse: its border is drawn in its ForeColor
// (black unless set), its inside filled with its BackColor where one is set.
// Only the figure is painted; what lies behind it stays visible.

#include <QWidget>

namespace tk {

class Shape : public QWidget {
    Q_OBJECT
public:
    enum class Form { Rectangle, RoundedRectangle, Circle };
    explicit Shape(Form form, QWidget *parent = nullptr);

    int BorderWidth() const { return m_borderWidth; }
    void setBorderWidth(int px);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Form m_form;
    int m_borderWidth = 1;
};

} // namespace tk
