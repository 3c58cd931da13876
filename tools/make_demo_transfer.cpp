// Writes the bundled sample transfer: an Ev2 section and a dozen K30 points
// with plausible fifteen-step loading curves, one of which never reaches 1.25 mm.
#include <cmath>
#include <cstdio>
#include <string>

#include "FileIO.h"
#include "K30Evaluation.h"
#include "TransferBuilder.h"
#include "TransferText.h"

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
    plan.ev2Records = 2;
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
