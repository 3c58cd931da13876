#pragma once

#include "Language.h"

// Texts of the core shared by the window and the command-line tool.
namespace k30::texts {

inline constexpr Text kReenterData{"请重新输入数据", "Please re-enter the data"};
inline constexpr Text kAppTitle{"Brenlow", "Brenlow"};
inline constexpr Text kPass{"合格", "Pass"};
inline constexpr Text kFail{"不合格", "Fail"};

}  // namespace k30::texts
