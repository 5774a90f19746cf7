#include "alarms/alarms_page.h"

#include "link/link.h"
#include "shell/form.h"
#include "shell/toolkit.h"

AlarmsPage::AlarmsPage(Form &form, FormState &state, Link &link)
    : m_form(form), m_state(state), m_link(link)
{
}

void AlarmsPage::CreateEditors()
{
    for (int i = 2; i <= BudTable::kCount; ++i)
        m_form.load(QStringLiteral("txtBudTime"), i);
    for (int i = 1; i <= BudTable::kCount; ++i) {
        auto *editor = m_form.get<tk::TextBox>("txtBudTime", i);
        const QRect label = m_form.get<QWidget>("lblBudTime", i)->geometry();
        editor->setGeometry(label.x() + 15, label.y(), 65, label.height());
        editor->setVisible(false);
        QFont f = editor->font();
        f.setPointSize(16);
        editor->setFont(f);
    }
}

void AlarmsPage::ApplyAlarmReply(qint16, const QString &)
{
}
