// Damaged input as it arrives by mail and USB stick: mutated and truncated
// transfers and project files must never crash, read out of bounds or leave
// the store inconsistent. Run under AddressSanitizer and UBSan by scripts/test.
#include <gtest/gtest.h>

#include <random>

#include "ProjectFile.h"
#include "TestDataStore.h"
#include "TransferBuilder.h"
#include "TransferDecoder.h"
#include "TransferText.h"

using namespace k30;

namespace {

// A fixed count of inputs from fixed seeds: every run, fast machine or slow
// sanitizer build, tries the same inputs. The fuzz targets (fuzz/) go further.
constexpr int kRounds = 50000;

std::vector<std::uint8_t> SampleTransfer()
{
    TransferPlan plan;
    plan.ev2Section = true;
    plan.ev2Records = 2;
    plan.k30InstrumentNo = 4;
    for (std::uint16_t i = 1; i <= 3; ++i) {
        InstrumentK30Record r;
        r.number = i;
        for (std::size_t j = 0; j < 16; ++j) {
            r.stress[j] = static_cast<std::uint16_t>(j * 20 * i);
            r.settlement[j] = static_cast<std::uint16_t>(j * 10);
        }
        plan.k30Records.push_back(r);
    }
    return BuildTransfer(plan);
}

template <typename Mutable>
void Mutate(Mutable& data, std::mt19937& rng, const std::string& alphabet)
{
    std::uniform_int_distribution<int> kind(0, 5);
    const int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits && !data.empty(); ++e) {
        const std::size_t at = rng() % data.size();
        switch (kind(rng)) {
        case 0:
            data[at] = static_cast<typename Mutable::value_type>(alphabet[rng() % alphabet.size()]);
            break;
        case 1:
            data.erase(data.begin() + static_cast<long>(at));
            break;
        case 2:
            data.insert(data.begin() + static_cast<long>(at),
                        static_cast<typename Mutable::value_type>(alphabet[rng() % alphabet.size()]));
            break;
        case 3:
            data.resize(at);
            break;
        case 4: {
            const std::size_t len = std::min<std::size_t>(data.size() - at, 1 + rng() % 64);
            std::fill(data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(at + len),
                      static_cast<typename Mutable::value_type>(alphabet[rng() % alphabet.size()]));
            break;
        }
        default:
            data[at] = static_cast<typename Mutable::value_type>(data[at] ^ (1u << (rng() % 8)));
            break;
        }
    }
}

}  // namespace

TEST(Robustness, DecoderSurvivesMutatedTransfers)
{
    const std::string base = BytesToTransferText(SampleTransfer());
    const std::string alphabet = "0123456789ABCDEFabcdefGZ \n\t-+xEECCFF\xFF";
    std::mt19937 rng(12345);
    for (int round = 0; round < kRounds; ++round) {
        std::string text = base;
        Mutate(text, rng, alphabet);
        TestDataStore s;
        DecodeTransfer(text, s);
        ASSERT_GE(s.nK30Count, 0);
        ASSERT_GE(s.nEv2Count, 0);
        ASSERT_EQ(static_cast<std::size_t>(s.nK30Count), s.k30List.size()) << text;
    }
}

TEST(Robustness, ProjectReaderSurvivesMutatedFiles)
{
    std::vector<K30> points(3);
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i].name = "点" + std::to_string(i);
        points[i].k30Value = std::string(i * 150, 'k');
        points[i].reading[3] = {100.0f, 50.0f};
    }
    ReportHeader header;
    header.Client = "委托单位";
    header.ProjectName = std::string(300, 'p');
    header.Reviewer = "😀";
    const auto base = WriteProject(7, {&points[0], &points[1], &points[2]}, header);
    std::string alphabet;
    for (int b : {0x00, 0x01, 0x7F, 0x80, 0xB5, 0xFE, 0xFF, 0xFF, 0xFF})
        alphabet += static_cast<char>(b);
    std::mt19937 rng(54321);
    for (int round = 0; round < kRounds; ++round) {
        auto bytes = base;
        Mutate(bytes, rng, alphabet);
        const auto r = ReadProject(bytes);
        if (r.ok) {
            ASSERT_LE(r.data.points.size(), bytes.size());
        } else {
            ASSERT_FALSE(r.error.empty());
        }
    }
}
