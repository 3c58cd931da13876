#pragma once

#include <array>

#include "Language.h"
#include "Texts.h"

// Texts of the Ev2 chart, the Ev2 point report and the Ev2 print choices.
namespace k30::ev2_report_texts {

// Chart.
inline constexpr Text kStressAxis{"荷载强度σ(MPa)", "Stress σ (MPa)"};
inline constexpr Text kSettlementAxis{"沉降量s(mm)", "Settlement s (mm)"};
inline constexpr Text kMeasuredFirst{"实测 第一次循环", "Measured, first cycle"};
inline constexpr Text kMeasuredSecond{"实测 第二次循环", "Measured, second cycle"};
inline constexpr Text kFitFirst{"拟合 第一次加载", "Fit, first loading"};
inline constexpr Text kFitSecond{"拟合 第二次加载", "Fit, second loading"};
inline constexpr const Text& kFirstLoading = texts::kFirstLoading;
inline constexpr const Text& kUnloading = texts::kUnloading;
inline constexpr const Text& kSecondLoading = texts::kSecondLoading;
inline constexpr Text kNoResult{"无结果", "no result"};

// Report.
inline constexpr Text kReportTitle{"平板载荷试验(Ev2)检测报告", "Detection Report of Plate Load Test (Ev2)"};
inline constexpr Text kTestTime{"测试时间:", "Test Time:"};
inline constexpr Text kReadings{"测试数据", "Readings"};
inline constexpr Text kCurveCaption{"P-S曲线及二次拟合", "P-S Curve and Second-Order Fits"};
inline constexpr Text kMethod{"300 mm承载板；Ev = 1.5·r/(a1 + a2·σ0max)；每一加载段全部读数二次拟合",
                              "300 mm plate; Ev = 1.5·r/(a1 + a2·σ0max); second-order fit of every reading of each "
                              "loading branch"};

// Print options and the refusals of the report commands.
inline constexpr Text kPrintEv2Current{"打印当前Ev2测试点", "Print current Ev2 point"};
inline constexpr Text kPrintEv2All{"打印全部Ev2测试点", "Print all Ev2 points"};
inline constexpr Text kSelectEv2Point{"请在Ev2页选择要打印的Ev2测试点", "Please select the Ev2 point to print on the Ev2 page"};
inline constexpr Text kNoEv2Points{"没有可打印的Ev2测试点", "There are no Ev2 test points to print"};

inline constexpr std::array kAll{kStressAxis,   kSettlementAxis, kMeasuredFirst, kMeasuredSecond, kFitFirst,
                                 kFitSecond,    kFirstLoading,   kUnloading,     kSecondLoading,  kNoResult,
                                 kReportTitle,  kTestTime,       kReadings,      kCurveCaption,   kMethod,
                                 kPrintEv2Current, kPrintEv2All, kSelectEv2Point, kNoEv2Points};

}  // namespace k30::ev2_report_texts
