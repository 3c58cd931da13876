#include "CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QUrl>

#include <algorithm>
#include <functional>

#include "AcceptanceSettings.h"
#include "AppTexts.h"
#include "CAboutDlg.h"
#include "CArchivedTransfers.h"
#include "CChangeNameK.h"
#include "CFindPoint.h"
#include "CHeadk30.h"
#include "CInputName.h"
#include "CListData.h"
#include "CPropSheet.h"
#include "AcceptanceSettings.h"
#include "CReadData.h"
#include "CSitePage.h"
#include "CTestEv2.h"
#include "Ev2PageTexts.h"
#include "Ev2Transfer.h"
#include "CTestK30.h"
#include "DataExportCommand.h"
#include "FileCommands.h"
#include "FileIO.h"
#include "K30ListModel.h"
#include "Prompt.h"
#include "QtTranslations.h"
#include "RecentFiles.h"
#include "ReportCommands.h"
#include "SaveFirst.h"
#include "SiteCommands.h"
#include "Settings.h"
#include "StatusFeedback.h"
#include "TestDataStore.h"
#include "Texts.h"
#include "UiText.h"
#include "UndoCommands.h"
#include "UserManual.h"
#include "UserSettings.h"
#include "WindowPlacement.h"
#include "WordCommand.h"
#include "WorkbenchTexts.h"

namespace k30 {

namespace {

// The workbench's own icons first, so the toolbar looks the same on every desktop.
QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback)
{
    const QString resource = QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name));
    if (QFile::exists(resource))
        return QIcon(resource);
    return QIcon::fromTheme(QLatin1String(name), QApplication::style()->standardIcon(fallback));
}

void AddMenuItems(QMenu* menu, const std::vector<MenuItem>& items, Language lang,
                  const std::map<CommandId, QAction*>& actions)
{
    for (const MenuItem& item : items) {
        switch (item.kind) {
        case MenuItem::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuItem::Kind::Submenu:
            AddMenuItems(menu->addMenu(Tr(*item.text, lang)), item.children, lang, actions);
            break;
        case MenuItem::Kind::Command: {
            QAction* action = actions.at(item.id);
            action->setText(Tr(*item.text, lang));
            menu->addAction(action);
            break;
        }
        }
    }
}

// The title in another language: each title text of the old language is
// replaced by the new one's, so a file's path (and a saved mark) stays.
QString RetranslatedTitle(QString title, Language from, Language to)
{
    // The longer titles first: they begin with the prefix.
    for (const Text* t : {&texts::kTitleNewData, &texts::kTitleManual, &texts::kTitlePrefix, &texts::kTitleSavedRaw,
                          &texts::kTitleSavedProject}) {
        const QString old = Tr(*t, from);
        if (title.startsWith(old) && t != &texts::kTitleSavedRaw && t != &texts::kTitleSavedProject) {
            title = Tr(*t, to) + title.mid(old.size());
            break;
        }
    }
    for (const Text* t : {&texts::kTitleSavedRaw, &texts::kTitleSavedProject})
        title.replace(Tr(*t, from), Tr(*t, to));
    return title;
}

// Pages laid out in boxes shrink to their least size on a small screen, then
// scroll; pages that scroll themselves (the list, the test data page) go in bare.
QWidget* Scrolled(QWidget* page)
{
    auto* area = new QScrollArea;
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidget(page);
    return area;
}

// The first dropped file of a kind the workbench opens.
QString DroppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && KindOfPath(url.toLocalFile().toStdString()) != FileKind::Unknown)
            return url.toLocalFile();
    }
    return {};
}

}  // namespace

CMainFrame::CMainFrame(TestDataStore& store, Prompt& prompt, const WindowOptions& options, QWidget* parent)
    : QMainWindow(parent), store_(store), prompt_(prompt), sheet_(new CPropSheet(this)),
      listPage_(new CListData(store, sheet_)), readPage_(new CReadData(store, prompt, sheet_)),
      headerPage_(new CHeadk30(store, sheet_)), testPage_(new CTestK30(store, prompt, sheet_)),
      ev2Page_(new CTestEv2(store, prompt, [this] { return CurrentRequirements(CurrentHeader()); }, sheet_)),
      sitePage_(new CSitePage(store, prompt, sheet_)), statusText_(new QLabel(this)), files_(std::make_unique<FileCommands>(*this)),
      reports_(std::make_unique<ReportCommands>(store, prompt, [this] { return CurrentHeader(); }, this))
{
    UseQtTranslations(store_.nLanguage);
    setWindowIcon(QIcon(QStringLiteral(":/icons/k30workbench.svg")));
    setCentralWidget(sheet_);
    sheet_->addTab(listPage_, QString());
    sheet_->addTab(Scrolled(readPage_), QString());
    sheet_->addTab(Scrolled(headerPage_), QString());
    sheet_->addTab(testPage_, QString());
    sheet_->addTab(Scrolled(ev2Page_), QString());
    sheet_->addTab(sitePage_, QString());
    site_ = std::make_unique<SiteCommands>(*this, *sitePage_);
    sitePage_->SetRequirementSource([this] { return CurrentRequirements(CurrentHeader()); });
    readPage_->SetArchivedHook(
        [this](const std::string& text, const QString& path) { site_->OnTransferArchived(text, path); });
    connect(ev2Page_, &CTestEv2::computed, this, [this] { SetSaveRawState(true); });
    sheet_->SetCaptions(store_.nLanguage);
    connect(sheet_, &QTabWidget::currentChanged, this, &CMainFrame::OnTabChanged);

    // The list judges its points by the requirements the header page shows.
    listPage_->SetRequirementSource([this] { return headerPage_->ShownRequirements(); });
    connect(headerPage_, &CHeadk30::requirementsChanged, listPage_, &CListData::OnActivated);

    readPage_->AddExtraPorts(options.extraPorts);
    if (options.quietMs > 0)
        readPage_->SetQuietMs(options.quietMs);
    // The read page's requests to the window.
    readPage_->SetProjectSaver([this] { return SaveWork(); });
    connect(readPage_, &CReadData::saveRawStateChanged, this, &CMainFrame::SetSaveRawState);
    connect(readPage_, &CReadData::newDataArrived, this, &CMainFrame::OnNewData);
    connect(readPage_, &CReadData::showListPageRequested, this, [this] {
        // Already the active page: it still has to show the new points.
        if (sheet_->currentIndex() == CPropSheet::ListPage)
            listPage_->OnActivated();
        else
            sheet_->setCurrentIndex(CPropSheet::ListPage);
    });

    undoStack_ = new QUndoStack(this);
    sitePage_->SetUndoStack(undoStack_);
    recent_ = std::make_unique<RecentFiles>();
    recentMenu_ = new QMenu(this);
    recentMenu_->setObjectName(QStringLiteral("recentFilesMenu"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &CMainFrame::FillRecentMenu);
    pagesMenu_ = new QMenu(this);
    connect(pagesMenu_, &QMenu::aboutToShow, this, &CMainFrame::FillPagesMenu);

    CreateActions();
    BuildMenus();
    BuildToolBar();
    statusBar()->addWidget(statusText_, 1);
    feedback_ = new StatusFeedback(*this, store_, statusText_);
    RetranslateStatusBar();
    SetTitleText(texts::kTitlePrefix);
    setAcceptDrops(true);
    WatchForUndo();
    FillRecentMenu();
    FillPagesMenu();

    connect(readPage_, &CReadData::transferArchived, this, [this](const QString& path) {
        feedback_->Say(feedback_->Message() + Tr(texts::kStatusSeparator, store_.nLanguage) +
                       Tr(texts::kStatusArchived, store_.nLanguage).arg(path));
    });
    connect(reports_.get(), &ReportCommands::written, this, [this](const QString& path) {
        feedback_->Say(Tr(texts::kStatusExported, store_.nLanguage).arg(QFileInfo(path).absoluteFilePath()));
    });
}

void CMainFrame::WatchForUndo()
{
    auto* header =
        new BoxEditRecorder(*undoStack_, [this] { return Tr(texts::kUndoHeaderEdit, store_.nLanguage); }, this);
    for (const HeaderField& f : kHeaderFileOrder)
        header->Watch(headerPage_->Box(f.member));
    // Typed readings, test type and design load of a manual entry.
    auto* readings =
        new BoxEditRecorder(*undoStack_, [this] { return Tr(texts::kUndoReadingEdit, store_.nLanguage); }, this);
    for (QLineEdit* box : testPage_->findChildren<QLineEdit*>()) {
        const QString name = box->objectName();
        if (name.startsWith(QLatin1String("stress")) || name.startsWith(QLatin1String("settlement")) ||
            name == QLatin1String("testType") || name == QLatin1String("designLoad"))
            readings->Watch(box);
    }
    // The Ev2 page's typed readings and times; its mirrors follow other boxes and are never typed.
    for (QLineEdit* box : ev2Page_->findChildren<QLineEdit*>()) {
        const QString name = box->objectName();
        if ((name.startsWith(QLatin1String("ev2Stress")) || name.startsWith(QLatin1String("ev2Settlement")) ||
             name == QLatin1String("ev2Date") || name == QLatin1String("ev2Start") ||
             name == QLatin1String("ev2End")) &&
            !name.endsWith(QLatin1String("Mirror")))
            readings->Watch(box);
    }
    QAction* undo = actions_.at(CommandId::Undo);
    QAction* redo = actions_.at(CommandId::Redo);
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(undoStack_, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(undoStack_, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
}

void CMainFrame::OnUndo()
{
    if (!undoStack_->canUndo())
        return;
    const QString what = undoStack_->undoText();
    undoStack_->undo();
    feedback_->Say(Tr(texts::kStatusUndone, store_.nLanguage).arg(what));
}

void CMainFrame::OnRedo()
{
    if (!undoStack_->canRedo())
        return;
    const QString what = undoStack_->redoText();
    undoStack_->redo();
    feedback_->Say(Tr(texts::kStatusRedone, store_.nLanguage).arg(what));
}

void CMainFrame::FillRecentMenu()
{
    recentMenu_->clear();
    const QStringList files = recent_->Files();
    if (files.isEmpty()) {
        recentMenu_->addAction(Tr(texts::kNoRecentFiles, store_.nLanguage))->setEnabled(false);
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        const QString& path = files[i];
        // Numbered for the keyboard: &1 to &9, then &0.
        const QString text = QStringLiteral("&%1 %2").arg((i + 1) % 10).arg(QString(path).replace('&', "&&"));
        connect(recentMenu_->addAction(text), &QAction::triggered, this, [this, path] { OnOpenRecent(path); });
    }
}

void CMainFrame::FillPagesMenu()
{
    pagesMenu_->clear();
    for (std::size_t i = 0; i < pageActions_.size() && static_cast<int>(i) < sheet_->count(); ++i) {
        pageActions_[i]->setText(sheet_->tabText(static_cast<int>(i)));
        pagesMenu_->addAction(pageActions_[i]);
    }
}

void CMainFrame::OnOpenRecent(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        recent_->Remove(path);
        FillRecentMenu();
        prompt_.inform(this, Tr(texts::kAppTitle, store_.nLanguage),
                       Tr(texts::kRecentFileMissing, store_.nLanguage).arg(path), Prompt::Icon::Warning);
        return;
    }
    if (AskToSaveFirst())
        OpenFile(path);
}

void CMainFrame::ShowPage(int index)
{
    const int n = sheet_->count();
    if (n > 0)
        sheet_->setCurrentIndex(((index % n) + n) % n);
}

void CMainFrame::StepPoint(int delta)
{
    if (sheet_->currentIndex() == CPropSheet::ListPage) {
        QTableView* view = listPage_->View();
        const int rows = view->model()->rowCount();
        if (rows == 0)
            return;
        const QModelIndex current = view->currentIndex();
        const int row = current.isValid() ? std::clamp(current.row() + delta, 0, rows - 1) : (delta > 0 ? 0 : rows - 1);
        view->selectRow(row);
        return;
    }
    // Leaving another page for the test data page keeps the point it showed last.
    const int shown = testPage_->ShownIndex();
    if (sheet_->currentIndex() != CPropSheet::TestPage)
        sheet_->setCurrentIndex(CPropSheet::TestPage);
    const int count = static_cast<int>(store_.ValidCount());
    if (count > 0)
        testPage_->ShowPointAt(shown < 0 ? 0 : std::clamp(shown + delta, 0, count - 1));
}

void CMainFrame::OnFindPoint()
{
    const Language lang = store_.nLanguage;
    if (store_.ValidCount() == 0) {
        prompt_.inform(this, Tr(texts::kAppTitle, lang), Tr(texts::kSelectData, lang), Prompt::Icon::NoIcon);
        return;
    }
    CFindPoint dialog(store_, lang, this);
    if (prompt_.runDialog(dialog) != QDialog::Accepted)
        return;
    const QString name = dialog.Name();
    auto found = store_.FindK30PointByName(S(name));
    if (!found)
        found = store_.FindK30PointByName(S(name.trimmed()));
    if (!found) {
        prompt_.inform(this, Tr(texts::kAppTitle, lang), Tr(texts::kPointNotFound, lang).arg(name),
                       Prompt::Icon::Information);
        return;
    }
    const int k = static_cast<int>(*found);
    if (sheet_->currentIndex() == CPropSheet::ListPage) {
        listPage_->View()->selectRow(k);
        return;
    }
    sheet_->setCurrentIndex(CPropSheet::TestPage);
    testPage_->ShowPointAt(k);
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::Action(CommandId id) const { return actions_.at(id); }

void CMainFrame::CreateActions()
{
    struct CommandSpec {
        CommandId id;
        std::function<void()> run;
        QKeySequence shortcut;
        const char* icon;
        QStyle::StandardPixmap fallback;
    };
    const QKeySequence none;
    const std::vector<CommandSpec> specs{
        {CommandId::Open, [this] { OnFileOpen(); }, QKeySequence::Open, "document-open", QStyle::SP_DialogOpenButton},
        {CommandId::ArchivedTransfers, [this] { OnArchivedTransfers(); }, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::RecentFiles, {}, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::SaveRaw, [this] { OnSaveRaw(); }, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), nullptr,
         QStyle::SP_CustomBase},
        {CommandId::SiteDatabase, [this] { site_->OnDatabaseSetting(); }, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::SiteImport, [this] { site_->OnImport(); }, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::SiteRebuild, [this] { site_->OnRebuild(); }, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::SaveProject, [this] { OnSaveProject(); }, QKeySequence::Save, "document-save",
         QStyle::SP_DialogSaveButton},
        {CommandId::Print, [this] { OnPrint(); }, QKeySequence::Print, "document-print", QStyle::SP_FileIcon},
        {CommandId::PrintPreview, [this] { OnPrintPreview(); }, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
         "document-print-preview",
         QStyle::SP_FileDialogContentsView},
        {CommandId::ExportPdf, [this] { OnExportPdf(); }, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::Export, [this] { OnExport(); }, QKeySequence(Qt::CTRL | Qt::Key_E), nullptr,
         QStyle::SP_CustomBase},
        {CommandId::Undo, [this] { OnUndo(); }, QKeySequence(Qt::CTRL | Qt::Key_Z), nullptr, QStyle::SP_CustomBase},
        {CommandId::Redo, [this] { OnRedo(); }, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), nullptr,
         QStyle::SP_CustomBase},
        {CommandId::FindPoint, [this] { OnFindPoint(); }, QKeySequence::Find, nullptr, QStyle::SP_CustomBase},
        {CommandId::NextPoint, [this] { StepPoint(1); }, QKeySequence(Qt::CTRL | Qt::Key_Down), nullptr,
         QStyle::SP_CustomBase},
        {CommandId::PreviousPoint, [this] { StepPoint(-1); }, QKeySequence(Qt::CTRL | Qt::Key_Up), nullptr,
         QStyle::SP_CustomBase},
        {CommandId::NextPage, [this] { ShowPage(sheet_->currentIndex() + 1); }, QKeySequence(Qt::CTRL | Qt::Key_Tab),
         nullptr, QStyle::SP_CustomBase},
        {CommandId::PreviousPage, [this] { ShowPage(sheet_->currentIndex() - 1); },
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), nullptr, QStyle::SP_CustomBase},
        {CommandId::Pages, {}, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::RenamePoints, [this] { OnRenamePoints(); }, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::ManualInput, [this] { OnManualInput(); }, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::ManualInputEv2, [this] { OnManualInputEv2(); }, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::Quit, [this] { close(); }, QKeySequence(Qt::CTRL | Qt::Key_Q), nullptr, QStyle::SP_CustomBase},
        {CommandId::ToolBar, {}, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::StatusBar, {}, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::SaveWord, [this] { OnSaveWord(); }, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::SaveBitmap, [this] { OnSaveBitmap(); }, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::Chinese, [this] { SwitchLanguage(Language::Chinese); }, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::English, [this] { SwitchLanguage(Language::English); }, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::About, [this] { OnAbout(); }, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::UserManual, [this] { OnUserManual(); }, QKeySequence::HelpContents, "help-contents",
         QStyle::SP_DialogHelpButton},
    };
    for (const CommandSpec& s : specs) {
        auto* action = new QAction(this);
        if (!s.shortcut.isEmpty())
            action->setShortcut(s.shortcut);
        if (s.icon)
            action->setIcon(ThemeIcon(s.icon, s.fallback));
        if (s.run)
            connect(action, &QAction::triggered, this, s.run);
        // Kept on the window too, so shortcuts survive the menu bar being replaced.
        addAction(action);
        actions_[s.id] = action;
    }
    for (CommandId id : {CommandId::ToolBar, CommandId::StatusBar}) {
        actions_[id]->setCheckable(true);
        actions_[id]->setChecked(true);
    }
    connect(actions_[CommandId::StatusBar], &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
    // The menus show these shortcuts; the window keeps them working without the menus.
    actions_[CommandId::RecentFiles]->setMenu(recentMenu_);
    actions_[CommandId::Pages]->setMenu(pagesMenu_);
    actions_[CommandId::ExportPdf]->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    // Ctrl+1 to Ctrl+9 bring the pages by their place, however many there are.
    for (int i = 0; i < sheet_->count() && i < 9; ++i) {
        auto* page = new QAction(this);
        page->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i)));
        connect(page, &QAction::triggered, this, [this, i] { ShowPage(i); });
        addAction(page);
        pageActions_.push_back(page);
    }
}

void CMainFrame::BuildMenus()
{
    // The menu bar is replaced, not edited, on each language change.
    auto* bar = new QMenuBar(this);
    for (const MenuItem& top : MenuTable())
        AddMenuItems(bar->addMenu(Tr(*top.text, store_.nLanguage)), top.children, store_.nLanguage, actions_);
    setMenuBar(bar);
}

void CMainFrame::BuildToolBar()
{
    auto* bar = addToolBar(QStringLiteral("Standard"));
    bar->setObjectName(QStringLiteral("standardToolBar"));
    bar->setMovable(true);
    for (const ToolBarItem& item : ToolBarTable()) {
        if (item.separator)
            bar->addSeparator();
        else
            bar->addAction(actions_.at(item.id));
    }
    QAction* toggle = actions_[CommandId::ToolBar];
    connect(toggle, &QAction::toggled, bar, &QToolBar::setVisible);
    connect(bar, &QToolBar::visibilityChanged, toggle, [this, toggle, bar] {
        // Hiding the whole window also hides the toolbar; only a user's choice counts.
        if (isVisible())
            toggle->setChecked(bar->isVisible());
    });
}

void CMainFrame::RetranslateStatusBar()
{
    if (feedback_)
        feedback_->Refresh();
    else
        statusText_->setText(Tr(texts::kReady, store_.nLanguage));
}

void CMainFrame::OnTabChanged(int index)
{
    switch (index) {
    case CPropSheet::ListPage:
        listPage_->OnActivated();
        break;
    case CPropSheet::HeaderPage:
        headerPage_->OnActivated();
        break;
    case CPropSheet::TestPage:
        testPage_->OnActivated();
        break;
    case CPropSheet::Ev2Page:
        ev2Page_->OnActivated();
        break;
    case CPropSheet::SitePage:
        sitePage_->OnActivated();
        break;
    default:
        break;
    }
}

void CMainFrame::OnFileOpen() { files_->Open(); }

bool CMainFrame::OpenFile(const QString& path)
{
    if (!files_->OpenPath(path))
        return false;
    // What the stack would undo belonged to the points just replaced.
    undoStack_->clear();
    recent_->Add(path);
    feedback_->SetFile(path);
    feedback_->Say(Tr(texts::kStatusOpened, store_.nLanguage).arg(QFileInfo(path).absoluteFilePath()));
    return true;
}

void CMainFrame::OnSaveRaw() { files_->SaveRaw(); }

bool CMainFrame::OnSaveProject() { return files_->SaveProject(); }

bool CMainFrame::SaveWork()
{
    // Each kind of file holds what it can: Ev2 points only a raw file, the
    // header only a project file.
    const Document& doc = store_.document;
    if (doc.Ev2PointsUnsaved(store_) && !files_->SaveRaw())
        return false;
    if ((doc.K30PointsUnsaved(store_) || doc.HeaderUnsaved()) && !files_->SaveProject())
        return false;
    return !store_.UnsavedDataPresent();
}

bool CMainFrame::AskToSaveFirst()
{
    return k30::AskToSaveFirst(prompt_, this, store_, texts::kNotice, texts::kNotSavedQuestion,
                               [this] { return SaveWork(); });
}

void CMainFrame::OnArchivedTransfers()
{
    if (!AskToSaveFirst())
        return;
    CArchivedTransfers dialog(readPage_->ArchiveFolder(), store_.nLanguage, this);
    if (prompt_.runDialog(dialog) == QDialog::Accepted && !dialog.ChosenPath().isEmpty())
        OpenFile(dialog.ChosenPath());
}

void CMainFrame::OnManualInput()
{
    const Language lang = store_.nLanguage;
    if (!AskToSaveFirst())
        return;
    CInputName dialog(lang, this);
    if (prompt_.runDialog(dialog) != QDialog::Accepted)
        return;
    K30 point;
    point.name = S(dialog.Name());
    store_.ClearK30Points();
    store_.AddK30Point(point);
    store_.nK30Count = 1;
    store_.bManualInput = true;
    undoStack_->clear();
    feedback_->SetOrigin(texts::kStatusManual);
    SetSaveRawState(false);
    sheet_->setCurrentIndex(CPropSheet::TestPage);
    ev2Page_->DisableReadingEntry();
    testPage_->EnableManualEntry();
    testPage_->SelectFirstAndShow();
    SetTitleText(texts::kTitleManual);
}

void CMainFrame::OnManualInputEv2()
{
    const Language lang = store_.nLanguage;
    if (!AskToSaveFirst())
        return;
    // The raw file carries the name as the record's test point number.
    QString name;
    for (;;) {
        CInputName dialog(lang, this);
        dialog.Edit()->setText(name);
        if (prompt_.runDialog(dialog) != QDialog::Accepted)
            return;
        name = dialog.Name();
        if (PointNumberFromName(S(name)))
            break;
        prompt_.inform(this, Tr(texts::kAppTitle, lang), Tr(ev2_texts::kNameNotNumber, lang), Prompt::Icon::Warning);
    }
    // A new set: the typed Ev2 point and no K30 point.
    Ev2Point point;
    point.name = S(name);
    store_.ClearK30Points();
    store_.nK30Count = 0;
    store_.strCurK30Name.clear();
    store_.ev2List.assign(1, point);
    store_.nEv2Count = 1;
    store_.strCurEv2Name = point.name;
    store_.bManualInput = true;
    undoStack_->clear();
    feedback_->SetOrigin(texts::kStatusManual);
    SetSaveRawState(false);
    testPage_->DisableReadingEntry();
    testPage_->SelectFirstAndShow();
    ev2Page_->EnableManualEntry();
    if (sheet_->currentIndex() == CPropSheet::Ev2Page)
        ev2Page_->Refill();
    else
        sheet_->setCurrentIndex(CPropSheet::Ev2Page);
    SetTitleText(texts::kTitleManual);
}

void CMainFrame::OnRenamePoints()
{
    const Language lang = store_.nLanguage;
    if (store_.nK30Count == 0) {
        prompt_.inform(this, Tr(texts::kAppTitle, lang), Tr(texts::kSelectData, lang), Prompt::Icon::NoIcon);
        return;
    }
    CChangeNameK dialog(store_, lang, this);
    if (prompt_.runDialog(dialog) != QDialog::Accepted)
        return;
    const std::vector<QString> names = dialog.NewNames();
    const std::vector<QString> shown = dialog.ShownNames();
    std::vector<RenameCommand::Change> changes;
    for (std::size_t k = 0; k < names.size() && k < store_.ValidCount(); ++k) {
        // A transfer accepted while the dialog was open brings other points: leave them.
        if (!names[k].isEmpty() && Q(store_.k30List[k].name) == shown[k] && names[k] != shown[k])
            changes.push_back({k, store_.k30List[k].name, S(names[k])});
    }
    if (changes.empty())
        return;
    // Pushing renames them.
    undoStack_->push(new RenameCommand(store_, std::move(changes), [this] { RefreshActivePage(false); },
                                       Tr(texts::kUndoRename, lang)));
}

void CMainFrame::RefreshActivePage(bool fileData)
{
    // Points from the instrument or a file are shown, not edited, even when the
    // boxes were open for a manual entry before.
    if (fileData) {
        testPage_->DisableReadingEntry();
        ev2Page_->DisableReadingEntry();
    }
    switch (sheet_->currentIndex()) {
    case CPropSheet::ListPage:
        listPage_->OnActivated();
        break;
    case CPropSheet::TestPage:
        testPage_->SelectFirstAndShow();
        break;
    case CPropSheet::Ev2Page:
        ev2Page_->Refill();
        break;
    default:
        break;
    }
}

void CMainFrame::SwitchLanguage(Language lang)
{
    const Language before = store_.nLanguage;
    const QString title = windowTitle();
    store_.nLanguage = lang;
    BuildMenus();
    WriteLanguage(lang, UserLanguageFiles());
    UseQtTranslations(lang);
    // Each page is brought to the front in turn and resets its texts.
    sheet_->setCurrentIndex(CPropSheet::ListPage);
    listPage_->RetranslateUi();
    sheet_->setCurrentIndex(CPropSheet::ReadPage);
    readPage_->UpdatePageCaptions();
    sheet_->setCurrentIndex(CPropSheet::HeaderPage);
    headerPage_->RetranslateUi();
    sheet_->setCurrentIndex(CPropSheet::TestPage);
    testPage_->RetranslateUi();
    sheet_->setCurrentIndex(CPropSheet::Ev2Page);
    ev2Page_->RetranslateUi();
    sheet_->setCurrentIndex(CPropSheet::SitePage);
    sitePage_->RetranslateUi();
    sheet_->setCurrentIndex(CPropSheet::ListPage);
    sheet_->SetCaptions(lang);
    FillRecentMenu();
    FillPagesMenu();
    // The file's name stays in the title.
    setWindowTitle(RetranslatedTitle(title, before, lang));
    // The new menu starts with "Save raw data" enabled.
    SetSaveRawState(true);
    RetranslateStatusBar();
}

void CMainFrame::OnPrint() { reports_->Print(); }

void CMainFrame::OnPrintPreview() { reports_->PrintPreview(); }

void CMainFrame::OnExportPdf() { reports_->ExportPdf(); }

void CMainFrame::OnSaveBitmap() { reports_->SaveBitmap(); }

void CMainFrame::OnSaveWord() { RunWordExport(store_, prompt_, CurrentHeader(), this); }

void CMainFrame::OnExport()
{
    const ReportHeader header = CurrentHeader();
    const QString path = RunDataExport(store_, prompt_, header, CurrentRequirements(header), this);
    if (!path.isEmpty())
        feedback_->Say(Tr(texts::kStatusExported, store_.nLanguage).arg(QFileInfo(path).absoluteFilePath()));
}

void CMainFrame::OnAbout()
{
    CAboutDlg dialog(store_.nLanguage, this);
    prompt_.runDialog(dialog);
}

void CMainFrame::OnUserManual()
{
    const Language lang = store_.nLanguage;
    const QString path = FindUserManual(lang);
    if (path.isEmpty()) {
        prompt_.inform(this, Tr(texts::kAppTitle, lang), Tr(texts::kNoManual, lang), Prompt::Icon::Warning);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        prompt_.inform(this, Tr(texts::kAppTitle, lang), Tr(texts::kCannotShowManual, lang) + "\n" + path,
                       Prompt::Icon::Warning);
}

void CMainFrame::SetSaveRawState(bool enabled) { actions_.at(CommandId::SaveRaw)->setEnabled(enabled); }

void CMainFrame::OnNewData()
{
    undoStack_->clear();
    feedback_->SetOrigin(texts::kStatusNewData);
    SetTitleText(texts::kTitleNewData);
    testPage_->DisableReadingEntry();
    ev2Page_->DisableReadingEntry();
    store_.strCurEv2Name.clear();
    feedback_->Say(Tr(texts::kStatusAccepted, store_.nLanguage).arg(store_.ValidCount()).arg(store_.nEv2Count));
}

void CMainFrame::SetTitleText(const Text& title) { setWindowTitle(Tr(title, store_.nLanguage)); }

void CMainFrame::Retitle(const Text& suffix, const QString& path)
{
    QString title = windowTitle();
    const int mark = title.indexOf(Tr(texts::kTitleSavedMark, store_.nLanguage));
    if (mark >= 0)
        title.truncate(mark);
    setWindowTitle(title + Tr(suffix, store_.nLanguage) + path);
    recent_->Add(path);
    feedback_->SetFile(path);
    feedback_->Say(Tr(texts::kStatusSaved, store_.nLanguage).arg(path));
}

ReportHeader CMainFrame::CurrentHeader() { return headerPage_->CurrentHeader(); }

void CMainFrame::closeEvent(QCloseEvent* event)
{
    const Language lang = store_.nLanguage;
    // Bytes received but not yet accepted are in no file: never drop them unasked.
    if (!readPage_->ReceivedText().empty()) {
        const auto answer = prompt_.ask(this, Tr(texts::kNotice, lang), Tr(texts::kReceivingQuestion, lang),
                                        Prompt::Buttons::YesNo, Prompt::Icon::Warning, Prompt::Answer::No);
        if (answer != Prompt::Answer::Yes) {
            event->ignore();
            return;
        }
        // They are set aside, not lost: a copy goes to the archive.
        QString error;
        if (!readPage_->ArchiveUnaccepted(error) &&
            prompt_.ask(this, Tr(texts::kNotice, lang), Tr(texts::kReceivingNotArchived, lang).arg(error),
                        Prompt::Buttons::YesNo, Prompt::Icon::Warning, Prompt::Answer::No) != Prompt::Answer::Yes) {
            event->ignore();
            return;
        }
    }
    // Yes closes only once the work is in files: a cancelled choice keeps the window.
    if (!k30::AskToSaveFirst(prompt_, this, store_, texts::kNotice, texts::kCloseQuestion, [this] { return SaveWork(); },
                             true)) {
        event->ignore();
        return;
    }
    SaveMainWindow(*this, *sheet_);
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // The drag ends first; the save question and the opening come after it.
    QTimer::singleShot(0, this, [this, path] {
        if (AskToSaveFirst())
            OpenFile(path);
    });
}

}  // namespace k30
