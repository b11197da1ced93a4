// The canvas a picture is drawn on, sharp on a screen of any device pixel ratio.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>

// `size` in the window's pixels, filled with `fill`; the pixmap holds `size` times `devicePixelRatio` device
// pixels and carries the ratio, so a painter on it draws in the window's pixels.
QPixmap blankPicture(QSize size, qreal devicePixelRatio, const QColor& fill);
