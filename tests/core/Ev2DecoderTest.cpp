// The Ev2 section of a transfer: records, section losses, and the transfer
// text written for a point typed by hand.
#include <gtest/gtest.h>

#include "Ev2Transfer.h"
#include "TestDataStore.h"
#include "TransferBuilder.h"
#include "TransferDecoder.h"
#include "TransferText.h"

using namespace k30;

namespace {

InstrumentEv2Record Ev2Record(std::uint16_t number)
{
    InstrumentEv2Record r = TypicalEv2Record(number);
    for (std::size_t j = 0; j < 17; ++j) {
        r.stress[j] = static_cast<std::uint16_t>(r.stress[j] + number);
        r.settlement[j] = static_cast<std::uint16_t>(1000 * number + j);
    }
    return r;
}

TransferPlan Ev2Plan(int records)
{
    TransferPlan plan;
    plan.ev2Section = true;
    plan.ev2InstrumentNo = 0x0102;
    for (int i = 0; i < records; ++i)
        plan.ev2Points.push_back(Ev2Record(static_cast<std::uint16_t>(i + 1)));
    plan.k30Section = false;
    return plan;
}

TestDataStore Decode(const std::vector<std::uint8_t>& bytes)
{
    TestDataStore s;
    DecodeTransfer(BytesToTransferText(bytes), s);
    EXPECT_EQ(s.ev2List.size(), static_cast<std::size_t>(s.nEv2Count));
    return s;
}

}  // namespace

TEST(Ev2Decoding, RecordsAndTheirFields)
{
    TransferPlan plan = Ev2Plan(3);
    plan.ev2Points[1].number = 0x1234;
    plan.ev2Points[1].startHour = 10;
    plan.ev2Points[1].startMinute = 0;
    plan.ev2Points[1].endHour = 9;
    plan.ev2Points[1].endMinute = 59;
    plan.k30Section = true;
    plan.k30InstrumentNo = 9;
    plan.k30Records.push_back(InstrumentK30Record{});
    auto bytes = BuildTransfer(plan);
    // The unused tail of every record may hold anything but an end marker.
    for (std::size_t rec = 0; rec < 3; ++rec)
        for (std::size_t b = 77; b < 112; ++b)
            bytes[16 + 112 * rec + b] = static_cast<std::uint8_t>(0xA0 + b % 16);

    const TestDataStore s = Decode(bytes);
    ASSERT_EQ(s.nEv2Count, 3);
    EXPECT_EQ(s.nK30Count, 1);
    EXPECT_EQ(s.nInstrumentNo, 9);
    for (std::size_t i = 0; i < 3; ++i) {
        const InstrumentEv2Record& want = plan.ev2Points[i];
        const Ev2Point& got = s.ev2List[i];
        for (std::size_t j = 0; j < 17; ++j) {
            EXPECT_EQ(got.reading[j].stress, want.stress[j]) << i << "/" << j;
            EXPECT_EQ(got.reading[j].settlement, want.settlement[j]) << i << "/" << j;
        }
    }
    EXPECT_EQ(s.ev2List[0].name, "1");
    EXPECT_EQ(s.ev2List[0].startTime, "2009-5-12-08:05");
    EXPECT_EQ(s.ev2List[0].endTime, "2009-5-12-08:50");
    EXPECT_EQ(s.ev2List[1].name, "4660");
    EXPECT_EQ(s.ev2List[1].startTime, "2009-5-12-10:00");
    EXPECT_EQ(s.ev2List[1].endTime, "2009-5-12-09:59");
    EXPECT_EQ(s.ev2List[2].name, "3");
    EXPECT_EQ(s.ev2List[2].reading[16].settlement, 3016.0f);
}

TEST(Ev2Decoding, SectionLossesApplyToEv2Points)
{
    {
        // No end marker: the count still allows for one, so the last record is lost.
        TransferPlan plan = Ev2Plan(3);
        plan.ev2EndMarker = false;
        const TestDataStore s = Decode(BuildTransfer(plan));
        ASSERT_EQ(s.nEv2Count, 2);
        EXPECT_EQ(s.ev2List[1].name, "2");
        plan = Ev2Plan(1);
        plan.ev2EndMarker = false;
        EXPECT_EQ(Decode(BuildTransfer(plan)).nEv2Count, 0);
    }
    {
        // Sixteen 0xFF inside the second record end the section there.
        TransferPlan plan = Ev2Plan(3);
        for (std::size_t j = 2; j < 6; ++j)
            plan.ev2Points[1].stress[j] = plan.ev2Points[1].settlement[j] = 0xFFFF;
        const TestDataStore s = Decode(BuildTransfer(plan));
        ASSERT_EQ(s.nEv2Count, 1);
        EXPECT_EQ(s.ev2List[0].name, "1");
    }
    {
        // An Ev2 section after the K30 section is not counted; the K30 points are.
        TransferPlan plan = Ev2Plan(2);
        plan.k30Section = true;
        plan.k30Records.resize(2);
        plan.k30First = true;
        const TestDataStore s = Decode(BuildTransfer(plan));
        EXPECT_EQ(s.nEv2Count, 0);
        EXPECT_EQ(s.nK30Count, 2);
    }
    {
        // Cut anywhere, a transfer still decodes to as many points as it counts.
        TransferPlan plan = Ev2Plan(3);
        plan.k30Section = true;
        plan.k30Records.resize(2);
        const std::string text = BytesToTransferText(BuildTransfer(plan));
        TestDataStore s;
        for (std::size_t cut = 0; cut <= text.size(); cut += 3) {
            DecodeTransfer(std::string_view(text).substr(0, cut), s);
            ASSERT_EQ(s.ev2List.size(), static_cast<std::size_t>(s.nEv2Count)) << cut;
        }
    }
}

TEST(Ev2Decoding, EmptiedByATransferWithoutEv2)
{
    TestDataStore s = Decode(BuildTransfer(Ev2Plan(2)));
    ASSERT_EQ(s.ev2List.size(), 2u);
    TransferPlan k30Only;
    k30Only.k30Records.resize(1);
    DecodeTransfer(BytesToTransferText(BuildTransfer(k30Only)), s);
    EXPECT_EQ(s.nEv2Count, 0);
    EXPECT_TRUE(s.ev2List.empty());
}

TEST(Ev2TransferText, DecodesToTheSamePoints)
{
    const TestDataStore received = Decode(BuildTransfer(Ev2Plan(3)));
    const auto text = Ev2TransferText(received.ev2List, 1207);
    ASSERT_TRUE(text);
    const TestDataStore again = Decode(*TransferTextToBytes(*text));
    EXPECT_EQ(again.ev2List, received.ev2List);
    EXPECT_EQ(again.nInstrumentNo, 1207);
    EXPECT_EQ(again.nK30Count, 0);

    // A point typed by hand: readings and name come back; times the record
    // cannot hold are sent as 0.
    Ev2Point typed;
    typed.name = " 17 ";
    typed.reading[3] = {250.0f, 64.0f};
    typed.startTime = " 2026-11-2-09:10";
    const TestDataStore back = Decode(*TransferTextToBytes(*Ev2TransferText({typed}, 3)));
    ASSERT_EQ(back.ev2List.size(), 1u);
    EXPECT_EQ(back.ev2List[0].name, "17");
    EXPECT_EQ(back.ev2List[0].reading, typed.reading);
    EXPECT_EQ(back.ev2List[0].startTime, "2026-11-2-09:10");
    EXPECT_EQ(back.ev2List[0].endTime, "2026-11-2-00:00");

    typed.name = "P1";
    EXPECT_FALSE(Ev2TransferText({typed}, 3));
    EXPECT_EQ(PointNumberFromName("65535"), 65535);
    EXPECT_FALSE(PointNumberFromName("65536"));
    EXPECT_FALSE(PointNumberFromName("-1"));
    EXPECT_FALSE(PointNumberFromName(""));
}
