#include "SiteDatabase.h"

#include "TestDataStore.h"

namespace k30::site {
struct SiteDatabase::Impl {};
SiteDatabase::SiteDatabase() = default;
SiteDatabase::~SiteDatabase() = default;
bool SiteDatabase::Open(const QString&) { return false; }
void SiteDatabase::Close() {}
bool SiteDatabase::IsOpen() const { return false; }
int SiteDatabase::SchemaVersion() const { return 0; }
bool SiteDatabase::IsPostgreSQL() const { return false; }
ImportResult SiteDatabase::ImportTransferText(std::string_view, const QString&, const QString&) { return {}; }
ImportResult SiteDatabase::ImportProject(const QByteArray&, const QString&) { return {}; }
ImportResult SiteDatabase::ImportFile(const QString&) { return {}; }
ImportResult SiteDatabase::ImportFiles(const QStringList&, const std::function<bool(int, int)>&, QStringList*) { return {}; }
bool SiteDatabase::Edit(const std::vector<qint64>&, const PointEdit&, std::vector<PointFields>*) { return false; }
bool SiteDatabase::Restore(const std::vector<PointFields>&) { return false; }
std::vector<SitePoint> SiteDatabase::Points(const SiteFilter&, const SiteSort&, qint64, qint64) { return {}; }
std::vector<SitePoint> SiteDatabase::PointsById(const std::vector<qint64>&, const Requirements&) { return {}; }
qint64 SiteDatabase::Count(const SiteFilter&) { return 0; }
SiteStats SiteDatabase::Stats(const SiteFilter&) { return {}; }
QStringList SiteDatabase::Layers() { return {}; }
QStringList SiteDatabase::Lots() { return {}; }
std::optional<SiteSource> SiteDatabase::SourceOfPoint(qint64) { return {}; }
std::optional<SiteSource> SiteDatabase::Source(qint64) { return {}; }
qint64 SiteDatabase::SourceCount() { return 0; }
qint64 SiteDatabase::PointCount() { return 0; }
ImportResult SiteDatabase::Rebuild(const QString&, const std::function<bool(int, int)>&) { return {}; }
bool SiteDatabase::ToStore(const std::vector<SitePoint>&, TestDataStore&) { return false; }
bool ImportArchivedTransfer(const QString&, std::string_view, const QString&, QString*) { return false; }
QStringList ArchiveFiles(const QString&) { return {}; }
}  // namespace k30::site
