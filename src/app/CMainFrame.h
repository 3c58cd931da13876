#pragma once

#include <QMainWindow>

#include <map>
#include <memory>
#include <vector>

#include "CommandTable.h"
#include "Language.h"
#include "ReportHeader.h"

class QAction;
class QLabel;
class QMenu;
class QUndoStack;

namespace k30 {

class CHeadk30;
class CListData;
class CPropSheet;
class CReadData;
class CSitePage;
class SiteCommands;
class CTestEv2;
class CTestK30;
class FileCommands;
class BoxEditRecorder;
class Prompt;
class RecentFiles;
class ReportCommands;
class StatusFeedback;
class TestDataStore;
struct Text;

struct WindowOptions {
    QStringList extraPorts;  // serial devices named on the command line
    int quietMs = 0;         // 0: the read page's default quiet window
};

// The main window: menus, toolbar, status bar and the sheet with the four
// pages. It runs the commands that span pages; the pages ask it for what
// lies beyond them (a save, the title, the save-raw-data state) by signals.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(TestDataStore& store, Prompt& prompt, const WindowOptions& options = {}, QWidget* parent = nullptr);
    ~CMainFrame() override;

    TestDataStore& Store() { return store_; }
    Prompt& GetPrompt() { return prompt_; }
    QAction* Action(CommandId id) const;
    CPropSheet* Sheet() const { return sheet_; }
    CListData* ListPage() const { return listPage_; }
    CReadData* ReadPage() const { return readPage_; }
    CHeadk30* HeaderPage() const { return headerPage_; }
    CTestK30* TestPage() const { return testPage_; }
    CTestEv2* Ev2Page() const { return ev2Page_; }
    CSitePage* SitePage() const { return sitePage_; }
    SiteCommands& Site() { return *site_; }
    FileCommands& Files() { return *files_; }
    StatusFeedback& Feedback() { return *feedback_; }
    QUndoStack& UndoStack() { return *undoStack_; }
    QMenu* RecentFilesMenu() const { return recentMenu_; }

    // Commands
    void OnFileOpen();
    void OnArchivedTransfers();
    bool OpenFile(const QString& path);  // as Open does once a file is chosen
    void OnSaveRaw();
    bool OnSaveProject();  // true when a project file was written
    void OnManualInput();
    void OnManualInputEv2();
    void OnRenamePoints();
    void SwitchLanguage(Language lang);
    void OnPrint();
    void OnPrintPreview();
    void OnExportPdf();
    void OnSaveBitmap();
    void OnSaveWord();
    void OnExport();
    void OnAbout();
    void OnUserManual();
    // Opens a file of the recent files menu; one that is gone leaves the menu with a word.
    void OnOpenRecent(const QString& path);
    void OnFindPoint();
    // The next or previous point: a row of the list on the list page, else
    // the test data page's point.
    void StepPoint(int delta);
    void ShowPage(int index);  // by tab index, over however many pages there are
    void OnUndo();
    void OnRedo();

    // The question of every command that replaces work no file holds; false
    // when the command must stop.
    bool AskToSaveFirst();
    // Saves what the document says is in no file: Ev2 points raw, K30
    // points and the header as a project. True when nothing is left unsaved.
    bool SaveWork();

    // Replaces WM_SETSAVERAWSTATE: enables or greys "Save raw data".
    void SetSaveRawState(bool enabled);
    // Replaces WM_NEWDATA: the new-data title.
    void OnNewData();

    void SetTitleText(const Text& title);
    // After a save: cuts the saved mark of the current language and what
    // follows it, then appends the suffix and the path.
    void Retitle(const Text& suffix, const QString& path);

    // The header as the report header page shows it (replaces WM_HEADERSYNC 1).
    ReportHeader CurrentHeader();

    // Refreshes the active page after the list changed (open, rename);
    // fileData: the points came from a file, not typed.
    void RefreshActivePage(bool fileData);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void BuildMenus();
    void BuildToolBar();
    void OnTabChanged(int index);
    void RetranslateStatusBar();
    void FillRecentMenu();
    void FillPagesMenu();
    void WatchForUndo();

    TestDataStore& store_;
    Prompt& prompt_;
    CPropSheet* sheet_;
    CListData* listPage_;
    CReadData* readPage_;
    CHeadk30* headerPage_;
    CTestK30* testPage_;
    CTestEv2* ev2Page_;
    CSitePage* sitePage_;
    QLabel* statusText_;
    std::map<CommandId, QAction*> actions_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<ReportCommands> reports_;
    StatusFeedback* feedback_ = nullptr;
    std::unique_ptr<RecentFiles> recent_;
    QMenu* recentMenu_ = nullptr;
    QMenu* pagesMenu_ = nullptr;
    std::vector<QAction*> pageActions_;
    QUndoStack* undoStack_ = nullptr;
    std::unique_ptr<SiteCommands> site_;
};

}  // namespace k30
