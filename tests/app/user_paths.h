#pragma once
// A user at a shown window, acting through a short script, and what came of
// it. The same outcome from a path of the mouse and a path of the keys (or
// of a screen reader) means the second sends and does exactly what the
// first does.
//
// Script steps:
//   click:NAME         left click in the middle of control NAME
//   click:NAME@left    ... 4 pixels from its left edge (an arrow, a label's margin)
//   click:NAME@right   ... 4 pixels from its right edge
//   focus:NAME         give NAME the focus, as Tab would
//   key:SEQUENCE       one key, as QKeySequence writes it ("Ctrl+Tab", "F2")
//   type:TEXT          type TEXT
//   reply:TEXT         Quorvan answers TEXT

#include "client_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QKeySequence>
#include <QScrollBar>
#include <QTest>

class UserWindow : public ClientFixture {
public:
    explicit UserWindow(const QByteArray &settings = kQuietSettings) : ClientFixture(settings)
    {
        QCursor::setPos(-1000, -1000); // no hover from an earlier test
        window().show();
        m_active = QTest::qWaitForWindowActive(&window());
        takeSent();
    }
    bool isActive() const { return m_active; }

    QWidget *widget(const QString &objectName) { return qobject_cast<QWidget *>(form().find(objectName)); }
    QWidget *focus() { return QApplication::focusWidget() ? QApplication::focusWidget() : &window(); }
    QString focusName() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }

    // Runs the steps; false (with the step in failed) when a step cannot run.
    bool run(const QStringList &steps, QString *failed = nullptr)
    {
        for (const QString &step : steps) {
            if (!runStep(step)) {
                if (failed)
                    *failed = step;
                return false;
            }
        }
        return true;
    }

    // Everything a path can change that a user or Quorvan would notice.
    QStringList outcome()
    {
        QStringList out = takeSent();
        out << QStringLiteral("tab %1").arg(state().iFrameSelect)
            << QStringLiteral("result ") + get<QLabel>(QStringLiteral("lblErr"))->text()
            << QStringLiteral("queued %1").arg(link().queue().iCmdQueueCount())
            << QStringLiteral("window %1").arg(window().isVisible() ? "open" : "closed");
        for (int i = 1; i <= 4; ++i) {
            auto *editor = get<QWidget>(QStringLiteral("txtBudTime"), i);
            out << QStringLiteral("alarm %1 %2%3").arg(i)
                       .arg(get<QLabel>(QStringLiteral("lblBudTime"), i)->text())
                       .arg(editor && editor->isVisible() ? " editing" : "");
        }
        for (const char *bar : {"scrlSkin", "scrlStyle"})
            out << QStringLiteral("%1 %2").arg(QLatin1String(bar)).arg(get<QScrollBar>(QString::fromLatin1(bar))->value());
        return out;
    }

private:
    bool runStep(const QString &step)
    {
        const qsizetype colon = step.indexOf(u':');
        const QString verb = step.left(colon);
        const QString arg = step.mid(colon + 1);
        if (verb == u"reply") {
            reply(arg);
            return true;
        }
        if (verb == u"type") {
            QTest::keyClicks(focus(), arg);
            return true;
        }
        if (verb == u"key") {
            const QKeySequence keys(arg);
            if (keys.isEmpty())
                return false;
            QTest::keyClick(focus(), keys[0].key(), keys[0].keyboardModifiers());
            return true;
        }
        const QStringList target = arg.split(u'@');
        QWidget *w = widget(target.at(0));
        if (!w || !w->isVisible())
            return false;
        if (verb == u"focus") {
            w->setFocus(Qt::TabFocusReason);
            return w->hasFocus();
        }
        if (verb != u"click")
            return false;
        QPoint at = w->rect().center();
        if (target.size() > 1)
            at.setX(target.at(1) == u"left" ? 4 : w->width() - 5);
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
        return true;
    }

    bool m_active = false;
};
