#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include <QString>
#include <QStringList>

#include "SiteAddress.h"
#include "SiteTypes.h"

class QSqlDatabase;

namespace k30 {
class TestDataStore;
}

namespace k30::site {

// Why a database could not be opened; the command-line exit code follows it.
enum class OpenError {
    None,
    BadAddress,   // exit 2
    Unreachable,  // exit 1: no server, refused, no such file's folder
    Damaged,      // not a site database, or not a database at all: left as it is
    Newer,        // written by a newer program: left as it is
};

// The site database: every transfer and project file once (by its SHA-256),
// every K30 and Ev2 point with its results and what the engineer adds.
// SQLite or PostgreSQL through Qt SQL, one schema, the same queries.
// A connection belongs to the thread that opened it: a background import
// opens its own SiteDatabase on the same address.
class SiteDatabase {
public:
    static constexpr int kSchemaVersion = 2;

    SiteDatabase();
    ~SiteDatabase();
    SiteDatabase(const SiteDatabase&) = delete;
    SiteDatabase& operator=(const SiteDatabase&) = delete;

    // Opens (and creates or migrates) the database. A damaged or newer
    // database is never changed.
    bool Open(const QString& address);
    void Close();
    bool IsOpen() const;
    OpenError LastOpenError() const { return openError_; }
    QString LastError() const { return error_; }  // English
    QString Address() const { return address_; }
    // Names this connection, different for every Open: an undo recorded on
    // one connection must not write through a later one (perhaps another database).
    QString ConnectionName() const;
    int SchemaVersion() const;  // of the open database (after migration)
    bool IsPostgreSQL() const;

    // Each import is one transaction; a source already held adds nothing.
    ImportResult ImportTransferText(std::string_view text, const QString& filePath = {}, const QString& acceptedAt = {});
    ImportResult ImportProject(const QByteArray& bytes, const QString& filePath = {});
    // A raw (.ORG) or project (.K30) file by its ending.
    ImportResult ImportFile(const QString& path);
    // Several files, each its own transaction; progress(done, total) returns
    // false to stop. The first failure does not stop the rest: errors collects
    // one line per failed file.
    ImportResult ImportFiles(const QStringList& paths, const std::function<bool(int, int)>& progress = {},
                             QStringList* errors = nullptr);

    // Called after each point an import writes, with the count so far: the
    // progress of a large file.
    void SetImportObserver(std::function<void(int)> observer);

    // Sets the fields of the points; previous gets what they were (for undo).
    // A chainage that does not parse refuses the edit with its message.
    bool Edit(const std::vector<qint64>& ids, const PointEdit& edit, std::vector<PointFields>* previous = nullptr);
    // Puts back fields saved by Edit.
    bool Restore(const std::vector<PointFields>& fields);

    // The filtered points, sorted, from offset on, at most limit of them.
    std::vector<SitePoint> Points(const SiteFilter& filter, const SiteSort& sort, qint64 offset, qint64 limit);
    std::vector<SitePoint> PointsById(const std::vector<qint64>& ids, const Requirements& required);
    qint64 Count(const SiteFilter& filter);
    SiteStats Stats(const SiteFilter& filter);
    // Distinct layers and lots, for filter boxes.
    QStringList Layers();
    QStringList Lots();

    // The source of a point (to open it) and the point's place in it.
    std::optional<SiteSource> SourceOfPoint(qint64 pointId);
    std::optional<SiteSource> Source(qint64 sourceId);
    qint64 SourceCount();
    qint64 PointCount();

    // Evaluates every source held again from its own bytes and adds the
    // accepted transfers of the archive folder it lacks, in one transaction:
    // a failure or a stop leaves the database as it was. Nothing held is
    // dropped (imported files are in no archive), and what the engineer added
    // to points stays. skipped gets one line per file that could not be read.
    ImportResult Rebuild(const QString& archiveFolder, const std::function<bool(int, int)>& progress = {},
                         QStringList* skipped = nullptr);

    // A TestDataStore of the given points (in order), for the export writers
    // and reports: K30 points in its K30 list, Ev2 points in its Ev2 list.
    bool ToStore(const std::vector<SitePoint>& points, TestDataStore& store);

private:
    // Runs work in one transaction: committed when it returns true, rolled
    // back (with error_ set) when it or the commit fails.
    bool InTransaction(const std::function<bool(QString& error)>& work);

    struct Impl;
    std::unique_ptr<Impl> d_;
    OpenError openError_ = OpenError::None;
    QString error_;
    QString address_;
};

// On the user's word only: moves a damaged or newer SQLite database file
// aside (to "PATH.set-aside-YYYYMMDD-HHMMSS", with its -wal and -shm files)
// so a new one can be made, e.g. by Rebuild. Nothing is deleted. False with
// a message for PostgreSQL (the server's administrator decides) or a failed
// rename; setAsidePath gets the new name.
bool SetAsideDatabaseFile(const QString& address, QString* setAsidePath, QString* error);

// Called right after a transfer was archived: imports it into the database
// at address. Returns false with a message (English) when it could not.
bool ImportArchivedTransfer(const QString& address, std::string_view text, const QString& archivePath,
                            QString* error = nullptr);

// Every raw file (*.ORG, any case) of accepted transfers in the folder
// ("_unaccepted" receptions left out), sorted by name.
QStringList ArchiveFiles(const QString& folder);

}  // namespace k30::site
