#pragma once

#include "Texts.h"

// Texts of the list and report header pages and of the test point dialogs.
namespace k30::texts {

// List page
inline constexpr Text kListLabel{"测试数据", "Test Data"};
inline constexpr const Text& kColTestNumber = texts::kTestNumberCaption;
inline constexpr Text kColStress125{"沉降1.25mm对应的荷载强度(MPa)", "Load Strength(MPa) Corresponding to 1.25mm Settlement"};
inline constexpr Text kColK30{"地基系数值(MPa/m)", "Foundation Coefficient(MPa/m))"};
inline constexpr Text kColStress{"应力", " Stress"};          // after the pair number
inline constexpr Text kColSettlement{"沉降量", " Settlement"};
inline constexpr const Text& kColStartTime = texts::kStartTimeCaption;
inline constexpr const Text& kColEndTime = texts::kEndTimeCaption;

// Report header page
inline constexpr Text kHeaderTitle{"地基系数检测报告表头", "Report header of Foundation Coefficient Testing"};
// The box captions are those of ReportHeader.h.

// Test point name dialog
inline constexpr Text kInputNameTitle{"请输入测试点名称", "Please enter the name of the test point"};
inline constexpr Text kInputNameLabel{"测试点名称", "Test Point Name"};

// Point choice dialog
inline constexpr Text kSelectTitle{"选择需要保存的测试点序号",
                                   "Please select the serial number of the test points you need to save"};
inline constexpr Text kAddAll{"全部添加", "Add all"};
inline constexpr Text kDeleteAll{"全部删除", "Delete all"};
inline constexpr Text kMoveRight{"-->>", "-->>"};
inline constexpr Text kMoveLeft{"<<--", "<<--"};

// Rename dialog
inline constexpr Text kRenameColumn0{"【测试序号】", "[Test Number]"};
inline constexpr Text kRenameColumn1{"保存名称", "Save Name"};

}  // namespace k30::texts
