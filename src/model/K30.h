#pragma once

#include <array>
#include <string>

namespace k30 {

// One reading of a load step. Whole numbers held as floats:
// stress in 0.001 MPa, settlement in 0.01 mm.
struct ReadingPair {
    float stress = 0.0f;
    float settlement = 0.0f;

    friend bool operator==(const ReadingPair&, const ReadingPair&) = default;
};

// Pair 0 is the zero reading, pairs 1 to 15 the load steps.
// Pair 16 exists in the record but is never set, shown, saved or read.
inline constexpr int kReadingPairs = 17;
inline constexpr int kUsedPairs = 16;

// One K30 test point.
struct K30 {
    std::string name;
    std::string startTime;
    std::string endTime;
    std::string stress125;   // MPa, "%.3f"
    std::string k30Value;    // MPa/m
    std::string testType;    // e.g. "K30"
    std::string designLoad;  // MPa
    std::array<ReadingPair, kReadingPairs> reading{};

    friend bool operator==(const K30&, const K30&) = default;
};

}  // namespace k30
