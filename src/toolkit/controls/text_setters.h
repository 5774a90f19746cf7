#pragma once
// Text and captions set from replies: the same text again is left alone, so
// nothing is laid out or repainted and a text box keeps its cursor.

class QLabel;
class QLineEdit;
class QString;

namespace tk {

void setText(QLineEdit *box, const QString &text);
void setCaption(QLabel *label, const QString &text);

} // namespace tk
