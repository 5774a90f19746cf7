#pragma once
// A two-state check box; Value 0 clear, 1 ticked, 2 greyed. Setting Value
// from code raises Click at once, nested in the assignment, and only when
// the value really changes.

#include <QCheckBox>

namespace tk {

class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(QWidget *parent = nullptr);

    int Value() const { return m_value; }
    void setValue(int value); // raises Click when the value changes

    // Drawn as a push button that stays pressed while Value is 1.
    void setGraphical(bool on);
    bool isGraphical() const { return m_graphical; }

    // The button rule: acts only when Value has become 1, and first sets it
    // back to 0 (whose own Click then finds Value 0 and does nothing).
    bool takePress();

signals:
    void Click();

protected:
    void nextCheckState() override;
    bool hitButton(const QPoint &pos) const override;
    void paintEvent(QPaintEvent *event) override;

private:
    int m_value = 0;
    bool m_graphical = false;
};

} // namespace tk
