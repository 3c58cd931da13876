// The site database on SQLite: importing 1,000 transfers of 100 points, and a
// filtered page of points with its count and statistics over 1,000,000 points.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "SiteDatabase.h"
#include "TransferBuilder.h"
#include "TransferText.h"

namespace {

using namespace k30;
using namespace k30::site;

// A transfer of 100 K30 points, made different by its instrument number.
std::string Transfer100(int tag)
{
    TransferPlan plan = RegularPlan(100);
    plan.ev2Section = false;
    plan.ev2Records = 0;
    plan.k30InstrumentNo = static_cast<std::uint16_t>(tag);
    return BytesToTransferText(BuildTransfer(plan));
}

void BM_Import1000TransfersOf100Points(benchmark::State& state)
{
    std::vector<std::string> transfers;
    for (int t = 0; t < 1000; ++t)
        transfers.push_back(Transfer100(t + 1));
    for (auto _ : state) {
        QTemporaryDir dir;
        SiteDatabase db;
        if (!db.Open(QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("site.sqlite")))) {
            state.SkipWithError("cannot open");
            return;
        }
        for (const std::string& t : transfers)
            benchmark::DoNotOptimize(db.ImportTransferText(t));
        state.counters["points"] = static_cast<double>(db.PointCount());
    }
}
BENCHMARK(BM_Import1000TransfersOf100Points)->Unit(benchmark::kMillisecond)->Iterations(1);

// One database of 1,000,000 points for the query benchmarks: 100 imported
// points copied 10,000 times in SQL, spread over 100 km of line, 10 layers
// and 200 lots.
struct MillionPoints {
    QTemporaryDir dir;
    QString address;
    MillionPoints()
    {
        address = QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("site.sqlite"));
        {
            SiteDatabase db;
            db.Open(address);
            db.ImportTransferText(Transfer100(1));
        }
        {
            QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
            raw.setDatabaseName(dir.filePath(QStringLiteral("site.sqlite")));
            raw.open();
            QSqlQuery q(raw);
            q.exec(QStringLiteral("BEGIN"));
            q.exec(QStringLiteral(
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 9999) "
                "INSERT INTO points (source_id, kind, seq, name, start_time, end_time, test_date, stress125, "
                "k30_text, test_type, design_load, sigma0max, ev1, ev2, ratio, readings, k30_num, k30_bound, ev2_num, "
                "ratio_num, ev2_shown, ratio_shown, chainage, chainage_m, side_offset, layer, lot, remark) "
                "SELECT source_id, kind, seq + 100 * i, name, start_time, end_time, "
                "date('2026-01-01', '+' || (i % 300) || ' days'), stress125, k30_text, test_type, design_load, "
                "sigma0max, ev1, ev2, ratio, readings, k30_num + (i % 60), k30_bound, ev2_num, ratio_num, ev2_shown, "
                "ratio_shown, '', (i * 10 + seq) % 100000, '', 'L' || (i % 10), 'lot' || (i % 200), '' "
                "FROM points, n"));
            q.exec(QStringLiteral("COMMIT"));
            q.exec(QStringLiteral("ANALYZE"));
            raw.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    }
};

MillionPoints& Million()
{
    static MillionPoints m;
    return m;
}

// A lot's stretch of one layer, judged against K30 >= 150: the count, the
// first page of 100 rows by chainage and the statistics.
void BM_FilteredPageAndStatsOf1MPoints(benchmark::State& state)
{
    SiteDatabase db;
    db.Open(Million().address);
    SiteFilter f;
    f.layer = QStringLiteral("L3");
    f.chainageFrom = 20000.0;
    f.chainageTo = 30000.0;
    f.required.k30 = 150.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(db.Count(f));
        benchmark::DoNotOptimize(db.Points(f, {SortColumn::Chainage, false}, 0, 100));
        benchmark::DoNotOptimize(db.Stats(f));
    }
    state.counters["points"] = static_cast<double>(db.PointCount());
    state.counters["selected"] = static_cast<double>(db.Count(f));
}
BENCHMARK(BM_FilteredPageAndStatsOf1MPoints)->Unit(benchmark::kMillisecond);

// The same with no filter but the requirement: every point counted and judged.
void BM_UnfilteredPageAndStatsOf1MPoints(benchmark::State& state)
{
    SiteDatabase db;
    db.Open(Million().address);
    SiteFilter f;
    f.required.k30 = 150.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(db.Count(f));
        benchmark::DoNotOptimize(db.Points(f, {}, 0, 100));
        benchmark::DoNotOptimize(db.Stats(f));
    }
}
BENCHMARK(BM_UnfilteredPageAndStatsOf1MPoints)->Unit(benchmark::kMillisecond);

// What the site page needs to show its first rows: the count and one page.
void BM_FirstPageOf1MPoints(benchmark::State& state)
{
    SiteDatabase db;
    db.Open(Million().address);
    for (auto _ : state) {
        benchmark::DoNotOptimize(db.Count({}));
        benchmark::DoNotOptimize(db.Points({}, {}, 0, 100));
    }
}
BENCHMARK(BM_FirstPageOf1MPoints)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
