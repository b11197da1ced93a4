// Icon 132, the application icon: a chip with the driver's six LED outputs.
#pragma once

#include <QIcon>
#include <QPixmap>

#include <array>

// Edge lengths in pixels of the icon's square images.
inline constexpr std::array appIconSizes { 16, 24, 32, 48, 64 };

QPixmap paintAppIcon(int size);
// All sizes of appIconSizes in one icon.
QIcon appIcon();
