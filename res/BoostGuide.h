// Bitmap 148: the table that suggests a boost compensation option for each switching frequency and inductor.
#pragma once

#include <QPixmap>

inline constexpr int boostGuideWidth = 300;
inline constexpr int boostGuideHeight = 82;

// Drawn for a screen of `devicePixelRatio` device pixels to the window's one (see blankPicture).
QPixmap paintBoostGuide(qreal devicePixelRatio = 1);
