#include "res/AboutDialogTemplate.h"
#include "res/EvalDialogTemplate.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

using enum ControlKind;
constexpr int none = IDC_STATIC;

constexpr std::string_view items1046[]
    = { "PWM input only", "Brightness Hi/Lo Reg", "PWM x Brt Hi/Lo Reg", "Brt Hi/Lo Reg x PWM" };
constexpr std::string_view items1070[] = { "000 = 5mA", "001 = 10mA", "010 = 13mA", "011 = 15mA", "100 = 18mA",
    "101 = 20mA", "110 = 23mA", "111 = 25mA", "External ISET" };
constexpr std::string_view items1122[] = { "4.9 kHz", "9.8 kHz", "14.6 kHz", "19.5 kHz", "24.4 kHz", "29.3 kHz",
    "34.2 kHz", "39.1 kHz", "External PFSET" };
constexpr std::string_view items1125[] = { "Immediate", "50 ms", "100 ms", "200 ms" };
constexpr std::string_view items1128[] = { "None", "Light Smoothing", "Medium Smoothing", "Heavy Smoothing" };
constexpr std::string_view items1156[] = { "500 kHz", "1 MHz", "External FSET" };
constexpr std::string_view items1157[] = { "BOOST COMP 0", "BOOST COMP 1", "External COMP set" };

// The main dialog's controls in creation order: row n is the n-th control created.
constexpr ControlTemplate evalControls[] = {
    { 2, PushButton, "Exit", { 207, 17, 50, 16 } },
    { none, Picture, "", { 7, 7, 160, 52 }, StyleNone, 145 },
    { none, GroupBox, "Status Register Addr 01 (Read Only)", { 7, 63, 352, 42 } },
    { none, Text, "Register Readback", { 410, 36, 70, 10 } },
    { 1006, ReadOnlyEdit, "", { 398, 60, 15, 12 } },
    { none, GroupBox, "LED Enables Register Addr 14", { 7, 349, 352, 39 } },
    { 1016, Edit, "", { 428, 351, 40, 14 } },
    { 1017, Edit, "", { 502, 351, 40, 14 } },
    { 1018, PushButton, "Write", { 422, 370, 50, 14 } },
    { 1019, PushButton, "Read", { 498, 370, 50, 14 } },
    { none, Text, "Reg Addr", { 387, 357, 31, 8 } },
    { none, Text, "Data", { 477, 354, 16, 8 } },
    { none, GroupBox, "Manual Control", { 370, 346, 191, 41 } },
    { 1020, PushButton, "Readback All", { 417, 15, 50, 14 } },
    { 1022, CheckBox, "Under Voltage", { 97, 79, 61, 10 } },
    { 1023, CheckBox, "Over Voltage", { 162, 79, 57, 10 } },
    { 1024, CheckBox, "Over Current", { 223, 79, 58, 10 } },
    { 1025, CheckBox, "TSD", { 282, 78, 34, 10 } },
    { 1026, CheckBox, "UVLO", { 321, 79, 32, 10 } },
    { 1027, CheckBox, "2", { 115, 361, 20, 10 } },
    { 1028, CheckBox, "3", { 134, 361, 20, 10 } },
    { 1029, CheckBox, "4", { 153, 361, 20, 10 } },
    { 1030, CheckBox, "5", { 174, 361, 20, 10 } },
    { 1031, CheckBox, "6", { 196, 361, 20, 10 } },
    { 1036, PushButton, "All On", { 230, 362, 50, 14 } },
    { 1037, PushButton, "All Off", { 293, 363, 50, 14 } },
    { 1039, CheckBox, "1", { 93, 361, 20, 10 } },
    { 1040, ReadOnlyEdit, "", { 416, 60, 15, 13 } },
    { 1041, ReadOnlyEdit, "", { 436, 60, 16, 12 } },
    { 1042, ReadOnlyEdit, "", { 456, 60, 15, 12 } },
    { 1043, ReadOnlyEdit, "", { 476, 60, 16, 12 } },
    { none, GroupBox, "Config Register Addr 10", { 7, 186, 351, 33 } },
    { 1044, CheckBox, "Enable Backlight", { 277, 53, 78, 10 } },
    { 1046, DropDownList, "", { 254, 199, 99, 54 }, StyleNone, 0, items1046 },
    { none, Text, "Mode", { 227, 207, 18, 8 } },
    { none, GroupBox, "Brightness Addr 03 and 04", { 7, 108, 352, 72 } },
    { 1054, Slider, "", { 16, 141, 175, 15 } },
    { 1056, Text, "Version", { 85, 387, 114, 9 } },
    { 1057, Text, "Status", { 209, 388, 153, 8 } },
    { 1055, ReadOnlyEdit, "", { 391, 92, 16, 12 } },
    { 1058, ReadOnlyEdit, "", { 425, 92, 15, 12 } },
    { 1059, ReadOnlyEdit, "", { 441, 92, 14, 12 } },
    { 1060, ReadOnlyEdit, "", { 459, 92, 15, 12 } },
    { 1061, ReadOnlyEdit, "", { 477, 92, 15, 12 } },
    { 1065, ReadOnlyEdit, "", { 408, 92, 15, 12 } },
    { 1070, DropDownList, "", { 123, 241, 63, 131 }, StyleNoScrollBar, 0, items1070 },
    { 1071, CheckBox, "Open", { 11, 79, 33, 10 } },
    { none, Text, "Current Scale", { 134, 232, 44, 8 } },
    { none, Text, "SW Rev 1.5", { 7, 387, 40, 8 } },
    { 1074, CheckBox, "Short", { 45, 79, 33, 10 } },
    { none, Text, "Addr  10    11    12    13     14     15", { 376, 82, 152, 8 } },
    { none, Text, "0", { 23, 158, 8, 8 } },
    { none, Text, "FFF", { 176, 157, 13, 8 } },
    { 1102, Edit, "", { 231, 124, 40, 14 } },
    { none, Text, "Target", { 283, 127, 22, 8 } },
    { 1077, PushButton, "Set", { 315, 124, 29, 14 } },
    { 1103, CheckBox, "Auto String", { 155, 199, 51, 10 } },
    { 1105, CheckBox, "ISET External", { 31, 240, 59, 10 } },
    { none, GroupBox, "BOOST Addr 13", { 7, 307, 353, 39 } },
    { 1117, ReadOnlyEdit, "", { 173, 123, 21, 14 } },
    { none, GroupBox, "PGEN Addr 12", { 7, 263, 353, 40 } },
    { 1120, CheckBox, "PFSET External", { 31, 282, 66, 10 } },
    { 1122, DropDownList, "", { 115, 282, 85, 64 }, StyleNone, 0, items1122 },
    { none, Text, "PWM Frequency", { 126, 272, 54, 8 } },
    { none, GroupBox, "Current Register Addr 11", { 7, 225, 351, 34 } },
    { 1125, DropDownList, "", { 483, 176, 63, 66 }, StyleNone, 0, items1125 },
    { none, Text, "Step", { 486, 165, 16, 8 } },
    { 1128, DropDownList, "", { 373, 175, 81, 54 }, StyleNone, 0, items1128 },
    { none, Text, "Smoothing", { 376, 165, 34, 8 } },
    { none, Text, "%", { 194, 123, 8, 8 } },
    { 1131, CheckBox, "PWM", { 20, 199, 35, 10 } },
    { 1143, PushButton, "Reset", { 207, 45, 50, 14 } },
    { none, Text, "Brightness", { 216, 196, 34, 8 } },
    { none, Text, "Detect", { 168, 208, 22, 8 } },
    { none, Text, "Standby", { 29, 208, 27, 8 } },
    { 1145, CheckBox, "BOOST FSET External", { 15, 324, 88, 10 } },
    { 1119, CheckBox, "BOOST COMP External", { 182, 325, 91, 10 } },
    { none, GroupBox, "STEP Addr 15", { 367, 157, 191, 34 } },
    { none, Text, "Addr   00     01      02      03      04", { 379, 49, 116, 8 } },
    { 1156, DropDownList, "", { 105, 322, 69, 47 }, StyleNone, 0, items1156 },
    { 1157, DropDownList, "", { 273, 323, 80, 46 }, StyleSorted, 0, items1157 },
    { 1160, CheckBox, "Spread Spectrum Enable", { 277, 37, 95, 10 } },
    { 1161, CheckBox, "Slew Rate Enable", { 277, 20, 73, 10 } },
    { none, Picture, "", { 369, 293, 200, 50 }, StyleNone, 148 },
};
constexpr DialogTemplate expectedEval { 102, "KV3124 Evaluation Software", 575, 404, evalControls };

constexpr ControlTemplate aboutControls[] = {
    { none, Icon, "", { 11, 17, 20, 20 }, StyleNone, 132 },
    { none, Text, "KV3124 Version 1.2", { 40, 10, 119, 8 }, StyleNoPrefix },
    { 1, PushButton, "OK", { 178, 7, 50, 16 }, StyleDefaultButton },
};
constexpr DialogTemplate expectedAbout { 100, "About KV3124", 235, 55, aboutControls };

// Everything a control's row fixes; list items joined by '|'.
auto fields(const ControlTemplate& c)
{
    std::string items;
    for (std::string_view item : c.items)
        items.append(item).append("|");
    return std::tuple(
        c.id, static_cast<int>(c.kind), c.caption, c.rect.x, c.rect.y, c.rect.cx, c.rect.cy, c.style, c.imageId, items);
}

} // namespace

TEST(Templates, FrameAndEveryControlInCreationOrder)
{
    for (const auto& [actual, expected] :
        { std::pair { &evalDialogTemplate, &expectedEval }, std::pair { &aboutDialogTemplate, &expectedAbout } }) {
        SCOPED_TRACE(expected->id);
        EXPECT_EQ(std::tuple(actual->id, actual->caption, actual->cx, actual->cy),
            std::tuple(expected->id, expected->caption, expected->cx, expected->cy));
        ASSERT_EQ(actual->controls.size(), expected->controls.size());
        for (std::size_t i = 0; i < expected->controls.size(); ++i)
            EXPECT_EQ(fields(actual->controls[i]), fields(expected->controls[i])) << "control " << i + 1;
    }
}
