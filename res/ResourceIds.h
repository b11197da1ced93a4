// Resource and control ids of the two dialogs; the event table and the templates share them.
#pragma once

// Dialogs, strings, icons, bitmaps
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDS_ABOUTBOX = 101;
constexpr int IDD_EVAL_DIALOG = 102;
constexpr int IDR_MAINFRAME = 132;
constexpr int IDB_LOGO = 145;
constexpr int IDB_BOOST_GUIDE = 148;

// System-menu commands: the About entry and the register files below it
constexpr unsigned IDM_ABOUTBOX = 0x0010;
constexpr unsigned IDM_SAVE_REGISTERS = 0x0020;
constexpr unsigned IDM_LOAD_REGISTERS = 0x0030;

// Controls of the main dialog
constexpr int IDC_EXIT = 2;
constexpr int IDC_REG00 = 1006;
constexpr int IDC_REG_ADDR = 1016;
constexpr int IDC_DATA = 1017;
constexpr int IDC_WRITE = 1018;
constexpr int IDC_READ = 1019;
constexpr int IDC_READBACK_ALL = 1020;
constexpr int IDC_UNDER_VOLTAGE = 1022;
constexpr int IDC_OVER_VOLTAGE = 1023;
constexpr int IDC_OVER_CURRENT = 1024;
constexpr int IDC_TSD = 1025;
constexpr int IDC_UVLO = 1026;
constexpr int IDC_LED2 = 1027;
constexpr int IDC_LED3 = 1028;
constexpr int IDC_LED4 = 1029;
constexpr int IDC_LED5 = 1030;
constexpr int IDC_LED6 = 1031;
constexpr int IDC_ALL_ON = 1036;
constexpr int IDC_ALL_OFF = 1037;
constexpr int IDC_LED1 = 1039;
constexpr int IDC_REG01 = 1040;
constexpr int IDC_REG02 = 1041;
constexpr int IDC_REG03 = 1042;
constexpr int IDC_REG04 = 1043;
constexpr int IDC_ENABLE_BACKLIGHT = 1044;
constexpr int IDC_MODE_LIST = 1046;
constexpr int IDC_BRIGHTNESS_SLIDER = 1054;
constexpr int IDC_REG10 = 1055;
constexpr int IDC_VERSION = 1056;
constexpr int IDC_STATUS = 1057;
constexpr int IDC_REG12 = 1058;
constexpr int IDC_REG13 = 1059;
constexpr int IDC_REG14 = 1060;
constexpr int IDC_REG15 = 1061;
constexpr int IDC_REG11 = 1065;
constexpr int IDC_CURRENT_SCALE_LIST = 1070;
constexpr int IDC_OPEN = 1071;
constexpr int IDC_SHORT = 1074;
constexpr int IDC_SET = 1077;
constexpr int IDC_TARGET = 1102;
constexpr int IDC_AUTO_STRING = 1103;
constexpr int IDC_ISET_EXTERNAL = 1105;
constexpr int IDC_PERCENT = 1117;
constexpr int IDC_BOOST_COMP_EXTERNAL = 1119;
constexpr int IDC_PFSET_EXTERNAL = 1120;
constexpr int IDC_PWM_FREQUENCY_LIST = 1122;
constexpr int IDC_STEP_LIST = 1125;
constexpr int IDC_SMOOTHING_LIST = 1128;
constexpr int IDC_PWM_STANDBY = 1131;
constexpr int IDC_RESET = 1143;
constexpr int IDC_BOOST_FSET_EXTERNAL = 1145;
constexpr int IDC_BOOST_FSET_LIST = 1156;
constexpr int IDC_BOOST_COMP_LIST = 1157;
constexpr int IDC_SPREAD_SPECTRUM = 1160;
constexpr int IDC_SLEW_RATE = 1161;
