#include "BlankPicture.h"

QPixmap blankPicture(QSize size, qreal devicePixelRatio, const QColor& fill)
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(fill);
    return pixmap;
}
