#pragma once

#include <array>

#include "Texts.h"

// Texts of the test data page and of its load/settlement chart; the tab's
// caption and the shared captions are in AppTexts.h and Texts.h.
namespace k30::testk30texts {

inline constexpr Text kLoadGroup{"加载", "Load"};
inline constexpr Text kZeroRow{"复位", "Reset"};
inline constexpr Text kK30Label{"地基系数值(Mpa/m)", "Foundation Coefficient(Mpa/m)"};
inline constexpr Text kChooserLabel{"请选择测试序号", "Test Numner"};
inline constexpr Text kTestTypeLabel{"测试类型", "Test Type"};
inline constexpr Text kDesignLoadLabel{"设计荷载(Mpa)", "Design Load(Mpa)"};
inline constexpr const Text& kComputeButton = texts::kComputeCaption;

// Chart.
inline constexpr Text kStressAxisTitle{"荷载强度(MPa)", "Stress(MPa)"};
inline constexpr Text kSettlementAxisTitle{"沉陷值(mm)", "Settlement(mm)"};

inline constexpr std::array kAll{kLoadGroup,     kZeroRow,         kK30Label,       kChooserLabel,
                                 kTestTypeLabel, kDesignLoadLabel, kComputeButton,  kStressAxisTitle,
                                 kSettlementAxisTitle};

}  // namespace k30::testk30texts
