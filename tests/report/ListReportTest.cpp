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

bool DrawList(RecordingDevice& device, const TestDataStore& store, int page)
{
    QPainter painter(&device);
    return DrawK30ListReport(painter, kPage, store, test::SampleHeader(store.nLanguage), store.nLanguage,
                             ReportPageCount(store, kPrintPointList), page);
}

TEST(ListReport, FortyPointsAPageTheLastHoldsItsRowsOnlyAndPagesAreNumbered)
{
    for (const Language lang : {Language::Chinese, Language::English}) {
        const bool zh = lang == Language::Chinese;
        const TestDataStore store = test::MakeStore(41, lang);
        RecordingDevice first, last, beyond;
        ASSERT_TRUE(DrawList(first, store, 1));
        ASSERT_TRUE(DrawList(last, store, 2));
        EXPECT_FALSE(DrawList(beyond, store, 3));

        // A full page: header block, caption row and 20 rows; the last: caption and point 41.
        EXPECT_EQ(first.HorizontalRulesY().size(), 2u + 22u);
        EXPECT_EQ(last.HorizontalRulesY().size(), 3u);
        EXPECT_NE(first.FindText(QStringLiteral("P40")), nullptr);
        EXPECT_EQ(last.FindText(QStringLiteral("P40")), nullptr);
        ASSERT_NE(last.FindText(QStringLiteral("P41")), nullptr);
        // Point 41 is the first of its row: the left half of the table.
        EXPECT_LT(last.FindText(QStringLiteral("P41"))->baseline.x(), kPage.W / 2.0);
        EXPECT_NE(last.FindText(QStringLiteral("0.241")), nullptr);
        EXPECT_NE(last.FindText(QStringLiteral("201")), nullptr);

        // The header block stands on page 1 only.
        const QString client = zh ? QStringLiteral("委托单位: ") : QStringLiteral("Client: ");
        EXPECT_NE(first.FindText(client), nullptr);
        EXPECT_EQ(last.FindText(client), nullptr);
        EXPECT_NE(first.FindText(zh ? QStringLiteral("共2页，第1页") : QStringLiteral("1/2")), nullptr);
        EXPECT_NE(last.FindText(zh ? QStringLiteral("共2页，第2页") : QStringLiteral("2/2")), nullptr);
    }
}

TEST(ListReport, FooterFollowsTheTableOnEveryPageAndStaysOnThePaper)
{
    // How far below the table's last rule the text starting with `prefix` stands.
    auto gapBelowTable = [](int count, int page, const QString& prefix) {
        RecordingDevice d;
        DrawList(d, test::MakeStore(count, Language::Chinese), page);
        const auto* text = d.FindText(prefix);
        EXPECT_NE(text, nullptr) << count << " points, page " << page;
        if (!text)
            return 0.0;
        EXPECT_LT(text->baseline.y(), kPage.H) << count << " points, page " << page;
        const auto rules = d.HorizontalRulesY();
        return text->baseline.y() - *std::max_element(rules.begin(), rules.end());
    };
    const QString footer = QStringLiteral("检测人:张三");
    const double gap = gapBelowTable(41, 1, footer);
    EXPECT_GT(gap, 10);
    EXPECT_LT(gap, 30);
    // Full pages of an odd list included: no empty row above the footer.
    EXPECT_NEAR(gapBelowTable(81, 2, footer), gap, 1e-6);
    // The last page: the overall conclusion follows the table where the footer
    // would (its 12-pt baseline 0.86 × 4 units lower than the 9-pt one's), the
    // footer it.
    for (const auto& [count, page] : {std::pair{40, 1}, {41, 2}, {3, 1}}) {
        EXPECT_NEAR(gapBelowTable(count, page, QStringLiteral("检测结论:")), gap + 0.86 * 4, 1e-6) << count;
        EXPECT_GT(gapBelowTable(count, page, footer), gap + 16) << count;
    }
}

TEST(PointReport, NumbersThePagesOfAllDataOnly)
{
    TestDataStore store = test::MakeStore(3, Language::Chinese);
    auto draw = [&](RecordingDevice& d, int type, int count, int page) {
        QPainter painter(&d);
        return DrawK30PointReport(painter, kPage, store, {}, Language::Chinese, type, count, page);
    };
    // "Current data" with no point chosen draws nothing.
    RecordingDevice none, all, current;
    EXPECT_FALSE(draw(none, kPrintCurrentPoint, 1, 1));
    EXPECT_TRUE(none.texts.empty());

    ASSERT_TRUE(draw(all, kPrintAllPoints, 3, 2));
    EXPECT_NE(all.FindText(QStringLiteral("共3页，第2页")), nullptr);
    EXPECT_NE(all.FindText(QStringLiteral("P2")), nullptr);

    store.strCurK30Name = "P3";
    ASSERT_TRUE(draw(current, kPrintCurrentPoint, 1, 1));
    EXPECT_NE(current.FindText(QStringLiteral("P3")), nullptr);
    EXPECT_EQ(current.FindText(QStringLiteral("共")), nullptr);
}

}  // namespace
}  // namespace k30
