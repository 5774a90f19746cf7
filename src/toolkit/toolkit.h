#pragma once
// The small toolkit layer the whole window is built from. It gives Qt
// widgets the semantics the client's handlers are written against:
//  - setting a value from code raises the control's Click/Change at once,
//    nested in the assignment, and only when the value really changes;
//  - check boxes may be drawn as push buttons (the Value-1-then-reset rule:
//    CheckBox::takePress);
//  - labels and text boxes report clicks; a double click on them is one
//    Click and then DblClick, never a second Click; text boxes report key
//    presses, focus loss and pointer enter/leave;
//  - labels show their text as plain text: what they show may come from the
//    network, and markup in it must never be interpreted;
//  - colours are 0x00BBGGRR numbers, as the window design states them.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>

namespace tk {

// Colours as 0x00BBGGRR values.
QColor fromBgr(quint32 bgr);
quint32 toBgr(const QColor &c);
void setBackColor(QWidget *w, quint32 bgr);
void setForeColor(QWidget *w, quint32 bgr);
bool hasBackColor(const QWidget *w); // set from code or the inventory
quint32 backColor(const QWidget *w); // as last set; the palette's otherwise
quint32 foreColor(const QWidget *w);

// Text and captions set from replies: the same text again is left alone, so
// nothing is laid out or repainted and a text box keeps its cursor.
void setText(QLineEdit *box, const QString &text);
void setCaption(QLabel *label, const QString &text);

// A two-state check box; Value 0 clear, 1 ticked, 2 greyed.
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
    void paintEvent(QPaintEvent *event) override; // focus_mark.cpp

private:
    void endOfTurn();

    bool m_pressed = false;
    bool m_holding = false;
    QString m_drawnText;
    quint32 m_drawnFore = 0;
};

// A single-line text box. Change follows every change of the text, typed or
// set from code.
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
    void paintEvent(QPaintEvent *event) override; // focus_mark.cpp

private:
    bool m_doubleClicked = false; // the release that ends a double click is no Click
};

// A read-only multi-line log that keeps only its newest lines, at most the
// maximum block count of them and at most maximumChars() characters, so
// appending costs the same however long the program runs and however long
// the lines are. Long lines wrap at the box's width.
// Lines appended while events are being handled reach the document together
// when control returns to the event loop, and only while some of the box is
// on screen: laying out text costs far more than the line itself, and a
// flood of replies would otherwise pay it once per reply, even for a box
// that lies beyond the window's edge. Until then they wait, bounded as the
// log is, and come in when a resize of the window brings the box into view.
// Text() always includes them.
class LogBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LogBox(QWidget *parent = nullptr);
    void appendLine(const QString &line); // the line, then CR LF, then scroll to the end
    QString Text() const;                 // lines joined, each ending in CR LF

    qsizetype maximumChars() const { return m_maxChars; }
    void setMaximumChars(qsizetype chars) { m_maxChars = chars; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void flushIfOnScreen();
    void flush();
    void dropPendingBeyondLimits();
    void dropOldestBeyondLimit();

    QStringList m_pending;
    qsizetype m_pendingChars = 0;
    qsizetype m_maxChars = 0; // 0: no limit
    bool m_started = false;   // an empty document holds one empty line once started
    QPointer<QWidget> m_window; // whose resizing may bring the box into view
};

// A drop-down list. ListIndex -1 means no item selected; Text then shows the
// free text last set, if any (greyed, it is no item of the list).
class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget *parent = nullptr);

    int ListIndex() const { return currentIndex(); }
    void setListIndex(int index); // raises Click when it changes
    QString Text() const;
    // Selects the item equal to text; without one, no item is selected and
    // the text itself is shown.
    void setText(const QString &text);
    void AddItem(const QString &item); // selects nothing by itself
    void AddItems(const QStringList &items); // all at once, the same way
    void Clear(); // no Click

signals:
    void Click();

private:
    void showFreeText(const QString &text);

    QString m_freeText;
};

class HScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit HScrollBar(QWidget *parent = nullptr);
signals:
    void Change();

protected:
    void paintEvent(QPaintEvent *event) override; // focus_mark.cpp
};

// Frames and the picture-box container: plain group boxes.
class Frame : public QGroupBox {
    Q_OBJECT
public:
    explicit Frame(QWidget *parent = nullptr) : QGroupBox(parent) {}
};

// A shape that ignores the mouse: its border is drawn in its ForeColor
// (black unless set), its inside filled with its BackColor where one is set.
// Only the figure is painted; what lies behind it stays visible.
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

// A timer whose Enabled switch restarts the interval when turned on.
class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject *parent = nullptr);
    int Interval() const { return m_timer.interval(); }
    void setInterval(int ms);
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool on);
signals:
    void Tick();

private:
    QTimer m_timer;
    bool m_enabled = false;
};

} // namespace tk
