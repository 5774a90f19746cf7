#pragma once
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

#include <QPlainTextEdit>
#include <QPointer>
#include <QStringList>

namespace tk {

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

} // namespace tk
