#pragma once
// The tab strip: three captions lblTab(i) over rounded outlines shpTab(i),
// each selecting its page framTab(i) when any mouse button is pressed on it.

#include "app/frm_main_ui.h"
#include "common/form_state.h"

#include <QObject>

namespace app {

class TabStrip : public QObject {
    Q_OBJECT
public:
    static constexpr int kTabs = MainUi::kTabs;
    static constexpr quint32 kSelectedFore = 0xC03030;
    static constexpr quint32 kUnselectedFore = 0xB08040;
    static constexpr quint32 kSelectedBack = 0xE8A568;
    static constexpr quint32 kUnselectedBack = 0xF8B578;

    TabStrip(const MainUi &ui, FormState &state);

    // Index outside 0..2 (a hand-edited FrameSelect) selects no tab at all.
    void lblTab_MouseDown(qint16 index);

signals:
    void Selected(qint16 index); // after every selection, by mouse, key or start-up

private:
    const MainUi &m_ui;
    FormState &m_state;
};

} // namespace app
