#pragma once

#include <array>

#include "Language.h"
#include "Texts.h"

// Texts of the Ev2 page, of manual Ev2 data entry and of the Ev2 questions of
// the file commands.
namespace k30::ev2_texts {

inline constexpr Text kTabCaption{"Ev2", "Ev2"};
inline constexpr Text kPageLabel{"Ev2测试点", "Ev2 Test Points"};

// Table columns.
inline constexpr const Text& kColNumber = texts::kTestNumberCaption;
inline constexpr const Text& kColDate = texts::kEv2Date;
inline constexpr Text kColStart{"开始时间", "Start"};
inline constexpr Text kColEnd{"结束时间", "End"};
inline constexpr const Text& kColSigma0max = texts::kSigma0maxMpa;
inline constexpr const Text& kColEv1 = texts::kEv1Mpa;
inline constexpr const Text& kColEv2 = texts::kEv2Mpa;
inline constexpr const Text& kColRatio = texts::kEv2Ev1;
inline constexpr const Text& kColVerdict = texts::kVerdict;

// Statistics strip.
inline constexpr Text kStatsEv2{"Ev2统计：", "Ev2 statistics: "};
inline constexpr Text kStatsCount{"个数", "count"};
inline constexpr Text kStatsMean{"平均值", "mean"};
inline constexpr Text kStatsStd{"标准差", "std"};
inline constexpr const Text& kStatsCv = texts::kCvCaption;
inline constexpr Text kStatsMin{"最小值", "min"};
inline constexpr Text kStatsMax{"最大值", "max"};
inline constexpr Text kStatsRatio{"Ev2/Ev1：", "Ev2/Ev1: "};
inline constexpr Text kStatsPassed{"合格", "passed"};
inline constexpr Text kStatsFailed{"不合格", "failed"};
inline constexpr Text kStatsNone{"无法判定", "not assessable"};
inline constexpr Text kStatsPassRate{"合格率", "pass rate"};
inline constexpr Text kSeparator{"，", ", "};
inline constexpr const Text& kGroupSeparator = texts::kListSeparator;

// Readings and manual entry.
inline constexpr Text kPointLabel{"测试点：", "Test point: "};
inline constexpr const Text& kGroupFirstLoading = texts::kFirstLoading;
inline constexpr const Text& kGroupUnloading = texts::kUnloading;
inline constexpr const Text& kGroupSecondLoading = texts::kSecondLoading;
inline constexpr const Text& kRowNumber = texts::kRowNo;
inline constexpr Text kStress{"应力(MPa)", "Stress (MPa)"};
inline constexpr Text kSettlement{"沉降量(mm)", "Settlement (mm)"};
inline constexpr const Text& kDate = texts::kEv2Date;
inline constexpr Text kStartTime{"开始", "Start"};
inline constexpr Text kEndTime{"结束", "End"};
inline constexpr const Text& kCompute = texts::kComputeCaption;

// Main window.
inline constexpr Text kMenuManualInputEv2{"手工输入Ev2数据", "Manual Ev2 data entry"};
inline constexpr Text kNameNotNumber{"Ev2测试点名称必须是0到65535之间的整数，原始数据文件才能保存它。请重新输入。",
                                     "The name of an Ev2 test point must be a whole number from 0 to 65535 so that "
                                     "a raw data file can hold it. Please enter it again."};
inline constexpr Text kEv2NotInRawFile{"工程文件不能保存Ev2测试点，而当前的Ev2测试点尚未保存为原始数据。是否先保存原始数据？",
                                       "Project files cannot hold Ev2 test points, and the current Ev2 test points "
                                       "are in no raw data file. Save raw data first?"};
inline constexpr Text kCannotWriteEv2{"Ev2测试点无法保存为原始数据：原始数据中的应力须在0到65.535 MPa之间，沉降量须在0到655.35 mm之间",
                                      "The Ev2 test point cannot be saved as raw data: raw data hold stresses from 0 "
                                      "to 65.535 MPa and settlements from 0 to 655.35 mm"};

inline constexpr std::array kAll{kTabCaption,   kPageLabel,     kColNumber,    kColDate,        kColStart,
                                 kColEnd,       kColSigma0max,  kColEv1,       kColEv2,         kColRatio,
                                 kColVerdict,   kStatsEv2,       kStatsCount,
                                 kStatsMean,    kStatsStd,      kStatsCv,      kStatsMin,       kStatsMax,
                                 kStatsRatio,   kStatsPassed,   kStatsFailed,  kStatsNone,      kStatsPassRate, kSeparator, kGroupSeparator,
                                 kPointLabel,   kGroupFirstLoading, kGroupUnloading, kGroupSecondLoading, kRowNumber,     kStress,       kSettlement,     kDate,
                                 kStartTime,    kEndTime,       kCompute,      kMenuManualInputEv2, kNameNotNumber,
                                 kEv2NotInRawFile, kCannotWriteEv2};

}  // namespace k30::ev2_texts
