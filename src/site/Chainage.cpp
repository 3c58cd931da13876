#include "Chainage.h"

k30::ChainageParse k30::ParseChainage(std::string_view) { return {}; }
std::string k30::FormatChainage(double, std::string_view) { return {}; }
