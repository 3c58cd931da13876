#pragma once

// Transfers for the site page tests: K30 points with the K30 values given,
// tested on one day of May 2026.
#include <string>
#include <vector>

#include "TransferBuilder.h"
#include "TransferText.h"

namespace k30::test {

inline std::string K30TransferText(const std::vector<int>& k30Values, int day, int firstNumber)
{
    TransferPlan plan;
    plan.k30InstrumentNo = 1207;
    for (std::size_t i = 0; i < k30Values.size(); ++i) {
        InstrumentK30Record r;
        r.year = 26;
        r.month = 5;
        r.day = static_cast<std::uint8_t>(day);
        r.number = static_cast<std::uint16_t>(firstNumber + static_cast<int>(i));
        r.k30 = static_cast<std::uint16_t>(k30Values[i]);
        r.stress125 = static_cast<std::uint16_t>(k30Values[i] * 5 / 4);
        for (std::size_t j = 0; j < 16; ++j) {
            r.stress[j] = static_cast<std::uint16_t>(40 * j);
            r.settlement[j] = static_cast<std::uint16_t>(20 * j);
        }
        plan.k30Records.push_back(r);
    }
    return BytesToTransferText(BuildTransfer(plan));
}

}  // namespace k30::test
