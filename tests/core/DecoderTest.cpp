#include <gtest/gtest.h>

#include <cctype>

#include "TestDataStore.h"
#include "TransferBuilder.h"
#include "TransferDecoder.h"
#include "TransferText.h"

using namespace k30;

namespace {

InstrumentK30Record Record(std::uint16_t number)
{
    InstrumentK30Record r;
    r.number = number;
    for (std::size_t j = 0; j < 16; ++j) {
        r.stress[j] = static_cast<std::uint16_t>(j * 25);
        r.settlement[j] = static_cast<std::uint16_t>(j * 11 + number);
    }
    r.stress125 = 250;
    r.k30 = 190;
    return r;
}

TestDataStore Decode(const TransferPlan& plan)
{
    TestDataStore s;
    DecodeTransfer(BytesToTransferText(BuildTransfer(plan)), s);
    return s;
}

TransferPlan K30Only(int records)
{
    TransferPlan plan;
    plan.k30InstrumentNo = 7;
    for (int i = 0; i < records; ++i)
        plan.k30Records.push_back(Record(static_cast<std::uint16_t>(i + 1)));
    return plan;
}

}  // namespace

TEST(TransferText, BytesAndBackAgain)
{
    const std::vector<std::uint8_t> bytes{0x0A, 0xFF, 0x00, 0x71};
    const std::string text = BytesToTransferText(bytes);
    EXPECT_EQ(text, "0A FF 00 71 ");
    EXPECT_EQ(TransferTextToBytes(text), bytes);
    EXPECT_FALSE(TransferTextToBytes("0A G1 ").has_value());
    EXPECT_FALSE(TransferTextToBytes("0A 1").has_value());
}

TEST(Decoder, Ev2SectionAlone)
{
    TransferPlan plan;
    plan.ev2Section = true;
    plan.ev2InstrumentNo = 3;
    plan.ev2Records = 1;
    plan.k30Section = false;
    const auto bytes = BuildTransfer(plan);
    ASSERT_EQ(bytes.size(), 144u);
    TestDataStore s;
    s.k30List.push_back({});
    DecodeTransfer(BytesToTransferText(bytes), s);
    EXPECT_EQ(s.nEv2Count, 1);
    EXPECT_EQ(s.ev2List.size(), 1u);
    EXPECT_EQ(s.nInstrumentNo, 3);
    EXPECT_EQ(s.nK30Count, 0);
    EXPECT_TRUE(s.k30List.empty());
    EXPECT_TRUE(s.UnsavedDataPresent());
}

TEST(Decoder, Ev2ThenK30TakesTheK30InstrumentNumber)
{
    TransferPlan plan = K30Only(2);
    plan.ev2Section = true;
    plan.ev2InstrumentNo = 3;
    plan.ev2Records = 1;
    plan.leading = {0x12, 0x34, 0xCC};
    plan.between = {0x00, 0xEE, 0x01};
    plan.trailing = {0x55, 0xFF};
    const TestDataStore s = Decode(plan);
    EXPECT_EQ(s.nEv2Count, 1);
    EXPECT_EQ(s.nK30Count, 2);
    EXPECT_EQ(s.nInstrumentNo, 7);
    ASSERT_EQ(s.k30List.size(), 2u);
    EXPECT_EQ(s.k30List[1].name, "2");
}

TEST(Decoder, RecordFields)
{
    TransferPlan plan = K30Only(0);
    InstrumentK30Record r = Record(12);
    r.stress[7] = 0x01F4;
    r.year = 9;
    r.month = 5;
    r.day = 12;
    r.startHour = 8;
    r.startMinute = 5;
    r.endHour = 14;
    r.endMinute = 30;
    r.stress125 = 0x00FA;
    r.k30 = 0x00BE;
    r.testType = 0;
    r.designLoad = 150;
    plan.k30Records.push_back(r);
    r.testType = 40;
    r.startHour = 10;
    r.startMinute = 0;
    plan.k30Records.push_back(r);
    const TestDataStore s = Decode(plan);
    ASSERT_EQ(s.nK30Count, 2);
    const K30& p = s.k30List[0];
    EXPECT_EQ(p.name, "12");
    EXPECT_EQ(p.reading[7].stress, 500.0f);
    EXPECT_EQ(p.reading[3].settlement, 3 * 11 + 12.0f);
    EXPECT_EQ(p.startTime, "2009-5-12-08:05");
    EXPECT_EQ(p.endTime, "2009-5-12-14:30");
    EXPECT_EQ(p.stress125, "0.250");
    EXPECT_EQ(p.k30Value, "190");
    EXPECT_EQ(p.testType, "K30");
    EXPECT_EQ(p.designLoad, "0.150");
    EXPECT_EQ(p.reading[16], ReadingPair{});
    EXPECT_EQ(s.k30List[1].testType, "K40");
    EXPECT_EQ(s.k30List[1].startTime, "2009-5-12-10:00");
}

TEST(Decoder, DocumentedQuirks)
{
    {
        // No end marker: the count still allows for one, so a record is lost.
        TransferPlan plan = K30Only(3);
        plan.k30EndMarker = false;
        EXPECT_EQ(Decode(plan).nK30Count, 2);
        plan = K30Only(1);
        plan.k30EndMarker = false;
        EXPECT_EQ(Decode(plan).nK30Count, 0);
    }
    {
        // Sixteen 0xFF inside a record end the section there.
        TransferPlan plan = K30Only(3);
        for (std::size_t j = 0; j < 8; ++j) {
            plan.k30Records[1].stress[j] = 0xFFFF;
            plan.k30Records[1].settlement[j] = 0xFFFF;
        }
        const TestDataStore s = Decode(plan);
        EXPECT_EQ(s.nK30Count, 1);
        EXPECT_EQ(s.k30List.size(), 1u);
    }
    {
        // A transfer cut inside a record does not count that record.
        TransferPlan plan = K30Only(2);
        plan.k30EndMarker = false;
        auto bytes = BuildTransfer(plan);
        bytes.resize(bytes.size() - 40);
        bytes.insert(bytes.end(), 16, 0xFF);
        TestDataStore s;
        DecodeTransfer(BytesToTransferText(bytes), s);
        EXPECT_EQ(s.nK30Count, 1);
    }
}

TEST(Decoder, EmptyOrMarkerlessTextEmptiesButKeepsInstrumentNumber)
{
    TestDataStore s;
    s.nInstrumentNo = 42;
    s.nEv2Count = 3;
    s.nK30Count = 1;
    s.k30List.push_back({});
    DecodeTransfer("", s);
    EXPECT_TRUE(s.k30List.empty());
    EXPECT_EQ(s.nEv2Count, 0);
    EXPECT_EQ(s.nK30Count, 0);
    EXPECT_EQ(s.nInstrumentNo, 42);
    DecodeTransfer("01 02 03 EE EE ", s);
    EXPECT_EQ(s.nK30Count, 0);
    EXPECT_EQ(s.nInstrumentNo, 42);
}

TEST(Decoder, SecondDecodeReplacesEverything)
{
    TestDataStore s;
    DecodeTransfer(BytesToTransferText(BuildTransfer(K30Only(5))), s);
    ASSERT_EQ(s.nK30Count, 5);
    DecodeTransfer(BytesToTransferText(BuildTransfer(K30Only(2))), s);
    EXPECT_EQ(s.nK30Count, 2);
    EXPECT_EQ(s.k30List.size(), 2u);
}

TEST(Decoder, DamagedTextStaysInBounds)
{
    // A marker at the very end, with nothing after it, and digits that are not hexadecimal.
    TestDataStore s;
    DecodeTransfer("CC CC CC CC CC CC CC CC CC CC CC CC CC CC", s);
    EXPECT_EQ(s.nK30Count, 0);
    EXPECT_EQ(s.nInstrumentNo, 0);
    std::string text = BytesToTransferText(BuildTransfer(K30Only(1)));
    for (std::size_t i = 48; i < 120; i += 3)
        text[i] = 'Z';
    DecodeTransfer(text, s);
    ASSERT_EQ(s.nK30Count, 1);
    EXPECT_EQ(s.k30List[0].reading[0].stress, 0.0f);
}

TEST(Decoder, WhiteSpaceAndCaseVariantsOfARawFileDecodeAsTheWrittenText)
{
    // What a text editor makes of a transfer: rewrapped lines (also through
    // a byte's two digits), CRLF, tabs, runs of blanks, lower-case digits.
    TransferPlan plan = K30Only(3);
    plan.ev2Section = true;
    plan.ev2Records = 2;
    const std::string clean = BytesToTransferText(BuildTransfer(plan));
    const auto every = [&clean](std::size_t n, const std::string& insert) {
        std::string out;
        for (std::size_t i = 0; i < clean.size(); ++i) {
            out += clean[i];
            if ((i + 1) % n == 0)
                out += insert;
        }
        return out;
    };
    const auto replaced = [&clean](char from, const std::string& to) {
        std::string out;
        for (const char c : clean)
            out += c == from ? to : std::string(1, c);
        return out;
    };
    std::string lower = clean;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string digitsOnly = replaced(' ', "");

    TestDataStore expected;
    DecodeTransfer(clean, expected);
    ASSERT_EQ(expected.nK30Count, 3);
    ASSERT_EQ(expected.nEv2Count, 2);
    ASSERT_EQ(expected.k30List[2].name, "3");
    ASSERT_EQ(expected.nInstrumentNo, 7);

    const std::vector<std::pair<std::string, std::string>> variants{
        {"LF every 48", every(48, "\n")},      {"CRLF every 50", every(50, "\r\n")},
        {"LF every 16", every(16, "\n")},      {"tabs", replaced(' ', "\t")},
        {"several blanks", replaced(' ', "   ")}, {"lower case", lower},
        {"no blanks", digitsOnly},             {"final newline", clean + "\r\n"},
        {"all at once", every(61, "\r\n\t ") + "\n"}};
    for (const auto& [what, text] : variants) {
        SCOPED_TRACE(what);
        EXPECT_EQ(CanonicalTransferText(text), clean);
        EXPECT_EQ(TransferTextToBytes(text), TransferTextToBytes(clean));
        TestDataStore s;
        s.nInstrumentNo = 99;
        DecodeTransfer(text, s);
        EXPECT_EQ(s.nK30Count, expected.nK30Count);
        EXPECT_EQ(s.nEv2Count, expected.nEv2Count);
        EXPECT_EQ(s.nInstrumentNo, expected.nInstrumentNo);
        EXPECT_EQ(s.k30List, expected.k30List);
    }

    // Anything but white space and digits, or a lone digit, is damage, not a variant.
    EXPECT_TRUE(IsCanonicalTransferText(clean));
    EXPECT_FALSE(CanonicalTransferText(clean + "Z").has_value());
    EXPECT_FALSE(CanonicalTransferText(clean + "0").has_value());
    EXPECT_FALSE(IsCanonicalTransferText(lower));
}
