#include "TransferReception.h"

#include "TransferText.h"

#include <utility>

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
    SyncJournal();
}

bool TransferReception::Tick()
{
    if (!quiet_.Tick())
        return false;
    // The line fell quiet: what came is made safe from a power cut now.
    SyncJournal();
    return true;
}

void TransferReception::SetText(std::string text)
{
    text_ = std::move(text);
    journalFailed_ = false;
    journal_ = ReceptionJournal();  // the next byte starts one holding all of the text
}

void TransferReception::Journal(std::string_view text)
{
    if (journalFolder_.empty())
        return;
    if (!journal_.IsOpen()) {
        if (journalFailed_)
            return;  // tried for this text already; the next text tries again
        std::string error;
        if (!journal_.Start(journalFolder_, error)) {
            JournalError(error);
            return;
        }
        // The text held before this byte: a continued reception.
        journal_.Append(std::string_view(text_).substr(0, text_.size() - text.size()));
    }
    journal_.Append(text);
    // One write per chunk the engine hands over: the flush runs once the chunk is delivered.
    if (!flushQueued_) {
        flushQueued_ = true;
        QMetaObject::invokeMethod(this, &TransferReception::FlushJournal, Qt::QueuedConnection);
    }
}

void TransferReception::FlushJournal()
{
    flushQueued_ = false;
    std::string error;
    if (!journal_.Flush(error))
        JournalError(error);
}

void TransferReception::SyncJournal()
{
    std::string error;
    if (!journal_.Sync(error))
        JournalError(error);
}

void TransferReception::JournalError(const std::string& error)
{
    if (std::exchange(journalFailed_, true))
        return;
    emit journalFailed(QString::fromStdString(error));
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
    Journal(std::string_view(text_).substr(text_.size() - 3));
    ++byteCount_;
    quiet_.NoteByte();
    emit byteAppended(byte);
    return true;
}

std::string TransferReception::TakeText()
{
    SyncJournal();
    taken_ = std::move(journal_);
    journalFailed_ = false;
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
