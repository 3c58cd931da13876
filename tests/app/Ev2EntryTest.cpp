// Manual Ev2 entry, its raw file and the project-save warning, through the
// window's real commands with scripted answers.
#include <gtest/gtest.h>

#include <QAction>
#include <QDateEdit>
#include <QTimeEdit>

#include "CPropSheet.h"
#include "Ev2ListModel.h"
#include "Ev2TestPoints.h"
#include "K30Evaluation.h"
#include "WindowFixture.h"

using namespace k30;
using namespace k30::test;
using Answer = Prompt::Answer;

namespace {

class Ev2Entry : public WindowFixture<> {
protected:
    CTestEv2& Page() { return *frame_->Ev2Page(); }

    // Types a point's readings as the page shows them, its date and times.
    void Type(const Ev2Point& p)
    {
        TypeEv2Readings(Page(), p);
        Page().DateBox()->setDate(QDate(2024, 6, 3));
        Page().StartBox()->setTime(QTime(9, 5));
        Page().EndBox()->setTime(QTime(10, 40));
    }
};

}  // namespace

TEST_F(Ev2Entry, TypedComputedSavedRawAndReopened)
{
    QAction* command = frame_->Action(CommandId::ManualInputEv2);
    // A name that is no point number is refused with the reason, then asked again.
    prompt_.dialog(TypeName("P12")).answer(Answer::Ok).dialog(TypeName("12"));
    command->trigger();
    ASSERT_EQ(prompt_.asked.size(), 1u);
    EXPECT_TRUE(prompt_.asked[0].text.contains("0 to 65535"));
    ASSERT_EQ(store_.ev2List.size(), 1u);
    EXPECT_EQ(store_.ev2List[0].name, "12");
    EXPECT_EQ(store_.nK30Count, 0);
    EXPECT_EQ(frame_->Sheet()->currentIndex(), CPropSheet::Ev2Page);
    EXPECT_TRUE(Page().StressBox(3)->isEnabled());
    EXPECT_FALSE(frame_->Action(CommandId::SaveRaw)->isEnabled());
    EXPECT_EQ(frame_->windowTitle(), "Quindle-Manual Input Data");

    Type(ExactEv2Point());
    Page().ComputeButton()->click();
    // Typed texts convert as the test data page's boxes do: 1.15 mm is
    // 114.99999999999999 hundredths in double precision, truncated to 114.
    Ev2Point expected = ExactEv2Point();
    expected.reading[8].settlement = 114;
    ASSERT_EQ(store_.ev2List.size(), 1u);
    EXPECT_EQ(store_.ev2List[0], expected);
    const Ev2ListModel& m = *Page().Model();
    EXPECT_EQ(m.data(m.index(0, Ev2ListModel::Ev1), Qt::DisplayRole).toString(), "132.4");
    EXPECT_EQ(m.data(m.index(0, Ev2ListModel::Ev2), Qt::DisplayRole).toString(), "225.0");
    EXPECT_EQ(m.data(m.index(0, Ev2ListModel::Ratio), Qt::DisplayRole).toString(), "1.70");
    EXPECT_TRUE(store_.UnsavedDataPresent());
    EXPECT_TRUE(frame_->Action(CommandId::SaveRaw)->isEnabled());

    // Saved raw as the transfer the instrument would send; opened, the same point.
    prompt_.file(Path("typed.ORG"));
    frame_->Action(CommandId::SaveRaw)->trigger();
    EXPECT_FALSE(store_.UnsavedDataPresent());
    store_.ev2List.clear();
    ASSERT_TRUE(frame_->OpenFile(Path("typed.ORG")));
    ASSERT_EQ(store_.ev2List.size(), 1u);
    EXPECT_EQ(store_.ev2List[0], expected);
    EXPECT_EQ(store_.nEv2Count, 1);
    EXPECT_FALSE(Page().StressBox(3)->isEnabled());
    EXPECT_EQ(store_.strCurEv2Name, "12");
}

TEST_F(Ev2Entry, NoModulusAsksToReenterAndUnsavedDataAreOfferedFirst)
{
    prompt_.dialog(TypeName("5"));
    frame_->OnManualInputEv2();
    Page().StressBox(1)->setText("0.1");
    Page().SettlementBox(1)->setText("1.13");
    prompt_.answer(Answer::Ok);
    Page().ComputeButton()->click();
    EXPECT_EQ(prompt_.asked.back().text, "Please re-enter the data");
    EXPECT_EQ(store_.ev2List.at(0).reading[1].settlement, 112.0f);  // truncated as on the test data page

    // A reading the raw record cannot carry is refused, not saved changed.
    Page().SettlementBox(16)->setText("-0.2");
    prompt_.answer(Answer::Ok);
    Page().ComputeButton()->click();
    prompt_.file(Path("negative.ORG")).answer(Answer::Ok);
    frame_->OnSaveRaw();
    EXPECT_TRUE(prompt_.asked.back().text.startsWith("The Ev2 test point cannot be saved as raw data"));
    EXPECT_FALSE(QFile::exists(Path("negative.ORG")));
    EXPECT_TRUE(store_.UnsavedDataPresent());

    // The typed point is unsaved: a new entry asks first, as manual K30 entry does.
    prompt_.answer(Answer::No).dialog(Reject());
    frame_->OnManualInputEv2();
    EXPECT_EQ(prompt_.asked.back().text, "Data is not saved. Do you need to save it?");
    EXPECT_EQ(store_.ev2List.at(0).name, "5");
}

TEST_F(Ev2Entry, ProjectSaveOffersRawDataForEv2PointsInNoRawFile)
{
    prompt_.dialog(TypeName("7"));
    frame_->OnManualInputEv2();
    Type(ExactEv2Point());
    Page().ComputeButton()->click();

    // Yes whose raw save is cancelled stops the project save too (it once went
    // on and marked everything saved).
    prompt_.answer(Answer::Yes).file(QString());
    EXPECT_FALSE(frame_->OnSaveProject());
    EXPECT_TRUE(store_.UnsavedDataPresent());

    // Yes saves raw data first; the project file itself has no place for them.
    prompt_.answer(Answer::Yes).file(Path("first.ORG")).dialog(Reject());
    EXPECT_FALSE(frame_->OnSaveProject());
    EXPECT_EQ(prompt_.asked.back().text,
              "Project files cannot hold Ev2 test points, and the current Ev2 test points are in no raw data file. "
              "Save raw data first?");
    EXPECT_TRUE(QFile::exists(Path("first.ORG")));

    // Once in a raw file they are not asked about again, nor after opening one.
    prompt_.dialog(Reject());
    frame_->OnSaveProject();
    ASSERT_TRUE(frame_->OpenFile(Path("first.ORG")));
    prompt_.dialog(Reject());
    frame_->OnSaveProject();

    // A transfer's Ev2 points are in no file until it is saved raw; asked in
    // the language of the moment.
    frame_->SwitchLanguage(Language::Chinese);
    DecodeTransfer(*Ev2TransferText({ShortEv2Point()}, 4), store_);
    frame_->OnNewData();
    prompt_.answer(Answer::No).dialog(Reject());
    frame_->OnSaveProject();
    EXPECT_TRUE(prompt_.asked.back().text.startsWith(QStringLiteral("工程文件不能保存Ev2测试点")));
}

// A decimal comma is read (it once read as 0: Ev2 190.8 and "Pass" instead
// of 140.3); a word is refused by name and nothing is computed.
TEST_F(Ev2Entry, CommasAreReadAndWordsRefused)
{
    prompt_.dialog(TypeName("8"));
    frame_->OnManualInputEv2();
    Type(ExactEv2Point());
    Page().ComputeButton()->click();
    const Ev2Point computed = store_.ev2List.at(0);
    QLineEdit* box = Page().SettlementBox(8);
    box->setText(box->text().replace(QLatin1Char('.'), QLatin1Char(',')));
    Page().ComputeButton()->click();
    EXPECT_EQ(store_.ev2List.at(0), computed);

    Page().StressBox(5)->setText("abc");
    prompt_.answer(Answer::Ok);
    Page().ComputeButton()->click();
    EXPECT_TRUE(prompt_.asked.back().text.contains("Stress (MPa) 5: \"abc\"")) << prompt_.asked.back().text.toStdString();
    EXPECT_EQ(store_.ev2List.at(0), computed);
    EXPECT_TRUE(Page().StressBox(5)->toolTip().contains("abc"));
}
