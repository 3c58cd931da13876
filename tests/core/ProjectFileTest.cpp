#include <gtest/gtest.h>

#include "CodePage.h"
#include "ProjectFile.h"
#include "TestDataStore.h"

using namespace k30;

namespace {

K30 Point(const std::string& name)
{
    K30 p;
    p.name = name;
    p.startTime = "2009-5-12-08:05";
    p.endTime = "2009-5-12-14:30";
    p.stress125 = "0.250";
    p.k30Value = "190";
    p.testType = "K30";
    p.designLoad = "0.150";
    for (std::size_t j = 0; j < 16; ++j)
        p.reading[j] = {static_cast<float>(j * 25), static_cast<float>(j * 13)};
    return p;
}

ReportHeader Header()
{
    ReportHeader h;
    int i = 0;
    for (const HeaderField& f : kHeaderFileOrder)
        h.*f.member = std::string(f.key) + "-" + std::to_string(i++);
    return h;
}

std::vector<std::uint8_t> Bytes(std::initializer_list<int> list)
{
    std::vector<std::uint8_t> v;
    for (int b : list)
        v.push_back(static_cast<std::uint8_t>(b));
    return v;
}

}  // namespace

TEST(ProjectFile, ExactBytesOfASmallFile)
{
    K30 p;
    p.name = "1";
    ReportHeader h;
    h.Client = "AB";
    h.Reviewer = "R";
    const auto bytes = WriteProject(0x01020304, {&p}, h);
    std::vector<std::uint8_t> expected = Bytes({1, 0, 0, 0, 4, 3, 2, 1, 1, '1', 0, 0, 0, 0, 0, 0});
    expected.insert(expected.end(), 128, 0);
    const auto header = Bytes({2, 'A', 'B', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 'R'});
    expected.insert(expected.end(), header.begin(), header.end());
    EXPECT_EQ(bytes, expected);
}

TEST(ProjectFile, HeaderFileOrderIsFixed)
{
    // Number 8 in the file is TestNumber, 9 ReportDate, 10 FillerName.
    EXPECT_STREQ(kHeaderFileOrder[7].key, "TestNumber");
    EXPECT_STREQ(kHeaderFileOrder[8].key, "ReportDate");
    EXPECT_STREQ(kHeaderFileOrder[9].key, "FillerName");
}

TEST(ProjectFile, RoundTripIsByteForByte)
{
    std::vector<K30> points{Point("1"), Point("测点二"), Point("3")};
    points[1].testType = "K40";
    std::vector<const K30*> chosen{&points[2], &points[0], &points[1], &points[0]};
    ReportHeader h = Header();
    h.Client = "中铁第一勘察设计院";
    h.Environment = std::string(255, 'x');
    h.ProjectName = std::string(65534, 'y');
    h.Tester = std::string(70000, 'z');
    const auto bytes = WriteProject(-5, chosen, h);
    const auto r = ReadProject(bytes);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.data.points.size(), 4u);
    EXPECT_EQ(r.data.points[0], points[2]);
    EXPECT_EQ(r.data.points[1], points[0]);
    EXPECT_EQ(r.data.points[2], points[1]);
    EXPECT_EQ(r.data.instrumentNo, -5);
    EXPECT_EQ(r.data.header, h);
    std::vector<const K30*> again;
    for (const K30& p : r.data.points)
        again.push_back(&p);
    EXPECT_EQ(WriteProject(r.data.instrumentNo, again, r.data.header), bytes);
}

TEST(ProjectFile, LengthPrefixes)
{
    auto prefixOf = [](std::size_t n) {
        ReportHeader h;
        h.Client = std::string(n, 'a');
        const auto b = WriteProject(0, {}, h);
        return std::vector<std::uint8_t>(b.begin() + 8, b.begin() + 8 + (n < 255 ? 1 : n < 65534 ? 3 : 7));
    };
    EXPECT_EQ(prefixOf(254), Bytes({254}));
    EXPECT_EQ(prefixOf(255), Bytes({0xFF, 0xFF, 0x00}));
    EXPECT_EQ(prefixOf(65533), Bytes({0xFF, 0xFD, 0xFF}));
    EXPECT_EQ(prefixOf(65534), Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
}

TEST(ProjectFile, ChineseIsWrittenInGbk)
{
    ReportHeader h;
    h.Client = "地基";  // GBK B5D8 BBF9
    const auto b = WriteProject(0, {}, h);
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 8, b.begin() + 13), Bytes({4, 0xB5, 0xD8, 0xBB, 0xF9}));
}

TEST(ProjectFile, TextsGbkCannotHoldUseTheSixteenBitForm)
{
    ReportHeader h;
    h.Client = "Ω😀ü";  // GBK has no emoji: the whole text goes UTF-16
    const auto b = WriteProject(0, {}, h);
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 8, b.begin() + 12), Bytes({0xFF, 0xFE, 0xFF, 4}));
    const auto r = ReadProject(b);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.data.header.Client, h.Client);

    // A long 16-bit text: its count uses the prefix scheme again.
    h.Client = std::string("😀") + std::string(300, 'a');
    const auto b2 = WriteProject(0, {}, h);
    EXPECT_EQ(std::vector<std::uint8_t>(b2.begin() + 8, b2.begin() + 14),
              Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x2E, 0x01}));
    const auto r2 = ReadProject(b2);
    ASSERT_TRUE(r2.ok) << r2.error;
    EXPECT_EQ(r2.data.header.Client, h.Client);
}

TEST(ProjectFile, ReadsSixteenBitTextsWrittenElsewhere)
{
    std::vector<std::uint8_t> file = Bytes({0, 0, 0, 0, 0, 0, 0, 0});
    const auto wide = Bytes({0xFF, 0xFE, 0xFF, 2, 0x30, 0x57, 0xFA, 0x57});  // "地基" in UTF-16LE
    file.insert(file.end(), wide.begin(), wide.end());
    file.insert(file.end(), 13, 0);
    const auto r = ReadProject(file);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.data.header.Client, "地基");
}

TEST(ProjectFile, DamagedFilesGiveAnErrorAndNoHugeAllocation)
{
    K30 p = Point("1");
    const auto good = WriteProject(9, {&p, &p}, Header());
    for (std::size_t n = 0; n < good.size(); ++n) {
        const auto r = ReadProject(good.data(), n);
        EXPECT_FALSE(r.ok) << "truncated at " << n;
        EXPECT_FALSE(r.error.empty());
    }
    // A count far beyond the file and a text length beyond the file.
    auto bad = good;
    bad[3] = 0x7F;
    EXPECT_FALSE(ReadProject(bad).ok);
    auto longText = Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F});
    EXPECT_FALSE(ReadProject(longText).ok);
    auto longWide = Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F});
    EXPECT_FALSE(ReadProject(longWide).ok);
}

TEST(ProjectFile, ApplyingAProjectReplacesTheStore)
{
    TestDataStore s;
    s.nEv2Count = 4;
    s.nK30Count = 7;
    s.k30List.resize(7);
    s.ev2List.resize(4);
    ProjectData d;
    d.instrumentNo = 12;
    d.points = {Point("a"), Point("b")};
    ApplyProject(d, s);
    EXPECT_EQ(s.nEv2Count, 0);
    EXPECT_TRUE(s.ev2List.empty());
    EXPECT_EQ(s.nK30Count, 2);
    EXPECT_EQ(s.k30List.size(), 2u);
    EXPECT_EQ(s.nInstrumentNo, 12);
    EXPECT_EQ(s.k30List[1].reading[16], ReadingPair{});
}

TEST(CodePage, InvalidGbkBytesBecomeReplacementCharacters)
{
    CodePage cp;
    EXPECT_EQ(cp.FromGbk("a\xFF"
                         "b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(cp.FromGbk("\xB5\xD8"), "地");
    EXPECT_FALSE(cp.ToGbk("😀").has_value());
}
