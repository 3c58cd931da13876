#pragma once

#include <string>
#include <string_view>

namespace k30 {

// printf-style number texts that do not depend on the process locale
// (the window's toolkit switches LC_NUMERIC to the user's locale).

// "%.<decimals>f"
std::string FormatFixed(double value, int decimals);

// "%<width>.<decimals>f": right-aligned in at least width characters.
std::string FormatFixed(double value, int width, int decimals);

// Decimal text to double as the reading boxes take it: leading blanks skipped,
// the longest number at the start taken, anything else gives 0.
double ParseDecimal(std::string_view text);

}  // namespace k30
