#include "AccessibleTexts.h"

#include "framework/CDialog.h"
#include "framework/QtText.h"
#include "res/ResourceIds.h"

#include <QWidget>

namespace {

constexpr AccessibleText picture(int imageId, std::string_view name, std::string_view description)
{
    return { imageId, name, description, true };
}

constexpr AccessibleText evalDialogTexts[] = {
    { IDC_OPEN, "Open fault" },
    { IDC_SHORT, "Short fault" },
    { IDC_UNDER_VOLTAGE, "Under Voltage fault" },
    { IDC_OVER_VOLTAGE, "Over Voltage fault" },
    { IDC_OVER_CURRENT, "Over Current fault" },
    { IDC_TSD, "Thermal Shutdown (TSD)" },
    { IDC_UVLO, "Under-Voltage Lockout (UVLO)" },
    { IDC_SLEW_RATE, "Slew Rate Enable" },
    { IDC_SPREAD_SPECTRUM, "Spread Spectrum Enable" },
    { IDC_ENABLE_BACKLIGHT, "Enable Backlight" },
    { IDC_BRIGHTNESS_SLIDER, "Brightness" },
    { IDC_PERCENT, "Brightness percent" },
    { IDC_TARGET, "Target brightness" },
    { IDC_SMOOTHING_LIST, "Smoothing" },
    { IDC_STEP_LIST, "Step" },
    { IDC_PWM_STANDBY, "PWM Standby" },
    { IDC_AUTO_STRING, "Auto String Detect" },
    { IDC_MODE_LIST, "Brightness Mode" },
    { IDC_ISET_EXTERNAL, "ISET External" },
    { IDC_CURRENT_SCALE_LIST, "Current Scale" },
    { IDC_PFSET_EXTERNAL, "PFSET External" },
    { IDC_PWM_FREQUENCY_LIST, "PWM Frequency" },
    { IDC_BOOST_FSET_EXTERNAL, "BOOST FSET External" },
    { IDC_BOOST_FSET_LIST, "BOOST FSET" },
    { IDC_BOOST_COMP_EXTERNAL, "BOOST COMP External" },
    { IDC_BOOST_COMP_LIST, "BOOST COMP" },
    { IDC_REG_ADDR, "Register address" },
    { IDC_DATA, "Data" },
    { IDC_LED1, "LED 1 enable" },
    { IDC_LED2, "LED 2 enable" },
    { IDC_LED3, "LED 3 enable" },
    { IDC_LED4, "LED 4 enable" },
    { IDC_LED5, "LED 5 enable" },
    { IDC_LED6, "LED 6 enable" },
    { IDC_REG00, "Register 00 read-back" },
    { IDC_REG01, "Register 01 read-back" },
    { IDC_REG02, "Register 02 read-back" },
    { IDC_REG03, "Register 03 read-back" },
    { IDC_REG04, "Register 04 read-back" },
    { IDC_REG10, "Register 10 read-back" },
    { IDC_REG11, "Register 11 read-back" },
    { IDC_REG12, "Register 12 read-back" },
    { IDC_REG13, "Register 13 read-back" },
    { IDC_REG14, "Register 14 read-back" },
    { IDC_REG15, "Register 15 read-back" },
    picture(IDB_LOGO, "KV3124 logo", "The KV3124 Evaluation Software logo."),
    picture(IDB_BOOST_GUIDE, "Boost compensation guide",
        "Suggested BOOST COMP option by switching frequency and inductor: at 500 kHz, 1 for 10 or 15 µH and 0 for "
        "22 µH; at 1 MHz, 1 for 4.7 or 6.8 µH and 0 for 10 µH."),
};

constexpr AccessibleText aboutDialogTexts[] = {
    picture(IDR_MAINFRAME, "KV3124 icon", "A lit LED, the program's icon."),
};

} // namespace

std::span<const AccessibleText> evalDialogAccessibleTexts()
{
    return evalDialogTexts;
}

std::span<const AccessibleText> aboutDialogAccessibleTexts()
{
    return aboutDialogTexts;
}

void describeControls(CDialog& dialog, std::span<const AccessibleText> texts)
{
    for (const AccessibleText& text : texts) {
        QWidget* widget = text.picture ? dialog.imageWidget(text.id) : dialog.controlWidget(text.id);
        widget->setAccessibleName(toQString(text.name));
        widget->setAccessibleDescription(toQString(text.description));
    }
}
