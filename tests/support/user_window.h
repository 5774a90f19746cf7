#pragma once
// A user at the started-up window, shown and active, acting through a short
// script, and what came of it. The same outcome from a path of the mouse and
// a path of the keys (or of a screen reader) means the second sends and does
// exactly what the first does.
//
// Script steps:
//   click:NAME         left click in the middle of control NAME
//   click:NAME@left    ... 4 pixels from its left edge (a check box's square,
//                      an arrow, a label's margin)
//   click:NAME@right   ... 4 pixels from its right edge
//   dblclick:NAME      a double click in its middle, as Qt delivers one
//   move:NAME          the pointer onto its middle
//   focus:NAME         give NAME the focus, as Tab would (a text is selected)
//   key:SEQUENCE       one key, as QKeySequence writes it ("Ctrl+Tab", "F2")
//   type:TEXT          type TEXT
//   reply:TEXT         Quorvan answers TEXT

#include "client_fixture.h"

#include <QApplication>
#include <QTest>

class UserWindow : public ClientFixture {
public:
    explicit UserWindow(const QByteArray &settings = kQuietSettings);

    // Quiet settings with page 0 "Скины", 1 "Будильники" or 2 "Надписи" in front.
    static QByteArray onPage(int page);

    bool isActive() const { return m_active; }
    QWidget *widget(const QString &objectName) { return qobject_cast<QWidget *>(form().find(objectName)); }
    QWidget *focus() { return QApplication::focusWidget() ? QApplication::focusWidget() : &window(); }
    QString focusName() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
    QString resultLine();

    // Runs the steps; false (with the step in failed) when a step cannot run.
    bool run(const QStringList &steps, QString *failed = nullptr);

    // Everything a path can change that a user or Quorvan would notice.
    QStringList outcome();

private:
    bool runStep(const QString &step);

    bool m_active = false;
};
