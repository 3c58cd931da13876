#include "QuietLine.h"

#include <algorithm>

namespace k30 {

QuietLine::QuietLine(QObject* parent) : QObject(parent)
{
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &QuietLine::ticked);
}

void QuietLine::SetQuietMs(int ms)
{
    quietMs_ = std::max(1, ms);
    if (timer_.isActive())
        timer_.start(quietMs_);
}

void QuietLine::NoteByte()
{
    timer_.start(quietMs_);
    active_ = true;
}

void QuietLine::Stop()
{
    timer_.stop();
    active_ = false;
}

bool QuietLine::Tick()
{
    if (!active_ && !(pending_ && pending_())) {
        timer_.stop();
        return true;
    }
    active_ = false;
    return false;
}

}  // namespace k30
