#include "link/ReconnectSchedule.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// Restated: the pauses before each attempt after a loss, in seconds.
constexpr int Pauses[] = {1, 2, 5, 10, 30, 30, 30};

} // namespace

TEST(ReconnectSchedule, PausesGrowToThirtySecondsAndStartOverAfterASuccess)
{
    ReconnectSchedule schedule;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        for (int expected : Pauses)
            EXPECT_EQ(schedule.nextPauseSeconds(), expected);
        EXPECT_EQ(schedule.attempts(), std::size(Pauses));
        schedule.reset();
    }
}

TEST(ReconnectSchedule, ARetryIsDueAfterItsPauseUnlessCancelled)
{
    ReconnectSchedule schedule;
    schedule.setMillisecondsPerSecond(5);
    QSignalSpy due(&schedule, &ReconnectSchedule::retryDue);
    EXPECT_EQ(schedule.retryLater(), 1);
    EXPECT_TRUE(schedule.isWaiting());
    ASSERT_TRUE(due.wait(5000));
    EXPECT_FALSE(schedule.isWaiting());
    EXPECT_EQ(schedule.retryLater(), 2);
    schedule.cancel();
    EXPECT_FALSE(schedule.isWaiting());
}
