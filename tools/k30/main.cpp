// k30: the workbench's file formats, decoding and evaluation from the command line.
#include <algorithm>
#include <iostream>
#include <vector>

#include "Commands.h"
#include "UserSettings.h"

namespace k30::cli {

Language GlobalOptions::Resolve() const
{
    if (lang == "zh")
        return Language::Chinese;
    if (lang == "en")
        return Language::English;
    return ReadLanguage(UserLanguageFiles());
}

namespace {
std::vector<std::pair<int, CommandAdder>>& Registry()
{
    static std::vector<std::pair<int, CommandAdder>> commands;
    return commands;
}
}  // namespace

bool RegisterCommand(int order, CommandAdder adder)
{
    Registry().emplace_back(order, adder);
    return true;
}

std::vector<std::string> SplitAtCommas(const std::string& list)
{
    std::vector<std::string> items;
    if (list.empty())
        return items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        items.push_back(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            return items;
        start = comma + 1;
    }
}

void AddLanguageOption(CLI::App* sub, GlobalOptions& global)
{
    sub->add_option("--lang", global.lang, "Language of messages and tables (zh or en); default: ./Config.cfg, else the workbench's own setting")
        ->check(CLI::IsMember({"zh", "en"}));
}

}  // namespace k30::cli

int main(int argc, char** argv)
{
    using namespace k30::cli;
    CLI::App app{"k30: K30 plate load test data from the command line.\n"
                 "Reads raw transfer files (.ORG) and project files (.K30) exactly as the workbench does."};
    app.require_subcommand(1);
    GlobalOptions global;
    Action action;
    auto commands = Registry();
    std::stable_sort(commands.begin(), commands.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [order, add] : commands)
        add(app, global, action);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return 2;
    }
    return action ? action() : 2;
}
