#pragma once

// Five received K30 points whose acceptance is worked out by hand, for the
// list page and report tests. Against a required 190 MPa/m:
//   A  K30 200, readings give 0.250 MPa / 200 (agree)            pass
//   B  K30 153, readings give 0.192 MPa / 154 (agree: 1 apart)   fail
//   C  K30 0, settlement never past 1.25 mm, top stress 0.260    pass, ≥ 208
//   D  K30 220 / 0.275, readings as A's (differ)                 pass, marked
//   E  K30 empty, never past 1.25 mm, top stress 0.100           none, ≥ 80
// K30 statistics over A, B, D: mean 191, sample variance
// (81 + 1444 + 841) / 2 = 1183, std 34.395, cv 18.008 %.
#include <initializer_list>
#include <utility>

#include "TestDataStore.h"

namespace k30::test {

inline K30 AcceptancePoint(const char* name, const char* stress125, const char* k30Value,
                           std::initializer_list<std::pair<float, float>> readings)
{
    K30 p;
    p.name = name;
    p.stress125 = stress125;
    p.k30Value = k30Value;
    p.testType = "K30";
    std::size_t i = 0;
    for (const auto& [stress, settlement] : readings)
        p.reading[i++] = ReadingPair{stress, settlement};
    return p;
}

inline TestDataStore AcceptanceStore(Language lang)
{
    TestDataStore s;
    s.AddK30Point(AcceptancePoint("A", "0.250", "200", {{0, 0}, {200, 100}, {300, 150}}));
    s.AddK30Point(AcceptancePoint("B", "0.192", "153", {{0, 0}, {100, 100}, {284, 150}}));
    s.AddK30Point(AcceptancePoint("C", "0.000", "0", {{0, 0}, {130, 60}, {260, 120}}));
    s.AddK30Point(AcceptancePoint("D", "0.275", "220", {{0, 0}, {200, 100}, {300, 150}}));
    s.AddK30Point(AcceptancePoint("E", "", "", {{0, 0}, {100, 50}}));
    s.nK30Count = 5;
    s.nLanguage = lang;
    return s;
}

}  // namespace k30::test
