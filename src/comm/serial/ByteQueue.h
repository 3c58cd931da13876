#pragma once

#include <QByteArray>
#include <QMutex>

namespace k30 {

// Received bytes on their way from the port's worker thread to the thread that
// owns the engine, in arrival order. The only state the two threads share.
class ByteQueue {
public:
    // Appends; true when the queue was empty, so the reader must be woken.
    bool Push(const QByteArray& bytes)
    {
        QMutexLocker lock(&mutex_);
        const bool wasEmpty = bytes_.isEmpty();
        bytes_ += bytes;
        return wasEmpty && !bytes.isEmpty();
    }
    QByteArray TakeAll()
    {
        QMutexLocker lock(&mutex_);
        QByteArray out;
        out.swap(bytes_);
        return out;
    }
    qsizetype Size() const
    {
        QMutexLocker lock(&mutex_);
        return bytes_.size();
    }

private:
    mutable QMutex mutex_;
    QByteArray bytes_;
};

}  // namespace k30
