// Typed handles: a control is taken by name and type once, when the form is
// built; a name or type that does not match the rows is caught there, with
// the control's name, and stops the program (Form::bind fails with this
// message).

#include "toolkit/controls/check_box.h"
#include "toolkit/form/design_rows.h"
#include "toolkit/form/form.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/text_box.h"

#include <QTest>

namespace {

using K = design::Kind;

const std::vector<design::Control> &rows()
{
    static const std::vector<design::Control> rows = [] {
        design::Rows b;
        b.add(K::CheckButton, "cmdExit", design::kWindow, {0, 0, 1500, 345}, "Выйти");
        b.add(K::Frame, "framTab", 1, design::kWindow, {0, 400, 3000, 2000});
        b.add(K::Label, "lblBudTime", 1, "framTab(1)", {0, 0, 1260, 390}, "?:??");
        b.add(K::Label, "lblBudTime", 2, "framTab(1)", {0, 435, 1260, 390}, "?:??");
        b.add(K::TextBox, "txtBudTime", 1, "framTab(1)", {0, 0, 975, 390});
        b.add(K::Timer, "tmr", 0, design::kWindow, {});
        return b.take();
    }();
    return rows;
}

} // namespace

Q_DECLARE_METATYPE(const QMetaObject *)

class TestFormHandles : public QObject {
    Q_OBJECT
private slots:
    void mismatch_data();
    void mismatch();
    void arrays();
};

void TestFormHandles::mismatch_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<const QMetaObject *>("type");
    QTest::addColumn<QString>("failure"); // empty: the handle is taken

    const QMetaObject *box = &tk::CheckBox::staticMetaObject, *label = &tk::Label::staticMetaObject;
    const QMetaObject *text = &tk::TextBox::staticMetaObject, *widget = &QWidget::staticMetaObject;
    QTest::newRow("as designed") << "cmdExit" << -1 << box << "";
    QTest::newRow("as a base class") << "cmdExit" << -1 << widget << "";
    QTest::newRow("element") << "lblBudTime" << 2 << label << "";
    QTest::newRow("misspelt") << "cmdExti" << -1 << box << "QWidget: no control cmdExti";
    QTest::newRow("another type") << "cmdExit" << -1 << label
                                  << "QWidget: control cmdExit is a tk::CheckBox, not a tk::Label";
    QTest::newRow("element beyond the array") << "lblBudTime" << 3 << label << "QWidget: no control lblBudTime(3)";
    QTest::newRow("array without index") << "lblBudTime" << -1 << label << "QWidget: no control lblBudTime";
    QTest::newRow("index of no array") << "cmdExit" << 1 << box << "QWidget: no control cmdExit(1)";
    QTest::newRow("element not loaded yet") << "txtBudTime" << 2 << text << "QWidget: no control txtBudTime(2)";
    QTest::newRow("no widget") << "tmr" << 0 << widget << "QWidget: control tmr(0) is a tk::Timer, not a QWidget";
}

void TestFormHandles::mismatch()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(const QMetaObject *, type);
    QFETCH(QString, failure);
    QWidget window;
    const tk::Form form(&window, rows());
    QCOMPARE(form.mismatch(name, index, *type), failure);
}

// Elements are found by the index the design gives them; one outside the
// array, or one not added yet, is no handle at all.
void TestFormHandles::arrays()
{
    QWidget window;
    tk::Form form(&window, rows());
    tk::ControlArray<tk::Label, 1, 2> times;
    form.bind(times, QStringLiteral("lblBudTime"));
    QCOMPARE(times(2), form.find(QStringLiteral("lblBudTime"), 2));
    QVERIFY(times(1) && times(1) != times(2));
    QVERIFY(!times(0) && !times(3));

    tk::ControlArray<tk::TextBox, 1, 2> editors;
    form.bind(editors, QStringLiteral("txtBudTime"), 1);
    QVERIFY(editors(1) && !editors(2));
    editors.set(2, form.load<tk::TextBox>(QStringLiteral("txtBudTime"), 2));
    QCOMPARE(editors(2)->objectName(), QStringLiteral("txtBudTime(2)"));
    QCOMPARE(editors(2)->parentWidget(), form.find(QStringLiteral("framTab"), 1));
}

QTEST_MAIN(TestFormHandles)
#include "tst_form_handles.moc"
