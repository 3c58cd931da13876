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
    EXPECT_EQ(SettlementText(*SettlementFromText("1.13")), "1.12");
    EXPECT_EQ(StressFromText("0.050"), 50.0f);
    EXPECT_EQ(StressFromText(""), 0.0f);  // an empty box is 0
    EXPECT_EQ(StressFromText("-0.0015"), -1.0f);
    EXPECT_EQ(StressText(123.0f), "0.123");
}

// A decimal comma is read as half the world writes it (it once gave 0, and
// K30 = 29 instead of 186); any other text is refused rather than taken as 0.
TEST(TypedReadings, TakeADecimalCommaAndRefuseEverythingElse)
{
    EXPECT_EQ(StressFromText("0,240"), 240.0f);
    EXPECT_EQ(SettlementFromText(" 1,30\t"), 130.0f);
    EXPECT_EQ(ReadTypedNumber("  "), 0.0);
    EXPECT_EQ(ReadTypedNumber("+.5"), 0.5);
    for (const char* refused : {"abc", " 0.1abc", "0.24 MPa", "1 2", "1,2,3", "1.2,3", "nan", "inf", "1e99", "-",
                                ".", "0x10", "０.２"})
        EXPECT_FALSE(ReadTypedNumber(refused)) << refused;
    // Readings 0.05/0.40, 0.10/1.10, 0.260/1.50 typed with commas: between
    // 1.10 and 1.50 mm the stress at 1.25 mm is 0.100 + 0.15/0.40 * 0.160 =
    // 0.160 MPa, K30 = 0.160 / 1.25 mm = 128 MPa/m.
    std::array<ReadingPair, kReadingPairs> reading{};
    const char* stress[] = {"0", "0,05", "0,10", "0,260"};
    const char* settlement[] = {"0", "0,40", "1,10", "1,50"};
    for (std::size_t i = 0; i < 4; ++i)
        reading[i] = {*StressFromText(stress[i]), *SettlementFromText(settlement[i])};
    const auto r = ComputeK30(reading);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->stress125Text, "0.160");
    EXPECT_EQ(r->k30Text, "128");
}

TEST(Format, MatchesPrintfInTheCLocale)
{
    EXPECT_EQ(FormatFixed(0.115, 3), "0.115");
    EXPECT_EQ(FormatFixed(92.0, 3, 0), " 92");
    EXPECT_EQ(FormatFixed(2.5, 0), "2");  // round half to even, as printf
    EXPECT_EQ(FormatFixed(-0.0004, 3), "-0.000");
}
