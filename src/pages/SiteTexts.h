#pragma once

#include "LotReportTexts.h"
#include "Texts.h"

// Texts of the site page, its dialogs and the site database commands.
namespace k30::site_texts {

inline constexpr Text kTabCaption{"工地", "Site"};

// Columns of the point table
inline constexpr Text kColKind{"类型", "Kind"};
inline constexpr Text kColName{"测点", "Point"};
inline constexpr Text kColDate{"日期", "Date"};
inline constexpr Text kColChainage{"里程", "Chainage"};
inline constexpr Text kColOffset{"偏距", "Offset"};
inline constexpr Text kColLayer{"层位", "Layer"};
inline constexpr Text kColLot{"检验批", "Lot"};
inline constexpr Text kColValue{"K30 / Ev2", "K30 / Ev2"};
inline constexpr Text kColRatio{"Ev2/Ev1", "Ev2/Ev1"};
inline constexpr Text kColVerdict{"判定", "Verdict"};
inline constexpr Text kColRemark{"备注", "Remark"};
inline constexpr Text kColTransfer{"来源", "Transfer"};

// Filters
inline constexpr Text kFilterFrom{"日期从", "Date from"};
inline constexpr Text kFilterTo{"至", "to"};
inline constexpr Text kFilterKind{"类型", "Kind"};
inline constexpr Text kFilterLayer{"层位", "Layer"};
inline constexpr Text kFilterLot{"检验批", "Lot"};
inline constexpr Text kFilterChainage{"里程从", "Chainage from"};
inline constexpr Text kFilterVerdict{"判定", "Verdict"};
inline constexpr Text kFilterText{"查找", "Search"};
inline constexpr Text kAny{"全部", "All"};
inline constexpr Text kClearFilter{"清除条件", "Clear filter"};
inline constexpr Text kBadChainage{"里程“%1”无法识别：%2", "The chainage \"%1\" cannot be read: %2"};

// Editing the selection
inline constexpr Text kEditField{"修改选中测点的", "Set for the selected points:"};
inline constexpr Text kApply{"应用", "Apply"};
inline constexpr Text kUndo{"撤销修改", "Undo edit"};
inline constexpr Text kUndoEdit{"修改%1个测点", "edit of %1 points"};
inline constexpr Text kNothingSelected{"请先选择测点。", "Select the points first."};
inline constexpr Text kEditFailed{"修改未能保存：", "The edit was not saved: "};

// Buttons
inline constexpr Text kOpenPoint{"打开测点", "Open point"};
inline constexpr Text kLotReportPdf{"检验批报告PDF…", "Lot report PDF…"};
inline constexpr Text kLotReportPrint{"打印检验批报告…", "Print lot report…"};
inline constexpr Text kExportSelection{"导出选中测点…", "Export selection…"};
inline constexpr Text kStatsFailed{"统计未能读取：", "The statistics could not be read: "};
inline constexpr Text kShown{"显示 %1 个测点，共 %2 个", "%1 of %2 points shown"};

// The database
inline constexpr Text kNoDatabase{"工地数据库未打开：%1", "The site database is not open: %1"};
inline constexpr Text kDamagedDatabase{"工地数据库文件已损坏或不是工地数据库，未作任何改动：\n%1\n\n%2\n\n仍可照常处理文件；可在“工地数据库…”中另选数据库，或从存档重建。",
                                       "The site database is damaged or is no site database; it was left as it is:\n%1\n\n%2\n\n"
                                       "The workbench still works on files. Choose another database in \"Site database…\" or rebuild it from the archive."};
inline constexpr Text kNewerDatabase{"工地数据库由更新版本的程序写入，本程序不能使用，未作任何改动：\n%1\n\n仍可照常处理文件。",
                                     "The site database was written by a newer version of the program and cannot be used here; "
                                     "it was left as it is:\n%1\n\nThe workbench still works on files."};
inline constexpr Text kSetAsideQuestion{"是否将该文件改名移到一旁（不删除），新建工地数据库并从传输存档重建？",
                                       "Move this file aside under a new name (nothing is deleted), start a new site database "
                                       "and rebuild it from the transfer archive?"};
inline constexpr Text kSetAsideFailed{"无法移开数据库文件：", "The database file could not be moved aside: "};
inline constexpr Text kUnreachableDatabase{"无法连接工地数据库：\n%1\n\n%2\n\n仍可照常处理文件。",
                                           "The site database cannot be reached:\n%1\n\n%2\n\nThe workbench still works on files."};
inline constexpr Text kBadAddress{"数据库地址无效：%1", "The database address is not valid: %1"};
inline constexpr Text kNotInDatabase{"该测点已不在数据库中。", "The point is no longer in the database."};
inline constexpr Text kSourceUnreadable{"测点来源无法读取：", "The source of the point cannot be read: "};

// Menus
inline constexpr Text kMenuSiteDatabase{"工地数据库", "Site database"};
inline constexpr Text kMenuDatabaseSetting{"工地数据库…", "Site database…"};
inline constexpr Text kMenuImport{"导入工地数据库…", "Import into site database…"};
inline constexpr Text kMenuRebuild{"从存档重建", "Rebuild from the archive"};

// Address dialog
inline constexpr Text kAddressTitle{"工地数据库", "Site database"};
inline constexpr Text kAddressLabel{"数据库地址（sqlite:文件 或 postgresql://用户@主机:端口/库名）",
                                    "Database address (sqlite:FILE or postgresql://user@host:port/name)"};
inline constexpr Text kAddressDefault{"默认", "Default"};

// Import and rebuild
inline constexpr Text kImportTitle{"导入工地数据库", "Import into site database"};
inline constexpr Text kImportFilter{"原始数据和工程文件 (*.ORG *.K30)", "Raw data and project files (*.ORG *.K30)"};
inline constexpr Text kImporting{"正在导入 %1 / %2 …", "Importing %1 of %2…"};
inline constexpr Text kImportDone{"新增 %1 个传输和 %2 个测点，%3 个传输已在数据库中。",
                                  "%1 transfers and %2 points added; %3 transfers were already there."};
inline constexpr Text kImportErrors{"以下文件未能导入：", "These files could not be imported:"};
inline constexpr Text kImportStopped{"导入已取消；已导入的文件保留在数据库中。",
                                     "The import was cancelled; the files imported so far stay in the database."};
inline constexpr Text kRebuildQuestion{"从传输存档重建工地数据库？\n测点上填写的里程、层位、检验批和备注将保留。",
                                       "Rebuild the site database from the transfer archive?\n"
                                       "Chainages, layers, lots and remarks typed for the points are kept."};
inline constexpr Text kRebuildFailed{"重建失败，数据库保持原样：", "The rebuild failed; the database is as it was: "};
inline constexpr Text kFirstImportQuestion{"工地数据库是空的。是否在后台导入传输存档中的 %1 个文件？",
                                           "The site database is empty. Import the %1 files of the transfer archive in the background?"};
inline constexpr Text kArchiveImportFailed{"接收的数据已存档，但未能加入工地数据库：%1",
                                           "The transfer was archived but not added to the site database: %1"};

}  // namespace k30::site_texts
