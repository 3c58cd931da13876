// Verdicts, the recompute check of the instrument's results, and statistics,
// each at its edges.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "Acceptance.h"
#include "TestDataStore.h"
#include "TransferBuilder.h"

using namespace k30;

namespace {

// Readings of the worked example: 1.25 mm lies between 1.10 and 1.60 mm, at
// 0.100 + 15/50 · 0.050 = 0.115 MPa; K30 = 0.115 / 1.25 mm = 92.
K30 Point(std::string stress125, std::string k30Value)
{
    K30 p;
    p.name = "1";
    p.reading[1] = {50, 40};
    p.reading[2] = {100, 110};
    p.reading[3] = {150, 160};
    p.stress125 = std::move(stress125);
    p.k30Value = std::move(k30Value);
    return p;
}

// Readings that stop at 1.25 mm, largest stress 0.250 MPa: K30 ≥ 200.
K30 ShortPoint(std::string k30Value)
{
    K30 p;
    p.reading[1] = {100, 50};
    p.reading[2] = {250, 125};
    p.reading[3] = {180, 100};
    p.stress125 = "0.000";
    p.k30Value = std::move(k30Value);
    return p;
}

Requirements K30At(double v) { return Requirements{v, std::nullopt, std::nullopt, {}}; }

Ev2Point TypicalEv2()
{
    // Ev1 54.9, Ev2 140.1, Ev2/Ev1 2.55 (exact values in Ev2EvaluationTest).
    const InstrumentEv2Record rec = TypicalEv2Record(1);
    Ev2Point p;
    for (std::size_t j = 0; j < p.reading.size(); ++j)
        p.reading[j] = {static_cast<float>(rec.stress[j]), static_cast<float>(rec.settlement[j])};
    return p;
}

}  // namespace

TEST(Requirement, IsANumberAsTyped)
{
    EXPECT_EQ(ParseRequirement("190"), 190.0);
    EXPECT_EQ(ParseRequirement("  190\t"), 190.0);
    EXPECT_EQ(ParseRequirement(" 152,5 "), 152.5);
    EXPECT_EQ(ParseRequirement("0.5"), 0.5);
    for (const char* none : {"", "   ", "abc", "190 MPa/m", "≥190", "1,2,3", ",", "1 90", "nan", "inf"})
        EXPECT_FALSE(ParseRequirement(none)) << none;
}

TEST(K30Verdict, AtItsEdges)
{
    const K30 p = Point("0.115", "92");
    EXPECT_EQ(AssessK30Point(p, false, K30At(92)).verdict, Verdict::Pass);
    EXPECT_EQ(AssessK30Point(p, false, K30At(93)).verdict, Verdict::Fail);
    EXPECT_EQ(AssessK30Point(p, false, K30At(92.5)).verdict, Verdict::Fail);
    EXPECT_EQ(AssessK30Point(p, false, {}).verdict, Verdict::None);
    // A manual point's text is right-aligned; its blanks do not matter.
    EXPECT_EQ(AssessK30Point(Point("0.115", " 92"), true, K30At(92)).verdict, Verdict::Pass);

    // Never 1.25 mm: the largest stress proves K30 ≥ 250 / 1.25 = 200.
    for (const char* noValue : {"0", ""}) {
        const K30 s = ShortPoint(noValue);
        K30Assessment a = AssessK30Point(s, false, K30At(200));
        EXPECT_EQ(a.verdict, Verdict::Pass);
        EXPECT_EQ(a.lowerBound, 200);
        EXPECT_FALSE(a.recomputed);
        EXPECT_FALSE(a.agrees);
        a = AssessK30Point(s, false, K30At(201));
        EXPECT_EQ(a.verdict, Verdict::None);
        EXPECT_EQ(a.lowerBound, 200);
        EXPECT_EQ(AssessK30Point(s, false, {}).verdict, Verdict::None);
    }
    // The bound is truncated: 0.249 MPa gives 199.2, so 199.
    K30 s = ShortPoint("0");
    s.reading[2].stress = 249;
    EXPECT_EQ(AssessK30Point(s, false, {}).lowerBound, 199);
    // A K30 of 0 whose readings do pass 1.25 mm proves nothing.
    const K30Assessment zero = AssessK30Point(Point("0.000", "0"), false, K30At(10));
    EXPECT_EQ(zero.verdict, Verdict::None);
    EXPECT_FALSE(zero.lowerBound);
}

TEST(K30Verdict, RecomputeToleranceAtItsEdges)
{
    // Recomputed: 0.115 MPa and K30 " 92"; one unit of the last digit either way agrees.
    for (const auto& [stress, k30, agrees] : std::vector<std::tuple<const char*, const char*, bool>>{
             {"0.115", "92", true}, {"0.116", "92", true}, {"0.114", "92", true},
             {"0.117", "92", false}, {"0.113", "92", false}, {"0.115", "93", true},
             {"0.115", "91", true}, {"0.115", "94", false}, {"0.115", "90", false}})
        EXPECT_EQ(AssessK30Point(Point(stress, k30), false, {}).agrees, agrees) << stress << " " << k30;

    const K30Assessment a = AssessK30Point(Point("0.117", "94"), false, {});
    ASSERT_TRUE(a.recomputed);
    EXPECT_EQ(a.recomputed->stress125Text, "0.115");
    EXPECT_EQ(a.recomputed->k30Text, " 92");
    // Manual points are not checked, and a side without a result gives no answer.
    EXPECT_FALSE(AssessK30Point(Point("0.117", "94"), true, {}).agrees);
    EXPECT_FALSE(AssessK30Point(Point("", ""), false, {}).agrees);
}

TEST(Statistics, AgainstHandValues)
{
    SampleStats s = ComputeStats({});
    EXPECT_EQ(s.count, 0);
    EXPECT_FALSE(s.mean || s.std || s.cv || s.min || s.max);

    s = ComputeStats({152});
    EXPECT_EQ(s.count, 1);
    EXPECT_EQ(s.mean, 152.0);
    EXPECT_EQ(s.min, 152.0);
    EXPECT_EQ(s.max, 152.0);
    EXPECT_FALSE(s.std);
    EXPECT_FALSE(s.cv);

    // 150 and 160: mean 155, s = √((25 + 25) / 1) = 7.0710678…, cv = s / 155.
    s = ComputeStats({160, 150});
    EXPECT_DOUBLE_EQ(*s.mean, 155.0);
    EXPECT_NEAR(*s.std, 7.0710678118654752, 1e-12);
    EXPECT_NEAR(*s.cv, 0.045619792334615969, 1e-15);
    EXPECT_EQ(s.min, 150.0);
    EXPECT_EQ(s.max, 160.0);

    s = ComputeStats({140, 140, 140});
    EXPECT_EQ(s.mean, 140.0);
    EXPECT_EQ(s.std, 0.0);
    EXPECT_EQ(s.cv, 0.0);

    // Many equal values that no binary fraction holds: their own mean, s = 0.
    const std::vector<double> same(10000, 140.0972897845726);
    s = ComputeStats(same);
    EXPECT_EQ(s.mean, 140.0972897845726);
    EXPECT_EQ(s.std, 0.0);
    EXPECT_EQ(s.cv, 0.0);

    // Large values close together: 1e9 + {1, 2, 3} has s = 1 exactly.
    s = ComputeStats({1e9 + 1, 1e9 + 2, 1e9 + 3});
    EXPECT_DOUBLE_EQ(*s.std, 1.0);
}

TEST(Ev2Verdict, Rules)
{
    const Ev2Point p = TypicalEv2();
    const auto verdict = [&p](std::optional<double> ev2Min, std::optional<double> ratioMax) {
        return AssessEv2Point(p, Requirements{std::nullopt, ev2Min, ratioMax, {}}).verdict;
    };
    EXPECT_EQ(verdict(std::nullopt, std::nullopt), Verdict::None);
    // Judged on the values as shown: 140.1 and 2.55.
    EXPECT_EQ(verdict(140.1, std::nullopt), Verdict::Pass);
    EXPECT_EQ(verdict(140.2, std::nullopt), Verdict::Fail);
    EXPECT_EQ(verdict(std::nullopt, 2.55), Verdict::Pass);
    EXPECT_EQ(verdict(std::nullopt, 2.54), Verdict::Fail);
    EXPECT_EQ(verdict(120, 2.5), Verdict::Fail);
    EXPECT_EQ(verdict(150, 3.0), Verdict::Fail);
    EXPECT_EQ(verdict(120, 2.6), Verdict::Pass);

    // Without Ev1 there is no ratio: a ratio condition cannot be judged, an
    // Ev2 condition alone still can.
    Ev2Point noEv1 = p;
    for (std::size_t j = 2; j < 8; ++j)
        noEv1.reading[j].stress = 70;
    const auto without = [&noEv1](std::optional<double> ev2Min, std::optional<double> ratioMax) {
        return AssessEv2Point(noEv1, Requirements{std::nullopt, ev2Min, ratioMax, {}}).verdict;
    };
    EXPECT_EQ(without(120, std::nullopt), Verdict::Pass);
    EXPECT_EQ(without(120, 2.6), Verdict::None);
    EXPECT_EQ(without(150, 2.6), Verdict::None);
}

TEST(StoreAssessment, CountsAndStatisticsOverTheList)
{
    TestDataStore store;
    store.k30List = {Point("0.115", "92"), Point("0.117", "112"), ShortPoint("0"), Point("", "")};
    store.k30List.push_back(Point("0.115", "999"));  // beyond the count: not assessed
    store.nK30Count = 4;
    store.ev2List = {TypicalEv2(), Ev2Point{}};
    store.nEv2Count = 2;
    const StoreAssessment s = AssessStore(store, Requirements{100, 130, std::nullopt, {}});
    ASSERT_EQ(s.k30.size(), 4u);
    EXPECT_EQ(s.k30[0].verdict, Verdict::Fail);
    EXPECT_EQ(s.k30[1].verdict, Verdict::Pass);
    EXPECT_EQ(s.k30[1].agrees, false);
    EXPECT_EQ(s.k30[2].verdict, Verdict::Pass);  // ≥ 200
    EXPECT_EQ(s.k30[3].verdict, Verdict::None);
    EXPECT_EQ(s.k30Counts.passed, 2);
    EXPECT_EQ(s.k30Counts.failed, 1);
    EXPECT_EQ(s.k30Counts.none, 1);
    EXPECT_EQ(s.k30Counts.PassRate(), 0.5);
    // K30 over the points with a value above 0: 92 and 112.
    EXPECT_EQ(s.k30Stats.count, 2);
    EXPECT_DOUBLE_EQ(*s.k30Stats.mean, 102.0);
    EXPECT_NEAR(*s.k30Stats.std, std::sqrt(200.0), 1e-12);

    ASSERT_EQ(s.ev2.size(), 2u);
    EXPECT_EQ(s.ev2[0].verdict, Verdict::Pass);
    EXPECT_EQ(s.ev2[1].verdict, Verdict::None);
    EXPECT_EQ(s.ev2Counts.passed, 1);
    EXPECT_EQ(s.ev2Counts.none, 1);
    EXPECT_EQ(s.ev2Stats.count, 1);
    EXPECT_EQ(s.ratioStats.count, 1);
    EXPECT_EQ(s.ev2Stats.mean, s.ev2[0].result.ev2);

    EXPECT_FALSE(VerdictCounts{}.PassRate());
}
