#include "CSerialPort.h"

namespace k30 {

namespace {

// Bytes handed over before the owner's event loop gets a turn again, so that
// a long backlog (after the owner was busy) does not freeze it.
constexpr qsizetype kBytesPerTurn = 4096;

}  // namespace

CSerialPort::CSerialPort(QObject* parent) : QObject(parent)
{
    thread_.setObjectName(QStringLiteral("k30-serial"));
}

CSerialPort::~CSerialPort()
{
    if (!worker_)
        return;
    // The worker never waits for this thread, so neither wait can deadlock.
    QMetaObject::invokeMethod(worker_, [w = worker_] { w->Close(); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

void CSerialPort::SetDeviceFactory(SerialDeviceFactory factory) { factory_ = std::move(factory); }

bool CSerialPort::OpenPort(const PortSettings& settings)
{
    if (!worker_) {
        worker_ = new PortWorker(queue_);
        worker_->moveToThread(&thread_);
        connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
        connect(worker_, &PortWorker::bytesQueued, this, [this] { DeliverQueued(); }, Qt::QueuedConnection);
        connect(worker_, &PortWorker::lost, this, &CSerialPort::OnLost, Qt::QueuedConnection);
        connect(worker_, &PortWorker::failed, this, &CSerialPort::OnFailed, Qt::QueuedConnection);
        connect(worker_, &PortWorker::allWritten, this, &CSerialPort::OnAllWritten, Qt::QueuedConnection);
        thread_.start();
    }

    settings_ = settings;
    const quint64 session = ++session_;
    PortWorker::OpenOutcome outcome;
    QMetaObject::invokeMethod(
        worker_, [&, w = worker_] { outcome = w->Open(settings, session, factory_); },
        Qt::BlockingQueuedConnection);
    // What the previous port had received belongs to the reception in progress.
    DeliverAll();

    receiving_ = false;
    open_ = outcome.opened;
    if (!open_) {
        lastOpenFailure_ = outcome.failure;
        return false;
    }
    lastOpenFailure_ = OpenFailure{};
    for (const PortStepFailure& f : outcome.stepFailures)
        emit portError(ErrorReport(f.step, f.systemText, PortName()));
    return true;
}

bool CSerialPort::StartReceiving()
{
    if (!open_)
        return false;
    QMetaObject::invokeMethod(worker_, [w = worker_] { w->StartReading(); }, Qt::QueuedConnection);
    receiving_ = true;
    return true;
}

void CSerialPort::RequestShutdown()
{
    if (!worker_)
        return;
    ++session_;  // reports of the port being closed are of no interest any more
    QMetaObject::invokeMethod(worker_, [w = worker_] { w->Close(); }, Qt::BlockingQueuedConnection);
    open_ = receiving_ = false;
    DeliverAll();
}

bool CSerialPort::SendBytes(const QByteArray& bytes)
{
    if (!open_)
        return false;
    QMetaObject::invokeMethod(worker_, [w = worker_, bytes] { w->Write(bytes); }, Qt::QueuedConnection);
    return true;
}

bool CSerialPort::HasPendingBytes() const { return cursor_ < batch_.size() || queue_.Size() > 0; }

QString CSerialPort::ErrorReport(const QString& step, const QString& systemText, const QString& portName)
{
    return QStringLiteral("WARNING:  %1 Failed with the following error: \n%2\nPort: %3\n")
        .arg(step, systemText, portName);
}

void CSerialPort::DeliverQueued() { Deliver(kBytesPerTurn); }

void CSerialPort::DeliverAll() { Deliver(-1); }

void CSerialPort::Deliver(qsizetype budget)
{
    // A handler that runs a nested event loop (a message box) must not let a
    // second round overtake the bytes of the first: the outer round goes on
    // once the handler returns.
    if (delivering_)
        return;
    delivering_ = true;
    for (qsizetype n = 0;; ++n) {
        if (cursor_ >= batch_.size()) {
            batch_ = queue_.TakeAll();
            cursor_ = 0;
            if (batch_.isEmpty())
                break;
        }
        if (n == budget) {
            QMetaObject::invokeMethod(this, &CSerialPort::DeliverQueued, Qt::QueuedConnection);
            break;
        }
        emit byteReceived(static_cast<quint8>(batch_[cursor_++]));
    }
    delivering_ = false;
}

void CSerialPort::OnLost(quint64 session, const QString& systemText)
{
    if (session != session_)
        return;
    DeliverAll();
    open_ = receiving_ = false;
    emit portLost(systemText);
}

void CSerialPort::OnFailed(quint64 session, const QString& step, const QString& systemText)
{
    if (session == session_)
        emit portError(ErrorReport(step, systemText, PortName()));
}

void CSerialPort::OnAllWritten(quint64 session)
{
    if (session == session_)
        emit allWritten();
}

}  // namespace k30
