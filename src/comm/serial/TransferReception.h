#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <string>

#include "CSerialPort.h"
#include "PortSettings.h"
#include "QuietLine.h"

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
    bool Tick() { return quiet_.Tick(); }
    // The line counts as active again, so the next quiet window ends a transfer.
    void NoteActivity() { quiet_.NoteByte(); }
    void StopQuietLine() { quiet_.Stop(); }

    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }
    // Hands the text over and empties it.
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

private:
    void ResetCount();

    CSerialPort engine_;
    QuietLine quiet_;
    std::string text_;
    qint64 byteCount_ = 0;
    bool overflowed_ = false;
};

}  // namespace k30
