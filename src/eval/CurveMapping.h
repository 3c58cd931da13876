#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "K30.h"

namespace k30 {

// Maps readings onto a load/settlement chart: stress to the right at xPerStep
// units per 0.04 MPa, settlement downward at yPerHalfMm units per 0.5 mm.
// Used by the test data page and by the printed and bitmap reports.
struct CurveAxes {
    double originX = 0.0;   // where zero stress lies
    double originY = 0.0;   // where zero settlement lies
    double xPerStep = 1.0;  // units per 0.04 MPa
    double yPerHalfMm = 1.0;  // units per 0.5 mm
};

struct CurvePoint {
    double x = 0.0;
    double y = 0.0;
};

// Readings from a project file may be any float (NaN, infinities, 1e30). Far
// outside any page or screen, yet small enough that the pixel arithmetic and
// the conversion to int stay defined.
inline constexpr double kFarAway = 1 << 20;

// A coordinate within ±kFarAway; NaN counts as 0, as a text that is not a number does.
inline double BoundedCoordinate(double v) { return std::isnan(v) ? 0.0 : std::clamp(v, -kFarAway, kFarAway); }

// Truncated toward zero, as drawing coordinates are.
inline int TruncatedCoordinate(double v) { return static_cast<int>(BoundedCoordinate(v)); }

// Reading units: stress in 0.001 MPa, settlement in 0.01 mm. A NaN reading
// lies where a reading of 0 does.
inline CurvePoint MapReading(const CurveAxes& axes, const ReadingPair& r)
{
    const double stressMpa = (std::isnan(r.stress) ? 0.0 : r.stress) / 1000.0;
    const double settlementMm = (std::isnan(r.settlement) ? 0.0 : r.settlement) / 100.0;
    return {BoundedCoordinate(axes.originX + stressMpa / 0.04 * axes.xPerStep),
            BoundedCoordinate(axes.originY + settlementMm / 0.5 * axes.yPerHalfMm)};
}

}  // namespace k30
