// The AGS4 file checked against the format's rules by a small checker, and
// its loads against hand-computed ones.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>

#include "Ags4Export.h"
#include "ExportTestSupport.h"

using namespace k30;
using namespace k30::test;

namespace {

struct AgsGroup {
    std::vector<std::string> headings, units, types;
    std::vector<std::vector<std::string>> data;

    std::vector<std::string> Column(const std::string& heading) const
    {
        std::vector<std::string> out;
        const auto it = std::find(headings.begin(), headings.end(), heading);
        if (it == headings.end())
            return out;
        const auto i = static_cast<std::size_t>(it - headings.begin());
        for (const auto& row : data)
            out.push_back(row[i]);
        return out;
    }
};

struct AgsFile {
    std::vector<std::string> order;
    std::map<std::string, AgsGroup> groups;
    std::vector<std::string> faults;
};

// The rules the writer promises: CRLF lines, every field quoted, groups of
// GROUP, HEADING, UNIT, TYPE and DATA rows separated by one empty line, as
// many units and types as headings, values of the decimal and date types
// in their form, TYPE and UNIT listing exactly what the groups use, unique
// LOCA_IDs and no test at an unknown location.
AgsFile Check(const std::string& text)
{
    AgsFile f;
    auto fault = [&f](const std::string& what) { f.faults.push_back(what); };
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            fault("last line without CRLF");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    const std::regex quotedLine(R"re(^"(?:[^"]|"")*"(?:,"(?:[^"]|"")*")*$)re");
    const std::regex field(R"re("((?:[^"]|"")*)")re");
    AgsGroup* group = nullptr;
    std::string stage;
    bool blankBefore = true;
    for (const std::string& line : lines) {
        if (line.empty()) {
            if (blankBefore)
                fault("two empty lines");
            blankBefore = true;
            continue;
        }
        if (line.find_first_of("\r\n") != std::string::npos || !std::regex_match(line, quotedLine)) {
            fault("not a quoted line: " + line);
            continue;
        }
        std::vector<std::string> fields;
        for (auto it = std::sregex_iterator(line.begin(), line.end(), field); it != std::sregex_iterator(); ++it)
            fields.push_back(std::regex_replace((*it)[1].str(), std::regex("\"\""), "\""));
        const std::string kind = fields.front();
        fields.erase(fields.begin());
        if (kind == "GROUP") {
            if (!blankBefore)
                fault("group without an empty line before it");
            f.order.push_back(fields.at(0));
            group = &f.groups[fields.at(0)];
            stage = "GROUP";
        } else if (!group || blankBefore) {
            fault("row outside a group: " + line);
        } else if (kind == "HEADING" && stage == "GROUP") {
            group->headings = fields;
            stage = kind;
        } else if (kind == "UNIT" && stage == "HEADING") {
            group->units = fields;
            stage = kind;
        } else if (kind == "TYPE" && stage == "UNIT") {
            group->types = fields;
            stage = kind;
        } else if (kind == "DATA" && (stage == "TYPE" || stage == "DATA")) {
            group->data.push_back(fields);
            stage = kind;
        } else {
            fault("row out of order: " + line);
        }
        if (group && fields.size() != group->headings.size() && kind != "GROUP")
            fault("row with " + std::to_string(fields.size()) + " fields: " + line);
        blankBefore = false;
    }

    std::set<std::string> types, units;
    for (const auto& [name, g] : f.groups) {
        if (g.units.size() != g.headings.size() || g.types.size() != g.headings.size())
            fault(name + ": a heading without unit or type");
        for (std::size_t i = 0; i < g.types.size() && i < g.units.size(); ++i) {
            types.insert(g.types[i]);
            if (!g.units[i].empty())
                units.insert(g.units[i]);
            std::regex form(".*");
            if (g.types[i].size() == 3 && g.types[i].substr(1) == "DP")
                form = std::regex(g.types[i][0] == '0' ? R"(-?\d+)"
                                                      : R"(-?\d+\.\d{)" + g.types[i].substr(0, 1) + "}");
            else if (g.types[i] == "DT" && g.units[i] == "yyyy-mm-dd")
                form = std::regex(R"(\d{4}-\d{2}-\d{2})");
            for (const auto& row : g.data)
                if (i < row.size() && !row[i].empty() && !std::regex_match(row[i], form))
                    fault(name + "." + g.headings[i] + ": \"" + row[i] + "\" is not " + g.types[i]);
        }
    }
    const auto listed = [&f](const char* name, const char* heading) {
        const auto column = f.groups[name].Column(heading);
        return std::set<std::string>(column.begin(), column.end());
    };
    if (listed("TYPE", "TYPE_TYPE") != types)
        fault("TYPE does not list exactly the types used");
    if (listed("UNIT", "UNIT_UNIT") != units)
        fault("UNIT does not list exactly the units used");
    const auto ids = f.groups["LOCA"].Column("LOCA_ID");
    const std::set<std::string> unique(ids.begin(), ids.end());
    if (unique.size() != ids.size())
        fault("LOCA_ID repeats");
    for (const char* g : {"PLTG", "PLTT"})
        for (const std::string& id : f.groups[g].Column("LOCA_ID"))
            if (unique.count(id) == 0)
                fault(std::string(g) + " at unknown LOCA_ID " + id);
    return f;
}

std::vector<std::string> Where(const AgsGroup& g, const std::string& id, const std::string& cycle,
                               const std::string& heading)
{
    const auto ids = g.Column("LOCA_ID");
    const auto cycles = g.Column("PLTG_CYC");
    const auto values = g.Column(heading);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < ids.size(); ++i)
        if (ids[i] == id && (cycle.empty() || cycles[i] == cycle))
            out.push_back(values[i]);
    return out;
}

TEST(Ags4Export, FollowsTheRulesWithUniqueLocationsAndHandComputedLoads)
{
    const std::string text = WriteAgs4(KnownStore(), KnownHeader(), KnownRequirements(), Language::English,
                                       "2026-12-06");
    AgsFile f = Check(text);
    EXPECT_TRUE(f.faults.empty()) << ::testing::PrintToString(f.faults);
    EXPECT_EQ(f.order, (std::vector<std::string>{"PROJ", "TRAN", "TYPE", "UNIT", "LOCA", "PLTG", "PLTT"}));

    // The K30 names first, the Ev2 point's repeated "3" made unique; line
    // breaks become blanks.
    EXPECT_EQ(f.groups["LOCA"].Column("LOCA_ID"),
              (std::vector<std::string>{"A,1 \"quoted\" 第二行 测点", "低值点", "3", "3_2", "3_3"}));
    EXPECT_EQ(f.groups["PROJ"].Column("PROJ_CLNT"), std::vector<std::string>{"Client, \"Ltd\""});
    EXPECT_EQ(f.groups["TRAN"].Column("TRAN_DATE"), std::vector<std::string>{"2026-12-06"});

    // Only headings of the AGS4 data dictionary.
    const AgsGroup& pltg = f.groups["PLTG"];
    EXPECT_EQ(pltg.headings, (std::vector<std::string>{"LOCA_ID", "PLTG_DPTH", "PLTG_TESN", "PLTG_CYC", "PLTG_DATE",
                                                       "PLTG_PDIA", "PLTG_FA0", "PLTG_FA1", "PLTG_FA2", "PLTG_SMOD",
                                                       "PLTG_EV2", "PLTG_MOSR", "PLTG_METH", "PLTG_REM"}));
    EXPECT_EQ(f.groups["PLTT"].headings, (std::vector<std::string>{"LOCA_ID", "PLTG_DPTH", "PLTG_TESN", "PLTG_CYC",
                                                                   "PLTT_STG", "PLTT_LOAD", "PLTT_SET1"}));
    EXPECT_EQ(pltg.Column("PLTG_MOSR"), (std::vector<std::string>{"125.0", "", "100.0", "150.0", "", ""}));
    EXPECT_EQ(pltg.Column("PLTG_CYC"), (std::vector<std::string>{"1", "1", "1", "1", "1", "2"}));
    EXPECT_EQ(Where(pltg, "低值点", "", "PLTG_DATE"), std::vector<std::string>{"2026-11-03"});
    EXPECT_EQ(Where(pltg, "3_3", "2", "PLTG_DATE"), std::vector<std::string>{"2026-11-04"});
    EXPECT_EQ(Where(pltg, "低值点", "", "PLTG_REM").front().rfind("Test type = K30; ", 0), 0u);
    EXPECT_EQ(Where(pltg, "3_3", "1", "PLTG_REM"), std::vector<std::string>{"Test type = Ev2; sigma0max = 0.350 MPa"});
    // The fits: first loading s = 2·sigma, second s = 0.5 + 0.5·sigma.
    EXPECT_EQ(Where(pltg, "3_3", "1", "PLTG_FA0"), std::vector<std::string>{"0.000"});
    EXPECT_EQ(Where(pltg, "3_3", "1", "PLTG_FA1"), std::vector<std::string>{"2.000"});
    EXPECT_EQ(Where(pltg, "3_3", "1", "PLTG_FA2"), std::vector<std::string>{"0.000"});
    EXPECT_EQ(Where(pltg, "3_3", "2", "PLTG_FA0"), std::vector<std::string>{"0.500"});
    EXPECT_EQ(Where(pltg, "3_3", "2", "PLTG_FA1"), std::vector<std::string>{"0.500"});
    EXPECT_EQ(Where(pltg, "3_3", "2", "PLTG_FA2"), std::vector<std::string>{"0.000"});
    EXPECT_EQ(Where(pltg, "3", "", "PLTG_FA1"), std::vector<std::string>{""});
    EXPECT_EQ(Where(pltg, "3_3", "1", "PLTG_SMOD"), std::vector<std::string>{"112.5"});
    EXPECT_EQ(Where(pltg, "3_3", "2", "PLTG_SMOD"), std::vector<std::string>{"450.0"});
    EXPECT_EQ(Where(pltg, "3_3", "2", "PLTG_EV2"), std::vector<std::string>{"450.0"});
    EXPECT_EQ(Where(pltg, "3_3", "1", "PLTG_EV2"), std::vector<std::string>{""});
    EXPECT_EQ(pltg.Column("PLTG_PDIA"), std::vector<std::string>(6, "300"));

    // Loads: stress × π·(0.15 m)² × 1000 kN/MN. 0.100 MPa → 7.0686 kN,
    // 0.375 MPa → 26.5072 kN; 0.260 MPa → 18.3783 kN.
    const AgsGroup& pltt = f.groups["PLTT"];
    const auto load1 = Where(pltt, "A,1 \"quoted\" 第二行 测点", "", "PLTT_LOAD");
    const auto settlement1 = Where(pltt, "A,1 \"quoted\" 第二行 测点", "", "PLTT_SET1");
    ASSERT_EQ(load1.size(), 16u);
    EXPECT_EQ(load1[0], "0.00");
    EXPECT_EQ(load1[4], "7.07");
    EXPECT_EQ(load1[15], "26.51");
    EXPECT_EQ(settlement1[15], "3.00");
    EXPECT_EQ(Where(pltt, "低值点", "", "PLTT_LOAD")[13], "18.38");
    // Stages never read are left out; the Ev2 stages split at the reloading.
    EXPECT_EQ(Where(pltt, "3", "", "PLTT_LOAD").size(), 10u);
    EXPECT_EQ(Where(pltt, "3_3", "1", "PLTT_LOAD").size(), 10u);
    EXPECT_EQ(Where(pltt, "3_3", "2", "PLTT_LOAD").size(), 7u);
    EXPECT_EQ(Where(pltt, "3_3", "2", "PLTT_LOAD").back(), "42.41");  // 0.600 MPa
}

TEST(Ags4Export, CheckerFindsBrokenFiles)
{
    const std::string good = WriteAgs4(KnownStore(), {}, {}, Language::English, "2026-12-06");
    auto replaced = [&good](const std::string& from, const std::string& to) {
        std::string text = good;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    for (const std::string& broken : {
             replaced("\r\n\"GROUP\",\"TRAN\"", "\n\"GROUP\",\"TRAN\""),  // bare LF
             replaced("\"DATA\",\"1DP\"", "\"DATA\",1DP"),                  // unquoted
             replaced("\"DATA\",\"kN\",\"kilonewton\"\r\n", ""),           // unit used, not listed
             replaced("\"DATA\",\"低值点\"", "\"DATA\",\"3\""),              // LOCA_ID twice
             replaced("\"7.07\"", "\"7.1\""),                                 // 2DP with one decimal
             replaced("\"2.000\"", "\"2.00\""),                               // 3DP with two decimals
         })
        EXPECT_FALSE(Check(broken).faults.empty());
}

TEST(Ags4Export, ChineseTextsAndAnEmptyStoreStillFollowTheRules)
{
    const std::string zh = WriteAgs4(KnownStore(), KnownHeader(), {}, Language::Chinese, "2026-12-06");
    AgsFile f = Check(zh);
    EXPECT_TRUE(f.faults.empty()) << ::testing::PrintToString(f.faults);
    // The header texts without a heading of their own, with their labels.
    EXPECT_EQ(f.groups["PROJ"].Column("PROJ_MEMO"),
              std::vector<std::string>{"要求地基系数: 125; 检测环境描述: sunny windy"});

    AgsFile empty = Check(WriteAgs4(TestDataStore{}, {}, {}, Language::English, "2026-12-06"));
    EXPECT_TRUE(empty.faults.empty()) << ::testing::PrintToString(empty.faults);
    EXPECT_TRUE(empty.groups["PLTT"].data.empty());
}

}  // namespace
