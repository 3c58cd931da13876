#include <iostream>

#include "Commands.h"
#include "K30Evaluation.h"
#include "Texts.h"

#include <nlohmann/json.hpp>

namespace k30::cli {

namespace {

bool SplitBoxes(const std::string& list, std::vector<std::string>& items)
{
    items = SplitAtCommas(list);
    return items.size() <= static_cast<std::size_t>(kUsedPairs);
}

}  // namespace

namespace {

void AddComputeCommand(CLI::App& app, GlobalOptions& global, Action& action)
{
    struct Options {
        std::string stress;
        std::string settlement;
    };
    auto opts = std::make_shared<Options>();
    CLI::App* sub = app.add_subcommand(
        "compute", "Compute the stress at 1.25 mm and K30 from typed readings, as the test data page does.\n"
                   "Prints {\"stress125\", \"k30Value\"}; exit 1 when no settlement passes 1.25 mm.");
    sub->add_option("--stress", opts->stress, "Up to 16 stresses in MPa, comma-separated (zero row first)")
        ->required();
    sub->add_option("--settlement", opts->settlement, "Up to 16 settlements in mm, comma-separated")->required();
    AddLanguageOption(sub, global);
    sub->callback([opts, &global, &action] {
        action = [opts, &global] {
            std::vector<std::string> stress, settlement;
            if (!SplitBoxes(opts->stress, stress) || !SplitBoxes(opts->settlement, settlement)) {
                std::cerr << "k30 compute: at most " << kUsedPairs << " values each\n";
                return 2;
            }
            std::array<ReadingPair, kReadingPairs> reading{};
            for (std::size_t i = 0; i < stress.size(); ++i)
                reading[i].stress = StressFromText(stress[i]);
            for (std::size_t i = 0; i < settlement.size(); ++i)
                reading[i].settlement = SettlementFromText(settlement[i]);
            const auto result = ComputeK30(reading);
            if (!result) {
                std::cerr << texts::kReenterData.in(global.Resolve()) << "\n";
                return 1;
            }
            std::cout << nlohmann::json{{"stress125", result->stress125Text}, {"k30Value", result->k30Text}}.dump()
                      << "\n";
            return 0;
        };
    });
}

const bool registered = RegisterCommand(30, AddComputeCommand);

}  // namespace

}  // namespace k30::cli
