#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

#include "ByteQueue.h"
#include "PortSettings.h"
#include "SerialDevice.h"

namespace k30 {

// A configuration step that the device refused, with the system's text.
struct PortStepFailure {
    QString step;
    QString systemText;
};

// Why a port could not be opened.
struct OpenFailure {
    QSerialPort::SerialPortError error = QSerialPort::NoError;
    QString systemText;
};

// The engine's half on the worker thread: owns the device, configures it,
// reads everything it offers into the byte queue and writes what it is given.
// Every member runs on the worker thread; results go back by queued signals
// or, for the blocking calls of the engine, by return value.
class PortWorker : public QObject {
    Q_OBJECT
public:
    explicit PortWorker(ByteQueue& queue);
    ~PortWorker() override;

    struct OpenOutcome {
        bool opened = false;
        OpenFailure failure;                 // when not opened
        QList<PortStepFailure> stepFailures;  // when opened with settings refused
    };
    // Closes any open device first (keeping what it still held), then opens
    // and configures. A refused setting leaves the port open with what it had.
    // The factory makes the device (a QSerialPort when empty).
    OpenOutcome Open(const PortSettings& settings, quint64 session, const SerialDeviceFactory& factory);
    void StartReading();
    // Reads what the device still holds, then closes it. Unsent bytes are
    // given a second to leave first.
    void Close();
    void Write(const QByteArray& bytes);

signals:
    void bytesQueued();
    // The device went away (adapter pulled) or the queue overflowed; the port
    // has been closed and every byte read so far is in the queue.
    void lost(quint64 session, const QString& systemText);
    // A write (or another operation) failed while the port stays open.
    void failed(quint64 session, const QString& step, const QString& systemText);
    void allWritten(quint64 session);

private:
    void ReadAvailable();
    void OnDeviceError(QSerialPort::SerialPortError error);
    void OnBytesWritten();
    void Lose(const QString& systemText);

    ByteQueue& queue_;
    std::unique_ptr<SerialDevice> device_;
    QString devicePath_;
    quint64 session_ = 0;
    bool reading_ = false;
    bool configuring_ = false;
    bool otherFailureReported_ = false;
    bool writeFailureReported_ = false;
};

}  // namespace k30
