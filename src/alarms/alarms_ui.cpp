#include "alarms/alarms_ui.h"

#include "toolkit/controls/check_box.h"
#include "toolkit/form/form.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/text_box.h"

namespace alarms {

namespace {
using K = design::Kind;
using A = tk::Access;
const QString kArial = QStringLiteral("Arial");
} // namespace

void AlarmsUi::addRows(design::Rows &b)
{
    b.add(K::Frame, "framTab", 1, design::kWindow, {45, 3330, 8025, 2310}).spoken("Будильники");
    const QString page = QStringLiteral("framTab(1)");
    b.add(K::LinkText, "txtBudOtkl", page, {120, 90, 2250, 255}, "Откл/Вкл. будильников")
        .withTip("Откл/Вкл установленных будильников в режиме \"Выходные/будни\"");
    b.add(K::LinkText, "txtBudStop", page, {2550, 90, 1950, 255}, "Заглушить будильник")
        .withTip("Отключает сигнал будильника, если тот сработал");
    b.add(K::CheckBox, "chkAutoActiveSet", page, {4770, 75, 1380, 285}, "АвтоАктив")
        .withTip("Автоматически отсылает изменение активности будильников");
    // Only element 1 is designed; start-up adds 2..4 as copies and places all four.
    b.add(K::TextBox, "txtBudTime", 1, page, {1350, 510, 975, 390}, "?")
        .withFont(kArial, 16).withBack(kEditorBack).withMaxLength(5).spoken("Время будильника %1");
    b.add(K::CheckButton, "cmdBudAll", page, {6390, 60, 1500, 345}, "Получить все");

    static const char *const kGetCaptions[] = {"Получить 1-ый", "Получить 2-ой", "Получить 3-ий",
                                               "Получить 4-ый"};
    for (int n = 1; n <= 4; ++n) {
        const int y = 510 + (n - 1) * 435;
        b.add(K::CheckButton, "cmdBudGet", n, page, {4830, y + 30, 1500, 345}, kGetCaptions[n - 1]);
        b.add(K::CheckButton, "cmdBudSet", n, page, {6390, y + 30, 1500, 345}, "Сохранить")
            .spoken("Сохранить будильник %1");
        b.add(K::TextBox, "txtBudRing", n, page, {1740, y + 45, 3000, 315}).withBack(0xEDE9EB)
            .spoken("Текст будильника %1");
        b.add(K::CheckBox, "chkBudActive", n, page, {1440, y + 60, 255, 285}).spoken("Будильник %1");
        b.add(K::Label, "lblBudTime", n, page, {120, y, 1260, 390}, "?:??").withFont(kArial, 14, true)
            .spoken(A::TimeValue, "Время будильника %1").explained("Enter или F2 — изменить время");
    }
}

AlarmsUi::AlarmsUi(const tk::Form &form)
{
    FORM_BIND(form, txtBudOtkl);
    FORM_BIND(form, txtBudStop);
    FORM_BIND(form, chkAutoActiveSet);
    FORM_BIND(form, cmdBudAll);
    FORM_BIND(form, lblBudTime);
    FORM_BIND(form, txtBudTime, 1); // 2..4: loadEditors
    FORM_BIND(form, chkBudActive);
    FORM_BIND(form, txtBudRing);
    FORM_BIND(form, cmdBudGet);
    FORM_BIND(form, cmdBudSet);
}

void AlarmsUi::loadEditors(tk::Form &form)
{
    for (int i = 2; i <= records::BudTable::kCount; ++i)
        txtBudTime.set(i, form.load<tk::TextBox>("txtBudTime", i));
}

} // namespace alarms
