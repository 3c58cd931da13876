#pragma once

#include <array>
#include <string>

#include "K30.h"

namespace k30 {

// Pair 0 is the zero reading, pairs 1 to 7 the first loading, 8 to 10 the
// unloading and 10 to 16 the second loading (pair 10 ends the unloading and
// starts the reloading).
inline constexpr int kEv2Pairs = 17;
inline constexpr int kEv2FirstLoadingBegin = 0;
inline constexpr int kEv2FirstLoadingEnd = 7;    // last pair, inclusive
inline constexpr int kEv2UnloadingBegin = 8;
inline constexpr int kEv2SecondLoadingBegin = 10;
inline constexpr int kEv2SecondLoadingEnd = 16;  // last pair, inclusive

// One Ev2 test point (static plate load test with two loading cycles).
// Readings are whole numbers in stream units held as floats, as in a K30
// record: stress in 0.001 MPa, settlement in 0.01 mm.
struct Ev2Point {
    std::string name;
    std::string startTime;  // "2009-5-12-08:05", as a K30 record's
    std::string endTime;
    std::array<ReadingPair, kEv2Pairs> reading{};

    friend bool operator==(const Ev2Point&, const Ev2Point&) = default;
};

}  // namespace k30
