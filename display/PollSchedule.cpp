#include "display/PollSchedule.h"

#include "display/CLiveItemTable.h"
#include "display/PollState.h"

namespace {

constexpr std::array<int, PollSchedule::LENGTH> Schedule{
    TIMER_ITEM, TIMER_ITEM,   TIMER_ITEM,  TIMER_ITEM,      TIMER_ITEM,
    TIMER_ITEM, TIMER_STATUS, TIMER_CLOCK, TIMER_EFFICIENCY};

} // namespace

int PollSchedule::restart()
{
    index_ = 0;
    return Schedule[0];
}

int PollSchedule::next()
{
    if (index_ >= LENGTH)
        index_ = 0;
    return Schedule[index_++];
}

std::size_t PollSchedule::pairOf(int timerId)
{
    return static_cast<std::size_t>(timerId - TIMER_STATUS);
}

const PollRequest& PollSchedule::nextPairStep(int timerId)
{
    std::uint16_t& step = pairSteps_[pairOf(timerId)];
    step = step >= 2 ? 1 : static_cast<std::uint16_t>(step + 1);
    return PollRequests::Pairs[pairOf(timerId)][static_cast<std::size_t>(step - 1)];
}

int PollSchedule::nextItem(const CLiveItemTable& items)
{
    if (!items.hasPolledItem())
        return 0;
    for (int tries = 0; tries < CLiveItemTable::LAST_POLLED_ITEM; ++tries) {
        itemCursor_ = itemCursor_ >= CLiveItemTable::LAST_POLLED_ITEM
                          ? 1
                          : static_cast<std::uint16_t>(itemCursor_ + 1);
        if (items.isPolled(itemCursor_))
            return itemCursor_;
    }
    return 0;
}
