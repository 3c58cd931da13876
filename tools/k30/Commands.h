#pragma once

#include <functional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "Language.h"

namespace k30::cli {

// Options shared by every command.
struct GlobalOptions {
    std::string lang;  // "zh", "en" or empty: the workbench's setting decides

    Language Resolve() const;
};

// A command adds its subcommand to the tool and, when chosen, sets the action
// to run after parsing; the action returns the process exit code.
using Action = std::function<int()>;
using CommandAdder = void (*)(CLI::App& app, GlobalOptions& global, Action& action);

// Each command file registers itself with a static object:
//   static const bool registered = RegisterCommand(30, AddShowCommand);
// The order decides where the command stands in --help.
bool RegisterCommand(int order, CommandAdder adder);

// Items between commas, by position: "a,,b" is a, an empty item, b; "" is none.
std::vector<std::string> SplitAtCommas(const std::string& list);

// Adds "--lang zh|en" to a subcommand.
void AddLanguageOption(CLI::App* sub, GlobalOptions& global);

}  // namespace k30::cli
