#include "app/frm_main.h"

#include "alarms/alarms_page.h"
#include "face/face_page.h"
#include "link/link.h"
#include "settings/ini_class.h"
#include "settings/server_entries.h"
#include "settings/profile_file.h"
#include "settings/read_cache.h"
#include "settings/settings_keys.h"
#include "settings/settings_location.h"
#include "app/keyboard.h"
#include "app/server_list.h"
#include "app/server_search.h"
#include "app/tab_strip.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/colours.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/controls/label.h"
#include "toolkit/pictures.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

namespace app {

frmMain::frmMain(const QString &exePath, QWidget *parent)
    : QWidget(parent),
      m_exePath(exePath.isEmpty() ? QCoreApplication::applicationFilePath() : exePath),
      m_fileBesideExe(!exePath.isEmpty()),
      m_form(this, MainUi::rows()),
      m_ui(m_form)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(MainUi::kCaption));
    tk::setBackColor(this, design::kFormBack);
    resize(m_form.toPixels(MainUi::kDesignWidth), m_form.toPixels(MainUi::kDesignHeight));

    m_link = std::make_unique<Link>(m_form, m_state, static_cast<proto::FeatureReplies &>(*this));
    m_tabs = std::make_unique<TabStrip>(m_ui, m_state);
    m_servers = std::make_unique<ServerList>(m_ui, m_state, *m_link);
    m_search = std::make_unique<ServerSearch>(*m_servers, m_link->console(), m_state.sCfgFile);
    m_alarms = std::make_unique<alarms::AlarmsPage>(m_form, m_state, *m_link, m_ui.cmdExit);
    m_face = std::make_unique<face::FacePage>(m_form, m_state, *m_link);
    m_keys = std::make_unique<Keyboard>(this, m_state, *m_tabs, *m_alarms,
                                        Keyboard::Controls{m_ui, m_face->ui(), m_link->ui()});

    connect(m_ui.cmdExit, &tk::CheckBox::Click, this, &frmMain::cmdExit_Click);
}

frmMain::~frmMain() = default;

QString frmMain::readSetting(const QString &key, const QString &def) const
{
    return oIni->ReadINIKey(settings::kSectionGeneral, key, m_state.sCfgFile, def);
}

std::optional<qint16> frmMain::readIntSetting(const QString &key, const QString &def) const
{
    return settings::readIntSetting(*oIni, m_state.sCfgFile, key, def);
}

void frmMain::Form_Load()
{
    oIni = std::make_unique<INI_Class>();
    setWindowIcon(pictures::clockIcon());

    const QFileInfo exe(m_exePath);
    m_state.sAppPath = exe.absolutePath();
    if (!m_state.sAppPath.endsWith(u'/'))
        m_state.sAppPath += u'/';
    // The rule without an install folder is the plain "beside the executable".
    m_state.sCfgFile = m_fileBesideExe ? settings::settingsFilePath(m_exePath, {}, {})
                                       : settings::settingsFilePath(m_exePath);
    // Start-up reads a dozen keys: the file is read once for all of them.
    const profile::ReadCache readOnce(m_state.sCfgFile);

    // Stack the pages onto the first one, behind everything else.
    QWidget *page0 = m_ui.framTab(0);
    for (int i = 1; i < TabStrip::kTabs; ++i) {
        QWidget *page = m_ui.framTab(i);
        page->setGeometry(page0->geometry());
        page->lower();
    }

    m_tabs->lblTab_MouseDown(
        readIntSetting(settings::kKeyFrameSelect, settings::kDefaultFrameSelect).value_or(1));

    // The window shows the pages and "Выйти"; the debug strip lies beyond.
    const QSize client(page0->geometry().right() + 1, m_ui.cmdExit->geometry().bottom() + 1);
    resize(client);
    setMinimumSize(client);

    m_alarms->timeEditor().CreateEditors();
    m_keys->Prepare();
    m_servers->Load(*oIni, m_state.sCfgFile);

    m_state.bLockEvents = true;
    // A stored number that names no entry selects nothing.
    const auto selected = readIntSetting(settings::kKeySelectIPNum, settings::kDefaultSelectIPNum);
    m_ui.cmbServer->setListIndex(selected ? *selected - 1 : -1);
    // Only the check box's own values are taken; anything else is the default, on.
    const auto restoreSwitch = [this](tk::CheckBox *box, QLatin1String key, QLatin1String def) {
        const qint16 value = readIntSetting(key, def).value_or(1);
        box->setValue(value >= 0 && value <= 2 ? value : 1);
    };
    restoreSwitch(m_link->ui().chkAutoping, settings::kKeyAutoPing, settings::kDefaultAutoPing);
    restoreSwitch(m_alarms->ui().chkAutoActiveSet, settings::kKeyAutoActiveSet, settings::kDefaultAutoActiveSet);
    m_state.bLockEvents = false;

    m_face->ui().lblSkin->clear();
    m_servers->txtIp_Change();
    m_link->PrepareSocket();
    m_link->PrepareTimers();
    m_link->chkAutoping_Click();
}

void frmMain::Form_Unload()
{
    if (m_unloaded || !oIni)
        return;
    m_unloaded = true;
    if (profile::tooLargeToRewrite(m_state.sCfgFile)) {
        // The one failure to save that the user can mend: said once, not
        // four times, and not in silence.
        QTextStream(stderr) << QStringLiteral("dalvimo: настройки не сохранены: файл «%1» больше %2 МБ, "
                                              "программа его не переписывает\n")
                                   .arg(m_state.sCfgFile)
                                   .arg(profile::kMaxFileSize / (1024 * 1024));
    } else {
        settings::makeSettingsFolder(m_state.sCfgFile);
        const auto write = [this](const QString &key, int value) {
            oIni->WriteInIKey(settings::kSectionGeneral, key, QString::number(value), m_state.sCfgFile);
        };
        write(settings::kKeySelectIPNum, m_ui.cmbServer->ListIndex() + 1);
        write(settings::kKeyAutoPing, m_link->ui().chkAutoping->Value());
        write(settings::kKeyAutoActiveSet, m_alarms->ui().chkAutoActiveSet->Value());
        write(settings::kKeyFrameSelect, m_state.iFrameSelect);
    }
    // Nothing more is handled: the timers stop with the socket; queued reads
    // are dropped unsent.
    m_link->Close();
    oIni.reset();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmMain::cmdExit_Click()
{
    if (m_ui.cmdExit->takePress())
        close();
}

void frmMain::ApplySkinReply(const QString &payload) { m_face->ApplySkinReply(payload); }
void frmMain::ApplyAlarmReply(qint16 index, const QString &alarmText) { m_alarms->ApplyAlarmReply(index, alarmText); }
void frmMain::ApplyTransparencyReply(const QString &payload) { m_face->levels().ApplyTransparencyReply(payload); }
void frmMain::ApplyBrightnessReply(const QString &payload) { m_face->levels().ApplyBrightnessReply(payload); }
void frmMain::ApplyFaceFlagsReply(const QString &payload) { m_face->ApplyFaceFlagsReply(payload); }

} // namespace app
