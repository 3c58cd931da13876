#include "SiteDatabase.h"

#include <QAtomicInteger>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "Chainage.h"
#include "FileIO.h"
#include "ProjectFile.h"
#include "SiteQuery.h"
#include "SiteSchema.h"
#include "TestDataStore.h"
#include "TransferDecoder.h"
#include "TransferText.h"

namespace k30::site {

namespace {

// Project files hold about 200 bytes a point; this is far beyond any real one.
constexpr std::uint64_t kMaxProjectFileBytes = 256ull * 1024 * 1024;

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A text for a NOT NULL column: Qt binds a null QString as NULL.
QString T(const QString& s) { return s.isNull() ? QStringLiteral("") : s; }
std::string S(const QString& s) { return s.toStdString(); }

QVariant NullableDouble(const std::optional<double>& v)
{
    return v ? QVariant(*v) : QVariant(QMetaType(QMetaType::Double));
}

QString ReadingsText(const std::array<ReadingPair, kReadingPairs>& reading, int pairs)
{
    QStringList items;
    for (int i = 0; i < pairs; ++i) {
        const ReadingPair& r = reading[static_cast<std::size_t>(i)];
        items << QString::number(static_cast<double>(r.stress), 'g', 9) + QLatin1Char(',') +
                     QString::number(static_cast<double>(r.settlement), 'g', 9);
    }
    return items.join(QLatin1Char(';'));
}

std::array<ReadingPair, kReadingPairs> ReadingsFromText(const QString& text)
{
    std::array<ReadingPair, kReadingPairs> reading{};
    const QStringList items = text.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (int i = 0; i < items.size() && i < kReadingPairs; ++i) {
        const QStringList pair = items[i].split(QLatin1Char(','));
        if (pair.size() != 2)
            continue;
        reading[static_cast<std::size_t>(i)] = {pair[0].toFloat(), pair[1].toFloat()};
    }
    return reading;
}

// "2009-5-12-08:05" -> "2009-05-12"; null when the text carries no date.
QVariant TestDate(const std::string& startTime)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{4})-(\\d{1,2})-(\\d{1,2})"));
    const auto m = re.match(Q(startTime));
    if (m.hasMatch()) {
        const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        if (d.isValid())
            return d.toString(QStringLiteral("yyyy-MM-dd"));
    }
    return QVariant(QMetaType(QMetaType::QString));
}

QString HeaderJson(const ReportHeader& header)
{
    QJsonObject o;
    for (const HeaderField& f : kHeaderFileOrder)
        o.insert(QLatin1String(f.key), Q(header.*f.member));
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

ReportHeader HeaderFromJson(const QString& text)
{
    ReportHeader h;
    const QJsonObject o = QJsonDocument::fromJson(text.toUtf8()).object();
    for (const HeaderField& f : kHeaderFileOrder)
        h.*f.member = S(o.value(QLatin1String(f.key)).toString());
    return h;
}

// One point row as an import writes it.
struct PointRow {
    QString kind;
    int seq = 0;
    std::string name, startTime, endTime, stress125, k30Text, testType, designLoad;
    std::string sigma0max, ev1, ev2, ratio;
    QString readings;
    std::optional<double> k30Num, k30Bound, ev2Num, ratioNum, ev2Shown, ratioShown;
};

// A source read and evaluated, ready to be written in one transaction.
struct PreparedSource {
    QString sha256;
    QString kind;  // "transfer" or "project"
    int instrumentNo = 0;
    QString acceptedAt;
    QString filePath;
    QString header;
    QByteArray content;
    std::vector<PointRow> rows;
};

PointRow K30Row(const K30& p, int seq)
{
    PointRow r;
    r.kind = QStringLiteral("k30");
    r.seq = seq;
    r.name = p.name;
    r.startTime = p.startTime;
    r.endTime = p.endTime;
    r.stress125 = p.stress125;
    r.k30Text = p.k30Value;
    r.testType = p.testType;
    r.designLoad = p.designLoad;
    r.readings = ReadingsText(p.reading, kUsedPairs);
    const auto k30 = ParseRequirement(p.k30Value);
    if (k30 && *k30 > 0.0)
        r.k30Num = *k30;
    const K30Assessment a = AssessK30Point(p, false, {});
    if (a.lowerBound)
        r.k30Bound = *a.lowerBound;
    return r;
}

PointRow Ev2Row(const Ev2Point& p, int seq)
{
    PointRow r;
    r.kind = QStringLiteral("ev2");
    r.seq = seq;
    r.name = p.name;
    r.startTime = p.startTime;
    r.endTime = p.endTime;
    r.readings = ReadingsText(p.reading, kEv2Pairs);
    const Ev2Result e = ComputeEv2(p.reading);
    r.sigma0max = e.sigma0maxText;
    r.ev1 = e.ev1Text;
    r.ev2 = e.ev2Text;
    r.ratio = e.ratioText;
    r.ev2Num = e.ev2;
    r.ratioNum = e.ratio;
    if (e.ev2)
        r.ev2Shown = ParseRequirement(e.ev2Text);
    if (e.ratio)
        r.ratioShown = ParseRequirement(e.ratioText);
    return r;
}

QString Sha256(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// The time of acceptance a file name carries, old or new form:
// "2026-12-07_143005_..." or "2026-12-07_143005+0800_...".
QString AcceptedAtFromName(const QString& path)
{
    static const QRegularExpression re(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})_(\\d{2})(\\d{2})(\\d{2})([+-]\\d{4})?(?:_|\\.)"));
    const QFileInfo info(path);
    const auto m = re.match(info.fileName());
    if (m.hasMatch())
        return QStringLiteral("%1-%2-%3 %4:%5:%6%7")
            .arg(m.captured(1), m.captured(2), m.captured(3), m.captured(4), m.captured(5), m.captured(6),
                 m.captured(7).isEmpty() ? QString() : QStringLiteral(" ") + m.captured(7));
    if (info.exists())
        return info.lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return {};
}

bool PrepareTransfer(std::string_view text, const QString& filePath, const QString& acceptedAt, PreparedSource& out,
                     QString& error)
{
    const QString where = filePath.isEmpty() ? QStringLiteral("transfer") : filePath;
    if (!TransferTextToBytes(text)) {
        error = where + QStringLiteral(": not a transfer text (damaged: other characters than hexadecimal bytes)");
        return false;
    }
    const auto canonical = CanonicalTransferText(text);
    const std::string body = canonical ? *canonical : std::string(text);
    TestDataStore store;
    DecodeTransfer(body, store);
    const std::size_t k30Count = store.ValidCount();
    if (k30Count == 0 && store.ev2List.empty()) {
        error = where + QStringLiteral(": holds no test points");
        return false;
    }
    out.content = QByteArray(body.data(), static_cast<qsizetype>(body.size()));
    out.sha256 = Sha256(out.content);
    out.kind = QStringLiteral("transfer");
    out.instrumentNo = store.nInstrumentNo;
    out.acceptedAt = acceptedAt.isEmpty() ? AcceptedAtFromName(filePath) : acceptedAt;
    if (out.acceptedAt.isEmpty())
        out.acceptedAt = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    out.filePath = filePath;
    out.header = HeaderJson({});
    out.rows.clear();
    out.rows.reserve(k30Count + store.ev2List.size());
    for (std::size_t k = 0; k < k30Count; ++k)
        out.rows.push_back(K30Row(store.k30List[k], static_cast<int>(k)));
    for (std::size_t k = 0; k < store.ev2List.size(); ++k)
        out.rows.push_back(Ev2Row(store.ev2List[k], static_cast<int>(k)));
    return true;
}

bool PrepareProject(const QByteArray& bytes, const QString& filePath, PreparedSource& out, QString& error)
{
    const QString where = filePath.isEmpty() ? QStringLiteral("project file") : filePath;
    const ProjectReadResult project =
        ReadProject(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
    if (!project.ok) {
        error = where + QStringLiteral(": ") + Q(project.error);
        return false;
    }
    if (project.data.points.empty()) {
        error = where + QStringLiteral(": holds no test points");
        return false;
    }
    out.content = bytes;
    out.sha256 = Sha256(bytes);
    out.kind = QStringLiteral("project");
    out.instrumentNo = project.data.instrumentNo;
    out.acceptedAt = AcceptedAtFromName(filePath);
    if (out.acceptedAt.isEmpty())
        out.acceptedAt = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    out.filePath = filePath;
    out.header = HeaderJson(project.data.header);
    out.rows.clear();
    for (std::size_t k = 0; k < project.data.points.size(); ++k)
        out.rows.push_back(K30Row(project.data.points[k], static_cast<int>(k)));
    return true;
}

QString ErrorText(const QSqlError& e)
{
    QString t = e.databaseText().trimmed();
    if (t.isEmpty())
        t = e.driverText().trimmed();
    return t;
}

QAtomicInteger<quint64> g_connections;

constexpr char kPointColumns[] =
    "p.id, p.source_id, s.sha256, p.kind, p.seq, p.name, p.start_time, p.end_time, p.stress125, p.k30_text, "
    "p.test_type, p.design_load, p.sigma0max, p.ev1, p.ev2, p.ratio, p.chainage, p.chainage_m, p.side_offset, "
    "p.layer, p.lot, p.remark, s.instrument_no, p.k30_bound";

SitePoint PointFromQuery(const QSqlQuery& q)
{
    SitePoint p;
    p.id = q.value(0).toLongLong();
    p.sourceId = q.value(1).toLongLong();
    p.transfer = q.value(2).toString();
    p.kind = q.value(3).toString() == QStringLiteral("ev2") ? PointKind::Ev2 : PointKind::K30;
    p.seq = q.value(4).toInt();
    p.name = q.value(5).toString();
    p.startTime = q.value(6).toString();
    p.endTime = q.value(7).toString();
    p.stress125 = q.value(8).toString();
    p.k30Value = q.value(9).toString();
    p.testType = q.value(10).toString();
    p.designLoad = q.value(11).toString();
    p.sigma0max = q.value(12).toString();
    p.ev1 = q.value(13).toString();
    p.ev2 = q.value(14).toString();
    p.ratio = q.value(15).toString();
    p.chainage = q.value(16).toString();
    if (!q.value(17).isNull())
        p.chainageM = q.value(17).toDouble();
    p.offset = q.value(18).toString();
    p.layer = q.value(19).toString();
    p.lot = q.value(20).toString();
    p.remark = q.value(21).toString();
    p.instrumentNo = q.value(22).toInt();
    if (!q.value(23).isNull())
        p.k30Bound = q.value(23).toDouble();
    switch (q.value(24).toInt()) {
    case 1:
        p.verdict = Verdict::Pass;
        break;
    case 2:
        p.verdict = Verdict::Fail;
        break;
    default:
        p.verdict = Verdict::None;
    }
    return p;
}

SampleStats StatsFrom(qint64 n, double sum, double squares, const QVariant& min, const QVariant& max)
{
    SampleStats s;
    s.count = static_cast<int>(n);
    if (n == 0)
        return s;
    s.min = min.toDouble();
    s.max = max.toDouble();
    const double mean = std::clamp(sum / static_cast<double>(n), *s.min, *s.max);
    s.mean = mean;
    if (n >= 2) {
        // Equal values give exactly 0; otherwise the sum of squares about the
        // mean, never below 0 from rounding.
        double ss = *s.min == *s.max ? 0.0 : squares - sum * mean;
        s.std = std::sqrt(std::max(ss, 0.0) / static_cast<double>(n - 1));
        if (mean != 0.0)
            s.cv = *s.std / mean;
    }
    return s;
}

}  // namespace

struct SiteDatabase::Impl {
    QString connection;
    bool postgres = false;
    int version = 0;
    std::function<void(int)> observer;

    QSqlDatabase Db() const { return QSqlDatabase::database(connection, false); }

    ~Impl()
    {
        {
            QSqlDatabase db = Db();
            if (db.isOpen())
                db.close();
        }
        QSqlDatabase::removeDatabase(connection);
    }

    bool Exec(const QString& sql, QString& error)
    {
        QSqlQuery q(Db());
        if (!q.exec(sql)) {
            error = ErrorText(q.lastError());
            return false;
        }
        return true;
    }

    // SQLite takes the write lock at once, so two writers queue instead of
    // failing when the second tries to upgrade its read lock.
    bool Begin(QString& error)
    {
        return Exec(postgres ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"), error);
    }
    bool Commit(QString& error) { return Exec(QStringLiteral("COMMIT"), error); }
    void Rollback()
    {
        QString ignored;
        Exec(QStringLiteral("ROLLBACK"), ignored);
    }

    // Writes a source and its points inside an open transaction. added is
    // false when the source was already there (nothing written).
    bool Insert(const PreparedSource& src, bool& added, int& points, QString& error)
    {
        added = false;
        points = 0;
        QSqlQuery q(Db());
        q.prepare(QStringLiteral(
            "INSERT INTO sources (sha256, kind, instrument_no, accepted_at, file_path, header, content, imported_at) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (sha256) DO NOTHING RETURNING id"));
        q.addBindValue(T(src.sha256));
        q.addBindValue(T(src.kind));
        q.addBindValue(src.instrumentNo);
        q.addBindValue(T(src.acceptedAt));
        q.addBindValue(T(src.filePath));
        q.addBindValue(T(src.header));
        q.addBindValue(src.content.isNull() ? QByteArray("") : src.content);
        q.addBindValue(QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
        if (!q.exec()) {
            error = ErrorText(q.lastError());
            return false;
        }
        if (!q.next())
            return true;  // held already
        const qint64 sourceId = q.value(0).toLongLong();
        q.finish();
        if (!InsertPoints(sourceId, src.rows, points, error))
            return false;
        added = true;
        return true;
    }

    // Writes the points of a source inside an open transaction.
    bool InsertPoints(qint64 sourceId, const std::vector<PointRow>& rows, int& points, QString& error)
    {
        points = 0;
        QSqlQuery p(Db());
        p.prepare(QStringLiteral(
            "INSERT INTO points (source_id, kind, seq, name, start_time, end_time, test_date, stress125, k30_text, "
            "test_type, design_load, sigma0max, ev1, ev2, ratio, readings, k30_num, k30_bound, ev2_num, ratio_num, "
            "ev2_shown, ratio_shown) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (const PointRow& r : rows) {
            p.addBindValue(sourceId);
            p.addBindValue(r.kind);
            p.addBindValue(r.seq);
            p.addBindValue(T(Q(r.name)));
            p.addBindValue(T(Q(r.startTime)));
            p.addBindValue(T(Q(r.endTime)));
            p.addBindValue(TestDate(r.startTime));
            p.addBindValue(T(Q(r.stress125)));
            p.addBindValue(T(Q(r.k30Text)));
            p.addBindValue(T(Q(r.testType)));
            p.addBindValue(T(Q(r.designLoad)));
            p.addBindValue(T(Q(r.sigma0max)));
            p.addBindValue(T(Q(r.ev1)));
            p.addBindValue(T(Q(r.ev2)));
            p.addBindValue(T(Q(r.ratio)));
            p.addBindValue(T(r.readings));
            p.addBindValue(NullableDouble(r.k30Num));
            p.addBindValue(NullableDouble(r.k30Bound));
            p.addBindValue(NullableDouble(r.ev2Num));
            p.addBindValue(NullableDouble(r.ratioNum));
            p.addBindValue(NullableDouble(r.ev2Shown));
            p.addBindValue(NullableDouble(r.ratioShown));
            if (!p.exec()) {
                error = ErrorText(p.lastError());
                return false;
            }
            ++points;
            if (observer)
                observer(points);
        }
        return true;
    }

    ImportResult ImportOne(const PreparedSource& src)
    {
        ImportResult r;
        QString error;
        bool added = false;
        int points = 0;
        if (!Begin(error) || !Insert(src, added, points, error)) {
            Rollback();
            r.error = (src.filePath.isEmpty() ? QStringLiteral("import") : src.filePath) +
                      QStringLiteral(": the database refused it: ") + error;
            return r;
        }
        if (!Commit(error)) {
            Rollback();
            r.error = QStringLiteral("the database refused the import: ") + error;
            return r;
        }
        r.ok = true;
        if (added) {
            r.counts.transfersAdded = 1;
            r.counts.pointsAdded = points;
        } else {
            r.counts.transfersPresent = 1;
        }
        return r;
    }
};

SiteDatabase::SiteDatabase() = default;

SiteDatabase::~SiteDatabase() = default;

void SiteDatabase::Close() { d_.reset(); }

bool SiteDatabase::IsOpen() const { return d_ != nullptr; }

QString SiteDatabase::ConnectionName() const { return d_ ? d_->connection : QString(); }

int SiteDatabase::SchemaVersion() const { return d_ ? d_->version : 0; }

bool SiteDatabase::IsPostgreSQL() const { return d_ && d_->postgres; }

void SiteDatabase::SetImportObserver(std::function<void(int)> observer)
{
    if (d_)
        d_->observer = std::move(observer);
}

bool SiteDatabase::Open(const QString& address)
{
    Close();
    openError_ = OpenError::None;
    error_.clear();
    address_ = address;
    const AddressParse parsed = ParseSiteAddress(address);
    if (!parsed.ok) {
        openError_ = OpenError::BadAddress;
        error_ = parsed.error;
        return false;
    }
    const SiteAddress& a = parsed.address;
    const QString shown = DisplayAddress(a);
    auto impl = std::make_unique<Impl>();
    impl->connection = QStringLiteral("k30site-%1").arg(++g_connections);
    impl->postgres = a.engine == SiteAddress::Engine::PostgreSQL;

    auto fail = [&](OpenError kind, const QString& message) {
        openError_ = kind;
        error_ = shown + QStringLiteral(": ") + message;
        return false;
    };

    bool existed = false;
    if (!impl->postgres) {
        const QFileInfo info(a.path);
        existed = info.exists() && info.size() > 0;
        if (info.isDir())
            return fail(OpenError::Unreachable, QStringLiteral("is a folder, not a database file"));
        if (info.exists() && info.size() > 0) {
            // Read the header before SQLite touches the file: anything else is left as it is.
            QFile f(a.path);
            if (!f.open(QIODevice::ReadOnly))
                return fail(OpenError::Unreachable, QStringLiteral("cannot be read: ") + f.errorString());
            if (f.read(16) != QByteArray("SQLite format 3\0", 16))
                return fail(OpenError::Damaged, QStringLiteral("is not a site database (damaged or another kind of "
                                                               "file); it was left as it is"));
        }
        if (!QDir().mkpath(info.absolutePath()))
            return fail(OpenError::Unreachable, QStringLiteral("its folder cannot be made"));
    }

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(impl->postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"),
                                                    impl->connection);
        if (!db.isValid())
            return fail(OpenError::Unreachable, QStringLiteral("the Qt SQL driver for this engine is not installed"));
        if (impl->postgres) {
            db.setHostName(a.host);
            db.setPort(a.port);
            db.setUserName(a.user);
            db.setPassword(a.password);
            db.setDatabaseName(a.name);
            db.setConnectOptions(QStringLiteral("connect_timeout=5"));
        } else {
            db.setDatabaseName(a.path);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=30000"));
        }
        if (!db.open())
            return fail(OpenError::Unreachable, ErrorText(db.lastError()));
    }

    // The tables there are.
    QStringList tables;
    {
        QSqlQuery q(impl->Db());
        const QString sql = impl->postgres
                                ? QStringLiteral("SELECT table_name FROM information_schema.tables "
                                                 "WHERE table_schema = current_schema()")
                                : QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'");
        if (!q.exec(sql))
            return fail(impl->postgres ? OpenError::Unreachable : OpenError::Damaged,
                        QStringLiteral("cannot be read (%1); it was left as it is").arg(ErrorText(q.lastError())));
        while (q.next())
            tables << q.value(0).toString();
    }

    QString error;
    if (tables.isEmpty() && existed)
        return fail(OpenError::Damaged, QStringLiteral("holds no tables (damaged?); it was left as it is"));
    if (tables.isEmpty()) {
        // A new database. Two programs may create it at once: the loser of the
        // race finds the tables made and reads them instead.
        bool made = impl->Begin(error);
        for (const QString& s : CreateStatements(kSchemaVersion, impl->postgres))
            made = made && impl->Exec(s, error);
        made = made && impl->Commit(error);
        if (!made) {
            impl->Rollback();
            QSqlQuery q(impl->Db());
            if (!q.exec(QStringLiteral("SELECT value FROM site_meta WHERE key = 'schema_version'")) || !q.next())
                return fail(OpenError::Unreachable, QStringLiteral("the tables cannot be made: ") + error);
        }
        tables << QStringLiteral("site_meta");
    }
    if (!tables.contains(QStringLiteral("site_meta")))
        return fail(OpenError::Damaged, QStringLiteral("holds other tables than a site database's; it was left as it is"));

    bool read = false;
    {
        QSqlQuery q(impl->Db());
        if (q.exec(QStringLiteral("SELECT value FROM site_meta WHERE key = 'schema_version'")) && q.next())
            impl->version = q.value(0).toString().toInt(&read);
    }
    if (!read || impl->version < 1)
        return fail(OpenError::Damaged, QStringLiteral("carries no schema version; it was left as it is"));
    if (impl->version > kSchemaVersion)
        return fail(OpenError::Newer,
                    QStringLiteral("was written by a newer version of the workbench (schema %1, this one knows %2); "
                                   "it was left as it is")
                        .arg(impl->version)
                        .arg(kSchemaVersion));

    if (impl->version < kSchemaVersion) {
        bool migrated = impl->Begin(error);
        // Read again under the lock: another program may have migrated meanwhile.
        int current = impl->version;
        if (migrated) {
            QSqlQuery q(impl->Db());
            if (q.exec(QStringLiteral("SELECT value FROM site_meta WHERE key = 'schema_version'")) && q.next())
                current = q.value(0).toString().toInt();
        }
        for (int v = current + 1; migrated && v <= kSchemaVersion; ++v)
            for (const QString& s : MigrationStatements(v))
                migrated = migrated && impl->Exec(s, error);
        migrated = migrated && impl->Commit(error);
        if (!migrated) {
            impl->Rollback();
            return fail(OpenError::Unreachable,
                        QStringLiteral("could not be brought to schema %1: %2").arg(kSchemaVersion).arg(error));
        }
        impl->version = kSchemaVersion;
    }

    if (!impl->postgres) {
        // Readers never wait for a writer; a commit syncs at checkpoints only,
        // still losing nothing a crash of the program could take.
        impl->Exec(QStringLiteral("PRAGMA journal_mode=WAL"), error);
        impl->Exec(QStringLiteral("PRAGMA synchronous=NORMAL"), error);
        impl->Exec(QStringLiteral("PRAGMA foreign_keys=ON"), error);
    }
    d_ = std::move(impl);
    return true;
}

ImportResult SiteDatabase::ImportTransferText(std::string_view text, const QString& filePath, const QString& acceptedAt)
{
    ImportResult r;
    if (!d_) {
        r.error = QStringLiteral("no site database is open");
        return r;
    }
    PreparedSource src;
    if (!PrepareTransfer(text, filePath, acceptedAt, src, r.error))
        return r;
    return d_->ImportOne(src);
}

ImportResult SiteDatabase::ImportProject(const QByteArray& bytes, const QString& filePath)
{
    ImportResult r;
    if (!d_) {
        r.error = QStringLiteral("no site database is open");
        return r;
    }
    PreparedSource src;
    if (!PrepareProject(bytes, filePath, src, r.error))
        return r;
    return d_->ImportOne(src);
}

namespace {

// Reads a raw or project file and prepares it.
bool PrepareFile(const QString& path, PreparedSource& src, QString& error)
{
    const FileKind kind = KindOfPath(S(path));
    if (kind == FileKind::Unknown) {
        error = path + QStringLiteral(": not a raw (.ORG) or project (.K30) file name");
        return false;
    }
    FileReadResult file = ReadWholeFile(S(path), kind == FileKind::Raw ? kMaxRawFileBytes : kMaxProjectFileBytes);
    if (!file.ok) {
        error = path + QStringLiteral(": ") + Q(file.error);
        return false;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (kind == FileKind::Raw) {
        const std::string_view text(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size());
        return PrepareTransfer(text, absolute, {}, src, error);
    }
    const QByteArray bytes(reinterpret_cast<const char*>(file.bytes.data()), static_cast<qsizetype>(file.bytes.size()));
    return PrepareProject(bytes, absolute, src, error);
}

}  // namespace

ImportResult SiteDatabase::ImportFile(const QString& path)
{
    ImportResult r;
    if (!d_) {
        r.error = QStringLiteral("no site database is open");
        return r;
    }
    PreparedSource src;
    if (!PrepareFile(path, src, r.error))
        return r;
    return d_->ImportOne(src);
}

ImportResult SiteDatabase::ImportFiles(const QStringList& paths, const std::function<bool(int, int)>& progress,
                                       QStringList* errors)
{
    ImportResult total;
    total.ok = true;
    const int n = static_cast<int>(paths.size());
    for (int i = 0; i < n; ++i) {
        if (progress && !progress(i, n)) {
            total.ok = false;
            total.error = QStringLiteral("stopped after %1 of %2 files").arg(i).arg(n);
            return total;
        }
        const ImportResult r = ImportFile(paths[i]);
        if (r.ok) {
            total.counts += r.counts;
        } else {
            total.ok = false;
            if (total.error.isEmpty())
                total.error = r.error;
            if (errors)
                *errors << r.error;
        }
    }
    if (progress)
        progress(n, n);
    return total;
}

bool SiteDatabase::Edit(const std::vector<qint64>& ids, const PointEdit& edit, std::vector<PointFields>* previous)
{
    error_.clear();
    if (!d_) {
        error_ = QStringLiteral("no site database is open");
        return false;
    }
    std::optional<double> metres;
    if (edit.chainage) {
        const ChainageParse c = ParseChainage(S(*edit.chainage));
        if (!c.ok) {
            error_ = Q(c.error);
            return false;
        }
        metres = c.metres;
    }
    QStringList sets;
    QVariantList values;
    if (edit.chainage) {
        sets << QStringLiteral("chainage = ?") << QStringLiteral("chainage_m = ?");
        values << T(edit.chainage->trimmed()) << NullableDouble(metres);
    }
    const std::pair<const std::optional<QString>*, const char*> texts[] = {
        {&edit.offset, "side_offset"}, {&edit.layer, "layer"}, {&edit.lot, "lot"}, {&edit.remark, "remark"}};
    for (const auto& [value, column] : texts)
        if (*value) {
            sets << QLatin1String(column) + QStringLiteral(" = ?");
            values << T((*value)->trimmed());
        }
    if (previous)
        previous->clear();

    return InTransaction([&](QString& error) {
        QSqlQuery old(d_->Db());
        old.prepare(QStringLiteral("SELECT chainage, side_offset, layer, lot, remark FROM points WHERE id = ?"));
        QSqlQuery update(d_->Db());
        update.prepare(QStringLiteral("UPDATE points SET %1 WHERE id = ?").arg(sets.join(QStringLiteral(", "))));
        for (qint64 id : ids) {
            old.addBindValue(id);
            if (!old.exec() || !old.next()) {
                error = old.lastError().isValid() ? ErrorText(old.lastError())
                                                  : QStringLiteral("there is no point %1").arg(id);
                return false;
            }
            if (previous)
                previous->push_back({id, old.value(0).toString(), old.value(1).toString(), old.value(2).toString(),
                                     old.value(3).toString(), old.value(4).toString()});
            old.finish();
            if (sets.isEmpty())
                continue;
            for (const QVariant& v : values)
                update.addBindValue(v);
            update.addBindValue(id);
            if (!update.exec()) {
                error = ErrorText(update.lastError());
                return false;
            }
        }
        return true;
    });
}

bool SiteDatabase::InTransaction(const std::function<bool(QString& error)>& work)
{
    QString error;
    if (!d_->Begin(error) || !work(error) || !d_->Commit(error)) {
        d_->Rollback();
        error_ = error;
        return false;
    }
    return true;
}

bool SiteDatabase::Restore(const std::vector<PointFields>& fields)
{
    error_.clear();
    if (!d_) {
        error_ = QStringLiteral("no site database is open");
        return false;
    }
    return InTransaction([&](QString& error) {
        QSqlQuery q(d_->Db());
        q.prepare(QStringLiteral("UPDATE points SET chainage = ?, chainage_m = ?, side_offset = ?, layer = ?, lot = ?, "
                                 "remark = ? WHERE id = ?"));
        for (const PointFields& f : fields) {
            const ChainageParse c = ParseChainage(S(f.chainage));
            q.addBindValue(T(f.chainage));
            q.addBindValue(NullableDouble(c.ok ? c.metres : std::nullopt));
            q.addBindValue(T(f.offset));
            q.addBindValue(T(f.layer));
            q.addBindValue(T(f.lot));
            q.addBindValue(T(f.remark));
            q.addBindValue(f.id);
            if (!q.exec()) {
                error = ErrorText(q.lastError());
                return false;
            }
        }
        return true;
    });
}

std::vector<SitePoint> SiteDatabase::Points(const SiteFilter& filter, const SiteSort& sort, qint64 offset, qint64 limit)
{
    std::vector<SitePoint> points;
    if (!d_)
        return points;
    const WhereClause where = BuildWhere(filter);
    QSqlQuery q(d_->Db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1, %2 AS verdict FROM points p JOIN sources s ON s.id = p.source_id%3 "
                             "ORDER BY %4 LIMIT %5 OFFSET %6")
                  .arg(QLatin1String(kPointColumns), VerdictSql(filter.required), where.sql,
                       OrderBySql(sort, filter))
                  .arg(std::max<qint64>(limit, 0))
                  .arg(std::max<qint64>(offset, 0)));
    for (const QVariant& v : where.values)
        q.addBindValue(v);
    if (!q.exec()) {
        error_ = ErrorText(q.lastError());
        return points;
    }
    while (q.next())
        points.push_back(PointFromQuery(q));
    return points;
}

std::vector<SitePoint> SiteDatabase::PointsById(const std::vector<qint64>& ids, const Requirements& required)
{
    std::vector<SitePoint> points;
    if (!d_)
        return points;
    QSqlQuery q(d_->Db());
    q.prepare(QStringLiteral("SELECT %1, %2 AS verdict FROM points p JOIN sources s ON s.id = p.source_id "
                             "WHERE p.id = ?")
                  .arg(QLatin1String(kPointColumns), VerdictSql(required)));
    for (qint64 id : ids) {
        q.addBindValue(id);
        if (q.exec() && q.next())
            points.push_back(PointFromQuery(q));
        q.finish();
    }
    return points;
}

qint64 SiteDatabase::Count(const SiteFilter& filter)
{
    if (!d_)
        return 0;
    const WhereClause where = BuildWhere(filter);
    QSqlQuery q(d_->Db());
    q.prepare(QStringLiteral("SELECT COUNT(*) FROM points p%1%2")
                  .arg(where.needsSources ? QStringLiteral(" JOIN sources s ON s.id = p.source_id") : QString(),
                       where.sql));
    for (const QVariant& v : where.values)
        q.addBindValue(v);
    if (!q.exec() || !q.next()) {
        error_ = ErrorText(q.lastError());
        return 0;
    }
    return q.value(0).toLongLong();
}

SiteStats SiteDatabase::Stats(const SiteFilter& filter)
{
    SiteStats stats;
    if (!d_)
        return stats;
    // One query per kind, each over its own part of the values index (kind
    // leads it), judging only what that kind needs: half the work per row
    // of one query judging both kinds.
    const auto run = [&](PointKind kind, const QString& values) -> std::optional<QSqlQuery> {
        SiteFilter f = filter;
        if (f.kind && *f.kind != kind)
            return std::nullopt;
        f.kind = kind;
        const WhereClause where = BuildWhere(f);
        QSqlQuery q(d_->Db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT %1 FROM points p%2%3")
                      .arg(values,
                           where.needsSources ? QStringLiteral(" JOIN sources s ON s.id = p.source_id") : QString(),
                           where.sql));
        for (const QVariant& v : where.values)
            q.addBindValue(v);
        if (!q.exec() || !q.next()) {
            error_ = ErrorText(q.lastError());
            return std::nullopt;
        }
        return q;
    };
    const auto counts = [](const QSqlQuery& q, int at) {
        const int all = q.value(at).toInt();
        const int passed = q.value(at + 1).toInt();
        const int failed = q.value(at + 2).toInt();
        return VerdictCounts{passed, failed, all - passed - failed};
    };
    const auto sample = [](const QSqlQuery& q, int at) {
        return StatsFrom(q.value(at).toLongLong(), q.value(at + 1).toDouble(), q.value(at + 2).toDouble(),
                         q.value(at + 3), q.value(at + 4));
    };
    const QString k30Values =
        QStringLiteral("COUNT(p.k30_num), SUM(p.k30_num), SUM(p.k30_num * p.k30_num), MIN(p.k30_num), "
                       "MAX(p.k30_num), COUNT(*), %1")
            .arg(VerdictCountsSql(filter.required, PointKind::K30));
    if (auto q = run(PointKind::K30, k30Values)) {
        stats.k30 = sample(*q, 0);
        stats.k30Counts = counts(*q, 5);
    }
    const QString ev2Values =
        QStringLiteral("COUNT(p.ev2_num), SUM(p.ev2_num), SUM(p.ev2_num * p.ev2_num), MIN(p.ev2_num), "
                       "MAX(p.ev2_num), COUNT(p.ratio_num), SUM(p.ratio_num), SUM(p.ratio_num * p.ratio_num), "
                       "MIN(p.ratio_num), MAX(p.ratio_num), COUNT(*), %1")
            .arg(VerdictCountsSql(filter.required, PointKind::Ev2));
    if (auto q = run(PointKind::Ev2, ev2Values)) {
        stats.ev2 = sample(*q, 0);
        stats.ratio = sample(*q, 5);
        stats.ev2Counts = counts(*q, 10);
    }
    return stats;
}

namespace {
QStringList Distinct(const QSqlDatabase& db, const QString& column)
{
    QStringList values;
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("SELECT DISTINCT %1 FROM points WHERE %1 <> '' ORDER BY %1").arg(column)))
        while (q.next())
            values << q.value(0).toString();
    return values;
}
}  // namespace

QStringList SiteDatabase::Layers() { return d_ ? Distinct(d_->Db(), QStringLiteral("layer")) : QStringList(); }

QStringList SiteDatabase::Lots() { return d_ ? Distinct(d_->Db(), QStringLiteral("lot")) : QStringList(); }

std::optional<SiteSource> SiteDatabase::Source(qint64 sourceId)
{
    if (!d_)
        return std::nullopt;
    QSqlQuery q(d_->Db());
    q.prepare(QStringLiteral("SELECT id, sha256, kind, instrument_no, accepted_at, file_path, header, content "
                             "FROM sources WHERE id = ?"));
    q.addBindValue(sourceId);
    if (!q.exec() || !q.next())
        return std::nullopt;
    SiteSource s;
    s.id = q.value(0).toLongLong();
    s.sha256 = q.value(1).toString();
    s.kind = q.value(2).toString() == QStringLiteral("project") ? SourceKind::Project : SourceKind::Transfer;
    s.instrumentNo = q.value(3).toInt();
    s.acceptedAt = q.value(4).toString();
    s.filePath = q.value(5).toString();
    s.header = HeaderFromJson(q.value(6).toString());
    s.content = q.value(7).toByteArray();
    return s;
}

std::optional<SiteSource> SiteDatabase::SourceOfPoint(qint64 pointId)
{
    if (!d_)
        return std::nullopt;
    QSqlQuery q(d_->Db());
    q.prepare(QStringLiteral("SELECT source_id FROM points WHERE id = ?"));
    q.addBindValue(pointId);
    if (!q.exec() || !q.next())
        return std::nullopt;
    return Source(q.value(0).toLongLong());
}

namespace {
qint64 CountOf(const QSqlDatabase& db, const QString& table)
{
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table) && q.next())
        return q.value(0).toLongLong();
    return 0;
}
}  // namespace

qint64 SiteDatabase::SourceCount() { return d_ ? CountOf(d_->Db(), QStringLiteral("sources")) : 0; }

qint64 SiteDatabase::PointCount() { return d_ ? CountOf(d_->Db(), QStringLiteral("points")) : 0; }

ImportResult SiteDatabase::Rebuild(const QString& archiveFolder, const std::function<bool(int, int)>& progress,
                                   QStringList* skipped)
{
    ImportResult r;
    if (!d_) {
        r.error = QStringLiteral("no site database is open");
        return r;
    }
    if (!QFileInfo(archiveFolder).isDir()) {
        r.error = archiveFolder + QStringLiteral(": the transfer archive folder does not exist");
        return r;
    }
    const QStringList files = ArchiveFiles(archiveFolder);
    QString error;
    if (!d_->Begin(error)) {
        r.error = error;
        return r;
    }
    auto fail = [&](const QString& message) {
        d_->Rollback();
        r.ok = false;
        r.error = message;
        r.counts = {};
        return r;
    };

    // What the engineer added, by source, kind and place in the source.
    struct Kept {
        QString sha, kind;
        int seq;
        PointFields fields;
    };
    std::vector<Kept> kept;
    std::vector<qint64> held;
    {
        QSqlQuery q(d_->Db());
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral(
                "SELECT s.sha256, p.kind, p.seq, p.chainage, p.side_offset, p.layer, p.lot, p.remark "
                "FROM points p JOIN sources s ON s.id = p.source_id WHERE "
                "p.chainage <> '' OR p.side_offset <> '' OR p.layer <> '' OR p.lot <> '' OR p.remark <> ''")))
            return fail(ErrorText(q.lastError()));
        while (q.next())
            kept.push_back({q.value(0).toString(), q.value(1).toString(), q.value(2).toInt(),
                            {0, q.value(3).toString(), q.value(4).toString(), q.value(5).toString(),
                             q.value(6).toString(), q.value(7).toString()}});
        if (!q.exec(QStringLiteral("SELECT id FROM sources ORDER BY id")))
            return fail(ErrorText(q.lastError()));
        while (q.next())
            held.push_back(q.value(0).toLongLong());
    }
    if (!d_->Exec(QStringLiteral("DELETE FROM points"), error))
        return fail(error);

    // Every source held (imported files too, which the archive lacks) is
    // evaluated again from its own bytes; then the archive's new transfers.
    const int n = static_cast<int>(held.size() + files.size());
    int step = 0;
    for (qint64 id : held) {
        if (progress && !progress(step++, n))
            return fail(QStringLiteral("stopped; the database is as it was"));
        const std::optional<SiteSource> source = Source(id);
        PreparedSource src;
        QString why;
        const bool ok = source && (source->kind == SourceKind::Project
                                       ? PrepareProject(source->content, source->filePath, src, why)
                                       : PrepareTransfer(std::string_view(source->content.constData(),
                                                                          static_cast<std::size_t>(source->content.size())),
                                                         source->filePath, source->acceptedAt, src, why));
        if (!ok) {
            if (skipped)
                *skipped << why;
            continue;
        }
        int points = 0;
        if (!d_->InsertPoints(id, src.rows, points, error))
            return fail(error);
    }
    for (const QString& file : files) {
        if (progress && !progress(step++, n))
            return fail(QStringLiteral("stopped; the database is as it was"));
        PreparedSource src;
        QString why;
        if (!PrepareFile(file, src, why)) {
            if (skipped)
                *skipped << why;
            continue;
        }
        bool added = false;
        int points = 0;
        if (!d_->Insert(src, added, points, error))
            return fail(file + QStringLiteral(": ") + error);
        if (added) {
            ++r.counts.transfersAdded;
            r.counts.pointsAdded += points;
        } else {
            ++r.counts.transfersPresent;
        }
    }

    QSqlQuery put(d_->Db());
    put.prepare(QStringLiteral("UPDATE points SET chainage = ?, chainage_m = ?, side_offset = ?, layer = ?, lot = ?, "
                               "remark = ? WHERE source_id = (SELECT id FROM sources WHERE sha256 = ?) AND kind = ? "
                               "AND seq = ?"));
    for (const Kept& k : kept) {
        const ChainageParse c = ParseChainage(S(k.fields.chainage));
        put.addBindValue(T(k.fields.chainage));
        put.addBindValue(NullableDouble(c.ok ? c.metres : std::nullopt));
        put.addBindValue(T(k.fields.offset));
        put.addBindValue(T(k.fields.layer));
        put.addBindValue(T(k.fields.lot));
        put.addBindValue(T(k.fields.remark));
        put.addBindValue(k.sha);
        put.addBindValue(k.kind);
        put.addBindValue(k.seq);
        if (!put.exec())
            return fail(ErrorText(put.lastError()));
    }
    if (!d_->Commit(error))
        return fail(error);
    if (progress)
        progress(n, n);
    r.ok = true;
    return r;
}

bool SiteDatabase::ToStore(const std::vector<SitePoint>& points, TestDataStore& store)
{
    if (!d_)
        return false;
    store.ClearK30Points();
    store.ev2List.clear();
    QSqlQuery q(d_->Db());
    q.prepare(QStringLiteral("SELECT readings, stress125, k30_text, test_type, design_load FROM points WHERE id = ?"));
    bool instrumentSet = false;
    for (const SitePoint& p : points) {
        q.addBindValue(p.id);
        if (!q.exec() || !q.next()) {
            error_ = q.lastError().isValid() ? ErrorText(q.lastError()) : QStringLiteral("there is no point %1").arg(p.id);
            return false;
        }
        const auto reading = ReadingsFromText(q.value(0).toString());
        if (p.kind == PointKind::K30) {
            K30 k;
            k.name = S(p.name);
            k.startTime = S(p.startTime);
            k.endTime = S(p.endTime);
            k.stress125 = S(q.value(1).toString());
            k.k30Value = S(q.value(2).toString());
            k.testType = S(q.value(3).toString());
            k.designLoad = S(q.value(4).toString());
            k.reading = reading;
            store.AddK30Point(k);
        } else {
            Ev2Point e;
            e.name = S(p.name);
            e.startTime = S(p.startTime);
            e.endTime = S(p.endTime);
            e.reading = reading;
            store.ev2List.push_back(e);
        }
        q.finish();
        if (!instrumentSet) {
            store.nInstrumentNo = p.instrumentNo;
            instrumentSet = true;
        }
    }
    store.nK30Count = static_cast<std::int32_t>(store.k30List.size());
    store.nEv2Count = static_cast<std::int32_t>(store.ev2List.size());
    return true;
}

bool ImportArchivedTransfer(const QString& address, std::string_view text, const QString& archivePath, QString* error)
{
    SiteDatabase db;
    if (!db.Open(address)) {
        if (error)
            *error = db.LastError();
        return false;
    }
    const ImportResult r = db.ImportTransferText(text, archivePath);
    if (!r.ok && error)
        *error = r.error;
    return r.ok;
}

bool SetAsideDatabaseFile(const QString& address, QString* setAsidePath, QString* error)
{
    const AddressParse parsed = ParseSiteAddress(address);
    if (!parsed.ok || parsed.address.engine != SiteAddress::Engine::SQLite) {
        if (error)
            *error = parsed.ok ? QStringLiteral("a PostgreSQL database is never set aside by the workbench") : parsed.error;
        return false;
    }
    const QString path = parsed.address.path;
    const QString aside =
        path + QStringLiteral(".set-aside-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (!QFile::rename(path, aside)) {
        if (error)
            *error = path + QStringLiteral(": cannot be renamed to ") + aside;
        return false;
    }
    // The journal files belong to the file set aside: a new database must not read them.
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        if (QFile::exists(path + QLatin1String(suffix)))
            QFile::rename(path + QLatin1String(suffix), aside + QLatin1String(suffix));
    if (setAsidePath)
        *setAsidePath = aside;
    return true;
}

QStringList ArchiveFiles(const QString& folder)
{
    QStringList files;
    const QDir dir(folder);
    for (const QFileInfo& f : dir.entryInfoList(QDir::Files, QDir::Name)) {
        const QString name = f.fileName();
        if (!name.endsWith(QStringLiteral(".org"), Qt::CaseInsensitive))
            continue;
        if (name.contains(QStringLiteral("_unaccepted"), Qt::CaseInsensitive))
            continue;
        files << f.absoluteFilePath();
    }
    return files;
}

}  // namespace k30::site
