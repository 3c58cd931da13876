#pragma once

// Ev2 points whose results are worked out by hand, for the page, report and
// window tests.
#include <string>
#include <vector>

#include "Ev2.h"
#include "Ev2Transfer.h"
#include "TestDataStore.h"
#include "TransferDecoder.h"

namespace k30::test {

// Stresses in 0.001 MPa and settlements in 0.01 mm, pairs 0 to 16.
inline Ev2Point MakeEv2Point(const std::string& name, const std::vector<std::pair<int, int>>& pairs)
{
    Ev2Point p;
    p.name = name;
    p.startTime = "2024-6-3-09:05";
    p.endTime = "2024-6-3-10:40";
    for (std::size_t j = 0; j < pairs.size() && j < p.reading.size(); ++j)
        p.reading[j] = {static_cast<float>(pairs[j].first), static_cast<float>(pairs[j].second)};
    return p;
}

// First loading s = σ + σ² (mm, MPa) to σ0max = 0.7 MPa, unloading, and
// second loading s = 0.9 + 0.3σ + σ². By hand: Ev1 = 225 / (1 + 0.7) =
// 132.35 MPa ("132.4"), Ev2 = 225 / (0.3 + 0.7) = 225 MPa ("225.0"),
// Ev2/Ev1 = 1.7 ("1.70").
inline Ev2Point ExactEv2Point()
{
    return MakeEv2Point("12", {{0, 0},     {100, 11},  {200, 24},  {300, 39},  {400, 56},  {500, 75},
                               {600, 96},  {700, 119}, {400, 115}, {200, 105}, {0, 90},    {100, 94},
                               {200, 100}, {300, 108}, {400, 118}, {500, 130}, {600, 144}});
}

// First loading s = 2σ, stopped after 0.5 MPa; the reloading stopped after
// its first pair. By hand: Ev1 = 225 / 2 = 112.5 MPa, no Ev2, no ratio.
inline Ev2Point ShortEv2Point()
{
    return MakeEv2Point("13", {{0, 0}, {100, 20}, {200, 40}, {300, 60}, {400, 80}, {500, 100}, {0, 0}, {0, 0},
                               {250, 95}, {100, 85}, {0, 70}});
}

// A store holding these points as a decoded transfer would.
inline TestDataStore Ev2Store(const std::vector<Ev2Point>& points, Language lang)
{
    TestDataStore store;
    store.nLanguage = lang;
    DecodeTransfer(*Ev2TransferText(points, 7), store);
    return store;
}

}  // namespace k30::test
