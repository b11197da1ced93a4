#include "framework/ResourceImages.h"
#include "res/AppIcon.h"
#include "res/BoostGuide.h"
#include "res/DrawnImageFiles.h"
#include "res/Logo.h"
#include "res/ResourceIds.h"
#include "res/ResourceImagesSetup.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <gtest/gtest.h>

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

QImage loadedBitmap(int id, bool simulatedBoard)
{
    registerResourceImages(simulatedBoard);
    return pixels(loadBitmap(id));
}

QImage drawnFile(const QString& file)
{
    return QImage(QStringLiteral(DRAWN_IMAGES "/") + file).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage renderedSvg(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QSvgRenderer(QStringLiteral(DRAWN_IMAGES "/") + appIconSvgFile).render(&painter);
    return image;
}

} // namespace

TEST(ResourceImages, WhatTheProgramLoadsIsWhatTheDrawingCodeDraws)
{
    struct Case {
        const char* what;
        QImage loaded;
        QImage drawn;
    };
    std::vector<Case> cases {
        { "logo", loadedBitmap(IDB_LOGO, false), pixels(paintLogo(false)) },
        { "logo with the simulated-board tag", loadedBitmap(IDB_LOGO, true), pixels(paintLogo(true)) },
        { "boost-compensation guide", loadedBitmap(IDB_BOOST_GUIDE, true), pixels(paintBoostGuide()) },
    };
    const QIcon icon = loadIcon(IDR_MAINFRAME);
    for (int size : windowIconSizes)
        cases.push_back({ "window icon", pixels(icon.pixmap(size)), pixels(paintAppIcon(size)) });
    for (int size : { 16, 24, 32, 48, 64, 128 })
        cases.push_back({ "theme icon", drawnFile(appIconFile(size)), pixels(paintAppIcon(size)) });
    for (const Case& c : cases) {
        EXPECT_EQ(c.loaded.size(), c.drawn.size()) << c.what;
        EXPECT_TRUE(c.loaded == c.drawn) << c.what << " " << c.drawn.width();
    }
    EXPECT_EQ(icon.availableSizes().size(), std::ssize(windowIconSizes));
    EXPECT_NE(cases[0].loaded, cases[1].loaded) << "the tag is missing";
}

TEST(ResourceImages, IconsAreRoundedSquaresAndTheGuideHasSixRows)
{
    for (const QImage& image : { drawnFile(appIconFile(16)), drawnFile(appIconFile(128)), renderedSvg(64) }) {
        // Transparent corners, opaque body.
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << image.width();
        EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255) << image.width();
    }

    const QImage guide = paintBoostGuide().toImage();
    ASSERT_EQ(guide.size(), QSize(300, 82));
    // Frequency: heading, then each frequency once for its block of three rows.
    EXPECT_EQ(textLines(guide, 4, 60), 3);
    // Inductor: heading and six values.
    EXPECT_EQ(textLines(guide, 80, 130), 7);
    // Option: the two-line heading and six values.
    EXPECT_EQ(textLines(guide, 150, 290), 8);
}
