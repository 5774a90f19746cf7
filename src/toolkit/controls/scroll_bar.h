#pragma once
// A horizontal scroll bar that steps by one. Change follows every change of
// the value, also one set from code, nested in the assignment: a handler may
// set the value again from inside its own Change.

#include <QScrollBar>

namespace tk {

class HScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit HScrollBar(QWidget *parent = nullptr);

signals:
    void Change();

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace tk
