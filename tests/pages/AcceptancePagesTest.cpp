// Acceptance in the window: the list's verdict, recompute and check columns,
// its tint and statistics strip following the required coefficient typed on
// the header page, and the Ev2 requirements kept in the user's settings.
#include <gtest/gtest.h>

#include <QLabel>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include "AcceptancePoints.h"
#include "AcceptanceSettings.h"
#include "CHeadk30.h"
#include "CListData.h"
#include "K30ListModel.h"
#include "WindowFixture.h"

namespace k30 {
namespace {

class ListAcceptance : public test::WindowFixture<> {
protected:
    ListAcceptance() { store_ = test::AcceptanceStore(Language::English); }
    // Types into the header page's required coefficient box as the operator does.
    void TypeRequired(const QString& text)
    {
        QLineEdit* box = frame_->HeaderPage()->Box(&ReportHeader::RequiredCoefficient);
        box->clear();
        QTest::keyClicks(box, text);
    }
    QString Cell(int row, int column) const
    {
        const K30ListModel& m = *frame_->ListPage()->Model();
        return m.data(m.index(row, column), Qt::DisplayRole).toString();
    }
    bool Tinted(int row) const
    {
        const K30ListModel& m = *frame_->ListPage()->Model();
        return m.data(m.index(row, 5), Qt::BackgroundRole).isValid();
    }
    QString Strip() const { return frame_->ListPage()->StatisticsStrip()->text(); }
};

TEST_F(ListAcceptance, ColumnsTintAndStatisticsFollowTheRequiredCoefficient)
{
    frame_->ListPage()->OnActivated();
    const K30ListModel& m = *frame_->ListPage()->Model();
    ASSERT_EQ(m.rowCount(), 5);
    // The existing columns keep their place; the new ones follow them.
    EXPECT_EQ(m.headerData(36, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("End Time"));
    EXPECT_EQ(m.headerData(37, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Verdict"));
    EXPECT_EQ(m.headerData(39, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Check"));

    // No requirement: no verdict and no tint, but the recompute check and the bounds.
    const QStringList recomputed{"200", "154", "", "200", ""};
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(Cell(r, 38), recomputed[r]) << r;
        EXPECT_FALSE(Tinted(r)) << r;
    }
    EXPECT_EQ(Cell(0, 37), QString());
    EXPECT_EQ(Cell(2, 37), QStringLiteral("≥ 208"));
    EXPECT_EQ(Cell(3, 39), QStringLiteral("Differs"));
    EXPECT_TRUE(Cell(0, 39).isEmpty());
    EXPECT_TRUE(m.data(m.index(3, 39), Qt::ToolTipRole).toString().contains(QStringLiteral("recomputed")));
    EXPECT_EQ(Strip(), QStringLiteral("K30 (MPa/m): count 3, mean 191.0, std 34.4, CV 18.0%, min 153, max 220\n"
                                      "No required coefficient set; passed 0, failed 0, not assessable 5, "
                                      "pass rate —; 1 differing from the recomputation"));

    // Typed on the header page, with blanks and a decimal comma: the list follows at once.
    TypeRequired(QStringLiteral(" 190,0 "));
    const QStringList verdicts{"Pass", "Fail", "Pass (≥ 208)", "Pass", "≥ 80"};
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(Cell(r, 37), verdicts[r]) << r;
        EXPECT_EQ(Tinted(r), r == 1) << r;
    }
    EXPECT_TRUE(Strip().endsWith(QStringLiteral("Required K30 ≥ 190 MPa/m; passed 3, failed 1, not assessable 1, "
                                                 "pass rate 60.0%; 1 differing from the recomputation")));

    // Above C's bound, C can no longer be judged, and A fails.
    TypeRequired(QStringLiteral("209"));
    EXPECT_EQ(Cell(2, 37), QStringLiteral("≥ 208"));
    EXPECT_EQ(Cell(0, 37), QStringLiteral("Fail"));

    // A text that is not a number requires nothing.
    TypeRequired(QStringLiteral("190 MPa/m"));
    EXPECT_TRUE(Cell(1, 37).isEmpty());
    EXPECT_FALSE(Tinted(1));

    // The acceptance texts follow the language.
    TypeRequired(QStringLiteral("190"));
    frame_->SwitchLanguage(Language::Chinese);
    EXPECT_EQ(Cell(2, 37), QStringLiteral("合格（≥ 208）"));
    EXPECT_EQ(Cell(3, 39), QStringLiteral("不符"));
    EXPECT_EQ(Strip(), QStringLiteral("K30 (MPa/m)：点数 3，平均值 191.0，标准差 34.4，变异系数 18.0%，最小值 153，最大值 220\n"
                                      "要求 K30 ≥ 190 MPa/m；合格 3，不合格 1，无法判定 1，合格率 60.0%；重算不符 1 点"));
}

TEST(HeaderAcceptance, Ev2RequirementsAreKeptInTheSettingsAsTyped)
{
    TestDataStore store;
    store.nLanguage = Language::Chinese;
    {
        CHeadk30 page(store);
        QSignalSpy changed(&page, &CHeadk30::requirementsChanged);
        QTest::keyClicks(page.Ev2MinBox(), QStringLiteral("120"));
        QTest::keyClicks(page.RatioMaxBox(), QStringLiteral(" 2,3"));
        EXPECT_EQ(changed.count(), 7);
        const Requirements shown = page.ShownRequirements();
        EXPECT_EQ(shown.ev2Min, 120.0);
        EXPECT_EQ(shown.ratioMax, 2.3);
        EXPECT_FALSE(shown.k30);
    }
    EXPECT_EQ(QSettings(UserPreferencesFile(), QSettings::IniFormat).value(QStringLiteral("acceptance/ratioMax")).toString(), QStringLiteral(" 2,3"));

    // A new page, as at the next start, shows them again; reports read the same.
    CHeadk30 again(store);
    EXPECT_EQ(again.Ev2MinBox()->text(), QStringLiteral("120"));
    EXPECT_EQ(again.RatioMaxBox()->text(), QStringLiteral(" 2,3"));
    again.Box(&ReportHeader::RequiredCoefficient)->setText(QStringLiteral("190"));
    const Requirements current = CurrentRequirements(again.CurrentHeader());
    EXPECT_EQ(current.k30, 190.0);
    EXPECT_EQ(current.ev2Min, 120.0);
    EXPECT_EQ(current.ratioMax, 2.3);

    SaveEv2LimitTexts({});
}

// A required K30 typed with its sign and unit once switched every verdict
// off without a word: it still sets no requirement, but the box says so and
// the requirements carry the text for the reports.
TEST(HeaderAcceptance, ARequirementThatIsNoNumberIsMarkedAndCarried)
{
    TestDataStore store;
    CHeadk30 page(store);
    QLineEdit* required = page.Box(&ReportHeader::RequiredCoefficient);
    required->setText(QStringLiteral("≥150 MPa/m"));
    EXPECT_TRUE(required->styleSheet().contains(QStringLiteral("border")));
    EXPECT_EQ(required->toolTip(), QStringLiteral("Not a number: \"≥150 MPa/m\""));
    const Requirements shown = page.ShownRequirements();
    EXPECT_FALSE(shown.k30);
    EXPECT_EQ(shown.k30Unreadable, "≥150 MPa/m");
    EXPECT_EQ(CurrentRequirements(page.CurrentHeader()).k30Unreadable, "≥150 MPa/m");
    store.nLanguage = Language::Chinese;
    page.RetranslateUi();
    EXPECT_EQ(required->toolTip(), QStringLiteral("不是数字：“≥150 MPa/m”"));

    required->setText(QStringLiteral(" 150,5 "));
    EXPECT_TRUE(required->styleSheet().isEmpty() && required->toolTip().isEmpty());
    EXPECT_EQ(page.ShownRequirements().k30, 150.5);
    EXPECT_TRUE(page.ShownRequirements().k30Unreadable.empty());
    page.Ev2MinBox()->setText(QStringLiteral("abc"));
    EXPECT_TRUE(page.Ev2MinBox()->styleSheet().contains(QStringLiteral("border")));
    page.Ev2MinBox()->setText(QString());
    EXPECT_TRUE(page.Ev2MinBox()->styleSheet().isEmpty());
}

}  // namespace
}  // namespace k30
