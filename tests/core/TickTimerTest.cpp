#include "TickTimer.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

TEST(TickTimer, IntervalsUnderTheFloorTickAtTheFloor)
{
    EXPECT_EQ(TickTimer::effectiveInterval(1), TickTimer::kFloorMs);
    EXPECT_EQ(TickTimer::effectiveInterval(10), TickTimer::kFloorMs);
    EXPECT_EQ(TickTimer::effectiveInterval(16), 16);
    EXPECT_EQ(TickTimer::effectiveInterval(160), 160);

    TickTimer timer(1, false);
    EXPECT_EQ(timer.interval(), 1);
    EXPECT_EQ(timer.effectiveInterval(), TickTimer::kFloorMs);
}

TEST(TickTimer, TicksOnlyWhileEnabled)
{
    TickTimer timer(1, true);
    QSignalSpy ticks(&timer, &TickTimer::tick);
    EXPECT_TRUE(ticks.wait(2000));

    timer.setEnabled(false);
    ticks.clear();
    EXPECT_FALSE(ticks.wait(100));
    EXPECT_FALSE(timer.isEnabled());

    timer.setInterval(0);
    timer.setEnabled(true);
    EXPECT_FALSE(ticks.wait(100));
}
