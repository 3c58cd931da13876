// The read page without a real port: line forming, the quiet line, the
// acceptance sequence, the questions and boxes, a pulled adapter, a
// run-away device.
#include <gtest/gtest.h>

#include <cstdlib>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include "CommTestSupport.h"

using namespace k30;
using namespace k30::test;
using Answer = Prompt::Answer;

namespace {

// What a save would tell the document: every point and the header are in a file.
void MarkSaved(TestDataStore& store)
{
    const std::vector<K30> k30(store.k30List.begin(), store.k30List.begin() + static_cast<long>(store.ValidCount()));
    Document::FileContent content = Document::ContentOf(k30, store.document.Header());
    content.ev2 = Document::ContentOf({}, store.ev2List).ev2;
    store.document.FileOnDisk("saved", content);
}

const QString kUsb1 = QStringLiteral("/dev/ttyUSB1");
const QString kUsb12 = QStringLiteral("/dev/ttyUSB12");

class ReadPage : public ::testing::Test {
protected:
    ReadPage() : page_(store_, prompt_)
    {
        prompt_.page = &page_;
        page_.Engine().SetDeviceFactory(FakeFactory(line_));
        page_.AddExtraPorts({kUsb12, kUsb1});
        page_.SetArchiveFolder(archive_.filePath(QStringLiteral("transfers")));
        page_.SetClock([] { return std::time_t{1765031405}; });
    }
    QStringList Archived() const
    {
        return QDir(page_.ArchiveFolder()).entryList(QDir::Files, QDir::Name);
    }
    QByteArray ArchivedFile(const QString& name) const
    {
        QFile f(QDir(page_.ArchiveFolder()).filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The name an archived file gets at the test's clock, in local time with its offset.
    static QString Stamp()
    {
        const QDateTime t = QDateTime::fromSecsSinceEpoch(1765031405);
        const int minutes = std::abs(t.offsetFromUtc()) / 60;
        return t.toString(QStringLiteral("yyyy-MM-dd_HHmmss")) + (t.offsetFromUtc() < 0 ? u'-' : u'+') +
               QStringLiteral("%1%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
    }
    void Open(const QString& port = kUsb12)
    {
        ChoosePort(page_, port);
        page_.OnOpenPort();
    }
    void Receive(const QByteArray& bytes)
    {
        for (char b : bytes)
            page_.OnByteReceived(static_cast<quint8>(b));
    }
    void FeedAndWait(const QByteArray& bytes)
    {
        const qint64 before = page_.ByteCount();
        line_.device->Feed(bytes);
        ASSERT_TRUE(QTest::qWaitFor([&] { return page_.ByteCount() == before + bytes.size(); }));
    }
    // Two ticks without a byte: the first clears the mark of the last byte.
    void QuietTicks()
    {
        page_.OnIdleTimer();
        page_.OnIdleTimer();
    }
    QString Button() { return page_.findChild<QPushButton*>(QStringLiteral("openButton"))->text(); }
    QListWidget* List() { return page_.findChild<QListWidget*>(QStringLiteral("displayList")); }
    QString LastBox() { return prompt_.asked.back().text; }
    QString BoxOnOpening(const QString& port)
    {
        prompt_.answer(Answer::Ok);
        Open(port);
        return LastBox();
    }

    QTemporaryDir archive_;
    TestDataStore store_;
    ConfirmRecorder prompt_;
    FakeLine line_;
    CReadData page_;
};

TEST_F(ReadPage, ShowsSixteenBytesALine)
{
    Open();
    EXPECT_EQ(List()->item(0)->text(), QStringLiteral("Port /dev/ttyUSB12 is ready, please send the data…"));
    EXPECT_EQ(Button(), QStringLiteral("Port /dev/ttyUSB12 is open"));

    Receive(Counting(33));  // the first byte ever empties the list
    ASSERT_EQ(List()->count(), 2);
    EXPECT_EQ(List()->item(1)->text(),
              QStringLiteral("10  11  12  13  14  15  16  17  18  19  1A  1B  1C  1D  1E  1F "));
    EXPECT_EQ(page_.ReceivedText().substr(31 * 3), "1F 20 ");  // the 33rd byte only here
}

TEST_F(ReadPage, AcceptsATransferAfterAQuietLine)
{
    store_.bManualInput = true;
    store_.strCurK30Name = "7";
    Open();
    QSignalSpy saveRaw(&page_, &CReadData::saveRawStateChanged);
    QSignalSpy newData(&page_, &CReadData::newDataArrived);
    QSignalSpy listPage(&page_, &CReadData::showListPageRequested);

    const std::string demo = DemoText();
    Receive(BytesOf(demo));
    page_.OnIdleTimer();  // the window of the last byte: nothing asked
    EXPECT_TRUE(prompt_.asked.empty());
    prompt_.answer(Answer::Ok);
    page_.OnIdleTimer();
    ASSERT_EQ(prompt_.asked.size(), 1u);
    EXPECT_EQ(LastBox(), QStringLiteral("Please confirm that the transfer has finished, or the data will be incomplete!"));
    EXPECT_EQ(prompt_.asked[0].defaultAnswer, Answer::Cancel);

    ExpectStoreHolds(store_, demo);
    EXPECT_TRUE(page_.LastTransferText() == demo);
    EXPECT_TRUE(page_.ReceivedText().empty());
    EXPECT_TRUE(store_.UnsavedDataPresent());
    EXPECT_FALSE(store_.bManualInput);
    EXPECT_TRUE(store_.strCurK30Name.empty());
    ASSERT_EQ(saveRaw.count(), 1);
    EXPECT_TRUE(saveRaw.at(0).at(0).toBool());
    EXPECT_EQ(newData.count() + listPage.count(), 2);
    EXPECT_EQ(Button(), QStringLiteral("Open COM"));
    EXPECT_FALSE(page_.Engine().IsOpen());
    QuietTicks();  // nothing more is asked until a port is opened again
    EXPECT_EQ(prompt_.asked.size(), 1u);

    // The next opening asks to save first; a second transfer with no usable
    // section then replaces both lists.
    int saves = 0;
    page_.SetProjectSaver([&] {
        MarkSaved(store_);
        return ++saves, true;
    });
    prompt_.answer(Answer::Yes);
    Open();
    EXPECT_EQ(LastBox(), QStringLiteral("Data is not saved. Do you need to save it?"));
    EXPECT_EQ(saves, 1);
    Receive(Counting(40));
    prompt_.answer(Answer::Ok);
    QuietTicks();
    EXPECT_TRUE(store_.k30List.empty() && store_.nEv2Count == 0);
}

TEST_F(ReadPage, DecliningOrReopeningKeepsTheReceivedText)
{
    Open();
    Receive(Counting(10));
    prompt_.answer(Answer::Cancel);
    QuietTicks();
    EXPECT_TRUE(page_.Engine().IsOpen());

    FeedAndWait(Counting(5, 10));
    prompt_.answer(Answer::Yes);  // continue the waiting transfer
    Open(kUsb1);  // while the quiet timer runs
    EXPECT_EQ(line_.openedDevice, kUsb1);
    QuietTicks();  // no new byte: nothing asked, only the caption restored
    EXPECT_EQ(prompt_.asked.size(), 2u);
    EXPECT_EQ(Button(), QStringLiteral("Open COM"));

    FeedAndWait(Counting(3, 15));
    prompt_.answer(Answer::Ok);
    QuietTicks();
    EXPECT_EQ(page_.LastTransferText(), "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 ");
}

TEST_F(ReadPage, NamesThePortInItsBoxes)
{
    prompt_.answer(Answer::Ok);
    page_.OnOpenPort();  // nothing chosen
    EXPECT_EQ(LastBox(), QStringLiteral("No port is selected"));

    line_.refuseOpen = true;
    EXPECT_EQ(BoxOnOpening(kUsb12), QStringLiteral("Port /dev/ttyUSB12 was not found…"));
    // Refused by the system: one more line that says what to do.
    line_.openError = QSerialPort::PermissionError;
    EXPECT_EQ(BoxOnOpening(kUsb12), QStringLiteral("Port /dev/ttyUSB12 was not found…\nNo permission to use this port: "
                                                   "add your user to the group dialout (sudo usermod -aG dialout "
                                                   "$USER), then log in again."));
    QTemporaryFile held;  // no such device here, but this file is: in use
    ASSERT_TRUE(held.open());
    page_.AddExtraPorts({held.fileName()});
    EXPECT_TRUE(BoxOnOpening(held.fileName()).endsWith(QStringLiteral("The port is in use by another program.")));
    EXPECT_FALSE(page_.Engine().IsOpen());

    // A line without modem control (a pseudo-terminal) is no fault to report.
    line_.refuseOpen = false;
    line_.refusedStep = QStringLiteral("setRequestToSend");
    line_.refusedStepError = QSerialPort::UnsupportedOperationError;
    Open(kUsb1);
    EXPECT_TRUE(page_.Engine().IsOpen());

    // ttyUSB12 is not ttyUSB1; a refused setting gets the engine's box, and the port stays open.
    line_.refusedStep = QStringLiteral("setParity");
    line_.refusedStepError = QSerialPort::UnknownError;
    EXPECT_EQ(BoxOnOpening(kUsb12), QStringLiteral("WARNING:  setParity() Failed with the following error: \n"
                                                   "Invalid argument\nPort: /dev/ttyUSB12\n"));
    EXPECT_EQ(prompt_.asked.back().caption, QStringLiteral("Application Error"));
    EXPECT_EQ(line_.openedDevice, kUsb12);
    EXPECT_TRUE(page_.Engine().IsOpen());
    EXPECT_TRUE(prompt_.done());
}

TEST_F(ReadPage, APulledAdapterKeepsWhatCameForTheOperator)
{
    store_.nLanguage = Language::Chinese;
    Open();
    line_.device->Feed(Counting(40));
    line_.device->Pull(QStringLiteral("Input/output error"));
    prompt_.answer(Answer::Ok).answer(Answer::Cancel);  // the box, then not yet accepted
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt_.done(); }));
    EXPECT_TRUE(prompt_.asked[0].text.startsWith(QStringLiteral("串口/dev/ttyUSB12已不可用，已经关闭（Input/output error）")));
    EXPECT_EQ(prompt_.textWhenAsked.back().size(), 40u * 3);  // every byte before the loss
    EXPECT_FALSE(page_.Engine().IsOpen());
    EXPECT_EQ(Button(), QStringLiteral("打开串口"));

    prompt_.answer(Answer::Yes);
    Open();  // continue: the old text followed by the new bytes
    FeedAndWait(Counting(8, 40));
    prompt_.answer(Answer::Ok);
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt_.done(); }));
    EXPECT_EQ(page_.LastTransferText().size(), 48u * 3);
    // The bytes were archived when the port went away (the reopening that
    // continued them adds no second copy), and the whole transfer on acceptance.
    const QString name = Stamp() + QStringLiteral("_instrument-0");
    EXPECT_EQ(Archived(), QStringList({name + ".ORG", name + "_unaccepted.ORG"}));
    EXPECT_EQ(ArchivedFile(name + "_unaccepted.ORG").size(), 40 * 3);
    EXPECT_EQ(ArchivedFile(name + ".ORG").size(), 48 * 3);
}

TEST_F(ReadPage, ARunawayDeviceStopsAtTheLimit)
{
    Open();
    page_.SetReceivedText(std::string(kMaxReceivedTextBytes - 10 * 3, 'E'));
    prompt_.answer(Answer::Ok);
    Receive(Counting(20));
    ASSERT_EQ(prompt_.asked.size(), 1u);
    EXPECT_TRUE(LastBox().startsWith(QStringLiteral("More than 16 MiB")));
    EXPECT_FALSE(page_.Engine().IsOpen());

    prompt_.answer(Answer::Ok);
    QuietTicks();
    EXPECT_EQ(page_.LastTransferText().size(), kMaxReceivedTextBytes);
}

TEST_F(ReadPage, EveryAcceptedTransferIsArchivedAndAFailureIsShownAfterwards)
{
    const std::string demo = DemoText();
    TestDataStore decoded;
    DecodeTransfer(demo, decoded);
    Open();
    Receive(BytesOf(demo));
    prompt_.answer(Answer::Ok);
    QuietTicks();
    const QString name = Stamp() + QStringLiteral("_instrument-%1.ORG").arg(decoded.nInstrumentNo);
    ASSERT_EQ(Archived(), QStringList{name});
    EXPECT_TRUE(ArchivedFile(name).toStdString() == demo);

    // A folder that cannot be made: the journal says so at the first byte, the
    // transfer is still accepted, then the box says why it is not archived.
    page_.SetArchiveFolder(page_.ArchiveFolder() + QStringLiteral("/") + name);
    MarkSaved(store_);
    Open();
    prompt_.answer(Answer::Ok);
    Receive(Counting(20));
    EXPECT_TRUE(LastBox().startsWith(QStringLiteral("The received bytes cannot be written to the reception journal:\n")));
    prompt_.answer(Answer::Ok).answer(Answer::Ok);
    QuietTicks();
    EXPECT_TRUE(LastBox().startsWith(QStringLiteral("This transfer could not be written to the transfer archive:\n")));
    EXPECT_EQ(page_.LastTransferText().size(), 20u * 3);
    EXPECT_EQ(store_.nK30Count, 0);
}

TEST_F(ReadPage, OpeningWithBytesWaitingAsksToContinueOrStartAfresh)
{
    Open();
    Receive(Counting(10));
    prompt_.answer(Answer::Cancel).answer(Answer::Cancel);  // not accepted yet; then neither
    QuietTicks();
    Open(kUsb1);
    EXPECT_EQ(prompt_.asked.back().buttons, Prompt::Buttons::YesNoCancel);
    EXPECT_TRUE(line_.openedDevice == kUsb12 && Archived().isEmpty());

    // Afresh, but the archive cannot be written: nothing is set aside.
    const QString folder = page_.ArchiveFolder();
    QFile blocker(archive_.filePath(QStringLiteral("blocked")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    page_.SetArchiveFolder(blocker.fileName() + QStringLiteral("/transfers"));
    prompt_.answer(Answer::No).answer(Answer::Ok);
    Open(kUsb1);
    EXPECT_TRUE(LastBox().startsWith(QStringLiteral("The bytes not yet accepted could not be written")));
    EXPECT_TRUE(line_.openedDevice == kUsb12 && page_.ReceivedText().size() == 10u * 3);
    page_.SetArchiveFolder(folder);

    prompt_.answer(Answer::No);
    Open(kUsb1);
    EXPECT_TRUE(line_.openedDevice == kUsb1 && page_.ReceivedText().empty());
    const QString unaccepted = Stamp() + QStringLiteral("_instrument-0_unaccepted.ORG");
    EXPECT_EQ(Archived(), QStringList{unaccepted});
    EXPECT_EQ(ArchivedFile(unaccepted), QByteArray("00 01 02 03 04 05 06 07 08 09 "));
    FeedAndWait(Counting(3, 0x40));
    prompt_.answer(Answer::Ok);
    QuietTicks();
    EXPECT_EQ(page_.LastTransferText(), "40 41 42 ");  // the new transfer alone
}

TEST_F(ReadPage, BytesAreJournalledAsTheyArriveAndALeftJournalIsOfferedAtTheStart)
{
    const auto journals = [&] {
        return QDir(page_.ArchiveFolder()).entryList({QStringLiteral(".reception-*.journal")}, QDir::Files | QDir::Hidden);
    };
    Open();
    line_.device->Feed(Counting(40));
    // On disk once the chunk is handed over, without waiting for the quiet line.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return journals().size() == 1 && QFileInfo(QDir(page_.ArchiveFolder()).filePath(journals()[0])).size() == 40 * 3;
    }));
    prompt_.answer(Answer::Ok);
    QuietTicks();
    EXPECT_EQ(Archived(), QStringList{Stamp() + QStringLiteral("_instrument-0.ORG")});
    EXPECT_TRUE(journals().isEmpty());  // accepted and archived

    // A run that ends with bytes nobody accepted or archived leaves its journal.
    {
        TestDataStore store;
        CReadData other(store, prompt_);
        other.SetArchiveFolder(page_.ArchiveFolder());
        for (const char b : Counting(10))
            other.OnByteReceived(static_cast<quint8>(b));
    }
    ASSERT_EQ(journals().size(), 1);
    store_.nLanguage = Language::Chinese;
    prompt_.answer(Answer::Yes);
    QStringList opened;
    page_.OfferInterruptedReceptions([&](const QString& path) { opened << path; });
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(LastBox().startsWith(QStringLiteral("上次运行时有一次接收被中断，已收到的数据已存入传送存档：\n") + opened[0]));
    EXPECT_TRUE(opened[0].endsWith(QStringLiteral("_instrument-0_unaccepted.ORG")));
    EXPECT_EQ(ArchivedFile(QFileInfo(opened[0]).fileName()), QByteArray("00 01 02 03 04 05 06 07 08 09 "));
    EXPECT_TRUE(journals().isEmpty());
    page_.OfferInterruptedReceptions([&](const QString& path) { opened << path; });  // asked once only
    EXPECT_TRUE(prompt_.done() && opened.size() == 1);
}

}  // namespace
