#pragma once

#include "Texts.h"

// Texts of the Word report and of its export command.
namespace k30::wordtexts {

inline constexpr Text kTitle{"                   地基系数检测报告",
                             "          Detection Report of Foundation Coefficient"};

// The header table's labels are those of ReportHeader.h, followed by ":  "
// (client and elevation) or ": "; the results table's headings are the test
// number's label and the shared stress and coefficient captions.

inline constexpr Text kSignOff{"复核:\t\t\t 年\t月\t日\t\t\t\t\t试验:\t\t\t 年\t月\t日",
                               "Reviewer:\t\t Year\tMonth\tDay\t\t\tTester:\t\t Year\tMonth\tDay"};

// The export command.
inline constexpr Text kFileName{"地基系数检测报告.docx", "Foundation Coefficient Report.docx"};
inline constexpr Text kTemplateFileName{"地基系数检测报告.dotx", "Foundation Coefficient Report.dotx"};
inline constexpr Text kNoViewerTitle{"没有可打开文档的程序，请选择保存位置",
                                     "No application can open the document: choose where to save it"};
inline constexpr Text kDocxFilter{"Word文档 (*.docx)", "Word Document (*.docx)"};
inline constexpr Text kCannotWriteTemp{"无法写入临时文件夹", "Cannot write to the temporary folder"};

}  // namespace k30::wordtexts
