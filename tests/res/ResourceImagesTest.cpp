#include "framework/ResourceImages.h"
#include "res/AppIcon.h"
#include "res/BoostGuide.h"
#include "res/DrawnImageFiles.h"
#include "res/Logo.h"
#include "res/ResourceIds.h"
#include "res/ResourceImagesSetup.h"

#include <QImage>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

// Counts the text lines between columns x0 and x1: runs of pixel rows with some ink (any clearly grey
// pixel, as glyphs are anti-aliased). Rows inked all across are rules and end a line.
int textLines(const QImage& image, int x0, int x1)
{
    int lines = 0;
    bool inLine = false;
    for (int y = 0; y < image.height(); ++y) {
        int ink = 0;
        for (int x = x0; x < x1; ++x)
            ink += qGray(image.pixel(x, y)) < 200 ? 1 : 0;
        const bool text = ink > 0 && ink < x1 - x0;
        lines += text && !inLine ? 1 : 0;
        inLine = text;
    }
    return lines;
}

QImage pixels(const QPixmap& pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

TEST(ResourceImages, WhatTheProgramLoadsAndInstallsIsWhatTheDrawingCodeDraws)
{
    const auto loadedBitmap = [](int id, bool simulatedBoard) {
        registerResourceImages(simulatedBoard);
        return loadBitmap(id);
    };
    const auto drawnFile = [](const QString& file) { return QStringLiteral(DRAWN_IMAGES "/") + file; };
    std::vector<std::tuple<const char*, QPixmap, QPixmap>> cases {
        { "logo", loadedBitmap(IDB_LOGO, false), paintLogo(false) },
        { "logo with the simulated-board tag", loadedBitmap(IDB_LOGO, true), paintLogo(true) },
        { "boost-compensation guide", loadedBitmap(IDB_BOOST_GUIDE, true), paintBoostGuide() },
    };
    for (int size : windowIconSizes)
        cases.emplace_back("window icon", loadIcon(IDR_MAINFRAME).pixmap(size), paintAppIcon(size));
    for (int size : { 16, 24, 32, 48, 64, 128 })
        cases.emplace_back("theme icon", QPixmap(drawnFile(appIconFile(size))), paintAppIcon(size));
    for (const auto& [what, loaded, drawn] : cases)
        EXPECT_EQ(pixels(loaded), pixels(drawn)) << what << " " << drawn.width();
    EXPECT_NE(pixels(std::get<1>(cases[0])), pixels(std::get<1>(cases[1]))) << "the tag is missing";

    // The scalable icon: a rounded square, transparent in the corners.
    const QImage svg = QIcon(drawnFile(appIconSvgFile)).pixmap(64).toImage();
    EXPECT_EQ(qAlpha(svg.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(svg.pixel(32, 32)), 255);

    const QImage guide = paintBoostGuide().toImage();
    // Frequency: heading, then each frequency once for its block of three rows.
    EXPECT_EQ(textLines(guide, 4, 60), 3);
    // Inductor: heading and six values.
    EXPECT_EQ(textLines(guide, 80, 130), 7);
    // Option: the two-line heading and six values.
    EXPECT_EQ(textLines(guide, 150, 290), 8);
}
