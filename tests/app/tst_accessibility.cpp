// The window as a screen reader sees it: every control reached from the
// window with its name, role and key states; decorations left out; the
// press actions doing what the mouse does; and the indicator and result
// line announcing their changes.

#include "accessibility_events.h"
#include "user_window.h"

#include "app/frm_main_ui.h"
#include "toolkit/accessibility/announcer.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/text_box.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace {

using Role = QAccessible::Role;

// Every interface reachable from the window by its children, by
// objectName, checking on the way that each child knows its parent and
// its place, as AT-SPI asks for them.
void collect(QAccessibleInterface *iface, QHash<QString, QAccessibleInterface *> &out, QStringList &faults)
{
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        const QString where = (iface->object() ? iface->object()->objectName() : QStringLiteral("?"))
            + QStringLiteral("/%1").arg(i);
        if (!child) {
            faults << where + QStringLiteral(" missing");
            continue;
        }
        if (iface->indexOfChild(child) != i || !child->parent() || child->parent()->object() != iface->object())
            faults << where + QStringLiteral(" does not lead back");
        if (child->object())
            out.insert(child->object()->objectName(), child);
        collect(child, out, faults);
    }
}

QHash<QString, QAccessibleInterface *> windowTree(QWidget *window, QStringList &faults)
{
    QHash<QString, QAccessibleInterface *> out;
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(window);
    out.insert(window->objectName(), root);
    collect(root, out, faults);
    return out;
}

// "focusable,!checkable": each flag named must be set, each with "!" clear.
QString stateMismatch(const QAccessible::State &s, const QString &flags)
{
    const QHash<QString, bool> known{
        {"focusable", s.focusable}, {"checkable", s.checkable}, {"checked", s.checked},
        {"selectable", s.selectable}, {"selected", s.selected}, {"invisible", s.invisible},
        {"disabled", s.disabled}, {"readOnly", s.readOnly}, {"linked", s.linked}};
    for (QString flag : flags.split(u',', Qt::SkipEmptyParts)) {
        const bool want = !flag.startsWith(u'!');
        flag.remove(u'!');
        if (!known.contains(flag))
            return QStringLiteral("unknown flag ") + flag;
        if (known.value(flag) != want)
            return flag + (want ? QStringLiteral(" not set") : QStringLiteral(" set"));
    }
    return {};
}

// The role a reader should meet for a row: the one the row asks for, or
// the one its kind looks like; NoRole for what is no control to a reader.
Role looksLike(const design::Control &row)
{
    using A = tk::Access;
    using K = design::Kind;
    switch (row.access) {
    case A::Hidden: return Role::NoRole;
    case A::Window: return Role::Window;
    case A::Group: return Role::Grouping;
    case A::TabList: return Role::PageTabList;
    case A::Tab: return Role::PageTab;
    case A::Button: return Role::Button;
    case A::Link: return Role::Link;
    case A::TimeValue: return Role::StaticText;
    case A::ArrowBar: return Role::ScrollBar;
    case A::Indicator:
    case A::Status: return Role::StatusBar;
    case A::Choice: return Role::ComboBox;
    case A::Announcer: return Role::Notification;
    case A::Default: break;
    }
    switch (row.kind) {
    case K::CheckBox: return Role::CheckBox;
    case K::CheckButton:
    case K::Button: return Role::Button;
    case K::TextBox:
    case K::LogBox: return Role::EditableText;
    case K::LinkText: return Role::Link;
    case K::Label: return Role::StaticText;
    case K::ComboBox: return Role::ComboBox;
    case K::HScrollBar: return Role::ScrollBar;
    case K::Frame:
    case K::PictureBox: return Role::Grouping;
    default: return Role::NoRole; // shapes, images, timers, the socket
    }
}

const QString kRow2 = QStringLiteral("Gbd2|2|7:05:00|1|abc|0|0|0|0");
const QString kSkin = QStringLiteral("Gsk?|0|56|53|Classic|0|0|0|0|1|a.xyz|b.xyz|c.xyz");
const QString kLevels = QStringLiteral("GfaT|20|0|100|1|20|40");

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void controlsFollowTheirRows();
    void computedNames_data();
    void computedNames();
    void decorationsLeftOut_data();
    void decorationsLeftOut();
    void readingOrder_data();
    void readingOrder();
    void choicesNamedForWhatTheyChoose();
    void arrowsAreButtons();
    void pressDoesWhatTheMouseDoes_data();
    void pressDoesWhatTheMouseDoes();
    void announcements_data();
    void announcements();
    void tabSelectionAnnounced();
};

// The rule every control reached from the window follows: it has the role
// its row looks like, the name and description its row gives (a control
// unnamed by its row is called by what it shows), the states of what it is,
// and a name no other control of its role has.
void TestAccessibility::controlsFollowTheirRows()
{
    ClientFixture c;
    QStringList faults;
    const auto tree = windowTree(&c.window(), faults);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    QHash<QString, QString> named; // "role name" -> objectName
    for (const design::Control &row : app::MainUi::rows()) {
        const Role looks = looksLike(row);
        if (looks == Role::NoRole)
            continue;
        // An element added at start-up is a copy of the designed one.
        for (int index : row.name == u"txtBudTime" ? QList<int>{1, 2, 3, 4} : QList<int>{row.index}) {
            const QString object = design::objectName(row.name, index);
            QAccessibleInterface *iface = tree.value(object);
            if (!iface) {
                faults << object + QStringLiteral(": not reached from the window");
                continue;
            }
            const auto *w = static_cast<QWidget *>(iface->object());
            const QAccessible::State s = iface->state();
            const QString name = iface->text(QAccessible::Name);
            const auto fault = [&](const QString &what) { faults << object + QStringLiteral(": ") + what; };
            if (iface->role() != looks)
                fault(QStringLiteral("role %1, not %2").arg(iface->role()).arg(looks));
            if (looks == Role::PageTab && iface->parent()->role() != Role::PageTabList)
                fault(QStringLiteral("a tab outside a tab list"));
            // Time labels and the result line have names made at run time
            // (computedNames); a label start-up empties Qt names for its frame.
            const auto *label = qobject_cast<const QLabel *>(w);
            if (row.access != tk::Access::TimeValue && row.access != tk::Access::Status
                && !(label && label->text().isEmpty())) {
                const QString given = row.accName.isEmpty() ? row.caption.trimmed()
                    : QString(row.accName).replace(QStringLiteral("%1"), QString::number(index));
                if (name.isEmpty() || name != given)
                    fault(QStringLiteral("named \"%1\", not \"%2\"").arg(name, given));
            }
            if (looks != Role::StaticText && !name.isEmpty()) {
                const QString key = QStringLiteral("%1 %2").arg(looks).arg(name);
                if (named.contains(key))
                    fault(QStringLiteral("named \"%1\" as %2 is").arg(name, named.value(key)));
                named.insert(key, object);
            }
            const QString description = row.accDescription.isEmpty() ? row.tip : row.accDescription;
            if (row.access != tk::Access::Tab && iface->text(QAccessible::Description) != description)
                fault(QStringLiteral("described \"%1\"").arg(iface->text(QAccessible::Description)));
            const auto *box = qobject_cast<const QAbstractButton *>(w);
            const auto *edit = qobject_cast<const QLineEdit *>(w);
            if ((!w->isVisibleTo(&c.window()) && !s.invisible) || s.checkable != (looks == Role::CheckBox)
                || s.checked != (looks == Role::CheckBox && box && box->isChecked())
                || s.linked != (looks == Role::Link) || (edit && s.readOnly != row.readOnly))
                fault(QStringLiteral("states do not match what it is"));
            const QAccessibleTextInterface *text = iface->textInterface();
            if (edit && text && text->text(0, text->characterCount()) != edit->text())
                fault(QStringLiteral("text does not read as shown"));
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void TestAccessibility::computedNames_data()
{
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("states");
    QTest::addColumn<QString>("description"); // null: not checked
    QTest::addColumn<QString>("text");        // null: not checked; the value, as AT-SPI reads it

    const auto row = [](const QString &tag, const QStringList &replies, const QString &object, const QString &name,
                        const QString &states = {}, const QString &description = {}, const QString &text = {}) {
        QTest::newRow(qPrintable(tag)) << replies << object << name << states << description << text;
    };
    row("window", {}, "frmMain", "Dalvimo");
    row("indicator", {}, "shpInd", "Нет ответа", "!focusable");
    row("indicator renamed", {"ping"}, "shpInd", "Quorvan отвечает", "!focusable");
    row("result line", {}, "lblErr", "", "!focusable");
    row("tab 1", {}, "lblTab(0)", "Скины", "selectable,!selected,!focusable", "1 из 3");
    row("tab 2, selected", {}, "lblTab(1)", "Будильники", "selectable,selected,focusable", "выбрана, 2 из 3");
    row("tab 3", {}, "lblTab(2)", "Надписи", "selectable,!selected,!focusable", "3 из 3. В разработке");
    for (int n = 1; n <= 4; ++n)
        row(QStringLiteral("time %1 not read yet").arg(n), {}, QStringLiteral("lblBudTime(%1)").arg(n),
            QStringLiteral("Время будильника %1, ?:??").arg(n), "focusable", {}, "?:??");
    row("a time read", {kRow2}, "lblBudTime(2)", "Время будильника 2, 7:05", {}, {}, "7:05");
    row("a level in the list", {kLevels}, "cmbTrans", "Уровень прозрачности", {}, {}, "20");
    row("a level outside the list", {kLevels, "GfaT|75|0|100|1|20|40"}, "cmbTrans", "Уровень прозрачности", {}, {},
        "75");
    row("no level yet", {}, "cmbTrans", "Уровень прозрачности", {}, {}, "");
}

// Names and values made at run time, from the window's state and what was
// read: a label by its name alone, a drop-down by its text.
void TestAccessibility::computedNames()
{
    QFETCH(QStringList, replies);
    QFETCH(QString, object);
    QFETCH(QString, states);
    QFETCH(QString, description);
    QFETCH(QString, text);
    ClientFixture c;
    for (const QString &reply : replies)
        c.reply(reply);
    QAccessibleInterface *iface =
        QAccessible::queryAccessibleInterface(object == u"frmMain" ? &c.window() : c.form().find(object));
    QVERIFY(iface);
    QTEST(iface->text(QAccessible::Name), "name");
    const QString mismatch = stateMismatch(iface->state(), states);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    if (!description.isNull())
        QCOMPARE(iface->text(QAccessible::Description), description);
    if (!text.isNull()) {
        QAccessibleTextInterface *t = iface->textInterface();
        QVERIFY(t);
        QCOMPARE(t->text(0, t->characterCount()), text);
        QCOMPARE(iface->text(QAccessible::Value), text);
    }
}

void TestAccessibility::decorationsLeftOut_data()
{
    QTest::addColumn<QString>("object");
    for (const char *name : {"imgBell", "imgIco", "shpBorder", "shpTab(0)", "shpTab(1)", "shpTab(2)", "lbl(0)",
                             "lblR(0)", "fram(1)"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestAccessibility::decorationsLeftOut()
{
    QFETCH(QString, object);
    ClientFixture c;
    QStringList faults;
    QVERIFY(!windowTree(&c.window(), faults).contains(object));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(c.form().find(object));
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::NoRole);
    QVERIFY(iface->state().invisible);
    QVERIFY(iface->text(QAccessible::Name).isEmpty());
}

void TestAccessibility::readingOrder_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QStringList>("children"); // the first ones; "..." and the last one

    QTest::newRow("window") << "frmMain"
                            << QStringList{"lblErr", "fram(0)", "txtMsg", "picTab", "...", "cmdExit"};
    QTest::newRow("server bar") << "fram(0)" << QStringList{"chkAutoping", "cmbServer", "txtIp", "txtPort", "shpInd"};
    QTest::newRow("tab strip") << "picTab" << QStringList{"lblTab(0)", "lblTab(1)", "lblTab(2)"};
    QTest::newRow("alarms") << "framTab(1)"
                            << QStringList{"txtBudOtkl", "txtBudStop", "chkAutoActiveSet", "cmdBudAll", "lblBudTime(1)",
                                           "txtBudTime(1)", "chkBudActive(1)", "txtBudRing(1)", "cmdBudGet(1)",
                                           "cmdBudSet(1)", "lblBudTime(2)", "...", "cmdBudSet(4)"};
    QTest::newRow("transparency") << "framTrans"
                                  << QStringList{"chkTrans", "cmbTrans", "txtTransMin", "txtTransMax", "cmdTransSet",
                                                 "lbl(2)", "cmbBright", "txtBrightMin", "txtBrightMax",
                                                 "cmdBrightSet"};
    QTest::newRow("skin") << "framSkin"
                          << QStringList{"scrlSkin", "txtSkin", "lblSkin", "lbl(1)", "scrlStyle", "txtStyle", "lblStyle"};
}

// A container lists its children as a reader reads the window: row by
// row, left to right, not in the order they are drawn.
void TestAccessibility::readingOrder()
{
    QFETCH(QString, container);
    QFETCH(QStringList, children);
    ClientFixture c;
    QObject *object = container == u"frmMain" ? &c.window() : c.form().find(container);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    QStringList seen;
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        QVERIFY2(child && child->object(), qPrintable(QString::number(i)));
        seen << child->object()->objectName();
    }
    const qsizetype cut = children.indexOf(QStringLiteral("..."));
    if (cut >= 0) {
        QCOMPARE(seen.mid(0, cut), children.mid(0, cut));
        QCOMPARE(seen.mid(seen.size() - (children.size() - cut - 1)), children.mid(cut + 1));
    } else {
        QCOMPARE(seen, children);
    }
}

void TestAccessibility::choicesNamedForWhatTheyChoose()
{
    ClientFixture c("[General]\r\nAutoPing=0\r\nClockIP_1=192.168.1.20|Kitchen\r\nSelectIPNum=1\r\n");
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(c.form().find("cmbServer"));
    QCOMPARE(iface->role(), QAccessible::ComboBox);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Сервер"));
    QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("Kitchen"));
    QVERIFY(iface->state().collapsed);
    QCOMPARE(iface->childCount(), 1);
    QCOMPARE(iface->indexOfChild(iface->child(0)), 0);
    QCOMPARE(iface->child(0)->childCount(), 1); // the one entry
}

void TestAccessibility::arrowsAreButtons()
{
    ClientFixture c;
    for (const auto &[bar, names] : {std::pair{"scrlSkin", QStringList{"Предыдущий скин", "Следующий скин"}},
                                     std::pair{"scrlStyle", QStringList{"Предыдущий стиль", "Следующий стиль"}}}) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(c.form().find(bar));
        QVERIFY(iface->valueInterface());
        QCOMPARE(iface->valueInterface()->currentValue().toInt(), 1);
        QCOMPARE(iface->childCount(), 2);
        for (int i = 0; i < 2; ++i) {
            QAccessibleInterface *arrow = iface->child(i);
            QCOMPARE(arrow->role(), QAccessible::Button);
            QCOMPARE(arrow->text(QAccessible::Name), names.at(i));
            QCOMPARE(arrow->parent(), iface);
            QCOMPARE(iface->indexOfChild(arrow), i);
            QVERIFY(arrow->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        }
    }
    // A bar hidden for a single style hides its arrows as well.
    c.reply(QStringLiteral("Gsk?|0|3|0|Solo|0|0|0|0|0|only.xyz"));
    QAccessibleInterface *style = QAccessible::queryAccessibleInterface(c.form().find("scrlStyle"));
    QVERIFY(style->child(0)->state().invisible);
}

void TestAccessibility::pressDoesWhatTheMouseDoes_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("object");
    QTest::addColumn<int>("part"); // -1: the control itself, else its child
    QTest::addColumn<QString>("mouse");

    const QByteArray alarms("[General]\r\nAutoPing=0\r\nFrameSelect=1\r\n");
    const QByteArray face("[General]\r\nAutoPing=0\r\nFrameSelect=0\r\n");
    QTest::newRow("button") << alarms << "cmdBudGet(2)" << -1 << "click:cmdBudGet(2)";
    QTest::newRow("link") << alarms << "txtBudOtkl" << -1 << "click:txtBudOtkl";
    QTest::newRow("tab") << alarms << "lblTab(0)" << -1 << "click:lblTab(0)";
    QTest::newRow("alarm time") << alarms << "lblBudTime(4)" << -1 << "click:lblBudTime(4)@left";
    QTest::newRow("previous skin") << face << "scrlSkin" << 0 << "click:scrlSkin@left";
    QTest::newRow("next skin") << face << "scrlSkin" << 1 << "click:scrlSkin@right";
    QTest::newRow("next style") << face << "scrlStyle" << 1 << "click:scrlStyle@right";
}

void TestAccessibility::pressDoesWhatTheMouseDoes()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, object);
    QFETCH(int, part);
    QFETCH(QString, mouse);
    // Skins and styles in the middle of their ranges, so either arrow sends.
    const QString skins = QStringLiteral("reply:Gsk?|0|56|53|Classic|0|0|0|0|1|a.xyz|b.xyz|c.xyz");
    QStringList byMouse;
    QStringList untouched;
    {
        UserWindow w(settings);
        QVERIFY(w.isActive());
        QVERIFY(w.run({skins}));
        untouched = w.outcome();
        QVERIFY(w.run({mouse}));
        byMouse = w.outcome();
    }
    QVERIFY(byMouse != untouched);
    UserWindow w(settings);
    QVERIFY(w.isActive());
    QVERIFY(w.run({skins}));
    w.outcome();
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w.form().find(object));
    if (part >= 0)
        iface = iface->child(part);
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(w.outcome(), byMouse);
}

void TestAccessibility::announcements_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("announced"); // name changes
    QTest::addColumn<QStringList>("spoken");    // notifications shown

    const QString up = QStringLiteral("shpInd: Quorvan отвечает");
    const QString down = QStringLiteral("shpInd: Нет ответа");
    const QString ok = QStringLiteral("lblErr: 0k!");
    const QStringList sUp{"Quorvan отвечает"}, sDown{"Нет ответа"};
    QTest::newRow("an answer") << QStringList{"ping"} << QStringList{up} << sUp;
    QTest::newRow("answers after answers are no news") << QStringList{"ping", "ping", "Sbd1|0"} << QStringList{up}
                                                       << sUp;
    QTest::newRow("silence after an answer") << QStringList{"ping", "@silence", "@silence"} << QStringList{up, down}
                                             << (sUp + sDown);
    QTest::newRow("silence from the start is no news") << QStringList{"@silence"} << QStringList{} << QStringList{};
    QTest::newRow("a new address starts silent") << QStringList{"ping", "@address"} << QStringList{up, down}
                                                 << (sUp + sDown);
    QTest::newRow("a read") << QStringList{kRow2} << QStringList{up, ok} << QStringList{"Quorvan отвечает", "0k!"};
    QTest::newRow("the same result shown is no news")
        << QStringList{kRow2, kRow2} << QStringList{up, ok} << QStringList{"Quorvan отвечает", "0k!"};
    // The line's clearing is not said, and the same result at once after it
    // is a repeat to the ear.
    QTest::newRow("a send empties the line, the same result is news again")
        << QStringList{kRow2, "@send", kRow2} << QStringList{up, ok, "lblErr: ", ok}
        << QStringList{"Quorvan отвечает", "0k!"};
    QTest::newRow("an empty line emptied again is no news")
        << QStringList{"@send", "@send"} << QStringList{} << QStringList{};
    QTest::newRow("an error") << QStringList{"Err5|Busy"} << QStringList{up, "lblErr: Err=5 (Busy)"}
                              << QStringList{"Quorvan отвечает", "Err=5 (Busy)"};
    QTest::newRow("an error, then a read") << QStringList{"Err5|Busy", kRow2}
                                           << QStringList{up, "lblErr: Err=5 (Busy)", ok}
                                           << QStringList{"Quorvan отвечает", "Err=5 (Busy)", "0k!"};
    QTest::newRow("a read, an error, the read again")
        << QStringList{kRow2, "Err5|Busy", kRow2} << QStringList{up, ok, "lblErr: Err=5 (Busy)", ok}
        << QStringList{"Quorvan отвечает", "0k!", "Err=5 (Busy)", "0k!"};
    // The new item first, then the result of sending it.
    QTest::newRow("a level stepped by the user")
        << QStringList{kLevels, "@levelDown"} << QStringList{up, ok, "lblErr: "}
        << QStringList{"Quorvan отвечает", "0k!", "40"};
    QTest::newRow("a level set by a reply is not said") << QStringList{kLevels, kLevels} << QStringList{up, ok}
                                                        << QStringList{"Quorvan отвечает", "0k!"};
    // The bar itself gives only a number; the skin's name comes with the
    // reply, and the read's "0k!" so soon after the step's is no news.
    QTest::newRow("a skin stepped by the user") << QStringList{kSkin, "@skinStep", kSkin}
                                                << QStringList{up, ok, "lblErr: ", ok, "lblErr: "}
                                                << QStringList{"Quorvan отвечает", "0k!", "Classic, 54 из 57"};
    QTest::newRow("a skin read is not said") << QStringList{kSkin, kSkin} << QStringList{up, ok}
                                             << QStringList{"Quorvan отвечает", "0k!"};
    QTest::newRow("a time stored") << QStringList{"@edit 9:30"} << QStringList{}
                                   << QStringList{"Время будильника 1: 9:30"};
    QTest::newRow("a time rejected") << QStringList{"@edit 99"} << QStringList{}
                                     << QStringList{"Неверное время 99: нужно ч:мм, от 0:00 до 23:59"};
    QTest::newRow("a notice") << QStringList{"@notice"} << QStringList{"lblErr: Неверный порт"}
                              << QStringList{"Неверный порт"};
}

// What a screen reader hears of the indicator and the result line: each
// real change once, with the text it now shows, as a name change (heard
// while focused) and as a notification shown (heard whatever the focus).
void TestAccessibility::announcements()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, announced);
    QFETCH(QStringList, spoken);
    ClientFixture c;
    AccessibilityEvents events;
    QVERIFY(events.isActive());
    events.take();
    for (const QString &step : steps) {
        if (step == u"@silence")
            c.link().tmr_Timer(1);
        else if (step == u"@send")
            c.link().Send(QStringLiteral("ping"));
        else if (step == u"@address")
            c.get<tk::TextBox>("txtIp")->setText(QStringLiteral("127.0.0.2"));
        else if (step == u"@notice")
            c.link().console().ShowNotice(QStringLiteral("Неверный порт"));
        else if (step.startsWith(u"@edit ")) { // alarm 1's time typed and Enter
            emit c.get<tk::Label>("lblBudTime", 1)->Click();
            auto *editor = c.get<tk::TextBox>("txtBudTime", 1);
            editor->setText(step.mid(6));
            QTest::keyClick(editor, Qt::Key_Return);
        } else if (step == u"@skinStep")
            c.get<QScrollBar>("scrlSkin")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        else if (step == u"@levelDown")
            QTest::keyClick(c.get<QWidget>("cmbTrans"), Qt::Key_Down);
        else
            c.reply(step);
    }
    tk::Announcer::of(&c.window())->flush(); // its quiet timer's tick
    QStringList names, notifications;
    for (const auto &e : events.take()) {
        if (e.type == QAccessible::NameChanged && (e.object == u"shpInd" || e.object == u"lblErr"))
            names << e.object + QStringLiteral(": ") + e.name;
        else if (e.type == QAccessible::ObjectShow && e.object == u"tkAnnouncer")
            notifications << e.name;
    }
    QCOMPARE(names.join(u" | "), announced.join(u" | "));
    QCOMPARE(notifications.join(u" | "), spoken.join(u" | "));
}

void TestAccessibility::tabSelectionAnnounced()
{
    ClientFixture c;
    AccessibilityEvents events;
    events.take();
    QTest::mousePress(c.get<QWidget>("lblTab", 0), Qt::LeftButton);
    QTest::mousePress(c.get<QWidget>("lblTab", 0), Qt::LeftButton);
    QStringList seen;
    for (const auto &e : events.take())
        if (e.type == QAccessible::SelectionAdd || e.type == QAccessible::SelectionRemove)
            seen << e.object + (e.type == QAccessible::SelectionAdd ? " +" : " -");
    QCOMPARE(seen, (QStringList{"lblTab(0) +", "lblTab(1) -"}));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
