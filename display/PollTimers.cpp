#include "display/PollTimers.h"

#include "display/PollState.h"

#include <utility>

namespace {

const std::pair<int, const char*> TimerNames[] = {
    {TIMER_ITEM, "TIMER_ITEM"},
    {TIMER_STARTUP, "TIMER_STARTUP"},
    {TIMER_STATUS, "TIMER_STATUS"},
    {TIMER_CLOCK, "TIMER_CLOCK"},
    {TIMER_EFFICIENCY, "TIMER_EFFICIENCY"},
    {TIMER_KEEPALIVE, "TIMER_KEEPALIVE"},
    {TIMER_AUTOSTART, "TIMER_AUTOSTART"},
    {TIMER_AUTOSEARCH, "TIMER_AUTOSEARCH"},
};

} // namespace

PollTimers::PollTimers(QObject& owner, std::function<void(int id)> onTimeout)
{
    for (const auto& [id, name] : TimerNames) {
        auto* timer = new QTimer(&owner);
        timer->setObjectName(QString::fromLatin1(name));
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, &owner, [id, onTimeout] { onTimeout(id); });
        timers_.emplace(id, timer);
    }
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
