// Which operation each control event runs; the first matching entry wins.
// The status boxes and typing into the Mode, Current Scale, PWM Frequency and BOOST COMP fields run nothing.
#include "EvalDialog.h"

#include "panel/BitToggles.h"
#include "panel/Brightness.h"
#include "panel/FieldSelectors.h"
#include "panel/ManualAccess.h"
#include "panel/Readback.h"
#include "res/ResourceIds.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace {

const std::array<EventEntry<EvalDialog>, 34> events { {
    { BN_CLICKED, IDC_LED1, [](EvalDialog& d) { toggleBit(d, ledEnable1Toggle); } },
    { BN_CLICKED, IDC_LED2, [](EvalDialog& d) { toggleBit(d, ledEnable2Toggle); } },
    { BN_CLICKED, IDC_LED3, [](EvalDialog& d) { toggleBit(d, ledEnable3Toggle); } },
    { BN_CLICKED, IDC_LED4, [](EvalDialog& d) { toggleBit(d, ledEnable4Toggle); } },
    { BN_CLICKED, IDC_LED5, [](EvalDialog& d) { toggleBit(d, ledEnable5Toggle); } },
    { BN_CLICKED, IDC_LED6, [](EvalDialog& d) { toggleBit(d, ledEnable6Toggle); } },
    { BN_CLICKED, IDC_ALL_ON, [](EvalDialog& d) { switchAllLeds(d, true); } },
    { BN_CLICKED, IDC_ALL_OFF, [](EvalDialog& d) { switchAllLeds(d, false); } },
    { BN_CLICKED, IDC_ENABLE_BACKLIGHT, [](EvalDialog& d) { toggleBit(d, backlightToggle); } },
    { BN_CLICKED, IDC_SPREAD_SPECTRUM, [](EvalDialog& d) { toggleBit(d, spreadSpectrumToggle); } },
    { BN_CLICKED, IDC_SLEW_RATE, [](EvalDialog& d) { toggleBit(d, slewRateToggle); } },
    { BN_CLICKED, IDC_AUTO_STRING, [](EvalDialog& d) { toggleBit(d, autoStringToggle); } },
    { BN_CLICKED, IDC_PWM_STANDBY, [](EvalDialog& d) { toggleBit(d, pwmStandbyToggle); } },
    { BN_CLICKED, IDC_RESET, [](EvalDialog& d) { resetChip(d); } },

    { CBN_SELCHANGE, IDC_MODE_LIST, [](EvalDialog& d) { selectMode(d); } },
    { CBN_SELCHANGE, IDC_CURRENT_SCALE_LIST, [](EvalDialog& d) { selectCurrentScale(d); } },
    { BN_CLICKED, IDC_ISET_EXTERNAL, [](EvalDialog& d) { toggleIsetExternal(d); } },
    { CBN_SELCHANGE, IDC_PWM_FREQUENCY_LIST, [](EvalDialog& d) { selectPwmFrequency(d); } },
    { BN_CLICKED, IDC_PFSET_EXTERNAL, [](EvalDialog& d) { togglePfsetExternal(d); } },
    { CBN_SELCHANGE, IDC_BOOST_FSET_LIST, [](EvalDialog& d) { selectBoostFset(d); } },
    { CBN_EDITCHANGE, IDC_BOOST_FSET_LIST, [](EvalDialog& d) { selectBoostFset(d); } },
    { BN_CLICKED, IDC_BOOST_FSET_EXTERNAL, [](EvalDialog& d) { toggleBoostExternal(d, boostFsetExternal); } },
    { CBN_SELCHANGE, IDC_BOOST_COMP_LIST, [](EvalDialog& d) { selectBoostComp(d); } },
    { BN_CLICKED, IDC_BOOST_COMP_EXTERNAL, [](EvalDialog& d) { toggleBoostExternal(d, boostCompExternal); } },
    { CBN_SELCHANGE, IDC_STEP_LIST, [](EvalDialog& d) { selectStepField(d, stepTimeField); } },
    { CBN_EDITCHANGE, IDC_STEP_LIST, [](EvalDialog& d) { selectStepField(d, stepTimeField); } },
    { CBN_SELCHANGE, IDC_SMOOTHING_LIST, [](EvalDialog& d) { selectStepField(d, smoothingField); } },
    { CBN_EDITCHANGE, IDC_SMOOTHING_LIST, [](EvalDialog& d) { selectStepField(d, smoothingField); } },

    { NM_CUSTOMDRAW, IDC_BRIGHTNESS_SLIDER, [](EvalDialog& d) { brightnessChanged(d); } },
    { EN_UPDATE, IDC_TARGET, [](EvalDialog& d) { targetChanged(d); } },
    { BN_CLICKED, IDC_SET, [](EvalDialog& d) { setBrightness(d); } },

    { BN_CLICKED, IDC_READBACK_ALL, [](EvalDialog& d) { readbackAll(d); } },
    { BN_CLICKED, IDC_READ, [](EvalDialog& d) { manualRead(d); } },
    { BN_CLICKED, IDC_WRITE, [](EvalDialog& d) { manualWrite(d); } },
} };

struct ControlName {
    int controlId;
    std::string_view name;
};

const ControlName controlNames[] {
    { IDC_LED1, "LED 1 box" },
    { IDC_LED2, "LED 2 box" },
    { IDC_LED3, "LED 3 box" },
    { IDC_LED4, "LED 4 box" },
    { IDC_LED5, "LED 5 box" },
    { IDC_LED6, "LED 6 box" },
    { IDC_ALL_ON, "All On button" },
    { IDC_ALL_OFF, "All Off button" },
    { IDC_ENABLE_BACKLIGHT, "Enable Backlight box" },
    { IDC_SPREAD_SPECTRUM, "Spread Spectrum box" },
    { IDC_SLEW_RATE, "Slew Rate box" },
    { IDC_AUTO_STRING, "Auto String Detect box" },
    { IDC_PWM_STANDBY, "PWM Standby box" },
    { IDC_RESET, "Reset button" },
    { IDC_MODE_LIST, "Mode list" },
    { IDC_CURRENT_SCALE_LIST, "Current Scale list" },
    { IDC_ISET_EXTERNAL, "ISET External box" },
    { IDC_PWM_FREQUENCY_LIST, "PWM Frequency list" },
    { IDC_PFSET_EXTERNAL, "PFSET External box" },
    { IDC_BOOST_FSET_LIST, "BOOST FSET list" },
    { IDC_BOOST_FSET_EXTERNAL, "BOOST FSET External box" },
    { IDC_BOOST_COMP_LIST, "BOOST COMP list" },
    { IDC_BOOST_COMP_EXTERNAL, "BOOST COMP External box" },
    { IDC_STEP_LIST, "Step list" },
    { IDC_SMOOTHING_LIST, "Smoothing list" },
    { IDC_BRIGHTNESS_SLIDER, "Brightness slider" },
    { IDC_TARGET, "Target field" },
    { IDC_SET, "Set button" },
    { IDC_READBACK_ALL, "Readback All button" },
    { IDC_READ, "Read button" },
    { IDC_WRITE, "Write button" },
};

} // namespace

std::span<const EventEntry<EvalDialog>> EvalDialog::eventTable()
{
    return events;
}

std::string_view EvalDialog::controlName(int controlId)
{
    const auto found = std::ranges::find(controlNames, controlId, &ControlName::controlId);
    return found == std::end(controlNames) ? std::string_view() : found->name;
}
