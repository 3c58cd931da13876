#include "Format.h"

#include <array>
#include <charconv>
#include <cmath>

namespace k30 {

std::string FormatFixed(double value, int decimals)
{
    std::array<char, 400> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, decimals);
    if (ec != std::errc{})
        return {};
    return std::string(buf.data(), end);
}

std::string FormatFixed(double value, int width, int decimals)
{
    std::string text = FormatFixed(value, decimals);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

double ParseDecimal(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                               text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Only plain decimal notation: "inf", "nan" and hex floats count as no number.
    if (i >= text.size() || !((text[i] >= '0' && text[i] <= '9') || text[i] == '.'))
        return 0.0;
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(text.data() + i, text.data() + text.size(), value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range)
        return 0.0;
    if (ec != std::errc{} || !std::isfinite(value))
        return 0.0;
    (void)ptr;
    return negative ? -value : value;
}

}  // namespace k30

namespace k30 {

std::optional<double> ReadTypedNumber(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (text.empty())
        return 0.0;
    std::string t(text);
    std::size_t i = 0;
    if (t[i] == '+' || t[i] == '-')
        ++i;
    bool digits = false;
    bool point = false;
    for (; i < t.size(); ++i) {
        if (t[i] >= '0' && t[i] <= '9') {
            digits = true;
        } else if ((t[i] == '.' || t[i] == ',') && !point) {
            point = true;
            t[i] = '.';
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    const double v = ParseDecimal(t);
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

}  // namespace k30
