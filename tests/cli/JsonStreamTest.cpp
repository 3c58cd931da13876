// "k30 show --json" written as a stream: byte for byte the text of
// nlohmann::json's dump(2) of the whole document built in memory.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>
#include <sstream>

#include "DataFile.h"
#include "Ev2Evaluation.h"
#include "JsonOutput.h"

using namespace k30;
using namespace k30::cli;
using nlohmann::json;

namespace {

// The whole document built with nlohmann::json: the reference the stream matches.
json Document(const LoadedFile& file)
{
    const TestDataStore& s = file.store;
    const auto readings = [](const auto& reading, int count) {
        json list = json::array();
        for (int j = 0; j < count; ++j)
            list.push_back({{"stress", reading[static_cast<std::size_t>(j)].stress},
                            {"settlement", reading[static_cast<std::size_t>(j)].settlement}});
        return list;
    };
    json out;
    out["kind"] = file.kind == FileKind::Raw ? "raw" : "project";
    out["instrumentNo"] = s.nInstrumentNo;
    out["ev2Count"] = s.nEv2Count;
    out["k30Count"] = s.nK30Count;
    json points = json::array();
    for (std::size_t k = 0; k < s.ValidCount(); ++k) {
        const K30& p = s.k30List[k];
        points.push_back({{"name", p.name}, {"startTime", p.startTime}, {"endTime", p.endTime},
                          {"stress125", p.stress125}, {"k30Value", p.k30Value}, {"testType", p.testType},
                          {"designLoad", p.designLoad}, {"reading", readings(p.reading, kUsedPairs)}});
    }
    out["points"] = points;
    json ev2 = json::array();
    for (const Ev2Point& p : s.ev2List) {
        const Ev2Result r = ComputeEv2(p.reading);
        ev2.push_back({{"name", p.name}, {"startTime", p.startTime}, {"endTime", p.endTime},
                       {"reading", readings(p.reading, kEv2Pairs)}, {"sigma0max", r.sigma0maxText},
                       {"ev1", r.ev1Text}, {"ev2", r.ev2Text}, {"ratio", r.ratioText}});
    }
    out["ev2Points"] = ev2;
    if (file.kind == FileKind::Project) {
        json header = json::object();
        for (const HeaderField& f : kHeaderFileOrder)
            header[f.key] = file.header.*f.member;
        out["header"] = header;
    }
    return out;
}

std::string Streamed(const LoadedFile& file)
{
    std::ostringstream out;
    WriteJson(file, out);
    return out.str();
}

std::string Dumped(const LoadedFile& file)
{
    return Document(file).dump(2, ' ', false, json::error_handler_t::replace);
}

}  // namespace

TEST(JsonStream, TheSampleTransferAsTheDocumentDumps)
{
    LoadedFile file;
    ASSERT_EQ(LoadDataFile(K30_SAMPLES "/demo.ORG", file), LoadStatus::Ok);
    ASSERT_FALSE(file.store.ev2List.empty());
    EXPECT_EQ(Streamed(file), Dumped(file));

    LoadedFile empty;
    empty.kind = FileKind::Raw;
    EXPECT_EQ(Streamed(empty), Dumped(empty));
}

TEST(JsonStream, AwkwardTextsAndNumbersAsTheDocumentDumps)
{
    const std::vector<std::string> texts{
        "测点一", "say \"K30\" \\ / done", std::string("nul\0tab\tnl\nret\rbs\bff\f\x01\x1f\x7f", 25),
        "\xff", "ab\xe6\x88", "\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "ok\xf0\x9f\x98\x80", "\xe6\x88\xff\xe6\x88\x91",
        "\x80\x80x", ""};
    const std::vector<float> numbers{0.1f, -0.0f, -2.5f, 1e20f, 123456789.0f, 3.0e-7f,
                                     std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()};
    LoadedFile file;
    file.kind = FileKind::Project;
    file.store.nInstrumentNo = -7;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        K30 p;
        p.name = texts[i];
        p.testType = texts[(i + 1) % texts.size()];
        p.reading[i % 16] = {numbers[i % numbers.size()], numbers[(i + 3) % numbers.size()]};
        file.store.k30List.push_back(p);
        Ev2Point e;
        e.name = texts[i];
        e.reading[i % 17].stress = numbers[i % numbers.size()];
        file.store.ev2List.push_back(e);
    }
    file.store.nK30Count = static_cast<std::int32_t>(texts.size());
    file.store.nEv2Count = static_cast<std::int32_t>(texts.size());
    for (std::size_t i = 0; i < kHeaderFileOrder.size(); ++i)
        file.header.*kHeaderFileOrder[i].member = texts[i % texts.size()];
    EXPECT_EQ(Streamed(file), Dumped(file));
}

TEST(HeaderJson, OnlyTheFourteenMembersWithStringValues)
{
    ReportHeader header;
    std::string error;
    EXPECT_TRUE(HeaderFromJson(json::parse(R"({"Client": "中铁", "Tester": ""})"), header, error));
    EXPECT_EQ(header.Client, "中铁");
    for (const char* bad : {R"({"client": "x"})", R"({"Client": 3})", R"({"Client": null})", R"(["Client"])"}) {
        EXPECT_FALSE(HeaderFromJson(json::parse(bad), header, error)) << bad;
        for (const HeaderField& f : kHeaderFileOrder)
            EXPECT_NE(error.find(f.key), std::string::npos) << bad << ": " << error;
    }
}
