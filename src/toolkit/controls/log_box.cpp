#include "toolkit/controls/log_box.h"

#include <QTextBlock>

#include <utility>

namespace tk {

LogBox::LogBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setUndoRedoEnabled(false); // an undo history would keep every dropped line
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void LogBox::appendLine(const QString &line)
{
    if (m_pending.isEmpty())
        QMetaObject::invokeMethod(this, &LogBox::flushIfOnScreen, Qt::QueuedConnection);
    QString text = line;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); // one block per line, not two
    m_pendingChars += text.size() + 1;
    m_pending.append(std::move(text));
    dropPendingBeyondLimits();
}

// What waits is bounded too: older lines would be dropped at once anyway.
void LogBox::dropPendingBeyondLimits()
{
    const auto over = [this] {
        return (maximumBlockCount() > 0 && m_pending.size() > maximumBlockCount())
            || (m_maxChars > 0 && m_pendingChars > m_maxChars);
    };
    while (m_pending.size() > 1 && over()) {
        m_pendingChars -= m_pending.constFirst().size() + 1;
        m_pending.removeFirst();
    }
}

// The document drops lines beyond the block count itself; the character
// limit takes whole lines from the top, in one edit.
void LogBox::dropOldestBeyondLimit()
{
    QTextDocument *doc = document();
    qsizetype excess = doc->characterCount() - m_maxChars;
    if (m_maxChars <= 0 || excess <= 0)
        return;
    QTextBlock keepFrom = doc->firstBlock();
    while (excess > 0 && keepFrom.next().isValid()) {
        excess -= keepFrom.length();
        keepFrom = keepFrom.next();
    }
    QTextCursor cut(doc);
    cut.setPosition(keepFrom.position(), QTextCursor::KeepAnchor);
    cut.removeSelectedText();
}

void LogBox::flushIfOnScreen()
{
    if (!visibleRegion().isEmpty())
        flush();
}

void LogBox::showEvent(QShowEvent *event)
{
    QPlainTextEdit::showEvent(event);
    if (window() != m_window) {
        if (m_window)
            m_window->removeEventFilter(this);
        m_window = window();
        if (m_window != this)
            m_window->installEventFilter(this);
    }
    if (!m_pending.isEmpty())
        QMetaObject::invokeMethod(this, &LogBox::flushIfOnScreen, Qt::QueuedConnection);
}

bool LogBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Resize && !m_pending.isEmpty())
        QMetaObject::invokeMethod(this, &LogBox::flushIfOnScreen, Qt::QueuedConnection);
    return QPlainTextEdit::eventFilter(watched, event);
}

void LogBox::flush()
{
    if (m_pending.isEmpty())
        return;
    QString text = m_pending.join(u'\n');
    // An empty document is no line before the first message and one empty
    // line after an empty one; appending to it fills its only block.
    if (m_started && document()->isEmpty())
        text.prepend(u'\n');
    m_started = true;
    m_pending.clear();
    m_pendingChars = 0;
    appendPlainText(text);
    dropOldestBeyondLimit();
    moveCursor(QTextCursor::End);
}

QString LogBox::Text() const
{
    const_cast<LogBox *>(this)->flush();
    if (!m_started)
        return {};
    QString out;
    for (QTextBlock b = document()->firstBlock(); b.isValid(); b = b.next()) {
        out += b.text();
        out += u"\r\n";
    }
    return out;
}

} // namespace tk
