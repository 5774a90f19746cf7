#include "face/face_ui.h"

#include "toolkit/controls/check_box.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/form/form.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/scroll_bar.h"
#include "toolkit/controls/text_box.h"

namespace face {

namespace {
using K = design::Kind;
using A = tk::Access;

void skinFrame(design::Rows &b, const QString &page)
{
    const QString skin = QStringLiteral("framSkin");
    b.add(K::Frame, "framSkin", page, {90, 510, 3000, 1710}, "Выбор скина ").spoken("Выбор скина");
    b.add(K::HScrollBar, "scrlStyle", skin, {120, 1170, 480, 315}).withRange(1, 57, 1)
        .spoken(A::ArrowBar, "Стиль").spokenParts({"Предыдущий стиль", "Следующий стиль"});
    b.add(K::TextBox, "txtStyle", skin, {660, 1170, 1620, 315}).locked().spoken("Название стиля");
    b.add(K::TextBox, "txtSkin", skin, {660, 360, 1620, 315}).locked().spoken("Название скина");
    b.add(K::HScrollBar, "scrlSkin", skin, {120, 360, 480, 315}).withRange(1, 57, 1)
        .spoken(A::ArrowBar, "Скин").spokenParts({"Предыдущий скин", "Следующий скин"});
    b.add(K::Label, "lblStyle", skin, {2340, 1200, 600, 270}, "54/57").explained("Номер стиля из всех");
    b.add(K::Label, "lbl", 1, skin, {120, 900, 1200, 240}, "Стиль");
    b.add(K::Label, "lblSkin", skin, {2340, 390, 600, 270}, "54/57").explained("Номер скина из всех");
}

void transFrame(design::Rows &b, const QString &page)
{
    const QString trans = QStringLiteral("framTrans");
    b.add(K::Frame, "framTrans", page, {3135, 510, 2955, 1710}).spoken("Прозрачность и яркость");
    b.add(K::CheckButton, "cmdBrightSet", trans, {1650, 1260, 1215, 345}, "Сохранить").spoken("Сохранить яркость");
    b.add(K::CheckButton, "cmdTransSet", trans, {1650, 600, 1215, 345}, "Сохранить")
        .spoken("Сохранить прозрачность");
    b.add(K::ComboBox, "cmbBright", trans, {1650, 930, 1215, 315})
        .withTip("Установленный на часах уровень яркости").spoken("Уровень яркости");
    b.add(K::TextBox, "txtBrightMax", trans, {840, 1260, 690, 315}, "100")
        .withTip("Верхняя граница яркости для локального переключения").spoken("Верхняя граница яркости");
    b.add(K::TextBox, "txtBrightMin", trans, {90, 1260, 690, 315}, "0")
        .withTip("Нижняя граница яркости для локального переключения").spoken("Нижняя граница яркости");
    b.add(K::ComboBox, "cmbTrans", trans, {1650, 270, 1215, 315})
        .withTip("Установленный на часах уровень прозрачности/затемнения").spoken("Уровень прозрачности");
    b.add(K::TextBox, "txtTransMax", trans, {840, 600, 690, 315}, "100")
        .withTip("Верхняя граница прозрачности для локального переключения")
        .spoken("Верхняя граница прозрачности");
    b.add(K::TextBox, "txtTransMin", trans, {90, 600, 690, 315}, "0")
        .withTip("Нижняя граница прозрачности для локального переключения")
        .spoken("Нижняя граница прозрачности");
    b.add(K::CheckBox, "chkTrans", trans, {90, 285, 1500, 285}, "Прозрачность")
        .withTip("Режим прозрачности (если галочка снята, то установлен режим затемнения)");
    b.add(K::Label, "lbl", 2, trans, {90, 960, 1500, 270}, "Яркость")
        .withTip("Параметры яркости: Если не активны, значит на сервере отсутствует поддержка "
                 "изменения яркости");
}

void flagsFrame(design::Rows &b, const QString &page)
{
    const QString flags = QStringLiteral("Frame1");
    b.add(K::Frame, "Frame1", page, {6135, 510, 1860, 1710}).spoken("Режимы часов");
    b.add(K::CheckBox, "chkFace", 3, flags, {90, 1275, 1740, 285}, "Блокировать")
        .withTip("Отличается от предыдущего тем, что запрещает так же перемещение окна программы "
                 "по экрану");
    b.add(K::CheckBox, "chkFace", 2, flags, {90, 945, 1740, 285}, "Фиксировать текст")
        .withTip("Запрещает перемещение всех элементов интерфейса мышкой кроме самого окна "
                 "программы");
    b.add(K::CheckBox, "chkFace", 1, flags, {90, 615, 1740, 285}, "Всегда впереди")
        .withTip("Режим отображения программы поверх других окон рабочего стола");
    b.add(K::CheckBox, "chkFace", 0, flags, {90, 285, 1740, 285}, "Показать/спрятать")
        .withTip("Прячет в трей");
}

} // namespace

void FaceUi::addRows(design::Rows &b)
{
    b.add(K::Frame, "framTab", 0, design::kWindow, {45, 570, 8025, 2310}).spoken("Скины");
    const QString page = QStringLiteral("framTab(0)");
    b.add(K::CheckButton, "cmdGetFace", page, {120, 90, 1950, 360}, "Получить данные");
    b.add(K::CheckButton, "cmdSaveAll", page, {2130, 90, 2250, 360}, "Сохранить изменения");
    skinFrame(b, page);
    transFrame(b, page);
    flagsFrame(b, page);
}

FaceUi::FaceUi(const tk::Form &form)
{
    FORM_BIND(form, cmdGetFace);
    FORM_BIND(form, cmdSaveAll);
    FORM_BIND(form, txtSkin);
    FORM_BIND(form, lblSkin);
    FORM_BIND(form, scrlSkin);
    FORM_BIND(form, txtStyle);
    FORM_BIND(form, lblStyle);
    FORM_BIND(form, scrlStyle);
    FORM_BIND(form, cmbTrans);
    FORM_BIND(form, txtTransMin);
    FORM_BIND(form, txtTransMax);
    FORM_BIND(form, chkTrans);
    FORM_BIND(form, cmdTransSet);
    FORM_BIND(form, cmbBright);
    FORM_BIND(form, txtBrightMin);
    FORM_BIND(form, txtBrightMax);
    FORM_BIND(form, cmdBrightSet);
    FORM_BIND(form, chkFace);
}

} // namespace face
