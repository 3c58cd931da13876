#pragma once

#include <QObject>
#include <QTimer>

#include <cstddef>
#include <functional>

namespace k30 {

// The quiet window that ends a transfer. USB-serial adapters hand bytes over
// in bursts (FTDI-type ones every 16 ms by default), so the window must be far
// longer than that or the end would be "seen" in the middle of a transfer.
inline constexpr int kDefaultQuietMs = 100;

// A transfer is a few hundred KiB of text; a device that sends this much is
// running away, and reception stops there.
inline constexpr std::size_t kMaxReceivedTextBytes = 16u * 1024 * 1024;

// The end-of-transfer rule shared by the read page and "k30 receive": every
// byte (re)starts a periodic timer of one window and marks the line active;
// each tick clears the mark, and a tick that finds it already clear - a whole
// window without a byte after the window of the last byte - means the
// transfer has ended. The owner connects ticked() to its own handler, which
// calls Tick().
class QuietLine : public QObject {
    Q_OBJECT
public:
    explicit QuietLine(QObject* parent = nullptr);

    void SetQuietMs(int ms);  // values below 1 ms count as 1 ms
    int QuietMs() const { return quietMs_; }

    // Bytes that were received but not yet handed over count as activity:
    // the owner's thread may have been too busy to take them.
    void SetPendingCheck(std::function<bool()> pending) { pending_ = std::move(pending); }

    void NoteByte();
    void Stop();
    bool IsRunning() const { return timer_.isActive(); }
    bool IsActive() const { return active_; }

    // One tick of the timer. True when the line has been quiet for a whole
    // window; the timer is then stopped. Otherwise the mark is cleared.
    bool Tick();

signals:
    void ticked();

private:
    QTimer timer_;
    int quietMs_ = kDefaultQuietMs;
    bool active_ = false;
    std::function<bool()> pending_;
};

}  // namespace k30
