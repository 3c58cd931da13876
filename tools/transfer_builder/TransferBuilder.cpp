#include "TransferBuilder.h"

namespace k30 {

namespace {

void Put16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v >> 8);
    p[1] = static_cast<std::uint8_t>(v);
}

void Append(std::vector<std::uint8_t>& out, std::uint8_t byte, int n) { out.insert(out.end(), static_cast<std::size_t>(n), byte); }

void Append16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

void AppendEv2(std::vector<std::uint8_t>& out, const TransferPlan& s)
{
    Append(out, 0xEE, 14);
    Append16(out, s.ev2InstrumentNo);
    for (const InstrumentEv2Record& r : s.ev2Points) {
        const auto rec = EncodeEv2Record(r);
        out.insert(out.end(), rec.begin(), rec.end());
    }
    for (int i = 0; i < s.ev2Records; ++i) {
        const auto number = static_cast<std::uint16_t>(s.ev2Points.size() + static_cast<std::size_t>(i) + 1);
        const auto rec = EncodeEv2Record(TypicalEv2Record(number));
        out.insert(out.end(), rec.begin(), rec.end());
    }
    if (s.ev2EndMarker)
        Append(out, 0xFF, 16);
}

void AppendK30(std::vector<std::uint8_t>& out, const TransferPlan& s)
{
    Append(out, 0xCC, 14);
    Append16(out, s.k30InstrumentNo);
    for (const InstrumentK30Record& r : s.k30Records) {
        const auto rec = EncodeK30Record(r);
        out.insert(out.end(), rec.begin(), rec.end());
    }
    if (s.k30EndMarker)
        Append(out, 0xFF, 16);
}

}  // namespace

InstrumentEv2Record TypicalEv2Record(std::uint16_t number)
{
    InstrumentEv2Record r;
    r.stress = {0, 70, 140, 210, 280, 350, 420, 500, 250, 125, 0, 80, 160, 240, 320, 400, 480};
    r.settlement = {0, 20, 42, 68, 96, 128, 162, 205, 190, 162, 118, 127, 138, 150, 163, 178, 194};
    r.number = number;
    return r;
}

namespace {

// The readings, date, times and point number, laid out alike in both record kinds.
template <typename Record>
std::array<std::uint8_t, 112> EncodeCommonFields(const Record& r)
{
    std::array<std::uint8_t, 112> rec{};
    for (std::size_t j = 0; j < r.stress.size(); ++j) {
        Put16(&rec[4 * j], r.stress[j]);
        Put16(&rec[4 * j + 2], r.settlement[j]);
    }
    rec[68] = r.year;
    rec[69] = r.month;
    rec[70] = r.day;
    rec[71] = r.startHour;
    rec[72] = r.startMinute;
    rec[73] = r.endHour;
    rec[74] = r.endMinute;
    Put16(&rec[75], r.number);
    return rec;
}

}  // namespace

std::array<std::uint8_t, 112> EncodeEv2Record(const InstrumentEv2Record& r) { return EncodeCommonFields(r); }

std::array<std::uint8_t, 112> EncodeK30Record(const InstrumentK30Record& r)
{
    std::array<std::uint8_t, 112> rec = EncodeCommonFields(r);
    Put16(&rec[80], r.stress125);
    Put16(&rec[82], r.k30);
    Put16(&rec[84], r.testType);
    Put16(&rec[86], r.designLoad);
    return rec;
}

std::vector<std::uint8_t> BuildTransfer(const TransferPlan& s)
{
    std::vector<std::uint8_t> out = s.leading;
    if (s.k30First) {
        if (s.k30Section)
            AppendK30(out, s);
        out.insert(out.end(), s.between.begin(), s.between.end());
        if (s.ev2Section)
            AppendEv2(out, s);
    } else {
        if (s.ev2Section)
            AppendEv2(out, s);
        out.insert(out.end(), s.between.begin(), s.between.end());
        if (s.k30Section)
            AppendK30(out, s);
    }
    out.insert(out.end(), s.trailing.begin(), s.trailing.end());
    return out;
}

TransferPlan RegularPlan(int k30Points)
{
    TransferPlan plan;
    plan.ev2Section = true;
    plan.ev2Records = 20;
    for (int i = 0; i < k30Points; ++i) {
        InstrumentK30Record r;
        r.number = static_cast<std::uint16_t>(i);
        for (std::size_t j = 0; j < 16; ++j) {
            r.stress[j] = static_cast<std::uint16_t>(j * 25 + static_cast<std::size_t>(i % 7));
            r.settlement[j] = static_cast<std::uint16_t>(j * 12 + static_cast<std::size_t>(i % 5));
        }
        r.stress125 = 190;
        r.k30 = 152;
        plan.k30Records.push_back(r);
    }
    return plan;
}

}  // namespace k30
