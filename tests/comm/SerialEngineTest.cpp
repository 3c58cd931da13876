// The serial engine with a fake port: order and completeness of the bytes,
// the failure reports, losing the port, shutdown and writing.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include "CSerialPort.h"
#include "FakeSerialDevice.h"
#include "QuietLine.h"

using k30::CSerialPort;
using k30::test::FakeLine;

namespace {

QByteArray Pattern(int n)
{
    QByteArray bytes;
    for (int i = 0; i < n; ++i)
        bytes.append(char((i * 7 + i / 256) & 0xFF));
    return bytes;
}

class SerialEngine : public ::testing::Test {
protected:
    SerialEngine()
    {
        engine_.SetDeviceFactory(line_.Factory());
        QObject::connect(&engine_, &CSerialPort::byteReceived, [this](quint8 b) { received_.append(char(b)); });
        settings_.device = QStringLiteral("/dev/ttyUSB3");
        settings_.name = QStringLiteral("ttyUSB3");
    }
    bool OpenAndStart() { return engine_.OpenPort(settings_) && engine_.StartReceiving(); }
    bool WaitForBytes(qsizetype n)
    {
        return QTest::qWaitFor([&] { return received_.size() >= n; });
    }

    FakeLine line_;
    CSerialPort engine_;
    k30::PortSettings settings_;
    QByteArray received_;
};

TEST_F(SerialEngine, HandsOverEveryByteOnceAndInOrder)
{
    ASSERT_TRUE(OpenAndStart());
    EXPECT_EQ(line_.openedDevice, settings_.device);
    EXPECT_EQ(line_.baudRate, 9600);
    EXPECT_TRUE(line_.rtsRaised);

    // Ten bytes together, the event character 'q' among them, arrive as ten bytes.
    const QByteArray ten = QByteArray::fromHex("0171FF00EE10207172FE");
    line_.Feed(ten);
    ASSERT_TRUE(WaitForBytes(ten.size()));
    EXPECT_EQ(received_, ten);

    // The owner's thread is busy as 20000 more bytes arrive in small pieces:
    // they wait in the queue, and none is lost or reordered.
    const QByteArray more = Pattern(20000);
    for (qsizetype at = 0; at < more.size(); at += 61)
        line_.Feed(more.mid(at, 61));
    QElapsedTimer busy;
    busy.start();
    while (!engine_.HasPendingBytes() && busy.elapsed() < 5000)
        QThread::msleep(5);  // no events are handled meanwhile
    EXPECT_TRUE(engine_.HasPendingBytes());
    ASSERT_TRUE(WaitForBytes(ten.size() + more.size()));
    EXPECT_EQ(received_, ten + more);
}

TEST_F(SerialEngine, ReportsOnlyARefusedSetting)
{
    QSignalSpy errors(&engine_, &CSerialPort::portError);
    line_.refusedStep = QStringLiteral("setBaudRate");
    ASSERT_TRUE(engine_.OpenPort(settings_));  // stays open
    ASSERT_EQ(errors.count(), 1);
    EXPECT_EQ(errors.at(0).at(0).toString(),
              QStringLiteral("WARNING:  setBaudRate() Failed with the following error: \nInvalid argument\nPort: "
                             "ttyUSB3\n"));

    // A line without modem control (a pseudo-terminal) is no fault to report.
    line_.refusedStep = QStringLiteral("setRequestToSend");
    line_.refusedStepError = QSerialPort::UnsupportedOperationError;
    ASSERT_TRUE(engine_.OpenPort(settings_));

    // A device that is not there: false, and the caller decides what to say.
    line_.refuseOpen = true;
    EXPECT_FALSE(engine_.OpenPort(settings_));
    EXPECT_FALSE(engine_.StartReceiving());
    EXPECT_EQ(engine_.LastOpenFailure().error, QSerialPort::DeviceNotFoundError);
    EXPECT_EQ(errors.count(), 1);

    CSerialPort real;
    k30::PortSettings missing;
    missing.device = QStringLiteral("/dev/k30-no-such-port");
    EXPECT_FALSE(real.OpenPort(missing));
    EXPECT_EQ(real.LastOpenFailure().error, QSerialPort::DeviceNotFoundError);
}

TEST_F(SerialEngine, APulledAdapterClosesThePortAfterHandingOverItsBytes)
{
    ASSERT_TRUE(OpenAndStart());
    QByteArray atLoss;
    QObject::connect(&engine_, &CSerialPort::portLost, [&] { atLoss = received_; });
    QSignalSpy lost(&engine_, &CSerialPort::portLost);
    line_.Feed(Pattern(500));
    line_.Pull(QStringLiteral("Input/output error"));
    ASSERT_TRUE(lost.wait(5000));
    EXPECT_EQ(lost.at(0).at(0).toString(), QStringLiteral("Input/output error"));
    EXPECT_EQ(atLoss, Pattern(500));
    EXPECT_FALSE(engine_.IsOpen());
    EXPECT_TRUE(OpenAndStart());
}

TEST_F(SerialEngine, ShutdownAndReopeningHandOverWhatCameFirst)
{
    ASSERT_TRUE(OpenAndStart());
    line_.Feed(Pattern(100));
    engine_.RequestShutdown();
    EXPECT_EQ(received_, Pattern(100));  // before RequestShutdown returned
    EXPECT_FALSE(engine_.IsOpen());

    ASSERT_TRUE(OpenAndStart());
    line_.Feed("ab");
    ASSERT_TRUE(OpenAndStart());  // while receiving: the first opening ends first
    EXPECT_EQ(received_, Pattern(100) + "ab");
    EXPECT_EQ(line_.opens, 3);

    // Writing.
    QSignalSpy written(&engine_, &CSerialPort::allWritten);
    EXPECT_TRUE(engine_.SendText(QStringLiteral("K30")));
    ASSERT_TRUE(written.wait(5000));
    QMutexLocker lock(&line_.mutex);
    EXPECT_EQ(line_.written, QByteArray("K30"));
}

TEST(QuietLine, CountsBytesStillQueuedAsActivity)
{
    k30::QuietLine quiet;
    bool pending = false;
    quiet.SetPendingCheck([&] { return pending; });
    quiet.NoteByte();
    EXPECT_FALSE(quiet.Tick());  // the window of the last byte
    pending = true;
    EXPECT_FALSE(quiet.Tick());
    pending = false;
    EXPECT_TRUE(quiet.Tick());
    EXPECT_FALSE(quiet.IsRunning());
}

}  // namespace
