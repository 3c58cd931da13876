// The main window driven through its real commands, with scripted answers.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QTableWidget>
#include <QTest>

#include "CArchivedTransfers.h"
#include "CChangeNameK.h"
#include "CHeadk30.h"
#include "CListData.h"
#include "CPropSheet.h"
#include "CReadData.h"
#include "CTestK30.h"
#include "Ev2TestPoints.h"
#include "K30ListModel.h"
#include "TransferArchive.h"
#include "TransferDecoder.h"
#include "WindowFixture.h"

using namespace k30;
using namespace k30::test;
using Answer = Prompt::Answer;

namespace {

const QString kDemo = QStringLiteral(K30_SAMPLES "/demo.ORG");

class Window : public WindowFixture<> {
protected:
    // The sample opened and a header text typed: work that no file holds.
    void OpenDemoAndTypeHeader()
    {
        ASSERT_TRUE(frame_->OpenFile(kDemo));
        frame_->HeaderPage()->Box(&ReportHeader::Client)->setText(QStringLiteral("typed"));
    }
};

}  // namespace

TEST_F(Window, OpenSaveAndReopenBothKinds)
{
    prompt_.file(kDemo);
    frame_->OnFileOpen();
    EXPECT_EQ(store_.nK30Count, 12);
    EXPECT_EQ(frame_->ListPage()->Model()->rowCount(), 12);
    EXPECT_EQ(Title(), QStringLiteral("Quindle-") + QFileInfo(kDemo).absoluteFilePath());
    EXPECT_TRUE(frame_->Action(CommandId::SaveRaw)->isEnabled());
    EXPECT_FALSE(store_.UnsavedDataPresent());  // the file holds every point

    // Raw file saved again is byte for byte the file opened.
    prompt_.file(Path("again.ORG"));
    frame_->OnSaveRaw();
    EXPECT_EQ(Slurp(Path("again.ORG")), Slurp(kDemo));
    EXPECT_FALSE(store_.UnsavedDataPresent());
    EXPECT_EQ(Title(), QStringLiteral("Quindle-") + QFileInfo(kDemo).absoluteFilePath() +
                           QStringLiteral(" Saved as original file") + Path("again.ORG"));

    // A project file with the header; saving twice leaves one suffix.
    frame_->HeaderPage()->Box(&ReportHeader::Client)->setText(QStringLiteral("中铁十局"));
    prompt_.dialog(ChooseAll()).file(Path("p.K30"));
    ASSERT_TRUE(frame_->OnSaveProject());
    prompt_.dialog(ChooseAll()).file(Path("q.K30"));
    ASSERT_TRUE(frame_->OnSaveProject());
    EXPECT_EQ(Title().count(QStringLiteral(" Saved")), 1);
    EXPECT_TRUE(Title().endsWith(QStringLiteral(" Saved as project file") + Path("q.K30")));
    EXPECT_EQ(Slurp(Path("p.K30")), Slurp(Path("q.K30")));

    // Reopen the project in a fresh window: same points, header, no Ev2 points.
    const std::vector<K30> before(store_.k30List.begin(), store_.k30List.end());
    TestDataStore other;
    ScriptedPrompt otherPrompt;
    CMainFrame second(other, otherPrompt);
    ASSERT_TRUE(second.OpenFile(Path("p.K30")));
    EXPECT_EQ(other.nEv2Count, 0);
    EXPECT_FALSE(other.UnsavedDataPresent());
    EXPECT_FALSE(second.Action(CommandId::SaveRaw)->isEnabled());
    ASSERT_EQ(other.k30List.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(other.k30List[i], before[i]);
    EXPECT_EQ(second.HeaderPage()->Box(&ReportHeader::Client)->text(), QStringLiteral("中铁十局"));
    EXPECT_EQ(second.windowTitle(), QStringLiteral("Quindle-") + Path("p.K30"));
}

TEST_F(Window, TwoPointsSharingANameAreBothSaved)
{
    ASSERT_TRUE(frame_->OpenFile(kDemo));
    store_.RenamePoint(1, "1");
    prompt_.dialog(ChooseAll()).file(Path("dup.K30"));
    ASSERT_TRUE(frame_->OnSaveProject());
    const K30 first = store_.k30List[0];
    const K30 second = store_.k30List[1];
    ASSERT_TRUE(frame_->OpenFile(Path("dup.K30")));
    ASSERT_EQ(store_.nK30Count, 12);
    EXPECT_EQ(store_.k30List[0], first);
    EXPECT_EQ(store_.k30List[1], second);
}

TEST_F(Window, CloseQuestionAndItsThreeAnswers)
{
    OpenDemoAndTypeHeader();
    prompt_.answer(Answer::Cancel);
    EXPECT_FALSE(CloseAccepted());
    EXPECT_EQ(prompt_.asked.back().text, QStringLiteral("Whether to save the current data"));
    EXPECT_EQ(prompt_.asked.back().caption, QStringLiteral("Notice"));
    EXPECT_EQ(prompt_.asked.back().buttons, Prompt::Buttons::YesNoCancel);

    // Yes, then a cancelled choice: the window stays open and nothing is lost.
    prompt_.answer(Answer::Yes).dialog(Reject());
    EXPECT_FALSE(CloseAccepted());
    prompt_.answer(Answer::Yes).dialog(ChooseAll()).file(QString());
    EXPECT_FALSE(CloseAccepted());

    prompt_.answer(Answer::Yes).dialog(ChooseAll()).file(Path("close.K30"));
    EXPECT_TRUE(CloseAccepted());
    EXPECT_TRUE(QFileInfo::exists(Path("close.K30")));
}

TEST_F(Window, OpenAsksToSaveUnsavedDataFirst)
{
    OpenDemoAndTypeHeader();
    prompt_.answer(Answer::No).file(QString());
    frame_->OnFileOpen();
    EXPECT_EQ(prompt_.asked.back().text, QStringLiteral("Data is not saved. Do you need to save it?"));
    EXPECT_EQ(store_.nK30Count, 12);  // cancelled: nothing changed
}

TEST_F(Window, EndingsInAnyLetterCaseOpenAndSavesAddTheEndingOnlyWhenMissing)
{
    QFile::copy(kDemo, Path("lower.org"));
    prompt_.file(Path("lower.org"));
    frame_->OnFileOpen();
    EXPECT_EQ(store_.nK30Count, 12);

    prompt_.file(Path("kept.Org"));
    frame_->OnSaveRaw();
    EXPECT_EQ(Slurp(Path("kept.Org")), Slurp(kDemo));
    prompt_.file(Path("notes.txt"));
    frame_->OnSaveRaw();
    EXPECT_EQ(Slurp(Path("notes.txt.ORG")), Slurp(kDemo));
    EXPECT_FALSE(QFile::exists(Path("notes.txt")));

    // The dialog asked about "notes.txt" only: replacing the file the
    // completed name names is asked separately.
    WriteFile(Path("notes.txt.ORG"), "keep");
    prompt_.file(Path("notes.txt")).answer(Answer::No);
    frame_->OnSaveRaw();
    EXPECT_EQ(Slurp(Path("notes.txt.ORG")), QByteArray("keep"));
    EXPECT_TRUE(prompt_.asked.back().text.contains(Path("notes.txt.ORG")));

    prompt_.dialog(ChooseAll()).file(Path("site.k30"));
    ASSERT_TRUE(frame_->OnSaveProject());
    prompt_.dialog(ChooseAll()).file(Path("site"));
    ASSERT_TRUE(frame_->OnSaveProject());
    EXPECT_EQ(Slurp(Path("site.K30")), Slurp(Path("site.k30")));
    ASSERT_TRUE(frame_->OpenFile(Path("site.k30")));
    EXPECT_EQ(store_.nK30Count, 12);
}

TEST_F(Window, DamagedOrUnreadableFilesChangeNothing)
{
    ASSERT_TRUE(frame_->OpenFile(kDemo));
    frame_->HeaderPage()->Box(&ReportHeader::Tester)->setText(QStringLiteral("李"));
    const QString title = Title();
    const std::vector<K30> before = store_.k30List;

    WriteFile(Path("bad.K30"), QByteArray("\x03\0\0\0\x07\0\0\0\x05hello", 13));
    prompt_.answer(Answer::Ok);
    EXPECT_FALSE(frame_->OpenFile(Path("bad.K30")));
    prompt_.answer(Answer::Ok);
    EXPECT_FALSE(frame_->OpenFile(Path("missing.ORG")));
    prompt_.answer(Answer::Ok);
    EXPECT_FALSE(frame_->OpenFile(Path("old.K30.bak")));
    EXPECT_EQ(store_.k30List, before);
    EXPECT_EQ(store_.nK30Count, 12);
    EXPECT_EQ(Title(), title);
    EXPECT_EQ(frame_->HeaderPage()->Box(&ReportHeader::Tester)->text(), QStringLiteral("李"));
    EXPECT_TRUE(prompt_.asked[0].text.contains(QStringLiteral("damaged")));
}

TEST_F(Window, LanguageSwitchRewritesOneByteAndResetsTheWindow)
{
    ASSERT_TRUE(frame_->OpenFile(kDemo));
    frame_->SetSaveRawState(false);
    frame_->Sheet()->setCurrentIndex(CPropSheet::HeaderPage);
    frame_->SwitchLanguage(Language::Chinese);
    EXPECT_EQ(Slurp(Path("Config.cfg")), QByteArray("C and the rest"));
    // The file's path stays in the title.
    const QString demo = QFileInfo(kDemo).absoluteFilePath();
    EXPECT_EQ(Title(), QStringLiteral("Velmora地基系数测试分析软件-") + demo);
    EXPECT_EQ(frame_->Sheet()->currentIndex(), CPropSheet::ListPage);
    EXPECT_TRUE(frame_->Action(CommandId::SaveRaw)->isEnabled());

    // Titles follow the language of the moment; the English mark is not searched in Chinese.
    prompt_.file(Path("c.ORG"));
    frame_->OnSaveRaw();
    EXPECT_EQ(Title(), QStringLiteral("Velmora地基系数测试分析软件-") + demo + QStringLiteral(" 已保存为原始文件") + Path("c.ORG"));
    frame_->SwitchLanguage(Language::English);
    EXPECT_EQ(Slurp(Path("Config.cfg")), QByteArray("E and the rest"));
    EXPECT_EQ(Title(), QStringLiteral("Quindle-") + demo + QStringLiteral(" Saved as original file") + Path("c.ORG"));

    // Started elsewhere, as from the desktop: the choice goes to the user's
    // own file, and the next start reads it from there.
    QFile::remove(Path("Config.cfg"));
    const QString userFile = QString::fromStdString(UserLanguageFiles().user);
    frame_->SwitchLanguage(Language::Chinese);
    EXPECT_FALSE(QFile::exists(Path("Config.cfg")));
    EXPECT_EQ(Slurp(userFile), QByteArray("C"));
    EXPECT_EQ(ReadLanguage(UserLanguageFiles()), Language::Chinese);
    QFile::remove(userFile);
}

TEST_F(Window, RenameWritesTypedNames)
{
    prompt_.answer(Answer::Ok);  // no points yet: a word, no dialog
    frame_->OnRenamePoints();

    ASSERT_TRUE(frame_->OpenFile(kDemo));
    prompt_.dialog([](QDialog& d) {
        auto& grid = *dynamic_cast<CChangeNameK&>(d).Grid();
        grid.item(0, 1)->setText(QStringLiteral(" A "));
        grid.item(2, 1)->setText(QStringLiteral("A"));
        d.accept();
        return static_cast<int>(QDialog::Accepted);
    });
    frame_->OnRenamePoints();
    EXPECT_EQ(store_.k30List[0].name, " A ");
    EXPECT_EQ(store_.k30List[1].name, "2");
    EXPECT_EQ(store_.k30List[2].name, "A");
    EXPECT_TRUE(store_.UnsavedDataPresent());  // renamed points are in no file
    EXPECT_EQ(frame_->ListPage()->Model()->data(frame_->ListPage()->Model()->index(2, 0), Qt::DisplayRole),
              QStringLiteral("A"));
}

TEST_F(Window, ManualEntryReplacesTheListWithOneBlankPoint)
{
    ASSERT_TRUE(frame_->OpenFile(kDemo));  // every point in that file: nothing asked
    prompt_.dialog(TypeName(QStringLiteral("手工1")));
    frame_->OnManualInput();
    ASSERT_EQ(store_.nK30Count, 1);
    ASSERT_EQ(store_.k30List.size(), 1u);
    EXPECT_EQ(store_.k30List[0].name, "手工1");
    EXPECT_TRUE(store_.bManualInput);
    EXPECT_FALSE(frame_->Action(CommandId::SaveRaw)->isEnabled());
    EXPECT_EQ(frame_->Sheet()->currentIndex(), CPropSheet::TestPage);
    EXPECT_EQ(Title(), QStringLiteral("Quindle-Manual Input Data"));
}

// New points show on the list, also when it is already the page in front.
TEST_F(Window, ReadPageSignalsReachTheWindow)
{
    ASSERT_TRUE(frame_->OpenFile(kDemo));
    ASSERT_EQ(frame_->Sheet()->currentIndex(), CPropSheet::ListPage);
    store_.nK30Count = 2;
    emit frame_->ReadPage()->showListPageRequested();
    EXPECT_EQ(frame_->ListPage()->Model()->rowCount(), 2);
    emit frame_->ReadPage()->newDataArrived();
    EXPECT_EQ(Title(), QStringLiteral("Quindle-New Received Data"));
    emit frame_->ReadPage()->saveRawStateChanged(false);
    EXPECT_FALSE(frame_->Action(CommandId::SaveRaw)->isEnabled());
    frame_->Sheet()->setCurrentIndex(CPropSheet::HeaderPage);
    emit frame_->ReadPage()->showListPageRequested();
    EXPECT_EQ(frame_->Sheet()->currentIndex(), CPropSheet::ListPage);
}

TEST_F(Window, ATransferAcceptedDuringTheChoiceDoesNotChangeWhatIsSaved)
{
    ASSERT_TRUE(frame_->OpenFile(kDemo));
    const K30 first = store_.k30List[0];
    prompt_.dialog([this](QDialog& d) {
        auto& choice = dynamic_cast<CKSelect&>(d);
        choice.AddAll();
        // The list is replaced while the dialog is open.
        store_.k30List.resize(1);
        store_.k30List[0].name = "new";
        store_.nK30Count = 1;
        choice.OnOk();
        return choice.result();
    });
    prompt_.file(Path("during.K30"));
    ASSERT_TRUE(frame_->OnSaveProject());
    ASSERT_TRUE(frame_->OpenFile(Path("during.K30")));
    ASSERT_EQ(store_.nK30Count, 12);
    EXPECT_EQ(store_.k30List[0], first);
}

// Yes, then a cancelled point choice, a cancelled file dialog or a failed
// save: nothing was saved, so the command replaces nothing.
TEST_F(Window, YesWithoutASaveStopsEveryCommandThatReplacesThePoints)
{
    OpenDemoAndTypeHeader();
    const std::vector<K30> before = store_.k30List;

    prompt_.answer(Answer::Yes).dialog(Reject());
    frame_->OnFileOpen();  // no Open dialog follows
    prompt_.answer(Answer::Yes).dialog(ChooseAll()).file(QString());
    frame_->OnManualInput();  // no name dialog follows
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folder.K30")));
    prompt_.answer(Answer::Yes).dialog(ChooseAll()).file(Path("folder.K30")).answer(Answer::Ok);
    frame_->OnArchivedTransfers();  // the list does not follow
    EXPECT_TRUE(prompt_.asked.back().text.startsWith(QStringLiteral("Cannot save the file")));

    CReadData* read = frame_->ReadPage();
    read->AddExtraPorts({Path("no-such-port")});
    read->FillPortList();
    auto* combo = read->findChild<QComboBox*>(QStringLiteral("portCombo"));
    combo->setCurrentIndex(combo->findText(Path("no-such-port")));
    prompt_.answer(Answer::Yes).dialog(Reject());
    read->OnOpenPort();  // no "not found" box: the port is not tried

    EXPECT_TRUE(prompt_.fileRequests.size() == 2u && prompt_.dialogs.size() == 4u);
    EXPECT_TRUE(store_.k30List == before);
    EXPECT_TRUE(store_.UnsavedDataPresent());
    EXPECT_FALSE(store_.bManualInput);
}

TEST_F(Window, ArchivedTransfersListNewestFirstAndOpenAsRawFiles)
{
    frame_->ReadPage()->SetArchiveFolder(Path("transfers"));
    const std::string demo = Slurp(kDemo).toStdString();
    const std::string folder = Path("transfers").toStdString();
    ASSERT_TRUE(ArchiveTransfer(folder, demo, 1765031405, true).ok);
    ASSERT_TRUE(ArchiveTransfer(folder, "01 02 03 ", 1765031405 + 60, false).ok);
    TestDataStore decoded;
    DecodeTransfer(demo, decoded);

    prompt_.dialog([&](QDialog& d) {
        auto& list = dynamic_cast<CArchivedTransfers&>(d);
        QTableWidget* table = list.Table();
        EXPECT_EQ(table->rowCount(), 2);
        EXPECT_EQ(table->item(0, 4)->text(), QStringLiteral("not accepted"));
        EXPECT_EQ(table->item(1, 3)->text(), QStringLiteral("12"));  // K30 points
        table->selectRow(1);
        list.OpenButton()->click();
        return list.result();
    });
    frame_->OnArchivedTransfers();
    EXPECT_EQ(store_.nK30Count, 12);
    EXPECT_FALSE(store_.UnsavedDataPresent());  // the archived file holds them
    EXPECT_TRUE(frame_->ReadPage()->LastTransferText() == demo);
    EXPECT_TRUE(frame_->windowTitle().endsWith(QStringLiteral("_instrument-%1.ORG").arg(decoded.nInstrumentNo)));

    // With unsaved work it asks first, as Open does.
    frame_->HeaderPage()->Box(&ReportHeader::Client)->setText(QStringLiteral("typed"));
    prompt_.answer(Answer::No).dialog(Reject());
    frame_->OnArchivedTransfers();
    EXPECT_EQ(prompt_.asked.back().text, QStringLiteral("Data is not saved. Do you need to save it?"));
}

TEST_F(Window, ClosingSetsWaitingBytesAsideInTheArchive)
{
    CReadData* read = frame_->ReadPage();
    read->SetArchiveFolder(Path("transfers"));
    read->SetReceivedText("CC CC ");
    ASSERT_TRUE(frame_->OpenFile(kDemo));  // leaves the waiting bytes alone
    EXPECT_EQ(read->ReceivedText(), "CC CC ");
    prompt_.answer(Answer::No);  // closing during a reception asks first
    EXPECT_FALSE(CloseAccepted());
    EXPECT_TRUE(prompt_.asked.back().text.startsWith(QStringLiteral("Data being received")));
    // The archive cannot be written: the window asks again, and stays on No.
    QFile blocker(Path("transfers"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    prompt_.answer(Answer::Yes).answer(Answer::No);
    EXPECT_FALSE(CloseAccepted());
    EXPECT_TRUE(prompt_.asked.back().text.startsWith(
        QStringLiteral("The data not yet accepted could not be written to the transfer archive:")));
    blocker.remove();

    prompt_.answer(Answer::Yes);  // the opened points are in their file: no second question
    EXPECT_TRUE(CloseAccepted());
    const QStringList files = QDir(Path("transfers")).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files[0].endsWith(QStringLiteral("_instrument-0_unaccepted.ORG")));
    EXPECT_EQ(Slurp(QDir(Path("transfers")).filePath(files[0])), QByteArray("CC CC "));
}

// Work that no file holds is asked about, from what the files hold rather
// than from marks that commands set. Each case below once lost work unasked.

TEST_F(Window, EditsOfAnOpenedProjectAreAskedAboutAtClose)
{
    ASSERT_TRUE(frame_->OpenFile(kDemo));
    frame_->HeaderPage()->Box(&ReportHeader::Client)->setText(QStringLiteral("中铁"));
    prompt_.dialog(ChooseAll()).file(Path("p.K30"));
    ASSERT_TRUE(frame_->OnSaveProject());
    ASSERT_TRUE(frame_->OpenFile(Path("p.K30")));
    EXPECT_FALSE(store_.UnsavedDataPresent());

    // A header edit (once lost at Ctrl+Q), undone: no question.
    QLineEdit* tester = frame_->HeaderPage()->Box(&ReportHeader::Tester);
    tester->setText(QStringLiteral("李"));
    prompt_.answer(Answer::Cancel);
    EXPECT_FALSE(CloseAccepted());
    tester->setText(QString());
    EXPECT_FALSE(store_.UnsavedDataPresent());

    // A renamed point (once lost at close), renamed back: no question.
    const std::string name = store_.k30List[0].name;
    store_.RenamePoint(0, "renamed");
    prompt_.answer(Answer::Cancel);
    EXPECT_FALSE(CloseAccepted());
    store_.RenamePoint(0, name);
    EXPECT_TRUE(CloseAccepted());
}

TEST_F(Window, TypedReadingsNotYetComputedAreWorkNoFileHolds)
{
    prompt_.dialog(TypeName("M1"));
    frame_->OnManualInput();
    QTest::keyClicks(frame_->TestPage()->findChild<QLineEdit*>(QStringLiteral("settlement2")), QStringLiteral("1.6"));
    // Saved before Compute: the project holds the blank point, not the typed
    // readings (it once said "saved" over a project of zeros).
    prompt_.dialog(ChooseAll()).file(Path("zeros.K30"));
    ASSERT_TRUE(frame_->OnSaveProject());
    EXPECT_TRUE(store_.UnsavedDataPresent());
    prompt_.answer(Answer::Cancel);
    EXPECT_FALSE(CloseAccepted());

    // Typed Ev2 readings never computed (once dropped): the next command asks.
    prompt_.answer(Answer::No).dialog(TypeName("4"));
    frame_->OnManualInputEv2();
    QTest::keyClicks(frame_->Ev2Page()->SettlementBox(3), QStringLiteral("0,5"));
    prompt_.answer(Answer::No).dialog(Reject());
    frame_->OnManualInput();
    EXPECT_EQ(prompt_.asked.back().text, QStringLiteral("Data is not saved. Do you need to save it?"));
    // Yes cannot save them: the command stops there.
    prompt_.answer(Answer::Yes).file(QString());
    frame_->OnManualInput();
    EXPECT_EQ(frame_->Ev2Page()->SettlementBox(3)->text(), QStringLiteral("0,5"));
}

// Save raw writes the typed Ev2 point; the typed K30 point beside it (once
// marked saved with it) has no place there and stays unsaved.
TEST_F(Window, SaveRawSavesWhatARawFileCanHold)
{
    prompt_.dialog(TypeName("5"));
    frame_->OnManualInputEv2();
    TypeEv2Readings(*frame_->Ev2Page(), ExactEv2Point());
    frame_->Ev2Page()->ComputeButton()->click();
    prompt_.answer(Answer::No).dialog(TypeName("M2"));
    frame_->OnManualInput();
    frame_->TestPage()->findChild<QLineEdit*>(QStringLiteral("settlement2"))->setText(QStringLiteral("1.6"));
    frame_->TestPage()->Compute();
    prompt_.file(Path("both.ORG"));
    frame_->OnSaveRaw();
    TestDataStore held;
    DecodeTransfer(Slurp(Path("both.ORG")).toStdString(), held);
    EXPECT_EQ(held.ev2List, store_.ev2List);
    EXPECT_TRUE(store_.document.K30PointsUnsaved(store_));
    EXPECT_FALSE(store_.document.Ev2PointsUnsaved(store_));
    prompt_.answer(Answer::Cancel);
    EXPECT_FALSE(CloseAccepted());
}

// A transfer accepted over unsaved work (once without a question): save,
// discard, or keep it waiting; archived in every case.
TEST_F(Window, AcceptingATransferOverUnsavedWorkAsksFirst)
{
    CReadData* read = frame_->ReadPage();
    read->SetArchiveFolder(Path("transfers"));
    const QByteArray demo = QByteArray::fromHex(Slurp(kDemo));
    const auto arrive = [&] {
        for (const char b : demo)
            read->OnByteReceived(static_cast<quint8>(b));
        read->OnIdleTimer();
        read->OnIdleTimer();
    };
    const auto typed = [&] {
        prompt_.dialog(TypeName("M3"));
        frame_->OnManualInput();
        frame_->TestPage()->findChild<QLineEdit*>(QStringLiteral("settlement2"))->setText(QStringLiteral("1.6"));
        frame_->TestPage()->Compute();
    };
    typed();
    prompt_.answer(Answer::Ok).answer(Answer::Cancel);  // the end confirmed, then kept waiting
    arrive();
    EXPECT_EQ(prompt_.asked.back().buttons, Prompt::Buttons::YesNoCancel);
    EXPECT_EQ(store_.k30List.at(0).name, "M3");
    EXPECT_FALSE(read->ReceivedText().empty());
    QStringList archived = QDir(Path("transfers")).entryList(QDir::Files);
    ASSERT_EQ(archived.size(), 1);
    EXPECT_TRUE(archived[0].endsWith(QStringLiteral("_unaccepted.ORG")));

    // Discarded: the transfer replaces the typed point and is archived as accepted.
    read->SetReceivedText({});
    prompt_.answer(Answer::Ok).answer(Answer::No);
    arrive();
    EXPECT_EQ(store_.nK30Count, 12);
    archived = QDir(Path("transfers")).entryList(QDir::Files);
    EXPECT_EQ(archived.size(), 2);
}
