#include "logged/IncrementalPlan.h"

namespace IncrementalPlan {

namespace {

bool inRing(const Ring& ring, std::uint16_t address)
{
    const int page = address / PageSize;
    return page >= ring.firstPage && page < ring.firstPage + ring.pages;
}

int ringIndex(const Ring& ring, std::uint16_t address)
{
    return address / PageSize - ring.firstPage;
}

LogPlan whole()
{
    return LogPlan{};
}

bool wasCleared(const Ring& ring, const Position& old, const Position& now)
{
    if (now.empty && !old.empty)
        return true;
    if (!ring.hasWrappedBit)
        return false;
    return (old.wrapped && !now.wrapped) || (!now.wrapped && now.newest < old.newest);
}

} // namespace

LogPlan plan(const Ring& ring, const Position& old, const Position& now)
{
    if (!inRing(ring, old.newest) || !inRing(ring, now.newest))
        return whole();
    if (old == now)
        return LogPlan{LogPlan::Kind::Unchanged, {}, 0};
    if (wasCleared(ring, old, now))
        return whole();
    const int from = ringIndex(ring, old.newest);
    const int to = ringIndex(ring, now.newest);
    // Back in the same page behind where it was: the unit has been once round the whole ring.
    if (from == to && now.newest < old.newest)
        return whole();
    const int count = (to - from + ring.pages) % ring.pages + 1;
    // Up to the page before the old newest entry: nothing of the old copy is left to trust.
    if (count >= ring.pages)
        return whole();
    LogPlan pages{LogPlan::Kind::Pages, {}, old.newest % PageSize};
    for (int step = 0; step < count; ++step)
        pages.pages.push_back(
            static_cast<std::uint8_t>(ring.firstPage + (from + step) % ring.pages));
    return pages;
}

std::uint8_t confirmingPage(const Ring& ring, const Position& old)
{
    const int from = inRing(ring, old.newest) ? ringIndex(ring, old.newest) : 0;
    return static_cast<std::uint8_t>(ring.firstPage + (from + ring.pages - 1) % ring.pages);
}

} // namespace IncrementalPlan
