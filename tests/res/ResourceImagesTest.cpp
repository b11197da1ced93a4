#include "framework/ResourceImages.h"
#include "framework/CDialog.h"
#include "res/AboutDialogTemplate.h"
#include "res/AppIcon.h"
#include "res/BoostGuide.h"
#include "res/DrawnImageFiles.h"
#include "res/EvalDialogTemplate.h"
#include "res/Logo.h"
#include "res/RawImage.h"
#include "res/ResourceIds.h"
#include "res/ResourceImagesSetup.h"

#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
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

// Empty when the images are alike pixel for pixel at the same ratio; else how they differ.
std::string differences(const QImage& shown, const QImage& drawn)
{
    const auto form = [](const QImage& image) {
        return QStringLiteral("%1 x %2 at %3").arg(image.width()).arg(image.height()).arg(image.devicePixelRatio());
    };
    if (shown.size() != drawn.size() || shown.devicePixelRatio() != drawn.devicePixelRatio())
        return (form(shown) + QStringLiteral(" shown, ") + form(drawn) + QStringLiteral(" drawn")).toStdString();
    int differing = 0;
    QPoint first;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixel(x, y) != drawn.pixel(x, y) && differing++ == 0)
                first = QPoint(x, y);
        }
    }
    if (differing == 0)
        return {};
    return QStringLiteral("%1 pixels differ, the first at %2, %3")
        .arg(differing)
        .arg(first.x())
        .arg(first.y())
        .toStdString();
}

// A picture for a screen of `devicePixelRatio`, as the drawing code's icons are sized in device pixels.
QPixmap atRatio(QPixmap pixmap, qreal devicePixelRatio)
{
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QString drawnFile(const QString& file)
{
    return QStringLiteral(DRAWN_IMAGES "/") + file;
}

QImage drawnAtBuildTime(const QString& file)
{
    QFile raw(drawnFile(file));
    return raw.open(QIODevice::ReadOnly) ? fromRawImage(raw.readAll()) : QImage();
}

struct PictureControl {
    const char* what;
    const DialogTemplate& dialogTemplate;
    int imageId;
    bool simulatedBoard;
    // The file drawn at build time for a ratio, if there is one.
    std::function<QString(qreal devicePixelRatio)> drawnFile;
    std::function<QPixmap(qreal devicePixelRatio)> draw;
};

std::function<QString(qreal)> atRatioOne(const char* file)
{
    return [file](qreal ratio) { return ratio == 1 ? QString::fromLatin1(file) : QString(); };
}

// Every picture control of the window and the About box, and what the drawing code draws for it.
const PictureControl pictureControls[] {
    { "logo", evalDialogTemplate, IDB_LOGO, false, atRatioOne(logoFile),
        [](qreal ratio) { return paintLogo(false, ratio); } },
    { "logo with the simulated-board tag", evalDialogTemplate, IDB_LOGO, true, atRatioOne(simulatedBoardLogoFile),
        [](qreal ratio) { return paintLogo(true, ratio); } },
    { "boost-compensation guide", evalDialogTemplate, IDB_BOOST_GUIDE, false, atRatioOne(boostGuideFile),
        paintBoostGuide },
    { "About box icon", aboutDialogTemplate, IDR_MAINFRAME, false,
        [](qreal ratio) {
            const int size = qRound(32 * ratio);
            return std::ranges::count(windowIconSizes, size) ? windowIconFile(size) : QString();
        },
        [](qreal ratio) { return atRatio(paintAppIcon(qRound(32 * ratio)), ratio); } },
};

// The control's picture as drawn for a screen of `devicePixelRatio` and shown over `background`. Where a drawing
// was made at build time, it is that one: with high-resolution scaling on, Qt draws text unhinted in the whole
// process, so drawing here again would not tell what the program loads.
QImage expected(const PictureControl& control, qreal devicePixelRatio, const QColor& background)
{
    const QString file = control.drawnFile(devicePixelRatio);
    QImage picture = file.isEmpty() ? pixels(control.draw(devicePixelRatio)) : drawnAtBuildTime(file);
    picture.setDevicePixelRatio(1);
    QImage shown(picture.size(), QImage::Format_ARGB32_Premultiplied);
    shown.fill(background);
    QPainter(&shown).drawImage(0, 0, picture);
    shown.setDevicePixelRatio(devicePixelRatio);
    return shown;
}

// What a picture control shows where its window is placed, against what the drawing code draws for a screen of
// `devicePixelRatio`.
std::string shownAgainstDrawn(
    const PictureControl& control, qreal devicePixelRatio, const std::function<void(QWindow&)>& place = {})
{
    registerResourceImages(control.simulatedBoard);
    CDialog dialog(control.dialogTemplate);
    dialog.Create();
    if (place)
        place(*dialog.window()->windowHandle());
    QWidget& picture = *dialog.imageWidget(control.imageId);
    const QImage shown = pixels(picture.grab());
    return differences(shown, expected(control, devicePixelRatio, picture.palette().color(picture.backgroundRole())));
}

} // namespace

TEST(ResourceImages, WhatTheProgramLoadsAndInstallsIsWhatTheDrawingCodeDraws)
{
    const auto loadedBitmap = [](int id, bool simulatedBoard) {
        registerResourceImages(simulatedBoard);
        return loadBitmap(id);
    };
    std::vector<std::tuple<const char*, QPixmap, QPixmap>> cases {
        { "logo", loadedBitmap(IDB_LOGO, false), paintLogo(false) },
        { "logo with the simulated-board tag", loadedBitmap(IDB_LOGO, true), paintLogo(true) },
        { "boost-compensation guide", loadedBitmap(IDB_BOOST_GUIDE, true), paintBoostGuide() },
    };
    // The window icon in the sizes a title bar asks for at each common ratio, up to 128 pixels.
    const QIcon icon = loadIcon(IDR_MAINFRAME);
    EXPECT_TRUE(icon.availableSizes().contains(QSize(128, 128)));
    for (qreal ratio : { 1.0, 1.25, 1.5, 2.0, 3.0 }) {
        for (int size : { 16, 24, 32, 48 }) {
            cases.emplace_back("window icon", icon.pixmap(QSize(size, size), ratio),
                atRatio(paintAppIcon(qRound(size * ratio)), ratio));
        }
    }
    for (int size : { 16, 24, 32, 48, 64, 128 })
        cases.emplace_back("theme icon", QPixmap(drawnFile(appIconFile(size))), paintAppIcon(size));
    for (const auto& [what, loaded, drawn] : cases)
        EXPECT_EQ(differences(pixels(loaded), pixels(drawn)), "") << what << " " << drawn.width();
    EXPECT_NE(pixels(std::get<1>(cases[0])), pixels(std::get<1>(cases[1]))) << "the tag is missing";

    // The scalable icon: a rounded square, transparent in the corners.
    const QImage svg = QIcon(drawnFile(appIconSvgFile)).pixmap(64).toImage();
    EXPECT_EQ(qAlpha(svg.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(svg.pixel(32, 32)), 255);

    // The guide's frame lies on its edges at every ratio: each device pixel of the outer rows and columns.
    for (qreal ratio : { 1.0, 1.25, 1.5, 2.0, 3.0 }) {
        const QImage framed = paintBoostGuide(ratio).toImage();
        int edgePixels = 0;
        for (int y = 0; y < framed.height(); ++y) {
            for (int x = 0; x < framed.width(); ++x) {
                const bool edge = x == 0 || y == 0 || x == framed.width() - 1 || y == framed.height() - 1;
                edgePixels += edge && framed.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
            }
        }
        EXPECT_EQ(edgePixels, 2 * (framed.width() + framed.height()) - 4) << "at " << ratio;
    }
    const QImage guide = paintBoostGuide().toImage();
    // Frequency: heading, then each frequency once for its block of three rows.
    EXPECT_EQ(textLines(guide, 4, 60), 3);
    // Inductor: heading and six values.
    EXPECT_EQ(textLines(guide, 80, 130), 7);
    // Option: the two-line heading and six values.
    EXPECT_EQ(textLines(guide, 150, 290), 8);
}

// Run also under QT_SCALE_FACTOR 1.5 and 2 (see CMakeLists.txt): there the pictures are as sharp as the text,
// and on a screen of ratio 1 they are what they always were.
TEST(ResourceImages, PictureControlsShowTheDrawingAtTheScreensRatio)
{
    const qreal ratio = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
    for (const PictureControl& control : pictureControls)
        EXPECT_EQ(shownAgainstDrawn(control, ratio), "") << control.what << " at " << ratio;
}

// Run with two screens of ratio 1 and 2 (see CMakeLists.txt).
TEST(ResourceImages, PicturesFollowTheWindowToAScreenWithAnotherRatio)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2)
        GTEST_SKIP() << "needs a second screen";
    for (QScreen* screen : screens) {
        for (const PictureControl& control : pictureControls) {
            const auto moveThere = [screen](QWindow& window) {
                window.setScreen(screen);
                window.setPosition(screen->geometry().topLeft());
            };
            EXPECT_EQ(shownAgainstDrawn(control, screen->devicePixelRatio(), moveThere), "")
                << control.what << " on " << screen->name().toStdString();
        }
    }
}
