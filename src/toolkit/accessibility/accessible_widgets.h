#pragma once
// The toolkit's accessible interfaces, one per role of tk::Access that Qt
// gets wrong. Internal to the toolkit: the rest of the program only sets a
// control's Access (accessibility.h).

#include "toolkit/accessibility/accessibility.h"

#include <QAccessibleWidget>
#include <QList>

class QScrollBar;

namespace tk::a11y {

// A widget with a role of our choosing, named by its accessible name or,
// without one, by the text it shows.
class RoleAccessible : public QAccessibleWidget {
public:
    RoleAccessible(QWidget *w, QAccessible::Role role) : QAccessibleWidget(w, role) {}
    QString text(QAccessible::Text t) const override;
};

// A container whose children are its child widgets less the decorations,
// in reading order: row by row from the top, each row from the left. (The
// widgets' own order is the drawing order, which says nothing to a reader.)
class ContainerAccessible : public RoleAccessible {
public:
    ContainerAccessible(QWidget *w, QAccessible::Role role) : RoleAccessible(w, role) {}
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    QList<QWidget *> children() const;
};

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

// A drop-down list. Qt names one on Linux by its current item and leaves
// its purpose to a label beside it, which this window does not have; here
// the name says what it chooses and the value what is chosen. Its child is
// the list that drops down.
class ChoiceAccessible : public RoleAccessible, public ValueTextInterface {
public:
    explicit ChoiceAccessible(QWidget *w) : RoleAccessible(w, QAccessible::ComboBox) {}
    QString text(QAccessible::Text t) const override;
    using ValueTextInterface::text;
    void *interface_cast(QAccessible::InterfaceType t) override;
    QAccessible::State state() const override;
    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QStringList actionNames() const override;
    void doAction(const QString &name) override;

protected:
    QString valueText() const override { return text(QAccessible::Value); }
    QRect valueRect() const override { return rect(); }
};

// A control whose press action does what a click of the mouse does.
class PressAccessible : public RoleAccessible {
public:
    using Press = void (*)(QWidget *);
    PressAccessible(QWidget *w, QAccessible::Role role, Press press) : RoleAccessible(w, role), m_press(press) {}
    QStringList actionNames() const override;
    void doAction(const QString &name) override;

private:
    Press m_press;
};

// A label that is one tab of the strip.
class TabAccessible : public PressAccessible {
public:
    explicit TabAccessible(QWidget *w);
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
};

// A link-styled text box: a link that shows whether the pointer is over it.
class LinkAccessible : public PressAccessible {
public:
    explicit LinkAccessible(QWidget *w);
    QAccessible::State state() const override;
};

// A decoration: no role, no name, never shown; its container leaves it out.
class HiddenAccessible : public QAccessibleWidget {
public:
    explicit HiddenAccessible(QWidget *w) : QAccessibleWidget(w, QAccessible::NoRole) {}
    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::State state() const override;
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
};

// A named label whose text is its value (an alarm time): the value is also
// readable as text, which is how AT-SPI passes it on; pressing edits it. A
// screen reader reads a label by its name alone, so the name carries the
// value too ("Время будильника 1, 8:15").
class TimeValueAccessible : public PressAccessible, public ValueTextInterface {
public:
    explicit TimeValueAccessible(QWidget *w);
    QString text(QAccessible::Text t) const override;
    using ValueTextInterface::text;
    void *interface_cast(QAccessible::InterfaceType t) override;

protected:
    QString valueText() const override;
    QRect valueRect() const override { return rect(); }
};

// A scroll bar narrowed to its two arrows: a scroll bar with a value, and
// the arrows as two buttons named by the control's parts.
class ArrowBarAccessible : public RoleAccessible, public QAccessibleValueInterface {
public:
    explicit ArrowBarAccessible(QWidget *w);
    ~ArrowBarAccessible() override;

    int childCount() const override { return 2; }
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    void *interface_cast(QAccessible::InterfaceType t) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    QScrollBar *bar() const;

private:
    // Made when first asked for, and known to Qt's cache by these ids.
    mutable QList<QAccessibleInterface *> m_arrows;
    mutable QList<QAccessible::Id> m_arrowIds;
};

// A click on a label, as the mouse gives it.
void clickLabel(QWidget *w);

// The factory's answer for a widget, or nullptr to leave it to Qt.
QAccessibleInterface *interfaceFor(QWidget *w);

} // namespace tk::a11y
