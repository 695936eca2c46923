#include "link/ReconnectSchedule.h"

#include <algorithm>

ReconnectSchedule::ReconnectSchedule(QObject* parent) : QObject(parent)
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &ReconnectSchedule::retryDue);
}

int ReconnectSchedule::nextPauseSeconds()
{
    const auto last = static_cast<int>(PAUSES_S.size()) - 1;
    const int pause = PAUSES_S[static_cast<std::size_t>(std::min(attempts_, last))];
    ++attempts_;
    return pause;
}

void ReconnectSchedule::reset()
{
    timer_.stop();
    attempts_ = 0;
}

int ReconnectSchedule::retryLater()
{
    const int pause = nextPauseSeconds();
    timer_.start(pause * msPerSecond_);
    return pause;
}
