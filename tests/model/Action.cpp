#include "Action.h"

#include "res/ResourceIds.h"

#include <Qt>

#include <tuple>

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
using G = ActionGenerator;
// Every kind of action in the order of Action::Kind: its name, how often it is drawn out of 1000, and how.
constexpr std::tuple<const char*, int, Action (*)(G&)> kKinds[] {
    { "press", 350, [](G& g) { return Action(Action::Press, g.pick(kPressable), 0, g.below(4) == 0); } },
    { "choose", 180,
        [](G& g) {
            const auto [list, items] = g.pick(kLists);
            return Action(Action::Choose, list, g.below(static_cast<std::size_t>(items)));
        } },
    { "type into", 220, [](G& g) { return Action(Action::Type, g.pick(kTypable), 0, false, g.typed()); } },
    { "key", 90, [](G& g) { return Action(Action::SliderKey, IDC_BRIGHTNESS_SLIDER, g.pick(kKeys)); } },
    { "slider to", 50, [](G& g) { return Action(Action::SliderTo, IDC_BRIGHTNESS_SLIDER, g.below(4096)); } },
    { "repaint", 15, [](G&) { return Action(Action::Repaint, IDC_BRIGHTNESS_SLIDER); } },
    { "status bits", 45, [](G& g) { return Action(Action::Status, 0, g.below(256)); } },
    { "fail", 30, [](G& g) { return Action(Action::Fail, 0, 1 + g.below(3), g.below(2) == 0); } },
    { "plug", 20, [](G& g) { return Action(Action::Plug, 0, 0, g.unplugged = !g.unplugged); } },
};

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
    const auto* kind = kKinds;
    for (; draw >= std::get<1>(*kind); ++kind)
        draw -= std::get<1>(*kind);
    return std::get<2>(*kind)(*this);
}

// The kind, the control and the value, as the action's fields hold them.
std::string describe(const Action& a)
{
    return std::get<0>(kKinds[a.kind]) + (" " + std::to_string(a.id)) + " " + std::to_string(a.value)
        + (a.other ? " other" : "") + (a.kind == Action::Type ? " \"" + a.text + "\"" : "");
}
