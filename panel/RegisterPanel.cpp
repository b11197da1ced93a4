#include "RegisterPanel.h"

#include "framework/CDataExchange.h"
#include "res/ResourceIds.h"

void RegisterPanel::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_MODE_LIST, modeList);
    DDX_Control(pDX, IDC_CURRENT_SCALE_LIST, currentScaleList);
    DDX_Control(pDX, IDC_PWM_FREQUENCY_LIST, pwmFrequencyList);
    DDX_Control(pDX, IDC_STEP_LIST, stepList);
    DDX_Control(pDX, IDC_SMOOTHING_LIST, smoothingList);
    DDX_Control(pDX, IDC_BRIGHTNESS_SLIDER, brightnessSlider);
    DDX_Control(pDX, IDC_BOOST_COMP_LIST, boostCompList);
    DDX_Control(pDX, IDC_BOOST_FSET_LIST, boostFsetList);

    DDX_Text(pDX, IDC_REG_ADDR, regAddrText);
    DDX_Text(pDX, IDC_DATA, dataText);
    DDX_Text(pDX, IDC_REG00, reg00Text);
    DDX_Text(pDX, IDC_REG01, reg01Text);
    DDX_Text(pDX, IDC_REG02, reg02Text);
    DDX_Text(pDX, IDC_REG03, reg03Text);
    DDX_Text(pDX, IDC_REG04, reg04Text);

    DDX_Check(pDX, IDC_LED1, ledEnable1);
    DDX_Check(pDX, IDC_LED2, ledEnable2);
    DDX_Check(pDX, IDC_LED3, ledEnable3);
    DDX_Check(pDX, IDC_LED4, ledEnable4);
    DDX_Check(pDX, IDC_LED5, ledEnable5);
    DDX_Check(pDX, IDC_LED6, ledEnable6);
    DDX_Check(pDX, IDC_UNDER_VOLTAGE, underVoltage);
    DDX_Check(pDX, IDC_OVER_VOLTAGE, overVoltage);
    DDX_Check(pDX, IDC_OVER_CURRENT, overCurrent);
    DDX_Check(pDX, IDC_TSD, thermalShutdown);
    DDX_Check(pDX, IDC_UVLO, uvlo);
    DDX_Check(pDX, IDC_ENABLE_BACKLIGHT, enableBacklight);
    DDX_Check(pDX, IDC_OPEN, openFault);
    DDX_Check(pDX, IDC_SHORT, shortFault);
    DDX_Check(pDX, IDC_AUTO_STRING, autoString);
    DDX_Check(pDX, IDC_ISET_EXTERNAL, isetExternal);
    DDX_Check(pDX, IDC_BOOST_FSET_EXTERNAL, boostFsetExternal);
    DDX_Check(pDX, IDC_BOOST_COMP_EXTERNAL, boostCompExternal);
    DDX_Check(pDX, IDC_PWM_STANDBY, pwmStandby);
    DDX_Check(pDX, IDC_SPREAD_SPECTRUM, spreadSpectrum);
    DDX_Check(pDX, IDC_SLEW_RATE, slewRate);
    DDX_Check(pDX, IDC_PFSET_EXTERNAL, pfsetExternal);

    DDX_Text(pDX, IDC_REG10, reg10Text);
    DDX_Text(pDX, IDC_REG11, reg11Text);
    DDX_Text(pDX, IDC_REG12, reg12Text);
    DDX_Text(pDX, IDC_REG13, reg13Text);
    DDX_Text(pDX, IDC_REG14, reg14Text);
    DDX_Text(pDX, IDC_REG15, reg15Text);
    DDX_Text(pDX, IDC_TARGET, targetText);
    DDX_Text(pDX, IDC_PERCENT, percentText);
}
