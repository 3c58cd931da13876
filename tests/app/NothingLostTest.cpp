// The window's paths where points could be lost: what Save raw data marks
// saved, a "yes, save" that ends without a file, and the archive of transfers.
#include <gtest/gtest.h>

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include "CArchivedTransfers.h"
#include "CInputName.h"
#include "CKSelect.h"
#include "CMainFrame.h"
#include "CReadData.h"
#include "ScriptedPrompt.h"
#include "TestDataStore.h"
#include "TransferArchive.h"
#include "TransferDecoder.h"

using namespace k30;
using k30::test::ScriptedPrompt;
using Answer = Prompt::Answer;

namespace {

const QString kDemo = QStringLiteral(K30_SAMPLES "/demo.ORG");

QByteArray Slurp(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int Reject(QDialog& d)
{
    d.reject();
    return QDialog::Rejected;
}

int ChooseAll(QDialog& d)
{
    auto& choice = dynamic_cast<CKSelect&>(d);
    choice.AddAll();
    choice.OnOk();
    return choice.result();
}

int NamePoint(QDialog& d)
{
    auto& input = dynamic_cast<CInputName&>(d);
    input.Edit()->setText(QStringLiteral("M1"));
    input.OkButton()->click();
    return input.result();
}

class NothingLost : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        store_.nLanguage = Language::English;
        frame_ = std::make_unique<CMainFrame>(store_, prompt_);
        frame_->ReadPage()->SetArchiveFolder(Path("transfers"));
    }
    void TearDown() override
    {
        EXPECT_TRUE(prompt_.done()) << "scripted answers left over";
        frame_.reset();
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    bool CloseAccepted()
    {
        QCloseEvent event;
        QCoreApplication::sendEvent(frame_.get(), &event);
        return event.isAccepted();
    }

    QTemporaryDir dir_;
    TestDataStore store_;
    ScriptedPrompt prompt_;
    std::unique_ptr<CMainFrame> frame_;
};

}  // namespace

// Save raw data writes the last transfer text: typed or renamed points are not
// in it, so they stay unsaved and closing still asks.
TEST_F(NothingLost, SaveRawMarksSavedOnlyWhenTheTextHoldsThePoints)
{
    ASSERT_TRUE(frame_->OpenFile(kDemo));
    prompt_.answer(Answer::No).dialog(NamePoint);
    frame_->OnManualInput();
    ASSERT_EQ(store_.k30List.at(0).name, "M1");
    frame_->SwitchLanguage(Language::English);  // enables Save raw data again
    ASSERT_TRUE(frame_->Action(CommandId::SaveRaw)->isEnabled());
    prompt_.file(Path("typed.ORG"));
    frame_->OnSaveRaw();
    EXPECT_EQ(Slurp(Path("typed.ORG")), Slurp(kDemo));
    EXPECT_FALSE(store_.bDataSaved);
    prompt_.answer(Answer::Cancel);
    EXPECT_FALSE(CloseAccepted());
    EXPECT_EQ(prompt_.asked.back().text, QStringLiteral("Whether to save the current data"));

    ASSERT_TRUE(frame_->OpenFile(kDemo));
    store_.RenamePoint(0, "renamed");
    prompt_.file(Path("renamed.ORG"));
    frame_->OnSaveRaw();
    EXPECT_FALSE(store_.bDataSaved);

    ASSERT_TRUE(frame_->OpenFile(kDemo));  // the file's own points: saved
    prompt_.file(Path("same.ORG"));
    frame_->OnSaveRaw();
    EXPECT_TRUE(store_.bDataSaved);
}

// Yes, then a cancelled point choice, a cancelled file dialog or a failed
// save: nothing was saved, so the command replaces nothing.
TEST_F(NothingLost, YesWithoutASaveStopsEveryCommandThatReplacesThePoints)
{
    ASSERT_TRUE(frame_->OpenFile(kDemo));
    const std::vector<K30> before = store_.k30List;

    prompt_.answer(Answer::Yes).dialog(Reject);
    frame_->OnFileOpen();  // no Open dialog follows
    prompt_.answer(Answer::Yes).dialog(ChooseAll).file(QString());
    frame_->OnManualInput();  // no name dialog follows
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folder.K30")));
    prompt_.answer(Answer::Yes).dialog(ChooseAll).file(Path("folder.K30")).answer(Answer::Ok);
    frame_->OnArchivedTransfers();  // the list does not follow
    EXPECT_TRUE(prompt_.asked.back().text.startsWith(QStringLiteral("Cannot save the file")));

    CReadData* read = frame_->ReadPage();
    read->AddExtraPorts({Path("no-such-port")});
    read->FillPortList();
    auto* combo = read->findChild<QComboBox*>(QStringLiteral("portCombo"));
    combo->setCurrentIndex(combo->findText(Path("no-such-port")));
    prompt_.answer(Answer::Yes).dialog(Reject);
    read->OnOpenPort();  // no "not found" box: the port is not tried

    EXPECT_TRUE(prompt_.fileRequests.size() == 2u && prompt_.dialogs.size() == 4u);
    EXPECT_TRUE(store_.k30List == before);
    EXPECT_FALSE(store_.bDataSaved || store_.bManualInput);
}

TEST_F(NothingLost, ArchivedTransfersListNewestFirstAndOpenAsRawFiles)
{
    const std::string demo = Slurp(kDemo).toStdString();
    const std::string folder = Path("transfers").toStdString();
    ASSERT_TRUE(ArchiveTransfer(folder, demo, 1765031405, true).ok);
    ASSERT_TRUE(ArchiveTransfer(folder, "01 02 03 ", 1765031405 + 60, false).ok);
    TestDataStore decoded;
    DecodeTransfer(demo, decoded);

    frame_->SwitchLanguage(Language::Chinese);
    ASSERT_EQ(frame_->Action(CommandId::ArchivedTransfers)->text(), QStringLiteral("已存档的传送…"));
    frame_->SwitchLanguage(Language::English);
    EXPECT_EQ(frame_->Action(CommandId::ArchivedTransfers)->text(), QStringLiteral("Archived transfers…"));

    prompt_.dialog([&](QDialog& d) {
        auto& list = dynamic_cast<CArchivedTransfers&>(d);
        QTableWidget* table = list.Table();
        EXPECT_EQ(list.windowTitle(), QStringLiteral("Archived transfers"));
        EXPECT_EQ(table->horizontalHeaderItem(3)->text(), QStringLiteral("K30 points"));
        EXPECT_EQ(table->rowCount(), 2);
        EXPECT_EQ(table->item(0, 4)->text(), QStringLiteral("not accepted"));
        EXPECT_EQ(table->item(1, 1)->text(), QString::number(decoded.nInstrumentNo));
        EXPECT_EQ(table->item(1, 2)->text(), QString::number(decoded.nEv2Count));
        EXPECT_EQ(table->item(1, 3)->text(), QStringLiteral("12"));
        table->selectRow(1);
        list.OpenButton()->click();
        return list.result();
    });
    frame_->OnArchivedTransfers();
    EXPECT_EQ(store_.nK30Count, 12);
    EXPECT_TRUE(store_.bRawTextMatchesPoints && !store_.bDataSaved);
    EXPECT_TRUE(frame_->ReadPage()->LastTransferText() == demo);
    EXPECT_TRUE(frame_->windowTitle().endsWith(QStringLiteral("_instrument-%1.ORG").arg(decoded.nInstrumentNo)));

    // With unsaved points it asks first, as Open does.
    prompt_.answer(Answer::No).dialog(Reject);
    frame_->OnArchivedTransfers();
    EXPECT_EQ(prompt_.asked.back().text, QStringLiteral("Data is not saved. Do you need to save it?"));
}

TEST_F(NothingLost, ClosingSetsWaitingBytesAsideInTheArchive)
{
    CReadData* read = frame_->ReadPage();
    read->SetReceivedText("CC CC ");
    // The archive cannot be written: the window asks again, and stays on No.
    QFile blocker(Path("transfers"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    prompt_.answer(Answer::Yes).answer(Answer::No);
    EXPECT_FALSE(CloseAccepted());
    EXPECT_TRUE(prompt_.asked.back().text.startsWith(
        QStringLiteral("The data not yet accepted could not be written to the transfer archive:")));
    blocker.remove();

    prompt_.answer(Answer::Yes);
    EXPECT_TRUE(CloseAccepted());
    const QStringList files = QDir(Path("transfers")).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files[0].endsWith(QStringLiteral("_instrument-0_unaccepted.ORG")));
    EXPECT_EQ(Slurp(QDir(Path("transfers")).filePath(files[0])), QByteArray("CC CC "));
}
