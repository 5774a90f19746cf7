#pragma once
// The "Скины" page: skin and style, transparency and brightness, and the
// four face flags.
//
// The page keeps no copy of Quorvan's face settings: each read reply is put
// straight into the controls (the Apply operations, called by the reply
// dispatcher), and each change by the user goes out at once as a setting
// command (the handlers). The Apply operations hold bLockEvents while they
// set controls, so the Click and Change events that this raises send
// nothing back. A reply that does not convert throws proto::ReplyFailure at
// the failing step; the controls set before it keep their new values.
//
// The page: the two page buttons, the skin reply, the scroll bars and the
// face flags; it owns the transparency and brightness part (FaceLevels).
// face_ui.cpp: the page's controls, their rows in the design and the typed
// handles (m_ui).
// Errors, in this layer: as the link's, shown, never thrown; a reply that
// does not convert throws proto::ReplyFailure back to the dispatcher.

#include "common/form_state.h"
#include "face/face_levels.h"
#include "face/face_ui.h"

#include <QObject>
#include <QString>

class Link;
namespace tk {
class Form;
class HScrollBar;
} // namespace tk

namespace face {

class FacePage : public QObject {
    Q_OBJECT
public:
    FacePage(const tk::Form &form, FormState &state, Link &link);

    const FaceUi &ui() const { return m_ui; }
    FaceLevels &levels() { return m_levels; }

    // Replies, each with its payload (the text after the first "|").
    void ApplySkinReply(const QString &payload);      // "Gsk?" and "Gsk<n>"
    void ApplyFaceFlagsReply(const QString &payload); // "Gfa*"

    // Handlers of the page's controls.
    void cmdGetFace_Click();
    void cmdSaveAll_Click();
    void scrlSkin_Change();
    void scrlStyle_Change();
    void chkFace_Click(int Index);

private:
    void connectSkinAndFlags();
    // One step of a skin or style bar; stepping onto a spare position wraps
    // around to the real position at the other end.
    void barChanged(tk::HScrollBar *bar, QString (*select)(int));

    FormState &m_state;
    Link &m_link;
    const FaceUi m_ui;
    FaceLevels m_levels;
    // The bar the user stepped last, until the skin reply names where it
    // now stands: a screen reader gets only a bare number from the bar.
    tk::HScrollBar *m_barStepped = nullptr;
};

} // namespace face
