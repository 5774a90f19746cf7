#pragma once
// The mark that shows which control holds the keyboard focus, for the
// controls whose own drawing shows none: labels that take the focus (tabs,
// alarm times), the arrow-only scroll bars and the frameless link texts.

class QWidget;

namespace tk {

// Drawn from the control's paintEvent, over what it drew itself. The style
// draws it only once the keyboard has moved the focus in the window, so a
// user of the mouse sees the window as before.
void drawFocusMark(QWidget *w);

} // namespace tk
