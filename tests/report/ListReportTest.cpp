// The list report's pages, rows, footer and page numbers, and the page counts
// of every print type, from what the drawings draw.
#include <gtest/gtest.h>

#include <QPainter>

#include <algorithm>

#include "ListReport.h"
#include "PointReport.h"
#include "PrintType.h"
#include "ReportTestSupport.h"

namespace k30 {
namespace {

using test::RecordingDevice;

constexpr ReportPage kPage{765, 1094, 14, 14};

void DrawList(RecordingDevice& device, const TestDataStore& store, int page)
{
    QPainter painter(&device);
    const int pages = ReportPageCount(store, kPrintPointList);
    ASSERT_TRUE(
        DrawK30ListReport(painter, kPage, store, test::SampleHeader(store.nLanguage), store.nLanguage, pages, page));
}

double LastRule(const RecordingDevice& d)
{
    const auto ys = d.HorizontalRulesY();
    return *std::max_element(ys.begin(), ys.end());
}

TEST(ListReport, CountsFortyPointsToAPage)
{
    EXPECT_EQ(ReportPageCount(test::MakeStore(40, Language::Chinese), kPrintPointList), 1);
    EXPECT_EQ(ReportPageCount(test::MakeStore(41, Language::Chinese), kPrintPointList), 2);
    EXPECT_EQ(ReportPageCount(test::MakeStore(0, Language::Chinese), kPrintPointList), 0);
    EXPECT_EQ(ReportPageCount(test::MakeStore(13, Language::Chinese), kPrintAllPoints), 13);
    EXPECT_EQ(ReportPageCount(test::MakeStore(13, Language::Chinese), kPrintCurrentPoint), 1);

    const TestDataStore store = test::MakeStore(41, Language::Chinese);
    RecordingDevice nothing;
    QPainter painter(&nothing);
    EXPECT_FALSE(DrawK30ListReport(painter, kPage, store, {}, Language::Chinese, 2, 3));
}

TEST(ListReport, LastPageHoldsItsRowsOnlyAndNumbersThePages)
{
    for (const Language lang : {Language::Chinese, Language::English}) {
        const TestDataStore store = test::MakeStore(41, lang);
        RecordingDevice first, last;
        DrawList(first, store, 1);
        DrawList(last, store, 2);

        // A full page: caption row and 20 rows; the last: caption and point 41.
        EXPECT_EQ(first.HorizontalRulesY().size(), 2u + 22u);  // header block, then rules of 21 rows
        const auto lastRules = last.HorizontalRulesY();
        EXPECT_EQ(lastRules.size(), 3u);
        ASSERT_NE(last.FindText(QStringLiteral("P41")), nullptr);
        EXPECT_EQ(last.FindText(QStringLiteral("P40")), nullptr);
        EXPECT_NE(first.FindText(QStringLiteral("P40")), nullptr);
        // Point 41 is the first of its row: the left half of the table.
        EXPECT_LT(last.FindText(QStringLiteral("P41"))->baseline.x(), kPage.W / 2.0);
        EXPECT_NE(last.FindText(QStringLiteral("0.241")), nullptr);
        EXPECT_NE(last.FindText(QStringLiteral("201")), nullptr);

        // The header block stands on page 1 only.
        const QString client = lang == Language::Chinese ? QStringLiteral("委托单位: ") : QStringLiteral("Client: ");
        EXPECT_NE(first.FindText(client), nullptr);
        EXPECT_EQ(last.FindText(client), nullptr);

        const bool zh = lang == Language::Chinese;
        EXPECT_NE(first.FindText(zh ? QStringLiteral("共2页，第1页") : QStringLiteral("1/2")), nullptr);
        EXPECT_NE(last.FindText(zh ? QStringLiteral("共2页，第2页") : QStringLiteral("2/2")), nullptr);
    }
}

TEST(ListReport, FooterFollowsTheTableOnEveryPageAndStaysOnThePaper)
{
    const QString tester = QStringLiteral("检测人:张三");
    auto footerGap = [&](int count, int page) {
        RecordingDevice d;
        DrawList(d, test::MakeStore(count, Language::Chinese), page);
        const auto* footer = d.FindText(tester);
        EXPECT_NE(footer, nullptr);
        if (!footer)
            return 0.0;
        EXPECT_LT(footer->baseline.y(), kPage.H) << count << " points, page " << page;
        return footer->baseline.y() - LastRule(d);
    };
    const double gap = footerGap(40, 1);
    EXPECT_GT(gap, 10);
    EXPECT_LT(gap, 30);
    // Full pages of an odd list included: no empty row above the footer.
    EXPECT_NEAR(footerGap(41, 1), gap, 1e-6);
    EXPECT_NEAR(footerGap(81, 2), gap, 1e-6);
    EXPECT_NEAR(footerGap(41, 2), gap, 1e-6);
    EXPECT_NEAR(footerGap(3, 1), gap, 1e-6);
}

TEST(PointReport, NumbersThePagesOfAllDataOnly)
{
    const TestDataStore store = test::MakeStore(3, Language::Chinese);
    RecordingDevice all, current;
    {
        QPainter painter(&all);
        ASSERT_TRUE(DrawK30PointReport(painter, kPage, store, {}, Language::Chinese, kPrintAllPoints, 3, 2));
    }
    EXPECT_TRUE(all.HasText(QStringLiteral("共3页，第2页")));
    EXPECT_TRUE(all.HasText(QStringLiteral("试验编号:P2")));

    TestDataStore chosen = store;
    chosen.strCurK30Name = "P3";
    {
        QPainter painter(&current);
        ASSERT_TRUE(DrawK30PointReport(painter, kPage, chosen, {}, Language::Chinese, kPrintCurrentPoint, 1, 1));
    }
    EXPECT_TRUE(current.HasText(QStringLiteral("试验编号:P3")));
    EXPECT_EQ(current.FindText(QStringLiteral("共")), nullptr);

    // "Current data" with no point chosen draws nothing.
    RecordingDevice none;
    QPainter painter(&none);
    EXPECT_FALSE(DrawK30PointReport(painter, kPage, store, {}, Language::Chinese, kPrintCurrentPoint, 1, 1));
    EXPECT_TRUE(none.texts.empty());
}

}  // namespace
}  // namespace k30
