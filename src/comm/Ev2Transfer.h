#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Ev2.h"

namespace k30 {

// The test point number a name stands for in a record: a decimal number from
// 0 to 65535 and nothing else (blanks around it allowed). nullopt otherwise.
std::optional<std::uint16_t> PointNumberFromName(std::string_view name);

// The transfer text the instrument would send for these Ev2 points alone: the
// Ev2 marker, the instrument number, one record per point and the end marker.
// Decoding it gives the points back. Times are taken from the points' texts
// ("2009-5-12-08:05"); a part that is missing or out of range is sent as 0.
// nullopt when a name is not a point number.
std::optional<std::string> Ev2TransferText(const std::vector<Ev2Point>& points, std::uint16_t instrumentNo);

}  // namespace k30
