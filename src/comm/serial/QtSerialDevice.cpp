#include "SerialDevice.h"

namespace k30 {

namespace {

class QtSerialDevice final : public SerialDevice {
public:
    QtSerialDevice()
    {
        connect(&port_, &QSerialPort::readyRead, this, &SerialDevice::readyRead);
        connect(&port_, &QSerialPort::bytesWritten, this, &SerialDevice::bytesWritten);
        connect(&port_, &QSerialPort::errorOccurred, this, &SerialDevice::errorOccurred);
    }

    bool open(const QString& device) override
    {
        port_.setPortName(device);
        return port_.open(QIODevice::ReadWrite);
    }
    void close() override { port_.close(); }
    bool isOpen() const override { return port_.isOpen(); }

    bool setBaudRate(qint32 baud) override { return port_.setBaudRate(baud); }
    bool setParity(QSerialPort::Parity parity) override { return port_.setParity(parity); }
    bool setDataBits(QSerialPort::DataBits bits) override { return port_.setDataBits(bits); }
    bool setStopBits(QSerialPort::StopBits bits) override { return port_.setStopBits(bits); }
    bool setFlowControl(QSerialPort::FlowControl flow) override { return port_.setFlowControl(flow); }
    bool setRequestToSend(bool raised) override { return port_.setRequestToSend(raised); }
    bool clear() override { return port_.clear(); }

    QByteArray readAll() override { return port_.readAll(); }
    qint64 write(const QByteArray& data) override { return port_.write(data); }
    qint64 bytesToWrite() const override { return port_.bytesToWrite(); }
    bool waitForBytesWritten(int msecs) override { return port_.waitForBytesWritten(msecs); }

    QSerialPort::SerialPortError error() const override { return port_.error(); }
    QString errorString() const override { return port_.errorString(); }
    void clearError() override { port_.clearError(); }

private:
    QSerialPort port_;
};

}  // namespace

std::unique_ptr<SerialDevice> MakeQtSerialDevice() { return std::make_unique<QtSerialDevice>(); }

}  // namespace k30
