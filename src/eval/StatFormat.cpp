#include "StatFormat.h"

#include <cmath>

#include "Format.h"

namespace k30 {

std::optional<double> FiniteStat(const std::optional<double>& value)
{
    if (value && std::isfinite(*value))
        return value;
    return std::nullopt;
}

std::string StatFixed(const std::optional<double>& value, int decimals)
{
    const auto v = FiniteStat(value);
    return v ? FormatFixed(*v, decimals) : std::string(kNoStatistic);
}

std::string StatPercent(const std::optional<double>& fraction)
{
    const auto v = FiniteStat(fraction);
    return v ? FormatFixed(*v * 100.0, 1) + "%" : std::string(kNoStatistic);
}

std::optional<double> JudgedPassRate(const VerdictCounts& counts)
{
    if (counts.passed + counts.failed == 0)
        return std::nullopt;
    return FiniteStat(counts.PassRate());
}

}  // namespace k30
