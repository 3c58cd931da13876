#pragma once

#include <array>

#include "Language.h"

// Texts of the test data page and of its load/settlement chart.
namespace k30::testk30texts {

inline constexpr Text kTabCaption{"测试数据", "Test Data"};

inline constexpr Text kLoadGroup{"加载", "Load"};
inline constexpr Text kStressHeader{"应力", "Stress"};
inline constexpr Text kSettlementHeader{"沉降量", "Settlement"};
inline constexpr Text kZeroRow{"复位", "Reset"};
inline constexpr Text kStress125Label{"沉降1.25mm对应荷载强度(MPa)",
                                      "Load Strength(MPa) Corresponding to 1.25mm Settlement"};
inline constexpr Text kK30Label{"地基系数值(Mpa/m)", "Foundation Coefficient(Mpa/m)"};
inline constexpr Text kChooserLabel{"请选择测试序号", "Test Numner"};
inline constexpr Text kTestTypeLabel{"测试类型", "Test Type"};
inline constexpr Text kDesignLoadLabel{"设计荷载(Mpa)", "Design Load(Mpa)"};
inline constexpr Text kComputeButton{"计算", "Compute"};

// Chart.
inline constexpr Text kStressAxisTitle{"荷载强度(MPa)", "Stress(MPa)"};
inline constexpr Text kSettlementAxisTitle{"沉陷值(mm)", "Settlement(mm)"};
inline constexpr Text kLegend{"测量曲线", "Measure Curve"};

inline constexpr std::array kAll{kTabCaption,     kLoadGroup,       kStressHeader,   kSettlementHeader,
                                 kZeroRow,        kStress125Label,  kK30Label,       kChooserLabel,
                                 kTestTypeLabel,  kDesignLoadLabel, kComputeButton,  kStressAxisTitle,
                                 kSettlementAxisTitle, kLegend};

}  // namespace k30::testk30texts
