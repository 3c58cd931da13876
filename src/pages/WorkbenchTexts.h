#pragma once

#include "Texts.h"

// Texts of the window's conveniences: recent files, dropped files, the status
// bar's feedback, the page and point commands, undo.
namespace k30::texts {

// Menus
inline constexpr Text kMenuRecentFiles{"最近的文件", "Recent files"};
inline constexpr Text kMenuEdit{"编辑(&E)", "Edit(&E)"};
inline constexpr Text kMenuUndo{"撤销", "Undo"};
inline constexpr Text kMenuRedo{"重做", "Redo"};
inline constexpr Text kMenuFindPoint{"查找测试点…", "Find a test point…"};
inline constexpr Text kMenuNextPoint{"下一个测试点", "Next test point"};
inline constexpr Text kMenuPreviousPoint{"上一个测试点", "Previous test point"};
inline constexpr Text kMenuPages{"页面", "Pages"};
inline constexpr Text kMenuNextPage{"下一页", "Next page"};
inline constexpr Text kMenuPreviousPage{"上一页", "Previous page"};
inline constexpr Text kNoRecentFiles{"（无）", "(none)"};

// Open: the first filter holds both kinds.
inline constexpr Text kOpenFilterBoth{"数据文件 (*.ORG *.K30)", "Data files (*.ORG *.K30)"};

// %1: the full path.
inline constexpr Text kRecentFileMissing{"文件 %1 已不存在，已从最近的文件中删除。",
                                         "%1 no longer exists; it has been removed from the recent files."};
inline constexpr Text kDropNothingToOpen{"拖放的文件中没有 .ORG 或 .K30 文件。",
                                         "None of the dropped files is an .ORG or .K30 file."};

// Status bar. %1: a full path.
inline constexpr Text kStatusOpened{"已打开 %1", "Opened %1"};
inline constexpr Text kStatusSaved{"已保存到 %1", "Saved to %1"};
inline constexpr Text kStatusExported{"已导出到 %1", "Exported to %1"};
// %1: K30 points, %2: Ev2 points.
inline constexpr Text kStatusAccepted{"已接收 %1 个K30测试点和 %2 个Ev2测试点",
                                      "Accepted %1 K30 points and %2 Ev2 points"};
inline constexpr Text kStatusSeparator{"；", "; "};
inline constexpr Text kStatusArchived{"传送已存档为 %1", "Transfer archived as %1"};
// The permanent field. %1: the file's name or the data's origin, %2 K30 points, %3 Ev2 points.
inline constexpr Text kStatusField{"%1 · K30测试点：%2 · Ev2测试点：%3", "%1 · K30: %2 · Ev2: %3"};
inline constexpr Text kStatusNoFile{"无文件", "No file"};
inline constexpr Text kStatusNewData{"新接收数据", "New received data"};
inline constexpr Text kStatusManual{"手工输入数据", "Manual input data"};
inline constexpr Text kStatusUndone{"已撤销：%1", "Undone: %1"};
inline constexpr Text kStatusRedone{"已重做：%1", "Redone: %1"};

// Find a test point
inline constexpr Text kFindPointTitle{"查找测试点", "Find a test point"};
inline constexpr Text kFindPointLabel{"测试点名称", "Test point name"};
inline constexpr Text kPointNotFound{"没有名为 %1 的测试点。", "There is no test point named %1."};

// What undo and redo name.
inline constexpr Text kUndoRename{"更改测试点名称", "Rename test points"};
inline constexpr Text kUndoHeaderEdit{"编辑报告表头", "Edit the report header"};
inline constexpr Text kUndoReadingEdit{"输入读数", "Type a reading"};

}  // namespace k30::texts
