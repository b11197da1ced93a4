#include "StylePicture.h"

#include <QPainter>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>

namespace {

QPixmap drawPicture(QWidget& control, QSize size, qreal pixelRatio, const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(size * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    const QWidget& dialog = *control.window();
    pixmap.fill(dialog.palette().color(dialog.backgroundRole()));
    // The pen, background and font a painter on the control itself starts with.
    QPainter painter(&pixmap);
    painter.setPen(QPen(control.palette().brush(control.foregroundRole()), 1));
    painter.setBackground(control.palette().brush(control.backgroundRole()));
    painter.setFont(control.font());
    draw(painter);
    return pixmap;
}

} // namespace

void StylePicture::paint(QWidget& control, const QStyleOption& option, const QString& text, int features,
    const std::function<void(QPainter&)>& draw)
{
    Key key { option.state, features, option.palette.currentColorGroup(), option.palette.cacheKey(), control.font(),
        text, control.size(), control.devicePixelRatioF() };
    auto found = std::ranges::find(m_pictures, key, &Picture::key);
    if (found == m_pictures.end()) {
        if (m_pictures.size() == kept)
            m_pictures.pop_back();
        m_pictures.push_back({ key, drawPicture(control, key.size, key.pixelRatio, draw) });
        found = std::prev(m_pictures.end());
    }
    std::rotate(m_pictures.begin(), found, std::next(found));
    QPainter(&control).drawPixmap(0, 0, m_pictures.front().pixmap);
}
