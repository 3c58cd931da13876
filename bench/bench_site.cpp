// The site database on SQLite: importing 1,000 transfers of 100 points, a
// filtered page of points with its count and statistics over 1,000,000 points,
// and the site page (offscreen) showing its first rows of them.
#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "SiteDatabase.h"
#ifdef K30_BENCH_PAGE
#include <QApplication>

#include "CSitePage.h"
#include "Prompt.h"
#include "SiteTableModel.h"
#include "TestDataStore.h"
#endif
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

// Wall time is the figure that counts here (the commits wait for the disk):
// run with --benchmark_counters_tabular or read "wall_s" and "cpu_s".
void BM_Import1000TransfersOf100Points(benchmark::State& state)
{
    std::vector<std::string> transfers;
    for (int t = 0; t < 1000; ++t)
        transfers.push_back(Transfer100(t + 1));
    for (auto _ : state) {
        QElapsedTimer wall;
        wall.start();
        const std::clock_t cpu = std::clock();
        QTemporaryDir dir;
        SiteDatabase db;
        if (!db.Open(QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("site.sqlite")))) {
            state.SkipWithError("cannot open");
            return;
        }
        for (const std::string& t : transfers)
            benchmark::DoNotOptimize(db.ImportTransferText(t));
        state.counters["wall_s"] = static_cast<double>(wall.nsecsElapsed()) / 1e9;
        state.counters["cpu_s"] = static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
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

// The points of the chainage chart: the first 20,000 K30 points with a
// chainage, in chainage order, judged.
void BM_ChartPointsOf1MPoints(benchmark::State& state)
{
    SiteDatabase db;
    db.Open(Million().address);
    SiteFilter f;
    f.kind = PointKind::K30;
    f.chainageOnly = true;
    f.required.k30 = 150.0;
    for (auto _ : state)
        benchmark::DoNotOptimize(db.Points(f, {SortColumn::Chainage, false}, 0, 20000));
}
BENCHMARK(BM_ChartPointsOf1MPoints)->Unit(benchmark::kMillisecond);

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

#ifdef K30_BENCH_PAGE
// Answers nothing: the page asks only about typed filters, which this leaves alone.
class SilentPrompt : public Prompt {
public:
    Answer ask(QWidget*, const QString&, const QString&, Buttons, Icon, Answer answer) override { return answer; }
    QString chooseFile(QWidget*, const FileRequest&) override { return {}; }
    int runDialog(QDialog&) override { return 0; }
};

// The site page made and given the database, as the window does on start,
// until its list holds rows; the statistics and the chart follow off the
// user-interface thread and are timed apart ("stats_ms").
void BM_SitePageFirstRowsOf1MPoints(benchmark::State& state)
{
    SiteDatabase db;
    db.Open(Million().address);
    TestDataStore store;
    store.nLanguage = Language::English;
    SilentPrompt prompt;
    for (auto _ : state) {
        QElapsedTimer shown;
        shown.start();
        CSitePage page(store, prompt);
        page.SetRequirementSource([] {
            Requirements r;
            r.k30 = 150.0;
            return r;
        });
        page.resize(1200, 800);
        page.SetDatabase(&db);
        if (page.Model()->rowCount() == 0) {
            state.SkipWithError("no rows");
            return;
        }
        state.counters["rows_ms"] = static_cast<double>(shown.nsecsElapsed()) / 1e6;
        state.PauseTiming();
        while (!page.StatisticsReady() && shown.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        state.counters["stats_ms"] = static_cast<double>(shown.nsecsElapsed()) / 1e6;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SitePageFirstRowsOf1MPoints)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

}  // namespace

int main(int argc, char** argv)
{
#ifdef K30_BENCH_PAGE
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
