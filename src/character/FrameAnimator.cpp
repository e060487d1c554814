#include "FrameAnimator.h"

int FrameAnimator::winkTick(float &winkcount)
{
    winkcount += 1;
    if (winkcount == 210)
        return 1;
    if (winkcount == 220) {
        winkcount = 0;
        return 0;
    }
    return kNoFrame;
}

FrameAnimator::IdleStep FrameAnimator::animateTick(float &idlecount)
{
    idlecount += 1;
    using W = WinkChange;
    IdleStep step;
    // Scripts may put any value here; only the whole values of the table act.
    const float count = idlecount;
    if (!(count >= 0 && count <= 1000) || count != float(int(count)))
        return step;
    switch (int(count)) {
    case 209:
        return {2, W::Stop};
    case 210:
        return {3};
    case 211:
        return {4};
    case 212:
        return {4};
    case 213:
        return {3};
    case 214:
        return {2};
    case 215:
        return {0, W::Start};
    case 409:
        return {8, W::Stop};
    case 410:
        return {9};
    case 411:
        return {10};
    case 412:
        return {10};
    case 413:
        return {9};
    case 414:
        return {8};
    case 415:
        idlecount = 0;
        return {0, W::Start};
    case 500:
        return {5, W::Stop};
    case 501:
        return {6};
    case 502:
        return {7};
    case 503:
        return {7};
    case 504:
        return {6};
    case 505:
        return {5};
    case 506:
        idlecount = 0;
        return {1, W::Keep, true};
    default:
        return step;
    }
}

// Played forward on a copy, so the answer cannot drift from what the ticks really do.
int FrameAnimator::quietWinkTicks(float winkcount, int limit)
{
    for (int quiet = 0; quiet < limit; ++quiet)
        if (winkTick(winkcount) != kNoFrame)
            return quiet;
    return limit;
}

int FrameAnimator::quietIdleTicks(float idlecount, int limit)
{
    for (int quiet = 0; quiet < limit; ++quiet) {
        const IdleStep step = animateTick(idlecount);
        if (step.frame != kNoFrame || step.wink != WinkChange::Keep || step.asleep)
            return quiet;
    }
    return limit;
}
