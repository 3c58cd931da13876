// The AGS4 file checked against the format's rules and against the AGS4
// standard dictionary itself (read from the dictionary file), and its loads
// against hand-computed ones.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>

#include "Ags4Export.h"
#include "Export.h"
#include "ExportTestSupport.h"
#include "ProjectFile.h"
#include "TransferBuilder.h"
#include "TransferDecoder.h"
#include "TransferText.h"

using namespace k30;
using namespace k30::test;

namespace {

namespace fs = std::filesystem;

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

// The fields of a line of quoted fields ("a","b""c"); nullopt for any other line.
std::optional<std::vector<std::string>> SplitQuoted(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t i = 0;
    while (true) {
        if (i >= line.size() || line[i] != '"')
            return std::nullopt;
        std::string field;
        for (++i;; ++i) {
            if (i >= line.size())
                return std::nullopt;
            if (line[i] == '"') {
                if (i + 1 < line.size() && line[i + 1] == '"') {
                    field += '"';
                    ++i;
                    continue;
                }
                ++i;
                break;
            }
            field += line[i];
        }
        fields.push_back(std::move(field));
        if (i == line.size())
            return fields;
        if (line[i] != ',')
            return std::nullopt;
        ++i;
    }
}

// The rules of the file's form: ASCII only, CRLF lines, every field quoted,
// groups of GROUP, HEADING, UNIT, TYPE and DATA rows separated by one empty
// line, as many units and types as headings, values of the decimal and date
// types in their form, TYPE and UNIT listing exactly what the groups use,
// unique LOCA_IDs and no test at an unknown location.
AgsFile Check(const std::string& text)
{
    AgsFile f;
    auto fault = [&f](const std::string& what) { f.faults.push_back(what); };
    for (std::size_t i = 0; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80) {
            fault("not ASCII at byte " + std::to_string(i));
            break;
        }
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
        const auto split = SplitQuoted(line);
        if (line.find_first_of("\r\n") != std::string::npos || !split) {
            fault("not a quoted line: " + line);
            continue;
        }
        std::vector<std::string> fields = *split;
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

struct DictHeading {
    std::string name, status, type, unit;
};
// Every group's headings in the dictionary's order.
using Dictionary = std::map<std::string, std::vector<DictHeading>>;

// The HEADING rows of a DICT group: the standard dictionary's, or a file's own.
void AddDict(Dictionary& d, const AgsGroup& dict)
{
    const auto kinds = dict.Column("DICT_TYPE"), groups = dict.Column("DICT_GRP"),
               headings = dict.Column("DICT_HDNG"), stats = dict.Column("DICT_STAT"),
               types = dict.Column("DICT_DTYP"), units = dict.Column("DICT_UNIT");
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (kinds[i] == "GROUP")
            d[groups[i]];
        else if (kinds[i] == "HEADING")
            d[groups[i]].push_back({headings[i], stats[i], types[i], units[i]});
    }
}

// The standard dictionary beside the clone; nullopt when it is not there.
std::optional<Dictionary> StandardDictionary()
{
    std::ifstream in(K30_AGS4_DICTIONARY, std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    Dictionary d;
    AgsFile f = Check(text);
    AddDict(d, f.groups["DICT"]);
    if (d.count("PLTT") == 0)
        return std::nullopt;
    return d;
}

// "2DP" as 2; nullopt for a type that is no decimal one.
std::optional<int> Decimals(const std::string& type)
{
    if (type.size() == 3 && std::isdigit(static_cast<unsigned char>(type[0])) && type.substr(1) == "DP")
        return type[0] - '0';
    return std::nullopt;
}

// The file's departures from the dictionary: a group or heading neither the
// dictionary nor the file's DICT defines, headings out of the dictionary's
// order, a KEY heading missing or a KEY repeated, a REQUIRED heading missing
// or empty, a unit other than the dictionary's, a type other than the
// dictionary's (more decimals allowed).
std::vector<std::string> DictionaryFaults(AgsFile f, Dictionary d)
{
    std::vector<std::string> faults;
    auto fault = [&faults](const std::string& what) { faults.push_back(what); };
    if (f.groups.count("DICT"))
        AddDict(d, f.groups["DICT"]);
    for (const std::string& name : f.order) {
        const AgsGroup& g = f.groups[name];
        if (d.count(name) == 0) {
            fault(name + ": in no dictionary");
            continue;
        }
        const std::vector<DictHeading>& known = d[name];
        std::size_t last = 0;
        for (std::size_t i = 0; i < g.headings.size(); ++i) {
            const auto it = std::find_if(known.begin(), known.end(),
                                         [&](const DictHeading& h) { return h.name == g.headings[i]; });
            const std::string where = name + "." + g.headings[i];
            if (it == known.end()) {
                fault(where + ": in no dictionary");
                continue;
            }
            const auto at = static_cast<std::size_t>(it - known.begin());
            if (i > 0 && at < last)
                fault(where + ": out of the dictionary's order");
            last = std::max(last, at);
            if (!it->unit.empty() && i < g.units.size() && g.units[i] != it->unit)
                fault(where + ": unit \"" + g.units[i] + "\", the dictionary's is \"" + it->unit + "\"");
            if (i < g.types.size() && g.types[i] != it->type) {
                const auto mine = Decimals(g.types[i]), theirs = Decimals(it->type);
                if (!mine || !theirs || *mine < *theirs)
                    fault(where + ": type " + g.types[i] + ", the dictionary's is " + it->type);
            }
        }
        std::vector<std::size_t> keyColumns;
        for (const DictHeading& h : known) {
            const auto it = std::find(g.headings.begin(), g.headings.end(), h.name);
            const bool present = it != g.headings.end();
            const auto column = static_cast<std::size_t>(it - g.headings.begin());
            if (h.status.find("KEY") != std::string::npos) {
                if (!present)
                    fault(name + ": KEY heading " + h.name + " missing");
                else
                    keyColumns.push_back(column);
            }
            if (h.status.find("REQUIRED") != std::string::npos) {
                if (!present)
                    fault(name + ": REQUIRED heading " + h.name + " missing");
                else
                    for (const auto& row : g.data)
                        if (column < row.size() && row[column].empty())
                            fault(name + "." + h.name + ": REQUIRED and empty");
            }
        }
        std::set<std::vector<std::string>> keys;
        for (const auto& row : g.data) {
            std::vector<std::string> key;
            for (std::size_t c : keyColumns)
                key.push_back(c < row.size() ? row[c] : std::string());
            if (!keys.insert(key).second)
                fault(name + ": KEY " + ::testing::PrintToString(key) + " repeats");
        }
    }
    return faults;
}

std::vector<std::string> AllFaults(const std::string& text, const Dictionary& d)
{
    AgsFile f = Check(text);
    std::vector<std::string> faults = f.faults;
    for (std::string& fault : DictionaryFaults(std::move(f), d))
        faults.push_back(std::move(fault));
    return faults;
}

#define NEEDS_DICTIONARY(d)                                                                                   \
    const std::optional<Dictionary> d = StandardDictionary();                                                 \
    if (!d)                                                                                                   \
    GTEST_SKIP() << "the AGS4 standard dictionary is not at " K30_AGS4_DICTIONARY                             \
                    " (it lies in ../shared/ags4 beside the clone)"

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

constexpr const char* kAsciiAwkward = "A,1 \"quoted\"\nline 2 =1+2 _x000D_";

// KnownStore with names AGS4 can carry.
TestDataStore AsciiStore()
{
    TestDataStore s = KnownStore();
    s.k30List[0].name = kAsciiAwkward;
    s.k30List[1].name = "low";
    return s;
}

ReportHeader AsciiHeader()
{
    ReportHeader h = KnownHeader();
    h.ProjectName = "Line 4 \"subgrade\", km 12+300";
    h.Tester = "J. Smith";
    h.Elevation = "12.5";
    return h;
}

std::string Export(const TestDataStore& store, const ReportHeader& header, Language lang)
{
    ExportRequest request;
    request.format = ExportFormat::Ags4;
    request.header = header;
    request.required = KnownRequirements();
    request.lang = lang;
    std::string bytes, error;
    EXPECT_TRUE(ExportBytes(store, request, bytes, error)) << error;
    return bytes;
}

TEST(Ags4Export, FollowsTheDictionaryWithUniqueLocationsAndHandComputedLoads)
{
    NEEDS_DICTIONARY(dictionary);
    const std::string text = WriteAgs4(AsciiStore(), AsciiHeader(), KnownRequirements(), "2026-12-06");
    EXPECT_EQ(AllFaults(text, *dictionary), std::vector<std::string>{});
    AgsFile f = Check(text);
    EXPECT_EQ(f.order, (std::vector<std::string>{"PROJ", "TRAN", "TYPE", "UNIT", "LOCA", "PLTG", "PLTT"}));

    // The K30 names first, the Ev2 point's repeated "3" made unique; line
    // breaks become blanks.
    EXPECT_EQ(f.groups["LOCA"].Column("LOCA_ID"),
              (std::vector<std::string>{"A,1 \"quoted\" line 2 =1+2 _x000D_", "low", "3", "3_2", "3_3"}));
    EXPECT_EQ(f.groups["LOCA"].Column("LOCA_GL"), std::vector<std::string>(5, "12.50"));
    EXPECT_EQ(f.groups["PROJ"].Column("PROJ_CLNT"), std::vector<std::string>{"Client, \"Ltd\""});
    EXPECT_EQ(f.groups["TRAN"].Column("TRAN_DATE"), std::vector<std::string>{"2026-12-06"});
    EXPECT_EQ(f.groups["TRAN"].Column("TRAN_PROD"), std::vector<std::string>{"J. Smith"});
    EXPECT_EQ(f.groups["TRAN"].Column("TRAN_RECV"), std::vector<std::string>{"Client, \"Ltd\""});
    EXPECT_EQ(f.groups["PROJ"].Column("PROJ_MEMO"),
              std::vector<std::string>{"Elevation: 12.5; Required Foundation Coefficient: 125; "
                                       "Detection Environment: sunny windy; Tester: J. Smith"});

    const AgsGroup& pltg = f.groups["PLTG"];
    EXPECT_EQ(pltg.Column("PLTG_MOSR"), (std::vector<std::string>{"125.0", "", "100.0", "150.0", "", ""}));
    EXPECT_EQ(pltg.Column("PLTG_CYC"), (std::vector<std::string>{"1", "1", "1", "1", "1", "2"}));
    EXPECT_EQ(Where(pltg, "low", "", "PLTG_DATE"), std::vector<std::string>{"2026-11-03"});
    EXPECT_EQ(Where(pltg, "3_3", "2", "PLTG_DATE"), std::vector<std::string>{"2026-11-04"});
    EXPECT_EQ(Where(pltg, "low", "", "PLTG_REM"),
              std::vector<std::string>{"Test type = K30; 1.25 mm settlement not reached: K30 >= 240 MPa/m; "
                                       "Pass (required 125 MPa/m)"});
    EXPECT_EQ(Where(pltg, "3_3", "1", "PLTG_REM"), std::vector<std::string>{"Test type = Ev2; sigma0max = 0.350 MPa"});
    // The fits: first loading s = 2·sigma, second s = 0.5 + 0.5·sigma.
    EXPECT_EQ(Where(pltg, "3_3", "1", "PLTG_FA1"), std::vector<std::string>{"2.000"});
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
    const std::string awkward = "A,1 \"quoted\" line 2 =1+2 _x000D_";
    const auto load1 = Where(pltt, awkward, "", "PLTT_LOAD");
    const auto settlement1 = Where(pltt, awkward, "", "PLTT_SET1");
    ASSERT_EQ(load1.size(), 16u);
    EXPECT_EQ(load1[0], "0.00");
    EXPECT_EQ(load1[4], "7.07");
    EXPECT_EQ(load1[15], "26.51");
    EXPECT_EQ(settlement1[15], "3.00");
    EXPECT_EQ(Where(pltt, "low", "", "PLTT_LOAD")[13], "18.38");
    // The instrument keeps no time per stage.
    EXPECT_EQ(pltt.Column("PLTT_TIME"), std::vector<std::string>(pltt.data.size(), ""));
    // Stages never read are left out; the Ev2 stages split at the reloading.
    EXPECT_EQ(Where(pltt, "3", "", "PLTT_LOAD").size(), 10u);
    EXPECT_EQ(Where(pltt, "3_3", "1", "PLTT_LOAD").size(), 10u);
    EXPECT_EQ(Where(pltt, "3_3", "2", "PLTT_LOAD").size(), 7u);
    EXPECT_EQ(Where(pltt, "3_3", "2", "PLTT_LOAD").back(), "42.41");  // 0.600 MPa
}

TEST(Ags4Export, CheckersFindEveryDeparture)
{
    NEEDS_DICTIONARY(dictionary);
    const std::string good = WriteAgs4(AsciiStore(), {}, {}, "2026-12-06");
    auto replaced = [&good](const std::string& from, const std::string& to) {
        std::string text = good;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    for (const std::string& broken : {
             replaced("\r\n\"GROUP\",\"TRAN\"", "\n\"GROUP\",\"TRAN\""),  // bare LF
             replaced("\"DATA\",\"1DP\"", "\"DATA\",1DP"),                  // unquoted
             replaced("\"DATA\",\"kN\",\"kilonewton\"\r\n", ""),           // unit used, not listed
             replaced("\"DATA\",\"low\"", "\"DATA\",\"3\""),               // LOCA_ID twice
             replaced("\"7.07\"", "\"7.1\""),                                 // 2DP with one decimal
             replaced("\"2.000\"", "\"2.00\""),                               // 3DP with two decimals
             replaced("\"low\"", "\"l\xC3\xB6w\""),                          // not ASCII
         })
        EXPECT_FALSE(Check(broken).faults.empty()) << broken.substr(0, 2000);

    EXPECT_EQ(DictionaryFaults(Check(good), *dictionary), std::vector<std::string>{});
    for (const std::string& departure : {
             replaced("\"TRAN_RCON\"", "\"TRAN_CHAR\""),                        // in no dictionary
             replaced("\"LOCA_REM\",\"LOCA_STAR\"", "\"LOCA_STAR\",\"LOCA_REM\""),  // out of order
             replaced("\"PLTT_TIME\",", ""),                                     // a KEY missing
             good + "\"DATA\",\"3_3\",\"0.00\",\"1\",\"2\",\"17\",\"\",\"42.41\",\"1.10\"\r\n",  // a KEY twice
             replaced("\"2026-12-06\",\"Not stated\"", "\"2026-12-06\",\"\""),   // REQUIRED empty
             replaced("\"PLTT_SET1\"\r\n\"UNIT\",\"\",\"m\"", "\"PLTT_SET1\"\r\n\"UNIT\",\"\",\"mm\""),
             replaced("\"TYPE\",\"ID\",\"2DP\",\"X\",\"X\",\"0DP\"", "\"TYPE\",\"ID\",\"1DP\",\"X\",\"X\",\"0DP\""),
         })
        EXPECT_FALSE(DictionaryFaults(Check(departure), *dictionary).empty()) << departure.substr(0, 2000);

    // A heading the file defines in its own DICT group is known.
    const std::string defined =
        replaced("\"TRAN_RCON\"", "\"TRAN_CHAR\"") +
        "\r\n\"GROUP\",\"DICT\"\r\n"
        "\"HEADING\",\"DICT_TYPE\",\"DICT_GRP\",\"DICT_HDNG\",\"DICT_STAT\",\"DICT_DTYP\",\"DICT_DESC\",\"DICT_UNIT\"\r\n"
        "\"UNIT\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n\"TYPE\",\"PA\",\"X\",\"X\",\"PA\",\"PT\",\"X\",\"PU\"\r\n"
        "\"DATA\",\"HEADING\",\"TRAN\",\"TRAN_CHAR\",\"OTHER\",\"X\",\"Character set\",\"\"\r\n";
    EXPECT_EQ(DictionaryFaults(Check(defined), *dictionary), std::vector<std::string>{});
}

// Every export of the samples at hand, with and without a header, in both
// interface languages, meets the dictionary, and the interface language
// changes nothing in the file.
TEST(Ags4Export, EverySampleExportFollowsTheDictionary)
{
    NEEDS_DICTIONARY(dictionary);
    std::vector<std::pair<std::string, TestDataStore>> stores;
    {
        std::ifstream in(K30_SAMPLES "/demo.ORG", std::ios::binary);
        ASSERT_TRUE(in) << K30_SAMPLES "/demo.ORG";
        TestDataStore demo;
        DecodeTransfer(std::string(std::istreambuf_iterator<char>(in), {}), demo);
        ASSERT_GT(demo.ValidCount(), 0u);
        stores.emplace_back("demo.ORG", demo);
    }
    {
        // Both kinds, a point that never reaches 1.25 mm, one read only at zero.
        TransferPlan plan;
        plan.ev2Section = true;
        plan.ev2Records = 3;
        for (std::uint16_t n = 1; n <= 4; ++n) {
            InstrumentK30Record r;
            r.number = n;
            for (std::size_t j = 0; j < 16; ++j) {
                r.stress[j] = static_cast<std::uint16_t>(n == 4 && j > 0 ? 0 : 30 * j);
                r.settlement[j] = static_cast<std::uint16_t>(n == 3 ? 5 * j : 15 * j);
            }
            r.stress125 = n == 3 ? 0 : 250;
            r.k30 = n == 3 ? 0 : 200;
            plan.k30Records.push_back(r);
        }
        TestDataStore built;
        DecodeTransfer(BytesToTransferText(BuildTransfer(plan)), built);
        ASSERT_EQ(built.ValidCount(), 4u);
        ASSERT_EQ(built.ev2List.size(), 3u);
        stores.emplace_back("built transfer", built);
    }
    {
        // A project file with awkward names, read back as opening it does.
        TestDataStore source = AsciiStore();
        source.k30List[2].name = "=HYPERLINK(\"http://x\",\"y\")";
        source.k30List[3].name = "\"\",,\r\n\t";
        std::vector<const K30*> points;
        for (std::size_t k = 0; k < 4; ++k)
            points.push_back(&source.k30List[k]);
        const auto read = ReadProject(WriteProject(7, points, AsciiHeader()));
        ASSERT_TRUE(read.ok) << read.error;
        TestDataStore project;
        ApplyProject(read.data, project);
        stores.emplace_back("project", project);
    }
    stores.emplace_back("known", AsciiStore());

    for (const auto& [name, store] : stores) {
        for (const ReportHeader& header : {ReportHeader{}, AsciiHeader()}) {
            const std::string en = Export(store, header, Language::English);
            const std::string zh = Export(store, header, Language::Chinese);
            EXPECT_EQ(AllFaults(en, *dictionary), std::vector<std::string>{}) << name;
            EXPECT_EQ(zh, en) << name;
            AgsFile f = Check(en);
            EXPECT_FALSE(f.groups["PLTT"].data.empty()) << name;
            if (header.Tester.empty()) {
                EXPECT_EQ(f.groups["TRAN"].Column("TRAN_PROD"), std::vector<std::string>{"Not stated"});
                EXPECT_EQ(f.groups["TRAN"].Column("TRAN_RECV"), std::vector<std::string>{"Not stated"});
            }
        }
    }
}

// TRAN_DATE without a date given is today's date where the user is: at 06:00
// in China that is not the UTC date.
TEST(Ags4Export, IssueDateIsTheLocalDate)
{
    const char* oldTz = std::getenv("TZ");
    const std::string saved = oldTz ? oldTz : "";
    ::setenv("TZ", "CST-8", 1);  // UTC+8, no daylight saving
    ::tzset();
    auto chinaDate = [] {
        std::time_t t = std::time(nullptr) + 8 * 3600;
        std::tm utc{};
        gmtime_r(&t, &utc);
        char buf[16];
        std::strftime(buf, sizeof buf, "%Y-%m-%d", &utc);
        return std::string(buf);
    };
    const std::string before = chinaDate();
    AgsFile f = Check(WriteAgs4(AsciiStore(), {}, {}));
    const std::string after = chinaDate();
    oldTz ? ::setenv("TZ", saved.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
    const auto date = f.groups["TRAN"].Column("TRAN_DATE");
    ASSERT_EQ(date.size(), 1u);
    EXPECT_TRUE(date[0] == before || date[0] == after) << date[0] << " " << before;
}

// A user text outside ASCII stops the export: nothing written, and the
// message names every field with its text, in the interface language.
TEST(Ags4Export, NonAsciiUserTextsStopTheExportAndAreNamed)
{
    TestDataStore store = AsciiStore();
    store.ev2List[0].name = "点3";
    ReportHeader header = AsciiHeader();
    header.Reviewer = "王";
    ExportRequest request;
    request.format = ExportFormat::Ags4;
    request.header = header;
    request.lang = Language::Chinese;
    std::string bytes, error;
    EXPECT_FALSE(ExportBytes(store, request, bytes, error));
    EXPECT_EQ(error, "AGS4文件只能包含ASCII字符，以下文字含有其他字符，未写入任何文件。请修改后重新导出：\n"
                     "  复核人: \"王\"\n"
                     "  Ev2测点编号 1: \"点3\"");

    request.header = KnownHeader();
    request.lang = Language::English;
    const fs::path target = fs::temp_directory_path() / ("k30-ags-" + std::to_string(::getpid()) + ".ags");
    std::ofstream(target, std::ios::binary) << "old";
    EXPECT_FALSE(ExportFile(KnownStore(), request, target.string(), error));
    EXPECT_NE(error.find("An AGS4 file holds ASCII characters only."), std::string::npos);
    EXPECT_NE(error.find("\n  Project Name: \"京沪线 路基\""), std::string::npos) << error;
    EXPECT_NE(error.find("\n  K30 point name 1: \"A,1 \"quoted\" 第二行 测点\""), std::string::npos) << error;
    EXPECT_NE(error.find("\n  K30 point name 2: \"低值点\""), std::string::npos) << error;
    std::ifstream in(target, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old");
    fs::remove(target);
}

TEST(Ags4Export, NothingToExportWritesNothing)
{
    for (const ExportFormat format : {ExportFormat::Csv, ExportFormat::Xlsx, ExportFormat::Ags4}) {
        ExportRequest request;
        request.format = format;
        std::string bytes, error;
        EXPECT_FALSE(ExportBytes(TestDataStore{}, request, bytes, error));
        EXPECT_TRUE(bytes.empty());
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
