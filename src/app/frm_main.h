#pragma once
// frmMain, the one window of Dalvimo, on top of every other layer.
//
// How data flows: user actions and timer ticks reach the handlers of the
// part that owns the control (app: tabs and server list; link: polling,
// indicator, result line, console; the alarms and face pages). Every command
// goes out through Link::Send as one datagram. Every datagram that comes
// back is read by Link and handed to the proto::ReplyDispatcher (protocol), which
// calls the feature's Apply operation through this window, as
// proto::FeatureReplies; the pages parse payloads into the records, show the
// result and let the next queued read go out. The window-level flags in
// FormState are shared by all of them; bLockEvents silences the handlers
// while the program itself sets controls.
//
// Layers, lowest first: common, settings, protocol, records (no widgets);
// toolkit (the controls, the rows of a design and the form built from
// them); link; the pages; this window. Each part states the rows of its own
// controls and holds typed handles to those it uses (X_ui.h).
//
// Errors, in this layer: nothing thrown; what fails is shown in the result
// line; the command line answers with a message and an exit status
// (app::Request).

#include "app/frm_main_ui.h"
#include "common/form_state.h"
#include "protocol/reply_dispatcher.h"
#include "toolkit/form/form.h"

#include <QWidget>

#include <memory>
#include <optional>

class INI_Class;
class Link;

namespace alarms {
class AlarmsPage;
} // namespace alarms
namespace face {
class FacePage;
} // namespace face

namespace app {

class Keyboard;
class ServerList;
class ServerSearch;
class TabStrip;

class frmMain : public QWidget, private proto::FeatureReplies {
    Q_OBJECT
public:
    // Without exePath the program's own executable and the settings-location
    // rule decide where the settings file lies (beside the executable, or
    // the user's configuration folder for the installed program). A given
    // exePath puts the file beside it, same name, ".cfg": tests pass a path
    // in a temporary folder.
    explicit frmMain(const QString &exePath = {}, QWidget *parent = nullptr);
    ~frmMain() override;

    void Form_Load();   // start-up; call once before the window is shown
    void Form_Unload(); // shut-down; runs once, from any way of closing

    FormState &state() { return m_state; }
    tk::Form &form() { return m_form; }
    Link &link() { return *m_link; }
    alarms::AlarmsPage &alarms() { return *m_alarms; }
    face::FacePage &face() { return *m_face; }
    TabStrip &tabs() { return *m_tabs; }
    ServerList &servers() { return *m_servers; }
    ServerSearch &serverSearch() { return *m_search; }
    Keyboard &keys() { return *m_keys; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void cmdExit_Click();
    QString readSetting(const QString &key, const QString &def) const;
    std::optional<qint16> readIntSetting(const QString &key, const QString &def) const;

    void ApplySkinReply(const QString &payload) override;
    void ApplyAlarmReply(qint16 index, const QString &alarmText) override;
    void ApplyTransparencyReply(const QString &payload) override;
    void ApplyBrightnessReply(const QString &payload) override;
    void ApplyFaceFlagsReply(const QString &payload) override;

    QString m_exePath;
    bool m_fileBesideExe; // an exePath was given
    FormState m_state;
    tk::Form m_form;
    const MainUi m_ui;
    std::unique_ptr<INI_Class> oIni;
    std::unique_ptr<Link> m_link;
    std::unique_ptr<TabStrip> m_tabs;
    std::unique_ptr<ServerList> m_servers;
    std::unique_ptr<ServerSearch> m_search;
    std::unique_ptr<alarms::AlarmsPage> m_alarms;
    std::unique_ptr<face::FacePage> m_face;
    std::unique_ptr<Keyboard> m_keys;
    bool m_unloaded = false;
};

} // namespace app
