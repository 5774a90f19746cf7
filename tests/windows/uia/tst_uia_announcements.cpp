// What NVDA and Narrator are sent from the window on Windows: each
// announcement as a UI Automation notification from the window's visible
// 1×1 child, and on a change of focus the names and values Orca reads on
// Linux. The window runs on the windows platform beside the simulator on
// 127.0.0.1; the stand-in for uiautomationcore.dll (uiautomationcore.cpp)
// records what a screen reader would receive.

#include "sim_fixture.h"
#include "user_window.h"

#include "toolkit/accessibility/announcer.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/text_box.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <algorithm>

#include <windows.h>

namespace {

void setVariable(const wchar_t *name, const QString &value)
{
    SetEnvironmentVariableW(name, reinterpret_cast<const wchar_t *>(value.utf16()));
}

// What the stand-in records: the focus events, then the notifications, each
// in order (they interleave as the quiet moments fall); each notification's
// fixed part (kind, processing, activity, the sender's window) checked and
// left out.
class Record {
public:
    Record() { setVariable(L"DALVIMO_UIA_LOG", QDir::toNativeSeparators(m_path)); }
    void clear() { QFile::resize(m_path, 0); }
    QStringList heard(WId window) const
    {
        const QString tail = QStringLiteral(" | Other | All | Dalvimo.Announcement | visible 1x1 child of %1, "
                                            "answering WM_GETOBJECT").arg(window);
        QFile f(m_path);
        QStringList out;
        if (f.open(QIODevice::ReadOnly))
            out = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
        for (QString &line : out)
            if (line.startsWith(u"said \"") && line.endsWith(tail))
                line = QStringLiteral("said ") + line.mid(6, line.size() - tail.size() - 7);
        std::stable_partition(out.begin(), out.end(), [](const QString &l) { return l.startsWith(u"focus"); });
        return out;
    }

private:
    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(QStringLiteral("uia.txt"));
};

} // namespace

class TestUiaAnnouncements : public QObject {
    Q_OBJECT
private slots:
    void heard_data();
    void heard();
};

void TestUiaAnnouncements::heard_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("heard");

    const QString error = QStringLiteral("until lblErr Err=1 (Неизвестная команда)");
    const QString saidError = QStringLiteral("said Err=1 (Неизвестная команда)");
    const QString timeFocused = QStringLiteral("focus \"Время будильника 1, 7:05\" Text "
                                               "description \"Enter или F2 — изменить время\"");
    const QString editorFocused = QStringLiteral("focus \"Время будильника 1\" Edit value \"7:05\"");
    // The start-up's "0k!" was just said: the same result so soon is no
    // news, unless something else came between.
    QTest::newRow("a save's result") << QStringList{"send xyz", error, "click cmdBudSet(1)"}
                                     << QStringList{"focus \"Сохранить будильник 1\" Button", saidError, "said 0k!"};
    QTest::newRow("an error reply") << QStringList{"send xyz"} << QStringList{saidError};
    QTest::newRow("no answer, then an answer")
        << QStringList{"silence", "send ping"} << QStringList{"said Нет ответа", "said Quorvan отвечает"};
    QTest::newRow("a level after Down")
        << QStringList{"focus cmbTrans", "key cmbTrans Down"}
        << QStringList{"focus \"Уровень прозрачности\" ComboBox value \"80\" "
                       "description \"Установленный на часах уровень прозрачности/затемнения\"",
                       "said 90"};
    QTest::newRow("an alarm time focused") << QStringList{"focus lblBudTime(1)"} << QStringList{timeFocused};
    QTest::newRow("a time stored") << QStringList{"open", "type 9:30"}
                                   << QStringList{editorFocused, "focus \"Сохранить будильник 1\" Button",
                                                  "said Время будильника 1: 9:30"};
    QTest::newRow("a time rejected") << QStringList{"open", "type 99"}
                                     << QStringList{editorFocused,
                                                    "said Неверное время 99: нужно ч:мм, от 0:00 до 23:59"};
    QTest::newRow("the page after Ctrl+Tab")
        << QStringList{"focus txtIp", "key txtIp Ctrl+Tab"}
        << QStringList{"focus \"Адрес\" Edit value \"127.0.0.1\" description \"Адрес\"", "said Надписи"};
    QTest::newRow("a tab chosen from inside a page")
        << QStringList{"focus lblBudTime(1)", "key lblBudTime(1) Ctrl+1"}
        << QStringList{timeFocused, "focus \"Скины\" TabItem description \"выбрана, 1 из 3\""};
    QTest::newRow("a skin's name") << QStringList{"key scrlSkin Right"} << QStringList{"said Электроника, 2 из 7"};
    QTest::newRow("no reader listening") << QStringList{"no listener", "send xyz", error} << QStringList{};
    QTest::newRow("the sender goes with the window")
        << QStringList{"send xyz", error, "close"} << QStringList{saidError, "disconnected the sender"};
}

void TestUiaAnnouncements::heard()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, heard);
    Record record;
    setVariable(L"DALVIMO_UIA_LISTENING", QStringLiteral("1"));
    SimFixture server;
    QVERIFY(server.started);
    UserWindow c(UserWindow::onPage(1));
    QVERIFY2(c.isActive(), "no window: the prefix needs a screen (tests/windows/run.sh)");
    c.get<tk::TextBox>("txtPort")->setText(QString::number(server.port()));
    const WId window = c.window().winId();
    // A reader starts as NVDA does, asking the window for its element.
    SendMessageW(reinterpret_cast<HWND>(window), WM_GETOBJECT, 0, -25); // UiaRootObjectId
    QTest::mouseClick(c.get<tk::CheckBox>("chkAutoping"), Qt::LeftButton); // the start-up fetch
    QTRY_COMPARE(c.get<QLabel>("lblBudTime", 4)->text(), QStringLiteral("22:00"));
    tk::Announcer *announcer = tk::Announcer::of(&c.window());
    announcer->flush();
    record.clear();

    for (const QString &step : steps) {
        const QStringList words = step.split(u' ');
        const QString rest = step.section(u' ', 1);
        if (words[0] == u"click")
            QTest::mouseClick(c.widget(words[1]), Qt::LeftButton);
        else if (words[0] == u"focus")
            c.widget(words[1])->setFocus(Qt::TabFocusReason);
        else if (words[0] == u"key") {
            const QKeyCombination keys = QKeySequence::fromString(words[2])[0];
            QTest::keyClick(c.widget(words[1]), keys.key(), keys.keyboardModifiers());
        } else if (words[0] == u"send")
            c.link().Send(rest);
        else if (words[0] == u"silence") // the no-answer timer's tick
            c.link().tmr_Timer(1);
        else if (step == u"open") // alarm 1's time, as Enter opens it
            emit c.get<tk::Label>("lblBudTime", 1)->Click();
        else if (words[0] == u"type") { // into its editor, and Enter
            c.get<tk::TextBox>("txtBudTime", 1)->setText(rest);
            QTest::keyClick(c.get<QWidget>("txtBudTime", 1), Qt::Key_Return);
        } else if (step == u"no listener")
            setVariable(L"DALVIMO_UIA_LISTENING", QStringLiteral("0"));
        else if (words[0] == u"until")
            QTRY_COMPARE(c.get<QLabel>(words[1])->text(), step.section(u' ', 2));
        else if (step == u"close") {
            announcer->flush();
            c.window().windowHandle()->destroy();
        } else
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
        QCoreApplication::processEvents(); // back in its loop, as between a user's keys
    }
    QTRY_COMPARE(record.heard(window), heard);
    announcer->flush(); // nothing more is held back
    QCOMPARE(record.heard(window), heard);
}

QTEST_MAIN(TestUiaAnnouncements)
#include "tst_uia_announcements.moc"
