// The workbook opened by LibreOffice Calc (converted headless to CSV, every
// sheet) holds what the CSV writer writes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "CsvExport.h"
#include "ExportTestSupport.h"
#include "XlsxExport.h"

using namespace k30;
using namespace k30::test;
namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool HaveSoffice() { return std::system("command -v soffice >/dev/null 2>&1") == 0; }

class XlsxThroughCalc : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!HaveSoffice())
            GTEST_SKIP() << "soffice (libreoffice-calc-nogui) not installed: the workbook is not read back";
        dir_ = fs::temp_directory_path() / ("k30-xlsx-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                            "-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    // Every sheet of the workbook as Calc shows it (or its raw cell values),
    // by sheet name.
    std::map<std::string, CsvRows> ReadWithCalc(const std::string& bytes, bool asShown = true)
    {
        const fs::path book = dir_ / "book.xlsx";
        std::ofstream(book, std::ios::binary) << bytes;
        // Comma, quote, UTF-8, cells as shown, every sheet to its own file.
        const std::string command = "cd '" + dir_.string() + "' && soffice -env:UserInstallation=file://" +
                                    dir_.string() + "/profile --headless --convert-to " +
                                    "'csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true," + (asShown ? "true" : "false") +
                                    ",false,false,-1'"
                                    " --outdir out book.xlsx >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0);
        std::map<std::string, CsvRows> sheets;
        for (const char* name : {"K30", "Ev2", "Header", "Summary"}) {
            const fs::path csv = dir_ / "out" / (std::string("book-") + name + ".csv");
            if (!fs::exists(csv))
                continue;
            const auto rows = ParseCsv(Slurp(csv), false);
            EXPECT_TRUE(rows.has_value()) << name;
            sheets[name] = rows.value_or(CsvRows{});
        }
        return sheets;
    }

    fs::path dir_;
};

CsvRows WriterCsv(const TestDataStore& store, Language lang, CsvTable table)
{
    return ParseCsv(WriteCsv(store, KnownHeader(), KnownRequirements(), lang, table).substr(3), true).value();
}

std::string Cell(const CsvRows& rows, const std::string& label, std::size_t column)
{
    for (const auto& row : rows)
        if (!row.empty() && row[0] == label && column < row.size())
            return row[column];
    return "(no row " + label + ")";
}

TEST_F(XlsxThroughCalc, SheetsHoldTheCsvValuesHeaderAndStatistics)
{
    const TestDataStore store = KnownStore();
    std::string bytes;
    std::string error;
    ASSERT_TRUE(WriteXlsx(store, KnownHeader(), KnownRequirements(), Language::English, bytes, error)) << error;
    auto sheets = ReadWithCalc(bytes);
    ASSERT_EQ(sheets.size(), 4u);
    EXPECT_EQ(sheets["K30"], WriterCsv(store, Language::English, CsvTable::K30));
    EXPECT_EQ(sheets["Ev2"], WriterCsv(store, Language::English, CsvTable::Ev2));

    const CsvRows& header = sheets["Header"];
    ASSERT_EQ(header.size(), 15u);
    EXPECT_EQ(Cell(header, "Client", 1), "Client, \"Ltd\"");
    EXPECT_EQ(Cell(header, "Project Name", 1), "京沪线 路基");
    EXPECT_EQ(Cell(header, "Detection Environment", 1), "sunny\nwindy");

    // K30 over 125, 100, 150; Ev2 450.0 and ratio 4.00 of one point.
    const CsvRows& summary = sheets["Summary"];
    EXPECT_EQ(Cell(summary, "Required K30 (MPa/m)", 1), "125");
    EXPECT_EQ(Cell(summary, "Count", 1), "3");
    EXPECT_EQ(Cell(summary, "Mean", 1), "125.0");
    EXPECT_EQ(Cell(summary, "Standard deviation", 1), "25.0");
    EXPECT_EQ(Cell(summary, "CV", 1), "20.0%");
    EXPECT_EQ(Cell(summary, "Minimum", 1), "100");
    EXPECT_EQ(Cell(summary, "Passed", 1), "3");
    EXPECT_EQ(Cell(summary, "Failed", 1), "1");
    EXPECT_EQ(Cell(summary, "Pass rate", 1), "75.0%");
    EXPECT_EQ(Cell(summary, "Mean", 2), "450.0");
    EXPECT_EQ(Cell(summary, "Standard deviation", 2), "");
    EXPECT_EQ(Cell(summary, "Mean", 3), "4.00");
}

TEST_F(XlsxThroughCalc, NumbersAreNumbersTextsAreTextsAndNoEv2SheetWithoutEv2Points)
{
    TestDataStore store = KnownStore();
    store.ev2List.clear();
    store.nEv2Count = 0;
    // Texts that hold the format's own character escapes literally.
    const std::string literal = "a_x000D_b _x005F_ _xabcd_ _x41_ _X000D_ __x0041__";
    store.k30List[1].name = literal;
    ReportHeader header = KnownHeader();
    header.Client = "_x000A_";
    std::string bytes;
    std::string error;
    ASSERT_TRUE(WriteXlsx(store, header, {}, Language::Chinese, bytes, error)) << error;
    // Raw values: a number formatted "0.00" loses its trailing zeros, a text
    // keeps every character.
    auto sheets = ReadWithCalc(bytes, false);
    EXPECT_EQ(sheets.count("Ev2"), 0u);
    ASSERT_EQ(sheets.count("K30"), 1u);
    const CsvRows& k30 = sheets["K30"];
    EXPECT_EQ(k30[0][0], "测试号");
    EXPECT_EQ(k30[1][0], kAwkwardName);
    EXPECT_EQ(k30[2][0], literal);
    EXPECT_EQ(Cell(sheets["Header"], "委托单位", 1), "_x000A_");
    EXPECT_EQ(k30[1][3], "0.156");
    EXPECT_EQ(k30[1][6], "0.15");  // design load 0.150
    EXPECT_EQ(k30[1][10], "0.2");  // settlement 0.20 mm
    EXPECT_EQ(Cell(sheets["Summary"], "要求K30(MPa/m)", 1), "无要求");
}

}  // namespace
