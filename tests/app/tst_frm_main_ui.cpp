// frmMain built from its rows: what the rows give each control (captions,
// tips, fonts, plain text), the control arrays, and the shapes as drawn.

#include "app/frm_main_ui.h"
#include "link/link_ui.h"
#include "toolkit/controls/colours.h"
#include "toolkit/form/font_faces.h"
#include "toolkit/form/form.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/text_box.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QTest>

class TestFrmMainUi : public QObject {
    Q_OBJECT
private slots:
    void labelsShowPlainText();
    void shapesPaintOnlyTheirFigure();
    void inventory_data();
    void inventory();
    void controlArrays();
    void fontsNameInstalledFaces_data();
    void fontsNameInstalledFaces();
};

void TestFrmMainUi::labelsShowPlainText()
{
    QWidget window;
    tk::Form form(&window, app::MainUi::rows());
    int labels = 0;
    for (const tk::Label *l : window.findChildren<tk::Label *>()) {
        QVERIFY2(l->textFormat() == Qt::PlainText, qPrintable(l->objectName()));
        ++labels;
    }
    QVERIFY(labels > 10);
}

// Pixels of the window as drawn: a shape paints its figure in its own
// colours and leaves the corners of its rectangle to what lies behind it.
void TestFrmMainUi::shapesPaintOnlyTheirFigure()
{
    QWidget window;
    tk::Form form(&window, app::MainUi::rows());
    tk::setBackColor(&window, design::kFormBack);
    window.resize(form.toPixels(app::MainUi::kDesignWidth), form.toPixels(app::MainUi::kDesignHeight));
    const QImage image = window.grab().toImage();
    const auto pixel = [&window](const QImage &from, QWidget *w, QPoint at) {
        return tk::toBgr(from.pixelColor(w->mapTo(&window, at)));
    };
    const auto cornersShowWhatIsBehind = [&](QWidget *shape) {
        shape->hide();
        const QImage behind = window.grab().toImage();
        shape->show();
        const int right = shape->width() - 1;
        const int bottom = shape->height() - 1;
        for (QPoint corner : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)})
            if (pixel(image, shape, corner) != pixel(behind, shape, corner))
                return false;
        return true;
    };

    auto *indicator = form.get<QWidget>("shpInd");
    QVERIFY(cornersShowWhatIsBehind(indicator));
    QCOMPARE(pixel(image, indicator, indicator->rect().center()), LinkUi::kIndicatorDown);

    for (int i = 1; i < 3; ++i) { // the upper corners; the strip hides the lower ones
        auto *outline = form.get<QWidget>("shpTab", i);
        QCOMPARE(pixel(image, outline, QPoint(outline->width() / 2, 0)), app::MainUi::kTabBorder);
        QCOMPARE(pixel(image, outline, QPoint(0, 0)), tk::backColor(outline->parentWidget()));
        QVERIFY(pixel(image, outline, QPoint(0, 0)) != tk::backColor(outline));
    }
    // The border's left side; the rest of it lies under the pages and the strip.
    auto *border = form.get<QWidget>("shpBorder");
    QCOMPARE(pixel(image, border, QPoint(0, border->height() / 2)), app::MainUi::kTabBorder);
}

void TestFrmMainUi::inventory_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tip");
    QTest::newRow("exit") << "cmdExit" << "Выйти" << "";
    QTest::newRow("tab 1") << "lblTab(1)" << "Будильники" << "";
    QTest::newRow("get 3") << "cmdBudGet(3)" << "Получить 3-ий" << "";
    QTest::newRow("set 4") << "cmdBudSet(4)" << "Сохранить" << "";
    QTest::newRow("time 2") << "lblBudTime(2)" << "?:??" << "";
    QTest::newRow("stop link") << "txtBudStop" << "Заглушить будильник"
                               << "Отключает сигнал будильника, если тот сработал";
    QTest::newRow("port") << "txtPort" << "17777" << "Порт";
    QTest::newRow("address") << "txtIp" << "127.0.0.1" << "Адрес";
    QTest::newRow("debug") << "txtDebug" << "Gsk?" << "";
    QTest::newRow("flag 1") << "chkFace(1)" << "Всегда впереди"
                            << "Режим отображения программы поверх других окон рабочего стола";
    QTest::newRow("skin frame") << "framSkin" << "Выбор скина " << "";
    QTest::newRow("style count") << "lblStyle" << "54/57" << "";
    QTest::newRow("bell") << "imgBell" << "" << "Кликнуть мышью чтобы Заглушить будильник";
}

void TestFrmMainUi::inventory()
{
    QFETCH(QString, objectName);
    QFETCH(QString, caption);
    QFETCH(QString, tip);
    QWidget window;
    tk::Form form(&window, app::MainUi::rows());
    auto *w = window.findChild<QWidget *>(objectName);
    QVERIFY(w);
    QString text;
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        text = b->text();
    else if (auto *l = qobject_cast<QLabel *>(w))
        text = l->text();
    else if (auto *e = qobject_cast<QLineEdit *>(w))
        text = e->text();
    else if (auto *g = qobject_cast<QGroupBox *>(w))
        text = g->title();
    QCOMPARE(text, caption);
    QCOMPARE(w->toolTip(), tip);
}

void TestFrmMainUi::controlArrays()
{
    QWidget window;
    tk::Form form(&window, app::MainUi::rows());
    QCOMPARE(form.twipsPerPixel(), 15.0); // 96 dpi
    for (const char *name : {"lblBudTime", "cmdBudGet", "cmdBudSet", "txtBudRing", "chkBudActive"}) {
        const QString n = QString::fromLatin1(name);
        QVERIFY2(!form.find(n, 0), name); // alarm rows are 1..4
        for (int i = 1; i <= 4; ++i)
            QVERIFY2(form.find(n, i), name);
    }
    QVERIFY(form.find(QStringLiteral("txtBudTime"), 1));
    QVERIFY(!form.find(QStringLiteral("txtBudTime"), 2)); // until start-up adds it
    auto *copy = qobject_cast<tk::TextBox *>(form.load(QStringLiteral("txtBudTime"), 3));
    QVERIFY(copy);
    QCOMPARE(copy->objectName(), QStringLiteral("txtBudTime(3)"));
    QCOMPARE(copy->maxLength(), 5);
    QCOMPARE(tk::backColor(copy), 0x0080C0FFu);
    QCOMPARE(copy->parentWidget(), form.find(QStringLiteral("framTab"), 1));
    QCOMPARE(form.load(QStringLiteral("txtBudTime"), 3), copy); // loading twice makes no second one
    QCOMPARE(form.twipsOf(form.get<QWidget>("picTab")), QRect(45, 270, 3450, 435));
}

void TestFrmMainUi::fontsNameInstalledFaces_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("designFace");
    QTest::newRow("window face") << "cmdExit" << "MS Sans Serif";
    QTest::newRow("tab caption") << "lblTab(0)" << "Arial";
    QTest::newRow("alarm time") << "lblBudTime(1)" << "Arial";
    QTest::newRow("caption of the empty page") << "lblR(1)" << "Times New Roman";
    QTest::newRow("port separator") << "lbl(0)" << "Verdana";
}

// A font naming a missing face costs the font database a fallback search
// per size and weight; the window names the face that would be drawn.
void TestFrmMainUi::fontsNameInstalledFaces()
{
    QFETCH(QString, control);
    QFETCH(QString, designFace);
    QWidget window;
    tk::Form form(&window, app::MainUi::rows());
    const QString family = form.get<QWidget>(control)->font().family();
    if (tk::standInFaces(designFace).isEmpty()) { // Windows: the design's own faces
        QCOMPARE(family, designFace);
        return;
    }
    QVERIFY2(QFontDatabase::families().contains(family), qPrintable(family));
    if (QFontDatabase::families().contains(designFace))
        QCOMPARE(family, designFace);
    else if (designFace != u"MS Sans Serif") // its stand-ins are the window's own choice
        QCOMPARE(family, QFontInfo(QFont(designFace)).family()); // what the fallback search would draw
}

QTEST_MAIN(TestFrmMainUi)
#include "tst_frm_main_ui.moc"
