#include "user_window.h"

#include "mouse.h"

#include <QKeySequence>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

UserWindow::UserWindow(const QByteArray &settings) : ClientFixture(settings)
{
    QCursor::setPos(-1000, -1000); // no hover from an earlier test
    window().show();
    // Focus only moves inside an active window.
    m_active = QTest::qWaitForWindowActive(&window());
    takeSent();
}

QByteArray UserWindow::onPage(int page)
{
    return QByteArray(kQuietSettings) + "FrameSelect=" + QByteArray::number(page) + "\r\n";
}

QString UserWindow::resultLine()
{
    return get<QLabel>(QStringLiteral("lblErr"))->text();
}

bool UserWindow::run(const QStringList &steps, QString *failed)
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

QStringList UserWindow::outcome()
{
    QStringList out = takeSent();
    out << QStringLiteral("tab %1").arg(state().iFrameSelect) << QStringLiteral("result ") + resultLine()
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

bool UserWindow::runStep(const QString &step)
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
    QPoint at = w->rect().center();
    if (target.size() > 1)
        at.setX(target.at(1) == u"left" ? 4 : w->width() - 5);
    if (verb == u"focus") {
        w->setFocus(Qt::TabFocusReason);
        return w->hasFocus();
    }
    if (verb == u"click")
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
    else if (verb == u"dblclick")
        mouse::doubleClick(w, at);
    else if (verb == u"move")
        QTest::mouseMove(w, at);
    else
        return false;
    return true;
}
