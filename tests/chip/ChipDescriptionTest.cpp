// The chip description against the window it describes.
#include "chip/ChipDescription.h"
#include "res/EvalDialogTemplate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

// Every check box and list of the window is a field: its caption or name, its item texts in order (a list may end
// in an External item, which is a bit of its own), and the register that its group box names.
TEST(ChipDescriptionTest, FieldsAreTheWindowsCheckBoxesAndLists)
{
    std::size_t controls = 0;
    for (const ControlTemplate& control : evalDialogTemplate.controls) {
        const bool box = control.kind == ControlKind::CheckBox;
        if (!box && control.kind != ControlKind::DropDownList)
            continue;
        ++controls;
        const std::string_view caption = box ? control.caption : control.accessibleName;
        const auto field = std::ranges::find(kv3124::fields(), caption, &kv3124::Field::caption);
        ASSERT_NE(field, kv3124::fields().end()) << caption;
        if (box) {
            EXPECT_EQ(field->width, 1u) << caption;
        } else {
            const auto items = control.items.first(std::min(control.items.size(), field->items.size()));
            EXPECT_TRUE(std::ranges::equal(items, field->items)) << caption;
            EXPECT_EQ(control.items.size(), field->items.size() + control.items.back().starts_with("External"));
        }
        char address[8];
        std::snprintf(address, sizeof address, "Addr %02X", field->reg);
        for (const ControlTemplate& group : evalDialogTemplate.controls) {
            const DialogRect& g = group.rect;
            if (group.kind == ControlKind::GroupBox && control.rect.x > g.x && control.rect.x < g.x + g.cx
                && control.rect.y > g.y && control.rect.y < g.y + g.cy) {
                EXPECT_NE(group.caption.find(address), std::string_view::npos) << caption << " in " << group.caption;
            }
        }
    }
    // The slider's brightness is the one field that is neither.
    EXPECT_EQ(controls + 1, kv3124::fields().size());
}
