#include <iostream>

#include "Commands.h"
#include "Ev2Evaluation.h"
#include "K30Evaluation.h"
#include "Texts.h"

#include <nlohmann/json.hpp>

namespace k30::cli {

namespace {

constexpr Text kNoModulus{"Ev1 和 Ev2 均无结果", "Neither Ev1 nor Ev2 has a result"};
constexpr Text kNotANumber{"不是数字", "is not a number"};

bool SplitBoxes(const std::string& list, std::size_t most, std::vector<std::string>& items)
{
    items = SplitAtCommas(list);
    return items.size() <= most;
}

// The typed readings as the test data page or the Ev2 page reads its boxes;
// missing rows are 0. False, naming every refused text on stderr, when one
// is no number.
template <std::size_t N>
bool ReadBoxes(const std::vector<std::string>& stress, const std::vector<std::string>& settlement,
               std::array<ReadingPair, N>& reading, Language lang)
{
    bool ok = true;
    const auto take = [&](const char* option, const std::vector<std::string>& texts, auto read, float ReadingPair::*member) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (const std::optional<float> v = read(texts[i])) {
                reading[i].*member = *v;
            } else {
                std::cerr << "k30 compute: " << option << " " << i << ": \"" << texts[i] << "\" "
                          << kNotANumber.in(lang) << "\n";
                ok = false;
            }
        }
    };
    take("--stress", stress, [](const std::string& t) { return StressFromText(t); }, &ReadingPair::stress);
    take("--settlement", settlement, [](const std::string& t) { return SettlementFromText(t); },
         &ReadingPair::settlement);
    return ok;
}

int ComputeK30Command(const std::vector<std::string>& stress, const std::vector<std::string>& settlement,
                      Language lang)
{
    std::array<ReadingPair, kReadingPairs> reading{};
    if (!ReadBoxes(stress, settlement, reading, lang))
        return 2;
    const auto result = ComputeK30(reading);
    if (!result) {
        std::cerr << texts::kReenterData.in(lang) << "\n";
        return 1;
    }
    std::cout << nlohmann::json{{"stress125", result->stress125Text}, {"k30Value", result->k30Text}}.dump() << "\n";
    return 0;
}

int ComputeEv2Command(const std::vector<std::string>& stress, const std::vector<std::string>& settlement,
                      Language lang)
{
    std::array<ReadingPair, kEv2Pairs> reading{};
    if (!ReadBoxes(stress, settlement, reading, lang))
        return 2;
    const Ev2Result r = ComputeEv2(reading);
    if (!r.ev1 && !r.ev2) {
        std::cerr << kNoModulus.in(lang) << ": " << texts::kReenterData.in(lang) << "\n";
        return 1;
    }
    std::cout << nlohmann::json{{"sigma0max", r.sigma0maxText}, {"ev1", r.ev1Text}, {"ev2", r.ev2Text},
                                {"ratio", r.ratioText}}
                     .dump()
              << "\n";
    return 0;
}

}  // namespace

namespace {

void AddComputeCommand(CLI::App& app, GlobalOptions& global, Action& action)
{
    struct Options {
        std::string stress;
        std::string settlement;
        bool ev2 = false;
    };
    auto opts = std::make_shared<Options>();
    CLI::App* sub = app.add_subcommand(
        "compute", "Compute the stress at 1.25 mm and K30 from typed readings, as the test data page does.\n"
                   "Prints {\"stress125\", \"k30Value\"}; exit 1 when no settlement passes 1.25 mm, 2 when a\n"
                   "value is not a number (an empty value is 0).\n"
                   "With --ev2: Ev1, Ev2 and Ev2/Ev1 of a two-cycle plate load test (pairs 0-7 first loading,\n"
                   "8-10 unloading, 10-16 second loading); prints {\"sigma0max\", \"ev1\", \"ev2\", \"ratio\"}\n"
                   "(an empty text where there is no result); exit 1 when neither modulus has a result.");
    sub->add_option("--stress", opts->stress,
                    "Up to 16 stresses in MPa, comma-separated (zero row first); 17 with --ev2")
        ->required();
    sub->add_option("--settlement", opts->settlement, "Up to 16 settlements in mm, comma-separated; 17 with --ev2")
        ->required();
    sub->add_flag("--ev2", opts->ev2, "Evaluate an Ev2 test point instead of a K30 point");
    AddLanguageOption(sub, global);
    sub->callback([opts, &global, &action] {
        action = [opts, &global] {
            const std::size_t most = opts->ev2 ? kEv2Pairs : kUsedPairs;
            std::vector<std::string> stress, settlement;
            if (!SplitBoxes(opts->stress, most, stress) || !SplitBoxes(opts->settlement, most, settlement)) {
                std::cerr << "k30 compute: at most " << most << " values each\n";
                return 2;
            }
            const Language lang = global.Resolve();
            return opts->ev2 ? ComputeEv2Command(stress, settlement, lang)
                             : ComputeK30Command(stress, settlement, lang);
        };
    });
}

const bool registered = RegisterCommand(30, AddComputeCommand);

}  // namespace

}  // namespace k30::cli
