#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

#include <functional>
#include <memory>

namespace k30 {

// The port as the engine's worker uses it: the few QSerialPort operations it
// needs, so that tests can put a fake port (one that feeds bytes, fails a step
// or refuses to open) in place of a real device. An instance is created, used
// and destroyed on the worker thread.
class SerialDevice : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual bool open(const QString& device) = 0;  // for reading and writing; false leaves it closed
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual bool setBaudRate(qint32 baud) = 0;
    virtual bool setParity(QSerialPort::Parity parity) = 0;
    virtual bool setDataBits(QSerialPort::DataBits bits) = 0;
    virtual bool setStopBits(QSerialPort::StopBits bits) = 0;
    virtual bool setFlowControl(QSerialPort::FlowControl flow) = 0;
    virtual bool setRequestToSend(bool raised) = 0;
    virtual bool clear() = 0;  // discards both directions

    virtual QByteArray readAll() = 0;
    virtual qint64 write(const QByteArray& data) = 0;
    virtual qint64 bytesToWrite() const = 0;
    virtual bool waitForBytesWritten(int msecs) = 0;

    // The last failure and the system's text for it; clearError resets both.
    virtual QSerialPort::SerialPortError error() const = 0;
    virtual QString errorString() const = 0;
    virtual void clearError() = 0;

signals:
    void readyRead();
    void bytesWritten(qint64 count);
    void errorOccurred(QSerialPort::SerialPortError error);
};

// Makes the device of each opening; called on the worker thread.
using SerialDeviceFactory = std::function<std::unique_ptr<SerialDevice>()>;

// The real device: a QSerialPort.
std::unique_ptr<SerialDevice> MakeQtSerialDevice();

}  // namespace k30
