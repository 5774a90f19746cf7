#pragma once
// A timer whose Enabled switch restarts the interval when turned on.

#include <QObject>
#include <QTimer>

namespace tk {

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
