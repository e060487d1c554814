#include "TickTimer.h"
#include "WaitFor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <functional>

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

namespace {

// Counts the passes of the event loop that delivered ticks: every tick posts a note to the
// loop, and ticks delivered in one wake all see the same number of notes.
class WakeCounter : public QObject {
public:
    explicit WakeCounter(TickTimer &timer)
    {
        connect(&timer, &TickTimer::tick, this, [this] {
            wakeOfTick.append(wakes);
            if (!noted) {
                noted = true;
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        ++wakes;
                        noted = false;
                    },
                    Qt::QueuedConnection);
            }
        });
    }
    // The tick counts of each wake, in order.
    QList<int> bursts() const
    {
        QList<int> sizes;
        for (int i = 0; i < wakeOfTick.size(); ++i) {
            if (i == 0 || wakeOfTick[i] != wakeOfTick[i - 1])
                sizes.append(0);
            ++sizes.last();
        }
        return sizes;
    }

    int wakes = 0;
    bool noted = false;
    QList<int> wakeOfTick;
};

} // namespace

TEST(TickTimerSchedule, SleepsThroughQuietTicksAndDeliversThemWithTheNextThatActs)
{
    TickTimer timer(1, false);
    timer.setSchedule([] { return 4; });
    WakeCounter counter(timer);
    timer.setEnabled(true);
    ASSERT_TRUE(waitFor([&] { return counter.wakeOfTick.size() >= 15; }));
    timer.setEnabled(false);
    const QList<int> bursts = counter.bursts();
    // The last wake may be cut short by the stop, which delivers only the ticks due then.
    for (int i = 0; i + 1 < bursts.size(); ++i)
        EXPECT_EQ(bursts[i], 5) << "wake " << i;
    EXPECT_LE(bursts.last(), 5);
}

TEST(TickTimerSchedule, AScheduleFollowsTheCountItWatches)
{
    // Acts on every third tick: after ticks 3, 6, 9, ...
    int count = 0;
    TickTimer timer(1, false);
    timer.setSchedule([&] { return 2 - count % 3; });
    QObject::connect(&timer, &TickTimer::tick, [&] { ++count; });
    WakeCounter counter(timer);
    timer.setEnabled(true);
    ASSERT_TRUE(waitFor([&] { return count >= 9; }));
    timer.setEnabled(false);
    const QList<int> bursts = counter.bursts();
    for (int i = 0; i + 1 < bursts.size(); ++i)
        EXPECT_EQ(bursts[i], 3) << "wake " << i;
}

TEST(TickTimerSchedule, NothingPlannedSleepsUntilRescheduled)
{
    bool planned = false;
    TickTimer timer(1, false);
    timer.setSchedule([&] { return planned ? 0 : TickTimer::kNothingPlanned; });
    QSignalSpy ticks(&timer, &TickTimer::tick);
    timer.setEnabled(true);
    EXPECT_FALSE(ticks.wait(150));
    planned = true;
    EXPECT_FALSE(ticks.wait(100)) << "a changed plan waits for reschedule()";
    timer.reschedule();
    EXPECT_TRUE(ticks.wait(2000));
}

TEST(TickTimerSchedule, StoppingDeliversTheQuietTicksAlreadyDue)
{
    TickTimer timer(20, false);
    timer.setSchedule([] { return 1000; });
    QSignalSpy ticks(&timer, &TickTimer::tick);
    QElapsedTimer clock;
    timer.setEnabled(true);
    clock.start();
    QTest::qWait(130);
    timer.setEnabled(false);
    const qint64 elapsed = clock.elapsed();
    // At least the six whole periods of the wait were due; none of the future ones.
    EXPECT_GE(ticks.count(), 6);
    EXPECT_LE(ticks.count(), elapsed / 20 + 1);
    ticks.clear();
    EXPECT_FALSE(ticks.wait(100));
}

TEST(TickTimerSchedule, AHandlerThatStopsTheTimerEndsTheBurst)
{
    TickTimer timer(1, false);
    timer.setSchedule([] { return 9; });
    int ticks = 0;
    QObject::connect(&timer, &TickTimer::tick, [&] {
        if (++ticks == 4)
            timer.setEnabled(false);
    });
    timer.setEnabled(true);
    ASSERT_TRUE(waitFor([&] { return ticks >= 4; }));
    QTest::qWait(100);
    EXPECT_EQ(ticks, 4);
}

TEST(TickTimerSchedule, ATimerWithoutAScheduleTicksEveryPeriod)
{
    TickTimer timer(1, true);
    WakeCounter counter(timer);
    ASSERT_TRUE(waitFor([&] { return counter.wakeOfTick.size() >= 5; }));
    for (int size : counter.bursts())
        EXPECT_EQ(size, 1);
}
