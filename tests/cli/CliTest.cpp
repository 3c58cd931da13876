// The k30 tool as scripts and acceptance checks use it.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

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
    o = Run("compute --lang zh --stress 0,0.1 --settlement 0,1.25");
    EXPECT_EQ(o.exit, 1);
    EXPECT_NE(o.err.find("请重新输入数据"), std::string::npos);
    o = Run("compute --lang en --stress 0,0.1 --settlement 0,1.25");
    EXPECT_NE(o.err.find("Please re-enter the data"), std::string::npos);
}
