#include "CommandTable.h"

#include "AppTexts.h"
#include "DataExportTexts.h"
#include "Ev2PageTexts.h"
#include "WorkbenchTexts.h"
#include "SiteTexts.h"

namespace k30 {

namespace {

MenuItem Cmd(const Text& text, CommandId id) { return MenuItem{MenuItem::Kind::Command, &text, id, {}}; }
MenuItem Sub(const Text& text, std::vector<MenuItem> children)
{
    return MenuItem{MenuItem::Kind::Submenu, &text, CommandId::Open, std::move(children)};
}
MenuItem Sep() { return MenuItem{MenuItem::Kind::Separator, nullptr, CommandId::Open, {}}; }

}  // namespace

const std::vector<MenuItem>& MenuTable()
{
    using namespace texts;
    static const std::vector<MenuItem> table{
        Sub(kMenuFile,
            {Cmd(kMenuOpen, CommandId::Open), Cmd(kMenuRecentFiles, CommandId::RecentFiles),
             Cmd(kMenuArchivedTransfers, CommandId::ArchivedTransfers),
             Cmd(site_texts::kMenuDatabaseSetting, CommandId::SiteDatabase),
             Cmd(site_texts::kMenuImport, CommandId::SiteImport),
             Sub(site_texts::kMenuSiteDatabase, {Cmd(site_texts::kMenuRebuild, CommandId::SiteRebuild)}),
             Sub(kMenuSaveAs, {Cmd(kMenuSaveRaw, CommandId::SaveRaw), Cmd(kMenuSaveProject, CommandId::SaveProject)}),
             Sep(), Cmd(kMenuPrint, CommandId::Print), Cmd(kMenuPrintPreview, CommandId::PrintPreview),
             Cmd(kExportPdf, CommandId::ExportPdf), Cmd(kMenuExport, CommandId::Export), Sep(),
             Sub(kMenuData, {Sub(kChangePointName, {Cmd(kMenuTestPoint, CommandId::RenamePoints)}),
                             Cmd(kMenuManualInput, CommandId::ManualInput),
                             Cmd(ev2_texts::kMenuManualInputEv2, CommandId::ManualInputEv2)}),
             Cmd(kMenuQuit, CommandId::Quit)}),
        Sub(kMenuEdit, {Cmd(kMenuUndo, CommandId::Undo), Cmd(kMenuRedo, CommandId::Redo), Sep(),
                        Cmd(kMenuFindPoint, CommandId::FindPoint), Cmd(kMenuNextPoint, CommandId::NextPoint),
                        Cmd(kMenuPreviousPoint, CommandId::PreviousPoint)}),
        Sub(kMenuView, {Cmd(kMenuToolBar, CommandId::ToolBar), Cmd(kMenuStatusBar, CommandId::StatusBar), Sep(),
                        Cmd(kMenuNextPage, CommandId::NextPage), Cmd(kMenuPreviousPage, CommandId::PreviousPage),
                        Cmd(kMenuPages, CommandId::Pages)}),
        Sub(kMenuWord, {Cmd(kSaveWordDocument, CommandId::SaveWord)}),
        Sub(kSaveBitmap, {Cmd(kSaveBitmap, CommandId::SaveBitmap)}),
        Sub(kMenuLanguages, {Cmd(kMenuChinese, CommandId::Chinese), Cmd(kMenuEnglish, CommandId::English)}),
        Sub(kMenuHelp, {Cmd(kMenuAbout, CommandId::About), Cmd(kMenuUserManual, CommandId::UserManual)}),
    };
    return table;
}

const std::vector<ToolBarItem>& ToolBarTable()
{
    static const std::vector<ToolBarItem> table{
        {false, CommandId::Open},         {false, CommandId::SaveProject}, {true, CommandId::Open},
        {false, CommandId::Print},        {false, CommandId::PrintPreview}, {true, CommandId::Open},
        {false, CommandId::UserManual},
    };
    return table;
}

}  // namespace k30
