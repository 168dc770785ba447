// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ids of the string table (res/strings.json and every language bundle). There is no 1042.

namespace drivo {

inline constexpr int IDS_ABOUTBOX = 101; // About item of the window menu
inline constexpr int IDS_BATTERY_LOADING = 1030;
inline constexpr int IDS_BATTERY_LOADED = 1031;
inline constexpr int IDS_RACEINFO_LOADING = 1032;
inline constexpr int IDS_RACEINFO_LOADED = 1033;
inline constexpr int IDS_RACETIME_LOADING = 1034;
inline constexpr int IDS_RACETIME_LOADED = 1035; // %d: FormatRaceTimeLoaded
inline constexpr int IDS_TIP_BATTERY = 1036;
inline constexpr int IDS_TIP_RACEINFO = 1037;
inline constexpr int IDS_TIP_RACETIME = 1038; // not shown anywhere
inline constexpr int IDS_TIP_SEND = 1039;
inline constexpr int IDS_VERSION_LOADING = 1040;
inline constexpr int IDS_VERSION_LOADED = 1041;
inline constexpr int IDS_SENDING = 1043;
inline constexpr int IDS_SENT = 1044;
inline constexpr int IDS_USB_CHECKING = 1045;
inline constexpr int IDS_NO_CAR_FOUND = 1046;
inline constexpr int IDS_CHART_STATUS = 1047; // %d%% %d: FormatChartStatus
inline constexpr int IDS_RACEINFO_BUTTON = 1048;
inline constexpr int IDS_BATTERY_BUTTON = 1049;
inline constexpr int IDS_SEND_BUTTON = 1050;
inline constexpr int IDS_USB_CONNECTION = 1051; // not shown anywhere
inline constexpr int IDS_BATTERY_CHARGE = 1052; // not shown anywhere
inline constexpr int IDS_LANGUAGE_GROUP = 1053;
inline constexpr int IDS_RACE_LENGTH_LABEL = 1054;
inline constexpr int IDS_WHEEL_DIAM_LABEL = 1055;
inline constexpr int IDS_TIME_MAX_LABEL = 1056;
inline constexpr int IDS_STAGE1_LABEL = 1057;
inline constexpr int IDS_STAGE2_LABEL = 1058;
inline constexpr int IDS_STAGE3_LABEL = 1059;
inline constexpr int IDS_STAGE4_LABEL = 1060;
inline constexpr int IDS_STAGE5_LABEL = 1061;
inline constexpr int IDS_RACEINFO_TITLE = 1062; // not shown anywhere
inline constexpr int IDS_TIMED_RACE = 1063;     // %d: FormatTimedRace
inline constexpr int IDS_MAX_SPEED = 1064;      // %0.02f: FormatMaxSpeed
inline constexpr int IDS_COMM_ERROR = 1065;
inline constexpr int IDS_CHART_TITLE = 1066;
inline constexpr int IDS_RANGE_MESSAGE = 1067; // %1 %2: FormatRangeMessage
inline constexpr int IDS_DEFAULTS_WARNING = 1068;
inline constexpr int IDS_RETURN_CHECKBOX = 1069;
// An FTDI bridge is attached but the user may not open it (Linux: no udev rule).
inline constexpr int IDS_CAR_INACCESSIBLE = 1070;
// Profiles and the race journal. Texts with %1 ... take FormatNumbered's arguments.
inline constexpr int IDS_MENU_OPEN_PROFILE = 1071; // window menu, Ctrl+O
inline constexpr int IDS_MENU_SAVE_PROFILE = 1072; // window menu, Ctrl+S
inline constexpr int IDS_MENU_JOURNAL = 1073;      // window menu, Ctrl+J
inline constexpr int IDS_JOURNAL_TITLE = 1074;
inline constexpr int IDS_JOURNAL_LOAD = 1075;
inline constexpr int IDS_JOURNAL_EXPORT = 1076;          // button and file dialog title
inline constexpr int IDS_PROFILE_REFUSED = 1077;         // %1 file %2 key %3 value %4 %5 range
inline constexpr int IDS_PROFILE_UNREADABLE = 1078;      // %1 file %2 reason
inline constexpr int IDS_PROFILE_WRITE_FAILED = 1079;    // %1 file %2 reason
inline constexpr int IDS_JOURNAL_UNWRITABLE = 1080;      // pane 0; %1 file %2 reason
inline constexpr int IDS_JOURNAL_UNREADABLE = 1081;      // %1 file %2 reason
inline constexpr int IDS_JOURNAL_EXPORT_FAILED = 1082;   // %1 file %2 reason
inline constexpr int IDS_JOURNAL_PROFILE_REFUSED = 1083; // %1 key %2 value %3 %4 range
inline constexpr int IDS_COLUMN_DATE = 1084;
inline constexpr int IDS_COLUMN_RACE_TIME = 1085; // column and axis
inline constexpr int IDS_COLUMN_TOP_SPEED = 1086; // column and axis
inline constexpr int IDS_COLUMN_END_TIMES = 1087;
inline constexpr int IDS_COLUMN_INTENSITIES = 1088;
inline constexpr int IDS_AXIS_RUN = 1089;
inline constexpr int IDS_PROFILE_FILTER = 1090;  // file dialog
inline constexpr int IDS_JOURNAL_FILTER = 1091;  // file dialog
inline constexpr int IDS_JOURNAL_NO_PLOT = 1092; // %1 why

// Every id of the table, in ascending order.
inline constexpr int kStringIds[] = {
    IDS_ABOUTBOX,
    IDS_BATTERY_LOADING,
    IDS_BATTERY_LOADED,
    IDS_RACEINFO_LOADING,
    IDS_RACEINFO_LOADED,
    IDS_RACETIME_LOADING,
    IDS_RACETIME_LOADED,
    IDS_TIP_BATTERY,
    IDS_TIP_RACEINFO,
    IDS_TIP_RACETIME,
    IDS_TIP_SEND,
    IDS_VERSION_LOADING,
    IDS_VERSION_LOADED,
    IDS_SENDING,
    IDS_SENT,
    IDS_USB_CHECKING,
    IDS_NO_CAR_FOUND,
    IDS_CHART_STATUS,
    IDS_RACEINFO_BUTTON,
    IDS_BATTERY_BUTTON,
    IDS_SEND_BUTTON,
    IDS_USB_CONNECTION,
    IDS_BATTERY_CHARGE,
    IDS_LANGUAGE_GROUP,
    IDS_RACE_LENGTH_LABEL,
    IDS_WHEEL_DIAM_LABEL,
    IDS_TIME_MAX_LABEL,
    IDS_STAGE1_LABEL,
    IDS_STAGE2_LABEL,
    IDS_STAGE3_LABEL,
    IDS_STAGE4_LABEL,
    IDS_STAGE5_LABEL,
    IDS_RACEINFO_TITLE,
    IDS_TIMED_RACE,
    IDS_MAX_SPEED,
    IDS_COMM_ERROR,
    IDS_CHART_TITLE,
    IDS_RANGE_MESSAGE,
    IDS_DEFAULTS_WARNING,
    IDS_RETURN_CHECKBOX,
    IDS_CAR_INACCESSIBLE,
    IDS_MENU_OPEN_PROFILE,
    IDS_MENU_SAVE_PROFILE,
    IDS_MENU_JOURNAL,
    IDS_JOURNAL_TITLE,
    IDS_JOURNAL_LOAD,
    IDS_JOURNAL_EXPORT,
    IDS_PROFILE_REFUSED,
    IDS_PROFILE_UNREADABLE,
    IDS_PROFILE_WRITE_FAILED,
    IDS_JOURNAL_UNWRITABLE,
    IDS_JOURNAL_UNREADABLE,
    IDS_JOURNAL_EXPORT_FAILED,
    IDS_JOURNAL_PROFILE_REFUSED,
    IDS_COLUMN_DATE,
    IDS_COLUMN_RACE_TIME,
    IDS_COLUMN_TOP_SPEED,
    IDS_COLUMN_END_TIMES,
    IDS_COLUMN_INTENSITIES,
    IDS_AXIS_RUN,
    IDS_PROFILE_FILTER,
    IDS_JOURNAL_FILTER,
    IDS_JOURNAL_NO_PLOT,
};

} // namespace drivo
