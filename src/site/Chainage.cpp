#include "Chainage.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace k30 {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Digits with at most one decimal point (or comma); nullopt for anything else.
std::optional<double> Decimal(const std::string& t)
{
    if (t.empty())
        return std::nullopt;
    std::string plain;
    bool point = false;
    bool digits = false;
    for (char c : t) {
        if (IsDigit(c)) {
            digits = true;
            plain += c;
        } else if ((c == '.' || c == ',') && !point) {
            point = true;
            plain += '.';
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    // Locale-free: digits and one point only.
    double whole = 0.0;
    double scale = 1.0;
    bool fraction = false;
    for (char c : plain) {
        if (c == '.') {
            fraction = true;
            continue;
        }
        if (fraction) {
            scale /= 10.0;
            whole += (c - '0') * scale;
        } else {
            whole = whole * 10.0 + (c - '0');
        }
    }
    if (!std::isfinite(whole))
        return std::nullopt;
    return whole;
}

ChainageParse Refuse(std::string message)
{
    ChainageParse p;
    p.error = std::move(message);
    return p;
}

}  // namespace

ChainageParse ParseChainage(std::string_view text)
{
    std::string t;
    for (char c : text)
        if (!IsBlank(c))
            t += c;
    if (t.empty())
        return {true, std::nullopt, {}};

    std::size_t i = 0;
    while (i < t.size() && IsLetter(t[i]))
        ++i;
    const bool prefixed = i > 0;
    const std::size_t sign = t.find_first_of("+-", i);

    if (!prefixed && sign == std::string::npos) {
        const auto m = Decimal(t);
        if (!m)
            return Refuse("\"" + std::string(text) + "\" is no chainage (DK125+340.5, K0+000 or metres)");
        return {true, *m, {}};
    }
    if (!prefixed && sign == 0) {
        // "-50" or "+50": metres with a sign.
        const auto m = Decimal(t.substr(1));
        if (!m)
            return Refuse("\"" + std::string(text) + "\" is no chainage (DK125+340.5, K0+000 or metres)");
        return {true, t[0] == '-' ? -*m : *m, {}};
    }
    if (sign == std::string::npos)
        return Refuse("\"" + std::string(text) + "\" lacks the + or - between kilometres and metres (K125+340.5)");

    const std::string km = t.substr(i, sign - i);
    const std::string m = t.substr(sign + 1);
    if (km.empty() || km.find_first_not_of("0123456789") != std::string::npos)
        return Refuse("\"" + std::string(text) + "\": the kilometres must be a whole number (K125+340.5)");
    const auto kmValue = Decimal(km);
    const auto mValue = Decimal(m);
    if (!kmValue || !mValue)
        return Refuse("\"" + std::string(text) + "\": the metres after " + t[sign] + " must be a number (K125+340.5)");
    if (*mValue >= 1000.0)
        return Refuse("\"" + std::string(text) + "\": the metres after " + t[sign] + " must be below 1000");
    const double metres = *kmValue * 1000.0 + (t[sign] == '-' ? -*mValue : *mValue);
    return {true, metres, {}};
}

std::string FormatChainage(double metres, std::string_view prefix)
{
    const bool negative = metres < 0.0;
    const double a = std::fabs(metres);
    double km = std::floor(a / 1000.0);
    double m = a - km * 1000.0;
    if (m >= 999.9995) {  // would print as 1000.000
        km += 1.0;
        m = 0.0;
    }
    char buf[64];
    if (negative && a >= 1000.0) {
        std::snprintf(buf, sizeof buf, "%.3f", metres);
        return buf;
    }
    if (negative)
        std::snprintf(buf, sizeof buf, "%.*s%.0f-%07.3f", static_cast<int>(prefix.size()), prefix.data(), km, m);
    else
        std::snprintf(buf, sizeof buf, "%.*s%.0f+%07.3f", static_cast<int>(prefix.size()), prefix.data(), km, m);
    return buf;
}

}  // namespace k30
