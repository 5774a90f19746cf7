#pragma once
// The controls of a window, built from the rows of its design. Each part of
// the window holds typed handles to the controls it uses, filled once when
// the window is built (bind); a name or type that does not match the rows
// stops the program there, naming the control. Twips become pixels here and
// nowhere else.
//
// Errors, in the toolkit: a handle whose name or type does not match the
// rows stops the program at start-up, naming the control (qFatal); nothing
// else fails.

#include "toolkit/controls/control_array.h"
#include "toolkit/form/window_design.h"

#include <QHash>
#include <QObject>
#include <QWidget>

#include <vector>

// Binds the handle member to the control of the same name (and index), so
// that a control is named once in a part's code: its row; the member is
// named after it.
#define FORM_BIND(form, member, ...) (form).bind(member, QStringLiteral(#member) __VA_OPT__(, ) __VA_ARGS__)

namespace tk {

class Form {
public:
    // Builds every row into window, in their order, the first row on top.
    // The rows outlive the form: elements of control arrays are added from
    // them later.
    Form(QWidget *window, const std::vector<design::Control> &rows);

    QWidget *window() const { return m_window; }

    // A socket row is the wire's: the toolkit holds nothing of it. The part
    // that owns the row makes the socket and hands it over here, so that it
    // is found by its name as every control is; stops the program when no
    // socket row has that name.
    void adopt(QObject *control, const QString &name);

    // Fills a typed handle with the control name(index), or the elements of
    // a control array with name(First..Last), or with name(index) alone.
    template <class T>
    void bind(T *&handle, const QString &name, int index = -1) const
    {
        handle = checked<T>(find(name, index), name, index);
    }
    template <class T, int First, int Last>
    void bind(ControlArray<T, First, Last> &array, const QString &name) const
    {
        for (int i = First; i <= Last; ++i)
            array.set(i, checked<T>(find(name, i), name, i));
    }
    template <class T, int First, int Last>
    void bind(ControlArray<T, First, Last> &array, const QString &name, int index) const
    {
        array.set(index, checked<T>(find(name, index), name, index));
    }

    // Adds element index of a control array as a copy of its designed
    // element, once, and returns it; checked as bind() is.
    template <class T = QObject>
    T *load(const QString &name, int index)
    {
        return checked<T>(loadElement(name, index), name, index);
    }

    // Why name(index) is no control of the given type, naming the window
    // and the control: empty when it is one. The message start-up stops with.
    QString mismatch(const QString &name, int index, const QMetaObject &type) const;

    // The control whose objectName is name(index), nullptr when there is
    // none: for tests and tools that reach a control as a screen reader
    // does. The window's own code holds typed handles instead.
    QObject *find(const QString &name, int index = -1) const;
    template <class T>
    T *get(const QString &name, int index = -1) const
    {
        return qobject_cast<T *>(find(name, index));
    }

    // Twips per screen pixel (15 at 96 dpi), from the screen's logical DPI.
    double twipsPerPixel() const { return m_twipsPerPixel; }
    int toPixels(int twips) const;
    int toTwips(int pixels) const;
    QRect toPixels(const QRect &twips) const;
    QRect twipsOf(const QWidget *w) const; // Left, Top, Width, Height in twips

private:
    QObject *create(const design::Control &row, int index);
    QObject *loadElement(const QString &name, int index);
    [[noreturn]] static void fail(const QString &why);

    template <class T>
    T *checked(QObject *control, const QString &name, int index) const
    {
        auto *typed = qobject_cast<T *>(control);
        if (!typed)
            fail(mismatch(name, index, T::staticMetaObject));
        return typed;
    }

    QWidget *m_window;
    const std::vector<design::Control> &m_rows;
    double m_twipsPerPixel = 15.0;
    QHash<QString, QObject *> m_controls; // by objectName ("framTab(1)")
};

} // namespace tk
