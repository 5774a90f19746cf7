#pragma once
// Transparency and brightness on the "Скины" page: level lists, bounds and
// the transparency or dimming mode. Levels and bounds are Quorvan's own
// text, shown and sent exactly as they are, never converted.

#include <QObject>
#include <QString>

class Link;
struct FormState;

namespace face {

struct FaceUi;

class FaceLevels : public QObject {
    Q_OBJECT
public:
    FaceLevels(const FaceUi &ui, FormState &state, Link &link);

    // Replies, each with its payload (the text after the first "|"); as the
    // page's, they throw proto::ReplyFailure at the failing step.
    void ApplyTransparencyReply(const QString &payload); // "GfaT"
    void ApplyBrightnessReply(const QString &payload);   // "GfaB"

    void chkTrans_Click();
    void cmbTrans_Click();
    void cmdTransSet_Click();
    void cmbBright_Click();
    void cmdBrightSet_Click();

private:
    void setBrightEnabled(bool on);

    const FaceUi &m_ui;
    FormState &m_state;
    Link &m_link;
};

} // namespace face
