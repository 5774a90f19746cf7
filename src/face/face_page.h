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
// face_page.cpp: the two page buttons, the skin reply, the scroll bars and
// the face flags. face_trans.cpp: transparency and brightness. face_ui.cpp:
// the page's controls, their rows in the design and the typed handles (m_ui).

#include "common/form_state.h"
#include "face/face_ui.h"
#include "protocol/reply_fields.h"

#include <QObject>
#include <QString>

class Form;
class Link;
namespace tk {
class HScrollBar;
} // namespace tk

class FacePage : public QObject {
    Q_OBJECT
public:
    FacePage(const Form &form, FormState &state, Link &link);

    const FaceUi &ui() const { return m_ui; }

    // Replies, each with its payload (the text after the first "|").
    void ApplySkinReply(const QString &payload);         // "Gsk?" and "Gsk<n>"
    void ApplyTransparencyReply(const QString &payload); // "GfaT"
    void ApplyBrightnessReply(const QString &payload);   // "GfaB"
    void ApplyFaceFlagsReply(const QString &payload);    // "Gfa*"

    // Handlers of the page's controls.
    void cmdGetFace_Click();
    void cmdSaveAll_Click();
    void scrlSkin_Change();
    void scrlStyle_Change();
    void chkFace_Click(int Index);
    void chkTrans_Click();
    void cmbTrans_Click();
    void cmdTransSet_Click();
    void cmbBright_Click();
    void cmdBrightSet_Click();

private:
    void connectSkinAndFlags();
    void connectTransAndBright();
    // One step of a skin or style bar; stepping onto a spare position wraps
    // around to the real position at the other end.
    void barChanged(tk::HScrollBar *bar, QString (*select)(int));
    void setBrightEnabled(bool on);
    // Shows what the parser converted, also when the reply broke part-way,
    // and then passes the failure on to the dispatcher.
    template <class Record, class Show>
    static void showParsed(void (*parse)(const QString &, Record &), const QString &payload, Record &r,
                           Show show)
    {
        try {
            parse(payload, r);
        } catch (const proto::ReplyFailure &) {
            show();
            throw;
        }
        show();
    }

    FormState &m_state;
    Link &m_link;
    const FaceUi m_ui;
    // The bar the user stepped last, until the skin reply names where it
    // now stands: a screen reader gets only a bare number from the bar.
    tk::HScrollBar *m_barStepped = nullptr;
};
