#include "PortWorker.h"

#include <QFileInfo>

#include <cerrno>

namespace k30 {

namespace {

// Far beyond what the page keeps (it stops at 16 MiB of text, about 5.6 MB of
// bytes); reached only when the receiving thread no longer takes bytes at all.
constexpr qsizetype kMaxQueuedBytes = 64 * 1024 * 1024;

constexpr int kCloseWriteWaitMs = 1000;


QSerialPort::Parity ParityOf(char c)
{
    switch (c) {
    case 'E':
    case 'e':
        return QSerialPort::EvenParity;
    case 'O':
    case 'o':
        return QSerialPort::OddParity;
    case 'M':
    case 'm':
        return QSerialPort::MarkParity;
    case 'S':
    case 's':
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

}  // namespace

PortWorker::PortWorker(ByteQueue& queue) : queue_(queue) {}

PortWorker::~PortWorker() = default;

PortWorker::OpenOutcome PortWorker::Open(const PortSettings& settings, quint64 session,
                                         const SerialDeviceFactory& factory)
{
    Close();
    session_ = session;
    devicePath_ = settings.device;
    otherFailureReported_ = writeFailureReported_ = false;

    OpenOutcome out;
    device_ = factory ? factory() : MakeQtSerialDevice();
    if (!device_->open(settings.device)) {
        out.failure = OpenFailure{device_->error(), device_->errorString()};
        device_.reset();
        return out;
    }
    out.opened = true;
    connect(device_.get(), &SerialDevice::readyRead, this, &PortWorker::ReadAvailable);
    connect(device_.get(), &SerialDevice::errorOccurred, this, &PortWorker::OnDeviceError);
    connect(device_.get(), &SerialDevice::bytesWritten, this, &PortWorker::OnBytesWritten);

    // Each step is tried even when an earlier one failed, as far as the
    // device lets us: a refused setting is reported, the port stays open.
    configuring_ = true;
    auto step = [&](const char* name, bool ok, bool reportUnsupported = true) {
        if (!ok) {
            if (reportUnsupported || device_->error() != QSerialPort::UnsupportedOperationError)
                out.stepFailures.append(PortStepFailure{QString::fromLatin1(name), device_->errorString()});
            device_->clearError();
        }
    };
    step("setBaudRate()", device_->setBaudRate(settings.baudRate));
    step("setParity()", device_->setParity(ParityOf(settings.parity)));
    step("setDataBits()", device_->setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits)));
    step("setStopBits()",
         device_->setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop));
    step("setFlowControl()", device_->setFlowControl(QSerialPort::NoFlowControl));
    // Pseudo-terminals and some adapters have no modem lines at all; that is
    // not a fault the operator could mend, so it is not reported.
    if (settings.raiseRts)
        step("setRequestToSend()", device_->setRequestToSend(true), false);
    step("clear()", device_->clear());
    configuring_ = false;
    return out;
}

void PortWorker::StartReading()
{
    if (!device_)
        return;
    reading_ = true;
    ReadAvailable();
}

void PortWorker::Close()
{
    if (!device_)
        return;
    if (reading_)
        ReadAvailable();
    if (device_ && device_->bytesToWrite() > 0)
        device_->waitForBytesWritten(kCloseWriteWaitMs);
    if (device_) {
        device_->disconnect(this);
        device_->close();
        device_.reset();
    }
    reading_ = false;
}

void PortWorker::Write(const QByteArray& bytes)
{
    if (!device_ || bytes.isEmpty())
        return;
    if (device_->write(bytes) != bytes.size() && !writeFailureReported_) {
        writeFailureReported_ = true;
        emit failed(session_, QStringLiteral("write()"), device_->errorString());
        device_->clearError();
    }
}

void PortWorker::ReadAvailable()
{
    if (!device_ || !reading_)
        return;
    const QByteArray bytes = device_->readAll();
    if (!bytes.isEmpty() && queue_.Push(bytes))
        emit bytesQueued();
    if (queue_.Size() > kMaxQueuedBytes)
        Lose(QStringLiteral("Received data are not being taken; reception stopped"));
}

void PortWorker::OnBytesWritten()
{
    if (device_ && device_->bytesToWrite() == 0)
        emit allWritten(session_);
}

void PortWorker::OnDeviceError(QSerialPort::SerialPortError error)
{
    if (configuring_ || !device_ || error == QSerialPort::NoError)
        return;
    const QString text = device_->errorString();
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::NotOpenError:
        Lose(text);
        return;
    case QSerialPort::ReadError:
        // A terminal fails to read only when its line is gone: a pulled
        // adapter, a closed pseudo-terminal (end of file, which would
        // otherwise be signalled again and again).
        Lose(QFileInfo::exists(devicePath_) ? text : qt_error_string(ENODEV));
        return;
    case QSerialPort::WriteError:
        if (!writeFailureReported_) {
            writeFailureReported_ = true;
            emit failed(session_, QStringLiteral("write()"), text);
        }
        break;
    default:
        // One box per opening: a failing line would otherwise bury the
        // operator in boxes.
        if (!otherFailureReported_) {
            otherFailureReported_ = true;
            emit failed(session_, QStringLiteral("read()"), text);
        }
        break;
    }
    device_->clearError();
}

void PortWorker::Lose(const QString& systemText)
{
    if (!device_)
        return;
    if (reading_) {
        const QByteArray rest = device_->readAll();
        if (queue_.Push(rest))
            emit bytesQueued();
    }
    device_->disconnect(this);
    device_->close();
    // We may be inside one of the device's own signals: let it finish first.
    device_.release()->deleteLater();
    reading_ = false;
    emit lost(session_, systemText);
}

}  // namespace k30
