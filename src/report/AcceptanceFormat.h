#pragma once

#include <QString>

#include <optional>
#include <string>

#include "Acceptance.h"
#include "Language.h"

// The acceptance figures as the list page and the reports show them.
namespace k30 {

// A required value or a result: at most `decimals` decimals, trailing zeros
// dropped ("190", "2.3").
QString NumberText(double value, int decimals);
// Fixed decimals; "—" where there is no value.
QString StatText(const std::optional<double>& value, int decimals);
// A fraction as a percentage with one decimal ("75.0%"); "—" where there is none.
QString PercentText(const std::optional<double>& fraction);

// "合格", "不合格", or empty for no verdict.
QString VerdictQText(Verdict verdict, Language lang);
// The verdict of a K30 point, with "≥ N" where a lower bound stands for a
// K30 the readings never reached: "合格（≥ 208）" or "≥ 150".
QString K30VerdictText(const K30Assessment& assessment, Language lang);
// The K30 of a point as the pages and the reports show it: "≥ 128" for a
// point whose readings never reach 1.25 mm (the instrument's "0" would be a
// plainly wrong result), else the stored text as it stands.
QString K30ShownText(const K30& point, const K30Assessment& assessment);
// "K30=190" (test type, "=", K30), or "K30 ≥ 128" for a lower bound.
QString K30ResultText(const K30& point, const K30Assessment& assessment);
// A K30 text without the blanks "%3.0f" puts before small values.
QString TrimmedText(const std::string& text);

// Decimals of the statistics of one quantity: mean and standard deviation,
// minimum and maximum (K30 values are whole numbers, Ev2 has one decimal).
struct StatDecimals {
    int spread;
    int extremes;
};
inline constexpr StatDecimals kK30Decimals{1, 0};
inline constexpr StatDecimals kEv2Decimals{1, 1};
inline constexpr StatDecimals kRatioDecimals{2, 2};

// count, mean, std, cv, min, max.
QStringList StatsTexts(const SampleStats& stats, StatDecimals decimals);
// "K30 (MPa/m): count 3, mean 190.0, ..." in the form given (kStatsK30,
// kStatsEv2, kStatsRatio).
QString StatsLine(const Text& form, const SampleStats& stats, StatDecimals decimals, Language lang);
// "passed 2, failed 1, not assessable 0, pass rate 66.7%"; the pass rate is
// "—" while nothing is required, when every verdict is "none" by definition.
QString CountsLine(const VerdictCounts& counts, bool required, Language lang);
// The one sentence that ends the list and the summary: "本批 12 点中合格 7
// 点，不合格 4 点，1 点无法判定；合格率 58.3 %。"; where nothing is judged it
// says so and gives no rate.
QString OverallConclusion(const VerdictCounts& counts, Language lang);
// "Required K30 ≥ 190 MPa/m" or that none is set.
QString K30RequirementText(const Requirements& required, Language lang);
// That the required K30 as typed could not be read; empty when nothing
// unreadable was typed.
QString UnreadableRequirementText(const Requirements& required, Language lang);
// "Ev2 ≥ 120 MPa; Ev2/Ev1 ≤ 2.3" (each where set) or that none is set.
QString Ev2RequirementText(const Requirements& required, Language lang);
// Received points whose instrument results differ from the recomputed ones.
int DifferingCount(const StoreAssessment& assessment);

}  // namespace k30
