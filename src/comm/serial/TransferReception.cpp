#include "TransferReception.h"

#include "TransferText.h"

namespace k30 {

TransferReception::TransferReception(QObject* parent) : QObject(parent)
{
    connect(&engine_, &CSerialPort::byteReceived, this, [this](quint8 byte) { TakeByte(byte); });
    connect(&engine_, &CSerialPort::portError, this, &TransferReception::portError);
    connect(&engine_, &CSerialPort::portLost, this, [this](const QString& systemText) {
        quiet_.Stop();
        emit portLost(systemText);
    });
    connect(&quiet_, &QuietLine::ticked, this, &TransferReception::ticked);
    // Bytes read but not yet handed over (a busy owner) still count as activity.
    quiet_.SetPendingCheck([this] { return engine_.HasPendingBytes(); });
}

bool TransferReception::Open(const PortSettings& settings)
{
    const bool opened = engine_.OpenPort(settings) && engine_.StartReceiving();
    ResetCount();
    return opened;
}

void TransferReception::Close()
{
    engine_.RequestShutdown();
    quiet_.Stop();
}

bool TransferReception::TakeByte(std::uint8_t byte)
{
    if (overflowed_)
        return false;
    if (text_.size() + 3 > kMaxReceivedTextBytes) {
        overflowed_ = true;
        Close();
        emit limitReached();
        return false;
    }
    AppendByteText(text_, byte);
    ++byteCount_;
    quiet_.NoteByte();
    emit byteAppended(byte);
    return true;
}

std::string TransferReception::TakeText()
{
    std::string text = std::move(text_);
    text_.clear();
    ResetCount();
    return text;
}

void TransferReception::ResetCount()
{
    byteCount_ = 0;
    overflowed_ = false;
}

}  // namespace k30
