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
using k30::PortSettings;
using k30::test::FakeLine;

namespace {

class SerialEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine_.SetDeviceFactory(line_.Factory());
        QObject::connect(&engine_, &CSerialPort::byteReceived, [this](quint8 b) { received_.append(char(b)); });
        settings_.device = QStringLiteral("/dev/ttyUSB3");
        settings_.name = QStringLiteral("ttyUSB3");
    }

    bool OpenAndStart()
    {
        return engine_.OpenPort(settings_) && engine_.StartReceiving();
    }

    static QByteArray Pattern(int n)
    {
        QByteArray bytes;
        for (int i = 0; i < n; ++i)
            bytes.append(char((i * 7 + i / 256) & 0xFF));
        return bytes;
    }

    FakeLine line_;
    CSerialPort engine_;
    PortSettings settings_;
    QByteArray received_;
};

TEST_F(SerialEngine, OpensTheInstrumentLine)
{
    QSignalSpy errors(&engine_, &CSerialPort::portError);
    ASSERT_TRUE(OpenAndStart());
    EXPECT_EQ(line_.openedDevice, QStringLiteral("/dev/ttyUSB3"));
    EXPECT_EQ(line_.baudRate, 9600);
    EXPECT_TRUE(line_.rtsRaised);
    EXPECT_TRUE(engine_.IsOpen());
    EXPECT_EQ(errors.count(), 0);
}

TEST_F(SerialEngine, HandsOverEveryByteOnceAndInOrder)
{
    ASSERT_TRUE(OpenAndStart());
    // Ten bytes together, the event character 'q' among them, arrive as ten bytes.
    const QByteArray ten = QByteArray::fromHex("0171FF00EE10207172FE");
    line_.Feed(ten);
    ASSERT_TRUE(QTest::qWaitFor([&] { return received_.size() >= ten.size(); }));
    EXPECT_EQ(received_, ten);

    // The owner's thread is busy for a while as 20000 more bytes arrive in
    // small pieces: they wait in the queue and none is lost or reordered.
    const QByteArray more = Pattern(20000);
    for (qsizetype at = 0; at < more.size(); at += 61)
        line_.Feed(more.mid(at, 61));
    QElapsedTimer busy;
    busy.start();
    while (!engine_.HasPendingBytes() && busy.elapsed() < 5000)
        QThread::msleep(5);  // busy: no events are handled meanwhile
    EXPECT_TRUE(engine_.HasPendingBytes());
    ASSERT_TRUE(QTest::qWaitFor([&] { return received_.size() >= ten.size() + more.size(); }));
    EXPECT_EQ(received_, ten + more);
    EXPECT_FALSE(engine_.HasPendingBytes());
}

TEST_F(SerialEngine, ReportsARefusedSettingAndStaysOpen)
{
    line_.refusedStep = QStringLiteral("setBaudRate");
    QSignalSpy errors(&engine_, &CSerialPort::portError);
    ASSERT_TRUE(engine_.OpenPort(settings_));
    ASSERT_EQ(errors.count(), 1);
    EXPECT_EQ(errors.at(0).at(0).toString(),
              QStringLiteral("WARNING:  setBaudRate() Failed with the following error: \nInvalid argument\nPort: "
                             "ttyUSB3\n"));
    EXPECT_TRUE(engine_.IsOpen());

    // A line without modem control (a pseudo-terminal) is no fault to report.
    line_.refusedStep = QStringLiteral("setRequestToSend");
    line_.refusedStepError = QSerialPort::UnsupportedOperationError;
    errors.clear();
    ASSERT_TRUE(engine_.OpenPort(settings_));
    EXPECT_EQ(errors.count(), 0);
}

TEST_F(SerialEngine, APortThatCannotBeOpenedReportsNothing)
{
    line_.refuseOpen = true;
    QSignalSpy errors(&engine_, &CSerialPort::portError);
    EXPECT_FALSE(engine_.OpenPort(settings_));
    EXPECT_FALSE(engine_.IsOpen());
    EXPECT_FALSE(engine_.StartReceiving());
    EXPECT_EQ(engine_.LastOpenFailure().error, QSerialPort::DeviceNotFoundError);
    EXPECT_EQ(errors.count(), 0);

    CSerialPort real;
    PortSettings missing;
    missing.device = QStringLiteral("/dev/k30-no-such-port");
    EXPECT_FALSE(real.OpenPort(missing));
    EXPECT_EQ(real.LastOpenFailure().error, QSerialPort::DeviceNotFoundError);
}

TEST_F(SerialEngine, APulledAdapterClosesThePortAfterHandingOverItsBytes)
{
    ASSERT_TRUE(OpenAndStart());
    QSignalSpy lost(&engine_, &CSerialPort::portLost);
    QByteArray atLoss;
    QObject::connect(&engine_, &CSerialPort::portLost, [&] { atLoss = received_; });
    const QByteArray bytes = Pattern(500);
    line_.Feed(bytes);
    line_.Pull(QStringLiteral("Input/output error"));
    ASSERT_TRUE(lost.wait(5000));
    EXPECT_EQ(lost.at(0).at(0).toString(), QStringLiteral("Input/output error"));
    EXPECT_EQ(atLoss, bytes);
    EXPECT_FALSE(engine_.IsOpen());

    // The same port opens again.
    EXPECT_TRUE(OpenAndStart());
    EXPECT_EQ(line_.opens, 2);
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

    // Ending the engine while bytes are on their way neither hangs nor leaks.
    auto other = std::make_unique<CSerialPort>();
    FakeLine otherLine;
    other->SetDeviceFactory(otherLine.Factory());
    ASSERT_TRUE(other->OpenPort(settings_));
    other->StartReceiving();
    otherLine.Feed(Pattern(1000));
    other.reset();
}

TEST_F(SerialEngine, WritesWhatItIsGiven)
{
    ASSERT_TRUE(OpenAndStart());
    QSignalSpy written(&engine_, &CSerialPort::allWritten);
    EXPECT_TRUE(engine_.SendText(QStringLiteral("K30")));
    EXPECT_TRUE(engine_.SendBytes(QByteArray::fromHex("00FF")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return written.count() >= 2; }));
    EXPECT_EQ(written.count(), 2);
    QMutexLocker lock(&line_.mutex);
    EXPECT_EQ(line_.written, QByteArray("K30") + QByteArray::fromHex("00FF"));
}

TEST(QuietLine, EndsAfterAWholeWindowWithoutAByte)
{
    k30::QuietLine quiet;
    bool pending = false;
    quiet.SetPendingCheck([&] { return pending; });
    quiet.NoteByte();
    EXPECT_TRUE(quiet.IsRunning());
    EXPECT_FALSE(quiet.Tick());  // the window of the last byte
    pending = true;              // bytes waiting to be handed over count as activity
    EXPECT_FALSE(quiet.Tick());
    pending = false;
    EXPECT_TRUE(quiet.Tick());
    EXPECT_FALSE(quiet.IsRunning());
    EXPECT_EQ(quiet.QuietMs(), k30::kDefaultQuietMs);
}

}  // namespace
