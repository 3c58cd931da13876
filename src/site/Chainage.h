#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace k30 {

// A chainage as typed: "DK125+340.5", "K0+000", "CK12+345.67" (any letters
// before the kilometres, in any case), "K0-050" (50 m before K0), or plain
// metres "125340.5"; blanks anywhere are ignored. The metres after the sign
// must be below 1000: a longer value is almost always a typing slip.
struct ChainageParse {
    bool ok = false;
    std::optional<double> metres;  // empty text: ok, and no chainage
    std::string error;             // English, when !ok
};

ChainageParse ParseChainage(std::string_view text);

// "K125+340.500"-style text of metres, with the prefix given ("DK", "K").
std::string FormatChainage(double metres, std::string_view prefix = "K");

}  // namespace k30
