// The model behind the main dialog: read-back texts, flags, and the list and slider controls.
#pragma once

#include "framework/CComboBox.h"
#include "framework/CSliderCtrl.h"

#include <string>

class CDataExchange;

struct RegisterPanel {
    // Manual access
    std::string regAddrText;
    std::string dataText;

    // Read-back cells
    std::string reg00Text, reg01Text, reg02Text, reg03Text, reg04Text;
    std::string reg10Text, reg11Text, reg12Text, reg13Text, reg14Text, reg15Text;
    // Read by Readback All, shown by no control
    std::string reg16Text, reg17Text, reg18Text, reg1CText, reg1DText, reg1EText, reg1FText;

    // Brightness
    std::string targetText;
    std::string percentText;

    // Flags: 1 checked, 0 clear
    int ledEnable1 = 1, ledEnable2 = 1, ledEnable3 = 1, ledEnable4 = 1, ledEnable5 = 1, ledEnable6 = 1;
    int underVoltage = 0, overVoltage = 0, overCurrent = 0, thermalShutdown = 0, uvlo = 0;
    int enableBacklight = 0;
    int openFault = 0, shortFault = 0;
    int autoString = 0;
    int isetExternal = 0;
    int pwmStandby = 0;
    int pfsetExternal = 0;
    int boostFsetExternal = 0;
    int boostCompExternal = 0;
    int spreadSpectrum = 0;
    int slewRate = 0;

    // Controls asked for their selection or position when an operation needs it
    CComboBox modeList;
    CComboBox currentScaleList;
    CComboBox pwmFrequencyList;
    CComboBox stepList;
    CComboBox smoothingList;
    CComboBox boostFsetList;
    CComboBox boostCompList;
    CSliderCtrl brightnessSlider;

    // The binding table, in binding order.
    void DoDataExchange(CDataExchange* pDX);
};
