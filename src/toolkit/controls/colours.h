#pragma once
// Colours as the window design states them: 0x00BBGGRR numbers, kept on the
// control as they were last set, so that reading one back gives the number.

#include <QColor>

class QWidget;

namespace tk {

QColor fromBgr(quint32 bgr);
quint32 toBgr(const QColor &c);

// The same colour again changes nothing on screen, so it costs no palette
// change and no repaint (the indicator is set on every reply and tick).
void setBackColor(QWidget *w, quint32 bgr);
void setForeColor(QWidget *w, quint32 bgr);

bool hasBackColor(const QWidget *w); // set from code or the rows of the design
quint32 backColor(const QWidget *w); // as last set; the palette's otherwise
quint32 foreColor(const QWidget *w);

} // namespace tk
