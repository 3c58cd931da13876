// The serial engine with a fake port: order and completeness of the bytes,
// shutdown and reopening. Its failure reports are seen through the read page.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include "CSerialPort.h"
#include "CommTestSupport.h"
#include "QuietLine.h"

using k30::CSerialPort;
using k30::test::FakeLine;
using k30::test::Pattern;

namespace {

class SerialEngine : public ::testing::Test {
protected:
    SerialEngine()
    {
        engine_.SetDeviceFactory(k30::test::FakeFactory(line_));
        QObject::connect(&engine_, &CSerialPort::byteReceived, [this](quint8 b) { received_.append(char(b)); });
        settings_.device = QStringLiteral("/dev/ttyUSB3");
        settings_.name = QStringLiteral("ttyUSB3");
    }
    bool OpenAndStart() { return engine_.OpenPort(settings_) && engine_.StartReceiving(); }

    FakeLine line_;
    CSerialPort engine_;
    k30::PortSettings settings_;
    QByteArray received_;
};

TEST_F(SerialEngine, HandsOverEveryByteOnceAndInOrder)
{
    ASSERT_TRUE(OpenAndStart());
    EXPECT_EQ(line_.baudRate, 9600);
    EXPECT_TRUE(line_.rtsRaised);

    // The event character 'q' among them changes nothing. Then the owner's
    // thread is busy as 20000 more bytes arrive in small pieces: they wait in
    // the queue, and none is lost or reordered.
    const QByteArray bytes = QByteArray::fromHex("0171FF00EE10207172FE") + Pattern(20000);
    for (qsizetype at = 0; at < bytes.size(); at += 61)
        line_.device->Feed(bytes.mid(at, 61));
    QElapsedTimer busy;
    busy.start();
    while (!engine_.HasPendingBytes() && busy.elapsed() < 30000)
        QThread::msleep(5);  // no events are handled meanwhile
    EXPECT_TRUE(engine_.HasPendingBytes());
    ASSERT_TRUE(QTest::qWaitFor([&] { return received_.size() >= bytes.size(); }, 30000));
    EXPECT_EQ(received_, bytes);
}

TEST_F(SerialEngine, ShutdownAndReopeningHandOverWhatCameFirst)
{
    ASSERT_TRUE(OpenAndStart());
    line_.device->Feed(Pattern(100));
    engine_.RequestShutdown();
    EXPECT_EQ(received_, Pattern(100));  // before RequestShutdown returned
    EXPECT_FALSE(engine_.IsOpen());

    ASSERT_TRUE(OpenAndStart());
    line_.device->Feed("ab");
    ASSERT_TRUE(OpenAndStart());  // while receiving: the first opening ends first
    EXPECT_EQ(received_, Pattern(100) + "ab");
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
}

}  // namespace
