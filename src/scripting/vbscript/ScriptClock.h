#pragma once

#include <chrono>
#include <ctime>

namespace vbs {

// Thrown when the time-out stops a script; On Error Resume Next does not catch it. Host code
// that stops a wait throws it with line 0, and the interpreter names the running line.
struct TimeoutError {
    int line;
};

// The time-out of the script running on this thread. It counts the script's own work: time
// spent waiting for the user (MsgBox, InputBox) is given back, so a script is not stopped for
// an answer that took long to come. Time spent waiting for other programs (Run, Exec, Sleep,
// SendKeys, AppActivate) is given back too, but only up to a second, longer allowance: a loop
// of such waits would otherwise run for ever.
class ScriptClock {
public:
    using Clock = std::chrono::steady_clock;

    struct Budget {
        Clock::time_point deadline = Clock::time_point::max();
        Clock::duration waitsLeft = Clock::duration::max();
    };

    // While alive, `budget` is the running script's. A script started from a host call runs
    // on the same thread, so these nest.
    class Running {
    public:
        explicit Running(Budget &budget);
        ~Running();
        Running(const Running &) = delete;
        Running &operator=(const Running &) = delete;

    private:
        Budget *m_previous;
    };

    enum class WaitFor { User, Program };

    // The time from construction to destruction is not counted against the running script;
    // a wait for a program is taken from its allowance instead, and once that is spent the
    // script is past its deadline.
    class Waiting {
    public:
        explicit Waiting(WaitFor what = WaitFor::Program);
        ~Waiting();
        Waiting(const Waiting &) = delete;
        Waiting &operator=(const Waiting &) = delete;

    private:
        Budget *m_budget;
        WaitFor m_what;
        Clock::time_point m_start;
    };

    // The running script's deadline; time_point::max() when no script runs.
    static Clock::time_point deadline();
    // How much longer the running script may wait for programs; duration::max() when no
    // script runs.
    static Clock::duration waitsLeft();
    // Throws TimeoutError once the running script's waits for programs have used up their
    // allowance: host code that waits calls it after, or between, its waits.
    static void stopIfWaitsSpent();

    // Work that may take long on its own, a library or host call or a long string or array
    // built: the running script reads the clock at its next loop turn or call rather than
    // after its usual count of them.
    static void noteLongWork() { t_longWork = true; }
    static bool takeLongWork()
    {
        const bool was = t_longWork;
        t_longWork = false;
        return was;
    }

    // The time to the last tick of the system clock, a few milliseconds behind: it costs a
    // fraction of what the exact time does, and a time-out of seconds needs no more.
    static Clock::time_point coarseNow()
    {
        timespec now;
        clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
        return Clock::time_point(std::chrono::seconds(now.tv_sec) +
                                 std::chrono::nanoseconds(now.tv_nsec));
    }

private:
    static thread_local bool t_longWork;
};

} // namespace vbs
