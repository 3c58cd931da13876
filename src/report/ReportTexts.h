#pragma once

#include "Ev2ReportTexts.h"
#include "Texts.h"

// Texts of the K30 reports and of the commands that print and export them.
namespace k30::report_texts {

// Point report and point bitmap; the header labels are those of ReportHeader.h
// followed by ":".
inline constexpr Text kPointTitle{"地基系数检测报告", "Detection Report of Foundation Coefficient"};
inline constexpr Text kBitmapTitle{"地基系数检测报告位图", "Detection Report of Foundation Coefficient"};
inline constexpr const Text& kRowIndex = texts::kRowNo;
inline constexpr Text kRowMpa{"(MPa)", "(MPa)"};
inline constexpr Text kRowMm{"(mm)", "(mm)"};
inline constexpr Text kCurveCaption{"P-S曲线", "P-S Curve"};
inline constexpr Text kStress125{"沉降量1.25mm对应的荷载强度(MPa):",
                                 "Load Strength(MPa) Corresponding to 1.25mm Settlement:"};
inline constexpr Text kCoefficient{"地基系数值(MPa/m):", "Foundation Coefficient(MPa/m):"};
inline constexpr Text kConclusion{"检测结论:", "Detection conclusion:"};
// Axis names of the printed charts, with their units.
inline constexpr const Text& kStressAxisName = ev2_report_texts::kStressAxis;
inline constexpr const Text& kSettlementAxisName = ev2_report_texts::kSettlementAxis;

// List report; its header labels are those of ReportHeader.h followed by ": ".
// The list spells the fill layer its own way in Chinese.
inline constexpr Text kListFillLayer{"填层层次", "Filling Layer"};
// The stress and coefficient captions: Chinese in one line; English in the
// two lines below, measured as a whole.
inline constexpr const char* kListStressLine1En = "Load Strength(MPa)";
inline constexpr const char* kListStressLine2En = "Corresponding to 1.25mm Settlement";
inline constexpr const char* kListCoefficientLine1En = "Foundation ";
inline constexpr const char* kListCoefficientLine2En = "Coefficient(MPa/m)";
inline constexpr Text kYear{"年", "Year"};
inline constexpr Text kMonth{"月", "Month"};
inline constexpr Text kDay{"日", "Day"};

// Print options dialog.
inline constexpr Text kPrintOptionsTitle{"打印选项", "Print Options"};
inline constexpr Text kPrintTestData{"打印测试数据", "Print test data"};
inline constexpr Text kPrintCurrent{"打印当前数据", "Print current data"};
inline constexpr Text kPrintAll{"打印全部数据", "Print all data"};
inline constexpr Text kPrintList{"打印列表", "Print List"};

// Commands.
inline constexpr Text kSelectPointToPrint{"请选择要打印的测试点", "Please select the test point to print"};
inline constexpr Text kSelectPoint{"请选择测试点", "Please select test points"};
inline constexpr Text kNoPointsToPrint{"没有可打印的测试点", "There are no test points to print"};
inline constexpr Text kBitmapFilter{"位图文件 (*.bmp)", "Bitmap (*.bmp)"};
inline constexpr Text kBitmapDialogTitle{"请选择保存位图的位置", "Storage path of bitmap"};
inline constexpr Text kPdfFilter{"PDF文件 (*.pdf)", "PDF files (*.pdf)"};
inline constexpr Text kPrintPreviewTitle{"打印预览", "Print Preview"};
inline constexpr Text kPrintFailed{"无法打印，请检查打印机", "Printing failed; please check the printer"};

}  // namespace k30::report_texts
