#include "toolkit/controls/picture_label.h"

#include <QEvent>
#include <QImage>

#include <map>
#include <utility>

namespace tk {

PictureLabel::PictureLabel(Draw draw, QWidget *parent) : QLabel(parent), m_draw(draw)
{
    render();
}

// Qt tells each widget of a window that moved to another screen.
bool PictureLabel::event(QEvent *e)
{
    if (e->type() == QEvent::ScreenChangeInternal || e->type() == QEvent::Show)
        render();
    return QLabel::event(e);
}

void PictureLabel::render()
{
    const qreal ratio = devicePixelRatioF();
    if (!m_draw || ratio == m_ratio)
        return;
    m_ratio = ratio;
    // However many windows are built; kept as images, which outlive the
    // application object safely.
    static std::map<std::pair<Draw, qreal>, QImage> drawn;
    auto it = drawn.find({m_draw, ratio});
    if (it == drawn.end())
        it = drawn.emplace(std::pair{m_draw, ratio}, m_draw(ratio).toImage()).first;
    setPixmap(QPixmap::fromImage(it->second));
}

} // namespace tk
