#include "Ev2Evaluation.h"

#include <algorithm>
#include <cmath>

#include "Format.h"

namespace k30 {

namespace {

constexpr double kStressPerMpa = 1000.0;
constexpr double kSettlementPerMm = 100.0;

LoadingBranch BranchFrom(const std::array<ReadingPair, kEv2Pairs>& reading, int first, int last)
{
    int end = first + 1;
    while (end <= last && reading[static_cast<std::size_t>(end)].stress != 0.0f)
        ++end;
    return {first, end};
}

// At most every pair of a record in one branch.
// Only the first n rows are set.
struct BranchRows {
    std::array<std::array<double, 3>, kEv2Pairs> a;
    std::array<double, kEv2Pairs> y;
    std::size_t n = 0;
};

// Solves min |A·b − y| for three columns by Householder reflections. The
// columns are 1, x, x² with x in [−1, 1], so plain sums of squares cannot
// overflow. Works in place.
std::optional<std::array<double, 3>> SolveLeastSquares3(BranchRows& m)
{
    auto& a = m.a;
    auto& y = m.y;
    const std::size_t n = m.n;
    for (std::size_t k = 0; k < 3; ++k) {
        double sumSquares = 0.0;
        for (std::size_t i = k; i < n; ++i)
            sumSquares += a[i][k] * a[i][k];
        const double norm = std::sqrt(sumSquares);
        if (norm == 0.0)
            return std::nullopt;
        const double alpha = a[k][k] > 0 ? -norm : norm;
        // v = x − alpha·e1, kept in column k from row k down; |v|² is
        // 2·norm·(norm + |x_k|), and 2/|v|² is what every reflection needs.
        const double twoOverVv = 1.0 / (norm * (norm + std::fabs(a[k][k])));
        a[k][k] -= alpha;
        for (std::size_t c = k + 1; c < 3; ++c) {
            double dot = 0.0;
            for (std::size_t i = k; i < n; ++i)
                dot += a[i][k] * a[i][c];
            const double f = dot * twoOverVv;
            for (std::size_t i = k; i < n; ++i)
                a[i][c] -= f * a[i][k];
        }
        double dot = 0.0;
        for (std::size_t i = k; i < n; ++i)
            dot += a[i][k] * y[i];
        const double f = dot * twoOverVv;
        for (std::size_t i = k; i < n; ++i)
            y[i] -= f * a[i][k];
        a[k][k] = alpha;  // R's diagonal
    }
    std::array<double, 3> b{};
    for (int k = 2; k >= 0; --k) {
        const auto row = static_cast<std::size_t>(k);
        double sum = y[row];
        for (std::size_t c = row + 1; c < 3; ++c)
            sum -= a[row][c] * b[c];
        if (a[row][row] == 0.0)
            return std::nullopt;
        b[row] = sum / a[row][row];
    }
    return b;
}

std::string TextOf(const std::optional<double>& v, int decimals)
{
    return v ? FormatFixed(*v, decimals) : std::string();
}

}  // namespace

LoadingBranch FirstLoadingBranch(const std::array<ReadingPair, kEv2Pairs>& reading)
{
    return BranchFrom(reading, kEv2FirstLoadingBegin, kEv2FirstLoadingEnd);
}

LoadingBranch SecondLoadingBranch(const std::array<ReadingPair, kEv2Pairs>& reading)
{
    return BranchFrom(reading, kEv2SecondLoadingBegin, kEv2SecondLoadingEnd);
}

std::optional<QuadraticFit> FitBranch(const std::array<ReadingPair, kEv2Pairs>& reading, LoadingBranch branch)
{
    if (branch.first < 0 || branch.end > kEv2Pairs || branch.size() < 3)
        return std::nullopt;
    std::array<double, kEv2Pairs> sigma;
    std::array<double, kEv2Pairs> s;
    const auto n = static_cast<std::size_t>(branch.size());
    for (std::size_t i = 0; i < n; ++i) {
        const ReadingPair& r = reading[static_cast<std::size_t>(branch.first) + i];
        if (!std::isfinite(r.stress) || !std::isfinite(r.settlement))
            return std::nullopt;
        sigma[i] = r.stress / kStressPerMpa;
        s[i] = r.settlement / kSettlementPerMm;
    }
    int distinct = 0;
    double lo = sigma[0];
    double hi = sigma[0];
    for (std::size_t i = 0; i < n; ++i) {
        distinct += std::find(sigma.begin(), sigma.begin() + static_cast<std::ptrdiff_t>(i), sigma[i]) ==
                    sigma.begin() + static_cast<std::ptrdiff_t>(i);
        lo = std::min(lo, sigma[i]);
        hi = std::max(hi, sigma[i]);
    }
    if (distinct < 3)
        return std::nullopt;

    // x = (sigma − m)/h lies in [−1, 1].
    const double m = (lo + hi) / 2.0;
    const double h = (hi - lo) / 2.0;
    BranchRows rows;
    rows.n = n;
    for (std::size_t i = 0; i < n; ++i) {
        const double x = (sigma[i] - m) / h;
        rows.a[i] = {1.0, x, x * x};
        rows.y[i] = s[i];
    }
    const auto b = SolveLeastSquares3(rows);
    if (!b)
        return std::nullopt;
    const auto [b0, b1, b2] = *b;
    QuadraticFit fit;
    fit.a2 = b2 / (h * h);
    fit.a1 = b1 / h - 2.0 * b2 * m / (h * h);
    fit.a0 = b0 - b1 * m / h + b2 * m * m / (h * h);
    fit.sigmaMin = lo;
    fit.sigmaMax = hi;
    for (std::size_t i = 0; i < n; ++i)
        fit.settlementScale = std::max(fit.settlementScale, std::fabs(s[i]));
    if (!std::isfinite(fit.a0) || !std::isfinite(fit.a1) || !std::isfinite(fit.a2))
        return std::nullopt;
    return fit;
}

std::optional<double> PlateModulus(const QuadraticFit& fit, double sigma0max)
{
    // A fit of readings whose exact denominator is 0 gives one of rounding
    // size, either sign; far below the readings' resolution it counts as 0
    // rather than as a modulus of 1e16 MPa.
    constexpr double kRounding = 1e-9;
    const double denominator = fit.a1 + fit.a2 * sigma0max;
    const double range = fit.sigmaMax - fit.sigmaMin;
    if (!(denominator > 0.0) || (range > 0.0 && denominator * range <= kRounding * fit.settlementScale))
        return std::nullopt;
    const double ev = 1.5 * kPlateRadiusMm / denominator;
    if (!std::isfinite(ev))
        return std::nullopt;
    return ev;
}

Ev2Result ComputeEv2(const std::array<ReadingPair, kEv2Pairs>& reading)
{
    Ev2Result r;
    const LoadingBranch first = FirstLoadingBranch(reading);
    const LoadingBranch second = SecondLoadingBranch(reading);
    if (first.size() > 0) {
        double top = -INFINITY;
        for (int j = first.first; j < first.end; ++j)
            top = std::max(top, static_cast<double>(reading[static_cast<std::size_t>(j)].stress));
        if (std::isfinite(top))
            r.sigma0max = top / kStressPerMpa;
    }
    r.fit1 = FitBranch(reading, first);
    r.fit2 = FitBranch(reading, second);
    if (r.sigma0max) {
        if (r.fit1)
            r.ev1 = PlateModulus(*r.fit1, *r.sigma0max);
        if (r.fit2)
            r.ev2 = PlateModulus(*r.fit2, *r.sigma0max);
    }
    if (r.ev1 && r.ev2)
        r.ratio = *r.ev2 / *r.ev1;
    r.sigma0maxText = TextOf(r.sigma0max, 3);
    r.ev1Text = TextOf(r.ev1, 1);
    r.ev2Text = TextOf(r.ev2, 1);
    r.ratioText = TextOf(r.ratio, 2);
    return r;
}

}  // namespace k30
