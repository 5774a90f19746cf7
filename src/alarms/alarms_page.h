#pragma once
// The "Будильники" page: the four alarm rows, their in-place time editors
// and the alarm commands.

#include "alarms/alarm_record.h"
#include "common/form_state.h"

#include <QObject>

class Form;
class Link;

class AlarmsPage : public QObject {
    Q_OBJECT
public:
    AlarmsPage(Form &form, FormState &state, Link &link);

    // Start-up: txtBudTime(2..4) as copies of element 1, all four placed over
    // their labels and hidden.
    void CreateEditors();

    void ApplyAlarmReply(qint16 index, const QString &sText);

    BudTable Buds;

private:
    Form &m_form;
    FormState &m_state;
    Link &m_link;
};
