#include "face/face_page.h"

#include "link/link.h"
#include "shell/form.h"

FacePage::FacePage(Form &form, FormState &state, Link &link) : m_form(form), m_state(state), m_link(link) {}

void FacePage::ApplySkinReply(const QString &) {}
void FacePage::ApplyTransparencyReply(const QString &) {}
void FacePage::ApplyBrightnessReply(const QString &) {}
void FacePage::ApplyFaceFlagsReply(const QString &) {}
