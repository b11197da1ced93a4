#include "res/EvalDialogTemplate.h"
#include "TemplateLookup.h"
#include "res/ResourceIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// Names a control in messages and in the group table: its id, else its caption, else its picture.
std::string keyOf(const ControlTemplate& control)
{
    if (control.id != IDC_STATIC)
        return std::to_string(control.id);
    if (!control.caption.empty())
        return std::string(control.caption);
    return "picture " + std::to_string(control.imageId);
}

// Closed height of a drop-down list's field; the template's cy is the dropped-down height.
constexpr int closedListHeight = 14;

bool contains(const DialogRect& frame, const ControlTemplate& control)
{
    const int cy = control.kind == ControlKind::DropDownList ? closedListHeight : control.rect.cy;
    return control.rect.x >= frame.x && control.rect.y >= frame.y
        && control.rect.x + control.rect.cx <= frame.x + frame.cx && control.rect.y + cy <= frame.y + frame.cy;
}

// The runs of blanks in a header text, and the words between them.
std::pair<std::vector<std::size_t>, std::vector<std::string>> splitHeader(std::string_view header)
{
    std::vector<std::size_t> runs;
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < header.size()) {
        const std::size_t blanks = header.find_first_not_of(' ', at);
        if (blanks != at)
            runs.push_back(std::min(blanks, header.size()) - at);
        if (blanks == std::string_view::npos)
            break;
        const std::size_t end = std::min(header.find(' ', blanks), header.size());
        words.emplace_back(header.substr(blanks, end - blanks));
        at = end;
    }
    return { runs, words };
}

} // namespace

TEST(EvalDialogTemplate, FrameAndIds)
{
    EXPECT_EQ(evalDialogTemplate.id, IDD_EVAL_DIALOG);
    EXPECT_EQ(evalDialogTemplate.caption, "KV3124 Evaluation Software");
    EXPECT_EQ(evalDialogTemplate.cx, 575);
    EXPECT_EQ(evalDialogTemplate.cy, 404);
    ASSERT_EQ(evalDialogTemplate.controls.size(), 84u);

    std::set<int> ids;
    for (const ControlTemplate& control : evalDialogTemplate.controls) {
        if (control.id == IDC_STATIC)
            continue;
        EXPECT_TRUE(ids.insert(control.id).second) << "duplicate id " << control.id;
        // Enter must reach OnOK, so no control may carry the OK id.
        EXPECT_NE(control.id, 1);
        EXPECT_TRUE(control.id == IDC_EXIT || (control.id >= 1006 && control.id <= 1161)) << control.id;
    }
    EXPECT_EQ(ids.size(), 55u);

    const ControlTemplate* exitButton = findControl(evalDialogTemplate, 2);
    ASSERT_NE(exitButton, nullptr);
    EXPECT_EQ(exitButton->kind, ControlKind::PushButton);
    EXPECT_EQ(exitButton->caption, "Exit");
    // Only the About box has a default button.
    for (const ControlTemplate& control : evalDialogTemplate.controls)
        EXPECT_EQ(control.style & StyleDefaultButton, 0u) << keyOf(control);
}

TEST(EvalDialogTemplate, CreationOrder)
{
    struct Expected {
        std::size_t order; // 1-based
        int id;
        ControlKind kind;
        std::string_view caption;
        std::tuple<int, int, int, int> rect;
    };
    const Expected expected[] = {
        { 1, IDC_EXIT, ControlKind::PushButton, "Exit", { 207, 17, 50, 16 } },
        { 2, IDC_STATIC, ControlKind::Picture, "", { 7, 7, 160, 52 } },
        { 3, IDC_STATIC, ControlKind::GroupBox, "Status Register Addr 01 (Read Only)", { 7, 63, 352, 42 } },
        { 5, IDC_REG00, ControlKind::ReadOnlyEdit, "", { 398, 60, 15, 12 } },
        { 7, IDC_REG_ADDR, ControlKind::Edit, "", { 428, 351, 40, 14 } },
        { 8, IDC_DATA, ControlKind::Edit, "", { 502, 351, 40, 14 } },
        { 13, IDC_STATIC, ControlKind::GroupBox, "Manual Control", { 370, 346, 191, 41 } },
        { 27, IDC_LED1, ControlKind::CheckBox, "1", { 93, 361, 20, 10 } },
        { 37, IDC_BRIGHTNESS_SLIDER, ControlKind::Slider, "", { 16, 141, 175, 15 } },
        { 38, IDC_VERSION, ControlKind::Text, "Version", { 85, 387, 114, 9 } },
        { 45, IDC_REG11, ControlKind::ReadOnlyEdit, "", { 408, 92, 15, 12 } },
        { 46, IDC_CURRENT_SCALE_LIST, ControlKind::DropDownList, "", { 123, 241, 63, 131 } },
        { 78, IDC_STATIC, ControlKind::GroupBox, "STEP Addr 15", { 367, 157, 191, 34 } },
        { 81, IDC_BOOST_COMP_LIST, ControlKind::DropDownList, "", { 273, 323, 80, 46 } },
        { 84, IDC_STATIC, ControlKind::Picture, "", { 369, 293, 200, 50 } },
    };
    ASSERT_EQ(evalDialogTemplate.controls.size(), 84u);
    for (const Expected& row : expected) {
        const ControlTemplate& control = evalDialogTemplate.controls[row.order - 1];
        SCOPED_TRACE("control " + std::to_string(row.order));
        EXPECT_EQ(control.id, row.id);
        EXPECT_EQ(control.kind, row.kind);
        EXPECT_EQ(control.caption, row.caption);
        EXPECT_EQ(rectOf(control), row.rect);
    }
    EXPECT_EQ(evalDialogTemplate.controls[1].imageId, IDB_LOGO);
    EXPECT_EQ(evalDialogTemplate.controls[83].imageId, IDB_BOOST_GUIDE);
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
    for (const ControlTemplate& control : evalDialogTemplate.controls) {
        if (control.kind == ControlKind::GroupBox)
            groups.push_back(&control);
    }
    ASSERT_EQ(groups.size(), members.size());

    // Each control stands in exactly the group listed for it, or in none.
    for (const ControlTemplate& control : evalDialogTemplate.controls) {
        if (control.kind == ControlKind::GroupBox)
            continue;
        std::set<std::string_view> found;
        for (const ControlTemplate* group : groups) {
            if (contains(group->rect, control))
                found.insert(group->caption);
        }
        std::set<std::string_view> listed;
        for (const auto& [caption, keys] : members) {
            if (keys.contains(keyOf(control)))
                listed.insert(caption);
        }
        EXPECT_EQ(found, listed) << keyOf(control);
    }
}

TEST(EvalDialogTemplate, ReadbackHeadersNameTheCellsBelow)
{
    struct Row {
        std::string_view header;
        std::vector<std::size_t> blankRuns;
        int cellsY;
        std::vector<int> cellIds; // left to right
    };
    const Row rows[] = {
        { "Addr   00     01      02      03      04", { 3, 5, 6, 6, 6 }, 60,
            { IDC_REG00, IDC_REG01, IDC_REG02, IDC_REG03, IDC_REG04 } },
        { "Addr  10    11    12    13     14     15", { 2, 4, 4, 4, 5, 5 }, 92,
            { IDC_REG10, IDC_REG11, IDC_REG12, IDC_REG13, IDC_REG14, IDC_REG15 } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.header));
        const auto header = std::find_if(evalDialogTemplate.controls.begin(), evalDialogTemplate.controls.end(),
            [&](const ControlTemplate& control) { return control.caption == row.header; });
        ASSERT_NE(header, evalDialogTemplate.controls.end());
        EXPECT_EQ(header->kind, ControlKind::Text);
        const auto [runs, words] = splitHeader(header->caption);
        EXPECT_EQ(runs, row.blankRuns);

        std::vector<const ControlTemplate*> cells;
        for (const ControlTemplate& control : evalDialogTemplate.controls) {
            if (control.kind == ControlKind::ReadOnlyEdit && control.rect.y == row.cellsY)
                cells.push_back(&control);
        }
        std::sort(cells.begin(), cells.end(), [](auto* a, auto* b) { return a->rect.x < b->rect.x; });
        ASSERT_EQ(cells.size(), row.cellIds.size());
        ASSERT_EQ(words.size(), cells.size() + 1);
        EXPECT_EQ(words[0], "Addr");
        for (std::size_t i = 0; i < cells.size(); ++i) {
            EXPECT_EQ(cells[i]->id, row.cellIds[i]);
            // Each cell sits under its register number and is announced by it.
            EXPECT_EQ(cells[i]->accessibleName, "Register " + words[i + 1] + " read-back");
        }
    }
}

TEST(EvalDialogTemplate, ListItemsAndStyles)
{
    using Items = std::vector<std::string_view>;
    const std::map<int, std::pair<Items, unsigned>> lists = {
        { IDC_MODE_LIST,
            { { "PWM input only", "Brightness Hi/Lo Reg", "PWM x Brt Hi/Lo Reg", "Brt Hi/Lo Reg x PWM" }, StyleNone } },
        { IDC_CURRENT_SCALE_LIST,
            { { "000 = 5mA", "001 = 10mA", "010 = 13mA", "011 = 15mA", "100 = 18mA", "101 = 20mA", "110 = 23mA",
                  "111 = 25mA", "External ISET" },
                StyleNoScrollBar } },
        { IDC_PWM_FREQUENCY_LIST,
            { { "4.9 kHz", "9.8 kHz", "14.6 kHz", "19.5 kHz", "24.4 kHz", "29.3 kHz", "34.2 kHz", "39.1 kHz",
                  "External PFSET" },
                StyleNone } },
        { IDC_STEP_LIST, { { "Immediate", "50 ms", "100 ms", "200 ms" }, StyleNone } },
        { IDC_SMOOTHING_LIST, { { "None", "Light Smoothing", "Medium Smoothing", "Heavy Smoothing" }, StyleNone } },
        { IDC_BOOST_FSET_LIST, { { "500 kHz", "1 MHz", "External FSET" }, StyleNone } },
        { IDC_BOOST_COMP_LIST, { { "BOOST COMP 0", "BOOST COMP 1", "External COMP set" }, StyleSorted } },
    };

    std::size_t listCount = 0;
    for (const ControlTemplate& control : evalDialogTemplate.controls) {
        if (control.kind != ControlKind::DropDownList) {
            EXPECT_TRUE(control.items.empty()) << keyOf(control);
            continue;
        }
        ++listCount;
        SCOPED_TRACE(keyOf(control));
        ASSERT_TRUE(lists.contains(control.id));
        const auto& [items, style] = lists.at(control.id);
        EXPECT_EQ(Items(control.items.begin(), control.items.end()), items);
        EXPECT_EQ(control.style, style);
    }
    EXPECT_EQ(listCount, lists.size());

    // A sorted list adds in order; its indexes hold only if the items already are in order.
    const ControlTemplate* boostComp = findControl(evalDialogTemplate, IDC_BOOST_COMP_LIST);
    ASSERT_NE(boostComp, nullptr);
    EXPECT_TRUE(std::is_sorted(boostComp->items.begin(), boostComp->items.end()));
}

TEST(EvalDialogTemplate, AccessibleNames)
{
    std::set<std::string_view> names;
    for (const ControlTemplate& control : evalDialogTemplate.controls) {
        const bool needsName = control.kind == ControlKind::Edit || control.kind == ControlKind::ReadOnlyEdit
            || control.kind == ControlKind::DropDownList || control.kind == ControlKind::Slider;
        if (!needsName)
            continue;
        EXPECT_FALSE(control.accessibleName.empty()) << keyOf(control);
        EXPECT_TRUE(names.insert(control.accessibleName).second) << control.accessibleName;
    }
    EXPECT_EQ(names.size(), 23u);
}
