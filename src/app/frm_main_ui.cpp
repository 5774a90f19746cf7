#include "toolkit/window_design.h"

#include "protocol/protocol.h"

#include "protocol/address.h"

namespace design {
namespace {

using K = Kind;
using A = tk::Access;

const QString kArial = QStringLiteral("Arial");

struct Builder {
    std::vector<Control> rows;

    Control &add(Kind kind, const QString &name, int index, const QString &parent, QRect twips,
                 const QString &caption = {})
    {
        Control &c = rows.emplace_back();
        c.kind = kind;
        c.name = name;
        c.index = index;
        c.parent = parent;
        c.twips = twips;
        c.caption = caption;
        return c;
    }
    Control &add(Kind kind, const QString &name, const QString &parent, QRect twips,
                 const QString &caption = {})
    {
        return add(kind, name, -1, parent, twips, caption);
    }
};

const QString kWindow;

void alarmsPage(Builder &b)
{
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
        b.add(K::CheckBox, "chkBudActive", n, page, {1440, y + 60, 255, 285}).spoken("Будильник %1 включён");
        b.add(K::Label, "lblBudTime", n, page, {120, y, 1260, 390}, "?:??").withFont(kArial, 14, true)
            .spoken(A::TimeValue, "Время будильника %1").explained("Enter или F2 — изменить время");
    }
}

void serverBar(Builder &b)
{
    const QString bar = QStringLiteral("fram(0)");
    b.add(K::Frame, "fram", 0, kWindow, {4020, 0, 4050, 540}).spoken("Подключение");
    b.add(K::CheckBox, "chkAutoping", bar, {45, 165, 1155, 285}, "Авто опрос");
    b.add(K::ComboBox, "cmbServer", bar, {1215, 135, 735, 315})
        .withTip("Выбор адреса сервера с Quorvan-ом").withBack(kServerFieldBack).spoken("Сервер");
    b.add(K::TextBox, "txtPort", bar, {3225, 135, 540, 315}, address::kDefaultPort)
        .withTip("Порт").withBack(kServerFieldBack).withMaxLength(5).spoken("Порт");
    b.add(K::TextBox, "txtIp", bar, {1980, 135, 1170, 315}, address::kDefaultIp)
        .withTip("Адрес").withBack(kServerFieldBack).spoken("Адрес");
    // Its name says what its colour shows; the link renames it (as designed: red).
    b.add(K::Circle, "shpInd", bar, {3810, 195, 195, 195}).withBack(kIndicatorDown).withFore(0x404040)
        .spoken(A::Indicator, "Нет ответа").explained("Отвечает ли Quorvan");
    b.add(K::Label, "lbl", 0, bar, {3150, 165, 75, 270}, ":").withFont("Verdana", 7).unspoken();
}

void facePage(Builder &b)
{
    const QString page = QStringLiteral("framTab(0)");
    b.add(K::CheckButton, "cmdGetFace", page, {120, 90, 1950, 360}, "Получить данные");
    b.add(K::CheckButton, "cmdSaveAll", page, {2130, 90, 2250, 360}, "Сохранить изменения");

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

std::vector<Control> build()
{
    Builder b;
    b.add(K::CheckButton, "cmdExit", kWindow, {45, 2895, 8025, 375}, "Выйти");

    // The pages lie apart as designed; start-up stacks them onto framTab(0).
    b.add(K::Frame, "framTab", 2, kWindow, {45, 5760, 8025, 2310}).spoken("Надписи");
    b.add(K::Label, "lblR", 1, "framTab(2)", {1200, 600, 5700, 900}, "В разработке")
        .withFont("Times New Roman", 36, true).withFore(0x0080C0FF);
    b.add(K::Label, "lblR", 0, "framTab(2)", {1245, 645, 5700, 900}, "В разработке")
        .withFont("Times New Roman", 36, true).withFore(0x00800080).unspoken(); // the shadow

    const QString strip = QStringLiteral("picTab");
    b.add(K::PictureBox, "picTab", kWindow, {45, 270, 3450, 435}).withBack(kFormBack)
        .spoken(A::TabList, "Страницы").explained("Ctrl+Tab, Ctrl+1…3 или стрелки выбирают страницу");
    b.add(K::Label, "lblTab", 2, strip, {2490, 120, 870, 300}, "Надписи").withFont(kArial, 9.75).spoken(A::Tab);
    b.add(K::Label, "lblTab", 1, strip, {1080, 105, 1275, 300}, "Будильники").withFont(kArial, 9.75)
        .spoken(A::Tab);
    b.add(K::Label, "lblTab", 0, strip, {75, 105, 855, 300}, "Скины").withFont(kArial, 9.75, true)
        .spoken(A::Tab);
    b.add(K::RoundedShape, "shpTab", 0, strip, {30, 75, 1005, 390}).withBack(kFormBack).withFore(kTabBorder);
    b.add(K::RoundedShape, "shpTab", 1, strip, {1005, 75, 1410, 390}).withBack(0xF8B578).withFore(kTabBorder);
    b.add(K::RoundedShape, "shpTab", 2, strip, {2400, 75, 1050, 390}).withBack(0xF8B578).withFore(kTabBorder);

    b.add(K::Frame, "framTab", 1, kWindow, {45, 3330, 8025, 2310}).spoken("Будильники");
    alarmsPage(b);
    serverBar(b);
    b.add(K::Frame, "fram", 1, kWindow, {3525, 540, 4545, 30}).unspoken(); // a rule under the server bar
    b.add(K::Timer, "tmr", 0, kWindow, {});
    b.add(K::Socket, "ws", kWindow, {});

    // The debug strip lies beyond the right edge of the window as start-up sizes it.
    b.add(K::LogBox, "txtMsg", kWindow, {9075, 45, 4200, 2340}).spoken("Журнал ответов");
    b.add(K::TextBox, "txtDebug", kWindow, {9075, 2430, 2700, 330}, "Gsk?").withMaxLength(proto::kMaxDatagram)
        .spoken("Команда");
    b.add(K::Button, "cmdDebugSend", kWindow, {11820, 2430, 750, 330}, "Send");
    b.add(K::Button, "cmdSendExit", kWindow, {12615, 2430, 660, 330}, "X");

    b.add(K::Frame, "framTab", 0, kWindow, {45, 570, 8025, 2310}).spoken("Скины");
    facePage(b);

    b.add(K::Label, "lblErr", kWindow, {45, 15, 3450, 255})
        .withTip("Поле отображения результата последней операции").withFore(0x8080FF)
        .withFont({}, 0, true).spoken(A::Status);
    b.add(K::Image, "imgBell", kWindow, {3540, 45, 480, 480})
        .withTip("Кликнуть мышью чтобы Заглушить будильник");
    b.add(K::Image, "imgIco", kWindow, {9075, 2880, 480, 480}).hidden();
    b.add(K::Shape, "shpBorder", kWindow, {30, 555, 8055, 2340}).withFore(kTabBorder);
    return std::move(b.rows);
}

} // namespace

QString objectName(const QString &name, int index)
{
    // Built for every lookup of a control, so without the cost of arg().
    return index < 0 ? name : name + u'(' + QString::number(index) + u')';
}

tk::Access accessOf(const Control &row)
{
    if (row.access != tk::Access::Default)
        return row.access;
    switch (row.kind) {
    case K::CheckButton:
        return tk::Access::Button;
    case K::LinkText:
        return tk::Access::Link;
    case K::ComboBox:
        return tk::Access::Choice;
    case K::Frame:
    case K::PictureBox:
        return tk::Access::Group;
    case K::Shape:
    case K::RoundedShape:
    case K::Circle:
    case K::Image:
        return tk::Access::Hidden;
    default:
        return tk::Access::Default;
    }
}

const std::vector<Control> &controls()
{
    static const std::vector<Control> rows = build();
    return rows;
}

} // namespace design
