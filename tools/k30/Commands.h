#pragma once

#include <functional>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "Language.h"

namespace k30::cli {

// Options shared by every command.
struct GlobalOptions {
    std::string lang;  // "zh", "en" or empty: Config.cfg decides

    Language Resolve() const;
};

// Each command adds its subcommand and sets the action to run after parsing;
// the action returns the process exit code.
using Action = std::function<int()>;

void AddShowCommand(CLI::App& app, GlobalOptions& global, Action& action);
void AddConvertCommand(CLI::App& app, GlobalOptions& global, Action& action);
void AddComputeCommand(CLI::App& app, GlobalOptions& global, Action& action);
void AddExtraCommands(CLI::App& app, GlobalOptions& global, Action& action);

// Adds "--lang zh|en" to a subcommand.
void AddLanguageOption(CLI::App* sub, GlobalOptions& global);

}  // namespace k30::cli
