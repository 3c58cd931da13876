#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace k30 {

// One K30 test point as the instrument stores it (all values in stream units).
struct InstrumentK30Record {
    std::array<std::uint16_t, 16> stress{};      // 0.001 MPa
    std::array<std::uint16_t, 16> settlement{};  // 0.01 mm
    std::uint8_t year = 9;                       // minus 2000
    std::uint8_t month = 5;
    std::uint8_t day = 12;
    std::uint8_t startHour = 8;
    std::uint8_t startMinute = 5;
    std::uint8_t endHour = 14;
    std::uint8_t endMinute = 30;
    std::uint16_t number = 1;
    std::uint16_t stress125 = 0;   // 0.001 MPa
    std::uint16_t k30 = 0;         // MPa/m
    std::uint16_t testType = 0;    // 0 stands for 30
    std::uint16_t designLoad = 0;  // 0.001 MPa
};

// One Ev2 test point as the instrument stores it (stream units): pair 0 the
// zero reading, 1 to 7 the first loading, 8 to 10 the unloading, 10 to 16 the
// second loading.
struct InstrumentEv2Record {
    std::array<std::uint16_t, 17> stress{};      // 0.001 MPa
    std::array<std::uint16_t, 17> settlement{};  // 0.01 mm
    std::uint8_t year = 9;                       // minus 2000
    std::uint8_t month = 5;
    std::uint8_t day = 12;
    std::uint8_t startHour = 8;
    std::uint8_t startMinute = 5;
    std::uint8_t endHour = 8;
    std::uint8_t endMinute = 50;
    std::uint16_t number = 1;
};

// A plate on compacted fill: first loading to 0.5 MPa in 7 steps, unloading
// to 0.25, 0.125 and 0 MPa, reloading in 6 steps to 0.48 MPa; Ev1 about
// 55 MPa, Ev2 about 140 MPa.
InstrumentEv2Record TypicalEv2Record(std::uint16_t number);

struct TransferPlan {
    std::vector<std::uint8_t> leading;  // bytes before the first marker
    bool ev2Section = false;
    std::uint16_t ev2InstrumentNo = 0;
    std::vector<InstrumentEv2Record> ev2Points;  // the Ev2 section's records
    int ev2Records = 0;  // typical records after ev2Points, numbered on from them
    bool ev2EndMarker = true;
    std::vector<std::uint8_t> between;  // bytes between the two sections
    bool k30Section = true;
    std::uint16_t k30InstrumentNo = 0;
    std::vector<InstrumentK30Record> k30Records;
    bool k30EndMarker = true;
    bool k30First = false;  // K30 section before the Ev2 section
    std::vector<std::uint8_t> trailing;
};

// The bytes of an instrument transfer.
std::vector<std::uint8_t> BuildTransfer(const TransferPlan& plan);

// The 112 bytes of one Ev2 record.
std::array<std::uint8_t, 112> EncodeEv2Record(const InstrumentEv2Record& record);

// The 112 bytes of one K30 record.
std::array<std::uint8_t, 112> EncodeK30Record(const InstrumentK30Record& record);

// A large, regular transfer for benchmarks: 20 Ev2 points and k30Points K30
// points whose readings vary a little from point to point.
TransferPlan RegularPlan(int k30Points);

}  // namespace k30
