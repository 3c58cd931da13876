#pragma once

#include "Language.h"

// Texts used by several parts: the window, its pages and dialogs, the reports,
// the Word report and the command-line tool. Each is defined here only.
namespace k30::texts {

inline constexpr Text kReenterData{"请重新输入数据", "Please re-enter the data"};
inline constexpr Text kAppTitle{"Brenlow", "Brenlow"};
inline constexpr Text kPass{"合格", "Pass"};
inline constexpr Text kFail{"不合格", "Fail"};
inline constexpr Text kNotice{"提示", "Notice"};

// Buttons. Some dialogs say "确定", others "确认"; both are "Ok" in English.
inline constexpr Text kOk{"确定", "Ok"};
inline constexpr Text kConfirm{"确认", "Ok"};
inline constexpr Text kCancel{"取消", "Cancel"};

// Commands whose names are also the titles of their dialogs.
inline constexpr Text kExportPdf{"导出PDF", "Export PDF"};
inline constexpr Text kSaveWordDocument{"保存word文档", "Save Word Document"};
inline constexpr Text kSaveBitmap{"保存位图", "Save Bitmap"};
inline constexpr Text kChangePointName{"更改测试点名称", "Change the name of the test point"};

// Captions of the readings and results, on the test data page, the reports
// and in the Word report.
inline constexpr Text kStress{"应力", "Stress"};
inline constexpr Text kSettlement{"沉降量", "Settlement"};
inline constexpr Text kLegend{"测量曲线", "Measure Curve"};
inline constexpr Text kStress125Caption{"沉降1.25mm对应荷载强度(MPa)",
                                        "Load Strength(MPa) Corresponding to 1.25mm Settlement"};
inline constexpr Text kCoefficientCaption{"地基系数值(MPa/m)", "Foundation Coefficient(MPa/m)"};

// The Ev2 test's quantities and cycles: the Ev2 page, its report and the exports.
inline constexpr Text kEv2Date{"日期", "Date"};
inline constexpr Text kSigma0maxMpa{"σ0max(MPa)", "σ0max (MPa)"};
inline constexpr Text kEv1Mpa{"Ev1(MPa)", "Ev1 (MPa)"};
inline constexpr Text kEv2Mpa{"Ev2(MPa)", "Ev2 (MPa)"};
inline constexpr Text kEv2Ev1{"Ev2/Ev1", "Ev2/Ev1"};
inline constexpr Text kFirstLoading{"第一次加载", "First loading"};
inline constexpr Text kUnloading{"卸载", "Unloading"};
inline constexpr Text kSecondLoading{"第二次加载", "Second loading"};
inline constexpr Text kVerdict{"判定", "Verdict"};

// Captions shared by the list, the pages, the reports and the exports.
inline constexpr Text kTestNumberCaption{"测试号", "Test Number"};
inline constexpr Text kStartTimeCaption{"开始时间", "Start Time"};
inline constexpr Text kEndTimeCaption{"结束时间", "End Time"};
inline constexpr Text kRowNo{"序号", "No."};
inline constexpr Text kComputeCaption{"计算", "Compute"};
inline constexpr Text kCountCaption{"点数", "Count"};
inline constexpr Text kMeanCaption{"平均值", "Mean"};
inline constexpr Text kCvCaption{"变异系数", "CV"};
inline constexpr Text kListSeparator{"；", "; "};

inline constexpr Text kCannotWrite{"无法写入文件", "Cannot write the file"};

}  // namespace k30::texts
