#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <optional>

#include "LotReport.h"
#include "SiteDatabase.h"

class QProgressDialog;
class QThread;

namespace k30 {

class CMainFrame;
class CSitePage;

// The window's side of the site database: its address (kept in the user's
// preferences), the connection the site page reads through, the menu
// commands (address, import, rebuild), opening a point into the other pages,
// the lot report and the export of a selection, and the import of every
// accepted transfer right after it is archived. When the database cannot be
// opened the operator is told why and the workbench goes on with files.
class SiteCommands : public QObject {
    Q_OBJECT
public:
    SiteCommands(CMainFrame& frame, CSitePage& page);
    ~SiteCommands() override;

    // The address in force: the preference, else K30_DB, else the default.
    static QString StoredAddress();
    static void StoreAddress(const QString& address);

    // Opens the database at address (the stored one when empty) and, on the
    // first start with an empty database, offers the transfer archive for
    // import in the background. False, after telling why, when it could not open
    // (a damaged or newer file may be moved aside on the operator's word, and
    // a new database rebuilt from the archive: then true).
    bool Start(const QString& address = {});
    site::SiteDatabase& Database() { return db_; }
    bool Busy() const { return job_ != nullptr; }
    // Stops a background import and waits for it (closing the window).
    void CancelAndWait();

    // Menu commands
    void OnDatabaseSetting();
    void OnImport();
    void OnRebuild();

    // The site page's requests
    bool OpenPoint(qint64 id);
    void ExportLotReportPdf();
    void PrintLotReport();
    void ExportSelection();

    // The read page archived an accepted transfer.
    void OnTransferArchived(const std::string& text, const QString& archivePath);

signals:
    // A background import or rebuild ended (tests wait on it).
    void jobFinished(bool ok);

private:
    enum class JobKind { Import, Rebuild };
    void RunJob(JobKind kind, const QStringList& paths);
    void OnJobDone();
    void TellOpenError();
    bool Ready();
    // The lot report of the page's filter, or nothing (after saying why) when
    // there is no database or no point to report.
    std::optional<LotReportData> LotReportOfFilter();

    CMainFrame& frame_;
    CSitePage& page_;
    site::SiteDatabase db_;

    struct Job;
    std::unique_ptr<Job> job_;
};

}  // namespace k30
