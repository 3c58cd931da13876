#include "Ev2Transfer.h"

#include <charconv>
#include <cmath>

#include "TransferText.h"

namespace k30 {

namespace {

constexpr std::size_t kRecordBytes = 112;
constexpr std::size_t kTimeOffset = 68;
constexpr std::size_t kNumberOffset = 75;

std::string_view Trimmed(std::string_view t)
{
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        t.remove_suffix(1);
    return t;
}

// Splits "Y-M-D-HH:MM" into its five numbers; a missing part is 0.
std::array<unsigned, 5> TimeParts(std::string_view text)
{
    std::array<unsigned, 5> parts{};
    std::size_t k = 0;
    const char* p = text.data();
    const char* end = text.data() + text.size();
    while (p < end && (*p < '0' || *p > '9'))
        ++p;
    while (p < end && k < parts.size()) {
        unsigned v = 0;
        const auto [next, ec] = std::from_chars(p, end, v);
        if (ec == std::errc())
            parts[k] = v;
        p = next;
        while (p < end && (*p < '0' || *p > '9'))
            ++p;
        ++k;
    }
    return parts;
}

std::uint8_t Byte(unsigned v, unsigned limit) { return v <= limit ? static_cast<std::uint8_t>(v) : 0; }

std::uint16_t Word(float v)
{
    if (!std::isfinite(v) || v <= 0.0f)
        return 0;
    if (v >= 65535.0f)
        return 65535;
    return static_cast<std::uint16_t>(v);
}

void Put16(std::uint8_t* at, std::uint16_t v)
{
    at[0] = static_cast<std::uint8_t>(v >> 8);
    at[1] = static_cast<std::uint8_t>(v & 0xFF);
}

}  // namespace

std::optional<std::uint16_t> PointNumberFromName(std::string_view name)
{
    name = Trimmed(name);
    unsigned v = 0;
    const auto [next, ec] = std::from_chars(name.data(), name.data() + name.size(), v);
    if (name.empty() || ec != std::errc() || next != name.data() + name.size() || v > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(v);
}

std::optional<std::string> Ev2TransferText(const std::vector<Ev2Point>& points, std::uint16_t instrumentNo)
{
    std::vector<std::uint8_t> bytes(14, 0xEE);
    bytes.push_back(static_cast<std::uint8_t>(instrumentNo >> 8));
    bytes.push_back(static_cast<std::uint8_t>(instrumentNo & 0xFF));
    for (const Ev2Point& p : points) {
        const auto number = PointNumberFromName(p.name);
        if (!number)
            return std::nullopt;
        std::array<std::uint8_t, kRecordBytes> rec{};
        for (std::size_t j = 0; j < p.reading.size(); ++j) {
            Put16(&rec[4 * j], Word(p.reading[j].stress));
            Put16(&rec[4 * j + 2], Word(p.reading[j].settlement));
        }
        const auto start = TimeParts(p.startTime);
        const auto end = TimeParts(p.endTime);
        rec[kTimeOffset] = start[0] >= 2000 ? Byte(start[0] - 2000, 255) : 0;
        rec[kTimeOffset + 1] = Byte(start[1], 12);
        rec[kTimeOffset + 2] = Byte(start[2], 31);
        rec[kTimeOffset + 3] = Byte(start[3], 23);
        rec[kTimeOffset + 4] = Byte(start[4], 59);
        rec[kTimeOffset + 5] = Byte(end[3], 23);
        rec[kTimeOffset + 6] = Byte(end[4], 59);
        Put16(&rec[kNumberOffset], *number);
        bytes.insert(bytes.end(), rec.begin(), rec.end());
    }
    bytes.insert(bytes.end(), 16, 0xFF);
    return BytesToTransferText(bytes);
}

}  // namespace k30
