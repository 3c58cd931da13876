#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "K30Chart.h"
#include "Ev2ChartView.h"
#include "K30ChartView.h"

using namespace k30;

namespace {

const ChartFrame kFrame = ChartFrame::FromRect(QRect(290, 165, 600, 320));  // 40 px by 80 px steps

std::array<ReadingPair, kReadingPairs> Readings(std::initializer_list<ReadingPair> list)
{
    std::array<ReadingPair, kReadingPairs> a{};
    std::size_t i = 0;
    for (const ReadingPair& p : list)
        a[i++] = p;
    return a;
}

bool Is(QRgb pixel, QColor colour) { return QColor(pixel) == colour; }

TEST(K30Chart, CurvePointsAreTruncatedPixels)
{
    const ChartFrame odd = ChartFrame::FromRect(QRect(0, 0, 614, 323));
    EXPECT_EQ(QPoint(odd.StepX(), odd.StepY()), QPoint(40, 80));

    const ChartCurve c = K30CurvePoints(kFrame, Readings({{0, 0}, {40, 50}, {100, 125}, {11, 113}, {600, 200}}));
    EXPECT_EQ(c[0], QPoint(290, 165));
    EXPECT_EQ(c[1], QPoint(330, 245));
    // 1.25 mm lies on the dotted line.
    EXPECT_EQ(c[2], QPoint(390, 365));
    EXPECT_EQ(c[2].y(), SettlementLimitY(kFrame));
    // 0.011 / 0.04 * 40 is 10.999…: truncated, not rounded.
    EXPECT_EQ(c[3], QPoint(300, 165 + 180));
    EXPECT_EQ(c[4], QPoint(890, 485));

    // Typed texts are plotted as typed: 1.13 mm, not the stored 1.12 mm.
    std::array<QString, kUsedPairs> stress{};
    std::array<QString, kUsedPairs> settlement{};
    stress[1] = QStringLiteral("0.100");
    settlement[1] = QStringLiteral("1.13");
    stress[2] = QStringLiteral("abc");
    const ChartCurve typed = K30CurvePointsFromTexts(kFrame, stress, settlement);
    EXPECT_EQ(typed[1], QPoint(390, 165 + 180));
    EXPECT_EQ(typed[2], QPoint(290, 165));
}

TEST(K30Chart, CurveStopsAtTheFirstUnfilledRow)
{
    auto full = Readings({});
    for (std::size_t i = 0; i < kUsedPairs; ++i)
        full[i] = {static_cast<float>(40 * i), static_cast<float>(10 * i)};
    const ChartCurve all = K30CurvePoints(kFrame, full);
    EXPECT_EQ(DrawnSegments(kFrame, all), 14);  // the last reading is never joined

    const auto partial = Readings({{0, 0}, {50, 20}, {100, 60}, {0, 0}, {200, 150}});
    EXPECT_EQ(DrawnSegments(kFrame, K30CurvePoints(kFrame, partial)), 2);
    EXPECT_EQ(DrawnSegments(kFrame, K30CurvePoints(kFrame, Readings({{0, 0}, {0, 30}}))), 0);
    // Absurd typed values stay far outside the page instead of overflowing.
    const ChartCurve huge = K30CurvePoints(kFrame, Readings({{0, 0}, {3e38f, -3e38f}}));
    EXPECT_GT(huge[1].x(), 100000);
    EXPECT_LT(huge[1].y(), -100000);
}

TEST(K30Chart, DrawsTheCurveInRedAndTheLimitInBlue)
{
    const auto readings = Readings({{0, 0}, {200, 100}, {400, 125}, {0, 0}, {560, 180}});
    const ChartCurve curve = K30CurvePoints(kFrame, readings);
    for (Language lang : {Language::Chinese, Language::English}) {
        QImage image(1000, 560, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        DrawK30Chart(painter, kFrame, curve, lang);
        painter.end();

        // Middle of the first segment: (290,165)-(490,325).
        EXPECT_TRUE(Is(image.pixel(390, 245), QColor(255, 0, 0)));
        // The curve stops at the unfilled row: no segment back to the left
        // edge and none on to the reading after it.
        EXPECT_FALSE(Is(image.pixel(490, 265), QColor(255, 0, 0)));
        EXPECT_FALSE(Is(image.pixel(570, 309), QColor(255, 0, 0)));
        int blue = 0;
        for (int x = kFrame.left; x < kFrame.right; ++x)
            blue += Is(image.pixel(x, SettlementLimitY(kFrame)), QColor(0, 0, 255)) ? 1 : 0;
        EXPECT_GT(blue, 100);
        int text = 0;  // axis labels left of the frame
        for (int y = kFrame.top; y < kFrame.bottom; ++y)
            for (int x = kFrame.left - 25; x < kFrame.left - 5; ++x)
                text += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        EXPECT_GT(text, 20);
    }
}

// Readings beyond 2.0 mm stay inside the frame: the curve stops at its edge,
// where an arrow points on.
TEST(K30Chart, ClipsTheCurveToItsFrame)
{
    const ChartCurve curve = K30CurvePoints(kFrame, Readings({{0, 0}, {200, 100}, {400, 300}}));
    QImage image(1000, 700, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawK30Chart(painter, kFrame, curve, Language::English);
    painter.end();
    int below = 0;
    int atEdge = 0;
    for (int x = kFrame.left; x < kFrame.right; ++x) {
        for (int y = kFrame.bottom + 2; y < 700; ++y)
            below += Is(image.pixel(x, y), QColor(255, 0, 0)) ? 1 : 0;
        for (int y = kFrame.bottom - 8; y <= kFrame.bottom; ++y)
            atEdge += Is(image.pixel(x, y), QColor(255, 0, 0)) ? 1 : 0;
    }
    EXPECT_EQ(below, 0);
    EXPECT_GT(atEdge, 8);
}

// The page's chart grows in whole steps with its widget and names the
// reading under the pointer: 0.200 MPa is five columns, 1.00 mm two rows.
TEST(K30ChartView, GrowsWithTheWindowAndShowsTheReadingUnderThePointer)
{
    std::array<QString, kUsedPairs> stress{};
    std::array<QString, kUsedPairs> settlement{};
    stress[1] = QStringLiteral("0.200");
    settlement[1] = QStringLiteral("1.00");
    stress[2] = QStringLiteral("0.400");
    settlement[2] = QStringLiteral("1.60");
    K30ChartView view;
    view.show();  // a shown widget takes its new size at once
    view.resize(600 + 130, 320 + 75);
    view.SetReadings(stress, settlement);
    const auto& m = K30ChartView::kMargins;
    EXPECT_EQ(QPoint(view.Frame().StepX(), view.Frame().StepY()), QPoint(40, 80));
    const QPoint first = view.Curve()[1];
    EXPECT_EQ(first, QPoint(m.left() + 5 * 40, m.top() + 2 * 80));
    EXPECT_EQ(view.ReadingTipAt(first + QPoint(2, -2)), QStringLiteral("σ = 0.200 MPa, s = 1.00 mm"));
    EXPECT_TRUE(view.ReadingTipAt(first + QPoint(30, 0)).isEmpty());

    view.resize(900 + 130 + 5, 480 + 75 + 3);
    EXPECT_EQ(QPoint(view.Frame().StepX(), view.Frame().StepY()), QPoint(60, 120));
    EXPECT_EQ(view.Curve()[1], QPoint(m.left() + 5 * 60, m.top() + 2 * 120));
    EXPECT_EQ(view.ReadingTipAt(view.Curve()[2]), QStringLiteral("σ = 0.400 MPa, s = 1.60 mm"));
}

// The Ev2 chart names its readings the same way: somewhere on the widget the
// pointer finds the reading of pair 3 (0.150 MPa, 0.45 mm).
TEST(Ev2ChartView, ShowsTheReadingUnderThePointer)
{
    Ev2Point point;
    for (int i = 0; i <= 7; ++i)
        point.reading[static_cast<std::size_t>(i)] = {50.0f * i, 15.0f * i};
    Ev2ChartView view;
    view.show();
    view.resize(600, 500);
    view.Show(point, Language::English);
    QStringList tips;
    for (int y = 0; y < 500; y += 2)
        for (int x = 0; x < 600; x += 2)
            if (const QString tip = view.ReadingTipAt(QPoint(x, y)); !tip.isEmpty() && !tips.contains(tip))
                tips << tip;
    EXPECT_TRUE(tips.contains(QStringLiteral("σ = 0.150 MPa, s = 0.45 mm"))) << tips.join(" | ").toStdString();
    EXPECT_TRUE(view.ReadingTipAt(QPoint(599, 0)).isEmpty());
}

}  // namespace
