#pragma once

#include <vector>

#include "Language.h"

namespace k30 {

// Command identifiers of the menus and the toolbar.
enum class CommandId {
    Open = 32772,
    SaveRaw = 32773,
    SaveProject = 32779,
    Print = 57607,
    PrintPreview = 57609,
    ExportPdf = 32811,
    RenamePoints = 32800,
    ManualInput = 32781,
    Quit = 57665,
    ToolBar = 59392,
    StatusBar = 59393,
    SaveWord = 32804,
    SaveBitmap = 32801,
    Chinese = 32810,
    English = 32809,
    About = 57664,
    UserManual = 32794,
    ManualInputEv2 = 32812,
    Export = 32813,
    ArchivedTransfers = 32814,
    RecentFiles = 32815,  // carries the submenu of recent files
    Undo = 32816,
    Redo = 32817,
    FindPoint = 32818,
    NextPoint = 32819,
    PreviousPoint = 32820,
    NextPage = 32821,
    PreviousPage = 32822,
    Pages = 32823,  // carries the submenu of pages
    SiteDatabase = 32824,
    SiteImport = 32825,
    SiteRebuild = 32826,
};

// One entry of the menu tree. Both languages' menus are built from this one
// table, so they cannot drift apart.
struct MenuItem {
    enum class Kind { Command, Submenu, Separator };
    Kind kind = Kind::Command;
    const Text* text = nullptr;
    CommandId id = CommandId::Open;
    std::vector<MenuItem> children;
};

// The top-level menus in order: file, edit, view, Word, bitmap, language, help.
const std::vector<MenuItem>& MenuTable();

// The toolbar: commands in order, with a separator where the id is missing.
struct ToolBarItem {
    bool separator = false;
    CommandId id = CommandId::Open;
};
const std::vector<ToolBarItem>& ToolBarTable();

}  // namespace k30
