#include "FrameAnimator.h"
#include "CharacterWindow.h"
#include "MenuState.h"
#include "TickTimer.h"

#include <QLabel>

#include <map>

#include <gtest/gtest.h>

namespace {

using W = FrameAnimator::WinkChange;

struct Expected {
    int frame;
    W wink = W::Keep;
};

QImage plainStrip(int frameW = 20, int h = 30)
{
    QImage strip(frameW * 14, h, QImage::Format_RGB32);
    strip.fill(qRgb(90, 120, 200));
    return strip;
}

} // namespace

TEST(FrameAnimator, WinkClosesTheEyesForTenTicksInEvery220)
{
    float count = 0;
    for (int cycle = 0; cycle < 2; ++cycle) {
        for (int tick = 1; tick <= 220; ++tick) {
            const int frame = FrameAnimator::winkTick(count);
            if (tick == 210)
                EXPECT_EQ(frame, 1);
            else if (tick == 220)
                EXPECT_EQ(frame, 0);
            else
                EXPECT_EQ(frame, FrameAnimator::kNoFrame) << "tick " << tick;
        }
        EXPECT_EQ(count, 0);
    }
}

TEST(FrameAnimator, IdleCycleRunsBothGesturesAndStartsAgain)
{
    const std::map<int, Expected> table = {
        {209, {2, W::Stop}}, {210, {3}},           {211, {4}},           {212, {4}},
        {213, {3}},          {214, {2}},           {215, {0, W::Start}}, {409, {8, W::Stop}},
        {410, {9}},          {411, {10}},          {412, {10}},          {413, {9}},
        {414, {8}},          {415, {0, W::Start}},
    };
    float count = 0;
    for (int cycle = 0; cycle < 2; ++cycle) {
        for (int tick = 1; tick <= 415; ++tick) {
            const auto step = FrameAnimator::animateTick(count);
            const auto it = table.find(tick);
            const Expected want =
                it == table.end() ? Expected{FrameAnimator::kNoFrame} : it->second;
            EXPECT_EQ(step.frame, want.frame) << "tick " << tick;
            EXPECT_EQ(step.wink, want.wink) << "tick " << tick;
            EXPECT_FALSE(step.asleep);
        }
        EXPECT_EQ(count, 0);
    }
}

TEST(FrameAnimator, FallingAsleepFromTheValueTheSpeakerSets)
{
    float count = FrameAnimator::kFallAsleepFrom;
    const int frames[] = {5, 6, 7, 7, 6, 5, 1};
    for (int i = 0; i < 7; ++i) {
        const auto step = FrameAnimator::animateTick(count);
        EXPECT_EQ(step.frame, frames[i]);
        EXPECT_EQ(step.wink, i == 0 ? W::Stop : W::Keep);
        EXPECT_EQ(step.asleep, i == 6);
    }
    EXPECT_EQ(count, 0);
}

TEST(FrameAnimator, ValuesOffTheTableDoNothing)
{
    for (float start : {208.5f, -3.0f, 1.0e9f, 600.0f}) {
        float count = start;
        const auto step = FrameAnimator::animateTick(count);
        EXPECT_EQ(step.frame, FrameAnimator::kNoFrame) << start;
        EXPECT_EQ(step.wink, W::Keep);
        EXPECT_EQ(count, start + 1);
    }
}

class CharacterFramesTest : public testing::Test {
protected:
    void SetUp() override
    {
        window.setCharacterPicture(plainStrip());
        window.MakeTransparent();
    }
    // One 160 ms step of the idle timer with the blink ticks that fall in it, as the
    // timers deliver them: only while enabled.
    void step(int winkTicks = 10)
    {
        for (int i = 0; i < winkTicks; ++i)
            if (window.wink()->isEnabled())
                window.winkTick();
        if (window.animate()->isEnabled())
            window.animateTick();
    }
    QLabel *animation() const { return window.findChild<QLabel *>("animation"); }

    MenuState menu;
    CharacterWindow window{menu};
};

TEST_F(CharacterFramesTest, ShowframeSlidesTheStripByWholeFrames)
{
    EXPECT_FLOAT_EQ(window.widthofguy, 300);
    window.showframe(3);
    EXPECT_EQ(animation()->x(), -60);
    EXPECT_DOUBLE_EQ(window.shownFrame(), 3);
    window.showframe(13);
    EXPECT_EQ(animation()->x(), -260);
    EXPECT_EQ(animation()->size(), QSize(280, 30));
}

TEST_F(CharacterFramesTest, TimersAtLoad)
{
    EXPECT_TRUE(window.wink()->isEnabled());
    EXPECT_EQ(window.wink()->interval(), 10);
    EXPECT_TRUE(window.animate()->isEnabled());
    EXPECT_EQ(window.animate()->interval(), 160);
    EXPECT_FALSE(window.fadeinout()->isEnabled());
    EXPECT_EQ(window.fadeinout()->interval(), 1);
    EXPECT_EQ(window.winkcount, 0);
    EXPECT_EQ(window.idlecount, 0);
}

TEST_F(CharacterFramesTest, AGestureHoldsABlinkThatCompletesAfterIt)
{
    window.winkcount = 209;
    window.idlecount = 208;
    window.winkTick(); // 210: the eyes close
    EXPECT_DOUBLE_EQ(window.shownFrame(), 1);
    window.winkTick();
    window.winkTick();    // 212
    window.animateTick(); // 209: gesture A stops the blink
    EXPECT_FALSE(window.wink()->isEnabled());
    EXPECT_DOUBLE_EQ(window.shownFrame(), 2);
    const double expected[] = {3, 4, 4, 3, 2, 0};
    for (double frame : expected) {
        step();
        EXPECT_DOUBLE_EQ(window.shownFrame(), frame);
        EXPECT_EQ(window.winkcount, 212) << "the blink counter waits";
    }
    EXPECT_TRUE(window.wink()->isEnabled());
    // The blink resumes where it stood and ends eight ticks later.
    for (int i = 0; i < 7; ++i)
        window.winkTick();
    EXPECT_EQ(window.winkcount, 219);
    window.showframe(1);
    window.winkTick();
    EXPECT_EQ(window.winkcount, 0);
    EXPECT_DOUBLE_EQ(window.shownFrame(), 0);
}

TEST_F(CharacterFramesTest, AStoppedWinkComesBackWhenTheNextGestureEnds)
{
    window.wink()->setEnabled(false); // as a script may
    window.idlecount = 400;
    for (int i = 0; i < 15; ++i)
        step();
    EXPECT_EQ(window.idlecount, 0);
    EXPECT_TRUE(window.wink()->isEnabled());
    EXPECT_DOUBLE_EQ(window.shownFrame(), 0);
}

TEST_F(CharacterFramesTest, TheEndOfFallingAsleepStopsTheTimersAndOffersSleep)
{
    menu.setEnabled(MenuState::Sleep, false);
    window.wink()->setEnabled(false);
    window.idlecount = FrameAnimator::kFallAsleepFrom;
    for (int i = 0; i < 6; ++i) {
        step();
        EXPECT_TRUE(window.animate()->isEnabled());
        EXPECT_FALSE(menu.isEnabled(MenuState::Sleep));
    }
    EXPECT_DOUBLE_EQ(window.shownFrame(), 5);
    step();
    EXPECT_DOUBLE_EQ(window.shownFrame(), 1);
    EXPECT_FALSE(window.animate()->isEnabled());
    EXPECT_FALSE(window.wink()->isEnabled());
    EXPECT_TRUE(menu.isEnabled(MenuState::Sleep));
    EXPECT_EQ(window.idlecount, 0);
}

TEST_F(CharacterFramesTest, TheTimersDriveTheSlots)
{
    window.winkcount = 209;
    emit window.wink()->tick();
    EXPECT_DOUBLE_EQ(window.shownFrame(), 1);
    window.idlecount = 408;
    emit window.animate()->tick();
    EXPECT_DOUBLE_EQ(window.shownFrame(), 8);
}

// The timers sleep as long as these say; a wrong answer would skip or delay a frame.
TEST(FrameAnimatorQuietTicks, EndRightBeforeTheNextTickThatActs)
{
    for (int start = 0; start <= 230; ++start) {
        float count = float(start);
        const int quiet = FrameAnimator::quietWinkTicks(count, 4096);
        for (int i = 0; i < quiet; ++i) {
            ASSERT_EQ(FrameAnimator::winkTick(count), FrameAnimator::kNoFrame) << start;
        }
        if (quiet < 4096) {
            EXPECT_NE(FrameAnimator::winkTick(count), FrameAnimator::kNoFrame) << start;
        }
    }
    const auto acts = [](const FrameAnimator::IdleStep &step) {
        return step.frame != FrameAnimator::kNoFrame || step.wink != W::Keep || step.asleep;
    };
    for (int start = -5; start <= 1005; ++start) {
        float count = float(start);
        const int quiet = FrameAnimator::quietIdleTicks(count, 4096);
        for (int i = 0; i < quiet; ++i) {
            ASSERT_FALSE(acts(FrameAnimator::animateTick(count))) << start;
        }
        if (quiet < 4096) {
            EXPECT_TRUE(acts(FrameAnimator::animateTick(count))) << start;
        }
    }
}

TEST(FrameAnimatorQuietTicks, CountFromTheTables)
{
    EXPECT_EQ(FrameAnimator::quietWinkTicks(0, 4096), 209);
    EXPECT_EQ(FrameAnimator::quietWinkTicks(210, 4096), 9);
    EXPECT_EQ(FrameAnimator::quietIdleTicks(0, 4096), 208);
    EXPECT_EQ(FrameAnimator::quietIdleTicks(215, 4096), 193);
    EXPECT_EQ(FrameAnimator::quietIdleTicks(FrameAnimator::kFallAsleepFrom, 4096), 0);
    // A count that has left the table never acts again: the limit is all there is.
    EXPECT_EQ(FrameAnimator::quietWinkTicks(300, 50), 50);
    EXPECT_EQ(FrameAnimator::quietIdleTicks(208.5f, 50), 50);
}
