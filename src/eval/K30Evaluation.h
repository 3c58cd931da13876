#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "K30.h"

namespace k30 {

// Settlement of 1.25 mm in reading units (0.01 mm).
inline constexpr float kThresholdSettlement = 125.0f;

struct K30Result {
    float stress125 = 0.0f;  // interpolated stress, 0.001 MPa
    float k30 = 0.0f;        // MPa/m
    std::string stress125Text;  // "%.3f" MPa
    std::string k30Text;        // "%3.0f"
};

// Interpolates the stress at 1.25 mm between the first pair (in row order)
// whose settlement exceeds 1.25 mm and the pair before it. No result when no
// settlement exceeds 1.25 mm, or when the zero reading already does (there is
// no lower neighbour to interpolate from).
std::optional<K30Result> ComputeK30(const std::array<ReadingPair, kReadingPairs>& reading);

// A typed box text as a reading (ReadTypedNumber: an empty box is 0, a text
// that is no number is refused), scaled by 1000 (stress, MPa) or 100
// (settlement, mm) in double precision and truncated toward zero, so 1.13 mm
// becomes 112.
std::optional<float> StressFromText(std::string_view text);
std::optional<float> SettlementFromText(std::string_view text);

// The texts the test data page shows for a reading.
std::string StressText(float stress);          // "%.3f" of stress / 1000
std::string SettlementText(float settlement);  // "%.2f" of settlement / 100

}  // namespace k30
