#pragma once

#include "link/RecordMap.h"
#include "logged/CLoggedData.h"

#include <QString>

struct DownloadJob;

// The steps of one download in the order they are issued: steps 0 to 2 read the log pointers
// and the efficiency indexes, step 3 sets the unit's clock when asked, steps 4 and 5 read the
// clock, steps 6 to 9 copy the four log areas, steps 10 and 11 read the two battery words.
// Step 12 reads what tells this unit from another, between the clock and the first area, when
// the download keeps images of the unit's memory.
class DownloadSteps {
public:
    enum Step {
        STEP_PERIODIC_POINTER = 0,
        STEP_PROFILE_POINTER = 1,
        STEP_EFFICIENCY_INDEXES = 2,
        STEP_TIME_SYNC = 3,
        STEP_CLOCK_DAY = 4,
        STEP_CLOCK_MINUTES = 5,
        STEP_PERIODIC = 6,
        STEP_PROFILE = 7,
        STEP_BATTERY1_EFFICIENCY = 8,
        STEP_BATTERY2_EFFICIENCY = 9,
        STEP_BATTERY1_WORD = 10,
        STEP_BATTERY2_WORD = 11,
        STEP_IDENTITY = 12,
    };

    // The record a step that reads one record reads: a log pointer, the clock or a battery word.
    static UnitRecord recordOf(int step);
    // The log an area step (6 to 9) copies.
    static CLoggedData::Log logOf(int step);
    // The progress text while an area step runs.
    static QString areaText(int step);
    // Whether the job fetches the log of an area step.
    static bool isSelected(const DownloadJob& job, int step);
    // The step after an area step the job does not fetch: without efficiency both of its steps
    // fall through to the battery words.
    static int afterSkipped(int step);
    // The step after an area step whose log has been copied.
    static int afterCopied(int step);
};
