// Ev1, Ev2 and Ev2/Ev1 against exact least-squares fits and hand-made parabolas.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "Ev2Evaluation.h"
#include "ExactFit.h"
#include "TransferBuilder.h"

using namespace k30;
using test::FitExactly;

namespace {

using Readings = std::array<ReadingPair, kEv2Pairs>;
using Ints = std::array<int, kEv2Pairs>;

Readings Make(const Ints& stress, const Ints& settlement)
{
    Readings r{};
    for (std::size_t j = 0; j < r.size(); ++j)
        r[j] = {static_cast<float>(stress[j]), static_cast<float>(settlement[j])};
    return r;
}

// The exact fit over pairs [first, end).
test::ExactParabola Exact(const Ints& stress, const Ints& settlement, std::size_t first, std::size_t end)
{
    std::vector<std::pair<std::int64_t, std::int64_t>> uv;
    for (std::size_t j = first; j < end; ++j)
        uv.emplace_back(stress[j], settlement[j]);
    return FitExactly(uv);
}

std::string Printf(const char* format, long double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, format, static_cast<double>(v));
    return buf;
}

}  // namespace

TEST(Ev2Fit, RecoversAParabolaAndAStraightLine)
{
    // First loading s = 0.05 + σ + σ² (mm, MPa) at σ = 0.1·k: 5 + 10k + k² in 0.01 mm.
    // Second loading a straight line s = 1.18 + 0.5·σ at σ = 0.08·k: 118 + 4k.
    const Ints stress{0, 100, 200, 300, 400, 500, 600, 700, 350, 175, 0, 80, 160, 240, 320, 400, 480};
    const Ints settlement{5, 16, 29, 44, 61, 80, 101, 124, 120, 119, 118, 122, 126, 130, 134, 138, 142};
    const Ev2Result r = ComputeEv2(Make(stress, settlement));
    ASSERT_TRUE(r.fit1 && r.fit2);
    EXPECT_NEAR(r.fit1->a0, 0.05, 1e-13);
    EXPECT_NEAR(r.fit1->a1, 1.0, 1e-12);
    EXPECT_NEAR(r.fit1->a2, 1.0, 1e-12);
    EXPECT_NEAR(r.fit2->a0, 1.18, 1e-13);
    EXPECT_NEAR(r.fit2->a1, 0.5, 1e-12);
    EXPECT_NEAR(r.fit2->a2, 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(r.fit1->sigmaMax, 0.7);
    EXPECT_DOUBLE_EQ(r.fit2->sigmaMin, 0.0);
    // Ev1 = 225 / (1 + 0.7) and Ev2 = 225 / 0.5.
    ASSERT_TRUE(r.sigma0max && r.ev1 && r.ev2 && r.ratio);
    EXPECT_DOUBLE_EQ(*r.sigma0max, 0.7);
    EXPECT_NEAR(*r.ev1, 225.0 / 1.7, 1e-10);
    EXPECT_NEAR(*r.ev2, 450.0, 1e-10);
    EXPECT_NEAR(*r.ratio, 450.0 * 1.7 / 225.0, 1e-12);
    EXPECT_EQ(r.sigma0maxText, "0.700");
    EXPECT_EQ(r.ev1Text, "132.4");
    EXPECT_EQ(r.ev2Text, "450.0");
    EXPECT_EQ(r.ratioText, "3.40");
}

TEST(Ev2Fit, BranchesEndBeforeTheFirstLaterZeroStress)
{
    // The instrument stopped after pair 4 of the first loading and after pair
    // 12 of the second; what follows the zeros must not enter the fits.
    const Ints stress{0, 100, 200, 300, 0, 900, 900, 900, 350, 175, 0, 80, 160, 0, 999, 999, 999};
    const Ints settlement{0, 21, 45, 72, 0, 5, 5, 5, 120, 119, 118, 123, 131, 0, 1, 1, 1};
    const Readings readings = Make(stress, settlement);
    EXPECT_EQ(FirstLoadingBranch(readings).end, 4);
    EXPECT_EQ(SecondLoadingBranch(readings).first, 10);
    EXPECT_EQ(SecondLoadingBranch(readings).end, 13);
    const Ev2Result r = ComputeEv2(readings);
    ASSERT_TRUE(r.ev1 && r.ev2);
    EXPECT_EQ(r.sigma0maxText, "0.300");
    const auto e1 = Exact(stress, settlement, 0, 4);
    const auto e2 = Exact(stress, settlement, 10, 13);
    EXPECT_NEAR(*r.ev1, static_cast<double>(e1.Modulus(300)), 1e-9);
    EXPECT_NEAR(*r.ev2, static_cast<double>(e2.Modulus(300)), 1e-9);
}

TEST(Ev2Fit, NoResultWithoutThreeDifferentStressesOrAPositiveDenominator)
{
    // First loading holds only 0 and 0.1 MPa: no Ev1, but σ0max is given and
    // Ev2 stands on its own.
    Ints stress{0, 100, 100, 100, 100, 100, 100, 100, 50, 25, 0, 20, 40, 60, 80, 100, 0};
    Ints settlement{0, 30, 31, 32, 33, 34, 35, 36, 30, 25, 20, 22, 25, 28, 32, 37, 0};
    Ev2Result r = ComputeEv2(Make(stress, settlement));
    EXPECT_FALSE(r.fit1);
    EXPECT_FALSE(r.ev1);
    EXPECT_EQ(r.sigma0maxText, "0.100");
    EXPECT_TRUE(r.ev2);
    EXPECT_FALSE(r.ratio);
    EXPECT_EQ(r.ev1Text, "");
    EXPECT_EQ(r.ratioText, "");
    EXPECT_NE(r.ev2Text, "");

    // Two readings in the second loading: no Ev2, Ev1 stands.
    stress[12] = 0;
    r = ComputeEv2(Make(stress, settlement));
    EXPECT_FALSE(r.ev2);
    EXPECT_EQ(r.ev2Text, "");

    // Settlement that falls under load: a1 + a2·σ0max < 0.
    const Ints falling{0, 100, 200, 300, 400, 500, 600, 700, 350, 175, 0, 80, 160, 240, 320, 400, 480};
    Ints up{0, -10, -20, -30, -40, -50, -60, -70, 0, 0, 0, 5, 10, 15, 20, 25, 30};
    r = ComputeEv2(Make(falling, up));
    EXPECT_FALSE(r.ev1);
    EXPECT_TRUE(r.ev2);

    // s = 0.30 + 0.02·k·(7 − k) mm at σ = 0.06·k MPa comes back to its start at
    // σ0max, so a1 + a2·σ0max is exactly 0: no result, not a modulus of 1e16
    // MPa from a denominator of rounding size.
    const Ints peak{0, 60, 120, 180, 240, 300, 360, 420, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const Ints hump{30, 42, 50, 54, 54, 50, 42, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(Exact(peak, hump, 0, 8).Denominator(420), 0);
    r = ComputeEv2(Make(peak, hump));
    EXPECT_TRUE(r.fit1);
    EXPECT_FALSE(r.ev1) << *r.ev1;
    EXPECT_EQ(r.ev1Text, "");
}

TEST(Ev2Fit, KeepsItsDigitsOnSmallStressesWithTinyCurvature)
{
    // 0 to 0.6 MPa, nearly straight, the second loading far from zero
    // settlement: the curvature is three orders below the slope and must
    // still come out to about twelve digits of the exact fit.
    const Ints stress{0, 86, 171, 257, 343, 429, 514, 600, 300, 150, 0, 100, 200, 300, 400, 500, 590};
    const Ints settlement{0, 1720, 3420, 5141, 6861, 8582, 10282, 12003,
                          11000, 10500, 10000, 10200, 10400, 10601, 10801, 11002, 11183};
    const Ev2Result r = ComputeEv2(Make(stress, settlement));
    ASSERT_TRUE(r.fit1 && r.fit2 && r.ev1 && r.ev2);
    for (const auto& [fit, exact] : {std::pair{*r.fit1, Exact(stress, settlement, 0, 8)},
                                     std::pair{*r.fit2, Exact(stress, settlement, 10, 17)}}) {
        EXPECT_NEAR(fit.a0, static_cast<double>(exact.A0()), 1e-12);
        EXPECT_NEAR(fit.a1, static_cast<double>(exact.A1()), 1e-10);
        EXPECT_NEAR(fit.a2, static_cast<double>(exact.A2()), 1e-11);
        EXPECT_GT(std::fabs(exact.A2()), 1e-4L);
    }
    const long double ev1 = Exact(stress, settlement, 0, 8).Modulus(600);
    EXPECT_NEAR(*r.ev1, static_cast<double>(ev1), 1e-12 * static_cast<double>(ev1));
}

TEST(Ev2Fit, ARealisticPointAgainstExactValues)
{
    const InstrumentEv2Record rec = TypicalEv2Record(1);
    Ints stress{}, settlement{};
    for (std::size_t j = 0; j < stress.size(); ++j) {
        stress[j] = rec.stress[j];
        settlement[j] = rec.settlement[j];
    }
    const Ev2Result r = ComputeEv2(Make(stress, settlement));
    const long double ev1 = Exact(stress, settlement, 0, 8).Modulus(500);
    const long double ev2 = Exact(stress, settlement, 10, 17).Modulus(500);
    ASSERT_TRUE(r.ev1 && r.ev2 && r.ratio);
    EXPECT_NEAR(*r.ev1, static_cast<double>(ev1), 1e-12 * static_cast<double>(ev1));
    EXPECT_NEAR(*r.ev2, static_cast<double>(ev2), 1e-12 * static_cast<double>(ev2));
    EXPECT_NEAR(*r.ratio, static_cast<double>(ev2 / ev1), 1e-12);
    EXPECT_EQ(r.sigma0maxText, "0.500");
    EXPECT_EQ(r.ev1Text, Printf("%.1f", ev1));
    EXPECT_EQ(r.ev2Text, Printf("%.1f", ev2));
    EXPECT_EQ(r.ratioText, Printf("%.2f", ev2 / ev1));
}
