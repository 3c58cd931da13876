#include "K30Evaluation.h"

#include <cmath>
#include <limits>

#include "Format.h"

namespace k30 {

namespace {
float Truncated(double scaled)
{
    if (!std::isfinite(scaled))
        return 0.0f;
    constexpr double kMax = std::numeric_limits<int>::max();
    constexpr double kMin = std::numeric_limits<int>::min();
    if (scaled >= kMax)
        return static_cast<float>(std::numeric_limits<int>::max());
    if (scaled <= kMin)
        return static_cast<float>(std::numeric_limits<int>::min());
    return static_cast<float>(static_cast<int>(scaled));
}
}  // namespace

std::optional<K30Result> ComputeK30(const std::array<ReadingPair, kReadingPairs>& reading)
{
    int k = -1;
    for (int i = 0; i < kUsedPairs; ++i) {
        if (reading[static_cast<std::size_t>(i)].settlement > kThresholdSettlement) {
            k = i;
            break;
        }
    }
    if (k <= 0)
        return std::nullopt;
    const ReadingPair& lo = reading[static_cast<std::size_t>(k - 1)];
    const ReadingPair& hi = reading[static_cast<std::size_t>(k)];
    const double s0 = lo.settlement;
    const double s1 = hi.settlement;
    const double p0 = lo.stress;
    const double p1 = hi.stress;
    // Readings from a project file may be any float: an infinite or undefined
    // interpolation is no result rather than "inf" or "nan" texts.
    const double stress = (kThresholdSettlement - s0) / (s1 - s0) * (p1 - p0) + p0;
    if (!(std::fabs(stress) <= std::numeric_limits<float>::max()))
        return std::nullopt;
    K30Result r;
    r.stress125 = static_cast<float>(stress);
    r.stress125Text = FormatFixed(r.stress125 / 1000.0, 3);
    r.k30 = static_cast<float>(r.stress125 / 1.25);
    r.k30Text = FormatFixed(r.k30, 3, 0);
    return r;
}

std::optional<float> StressFromText(std::string_view text)
{
    const std::optional<double> v = ReadTypedNumber(text);
    return v ? std::optional<float>(Truncated(*v * 1000.0)) : std::nullopt;
}

std::optional<float> SettlementFromText(std::string_view text)
{
    const std::optional<double> v = ReadTypedNumber(text);
    return v ? std::optional<float>(Truncated(*v * 100.0)) : std::nullopt;
}

std::string StressText(float stress) { return FormatFixed(stress / 1000.0, 3); }

std::string SettlementText(float settlement) { return FormatFixed(settlement / 100.0, 2); }

}  // namespace k30
