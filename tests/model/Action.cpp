#include "Action.h"

#include "res/ResourceIds.h"

#include <Qt>

namespace {

constexpr int kPressable[] { IDC_LED1, IDC_LED2, IDC_LED3, IDC_LED4, IDC_LED5, IDC_LED6, IDC_UNDER_VOLTAGE,
    IDC_OVER_VOLTAGE, IDC_OVER_CURRENT, IDC_TSD, IDC_UVLO, IDC_OPEN, IDC_SHORT, IDC_ENABLE_BACKLIGHT,
    IDC_SPREAD_SPECTRUM, IDC_SLEW_RATE, IDC_AUTO_STRING, IDC_PWM_STANDBY, IDC_ISET_EXTERNAL, IDC_PFSET_EXTERNAL,
    IDC_BOOST_FSET_EXTERNAL, IDC_BOOST_COMP_EXTERNAL, IDC_ALL_ON, IDC_ALL_OFF, IDC_RESET, IDC_SET, IDC_READBACK_ALL,
    IDC_READ, IDC_WRITE, IDC_READ, IDC_WRITE, IDC_READBACK_ALL };
// Each list with its number of items.
constexpr std::pair<int, int> kLists[] { { IDC_MODE_LIST, 4 }, { IDC_CURRENT_SCALE_LIST, 9 },
    { IDC_PWM_FREQUENCY_LIST, 9 }, { IDC_BOOST_FSET_LIST, 3 }, { IDC_BOOST_COMP_LIST, 3 }, { IDC_STEP_LIST, 4 },
    { IDC_SMOOTHING_LIST, 4 } };
constexpr int kTypable[] { IDC_REG_ADDR, IDC_DATA, IDC_TARGET, IDC_REG_ADDR, IDC_DATA, IDC_TARGET, IDC_TARGET,
    IDC_MODE_LIST, IDC_CURRENT_SCALE_LIST, IDC_PWM_FREQUENCY_LIST, IDC_BOOST_FSET_LIST, IDC_BOOST_COMP_LIST,
    IDC_STEP_LIST, IDC_SMOOTHING_LIST };
constexpr int kKeys[] { Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
    Qt::Key_Home, Qt::Key_End };
// Texts no list item equals: an exact item text would select it when the field loses the focus.
constexpr const char* kJunk[] { "zz", "12G4", " 0x1f", "-5", "0x", "+7f", "g", "0X80 " };
// What is drawn how often, out of 1000.
constexpr std::pair<Action::Kind, int> kKinds[] { { Action::Press, 350 }, { Action::Choose, 180 },
    { Action::Type, 220 }, { Action::SliderKey, 90 }, { Action::SliderTo, 50 }, { Action::Repaint, 15 },
    { Action::Status, 45 }, { Action::Fail, 30 }, { Action::Plug, 20 } };

} // namespace

// Hex in both cases, junk, nothing, or more digits than an unsigned long holds.
std::string ActionGenerator::typed()
{
    std::string text;
    switch (below(6)) {
    case 0:
        return pick(kJunk);
    case 1:
        return text;
    case 2:
        return std::string(static_cast<std::size_t>(17 + below(8)), 'F');
    }
    for (int n = 1 + below(4); n > 0; --n)
        text += "0123456789ABCDEFabcdef"[below(22)];
    return text;
}

Scenario ActionGenerator::scenario(std::optional<ptx::sim::Fault> fault)
{
    Scenario s { fault, {}, {} };
    for (auto& byte : s.firmware)
        byte = static_cast<unsigned char>(below(256));
    for (int reg = 0; reg < 0x20; ++reg)
        s.registers.emplace_back(reg, below(256));
    return s;
}

Action ActionGenerator::next()
{
    if (unplugged && below(15) == 0)
        return { Action::Plug, 0, 0, unplugged = false };
    int draw = below(1000);
    const auto* row = kKinds;
    for (; draw >= row->second; ++row)
        draw -= row->second;
    const auto list = pick(kLists);
    switch (row->first) {
    case Action::Press:
        return { Action::Press, pick(kPressable), 0, below(4) == 0 };
    case Action::Choose:
        return { Action::Choose, list.first, below(list.second) };
    case Action::Type:
        return { Action::Type, pick(kTypable), 0, false, typed() };
    case Action::SliderKey:
        return { Action::SliderKey, IDC_BRIGHTNESS_SLIDER, pick(kKeys) };
    case Action::SliderTo:
        return { Action::SliderTo, IDC_BRIGHTNESS_SLIDER, below(4096) };
    case Action::Status:
        return { Action::Status, 0, below(256) };
    case Action::Fail:
        return { Action::Fail, 0, 1 + below(3), below(2) == 0 };
    case Action::Plug:
        return { Action::Plug, 0, 0, unplugged = !unplugged };
    default:
        return { row->first };
    }
}

// The kind, the control and the value, as the action's fields hold them.
std::string describe(const Action& a)
{
    static constexpr const char* names[] { "press", "choose", "type into", "key", "slider to", "repaint", "status bits",
        "fail", "plug" };
    return names[a.kind] + (" " + std::to_string(a.id)) + " " + std::to_string(a.value) + (a.other ? " other" : "")
        + (a.kind == Action::Type ? " \"" + a.text + "\"" : "");
}
