// The k30 tool as scripts and acceptance checks use it.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sys/wait.h>

#include "TransferBuilder.h"
#include "TransferText.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int exit = -1;
    std::string out;
    std::string err;
};

class Tool : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("k30-cli-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    Outcome Run(const std::string& args)
    {
        const fs::path out = dir_ / "stdout", err = dir_ / "stderr";
        const std::string cmd = "cd '" + dir_.string() + "' && '" K30_TOOL "' " + args + " >'" + out.string() +
                                "' 2>'" + err.string() + "'";
        const int status = std::system(cmd.c_str());
        Outcome o;
        o.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        o.out = Slurp(out);
        o.err = Slurp(err);
        return o;
    }
    static std::string Slurp(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
    const std::string demo_ = K30_SAMPLES "/demo.ORG";
};

}  // namespace

TEST_F(Tool, ShowsTheDemoTransfer)
{
    const Outcome o = Run("show --json '" + demo_ + "'");
    ASSERT_EQ(o.exit, 0) << o.err;
    const auto j = nlohmann::json::parse(o.out);
    EXPECT_EQ(j["kind"], "raw");
    EXPECT_EQ(j["k30Count"], 12);
    EXPECT_EQ(j["ev2Count"], 2);
    EXPECT_EQ(j["instrumentNo"], 1207);
    ASSERT_EQ(j["points"].size(), 12u);
    EXPECT_EQ(j["points"][0]["name"], "1");
    EXPECT_EQ(j["points"][0]["testType"], "K30");
    EXPECT_EQ(j["points"][0]["reading"].size(), 16u);
    EXPECT_FALSE(j.contains("header"));
    int neverReached = 0;
    for (const auto& p : j["points"])
        neverReached += p["stress125"] == "0.000";
    EXPECT_EQ(neverReached, 1);
    const Outcome table = Run("show --lang en '" + demo_ + "'");
    EXPECT_EQ(table.exit, 0);
    EXPECT_NE(table.out.find("K30 points 12"), std::string::npos);
}

TEST_F(Tool, ExitCodesForBadFiles)
{
    EXPECT_EQ(Run("show demo.txt").exit, 2);
    const Outcome missing = Run("show missing.ORG");
    EXPECT_EQ(missing.exit, 1);
    EXPECT_NE(missing.err.find("missing.ORG"), std::string::npos);
    std::ofstream(Path("bad.K30"), std::ios::binary) << std::string("\x05\0\0\0\1\0\0\0\3ab", 11);
    const Outcome damaged = Run("show bad.K30");
    EXPECT_EQ(damaged.exit, 1);
    EXPECT_NE(damaged.err.find("bad.K30"), std::string::npos);
    EXPECT_EQ(Run("frobnicate").exit, 2);
}

TEST_F(Tool, ConvertsChosenPointsWithAHeader)
{
    std::ofstream(Path("h.json")) << R"({"Client": "中铁", "TestNumber": "T-7", "Reviewer": "王"})";
    ASSERT_EQ(Run("convert '" + demo_ + "' out.K30 --points 3,1,3 --header h.json").exit, 0);
    const Outcome o = Run("show --json out.K30");
    ASSERT_EQ(o.exit, 0) << o.err;
    const auto j = nlohmann::json::parse(o.out);
    EXPECT_EQ(j["kind"], "project");
    EXPECT_EQ(j["ev2Count"], 0);
    EXPECT_EQ(j["instrumentNo"], 1207);
    ASSERT_EQ(j["points"].size(), 3u);
    EXPECT_EQ(j["points"][0]["name"], "3");
    EXPECT_EQ(j["points"][1]["name"], "1");
    EXPECT_EQ(j["header"]["Client"], "中铁");
    EXPECT_EQ(j["header"]["TestNumber"], "T-7");
    EXPECT_EQ(j["header"]["Elevation"], "");

    // A project converted again keeps its header and its bytes.
    ASSERT_EQ(Run("convert out.K30 again.K30").exit, 0);
    EXPECT_EQ(Slurp(Path("out.K30")), Slurp(Path("again.K30")));
    EXPECT_EQ(Run("convert out.K30 x.K30 --points nosuch").exit, 1);

    // Keys as a new user might type them are refused, naming the valid ones.
    std::ofstream(Path("lower.json")) << R"({"client": "中铁"})";
    const Outcome refused = Run("convert out.K30 y.K30 --header lower.json");
    EXPECT_EQ(refused.exit, 2);
    EXPECT_NE(refused.err.find("RequiredCoefficient"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(Path("y.K30")));
    EXPECT_EQ(Run("report out.K30 --pdf y.pdf --header lower.json").exit, 2);
    EXPECT_EQ(Run("convert out.K30 y.K30 --header missing.json").exit, 1);
}

TEST_F(Tool, ComputesTypedReadings)
{
    Outcome o = Run("compute --stress 0,0.050,0.100,0.150 --settlement 0,0.40,1.10,1.60");
    ASSERT_EQ(o.exit, 0) << o.err;
    const auto j = nlohmann::json::parse(o.out);
    EXPECT_EQ(j["stress125"], "0.115");
    EXPECT_EQ(j["k30Value"], " 92");
    // An empty item is an empty box in its row.
    o = Run("compute --stress 0,,0.1 --settlement 0,2,3");
    ASSERT_EQ(o.exit, 0) << o.err;
    EXPECT_EQ(nlohmann::json::parse(o.out)["stress125"], "0.000");
    o = Run("compute --lang en --stress 0,0.1 --settlement 0,1.25");
    EXPECT_EQ(o.exit, 1);
    EXPECT_NE(o.err.find("Please re-enter the data"), std::string::npos);
    // A text that is no number is named, not taken as 0 (a word once drew a spike).
    o = Run("compute --lang en --stress 0,abc,0.1 --settlement 0,0.4,1.6");
    EXPECT_EQ(o.exit, 2);
    EXPECT_TRUE(o.out.empty());
    EXPECT_NE(o.err.find("--stress 1: \"abc\" is not a number"), std::string::npos) << o.err;
    o = Run("compute --ev2 --lang zh --stress 0,0.1 --settlement 0,nan");
    EXPECT_EQ(o.exit, 2);
    EXPECT_NE(o.err.find("\"nan\" 不是数字"), std::string::npos) << o.err;
}

TEST_F(Tool, ComputesAnEv2Point)
{
    // Typed as the Ev2 page takes them: 2.05 mm is 204.99… × 0.01 mm, truncated to 2.04.
    const std::string stress = "0,0.07,0.14,0.21,0.28,0.35,0.42,0.5,0.25,0.125,0,0.08,0.16,0.24,0.32,0.4,0.48";
    Outcome o = Run("compute --ev2 --stress " + stress +
                    " --settlement 0,0.2,0.42,0.68,0.96,1.28,1.62,2.05,1.9,1.62,1.18,1.27,1.38,1.5,1.63,1.78,1.94");
    ASSERT_EQ(o.exit, 0) << o.err;
    // Exact least-squares values: Ev1 55.0677, Ev2 140.0973, Ev2/Ev1 2.5441.
    EXPECT_EQ(nlohmann::json::parse(o.out),
              nlohmann::json({{"sigma0max", "0.500"}, {"ev1", "55.1"}, {"ev2", "140.1"}, {"ratio", "2.54"}}));
    // Fewer values: the second loading is missing, Ev1 stands alone.
    o = Run("compute --ev2 --stress 0,0.07,0.14,0.21 --settlement 0,0.2,0.42,0.68");
    ASSERT_EQ(o.exit, 0) << o.err;
    const auto j = nlohmann::json::parse(o.out);
    EXPECT_NE(j["ev1"], "");
    EXPECT_EQ(j["ev2"], "");
    EXPECT_EQ(j["ratio"], "");
    o = Run("compute --ev2 --lang zh --stress 0,0.1 --settlement 0,1");
    EXPECT_EQ(o.exit, 1);
    EXPECT_NE(o.err.find("请重新输入数据"), std::string::npos);
    o = Run("compute --ev2 --lang en --stress 0,0.1 --settlement 0,1");
    EXPECT_NE(o.err.find("Neither Ev1 nor Ev2"), std::string::npos);
    EXPECT_EQ(Run("compute --ev2 --stress " + stress + ",1 --settlement 0").exit, 2);
}

namespace {

k30::InstrumentK30Record Measured(std::uint16_t number, std::uint16_t stress125, std::uint16_t k30)
{
    // Passes 1.25 mm at 0.115 MPa: K30 92.
    k30::InstrumentK30Record r;
    r.number = number;
    r.stress[1] = 50;
    r.settlement[1] = 40;
    r.stress[2] = 100;
    r.settlement[2] = 110;
    r.stress[3] = 150;
    r.settlement[3] = 160;
    r.stress125 = stress125;
    r.k30 = k30;
    return r;
}

// Four K30 points (92 as the readings give it, 94 where they give 92, one
// that stops at 1.25 mm under 0.250 MPa, 200) and two Ev2 points (a typical
// one and one without readings).
std::string AcceptanceTransfer()
{
    k30::TransferPlan plan;
    plan.k30Records = {Measured(1, 115, 92), Measured(2, 115, 94), Measured(3, 0, 0), Measured(4, 250, 200)};
    auto& shortOne = plan.k30Records[2];
    shortOne.stress = {0, 100, 250};
    shortOne.settlement = {0, 50, 125};
    auto& stiff = plan.k30Records[3];
    stiff.stress = {0, 200, 300};
    stiff.settlement = {0, 100, 150};
    plan.ev2Section = true;
    plan.ev2Points = {k30::TypicalEv2Record(1), k30::InstrumentEv2Record{}};
    plan.ev2Points[1].number = 2;
    return k30::BytesToTransferText(k30::BuildTransfer(plan));
}

std::set<std::string> Keys(const nlohmann::json& j)
{
    std::set<std::string> keys;
    for (const auto& [key, value] : j.items())
        keys.insert(key);
    return keys;
}

}  // namespace

TEST_F(Tool, AssessesAgainstTheRequirements)
{
    std::ofstream(Path("t.ORG"), std::ios::binary) << AcceptanceTransfer();
    Outcome o = Run("assess t.ORG --json --required 92 --ev2-min 140,1");
    ASSERT_EQ(o.exit, 0) << o.err;
    const auto j = nlohmann::json::parse(o.out);
    EXPECT_EQ(Keys(j), (std::set<std::string>{"required", "k30Points", "k30Stats", "ev2Points", "ev2Stats"}));
    EXPECT_EQ(j["required"], nlohmann::json::parse(R"({"k30": 92, "ev2Min": 140.1, "ratioMax": null})"));
    ASSERT_EQ(j["k30Points"].size(), 4u);
    EXPECT_EQ(j["k30Points"][0], nlohmann::json::parse(R"({"name": "1", "k30Value": "92", "verdict": "pass",
        "lowerBound": null, "recomputed": {"stress125": "0.115", "k30Value": " 92"}, "agrees": true})"));
    EXPECT_EQ(j["k30Points"][1]["agrees"], false);
    EXPECT_EQ(j["k30Points"][2], nlohmann::json::parse(R"({"name": "3", "k30Value": "0", "verdict": "pass",
        "lowerBound": 200, "recomputed": null, "agrees": null})"));
    EXPECT_EQ(j["k30Points"][3]["agrees"], true);
    // K30 statistics over the values above 0: 92, 94 and 200.
    const auto& k = j["k30Stats"];
    EXPECT_EQ(Keys(k), (std::set<std::string>{"count", "mean", "std", "cv", "min", "max", "passed", "failed", "none",
                                               "passRate"}));
    EXPECT_EQ(k["count"], 3);
    EXPECT_NEAR(k["mean"].get<double>(), 386.0 / 3, 1e-9);
    EXPECT_TRUE(k["cv"].is_number());
    EXPECT_EQ(k["passed"], 4);
    EXPECT_EQ(k["passRate"], 1.0);

    ASSERT_EQ(j["ev2Points"].size(), 2u);
    EXPECT_EQ(j["ev2Points"][0], nlohmann::json::parse(R"({"name": "1", "ev1": "54.9", "ev2": "140.1",
        "ratio": "2.55", "verdict": "pass"})"));
    EXPECT_EQ(j["ev2Points"][1]["verdict"], "none");
    EXPECT_EQ(j["ev2Points"][1]["ev2"], "");
    const auto& e = j["ev2Stats"];
    EXPECT_EQ(Keys(e), (std::set<std::string>{"count", "mean", "std", "min", "max", "ratioMean", "ratioMax",
                                               "passed", "failed", "none", "passRate"}));
    EXPECT_EQ(e["count"], 1);
    EXPECT_EQ(e["passRate"], 0.5);  // one pass, one without a result
    EXPECT_TRUE(e["std"].is_null());
    EXPECT_NEAR(e["ratioMax"].get<double>(), 2.5517, 1e-4);

    // One point below: exit 3. A ratio over the largest: exit 3.
    EXPECT_EQ(Run("assess t.ORG --required 93").exit, 3);
    EXPECT_EQ(Run("assess t.ORG --ratio-max 2.5").exit, 3);
    EXPECT_EQ(Run("assess t.ORG --ratio-max 2.55").exit, 0);

    // Without requirements nothing is judged, the check and statistics still are.
    o = Run("assess t.ORG --json");
    ASSERT_EQ(o.exit, 0);
    const auto none = nlohmann::json::parse(o.out);
    EXPECT_EQ(none["required"]["k30"], nullptr);
    EXPECT_EQ(none["k30Stats"]["none"], 4);
    EXPECT_EQ(none["k30Points"][1]["agrees"], false);

    EXPECT_EQ(Run("assess t.ORG --required abc").exit, 2);
    EXPECT_EQ(Run("assess t.ORG --ev2-min").exit, 2);
    EXPECT_EQ(Run("assess t.txt").exit, 2);
    EXPECT_EQ(Run("assess missing.ORG").exit, 1);
}

TEST_F(Tool, AssessTakesTheRequiredK30FromTheHeader)
{
    std::ofstream(Path("t.ORG"), std::ios::binary) << AcceptanceTransfer();
    std::ofstream(Path("h.json")) << R"({"RequiredCoefficient": " 93,0 "})";
    std::ofstream(Path("words.json")) << R"({"RequiredCoefficient": "≥ 93 MPa/m"})";
    ASSERT_EQ(Run("convert t.ORG p.K30 --header h.json").exit, 0);
    Outcome o = Run("assess p.K30 --json");
    EXPECT_EQ(o.exit, 3);
    auto j = nlohmann::json::parse(o.out);
    EXPECT_EQ(j["required"]["k30"], 93.0);
    EXPECT_EQ(j["k30Points"][0]["verdict"], "fail");
    EXPECT_TRUE(j["ev2Points"].empty());
    EXPECT_EQ(j["ev2Stats"]["count"], 0);
    EXPECT_TRUE(j["ev2Stats"]["mean"].is_null());
    EXPECT_EQ(Run("assess p.K30 --required 90").exit, 0);
    // --header replaces the file's header; a text that is no number sets no requirement.
    // It is not silent: a warning names the text (it once switched every verdict off unsaid).
    o = Run("assess p.K30 --json --lang en --header words.json");
    EXPECT_EQ(o.exit, 0);
    EXPECT_TRUE(nlohmann::json::parse(o.out)["required"]["k30"].is_null());
    EXPECT_NE(o.err.find("required K30 is not a number"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("\"≥ 93 MPa/m\""), std::string::npos) << o.err;
    for (const std::string command : {"export p.K30 x.csv", "report p.K30 --pdf x.pdf"})
        EXPECT_NE(Run(command + " --header words.json").err.find("≥ 93 MPa/m"), std::string::npos) << command;
    EXPECT_EQ(Run("assess t.ORG --header h.json").exit, 3);
    EXPECT_EQ(Run("assess t.ORG --header missing.json").exit, 1);
}

TEST_F(Tool, AssessPrintsATableInEitherLanguage)
{
    std::ofstream(Path("t.ORG"), std::ios::binary) << AcceptanceTransfer();
    Outcome o = Run("assess t.ORG --lang zh --required 93 --ev2-min 120");
    EXPECT_EQ(o.exit, 3);
    EXPECT_NE(o.out.find("K30 ≥ 93 MPa/m"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("不合格"), std::string::npos);
    EXPECT_NE(o.out.find("≥ 200"), std::string::npos);
    EXPECT_NE(o.out.find(" 92 *"), std::string::npos);  // point 2: the instrument says 94
    EXPECT_NE(o.out.find("复算"), std::string::npos);
    EXPECT_NE(o.out.find("合格率 75.0%"), std::string::npos);
    o = Run("assess t.ORG --lang en --required 93");
    EXPECT_NE(o.out.find("Fail"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("Pass"), std::string::npos);
    EXPECT_NE(o.out.find("pass rate 75.0%"), std::string::npos);
    EXPECT_EQ(o.out.find("合格"), std::string::npos);
}

TEST_F(Tool, ExportsByTheEndingWithRequirementsAndExitCodes)
{
    const std::string in = "'" + demo_ + "' ";
    ASSERT_EQ(Run("export " + in + "k30.CSV --lang en --required 150").exit, 0);
    const std::string csv = Slurp(Path("k30.CSV"));
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBFTest Number,Start Time,", 0), 0u);
    // Point 1 has K30 153, point 3 138.
    EXPECT_NE(csv.find("\r\n1,2026-11-3-08:05,2026-11-3-08:31,0.192,153,K30,0.150,"), std::string::npos);
    EXPECT_NE(csv.find(",Pass,,153\r\n2,"), std::string::npos);
    EXPECT_NE(csv.find(",Fail,,138\r\n4,"), std::string::npos);

    // The header's required coefficient when --required is missing.
    std::ofstream(Path("h.json")) << R"({"RequiredCoefficient": " 160,0 "})";
    ASSERT_EQ(Run("export " + in + "h.csv --lang en --header h.json").exit, 0);
    EXPECT_NE(Slurp(Path("h.csv")).find(",Fail,,153\r\n2,"), std::string::npos);

    ASSERT_EQ(Run("export " + in + "ev2.csv --lang zh --table ev2").exit, 0);
    EXPECT_EQ(Slurp(Path("ev2.csv")).rfind("\xEF\xBB\xBF测试号,日期,开始时间", 0), 0u);
    ASSERT_EQ(Run("export " + in + "book.Xlsx").exit, 0);
    EXPECT_EQ(Slurp(Path("book.Xlsx")).rfind("PK", 0), 0u);
    ASSERT_EQ(Run("export " + in + "data.AGS").exit, 0);
    EXPECT_EQ(Slurp(Path("data.AGS")).rfind("\"GROUP\",\"PROJ\"\r\n", 0), 0u);

    EXPECT_EQ(Run("export " + in + "out.txt").exit, 2);
    EXPECT_EQ(Run("export " + in + "out.xlsx --table ev2").exit, 2);
    EXPECT_EQ(Run("export " + in + "out.csv --ev2-min many").exit, 2);
    EXPECT_EQ(Run("export missing.ORG out.csv").exit, 1);
    EXPECT_EQ(Run("export " + in + "nofolder/out.ags").exit, 1);
    EXPECT_FALSE(fs::exists(Path("out.csv")) || fs::exists(Path("out.xlsx")) || fs::exists(Path("out.txt")));
}

// What no reader would take is refused with exit 1, and nothing is written:
// a file without test points, AGS4 texts outside ASCII, and an existing
// read-only target of any command.
TEST_F(Tool, RefusesEmptyInputNonAsciiAgsAndReadOnlyTargets)
{
    std::ofstream(Path("junk.ORG"), std::ios::binary) << "no transfer here\r\n";
    const Outcome empty = Run("export junk.ORG out.csv");
    EXPECT_EQ(empty.exit, 1);
    EXPECT_EQ(empty.err, "k30: no test point in junk.ORG\n");
    EXPECT_FALSE(fs::exists(Path("out.csv")));

    std::ofstream(Path("h.json")) << R"({"ProjectName": "京沪线", "Tester": "J. Smith"})";
    const Outcome foreign = Run("export '" + demo_ + "' out.ags --header h.json --lang en");
    EXPECT_EQ(foreign.exit, 1);
    EXPECT_NE(foreign.err.find("ASCII"), std::string::npos) << foreign.err;
    EXPECT_NE(foreign.err.find("Project Name: \"京沪线\""), std::string::npos) << foreign.err;
    EXPECT_EQ(foreign.err.find("Tester"), std::string::npos) << foreign.err;
    EXPECT_FALSE(fs::exists(Path("out.ags")));

    for (const std::string& command : {"export '" + demo_ + "' ro.csv", "convert '" + demo_ + "' ro.K30",
                                       "word '" + demo_ + "' ro.docx", "report '" + demo_ + "' --pdf ro.pdf",
                                       "report '" + demo_ + "' --bmp ro.bmp"}) {
        const std::string target = Path(command.substr(command.find("ro.")));
        std::ofstream(target, std::ios::binary) << "kept";
        fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        const Outcome o = Run(command);
        EXPECT_EQ(o.exit, 1) << command;
        EXPECT_NE(o.err.find("read-only"), std::string::npos) << command << ": " << o.err;
        EXPECT_EQ(Slurp(target), "kept") << command;
    }
}
