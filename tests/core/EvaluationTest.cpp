#include <gtest/gtest.h>

#include <limits>

#include "Format.h"
#include "K30Evaluation.h"

using namespace k30;

namespace {
std::array<ReadingPair, kReadingPairs> Pairs(std::initializer_list<ReadingPair> list)
{
    std::array<ReadingPair, kReadingPairs> a{};
    std::size_t i = 0;
    for (const ReadingPair& p : list)
        a[i++] = p;
    return a;
}
}  // namespace

TEST(ComputeK30, WorkedExample)
{
    const auto r = ComputeK30(Pairs({{0, 0}, {50, 40}, {100, 110}, {150, 160}}));
    ASSERT_TRUE(r);
    EXPECT_FLOAT_EQ(r->stress125, 115.0f);
    EXPECT_EQ(r->stress125Text, "0.115");
    EXPECT_EQ(r->k30Text, " 92");
}

TEST(ComputeK30, CrossingRules)
{
    // Exactly 1.25 mm does not stop the scan; the pair's own stress results.
    auto r = ComputeK30(Pairs({{0, 0}, {80, 125}, {120, 200}}));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->stress125Text, "0.080");
    // The first crossing in row order, even when the curve falls back.
    r = ComputeK30(Pairs({{0, 0}, {100, 100}, {200, 150}, {250, 90}, {300, 300}}));
    ASSERT_TRUE(r);
    EXPECT_FLOAT_EQ(r->stress125, 150.0f);
    // Nothing above 1.25 mm, and a zero reading already above it.
    EXPECT_FALSE(ComputeK30(Pairs({{0, 0}, {100, 125}, {200, 120}})));
    EXPECT_FALSE(ComputeK30(Pairs({{0, 130}, {100, 200}})));
    // Project-file readings of any value: an infinite or undefined stress is no result.
    constexpr float kInf = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(ComputeK30(Pairs({{0, 0}, {kInf, 250}})));
    EXPECT_FALSE(ComputeK30(Pairs({{0, -kInf}, {100, 250}})));
}

TEST(ComputeK30, K30TextWidthIsAMinimum)
{
    // 188 / 1.25 = 150.4 and 1250 / 1.25 = 1000.
    auto r = ComputeK30(Pairs({{0, 0}, {188, 125}, {400, 300}}));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->k30Text, "150");
    r = ComputeK30(Pairs({{0, 0}, {1250, 125}, {2000, 300}}));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->k30Text, "1000");
}

TEST(TypedReadings, AreTruncatedNotRounded)
{
    EXPECT_EQ(SettlementFromText("1.13"), 112.0f);
    EXPECT_EQ(SettlementFromText("0.29"), 28.0f);
    EXPECT_EQ(SettlementText(SettlementFromText("1.13")), "1.12");
    EXPECT_EQ(StressFromText("0.050"), 50.0f);
    EXPECT_EQ(StressFromText(" 0.1abc"), 100.0f);
    EXPECT_EQ(StressFromText("abc"), 0.0f);
    EXPECT_EQ(StressFromText(""), 0.0f);
    EXPECT_EQ(StressFromText("-0.0015"), -1.0f);
    EXPECT_EQ(StressFromText("1e99"), 2147483647.0f);
    EXPECT_EQ(StressFromText("nan"), 0.0f);
    EXPECT_EQ(StressText(123.0f), "0.123");
}

TEST(Format, MatchesPrintfInTheCLocale)
{
    EXPECT_EQ(FormatFixed(0.115, 3), "0.115");
    EXPECT_EQ(FormatFixed(92.0, 3, 0), " 92");
    EXPECT_EQ(FormatFixed(2.5, 0), "2");  // round half to even, as printf
    EXPECT_EQ(FormatFixed(-0.0004, 3), "-0.000");
}
