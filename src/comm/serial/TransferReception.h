#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <string>

#include "CSerialPort.h"
#include "PortSettings.h"
#include "QuietLine.h"
#include "ReceptionJournal.h"

namespace k30 {

// The reception loop shared by the read page and "k30 receive": a port opened
// with the engine, every byte it hands over appended to the transfer text, the
// quiet line that ends a transfer, and the limit past which a device counts as
// running away. The owner decides what to show and when a transfer is taken.
class TransferReception : public QObject {
    Q_OBJECT
public:
    explicit TransferReception(QObject* parent = nullptr);

    CSerialPort& Engine() { return engine_; }
    const CSerialPort& Engine() const { return engine_; }
    void SetQuietMs(int ms) { quiet_.SetQuietMs(ms); }
    int QuietMs() const { return quiet_.QuietMs(); }

    // Opens the port and starts receiving. The text received so far stays;
    // the byte count and the limit start afresh either way. False when the
    // port could not be opened (Engine().LastOpenFailure() says why).
    bool Open(const PortSettings& settings);
    // Closes the port (bytes read before are appended first) and stops the quiet line.
    void Close();

    // One byte from the port. Appends it unless the text has reached the
    // limit; the first byte past the limit closes the port and emits
    // limitReached, later ones are dropped. True when appended.
    bool TakeByte(std::uint8_t byte);

    // One tick of the quiet line: true when a whole window passed without a
    // byte; the line then waits for the next byte.
    bool Tick();
    // The line counts as active again, so the next quiet window ends a transfer.
    void NoteActivity() { quiet_.NoteByte(); }
    void StopQuietLine() { quiet_.Stop(); }

    // The archive folder where the received text is journalled as it
    // arrives; none when empty (the default).
    void SetJournalFolder(std::string folder) { journalFolder_ = std::move(folder); }
    // The journal of the text held now, empty before the first byte.
    const std::string& JournalPath() const { return journal_.Path(); }
    // The text held now is kept in the archive: its journal goes at the end
    // unless more bytes come.
    void TextArchived() { journal_.MarkArchived(); }
    // The text last taken is kept in the archive: its journal goes now.
    void TakenTextArchived()
    {
        taken_.MarkArchived();
        taken_.Finish();
    }
    // The journal of the text last taken, until TakenTextArchived.
    const std::string& TakenJournalPath() const { return taken_.Path(); }

    const std::string& Text() const { return text_; }
    void SetText(std::string text);
    // Hands the text over and empties it; its journal stays until TakenTextArchived.
    std::string TakeText();
    // Bytes appended since the port was last opened or the text taken.
    qint64 ByteCount() const { return byteCount_; }
    bool LimitReached() const { return overflowed_; }

signals:
    void byteAppended(quint8 byte);
    void limitReached();
    // Each tick of the quiet line; the owner calls Tick() to learn whether it ended.
    void ticked();
    // Forwarded from the engine.
    void portError(const QString& report);
    void portLost(const QString& systemText);
    // The journal could not be written (English, with the path); the bytes
    // are still kept in memory. Once for each journal.
    void journalFailed(const QString& error);

private:
    void ResetCount();
    void Journal(std::string_view text);
    void FlushJournal();
    void SyncJournal();
    void JournalError(const std::string& error);

    CSerialPort engine_;
    QuietLine quiet_;
    std::string text_;
    std::string journalFolder_;
    ReceptionJournal journal_;  // of text_
    ReceptionJournal taken_;    // of the text last taken
    bool flushQueued_ = false;
    bool journalFailed_ = false;
    qint64 byteCount_ = 0;
    bool overflowed_ = false;
};

}  // namespace k30
