#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace k30 {

// printf-style number texts that do not depend on the process locale
// (the window's toolkit switches LC_NUMERIC to the user's locale).

// "%.<decimals>f"
std::string FormatFixed(double value, int decimals);

// "%<width>.<decimals>f": right-aligned in at least width characters.
std::string FormatFixed(double value, int width, int decimals);

// Decimal text to double: leading blanks skipped, the longest number at the
// start taken, anything else gives 0. For texts the program wrote itself;
// what a person types goes through ReadTypedNumber.
double ParseDecimal(std::string_view text);

// Every number a person types (readings, required values, limits, and the
// same texts given to the command-line tool): blanks around it allowed, a
// leading sign, digits with one decimal point or one decimal comma. An empty
// or blank text is 0. Anything else (a word, two numbers, a unit after the
// number, an exponent, "nan", "inf") is refused: nullopt.
std::optional<double> ReadTypedNumber(std::string_view text);

}  // namespace k30
