#pragma once

#include "link/RecordMap.h"

#include <cstdint>
#include <vector>

// Which pages of one log the unit can have written since its memory was last copied, from where
// its newest entry was then and where it is now. The unit only ever writes forward from its
// newest entry, around its ring of pages; a log that went backwards was cleared, and one that
// came round to where it was has been overwritten whole.
namespace IncrementalPlan {

inline constexpr int PageSize = RecordMap::LogPageBytes;

// A log's ring: its pages, first to last, in unit memory; hasWrappedBit when the unit reports
// whether the ring has wrapped (a pointer that moved back without it is then a cleared log).
struct Ring {
    std::uint8_t firstPage = 0;
    int pages = 0;
    bool hasWrappedBit = false;
};

// Where a log's newest entry is (its unit address), whether the ring has wrapped, and whether
// the log is empty.
struct Position {
    std::uint16_t newest = 0;
    bool wrapped = false;
    bool empty = false;

    friend bool operator==(const Position&, const Position&) = default;
};

struct LogPlan {
    enum class Kind { Unchanged, Pages, Whole };
    Kind kind = Kind::Whole;
    // Kind::Pages: the pages to read, in ring order from the page of the old newest entry.
    std::vector<std::uint8_t> pages;
    // The bytes of the first page before the old newest entry: the unit cannot have changed
    // them, so a difference means the copy is not of this unit's log.
    int keptBytes = 0;
};

LogPlan plan(const Ring& ring, const Position& old, const Position& now);

// The page before the old newest entry's page, in ring order: no plan of Kind::Pages reads it,
// and the unit cannot have written it since.
std::uint8_t confirmingPage(const Ring& ring, const Position& old);

} // namespace IncrementalPlan
