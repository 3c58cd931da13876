#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <fstream>
#include <sstream>

#include "CHeadk30.h"
#include "CTestK30.h"
#include "K30Evaluation.h"
#include "ScriptedPrompt.h"
#include "TestDataStore.h"
#include "TransferDecoder.h"
#include "UiText.h"

using namespace k30;

namespace {

class TestK30Page : public ::testing::Test {
protected:
    // Shown, so that a resize reaches the page at once.
    TestK30Page()
    {
        page.resize(1000, 560);
        host.show();
    }

    void DecodeDemo()
    {
        std::ifstream in(K30_SAMPLES "/demo.ORG", std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        DecodeTransfer(text.str(), store);
        ASSERT_GE(store.nK30Count, 2);
    }

    QLineEdit* Box(const QString& name) const { return page.findChild<QLineEdit*>(name); }
    QLineEdit* Stress(int p) const { return Box(QStringLiteral("stress%1").arg(p)); }
    QLineEdit* Settlement(int p) const { return Box(QStringLiteral("settlement%1").arg(p)); }
    QComboBox* Chooser() const { return page.findChild<QComboBox*>(QStringLiteral("chooser")); }
    QPushButton* ComputeButton() const { return page.findChild<QPushButton*>(QStringLiteral("compute")); }

    // What the window does for manual data entry.
    void StartManualEntry(const std::string& name)
    {
        store.ClearK30Points();
        K30 blank;
        blank.name = name;
        store.AddK30Point(blank);
        store.nK30Count = 1;
        page.OnActivated();
        page.EnableManualEntry();
        page.SelectFirstAndShow();
    }

    void Type(int p, const char* stress, const char* settlement)
    {
        for (auto [box, text] : {std::pair{Stress(p), stress}, std::pair{Settlement(p), settlement}}) {
            box->clear();
            QTest::keyClicks(box, QString::fromLatin1(text));
        }
    }

    void PressCompute() { QTest::mouseClick(ComputeButton(), Qt::LeftButton); }

    TestDataStore store;
    test::ScriptedPrompt prompt;
    QWidget host;
    CTestK30 page{store, prompt, &host};
};

TEST_F(TestK30Page, ComputesTypedReadingsIntoTheOnlyPoint)
{
    DecodeDemo();
    StartManualEntry("P-7");
    Type(1, "0.050", "0.40");
    Type(2, "0.100", "1.10");
    Type(3, "0.150", "1.60");
    QTest::keyClicks(Box("testType"), QStringLiteral("K30"));
    PressCompute();

    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_EQ(Box("stress125")->text(), QStringLiteral("0.115"));
    EXPECT_EQ(Box("k30Value")->text(), QStringLiteral(" 92"));
    ASSERT_EQ(store.k30List.size(), 1u);
    EXPECT_EQ(store.nK30Count, 1);
    const K30& point = store.k30List[0];
    EXPECT_EQ(point.name, "P-7");
    EXPECT_EQ(point.k30Value, " 92");
    EXPECT_EQ(point.testType, "K30");
    EXPECT_TRUE(point.startTime.empty());
    EXPECT_EQ(point.reading[3], (ReadingPair{150.0f, 160.0f}));
    EXPECT_TRUE(store.UnsavedDataPresent());  // the computed point is in no file

    // Typed 1.13 mm is stored as 1.12 mm and shown so again.
    Type(1, "0.100", "1.13");
    PressCompute();
    page.SelectFirstAndShow();
    EXPECT_EQ(Settlement(1)->text(), QStringLiteral("1.12"));
}

// A decimal comma once read as 0 (K30 29 instead of 186) and a word as 0 (a
// spike in the curve): now the comma is read and the word refused by name.
TEST_F(TestK30Page, CommaReadingsComputeAndWordsAreRefusedBoxByBox)
{
    StartManualEntry("C");
    // Crossing between 0.80 and 1,60 mm: 0.100 + 45/80 * 0.160 = 0.190 MPa, K30 = 152.
    Type(1, "0.100", "0.80");
    Type(2, "0,260", " 1,60 ");
    PressCompute();
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_EQ(Box("stress125")->text(), QStringLiteral("0.190"));
    EXPECT_EQ(store.k30List.at(0).k30Value, "152");

    for (Language lang : {Language::English, Language::Chinese}) {
        store.nLanguage = lang;
        page.RetranslateUi();
        Type(3, "abc", "2");
        EXPECT_TRUE(Stress(3)->styleSheet().contains(QStringLiteral("border")));
        EXPECT_TRUE(Stress(3)->toolTip().contains(QStringLiteral("\"abc\"")) ||
                    Stress(3)->toolTip().contains(QStringLiteral("“abc”")));
        EXPECT_TRUE(Settlement(3)->styleSheet().isEmpty());
        prompt.answer(Prompt::Answer::Ok);
        PressCompute();
        ASSERT_EQ(prompt.asked.size(), 1u);
        EXPECT_TRUE(prompt.asked[0].text.contains(lang == Language::English ? QStringLiteral("Stress 3: \"abc\"")
                                                                            : QStringLiteral("应力 3：“abc”")))
            << prompt.asked[0].text.toStdString();
        prompt.asked.clear();
        EXPECT_EQ(store.k30List.at(0).k30Value, "152");  // nothing computed
        EXPECT_EQ(store.k30List.at(0).reading[3], ReadingPair{});
    }
    Type(3, "", "");
    EXPECT_TRUE(Stress(3)->styleSheet().isEmpty());  // an empty box is 0
}

TEST_F(TestK30Page, NoCrossingAsksForNewDataAndStoresThePointWithoutResults)
{
    StartManualEntry("B");
    Type(1, "0.100", "0.80");
    Type(2, "0.200", "1.60");
    PressCompute();
    ASSERT_EQ(Box("k30Value")->text(), QStringLiteral("125"));

    Type(2, "0.200", "1.25");  // exactly 1.25 mm is no crossing
    prompt.answer(Prompt::Answer::Ok);
    PressCompute();
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, QStringLiteral("Please re-enter the data"));
    // The earlier result must not stay beside readings that have none.
    EXPECT_TRUE(Box("k30Value")->text().isEmpty());
    ASSERT_EQ(store.k30List.size(), 1u);
    EXPECT_TRUE(store.k30List[0].stress125.empty());
    EXPECT_EQ(store.k30List[0].reading[2].settlement, 125.0f);
}

TEST_F(TestK30Page, ShowsReceivedPointsReadOnlyAndFollowsTheChooser)
{
    DecodeDemo();
    page.OnActivated();
    ASSERT_EQ(Chooser()->count(), store.nK30Count);
    EXPECT_EQ(store.strCurK30Name, store.k30List[0].name);
    for (int p = 0; p < kUsedPairs; ++p)
        EXPECT_EQ(S(Settlement(p)->text()), SettlementText(store.k30List[0].reading[std::size_t(p)].settlement));
    EXPECT_FALSE(Stress(5)->isEnabled());
    EXPECT_FALSE(ComputeButton()->isEnabled());
    EXPECT_EQ(Stress(5)->palette().color(QPalette::Disabled, QPalette::Text), QColor(255, 0, 0));

    Chooser()->setCurrentIndex(1);
    EXPECT_EQ(store.strCurK30Name, store.k30List[1].name);
    EXPECT_EQ(S(Stress(1)->text()), StressText(store.k30List[1].reading[1].stress));

    // The report header takes the test number of the point shown here.
    CHeadk30 header(store);
    header.OnActivated();
    EXPECT_EQ(header.Box(&ReportHeader::TestNumber)->text(), Q(store.k30List[1].name));

    // Data from the instrument after a manual entry are read-only again.
    page.EnableManualEntry();
    page.DisableReadingEntry();
    EXPECT_FALSE(Box("designLoad")->isEnabled());
    EXPECT_FALSE(ComputeButton()->isEnabled());
}

TEST_F(TestK30Page, ActivationWithoutPointsShowsNothing)
{
    DecodeDemo();
    page.OnActivated();
    store.ClearK30Points();
    store.nK30Count = 0;  // a transfer of Ev2 points only
    page.OnActivated();
    EXPECT_EQ(Chooser()->count(), 0);
    EXPECT_TRUE(Stress(1)->text().isEmpty());
    EXPECT_TRUE(store.strCurK30Name.empty());
    EXPECT_EQ(DrawnSegments(page.Frame(), page.Curve()), 0);
}

TEST_F(TestK30Page, TypedReadingsSurviveLeavingThePageBeforeCompute)
{
    StartManualEntry("C");
    Type(4, "0.300", "0.90");
    page.OnActivated();
    EXPECT_EQ(Stress(4)->text(), QStringLiteral("0.300"));
    StartManualEntry("D");  // a new entry starts blank
    EXPECT_EQ(Stress(4)->text(), QStringLiteral("0.000"));
}

TEST_F(TestK30Page, ColumnLayoutAndScrolling)
{
    auto y = [&](int p) { return Stress(p)->y(); };
    EXPECT_EQ(Settlement(0)->geometry(), QRect(125, 33, 60, 21));
    EXPECT_EQ(y(7) - y(6), 26);
    EXPECT_EQ(y(8) - y(7), 40);
    EXPECT_EQ(y(11) - y(10), 40);

    page.resize(1000, 430);
    auto* bar = page.findChild<QScrollBar*>(QStringLiteral("scrollBar"));
    EXPECT_EQ(bar->geometry(), QRect(983, 0, 17, 430));
    ASSERT_EQ(bar->maximum(), 800);
    const int chartTop = page.Frame().top;

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(bar->value(), 200);
    EXPECT_EQ(y(0), 33 - 50);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);  // page down leaves the column
    EXPECT_EQ(page.ScrollOffset(), -50);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(bar->value(), 0);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(page.ScrollOffset(), -200);
    bar->setSliderPosition(300);  // dragging the thumb
    EXPECT_EQ(page.ScrollOffset(), -75);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(page.ScrollOffset(), 0);
    QWheelEvent wheel(QPointF(500, 300), page.mapToGlobal(QPointF(500, 300)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&page, &wheel);
    EXPECT_EQ(page.ScrollOffset(), -50);

    page.resize(1000, 500);
    EXPECT_EQ(page.ScrollOffset(), 0);
    EXPECT_EQ(bar->maximum(), 940);
    EXPECT_EQ(page.Frame().top, chartTop);
}

}  // namespace
