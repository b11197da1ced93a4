// Where the pictures drawn at build time lie: below the build's res/ folder, and the raw images also below
// ":/res/" among the program's resources.
#pragma once

#include <QString>

#include <array>

inline constexpr auto logoFile = "images/logo.raw";
inline constexpr auto simulatedBoardLogoFile = "images/logo-simulated.raw";
inline constexpr auto boostGuideFile = "images/boost-guide.raw";
inline constexpr auto appIconSvgFile = "icons/hicolor/scalable/apps/kv3124-eval.svg";

// Edge lengths in pixels of the window icon's embedded square images, those a title bar asks for up to 128
// pixels (AppIconEngine draws any other size).
inline constexpr std::array windowIconSizes { 16, 24, 32, 48, 64, 96, 128 };

inline QString windowIconFile(int size)
{
    return QStringLiteral("images/icon-%1.raw").arg(size);
}

// The icon theme's file for one size.
inline QString appIconFile(int size)
{
    return QStringLiteral("icons/hicolor/%1x%1/apps/kv3124-eval.png").arg(size);
}
