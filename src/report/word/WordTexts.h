#pragma once

#include <array>

#include "Language.h"

// Texts of the Word report and of its export command.
namespace k30::wordtexts {

inline constexpr Text kTitle{"                   地基系数检测报告",
                             "          Detection Report of Foundation Coefficient"};

// Header table, column 1 rows 1 to 6, then column 2 rows 1 to 5.
inline constexpr Text kClient{"委托单位:  ", "Client:  "};
inline constexpr Text kElevation{"标    高:  ", "Elevation:  "};
inline constexpr Text kProjectName{"工程名称: ", "Project Name: "};
inline constexpr Text kPointLocation{"测点位置: ", "Measure Point Location: "};
inline constexpr Text kSubgradeMileage{"路基里程: ", "Subgrade Mileage: "};
inline constexpr Text kFillLayer{"填土层次: ", "Filling Layer: "};
inline constexpr Text kReportNumber{"报告编号: ", "Report Number: "};
inline constexpr Text kFillerName{"填料名称: ", "Filler Name: "};
inline constexpr Text kRequiredCoefficient{"要求地基系数值: ", "Required Foundation Coefficient: "};
inline constexpr Text kReportDate{"报告日期: ", "Report Date: "};
inline constexpr Text kEnvironment{"检测环境: ", "Detection Environment: "};

// Results table headings, repeated for the second point of each row.
inline constexpr Text kTestNumber{"试验编号", "Test Number"};
inline constexpr Text kStress125{"沉降1.25mm对应荷载强度(MPa)", "Load Strength(MPa) Corresponding to 1.25mm Settlement"};
inline constexpr Text kK30Value{"地基系数值(MPa/m)", "Foundation Coefficient(MPa/m)"};

inline constexpr Text kSignOff{"复核:\t\t\t 年\t月\t日\t\t\t\t\t试验:\t\t\t 年\t月\t日",
                               "Reviewer:\t\t Year\tMonth\tDay\t\t\tTester:\t\t Year\tMonth\tDay"};

// The export command.
inline constexpr Text kFileName{"地基系数检测报告.docx", "Foundation Coefficient Report.docx"};
inline constexpr Text kTemplateFileName{"地基系数检测报告.dotx", "Foundation Coefficient Report.dotx"};
inline constexpr Text kSaveTitle{"保存word文档", "Save Word Document"};
inline constexpr Text kNoViewerTitle{"没有可打开文档的程序，请选择保存位置",
                                     "No application can open the document: choose where to save it"};
inline constexpr Text kDocxFilter{"Word文档 (*.docx)", "Word Document (*.docx)"};
inline constexpr Text kCannotWrite{"无法写入文件", "Cannot write the file"};
inline constexpr Text kCannotWriteTemp{"无法写入临时文件夹", "Cannot write to the temporary folder"};

}  // namespace k30::wordtexts
