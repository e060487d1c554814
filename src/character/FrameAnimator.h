#pragma once

// The blink and idle schedules of the character: fixed tables of tick counts, nothing random.
// The counters are single-precision numbers that only ever hold whole values and are
// compared for exact equality, as scripts see and set them.
class FrameAnimator {
public:
    static constexpr int kNoFrame = -1;

    // One tick of the blink timer: advances winkcount and gives the frame to show, or kNoFrame.
    static int winkTick(float &winkcount);

    enum class WinkChange { Keep, Stop, Start };
    struct IdleStep {
        int frame = kNoFrame;
        WinkChange wink = WinkChange::Keep;
        // The falling-asleep gesture is over: the idle timer stops and Sleep can be chosen.
        bool asleep = false;
    };
    // One tick of the idle timer: advances idlecount and says what to do.
    static IdleStep animateTick(float &idlecount);

    // How many of the coming ticks from these counts would do nothing but count, looked at up
    // to `limit` ticks ahead: the timers sleep through them.
    static int quietWinkTicks(float winkcount, int limit);
    static int quietIdleTicks(float idlecount, int limit);

    // The value the speaking code sets at the end of an utterance spoken while asleep: the
    // next tick starts the falling-asleep gesture.
    static constexpr float kFallAsleepFrom = 499;
};
