#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QThread>

#include <memory>

#include "ByteQueue.h"
#include "PortSettings.h"
#include "PortWorker.h"
#include "SerialDevice.h"

namespace k30 {

// One serial port, read on a worker thread of its own. The port object lives
// on that thread; this facade lives on the thread that created it and speaks
// to the worker by queued calls. Received bytes are queued in arrival order
// and handed over one at a time by byteReceived, so a thread that is busy for
// seconds loses nothing: the bytes wait in the queue.
//
// The engine only emits signals; whoever owns it decides what to show.
class CSerialPort : public QObject {
    Q_OBJECT
public:
    explicit CSerialPort(QObject* parent = nullptr);
    // Closes the port and ends the worker; bytes not yet handed over are dropped.
    ~CSerialPort() override;

    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Tests put a fake device here; by default every opening makes a QSerialPort.
    void SetDeviceFactory(SerialDeviceFactory factory);

    // Closes a port that is open (handing over what it had received), then
    // opens and configures the one given. False when it could not be opened:
    // LastOpenFailure says why and nothing has been reported. A refused
    // setting is reported by portError and the port stays open (true).
    bool OpenPort(const PortSettings& settings);
    const OpenFailure& LastOpenFailure() const { return lastOpenFailure_; }

    // Starts handing over received bytes; false when no port is open.
    bool StartReceiving();

    // Closes the port. Bytes read before the close are handed over before
    // this returns (unless it is called from a byteReceived handler, in which
    // case they follow as soon as the handler returns).
    void RequestShutdown();

    // Queues bytes for writing; allWritten follows when the device took them.
    bool SendBytes(const QByteArray& bytes);
    bool SendText(const QString& text) { return SendBytes(text.toLatin1()); }

    bool IsOpen() const { return open_; }
    bool IsReceiving() const { return receiving_; }
    QString PortName() const { return settings_.ShownName(); }
    const PortSettings& Settings() const { return settings_; }

    // Bytes read from the port but not yet handed over.
    bool HasPendingBytes() const;

    // The text of the failure box: "WARNING:  <step> Failed with the
    // following error: \n<system text>\nPort: <port>\n".
    static QString ErrorReport(const QString& step, const QString& systemText, const QString& portName);

signals:
    void byteReceived(quint8 byte);
    // A box text for the caption "Application Error".
    void portError(const QString& report);
    // The port went away while open (adapter pulled) and has been closed;
    // every byte received before has been handed over.
    void portLost(const QString& systemText);
    void allWritten();

private:
    void DeliverQueued();
    void DeliverAll();
    void Deliver(qsizetype budget);  // -1: everything
    void OnLost(quint64 session, const QString& systemText);
    void OnFailed(quint64 session, const QString& step, const QString& systemText);
    void OnAllWritten(quint64 session);

    ByteQueue queue_;
    SerialDeviceFactory factory_;
    QThread thread_;
    PortWorker* worker_ = nullptr;  // lives on thread_
    PortSettings settings_;
    OpenFailure lastOpenFailure_;
    quint64 session_ = 0;
    bool open_ = false;
    bool receiving_ = false;

    // Handing over (owner's thread only).
    QByteArray batch_;
    qsizetype cursor_ = 0;
    bool delivering_ = false;
    bool deliveryPosted_ = false;
};

}  // namespace k30
