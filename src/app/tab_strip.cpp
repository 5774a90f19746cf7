#include "app/tab_strip.h"

#include "toolkit/accessibility.h"
#include "toolkit/form.h"
#include "toolkit/colours.h"
#include "toolkit/label.h"
#include "toolkit/shape.h"

TabStrip::TabStrip(Form &form, FormState &state) : m_form(form), m_state(state)
{
    for (int i = 0; i < kTabs; ++i)
        connect(form.get<tk::Label>("lblTab", i), &tk::Label::MouseDown, this,
                [this, i](Qt::MouseButton) { lblTab_MouseDown(qint16(i)); });
}

void TabStrip::lblTab_MouseDown(qint16 index)
{
    m_state.iFrameSelect = index;
    for (int i = 0; i < kTabs; ++i) {
        const bool selected = i == index;
        auto *caption = m_form.get<tk::Label>("lblTab", i);
        tk::setForeColor(caption, selected ? kSelectedFore : kUnselectedFore);
        QFont f = caption->font();
        f.setBold(selected);
        caption->setFont(f);
        auto *outline = m_form.get<tk::Shape>("shpTab", i);
        tk::setBackColor(outline, selected ? kSelectedBack : kUnselectedBack);
        outline->setBorderWidth(selected ? 2 : 1);
        m_form.get<QWidget>("framTab", i)->setVisible(selected);
        tk::setTabSelected(caption, selected);
    }
    emit Selected(index);
}
