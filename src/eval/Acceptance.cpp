#include "Acceptance.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "Format.h"
#include "TestDataStore.h"
#include "Texts.h"

namespace k30 {

namespace {

constexpr double kStressTolerance = 0.001;  // MPa, between the stress texts
constexpr double kK30Tolerance = 1.0;        // MPa/m

// A whole text that is a decimal number; empty is no number here.
std::optional<double> WholeNumber(std::string_view text)
{
    if (text.find_first_not_of(" \t\r\n\v\f") == std::string_view::npos)
        return std::nullopt;
    return ReadTypedNumber(text);
}

double ValueOf(const std::string& text)
{
    const auto v = WholeNumber(text);
    return v ? *v : 0.0;
}

Verdict Judge(double value, double required) { return value >= required ? Verdict::Pass : Verdict::Fail; }

void Count(VerdictCounts& counts, Verdict v)
{
    switch (v) {
    case Verdict::Pass:
        ++counts.passed;
        break;
    case Verdict::Fail:
        ++counts.failed;
        break;
    case Verdict::None:
        ++counts.none;
        break;
    }
}

}  // namespace

std::optional<double> ParseRequirement(std::string_view text) { return WholeNumber(text); }

void SetRequiredK30(Requirements& r, std::string_view text)
{
    r.k30 = ParseRequirement(text);
    r.k30Unreadable.clear();
    if (!r.k30 && text.find_first_not_of(" \t\r\n\v\f") != std::string_view::npos)
        r.k30Unreadable = std::string(text);
}

std::string_view VerdictText(Verdict v, Language lang)
{
    switch (v) {
    case Verdict::Pass:
        return texts::kPass.in(lang);
    case Verdict::Fail:
        return texts::kFail.in(lang);
    case Verdict::None:
        break;
    }
    return {};
}

std::string_view VerdictKey(Verdict v)
{
    switch (v) {
    case Verdict::Pass:
        return "pass";
    case Verdict::Fail:
        return "fail";
    case Verdict::None:
        break;
    }
    return "none";
}

SampleStats ComputeStats(const std::vector<double>& values)
{
    SampleStats s;
    s.count = static_cast<int>(values.size());
    if (values.empty())
        return s;
    // Compensated sum, and the mean kept within the values: thousands of equal
    // values give that value and a deviation of exactly 0.
    double sum = 0.0;
    double carry = 0.0;
    for (double v : values) {
        const double t = sum + v;
        carry += std::fabs(sum) >= std::fabs(v) ? (sum - t) + v : (v - t) + sum;
        sum = t;
    }
    s.min = *std::min_element(values.begin(), values.end());
    s.max = *std::max_element(values.begin(), values.end());
    const double mean = std::clamp((sum + carry) / static_cast<double>(values.size()), *s.min, *s.max);
    s.mean = mean;
    if (values.size() >= 2) {
        // Two passes about the mean: no cancellation for values far from zero.
        double ss = 0.0;
        for (double v : values)
            ss += (v - mean) * (v - mean);
        s.std = std::sqrt(ss / static_cast<double>(values.size() - 1));
        if (mean != 0.0)
            s.cv = *s.std / mean;
    }
    return s;
}

std::optional<double> VerdictCounts::PassRate() const
{
    const int total = passed + failed + none;
    if (total == 0)
        return std::nullopt;
    return static_cast<double>(passed) / total;
}

K30Assessment AssessK30Point(const K30& point, bool manual, const Requirements& required)
{
    K30Assessment a;
    a.recomputed = ComputeK30(point.reading);

    bool reaches = false;
    float top = 0.0f;
    for (int j = 0; j < kUsedPairs; ++j) {
        const ReadingPair& r = point.reading[static_cast<std::size_t>(j)];
        if (r.settlement > kThresholdSettlement)
            reaches = true;
        if (std::isfinite(r.stress))
            top = std::max(top, r.stress);
    }

    const double k30 = ValueOf(point.k30Value);
    if (k30 > 0.0) {
        if (required.k30)
            a.verdict = Judge(k30, *required.k30);
    } else if (!reaches) {
        // Stress in 0.001 MPa over 1.25 mm gives MPa/m.
        const double bound = std::floor(top / 1.25);
        a.lowerBound = static_cast<int>(std::min(bound, 1e9));
        if (required.k30 && *a.lowerBound >= *required.k30)
            a.verdict = Verdict::Pass;
    }

    if (!manual && a.recomputed) {
        const auto stress = WholeNumber(point.stress125);
        if (stress && k30 > 0.0) {
            const double recomputedStress = ValueOf(a.recomputed->stress125Text);
            const double recomputedK30 = ValueOf(a.recomputed->k30Text);
            a.agrees = std::fabs(*stress - recomputedStress) <= kStressTolerance + 1e-9 &&
                       std::fabs(k30 - recomputedK30) <= kK30Tolerance + 1e-9;
        }
    }
    return a;
}

Ev2Assessment AssessEv2Point(const Ev2Point& point, const Requirements& required)
{
    Ev2Assessment a;
    a.result = ComputeEv2(point.reading);
    if (!required.ev2Min && !required.ratioMax)
        return a;
    if ((required.ev2Min && !a.result.ev2) || (required.ratioMax && !a.result.ratio))
        return a;
    // Judged on the values as shown ("%.1f", "%.2f"), as the K30 text is.
    bool pass = true;
    if (required.ev2Min)
        pass = pass && ValueOf(a.result.ev2Text) >= *required.ev2Min;
    if (required.ratioMax)
        pass = pass && ValueOf(a.result.ratioText) <= *required.ratioMax;
    a.verdict = pass ? Verdict::Pass : Verdict::Fail;
    return a;
}

StoreAssessment AssessStore(const TestDataStore& store, const Requirements& required)
{
    StoreAssessment s;
    s.required = required;
    const std::size_t n = store.ValidCount();
    s.k30.reserve(n);
    std::vector<double> k30Values;
    for (std::size_t k = 0; k < n; ++k) {
        const K30& p = store.k30List[k];
        s.k30.push_back(AssessK30Point(p, store.bManualInput, required));
        Count(s.k30Counts, s.k30.back().verdict);
        const double v = ValueOf(p.k30Value);
        if (v > 0.0)
            k30Values.push_back(v);
    }
    s.k30Stats = ComputeStats(k30Values);

    std::vector<double> ev2Values;
    std::vector<double> ratios;
    s.ev2.reserve(store.ev2List.size());
    for (const Ev2Point& p : store.ev2List) {
        s.ev2.push_back(AssessEv2Point(p, required));
        Count(s.ev2Counts, s.ev2.back().verdict);
        if (s.ev2.back().result.ev2)
            ev2Values.push_back(*s.ev2.back().result.ev2);
        if (s.ev2.back().result.ratio)
            ratios.push_back(*s.ev2.back().result.ratio);
    }
    s.ev2Stats = ComputeStats(ev2Values);
    s.ratioStats = ComputeStats(ratios);
    return s;
}

}  // namespace k30
