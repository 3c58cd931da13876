#pragma once

#include "Language.h"

// Texts of the K30 reports and of the commands that print and export them.
namespace k30::report_texts {

// Point report and point bitmap.
inline constexpr Text kPointTitle{"地基系数检测报告", "Detection Report of Foundation Coefficient"};
inline constexpr Text kBitmapTitle{"地基系数检测报告位图", "Detection Report of Foundation Coefficient"};
inline constexpr Text kClient{"委托单位:", "Client:"};
inline constexpr Text kElevation{"标    高:", "Elevation:"};
inline constexpr Text kProjectName{"工程名称:", "Project Name:"};
inline constexpr Text kPointLocation{"测点位置:", "Measure Point Location:"};
inline constexpr Text kSubgradeMileage{"路基里程:", "Subgrade Mileage:"};
inline constexpr Text kFillLayer{"填土层次:", "Filling Layer:"};
inline constexpr Text kReportNumber{"报告编号:", "Report Number:"};
inline constexpr Text kFillerName{"填料名称:", "Filler Name:"};
inline constexpr Text kTestNumber{"试验编号:", "Test Number:"};
inline constexpr Text kRequiredCoefficient{"要求地基系数值:", "Required Foundation Coefficient:"};
inline constexpr Text kReportDate{"报告日期:", "Report Date:"};
inline constexpr Text kEnvironment{"检测环境:", "Detection Environment:"};
inline constexpr Text kRowIndex{"序号", "No."};
inline constexpr Text kRowStress{"应力", "Stress"};
inline constexpr Text kRowMpa{"(MPa)", "(MPa)"};
inline constexpr Text kRowSettlement{"沉降量", "Settlement"};
inline constexpr Text kRowMm{"(mm)", "(mm)"};
inline constexpr Text kCurveCaption{"P-S曲线", "P-S Curve"};
inline constexpr Text kLegend{"测量曲线", "Measure Curve"};
inline constexpr Text kStress125{"沉降量1.25mm对应的荷载强度(MPa):",
                                 "Load Strength(MPa) Corresponding to 1.25mm Settlement:"};
inline constexpr Text kCoefficient{"地基系数值(MPa/m):", "Foundation Coefficient(MPa/m):"};
inline constexpr Text kConclusion{"检测结论:", "Detection conclusion:"};
inline constexpr Text kTester{"检测人:", "Tester:"};
inline constexpr Text kReviewer{"复核人:", "Reviewer:"};

// List report: its header labels carry a trailing blank.
inline constexpr Text kListClient{"委托单位: ", "Client: "};
inline constexpr Text kListElevation{"标    高: ", "Elevation: "};
inline constexpr Text kListProjectName{"工程名称: ", "Project Name: "};
inline constexpr Text kListPointLocation{"测点位置: ", "Measure Point Location: "};
inline constexpr Text kListSubgradeMileage{"路基里程: ", "Subgrade Mileage: "};
inline constexpr Text kListFillLayer{"填层层次: ", "Filling Layer: "};
inline constexpr Text kListReportNumber{"报告编号: ", "Report Number: "};
inline constexpr Text kListFillerName{"填料名称: ", "Filler Name: "};
inline constexpr Text kListRequiredCoefficient{"要求地基系数值: ", "Required Foundation Coefficient: "};
inline constexpr Text kListReportDate{"报告日期: ", "Report Date: "};
inline constexpr Text kListEnvironment{"检测环境: ", "Detection Environment: "};
inline constexpr Text kListMeasure{"委托单位", "Client"};  // the text whose height spaces the header rows
inline constexpr Text kListTestNumber{"试验编号", "Test Number"};
// Chinese in one line; English in the two lines below, measured as a whole.
inline constexpr Text kListStress{"沉降1.25mm对应荷载强度(MPa)",
                                  "Load Strength(MPa) Corresponding to 1.25mm Settlement"};
inline constexpr const char* kListStressLine1En = "Load Strength(MPa)";
inline constexpr const char* kListStressLine2En = "Corresponding to 1.25mm Settlement";
inline constexpr Text kListCoefficient{"地基系数值(MPa/m)", "Foundation Coefficient(MPa/m)"};
inline constexpr const char* kListCoefficientLine1En = "Foundation ";
inline constexpr const char* kListCoefficientLine2En = "Coefficient(MPa/m)";
inline constexpr Text kListTesterSpaced{"检测人: ", "Tester: "};  // its width spaces the footer
inline constexpr Text kYear{"年", "Year"};
inline constexpr Text kMonth{"月", "Month"};
inline constexpr Text kDay{"日", "Day"};

// Print options dialog.
inline constexpr Text kPrintOptionsTitle{"打印选项", "Print Options"};
inline constexpr Text kPrintTestData{"打印测试数据", "Print test data"};
inline constexpr Text kPrintCurrent{"打印当前数据", "Print current data"};
inline constexpr Text kPrintAll{"打印全部数据", "Print all data"};
inline constexpr Text kPrintList{"打印列表", "Print List"};
inline constexpr Text kOk{"确认", "Ok"};
inline constexpr Text kCancel{"取消", "Cancel"};

// Commands.
inline constexpr Text kSelectPointToPrint{"请选择要打印的测试点", "Please select the test point to print"};
inline constexpr Text kSelectPoint{"请选择测试点", "Please select test points"};
inline constexpr Text kNoPointsToPrint{"没有可打印的测试点", "There are no test points to print"};
inline constexpr Text kBitmapFilter{"位图文件 (*.bmp)", "Bitmap (*.bmp)"};
inline constexpr Text kBitmapDialogTitle{"请选择保存位图的位置", "Storage path of bitmap"};
inline constexpr Text kExportPdf{"导出PDF", "Export PDF"};
inline constexpr Text kPdfFilter{"PDF文件 (*.pdf)", "PDF files (*.pdf)"};
inline constexpr Text kCannotWrite{"无法写入文件", "Cannot write the file"};
inline constexpr Text kPrintPreviewTitle{"打印预览", "Print Preview"};
inline constexpr Text kPrintFailed{"无法打印，请检查打印机", "Printing failed; please check the printer"};

}  // namespace k30::report_texts
