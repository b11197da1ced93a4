// Bitmap 148: the table that suggests a boost compensation option for each switching frequency and inductor.
#pragma once

#include <QPixmap>

inline constexpr int boostGuideWidth = 300;
// As tall as the room the layout keeps for it (50 dialog units), so it stays clear of "Manual Control".
inline constexpr int boostGuideHeight = 76;

QPixmap paintBoostGuide();
