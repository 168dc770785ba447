// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Control, command and pane ids of the main dialog (template 102).
namespace drivo::ctl {

inline constexpr int kExit = 8;
inline constexpr int kBatteryBar = 1025;
inline constexpr int kUsbIndicator = 1031;
inline constexpr int kTime1 = 1032;
inline constexpr int kTime2 = 1034;
inline constexpr int kTime3 = 1035;
inline constexpr int kTime4 = 1036;
inline constexpr int kTime5 = 1037;
inline constexpr int kSend = 1038;
inline constexpr int kRaceLength = 1039;
inline constexpr int kWheelDiam = 1040;
inline constexpr int kRaceInfo = 1041;
inline constexpr int kBattery = 1042;
inline constexpr int kRaceTimeOnly = 1043;
inline constexpr int kTimeMax = 1044;
inline constexpr int kChartArea = 1049;
inline constexpr int kRaceTimeLabel = 1051;
inline constexpr int kMaxSpeedLabel = 1052;
inline constexpr int kLanguageGroup = 1056;
inline constexpr int kRaceLengthLabel = 1059;
inline constexpr int kWheelDiamLabel = 1060;
inline constexpr int kTimeMaxLabel = 1061;
inline constexpr int kStage5Label = 1062;
inline constexpr int kStage4Label = 1063;
inline constexpr int kStage3Label = 1064;
inline constexpr int kStage2Label = 1065;
inline constexpr int kStage1Label = 1066;
inline constexpr int kFrenchFlag = 1054;
inline constexpr int kEnglishFlag = 1055;
inline constexpr int kBackgroundArea = 1069;
inline constexpr int kVersion = 1071;
inline constexpr int kReturnMode = 1072;

inline constexpr int kPaneStatus = 1028;
inline constexpr int kPaneClock = 1029;

inline constexpr int kAboutCommand = 16;
// The profile and journal items of the window menu.
inline constexpr int kOpenProfileCommand = 32;
inline constexpr int kSaveProfileCommand = 48;
inline constexpr int kJournalCommand = 64;
inline constexpr int kClockTimer = 100;

} // namespace drivo::ctl
