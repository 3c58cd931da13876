#include "CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>

#include <functional>

#include "AcceptanceSettings.h"
#include "AppTexts.h"
#include "CAboutDlg.h"
#include "CArchivedTransfers.h"
#include "CChangeNameK.h"
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
#include "Prompt.h"
#include "QtTranslations.h"
#include "ReportCommands.h"
#include "SaveFirst.h"
#include "SiteCommands.h"
#include "Settings.h"
#include "TestDataStore.h"
#include "Texts.h"
#include "UiText.h"
#include "UserManual.h"
#include "UserSettings.h"
#include "WordCommand.h"

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
    sheet_->addTab(readPage_, QString());
    sheet_->addTab(headerPage_, QString());
    sheet_->addTab(testPage_, QString());
    sheet_->addTab(ev2Page_, QString());
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
    readPage_->SetProjectSaver([this] { return OnSaveProject(); });
    connect(readPage_, &CReadData::saveRawStateChanged, this, &CMainFrame::SetSaveRawState);
    connect(readPage_, &CReadData::newDataArrived, this, &CMainFrame::OnNewData);
    connect(readPage_, &CReadData::showListPageRequested, this, [this] {
        // Already the active page: it still has to show the new points.
        if (sheet_->currentIndex() == CPropSheet::ListPage)
            listPage_->OnActivated();
        else
            sheet_->setCurrentIndex(CPropSheet::ListPage);
    });

    CreateActions();
    BuildMenus();
    BuildToolBar();
    statusBar()->addWidget(statusText_, 1);
    RetranslateStatusBar();
    SetTitleText(texts::kTitlePrefix);
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
        {CommandId::SiteDatabase, [this] { site_->OnDatabaseSetting(); }, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::SiteImport, [this] { site_->OnImport(); }, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::SiteRebuild, [this] { site_->OnRebuild(); }, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::SaveRaw, [this] { OnSaveRaw(); }, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::SaveProject, [this] { OnSaveProject(); }, QKeySequence::Save, "document-save",
         QStyle::SP_DialogSaveButton},
        {CommandId::Print, [this] { OnPrint(); }, QKeySequence::Print, "document-print", QStyle::SP_FileIcon},
        {CommandId::PrintPreview, [this] { OnPrintPreview(); }, none, "document-print-preview",
         QStyle::SP_FileDialogContentsView},
        {CommandId::ExportPdf, [this] { OnExportPdf(); }, none, nullptr, QStyle::SP_CustomBase},
        {CommandId::Export, [this] { OnExport(); }, none, nullptr, QStyle::SP_CustomBase},
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

void CMainFrame::RetranslateStatusBar() { statusText_->setText(Tr(texts::kReady, store_.nLanguage)); }

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

bool CMainFrame::OpenFile(const QString& path) { return files_->OpenPath(path); }

void CMainFrame::OnSaveRaw() { files_->SaveRaw(); }

bool CMainFrame::OnSaveProject() { return files_->SaveProject(); }

bool CMainFrame::AskToSaveFirst()
{
    return k30::AskToSaveFirst(prompt_, this, store_, texts::kNotice, texts::kNotSavedQuestion,
                               [this] { return OnSaveProject(); });
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
    store_.bRawTextMatchesPoints = false;
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
    store_.bManualEv2 = true;
    store_.bEv2NotInRawFile = true;
    store_.bRawTextMatchesPoints = false;
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
    for (std::size_t k = 0; k < names.size() && k < store_.ValidCount(); ++k) {
        // A transfer accepted while the dialog was open brings other points: leave them.
        if (!names[k].isEmpty() && Q(store_.k30List[k].name) == shown[k])
            store_.RenamePoint(k, S(names[k]));
    }
    RefreshActivePage(false);
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
    SetTitleText(texts::kTitlePrefix);
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
    RunDataExport(store_, prompt_, header, CurrentRequirements(header), this);
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
    SetTitleText(texts::kTitleNewData);
    testPage_->DisableReadingEntry();
    ev2Page_->DisableReadingEntry();
    // The transfer's Ev2 points are in no file until it is saved raw.
    store_.bManualEv2 = false;
    store_.bEv2NotInRawFile = !store_.ev2List.empty();
    store_.strCurEv2Name.clear();
}

void CMainFrame::SetTitleText(const Text& title) { setWindowTitle(Tr(title, store_.nLanguage)); }

void CMainFrame::Retitle(const Text& suffix, const QString& path)
{
    QString title = windowTitle();
    const int mark = title.indexOf(Tr(texts::kTitleSavedMark, store_.nLanguage));
    if (mark >= 0)
        title.truncate(mark);
    setWindowTitle(title + Tr(suffix, store_.nLanguage) + path);
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
    if (store_.UnsavedDataPresent()) {
        const auto answer = prompt_.ask(this, Tr(texts::kNotice, lang), Tr(texts::kCloseQuestion, lang),
                                        Prompt::Buttons::YesNoCancel, Prompt::Icon::Question, Prompt::Answer::No);
        // Yes closes only once the data were written: a cancelled choice keeps the window.
        if (answer == Prompt::Answer::Cancel || (answer == Prompt::Answer::Yes && !OnSaveProject())) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

}  // namespace k30
