#pragma once

#include <array>
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

// Reading units: stress in 0.001 MPa, settlement in 0.01 mm.
inline CurvePoint MapReading(const CurveAxes& axes, const ReadingPair& r)
{
    const double stressMpa = r.stress / 1000.0;
    const double settlementMm = r.settlement / 100.0;
    return {axes.originX + stressMpa / 0.04 * axes.xPerStep, axes.originY + settlementMm / 0.5 * axes.yPerHalfMm};
}

}  // namespace k30
