// The CSV tables read back by an RFC 4180 reader give the store's values.
#include <gtest/gtest.h>

#include <cstdlib>

#include "CsvExport.h"
#include "ExportTestSupport.h"

using namespace k30;
using namespace k30::test;

namespace {

constexpr const char* kBom = "\xEF\xBB\xBF";

CsvRows ReadBack(const std::string& csv)
{
    EXPECT_EQ(csv.substr(0, 3), kBom);
    const auto rows = ParseCsv(csv.substr(3), true);
    EXPECT_TRUE(rows.has_value()) << "not RFC 4180 with CRLF";
    return rows.value_or(CsvRows{});
}

double Number(const std::string& field)
{
    EXPECT_EQ(field.find_first_not_of("0123456789.-"), std::string::npos) << field;
    return std::strtod(field.c_str(), nullptr);
}

TEST(CsvExport, K30TableGivesTheStoresValuesAndVerdicts)
{
    const TestDataStore store = KnownStore();
    const CsvRows rows = ReadBack(WriteCsv(store, KnownHeader(), KnownRequirements(), Language::English, CsvTable::K30));
    ASSERT_EQ(rows.size(), 5u);
    for (const auto& row : rows)
        ASSERT_EQ(row.size(), 7u + 32u + 3u);
    EXPECT_EQ(rows[0][7], "1 Stress (MPa)");
    EXPECT_EQ(rows[0][38], "16 Settlement (mm)");
    EXPECT_EQ(rows[0][39], "Verdict");

    for (std::size_t k = 0; k < 4; ++k) {
        const K30& p = store.k30List[k];
        const auto& row = rows[k + 1];
        EXPECT_EQ(row[0], p.name);
        EXPECT_EQ(row[1], p.startTime);
        EXPECT_EQ(row[2], p.endTime);
        EXPECT_EQ(row[5], p.testType);
        EXPECT_DOUBLE_EQ(Number(row[3]), std::strtod(p.stress125.c_str(), nullptr));
        EXPECT_DOUBLE_EQ(Number(row[4]), std::strtod(p.k30Value.c_str(), nullptr));
        for (int j = 0; j < 16; ++j) {
            const std::string& stress = row[7 + 2 * static_cast<std::size_t>(j)];
            const std::string& settlement = row[8 + 2 * static_cast<std::size_t>(j)];
            EXPECT_EQ(stress.size() - stress.find('.'), 4u) << stress;  // three decimals
            EXPECT_EQ(settlement.size() - settlement.find('.'), 3u) << settlement;
            EXPECT_NEAR(Number(stress), p.reading[static_cast<std::size_t>(j)].stress / 1000.0, 1e-12);
            EXPECT_NEAR(Number(settlement), p.reading[static_cast<std::size_t>(j)].settlement / 100.0, 1e-12);
        }
    }
    // Verdict, lower bound, recomputed K30 (worked by hand, see KnownStore).
    const std::vector<std::vector<std::string>> tail{
        {"Pass", "", "125"}, {"Pass", "240", ""}, {"Fail", "", "125"}, {"Pass", "", "125"}};
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_EQ(std::vector<std::string>(rows[k + 1].begin() + 39, rows[k + 1].end()), tail[k]) << k;
}

TEST(CsvExport, Ev2TableInChineseWithDateSplitAndResults)
{
    const TestDataStore store = KnownStore();
    const CsvRows rows = ReadBack(WriteCsv(store, {}, KnownRequirements(), Language::Chinese, CsvTable::Ev2));
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(rows[0].size(), 9u + 34u);
    EXPECT_EQ(rows[0][9], "1应力(MPa)");
    const std::vector<std::string> head(rows[1].begin(), rows[1].begin() + 9);
    EXPECT_EQ(head, (std::vector<std::string>{"3", "2026-11-4", "10:05", "10:40", "0.350", "112.5", "450.0", "4.00",
                                              "合格"}));
    EXPECT_EQ(rows[1][9 + 2 * 16], "0.600");
    EXPECT_EQ(rows[1][10 + 2 * 16], "0.80");

    // Without requirements the verdict is empty; the results stay.
    const CsvRows bare = ReadBack(WriteCsv(store, {}, {}, Language::English, CsvTable::Ev2));
    EXPECT_EQ(bare[1][8], "");
    EXPECT_EQ(bare[1][6], "450.0");
}

// Texts a spreadsheet would run as a formula get a leading apostrophe;
// numbers, negative ones too, stay numbers.
TEST(CsvExport, FormulaLikeTextsGetAnApostropheNumbersStay)
{
    TestDataStore store = KnownStore();
    store.k30List[0].name = "=HYPERLINK(\"http://x\",\"y\")";
    store.k30List[1].name = "+1";
    store.k30List[2].name = "@SUM(A1)";
    store.k30List[3].name = "-x";
    store.k30List[0].testType = "\tK30";
    store.k30List[1].testType = "\rK30";
    store.k30List[2].testType = "K30 =1";
    store.k30List[3].k30Value = "-5";
    store.k30List[3].reading[1].stress = -25.0f;
    const CsvRows rows = ReadBack(WriteCsv(store, {}, {}, Language::English, CsvTable::K30));
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1][0], "'=HYPERLINK(\"http://x\",\"y\")");
    EXPECT_EQ(rows[2][0], "'+1");
    EXPECT_EQ(rows[3][0], "'@SUM(A1)");
    EXPECT_EQ(rows[4][0], "'-x");
    EXPECT_EQ(rows[1][5], "'\tK30");
    EXPECT_EQ(rows[2][5], "'\rK30");
    EXPECT_EQ(rows[3][5], "K30 =1");
    EXPECT_EQ(rows[4][4], "-5");
    EXPECT_EQ(rows[4][9], "-0.025");
}

}  // namespace
