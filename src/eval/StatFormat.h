#pragma once

#include <optional>
#include <string>

#include "Acceptance.h"
#include "Texts.h"

// The one way the pages, the reports, the exports and `k30 assess` state the
// statistics and the pass rate: a statistic that does not exist (nothing
// judged, too few values, a mean of 0) is "—" in text, null in JSON and an
// empty cell in a spreadsheet; never "nan" or "inf".
namespace k30 {

inline constexpr const char* kNoStatistic = "—";
// The coefficient of variation, spelled alike everywhere.
inline constexpr const Text& kCvName = texts::kCvCaption;

// The value where there is one and it is finite.
std::optional<double> FiniteStat(const std::optional<double>& value);
// Fixed decimals, or "—".
std::string StatFixed(const std::optional<double>& value, int decimals);
// A fraction as a percentage with one decimal ("75.0%"), or "—".
std::string StatPercent(const std::optional<double>& fraction);
// Passed over all points; absent while no point is judged (pass or fail).
std::optional<double> JudgedPassRate(const VerdictCounts& counts);

}  // namespace k30
