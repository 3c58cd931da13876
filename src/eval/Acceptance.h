#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Ev2Evaluation.h"
#include "K30Evaluation.h"
#include "Language.h"

namespace k30 {

class TestDataStore;

// What a layer must reach. An absent value sets no condition.
struct Requirements {
    std::optional<double> k30;       // MPa/m, least K30
    std::optional<double> ev2Min;    // MPa, least Ev2
    std::optional<double> ratioMax;  // largest Ev2/Ev1
    // The required K30 as typed when it is not a number: no requirement, but
    // the pages, the reports and the tool say that it could not be read.
    std::string k30Unreadable;
};

// A required value as typed: a number with blanks around it allowed and a
// decimal comma taken as a point. Anything else (empty, words, "190 MPa/m")
// is no requirement.
std::optional<double> ParseRequirement(std::string_view text);

// Takes the required K30 as typed: a number sets k30; a text that is not one
// sets no requirement but is kept in k30Unreadable; blanks set neither.
void SetRequiredK30(Requirements& r, std::string_view text);

enum class Verdict { None, Pass, Fail };

// "pass", "fail", "none".
std::string_view VerdictKey(Verdict v);
// "合格"/"Pass", "不合格"/"Fail", empty for none: the word every list,
// report and export shows.
std::string_view VerdictText(Verdict v, Language lang);

struct K30Assessment {
    Verdict verdict = Verdict::None;
    // Set when the point's K30 text is 0 or empty and its readings never
    // reach 1.25 mm: K30 >= largest stress / 1.25 mm, whole MPa/m truncated.
    std::optional<int> lowerBound;
    // The point's readings evaluated as a manual point would be.
    std::optional<K30Result> recomputed;
    // Whether the instrument's stress at 1.25 mm and K30 agree with the
    // recomputed ones (within 0.001 MPa and 1 MPa/m). nullopt for a manual
    // point and where either side has no result.
    std::optional<bool> agrees;
};

// Ev2 ≥ the minimum and Ev2/Ev1 ≤ the largest ratio, each where set, judged
// on the values as shown.
struct Ev2Assessment {
    Verdict verdict = Verdict::None;
    Ev2Result result;
};

// Sample statistics; every value absent for an empty sample, std and cv
// absent for fewer than two values (cv also when the mean is 0).
struct SampleStats {
    int count = 0;
    std::optional<double> mean;
    std::optional<double> std;  // sample standard deviation, n − 1
    std::optional<double> cv;   // std / mean
    std::optional<double> min;
    std::optional<double> max;
};

SampleStats ComputeStats(const std::vector<double>& values);

struct VerdictCounts {
    int passed = 0;
    int failed = 0;
    int none = 0;
    // passed / (passed + failed + none); absent when there is no point.
    std::optional<double> PassRate() const;
};

// Everything the list, the Ev2 page, the reports, `k30 assess` and the
// exports show of the acceptance of one store.
struct StoreAssessment {
    Requirements required;
    std::vector<K30Assessment> k30;  // one per valid K30 point, in list order
    std::vector<Ev2Assessment> ev2;  // one per Ev2 point, in list order
    SampleStats k30Stats;            // over the points with K30 > 0
    SampleStats ev2Stats;            // Ev2, over points with a result
    SampleStats ratioStats;          // Ev2/Ev1, over points with a result
    VerdictCounts k30Counts;
    VerdictCounts ev2Counts;
};

// `manual` marks a point typed by hand (no recompute check).
K30Assessment AssessK30Point(const K30& point, bool manual, const Requirements& required);
Ev2Assessment AssessEv2Point(const Ev2Point& point, const Requirements& required);
StoreAssessment AssessStore(const TestDataStore& store, const Requirements& required);

}  // namespace k30
