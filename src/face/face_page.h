#pragma once
// The "Скины" page: skin and style, transparency and brightness, and the
// four face flags.

#include "common/form_state.h"

#include <QObject>

class Form;
class Link;

class FacePage : public QObject {
    Q_OBJECT
public:
    FacePage(Form &form, FormState &state, Link &link);

    void ApplySkinReply(const QString &payload);
    void ApplyTransparencyReply(const QString &payload);
    void ApplyBrightnessReply(const QString &payload);
    void ApplyFaceFlagsReply(const QString &payload);

private:
    Form &m_form;
    FormState &m_state;
    Link &m_link;
};
