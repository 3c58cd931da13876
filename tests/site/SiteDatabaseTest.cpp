#include <algorithm>
#include <map>
#include <thread>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "Chainage.h"
#include "ProjectFile.h"
#include "SiteDatabase.h"
#include "SiteSchema.h"
#include "SiteTestSupport.h"
#include "TestDataStore.h"
#include "TransferDecoder.h"

namespace k30::site::test {
namespace {

QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

std::vector<qint64> Ids(const std::vector<SitePoint>& points)
{
    std::vector<qint64> ids;
    for (const SitePoint& p : points)
        ids.push_back(p.id);
    return ids;
}

TYPED_TEST_SUITE(SiteTest, Engines, EngineNames);

// A transfer goes in once, whatever white space and letter case a copy of it
// carries; its points keep the instrument's texts and the evaluated Ev2 results.
TYPED_TEST(SiteTest, ImportsEachTransferOnceWithItsResults)
{
    SiteDatabase db;
    ASSERT_TRUE(db.Open(this->Address())) << db.LastError().toStdString();
    const std::string text = Transfer(7, {100, 120}, 2);
    ImportResult r = db.ImportTransferText(text);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.counts.transfersAdded, 1);
    EXPECT_EQ(r.counts.pointsAdded, 4);

    QString edited = QString::fromStdString(text).toLower();
    edited.replace(QStringLiteral("0 "), QStringLiteral("0\r\n"));
    r = db.ImportTransferText(edited.toStdString());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.counts.transfersAdded, 0);
    EXPECT_EQ(r.counts.transfersPresent, 1);
    EXPECT_EQ(db.PointCount(), 4);

    TestDataStore decoded;
    DecodeTransfer(text, decoded);
    SiteFilter k30Only;
    k30Only.kind = PointKind::K30;
    const auto k30 = db.Points(k30Only, {SortColumn::Name, false}, 0, 10);
    ASSERT_EQ(k30.size(), 2u);
    EXPECT_EQ(k30[0].k30Value, QStringLiteral("100"));
    EXPECT_EQ(k30[0].stress125, QStringLiteral("0.125"));
    EXPECT_EQ(k30[0].instrumentNo, 7);
    EXPECT_EQ(db.Source(k30[0].sourceId)->filePath, QString());  // imported without a file
    EXPECT_EQ(k30[1].startTime.toStdString(), decoded.k30List[1].startTime);

    SiteFilter ev2Only;
    ev2Only.kind = PointKind::Ev2;
    const auto ev2 = db.Points(ev2Only, {}, 0, 10);
    ASSERT_EQ(ev2.size(), 2u);
    const Ev2Result e = ComputeEv2(decoded.ev2List[0].reading);
    EXPECT_EQ(ev2[0].ev2.toStdString(), e.ev2Text);
    EXPECT_EQ(ev2[0].ratio.toStdString(), e.ratioText);

    // Opening a point gives back its transfer byte for byte.
    const auto source = db.SourceOfPoint(ev2[0].id);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->kind, SourceKind::Transfer);
    EXPECT_EQ(source->content.toStdString(), text);
    EXPECT_EQ(source->sha256, ev2[0].transfer);
}

// Project files keep their header and their points' names.
TYPED_TEST(SiteTest, ImportsProjectFilesWithTheirHeader)
{
    K30 a;
    a.name = "北段-1";
    a.k30Value = "150";
    ReportHeader header;
    header.ProjectName = "京沪线";
    header.FillLayer = "3";
    const auto bytes = WriteProject(12, {&a}, header);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.K30"));
    WriteFile(path, QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));

    SiteDatabase db;
    ASSERT_TRUE(db.Open(this->Address()));
    const ImportResult r = db.ImportFile(path);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    const auto points = db.Points({}, {}, 0, 10);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].name, QStringLiteral("北段-1"));
    const auto source = db.SourceOfPoint(points[0].id);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->kind, SourceKind::Project);
    EXPECT_EQ(source->header.ProjectName, "京沪线");
    EXPECT_EQ(source->instrumentNo, 12);
}

// Chainage, layer and lot set on a selection at once, filters over them, the
// statistics worked by hand, and undo of the edit.
TYPED_TEST(SiteTest, FiltersEditsAndStatistics)
{
    SiteDatabase db;
    ASSERT_TRUE(db.Open(this->Address()));
    // K30 100, 120, 140 on day 12; K30 90 and one Ev2 point on day 14.
    ASSERT_TRUE(db.ImportTransferText(Transfer(1, {100, 120, 140}, 0, 12)).ok);
    ASSERT_TRUE(db.ImportTransferText(Transfer(2, {90}, 1, 14)).ok);
    const auto all = db.Points({}, {}, 0, 100);
    ASSERT_EQ(all.size(), 5u);

    std::vector<PointFields> before;
    ASSERT_TRUE(db.Edit({all[0].id, all[1].id, all[2].id},
                        {QStringLiteral("DK125+340.5"), QStringLiteral("左2m"), QStringLiteral("3"), QStringLiteral("A"), {}},
                        &before));
    ASSERT_EQ(before.size(), 3u);
    ASSERT_TRUE(db.Edit({all[2].id}, {QStringLiteral("DK125+900"), {}, {}, {}, QStringLiteral("复测")}));
    EXPECT_FALSE(db.Edit({all[3].id}, {QStringLiteral("DK12A+5"), {}, {}, {}, {}}));
    EXPECT_FALSE(db.LastError().isEmpty());
    EXPECT_FALSE(db.Edit({999999}, {{}, {}, QStringLiteral("9"), {}, {}}));

    SiteFilter layer3;
    layer3.layer = QStringLiteral("3");
    layer3.required.k30 = 110.0;
    EXPECT_EQ(db.Count(layer3), 3);
    SiteStats s = db.Stats(layer3);
    EXPECT_EQ(s.k30.count, 3);
    EXPECT_DOUBLE_EQ(*s.k30.mean, 120.0);
    EXPECT_DOUBLE_EQ(*s.k30.std, 20.0);
    EXPECT_DOUBLE_EQ(*s.k30.cv, 20.0 / 120.0);
    EXPECT_EQ(s.k30Counts.passed, 2);
    EXPECT_EQ(s.k30Counts.failed, 1);

    SiteFilter stretch = layer3;
    stretch.chainageFrom = 125300.0;
    stretch.chainageTo = 125400.0;
    const auto inStretch = db.Points(stretch, {SortColumn::Chainage, true}, 0, 10);
    ASSERT_EQ(inStretch.size(), 2u);
    EXPECT_DOUBLE_EQ(*inStretch[0].chainageM, 125340.5);
    EXPECT_EQ(inStretch[0].offset, QStringLiteral("左2m"));

    SiteFilter failing;
    failing.required.k30 = 110.0;
    failing.verdict = Verdict::Fail;
    EXPECT_EQ(db.Count(failing), 2);  // 100 and 90
    SiteFilter text;
    text.text = QStringLiteral("复测");
    EXPECT_EQ(Ids(db.Points(text, {}, 0, 10)), std::vector<qint64>{all[2].id});
    SiteFilter day14;
    day14.from = QDate(2009, 5, 13);
    EXPECT_EQ(db.Count(day14), 1);  // the Ev2 point is of day 12
    EXPECT_EQ(db.Layers(), QStringList{QStringLiteral("3")});

    // Sorted by chainage, points without one come last either way.
    const auto byChainage = db.Points({}, {SortColumn::Chainage, false}, 0, 10);
    EXPECT_EQ(byChainage[0].id, all[0].id);
    EXPECT_EQ(byChainage[2].id, all[2].id);
    EXPECT_FALSE(byChainage[4].chainageM);

    ASSERT_TRUE(db.Restore(before));
    layer3.layer = QStringLiteral("3");
    EXPECT_EQ(db.Count(layer3), 0);
    const SitePoint undone = db.PointsById({all[2].id}, {})[0];
    EXPECT_TRUE(undone.remark.isEmpty() && undone.chainage.isEmpty() && !undone.chainageM);
}

// The verdicts the database judges are those of the acceptance code, for
// every kind of point, on one set of requirements after another.
TYPED_TEST(SiteTest, VerdictsAgreeWithTheAcceptanceCode)
{
    SiteDatabase db;
    ASSERT_TRUE(db.Open(this->Address()));
    const std::string text = Transfer(3, {0, 100, 160, 161}, 3);
    ASSERT_TRUE(db.ImportTransferText(text).ok);
    TestDataStore decoded;
    DecodeTransfer(text, decoded);
    for (const Requirements& req : {Requirements{}, Requirements{160.0, {}, {}, {}}, Requirements{{}, 140.0, 2.6, {}},
                                    Requirements{100.0, 1000.0, {}, {}}}) {
        SiteFilter f;
        f.required = req;
        std::map<std::pair<PointKind, Verdict>, int> tally;
        for (const SitePoint& p : db.Points(f, {}, 0, 100)) {
            const Verdict expected = p.kind == PointKind::K30
                                         ? AssessK30Point(decoded.k30List[static_cast<std::size_t>(p.seq)], false, req).verdict
                                         : AssessEv2Point(decoded.ev2List[static_cast<std::size_t>(p.seq)], req).verdict;
            EXPECT_EQ(p.verdict, expected) << p.name.toStdString();
            ++tally[{p.kind, expected}];
        }
        // The statistics count the same verdicts.
        const SiteStats s = db.Stats(f);
        for (const auto& [kind, c] : {std::pair{PointKind::K30, s.k30Counts}, std::pair{PointKind::Ev2, s.ev2Counts}}) {
            EXPECT_EQ(c.passed, (tally[{kind, Verdict::Pass}]));
            EXPECT_EQ(c.failed, (tally[{kind, Verdict::Fail}]));
            EXPECT_EQ(c.none, (tally[{kind, Verdict::None}]));
        }
    }
}

// Damaged input is refused with its name and the database keeps what it held.
TYPED_TEST(SiteTest, DamagedFilesAreRefusedAndChangeNothing)
{
    SiteDatabase db;
    ASSERT_TRUE(db.Open(this->Address()));
    ASSERT_TRUE(db.ImportTransferText(Transfer(1, {100})).ok);
    QTemporaryDir dir;
    const QString raw = dir.filePath(QStringLiteral("bad.ORG"));
    const QString project = dir.filePath(QStringLiteral("bad.K30"));
    WriteFile(raw, "AA BB not hex at all");
    WriteFile(project, QByteArray(7, '\x01'));
    QStringList errors;
    const ImportResult r = db.ImportFiles({raw, project, dir.filePath(QStringLiteral("missing.ORG"))}, {}, &errors);
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(errors.size(), 3);
    EXPECT_TRUE(errors[0].contains(raw));
    EXPECT_EQ(db.SourceCount(), 1);
    EXPECT_EQ(db.PointCount(), 1);
}

// A database of a later program version is read by nobody and left as it is.
TYPED_TEST(SiteTest, NewerSchemaIsLeftAlone)
{
    {
        SiteDatabase db;
        ASSERT_TRUE(db.Open(this->Address()));
        ASSERT_TRUE(db.ImportTransferText(Transfer(1, {100})).ok);
    }
    ExecRaw(this->Address(), {QStringLiteral("UPDATE site_meta SET value = '99' WHERE key = 'schema_version'")});
    const QString path = ParseSiteAddress(this->Address()).address.path;
    const QByteArray before = TypeParam::kPostgres ? QByteArray() : FileBytes(path);
    SiteDatabase db;
    EXPECT_FALSE(db.Open(this->Address()));
    EXPECT_EQ(db.LastOpenError(), OpenError::Newer);
    EXPECT_TRUE(db.LastError().contains(QStringLiteral("newer")));
    if (!TypeParam::kPostgres) {
        EXPECT_EQ(FileBytes(path), before);
    }
}

// A database of the first release is brought to the current schema, its
// points kept.
TYPED_TEST(SiteTest, MigratesFromTheFirstSchema)
{
    QStringList v1 = CreateStatements(1, TypeParam::kPostgres);
    v1 << QStringLiteral("INSERT INTO sources (sha256, kind, instrument_no, accepted_at, file_path, header, content, "
                         "imported_at) VALUES ('ab', 'transfer', 1, '', '', '{}', '', '')")
       << QStringLiteral("INSERT INTO points (source_id, kind, seq, name, start_time, end_time, stress125, k30_text, "
                         "test_type, design_load, sigma0max, ev1, ev2, ratio, readings, k30_num, layer) VALUES "
                         "((SELECT id FROM sources), 'k30', 0, '1', '', '', '0.125', '100', 'K30', '', '', '', '', "
                         "'', '', 100, '2')");
    ExecRaw(this->Address(), v1);
    SiteDatabase db;
    ASSERT_TRUE(db.Open(this->Address())) << db.LastError().toStdString();
    EXPECT_EQ(db.SchemaVersion(), SiteDatabase::kSchemaVersion);
    const auto points = db.Points({}, {}, 0, 10);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].layer, QStringLiteral("2"));
    ASSERT_TRUE(db.Edit({points[0].id}, {{}, {}, {}, {}, QStringLiteral("ok")}));
    EXPECT_TRUE(db.ImportTransferText(Transfer(1, {100})).ok);
}

// Two programs importing the same transfers at once: each transfer once,
// every point once.
TYPED_TEST(SiteTest, TwoWritersAtOnceLoseAndDuplicateNothing)
{
    std::vector<std::string> transfers;
    for (int t = 0; t < 12; ++t)
        transfers.push_back(Transfer(100 + t, {100, 110, 120, 130, 140}, 2));
    {
        SiteDatabase db;
        ASSERT_TRUE(db.Open(this->Address()));  // the schema, made once
    }
    ImportCounts counts[2];
    bool ok[2] = {true, true};
    auto writer = [&](int w) {
        SiteDatabase db;
        if (!db.Open(this->Address())) {
            ok[w] = false;
            return;
        }
        for (std::size_t k = 0; k < transfers.size(); ++k) {
            const std::string& t = transfers[w == 0 ? k : transfers.size() - 1 - k];
            const ImportResult r = db.ImportTransferText(t);
            ok[w] = ok[w] && r.ok;
            counts[w] += r.counts;
        }
    };
    std::thread a(writer, 0);
    std::thread b(writer, 1);
    a.join();
    b.join();
    EXPECT_TRUE(ok[0] && ok[1]);
    EXPECT_EQ(counts[0].transfersAdded + counts[1].transfersAdded, 12);
    EXPECT_EQ(counts[0].transfersPresent + counts[1].transfersPresent, 12);
    SiteDatabase db;
    ASSERT_TRUE(db.Open(this->Address()));
    EXPECT_EQ(db.SourceCount(), 12);
    EXPECT_EQ(db.PointCount(), 12 * 7);
}

// An import killed in the middle of its transaction leaves the database as
// it was; the transfer goes in whole afterwards.
TYPED_TEST(SiteTest, KilledImportLeavesTheDatabaseAsItWas)
{
    {
        SiteDatabase db;
        ASSERT_TRUE(db.Open(this->Address()));
        ASSERT_TRUE(db.ImportTransferText(Transfer(1, {100, 120})).ok);
    }
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--import-until-killed"), this->Address()});
    QByteArray said;
    while (!said.contains("mid-import") && child.waitForReadyRead(30000))
        said += child.readAllStandardOutput();
    ASSERT_TRUE(said.contains("mid-import")) << child.readAllStandardError().toStdString();
    child.kill();
    ASSERT_TRUE(child.waitForFinished(30000));

    SiteDatabase db;
    ASSERT_TRUE(db.Open(this->Address())) << db.LastError().toStdString();
    EXPECT_EQ(db.SourceCount(), 1);
    EXPECT_EQ(db.PointCount(), 2);
    const ImportResult r = db.ImportTransferText(BytesToTransferText(BuildTransfer(RegularPlan(100))));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.counts.pointsAdded, 120);
}

// Rebuild evaluates what the database holds again and adds the accepted
// transfers of the archive, whatever their names look like; it keeps what the
// engineer added and skips what it cannot read.
TYPED_TEST(SiteTest, RebuildFromTheArchiveKeepsTheEngineersFields)
{
    QTemporaryDir archive;
    const std::string first = Transfer(1, {100, 120});
    const std::string second = Transfer(2, {130}, 1);
    WriteFile(archive.filePath(QStringLiteral("2026-12-06_143005_instrument-1.ORG")), QByteArray::fromStdString(first));
    WriteFile(archive.filePath(QStringLiteral("2026-12-07_090000+0800_instrument-2.ORG")),
              QByteArray::fromStdString(second));
    WriteFile(archive.filePath(QStringLiteral("2026-12-07_100000+0800_instrument-2_unaccepted.ORG")),
              QByteArray::fromStdString(Transfer(3, {150})));
    WriteFile(archive.filePath(QStringLiteral("copy.org")), "garbage");

    SiteDatabase db;
    ASSERT_TRUE(db.Open(this->Address()));
    ASSERT_TRUE(db.ImportTransferText(first).ok);
    ASSERT_TRUE(db.ImportTransferText(Transfer(9, {99})).ok);  // not in the archive
    const auto before = db.Points({}, {}, 0, 10);
    ASSERT_TRUE(db.Edit({before[1].id}, {QStringLiteral("K1+200"), {}, QStringLiteral("4"), {}, {}}));

    // A stop leaves everything as it was.
    EXPECT_FALSE(db.Rebuild(archive.path(), [](int done, int) { return done < 1; }).ok);
    EXPECT_EQ(db.PointCount(), 3);

    QStringList skipped;
    const ImportResult r = db.Rebuild(archive.path(), {}, &skipped);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.counts.transfersAdded, 1);
    EXPECT_EQ(r.counts.transfersPresent, 1);
    EXPECT_EQ(db.PointCount(), 5);  // the imported transfer the archive lacks stays
    ASSERT_EQ(skipped.size(), 1);
    EXPECT_TRUE(skipped[0].contains(QStringLiteral("copy.org")));
    SiteFilter layer4;
    layer4.layer = QStringLiteral("4");
    const auto kept = db.Points(layer4, {}, 0, 10);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_DOUBLE_EQ(*kept[0].chainageM, 1200.0);
    EXPECT_EQ(kept[0].k30Value, QStringLiteral("120"));
}

// The read page's hook: the archived transfer goes into the database.
TYPED_TEST(SiteTest, ArchivedTransferHookImports)
{
    QString error;
    EXPECT_TRUE(ImportArchivedTransfer(this->Address(), Transfer(5, {100}), QStringLiteral("/a/b.ORG"), &error))
        << error.toStdString();
    SiteDatabase db;
    ASSERT_TRUE(db.Open(this->Address()));
    EXPECT_EQ(db.SourceCount(), 1);
}

// A file that is not a site database is never opened for writing or changed.
TEST(SiteDatabaseFile, DamagedOrForeignFilesAreLeftAsTheyAre)
{
    QTemporaryDir dir;
    const QString garbage = dir.filePath(QStringLiteral("garbage.sqlite"));
    WriteFile(garbage, QByteArray(4096, '\x5a'));
    SiteDatabase db;
    EXPECT_FALSE(db.Open(QStringLiteral("sqlite:") + garbage));
    EXPECT_EQ(db.LastOpenError(), OpenError::Damaged);
    EXPECT_EQ(FileBytes(garbage), QByteArray(4096, '\x5a'));

    const QString foreign = dir.filePath(QStringLiteral("other.sqlite"));
    ExecRaw(QStringLiteral("sqlite:") + foreign, {QStringLiteral("CREATE TABLE notes (t TEXT)")});
    const QByteArray before = FileBytes(foreign);
    EXPECT_FALSE(db.Open(QStringLiteral("sqlite:") + foreign));
    EXPECT_EQ(db.LastOpenError(), OpenError::Damaged);
    EXPECT_EQ(FileBytes(foreign), before);

    // A cut-off database file: the header is there, the pages are not.
    const QString cut = dir.filePath(QStringLiteral("cut.sqlite"));
    {
        SiteDatabase whole;
        ASSERT_TRUE(whole.Open(QStringLiteral("sqlite:") + cut));
        ASSERT_TRUE(whole.ImportTransferText(Transfer(1, {100})).ok);
    }
    const QByteArray cutBytes = FileBytes(cut).left(100) + QByteArray(50, '\0');
    WriteFile(cut, cutBytes);
    EXPECT_FALSE(db.Open(QStringLiteral("sqlite:") + cut));
    EXPECT_EQ(FileBytes(cut), cutBytes);

    EXPECT_FALSE(db.Open(QStringLiteral("sqlite:") + dir.path()));
    EXPECT_EQ(db.LastOpenError(), OpenError::Unreachable);
}

TEST(SiteAddress, AddressesAndRefusals)
{
    const AddressParse pg = ParseSiteAddress(QStringLiteral("postgresql://site:pw@db.example:6543/k30"));
    ASSERT_TRUE(pg.ok);
    EXPECT_EQ(pg.address.engine, SiteAddress::Engine::PostgreSQL);
    EXPECT_EQ(pg.address.port, 6543);
    EXPECT_EQ(pg.address.name, QStringLiteral("k30"));
    EXPECT_FALSE(DisplayAddress(pg.address).contains(QStringLiteral("pw")));
    for (const char* bad : {"sqlite:", "postgresql://host", "site.sqlite", "mysql://a@b/c", ""})
        EXPECT_FALSE(ParseSiteAddress(QString::fromLatin1(bad)).ok) << bad;
    SiteDatabase db;
    EXPECT_FALSE(db.Open(QStringLiteral("postgresql://nobody@127.0.0.1:1/none")));
    EXPECT_EQ(db.LastOpenError(), OpenError::Unreachable);
}

TEST(Chainage, TextsToMetres)
{
    const std::pair<const char*, double> good[] = {
        {"DK125+340.5", 125340.5}, {"K0+000", 0.0},       {"CK12+345.67", 12345.67}, {"125340.5", 125340.5},
        {" dk 125 + 340.5 ", 125340.5}, {"K0-050", -50.0}, {"DK125-040", 124960.0},  {"-12.5", -12.5},
        {"K12+345,5", 12345.5},
    };
    for (const auto& [text, metres] : good) {
        const ChainageParse p = ParseChainage(text);
        ASSERT_TRUE(p.ok && p.metres) << text << ": " << p.error;
        EXPECT_NEAR(*p.metres, metres, 1e-9) << text;
    }
    const ChainageParse blank = ParseChainage("   ");
    EXPECT_TRUE(blank.ok);
    EXPECT_FALSE(blank.metres);
    for (const char* bad : {"DK125", "DK+340", "K12+1340", "K1.5+20", "DK125+34a", "12 34x", "K12+345+1", "里程"}) {
        const ChainageParse p = ParseChainage(bad);
        EXPECT_FALSE(p.ok) << bad;
        EXPECT_FALSE(p.error.empty()) << bad;
    }
    EXPECT_EQ(FormatChainage(125340.5, "DK"), "DK125+340.500");
    EXPECT_EQ(FormatChainage(-50.0), "K0-050.000");
}

}  // namespace
}  // namespace k30::site::test
