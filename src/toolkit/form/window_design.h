#pragma once
// A row of a form's design: one control's kind, name, index, container,
// geometry in twips, caption or initial text, tool-tip, colours, font and
// picture, and what a screen reader is told of it. Each part of the window
// states the rows of its own controls (design::Rows); the form builds them
// in the order given, the first row on top.

#include "toolkit/accessibility/accessibility.h"

#include <QPixmap>
#include <QRect>
#include <QString>
#include <QStringList>

namespace design {

enum class Kind {
    CheckBox,    // two-state check box
    CheckButton, // check box drawn as a push button
    Button,      // plain push button
    TextBox,
    LinkText,    // text box styled as a link
    LogBox,      // multi-line log
    Label,
    ComboBox,
    HScrollBar,
    Frame,
    PictureBox,
    Shape,        // rectangle
    RoundedShape, // rounded rectangle
    Circle,
    Image,
    Timer,
    Socket,
};

inline constexpr quint32 kDefault = 0xFFFFFFFF; // colour not set: the toolkit's own

// The colours every form of the design has, 0x00BBGGRR: its background, on
// which link texts lie too, and the colour of their text.
inline constexpr quint32 kFormBack = 0xE8A568;
inline constexpr quint32 kLinkFore = 0x0000C0;

// The container of a control that lies on the window itself.
inline const QString kWindow;

struct Font {
    QString family; // empty: the window's font
    double points = 0;
    bool bold = false;
};

struct Control {
    Kind kind = Kind::Label;
    QString name;
    int index = -1; // -1: not an element of a control array
    QString parent; // objectName of the container; empty for the window
    QRect twips;    // Left, Top, Width, Height
    QString caption;
    QString tip;
    quint32 back = kDefault;
    quint32 fore = kDefault;
    Font font;
    QPixmap (*picture)(qreal) = nullptr; // an image's, at a device pixel ratio
    int maxLength = 0;
    bool visible = true;
    bool readOnly = false;
    int min = 0, max = 0, value = 0; // scroll bars
    // For screen readers: the name ("%1" stands for the index), a
    // description where the tool-tip says too little or nothing, the role
    // where the kind does not give it (Default: by kind), and the names of
    // the parts inside the control.
    QString accName;
    QString accDescription;
    tk::Access access = tk::Access::Default;
    QStringList accParts;

    // Builder-style setters keep the tables readable.
    Control &withTip(const QString &t) { tip = t; return *this; }
    Control &withBack(quint32 c) { back = c; return *this; }
    Control &withFore(quint32 c) { fore = c; return *this; }
    Control &withFont(const QString &f, double pt, bool b = false) { font = {f, pt, b}; return *this; }
    Control &withPicture(QPixmap (*draw)(qreal)) { picture = draw; return *this; }
    Control &withMaxLength(int n) { maxLength = n; return *this; }
    Control &hidden() { visible = false; return *this; }
    Control &locked() { readOnly = true; return *this; }
    Control &withRange(int lo, int hi, int v) { min = lo; max = hi; value = v; return *this; }
    Control &spoken(const QString &name) { accName = name; return *this; }
    Control &spoken(tk::Access a, const QString &name = {}) { access = a; accName = name; return *this; }
    Control &explained(const QString &d) { accDescription = d; return *this; }
    Control &spokenParts(const QStringList &names) { accParts = names; return *this; }
    Control &unspoken() { access = tk::Access::Hidden; return *this; }
};

// objectName of a control: its name, with the index in parentheses for
// array elements ("lblBudTime(2)").
QString objectName(const QString &name, int index);

// The role a screen reader is given for a row: its own, or its kind's.
tk::Access accessOf(const Control &row);

} // namespace design
