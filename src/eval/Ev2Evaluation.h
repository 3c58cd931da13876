#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "Ev2.h"

namespace k30 {

// Plate radius of the 300 mm plate, mm.
inline constexpr double kPlateRadiusMm = 150.0;

// s = a0 + a1·sigma + a2·sigma², s in mm and sigma in MPa, fitted by least
// squares over one loading branch.
struct QuadraticFit {
    double a0 = 0.0;
    double a1 = 0.0;
    double a2 = 0.0;
    double sigmaMin = 0.0;  // stress range of the branch, MPa
    double sigmaMax = 0.0;
    double settlementScale = 0.0;  // largest |settlement| of the branch, mm

    double SettlementAt(double sigma) const { return a0 + (a1 + a2 * sigma) * sigma; }
};

// One loading branch: reading indices from its first pair up to, not
// including, the first later pair whose stress is 0.
struct LoadingBranch {
    int first = 0;
    int end = 0;  // one past the last pair
    int size() const { return end - first; }
};

LoadingBranch FirstLoadingBranch(const std::array<ReadingPair, kEv2Pairs>& reading);
LoadingBranch SecondLoadingBranch(const std::array<ReadingPair, kEv2Pairs>& reading);

// Least-squares fit on centred and scaled stresses (Householder QR), so a
// stress range of 0 to 0.6 MPa loses no digits. nullopt with fewer than three
// different stresses or a reading that is not a finite number.
std::optional<QuadraticFit> FitBranch(const std::array<ReadingPair, kEv2Pairs>& reading, LoadingBranch branch);

// Ev = 1.5·r / (a1 + a2·sigma0max), MPa; nullopt when the denominator is not
// positive, counting one that is zero within the fit's rounding as zero, or
// the result is not finite.
std::optional<double> PlateModulus(const QuadraticFit& fit, double sigma0max);

struct Ev2Result {
    std::optional<double> sigma0max;  // MPa, largest stress of the first loading branch
    std::optional<QuadraticFit> fit1;  // first loading
    std::optional<QuadraticFit> fit2;  // second loading
    std::optional<double> ev1;         // MPa
    std::optional<double> ev2;         // MPa
    std::optional<double> ratio;       // Ev2/Ev1 from the unrounded moduli
    // "%.3f", "%.1f", "%.1f", "%.2f"; empty where there is no result.
    std::string sigma0maxText;
    std::string ev1Text;
    std::string ev2Text;
    std::string ratioText;
};

// The static plate load test with two loading cycles, second-order fit of
// every reading of each loading branch. Each cycle's modulus stands on its own.
Ev2Result ComputeEv2(const std::array<ReadingPair, kEv2Pairs>& reading);

}  // namespace k30
