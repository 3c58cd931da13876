// The Ev2 page with known points: table, verdicts, statistics, readings, chart.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include "CTestEv2.h"
#include "Ev2Chart.h"
#include "Ev2ChartView.h"
#include "Ev2ListModel.h"
#include "Ev2TestPoints.h"
#include "../report/ReportTestSupport.h"
#include "ScriptedPrompt.h"

using namespace k30;
using namespace k30::test;

namespace {

QString Cell(const Ev2ListModel& m, int row, int column, int role = Qt::DisplayRole)
{
    return m.data(m.index(row, column), role).toString();
}

// Pixels of the chart that are clearly of this colour.
int PixelsLike(const QImage& image, const QColor& colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40 &&
                std::abs(c.blue() - colour.blue()) < 40)
                ++n;
        }
    }
    return n;
}

}  // namespace

TEST(Ev2Page, TableVerdictsStatisticsReadingsAndChart)
{
    TestDataStore store = Ev2Store({ExactEv2Point(), ShortEv2Point()}, Language::English);
    ScriptedPrompt prompt;
    Requirements required;
    required.ev2Min = 230;  // the exact point's 225.0 falls short
    CTestEv2 page(store, prompt, [&required] { return required; });
    page.resize(1100, 800);
    page.Refill();

    const Ev2ListModel& m = *page.Model();
    ASSERT_EQ(m.rowCount(), 2);
    const QStringList exact{"12", "2024-6-3", "09:05", "10:40", "0.700", "132.4", "225.0", "1.70", "Fail"};
    const QStringList shortPoint{"13", "2024-6-3", "09:05", "10:40", "0.500", "112.5", "", "", ""};
    for (int c = 0; c < Ev2ListModel::kColumns; ++c) {
        EXPECT_EQ(Cell(m, 0, c), exact[c]) << c;
        EXPECT_EQ(Cell(m, 1, c), shortPoint[c]) << c;
    }
    // Failing rows are tinted, the others not.
    EXPECT_TRUE(m.data(m.index(0, 0), Qt::BackgroundRole).isValid());
    EXPECT_FALSE(m.data(m.index(1, 0), Qt::BackgroundRole).isValid());
    EXPECT_EQ(page.Statistics()->text(),
              "Ev2 statistics: count 1, mean 225.0, std —, CV —, min 225.0, max 225.0; "
              "Ev2/Ev1: mean 1.70, max 1.70; passed 0, failed 1, not assessable 1, pass rate 0.0%");

    // The first point is shown: readings in their groups, pair 10 in two.
    EXPECT_EQ(store.strCurEv2Name, "12");
    EXPECT_EQ(page.StressBox(7)->text(), "0.700");
    EXPECT_EQ(page.SettlementBox(16)->text(), "1.44");
    EXPECT_EQ(page.findChild<QLineEdit*>("ev2SettlementMirror")->text(), "0.90");
    EXPECT_FALSE(page.StressBox(0)->isEnabled());

    // Selecting the second row makes it the current Ev2 point.
    page.View()->selectRow(1);
    EXPECT_EQ(store.strCurEv2Name, "13");
    EXPECT_EQ(page.SettlementBox(5)->text(), "1.00");

    // A requirement met: pass; the language switch retitles and re-words.
    required.ev2Min = 200;
    required.ratioMax = 2.3;
    store.nLanguage = Language::Chinese;
    page.RetranslateUi();
    page.Refill();
    EXPECT_EQ(Cell(m, 0, Ev2ListModel::VerdictColumn), QStringLiteral("合格"));
    EXPECT_TRUE(page.Statistics()->text().contains(QStringLiteral("合格率 50.0%")));
}

TEST(Ev2Page, ChartDrawsBothCyclesFitsAndResults)
{
    TestDataStore store = Ev2Store({ExactEv2Point(), ShortEv2Point()}, Language::English);
    ScriptedPrompt prompt;
    CTestEv2 page(store, prompt, [] { return Requirements{}; });
    page.resize(1100, 800);
    page.Refill();

    const QImage shown = page.Chart()->grab().toImage();
    EXPECT_GT(PixelsLike(shown, kEv2FirstCycleColour), 200);
    EXPECT_GT(PixelsLike(shown, kEv2SecondCycleColour), 200);

    // The texts below the plot, with the fitted coefficients worked out by hand.
    RecordingDevice device;
    {
        QPainter painter(&device);
        const Ev2Point p = ExactEv2Point();
        DrawEv2Chart(painter, QRectF(20, 20, 600, 420), p, ComputeEv2(p.reading), Language::English, 9);
    }
    EXPECT_TRUE(device.FindText("First loading: a0 = 0.0000   a1 = 1.0000   a2 = 1.0000"));
    EXPECT_TRUE(device.FindText("Second loading: a0 = 0.9000   a1 = 0.3000   a2 = 1.0000"));
    // The Greek letter may come from another face, as a run of its own.
    QString drawn;
    for (const auto& run : device.texts)
        drawn += run.text;
    EXPECT_TRUE(drawn.contains("0max = 0.700 MPa   Ev1 = 132.4 MPa   Ev2 = 225.0 MPa   Ev2/Ev1 = 1.70"));

    // The point with a reloading cut short has no second fit: only the red
    // cycle's curve and the lone blue reading remain.
    page.View()->selectRow(1);
    const QImage cut = page.Chart()->grab().toImage();
    EXPECT_GT(PixelsLike(cut, kEv2FirstCycleColour), 200);
    EXPECT_LT(PixelsLike(cut, kEv2SecondCycleColour), PixelsLike(shown, kEv2SecondCycleColour) / 3);
}
