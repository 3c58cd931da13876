// The site database in the window: the address, importing files, opening a
// point into the other pages, the lot report, exporting a selection, a
// damaged database, both languages.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "CPropSheet.h"
#include "CReadData.h"
#include "CSitePage.h"
#include "../report/ReportTestSupport.h"
#include "SiteCommands.h"
#include "SiteTableModel.h"
#include "SiteTestData.h"
#include "WindowFixture.h"

namespace k30 {
namespace {

using namespace test;
using Answer = Prompt::Answer;

class SiteWindow : public WindowFixture<> {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        QDir(dir_.path()).mkdir(QStringLiteral("transfers"));
        frame_->ReadPage()->SetArchiveFolder(Path("transfers"));
        address_ = QStringLiteral("sqlite:") + Path("site.sqlite");
    }
    void Write(const QString& name, const QByteArray& bytes) { WriteFile(Path(name), bytes); }
    // Imports both transfers through File › Import into site database….
    void ImportTwo()
    {
        Write("day12.ORG", QByteArray::fromStdString(test::K30TransferText({200, 150, 220, 190, 180}, 12, 1)));
        Write("day13.ORG", QByteArray::fromStdString(test::K30TransferText({210, 230, 170}, 13, 6)));
        QSignalSpy done(&frame_->Site(), &SiteCommands::jobFinished);
        prompt_.file(Path("day12.ORG") + "\n" + Path("day13.ORG")).answer(Answer::Ok);
        frame_->Action(CommandId::SiteImport)->trigger();
        ASSERT_TRUE(done.count() > 0 || done.wait(20000));
        EXPECT_TRUE(done.at(0).at(0).toBool());
        EXPECT_EQ(prompt_.asked.back().text.toStdString(), "2 transfers and 8 points added; 0 transfers were already there.");
    }
    CSitePage* Page() { return frame_->SitePage(); }

    QString address_;
};

TEST_F(SiteWindow, ImportsFilesAndOpensAPointIntoTheOtherPagesAskingFirst)
{
    ASSERT_TRUE(frame_->Site().Start(address_));
    ImportTwo();
    frame_->Sheet()->setCurrentIndex(CPropSheet::SitePage);
    SiteTableModel* model = Page()->Model();
    ASSERT_EQ(model->TotalCount(), 8);

    // Unsaved points first: the save question, answered No.
    ASSERT_TRUE(frame_->OpenFile(QStringLiteral(K30_SAMPLES "/demo.ORG")));
    store_.RenamePoint(0, "renamed");
    const site::SitePoint point = model->PointAt(model->RowOfId(model->PointAt(6).id));
    prompt_.answer(Answer::No);
    ASSERT_TRUE(frame_->Site().OpenPoint(point.id));
    EXPECT_EQ(prompt_.asked.back().text, QStringLiteral("Data is not saved. Do you need to save it?"));
    EXPECT_EQ(frame_->Sheet()->currentIndex(), static_cast<int>(CPropSheet::TestPage));
    EXPECT_EQ(store_.nK30Count, 3);  // the second transfer
    EXPECT_EQ(QString::fromStdString(store_.strCurK30Name), point.name);
}

TEST_F(SiteWindow, LotReportAndSelectionExportInBothLanguages)
{
    ASSERT_TRUE(frame_->Site().Start(address_));
    ImportTwo();
    frame_->Sheet()->setCurrentIndex(CPropSheet::SitePage);

    prompt_.file(Path("lot.pdf"));
    frame_->Site().ExportLotReportPdf();
    const QString en = test::PdfText(Path("lot.pdf"));
    EXPECT_TRUE(en.contains(QStringLiteral("Lot Acceptance Report"))) << en.toStdString();
    EXPECT_TRUE(en.contains(QStringLiteral("Scope: all points")));
    // No required K30 in the header: nothing can be judged.
    EXPECT_TRUE(en.contains(QStringLiteral("8 points cannot be judged")));

    Page()->View()->selectAll();
    prompt_.file(Path("chosen.csv"));
    frame_->Site().ExportSelection();
    EXPECT_EQ(Slurp(Path("chosen.csv")).count("\r\n"), 9);  // the title row and eight points

    frame_->SwitchLanguage(Language::Chinese);
    prompt_.file(Path("lot-zh.pdf"));
    frame_->Site().ExportLotReportPdf();
    const QString zh = test::PdfText(Path("lot-zh.pdf"));
    EXPECT_TRUE(zh.contains(QStringLiteral("检验批验收报告"))) << zh.toStdString();
}

// Site edits share the window's one undo history with its other edits.
TEST_F(SiteWindow, EditsOfSeveralPointsUndoAndRedoWithTheWindowsShortcuts)
{
    ASSERT_TRUE(frame_->Site().Start(address_));
    ImportTwo();
    frame_->show();
    frame_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
    frame_->Sheet()->setCurrentIndex(CPropSheet::SitePage);
    QTableView* view = Page()->View();
    view->selectionModel()->select(QItemSelection(Page()->Model()->index(1, 0), Page()->Model()->index(4, 0)),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Page()->EditFieldBox()->setCurrentIndex(2);  // layer
    Page()->EditValue()->setText(QStringLiteral("3"));
    Page()->ApplyButton()->click();
    site::SiteFilter layer3;
    layer3.layer = QStringLiteral("3");
    site::SiteDatabase& db = frame_->Site().Database();
    ASSERT_EQ(db.Count(layer3), 4);
    EXPECT_TRUE(Page()->UndoButton()->isEnabled());

    view->setFocus();
    QTest::keyClick(frame_.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(db.Count(layer3), 0);
    EXPECT_FALSE(Page()->UndoButton()->isEnabled());
    QTest::keyClick(frame_.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(db.Count(layer3), 4);
    EXPECT_EQ(Page()->Model()->PointAt(1).layer, QStringLiteral("3"));

    // Opened again, the database takes no undo recorded on the old connection.
    ASSERT_TRUE(frame_->Site().Start(address_));
    frame_->OnUndo();
    EXPECT_EQ(db.Count(layer3), 4);
}

TEST_F(SiteWindow, ADamagedDatabaseIsLeftAsItIsUnlessTheOperatorSetsItAside)
{
    const QByteArray garbage("this is no database at all, just text that must stay as it is");
    Write("site.sqlite", garbage);
    prompt_.answer(Answer::No);
    EXPECT_FALSE(frame_->Site().Start(address_));
    EXPECT_TRUE(prompt_.asked.back().text.startsWith(QStringLiteral("The site database is damaged")));
    EXPECT_EQ(prompt_.asked.back().defaultAnswer, Answer::No);
    EXPECT_EQ(Slurp(Path("site.sqlite")), garbage);
    EXPECT_EQ(Page()->Database(), nullptr);
    EXPECT_TRUE(frame_->OpenFile(QStringLiteral(K30_SAMPLES "/demo.ORG")));

    // On the operator's word the file is renamed, not removed, and a new
    // database is made from the archive.
    Write("transfers/2026-05-12_080000_instrument-1207.ORG",
          QByteArray::fromStdString(test::K30TransferText({200, 150}, 12, 1)));
    QSignalSpy done(&frame_->Site(), &SiteCommands::jobFinished);
    prompt_.answer(Answer::Yes).answer(Answer::Ok);
    EXPECT_TRUE(frame_->Site().Start(address_));
    ASSERT_TRUE(done.wait(20000));
    EXPECT_EQ(frame_->Site().Database().PointCount(), 2);
    const QStringList aside = QDir(dir_.path()).entryList({QStringLiteral("site.sqlite.set-aside-*")});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(Slurp(Path(aside.front())), garbage);
}

TEST_F(SiteWindow, TheFirstStartOffersTheArchiveOnce)
{
    Write("transfers/2026-05-12_080000_instrument-1207.ORG",
          QByteArray::fromStdString(test::K30TransferText({200, 150}, 12, 1)));
    QSignalSpy done(&frame_->Site(), &SiteCommands::jobFinished);
    prompt_.answer(Answer::Yes);
    ASSERT_TRUE(frame_->Site().Start(address_));
    ASSERT_TRUE(done.wait(20000));
    EXPECT_EQ(frame_->Site().Database().PointCount(), 2);
    // Asked once per database: a later start asks nothing.
    ASSERT_TRUE(frame_->Site().Start(address_));
}

}  // namespace
}  // namespace k30
