#include "toolkit/form/form.h"

#include "toolkit/accessibility/accessibility.h"
#include "toolkit/accessibility/announcer.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/colours.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/controls/frame.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/log_box.h"
#include "toolkit/controls/picture_label.h"
#include "toolkit/controls/scroll_bar.h"
#include "toolkit/controls/shape.h"
#include "toolkit/controls/text_box.h"
#include "toolkit/controls/timer.h"
#include "toolkit/form/font_faces.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QAbstractScrollArea>
#include <QPushButton>
#include <QScrollBar>
#include <QScreen>

#include <algorithm>

using design::Kind;

namespace tk {
namespace {

// A design face as a family that is installed, resolved once per family: a
// font that names a missing family sends the font database through its
// fallback search again for every size and weight it is loaded in.
QString installedFamily(const QString &family)
{
    static QHash<QString, QString> resolved;
    if (const auto it = resolved.constFind(family); it != resolved.cend())
        return *it;
    static const QStringList installed = QFontDatabase::families();
    const auto isInstalled = [](const QString &f) { return installed.contains(f, Qt::CaseInsensitive); };
    QString face = family;
    if (!isInstalled(family)) {
        const QStringList candidates = tk::standInFaces(family);
        const auto found = std::find_if(candidates.begin(), candidates.end(), isInstalled);
        if (found != candidates.end())
            face = *found;
    }
    resolved.insert(family, face);
    return face;
}

void applyLook(QWidget *w, const design::Control &row)
{
    if (!row.tip.isEmpty())
        w->setToolTip(row.tip);
    if (row.back != design::kDefault)
        tk::setBackColor(w, row.back);
    if (row.fore != design::kDefault)
        tk::setForeColor(w, row.fore);
    if (!row.font.family.isEmpty() || row.font.points > 0 || row.font.bold) {
        QFont f = w->font();
        if (!row.font.family.isEmpty())
            f.setFamily(installedFamily(row.font.family));
        if (row.font.points > 0)
            f.setPointSizeF(row.font.points);
        f.setBold(row.font.bold);
        w->setFont(f);
    }
    w->setVisible(row.visible);
}

// What a screen reader is told: the role, and the name and description
// where the row gives them (a tool-tip describes the rest).
void applyAccess(QWidget *w, const design::Control &row, int index)
{
    tk::setAccess(w, design::accessOf(row));
    if (!row.accName.isEmpty())
        w->setAccessibleName(QString(row.accName).replace(QStringLiteral("%1"), QString::number(index)));
    if (!row.accDescription.isEmpty())
        w->setAccessibleDescription(row.accDescription);
    if (!row.accParts.isEmpty())
        tk::setAccessibleParts(w, row.accParts);
    // A box that scrolls has scroll bars of Qt's making; they scroll it.
    if (auto *area = qobject_cast<QAbstractScrollArea *>(w)) {
        for (QScrollBar *bar : {area->verticalScrollBar(), area->horizontalScrollBar()})
            bar->setAccessibleName(QStringLiteral("Прокрутка: ") + w->accessibleName());
    }
}

QWidget *createWidget(const design::Control &row, QWidget *parent)
{
    switch (row.kind) {
    case Kind::CheckBox:
    case Kind::CheckButton: {
        auto *c = new tk::CheckBox(parent);
        c->setText(row.caption);
        c->setGraphical(row.kind == Kind::CheckButton);
        return c;
    }
    case Kind::Button:
        return new QPushButton(row.caption, parent);
    case Kind::TextBox:
    case Kind::LinkText: {
        auto *t = new tk::TextBox(parent);
        t->setText(row.caption);
        if (row.maxLength > 0)
            t->setMaxLength(row.maxLength);
        t->setReadOnly(row.readOnly);
        if (row.kind == Kind::LinkText)
            t->setLinkStyle(design::kFormBack, design::kLinkFore);
        return t;
    }
    case Kind::LogBox:
        return new tk::LogBox(parent);
    case Kind::Label: {
        auto *l = new tk::Label(parent);
        l->setText(row.caption);
        return l;
    }
    case Kind::ComboBox: {
        auto *c = new tk::ComboBox(parent);
        QObject::connect(c, &tk::ComboBox::Chosen, c, [c] { tk::announce(c, c->Text()); });
        return c;
    }
    case Kind::HScrollBar: {
        auto *s = new tk::HScrollBar(parent);
        s->setRange(row.min, row.max);
        s->setValue(row.value);
        return s;
    }
    case Kind::Frame: {
        auto *f = new tk::Frame(parent);
        f->setTitle(row.caption);
        return f;
    }
    case Kind::PictureBox:
        return new QWidget(parent);
    case Kind::Shape:
        return new tk::Shape(tk::Shape::Form::Rectangle, parent);
    case Kind::RoundedShape:
        return new tk::Shape(tk::Shape::Form::RoundedRectangle, parent);
    case Kind::Circle:
        return new tk::Shape(tk::Shape::Form::Circle, parent);
    case Kind::Image:
        return new tk::PictureLabel(row.picture, parent);
    case Kind::Timer:
    case Kind::Socket:
        break;
    }
    return nullptr;
}

} // namespace

Form::Form(QWidget *window, const std::vector<design::Control> &rows) : m_window(window), m_rows(rows)
{
    // The design's fonts, by their names; where they are missing the closest
    // common faces stand in.
    m_window->setFont(QFont(installedFamily(QStringLiteral("MS Sans Serif")), 8));
    tk::installAccessibility();
    tk::setAccess(m_window, tk::Access::Window);

    if (const QScreen *screen = QGuiApplication::primaryScreen(); screen && screen->logicalDotsPerInchX() > 0)
        m_twipsPerPixel = 1440.0 / screen->logicalDotsPerInchX();

    std::vector<QWidget *> built;
    for (const design::Control &row : m_rows)
        if (auto *w = qobject_cast<QWidget *>(create(row, row.index)))
            built.push_back(w);
    // The first row of the design lies on top.
    for (auto it = built.rbegin(); it != built.rend(); ++it)
        (*it)->raise();
}

QObject *Form::create(const design::Control &row, int index)
{
    QObject *control = nullptr;
    if (row.kind == Kind::Timer) {
        control = new tk::Timer(m_window);
    } else if (row.kind == Kind::Socket) {
        return nullptr; // the wire's: the part that owns the row makes it (adopt)
    } else {
        QWidget *parent = row.parent.isEmpty() ? m_window : get<QWidget>(row.parent);
        Q_ASSERT(parent); // containers come before their contents in the design
        QWidget *w = createWidget(row, parent);
        w->setGeometry(toPixels(row.twips));
        applyLook(w, row);
        applyAccess(w, row, index);
        control = w;
    }
    const QString objectName = design::objectName(row.name, index);
    control->setObjectName(objectName);
    m_controls.insert(objectName, control);
    return control;
}

void Form::adopt(QObject *control, const QString &name)
{
    const auto row = std::find_if(m_rows.begin(), m_rows.end(), [&](const design::Control &r) { return r.name == name; });
    if (row == m_rows.end() || row->kind != Kind::Socket)
        fail(QString::fromLatin1(m_window->metaObject()->className()) + QStringLiteral(": no socket row ") + name);
    control->setObjectName(name);
    m_controls.insert(name, control);
}

QObject *Form::find(const QString &name, int index) const
{
    return m_controls.value(design::objectName(name, index));
}

QObject *Form::loadElement(const QString &name, int index)
{
    if (QObject *existing = find(name, index))
        return existing;
    const design::Control *designed = nullptr;
    for (const design::Control &row : m_rows)
        if (row.name == name && row.index >= 0 && (!designed || row.index < designed->index))
            designed = &row;
    return designed ? create(*designed, index) : nullptr;
}

QString Form::mismatch(const QString &name, int index, const QMetaObject &type) const
{
    const QObject *control = find(name, index);
    const QString form = QString::fromLatin1(m_window->metaObject()->className());
    const QString named = design::objectName(name, index);
    if (!control)
        return form + QStringLiteral(": no control ") + named;
    if (!type.cast(control))
        return QStringLiteral("%1: control %2 is a %3, not a %4")
            .arg(form, named, QLatin1String(control->metaObject()->className()), QLatin1String(type.className()));
    return {};
}

void Form::fail(const QString &why)
{
    qFatal("%s", qUtf8Printable(why));
}

int Form::toPixels(int twips) const
{
    return qRound(twips / m_twipsPerPixel);
}

int Form::toTwips(int pixels) const
{
    return qRound(pixels * m_twipsPerPixel);
}

QRect Form::toPixels(const QRect &twips) const
{
    return {toPixels(twips.x()), toPixels(twips.y()), toPixels(twips.width()), toPixels(twips.height())};
}

QRect Form::twipsOf(const QWidget *w) const
{
    const QRect g = w->geometry();
    return {toTwips(g.x()), toTwips(g.y()), toTwips(g.width()), toTwips(g.height())};
}

} // namespace tk
