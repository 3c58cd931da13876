#pragma once

#include "Language.h"
#include "StatFormat.h"
#include "Texts.h"

// Texts of the CSV, XLSX and AGS4 exports: column titles, sheet labels and
// the labels of free-text fields.
namespace k30::exporttexts {

// K30 table
inline constexpr const Text& kName = texts::kTestNumberCaption;
inline constexpr const Text& kStartTime = texts::kStartTimeCaption;
inline constexpr const Text& kEndTime = texts::kEndTimeCaption;
inline constexpr Text kStress125{"沉降1.25mm对应的荷载强度(MPa)", "Stress at 1.25 mm (MPa)"};
inline constexpr Text kK30{"地基系数K30(MPa/m)", "K30 (MPa/m)"};
inline constexpr Text kTestType{"测试类型", "Test Type"};
inline constexpr Text kDesignLoad{"设计荷载(MPa)", "Design Load (MPa)"};
inline constexpr Text kStress{"应力(MPa)", " Stress (MPa)"};  // after the reading number
inline constexpr Text kSettlement{"沉降量(mm)", " Settlement (mm)"};
inline constexpr const Text& kVerdict = texts::kVerdict;
inline constexpr Text kLowerBound{"K30下限(MPa/m)", "K30 Lower Bound (MPa/m)"};
inline constexpr Text kRecomputedK30{"复算K30(MPa/m)", "Recomputed K30 (MPa/m)"};

// Ev2 table
inline constexpr const Text& kDate = texts::kEv2Date;
inline constexpr const Text& kSigma0max = texts::kSigma0maxMpa;
inline constexpr const Text& kEv1 = texts::kEv1Mpa;
inline constexpr const Text& kEv2 = texts::kEv2Mpa;
inline constexpr const Text& kRatio = texts::kEv2Ev1;

// Verdicts

// Report header labels, in the order of the report header page.
inline constexpr Text kClient{"委托单位", "Client"};
inline constexpr Text kProjectName{"工程名称", "Project Name"};
inline constexpr Text kSubgradeMileage{"路基里程", "Subgrade Mileage"};
inline constexpr Text kElevation{"标高", "Elevation"};
inline constexpr Text kPointLocation{"测点位置", "Measure Point Location"};
inline constexpr Text kFillLayer{"填土层次", "Filling Layer"};
inline constexpr Text kReportNumber{"报告编号", "Report Number"};
inline constexpr Text kTestNumber{"实验编号", "Test Number"};
inline constexpr Text kReportDate{"报告日期", "Report Date"};
inline constexpr Text kFillerName{"填料名称", "Filler Name"};
inline constexpr Text kRequiredCoefficient{"要求地基系数", "Required Foundation Coefficient"};
inline constexpr Text kEnvironment{"检测环境描述", "Detection Environment"};
inline constexpr Text kTester{"检测人", "Tester"};
inline constexpr Text kReviewer{"复核人", "Reviewer"};

// Header sheet
inline constexpr Text kHeaderItem{"项目", "Item"};
inline constexpr Text kHeaderText{"内容", "Text"};

// Summary sheet
inline constexpr Text kRequirements{"验收要求", "Requirements"};
inline constexpr Text kRequiredK30{"要求K30(MPa/m)", "Required K30 (MPa/m)"};
inline constexpr Text kRequiredEv2Min{"最小Ev2(MPa)", "Least Ev2 (MPa)"};
inline constexpr Text kRequiredRatioMax{"最大Ev2/Ev1", "Largest Ev2/Ev1"};
inline constexpr Text kNoRequirement{"无要求", "none"};
inline constexpr const Text& kCount = texts::kCountCaption;
inline constexpr const Text& kMean = texts::kMeanCaption;
inline constexpr Text kStd{"标准差", "Standard deviation"};
inline constexpr const Text& kCv = kCvName;
inline constexpr Text kMin{"最小值", "Minimum"};
inline constexpr Text kMax{"最大值", "Maximum"};
inline constexpr Text kPassed{"合格点数", "Passed"};
inline constexpr Text kFailed{"不合格点数", "Failed"};
inline constexpr Text kNotAssessable{"无法判定点数", "Not assessable"};
inline constexpr Text kPassRate{"合格率", "Pass rate"};
inline constexpr Text kStatistic{"统计项", "Statistic"};

// AGS4 texts. An AGS4 file is ASCII only, so the program's own texts in it
// are English whatever the interface language.
inline constexpr const char* kAgsDescription = "Plate load tests (K30, Ev2)";
inline constexpr const char* kAgsK30Method =
    "K30 plate load test, 300 mm plate; K30 = stress at 1.25 mm settlement / 1.25 mm";
inline constexpr const char* kAgsEv2Method =
    "Static plate load test, 300 mm plate; Ev = 1.5*r/(a1 + a2*sigma0max); "
    "second-order fit of every reading of each loading branch";
inline constexpr const char* kAgsTestType = "Test type = ";
inline constexpr const char* kAgsStress125 = "Stress at 1.25 mm settlement = ";
inline constexpr const char* kAgsSigma0max = "sigma0max = ";
inline constexpr const char* kAgsLowerBound = "1.25 mm settlement not reached: K30 >= ";
inline constexpr const char* kAgsRequired = "required";
// REQUIRED fields the header leaves empty.
inline constexpr const char* kAgsNotStated = "Not stated";

// The refusal of user texts an AGS4 file cannot hold.
inline constexpr Text kAgsNonAscii{"AGS4文件只能包含ASCII字符，以下文字含有其他字符，未写入任何文件。请修改后重新导出：",
                                   "An AGS4 file holds ASCII characters only. These texts hold other characters, "
                                   "so nothing was written; change them and export again:"};
inline constexpr Text kAgsK30PointName{"K30测点编号", "K30 point name"};
inline constexpr Text kAgsK30PointType{"K30测点测试类型", "K30 point test type"};
inline constexpr Text kAgsEv2PointName{"Ev2测点编号", "Ev2 point name"};

}  // namespace k30::exporttexts
