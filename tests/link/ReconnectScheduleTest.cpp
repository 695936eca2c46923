#include "link/ReconnectSchedule.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

// Restated: the pauses before each attempt after a loss, in seconds.
TEST(ReconnectSchedule, PausesGrowToThirtySecondsOnATimerAndStartOverAfterASuccess)
{
    ReconnectSchedule schedule;
    schedule.setMillisecondsPerSecond(5);
    QSignalSpy due(&schedule, &ReconnectSchedule::retryDue);
    EXPECT_EQ(schedule.retryLater(), 1);
    ASSERT_TRUE(due.wait(5000));
    for (int expected : {2, 5, 10, 30, 30, 30})
        EXPECT_EQ(schedule.nextPauseSeconds(), expected);
    schedule.reset();
    EXPECT_EQ(schedule.nextPauseSeconds(), 1);
}
