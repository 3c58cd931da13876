#pragma once

#include "Texts.h"

// Texts of the lot report and of the chainage chart (the site page uses them too).
namespace k30::site_texts {

// Lot report
inline constexpr Text kLotTitle{"地基系数检验批验收报告", "Lot Acceptance Report of Foundation Coefficient Testing"};
inline constexpr Text kLotFilter{"范围：", "Scope: "};
inline constexpr Text kLotAll{"全部测点", "all points"};
inline constexpr Text kWordsFrom{"日期 %1 起", "from %1"};
inline constexpr Text kWordsTo{"日期至 %1", "until %1"};
inline constexpr Text kWordsKind{"类型 %1", "kind %1"};
inline constexpr Text kWordsLayer{"层位 %1", "layer %1"};
inline constexpr Text kWordsLot{"检验批 %1", "lot %1"};
inline constexpr Text kWordsChainage{"里程 %1 至 %2", "chainage %1 to %2"};
inline constexpr Text kWordsVerdict{"判定 %1", "verdict %1"};
inline constexpr Text kVerdictPass{"合格", "Pass"};
inline constexpr Text kVerdictFail{"不合格", "Fail"};
inline constexpr Text kVerdictNone{"未判定", "Not judged"};
inline constexpr Text kWordsText{"含“%1”", "containing \"%1\""};
inline constexpr Text kLotChart{"沿里程分布", "Along the chainage"};
inline constexpr Text kLotConclusion{"结论：", "Conclusion: "};
inline constexpr Text kLotPassed{"所列 %1 个测点全部合格，该检验批合格。", "All %1 points listed pass: the lot passes."};
inline constexpr Text kLotFailed{"%1 个测点不合格，该检验批不合格。", "%1 points fail: the lot does not pass."};
inline constexpr Text kLotOpen{"%1 个测点无法判定，该检验批尚不能判定。",
                               "%1 points cannot be judged: the lot cannot be judged yet."};
inline constexpr Text kLotEmpty{"没有测点。", "No points."};
inline constexpr Text kLotTruncated{"（仅列出前 %1 个测点）", "(only the first %1 points listed)"};
// Short column titles of the report's table
inline constexpr Text kColKindShort{"类型", "Kind"};
inline constexpr Text kColDateShort{"日期", "Date"};
inline constexpr Text kColChainageShort{"里程", "Chainage"};
inline constexpr Text kColOffsetShort{"偏距", "Offset"};
inline constexpr Text kColLayerShort{"层位", "Layer"};
inline constexpr Text kColLotShort{"检验批", "Lot"};
inline constexpr Text kColValueShort{"K30/Ev2", "K30/Ev2"};
inline constexpr Text kColRatioShort{"Ev2/Ev1", "Ev2/Ev1"};
inline constexpr Text kColChainageAxis{"里程 (m)", "Chainage (m)"};
inline constexpr Text kChartNoChainage{"没有带里程的测点", "No point with a chainage"};
inline constexpr Text kNoPointsToReport{"筛选结果中没有测点。", "The filter shows no points."};

}  // namespace k30::site_texts
