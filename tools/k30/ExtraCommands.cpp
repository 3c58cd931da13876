#include "Commands.h"

namespace k30::cli {

// Commands that need the toolkit (serial reception, reports) register here.
void AddExtraCommands(CLI::App&, GlobalOptions&, Action&) {}

}  // namespace k30::cli
