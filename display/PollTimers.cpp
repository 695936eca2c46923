#include "display/PollTimers.h"

#include "display/PollState.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<int, 8> TimerIds{TIMER_ITEM,      TIMER_STARTUP,    TIMER_STATUS,
                                      TIMER_CLOCK,     TIMER_EFFICIENCY, TIMER_KEEPALIVE,
                                      TIMER_AUTOSTART, TIMER_AUTOSEARCH};

} // namespace

PollTimers::PollTimers(std::function<void(int id)> onTimeout)
{
    for (int id : TimerIds) {
        auto timer = std::make_unique<QTimer>();
        timer->setSingleShot(true);
        QObject::connect(timer.get(), &QTimer::timeout, timer.get(),
                         [id, onTimeout] { onTimeout(id); });
        timers_.emplace(id, std::move(timer));
    }
}

bool PollTimers::isKnownId(int id)
{
    return std::find(TimerIds.begin(), TimerIds.end(), id) != TimerIds.end();
}

void PollTimers::arm(int id, int intervalMs)
{
    if (auto found = timers_.find(id); found != timers_.end())
        found->second->start(intervalMs);
}

void PollTimers::kill(int id)
{
    if (auto found = timers_.find(id); found != timers_.end())
        found->second->stop();
}

bool PollTimers::isArmed(int id) const
{
    const auto found = timers_.find(id);
    return found != timers_.end() && found->second->isActive();
}

int PollTimers::interval(int id) const
{
    const auto found = timers_.find(id);
    return found == timers_.end() ? -1 : found->second->interval();
}
