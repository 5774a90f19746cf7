#pragma once
// The controls of a window, built from the rows of its design and found by
// objectName ("lblBudTime(2)"). Twips become pixels here and nowhere else.

#include "toolkit/window_design.h"

#include <QHash>
#include <QObject>
#include <QWidget>

#include <vector>

class Form {
public:
    // Builds every row into window, in their order, the first row on top.
    // The rows outlive the form: elements of control arrays are added from
    // them later.
    Form(QWidget *window, const std::vector<design::Control> &rows);

    QWidget *window() const { return m_window; }

    // The control name(index), or nullptr when there is no such control.
    QObject *find(const QString &name, int index = -1) const;
    template <class T>
    T *get(const QString &name, int index = -1) const
    {
        return qobject_cast<T *>(find(name, index));
    }

    // Adds element index of a control array as a copy of its designed element.
    QObject *load(const QString &name, int index);

    // Twips per screen pixel (15 at 96 dpi), from the screen's logical DPI.
    double twipsPerPixel() const { return m_twipsPerPixel; }
    int toPixels(int twips) const;
    int toTwips(int pixels) const;
    QRect toPixels(const QRect &twips) const;
    QRect twipsOf(const QWidget *w) const; // Left, Top, Width, Height in twips

private:
    QObject *create(const design::Control &row, int index);

    QWidget *m_window;
    const std::vector<design::Control> &m_rows;
    double m_twipsPerPixel = 15.0;
    QHash<QString, QObject *> m_controls; // by objectName ("framTab(1)")
};
