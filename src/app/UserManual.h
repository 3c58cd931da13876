#pragma once

#include <QString>

#include "Language.h"

namespace k30 {

// The user manual of the interface language: installed beside the program
// (share/k30workbench/manual) or, when run from the build tree, in docs/manual.
// Empty when it cannot be found.
QString FindUserManual(Language lang);

}  // namespace k30
