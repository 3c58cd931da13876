#include "SiteCommands.h"

#include <QComboBox>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QSettings>
#include <QStatusBar>
#include <QThread>

#include "AcceptanceSettings.h"
#include "CMainFrame.h"
#include "CPropSheet.h"
#include "CReadData.h"
#include "CSiteDatabaseDlg.h"
#include "CSitePage.h"
#include "CTestEv2.h"
#include "CTestK30.h"
#include "DataExportCommand.h"
#include "FileCommands.h"
#include "LotReport.h"
#include "Prompt.h"
#include "ReportTexts.h"
#include "SiteTexts.h"
#include "TestDataStore.h"
#include "Texts.h"
#include "UiText.h"
#include "UserSettings.h"

namespace k30 {

namespace {

using namespace site_texts;

const QString kAddressKey = QStringLiteral("site/address");
const QString kOfferedKey = QStringLiteral("site/archiveOffered");

}  // namespace

// A background import or rebuild: its own connection on its own thread, the
// progress shown by a dialog whose cancel stops it between files.
struct SiteCommands::Job {
    JobKind kind = JobKind::Import;
    bool quiet = false;  // started by the program, not asked for: report in the status bar
    QString address;
    QString folder;
    QStringList paths;
    std::atomic<bool> cancel{false};
    site::ImportResult result;
    QStringList errors;
    QThread* thread = nullptr;
    QProgressDialog* progress = nullptr;
};

SiteCommands::SiteCommands(CMainFrame& frame, CSitePage& page) : frame_(frame), page_(page)
{
    connect(&page_, &CSitePage::openPointRequested, this, [this](qint64 id) { OpenPoint(id); });
    connect(&page_, &CSitePage::lotReportPdfRequested, this, &SiteCommands::ExportLotReportPdf);
    connect(&page_, &CSitePage::lotReportPrintRequested, this, &SiteCommands::PrintLotReport);
    connect(&page_, &CSitePage::exportSelectionRequested, this, &SiteCommands::ExportSelection);
}

SiteCommands::~SiteCommands()
{
    CancelAndWait();
    page_.SetDatabase(nullptr);
}

QString SiteCommands::StoredAddress()
{
    QSettings settings(UserPreferencesFile(), QSettings::IniFormat);
    const QString stored = settings.value(kAddressKey).toString().trimmed();
    return stored.isEmpty() ? site::ChooseSiteAddress({}) : stored;
}

void SiteCommands::StoreAddress(const QString& address)
{
    QSettings settings(UserPreferencesFile(), QSettings::IniFormat);
    settings.setValue(kAddressKey, address);
}

bool SiteCommands::Start(const QString& address)
{
    CancelAndWait();
    page_.SetDatabase(nullptr);
    db_.Close();
    if (!db_.Open(address.isEmpty() ? StoredAddress() : address)) {
        TellOpenError();
        return db_.IsOpen();
    }
    page_.SetDatabase(&db_);
    // The first start with a database offers the archive, once per database.
    QSettings settings(UserPreferencesFile(), QSettings::IniFormat);
    QStringList offered = settings.value(kOfferedKey).toStringList();
    const QString folder = frame_.ReadPage()->ArchiveFolder();
    if (db_.SourceCount() == 0 && !offered.contains(db_.Address())) {
        const QStringList files = site::ArchiveFiles(folder);
        if (!files.isEmpty()) {
            offered << db_.Address();
            settings.setValue(kOfferedKey, offered);
            const Language lang = frame_.Store().nLanguage;
            if (frame_.GetPrompt().ask(&frame_, Tr(texts::kAppTitle, lang), Tr(kFirstImportQuestion, lang).arg(files.size()),
                                       Prompt::Buttons::YesNo, Prompt::Icon::Question,
                                       Prompt::Answer::Yes) == Prompt::Answer::Yes) {
                RunJob(JobKind::Import, files);
                job_->quiet = true;
            }
        }
    }
    return true;
}

void SiteCommands::TellOpenError()
{
    const Language lang = frame_.Store().nLanguage;
    const QString where = db_.Address();
    QString text;
    switch (db_.LastOpenError()) {
    case site::OpenError::Damaged:
        text = Tr(kDamagedDatabase, lang).arg(where, db_.LastError());
        break;
    case site::OpenError::Newer:
        text = Tr(kNewerDatabase, lang).arg(where);
        break;
    case site::OpenError::BadAddress:
        text = Tr(kBadAddress, lang).arg(db_.LastError());
        break;
    default:
        text = Tr(kUnreachableDatabase, lang).arg(where, db_.LastError());
        break;
    }
    page_.SetDatabase(nullptr, db_.LastError());
    Prompt& prompt = frame_.GetPrompt();
    const bool replaceable = (db_.LastOpenError() == site::OpenError::Damaged ||
                              db_.LastOpenError() == site::OpenError::Newer) &&
                             site::ParseSiteAddress(where).address.engine == site::SiteAddress::Engine::SQLite;
    if (!replaceable) {
        prompt.inform(&frame_, Tr(texts::kAppTitle, lang), text, Prompt::Icon::Warning);
        return;
    }
    // Never replaced without the operator's word: the file is only renamed.
    if (prompt.ask(&frame_, Tr(texts::kAppTitle, lang), text + QStringLiteral("\n\n") + Tr(kSetAsideQuestion, lang),
                   Prompt::Buttons::YesNo, Prompt::Icon::Warning, Prompt::Answer::No) != Prompt::Answer::Yes)
        return;
    QString setAside;
    QString error;
    if (!site::SetAsideDatabaseFile(where, &setAside, &error)) {
        prompt.inform(&frame_, Tr(texts::kAppTitle, lang), Tr(kSetAsideFailed, lang) + error, Prompt::Icon::Warning);
        return;
    }
    if (!db_.Open(where)) {
        prompt.inform(&frame_, Tr(texts::kAppTitle, lang), Tr(kUnreachableDatabase, lang).arg(where, db_.LastError()),
                      Prompt::Icon::Warning);
        return;
    }
    page_.SetDatabase(&db_);
    RunJob(JobKind::Rebuild, {});
}

bool SiteCommands::Ready()
{
    if (db_.IsOpen())
        return true;
    TellOpenError();
    return false;
}

void SiteCommands::OnDatabaseSetting()
{
    const Language lang = frame_.Store().nLanguage;
    CSiteDatabaseDlg dialog(StoredAddress(), site::DefaultSiteAddress(), lang, &frame_);
    if (frame_.GetPrompt().runDialog(dialog) != QDialog::Accepted || dialog.Address().isEmpty())
        return;
    const site::AddressParse parsed = site::ParseSiteAddress(dialog.Address());
    if (!parsed.ok) {
        frame_.GetPrompt().inform(&frame_, Tr(texts::kAppTitle, lang), Tr(kBadAddress, lang).arg(parsed.error),
                                  Prompt::Icon::Warning);
        return;
    }
    StoreAddress(dialog.Address());
    Start(dialog.Address());
}

void SiteCommands::OnImport()
{
    const Language lang = frame_.Store().nLanguage;
    if (!Ready() || Busy())
        return;
    Prompt::FileRequest request;
    request.mode = Prompt::FileRequest::Mode::OpenMany;
    request.title = Tr(kImportTitle, lang);
    request.nameFilters = {Tr(kImportFilter, lang)};
    // Several files at once: the chosen names come joined by a newline.
    const QString chosen = frame_.GetPrompt().chooseFile(&frame_, request);
    if (chosen.isEmpty())
        return;
    RunJob(JobKind::Import, chosen.split(QLatin1Char('\n'), Qt::SkipEmptyParts));
}

void SiteCommands::OnRebuild()
{
    const Language lang = frame_.Store().nLanguage;
    if (!Ready() || Busy())
        return;
    if (frame_.GetPrompt().ask(&frame_, Tr(texts::kAppTitle, lang), Tr(kRebuildQuestion, lang), Prompt::Buttons::YesNo,
                               Prompt::Icon::Warning, Prompt::Answer::No) != Prompt::Answer::Yes)
        return;
    RunJob(JobKind::Rebuild, {});
}

void SiteCommands::RunJob(JobKind kind, const QStringList& paths)
{
    const Language lang = frame_.Store().nLanguage;
    job_ = std::make_unique<Job>();
    Job* job = job_.get();
    job->kind = kind;
    job->address = db_.Address();
    job->folder = frame_.ReadPage()->ArchiveFolder();
    job->paths = paths;
    job->progress = new QProgressDialog(Tr(kImporting, lang).arg(0).arg(paths.size()), Tr(texts::kCancel, lang),
                                        0, std::max<int>(1, static_cast<int>(paths.size())), &frame_);
    job->progress->setWindowTitle(Tr(kImportTitle, lang));
    job->progress->setMinimumDuration(0);
    job->progress->setAutoClose(false);
    job->progress->setAutoReset(false);
    connect(job->progress, &QProgressDialog::canceled, this, [job] { job->cancel = true; });
    job->thread = QThread::create([this, job] {
        const auto progress = [this, job](int done, int total) {
            QMetaObject::invokeMethod(
                this,
                [this, job, done, total] {
                    if (job_.get() != job)
                        return;
                    job->progress->setMaximum(std::max(1, total));
                    job->progress->setValue(done);
                    job->progress->setLabelText(Tr(kImporting, frame_.Store().nLanguage).arg(done).arg(total));
                },
                Qt::QueuedConnection);
            return !job->cancel.load();
        };
        // A connection belongs to its thread: the job opens its own.
        site::SiteDatabase db;
        if (!db.Open(job->address)) {
            job->result.error = db.LastError();
            return;
        }
        if (job->kind == JobKind::Rebuild)
            job->result = db.Rebuild(job->folder, progress, &job->errors);
        else
            job->result = db.ImportFiles(job->paths, progress, &job->errors);
    });
    connect(job->thread, &QThread::finished, this, &SiteCommands::OnJobDone, Qt::QueuedConnection);
    job->progress->show();
    job->thread->start();
}

void SiteCommands::OnJobDone()
{
    if (!job_)
        return;
    std::unique_ptr<Job> job = std::move(job_);
    job->thread->wait();
    delete job->thread;
    // Closing the dialog emits canceled(): what the operator chose was read before.
    const bool cancelled = job->cancel;
    job->progress->disconnect(this);
    job->progress->close();
    job->progress->deleteLater();
    page_.Refresh();

    const Language lang = frame_.Store().nLanguage;
    const site::ImportCounts& c = job->result.counts;
    QString text;
    bool ok = job->result.ok || (job->kind == JobKind::Import && job->result.error.isEmpty());
    if (job->kind == JobKind::Rebuild && !job->result.ok)
        text = Tr(kRebuildFailed, lang) + job->result.error;
    else if (!job->result.ok && !job->result.error.isEmpty() && job->errors.isEmpty())
        text = job->result.error;
    else
        text = Tr(kImportDone, lang).arg(c.transfersAdded).arg(c.pointsAdded).arg(c.transfersPresent);
    if (cancelled && job->kind == JobKind::Import)
        text += QStringLiteral("\n") + Tr(kImportStopped, lang);
    if (!job->errors.isEmpty()) {
        ok = false;
        text += QStringLiteral("\n\n") + Tr(kImportErrors, lang) + QStringLiteral("\n") + job->errors.join(QLatin1Char('\n'));
    }
    if (job->quiet)
        frame_.statusBar()->showMessage(text.section(QLatin1Char('\n'), 0, 0), 15000);
    else
        frame_.GetPrompt().inform(&frame_, Tr(texts::kAppTitle, lang), text,
                                  ok ? Prompt::Icon::Information : Prompt::Icon::Warning);
    emit jobFinished(ok);
}

void SiteCommands::CancelAndWait()
{
    if (!job_)
        return;
    job_->cancel = true;
    job_->thread->wait();
    delete job_->thread;
    delete job_->progress;
    job_.reset();
}

void SiteCommands::OnTransferArchived(const std::string& text, const QString& archivePath)
{
    if (!db_.IsOpen())
        return;
    QString error;
    if (site::ImportArchivedTransfer(db_.Address(), text, archivePath, &error)) {
        page_.Refresh();
        return;
    }
    // The transfer is safe in the archive; a rebuild or an import takes it in later.
    frame_.statusBar()->showMessage(Tr(kArchiveImportFailed, frame_.Store().nLanguage).arg(error), 30000);
}

bool SiteCommands::OpenPoint(qint64 id)
{
    const Language lang = frame_.Store().nLanguage;
    Prompt& prompt = frame_.GetPrompt();
    if (!Ready())
        return false;
    const std::vector<site::SitePoint> found = db_.PointsById({id}, {});
    const std::optional<site::SiteSource> source = found.empty() ? std::nullopt : db_.SourceOfPoint(id);
    if (!source) {
        prompt.inform(&frame_, Tr(texts::kAppTitle, lang), Tr(kNotInDatabase, lang), Prompt::Icon::Warning);
        return false;
    }
    if (!frame_.AskToSaveFirst())
        return false;
    const site::SitePoint& point = found.front();
    const bool opened = source->kind == site::SourceKind::Project
                            ? frame_.Files().OpenProjectBytes(source->content, source->filePath)
                            : frame_.Files().OpenRawBytes(source->content, source->filePath);
    if (!opened)
        return false;
    if (point.kind == site::PointKind::K30) {
        frame_.Sheet()->setCurrentIndex(CPropSheet::TestPage);
        // The test page's chooser lists the points in the source's order.
        if (auto* chooser = frame_.TestPage()->findChild<QComboBox*>(QStringLiteral("chooser"));
            chooser && point.seq < chooser->count())
            chooser->setCurrentIndex(point.seq);
    } else {
        // The Ev2 page shows the point named as the current one when it fills.
        TestDataStore& store = frame_.Store();
        if (point.seq >= 0 && static_cast<std::size_t>(point.seq) < store.ev2List.size())
            store.strCurEv2Name = store.ev2List[static_cast<std::size_t>(point.seq)].name;
        if (frame_.Sheet()->currentIndex() == CPropSheet::Ev2Page)
            frame_.Ev2Page()->Refill();
        else
            frame_.Sheet()->setCurrentIndex(CPropSheet::Ev2Page);
    }
    return true;
}

std::optional<LotReportData> SiteCommands::LotReportOfFilter()
{
    if (!Ready())
        return std::nullopt;
    LotReportData data = page_.LotReport(frame_.CurrentHeader());
    if (data.rows.empty()) {
        const Language lang = frame_.Store().nLanguage;
        frame_.GetPrompt().inform(&frame_, Tr(texts::kAppTitle, lang), Tr(kNoPointsToReport, lang),
                                  Prompt::Icon::Information);
        return std::nullopt;
    }
    return data;
}

void SiteCommands::ExportLotReportPdf()
{
    const std::optional<LotReportData> shown = LotReportOfFilter();
    if (!shown)
        return;
    const LotReportData& data = *shown;
    const Language lang = frame_.Store().nLanguage;
    Prompt& prompt = frame_.GetPrompt();
    const QString path = prompt.chooseSaveFile(&frame_, Tr(kLotReportPdf, lang), QStringLiteral("PDF (*.pdf)"),
                                               QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    QString error;
    if (!k30::ExportLotReportPdf(path, data, error))
        prompt.inform(&frame_, Tr(texts::kAppTitle, lang), path + QStringLiteral("\n") + error, Prompt::Icon::Warning);
}

void SiteCommands::PrintLotReport()
{
    const std::optional<LotReportData> shown = LotReportOfFilter();
    if (!shown)
        return;
    const LotReportData& data = *shown;
    const Language lang = frame_.Store().nLanguage;
    Prompt& prompt = frame_.GetPrompt();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, &frame_);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, LotReportPageCount(data));
    if (prompt.runDialog(dialog) != QDialog::Accepted)
        return;
    if (!k30::PrintLotReport(printer, data))
        prompt.inform(&frame_, Tr(texts::kAppTitle, lang), Tr(report_texts::kPrintFailed, lang), Prompt::Icon::Warning);
}

void SiteCommands::ExportSelection()
{
    const Language lang = frame_.Store().nLanguage;
    if (!Ready())
        return;
    const std::vector<site::SitePoint> points = page_.SelectedPoints();
    if (points.empty()) {
        frame_.GetPrompt().inform(&frame_, Tr(texts::kAppTitle, lang), Tr(kNothingSelected, lang),
                                  Prompt::Icon::Information);
        return;
    }
    TestDataStore store;
    store.nLanguage = lang;
    if (!db_.ToStore(points, store)) {
        frame_.GetPrompt().inform(&frame_, Tr(texts::kAppTitle, lang), Tr(kSourceUnreadable, lang) + db_.LastError(),
                                  Prompt::Icon::Warning);
        return;
    }
    const ReportHeader header = frame_.CurrentHeader();
    RunDataExport(store, frame_.GetPrompt(), header, CurrentRequirements(header), &frame_);
}

}  // namespace k30
