#pragma once

#include "Texts.h"

// Texts of the main window: menus, titles, questions and messages.
namespace k30::texts {

// Progress of long reports
inline constexpr Text kWritingPdf{"正在生成PDF…", "Writing the PDF…"};
inline constexpr Text kPrinting{"正在打印…", "Printing…"};

// Menus
inline constexpr Text kMenuFile{"文件(&F)", "File(&F)"};
inline constexpr Text kMenuOpen{"打开", "Open"};
inline constexpr Text kMenuArchivedTransfers{"已存档的传送…", "Archived transfers…"};
inline constexpr Text kMenuSaveAs{"另存为", "Save As"};
inline constexpr Text kMenuSaveRaw{"保存原始数据", "Save raw data"};
inline constexpr Text kMenuSaveProject{"保存工程文件", "Save project file"};
inline constexpr Text kMenuPrint{"打印(&P)", "Print(&P)"};
inline constexpr Text kMenuPrintPreview{"打印预览(&V)", "Print Preview(&V)"};
inline constexpr Text kMenuData{"数据", "Data"};
inline constexpr Text kMenuTestPoint{"测试点", "Test Point"};
inline constexpr Text kMenuManualInput{"手工输入数据", "Manual data entry"};
inline constexpr Text kMenuQuit{"退出(&X)", "Quit(&X)"};
inline constexpr Text kMenuView{"查看(&V)", "View(&V)"};
inline constexpr Text kMenuToolBar{"工具栏(&T)", "Tool Bar(&T)"};
inline constexpr Text kMenuStatusBar{"状态栏(&S)", "Status Bar(&S)"};
inline constexpr Text kMenuWord{"保存word文档", "Save Word"};
inline constexpr Text kMenuLanguages{"语言", "Languages"};
inline constexpr Text kMenuChinese{"中文", "Chinese"};
inline constexpr Text kMenuEnglish{"英文", "English"};
inline constexpr Text kMenuHelp{"帮助(&H)", "Help(&H)"};
inline constexpr Text kMenuAbout{"关于(&A)...", "About(&A)..."};
inline constexpr Text kMenuUserManual{"使用帮助", "User Manual"};

// Tabs
inline constexpr Text kTabList{"列表", "List"};
inline constexpr Text kTabRead{"读取信息", "Read Data"};
inline constexpr Text kTabHeader{"报告表头", "Report Header"};
inline constexpr Text kTabTest{"测试数据", "Test Data"};

// Titles
inline constexpr Text kTitlePrefix{"Velmora地基系数测试分析软件-", "Quindle-"};
inline constexpr Text kTitleNewData{"Velmora地基系数测试分析软件-新接收数据", "Quindle-New Received Data"};
inline constexpr Text kTitleManual{"Velmora地基系数测试分析软件-手工输入数据", "Quindle-Manual Input Data"};
inline constexpr Text kTitleSavedMark{" 已保存", " Saved"};
inline constexpr Text kTitleSavedRaw{" 已保存为原始文件", " Saved as original file"};
inline constexpr Text kTitleSavedProject{" 已保存为工程文件", " Saved as project file"};

// File commands
inline constexpr Text kNotSavedQuestion{"当前原始数据尚未保存，是否保存", "Data is not saved. Do you need to save it?"};
inline constexpr Text kOpenTitle{"打开文件", "Open file"};
inline constexpr Text kOpenFilterRaw{"原始文件 (*.ORG)", "Original Files (*.ORG)"};
inline constexpr Text kOpenFilterProject{"工程文件(*.K30)", "Project Files(*.K30)"};
inline constexpr Text kSaveRawTitle{"保存原始文件", "Save the original file"};
inline constexpr Text kSaveProjectTitle{"保存工程文件", "Save the project file"};
inline constexpr Text kUnknownFileKind{"只能打开扩展名为 .ORG（原始文件）或 .K30（工程文件）的文件。",
                                       "Only files ending in .ORG (raw file) or .K30 (project file) can be opened."};
// %1: the full path.
inline constexpr Text kReplaceQuestion{"%1 已存在，是否替换？", "%1 already exists. Replace it?"};
inline constexpr Text kCannotOpen{"无法打开文件", "Cannot open the file"};
inline constexpr Text kCannotSave{"无法保存文件", "Cannot save the file"};
inline constexpr Text kDamagedProject{"工程文件已损坏，无法读取。", "The project file is damaged and cannot be read."};
inline constexpr Text kFileTooLarge{"文件太大，不是本程序的数据文件。",
                                    "The file is too large to be a workbench data file."};

// Close
inline constexpr Text kCloseQuestion{"当前数据尚未保存，是否保存", "Whether to save the current data"};
inline constexpr Text kReceivingQuestion{"正在接收的数据尚未确认，关闭窗口将丢失这些数据。是否仍要关闭？",
                                         "Data being received have not been accepted yet and are lost if the window "
                                         "closes. Close anyway?"};
// %1: why the archive copy failed.
inline constexpr Text kReceivingNotArchived{
    "尚未确认的数据无法存入传送存档：\n%1\n关闭窗口将丢失这些数据。是否仍要关闭？",
    "The data not yet accepted could not be written to the transfer archive:\n%1\nThey are lost if the window "
    "closes. Close anyway?"};

// Rename
inline constexpr Text kSelectData{"请选择要分析的数据", "Please select the data to be analyzed"};

// About
inline constexpr Text kAboutTitle{"关于", "About"};
inline constexpr Text kAboutLine1{"Velmora地基系数测试分析软件 1.0 版", "Quindle 1.0"};
inline constexpr Text kAboutLine2{"", " "};

// User manual
inline constexpr Text kNoManual{"找不到使用帮助文件。", "The user manual cannot be found."};
inline constexpr Text kCannotShowManual{"无法打开使用帮助：没有可以显示它的程序。",
                                        "The user manual cannot be shown: no program to show it was found."};

// Status bar
inline constexpr Text kReady{"就绪", "Ready"};

}  // namespace k30::texts
