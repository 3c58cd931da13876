#pragma once

#include "Language.h"

// Texts of File › Export.
namespace k30::texts {

inline constexpr Text kMenuExport{"导出…", "Export…"};
inline constexpr Text kExportTitle{"导出数据", "Export data"};
inline constexpr Text kExportFilterXlsx{"Excel 工作簿 (*.xlsx)", "Excel workbook (*.xlsx)"};
inline constexpr Text kExportFilterCsv{"CSV 文件 (*.csv)", "CSV file (*.csv)"};
inline constexpr Text kExportFilterAgs{"AGS4 文件 (*.ags)", "AGS4 file (*.ags)"};
inline constexpr Text kExportNothing{"没有可导出的测试点。", "There are no test points to export."};
inline constexpr Text kExportUnknownKind{"只能导出为扩展名为 .csv、.xlsx 或 .ags 的文件。",
                                         "Only files ending in .csv, .xlsx or .ags can be exported."};
inline constexpr Text kExporting{"正在导出…", "Exporting…"};
inline constexpr Text kExportFailed{"无法导出文件", "Cannot export the file"};
inline constexpr Text kExportReplaceEv2{"Ev2测试点写入另一个文件，该文件已存在，是否替换？\n",
                                        "The Ev2 points go to a second file, which exists. Replace it?\n"};

}  // namespace k30::texts
