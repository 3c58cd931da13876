// The site page over a real SQLite site database: lazy fetching, sorting,
// filters with their statistics, editing a selection with undo, the chart.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <map>

#include "CSitePage.h"
#include "ScriptedPrompt.h"
#include "SiteChartView.h"
#include "SiteDatabase.h"
#include "SiteTableModel.h"
#include "SiteTestData.h"
#include "TestDataStore.h"
#include "TransferBuilder.h"
#include "TransferText.h"

namespace k30 {
namespace {

using test::ScriptedPrompt;
using Answer = Prompt::Answer;
using M = SiteTableModel;

class SitePage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(db_.Open(QStringLiteral("sqlite:") + dir_.filePath(QStringLiteral("site.sqlite"))))
            << db_.LastError().toStdString();
        store_.nLanguage = Language::English;
        page_ = std::make_unique<CSitePage>(store_, prompt_);
        page_->SetRequirementSource([] {
            Requirements r;
            r.k30 = 190;
            return r;
        });
        page_->resize(1200, 800);
    }
    void TearDown() override
    {
        EXPECT_TRUE(prompt_.done()) << "scripted answers left over";
        page_.reset();
    }
    void Import(const std::string& text)
    {
        const site::ImportResult r = db_.ImportTransferText(text, QStringLiteral("imported.ORG"));
        ASSERT_TRUE(r.ok) << r.error.toStdString();
    }
    // Eight K30 points: five on 12 May (K30 200, 150, 220, 190, 180), three on 13 May (210, 230, 170).
    void ImportEight()
    {
        Import(test::K30TransferText({200, 150, 220, 190, 180}, 12, 1));
        Import(test::K30TransferText({210, 230, 170}, 13, 6));
    }
    qint64 Count(const site::SiteFilter& f) { return db_.Count(f); }
    // The statistics and the chart come from another thread.
    void Settle() { ASSERT_TRUE(QTest::qWaitFor([this] { return page_->StatisticsReady(); }, 20000)); }
    void Type(QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        edit->setModified(true);
        emit edit->editingFinished();
    }
    void SelectRows(int first, int last)
    {
        QTableView* view = page_->View();
        view->selectionModel()->select(
            QItemSelection(page_->Model()->index(first, 0), page_->Model()->index(last, M::kColumns - 1)),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    QTemporaryDir dir_;
    site::SiteDatabase db_;
    TestDataStore store_;
    ScriptedPrompt prompt_;
    std::unique_ptr<CSitePage> page_;
};

TEST_F(SitePage, FetchesABlockAtATimeAndSortsInTheDatabase)
{
    Import(BytesToTransferText(BuildTransfer(RegularPlan(450))));  // 450 K30 and 20 Ev2 points
    page_->SetDatabase(&db_);
    M* model = page_->Model();
    EXPECT_EQ(model->TotalCount(), 470);
    EXPECT_EQ(model->rowCount(), M::kBlock);
    ASSERT_TRUE(model->canFetchMore({}));
    model->fetchMore({});
    EXPECT_EQ(model->rowCount(), 2 * M::kBlock);
    model->fetchMore({});
    EXPECT_EQ(model->rowCount(), 470);
    EXPECT_FALSE(model->canFetchMore({}));

    page_->View()->sortByColumn(M::Value, Qt::DescendingOrder);
    ASSERT_EQ(model->rowCount(), M::kBlock);  // a new query starts again with one block
    double previous = 1e9;
    for (int r = 0; r < model->rowCount(); ++r) {
        const double v = model->index(r, M::Value).data().toDouble();
        EXPECT_LE(v, previous) << "row " << r;
        previous = v;
    }
}

TEST_F(SitePage, FiltersChooseThePointsAndTheStatisticsFollow)
{
    ImportEight();
    // Chainages on the first day's points, told apart by their K30.
    const std::map<QString, QString> chainage{{"200", "DK125+300"}, {"150", "DK125+400"}, {"220", "DK125+500"},
                                              {"190", "DK125+600"}, {"180", "DK125+700"}};
    for (const site::SitePoint& p : db_.Points({}, {}, 0, 100)) {
        const auto it = chainage.find(p.k30Value.trimmed());
        if (it != chainage.end()) {
            ASSERT_TRUE(db_.Edit({p.id}, site::PointEdit{it->second, {}, {}, {}, {}}));
        }
    }
    page_->SetDatabase(&db_);
    M* model = page_->Model();
    EXPECT_EQ(model->TotalCount(), 8);
    Settle();
    EXPECT_EQ(page_->Chart()->Data().points.size(), 5u);  // only points with a chainage
    ASSERT_EQ(page_->Chart()->Data().required, 190.0);

    page_->FromDate()->setDate(QDate(2026, 5, 13));
    EXPECT_EQ(model->TotalCount(), 3);
    page_->FromDate()->setDate(page_->FromDate()->minimumDate());
    EXPECT_EQ(model->TotalCount(), 8);

    // DK125+350 .. DK125+600: K30 150, 220, 190. Mean 560/3 = 186.7; deviations
    // -36.7, 33.3, 3.3, sample variance 2466.7 / 2 = 1233.3, std 35.1; 2 of 3 pass.
    Type(page_->ChainageFromEdit(), QStringLiteral("DK125+350"));
    Type(page_->ChainageToEdit(), QStringLiteral("DK125+600"));
    EXPECT_EQ(model->TotalCount(), 3);
    Settle();
    const QString strip = page_->StatisticsStrip()->text();
    EXPECT_TRUE(strip.contains(QStringLiteral("186.7"))) << strip.toStdString();
    EXPECT_TRUE(strip.contains(QStringLiteral("35.1"))) << strip.toStdString();
    EXPECT_TRUE(strip.contains(QStringLiteral("66.7%"))) << strip.toStdString();
    EXPECT_EQ(LotFilterWords(model->Filter(), Language::English), QStringLiteral("chainage DK125+350 to DK125+600"));

    // A chainage that cannot be read is refused and the list stays as it was.
    prompt_.answer(Answer::Ok);
    Type(page_->ChainageToEdit(), QStringLiteral("DK12x"));
    ASSERT_EQ(prompt_.asked.size(), 1u);
    EXPECT_TRUE(prompt_.asked[0].text.startsWith(QStringLiteral("The chainage \"DK12x\" cannot be read")));
    EXPECT_EQ(model->TotalCount(), 3);
    page_->ChainageFromEdit()->clear();
    Type(page_->ChainageToEdit(), QString());

    // Against 190 MPa/m: 150, 180 and 170 fail; the kinds.
    page_->VerdictBox()->setCurrentIndex(2);
    EXPECT_EQ(model->TotalCount(), 3);
    page_->VerdictBox()->setCurrentIndex(0);
    page_->KindBox()->setCurrentIndex(2);
    EXPECT_EQ(model->TotalCount(), 0);
}

// The statistics are read on a connection of their own: when that fails the
// strip says so instead of showing zeros.
TEST_F(SitePage, StatisticsThatCannotBeReadAreSaidSo)
{
    ImportEight();
    page_->SetDatabase(&db_);
    Settle();
    const QString path = dir_.filePath(QStringLiteral("site.sqlite"));
    ASSERT_TRUE(QFile::rename(path, path + QStringLiteral(".moved")));
    QFile garbage(path);
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    page_->VerdictBox()->setCurrentIndex(1);
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return page_->StatisticsStrip()->text().contains(QStringLiteral("The statistics could not be read")); },
        20000));
    EXPECT_FALSE(page_->StatisticsReady());
}

TEST_F(SitePage, EditsASelectionInOneStepAndUndoesIt)
{
    Import(BytesToTransferText(BuildTransfer(RegularPlan(60))));
    page_->SetDatabase(&db_);
    site::SiteFilter layer3;
    layer3.layer = QStringLiteral("L3");

    SelectRows(0, 39);
    page_->EditFieldBox()->setCurrentIndex(2);  // layer
    page_->EditValue()->setText(QStringLiteral("L3"));
    page_->ApplyButton()->click();
    EXPECT_EQ(Count(layer3), 40);
    EXPECT_EQ(page_->SelectedIds().size(), 40u);  // still selected after the list was read again
    EXPECT_GE(page_->LayerBox()->findText(QStringLiteral("L3")), 1);
    ASSERT_TRUE(page_->UndoButton()->isEnabled());
    page_->UndoButton()->click();
    EXPECT_EQ(Count(layer3), 0);

    // Typing into a cell of a selected row sets every selected row.
    SelectRows(2, 4);
    ASSERT_TRUE(page_->Model()->setData(page_->Model()->index(3, M::Lot), QStringLiteral("Lot 7"), Qt::EditRole));
    site::SiteFilter lot7;
    lot7.lot = QStringLiteral("Lot 7");
    QTRY_COMPARE(Count(lot7), 3);

    // A chainage that does not parse changes nothing and leaves no undo step.
    const int steps = page_->UndoStack()->count();
    prompt_.answer(Answer::Ok);
    EXPECT_FALSE(page_->ApplyEdit(page_->SelectedIds(), M::Chainage, QStringLiteral("DK12x")));
    EXPECT_EQ(page_->UndoStack()->count(), steps);
    EXPECT_TRUE(page_->ApplyEdit(page_->SelectedIds(), M::Chainage, QStringLiteral("K12+345")));
    site::SiteFilter at;
    at.chainageFrom = 12345.0;
    at.chainageTo = 12345.0;
    EXPECT_EQ(Count(at), 3);
}

TEST_F(SitePage, TheChartMarksTheSelectionAndOpensAPointOnDoubleClick)
{
    ImportEight();
    const auto points = db_.Points({}, {}, 0, 8);
    for (std::size_t i = 0; i < points.size(); ++i)
        ASSERT_TRUE(db_.Edit({points[i].id}, site::PointEdit{QString::number(1000 + 50 * i), {}, {}, {}, {}}));
    page_->SetDatabase(&db_);
    page_->show();
    Settle();
    SiteChartView* chart = page_->Chart();
    ASSERT_EQ(chart->Data().points.size(), 8u);

    SelectRows(1, 1);
    const qint64 chosen = page_->SelectedIds().front();
    int marked = 0;
    for (const SiteChartPoint& p : chart->Data().points)
        marked += p.selected ? (p.id == chosen ? 1 : 100) : 0;
    EXPECT_EQ(marked, 1);

    // Points lie left to right by chainage, and a double click opens the one under the pointer.
    EXPECT_LT(chart->PositionOf(0).x(), chart->PositionOf(7).x());
    QSignalSpy open(page_.get(), &CSitePage::openPointRequested);
    QTest::mouseDClick(chart, Qt::LeftButton, {}, chart->PositionOf(3).toPoint());
    ASSERT_EQ(open.count(), 1);
    EXPECT_EQ(open.at(0).at(0).toLongLong(), chart->Data().points[3].id);
}

}  // namespace
}  // namespace k30
