// The lot report: its conclusion, its pages and what a PDF reader finds in it.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "LotReport.h"
#include "ReportTestSupport.h"

namespace k30 {
namespace {

LotReportData Lot(int rows, VerdictCounts k30Counts)
{
    LotReportData d;
    d.lang = Language::English;
    d.scope = QStringLiteral("layer L3");
    d.required.k30 = 190;
    d.k30Counts = k30Counts;
    for (int i = 0; i < rows; ++i) {
        d.rows.push_back(LotRow{QStringLiteral("K30"), QStringLiteral("P%1").arg(i + 1), QStringLiteral("2026-05-12"),
                                QStringLiteral("DK125+%1").arg(300 + i, 3, 10, QLatin1Char('0')), {}, QStringLiteral("L3"),
                                QStringLiteral("A"), QStringLiteral("200"), {}, Verdict::Pass});
        d.chart.points.push_back(SiteChartPoint{i, 125300.0 + i, 200.0, Verdict::Pass, false, {}});
    }
    d.totalPoints = rows;
    d.chart.quantity = QStringLiteral("K30 (MPa/m)");
    d.chart.required = 190;
    return d;
}

TEST(LotReport, ConclusionIsFailWhenAnyFailsThenOpenWhenAnyCannotBeJudged)
{
    EXPECT_EQ(LotConclusion(Lot(3, {3, 0, 0})), QStringLiteral("All 3 points listed pass: the lot passes."));
    EXPECT_EQ(LotConclusion(Lot(3, {1, 1, 1})), QStringLiteral("1 points fail: the lot does not pass."));
    EXPECT_EQ(LotConclusion(Lot(3, {2, 0, 1})), QStringLiteral("1 points cannot be judged: the lot cannot be judged yet."));
    LotReportData zh = Lot(0, {});
    zh.lang = Language::Chinese;
    EXPECT_EQ(LotConclusion(zh), QStringLiteral("没有测点。"));
}

TEST(LotReport, PdfHoldsTheScopeTheConclusionAndEveryRowOverItsPages)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lot.pdf"));
    QString error;
    // 20 rows on the first page under the chart, 46 on the next.
    ASSERT_TRUE(ExportLotReportPdf(path, Lot(66, {66, 0, 0}), error)) << error.toStdString();
    EXPECT_EQ(test::PdfPages(path), 2);
    const QString text = test::PdfText(path);
    EXPECT_TRUE(text.contains(QStringLiteral("Scope: layer L3")));
    EXPECT_TRUE(text.contains(QStringLiteral("Conclusion: All 66 points listed pass")));
    EXPECT_TRUE(text.contains(QStringLiteral("DK125+365")));
    EXPECT_TRUE(text.contains(QStringLiteral("K125+300")));  // the chart's chainage axis
    EXPECT_TRUE(ExportLotReportPdf(path, Lot(67, {67, 0, 0}), error));
    EXPECT_EQ(test::PdfPages(path), 3);
}

}  // namespace
}  // namespace k30
