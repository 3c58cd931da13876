#pragma once

#include "Language.h"
#include "Texts.h"

// Texts of the acceptance of a layer: verdicts, the recompute check, the
// statistics, the conclusion sentences and the summary report. Shared by the
// list page, the report header page and the reports.
namespace k30::acceptance_texts {

// Verdicts.
inline constexpr Text kPassWithBound{"合格（≥ %1）", "Pass (≥ %1)"};
inline constexpr Text kBoundOnly{"≥ %1", "≥ %1"};

// Recompute check.
inline constexpr Text kDiffers{"不符", "Differs"};
inline constexpr Text kDiffersTip{"仪器给出的1.25mm荷载强度或地基系数值与按读数重算的值不符"
                                  "（相差超过0.001 MPa或1 MPa/m），请核查该测点。",
                                  "The instrument's stress at 1.25 mm or K30 differs from the values recomputed from "
                                  "the readings (by more than 0.001 MPa or 1 MPa/m): check this point."};

// List page columns.
inline constexpr const Text& kColVerdict = texts::kVerdict;
inline constexpr Text kColRecomputedK30{"重算地基系数值(MPa/m)", "Recomputed Coefficient(MPa/m)"};
inline constexpr Text kColCheck{"核对", "Check"};
inline constexpr Text kVerdictTip{"按要求地基系数判定；“≥ N”：沉降未达1.25mm，K30至少为N MPa/m。",
                                  "Judged against the required coefficient; \"≥ N\": the settlement never reached "
                                  "1.25 mm, so K30 is at least N MPa/m."};
inline constexpr Text kRecomputedTip{"按读数以手工测点的算法重算的K30", "K30 recomputed from the readings as for a "
                                                                       "point typed by hand"};

// Statistics.
inline constexpr Text kStatsK30{"K30 (MPa/m)：点数 %1，平均值 %2，标准差 %3，变异系数 %4，最小值 %5，最大值 %6",
                                "K30 (MPa/m): count %1, mean %2, std %3, CV %4, min %5, max %6"};
inline constexpr Text kStatsEv2{"Ev2 (MPa)：点数 %1，平均值 %2，标准差 %3，变异系数 %4，最小值 %5，最大值 %6",
                                "Ev2 (MPa): count %1, mean %2, std %3, CV %4, min %5, max %6"};
inline constexpr Text kStatsRatio{"Ev2/Ev1：点数 %1，平均值 %2，标准差 %3，变异系数 %4，最小值 %5，最大值 %6",
                                  "Ev2/Ev1: count %1, mean %2, std %3, CV %4, min %5, max %6"};
inline constexpr Text kCounts{"合格 %1，不合格 %2，无法判定 %3，合格率 %4",
                              "passed %1, failed %2, not assessable %3, pass rate %4"};
inline constexpr Text kDiffering{"重算不符 %1 点", "%1 differing from the recomputation"};
inline constexpr Text kRequiredK30{"要求 K30 ≥ %1 MPa/m", "Required K30 ≥ %1 MPa/m"};
inline constexpr Text kRequiredEv2Min{"Ev2 ≥ %1 MPa", "Ev2 ≥ %1 MPa"};
inline constexpr Text kRequiredRatioMax{"Ev2/Ev1 ≤ %1", "Ev2/Ev1 ≤ %1"};
inline constexpr Text kNoK30Requirement{"未设定要求地基系数", "No required coefficient set"};
inline constexpr Text kRequirementUnreadable{"要求地基系数值无法识别（“%1”）", "requirement not readable (\"%1\")"};
inline constexpr Text kNoEv2Requirement{"未设定Ev2要求", "No Ev2 requirement set"};
inline constexpr const Text& kSeparator = texts::kListSeparator;

// Report header page.
inline constexpr Text kAcceptanceGroup{"验收要求", "Acceptance"};
inline constexpr Text kEv2Min{"Ev2最小值(MPa)", "Minimum Ev2 (MPa)"};
inline constexpr Text kRatioMax{"Ev2/Ev1最大值", "Largest Ev2/Ev1"};
inline constexpr Text kAcceptanceHint{"K30按上方“要求地基系数”判定；Ev2要求保存在本机设置中，不写入工程文件。",
                                      "K30 is judged against the required coefficient above; the Ev2 requirements "
                                      "are kept in this computer's settings, not in the project file."};

// Conclusion of the point report.
inline constexpr Text kConclusionPass{"K30 = %1 MPa/m，不小于要求值 %2 MPa/m，合格。",
                                      "K30 = %1 MPa/m, not below the required %2 MPa/m: passes."};
inline constexpr Text kConclusionFail{"K30 = %1 MPa/m，小于要求值 %2 MPa/m，不合格。",
                                      "K30 = %1 MPa/m, below the required %2 MPa/m: fails."};
inline constexpr Text kConclusionBoundPass{"K30 ≥ %1 MPa/m（沉降未达1.25mm），不小于要求值 %2 MPa/m，合格。",
                                           "K30 ≥ %1 MPa/m (1.25 mm not reached), not below the required %2 MPa/m: "
                                           "passes."};
inline constexpr Text kConclusionBoundOpen{"K30 ≥ %1 MPa/m（沉降未达1.25mm），无法判定是否达到要求值 %2 MPa/m。",
                                           "K30 ≥ %1 MPa/m (1.25 mm not reached): cannot be judged against the "
                                           "required %2 MPa/m."};
inline constexpr Text kConclusionNoResult{"无K30结果，无法按要求值 %1 MPa/m 判定。",
                                          "No K30 result to judge against the required %1 MPa/m."};
inline constexpr Text kConclusionDiffers{"注：仪器结果与按读数重算的结果不符，请核查。",
                                         "Note: the instrument's results differ from the readings; please check."};
inline constexpr Text kConclusionRecomputed{"重算结果：1.25mm荷载强度 %1 MPa，K30 = %2 MPa/m。",
                                            "Recomputed: %1 MPa at 1.25 mm, K30 = %2 MPa/m."};

// Conclusion of the Ev2 point report: the compared values joined, then the verdict.
inline constexpr Text kEv2NotBelow{"Ev2 = %1 MPa，不小于要求值 %2 MPa", "Ev2 = %1 MPa, not below the required %2 MPa"};
inline constexpr Text kEv2Below{"Ev2 = %1 MPa，小于要求值 %2 MPa", "Ev2 = %1 MPa, below the required %2 MPa"};
inline constexpr Text kRatioNotAbove{"Ev2/Ev1 = %1，不大于允许值 %2", "Ev2/Ev1 = %1, not above the allowed %2"};
inline constexpr Text kRatioAbove{"Ev2/Ev1 = %1，大于允许值 %2", "Ev2/Ev1 = %1, above the allowed %2"};
inline constexpr Text kEv2PartsSeparator{"；", "; "};
inline constexpr Text kEv2Passes{"，合格。", ": passes."};
inline constexpr Text kEv2Fails{"，不合格。", ": fails."};
inline constexpr Text kEv2NoResult{"无Ev2结果，无法按要求（%1）判定。", "No Ev2 result to judge against %1."};
inline constexpr Text kEv2Limits{"Ev2要求：", "Ev2 requirements: "};

// Overall conclusion of the list and the summary.
inline constexpr Text kOverall{"本批 %1 点中合格 %2 点，不合格 %3 点，%4 点无法判定；合格率 %5 %。",
                               "Of the %1 points in this batch, %2 pass, %3 fail and %4 cannot be judged; "
                               "pass rate %5 %."};
inline constexpr Text kOverallNoneJudged{"本批 %1 点均无法判定，不计合格率。",
                                         "None of the %1 points in this batch can be judged; no pass rate."};
inline constexpr Text kOverallK30{"K30：", "K30: "};
inline constexpr Text kOverallEv2{"Ev2：", "Ev2: "};

// Summary report.
inline constexpr Text kSummaryTitle{"地基系数检测验收汇总表", "Acceptance Summary of Foundation Coefficient Testing"};
inline constexpr Text kSummaryK30Points{"K30测点：", "K30 points: "};
inline constexpr Text kSummaryEv2Points{"Ev2测点：", "Ev2 points: "};
inline constexpr Text kStatQuantity{"项目", "Quantity"};
inline constexpr Text kQuantityK30{"K30 (MPa/m)", "K30 (MPa/m)"};
inline constexpr Text kQuantityEv2{"Ev2 (MPa)", "Ev2 (MPa)"};
inline constexpr const Text& kQuantityRatio = texts::kEv2Ev1;
inline constexpr const Text& kStatCount = texts::kCountCaption;
inline constexpr const Text& kStatMean = texts::kMeanCaption;
inline constexpr Text kStatStd{"标准差", "Std. dev."};
inline constexpr const Text& kStatCv = texts::kCvCaption;
inline constexpr Text kStatMin{"最小值", "Min"};
inline constexpr Text kStatMax{"最大值", "Max"};
inline constexpr const Text& kRowNumber = texts::kRowNo;
inline constexpr const Text& kRowPoint = texts::kTestNumberCaption;
inline constexpr Text kRowStress125{"1.25mm荷载\n强度(MPa)", "Stress at\n1.25mm (MPa)"};
inline constexpr Text kRowK30{"地基系数值\n(MPa/m)", "K30\n(MPa/m)"};
inline constexpr Text kRowRecomputedStress{"重算强度\n(MPa)", "Recomputed\nstress (MPa)"};
inline constexpr Text kRowRecomputedK30{"重算K30\n(MPa/m)", "Recomputed\nK30 (MPa/m)"};
inline constexpr Text kRowEv1{"Ev1\n(MPa)", "Ev1\n(MPa)"};
inline constexpr Text kRowEv2{"Ev2\n(MPa)", "Ev2\n(MPa)"};
inline constexpr const Text& kRowRatio = texts::kEv2Ev1;
inline constexpr Text kPrintSummaryChoice{"打印验收汇总", "Print acceptance summary"};

// Every text above, for the check that each has both forms.
inline constexpr Text kAll[]{
    kPassWithBound, kBoundOnly, kDiffers, kDiffersTip, kColVerdict, kColRecomputedK30, kColCheck,
    kVerdictTip, kRecomputedTip, kStatsK30, kStatsEv2, kStatsRatio, kCounts, kDiffering, kRequiredK30,
    kRequiredEv2Min, kRequiredRatioMax, kRequirementUnreadable, kNoK30Requirement, kNoEv2Requirement, kSeparator, kAcceptanceGroup, kEv2Min,
    kRatioMax, kAcceptanceHint, kConclusionPass, kConclusionFail, kConclusionBoundPass, kConclusionBoundOpen,
    kConclusionNoResult, kConclusionDiffers, kConclusionRecomputed, kEv2NotBelow, kEv2Below, kRatioNotAbove,
    kRatioAbove, kEv2PartsSeparator, kEv2Passes, kEv2Fails, kEv2NoResult, kEv2Limits, kOverall, kOverallNoneJudged, kOverallK30,
    kOverallEv2, kSummaryTitle,
    kSummaryK30Points, kSummaryEv2Points, kStatQuantity, kQuantityK30, kQuantityEv2,
    kQuantityRatio, kStatCount, kStatMean, kStatStd, kStatCv, kStatMin, kStatMax, kRowNumber, kRowPoint,
    kRowStress125, kRowK30, kRowRecomputedStress, kRowRecomputedK30, kRowEv1, kRowEv2, kRowRatio,
    kPrintSummaryChoice};

}  // namespace k30::acceptance_texts
