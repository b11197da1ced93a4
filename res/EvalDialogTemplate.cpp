#include "EvalDialogTemplate.h"

#include "ResourceIds.h"

namespace {

// Filled in index order; the panel selects and reads items by these indexes.
constexpr std::string_view modeItems[]
    = { "PWM input only", "Brightness Hi/Lo Reg", "PWM x Brt Hi/Lo Reg", "Brt Hi/Lo Reg x PWM" };
constexpr std::string_view currentScaleItems[] = { "000 = 5mA", "001 = 10mA", "010 = 13mA", "011 = 15mA", "100 = 18mA",
    "101 = 20mA", "110 = 23mA", "111 = 25mA", "External ISET" };
constexpr std::string_view pwmFrequencyItems[] = { "4.9 kHz", "9.8 kHz", "14.6 kHz", "19.5 kHz", "24.4 kHz", "29.3 kHz",
    "34.2 kHz", "39.1 kHz", "External PFSET" };
constexpr std::string_view stepItems[] = { "Immediate", "50 ms", "100 ms", "200 ms" };
constexpr std::string_view smoothingItems[] = { "None", "Light Smoothing", "Medium Smoothing", "Heavy Smoothing" };
constexpr std::string_view boostFsetItems[] = { "500 kHz", "1 MHz", "External FSET" };
// Sorted list: these are already in alphabetical order, so sorting keeps the indexes.
constexpr std::string_view boostCompItems[] = { "BOOST COMP 0", "BOOST COMP 1", "External COMP set" };

using enum ControlKind;

// Push buttons, check boxes, texts and group boxes: a caption, and an id for those the program addresses.
constexpr ControlTemplate captioned(ControlKind kind, int id, std::string_view caption, DialogRect rect)
{
    return { .id = id, .kind = kind, .caption = caption, .rect = rect };
}

// Edits and the slider: no caption of their own, so a name for assistive tools.
constexpr ControlTemplate named(ControlKind kind, int id, DialogRect rect, std::string_view name)
{
    return { .id = id, .kind = kind, .caption = {}, .rect = rect, .accessibleName = name };
}

constexpr ControlTemplate dropDownList(
    int id, DialogRect rect, std::span<const std::string_view> items, std::string_view name, unsigned style = StyleNone)
{
    return { .id = id,
        .kind = DropDownList,
        .caption = {},
        .rect = rect,
        .style = style,
        .items = items,
        .accessibleName = name };
}

constexpr ControlTemplate picture(int bitmapId, DialogRect rect)
{
    return { .id = IDC_STATIC, .kind = Picture, .caption = {}, .rect = rect, .imageId = bitmapId };
}

// Creation order, which is also the tab order; the trailing number is the place in it.
constexpr ControlTemplate controls[] = {
    captioned(PushButton, IDC_EXIT, "Exit", { 207, 17, 50, 16 }), // 1
    picture(IDB_LOGO, { 7, 7, 160, 52 }), // 2
    captioned(GroupBox, IDC_STATIC, "Status Register Addr 01 (Read Only)", { 7, 63, 352, 42 }), // 3
    captioned(Text, IDC_STATIC, "Register Readback", { 410, 36, 70, 10 }), // 4
    named(ReadOnlyEdit, IDC_REG00, { 398, 60, 15, 12 }, "Register 00 read-back"), // 5
    captioned(GroupBox, IDC_STATIC, "LED Enables Register Addr 14", { 7, 349, 352, 39 }), // 6
    named(Edit, IDC_REG_ADDR, { 428, 351, 40, 14 }, "Reg Addr"), // 7
    named(Edit, IDC_DATA, { 502, 351, 40, 14 }, "Data"), // 8
    captioned(PushButton, IDC_WRITE, "Write", { 422, 370, 50, 14 }), // 9
    captioned(PushButton, IDC_READ, "Read", { 498, 370, 50, 14 }), // 10
    captioned(Text, IDC_STATIC, "Reg Addr", { 387, 357, 31, 8 }), // 11
    captioned(Text, IDC_STATIC, "Data", { 477, 354, 16, 8 }), // 12
    captioned(GroupBox, IDC_STATIC, "Manual Control", { 370, 346, 191, 41 }), // 13
    captioned(PushButton, IDC_READBACK_ALL, "Readback All", { 417, 15, 50, 14 }), // 14
    captioned(CheckBox, IDC_UNDER_VOLTAGE, "Under Voltage", { 97, 79, 61, 10 }), // 15
    captioned(CheckBox, IDC_OVER_VOLTAGE, "Over Voltage", { 162, 79, 57, 10 }), // 16
    captioned(CheckBox, IDC_OVER_CURRENT, "Over Current", { 223, 79, 58, 10 }), // 17
    captioned(CheckBox, IDC_TSD, "TSD", { 282, 78, 34, 10 }), // 18
    captioned(CheckBox, IDC_UVLO, "UVLO", { 321, 79, 32, 10 }), // 19
    captioned(CheckBox, IDC_LED2, "2", { 115, 361, 20, 10 }), // 20
    captioned(CheckBox, IDC_LED3, "3", { 134, 361, 20, 10 }), // 21
    captioned(CheckBox, IDC_LED4, "4", { 153, 361, 20, 10 }), // 22
    captioned(CheckBox, IDC_LED5, "5", { 174, 361, 20, 10 }), // 23
    captioned(CheckBox, IDC_LED6, "6", { 196, 361, 20, 10 }), // 24
    captioned(PushButton, IDC_ALL_ON, "All On", { 230, 362, 50, 14 }), // 25
    captioned(PushButton, IDC_ALL_OFF, "All Off", { 293, 363, 50, 14 }), // 26
    captioned(CheckBox, IDC_LED1, "1", { 93, 361, 20, 10 }), // 27
    named(ReadOnlyEdit, IDC_REG01, { 416, 60, 15, 13 }, "Register 01 read-back"), // 28
    named(ReadOnlyEdit, IDC_REG02, { 436, 60, 16, 12 }, "Register 02 read-back"), // 29
    named(ReadOnlyEdit, IDC_REG03, { 456, 60, 15, 12 }, "Register 03 read-back"), // 30
    named(ReadOnlyEdit, IDC_REG04, { 476, 60, 16, 12 }, "Register 04 read-back"), // 31
    captioned(GroupBox, IDC_STATIC, "Config Register Addr 10", { 7, 186, 351, 33 }), // 32
    captioned(CheckBox, IDC_ENABLE_BACKLIGHT, "Enable Backlight", { 277, 53, 78, 10 }), // 33
    dropDownList(IDC_MODE_LIST, { 254, 199, 99, 54 }, modeItems, "Brightness Mode"), // 34
    captioned(Text, IDC_STATIC, "Mode", { 227, 207, 18, 8 }), // 35
    captioned(GroupBox, IDC_STATIC, "Brightness Addr 03 and 04", { 7, 108, 352, 72 }), // 36
    named(Slider, IDC_BRIGHTNESS_SLIDER, { 16, 141, 175, 15 }, "Brightness"), // 37
    captioned(Text, IDC_VERSION, "Version", { 85, 387, 114, 9 }), // 38
    captioned(Text, IDC_STATUS, "Status", { 209, 388, 153, 8 }), // 39
    named(ReadOnlyEdit, IDC_REG10, { 391, 92, 16, 12 }, "Register 10 read-back"), // 40
    named(ReadOnlyEdit, IDC_REG12, { 425, 92, 15, 12 }, "Register 12 read-back"), // 41
    named(ReadOnlyEdit, IDC_REG13, { 441, 92, 14, 12 }, "Register 13 read-back"), // 42
    named(ReadOnlyEdit, IDC_REG14, { 459, 92, 15, 12 }, "Register 14 read-back"), // 43
    named(ReadOnlyEdit, IDC_REG15, { 477, 92, 15, 12 }, "Register 15 read-back"), // 44
    named(ReadOnlyEdit, IDC_REG11, { 408, 92, 15, 12 }, "Register 11 read-back"), // 45
    dropDownList(
        IDC_CURRENT_SCALE_LIST, { 123, 241, 63, 131 }, currentScaleItems, "Current Scale", StyleNoScrollBar), // 46
    captioned(CheckBox, IDC_OPEN, "Open", { 11, 79, 33, 10 }), // 47
    captioned(Text, IDC_STATIC, "Current Scale", { 134, 232, 44, 8 }), // 48
    captioned(Text, IDC_STATIC, "SW Rev 1.5", { 7, 387, 40, 8 }), // 49
    captioned(CheckBox, IDC_SHORT, "Short", { 45, 79, 33, 10 }), // 50
    captioned(Text, IDC_STATIC, "Addr  10    11    12    13     14     15", { 376, 82, 152, 8 }), // 51
    captioned(Text, IDC_STATIC, "0", { 23, 158, 8, 8 }), // 52
    captioned(Text, IDC_STATIC, "FFF", { 176, 157, 13, 8 }), // 53
    named(Edit, IDC_TARGET, { 231, 124, 40, 14 }, "Target"), // 54
    captioned(Text, IDC_STATIC, "Target", { 283, 127, 22, 8 }), // 55
    captioned(PushButton, IDC_SET, "Set", { 315, 124, 29, 14 }), // 56
    captioned(CheckBox, IDC_AUTO_STRING, "Auto String", { 155, 199, 51, 10 }), // 57
    captioned(CheckBox, IDC_ISET_EXTERNAL, "ISET External", { 31, 240, 59, 10 }), // 58
    captioned(GroupBox, IDC_STATIC, "BOOST Addr 13", { 7, 307, 353, 39 }), // 59
    named(ReadOnlyEdit, IDC_PERCENT, { 173, 123, 21, 14 }, "Brightness percent"), // 60
    captioned(GroupBox, IDC_STATIC, "PGEN Addr 12", { 7, 263, 353, 40 }), // 61
    captioned(CheckBox, IDC_PFSET_EXTERNAL, "PFSET External", { 31, 282, 66, 10 }), // 62
    dropDownList(IDC_PWM_FREQUENCY_LIST, { 115, 282, 85, 64 }, pwmFrequencyItems, "PWM Frequency"), // 63
    captioned(Text, IDC_STATIC, "PWM Frequency", { 126, 272, 54, 8 }), // 64
    captioned(GroupBox, IDC_STATIC, "Current Register Addr 11", { 7, 225, 351, 34 }), // 65
    dropDownList(IDC_STEP_LIST, { 483, 176, 63, 66 }, stepItems, "Step"), // 66
    captioned(Text, IDC_STATIC, "Step", { 486, 165, 16, 8 }), // 67
    dropDownList(IDC_SMOOTHING_LIST, { 373, 175, 81, 54 }, smoothingItems, "Smoothing"), // 68
    captioned(Text, IDC_STATIC, "Smoothing", { 376, 165, 34, 8 }), // 69
    captioned(Text, IDC_STATIC, "%", { 194, 123, 8, 8 }), // 70
    captioned(CheckBox, IDC_PWM_STANDBY, "PWM", { 20, 199, 35, 10 }), // 71
    captioned(PushButton, IDC_RESET, "Reset", { 207, 45, 50, 14 }), // 72
    captioned(Text, IDC_STATIC, "Brightness", { 216, 196, 34, 8 }), // 73
    captioned(Text, IDC_STATIC, "Detect", { 168, 208, 22, 8 }), // 74
    captioned(Text, IDC_STATIC, "Standby", { 29, 208, 27, 8 }), // 75
    captioned(CheckBox, IDC_BOOST_FSET_EXTERNAL, "BOOST FSET External", { 15, 324, 88, 10 }), // 76
    captioned(CheckBox, IDC_BOOST_COMP_EXTERNAL, "BOOST COMP External", { 182, 325, 91, 10 }), // 77
    captioned(GroupBox, IDC_STATIC, "STEP Addr 15", { 367, 157, 191, 34 }), // 78
    captioned(Text, IDC_STATIC, "Addr   00     01      02      03      04", { 379, 49, 116, 8 }), // 79
    dropDownList(IDC_BOOST_FSET_LIST, { 105, 322, 69, 47 }, boostFsetItems, "BOOST FSET"), // 80
    dropDownList(IDC_BOOST_COMP_LIST, { 273, 323, 80, 46 }, boostCompItems, "BOOST COMP", StyleSorted), // 81
    captioned(CheckBox, IDC_SPREAD_SPECTRUM, "Spread Spectrum Enable", { 277, 37, 95, 10 }), // 82
    captioned(CheckBox, IDC_SLEW_RATE, "Slew Rate Enable", { 277, 20, 73, 10 }), // 83
    picture(IDB_BOOST_GUIDE, { 369, 293, 200, 50 }), // 84
};

} // namespace

constinit const DialogTemplate evalDialogTemplate { IDD_EVAL_DIALOG, "KV3124 Evaluation Software", 575, 404, controls };
