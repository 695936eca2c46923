#include "charts/LiveTrendRing.h"

#include <gtest/gtest.h>

// The ring of the main window's live trend: two values a second at most whatever comes, always
// the newest, an hour of them, and a clock that went back starts the slot again.
TEST(LiveTrendRing, KeepsTheLastHourAtTwoValuesASecondAndAlwaysTheNewest)
{
    LiveTrendRing ring;
    for (qint64 ms = 0; ms <= 10000; ms += 100)
        ring.push(0, ms, static_cast<double>(ms));
    const QList<QPointF> points = ring.points(0);
    EXPECT_EQ(points.last(), QPointF(10000, 10000));
    EXPECT_LE(points.size(), 10 * 2 + 1);
    for (qsizetype i = 1; i + 1 < points.size(); ++i)
        EXPECT_GE(points[i].x() - points[i - 1].x(), 500) << i;

    ring.push(0, 3600 * 1000 + 5000, 1.0);
    EXPECT_GE(ring.points(0).first().x(), 5000) << "an hour before the newest value";
    ring.push(1, 9000, 2.0);
    ring.push(1, 8000, 3.0);
    EXPECT_EQ(ring.points(1), QList<QPointF>{QPointF(8000, 3.0)});
    EXPECT_EQ(ring.newestTime(), 3600 * 1000 + 5000);
}
