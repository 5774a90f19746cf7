#include "app/frm_main_ui.h"

#include "alarms/alarms_ui.h"
#include "face/face_ui.h"
#include "link/link_ui.h"
#include "common/address.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/form/form.h"
#include "toolkit/controls/label.h"
#include "toolkit/pictures.h"
#include "toolkit/controls/shape.h"
#include "toolkit/controls/text_box.h"

namespace app {

namespace {

using K = design::Kind;
using A = tk::Access;
using design::kFormBack;
using design::kWindow;
constexpr quint32 kServerFieldBack = MainUi::kServerFieldBack;
constexpr quint32 kTabBorder = MainUi::kTabBorder;

const QString kArial = QStringLiteral("Arial");

void serverBar(design::Rows &b)
{
    const QString bar = QStringLiteral("fram(0)");
    b.add(K::Frame, "fram", 0, kWindow, {4020, 0, 4050, 540}).spoken("Подключение");
    b.add(K::CheckBox, "chkAutoping", bar, {45, 165, 1155, 285}, "Авто опрос");
    b.add(K::ComboBox, "cmbServer", bar, {1215, 135, 735, 315})
        .withTip("Выбор адреса сервера с Quorvan-ом").withBack(kServerFieldBack).spoken("Сервер");
    b.add(K::TextBox, "txtPort", bar, {3225, 135, 540, 315}, QString::number(address::kDefaultPort))
        .withTip("Порт").withBack(kServerFieldBack).withMaxLength(5).spoken("Порт");
    b.add(K::TextBox, "txtIp", bar, {1980, 135, 1170, 315}, address::kDefaultIp)
        .withTip("Адрес").withBack(kServerFieldBack).spoken("Адрес");
    // Its name says what its colour shows; the link renames it (as designed: red).
    b.add(K::Circle, "shpInd", bar, {3810, 195, 195, 195}).withBack(LinkUi::kIndicatorDown).withFore(0x404040)
        .spoken(A::Indicator, "Нет ответа").explained("Отвечает ли Quorvan");
    b.add(K::Label, "lbl", 0, bar, {3150, 165, 75, 270}, ":").withFont("Verdana", 7).unspoken();
}

// The "Надписи" page, which has no part of its own yet.
void notesPage(design::Rows &b)
{
    b.add(K::Frame, "framTab", 2, kWindow, {45, 5760, 8025, 2310}).spoken("Надписи");
    b.add(K::Label, "lblR", 1, "framTab(2)", {1200, 600, 5700, 900}, "В разработке")
        .withFont("Times New Roman", 36, true).withFore(0x0080C0FF);
    b.add(K::Label, "lblR", 0, "framTab(2)", {1245, 645, 5700, 900}, "В разработке")
        .withFont("Times New Roman", 36, true).withFore(0x00800080).unspoken(); // the shadow
}

void tabStrip(design::Rows &b)
{
    const QString strip = QStringLiteral("picTab");
    b.add(K::PictureBox, "picTab", kWindow, {45, 270, 3450, 435}).withBack(kFormBack)
        .spoken(A::TabList, "Страницы").explained("Ctrl+Tab, Ctrl+1…3 или стрелки выбирают страницу");
    // A screen reader speaks no position of a tab by default, but its
    // description; the notes page has no control to hold its one text.
    b.add(K::Label, "lblTab", 2, strip, {2490, 120, 870, 300}, "Надписи").withFont(kArial, 9.75).spoken(A::Tab)
        .explained("3 из 3. В разработке");
    b.add(K::Label, "lblTab", 1, strip, {1080, 105, 1275, 300}, "Будильники").withFont(kArial, 9.75)
        .spoken(A::Tab).explained("2 из 3");
    b.add(K::Label, "lblTab", 0, strip, {75, 105, 855, 300}, "Скины").withFont(kArial, 9.75, true)
        .spoken(A::Tab).explained("1 из 3");
    b.add(K::RoundedShape, "shpTab", 0, strip, {30, 75, 1005, 390}).withBack(kFormBack).withFore(kTabBorder);
    b.add(K::RoundedShape, "shpTab", 1, strip, {1005, 75, 1410, 390}).withBack(0xF8B578).withFore(kTabBorder);
    b.add(K::RoundedShape, "shpTab", 2, strip, {2400, 75, 1050, 390}).withBack(0xF8B578).withFore(kTabBorder);
}

// In the designed order, which is also the order of each container's
// children, in which screen readers meet them.
std::vector<design::Control> build()
{
    design::Rows b;
    b.add(K::CheckButton, "cmdExit", kWindow, {45, 2895, 8025, 375}, "Выйти");
    // The pages lie apart as designed; start-up stacks them onto framTab(0).
    notesPage(b);
    tabStrip(b);
    alarms::AlarmsUi::addRows(b);
    serverBar(b);
    b.add(K::Frame, "fram", 1, kWindow, {3525, 540, 4545, 30}).unspoken(); // a rule under the server bar
    LinkUi::addRows(b);
    face::FaceUi::addRows(b);
    LinkUi::addResultLine(b);
    b.add(K::Image, "imgBell", kWindow, {3540, 45, 480, 480}).withPicture(pictures::bell)
        .withTip("Кликнуть мышью чтобы Заглушить будильник");
    b.add(K::Image, "imgIco", kWindow, {9075, 2880, 480, 480}).withPicture(pictures::clock).hidden();
    b.add(K::Shape, "shpBorder", kWindow, {30, 555, 8055, 2340}).withFore(kTabBorder);
    return b.take();
}

} // namespace

const std::vector<design::Control> &MainUi::rows()
{
    static const std::vector<design::Control> rows = build();
    return rows;
}

MainUi::MainUi(const tk::Form &form)
{
    FORM_BIND(form, cmdExit);
    FORM_BIND(form, imgIco);
    FORM_BIND(form, cmbServer);
    FORM_BIND(form, lblTab);
    FORM_BIND(form, shpTab);
    FORM_BIND(form, framTab);
}

} // namespace app
