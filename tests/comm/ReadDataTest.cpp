// The read page without a real port: line forming, the quiet line, the
// acceptance sequence, the questions and boxes, a pulled adapter, a
// run-away device.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include "CommTestSupport.h"

using namespace k30;
using namespace k30::test;
using Answer = Prompt::Answer;

namespace {

const QString kUsb1 = QStringLiteral("/dev/ttyUSB1");
const QString kUsb12 = QStringLiteral("/dev/ttyUSB12");

class ReadPage : public ::testing::Test {
protected:
    ReadPage() : page_(store_, prompt_)
    {
        prompt_.page = &page_;
        page_.Engine().SetDeviceFactory(FakeFactory(line_));
        page_.AddExtraPorts({kUsb12, kUsb1});
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

    TestDataStore store_;
    ConfirmRecorder prompt_;
    FakeLine line_;
    CReadData page_;
};

TEST_F(ReadPage, ShowsSixteenBytesALine)
{
    Open();
    EXPECT_EQ(List()->item(0)->text(), QStringLiteral("串口/dev/ttyUSB12已经准备好，请发送数据…………"));
    EXPECT_EQ(Button(), QStringLiteral("串口/dev/ttyUSB12已经打开"));

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
    ASSERT_EQ(prompt_.asked.size(), 1u);  // Chinese in the English interface too
    EXPECT_EQ(LastBox(), QStringLiteral("请确认数据传送完毕,否则将导致数据不完整!"));
    EXPECT_EQ(prompt_.asked[0].defaultAnswer, Answer::Cancel);

    ExpectStoreHolds(store_, demo);
    EXPECT_TRUE(page_.LastTransferText() == demo);
    EXPECT_TRUE(page_.ReceivedText().empty());
    EXPECT_FALSE(store_.bDataSaved || store_.bManualInput);
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
    QSignalSpy save(&page_, &CReadData::saveProjectRequested);
    prompt_.answer(Answer::Yes);
    Open();
    EXPECT_EQ(LastBox(), QStringLiteral("Data is not saved. Do you need to save it?"));
    EXPECT_EQ(save.count(), 1);
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
    Open(kUsb1);  // while the quiet timer runs
    EXPECT_EQ(line_.openedDevice, kUsb1);
    QuietTicks();  // no new byte: nothing asked, only the caption restored
    EXPECT_EQ(prompt_.asked.size(), 1u);
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
    EXPECT_EQ(LastBox(), QStringLiteral("没有串口被选中"));

    line_.refuseOpen = true;
    EXPECT_EQ(BoxOnOpening(kUsb12), QStringLiteral("没有发现此串口/dev/ttyUSB12…………"));
    // Refused by the system: one more line that says what to do.
    line_.openError = QSerialPort::PermissionError;
    EXPECT_EQ(BoxOnOpening(kUsb12), QStringLiteral("没有发现此串口/dev/ttyUSB12…………\nNo permission to use this port: "
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

    store_.nLanguage = Language::Chinese;
    page_.UpdatePageCaptions();
    EXPECT_EQ(page_.findChild<QLabel*>(QStringLiteral("portLabel"))->text(), QStringLiteral("COM口"));
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

    Open();  // continue: the old text followed by the new bytes
    FeedAndWait(Counting(8, 40));
    prompt_.answer(Answer::Ok);
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt_.done(); }));
    EXPECT_EQ(page_.LastTransferText().size(), 48u * 3);
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

// The quiet line with the real timer, bytes handed over as an adapter does:
// 15-byte bursts every 16 ms (now and then late, as on a busy bus), and a
// steady stream at 9600 baud. A window shorter than the gaps fails this; the
// window here is ten times the longest gap, so that a loaded machine holding
// up the feeding timer does not end the transfer early.
TEST_F(ReadPage, BurstsAndAStreamEndOnlyWhenTheTransferHas)
{
    const std::string demo = DemoText();
    const QByteArray bytes = BytesOf(demo);
    page_.SetQuietMs(500);
    for (const bool bursts : {true, false}) {
        SCOPED_TRACE(bursts ? "bursts" : "stream");
        Open();
        qsizetype sent = 0;
        int ticks = 0;
        QElapsedTimer clock;
        QTimer feeder;
        feeder.setTimerType(Qt::PreciseTimer);
        QObject::connect(&feeder, &QTimer::timeout, [&] {
            if (bursts && ++ticks % 10 < 3)
                return;  // a 48 ms gap
            const qsizetype due = std::min(bytes.size(), bursts ? sent + 15 : clock.elapsed() * 960 / 1000 + 1);
            line_.device->Feed(bytes.mid(sent, due - sent));
            sent = due;
            if (sent == bytes.size())
                feeder.stop();
        });
        clock.start();
        feeder.start(bursts ? 16 : 1);
        prompt_.answer(Answer::Ok);
        ASSERT_TRUE(QTest::qWaitFor([&] { return prompt_.done(); }, 20000));
        ASSERT_EQ(prompt_.textWhenAsked.size(), 1u);
        EXPECT_EQ(prompt_.textWhenAsked[0].size(), demo.size());  // not asked before the end
        EXPECT_TRUE(page_.LastTransferText() == demo);
        prompt_.textWhenAsked.clear();
        store_.bDataSaved = true;  // no save question before the next round
    }
}

}  // namespace
