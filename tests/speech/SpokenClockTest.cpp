#include "SpokenClock.h"

#include <gtest/gtest.h>

TEST(SpokenClock, TimeIsSpokenWithSpaceAndShownWithColonWithoutLeadingZeros)
{
    EXPECT_EQ(SpokenClock::spokenTime(QTime(9, 5)), "It's 9 5");
    EXPECT_EQ(SpokenClock::shownTime(QTime(9, 5)), "It's 9:5");
    EXPECT_EQ(SpokenClock::spokenTime(QTime(14, 30)), "It's 14 30");
    EXPECT_EQ(SpokenClock::shownTime(QTime(10, 7)), "It's 10:7");
    EXPECT_EQ(SpokenClock::spokenTime(QTime(0, 15)), "It's 0 15");
    EXPECT_EQ(SpokenClock::shownTime(QTime(0, 0)), "It's 0:0");
    EXPECT_EQ(SpokenClock::spokenTime(QTime(23, 59, 59)), "It's 23 59");
}

TEST(SpokenClock, EveryMonthHasItsName)
{
    const char *names[] = {"january", "february", "march",     "april",   "may",      "june",
                           "july",    "august",   "september", "october", "november", "december"};
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(SpokenClock::monthName(month), names[month - 1]);
        EXPECT_EQ(SpokenClock::dateText(QDate(2026, month, 1)),
                  QString("Today it's %1 1").arg(names[month - 1]));
    }
    EXPECT_EQ(SpokenClock::monthName(0), "");
    EXPECT_EQ(SpokenClock::monthName(13), "");
}

TEST(SpokenClock, DateHasNoYearAndNoLeadingZero)
{
    EXPECT_EQ(SpokenClock::dateText(QDate(2024, 3, 3)), "Today it's march 3");
    EXPECT_EQ(SpokenClock::dateText(QDate(1999, 12, 31)), "Today it's december 31");
}
