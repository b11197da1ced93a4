#include "TemplateLookup.h"
#include "framework/NotifyCode.h"
#include "res/AboutDialogTemplate.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

#include <gtest/gtest.h>

TEST(AboutDialogTemplate, FrameAndControls)
{
    EXPECT_EQ(aboutDialogTemplate.id, IDD_ABOUTBOX);
    EXPECT_EQ(aboutDialogTemplate.caption, "About KV3124");
    EXPECT_EQ(aboutDialogTemplate.cx, 235);
    EXPECT_EQ(aboutDialogTemplate.cy, 55);
    ASSERT_EQ(aboutDialogTemplate.controls.size(), 3u);

    const ControlTemplate& icon = aboutDialogTemplate.controls[0];
    EXPECT_EQ(icon.kind, ControlKind::Icon);
    EXPECT_EQ(icon.id, IDC_STATIC);
    EXPECT_EQ(icon.imageId, IDR_MAINFRAME);
    EXPECT_EQ(rectOf(icon), std::tuple(11, 17, 20, 20));

    const ControlTemplate& version = aboutDialogTemplate.controls[1];
    EXPECT_EQ(version.kind, ControlKind::Text);
    EXPECT_EQ(version.id, IDC_STATIC);
    EXPECT_EQ(version.caption, "KV3124 Version 1.2");
    EXPECT_EQ(version.style, StyleNoPrefix);
    EXPECT_EQ(rectOf(version), std::tuple(40, 10, 119, 8));

    // The only focusable control, and the one that Enter clicks.
    const ControlTemplate& ok = aboutDialogTemplate.controls[2];
    EXPECT_EQ(ok.kind, ControlKind::PushButton);
    EXPECT_EQ(ok.id, IDOK);
    EXPECT_EQ(ok.caption, "OK");
    EXPECT_EQ(ok.style, StyleDefaultButton);
    EXPECT_EQ(rectOf(ok), std::tuple(178, 7, 50, 16));
}

TEST(StringTable, AboutEntryAndUnknownIds)
{
    EXPECT_EQ(loadString(IDS_ABOUTBOX), "&About KV3124...");
    // The system-menu set-up skips the About entry when the string is empty.
    EXPECT_TRUE(loadString(0).empty());
    EXPECT_TRUE(loadString(IDD_ABOUTBOX).empty());
    EXPECT_TRUE(loadString(IDR_MAINFRAME).empty());
}
