// Writes the bundled sample transfer: two Ev2 points with two load cycles on
// compacted fill, and a dozen K30 points with plausible fifteen-step loading
// curves, one of which never reaches 1.25 mm.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "FileIO.h"
#include "K30Evaluation.h"
#include "TransferBuilder.h"
#include "TransferText.h"

namespace {

// One static plate load test with two cycles. Settlements in mm for stresses
// in MPa: first loading a1·σ + a2·σ², unloading along a flatter curve to the
// residual settlement, reloading residual + b1·σ + b2·σ².
struct Ev2Test {
    std::uint16_t number;
    double sigmaMax;  // MPa, top of the first loading
    double a1, a2, residual, b1, b2;
    std::uint8_t startHour, startMinute;
};

k30::InstrumentEv2Record Ev2Record(const Ev2Test& t, unsigned& seed)
{
    auto jitter = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<double>((seed >> 16) % 3) - 1.0;  // -1, 0 or 1 unit
    };
    k30::InstrumentEv2Record r;
    auto put = [&r](int j, double sigma, double s) {
        r.stress[static_cast<std::size_t>(j)] = static_cast<std::uint16_t>(std::lround(sigma * 1000));
        r.settlement[static_cast<std::size_t>(j)] = static_cast<std::uint16_t>(std::max(0L, std::lround(s * 100)));
    };
    put(0, 0, 0);
    for (int j = 1; j <= 7; ++j) {
        const double sigma = t.sigmaMax * j / 7.0;
        put(j, sigma, t.a1 * sigma + t.a2 * sigma * sigma + jitter() / 100);
    }
    const double top = t.a1 * t.sigmaMax + t.a2 * t.sigmaMax * t.sigmaMax;
    const double fractions[] = {0.5, 0.25, 0.0};
    for (int j = 8; j <= 10; ++j) {
        const double f = fractions[j - 8];
        put(j, t.sigmaMax * f, t.residual + (top - t.residual) * std::pow(f, 0.6));
    }
    for (int j = 11; j <= 16; ++j) {
        const double sigma = t.sigmaMax * 0.96 * (j - 10) / 6.0;
        put(j, sigma, t.residual + t.b1 * sigma + t.b2 * sigma * sigma + jitter() / 100);
    }
    r.year = 26;
    r.month = 11;
    r.day = 2;
    r.startHour = t.startHour;
    r.startMinute = t.startMinute;
    r.endHour = static_cast<std::uint8_t>(t.startHour + 1);
    r.endMinute = static_cast<std::uint8_t>(t.startMinute / 2);
    r.number = t.number;
    return r;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_demo_transfer OUT.ORG\n");
        return 2;
    }
    using namespace k30;
    TransferPlan plan;
    plan.ev2Section = true;
    plan.ev2InstrumentNo = 1207;
    unsigned ev2Seed = 20261102;
    for (const Ev2Test& t : {Ev2Test{1, 0.50, 2.6, 3.0, 1.20, 1.10, 1.0, 9, 10},
                             Ev2Test{2, 0.45, 3.2, 3.5, 1.35, 1.20, 1.3, 14, 25}})
        plan.ev2Points.push_back(Ev2Record(t, ev2Seed));
    plan.k30InstrumentNo = 1207;

    // Subgrade coefficients (MPa/m) of the points; 0 marks the point whose
    // loading stopped before the plate settled 1.25 mm.
    const double targets[] = {152, 171, 138, 196, 0, 164, 119, 185, 143, 210, 158, 127};
    unsigned seed = 20261106;
    auto noise = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<double>((seed >> 16) & 0x7FFF) / 32767.0 - 0.5;
    };
    int number = 1;
    for (double k : targets) {
        InstrumentK30Record r;
        const double sigma125 = (k > 0 ? k : 160) * 0.00125;  // MPa
        const double maxStress = k > 0 ? 1.7 * sigma125 : 0.8 * sigma125;
        r.settlement[0] = static_cast<std::uint16_t>(std::lround(2 + 2 * (noise() + 0.5)));
        for (int i = 1; i < 16; ++i) {
            const double sigma = maxStress * i / 15.0;
            const double s = 1.25 * std::pow(sigma / sigma125, 1.18) * (1.0 + 0.04 * noise());
            r.stress[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(std::lround(sigma * 1000));
            r.settlement[static_cast<std::size_t>(i)] =
                static_cast<std::uint16_t>(std::max<long>(r.settlement[static_cast<std::size_t>(i - 1)] + 1,
                                                          std::lround(s * 100)));
        }
        std::array<ReadingPair, kReadingPairs> pairs{};
        for (std::size_t i = 0; i < 16; ++i)
            pairs[i] = {static_cast<float>(r.stress[i]), static_cast<float>(r.settlement[i])};
        if (auto res = ComputeK30(pairs)) {
            r.stress125 = static_cast<std::uint16_t>(std::lround(res->stress125));
            r.k30 = static_cast<std::uint16_t>(std::lround(res->k30));
        }
        r.year = 26;
        r.month = 11;
        r.day = static_cast<std::uint8_t>(3 + number / 5);
        const int start = 8 * 60 + 5 + 37 * (number - 1);
        r.startHour = static_cast<std::uint8_t>(start / 60);
        r.startMinute = static_cast<std::uint8_t>(start % 60);
        r.endHour = static_cast<std::uint8_t>((start + 26) / 60);
        r.endMinute = static_cast<std::uint8_t>((start + 26) % 60);
        r.number = static_cast<std::uint16_t>(number++);
        r.testType = 0;
        r.designLoad = 150;
        plan.k30Records.push_back(r);
    }
    const std::string text = BytesToTransferText(BuildTransfer(plan));
    std::string error;
    if (!WriteFileAtomically(argv[1], text.data(), text.size(), error)) {
        std::fprintf(stderr, "make_demo_transfer: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return 0;
}
