#include "res/AboutDialogTemplate.h"
#include "res/EvalDialogTemplate.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

const std::span<const ControlTemplate> controls = evalDialogTemplate.controls;

// What a row of the window's control table gives, apart from the order.
auto fields(const ControlTemplate& c)
{
    return std::tuple(c.id, c.kind, c.caption, c.rect.x, c.rect.y, c.rect.cx, c.rect.cy, c.imageId);
}
using Fields = decltype(fields(controls[0]));

// Names a control in messages and in the group table: its id, else its caption.
std::string keyOf(const ControlTemplate& c)
{
    return c.id != IDC_STATIC ? std::to_string(c.id) : std::string(c.caption);
}

} // namespace

TEST(AboutDialogTemplate, FrameControlsAndMenuString)
{
    EXPECT_EQ(aboutDialogTemplate.id, IDD_ABOUTBOX);
    EXPECT_EQ(aboutDialogTemplate.caption, "About KV3124");
    EXPECT_EQ(std::tuple(aboutDialogTemplate.cx, aboutDialogTemplate.cy), std::tuple(235, 55));
    const std::span<const ControlTemplate> about = aboutDialogTemplate.controls;
    ASSERT_EQ(about.size(), 3u);
    EXPECT_EQ(fields(about[0]), Fields(IDC_STATIC, ControlKind::Icon, "", 11, 17, 20, 20, IDR_MAINFRAME));
    EXPECT_EQ(fields(about[1]), Fields(IDC_STATIC, ControlKind::Text, "KV3124 Version 1.2", 40, 10, 119, 8, 0));
    EXPECT_EQ(fields(about[2]), Fields(1, ControlKind::PushButton, "OK", 178, 7, 50, 16, 0));
    EXPECT_EQ(about[1].style, StyleNoPrefix);
    // OK is the only focusable control, and the one that Enter clicks.
    EXPECT_EQ(about[2].style, StyleDefaultButton);

    // The system menu gets its About entry from string 101; the set-up leaves it out for an empty string.
    EXPECT_EQ(loadString(IDS_ABOUTBOX), "&About KV3124...");
    for (int id : { 0, IDD_ABOUTBOX, IDR_MAINFRAME })
        EXPECT_TRUE(loadString(id).empty()) << id;
}

TEST(EvalDialogTemplate, FrameIdsButtonsAndAccessibleNames)
{
    EXPECT_EQ(evalDialogTemplate.id, IDD_EVAL_DIALOG);
    EXPECT_EQ(evalDialogTemplate.caption, "KV3124 Evaluation Software");
    EXPECT_EQ(std::tuple(evalDialogTemplate.cx, evalDialogTemplate.cy), std::tuple(575, 404));
    ASSERT_EQ(controls.size(), 84u);
    using enum ControlKind;
    std::set<int> ids;
    std::set<std::string_view> names;
    for (const ControlTemplate& control : controls) {
        // Enter must reach OnOK: no control has the OK id, and none is a default button.
        EXPECT_NE(control.id, 1);
        EXPECT_EQ(control.style & StyleDefaultButton, 0u) << keyOf(control);
        EXPECT_TRUE(control.id == IDC_STATIC || ids.insert(control.id).second) << "duplicate id " << control.id;
        // Screen readers and test tools find every edit, list and the slider by a name of its own.
        const bool named = control.kind == Edit || control.kind == ReadOnlyEdit || control.kind == DropDownList
            || control.kind == Slider;
        EXPECT_TRUE(!named || names.insert(control.accessibleName).second)
            << keyOf(control) << " " << control.accessibleName;
    }
    EXPECT_EQ(ids.size(), 55u);
    EXPECT_EQ(names.size(), 23u);
    EXPECT_FALSE(names.contains(""));
}

TEST(EvalDialogTemplate, CreationOrder)
{
    const std::pair<std::size_t, Fields> expected[] = {
        { 1, { 2, ControlKind::PushButton, "Exit", 207, 17, 50, 16, 0 } },
        { 2, { IDC_STATIC, ControlKind::Picture, "", 7, 7, 160, 52, IDB_LOGO } },
        { 3, { IDC_STATIC, ControlKind::GroupBox, "Status Register Addr 01 (Read Only)", 7, 63, 352, 42, 0 } },
        { 5, { IDC_REG00, ControlKind::ReadOnlyEdit, "", 398, 60, 15, 12, 0 } },
        { 7, { IDC_REG_ADDR, ControlKind::Edit, "", 428, 351, 40, 14, 0 } },
        { 8, { IDC_DATA, ControlKind::Edit, "", 502, 351, 40, 14, 0 } },
        { 13, { IDC_STATIC, ControlKind::GroupBox, "Manual Control", 370, 346, 191, 41, 0 } },
        { 27, { IDC_LED1, ControlKind::CheckBox, "1", 93, 361, 20, 10, 0 } },
        { 37, { IDC_BRIGHTNESS_SLIDER, ControlKind::Slider, "", 16, 141, 175, 15, 0 } },
        { 38, { IDC_VERSION, ControlKind::Text, "Version", 85, 387, 114, 9, 0 } },
        { 45, { IDC_REG11, ControlKind::ReadOnlyEdit, "", 408, 92, 15, 12, 0 } },
        { 46, { IDC_CURRENT_SCALE_LIST, ControlKind::DropDownList, "", 123, 241, 63, 131, 0 } },
        { 78, { IDC_STATIC, ControlKind::GroupBox, "STEP Addr 15", 367, 157, 191, 34, 0 } },
        { 81, { IDC_BOOST_COMP_LIST, ControlKind::DropDownList, "", 273, 323, 80, 46, 0 } },
        { 84, { IDC_STATIC, ControlKind::Picture, "", 369, 293, 200, 50, IDB_BOOST_GUIDE } },
    };
    ASSERT_EQ(controls.size(), 84u);
    for (const auto& [order, row] : expected)
        EXPECT_EQ(fields(controls[order - 1]), row) << "control " << order;
}

TEST(EvalDialogTemplate, EveryControlLiesInItsGroup)
{
    const std::map<std::string_view, std::set<std::string>> members = {
        { "Status Register Addr 01 (Read Only)", { "1071", "1074", "1022", "1023", "1024", "1025", "1026" } },
        { "Brightness Addr 03 and 04", { "1117", "%", "1102", "Target", "1077", "1054", "FFF", "0" } },
        { "STEP Addr 15", { "Smoothing", "Step", "1128", "1125" } },
        { "Config Register Addr 10", { "Brightness", "1131", "1103", "1046", "Mode", "Standby", "Detect" } },
        { "Current Register Addr 11", { "Current Scale", "1105", "1070" } },
        { "PGEN Addr 12", { "PWM Frequency", "1120", "1122" } },
        { "BOOST Addr 13", { "1156", "1157", "1145", "1119" } },
        { "Manual Control", { "1016", "1017", "Data", "Reg Addr", "1018", "1019" } },
        { "LED Enables Register Addr 14", { "1039", "1027", "1028", "1029", "1030", "1031", "1036", "1037" } },
    };
    std::vector<const ControlTemplate*> groups;
    for (const ControlTemplate& control : controls) {
        if (control.kind == ControlKind::GroupBox)
            groups.push_back(&control);
    }
    ASSERT_EQ(groups.size(), members.size());

    // Each control stands in exactly the group listed for it, or in none. A drop-down list's
    // cy is its dropped-down height; closed, it is 14 high.
    for (const ControlTemplate& control : controls) {
        if (control.kind == ControlKind::GroupBox)
            continue;
        const DialogRect& r = control.rect;
        const int cy = control.kind == ControlKind::DropDownList ? 14 : r.cy;
        std::set<std::string_view> found, listed;
        for (const ControlTemplate* group : groups) {
            const DialogRect& g = group->rect;
            if (r.x >= g.x && r.y >= g.y && r.x + r.cx <= g.x + g.cx && r.y + cy <= g.y + g.cy)
                found.insert(group->caption);
        }
        for (const auto& [caption, keys] : members) {
            if (keys.contains(keyOf(control)))
                listed.insert(caption);
        }
        EXPECT_EQ(found, listed) << keyOf(control);
    }
}

TEST(EvalDialogTemplate, ReadbackHeadersKeepTheirBlanksAndNameTheCellsBelow)
{
    // The runs of blanks stand each register number over its cell.
    const std::tuple<std::string_view, int, std::vector<int>> rows[] = {
        { "Addr   00     01      02      03      04", 60, { IDC_REG00, IDC_REG01, IDC_REG02, IDC_REG03, IDC_REG04 } },
        { "Addr  10    11    12    13     14     15", 92,
            { IDC_REG10, IDC_REG11, IDC_REG12, IDC_REG13, IDC_REG14, IDC_REG15 } },
    };
    for (const auto& [header, cellsY, cellIds] : rows) {
        SCOPED_TRACE(std::string(header));
        const auto text = std::ranges::find(controls, header, &ControlTemplate::caption);
        ASSERT_NE(text, controls.end());
        EXPECT_EQ(text->kind, ControlKind::Text);
        std::istringstream words { std::string(header) };
        std::string word;
        words >> word;
        int x = 0;
        for (int id : cellIds) {
            const auto cell = std::ranges::find(controls, id, &ControlTemplate::id);
            ASSERT_NE(cell, controls.end());
            words >> word;
            EXPECT_EQ(cell->kind, ControlKind::ReadOnlyEdit);
            EXPECT_EQ(cell->rect.y, cellsY);
            EXPECT_GT(cell->rect.x, x) << "left to right";
            x = cell->rect.x;
            EXPECT_EQ(cell->accessibleName, "Register " + word + " read-back");
        }
        EXPECT_FALSE(words >> word) << "a number without a cell";
    }
}

TEST(EvalDialogTemplate, ListItemsAndStyles)
{
    // Items in index order, joined by '|'. The sorted list keeps its indexes because its items are in order already.
    const std::map<int, std::pair<std::string_view, unsigned>> lists = {
        { IDC_MODE_LIST, { "PWM input only|Brightness Hi/Lo Reg|PWM x Brt Hi/Lo Reg|Brt Hi/Lo Reg x PWM", StyleNone } },
        { IDC_CURRENT_SCALE_LIST,
            { "000 = 5mA|001 = 10mA|010 = 13mA|011 = 15mA|100 = 18mA|101 = 20mA|110 = 23mA|111 = 25mA|External ISET",
                StyleNoScrollBar } },
        { IDC_PWM_FREQUENCY_LIST,
            { "4.9 kHz|9.8 kHz|14.6 kHz|19.5 kHz|24.4 kHz|29.3 kHz|34.2 kHz|39.1 kHz|External PFSET", StyleNone } },
        { IDC_STEP_LIST, { "Immediate|50 ms|100 ms|200 ms", StyleNone } },
        { IDC_SMOOTHING_LIST, { "None|Light Smoothing|Medium Smoothing|Heavy Smoothing", StyleNone } },
        { IDC_BOOST_FSET_LIST, { "500 kHz|1 MHz|External FSET", StyleNone } },
        { IDC_BOOST_COMP_LIST, { "BOOST COMP 0|BOOST COMP 1|External COMP set", StyleSorted } },
    };
    std::size_t listCount = 0;
    for (const ControlTemplate& control : controls) {
        SCOPED_TRACE(keyOf(control));
        std::string items;
        for (std::string_view item : control.items)
            items += (items.empty() ? "" : "|") + std::string(item);
        if (control.kind != ControlKind::DropDownList) {
            EXPECT_EQ(items, "");
            continue;
        }
        ++listCount;
        ASSERT_TRUE(lists.contains(control.id));
        EXPECT_EQ(items, lists.at(control.id).first);
        EXPECT_EQ(control.style, lists.at(control.id).second);
    }
    EXPECT_EQ(listCount, lists.size());
}
