#pragma once
// What a screen reader is told about the window's controls.
//
// Qt guesses a control's role from its class, and for this window the guess
// is often wrong: check boxes drawn as push buttons, text boxes that work as
// links, labels that are tabs or hold an alarm time, shapes that only
// decorate. Each control carries the role it really has (set by the form
// from the control inventory); the toolkit's accessibility factory answers
// with an interface for that role, and leaves the rest to Qt.

#include <QString>
#include <QStringList>

class QWidget;

namespace tk {

enum class Access {
    Default,   // Qt's own interface
    Hidden,    // decoration: left out of the tree
    Window,    // the form: a frame holding the controls
    Group,     // a frame or other container
    TabList,   // the tab strip; its tabs in the order they are drawn
    Tab,       // one caption of the strip; see setTabSelected
    Button,    // a check box drawn as a push button
    Link,      // a text box styled as a link
    TimeValue, // a named label whose text is its value; pressing it edits
    ArrowBar,  // a scroll bar showing only its two arrows, named as parts
    Indicator, // a shape whose colour is a state; its name says which
    Status,    // a line whose text reports the outcome of the last exchange
    Choice,    // a drop-down list, named for what it chooses, not for its current item
    Announcer, // hidden; a notification to the reader each time it speaks (see Announcer)
};

// Installs the factory; idempotent. Interfaces Qt made before stay cached,
// so this runs before the first control is built.
void installAccessibility();

void setAccess(QWidget *w, Access access);
Access accessOf(const QWidget *w);

// Names of the parts a reader sees inside a control: the arrows of an
// ArrowBar, left one first.
void setAccessibleParts(QWidget *w, const QStringList &names);
QStringList accessibleParts(const QWidget *w);

// Sets the accessible name and announces it, but only when it changes:
// a state repeated on every poll is no news to the listener.
void announceName(QWidget *w, const QString &name);

// The selected state of a tab, announced when it changes.
void setTabSelected(QWidget *tab, bool selected);
bool isTabSelected(const QWidget *tab);

} // namespace tk
