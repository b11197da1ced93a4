// Bitmap 148: the table that suggests a boost compensation option for each switching frequency and inductor.
#pragma once

#include <QPixmap>

inline constexpr int boostGuideWidth = 300;
inline constexpr int boostGuideHeight = 82;

QPixmap paintBoostGuide();
