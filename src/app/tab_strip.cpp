#include "app/tab_strip.h"

#include "toolkit/accessibility/accessibility.h"
#include "toolkit/controls/colours.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/shape.h"

namespace app {

TabStrip::TabStrip(const MainUi &ui, FormState &state) : m_ui(ui), m_state(state)
{
    for (int i = 0; i < kTabs; ++i)
        connect(m_ui.lblTab(i), &tk::Label::MouseDown, this,
                [this, i](Qt::MouseButton) { lblTab_MouseDown(qint16(i)); });
}

void TabStrip::lblTab_MouseDown(qint16 index)
{
    m_state.iFrameSelect = index;
    for (int i = 0; i < kTabs; ++i) {
        const bool selected = i == index;
        tk::Label *caption = m_ui.lblTab(i);
        tk::setForeColor(caption, selected ? kSelectedFore : kUnselectedFore);
        QFont f = caption->font();
        f.setBold(selected);
        caption->setFont(f);
        tk::Shape *outline = m_ui.shpTab(i);
        tk::setBackColor(outline, selected ? kSelectedBack : kUnselectedBack);
        outline->setBorderWidth(selected ? 2 : 1);
        m_ui.framTab(i)->setVisible(selected);
        tk::setTabSelected(caption, selected);
    }
    emit Selected(index);
}

} // namespace app
