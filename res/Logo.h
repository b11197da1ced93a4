// Bitmap 145, the logo at the dialog's top left.
#pragma once

#include <QPixmap>

inline constexpr int logoWidth = 240;
inline constexpr int logoHeight = 84;

// With `simulatedBoard` the logo carries a tag saying that no real board is attached. Drawn for a screen of
// `devicePixelRatio` device pixels to the window's one (see blankPicture).
QPixmap paintLogo(bool simulatedBoard, qreal devicePixelRatio = 1);
