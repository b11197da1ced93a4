#include "framework/ResourceImages.h"
#include "res/Logo.h"
#include "res/ResourceIds.h"
#include "res/ResourceImagesSetup.h"

#include <QImage>

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

} // namespace

TEST(ResourceImages, IconInEverySizeLogoWithSimulatedMarkOnlyOnRequestAndTheSixRowGuide)
{
    registerResourceImages();
    const QIcon icon = loadIcon(IDR_MAINFRAME);
    EXPECT_EQ(icon.availableSizes(), (QList<QSize> { { 16, 16 }, { 24, 24 }, { 32, 32 }, { 48, 48 }, { 64, 64 } }));
    for (const QSize size : icon.availableSizes()) {
        const QImage image = icon.pixmap(size).toImage();
        // Rounded square: transparent corners, opaque body.
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size.width();
        EXPECT_EQ(qAlpha(image.pixel(size.width() / 2, size.height() / 2)), 255) << size.width();
    }

    const QImage plainLogo = loadBitmap(IDB_LOGO).toImage();
    registerResourceImages(true);
    EXPECT_EQ(plainLogo, paintLogo(false).toImage());
    EXPECT_EQ(plainLogo.size(), QSize(240, 84));
    EXPECT_EQ(loadBitmap(IDB_LOGO).size(), QSize(240, 84));
    EXPECT_NE(loadBitmap(IDB_LOGO).toImage(), plainLogo);

    const QImage guide = loadBitmap(IDB_BOOST_GUIDE).toImage();
    ASSERT_EQ(guide.size(), QSize(300, 82));
    // Frequency: heading, then each frequency once for its block of three rows.
    EXPECT_EQ(textLines(guide, 4, 60), 3);
    // Inductor: heading and six values.
    EXPECT_EQ(textLines(guide, 80, 130), 7);
    // Option: the two-line heading and six values.
    EXPECT_EQ(textLines(guide, 150, 290), 8);
}
