#pragma once

#include <QByteArray>
#include <QMutex>
#include <QString>

#include <memory>

#include "SerialDevice.h"

namespace k30::test {

class FakeSerialDevice;

// What a test wants of the fake port, and where it finds the device the
// engine created. Feed and Pull may be called from the test's thread.
struct FakeLine {
    bool refuseOpen = false;
    QSerialPort::SerialPortError openError = QSerialPort::DeviceNotFoundError;
    QString openErrorText = QStringLiteral("No such file or directory");
    QString refusedStep;  // "setBaudRate", "setRequestToSend", ...: that setting fails
    QSerialPort::SerialPortError refusedStepError = QSerialPort::UnknownError;

    FakeSerialDevice* device = nullptr;  // the open one, if any
    QString openedDevice;
    int opens = 0;
    bool rtsRaised = false;
    qint32 baudRate = 0;

    // Bytes arriving on the line.
    void Feed(const QByteArray& bytes);
    // The adapter is pulled out.
    void Pull(const QString& systemText);

    SerialDeviceFactory Factory();

    QMutex mutex;  // guards written
    QByteArray written;
};

class FakeSerialDevice final : public SerialDevice {
public:
    explicit FakeSerialDevice(FakeLine& line) : line_(line) {}
    ~FakeSerialDevice() override
    {
        if (line_.device == this)
            line_.device = nullptr;
    }

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
        if (!Step("setRequestToSend"))
            return false;
        line_.rtsRaised = raised;
        return true;
    }
    bool clear() override
    {
        buffer_.clear();
        return Step("clear");
    }

    QByteArray readAll() override
    {
        QByteArray out;
        out.swap(buffer_);
        return out;
    }
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
    void clearError() override
    {
        error_ = QSerialPort::NoError;
        errorString_.clear();
    }

    // On the device's thread.
    void Arrive(const QByteArray& bytes)
    {
        if (!open_)
            return;
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
        if (line_.refusedStep == QLatin1String(name))
            return Fail(line_.refusedStepError, QStringLiteral("Invalid argument"));
        return true;
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
    FakeSerialDevice* d = device;
    QMetaObject::invokeMethod(d, [d, bytes] { d->Arrive(bytes); }, Qt::QueuedConnection);
}

inline void FakeLine::Pull(const QString& systemText)
{
    FakeSerialDevice* d = device;
    QMetaObject::invokeMethod(d, [d, systemText] { d->Vanish(systemText); }, Qt::QueuedConnection);
}

inline SerialDeviceFactory FakeLine::Factory()
{
    return [this] { return std::make_unique<FakeSerialDevice>(*this); };
}

}  // namespace k30::test
