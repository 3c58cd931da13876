#pragma once

#include <QMutex>

#include <utility>

#include "SerialDevice.h"

namespace k30::test {

class FakeSerialDevice;

// What a test wants of the fake port, and where it finds the device the
// engine made. Feed and Pull may be called from the test's thread once the
// port is open.
struct FakeLine {
    bool refuseOpen = false;
    QSerialPort::SerialPortError openError = QSerialPort::DeviceNotFoundError;
    QString openErrorText = QStringLiteral("No such file or directory");
    QString refusedStep;  // "setBaudRate", "setRequestToSend", ...: that setting fails
    QSerialPort::SerialPortError refusedStepError = QSerialPort::UnknownError;

    FakeSerialDevice* device = nullptr;
    QString openedDevice;
    int opens = 0;
    qint32 baudRate = 0;
    bool rtsRaised = false;
    QMutex mutex;  // guards written
    QByteArray written;

    void Feed(const QByteArray& bytes);   // bytes arrive on the line
    void Pull(const QString& systemText);  // the adapter is pulled out
    SerialDeviceFactory Factory();
};

class FakeSerialDevice final : public SerialDevice {
public:
    explicit FakeSerialDevice(FakeLine& line) : line_(line) {}
    ~FakeSerialDevice() override { line_.device = line_.device == this ? nullptr : line_.device; }

    bool open(const QString& device) override
    {
        if (line_.refuseOpen)
            return Fail(line_.openError, line_.openErrorText);
        open_ = true;
        line_.device = this;
        line_.openedDevice = device;
        ++line_.opens;
        return true;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }

    bool setBaudRate(qint32 baud) override
    {
        line_.baudRate = baud;
        return Step("setBaudRate");
    }
    bool setParity(QSerialPort::Parity) override { return Step("setParity"); }
    bool setDataBits(QSerialPort::DataBits) override { return Step("setDataBits"); }
    bool setStopBits(QSerialPort::StopBits) override { return Step("setStopBits"); }
    bool setFlowControl(QSerialPort::FlowControl) override { return Step("setFlowControl"); }
    bool setRequestToSend(bool raised) override
    {
        line_.rtsRaised = raised;
        return Step("setRequestToSend");
    }
    bool clear() override { return Step("clear"); }

    QByteArray readAll() override { return std::exchange(buffer_, {}); }
    qint64 write(const QByteArray& data) override
    {
        QMutexLocker lock(&line_.mutex);
        line_.written += data;
        emit bytesWritten(data.size());
        return data.size();
    }
    qint64 bytesToWrite() const override { return 0; }
    bool waitForBytesWritten(int) override { return true; }

    QSerialPort::SerialPortError error() const override { return error_; }
    QString errorString() const override { return errorString_; }
    void clearError() override { Fail(QSerialPort::NoError, {}); }

    // On the device's thread.
    void Arrive(const QByteArray& bytes)
    {
        buffer_ += bytes;
        emit readyRead();
    }
    void Vanish(const QString& systemText)
    {
        Fail(QSerialPort::ResourceError, systemText);
        emit errorOccurred(QSerialPort::ResourceError);
    }

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

inline void FakeLine::Feed(const QByteArray& bytes)
{
    QMetaObject::invokeMethod(device, [d = device, bytes] { d->Arrive(bytes); }, Qt::QueuedConnection);
}

inline void FakeLine::Pull(const QString& systemText)
{
    QMetaObject::invokeMethod(device, [d = device, systemText] { d->Vanish(systemText); }, Qt::QueuedConnection);
}

inline SerialDeviceFactory FakeLine::Factory()
{
    return [this] { return std::make_unique<FakeSerialDevice>(*this); };
}

}  // namespace k30::test
