#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>

#include <string>
#include <utility>

#include "CReadData.h"
#include "ReadDataTexts.h"
#include "ScriptedPrompt.h"
#include "SerialDevice.h"
#include "TestDataStore.h"
#include "TransferDecoder.h"
#include "TransferText.h"
#include "UiText.h"

namespace k30::test {

inline std::string DemoText()
{
    QFile f(QStringLiteral(K30_SAMPLES "/demo.ORG"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll().toStdString();
}

inline QByteArray BytesOf(const std::string& transferText)
{
    const auto bytes = TransferTextToBytes(transferText).value_or(std::vector<std::uint8_t>{});
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// n bytes counting up from `from`, wrapping at 256.
inline QByteArray Counting(int n, int from = 0)
{
    QByteArray b;
    for (int i = 0; i < n; ++i)
        b.append(char((from + i) & 0xFF));
    return b;
}

// Not periodic over 256 bytes, so a misplaced block shows.
inline QByteArray Pattern(int n)
{
    QByteArray bytes;
    for (int i = 0; i < n; ++i)
        bytes.append(char((i * 7 + i / 256) & 0xFF));
    return bytes;
}

// The store a transfer text decodes into, to compare with what the page made.
inline void ExpectStoreHolds(const TestDataStore& store, const std::string& transferText)
{
    TestDataStore expected;
    DecodeTransfer(transferText, expected);
    EXPECT_EQ(store.nInstrumentNo, expected.nInstrumentNo);
    EXPECT_EQ(store.nEv2Count, expected.nEv2Count);
    EXPECT_EQ(store.nK30Count, expected.nK30Count);
    EXPECT_TRUE(store.k30List == expected.k30List);
}

// A scripted prompt that also notes what the page had received when it asked
// to confirm the end of a transfer.
class ConfirmRecorder : public ScriptedPrompt {
public:
    const CReadData* page = nullptr;
    std::vector<std::string> textWhenAsked;

    Answer ask(QWidget* parent, const QString& caption, const QString& text, Buttons buttons, Icon icon,
               Answer defaultAnswer) override
    {
        if (page && (text == Tr(readtexts::kConfirmEnd, Language::Chinese) ||
                     text == Tr(readtexts::kConfirmEnd, Language::English)))
            textWhenAsked.push_back(page->ReceivedText());
        return ScriptedPrompt::ask(parent, caption, text, buttons, icon, defaultAnswer);
    }
};

// Picks a port from the list as the operator would.
inline void ChoosePort(CReadData& page, const QString& name)
{
    page.FillPortList();
    auto* combo = page.findChild<QComboBox*>(QStringLiteral("portCombo"));
    ASSERT_GE(combo->findText(name), 0) << name.toStdString();
    combo->setCurrentIndex(combo->findText(name));
}

// A fake port line: what a test wants of the port, and what the engine did
// with it.
class FakeSerialDevice;
struct FakeLine {
    bool refuseOpen = false;
    QSerialPort::SerialPortError openError = QSerialPort::DeviceNotFoundError;
    QString refusedStep;  // "setBaudRate", "setRequestToSend", ...: that setting fails
    QSerialPort::SerialPortError refusedStepError = QSerialPort::UnknownError;

    FakeSerialDevice* device = nullptr;  // the last one opened
    QString openedDevice;
    qint32 baudRate = 0;
    bool rtsRaised = false;
};

class FakeSerialDevice final : public SerialDevice {
public:
    explicit FakeSerialDevice(FakeLine& line) : line_(line) {}

    // From the test's thread: bytes arrive on the line, or the adapter is pulled out.
    void Feed(const QByteArray& bytes)
    {
        QMetaObject::invokeMethod(this, [this, bytes] { buffer_ += bytes; emit readyRead(); }, Qt::QueuedConnection);
    }
    void Pull(const QString& systemText)
    {
        QMetaObject::invokeMethod(
            this, [this, systemText] { Fail(QSerialPort::ResourceError, systemText); emit errorOccurred(error_); },
            Qt::QueuedConnection);
    }

    bool open(const QString& device) override
    {
        if (line_.refuseOpen)
            return Fail(line_.openError, QStringLiteral("No such file or directory"));
        open_ = true;
        line_.device = this;
        line_.openedDevice = device;
        return true;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }

    bool setBaudRate(qint32 baud) override { line_.baudRate = baud; return Step("setBaudRate"); }
    bool setParity(QSerialPort::Parity) override { return Step("setParity"); }
    bool setDataBits(QSerialPort::DataBits) override { return Step("setDataBits"); }
    bool setStopBits(QSerialPort::StopBits) override { return Step("setStopBits"); }
    bool setFlowControl(QSerialPort::FlowControl) override { return Step("setFlowControl"); }
    bool setRequestToSend(bool raised) override { line_.rtsRaised = raised; return Step("setRequestToSend"); }
    bool clear() override { return Step("clear"); }

    QByteArray readAll() override { return std::exchange(buffer_, {}); }
    qint64 write(const QByteArray& data) override { return data.size(); }
    qint64 bytesToWrite() const override { return 0; }
    bool waitForBytesWritten(int) override { return true; }

    QSerialPort::SerialPortError error() const override { return error_; }
    QString errorString() const override { return errorString_; }
    void clearError() override { Fail(QSerialPort::NoError, {}); }

private:
    bool Step(const char* name)
    {
        return line_.refusedStep != QLatin1String(name) ||
               Fail(line_.refusedStepError, QStringLiteral("Invalid argument"));
    }
    bool Fail(QSerialPort::SerialPortError error, const QString& text)
    {
        error_ = error;
        errorString_ = text;
        return false;
    }

    FakeLine& line_;
    bool open_ = false;
    QByteArray buffer_;
    QSerialPort::SerialPortError error_ = QSerialPort::NoError;
    QString errorString_;
};

inline SerialDeviceFactory FakeFactory(FakeLine& line)
{
    return [&line] { return std::make_unique<FakeSerialDevice>(line); };
}

}  // namespace k30::test
