#pragma once
// The keypads' control ids, as the screens' tests press them.

namespace screentest {

constexpr int kTimerMajor[] = {1046, 1068, 1071, 1072, 1069, 1074, 1076, 1070, 1075, 1077};
constexpr int kTimerMinor[] = {1078, 1079, 1082, 1083, 1080, 1085, 1087, 1081, 1086, 1088};
constexpr int kTimerMajorDelete = 1073;
constexpr int kTimerDefault = 1066;
constexpr int kTimerAccept = 1090;
constexpr int kTimerCancel = 1089;
constexpr int kTemperatureDigits[] = {1002, 1003, 1007, 1008, 1004, 1009, 1011, 1005, 1010, 1012};
constexpr int kTemperatureDelete = 1006;
constexpr int kTemperatureClear = 1015;
constexpr int kTemperatureDefault = 1014;
constexpr int kTemperatureAccept = 1013;
constexpr int kTemperatureCancel = 1001;

}  // namespace screentest
