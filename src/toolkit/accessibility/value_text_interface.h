#pragma once
// One of the toolkit's accessible interfaces; internal to the toolkit.

#include <QAccessibleTextInterface>

namespace tk::a11y {

// A value readable as text, which is how AT-SPI passes a value on and what
// a screen reader reads of a label or a drop-down: read-only, no caret, no
// selection.
class ValueTextInterface : public QAccessibleTextInterface {
public:
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override { return int(valueText().size()); }
    // A value is a few characters: the control's rectangle stands for each.
    QRect characterRect(int) const override { return valueRect(); }
    int offsetAtPoint(const QPoint &point) const override { return valueRect().contains(point) ? 0 : -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

protected:
    virtual QString valueText() const = 0;
    virtual QRect valueRect() const = 0;
};

} // namespace tk::a11y
