#pragma once

// Exact least-squares parabola through whole-number readings, for checking the
// evaluation against values it did not compute itself: the normal equations
// are formed and solved by Cramer's rule in 128-bit integers, so the only
// rounding is the final conversion to long double.

#include <cstdint>
#include <utility>
#include <vector>

namespace k30::test {

__extension__ typedef __int128 Int;

// v = (d0 + d1·u + d2·u²) / d for stresses u (0.001 MPa) and settlements v
// (0.01 mm). Exact for stresses up to a few thousand units and eight pairs.
struct ExactParabola {
    Int d = 0, d0 = 0, d1 = 0, d2 = 0;

    // s = a0 + a1·σ + a2·σ² in mm and MPa.
    long double A0() const { return L(d0) / L(d) / 100.0L; }
    long double A1() const { return 10.0L * L(d1) / L(d); }
    long double A2() const { return 10000.0L * L(d2) / L(d); }
    // 1.5·150 mm / (a1 + a2·σ0max) with σ0max = u0max / 1000, in MPa;
    // the denominator's sign decides before anything is rounded.
    Int Denominator(Int u0max) const { return (d1 + d2 * u0max) * (d > 0 ? 1 : -1); }
    long double Modulus(Int u0max) const { return 22.5L * L(d < 0 ? -d : d) / L(Denominator(u0max)); }

    static long double L(Int v) { return static_cast<long double>(v); }
};

inline Int Det3(const Int m[3][3])
{
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

inline ExactParabola FitExactly(const std::vector<std::pair<std::int64_t, std::int64_t>>& uv)
{
    Int s[5] = {};
    Int t[3] = {};
    for (const auto& [u, v] : uv) {
        Int p = 1;
        for (int k = 0; k < 5; ++k) {
            s[k] += p;
            if (k < 3)
                t[k] += p * v;
            p *= u;
        }
    }
    const Int m[3][3] = {{s[0], s[1], s[2]}, {s[1], s[2], s[3]}, {s[2], s[3], s[4]}};
    ExactParabola f;
    f.d = Det3(m);
    Int* out[3] = {&f.d0, &f.d1, &f.d2};
    for (int k = 0; k < 3; ++k) {
        Int c[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                c[i][j] = j == k ? t[i] : m[i][j];
        *out[k] = Det3(c);
    }
    return f;
}

}  // namespace k30::test
